// The play handlers: what each press and release sets, and when.
#include <gtest/gtest.h>

#include "play/boat.h"
#include "support/tournament_fixture.h"

namespace tw {
namespace {

using test::TournamentFixture;

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fx.MakeLake(40, 120);
    fx.StartTournament();
    fx.PutBoat(1000, 500);
    fx.S().ViewX = 680;
    fx.S().ViewY = 300;
  }
  TournamentFixture fx;
};

TEST_F(InputTest, MouseMoveRecordsScreenAndWorldPositions) {
  fx.MouseMove(15, 25);
  EXPECT_EQ(fx.S().MouseX, 15);
  EXPECT_EQ(fx.S().MouseY, 25);
  EXPECT_EQ(fx.S().MouseWorldX, 695);
  EXPECT_EQ(fx.S().MouseWorldY, 325);
}

TEST_F(InputTest, ThrottleIsOneFlagForMouseAndKeys) {
  GameState& s = fx.S();
  fx.KeyDown(vk::Up);
  fx.MouseDown(MouseButton::Left, 100, 100);
  fx.MouseUp(MouseButton::Left, 100, 100);
  EXPECT_EQ(s.Gas, 0);  // Up is still held, but the flag is gone
  fx.MouseDown(MouseButton::Left, 100, 100);
  fx.KeyUp(vk::Up);
  EXPECT_EQ(s.Gas, 0);
  fx.KeyDown(vk::Space);
  EXPECT_EQ(s.Gas, 1);
  fx.KeyUp(vk::Space);
  EXPECT_EQ(s.Gas, 0);
}

TEST_F(InputTest, LowestPartOfTheDashboardDoesNotDrive) {
  GameState& s = fx.S();
  const int32_t top = 480 - fx.objects.Find("fishdash").FrameHeight();
  fx.MouseDown(MouseButton::Left, 10, top + 29);
  EXPECT_EQ(s.Gas, 1);
  s.Gas = 0;
  fx.MouseDown(MouseButton::Left, 10, top + 30);
  EXPECT_EQ(s.Gas, 0);
  EXPECT_EQ(s.AnyInput, 1);
}

TEST_F(InputTest, RightButtonReversesWhileDrivingElseRequestsACastOverWater) {
  GameState& s = fx.S();
  fx.MouseMove(100, 100);
  fx.MouseDown(MouseButton::Left, 100, 100);
  fx.MouseDown(MouseButton::Right, 100, 100);
  EXPECT_EQ(s.Reverse, 1);
  EXPECT_EQ(s.CastRequest, 0);
  fx.MouseUp(MouseButton::Right, 100, 100);
  fx.MouseUp(MouseButton::Left, 100, 100);
  EXPECT_EQ(s.Reverse, 0);

  fx.MouseDown(MouseButton::Right, 500, 400);  // the press position is not looked at
  EXPECT_EQ(s.CastRequest, 1);
  const MapPick under = PickCell(s.Header, s.MouseWorldX, s.MouseWorldY);
  fx.SetTile(under.Column, under.Row, 32);
  fx.MouseDown(MouseButton::Right, 100, 100);
  EXPECT_EQ(s.CastRequest, 0);              // a press over land cancels a pending request
  fx.SetTile(under.Column, under.Row, 48);  // a sign buoy floats: water
  fx.MouseDown(MouseButton::Right, 100, 100);
  EXPECT_EQ(s.CastRequest, 1);
}

TEST_F(InputTest, ReverseAndTurnKeys) {
  GameState& s = fx.S();
  fx.KeyDown(vk::Down);
  EXPECT_EQ(s.Reverse, 1);
  fx.KeyUp(vk::Back);
  EXPECT_EQ(s.Reverse, 0);
  fx.KeyDown(vk::Back);
  EXPECT_EQ(s.Reverse, 1);
  fx.KeyUp(vk::Down);
  EXPECT_EQ(s.Reverse, 0);
  fx.KeyDown(vk::Left);
  fx.KeyDown(vk::Right);
  EXPECT_EQ(s.TurnLeftKey, 1);
  EXPECT_EQ(s.TurnRightKey, 1);
  fx.KeyUp(vk::Left);
  fx.KeyUp(vk::Right);
  EXPECT_EQ(s.TurnLeftKey + s.TurnRightKey, 0);
}

TEST_F(InputTest, EscapeAndEnterActOnlyWhileATimerRuns) {
  GameState& s = fx.S();
  fx.DXTimer.SetEnabled(false);
  fx.Key(vk::Escape);
  EXPECT_EQ(s.QuitQuery, 0);
  EXPECT_EQ(s.AnyInput, 1);
  fx.DXCastTimer.SetEnabled(true);  // the strike: Esc and Enter still work
  fx.Key(vk::Escape);
  fx.Key(vk::Return);
  EXPECT_EQ(s.GameOver, 1);
  EXPECT_EQ(s.GameOverCountdown, 60);
  // Any button strikes while the strike timer runs, and the left one does
  // not drive then.
  s.StrikePress = 0;
  fx.MouseDown(MouseButton::Middle, 10, 10);
  EXPECT_EQ(s.StrikePress, 1);
  s.StrikePress = 0;
  fx.KeyDown(vk::Space);
  EXPECT_EQ(s.StrikePress, 1);
  EXPECT_EQ(s.Gas, 1);
  s.Gas = 0;
  fx.MouseDown(MouseButton::Left, 10, 10);
  EXPECT_EQ(s.Gas, 0);
  fx.DXCastTimer.SetEnabled(false);
}

TEST_F(InputTest, OtherKeysOnlyCountAsInput) {
  GameState& s = fx.S();
  s.AnyInput = 0;
  fx.KeyDown(65);
  fx.KeyUp(65);
  EXPECT_EQ(s.AnyInput, 1);
  EXPECT_EQ(s.Gas + s.Reverse + s.QuitQuery + s.CastRequest, 0);
}

}  // namespace
}  // namespace tw
