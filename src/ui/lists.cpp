#include "ui/lists.h"

#include <algorithm>

namespace tw {

// ---- scroll bar ----

void ScrollBar::ScrollTo(int32_t top) {
  Top = std::clamp(top, 0, MaxTop());
}

void ScrollBar::Thumb(int32_t height, int32_t& pos, int32_t& size) const {
  int32_t track = std::max(0, height - 2 * kWidth);
  size = Rows > 0 ? std::max(8, static_cast<int32_t>(int64_t{track} * Page / Rows)) : track;
  size = std::min(size, track);
  int32_t room = track - size;
  pos = kWidth + (MaxTop() > 0 ? static_cast<int32_t>(int64_t{room} * Top / MaxTop()) : 0);
}

void ScrollBar::Paint(Canvas& c, int32_t x, int32_t height) const {
  c.FillRect(x, 0, kWidth, height, kMenuFace);
  c.FrameRect(x, 0, kWidth, height, kMenuText);
  c.FrameRect(x, 0, kWidth, kWidth, kMenuText);
  c.FrameRect(x, height - kWidth, kWidth, kWidth, kMenuText);
  // Arrow heads: small triangles pointing up and down.
  int32_t mid = x + kWidth / 2;
  for (int32_t i = 0; i < 4; ++i) {
    c.HLine(mid - i, mid + i - 1, 5 + i, kMenuText);
    c.HLine(mid - i, mid + i - 1, height - 6 - i, kMenuText);
  }
  int32_t pos, size;
  Thumb(height, pos, size);
  if (size > 0) {
    c.FillRect(x + 2, pos + 1, kWidth - 4, size - 2, grab_ >= 0 ? kMenuText : kMenuFocus);
    c.FrameRect(x + 1, pos, kWidth - 2, size, kMenuText);
  }
}

void ScrollBar::MouseDown(int32_t y, int32_t height) {
  int32_t pos, size;
  Thumb(height, pos, size);
  if (y < kWidth) {
    ScrollTo(Top - 1);
  } else if (y >= height - kWidth) {
    ScrollTo(Top + 1);
  } else if (y < pos) {
    ScrollTo(Top - Page);
  } else if (y >= pos + size) {
    ScrollTo(Top + Page);
  } else {
    grab_ = y - pos;
  }
}

void ScrollBar::MouseMove(int32_t y, int32_t height) {
  if (grab_ < 0) return;
  int32_t pos, size;
  Thumb(height, pos, size);
  int32_t room = height - 2 * kWidth - size;
  if (room <= 0) return;
  int32_t at = y - grab_ - kWidth;
  ScrollTo(static_cast<int32_t>((int64_t{at} * MaxTop() + room / 2) / room));
}

// ---- list box ----

int32_t ListBox::ItemHeight() const {
  return UsedFont().CellHeight + 1;
}

int32_t ListBox::VisibleRows() const {
  return std::max(1, (Height - 4) / ItemHeight());
}

void ListBox::Layout() {
  bar_.Rows = Count();
  bar_.Page = VisibleRows();
  bar_.ScrollTo(bar_.Top);
}

void ListBox::Clear() {
  items_.clear();
  index_ = -1;
  bar_.Top = 0;
  Layout();
  Invalidate();
}

void ListBox::Add(std::string item) {
  items_.push_back(std::move(item));
  Layout();
  Invalidate();
}

void ListBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  index_ = -1;
  bar_.Top = 0;
  Layout();
  Invalidate();
}

void ListBox::SetItemIndex(int32_t index) {
  index_ = (index >= 0 && index < Count()) ? index : -1;
  if (index_ >= 0) ScrollIntoView(index_);
  Invalidate();
}

void ListBox::SetTopIndex(int32_t top) {
  Layout();
  bar_.ScrollTo(top);
  Invalidate();
}

void ListBox::ScrollIntoView(int32_t index) {
  Layout();
  if (index < bar_.Top) bar_.ScrollTo(index);
  if (index >= bar_.Top + bar_.Page) bar_.ScrollTo(index - bar_.Page + 1);
}

int32_t ListBox::ItemAtPos(int32_t x, int32_t y) const {
  int32_t right = Width - (bar_.Needed() ? ScrollBar::kWidth : 0);
  if (x < 0 || x >= right || y < 2 || y >= Height - 2) return -1;
  int32_t row = (y - 2) / ItemHeight();
  if (row >= VisibleRows()) return -1;
  int32_t i = bar_.Top + row;
  return i < Count() ? i : -1;
}

