// A flat slider: a thin track with a square thumb and the value written
// after it, moved by dragging, clicking on the track, the wheel or the
// arrow keys; it takes only whole steps between Min and Max.
#pragma once
#include <functional>

#include "ui/control.h"

namespace tw {

class Slider : public Control {
 public:
  using Control::Control;
  // Runs whenever the position changes, by the player or the program.
  std::function<void()> OnChange;

  int32_t Min() const { return min_; }
  int32_t Max() const { return max_; }
  int32_t Step() const { return step_; }
  // A range given upside down is turned round; a step below 1 counts as 1.
  void SetRange(int32_t min, int32_t max, int32_t step);
  int32_t Position() const { return position_; }
  // Clamped into the range and put on the nearest step.
  void SetPosition(int32_t position);

  bool Focusable() const override { return true; }
  void Paint(Canvas& c) override;
  void MouseDown(int32_t button, int32_t x, int32_t y) override;
  void MouseMove(int32_t x, int32_t y, bool held) override;
  void MouseUp(int32_t button, int32_t x, int32_t y) override;
  bool Wheel(int32_t delta) override;
  bool KeyDown(int32_t vk, bool shift) override;

  // Room kept at the right for the value ("100").
  static constexpr int32_t kValueWidth = 28;
  static constexpr int32_t kThumb = 9;

 private:
  int32_t TrackLeft() const { return kThumb / 2; }
  int32_t TrackRight() const { return Width - kValueWidth - kThumb / 2 - 1; }
  int32_t ThumbCentre() const;
  int32_t PositionAt(int32_t x) const;
  int32_t min_ = 0, max_ = 100, step_ = 1, position_ = 0;
  bool dragging_ = false;
};

}  // namespace tw
