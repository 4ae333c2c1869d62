#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "core/error.h"

namespace tw {

uint32_t HeadlessClock::Milliseconds() {
  if (manual_) return now_;
  using namespace std::chrono;
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

HeadlessPlatform::HeadlessPlatform(HeadlessClock clock) : clock_(clock) {}

bool HeadlessPlatform::PollEvent(Event& event) {
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  return true;
}

bool HeadlessPlatform::WaitEvent(Event& event, uint32_t timeoutMs) {
  ++waits_;
  if (PollEvent(event)) return true;
  if (WhenIdle) {
    // The player's turn: what they do now arrives at once.
    WhenIdle();
    if (PollEvent(event)) return true;
  }
  if (clock_.IsManual()) clock_.Advance(timeoutMs);
  return false;
}

bool HeadlessPlatform::SetDisplayMode(const DisplayMode& mode) {
  const bool offered = std::find(Modes.begin(), Modes.end(), mode) != Modes.end();
  const bool refused =
      std::find(RefusedModes.begin(), RefusedModes.end(), mode) != RefusedModes.end();
  if (!offered || refused) return false;
  displayTaken_ = true;
  currentMode_ = mode;
  return true;
}

PresenterResult HeadlessPlatform::OpenPresenter(const PresentOptions& options) {
  options_ = options;
  if (RefusePrimary) return PresenterResult::PrimaryRefused;
  if (RefuseBackBuffer) return PresenterResult::BackBufferRefused;
  presenterOpen_ = true;
  return PresenterResult::Ok;
}

void HeadlessPlatform::CloseDisplay() {
  presenterOpen_ = false;
  displayTaken_ = false;
  currentMode_ = {};
}

void HeadlessPlatform::Present(const Surface16& frame) {
  // Copies into the kept frame; same-sized frames reuse its memory.
  if (lastFrame_.Width() != frame.Width() || lastFrame_.Height() != frame.Height() ||
      lastFrame_.Format() != frame.Format())
    lastFrame_ = Surface16(frame.Width(), frame.Height(), frame.Format());
  std::memcpy(lastFrame_.Pixels(), frame.Pixels(),
              static_cast<size_t>(frame.Pitch()) * static_cast<size_t>(frame.Height()));
  ++presents_;
}

void HeadlessPlatform::OpenSecondWindow(int32_t width, int32_t height, const std::string& caption) {
  secondOpen_ = true;
  secondWidth_ = std::max(width, 0);
  secondHeight_ = std::max(height, 0);
  secondCaption_ = caption;
}

void HeadlessPlatform::PresentSecond(const uint32_t* pixels, int32_t width, int32_t height) {
  if (!secondOpen_ || !pixels || width <= 0 || height <= 0) return;
  secondFrame_.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height));
}

void HeadlessPlatform::OpenUrl(const std::string& url) {
  if (!IsWebAddress(url)) throw GameError("Cannot open the web address " + url);
  urls_.push_back(url);
}

void HeadlessPlatform::ShowErrorBox(const std::string& title, const std::string& text) {
  errorBoxes_.push_back({title, text});
}

}  // namespace tw
