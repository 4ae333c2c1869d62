// Sprite library assembly and contact sheets.
#include "bake/library_builder.h"

#include <algorithm>

#include "bake/art_canvas.h"
#include "core/error.h"
#include "media/png/png_file.h"

namespace tw::bake {

void LibraryBuilder::Add(const std::string& name, Picture picture, int32_t patternWidth,
                         int32_t patternHeight) {
  if (picture.Width <= 0 || picture.Height <= 0) throw GameError("Picture '" + name + "' is empty");
  if ((patternWidth > 0 && picture.Width % patternWidth != 0) ||
      (patternHeight > 0 && picture.Height % patternHeight != 0))
    throw GameError("Picture '" + name + "' is not a whole number of frames");
  items_.push_back({name, std::move(picture), patternWidth, patternHeight});
}

std::vector<uint8_t> LibraryBuilder::Bytes() const {
  std::vector<SpriteItemSpec> specs;
  specs.reserve(items_.size());
  for (const LibraryPicture& it : items_)
    specs.push_back(MakeSpriteItem(it.name, it.picture, it.patternWidth, it.patternHeight));
  return WriteSpriteLibrary(specs);
}

void LibraryBuilder::Write(const std::string& path) const {
  WriteBytes(path, Bytes());
}

Picture FrameStrip(const std::vector<Picture>& frames, int32_t columns) {
  if (frames.empty()) throw GameError("No frames to lay out");
  const int32_t fw = frames[0].Width, fh = frames[0].Height;
  const int32_t n = static_cast<int32_t>(frames.size());
  const int32_t cols = std::min(columns, n);
  const int32_t rows = (n + cols - 1) / cols;
  Picture out(fw * cols, fh * rows);
  for (int32_t k = 0; k < n; ++k) {
    const Picture& f = frames[static_cast<size_t>(k)];
    if (f.Width != fw || f.Height != fh) throw GameError("Frames differ in size");
    const int32_t ox = (k % cols) * fw, oy = (k / cols) * fh;
    for (int32_t y = 0; y < fh; ++y)
      std::copy_n(&f.Pixels[static_cast<size_t>(y) * fw], fw,
                  &out.Pixels[static_cast<size_t>(oy + y) * out.Width + ox]);
  }
  return out;
}

namespace {

constexpr int32_t kSheetWidth = 1200;
constexpr int32_t kGap = 4;

struct Placed {
  const LibraryPicture* item;
  int32_t fw, fh, count, cols, left, top, width, height, zoom;
};

}  // namespace

void LibraryBuilder::WritePreview(const std::string& pngPath, const std::string& title) const {
  // First pass: where everything goes. Items flow left to right and wrap
  // when the sheet is full.
  std::vector<Placed> placed;
  int32_t x = 8, y = 40, rowHeight = 0;
  for (const LibraryPicture& it : items_) {
    Placed p{&it,
             it.patternWidth > 0 ? it.patternWidth : it.picture.Width,
             it.patternHeight > 0 ? it.patternHeight : it.picture.Height,
             0,
             0,
             0,
             0,
             0,
             0,
             1};
    // Small frames are shown twice as large so their detail can be judged.
    if (p.fw <= 80 && p.fh <= 100) p.zoom = 2;
    const int32_t across = it.picture.Width / p.fw, down = it.picture.Height / p.fh;
    p.count = across * down;
    p.cols = std::max(1, std::min(p.count, (kSheetWidth - 16) / (p.fw * p.zoom + kGap)));
    const int32_t rows = (p.count + p.cols - 1) / p.cols;
    p.width = std::max(150, p.cols * (p.fw * p.zoom + kGap)) + 12;
    p.height = 20 + rows * (p.fh * p.zoom + kGap) + 8;
    if (x + p.width > kSheetWidth && x > 8) {
      x = 8;
      y += rowHeight;
      rowHeight = 0;
    }
    p.left = x;
    p.top = y;
    x += p.width;
    rowHeight = std::max(rowHeight, p.height);
    placed.push_back(p);
  }
  y += rowHeight;
  Canvas sheet(kSheetWidth, y + 8);
  cairo_t* cr = sheet.cr();
  SetColor(cr, Hex(0xE8E4DA));
  cairo_paint(cr);
  UseFont(cr, "Sans-Bold", 18);
  SetColor(cr, Hex(0x303030));
  DrawText(cr, title, 8, 26);
  UseFont(cr, "Sans", 12);
  for (const Placed& p : placed) {
    const Picture& pic = p.item->picture;
    SetColor(cr, Hex(0x202850));
    std::string label = p.item->name + "  " + std::to_string(p.count) + " x " +
                        std::to_string(p.fw) + "x" + std::to_string(p.fh);
    DrawText(cr, label, p.left, p.top + 14);
    cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_RGB24, pic.Width, pic.Height);
    cairo_surface_flush(img);
    uint8_t* data = cairo_image_surface_get_data(img);
    const int stride = cairo_image_surface_get_stride(img);
    for (int32_t py = 0; py < pic.Height; ++py) {
      auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(py) * stride);
      for (int32_t px = 0; px < pic.Width; ++px) {
        uint32_t c = pic.At(px, py);
        row[px] = c == 0 ? 0x56687Au : c;
      }
    }
    cairo_surface_mark_dirty(img);
    for (int32_t k = 0; k < p.count; ++k) {
      const int32_t across = pic.Width / p.fw;
      const int32_t sx = (k % across) * p.fw, sy = (k / across) * p.fh;
      const int32_t dx = p.left + (k % p.cols) * (p.fw * p.zoom + kGap);
      const int32_t dy = p.top + 20 + (k / p.cols) * (p.fh * p.zoom + kGap);
      cairo_save(cr);
      cairo_translate(cr, dx, dy);
      cairo_scale(cr, p.zoom, p.zoom);
      cairo_set_source_surface(cr, img, -sx, -sy);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
      cairo_rectangle(cr, 0, 0, p.fw, p.fh);
      cairo_fill(cr);
      cairo_restore(cr);
    }
    cairo_surface_destroy(img);
  }
  // The sheet is painted opaque, so its colours are taken as they stand.
  cairo_surface_flush(sheet.surface());
  Picture out(sheet.Width(), sheet.Height());
  const uint8_t* data = cairo_image_surface_get_data(sheet.surface());
  const int stride = cairo_image_surface_get_stride(sheet.surface());
  for (int32_t py = 0; py < out.Height; ++py) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(py) * stride);
    for (int32_t px = 0; px < out.Width; ++px) out.At(px, py) = row[px] & 0xFFFFFF;
  }
  WritePng(pngPath, out);
}

}  // namespace tw::bake
