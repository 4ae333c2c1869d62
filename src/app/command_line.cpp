#include "app/command_line.h"

#include <cstdio>

#include "core/build_info.h"

namespace tw {

namespace {

// Exit status for a command line the game does not understand.
constexpr int kBadCommandLine = 2;

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  for (int i = 1; i < argc && line.Error.empty(); ++i) {
    const std::string a = argv[i] ? argv[i] : "";
    if (a == "--help" || a == "-h") {
      line.Help = true;
    } else if (a == "--version") {
      line.Version = true;
    } else if (a == "--windowed") {
      line.FullScreen = false;
    } else if (a == "--fullscreen") {
      line.FullScreen = true;
    } else if (a == "--data") {
      if (i + 1 >= argc || !argv[i + 1] || argv[i + 1][0] == '\0')
        line.Error = "--data needs a folder";
      else
        line.DataFolder = argv[++i];
    } else if (a.starts_with("--data=")) {
      line.DataFolder = a.substr(7);
      if (line.DataFolder.empty()) line.Error = "--data needs a folder";
    } else if (a == "--replay") {
      if (i + 1 >= argc || !argv[i + 1] || argv[i + 1][0] == '\0')
        line.Error = "--replay needs a file";
      else
        line.ReplayFile = argv[++i];
    } else if (a.starts_with("--replay=")) {
      line.ReplayFile = a.substr(9);
      if (line.ReplayFile.empty()) line.Error = "--replay needs a file";
    } else {
      line.Error = "Unknown option " + a;
    }
  }
  return line;
}

std::string UsageText() {
  return "Usage: tarnwick [OPTION]...\n"
         "A fishing-tournament game: drive your boat over the lake, cast, strike, reel in.\n"
         "\n"
         "  --windowed      start in a window\n"
         "  --fullscreen    start full screen (the default)\n"
         "  --data DIR      read the game's data (libraries, lakes, pictures) from DIR\n"
         "  --replay FILE   watch a kept replay in the window (F1 help, P pause,\n"
         "                  Right arrow held: four times as fast, Esc stops)\n"
         "  --version       print the version and exit\n"
         "  --help          print this help and exit\n"
         "\n"
         "Without --windowed or --fullscreen the window comes back as you left it;\n"
         "TARNWICK_WINDOWED=1 in the environment also starts in a window.\n"
         "Options, saved games, kept replays, your own lakes and the log live in\n"
         "~/.config/tarnwick, ~/.local/share/tarnwick and ~/.local/state/tarnwick\n"
         "(beside the game when it runs from a folder you can write, such as its\n"
         "build folder).\n";
}

std::string VersionText() {
  return std::string("Tarnwick ") + kGameVersion;
}

std::optional<int> AnswerWithoutGame(const CommandLine& line) {
  if (!line.Error.empty()) {
    std::fprintf(stderr, "tarnwick: %s\n\n%s", line.Error.c_str(), UsageText().c_str());
    return kBadCommandLine;
  }
  if (line.Help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (line.Version) {
    std::printf("%s\n", VersionText().c_str());
    return 0;
  }
  return std::nullopt;
}

}  // namespace tw
