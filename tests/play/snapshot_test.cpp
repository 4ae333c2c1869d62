// Scripted tournaments on the generated lakes: frame pictures for people to
// look at (written to snapshots/ beside the tests), and the frame rate of
// the headless game on the largest lake. Skipped when the generated data
// are not in the program folder.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/files.h"
#include "core/numeric.h"
#include "media/png/png_file.h"
#include "play/boat.h"
#include "play/lake_rules.h"
#include "support/program_folder.h"
#include "support/tournament_fixture.h"
#include "world/lake_files.h"

namespace tw {
namespace {

namespace fs = std::filesystem;
using test::TournamentFixture;

std::string SnapshotFolder() {
  const fs::path dir = fs::current_path() / "snapshots";
  fs::create_directories(dir);
  return dir.string();
}

void Snap(const Surface16& frame, const std::string& name) {
  const std::string path = JoinPath(SnapshotFolder(), "play-" + name + ".png");
  EXPECT_NO_THROW(WritePng(path, frame)) << path;
}

// The generated data behind a fixture, and a lake read the way the lake list
// reads it.
class GeneratedLakeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bin = test::GeneratedProgramFolder();
    if (bin.empty()) GTEST_SKIP() << "the generated data are not in the program folder";
    fx.sounds.LoadFromFile(JoinPath(bin, "sound.dxw"));
    fx.background.LoadFromFile(JoinPath(bin, "music.dxw"));
    fx.Ctx.DataFolder = bin;
  }

  void ReadLake(const std::string& lake) {
    const LakeDefinition d = ReadLakeDefinition(LakePath(bin, lake, ".ini"));
    ApplyLakeDefinition(fx.S(), d);
    fx.S().Cash = 100000;
    fx.Ctx.LakeName = lake;
  }

  void StartLake(const std::string& lake) {
    ReadLake(lake);
    ASSERT_TRUE(goClick(fx.T));
  }

  // Puts the boat, at rest, in the middle of a map cell.
  void BoatToCell(int32_t col, int32_t row) {
    GameState& s = fx.S();
    fx.PutBoat(TournamentFixture::CellCentreX(s, col, row), TournamentFixture::CellCentreY(s, row));
    s.BoatSpeed = 0;
    s.Gas = 0;
  }

  // The first lake of the catalogue with an object of this kind.
  std::string LakeWith(const std::string& kind, MapObject* found) {
    for (const std::string& lake : ReadLakeCatalogue(bin, 255)) {
      MapHeader h;
      std::array<MapObject, kMapObjectCount> objects;
      ReadMapFile(LakePath(bin, lake, ".iso"), h, *fx.S().Map, objects);
      for (const MapObject& o : objects)
        if (o.Kind == kind) {
          *found = o;
          return lake;
        }
    }
    return "";
  }

  std::string bin;
  TournamentFixture fx;
};

TEST_F(GeneratedLakeTest, DrivingAlongTheShoreThenQuitting) {
  const std::vector<std::string> lakes = ReadLakeCatalogue(bin, 2);
  ASSERT_FALSE(lakes.empty());
  StartLake(lakes[0]);
  GameState& s = fx.S();
  const float startX = s.BoatX, startY = s.BoatY;
  fx.MouseMove(500, 150);
  fx.KeyDown(vk::Up);
  fx.Step(40);
  Snap(fx.Platform.LastFrame(), "drive-1");
  fx.KeyDown(vk::Left);
  fx.Step(25);
  fx.KeyUp(vk::Left);
  fx.Step(60);
  Snap(fx.Platform.LastFrame(), "drive-2");
  EXPECT_NE(std::make_pair(s.BoatX, s.BoatY), std::make_pair(startX, startY));
  const MapPick p = PickCell(s.Header, Round(s.BoatX), Round(s.BoatY));
  EXPECT_TRUE(IsWaterTile(s.Cell(p.Column, p.Row).Tile));

  fx.KeyUp(vk::Up);
  fx.Key(vk::Escape);
  fx.Step(1);
  Snap(fx.Platform.LastFrame(), "quit-prompt");
  fx.Key(vk::Return);
  fx.Step(59);
  Snap(fx.Platform.LastFrame(), "game-over");
  EXPECT_EQ(fx.Step(1), 1);
  EXPECT_TRUE(fx.Window.MenuVisible);
  EXPECT_FALSE(fx.DXTimer.Enabled());
  EXPECT_FALSE(fx.DXDraw.Visible());
}

TEST_F(GeneratedLakeTest, SignPopupShowsItsText) {
  fx.AnswerPopups();
  MapObject sign;
  const std::string lake = LakeWith("buoy", &sign);
  ASSERT_FALSE(lake.empty());
  StartLake(lake);
  fx.Step(1);
  BoatToCell(sign.X, sign.Y);
  bool captured = false;
  fx.Window.OnPump = [&](int) {
    if (!captured && !fx.DXTimer.Enabled()) {
      Snap(fx.Platform.LastFrame(), "sign");
      captured = true;
    }
  };
  fx.Step(1);
  EXPECT_TRUE(captured);
  EXPECT_EQ(fx.Window.PopupsAnswered, 1);
  fx.Step(1);
  Snap(fx.Platform.LastFrame(), "after-sign");
}

TEST_F(GeneratedLakeTest, TreasureMessage) {
  MapObject chest;
  const std::string lake = LakeWith("treasure", &chest);
  if (lake.empty()) GTEST_SKIP() << "no lake has a treasure chest";
  StartLake(lake);
  fx.Step(1);
  const int32_t cash = fx.S().Cash;
  BoatToCell(chest.X, chest.Y);
  fx.Step(1);
  EXPECT_EQ(fx.S().Cash, cash + ParseWholeNumber(chest.Param).value_or(0));
  fx.Step(20);
  Snap(fx.Platform.LastFrame(), "treasure");
}

TEST_F(GeneratedLakeTest, FramesPerSecondOnTheLargestLake) {
  std::string largest;
  uintmax_t size = 0;
  for (const std::string& lake : ReadLakeCatalogue(bin, 255)) {
    const uintmax_t n = fs::file_size(LakePath(bin, lake, ".iso"));
    if (n > size) size = n, largest = lake;
  }
  StartLake(largest);
  fx.KeyDown(vk::Up);
  fx.KeyDown(vk::Left);
  constexpr int kFrames = 600;
  const auto t0 = std::chrono::steady_clock::now();
  const int ran = fx.Step(kFrames);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  ASSERT_EQ(ran, kFrames);
  const double fps = kFrames / seconds;
  std::printf("%s (%d x %d cells): %.0f frames per second headless\n", largest.c_str(),
              fx.S().MapMaxCol() + 1, fx.S().MapMaxRow() + 1, fps);
  RecordProperty("frames_per_second", static_cast<int>(fps));
  EXPECT_GT(fps, 30.0);
}

}  // namespace
}  // namespace tw
