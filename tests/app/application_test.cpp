#include "app/application.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/error.h"
#include "platform/headless/headless_platform.h"

namespace tw {
namespace {

// A main window that writes down what reaches it.
struct RecordingWindow : EventSink {
  std::vector<std::string> log;
  std::function<void(uint16_t)> onKey;
  void OnKeyDown(uint16_t key, uint8_t shift) override {
    log.push_back("down " + std::to_string(key) + "/" + std::to_string(shift));
    if (onKey) onKey(key);
  }
  void OnKeyUp(uint16_t key, uint8_t) override { log.push_back("up " + std::to_string(key)); }
  void OnText(const char* text) override { log.push_back(std::string("text ") + text); }
  void OnMouseMove(uint8_t, int32_t x, int32_t y) override {
    log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  }
  void OnMouseDown(MouseButton b, uint8_t, int32_t x, int32_t y) override {
    log.push_back("press " + std::to_string(int(b)) + " " + std::to_string(x) + "," +
                  std::to_string(y));
  }
  void OnMouseUp(MouseButton b, uint8_t, int32_t, int32_t) override {
    log.push_back("release " + std::to_string(int(b)));
  }
  void OnWheel(int32_t delta, int32_t, int32_t) override {
    log.push_back("wheel " + std::to_string(delta));
  }
  void OnClose() override { log.push_back("close"); }
  void OnActivate(bool active) override { log.push_back(active ? "active" : "inactive"); }
  void OnSecondWindowEvent(const Event& e) override {
    log.push_back("second " + std::to_string(int(e.Type)));
  }
};

struct ApplicationLoop : ::testing::Test {
  HeadlessPlatform platform;
  Application app{platform};
  RecordingWindow window;
  std::vector<std::string> errors;

