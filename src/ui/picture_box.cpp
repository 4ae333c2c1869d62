#include "ui/picture_box.h"

#include <algorithm>

namespace tw {

void PictureBox::SetPicture(Picture picture) {
  if (picture.Pixels.size() != static_cast<size_t>(std::max(0, picture.Width)) *
                                   static_cast<size_t>(std::max(0, picture.Height)))
    picture = Picture{};
  picture_ = std::move(picture);
  Invalidate();
}

void PictureBox::Paint(Canvas& c) {
  if (!HasPicture()) return;
  int32_t x = Center ? (Width - picture_.Width) / 2 : 0;
  int32_t y = Center ? (Height - picture_.Height) / 2 : 0;
  c.DrawImage(x, y, picture_.Width, picture_.Height, picture_.Pixels.data());
}

void PictureBox::MouseDown(int32_t button, int32_t x, int32_t y) {
  if (button == kMouseLeft) down_ = true;
  if (OnMouseDown) OnMouseDown(button, x, y);
}

void PictureBox::MouseUp(int32_t button, int32_t x, int32_t y) {
  bool click = button == kMouseLeft && down_;
  if (button == kMouseLeft) down_ = false;
  // Released somewhere else: the picture does not see it.
  if (!InsideSelf(x, y)) return;
  if (OnMouseUp) OnMouseUp(button, x, y);
  if (click) Click();
}

void TabControl::SetTabs(std::vector<std::string> tabs) {
  tabs_ = std::move(tabs);
  index_ = tabs_.empty() ? -1 : std::clamp(index_, 0, static_cast<int32_t>(tabs_.size()) - 1);
  Invalidate();
}

void TabControl::SetTabIndex(int32_t index) {
  index_ = tabs_.empty() ? -1 : std::clamp(index, 0, static_cast<int32_t>(tabs_.size()) - 1);
  Invalidate();
}

void TabControl::SetPicture(Picture picture, Rect area) {
  if (picture.Pixels.size() != static_cast<size_t>(std::max(0, picture.Width)) *
                                   static_cast<size_t>(std::max(0, picture.Height)))
    picture = Picture{};
  picture_ = std::move(picture);
  area_ = area;
  Invalidate();
}

int32_t TabControl::TabWidth(size_t i) const {
  return UsedFont().TextWidth(tabs_[i]) + 16;
}

int32_t TabControl::TabAt(int32_t x, int32_t y) const {
  if (y < 0 || y >= kTabHeight) return -1;
  int32_t left = 2;
  for (size_t i = 0; i < tabs_.size(); ++i) {
    int32_t w = TabWidth(i);
    if (x >= left && x < left + w) return static_cast<int32_t>(i);
    left += w;
  }
  return -1;
}

void TabControl::Pick(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(tabs_.size()) || index == index_) return;
  index_ = index;
  Invalidate();
  if (OnChange) OnChange();
}

void TabControl::Paint(Canvas& c) {
  const Font& f = c.GetFont(FontName);
  int32_t top = kTabHeight - 1;
  c.FillRect(1, top + 1, Width - 2, Height - top - 2, kMenuWindow);
  c.FrameRect(0, top, Width, Height - top, kMenuText);
  int32_t left = 2;
  for (size_t i = 0; i < tabs_.size(); ++i) {
    int32_t w = TabWidth(i);
    bool active = static_cast<int32_t>(i) == index_;
    int32_t y = active ? 0 : 2;
    c.FillRect(left, y, w, top - y + (active ? 1 : 0),
               active ? (Focused() ? kMenuFocus : kMenuWindow) : kMenuFace);
    c.HLine(left, left + w - 1, y, kMenuText);
    c.VLine(left, y, top, kMenuText);
    c.VLine(left + w - 1, y, top, kMenuText);
    if (active) c.HLine(left + 1, left + w - 2, top, Focused() ? kMenuFocus : kMenuWindow);
    c.DrawText(f, left + 8, y + (kTabHeight - y - f.CellHeight) / 2, tabs_[i], TextColor);
    left += w;
  }
  if (picture_.Width > 0) {
    int32_t x = area_.Left + (area_.Width() - picture_.Width) / 2;
    int32_t y = area_.Top + (area_.Height() - picture_.Height) / 2;
    CanvasState keep(c);
    c.SetClip(Intersect(c.Clip(), Rect{c.OriginX() + 1, c.OriginY() + top + 1,
                                       c.OriginX() + Width - 1, c.OriginY() + Height - 1}));
    c.DrawImage(x, y, picture_.Width, picture_.Height, picture_.Pixels.data());
  }
}

void TabControl::MouseDown(int32_t button, int32_t x, int32_t y) {
  if (button == kMouseLeft) Pick(TabAt(x, y));
}

bool TabControl::KeyDown(int32_t vk, bool) {
  if (vk == vk::kLeft) {
    Pick(index_ - 1);
    return true;
  }
  if (vk == vk::kRight) {
    Pick(index_ + 1);
    return true;
  }
  return false;
}

}  // namespace tw