void ListBox::Pick(int32_t index) {
  if (index < 0 || index >= Count()) return;
  index_ = index;
  ScrollIntoView(index);
  Invalidate();
}

void ListBox::Paint(Canvas& c) {
  Layout();
  const Font& f = c.GetFont(FontName);
  c.FillRect(0, 0, Width, Height, kMenuWindow);
  c.FrameRect(0, 0, Width, Height, Enabled() ? kMenuText : kMenuDisabled);
  int32_t right = Width - (bar_.Needed() ? ScrollBar::kWidth : 0);
  int32_t ih = ItemHeight();
  Rect whole = c.Clip();
  CanvasState keep(c);
  c.SetClip(Intersect(c.Clip(), Rect{c.OriginX() + 1, c.OriginY() + 1, c.OriginX() + right - 1,
                                     c.OriginY() + Height - 1}));
  for (int32_t row = 0; row < bar_.Page && bar_.Top + row < Count(); ++row) {
    int32_t i = bar_.Top + row;
    int32_t y = 2 + row * ih;
    if (i == index_) {
      c.FillRect(2, y, right - 4, ih, kMenuFocus);
      if (Focused()) c.FrameRect(2, y, right - 4, ih, kMenuText);
    }
    c.DrawText(f, 4, y, items_[static_cast<size_t>(i)], Enabled() ? TextColor : kMenuDisabled);
  }
  if (Focused() && index_ < 0) c.FrameRect(2, 2, right - 4, ih, kMenuFocus);
  c.SetClip(whole);
  if (bar_.Needed()) bar_.Paint(c, Width - ScrollBar::kWidth, Height);
}

void ListBox::MouseDown(int32_t button, int32_t x, int32_t y) {
  if (button != kMouseLeft) return;
  Layout();
  if (bar_.Needed() && x >= Width - ScrollBar::kWidth) {
    scrolling_ = true;
    bar_.MouseDown(y, Height);
    Invalidate();
    return;
  }
  int32_t i = ItemAtPos(x, y);
  if (i < 0) return;  // empty space: the selection stays as it was
  picking_ = true;
  Pick(i);
}

void ListBox::MouseMove(int32_t x, int32_t y, bool held) {
  if (!held) return;
  if (scrolling_) {
    bar_.MouseMove(y, Height);
    Invalidate();
    return;
  }
  if (!picking_) return;
  // Dragging past the ends scrolls the list along.
  if (y < 2) {
    Pick(std::max(0, bar_.Top - 1));
  } else if (y >= Height - 2) {
    Pick(std::min(Count() - 1, bar_.Top + bar_.Page));
  } else if (int32_t i = ItemAtPos(std::clamp(x, 0, Width - 1), y); i >= 0) {
    Pick(i);
  }
}

void ListBox::MouseUp(int32_t button, int32_t, int32_t) {
  if (button != kMouseLeft) return;
  if (scrolling_) {
    scrolling_ = false;
    bar_.MouseUp();
    Invalidate();
    return;
  }
  if (!picking_) return;
  picking_ = false;
  Click();
}

void ListBox::DoubleClick(int32_t x, int32_t y) {
  if (ItemAtPos(x, y) >= 0 && OnDblClick) OnDblClick();
}

bool ListBox::Wheel(int32_t delta) {
  Layout();
  if (!bar_.Needed()) return false;
  bar_.ScrollTo(bar_.Top - 3 * delta / 120);
  Invalidate();
  return true;
}

bool ListBox::KeyDown(int32_t vk, bool) {
  if (Count() == 0) return vk == vk::kUp || vk == vk::kDown;
  Layout();
  int32_t target;
  switch (vk) {
    case vk::kUp:
      target = index_ < 0 ? 0 : index_ - 1;
      break;
    case vk::kDown:
      target = index_ + 1;
      break;
    case vk::kPrior:
      target = index_ - (bar_.Page - 1);
      break;
    case vk::kNext:
      target = index_ + (bar_.Page - 1);
      break;
    case vk::kHome:
      target = 0;
      break;
    case vk::kEnd:
      target = Count() - 1;
      break;
    default:
      return false;
  }
  target = std::clamp(target, 0, Count() - 1);
  if (target != index_) {
    Pick(target);
    Click();
  }
  return true;
}

// ---- memo ----

