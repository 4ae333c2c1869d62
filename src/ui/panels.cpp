#include "ui/panels.h"

#include <algorithm>

namespace tw {

namespace {

int32_t AlignX(Align a, int32_t width, int32_t textWidth, int32_t margin) {
  switch (a) {
    case Align::Left:
      return margin;
    case Align::Right:
      return width - margin - textWidth;
    case Align::Center:
      break;
  }
  return (width - textWidth) / 2;
}

}  // namespace

void GroupBox::Paint(Canvas& c) {
  const Font& f = c.GetFont(FontName);
  if (Fill) c.FillRect(0, 0, Width, Height, *Fill);
  // The frame runs through the middle of the caption's line, with a gap
  // for the caption so a see-through box shows the picture behind it.
  int32_t top = Caption.empty() ? 0 : f.Ascent / 2 + 1;
  int32_t gapFrom = Caption.empty() ? Width : 6;
  int32_t gapTo = Caption.empty() ? Width : 10 + f.TextWidth(Caption);
  c.HLine(0, std::min(gapFrom, Width) - 1, top, kMenuText);
  if (gapTo < Width - 1) c.HLine(gapTo, Width - 1, top, kMenuText);
  c.VLine(0, top, Height - 1, kMenuText);
  c.VLine(Width - 1, top, Height - 1, kMenuText);
  c.HLine(0, Width - 1, Height - 1, kMenuText);
  if (!Caption.empty()) c.DrawText(f, 8, 0, Caption, Enabled() ? TextColor : kMenuDisabled);
}

void Panel::Paint(Canvas& c) {
  if (Fill) c.FillRect(0, 0, Width, Height, *Fill);
  if (Framed) c.FrameRect(0, 0, Width, Height, kMenuText);
  if (Caption.empty()) return;
  const Font& f = c.GetFont(FontName);
  c.DrawText(f, AlignX(Alignment, Width, f.TextWidth(Caption), 6), (Height - f.CellHeight) / 2,
             Caption, TextColor);
}

void Label::FitContent(const FontSet& fonts) {
  if (!AutoSize) return;
  const Font& f = fonts.Get(FontName);
  Width = f.TextWidth(Caption);
  Height = f.CellHeight;
}

void Label::Paint(Canvas& c) {
  const Font& f = c.GetFont(FontName);
  c.DrawText(f, AlignX(Alignment, Width, f.TextWidth(Caption), 0), 0, Caption,
             Enabled() ? TextColor : kMenuDisabled);
}

void Gauge::SetRange(int32_t min, int32_t max) {
  if (max < min) std::swap(min, max);
  min_ = min;
  max_ = max;
  SetPosition(position_);
  Invalidate();
}

void Gauge::SetPosition(int32_t position) {
  position = std::clamp(position, min_, max_);
  if (position != position_) Invalidate();
  position_ = position;
}

void Gauge::StepBy(int32_t delta) {
  int64_t p = static_cast<int64_t>(position_) + delta;
  SetPosition(static_cast<int32_t>(std::clamp<int64_t>(p, min_, max_)));
}

void Gauge::Paint(Canvas& c) {
  c.FillRect(1, 1, Width - 2, Height - 2, kMenuWindow);
  c.FrameRect(0, 0, Width, Height, kMenuText);
  int64_t span = static_cast<int64_t>(max_) - min_;
  if (span <= 0) return;
  int32_t inner = Width - 4;
  int32_t filled = static_cast<int32_t>((static_cast<int64_t>(position_) - min_) * inner / span);
  c.FillRect(2, 2, filled, Height - 4, kMenuText);
  // Notches mark each step of a short range, so levels can be counted.
  if (span <= 10)
    for (int64_t i = 1; i < span; ++i) {
      int32_t x = 2 + static_cast<int32_t>(i * inner / span);
      c.VLine(x, 2, Height - 3, kMenuFocus);
    }
}

}  // namespace tw
