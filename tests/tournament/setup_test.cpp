// Starting a tournament from files: the fee, the loading box, the map and
// its objects, the boat's start, the refusals that cost nothing, and the
// switch to the play surface.
#include "tournament/setup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/numeric.h"
#include "support/tournament_fixture.h"
#include "world/iso_math.h"

namespace tw {
namespace {

using test::TournamentFixture;

class SetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fx.DXDraw.Finalize();  // the menu: surface up, no timer
    fx.DXDraw.Initialize();
    fx.MakeLake(30, 60);
    fx.S().EntryFee = 20;
    fx.S().Cash = 50;
    fx.S().LastFishIndex = 5;
    fx.S().LastMonsterIndex = 2;
    fx.S().TimeLimit = 900;
  }
  TournamentFixture fx;
};

TEST_F(SetupTest, FeeIsTakenAndThePlaySurfaceTakesOver) {
  fx.S().Cash = 20;
  fx.S().Message = "old";
  fx.S().BoatHeading = 77;
  fx.Ctx.Options.SpeedIndex = 1;
  fx.WriteProgramFolder();
  ASSERT_TRUE(goClick(fx.T));
  GameState& s = fx.S();
  EXPECT_EQ(s.Cash, 0);
  EXPECT_EQ(fx.Window.CashChanges, 1);
  EXPECT_EQ(fx.Window.LoadingSteps, 5);
  EXPECT_FALSE(fx.Window.LoadingBoxVisible);
  EXPECT_FALSE(fx.Window.MenuVisible);
  EXPECT_TRUE(fx.DXTimer.Enabled());
  EXPECT_EQ(fx.DXTimer.Interval(), 15u);
  EXPECT_TRUE(fx.DXDraw.Visible());
  EXPECT_TRUE(fx.DXDraw.CursorHidden());
  EXPECT_TRUE(fx.background.Find("canada.dxg").Sounding());
  EXPECT_EQ(s.BoatX, 300.0f);
  EXPECT_EQ(s.MouseWorldX, 300);
  EXPECT_EQ(s.BoatHeading, 0);
  EXPECT_EQ(s.TimeLeft, 900);
  EXPECT_EQ(s.Message, "");
  EXPECT_FALSE(fx.Ctx.SettingUp);
  // A second set-up tells its steps afresh.
  fx.S().Cash = 20;
  fx.DXTimer.SetEnabled(false);
  ASSERT_TRUE(goClick(fx.T));
  EXPECT_EQ(fx.Window.LoadingSteps, 10);
}

TEST_F(SetupTest, NotEnoughMoneyTellsThePlayerAndChangesNothing) {
  fx.S().Cash = 19;
  fx.WriteProgramFolder();
  EXPECT_FALSE(goClick(fx.T));
  ASSERT_EQ(fx.Window.Notices.size(), 1u);
  EXPECT_EQ(fx.Window.Notices[0], "You don't have enough money to enter!");
  EXPECT_EQ(fx.S().Cash, 19);
  EXPECT_FALSE(fx.Window.LoadingBoxVisible);
  EXPECT_FALSE(fx.DXTimer.Enabled());
}

TEST_F(SetupTest, OneCellLakeStarts) {
  fx.MakeLake(0, 0, 1);
  fx.S().LastFishIndex = 0;
  fx.S().LastMonsterIndex = -1;
  const std::string dir = fx.WriteProgramFolder();
  EXPECT_EQ(std::filesystem::file_size(dir + "/lakes/testlake.iso"), 40u + 4u + 22035u);
  fx.S().Header = MapHeader{};
  ASSERT_TRUE(goClick(fx.T));
  EXPECT_EQ(fx.S().MapMaxCol(), 0);
  EXPECT_EQ(fx.S().TileWidth(), 64);
  EXPECT_EQ(fx.Step(3), 3);
}

TEST_F(SetupTest, LastLevelStartWinsWhateverItsLettersAndActiveByte) {
  fx.PlaceObject(3, "levelstart", 4, 8, "", "", 0);
  fx.PlaceObject(10, "  LevelStart ", 7, 11, "", "", 0);
  fx.PlaceObject(20, "levelstartx", 1, 1);
  fx.WriteProgramFolder();
  ASSERT_TRUE(goClick(fx.T));
  EXPECT_EQ(fx.S().MapObjects[10].Kind, "levelstart");
  EXPECT_EQ(fx.S().BoatX, 7.0f * 64);
  EXPECT_EQ(fx.S().BoatY, 11.0f * 16);
  EXPECT_EQ(fx.S().MouseWorldX, 448);
  EXPECT_EQ(fx.S().MouseWorldY, 176);
}

TEST_F(SetupTest, MissingMapRefundsTheFeeAndLeavesTheMenuUp) {
  fx.WriteProgramFolder();
  std::filesystem::remove(fx.Ctx.DataFolder + "/lakes/testlake.iso");
  try {
    goClick(fx.T);
    FAIL() << "expected an error";
  } catch (const GameError& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot open file"), std::string::npos);
  }
  EXPECT_EQ(fx.S().Cash, 50);
  EXPECT_EQ(fx.Window.CashChanges, 2);  // taken and given back
  EXPECT_FALSE(fx.Window.LoadingBoxVisible);
  EXPECT_TRUE(fx.Window.MenuVisible);
  EXPECT_FALSE(fx.DXTimer.Enabled());
  EXPECT_FALSE(fx.Ctx.SettingUp);
}

