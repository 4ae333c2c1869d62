// A player's first hour, through the application loop with platform events:
// the help page a new player meets once, the keys of the window (F1, P, M),
// a paused tournament whose clock stands still and whose replay stays
// exact, the window remembered, and a kept replay watched in the window.
#include <algorithm>
#include <cstring>

#include "app/front_fixture.h"
#include "app/window_state.h"
#include "fishing/fishing.h"
#include "media/png/png_file.h"
#include "replay/replay_file.h"
#include "replay/session.h"

namespace tw::test {
namespace {

class FirstHourTest : public FrontTest {
 protected:
  // Events as the platform delivers them, then one pass of the loop.
  void Send(const Event& e) {
    platform_.Push(e);
    F().RunOnce();
  }
  void Press(uint16_t key) {
    Send(Event::KeyDownEvent(key));
    Send(Event::KeyUpEvent(key));
  }
  void ClickAtPoint(int32_t x, int32_t y) {
    Send(Event::MouseEvent(EventType::MouseMove, x, y));
    Send(Event::MouseEvent(EventType::MouseDown, x, y));
    Send(Event::MouseEvent(EventType::MouseUp, x, y));
  }
  void ClickControl(const Control& c) {
    const Rect r = c.FrameBounds();
    ClickAtPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  // Passes of the loop; with the manual clock each waits out the timer.
  void Loop(int passes) {
    for (int i = 0; i < passes && !app_.Terminated(); ++i) F().RunOnce();
  }
  // The generated lakes' second entry, Cedar_Lake: four minutes on the clock.
  bool ToCedarLake() {
    folder_ = GeneratedProgramFolder();
    if (folder_.empty()) return false;
    Start(folder_);
    ClickControl(*F().title);
    ClickControl(*F().go);
    F().lakes->SetItemIndex(1);
    F().lakesClick();
    return F().SelectedLake() == "Cedar_Lake";
  }
  void Shot(const std::string& name, const Surface16& frame) {
    const fs::path out = fs::path(folder_).parent_path() / "snapshots";
    fs::create_directories(out);
    WritePng((out / (name + ".png")).string(), frame);
  }
  static bool SamePixels(const Surface16& a, const Surface16& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int32_t y = 0; y < a.Height(); ++y)
      if (std::memcmp(a.Row(y), b.Row(y), static_cast<size_t>(a.Width()) * 2) != 0) return false;
    return true;
  }
  std::string folder_;
};

TEST_F(FirstHourTest, ANewPlayerMeetsTheControlsOnceAndTheWindowKeysWork) {
  StartAsNewPlayer();
  EXPECT_TRUE(F().FirstStart());
  EXPECT_TRUE(fs::exists(dir_ / "window.ini")) << "written at the first showing";
  EXPECT_FALSE(fs::exists(dir_ / "tarnwick.ini")) << "only Save Options writes the settings";
  ClickControl(*F().title);
  ASSERT_TRUE(F().Help().IsOpen()) << "the help page follows the title once";
  EXPECT_EQ(&Scr().TopLayer(), &F().Help());
  ClickControl(*F().option);
  EXPECT_FALSE(F().options->Visible()) << "the page holds the menu while it is up";
  Press(27);
  EXPECT_FALSE(F().Help().IsOpen());
  ClickControl(*F().option);
  EXPECT_TRUE(F().options->Visible());

  // F1 anywhere in the menu, Enter closes; its close box too.
  Press(112);
  ASSERT_TRUE(F().Help().IsOpen());
  Press(13);
  EXPECT_FALSE(F().Help().IsOpen());
  Press(112);
  const Rect page = F().Help().FrameBounds();
  ClickAtPoint(page.Right - Form::kCaptionHeight / 2 - 2, page.Top + Form::kCaptionHeight / 2);
  EXPECT_FALSE(F().Help().IsOpen());

  // M: all sound off, said on the status line for a moment.
  Press('M');
  EXPECT_TRUE(F().Muted());
  EXPECT_EQ(F().status->Caption, "Sound off    M turns it on");
  Loop(40);  // two seconds of the idle loop
  EXPECT_EQ(F().status->Caption, "Player    Cash: $50");
  Send(Event::KeyDownEvent('M'));
  Send(Event::KeyDownEvent('M'));  // the keyboard repeating a held key
  Send(Event::KeyUpEvent('M'));
  EXPECT_FALSE(F().Muted()) << "one press, one toggle";
  // In the name box M is a letter.
  ClickControl(*F().player);
  ClickControl(*F().playername);
  Send(Event::KeyDownEvent('M'));
  Event text;
  text.Type = EventType::Text;
  text.Text[0] = 'm';
  Send(text);
  Send(Event::KeyUpEvent('M'));
  EXPECT_FALSE(F().Muted());
  EXPECT_EQ(F().playername->Text(), "Playerm");

  // The next start is no first one: no page after the title.
  form_.reset();
  newPlayer_ = false;
  Start();
  EXPECT_FALSE(F().FirstStart());
  ClickControl(*F().title);
  EXPECT_FALSE(F().Help().IsOpen());
}

TEST_F(FirstHourTest, PauseStopsTheClockAndTheKeptReplayPlaysTheSame) {
  if (!ToCedarLake()) GTEST_SKIP() << "no generated program folder";
  ClickControl(*F().showgo);
  ASSERT_TRUE(F().DXDraw.Visible());
  EXPECT_EQ(F().DXTimer.Interval(), 33u) << "thirty frames a second unless chosen otherwise";
  const uint32_t t0 = platform_.Milliseconds();
  Loop(30);
  EXPECT_EQ(F().Recorder().Frames(), 30);
  EXPECT_NEAR(platform_.Milliseconds() - t0, 30 * 33, 33) << "one frame per interval";

  Press('P');
  ASSERT_TRUE(F().Paused());
  EXPECT_FALSE(F().DXTimer.Enabled());
  EXPECT_TRUE(F().DXSound.GroupHeld(kEffectsGroup)) << "the engine and reel hold";
  EXPECT_FALSE(F().DXSound.GroupHeld(kMusicGroup));
  EXPECT_FALSE(SamePixels(platform_.LastFrame(), F().DXDraw.Primary())) << "PAUSED is shown";
  Shot("play_paused", platform_.LastFrame());
  const int32_t clock = S().TimeLeft;
  const uint32_t pausedAt = platform_.Milliseconds();
  Loop(60);  // three seconds
  EXPECT_GE(platform_.Milliseconds() - pausedAt, 3000u);
  EXPECT_EQ(S().TimeLeft, clock);
  EXPECT_EQ(F().Recorder().Frames(), 30);

  // A click goes on; the paused game took it without throttling.
  Send(Event::MouseEvent(EventType::MouseDown, 300, 150));
  EXPECT_FALSE(F().Paused());
  EXPECT_EQ(S().Gas, 0);
  Send(Event::MouseEvent(EventType::MouseUp, 300, 150));
  EXPECT_GT(app_.Timers().MillisecondsUntilDue(), 0u) << "no burst of frames after the pause";
  Loop(10);
  EXPECT_EQ(F().Recorder().Frames(), 40);
  EXPECT_EQ(S().TimeLeft, clock - 10);

  // F1 pauses under the help page; Esc closes it and play goes on.
  Press(112);
  ASSERT_TRUE(F().Help().IsOpen());
  EXPECT_TRUE(F().Paused());
  Shot("play_help", platform_.LastFrame());
  Press(27);
  EXPECT_FALSE(F().Help().IsOpen());
  EXPECT_FALSE(F().Paused());
  EXPECT_EQ(S().QuitQuery, 0) << "the Esc that closed the page is no quit prompt";

  // Switching away shows the same picture and stands still.
  Loop(5);
  Send(Event::Simple(EventType::FocusLost));
  EXPECT_FALSE(SamePixels(platform_.LastFrame(), F().DXDraw.Primary()));
  EXPECT_TRUE(F().DXSound.GroupHeld(kEffectsGroup));
  Loop(10);
  EXPECT_EQ(F().Recorder().Frames(), 45);
  Send(Event::Simple(EventType::FocusGained));
  EXPECT_FALSE(F().DXSound.GroupHeld(kEffectsGroup));

  Press(27);
  Press(13);
  Loop(200);
  ASSERT_FALSE(F().DXDraw.Visible()) << "back at the menu";

  // The recording has the pause with its length and plays to the same end.
  const Replay kept = F().Recorder().Current();
  int pauses = 0;
  for (const ReplayEvent& e : kept.Events) {
    if (e.Kind != ReplayEventKind::Pause) continue;
    if (++pauses == 1) {
      EXPECT_NEAR(e.Milliseconds, 3000, 100);
    }
  }
  EXPECT_EQ(pauses, 2) << "P and the help page";
  const Replay again = ParseReplay(FormatReplay(kept));
  HeadlessTournament game(folder_);
  ReplaySource source(again);
  std::vector<int32_t> clockAtPauses;
  game.AfterPauseChange = [&] { clockAtPauses.push_back(game.State().TimeLeft); };
  game.Start(again.Header, source);
  game.Run(100000);
  EXPECT_EQ(game.Summary().Frames, F().Recorder().Frames());
  EXPECT_EQ(game.State().BoatX, S().BoatX);
  EXPECT_EQ(game.State().TimeLeft, S().TimeLeft);
  ASSERT_EQ(clockAtPauses.size(), 4u);
  EXPECT_EQ(clockAtPauses[0], clockAtPauses[1]) << "the clock stands still while paused";
}

TEST_F(FirstHourTest, APauseAskedForDuringTheStrikeWaitsForTheNextFrame) {
  if (!ToCedarLake()) GTEST_SKIP() << "no generated program folder";
  ClickControl(*F().showgo);
  Loop(3);
  BeginStrike(F().Context(), 0);
  ASSERT_TRUE(F().DXCastTimer.Enabled());
  Press('P');
  EXPECT_FALSE(F().Paused()) << "the bar swings on";
  Loop(3);
  Press(32);  // strike
  for (int i = 0; i < 10 && !F().Paused(); ++i) F().RunOnce();
  EXPECT_TRUE(F().Paused()) << "paused where the next frame would have been";
  EXPECT_FALSE(F().DXCastTimer.Enabled());
  const std::vector<ReplayEvent>& events = F().Recorder().Current().Events;
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().Kind, ReplayEventKind::Pause);
  EXPECT_EQ(events.back().When.Pump, 0) << "between frames, not inside one";
}

TEST_F(FirstHourTest, TheWindowIsRememberedWheneverItChanges) {
  Start();
  platform_.Window = WindowPlacement{false, true, 120, 80, 1280, 960};
  Send(Event::Simple(EventType::WindowChanged));
  std::optional<WindowPlacement> kept = LoadWindowState((dir_ / "window.ini").string());
  ASSERT_TRUE(kept);
  EXPECT_EQ(*kept, platform_.Window);
  EXPECT_FALSE(fs::exists(dir_ / "tarnwick.ini"));
  // The command line wins over it, then the environment, then what was kept.
  EXPECT_TRUE(StartingPlacement(kept, true, true).FullScreen);
  EXPECT_FALSE(StartingPlacement(std::nullopt, std::nullopt, true).FullScreen);
  EXPECT_FALSE(StartingPlacement(kept, std::nullopt, false).FullScreen);
  EXPECT_TRUE(StartingPlacement(std::nullopt, std::nullopt, false).FullScreen);
  // Damage gives the defaults, never a window of no size or nowhere.
  WriteText(dir_ / "window.ini", "[Window]\nfullscreen=x\nwidth=90000\nheight=-4\nleft=9\n");
  kept = LoadWindowState((dir_ / "window.ini").string());
  ASSERT_TRUE(kept);
  EXPECT_EQ(*kept, WindowPlacement{});
  WriteText(dir_ / "window.ini", std::string("\0\xff\x01[", 4));
  EXPECT_EQ(LoadWindowState((dir_ / "window.ini").string()), WindowPlacement{});
  EXPECT_FALSE(LoadWindowState((dir_ / "none.ini").string()));
}

TEST_F(FirstHourTest, AKeptReplayWatchedInTheWindowEndsAsItWasPlayed) {
  folder_ = GeneratedProgramFolder();
  if (folder_.empty()) GTEST_SKIP() << "no generated program folder";
  Replay replay = LoadReplay(SourceFolder() + "/tests/replay/golden/minnow-pond.replay");
  // A pause of two seconds before frame 100: watched, it lasts as long.
  ReplayEvent pause;
  pause.When.Frame = 100;
  pause.Kind = ReplayEventKind::Pause;
  pause.Milliseconds = 2000;
  ReplayEvent resume = pause;
  resume.Kind = ReplayEventKind::Resume;
  auto at = std::find_if(replay.Events.begin(), replay.Events.end(),
                         [](const ReplayEvent& e) { return e.When.Frame >= 100; });
  at = replay.Events.insert(at, pause);
  replay.Events.insert(at + 1, resume);

  Start(folder_);
  F().WatchReplay(replay);
  EXPECT_FALSE(F().title->Visible());
  ASSERT_TRUE(F().DXDraw.Visible());
  EXPECT_EQ(F().DXTimer.Interval(), 33u) << "at the speed it was played";
  Send(Event::KeyDownEvent(39));
  EXPECT_EQ(F().DXTimer.Interval(), 8u) << "Right held: four times as fast";
  Send(Event::KeyUpEvent(39));
  EXPECT_EQ(F().DXTimer.Interval(), 33u);
  EXPECT_EQ(S().TurnRightKey, 0) << "the watcher's keys are not the game's";
  const uint32_t t0 = platform_.Milliseconds();
  int passes = 0;
  uint32_t pausedFor = 0;
  while (!app_.Terminated() && ++passes < 5000) {
    const uint32_t before = platform_.Milliseconds();
    const bool paused = F().Paused();
    F().RunOnce();
    if (paused) pausedFor += platform_.Milliseconds() - before;
  }
  ASSERT_TRUE(app_.Terminated()) << "the program ends with the replay";
  EXPECT_TRUE(F().WatchFailure().empty());
  EXPECT_EQ(F().Recorder().Frames(), 754);
  EXPECT_EQ(S().PlayerLevel, 3) << "the limit was caught as when it was played";
  EXPECT_NEAR(pausedFor, 2000, 100);
  // Frames at their interval (and the strike bar at its own) plus the pause.
  const uint32_t took = platform_.Milliseconds() - t0;
  EXPECT_GE(took, 754u * 33u + 2000u);
  EXPECT_LT(took, (754u * 33u + 2000u) * 11 / 10);
}

}  // namespace
}  // namespace tw::test
