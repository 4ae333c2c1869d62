#include "app/start_up.h"

#include <exception>

#include "core/build_info.h"
#include "core/error.h"
#include "core/files.h"
#include "core/log.h"
#include "media/container.h"

namespace tw {

namespace {

constexpr const char* kGameLibraries[] = {"objects.dxg", "sound.dxw", "music.dxw"};

const char* SourceWords(DataSource source) {
  switch (source) {
    case DataSource::Given:
      return "given with --data";
    case DataSource::Installed:
      return "installed";
    case DataSource::BesideProgram:
      break;
  }
  return "beside the program";
}

}  // namespace

void CheckGameLibraries(const GamePaths& paths) {
  for (const char* name : kGameLibraries) {
    const std::string path = JoinPath(paths.Data, name);
    try {
      ReadContainer(ReadFileBytes(path));
    } catch (const std::exception& e) {
      const std::string what = e.what();
      std::string text = what.starts_with("Cannot open file")
                             ? what + "."
                             : "The library " + path + " cannot be read: " + what + ".";
      if (paths.Source == DataSource::Installed)
        text += "\nThe game's installation is incomplete: install the game again.";
      else
        text +=
            "\nThe game's data is made by the build: run make in the game's source folder,"
            " then start the game again.";
      throw GameError(text);
    }
  }
}

void LogStartUpFacts(const GamePaths& paths) {
  LogNote(std::string("Tarnwick ") + kGameVersion + " starting");
  LogNote("data folder: " + paths.Data + " (" + SourceWords(paths.Source) + ")");
  LogNote("settings: " + paths.SettingsFile);
  LogNote("saved games: " + paths.SavesFolder);
  LogNote("kept replays: " + paths.ReplaysFolder);
  if (!paths.PlayerLakes.empty()) LogNote("your own lakes: " + paths.PlayerLakes);
  LogNote("log: " + paths.LogFile);
}

}  // namespace tw
