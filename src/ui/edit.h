// The one-line text field: a caret, a selection made with Shift and the
// arrows or by dragging the mouse, typing, Backspace and Delete.
#pragma once
#include <string>

#include "ui/control.h"

namespace tw {

class Edit : public Control {
 public:
  explicit Edit(std::string name = {}) : Control(std::move(name)) { Cursor = CursorKind::IBeam; }

  // Runs after every change of the text, typed or set by the program.
  std::function<void()> OnChange;
  // The longest text accepted; 0 for no limit.
  size_t MaxLength = 0;

  const std::string& Text() const { return text_; }
  // Replaces the text; the caret goes to its end.
  void SetText(std::string text);
  size_t CaretPos() const { return caret_; }
  size_t SelStart() const { return std::min(anchor_, caret_); }
  size_t SelLength() const { return anchor_ > caret_ ? anchor_ - caret_ : caret_ - anchor_; }
  std::string SelText() const { return text_.substr(SelStart(), SelLength()); }
  // Selects from `anchor` to `caret` (the caret end is where typing goes).
  void SetSelection(size_t anchor, size_t caret);
  void SelectAll() { SetSelection(0, text_.size()); }

  bool Focusable() const override { return true; }
  void Paint(Canvas& c) override;
  void MouseDown(int32_t button, int32_t x, int32_t y) override;
  void MouseMove(int32_t x, int32_t y, bool held) override;
  void MouseUp(int32_t button, int32_t x, int32_t y) override;
  void DoubleClick(int32_t x, int32_t y) override;
  bool KeyDown(int32_t vk, bool shift) override;
  bool TextInput(std::string_view text) override;
  void FocusIn(bool byKeyboard) override;

 private:
  static constexpr int32_t kMargin = 3;
  void Replace(std::string_view with);
  void MoveCaret(size_t pos, bool extend);
  size_t PosAt(int32_t x) const;
  void Changed();
  void KeepCaretVisible();

  std::string text_;
  size_t caret_ = 0;
  size_t anchor_ = 0;
  int32_t scroll_ = 0;  // pixels of text hidden on the left
  bool dragging_ = false;
};

}  // namespace tw
