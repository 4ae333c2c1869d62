#include "ui/edit.h"

#include <algorithm>

#include "ui/screen.h"

namespace tw {

void Edit::SetText(std::string text) {
  if (MaxLength && text.size() > MaxLength) text.resize(MaxLength);
  bool changed = text != text_;
  text_ = std::move(text);
  caret_ = anchor_ = text_.size();
  scroll_ = 0;
  KeepCaretVisible();
  Invalidate();
  if (changed) Changed();
}

void Edit::SetSelection(size_t anchor, size_t caret) {
  anchor_ = std::min(anchor, text_.size());
  caret_ = std::min(caret, text_.size());
  KeepCaretVisible();
  Invalidate();
}

void Edit::Changed() {
  if (OnChange) OnChange();
}

void Edit::Replace(std::string_view with) {
  size_t start = SelStart(), len = SelLength();
  std::string next = text_;
  next.replace(start, len, with);
  if (MaxLength && next.size() > MaxLength) {
    // Keep as much of the typing as fits.
    size_t room = MaxLength > text_.size() - len ? MaxLength - (text_.size() - len) : 0;
    with = with.substr(0, room);
    next = text_;
    next.replace(start, len, with);
  }
  bool changed = next != text_;
  text_ = std::move(next);
  caret_ = anchor_ = start + with.size();
  KeepCaretVisible();
  Invalidate();
  if (changed) Changed();
}

void Edit::MoveCaret(size_t pos, bool extend) {
  caret_ = std::min(pos, text_.size());
  if (!extend) anchor_ = caret_;
  KeepCaretVisible();
  Invalidate();
}

void Edit::KeepCaretVisible() {
  const Font& f = UsedFont();
  int32_t inner = std::max(1, Width - 2 * kMargin);
  int32_t cx = f.TextWidth(std::string_view(text_).substr(0, caret_));
  if (cx - scroll_ > inner) scroll_ = cx - inner;
  if (cx < scroll_) scroll_ = std::max(0, cx - inner / 3);
  int32_t total = f.TextWidth(text_);
  // Never leave empty room on the right while text is hidden on the left.
  if (total - scroll_ < inner) scroll_ = std::max(0, total - inner);
}

size_t Edit::PosAt(int32_t x) const {
  const Font& f = UsedFont();
  int32_t pen = kMargin - scroll_;
  for (size_t i = 0; i < text_.size(); ++i) {
    int32_t adv = f.Advance(static_cast<uint8_t>(text_[i]));
    if (x < pen + adv / 2) return i;
    pen += adv;
  }
  return text_.size();
}

void Edit::Paint(Canvas& c) {
  KeepCaretVisible();  // the face may have changed since the text was set
  const Font& f = c.GetFont(FontName);
  bool focused = Focused();
  c.FillRect(0, 0, Width, Height, focused ? kMenuFocus : kMenuWindow);
  c.FrameRect(0, 0, Width, Height, Enabled() ? kMenuText : kMenuDisabled);
  Rect inner{c.OriginX() + 1, c.OriginY() + 1, c.OriginX() + Width - 1, c.OriginY() + Height - 1};
  CanvasState keep(c);
  c.SetClip(Intersect(c.Clip(), inner));
  int32_t ty = (Height - f.CellHeight) / 2;
  int32_t x0 = kMargin - scroll_;
  std::string_view t = text_;
  size_t s = SelStart(), n = SelLength();
  int32_t before = f.TextWidth(t.substr(0, s));
  int32_t selW = f.TextWidth(t.substr(s, n));
  Rgb ink = Enabled() ? TextColor : kMenuDisabled;
  c.DrawText(f, x0, ty, t.substr(0, s), ink);
  if (n && focused) {
    c.FillRect(x0 + before, ty, selW, f.CellHeight, kMenuText);
    c.DrawText(f, x0 + before, ty, t.substr(s, n), kMenuWindow);
  } else {
    c.DrawText(f, x0 + before, ty, t.substr(s, n), ink);
  }
  c.DrawText(f, x0 + before + selW, ty, t.substr(s + n), ink);
  Screen* scr = GetScreen();
  bool blinkOn = !scr || (scr->Now() / 500) % 2 == 0;
  if (focused && blinkOn) {
    int32_t cx = x0 + f.TextWidth(t.substr(0, caret_));
    c.VLine(cx, ty, ty + f.CellHeight - 1, kMenuText);
  }
}

void Edit::MouseDown(int32_t button, int32_t x, int32_t) {
  if (button != kMouseLeft) return;
  dragging_ = true;
  MoveCaret(PosAt(x), false);
}

void Edit::MouseMove(int32_t x, int32_t, bool held) {
  if (held && dragging_) MoveCaret(PosAt(x), true);
}

void Edit::MouseUp(int32_t button, int32_t, int32_t) {
  if (button == kMouseLeft) dragging_ = false;
}

void Edit::DoubleClick(int32_t, int32_t) {
  dragging_ = false;
  SelectAll();
}

bool Edit::KeyDown(int32_t vk, bool shift) {
  switch (vk) {
    case vk::kLeft:
      if (!shift && SelLength())
        MoveCaret(SelStart(), false);
      else
        MoveCaret(caret_ ? caret_ - 1 : 0, shift);
      return true;
    case vk::kRight:
      if (!shift && SelLength())
        MoveCaret(SelStart() + SelLength(), false);
      else
        MoveCaret(caret_ + 1, shift);
      return true;
    case vk::kHome:
      MoveCaret(0, shift);
      return true;
    case vk::kEnd:
      MoveCaret(text_.size(), shift);
      return true;
    case vk::kBack:
      if (!SelLength() && caret_ > 0) anchor_ = caret_ - 1;
      if (SelLength()) Replace("");
      return true;
    case vk::kDelete:
      if (!SelLength() && caret_ < text_.size()) anchor_ = caret_ + 1;
      if (SelLength()) Replace("");
      return true;
    default:
      return false;
  }
}

bool Edit::TextInput(std::string_view text) {
  std::string typed;
  for (char ch : text)
    if (static_cast<uint8_t>(ch) >= 32 && ch != 127) typed.push_back(ch);
  if (typed.empty()) return false;
  Replace(typed);
  return true;
}

void Edit::FocusIn(bool byKeyboard) {
  // Tabbing into a field selects it all, ready to be typed over.
  if (byKeyboard) SelectAll();
}

}  // namespace tw
