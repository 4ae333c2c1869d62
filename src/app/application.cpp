#include "app/application.h"

#include <exception>

#include "core/log.h"

namespace tw {

namespace {
constexpr const char* kTitle = "Tarnwick";
}

std::string WithFullStop(const std::string& message) {
  if (!message.empty() && message.back() == '.') return message;
  return message + ".";
}

Application::Application(Platform& platform) : platform_(platform), timers_(platform) {
  ShowError = [this](const std::string& text) { platform_.ShowErrorBox(kTitle, text); };
}

void Application::ReportError(const std::string& message) {
  const std::string text = WithFullStop(message);
  // Written before the box goes up: a box that hangs or fails still leaves it.
  LogError(text);
  try {
    if (ShowError) ShowError(text);
  } catch (...) {
    // The error box itself failed; nothing is left to show it with.
  }
}

void Application::Run() {
  while (!terminated_) HandleMessage();
}

void Application::HandleMessage() {
  Event event;
  bool handled = false;
  while (!terminated_ && platform_.PollEvent(event)) {
    Dispatch(event);
    handled = true;
  }
  if (terminated_ || handled) return;
  if (timers_.Installed()) {
    // A timer that is not yet due lets the loop sleep until it is; any
    // event wakes it earlier.
    const uint32_t wait = timers_.MillisecondsUntilDue();
    if (wait > 0 && platform_.WaitEvent(event, wait)) {
      Dispatch(event);
      return;
    }
    Tick();
    return;
  }
  if (platform_.WaitEvent(event, kIdleWait)) Dispatch(event);
}

void Application::ProcessMessages() {
  Event event;
  while (!terminated_ && platform_.PollEvent(event)) Dispatch(event);
}

void Application::RunModal(const std::function<bool()>& done) {
  Event event;
  while (!terminated_) {
    try {
      if (done()) return;
    } catch (const std::exception& e) {
      ReportError(e.what());
      return;
    }
    if (platform_.WaitEvent(event, kIdleWait)) Dispatch(event);
  }
}

void Application::Tick() {
  try {
    timers_.Idle();
  } catch (const std::exception& e) {
    ReportError(e.what());
  } catch (...) {
    ReportError("An unexpected error occurred");
  }
}

void Application::Dispatch(const Event& event) {
  try {
    Deliver(event);
  } catch (const std::exception& e) {
    ReportError(e.what());
  } catch (...) {
    ReportError("An unexpected error occurred");
  }
}

void Application::Deliver(const Event& event) {
  switch (event.Type) {
    case EventType::FocusLost:
      timers_.SetActive(false);
      if (sink_) sink_->OnActivate(false);
      return;
    case EventType::FocusGained:
      timers_.SetActive(true);
      if (sink_) sink_->OnActivate(true);
      return;
    case EventType::WindowChanged:
      if (sink_ && event.Window == WindowId::Main) sink_->OnWindowChanged();
      return;
    default:
      break;
  }
  if (event.Window == WindowId::Second) {
    if (sink_) sink_->OnSecondWindowEvent(event);
    return;
  }
  if (event.Type == EventType::Close) {
    // Closing the main window ends the program even when its handler fails.
    struct EndAnyway {
      Application& app;
      ~EndAnyway() { app.Terminate(); }
    } end{*this};
    if (sink_) sink_->OnClose();
    return;
  }
  if (!sink_) return;
  switch (event.Type) {
    case EventType::KeyDown:
      sink_->OnKeyDown(event.Key, event.Shift);
      break;
    case EventType::KeyUp:
      sink_->OnKeyUp(event.Key, event.Shift);
      break;
    case EventType::Text:
      sink_->OnText(event.Text);
      break;
    case EventType::MouseMove:
      sink_->OnMouseMove(event.Shift, event.X, event.Y);
      break;
    case EventType::MouseDown:
      sink_->OnMouseDown(event.Button, event.Shift, event.X, event.Y);
      break;
    case EventType::MouseUp:
      sink_->OnMouseUp(event.Button, event.Shift, event.X, event.Y);
      break;
    case EventType::Wheel:
      sink_->OnWheel(event.WheelDelta, event.X, event.Y);
      break;
    default:
      break;
  }
}

}  // namespace tw
