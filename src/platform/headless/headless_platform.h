// The platform without a display: events are queued by the test or replay,
// the clock is either the real one or moved by hand, presented frames are
// kept for inspection, opened web addresses and error boxes are recorded.
// Knobs let a test refuse the window, display modes or surfaces, or take the
// display away, to exercise the drawing surface's error paths.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "media/platform.h"

namespace tw {

// A clock that reads the real monotonic time, or stands still until moved.
class HeadlessClock : public Clock {
 public:
  // Manual clocks start at `start` and move only with Advance or Set.
  static HeadlessClock Manual(uint32_t start = 0) { return HeadlessClock(true, start); }
  static HeadlessClock Real() { return HeadlessClock(false, 0); }

  uint32_t Milliseconds() override;
  bool IsManual() const { return manual_; }
  void Advance(uint32_t ms) { now_ += ms; }
  void Set(uint32_t ms) { now_ = ms; }

 private:
  HeadlessClock(bool manual, uint32_t start) : manual_(manual), now_(start) {}
  bool manual_;
  uint32_t now_;
};

class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(HeadlessClock clock = HeadlessClock::Manual());

  // --- Clock ---
  uint32_t Milliseconds() override { return clock_.Milliseconds(); }
  HeadlessClock& GetClock() { return clock_; }

  // --- events ---
  void Push(const Event& event) { events_.push_back(event); }
  size_t PendingEvents() const { return events_.size(); }
  bool PollEvent(Event& event) override;
  // With a manual clock the wait moves the clock on by the timeout when no
  // event is queued, as if the time had passed; nothing ever blocks.
  bool WaitEvent(Event& event, uint32_t timeoutMs) override;
  // Runs when a wait finds nothing queued (a box or pop-up waiting for the
  // player): a test may look at the screen and queue the player's answer.
  std::function<void()> WhenIdle;
  void PostQuit() override { Push(Event::Simple(EventType::Close)); }
  int WaitCount() const { return waits_; }

  // --- display ---
  bool HasMainWindow() override { return HasWindow; }
  void SetMainWindowVisible(bool visible) override { mainVisible_ = visible; }
  bool MainWindowVisible() const { return mainVisible_; }
  std::vector<DisplayMode> DisplayModes() override { return Modes; }
  bool SetDisplayMode(const DisplayMode& mode) override;
  PixelFormat DisplayFormat() override { return Format; }
  PresenterResult OpenPresenter(const PresentOptions& options) override;
  void CloseDisplay() override;
  bool DisplayLost() override { return Lost; }
  bool RestoreDisplay() override {
    if (Lost && RestoreWorks) Lost = false;
    return !Lost;
  }
  void Present(const Surface16& frame) override;

  void SetCursor(CursorShape shape) override { cursor_ = shape; }
  CursorShape Cursor() const { return cursor_; }
  void SetWindowIcon(const uint32_t* argb, int32_t width, int32_t height) override {
    Icon.assign(argb, argb + static_cast<size_t>(width) * static_cast<size_t>(height));
    IconWidth = width;
    IconHeight = height;
  }
  bool FullScreen() override { return fullScreen_; }
  void SetFullScreen(bool fullScreen) override {
    fullScreen_ = fullScreen;
    Window.FullScreen = fullScreen;
  }
  WindowPlacement Placement() override { return Window; }
  void SetWholePixelScaling(bool whole) override { WholePixels = whole; }
  // The window's place as a test sets it (then pushes WindowChanged), and
  // how the frame is scaled.
  WindowPlacement Window;
  bool WholePixels = false;

  // What the display is doing now.
  bool DisplayTaken() const { return displayTaken_; }
  bool PresenterOpen() const { return presenterOpen_; }
  const DisplayMode& CurrentMode() const { return currentMode_; }
  const PresentOptions& LastOptions() const { return options_; }
  const Surface16& LastFrame() const { return lastFrame_; }
  int PresentCount() const { return presents_; }

  // --- second window ---
  void OpenSecondWindow(int32_t width, int32_t height, const std::string& caption) override;
  void CloseSecondWindow() override { secondOpen_ = false; }
  bool SecondWindowOpen() override { return secondOpen_; }
  void PresentSecond(const uint32_t* pixels, int32_t width, int32_t height) override;
  const std::string& SecondCaption() const { return secondCaption_; }
  int32_t SecondWidth() const { return secondWidth_; }
  int32_t SecondHeight() const { return secondHeight_; }
  const std::vector<uint32_t>& SecondFrame() const { return secondFrame_; }

  // --- desktop ---
  void OpenUrl(const std::string& url) override;
  void ShowErrorBox(const std::string& title, const std::string& text) override;
  const std::vector<std::string>& OpenedUrls() const { return urls_; }
  struct ErrorBox {
    std::string Title, Text;
  };
  const std::vector<ErrorBox>& ErrorBoxes() const { return errorBoxes_; }

  // The window's icon as last set.
  std::vector<uint32_t> Icon;
  int32_t IconWidth = 0, IconHeight = 0;

  // --- knobs for tests ---
  bool HasWindow = true;
  std::vector<DisplayMode> Modes{{640, 480, 16}};
  std::vector<DisplayMode> RefusedModes;  // modes SetDisplayMode turns down
  PixelFormat Format = PixelFormat::RGB565;
  bool RefusePrimary = false;
  bool RefuseBackBuffer = false;
  bool Lost = false;         // the display has been taken away
  bool RestoreWorks = true;  // whether it can be got back

 private:
  HeadlessClock clock_;
  std::deque<Event> events_;
  int waits_ = 0;
  bool mainVisible_ = true;
  bool displayTaken_ = false;
  bool presenterOpen_ = false;
  DisplayMode currentMode_;
  PresentOptions options_;
  Surface16 lastFrame_;
  int presents_ = 0;
  CursorShape cursor_ = CursorShape::Arrow;
  bool fullScreen_ = true;
  bool secondOpen_ = false;
  std::string secondCaption_;
  int32_t secondWidth_ = 0, secondHeight_ = 0;
  std::vector<uint32_t> secondFrame_;
  std::vector<std::string> urls_;
  std::vector<ErrorBox> errorBoxes_;
};

}  // namespace tw