TEST_F(SetupTest, DamagedLibraryAndMapAreRefusedTheSameWay) {
  fx.WriteProgramFolder();
  TournamentFixture::WriteFile(fx.Ctx.DataFolder + "/canada.dxg", {1, 2, 3});
  EXPECT_THROW(goClick(fx.T), GameError);
  EXPECT_EQ(fx.S().Cash, 50);

  fx.WriteProgramFolder();
  const auto map = EncodeMapFile(fx.S().Header, *fx.S().Map, fx.S().MapObjects);
  const std::vector<uint8_t> cut(map.begin(), map.begin() + static_cast<ptrdiff_t>(map.size() / 2));
  TournamentFixture::WriteFile(fx.Ctx.DataFolder + "/lakes/testlake.iso", cut);
  EXPECT_THROW(goClick(fx.T), GameError);
  EXPECT_EQ(fx.S().Cash, 50);
  EXPECT_FALSE(fx.Window.LoadingBoxVisible);
}

TEST_F(SetupTest, PlaySurfaceThatCannotStartGivesTheMenuBack) {
  fx.WriteProgramFolder();
  fx.Platform.Modes.clear();  // no display mode can be set
  fx.Platform.RefusedModes.push_back({640, 480, 16});
  EXPECT_THROW(goClick(fx.T), GameError);
  EXPECT_EQ(fx.S().Cash, 50);
  EXPECT_TRUE(fx.Window.MenuVisible);
  EXPECT_FALSE(fx.DXDraw.Visible());
  EXPECT_FALSE(fx.DXTimer.Enabled());
}

TEST_F(SetupTest, FishSlotOutsideTheTablesIsRefusedBeforeAnythingIsPlaced) {
  fx.PlaceObject(2, "singlefish", 3, 3, "257");
  fx.WriteProgramFolder();
  try {
    goClick(fx.T);
    FAIL() << "expected an error";
  } catch (const GameError& e) {
    EXPECT_NE(std::string(e.what()).find("slot 257"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("testlake.iso"), std::string::npos) << e.what();
  }
  EXPECT_EQ(fx.S().Cash, 50);
  fx.PlaceObject(2, "monster", 3, 3, "x1");
  fx.WriteProgramFolder();
  EXPECT_THROW(
      {
        try {
          goClick(fx.T);
        } catch (const GameError& e) {
          EXPECT_STREQ(e.what(), ("Map file " + fx.Ctx.DataFolder +
                                  "/lakes/testlake.iso, object 2 (monster): 'x1' is not a valid "
                                  "integer value")
                                     .c_str());
          throw;
        }
      },
      GameError);
  fx.PlaceObject(2, "monster", 3, 3, "-1");
  fx.WriteProgramFolder();
  EXPECT_THROW(goClick(fx.T), GameError);
  EXPECT_EQ(fx.S().Cash, 50);
}

TEST_F(SetupTest, SecondPressWhileLoadingIsIgnored) {
  fx.WriteProgramFolder();
  int nested = 0;
  fx.Window.OnPump = [&](int) {
    if (nested++ == 3) {
      EXPECT_FALSE(goClick(fx.T));
    }
  };
  ASSERT_TRUE(goClick(fx.T));
  EXPECT_GT(nested, 3);
  EXPECT_EQ(fx.S().Cash, 30);  // one fee
}

TEST_F(SetupTest, ClosingTheWindowDuringLoadingCostsNothing) {
  fx.WriteProgramFolder();
  fx.Window.OnPump = [&](int pump) {
    if (pump == 5) fx.Queue(Event::Simple(EventType::Close));
  };
  EXPECT_FALSE(goClick(fx.T));
  EXPECT_EQ(fx.S().Cash, 50);
  EXPECT_FALSE(fx.DXTimer.Enabled());
}

TEST(FrameIntervalTest, GameSpeedChoices) {
  EXPECT_EQ(FrameIntervalFor(0), 33);
  EXPECT_EQ(FrameIntervalFor(1), 15);
  EXPECT_EQ(FrameIntervalFor(2), 0);
  EXPECT_EQ(FrameIntervalFor(-1), -1);
  EXPECT_EQ(FrameIntervalFor(3), -1);
}

TEST_F(SetupTest, FishAreScatteredOnWaterAndMonstersKeepAwayFromTheStart) {
  // Land everywhere but a band of water: candidates below the map pick the
  // top-left cell, which is land here, so they are drawn again.
  fx.MakeLake(30, 60, 20);
  fx.FillCells(5, 10, 25, 50, 1);
  fx.PlaceObject(0, "levelstart", 15, 30);
  fx.S().LastFishIndex = 40;
  fx.S().LastMonsterIndex = 20;
  fx.WriteProgramFolder();
  ASSERT_TRUE(goClick(fx.T));
  const GameState& s = fx.S();
  for (int32_t k = 0; k <= s.LastFishIndex; ++k) {
    const MapPick p = PickCell(s.Header, Round(s.Fish[k].X), Round(s.Fish[k].Y));
    EXPECT_LT(s.Cell(p.Column, p.Row).Tile, 4) << k;
  }
  for (int32_t k = 0; k <= s.LastMonsterIndex; ++k)
    EXPECT_GT(
        IsoDistance(Round(s.Monsters[k].X), Round(s.Monsters[k].Y), Round(s.BoatX), Round(s.BoatY)),
        100)
        << k;
}

TEST_F(SetupTest, LakeWithoutOpenWaterIsRefusedNotHung) {
  fx.MakeLake(10, 10, 20);
  fx.WriteProgramFolder();
  EXPECT_THROW(goClick(fx.T), GameError);
  EXPECT_EQ(fx.S().Cash, 50);
  EXPECT_FALSE(fx.Window.LoadingBoxVisible);
}

}  // namespace
}  // namespace tw
