// The lake editor's entry: its command line, where the files are, the log,
// the SDL platform in a window, and the editor's loop. --export and
// --import move lakes as folders without opening a window.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/start_up.h"
#include "core/build_info.h"
#include "core/files.h"
#include "core/log.h"
#include "core/paths.h"
#include "editor/lake_editor.h"
#include "editor/lake_share.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_platform.h"

namespace {

constexpr const char* kUsage =
    "Usage: tarnwick-edit [--data DIR] [LAKE]\n"
    "       tarnwick-edit [--data DIR] --export LAKE DIR\n"
    "       tarnwick-edit [--data DIR] --import DIR\n"
    "Makes and changes lakes for Tarnwick. LAKE is a lake of the game or of\n"
    "your own lakes folder; without one the editor starts on a new lake.\n"
    "Lakes are saved into your own lakes folder. --export writes a lake's\n"
    "four files into DIR; --import saves the lakes of DIR into your lakes.\n";

int Fail(const std::string& text) {
  std::fprintf(stderr, "tarnwick-edit: %s\n", text.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string data, lake, exportLake, exportDir, importDir;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) return false;
      out = argv[++i];
      return true;
    };
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (a == "--version") {
      std::printf("Tarnwick lake editor %s\n", tw::kGameVersion);
      return 0;
    }
    const bool ok = a == "--data"                            ? value(data)
                    : a == "--export"                        ? value(exportLake) && value(exportDir)
                    : a == "--import"                        ? value(importDir)
                    : a.rfind("--", 0) == 0 || !lake.empty() ? false
                                                             : (lake = a, true);
    if (!ok) {
      std::fprintf(stderr, "tarnwick-edit: unknown or incomplete argument '%s'\n%s", a.c_str(),
                   kUsage);
      return 2;
    }
  }
  const tw::GamePaths paths = tw::FindGamePaths(tw::ProgramSearch(data));
  const std::string playerLakes =
      paths.PlayerLakes.empty() ? tw::JoinPath(paths.Data, "lakes") : paths.PlayerLakes;
  const tw::LakeFolders folders{paths.Data, paths.PlayerLakes};
  try {
    if (!exportLake.empty()) {
      tw::ExportLake(folders, exportLake, exportDir);
      std::printf("Exported %s to %s\n", exportLake.c_str(), exportDir.c_str());
      return 0;
    }
    if (!importDir.empty()) {
      for (const std::string& name : tw::ImportLakes(importDir, playerLakes))
        std::printf("Imported %s into %s\n", name.c_str(), playerLakes.c_str());
      return 0;
    }
  } catch (const std::exception& e) {
    return Fail(e.what());
  }

  tw::OpenLog(paths.LogFile);
  tw::CatchCrashSignals();
  int status = 0;
  try {
    tw::CheckGameLibraries(paths);
    // A window of its own (never the whole screen): the maker works beside
    // a text editor or a file manager.
    tw::WindowPlacement place;
    place.FullScreen = false;
    tw::SdlPlatform platform("Tarnwick lake editor", place);
    tw::SdlAudioOutput audio;
    platform.AttachAudioOutput(&audio);
    tw::Application app(platform);
    tw::LakeEditor editor(app, audio, paths);
    app.SetSink(&editor);
    editor.Start(lake);
    while (!app.Terminated()) editor.RunOnce();
    platform.AttachAudioOutput(nullptr);
  } catch (const std::exception& e) {
    tw::LogError(e.what());
    tw::ShowSystemErrorBox("Tarnwick lake editor", tw::WithFullStop(e.what()));
    status = Fail(e.what());
  }
  tw::CloseLog();
  return status;
}
