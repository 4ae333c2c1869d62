// The program's entry: the command line, where the files are, the log, the
// window as the player left it, the SDL platform and its sound output, the
// application loop, the main window and the promotional window; or, with
// --replay, a kept replay watched in the window.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>

#include "app/ad_form.h"
#include "app/application.h"
#include "app/command_line.h"
#include "app/main_form.h"
#include "app/start_up.h"
#include "app/window_state.h"
#include "core/log.h"
#include "core/paths.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"
#include "replay/replay_file.h"

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

bool WindowedByEnvironment() {
  const char* v = std::getenv("TARNWICK_WINDOWED");
  return v && v[0] == '1';
}

}  // namespace

int main(int argc, char** argv) {
  const tw::CommandLine line = tw::ParseCommandLine(argc, argv);
  if (const std::optional<int> status = tw::AnswerWithoutGame(line)) return *status;

  const tw::GamePaths paths = tw::FindGamePaths(tw::ProgramSearch(line.DataFolder));
  tw::OpenLog(paths.LogFile);
  tw::CatchCrashSignals();
  tw::LogStartUpFacts(paths);
  std::optional<tw::Replay> replay;
  try {
    tw::CheckGameLibraries(paths);
  } catch (const std::exception& e) {
    return CannotStart(e.what());
  }
  if (!line.ReplayFile.empty()) {
    try {
      replay = tw::LoadReplay(line.ReplayFile);
    } catch (const std::exception& e) {
      return CannotStart("Cannot watch " + line.ReplayFile + ": " + e.what());
    }
  }

  const tw::WindowPlacement place = tw::StartingPlacement(
      tw::LoadWindowState(paths.WindowStateFile), line.FullScreen, WindowedByEnvironment());
  int status = 0;
  try {
    tw::SdlPlatform platform(tw::kAppTitle, place);
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
    if (replay) form.WatchReplay(*replay);
    while (!app.Terminated()) form.RunOnce();
    platform.AttachAudioOutput(nullptr);
    if (!form.WatchFailure().empty()) status = CannotStart(form.WatchFailure());
  } catch (const std::exception& e) {
    status = CannotStart(e.what());
  }
  tw::LogNote(status == 0 ? "Tarnwick ended" : "Tarnwick ended after an error");
  tw::CloseLog();
  return status;
}
