// Push buttons (with a caption, a small picture, or neither: a bare click
// area over the menu picture), check boxes and radio buttons.
#pragma once
#include <string>

#include "ui/control.h"

namespace tw {

class Button : public Control {
 public:
  using Control::Control;
  std::string Caption;
  // An optional picture drawn centred (black pixels are see-through).
  int32_t GlyphWidth = 0, GlyphHeight = 0;
  std::vector<uint32_t> GlyphPixels;

  void SetCaption(std::string caption) {
    Caption = std::move(caption);
    Invalidate();
  }
  void SetGlyph(int32_t width, int32_t height, std::vector<uint32_t> pixels);
  // A bare click area: nothing drawn, a hand over it.
  bool IsClickArea() const { return Caption.empty() && GlyphPixels.empty(); }
  bool Pressed() const { return down_ && inside_; }

  bool Focusable() const override { return true; }
  void Paint(Canvas& c) override;
  void MouseDown(int32_t button, int32_t x, int32_t y) override;
  void MouseUp(int32_t button, int32_t x, int32_t y) override;
  void MouseMove(int32_t x, int32_t y, bool held) override;
  bool KeyDown(int32_t vk, bool shift) override;
  CursorKind CursorAt(int32_t, int32_t) const override {
    return IsClickArea() ? CursorKind::Hand : Cursor;
  }

 private:
  bool down_ = false;
  bool inside_ = false;
};

// Shared by check boxes and radio buttons: a mark and a caption that a
// click on either toggles.
class ToggleControl : public Control {
 public:
  using Control::Control;
  std::string Caption;
  bool Checked() const { return checked_; }
  bool Focusable() const override { return true; }
  void MouseDown(int32_t button, int32_t x, int32_t y) override;
  void MouseUp(int32_t button, int32_t x, int32_t y) override;

 protected:
  void PaintCaption(Canvas& c, int32_t x);
  bool checked_ = false;
  bool down_ = false;
};

class CheckBox : public ToggleControl {
 public:
  using ToggleControl::ToggleControl;
  // Changing the state runs the click handler, whoever changes it.
  void SetChecked(bool checked);
  void Click() override { SetChecked(!checked_); }
  void Paint(Canvas& c) override;
  bool KeyDown(int32_t vk, bool shift) override;
};

// Radio buttons with the same parent form one group: checking one unchecks
// the others. Checking one that was not checked runs its click handler,
// whether the player or the program checks it; one already checked does not.
class RadioButton : public ToggleControl {
 public:
  using ToggleControl::ToggleControl;
  void SetChecked(bool checked);
  void Click() override { SetChecked(true); }
  bool AcceptsTab() const override;
  void Paint(Canvas& c) override;
  bool KeyDown(int32_t vk, bool shift) override;

 private:
  std::vector<RadioButton*> Group() const;
};

}  // namespace tw
