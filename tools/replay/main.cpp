// tarnwick-replay FILE... [--data DIR] [--trace FIELD,...] [--png DIR --every N]
// tarnwick-replay --autopilot LAKE [--seed N] [--cash N] [--level N]
//                 [--gear L,R,B] [--record FILE] [--data DIR] ...
// Plays each replay headless on the game's lakes (found as the game finds
// them unless --data names a folder) and the player's own lakes, and
// prints one summary line per
// finished tournament. With --autopilot the autopilot plays instead, and
// --record keeps what it did as a replay.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/files.h"
#include "core/paths.h"
#include "media/png/png_file.h"
#include "replay/autopilot.h"
#include "replay/replay_file.h"
#include "replay/session.h"
#include "replay/trace.h"

namespace {

struct Options {
  std::vector<std::string> files;
  std::string data;  // --data DIR
  std::string trace;
  std::string pngDir;
  int32_t every = 1;
  std::string autopilotLake;
  std::string record;
  tw::ReplayHeader header;
  bool seedGiven = false;
};

int32_t Number(const std::string& text, int64_t lo, int64_t hi) {
  try {
    size_t used = 0;
    const long long v = std::stoll(text, &used);
    if (used == text.size() && v >= lo && v <= hi) return static_cast<int32_t>(v);
  } catch (const std::exception&) {
  }
  throw tw::GameError("'" + text + "' is not a number from " + std::to_string(lo) + " to " +
                      std::to_string(hi));
}

Options ParseArgs(int argc, char** argv) {
  Options o;
  // The game's own defaults: Mouse Drive at thirty frames a second.
  o.header.Options.MouseDrive = true;
  o.header.Options.SpeedIndex = 0;
  auto value = [&](int& i) -> std::string {
    if (i + 1 >= argc) throw tw::GameError(std::string(argv[i]) + " needs a value");
    return argv[++i];
  };
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--data") {
      o.data = value(i);
    } else if (a == "--trace") {
      o.trace = value(i);
    } else if (a == "--png") {
      o.pngDir = value(i);
    } else if (a == "--every") {
      o.every = Number(value(i), 1, INT32_MAX);
    } else if (a == "--autopilot") {
      o.autopilotLake = value(i);
    } else if (a == "--record") {
      o.record = value(i);
    } else if (a == "--seed") {
      o.header.Seed = static_cast<uint32_t>(std::stoull(value(i)));
      o.seedGiven = true;
    } else if (a == "--cash") {
      o.header.Cash = Number(value(i), INT32_MIN, INT32_MAX);
    } else if (a == "--level") {
      o.header.PlayerLevel = Number(value(i), 0, 255);
    } else if (a == "--gear") {
      const std::string g = value(i);
      if (g.size() != 5 || g[1] != ',' || g[3] != ',')
        throw tw::GameError("--gear takes lure,rod,boat levels such as 1,1,1");
      o.header.LureLevel = Number(g.substr(0, 1), 1, 4);
      o.header.RodLevel = Number(g.substr(2, 1), 1, 4);
      o.header.BoatLevel = Number(g.substr(4, 1), 1, 3);
      o.header.BoatSprite = "boat" + std::to_string(o.header.BoatLevel);
    } else if (!a.empty() && a[0] == '-') {
      throw tw::GameError("Unknown option " + a);
    } else {
      o.files.push_back(a);
    }
  }
  if (o.files.empty() == o.autopilotLake.empty())
    throw tw::GameError(
        "Usage: tarnwick-replay FILE... [--data DIR] [--trace FIELD,...] [--png DIR --every N]\n"
        "       tarnwick-replay --autopilot LAKE [--seed N] [--cash N] [--level N] "
        "[--gear L,R,B] [--record FILE]");
  return o;
}

// Plays one tournament and prints its line.
void Play(const Options& o, const tw::ReplayHeader& header, tw::InputSource& source,
          const std::string& pngStem) {
  const tw::GamePaths paths = tw::FindGamePaths(tw::ProgramSearch(o.data));
  tw::HeadlessTournament game(tw::LakeFolders{paths.Data, paths.PlayerLakes});
  std::vector<std::pair<std::string, tw::FieldReader>> fields;
  if (!o.trace.empty()) fields = tw::TraceFields(o.trace);
  if (!o.pngDir.empty()) std::filesystem::create_directories(o.pngDir);
  game.AfterEachTick = [&](bool frameTick) {
    const int32_t frame = game.Recorder().Frames();
    if (!fields.empty())
      std::printf("%s\n", tw::TraceLine(frame, game.State(), fields, game.RunningTimer()).c_str());
    if (frameTick && !o.pngDir.empty() && frame % o.every == 0) {
      char name[64];
      std::snprintf(name, sizeof name, "-%06d.png", frame);
      tw::WritePng(o.pngDir + "/" + pngStem + name, game.Draw().Surface());
    }
  };
  // A pause shows in the trace as a line at the pause and one at the end of
  // it: the clock and everything else stand still in between.
  game.AfterPauseChange = [&] {
    if (!fields.empty())
      std::printf("%s\n",
                  tw::TraceLine(game.Recorder().Frames(), game.State(), fields, game.RunningTimer())
                      .c_str());
  };
  game.Start(header, source);
  game.Run();
  if (!o.record.empty()) tw::WriteFileAtomic(o.record, tw::FormatReplay(game.Recorder().Current()));
  std::printf("%s\n", game.Summary().Line().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Options o = ParseArgs(argc, argv);
    if (!o.autopilotLake.empty()) {
      tw::ReplayHeader header = o.header;
      header.Lake = o.autopilotLake;
      tw::Autopilot pilot;
      Play(o, header, pilot, header.Lake);
      return 0;
    }
    for (const std::string& file : o.files) {
      const tw::Replay replay = tw::LoadReplay(file);
      tw::ReplaySource source(replay);
      Play(o, replay.Header, source, std::filesystem::path(file).stem().string());
    }
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