std::vector<std::string> WrapLine(const Font& font, const std::string& line, int32_t width) {
  std::vector<std::string> out;
  size_t start = 0;
  width = std::max(width, 1);
  while (start < line.size()) {
    int32_t w = 0;
    size_t end = start, lastBreak = std::string::npos;
    while (end < line.size()) {
      int32_t adv = font.Advance(static_cast<uint8_t>(line[end]));
      if (w + adv > width && line[end] != ' ') break;
      w += adv;
      if (line[end] == ' ') lastBreak = end + 1;
      ++end;
    }
    if (end < line.size()) {
      if (lastBreak != std::string::npos && lastBreak > start)
        end = lastBreak;
      else if (end == start)
        ++end;  // a character wider than the memo
    }
    out.push_back(line.substr(start, end - start));
    start = end;
  }
  if (out.empty()) out.emplace_back();
  return out;
}

void Memo::Clear() {
  lines_.clear();
  wrappedFor_ = -1;
  bar_.Top = 0;
  Invalidate();
}

void Memo::Add(std::string line) {
  lines_.push_back(std::move(line));
  wrappedFor_ = -1;
  Invalidate();
}

void Memo::SetLines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  wrappedFor_ = -1;
  bar_.Top = 0;
  Invalidate();
}

void Memo::Rewrap() const {
  const Font& f = UsedFont();
  int32_t ih = f.CellHeight;
  bar_.Page = std::max(1, (Height - 4) / ih);
  auto wrapTo = [&](int32_t width) {
    wrapped_.clear();
    for (auto& l : lines_) {
      if (!WordWrap) {
        wrapped_.push_back(l);
        continue;
      }
      for (auto& piece : WrapLine(f, l, width)) wrapped_.push_back(std::move(piece));
    }
    bar_.Rows = static_cast<int32_t>(wrapped_.size());
  };
  int32_t full = Width - 8;
  wrapTo(full);
  if (bar_.Needed()) wrapTo(full - ScrollBar::kWidth);
  wrappedFor_ = Width;
  bar_.ScrollTo(bar_.Top);
}

const std::vector<std::string>& Memo::ShownLines() const {
  if (wrappedFor_ != Width) Rewrap();
  return wrapped_;
}

void Memo::Paint(Canvas& c) {
  ShownLines();
  const Font& f = c.GetFont(FontName);
  c.FillRect(0, 0, Width, Height, kMenuWindow);
  c.FrameRect(0, 0, Width, Height, kMenuText);
  int32_t right = Width - (bar_.Needed() ? ScrollBar::kWidth : 0);
  {
    CanvasState keep(c);
    c.SetClip(Intersect(c.Clip(), Rect{c.OriginX() + 1, c.OriginY() + 1, c.OriginX() + right - 1,
                                       c.OriginY() + Height - 1}));
    for (int32_t row = 0; row < bar_.Page && bar_.Top + row < bar_.Rows; ++row)
      c.DrawText(f, 4, 2 + row * f.CellHeight, wrapped_[static_cast<size_t>(bar_.Top + row)],
                 TextColor);
  }
  if (bar_.Needed()) bar_.Paint(c, Width - ScrollBar::kWidth, Height);
}

void Memo::MouseDown(int32_t button, int32_t x, int32_t y) {
  ShownLines();
  if (button == kMouseLeft && bar_.Needed() && x >= Width - ScrollBar::kWidth) {
    bar_.MouseDown(y, Height);
    Invalidate();
  }
}

void Memo::MouseMove(int32_t, int32_t y, bool held) {
  if (held && bar_.Dragging()) {
    bar_.MouseMove(y, Height);
    Invalidate();
  }
}

void Memo::MouseUp(int32_t, int32_t, int32_t) {
  bar_.MouseUp();
  Invalidate();
}

bool Memo::Wheel(int32_t delta) {
  ShownLines();
  if (!bar_.Needed()) return false;
  bar_.ScrollTo(bar_.Top - 3 * delta / 120);
  Invalidate();
  return true;
}

bool Memo::KeyDown(int32_t vk, bool) {
  ShownLines();
  int32_t top = bar_.Top;
  switch (vk) {
    case vk::kUp:
      top -= 1;
      break;
    case vk::kDown:
      top += 1;
      break;
    case vk::kPrior:
      top -= bar_.Page;
      break;
    case vk::kNext:
      top += bar_.Page;
      break;
    case vk::kHome:
      top = 0;
      break;
    case vk::kEnd:
      top = bar_.MaxTop();
      break;
    default:
      return false;
  }
  bar_.ScrollTo(top);
  Invalidate();
  return true;
}

}  // namespace tw
