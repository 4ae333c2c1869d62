// The frame loop's modes: the quit prompt, the ending and its countdown, the
// message line, pop-ups, and the way back to the menu.
#include <gtest/gtest.h>

#include "play/boat.h"
#include "play/popup.h"
#include "support/tournament_fixture.h"

namespace tw {
namespace {

using test::TournamentFixture;

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fx.MakeLake(40, 120);
    fx.StartTournament();
    fx.PutBoat(1000, 500);
    fx.Window.MenuVisible = false;
  }
  TournamentFixture fx;
};

TEST_F(FrameTest, EscapeTwiceCancelsThePromptAndEnterAloneDoesNothing) {
  fx.Key(vk::Return);
  fx.Step(1);
  EXPECT_EQ(fx.S().GameOver, 0);
  fx.Key(vk::Escape);
  fx.Step(1);
  EXPECT_EQ(fx.S().Message, "");  // shown for the frame, then cleared
  EXPECT_EQ(fx.S().QuitQuery, 1);
  fx.Key(vk::Escape);
  fx.Key(vk::Return);
  fx.Step(100);
  EXPECT_EQ(fx.S().GameOver, 0);
  EXPECT_TRUE(fx.DXTimer.Enabled());
}

TEST_F(FrameTest, EscapeThenEnterReturnsToTheMenuOnTheSixtiethFrame) {
  fx.Key(vk::Escape);
  fx.Key(vk::Return);
  EXPECT_EQ(fx.S().GameOverCountdown, 60);
  fx.Key(vk::Return);  // a second Enter changes nothing
  EXPECT_EQ(fx.S().GameOverCountdown, 60);
  EXPECT_EQ(fx.Step(59), 59);
  EXPECT_TRUE(fx.DXTimer.Enabled());
  EXPECT_FALSE(fx.Window.MenuVisible);
  EXPECT_EQ(fx.Step(1), 1);
  EXPECT_FALSE(fx.DXTimer.Enabled());
  EXPECT_TRUE(fx.Window.MenuVisible);
  EXPECT_EQ(fx.Window.MenuReturns, 1);
  EXPECT_FALSE(fx.DXDraw.Visible());
  EXPECT_FALSE(fx.DXDraw.CursorHidden());
  EXPECT_TRUE(fx.DXDraw.Initialized());
  EXPECT_FALSE(fx.background.Find("canada.dxg").Sounding());
  EXPECT_EQ(fx.Step(10), 0);  // no further tick
}

TEST_F(FrameTest, GameOverWaitsForTheLureToComeHome) {
  GameState& s = fx.S();
  // A lure far out that is not coming back by itself.
  s.Reeling = 1;
  s.ReelSpeed = 0;
  s.LureX = 1300;
  s.LureY = 600;
  s.LineX[0] = 1000;
  s.LineY[0] = 480;
  s.LinePoints = 1;
  fx.Key(vk::Escape);
  fx.Key(vk::Return);
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(fx.Step(1), 1);
    // "GAME OVER" (9 letters) starts one advance right of 210.
    ASSERT_TRUE(fx.FromPicture("bigfont", 233, 201)) << i;
  }
  EXPECT_LT(s.GameOverCountdown, 0);
  s.Reeling = 0;
  EXPECT_EQ(fx.Step(1), 1);
  EXPECT_FALSE(fx.DXTimer.Enabled());
}

TEST_F(FrameTest, QuitPromptAndGameOverAreSetEveryFrame) {
  GameState& s = fx.S();
  fx.Key(vk::Escape);
  // "PRESS ENTER TO QUIT GAME" starts one advance right of 45, every frame.
  for (int i = 0; i < 5; ++i) {
    fx.Step(1);
    EXPECT_TRUE(fx.FromPicture("bigfont", 68, 201));
    EXPECT_EQ(s.Message, "");
  }
  fx.Key(vk::Escape);
  fx.Step(1);
  EXPECT_FALSE(fx.FromPicture("bigfont", 68, 201));
  fx.Key(vk::Escape);
  // A mouse press or Space ends the prompt; Space also throttles.
  fx.MouseDown(MouseButton::Middle, 10, 10);
  EXPECT_EQ(s.QuitQuery, 0);
  fx.Key(vk::Escape);
  fx.KeyDown(vk::Space);
  EXPECT_EQ(s.QuitQuery, 0);
  EXPECT_EQ(s.Gas, 1);
}

TEST_F(FrameTest, MessageFromTheWaterStaysNinetyFrames) {
  GameState& s = fx.S();
  const MapPick here = PickCell(s.Header, 1000, 500);
  fx.PlaceObject(4, "treasure", here.Column, here.Row, "5");
  fx.Step(1);
  EXPECT_EQ(s.Message, "YOU FOUND $5");
  EXPECT_EQ(s.MessageTimer, 89);
  fx.Step(88);
  EXPECT_EQ(s.Message, "YOU FOUND $5");
  fx.Step(1);
  EXPECT_EQ(s.Message, "");
  EXPECT_EQ(s.MessageTimer, 0);
}

