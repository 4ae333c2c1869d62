// The program's entry: the command line, where the files are, the log, the
// SDL platform and its sound output, the application loop, the main window
// and the promotional window.
#include <cstdio>
#include <exception>
#include <optional>

#include "app/ad_form.h"
#include "app/application.h"
#include "app/command_line.h"
#include "app/main_form.h"
#include "app/start_up.h"
#include "core/log.h"
#include "core/paths.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"

namespace {

// The game cannot run at all: the error goes to the log and standard error
// (through the log) and into a box, and the program ends with status 1.
int CannotStart(const std::string& message) {
  const std::string text = tw::WithFullStop(message);
  tw::LogError(text);
  if (!tw::LogIsOpen()) std::fprintf(stderr, "Tarnwick: %s\n", text.c_str());
  tw::ShowSystemErrorBox(tw::kAppTitle, text);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const tw::CommandLine line = tw::ParseCommandLine(argc, argv);
  if (const std::optional<int> status = tw::AnswerWithoutGame(line)) return *status;

  const tw::GamePaths paths = tw::FindGamePaths(tw::ProgramSearch(line.DataFolder));
  tw::OpenLog(paths.LogFile);
  tw::CatchCrashSignals();
  tw::LogStartUpFacts(paths);
  try {
    tw::CheckGameLibraries(paths);
  } catch (const std::exception& e) {
    return CannotStart(e.what());
  }

  int status = 0;
  try {
    tw::SdlPlatform platform(tw::kAppTitle, line.FullScreen);
    tw::SdlAudioOutput audio;
    // An unplugged sound device reaches the output through the platform.
    platform.AttachAudioOutput(&audio);
    tw::Application app(platform);
    tw::TMainForm form(app, audio, paths);
    app.SetSink(&form);
    form.FormCreate();
    tw::TAdForm ad(app, form.Fonts(), paths.Data);
    form.SetAdForm(&ad);
    form.Show();
    while (!app.Terminated()) form.RunOnce();
    platform.AttachAudioOutput(nullptr);
  } catch (const std::exception& e) {
    status = CannotStart(e.what());
  }
  tw::LogNote(status == 0 ? "Tarnwick ended" : "Tarnwick ended after an error");
  tw::CloseLog();
  return status;
}
