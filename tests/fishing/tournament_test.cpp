// Whole tournaments through the real handlers and timers: a cast, a bite, the
// strike, the landing and the win, back to the menu. On the generated data
// the same run leaves frame pictures in snapshots/ for people to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/files.h"
#include "core/numeric.h"
#include "fishing_fixture.h"
#include "media/png/png_file.h"
#include "play/boat.h"
#include "support/program_folder.h"
#include "world/lake_files.h"

namespace tw {
namespace {

using test::FishingFixture;

constexpr int32_t kNeverDarts = -1000000;

// Runs frames until `done` holds (or the limit is reached); true when it held.
template <class Done>
bool StepUntil(FishingFixture& fx, Done done, int limit = 2000) {
  for (int i = 0; i < limit; ++i) {
    if (done()) return true;
    if (!fx.Step(1)) return done();
  }
  return done();
}

// Casts from the resting boat toward a screen offset, with a fish waiting,
// at rest, on the way back.
void CastOverAFish(FishingFixture& fx, int32_t dx, int32_t dy) {
  GameState& s = fx.S();
  const int32_t sx = Round(s.BoatX) - s.ViewX, sy = Round(s.BoatY) - s.ViewY;
  fx.RestingFish(0, static_cast<float>(Round(s.BoatX) + dx * 3 / 5),
                 static_cast<float>(Round(s.BoatY) + dy * 3 / 5));
  fx.MouseMove(sx + dx, sy + dy);
  fx.MouseDown(MouseButton::Right, sx + dx, sy + dy);
  fx.MouseUp(MouseButton::Right, sx + dx, sy + dy);
}

// The same cast; returns once the fish has bitten.
void CastPastAFish(FishingFixture& fx, int32_t dx, int32_t dy) {
  GameState& s = fx.S();
  CastOverAFish(fx, dx, dy);
  ASSERT_TRUE(StepUntil(fx, [&] { return fx.DXCastTimer.Enabled(); }));
  EXPECT_EQ(s.HookedFish, 0);
  EXPECT_EQ(s.Reeling, 1);
}

TEST(TournamentTest, CastStrikeLandAndWinThroughTheHandlers) {
  FishingFixture fx;
  fx.AnswerPopups();  // the catch and the loss are shown and answered
  fx.MakeLake(40, 120);
  GameState& s = fx.S();
  s.Limit = 1;
  s.WinIf = 1;
  s.PrizeMoney = 500;
  s.LakeLevel = 3;
  s.PlayerLevel = 2;
  s.Cash = 50;
  s.Biggest = 24;
  s.Difficulty = kNeverDarts;
  fx.StartTournament();
  fx.PutBoat(1000, 800);
  s.BoatSpeed = 0;
  fx.Step(3);
  fx.Window.MenuVisible = false;
  s.PowerFrame = 9;  // the bar starts where the last strike left it
  s.PowerStep = 1;

  CastPastAFish(fx, 250, 0);
  EXPECT_FALSE(fx.DXTimer.Enabled());
  // The frame stays frozen while the bar swings.
  const float lureX = s.LureX;
  fx.MouseDown(MouseButton::Left, 100, 100);
  fx.Tick();
  EXPECT_EQ(s.Hooked, 1);
  EXPECT_EQ(s.PowerFrame, 10);
  EXPECT_EQ(s.LureX, lureX);
  EXPECT_TRUE(fx.DXTimer.Enabled());

  ASSERT_TRUE(StepUntil(fx, [&] { return s.FishCaught == 1; }));
  EXPECT_EQ(fx.Window.PopupsAnswered, 1);
  EXPECT_EQ(s.FishSpent, 1);
  EXPECT_EQ(s.Reeling, 0);
  EXPECT_EQ(s.Hooked, 0);
  EXPECT_GE(s.CatchPounds, 1);
  EXPECT_EQ(s.Message, "YOU WIN $500 FOR 1ST PLACE");
  EXPECT_EQ(s.Cash, 550);
  EXPECT_EQ(s.PlayerLevel, 3);
  EXPECT_EQ(s.GameOverCountdown, 120);

  // The menu returns 120 frames later, and the prize was paid once.
  const int frames = fx.Step(500);
  EXPECT_EQ(frames, 120);
  EXPECT_EQ(s.Cash, 550);
  EXPECT_TRUE(fx.Window.MenuVisible);
  EXPECT_EQ(fx.Window.MenuReturns, 1);
}

TEST(TournamentTest, LostFishCountsAsSpentAndEndsAOneFishLake) {
  FishingFixture fx;
  fx.AnswerPopups();  // the catch and the loss are shown and answered
  fx.MakeLake(40, 120);
  GameState& s = fx.S();
  s.Difficulty = kNeverDarts;
  fx.StartTournament();
  fx.PutBoat(1000, 800);
  s.BoatSpeed = 0;
  fx.Step(3);
  s.PowerFrame = 2;
  s.PowerStep = 1;
  CastPastAFish(fx, 0, 120);
  fx.Key(vk::Space);
  fx.Tick();
  ASSERT_EQ(s.Hooked, 1);
  ASSERT_TRUE(StepUntil(fx, [&] { return s.FishSpent == 1; }));
  EXPECT_EQ(s.FishCaught, 0);
  EXPECT_TRUE(fx.Sounding("splash"));
  fx.Step(1);
  EXPECT_EQ(s.GameOver, 1);  // the only fish is spent
}

// ---- frame pictures on the generated data ----

void Snap(const Surface16& frame, const std::string& name) {
  const std::filesystem::path dir = std::filesystem::current_path() / "snapshots";
  std::filesystem::create_directories(dir);
  const std::string path = JoinPath(dir.string(), "fishing-" + name + ".png");
  EXPECT_NO_THROW(WritePng(path, frame)) << path;
}

TEST(TournamentSnapshotTest, CastStrikeCatchAndVerdictOnAGeneratedLake) {
  const std::string bin = test::GeneratedProgramFolder();
  if (bin.empty()) GTEST_SKIP() << "the generated data are not in the program folder";
  FishingFixture fx;
  fx.AnswerPopups();
  fx.sounds.LoadFromFile(JoinPath(bin, "sound.dxw"));
  fx.background.LoadFromFile(JoinPath(bin, "music.dxw"));
  fx.Ctx.DataFolder = bin;
  const std::vector<std::string> lakes = ReadLakeCatalogue(bin, 1);
  ASSERT_FALSE(lakes.empty());
  const LakeDefinition d = ReadLakeDefinition(LakePath(bin, lakes[0], ".ini"));
  GameState& s = fx.S();
  s.LastFishIndex = d.MaxFish - 1;
  s.LastMonsterIndex = d.Maxmonster - 1;
  s.MonsterKind = d.MonsterKind;
  s.Biggest = d.Biggest;
  s.Difficulty = d.Difficulty;
  s.ImageLib = d.ImageLib;
  s.EntryFee = d.EntryFee;
  s.PrizeMoney = 250;
  s.Limit = 1;
  s.WinIf = 1;
  s.LakeLevel = d.Level;
  s.Cash = 1000;
  fx.Ctx.LakeName = lakes[0];
  ASSERT_TRUE(goClick(fx.T));
  fx.Window.MenuVisible = false;

  // Only our fish, and no monster in the way.
  s.LastFishIndex = 0;
  s.LastMonsterIndex = -1;
  s.Difficulty = kNeverDarts;
  s.BoatSpeed = 0;
  fx.Step(3);
  // Open water some way from the boat, with the fish's spot on water too.
  int32_t dx = 0, dy = 0;
  for (int32_t a = 0; a < 256 && dx == 0 && dy == 0; a += 8) {
    const int32_t tx = Round(Cos256(a) * 200), ty = Round(Sin256(a) * 100);
    const int32_t bx = Round(s.BoatX), by = Round(s.BoatY);
    if (IsWaterAt(s, bx + tx, by + ty) && IsWaterAt(s, bx + tx * 3 / 5, by + ty * 3 / 5) &&
        Round(s.BoatX) - s.ViewX + tx > 20 && Round(s.BoatX) - s.ViewX + tx < 620 &&
        Round(s.BoatY) - s.ViewY + ty > 20 && Round(s.BoatY) - s.ViewY + ty < 380) {
      dx = tx;
      dy = ty;
    }
  }
  ASSERT_TRUE(dx != 0 || dy != 0) << "no open water near the start";
  s.PowerFrame = 9;
  s.PowerStep = 1;
  CastOverAFish(fx, dx, dy);
  ASSERT_TRUE(StepUntil(fx, [&] { return s.LinePoints >= 12 || s.Reeling; }));
  Snap(fx.Platform.LastFrame(), "cast-in-flight");

  ASSERT_TRUE(StepUntil(fx, [&] { return fx.DXCastTimer.Enabled(); }));
  fx.Step(3);
  Snap(fx.Platform.LastFrame(), "strike-bar");
  s.PowerFrame = 9;
  s.PowerStep = 1;
  bool snapped = false;
  fx.Window.OnPump = [&](int) {
    if (!snapped && s.FishSpent == 1) {
      snapped = true;
      Snap(fx.Platform.LastFrame(), "caught");
    }
  };
  fx.MouseDown(MouseButton::Left, 100, 100);
  fx.Tick();
  ASSERT_TRUE(StepUntil(fx, [&] { return s.FishCaught == 1; }));
  EXPECT_TRUE(snapped);
  fx.Step(5);
  Snap(fx.Platform.LastFrame(), "verdict");
  EXPECT_EQ(s.Message.rfind("YOU ", 0), 0u) << s.Message;
}

}  // namespace
}  // namespace tw