TEST_F(FrameTest, AllFishSpentEndsTheTournament) {
  GameState& s = fx.S();
  s.LastFishIndex = 3;
  s.FishSpent = 4;
  fx.Step(1);
  EXPECT_EQ(s.GameOver, 1);
  EXPECT_EQ(s.GameOverCountdown, 120);  // counted down from the next frame on
}

TEST_F(FrameTest, LostDisplayFreezesTheGame) {
  GameState& s = fx.S();
  fx.KeyDown(vk::Up);
  fx.Platform.Lost = true;
  fx.Platform.RestoreWorks = false;
  const int presents = fx.Platform.PresentCount();
  fx.Step(10);
  EXPECT_EQ(s.BoatX, 1000.0f);
  EXPECT_EQ(fx.Platform.PresentCount(), presents);
  fx.Platform.RestoreWorks = true;
  fx.Step(1);
  EXPECT_GT(s.BoatX, 1000.0f);
}

TEST_F(FrameTest, SignPopupSwallowsQueuedPressesAndWaitsForAFreshOne) {
  GameState& s = fx.S();
  const MapPick here = PickCell(s.Header, 1000, 500);
  fx.PlaceObject(9, "buoy", here.Column, here.Row, "", "No fishing past the dam");
  // Presses made before the sign appears must not close it.
  fx.Queue(Event::KeyDownEvent(65));
  fx.Queue(Event::MouseEvent(EventType::MouseDown, 50, 50, MouseButton::Left));
  fx.Queue(Event::MouseEvent(EventType::MouseUp, 50, 50, MouseButton::Left));
  bool timerStoppedDuringWait = false;
  int escapes = 0;
  fx.Window.OnPump = [&](int) {
    timerStoppedDuringWait |= !fx.DXTimer.Enabled();
    // The fresh press: Esc during a sign only ends the sign.
    if (fx.Window.Pumps == 400 && escapes++ == 0) fx.Queue(Event::KeyDownEvent(vk::Escape));
  };
  fx.Window.Pumps = 0;
  const int presents = fx.Platform.PresentCount();
  fx.Step(1);
  EXPECT_GE(fx.Window.Pumps, 400);
  EXPECT_TRUE(timerStoppedDuringWait);
  EXPECT_TRUE(fx.DXTimer.Enabled());
  EXPECT_EQ(s.QuitQuery, 0);
  EXPECT_EQ(s.MapObjects[9].Active, 0);
  EXPECT_EQ(s.BoatSpeed, 0.0f);
  // The pop-up was shown on the visible surface before the frame's present.
  EXPECT_GE(fx.Platform.PresentCount(), presents + 2);
}

TEST_F(FrameTest, ClosingTheWindowEndsAPopupWait) {
  fx.Queue(Event::Simple(EventType::Close));
  WaitForInput(fx.Ctx);  // returns instead of waiting forever
  EXPECT_TRUE(fx.Window.Closed);
  EXPECT_LT(fx.Window.Pumps, 10);
}

TEST_F(FrameTest, PopupIsCentredAboveTheDashboard) {
  fx.DXDraw.Primary().Fill(0);
  ShowPopup(fx.Ctx, "buoy");  // 200 by 150
  const uint16_t c = fx.ObjectColor("buoy", 0);
  Surface16& p = fx.DXDraw.Primary();
  const int32_t top = (480 - 96 - 150) / 2;
  EXPECT_EQ(p.At(220, top), c);
  EXPECT_EQ(p.At(419, top + 149), c);
  EXPECT_EQ(p.At(219, top), 0);
  EXPECT_EQ(p.At(220, top - 1), 0);
  EXPECT_EQ(fx.Platform.LastFrame().At(220, top), c);
}

TEST_F(FrameTest, TimeExpiredStaysUntilTheMenuReturnsNinetyFramesLater) {
  GameState& s = fx.S();
  s.Timed = 1;
  s.TimeLeft = 3;
  int frames = 0;
  while (!s.GameOver && frames < 10) frames += fx.Step(1);
  ASSERT_EQ(s.GameOver, 1);
  // "TIME EXPIRED" (12 letters) starts one advance right of 177; "GAME OVER"
  // would start at 232.
  int more = 1;
  while (fx.DXTimer.Enabled() && more < 200) {
    EXPECT_TRUE(fx.FromPicture("bigfont", 200, 201));
    more += fx.Step(1);
  }
  EXPECT_EQ(more, 90);
}

}  // namespace
}  // namespace tw
