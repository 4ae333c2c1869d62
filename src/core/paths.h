// Where the game's files lie: its read-only data (libraries, lakes, menu
// pictures) and the player's own files (options, window, saved games, kept
// replays, the player's lakes, the log). This is the one place that decides
// them; everything else asks a GamePaths.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tw {

// How the data folder was found.
enum class DataSource : uint8_t {
  Given,          // --data DIR
  BesideProgram,  // the program's own folder holds objects.dxg (the build tree)
  Installed,      // PREFIX/share/tarnwick
};

struct GamePaths {
  std::string Data;  // libraries, lakes/, ui/
  DataSource Source = DataSource::BesideProgram;
  // True when the player's files stay in the data folder (a writable
  // program folder, as in the build tree); false for the XDG folders.
  bool BesideData = true;
  std::string SettingsFile;     // tarnwick.ini
  std::string WindowStateFile;  // window.ini, beside the settings
  std::string SavesFolder;      // where the save and load dialogs start
  std::string ReplaysFolder;    // replays kept with F12
  std::string PlayerLakes;      // the player's own lakes; empty beside the data
  std::string LogFile;          // tarnwick.log

  // Everything in one folder, the layout of the build tree.
  static GamePaths AllIn(const std::string& folder);
};

// What the decision looks at, gathered apart so it can be tried alone.
struct PathSearch {
  std::string GivenData;      // --data DIR, or empty
  std::string ProgramFolder;  // the folder of the running program
  // Candidate installed data folders, in the order they are tried.
  std::vector<std::string> InstalledData;
  // The environment (XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_STATE_HOME, HOME);
  // an unset variable reads as empty.
  std::function<std::string(const char*)> Env;
  // Whether the player may write into a folder.
  std::function<bool(const std::string&)> Writable;
};

// Data: --data DIR if given, else the program's folder when it holds
// objects.dxg, else the first installed folder that does (else the first
// installed folder that exists, else the program's folder, so the start-up
// error names a sensible place). The player's files stay beside given or
// program-folder data the player can write; otherwise, and always for
// installed data, they go to the XDG folders.
GamePaths FindGamePaths(const PathSearch& search);

// The search the running program makes: its own folder, the installed data
// folder beside it and as configured, and the real environment.
PathSearch ProgramSearch(const std::string& givenData);

// Makes `folder` and any missing parents; "Unable to write to PATH" (PATH
// being `forFile` when given) when that fails.
void MakeFolders(const std::string& folder, const std::string& forFile = {});
// Makes the folder that will hold `file`, as MakeFolders.
void MakeFolderFor(const std::string& file);

}  // namespace tw
