// The application: one event queue and its loop. Events go to the main
// window; in idle time the installed frame timer ticks; with no timer the
// loop sleeps until something happens. An error no handler caught is shown
// in the error box titled "Tarnwick" and the loop carries on.
#pragma once
#include <functional>
#include <string>

#include "media/platform.h"
#include "media/timer.h"

namespace tw {

// What the main window does with the events it is given. Key codes are
// Windows virtual-key codes; mouse positions are surface pixels.
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void OnKeyDown(uint16_t /*key*/, uint8_t /*shift*/) {}
  virtual void OnKeyUp(uint16_t /*key*/, uint8_t /*shift*/) {}
  virtual void OnText(const char* /*utf8*/) {}
  virtual void OnMouseMove(uint8_t /*shift*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnMouseDown(MouseButton /*button*/, uint8_t /*shift*/, int32_t /*x*/,
                           int32_t /*y*/) {}
  virtual void OnMouseUp(MouseButton /*button*/, uint8_t /*shift*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnWheel(int32_t /*delta*/, int32_t /*x*/, int32_t /*y*/) {}
  // The main window is being closed; the program ends after this returns.
  virtual void OnClose() {}
  // The program became the active one again, or stopped being it.
  virtual void OnActivate(bool /*active*/) {}
  // The main window was moved, resized, or went full screen or back.
  virtual void OnWindowChanged() {}
  // Everything that happens in the second (promotional) window.
  virtual void OnSecondWindowEvent(const Event& /*event*/) {}
};

class Application {
 public:
  explicit Application(Platform& platform);
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  Platform& GetPlatform() { return platform_; }
  TimerSlot& Timers() { return timers_; }

  // The main window; events arriving while none is set are dropped.
  void SetSink(EventSink* sink) { sink_ = sink; }

  // The message loop: runs until Terminate (or the main window closes).
  void Run();
  // One pass of the loop: every pending event, then one idle pass when a
  // timer is installed, else a wait for the next event.
  void HandleMessage();
  // Handles every event pending now, once ("process pending messages").
  void ProcessMessages();
  // A nested loop for pop-ups and modal windows: handles events (no timer
  // ticks) until done() says so or the program is ending.
  void RunModal(const std::function<bool()>& done);

  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }

  // Reports an error that escaped a handler or a tick (default: the
  // platform's error box titled "Tarnwick"). Gets the text with its full stop.
  // ReportError also writes the text to the log.
  std::function<void(const std::string&)> ShowError;
  // Shows `message` through ShowError with the full stop rule applied.
  void ReportError(const std::string& message);

  // How long the loop sleeps at most when no timer runs, in milliseconds.
  static constexpr uint32_t kIdleWait = 50;

 private:
  void Dispatch(const Event& event);
  void Deliver(const Event& event);
  void Tick();

  Platform& platform_;
  TimerSlot timers_;
  EventSink* sink_ = nullptr;
  bool terminated_ = false;
};

// The error box's text: a full stop is added when the message lacks one.
std::string WithFullStop(const std::string& message);

}  // namespace tw
