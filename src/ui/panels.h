// Static widgets: group boxes that frame a set of controls under a caption,
// flat panels with a line of text, labels, and gauges that show a level.
#pragma once
#include <optional>
#include <string>

#include "ui/control.h"

namespace tw {

enum class Align : uint8_t { Left, Center, Right };

class GroupBox : public Control {
 public:
  explicit GroupBox(std::string name = {}) : Control(std::move(name)) { FontName = "sans-11b"; }
  std::string Caption;
  std::optional<Rgb> Fill;  // see-through unless set
  void Paint(Canvas& c) override;
};

class Panel : public Control {
 public:
  using Control::Control;
  std::string Caption;
  Align Alignment = Align::Center;
  std::optional<Rgb> Fill = kMenuWindow;
  bool Framed = true;
  void SetCaption(std::string caption) {
    Caption = std::move(caption);
    Invalidate();
  }
  void Paint(Canvas& c) override;
};

class Label : public Control {
 public:
  using Control::Control;
  std::string Caption;
  Align Alignment = Align::Left;
  // Sized to its caption, so a label placed by its corner alone shows.
  bool AutoSize = true;
  void FitContent(const FontSet& fonts) override;
  void SetCaption(std::string caption) {
    Caption = std::move(caption);
    Invalidate();
  }
  void Paint(Canvas& c) override;
};

// A bar showing Position between Min and Max. Any position written to it
// is clamped into the range, and a step stops at the ends.
class Gauge : public Control {
 public:
  using Control::Control;
  int32_t Min() const { return min_; }
  int32_t Max() const { return max_; }
  int32_t Position() const { return position_; }
  // A range given upside down is turned round.
  void SetRange(int32_t min, int32_t max);
  void SetPosition(int32_t position);
  // Moves by Step (1 unless set), stopping at Max.
  void StepIt() { StepBy(Step); }
  void StepBy(int32_t delta);
  int32_t Step = 1;
  void Paint(Canvas& c) override;

 private:
  int32_t min_ = 0, max_ = 100, position_ = 0;
};

}  // namespace tw
