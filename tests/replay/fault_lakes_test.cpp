// Lakes written to break the game, played through the headless tournament
// the way "Fish This Lake" plays them: each one is either refused at once in
// the game's words with the fee back, or plays to its end with sound values.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "core/error.h"
#include "core/pipe_watch.h"
#include "replay_support.h"
#include "world/lake_files.h"
#include "world/map_file.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

// The first lake of the campaign without its treasure, so only the lake's
// own rules move the cash.
struct LakeMap {
  MapHeader Header;
  std::unique_ptr<MapGrid> Grid = std::make_unique<MapGrid>();
  MapObjects Objects;
};

LakeMap BaseMap(const std::string& generated) {
  LakeMap m;
  ReadMapFile(LakePath(generated, "Minnow_Pond", ".iso"), m.Header, *m.Grid, m.Objects);
  for (MapObject& o : m.Objects)
    if (o.Kind == "treasure") o = MapObject{};
  return m;
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

int64_t PeakKilobytes() {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

struct LakeCase {
  const char* name = "";
  std::string rules = {};  // the lines of "Lake Data"
  // Changes to the map; the bytes may be changed after it is encoded.
  std::function<void(LakeMap&)> editMap = {};
  std::function<void(const fs::path& iso)> editFile = {};
  std::string input = "5 key down 27\n5 key up 27\n6 key down 13\n6 key up 13\n";  // quits
  bool autopilot = false;
  bool ambience = true;
  // Refused at the start with this message ("DIR" stands for the folder)...
  std::string refused = {};
  // ...or played to the end, and then this holds.
  std::function<void(const TournamentSummary&)> check = {};
};

TEST(FaultLakes, BadLakesAreRefusedOnceWithTheFeeBackOrPlayWithSoundValues) {
  const std::string generated = test::ProgramFolder();
  if (!fs::exists(fs::path(generated) / "objects.dxg")) GTEST_SKIP() << "no generated data";
  const fs::path dir =
      fs::temp_directory_path() / ("tarnwick-fault-lakes-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "lakes");
  for (const char* f : {"objects.dxg", "canada.dxg", "sound.dxw", "music.dxw"})
    fs::create_symlink(fs::absolute(fs::path(generated) / f), dir / f);
  // A tile library the music library has no ambient loop for.
  fs::create_symlink(fs::absolute(fs::path(generated) / "canada.dxg"), dir / "quiet.dxg");
  WriteBytes(dir / "broken.dxg", {'T', 'P', 'F', '0', 1, 2, 3});
  const std::string d = dir.string();
  const auto inMap = [](int32_t slot, const char* kind, int32_t x, int32_t y, const char* param) {
    return [=](LakeMap& m) {
      m.Objects[static_cast<size_t>(slot)] = MapObject{x, y, 1, kind, param, ""};
    };
  };
  const auto ended = [](const char* message) {
    return [=](const TournamentSummary& r) {
      EXPECT_EQ(r.LastMessage, message);
      EXPECT_EQ(r.Cash, 50);
    };
  };

  const std::vector<LakeCase> cases = {
      // A library a lake maker brought along, with no ambient loop of its
      // name: the lake is quiet, and the tournament still ends.
      {.name = "QuietOff",
       .rules = "ImageLib=quiet.dxg\n",
       .ambience = false,
       .check = ended("GAME OVER")},
      {.name = "QuietOn", .rules = "ImageLib=quiet.dxg\n", .check = ended("GAME OVER")},
      // Money and catch totals stop at the limit; a negative fee is no fee.
      {.name = "Heavy",
       .rules = "Biggest=2147483647\nPrizeMoney=2147483647\nEntryFee=-2147483648\nMaxmonster=0\n"
                "MaxFish=40\nLimit=10\nWinIf=1\n",
       .autopilot = true,
       .check =
           [](const TournamentSummary& r) {
             EXPECT_EQ(r.FishCaught, 10);
             EXPECT_EQ(r.CatchPounds, INT32_MAX);
             EXPECT_EQ(r.CatchInches, INT32_MAX);
             EXPECT_EQ(r.Cash, INT32_MAX);
             EXPECT_EQ(r.LastMessage, "YOU WIN $2147483647 FOR 1ST PLACE");
           }},
      // A negative prize is no prize; a limit of 0 still needs a fish, so
      // "WinIf=0" grants nothing before one is caught.
      {.name = "Cheap",
       .rules = "EntryFee=-5\nPrizeMoney=-1000\nMaxmonster=0\nLimit=1\nWinIf=1\n",
       .autopilot = true,
       .check = ended("YOU WIN $0 FOR 1ST PLACE")},
      {.name = "NoLimit",
       .rules = "Limit=0\nWinIf=0\nLevel=9\nMaxmonster=0\n",
       .check =
           [](const TournamentSummary& r) {
             EXPECT_EQ(r.Frames, 65) << "ended by the player, not at once";
             EXPECT_EQ(r.PlayerLevel, 2);
             EXPECT_EQ(r.LastMessage, "GAME OVER");
           }},
      // Positions and sizes that would not fit 32 bits.
      {.name = "FarStart",
       .editMap = inMap(0, "levelstart", INT32_MAX, 40, ""),
       .refused = "Map file DIR/lakes/FarStart.iso, object 0 (levelstart): column 2147483647, "
                  "row 40 is off the map of columns 0 to 21 and rows 0 to 79"},
      {.name = "DeepMonster",
       .editMap = inMap(40, "monster", -40000000, INT32_MIN, "0"),
       .refused = "Map file DIR/lakes/DeepMonster.iso, object 40 (monster): column -40000000, "
                  "row -2147483648 is off the map of columns 0 to 21 and rows 0 to 79"},
      {.name = "WideTiles",
       .editFile =
           [](const fs::path& iso) {
             std::fstream f(iso, std::ios::in | std::ios::out | std::ios::binary);
             f.seekp(8);
             const char width[4] = {0, 0, 0, 0x10};  // 2^28
             f.write(width, 4);
           },
       .refused = "Map file DIR/lakes/WideTiles.iso is damaged: its tiles of 268435456 by 32 "
                  "pixels are outside 1 by 2 to 1024 by 1024"},
      // Something else than a file, and a file far longer than its map.
      {.name = "Pipe",
       .editFile =
           [](const fs::path& iso) {
             fs::remove(iso);
             ASSERT_EQ(::mkfifo(iso.c_str(), 0600), 0);
           },
       .refused = "Cannot open file DIR/lakes/Pipe.iso"},
      {.name = "LongTail",
       .editFile =
           [](const fs::path& iso) {
             fs::resize_file(iso, fs::file_size(iso) + (uint64_t{600} << 20));
           },
       .check = ended("GAME OVER")},
      // A tile library outside the program folder, or one without pictures.
      {.name = "Outside",
       .rules = "ImageLib=../canada.dxg\n",
       .refused = "The lake DIR/lakes/Outside.ini cannot be played: its ImageLib '../canada.dxg' "
                  "must name a file in the game's data folder, without a folder or \"..\""},
      {.name = "SoundTiles",
       .rules = "ImageLib=music.dxw\n",
       .refused = "The lake DIR/lakes/SoundTiles.ini cannot be played: its ImageLib 'music.dxw' "
                  "holds no pictures"},
      // What the frame would look up every frame is looked up once.
      {.name = "Kraken",
       .rules = "MonsterKind=Kraken\nMaxmonster=2\n",
       .refused = "The lake DIR/lakes/Kraken.ini cannot be played: its MonsterKind 'Kraken' has "
                  "no picture 'Kraken' in objects.dxg"},
      {.name = "Nameless",
       .rules = "MonsterKind=\nMaxmonster=1\n",
       .refused = "The lake DIR/lakes/Nameless.ini cannot be played: it has monsters but its "
                  "MonsterKind is empty"},
      {.name = "NoMonsters",
       .rules = "MonsterKind=Kraken\nMaxmonster=0\n",
       .check = ended("GAME OVER")},
      {.name = "Damaged",
       .rules = "ImageLib=broken.dxg\n",
       .refused = "Library file DIR/broken.dxg is damaged: Invalid stream format"},
      {.name = "Letters",
       .editMap = inMap(40, "singlefish", 3, 3, "abc"),
       .refused = "Map file DIR/lakes/Letters.iso, object 40 (singlefish): 'abc' is not a valid "
                  "integer value"},
  };

  for (const LakeCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(dir / "lakes" / (std::string(c.name) + ".ini")) << "[Lake Data]\n" << c.rules;
    LakeMap m = BaseMap(generated);
    if (c.editMap) c.editMap(m);
    const fs::path iso = dir / "lakes" / (std::string(c.name) + ".iso");
    WriteBytes(iso, EncodeMapFile(m.Header, *m.Grid, m.Objects));
    if (c.editFile) c.editFile(iso);

    ReplayHeader h = test::PilotHeader(c.name, 3);
    h.Options.BackgroundSounds = c.ambience;
    const Replay replay =
        ParseReplay("tarnwick replay 1\nlake " + std::string(c.name) + "\n" + c.input);
    ReplaySource source(replay);
    Autopilot pilot;
    HeadlessTournament game(d);
    const int64_t peakBefore = PeakKilobytes();
    test::PipeWatch watch(iso.string());
    try {
      game.Start(h, c.autopilot ? static_cast<InputSource&>(pilot) : source);
      EXPECT_TRUE(c.refused.empty()) << "started; expected: " << c.refused;
    } catch (const GameError& e) {
      std::string expected = c.refused;
      if (const size_t at = expected.find("DIR"); at != std::string::npos)
        expected.replace(at, 3, d);
      EXPECT_EQ(e.what(), expected);
      EXPECT_EQ(game.State().Cash, 50) << "the fee is back";
      EXPECT_EQ(std::string(game.RunningTimer()), "none");
    }
    EXPECT_FALSE(watch.Stop()) << "set-up waited on a pipe";
    EXPECT_LT(PeakKilobytes() - peakBefore, 64 * 1024) << "read more than the map";
    if (!c.refused.empty()) continue;
    try {
      game.Run(100000);
    } catch (const GameError& e) {
      ADD_FAILURE() << "play stopped: " << e.what();
      continue;
    }
    EXPECT_TRUE(game.Finished());
    c.check(game.Summary());
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
}

}  // namespace
}  // namespace tw
