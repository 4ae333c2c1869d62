// The play field's bitmap fonts: one glyph a frame, in the order of the
// game's character table, plus the clock's seven-segment digits.
#include <cmath>

#include "bake/art.h"
#include "bake/art_canvas.h"

namespace tw::bake {

const std::array<const char*, 67> kFontGlyphs = {
    "A", "B", "C",  "D", "E", "F", "G", "H",        "I",        "J",        "K", "L",
    "M", "N", "O",  "P", "Q", "R", "S", "T",        "U",        "V",        "W", "X",
    "Y", "Z", "\"", "a", "t",  // a lower-case pair the drawers never reach
    " ", " ",                  // the second space is also every unknown character
    "0", "1", "2",  "3", "4", "5", "6", "7",        "8",        "9",        "<", ">",
    "=", "(", ")",  "-", "'", "!", "_", "+",        "\\",       "/",        "{", "}",
    "^", "&", "%",  ".", "=", "$", "#", "\xC3\x85", "\xC3\x96", "\xC3\x84", "?", "*"};

namespace {

struct FontLook {
  const char* name;
  int32_t advance, height;  // frame width and frame height
  const char* face;
  double size, baseline;
  Rgb top, bottom;  // fill gradient
  Rgb outline;
  double outlineWidth;  // 0 = none
  Rgb matte;            // what the text is mostly drawn over
};

void AddFont(LibraryBuilder& lib, const FontLook& f) {
  const int32_t n = static_cast<int32_t>(kFontGlyphs.size());
  Canvas c(f.advance * n, f.height);
  cairo_t* cr = c.cr();
  UseFont(cr, f.face, f.size);
  cairo_pattern_t* grad = cairo_pattern_create_linear(0, f.baseline - f.size * 0.75, 0, f.baseline);
  cairo_pattern_add_color_stop_rgb(grad, 0, f.top.r, f.top.g, f.top.b);
  cairo_pattern_add_color_stop_rgb(grad, 1, f.bottom.r, f.bottom.g, f.bottom.b);
  for (int32_t k = 0; k < n; ++k) {
    const std::string g = kFontGlyphs[static_cast<size_t>(k)];
    if (g == " ") continue;
    cairo_save(cr);
    cairo_rectangle(cr, k * f.advance, 0, f.advance, f.height);
    cairo_clip(cr);
    // Each glyph is centred in its cell, on whole pixels so it stays crisp.
    const double w = TextWidth(cr, g);
    const double x = k * f.advance + std::floor((f.advance - w) / 2 + 0.5);
    cairo_move_to(cr, x, f.baseline);
    cairo_text_path(cr, g.c_str());
    if (f.outlineWidth > 0) {
      SetColor(cr, f.outline);
      cairo_set_line_width(cr, f.outlineWidth);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke_preserve(cr);
    }
    cairo_set_source(cr, grad);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  cairo_pattern_destroy(grad);
  lib.Add(f.name, c.ToKeyed(f.matte, 0.35), f.advance, f.height);
}

// Seven segments a, b, c, d, e, f, g (top, upper right, lower right, bottom,
// lower left, upper left, middle) lit for 0..9 and the minus sign.
constexpr uint8_t kSegments[11] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D,
                                   0x7D, 0x07, 0x7F, 0x6F, 0x40};

void Segment(cairo_t* cr, double x0, double y0, double x1, double y1, double t) {
  // A long hexagon between two points, thickness t.
  const double dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
  const double ux = dx / len, uy = dy / len, nx = -uy * t / 2, ny = ux * t / 2;
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x0 + ux * t / 2 + nx, y0 + uy * t / 2 + ny);
  cairo_line_to(cr, x1 - ux * t / 2 + nx, y1 - uy * t / 2 + ny);
  cairo_line_to(cr, x1, y1);
  cairo_line_to(cr, x1 - ux * t / 2 - nx, y1 - uy * t / 2 - ny);
  cairo_line_to(cr, x0 + ux * t / 2 - nx, y0 + uy * t / 2 - ny);
  cairo_close_path(cr);
}

void AddDigital(LibraryBuilder& lib) {
  constexpr int32_t kW = 18, kH = 28;
  Canvas c(kW * 11, kH);
  cairo_t* cr = c.cr();
  const Rgb lit = Hex(0x6CFF9A), dim = Hex(0x183A26);
  for (int32_t k = 0; k < 11; ++k) {
    const double l = k * kW + 4, r = k * kW + 14, top = 3, mid = 14, bot = 25, t = 3.2;
    const double sl = 1.2;  // a slight italic lean, like a real display
    struct Seg {
      double x0, y0, x1, y1;
    } segs[7] = {{l + sl * 2 + 1, top, r + sl * 2 - 1, top},
                 {r + sl * 2, top + 1, r + sl, mid - 1},
                 {r + sl, mid + 1, r, bot - 1},
                 {l + 1, bot, r - 1, bot},
                 {l, bot - 1, l + sl, mid + 1},
                 {l + sl, mid - 1, l + sl * 2, top + 1},
                 {l + sl + 1, mid, r + sl - 1, mid}};
    for (int s = 0; s < 7; ++s) {
      const bool on = (kSegments[k] >> s) & 1;
      Segment(cr, segs[s].x0, segs[s].y0, segs[s].x1, segs[s].y1, t);
      SetColor(cr, on ? lit : dim);
      cairo_fill(cr);
    }
  }
  lib.Add("digital", c.ToKeyed(Hex(0x0C1A12), 0.3), kW, kH);
}

}  // namespace

void AddSpriteFonts(LibraryBuilder& lib) {
  // The message line and the cash: large, bright, outlined so they read over
  // water and shore alike.
  AddFont(lib, {"bigfont", 22, 26, "Sans-Bold", 20, 21, Hex(0xFFF6C8), Hex(0xF2B33A), Hex(0x101010),
                3.2, Hex(0x101010)});
  // The dashboard's catch line.
  AddFont(lib, {"font", 11, 14, "SansCondensed-Bold", 13, 11, Hex(0xF4F0E0), Hex(0xD8CFA8),
                Hex(0x141414), 2.0, Hex(0x2A2F36)});
  // Signs and people: dark ink on pale boards.
  AddFont(lib, {"infofont", 9, 13, "SansCondensed-Bold", 12, 10, Hex(0x3A2410), Hex(0x2A1808),
                Hex(0), 0, Hex(0xE9D9B0)});
  AddDigital(lib);
}

}  // namespace tw::bake