  void SetUp() override {
    app.SetSink(&window);
    app.ShowError = [this](const std::string& text) { errors.push_back(text); };
  }
};

TEST_F(ApplicationLoop, EventsReachTheMainWindowInOrder) {
  platform.Push(Event::KeyDownEvent(27, kShiftKey));
  platform.Push(Event::KeyUpEvent(27));
  Event text = Event::Simple(EventType::Text);
  text.Text[0] = 'a';
  platform.Push(text);
  platform.Push(Event::MouseEvent(EventType::MouseMove, 639, 479));
  platform.Push(Event::MouseEvent(EventType::MouseDown, 10, 20, MouseButton::Right));
  platform.Push(Event::MouseEvent(EventType::MouseUp, 10, 20, MouseButton::Right));
  Event wheel = Event::Simple(EventType::Wheel);
  wheel.WheelDelta = -120;
  platform.Push(wheel);
  platform.Push(Event::Simple(EventType::Close, WindowId::Second));
  app.ProcessMessages();
  EXPECT_EQ(window.log,
            (std::vector<std::string>{"down 27/1", "up 27", "text a", "move 639,479",
                                      "press 1 10,20", "release 1", "wheel -120", "second 8"}));
  EXPECT_FALSE(app.Terminated()) << "closing the second window does not end the program";
}

TEST_F(ApplicationLoop, AnErrorInAHandlerIsShownWithAFullStopAndTheLoopGoesOn) {
  window.onKey = [](uint16_t key) {
    if (key == 1) throw GameError("Image 'boat9' not found");
    if (key == 2) throw GameError("You don't have enough money.");
    if (key == 3) throw 42;
  };
  platform.Push(Event::KeyDownEvent(1));
  platform.Push(Event::KeyDownEvent(2));
  platform.Push(Event::KeyDownEvent(3));
  platform.Push(Event::KeyDownEvent(4));
  app.ProcessMessages();
  EXPECT_EQ(errors,
            (std::vector<std::string>{"Image 'boat9' not found.", "You don't have enough money.",
                                      "An unexpected error occurred."}));
  EXPECT_EQ(window.log.back(), "down 4/0");
}

TEST_F(ApplicationLoop, TheDefaultErrorBoxIsTitledTarnwick) {
  Application plain(platform);
  plain.ReportError("Cannot open file /x/sound.dxw");
  ASSERT_EQ(platform.ErrorBoxes().size(), 1u);
  EXPECT_EQ(platform.ErrorBoxes()[0].Title, "Tarnwick");
  EXPECT_EQ(platform.ErrorBoxes()[0].Text, "Cannot open file /x/sound.dxw.");
}

TEST_F(ApplicationLoop, AnErrorInATickIsShownAndTheTimerKeepsRunning) {
  TDXTimer timer(app.Timers());
  int ticks = 0;
  timer.OnTimer = [&](TDXTimer&, int32_t) {
    if (++ticks == 1) throw GameError("Wave 'reel' not found");
  };
  timer.SetEnabled(true);
  app.HandleMessage();
  app.HandleMessage();
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(errors, (std::vector<std::string>{"Wave 'reel' not found."}));
}

TEST_F(ApplicationLoop, WithoutATimerTheLoopWaitsInsteadOfSpinning) {
  app.HandleMessage();
  EXPECT_EQ(platform.WaitCount(), 1);
  EXPECT_EQ(platform.Milliseconds(), Application::kIdleWait);

  // A timer that is not due lets the loop sleep exactly until it is, then ticks.
  TDXTimer timer(app.Timers());
  int ticks = 0;
  timer.OnTimer = [&](TDXTimer&, int32_t) { ++ticks; };
  timer.SetInterval(33);
  timer.SetEnabled(true);
  const uint32_t start = platform.Milliseconds();
  for (int i = 0; i < 4; ++i) app.HandleMessage();
  EXPECT_EQ(ticks, 4);
  EXPECT_EQ(platform.Milliseconds() - start, 4 * 33u);
}

TEST_F(ApplicationLoop, EventsComeBeforeTheTickAndTicksNeverInterruptAHandler) {
  TDXTimer timer(app.Timers());
  timer.OnTimer = [&](TDXTimer&, int32_t) { window.log.push_back("tick"); };
  timer.SetEnabled(true);
  platform.Push(Event::KeyDownEvent(38));
  platform.Push(Event::KeyUpEvent(38));
  app.HandleMessage();
  app.HandleMessage();
  EXPECT_EQ(window.log, (std::vector<std::string>{"down 38/0", "up 38", "tick"}));
}

TEST_F(ApplicationLoop, FocusPausesTheTimersAndResumesThemWithoutABurst) {
  TDXTimer timer(app.Timers());
  int ticks = 0;
  timer.OnTimer = [&](TDXTimer&, int32_t lag) {
    ++ticks;
    EXPECT_EQ(lag, 1);
  };
  timer.SetInterval(33);
  timer.SetEnabled(true);
  platform.Push(Event::Simple(EventType::FocusLost));
  app.HandleMessage();
  EXPECT_EQ(app.Timers().Installed(), nullptr);
  for (int i = 0; i < 20; ++i) app.HandleMessage();  // a second passes while away
  EXPECT_EQ(ticks, 0);
  platform.Push(Event::Simple(EventType::FocusGained));
  app.HandleMessage();
  EXPECT_EQ(ticks, 0);
  const uint32_t back = platform.Milliseconds();
  app.HandleMessage();
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(platform.Milliseconds() - back, 33u)
      << "the first tick after the return waits a whole interval";
  EXPECT_EQ(window.log, (std::vector<std::string>{"inactive", "active"}));
}

TEST_F(ApplicationLoop, ClosingTheMainWindowEndsNestedLoopsAndRun) {
  int passes = 0;
  platform.Push(Event::KeyDownEvent(32));
  window.onKey = [&](uint16_t) {
    // A pop-up inside a handler: waits for a key that never comes.
    platform.Push(Event::Simple(EventType::Close));
    app.RunModal([&] { return ++passes > 1000; });
  };
  app.Run();  // must return
  EXPECT_TRUE(app.Terminated());
  EXPECT_LT(passes, 10);
  EXPECT_EQ(window.log.back(), "close");
}

TEST_F(ApplicationLoop, RunModalReturnsWhenDoneAndRunsNoTimer) {
  TDXTimer timer(app.Timers());
  int ticks = 0;
  timer.OnTimer = [&](TDXTimer&, int32_t) { ++ticks; };
  timer.SetEnabled(true);
  bool pressed = false;
  window.onKey = [&](uint16_t) { pressed = true; };
  int waits = 0;
  app.RunModal([&] {
    if (++waits == 3) platform.Push(Event::KeyDownEvent(13));
    return pressed;
  });
  EXPECT_TRUE(pressed);
  EXPECT_EQ(ticks, 0);
  EXPECT_FALSE(app.Terminated());
}

TEST_F(ApplicationLoop, ACloseHandlerThatFailsStillEndsTheProgram) {
  struct FailingClose : EventSink {
    void OnClose() override { throw GameError("Unable to write to /x/tarnwick.ini"); }
  } failing;
  app.SetSink(&failing);
  platform.PostQuit();
  app.Run();
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(errors, (std::vector<std::string>{"Unable to write to /x/tarnwick.ini."}));
}

TEST(FullStop, IsAddedOnlyWhenMissing) {
  EXPECT_EQ(WithFullStop("Form not found"), "Form not found.");
  EXPECT_EQ(WithFullStop("Invalid stream format."), "Invalid stream format.");
  EXPECT_EQ(WithFullStop("Display mode cannot be changed (640x480 16bit)"),
            "Display mode cannot be changed (640x480 16bit).");
  EXPECT_EQ(WithFullStop(""), ".");
}

}  // namespace
}  // namespace tw
