// Drawing sprite frames: a clipped copy out of the converted picture with
// the colour key left out, or the same scaled to a rectangle. Nothing here
// allocates; it runs for every sprite of every frame.
#include <algorithm>

#include "media/blit_keyed.h"
#include "media/image_list.h"

namespace tw {

void TPictureCollectionItem::Draw(Surface16& dest, int32_t x, int32_t y, int32_t frame) const {
  Draw(dest, x, y, frame, dest.Height());
}

void TPictureCollectionItem::Draw(Surface16& dest, int32_t x, int32_t y, int32_t frame,
                                  int32_t bottomLimit) const {
  if (!initialized_ || frame < 0 || frame >= grid_.Count()) return;
  const int32_t height = std::clamp(bottomLimit, 0, dest.Height());
  if (x > dest.Width() || y > height) return;
  // The frame's corner in the picture; most pictures' frames lie in one
  // row (the map's tiles all do), and those need no division.
  const int32_t columns = grid_.columns;
  const bool firstRow = frame < columns;
  const int64_t frameX = static_cast<int64_t>(firstRow ? frame : frame % columns) * grid_.cellW;
  const int64_t frameY = firstRow ? 0 : static_cast<int64_t>(frame / columns) * grid_.cellH;
  int64_t srcX = frameX, srcY = frameY;
  int64_t left = x, top = y, right = left + grid_.frameW, bottom = top + grid_.frameH;
  // Clipping moves the source corner with the destination's.
  if (left < 0) srcX -= left, left = 0;
  if (top < 0) srcY -= top, top = 0;
  right = std::min<int64_t>(right, dest.Width());
  bottom = std::min<int64_t>(bottom, height);
  if (right <= left || bottom <= top) return;
  const auto width = static_cast<int32_t>(right - left);
  const uint16_t key = ColorKey();
  if (Transparent && key == spanKey_ && !spanRows_.empty()) {
    DrawSpans(dest, frame, Rect{static_cast<int32_t>(frameX), static_cast<int32_t>(frameY), 0, 0},
              static_cast<int32_t>(srcX - frameX), static_cast<int32_t>(srcY - frameY),
              static_cast<int32_t>(left), static_cast<int32_t>(top), width,
              static_cast<int32_t>(bottom - top));
    return;
  }
  const uint16_t* src = converted_.data() + srcY * picture_.Width + srcX;
  for (int64_t row = top; row < bottom; ++row, src += picture_.Width) {
    uint16_t* out = dest.Row(static_cast<int32_t>(row)) + left;
    if (Transparent) {
      BlitKeyedRow(out, src, width, key);
    } else {
      BlitRow(out, src, width);
    }
  }
}

// Copies the visible part (columns frameX .. frameX + width, rows frameY ..
// frameY + height of the frame) run by run.
void TPictureCollectionItem::DrawSpans(Surface16& dest, int32_t frame, const Rect& r,
                                       int32_t frameX, int32_t frameY, int32_t left, int32_t top,
                                       int32_t width, int32_t height) const {
  const int32_t clipRight = frameX + width;
  const uint32_t* rowSpans = spanRows_.data() + static_cast<size_t>(frame) * grid_.frameH + frameY;
  const uint16_t* src =
      converted_.data() + static_cast<size_t>(r.Top + frameY) * picture_.Width + r.Left;
  if (frameX == 0 && clipRight >= grid_.frameW) {
    // Whole rows (most map tiles): every run is copied as it is, in one pass
    // over the runs of the rows shown.
    uint16_t* out = dest.Row(top) + left;
    const ptrdiff_t destW = dest.Width(), srcW = picture_.Width;
    // A whole frame standing on a map diamond: the rows above it run by
    // run, the diamond in one go.
    const bool diamond = frameY == 0 && height == grid_.frameH && !diamondBase_.empty() &&
                         diamondBase_[static_cast<size_t>(frame)];
    const int32_t runRows = diamond ? height - 32 : height;
    const Span* end = spans_.data() + rowSpans[runRows];
    for (const Span* span = spans_.data() + rowSpans[0]; span != end; ++span) {
      const ptrdiff_t j = span->row - frameY;
      BlitSpan(out + j * destW + span->start, src + j * srcW + span->start, span->length);
    }
    if (diamond) BlitDiamond64x32(out + runRows * destW, destW, src + runRows * srcW, srcW);
    return;
  }
  for (int32_t j = 0; j < height; ++j, src += picture_.Width) {
    uint16_t* out = dest.Row(top + j) + left;
    for (uint32_t k = rowSpans[j], end = rowSpans[j + 1]; k < end; ++k) {
      int32_t s = spans_[k].start, e = s + spans_[k].length;
      if (e <= frameX) continue;
      if (s >= clipRight) break;
      s = std::max(s, frameX);
      e = std::min(e, clipRight);
      BlitSpan(out + (s - frameX), src + s, e - s);
    }
  }
}

bool TPictureCollectionItem::PaintsRow(int32_t frame, int32_t row, int32_t width) const {
  if (!initialized_ || frame < 0 || frame >= grid_.Count() || row < 0 || row >= grid_.frameH ||
      width > grid_.frameW)
    return false;
  const Rect r = FrameRect(frame);
  if (r.Right > picture_.Width || r.Bottom > picture_.Height) return false;
  if (!Transparent) return true;
  // Drawn run by run: one run from the left edge, long enough.
  if (ColorKey() != spanKey_ || spanRows_.empty()) return false;
  const size_t at = static_cast<size_t>(frame) * grid_.frameH + static_cast<size_t>(row);
  const uint32_t first = spanRows_[at], end = spanRows_[at + 1];
  return width <= 0 || (end > first && spans_[first].start == 0 && spans_[first].length >= width);
}

bool TPictureCollectionItem::CoversDiamond(int32_t width, int32_t height) const {
  if (!initialized_ || grid_.Count() == 0 || height < 2 || height % 2 != 0 || width != 2 * height ||
      grid_.frameW != width || grid_.frameH < height)
    return false;
  const uint16_t key = ColorKey();
  const DiamondAnswer asked{true, false, Transparent, width, height, key};
  if (diamond_.known && diamond_.transparent == asked.transparent && diamond_.width == width &&
      diamond_.height == height && diamond_.key == key)
    return diamond_.covers;
  diamond_ = asked;
  for (int32_t f = 0; f < grid_.Count(); ++f) {
    const Rect r = FrameRect(f);
    // Frames reaching past the picture are never counted on.
    if (r.Right > picture_.Width || r.Bottom > picture_.Height) return false;
    if (!Transparent) continue;  // every pixel is painted
    for (int32_t j = 0; j < height; ++j) {
      const DiamondRow d = DiamondRowOf(height, j);
      const uint16_t* row =
          converted_.data() + static_cast<size_t>(r.Bottom - height + j) * picture_.Width + r.Left;
      for (int32_t x = d.start; x < d.start + d.length; ++x)
        if (row[x] == key) return false;
    }
  }
  diamond_.covers = true;
  return true;
}

void TPictureCollectionItem::StretchDraw(Surface16& dest, const Rect& rect, int32_t frame) const {
  if (!initialized_ || frame < 0 || frame >= grid_.Count() || rect.Empty()) return;
  if (rect.Left > dest.Width() || rect.Top > dest.Height()) return;
  const int64_t rectW = int64_t{rect.Right} - rect.Left, rectH = int64_t{rect.Bottom} - rect.Top;
  const int32_t x0 = std::max(rect.Left, 0), x1 = std::min(rect.Right, dest.Width());
  const int32_t y0 = std::max(rect.Top, 0), y1 = std::min(rect.Bottom, dest.Height());
  if (x1 <= x0 || y1 <= y0) return;
  const int64_t srcX = static_cast<int64_t>(frame % grid_.columns) * grid_.cellW;
  const int64_t srcY = static_cast<int64_t>(frame / grid_.columns) * grid_.cellH;
  const uint16_t key = ColorKey();
  // Each target pixel takes the source pixel under its centre: column
  // ((2i + 1) * frameW) / (2 * rectW) for the i-th column of the rectangle,
  // stepped along a row with its remainder instead of divided per pixel.
  const int64_t den = 2 * rectW, step = 2 * int64_t{grid_.frameW};
  const int64_t first = (2 * (int64_t{x0} - rect.Left) + 1) * grid_.frameW;
  const int64_t firstQ = first / den, firstR = first % den, stepQ = step / den, stepR = step % den;
  for (int32_t y = y0; y < y1; ++y) {
    int64_t sy = srcY + ((2 * (int64_t{y} - rect.Top) + 1) * grid_.frameH) / (2 * rectH);
    const uint16_t* src = converted_.data() + sy * picture_.Width + srcX;
    uint16_t* out = dest.Row(y);
    int64_t q = firstQ, r = firstR;
    for (int32_t x = x0; x < x1; ++x) {
      const uint16_t p = src[q];
      if (!Transparent || p != key) out[x] = p;
      q += stepQ, r += stepR;
      if (r >= den) ++q, r -= den;
    }
  }
}

}  // namespace tw
