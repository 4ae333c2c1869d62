// The program's entry: the SDL platform and its sound output, the
// application loop, the main window and the promotional window.
#include <cstdio>
#include <exception>

#include "app/ad_form.h"
#include "app/application.h"
#include "app/main_form.h"
#include "core/files.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"

int main() {
  try {
    tw::SdlPlatform platform(tw::kAppTitle);
    tw::SdlAudioOutput audio;
    // An unplugged sound device reaches the output through the platform.
    platform.AttachAudioOutput(&audio);
    tw::Application app(platform);
    const std::string folder = tw::ProgramFolder();
    tw::TMainForm form(app, audio, folder);
    app.SetSink(&form);
    form.FormCreate();
    tw::TAdForm ad(app, form.Fonts(), folder);
    form.SetAdForm(&ad);
    form.Show();
    while (!app.Terminated()) form.RunOnce();
    platform.AttachAudioOutput(nullptr);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Tarnwick: %s\n", tw::WithFullStop(e.what()).c_str());
    return 1;
  }
  return 0;
}
