// The program's command line: what the player asked for before anything is
// opened. Parsing needs no display, so --help and --version answer at once.
#pragma once
#include <optional>
#include <string>

namespace tw {

struct CommandLine {
  bool Help = false;
  bool Version = false;
  std::optional<bool> FullScreen;  // --fullscreen / --windowed; the last one counts
  std::string DataFolder;          // --data DIR
  std::string ReplayFile;          // --replay FILE: watch it instead of playing
  std::string Error;               // set for an unknown option or a missing value
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// The text of --help (also printed, after the error, for a bad command line).
std::string UsageText();
// "Tarnwick 0.9.0"
std::string VersionText();

// What main does with the command line before starting the game: prints
// help, the version or the error and gives the exit status (0, or 2 for a
// bad command line); nothing when the game should start.
std::optional<int> AnswerWithoutGame(const CommandLine& line);

}  // namespace tw
