#include "ui/buttons.h"

#include <algorithm>

namespace tw {

void Button::SetGlyph(int32_t width, int32_t height, std::vector<uint32_t> pixels) {
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
    width = height = 0;
    pixels.clear();
  }
  GlyphWidth = width;
  GlyphHeight = height;
  GlyphPixels = std::move(pixels);
  Invalidate();
}

void Button::Paint(Canvas& c) {
  bool hot = Pressed() || Focused();
  if (IsClickArea()) {
    // Click areas lie over buttons painted in the menu picture; only the
    // keyboard focus is shown.
    if (Focused()) c.FrameRect(0, 0, Width, Height, kMenuFocus);
    return;
  }
  c.FillRect(1, 1, Width - 2, Height - 2, hot ? kMenuFocus : kMenuFace);
  c.FrameRect(0, 0, Width, Height, Enabled() ? kMenuText : kMenuDisabled);
  int32_t shift = Pressed() ? 1 : 0;
  if (!GlyphPixels.empty()) {
    int32_t gx = (Width - GlyphWidth) / 2 + shift, gy = (Height - GlyphHeight) / 2 + shift;
    for (int32_t y = 0; y < GlyphHeight; ++y)
      for (int32_t x = 0; x < GlyphWidth; ++x) {
        uint32_t p = GlyphPixels[static_cast<size_t>(y * GlyphWidth + x)];
        if (p & 0xFFFFFF)
          c.Pixel(gx + x, gy + y,
                  Rgb{static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                      static_cast<uint8_t>(p)});
      }
  }
  if (!Caption.empty()) {
    const Font& f = c.GetFont(FontName);
    int32_t tx = (Width - f.TextWidth(Caption)) / 2 + shift;
    int32_t ty = (Height - f.CellHeight) / 2 + shift;
    c.DrawText(f, tx, ty, Caption, Enabled() ? TextColor : kMenuDisabled);
  }
}

void Button::MouseDown(int32_t button, int32_t x, int32_t y) {
  if (button != kMouseLeft) return;
  down_ = true;
  inside_ = InsideSelf(x, y);
  Invalidate();
}

void Button::MouseMove(int32_t x, int32_t y, bool held) {
  if (!held || !down_) return;
  bool in = InsideSelf(x, y);
  if (in != inside_) Invalidate();
  inside_ = in;
}

void Button::MouseUp(int32_t button, int32_t x, int32_t y) {
  if (button != kMouseLeft || !down_) return;
  down_ = false;
  inside_ = false;
  Invalidate();
  // Released outside the button: no click. The handler runs last, since it
  // may run a modal box or even remove this button.
  if (InsideSelf(x, y)) Click();
}

bool Button::KeyDown(int32_t vk, bool) {
  if (vk == vk::kReturn || vk == vk::kSpace) {
    Click();
    return true;
  }
  return false;
}

void ToggleControl::MouseDown(int32_t button, int32_t, int32_t) {
  if (button == kMouseLeft) down_ = true;
}

void ToggleControl::MouseUp(int32_t button, int32_t x, int32_t y) {
  if (button != kMouseLeft || !down_) return;
  down_ = false;
  if (InsideSelf(x, y)) Click();
}

void ToggleControl::PaintCaption(Canvas& c, int32_t x) {
  const Font& f = c.GetFont(FontName);
  int32_t ty = (Height - f.CellHeight) / 2;
  if (Focused())
    c.FillRect(x - 2, std::max(0, ty), f.TextWidth(Caption) + 4, f.CellHeight, kMenuFocus);
  c.DrawText(f, x, ty, Caption, Enabled() ? TextColor : kMenuDisabled);
}

void CheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Invalidate();
  if (OnClick) OnClick();
}

void CheckBox::Paint(Canvas& c) {
  int32_t by = (Height - 13) / 2;
  Rgb ink = Enabled() ? kMenuText : kMenuDisabled;
  c.FillRect(1, by + 1, 11, 11, kMenuWindow);
  c.FrameRect(0, by, 13, 13, ink);
  if (checked_) {
    // A tick: down from the left, then up to the right, two pixels thick.
    for (int32_t i = 0; i < 2; ++i) {
      c.Line(3, by + 5 + i, 5, by + 7 + i, ink);
      c.Line(5, by + 7 + i, 9, by + 3 + i, ink);
    }
  }
  PaintCaption(c, 18);
}

bool CheckBox::KeyDown(int32_t vk, bool) {
  if (vk == vk::kSpace) {
    Click();
    return true;
  }
  return false;
}

std::vector<RadioButton*> RadioButton::Group() const {
  std::vector<RadioButton*> group;
  if (!Parent()) return group;
  for (auto& sib : Parent()->Children())
    if (auto* r = dynamic_cast<RadioButton*>(sib.get())) group.push_back(r);
  return group;
}

void RadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Invalidate();
  if (!checked) return;
  for (RadioButton* r : Group())
    if (r != this) r->checked_ = false;
  if (OnClick) OnClick();
}

bool RadioButton::AcceptsTab() const {
  if (!Focusable() || !TabStop) return false;
  if (checked_) return true;
  // With nothing checked in the group, Tab stops at its first usable button.
  for (RadioButton* r : Group()) {
    if (r->checked_ && r->Usable()) return false;
  }
  for (RadioButton* r : Group())
    if (r->Usable()) return r == this;
  return false;
}

void RadioButton::Paint(Canvas& c) {
  int32_t by = (Height - 12) / 2;
  Rgb ink = Enabled() ? kMenuText : kMenuDisabled;
  // A ring twelve pixels across around a dark disc.
  for (int32_t y = 0; y < 12; ++y)
    for (int32_t x = 0; x < 12; ++x) {
      int32_t dx = 2 * x - 11, dy = 2 * y - 11;  // doubled distances from the centre
      int32_t d = dx * dx + dy * dy;
      if (d <= 81)
        c.Pixel(x, by + y, kMenuWindow);
      else if (d <= 135)
        c.Pixel(x, by + y, ink);
    }
  if (checked_) c.FillRect(4, by + 4, 4, 4, ink);
  PaintCaption(c, 17);
}

bool RadioButton::KeyDown(int32_t vk, bool) {
  if (vk == vk::kSpace) {
    Click();
    return true;
  }
  int32_t step = (vk == vk::kDown || vk == vk::kRight) ? 1
                 : (vk == vk::kUp || vk == vk::kLeft)  ? -1
                                                       : 0;
  if (step == 0) return false;
  // Arrows walk the group, checking as they go.
  auto group = Group();
  auto it = std::find(group.begin(), group.end(), this);
  if (it == group.end()) return false;
  int32_t n = static_cast<int32_t>(group.size());
  int32_t i = static_cast<int32_t>(it - group.begin());
  for (int32_t k = 1; k < n; ++k) {
    RadioButton* r = group[static_cast<size_t>(((i + step * k) % n + n) % n)];
    if (r->Usable()) {
      r->SetFocus();
      r->SetChecked(true);
      break;
    }
  }
  return true;
}

}  // namespace tw
