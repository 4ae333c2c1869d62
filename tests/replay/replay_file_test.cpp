// The replay text: what it holds comes back unchanged, hand-written files
// read as documented, and damaged ones are refused with the line named.
#include "replay/replay_file.h"

#include <gtest/gtest.h>

#include "core/error.h"

namespace tw {
namespace {

std::string ErrorOf(const std::string& text) {
  try {
    ParseReplay(text);
  } catch (const GameError& e) {
    return e.what();
  }
  return "(no error)";
}

const std::string kHead = "tarnwick replay 1\nlake Minnow_Pond\n";

TEST(ReplayFile, EverythingWrittenReadsBackTheSame) {
  Replay r;
  ReplayHeader& h = r.Header;
  h.Seed = 4294967295u;
  h.Cash = -20;
  h.PlayerLevel = 255;
  h.LureLevel = 4;
  h.RodLevel = 3;
  h.BoatLevel = 2;
  h.BoatSprite = "boat2";
  h.Options.MouseDrive = true;
  h.Options.SpeedIndex = 1;
  h.Options.SoundOn = false;
  h.Lake = "Red Rock Reservoir";
  h.Carry.ViewX = -64;
  h.Carry.ViewY = 1200;
  h.Carry.MouseX = 639;
  h.Carry.MouseY = 479;
  h.Carry.TurnRightKey = 1;
  h.Carry.Hooked = 1;
  h.Carry.HookedFish = 256;
  h.Carry.Wake[128] = WakeParticle{0.1f, -3.3333333f, 250, 31};
  h.Carry.Splashes[16] = Splash{1e-7f, 12345.678f, 0, 16};
  h.Carry.SplashNext = 16;
  auto ev = [](InputMoment m, ReplayEventKind k, int32_t key, MouseButton b, int32_t x, int32_t y) {
    return ReplayEvent{m, k, key, b, x, y};
  };
  r.Events = {
      ev({0, 0, 3}, ReplayEventKind::KeyDown, 37, MouseButton::Left, 0, 0),
      ev({1, 0, 0}, ReplayEventKind::MouseMove, 0, MouseButton::Left, 639, 0),
      ev({57, 3, 0}, ReplayEventKind::MouseDown, 0, MouseButton::Middle, 10, 479),
      ev({57, 4, 0}, ReplayEventKind::MouseUp, 0, MouseButton::Right, 10, 20),
      ev({57, 0, 300}, ReplayEventKind::KeyUp, 255, MouseButton::Left, 0, 0),
      ev({58, 2, 0}, ReplayEventKind::Pause, 0, MouseButton::Left, 0, 0),
      ev({58, 2, 0}, ReplayEventKind::Resume, 0, MouseButton::Left, 0, 0),
  };
  r.Events[5].Milliseconds = 2147483647;
  const std::string text = FormatReplay(r);
  const Replay back = ParseReplay(text);
  EXPECT_EQ(back.Events, r.Events);
  EXPECT_EQ(FormatReplay(back), text);
  EXPECT_EQ(back.Header.Carry.Wake[128].Y, -3.3333333f);
  EXPECT_EQ(back.Header.Carry.Splashes[16].X, 1e-7f);
  EXPECT_EQ(back.Header.Lake, "Red Rock Reservoir");
}

TEST(ReplayFile, HandWrittenScenarioUsesDefaultsCommentsAndShortPopupMoments) {
  const Replay r = ParseReplay(kHead +
                               "# drive, then answer the sign\n"
                               "\n"
                               "1 key down 38   # throttle\r\n"
                               "40 key up 38\n"
                               "40* key down 65\n");
  EXPECT_EQ(r.Header.Cash, 50);
  EXPECT_EQ(r.Header.PlayerLevel, 2);
  EXPECT_EQ(r.Header.BoatSprite, "boat1");
  ASSERT_EQ(r.Events.size(), 3u);
  // A bare "*" is the first look after a pop-up let the queued input through.
  EXPECT_EQ(r.Events[2].When, (InputMoment{40, 0, 257}));
}

TEST(ReplayFile, MomentsOrderBetweenTicksThenInsideTheFrame) {
  EXPECT_TRUE(MomentBefore({5, 0, 0}, {5, 2, 0}));
  EXPECT_TRUE(MomentBefore({5, 9, 0}, {5, 0, 1}));
  EXPECT_TRUE(MomentBefore({5, 0, 400}, {6, 0, 0}));
  EXPECT_FALSE(MomentBefore({6, 0, 0}, {5, 0, 400}));
  EXPECT_EQ(FormatMoment({12, 0, 0}), "12");
  EXPECT_EQ(FormatMoment({12, 3, 0}), "12+3");
  EXPECT_EQ(FormatMoment({0, 0, 7}), "0*7");
}

TEST(ReplayFile, APauseComesBetweenFramesAndMayLackItsLength) {
  const Replay r = ParseReplay(kHead + "7 pause\n7 resume\n9+2 pause 1500\n9+2 resume\n");
  ASSERT_EQ(r.Events.size(), 4u);
  EXPECT_EQ(r.Events[0].Kind, ReplayEventKind::Pause);
  EXPECT_EQ(r.Events[0].Milliseconds, 0);
  EXPECT_EQ(r.Events[2].Milliseconds, 1500);
  EXPECT_EQ(ErrorOf(kHead + "7*300 pause 5\n"),
            "Replay line 3: the game pauses only between frames, not at '7*300'");
  EXPECT_EQ(ErrorOf(kHead + "7 resume 5\n"), "Replay line 3: unexpected '5'");
  EXPECT_EQ(ErrorOf(kHead + "7 pause -1\n"), "Replay line 3: -1 is outside 0 to 2147483647");
}

TEST(ReplayFile, DamagedFilesAreRefusedWithTheLineNamed) {
  EXPECT_EQ(ErrorOf(""), "This is not a replay file: it must begin with \"tarnwick replay 1\"");
  EXPECT_EQ(ErrorOf("\x89PNG\r\n\x1a\n"),
            "This is not a replay file: it must begin with \"tarnwick replay 1\"");
  EXPECT_EQ(ErrorOf("tarnwick replay 1\nseed 1\n"), "The replay names no lake");
  EXPECT_EQ(ErrorOf(kHead + "lake ../../etc/passwd\n"),
            "Replay line 3: '../../etc/passwd' is not a lake name");
  EXPECT_EQ(ErrorOf(kHead + "seed 4294967296\n"),
            "Replay line 3: 4294967296 is outside 0 to 4294967295");
  EXPECT_EQ(ErrorOf(kHead + "gear 1 5 1\n"), "Replay line 3: 5 is outside 1 to 4");
  EXPECT_EQ(ErrorOf(kHead + "options speed=3\n"), "Replay line 3: 3 is outside 0 to 2");
  EXPECT_EQ(ErrorOf(kHead + "options turbo=1\n"),
            "Replay line 3: 'turbo' is not an option (mouse, speed, flip, sound, ambience)");
  EXPECT_EQ(ErrorOf(kHead + "wake 129 0 0 0 0\n"), "Replay line 3: 129 is outside 0 to 128");
  EXPECT_EQ(ErrorOf(kHead + "colour blue\n"),
            "Replay line 3: 'colour' is not something a replay holds");
  EXPECT_EQ(ErrorOf(kHead + "1 key sideways 38\n"),
            "Replay line 3: a key goes 'down' or 'up', not 'sideways'");
  EXPECT_EQ(ErrorOf(kHead + "1 key down 300\n"), "Replay line 3: 300 is outside 0 to 255");
  EXPECT_EQ(ErrorOf(kHead + "1 move 640 0\n"), "Replay line 3: 640 is outside 0 to 639");
  EXPECT_EQ(ErrorOf(kHead + "1 press thumb 1 1\n"),
            "Replay line 3: 'thumb' is not a mouse button (left, right or middle)");
  EXPECT_EQ(ErrorOf(kHead + "1 move 1\n"), "Replay line 3: something is missing at the end");
  EXPECT_EQ(ErrorOf(kHead + "1 move 1 2 3\n"), "Replay line 3: unexpected '3'");
  EXPECT_EQ(ErrorOf(kHead + "x1 move 1 2\n"),
            "Replay line 3: 'x1' is not something a replay holds");
  EXPECT_EQ(ErrorOf(kHead + "1x move 1 2\n"), "Replay line 3: '1x' is not a number");
  EXPECT_EQ(ErrorOf(kHead + "0 move 1 2\n"),
            "Replay line 3: frame 0 is the set-up: its events need a '*' and a count");
  EXPECT_EQ(ErrorOf(kHead + "0+1 move 1 2\n"),
            "Replay line 3: the strike bar cannot swing before frame 1");
  EXPECT_EQ(ErrorOf(kHead + "9 move 1 2\n8 move 1 2\n"),
            "Replay line 4: moment 8 comes before the line above's 9");
  EXPECT_EQ(ErrorOf(kHead + "9 move 1 2\ncash 5\n"),
            "Replay line 4: 'cash' belongs before the first event");
  EXPECT_EQ(ErrorOf(kHead + "99999999999 move 1 2\n"),
            "Replay line 3: 99999999999 is outside 0 to 2147483647");
}

}  // namespace
}  // namespace tw
