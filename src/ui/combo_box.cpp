#include "ui/combo_box.h"

#include <algorithm>

#include "ui/screen.h"

namespace tw {

namespace {
constexpr int32_t kButton = 16;  // width of the arrow button
}

void ComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  index_ = -1;
  top_ = 0;
  SetDroppedDown(false);
  Invalidate();
}

void ComboBox::SetItemIndex(int32_t index) {
  index_ = (index >= 0 && index < Count()) ? index : -1;
  Invalidate();
}

int32_t ComboBox::RowHeight() const {
  return UsedFont().CellHeight + 2;
}

int32_t ComboBox::Rows() const {
  return std::clamp(Count(), 1, std::max(1, DropDownCount));
}

Rect ComboBox::ListRect() const {
  int32_t h = Rows() * RowHeight() + 2;
  // Open upward when the list would run off the bottom of the frame.
  Screen* s = GetScreen();
  int32_t frameBottom = s ? s->Height() : 480;
  if (FrameTop() + Height + h > frameBottom && FrameTop() - h >= 0) return Rect{0, -h, Width, 0};
  return Rect{0, Height, Width, Height + h};
}

bool ComboBox::OverlayContains(int32_t x, int32_t y) const {
  if (!open_) return false;
  Rect r = ListRect();
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

int32_t ComboBox::RowAt(int32_t x, int32_t y) const {
  if (!OverlayContains(x, y)) return -1;
  Rect r = ListRect();
  int32_t row = (y - r.Top - 1) / RowHeight();
  int32_t i = top_ + std::clamp(row, 0, Rows() - 1);
  return i < Count() ? i : -1;
}

void ComboBox::SetDroppedDown(bool open) {
  if (open == open_) return;
  Screen* s = GetScreen();
  if (open) {
    if (!s || Count() == 0) return;
    open_ = true;
    hot_ = index_;
    top_ = std::clamp(index_ - Rows() + 1, 0, std::max(0, Count() - Rows()));
    s->OpenOverlay(*this);
  } else {
    open_ = false;
    if (s && s->Overlay() == this) s->CloseOverlay();
  }
  Invalidate();
}

void ComboBox::OverlayClosed() {
  open_ = false;
  Invalidate();
}

void ComboBox::Choose(int32_t index) {
  SetDroppedDown(false);
  if (index < 0 || index >= Count() || index == index_) return;
  index_ = index;
  Invalidate();
  if (OnChange) OnChange();
}

void ComboBox::Paint(Canvas& c) {
  const Font& f = c.GetFont(FontName);
  bool hot = Focused();
  c.FillRect(0, 0, Width, Height, hot ? kMenuFocus : kMenuWindow);
  c.FrameRect(0, 0, Width, Height, Enabled() ? kMenuText : kMenuDisabled);
  c.VLine(Width - kButton, 0, Height - 1, kMenuText);
  int32_t ax = Width - kButton / 2 - 1, ay = Height / 2 - 2;
  for (int32_t i = 0; i < 4; ++i) c.HLine(ax - 3 + i, ax + 3 - i, ay + i, kMenuText);
  if (index_ >= 0) {
    CanvasState keep(c);
    c.SetClip(Intersect(c.Clip(), Rect{c.OriginX() + 1, c.OriginY() + 1,
                                       c.OriginX() + Width - kButton, c.OriginY() + Height - 1}));
    c.DrawText(f, 4, (Height - f.CellHeight) / 2, items_[static_cast<size_t>(index_)],
               Enabled() ? TextColor : kMenuDisabled);
  }
}

void ComboBox::PaintOverlay(Canvas& c) {
  if (!open_) return;
  const Font& f = c.GetFont(FontName);
  Rect r = ListRect();
  int32_t rh = RowHeight();
  c.FillRect(r.Left, r.Top, r.Width(), r.Height(), kMenuWindow);
  c.FrameRect(r.Left, r.Top, r.Width(), r.Height(), kMenuText);
  for (int32_t row = 0; row < Rows() && top_ + row < Count(); ++row) {
    int32_t i = top_ + row;
    int32_t y = r.Top + 1 + row * rh;
    if (i == hot_) c.FillRect(r.Left + 1, y, r.Width() - 2, rh, kMenuText);
    c.DrawText(f, r.Left + 4, y + 1, items_[static_cast<size_t>(i)],
               i == hot_ ? kMenuWindow : TextColor);
  }
}

void ComboBox::MouseDown(int32_t button, int32_t, int32_t) {
  if (button == kMouseLeft) SetDroppedDown(!open_);
}

void ComboBox::MouseMove(int32_t x, int32_t y, bool held) {
  // Pressing on the box and dragging into its list tracks the entries.
  if (held && open_ && OverlayContains(x, y)) OverlayMouseMove(x, y);
}

void ComboBox::MouseUp(int32_t button, int32_t x, int32_t y) {
  if (button == kMouseLeft && open_ && OverlayContains(x, y)) Choose(RowAt(x, y));
}

void ComboBox::OverlayMouseDown(int32_t x, int32_t y) {
  hot_ = RowAt(x, y);
}

void ComboBox::OverlayMouseMove(int32_t x, int32_t y) {
  int32_t row = RowAt(x, y);
  if (row >= 0 && row != hot_) {
    hot_ = row;
    Invalidate();
  }
}

void ComboBox::OverlayMouseUp(int32_t x, int32_t y) {
  int32_t row = RowAt(x, y);
  if (row >= 0) Choose(row);
}

bool ComboBox::Wheel(int32_t delta) {
  if (open_) {
    top_ = std::clamp(top_ - delta / 120, 0, std::max(0, Count() - Rows()));
    Invalidate();
    return true;
  }
  if (Count() == 0) return false;
  int32_t base = index_ < 0 ? (delta < 0 ? -1 : Count()) : index_;
  Choose(std::clamp(base - delta / 120, 0, Count() - 1));
  return true;
}

bool ComboBox::KeyDown(int32_t vk, bool) {
  if (open_) {
    switch (vk) {
      case vk::kUp:
      case vk::kDown:
        hot_ = std::clamp(hot_ + (vk == vk::kDown ? 1 : -1), 0, Count() - 1);
        if (hot_ < top_) top_ = hot_;
        if (hot_ >= top_ + Rows()) top_ = hot_ - Rows() + 1;
        Invalidate();
        return true;
      case vk::kReturn:
        Choose(hot_);
        return true;
      case vk::kEscape:
        SetDroppedDown(false);
        return true;
      default:
        return false;
    }
  }
  if (Count() == 0) return false;
  switch (vk) {
    case vk::kUp:
      Choose(std::max(0, index_ - 1));
      return true;
    case vk::kDown:
      Choose(std::min(Count() - 1, index_ + 1));
      return true;
    case vk::kHome:
      Choose(0);
      return true;
    case vk::kEnd:
      Choose(Count() - 1);
      return true;
    case vk::kSpace:
      SetDroppedDown(true);
      return true;
    default:
      return false;
  }
}

}  // namespace tw
