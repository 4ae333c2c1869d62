#include "ui/slider.h"

#include <algorithm>
#include <string>

namespace tw {

void Slider::SetRange(int32_t min, int32_t max, int32_t step) {
  if (min > max) std::swap(min, max);
  min_ = min;
  max_ = max;
  step_ = std::max(1, step);
  SetPosition(position_);
}

void Slider::SetPosition(int32_t position) {
  position = std::clamp(position, min_, max_);
  // The nearest step from the bottom of the range, halves upward; the top
  // of the range is a position even when the steps do not reach it.
  const int64_t offset = int64_t{position} - min_;
  int64_t snapped = min_ + (offset + step_ / 2) / step_ * step_;
  if (snapped > max_) snapped = max_;
  if (position == max_) snapped = max_;
  const auto next = static_cast<int32_t>(snapped);
  if (next == position_) return;
  position_ = next;
  Invalidate();
  if (OnChange) OnChange();
}

int32_t Slider::ThumbCentre() const {
  const int32_t span = std::max(1, TrackRight() - TrackLeft());
  if (max_ == min_) return TrackLeft();
  return TrackLeft() + static_cast<int32_t>(int64_t{position_ - min_} * span / (max_ - min_));
}

int32_t Slider::PositionAt(int32_t x) const {
  const int32_t span = std::max(1, TrackRight() - TrackLeft());
  const int32_t along = std::clamp(x - TrackLeft(), 0, span);
  return min_ + static_cast<int32_t>((int64_t{along} * (max_ - min_) + span / 2) / span);
}

void Slider::Paint(Canvas& c) {
  const Rgb ink = Enabled() ? kMenuText : kMenuDisabled;
  const int32_t mid = Height / 2;
  if (Focused()) c.FillRect(0, 0, Width - kValueWidth, Height, kMenuFocus);
  // The track, then the part up to the thumb drawn thicker: how much is set.
  c.HLine(TrackLeft(), TrackRight(), mid, ink);
  const int32_t thumb = ThumbCentre();
  c.FillRect(TrackLeft(), mid - 1, thumb - TrackLeft(), 3, ink);
  c.FillRect(thumb - kThumb / 2, mid - kThumb / 2 - 1, kThumb, kThumb + 2, kMenuWindow);
  c.FrameRect(thumb - kThumb / 2, mid - kThumb / 2 - 1, kThumb, kThumb + 2, ink);
  const Font& f = c.GetFont(FontName);
  const std::string value = std::to_string(position_);
  c.DrawText(f, Width - f.TextWidth(value), (Height - f.CellHeight) / 2, value, ink);
}

void Slider::MouseDown(int32_t button, int32_t x, int32_t) {
  if (button != kMouseLeft) return;
  dragging_ = true;
  SetPosition(PositionAt(x));
}

void Slider::MouseMove(int32_t x, int32_t, bool held) {
  if (held && dragging_) SetPosition(PositionAt(x));
}

void Slider::MouseUp(int32_t button, int32_t, int32_t) {
  if (button == kMouseLeft) dragging_ = false;
}

bool Slider::Wheel(int32_t delta) {
  if (delta == 0) return false;
  SetPosition(position_ + (delta > 0 ? step_ : -step_));
  return true;
}

bool Slider::KeyDown(int32_t vk, bool) {
  switch (vk) {
    case vk::kRight:
    case vk::kUp:
      SetPosition(position_ + step_);
      return true;
    case vk::kLeft:
    case vk::kDown:
      SetPosition(position_ - step_);
      return true;
    case vk::kPrior:
      SetPosition(position_ + step_ * 4);
      return true;
    case vk::kNext:
      SetPosition(position_ - step_ * 4);
      return true;
    case vk::kHome:
      SetPosition(min_);
      return true;
    case vk::kEnd:
      SetPosition(max_);
      return true;
    default:
      return false;
  }
}

}  // namespace tw
