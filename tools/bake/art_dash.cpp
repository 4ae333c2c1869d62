// The dashboard along the bottom of the play field with its gauges, the
// cursors and the little water effects.
#include <cmath>
#include <string>
#include <vector>

#include "bake/art.h"
#include "bake/art_canvas.h"

namespace tw::bake {
namespace {

// Screen places the game draws at; the dashboard's top edge is at y 380.
constexpr int32_t kDashTop = 380, kDashH = 100;
constexpr int32_t kMeterX = 58, kMeterY = 389, kMeterW = 200, kMeterH = 36;
constexpr int32_t kBarX = 284, kBarY = 419, kBarW = 200, kBarH = 32;
constexpr int32_t kBarFrames = 21;
constexpr int32_t kClockX = 548, kClockY = 416;

const Rgb kPanel = Hex(0x34404C), kBrass = Hex(0xC9A45C), kInk = Hex(0x1A1E22);

void Recess(cairo_t* cr, double x, double y, double w, double h, Rgb fill) {
  RoundedRect(cr, x, y, w, h, 5);
  SetColor(cr, fill);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Hex(0x151A1F));
  cairo_stroke(cr);
  RoundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, 4);
  cairo_set_line_width(cr, 1);
  SetColor(cr, Hex(0x5E6C78), 0.7);
  cairo_stroke(cr);
}

void Label(cairo_t* cr, const std::string& text, double x, double baseline) {
  UseFont(cr, "SansCondensed-Bold", 10);
  SetColor(cr, kBrass);
  DrawText(cr, text, x, baseline);
}

Picture Dashboard() {
  Canvas c(640, kDashH);
  cairo_t* cr = c.cr();
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, kDashH);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.30, 0.36, 0.42);
  cairo_pattern_add_color_stop_rgb(g, 0.1, kPanel.r, kPanel.g, kPanel.b);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.14, 0.17, 0.21);
  cairo_rectangle(cr, 0, 0, 640, kDashH);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Brushed lines and a brass rail along the top.
  for (int y = 6; y < kDashH; y += 3) {
    cairo_rectangle(cr, 0, y, 640, 1);
    SetColor(cr, Hex(0xFFFFFF), 0.025);
    cairo_fill(cr);
  }
  cairo_rectangle(cr, 0, 0, 640, 4);
  SetColor(cr, kBrass);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 0, 640, 1);
  SetColor(cr, Hex(0xF2DDA0));
  cairo_fill(cr);
  for (int x = 10; x < 640; x += 90) {
    for (int y : {12, 90}) {
      Ellipse(cr, x, y, 2.2, 2.2);
      SetColor(cr, Hex(0x8C98A4));
      cairo_fill(cr);
    }
  }
  const double my = kMeterY - kDashTop;
  Recess(cr, kMeterX - 6, my - 5, kMeterW + 12, kMeterH + 10, Hex(0x1C2A34));
  Label(cr, "CATCH", kMeterX - 4, my - 8);
  const double by = kBarY - kDashTop;
  Recess(cr, kBarX - 6, by - 5, kBarW + 12, kBarH + 9, Hex(0x1C2228));
  Label(cr, "STRIKE", kBarX - 4, by - 8);
  // The catch line's window.
  Recess(cr, 64, 73, 264, 22, Hex(0x202830));
  // The clock window.
  const double cy = kClockY - kDashTop;
  Recess(cr, kClockX + 12, cy - 5, 80, 38, Hex(0x0E1A12));
  Label(cr, "TIME", kClockX + 14, cy - 8);
  // The game's name, stamped in the corner.
  UseFont(cr, "Serif-Bold", 17);
  SetColor(cr, Hex(0x1E252C));
  DrawText(cr, "Tarnwick", 508, 92);
  SetColor(cr, kBrass);
  DrawText(cr, "Tarnwick", 507, 91);
  return c.ToOpaque(kPanel);
}

void FishIcon(cairo_t* cr, double cx, double cy, double len, Rgb fill, Rgb line) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_move_to(cr, len / 2, 0);
  cairo_curve_to(cr, len * 0.35, -len * 0.28, -len * 0.15, -len * 0.3, -len * 0.32, 0);
  cairo_line_to(cr, -len / 2, -len * 0.2);
  cairo_line_to(cr, -len / 2, len * 0.2);
  cairo_line_to(cr, -len * 0.32, 0);
  cairo_curve_to(cr, -len * 0.15, len * 0.3, len * 0.35, len * 0.28, len / 2, 0);
  cairo_close_path(cr);
  SetColor(cr, fill);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, line);
  cairo_stroke(cr);
  Ellipse(cr, len * 0.28, -len * 0.05, 1.4, 1.4);
  SetColor(cr, line);
  cairo_fill(cr);
  cairo_restore(cr);
}

Picture FishMeter() {
  std::vector<Picture> frames;
  for (int k = 0; k <= 6; ++k) {
    Canvas c(kMeterW, kMeterH);
    cairo_t* cr = c.cr();
    cairo_rectangle(cr, 0, 0, kMeterW, kMeterH);
    SetColor(cr, Hex(0x1C2A34));
    cairo_fill(cr);
    for (int i = 0; i < 6; ++i) {
      const double cx = 17 + i * 33.2;
      if (i < k)
        FishIcon(cr, cx, kMeterH / 2.0, 28, Hex(0xF0C24A), Hex(0x6A4A12));
      else
        FishIcon(cr, cx, kMeterH / 2.0, 28, Hex(0x26363F), Hex(0x3E525E));
    }
    frames.push_back(c.ToOpaque(Hex(0x1C2A34)));
  }
  return FrameStrip(frames, 1);
}

// The strike bar: a needle swings over a track; the five positions that land
// the fish (two either side of frame (n + 2) / 2) sit in a marked green zone.
Picture PowerBar() {
  const int32_t centre = (kBarFrames + 2) / 2;
  auto xOf = [](double k) { return 10 + k * (kBarW - 20.0) / (kBarFrames - 1); };
  const double step = (kBarW - 20.0) / (kBarFrames - 1);
  std::vector<Picture> frames;
  for (int k = 0; k < kBarFrames; ++k) {
    Canvas c(kBarW, kBarH);
    cairo_t* cr = c.cr();
    cairo_rectangle(cr, 0, 0, kBarW, kBarH);
    SetColor(cr, Hex(0x1C2228));
    cairo_fill(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(xOf(0), 0, xOf(kBarFrames - 1), 0);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.75, 0.15, 0.12);
    cairo_pattern_add_color_stop_rgb(g, xOf(centre - 3) / kBarW, 0.90, 0.70, 0.15);
    cairo_pattern_add_color_stop_rgb(g, xOf(centre) / kBarW, 0.95, 0.85, 0.35);
    cairo_pattern_add_color_stop_rgb(g, xOf(centre + 3) / kBarW, 0.90, 0.70, 0.15);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.75, 0.15, 0.12);
    RoundedRect(cr, 4, 9, kBarW - 8, 14, 6);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // The landing zone.
    const double z0 = xOf(centre - 2) - step / 2, z1 = xOf(centre + 2) + step / 2;
    cairo_rectangle(cr, z0, 7, z1 - z0, 18);
    SetColor(cr, Hex(0x38C45A));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, Hex(0xD8FFD8));
    cairo_stroke(cr);
    for (int t = 0; t < kBarFrames; ++t) {
      cairo_rectangle(cr, std::floor(xOf(t)), 23, 1, t == centre ? 6 : 3);
      SetColor(cr, Hex(0xC8D0D8));
      cairo_fill(cr);
    }
    // The needle.
    const double x = xOf(k);
    Poly(cr, {{x - 5, 1}, {x + 5, 1}, {x, 9}});
    SetColor(cr, Hex(0xFFFFFF));
    cairo_fill(cr);
    cairo_rectangle(cr, x - 1.5, 6, 3, 20);
    SetColor(cr, Hex(0xF8F8F8));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    SetColor(cr, Hex(0x202020));
    cairo_stroke(cr);
    frames.push_back(c.ToOpaque(Hex(0x1C2228)));
  }
  return FrameStrip(frames, 1);
}

Picture Arrow() {
  Canvas c(16, 22);
  cairo_t* cr = c.cr();
  Poly(cr, {{1, 1}, {1, 17}, {5, 13.5}, {8, 20}, {10.5, 19}, {7.6, 12.6}, {13, 12.6}});
  SetColor(cr, Hex(0xFFFFFF));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Hex(0x141414));
  cairo_stroke(cr);
  return c.ToKeyed(Hex(0x141414), 0.45);
}

Picture ThrottleCursor() {
  Canvas c(32, 32);
  cairo_t* cr = c.cr();
  // A ship's wheel: the boat follows the cursor.
  cairo_arc(cr, 16, 16, 10, 0, 2 * M_PI);
  OutlinedStroke(cr, 3, Hex(0x1C1C1C), 1.8, Hex(0xF0C060));
  for (int i = 0; i < 8; ++i) {
    double a = i * M_PI / 4;
    cairo_move_to(cr, 16 + std::cos(a) * 3, 16 + std::sin(a) * 3);
    cairo_line_to(cr, 16 + std::cos(a) * 14, 16 + std::sin(a) * 14);
  }
  OutlinedStroke(cr, 3, Hex(0x1C1C1C), 1.6, Hex(0xF0C060));
  Ellipse(cr, 16, 16, 3, 3);
  SetColor(cr, Hex(0xFFF0B0));
  cairo_fill(cr);
  return c.ToKeyed(Hex(0x1C1C1C), 0.45);
}

Picture NoFishCursor() {
  Canvas c(32, 32);
  cairo_t* cr = c.cr();
  cairo_arc(cr, 16, 16, 9, 0, 2 * M_PI);
  cairo_move_to(cr, 9.6, 22.4);
  cairo_line_to(cr, 22.4, 9.6);
  OutlinedStroke(cr, 5, Hex(0x1C1C1C), 3, Hex(0xE83A2A));
  return c.ToKeyed(Hex(0x1C1C1C), 0.45);
}

Picture Splash() {
  Canvas c(32, 16);
  cairo_t* cr = c.cr();
  Ellipse(cr, 16, 8, 15, 7);
  SetColor(cr, Hex(0xE8F6FF));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  Ellipse(cr, 16, 8, 7, 3.5);
  SetColor(cr, Hex(0xC8E8F4));
  cairo_fill(cr);
  return c.ToKeyed(Hex(0x2F6F8E), 0.4);
}

Picture Foam() {
  Canvas c(16, 16);
  cairo_t* cr = c.cr();
  cairo_pattern_t* g = cairo_pattern_create_radial(7, 7, 1, 8, 8, 8);
  cairo_pattern_add_color_stop_rgb(g, 0, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.70, 0.86, 0.92);
  Ellipse(cr, 8, 8, 7.5, 7.5);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  return c.ToKeyed(Hex(0x2F6F8E), 0.4);
}

Picture Bobber() {
  Canvas c(9, 9);
  cairo_t* cr = c.cr();
  cairo_arc(cr, 4.5, 4.5, 4, M_PI, 2 * M_PI);
  SetColor(cr, Hex(0xE8302A));
  cairo_fill(cr);
  cairo_arc(cr, 4.5, 4.5, 4, 0, M_PI);
  SetColor(cr, Hex(0xF8F8F4));
  cairo_fill(cr);
  Ellipse(cr, 3.2, 3.0, 1.1, 0.8);
  SetColor(cr, Hex(0xFFC8C0));
  cairo_fill(cr);
  return c.ToKeyed(Hex(0x2F6F8E), 0.4);
}

}  // namespace

void AddDashboard(LibraryBuilder& lib) {
  lib.Add("fishdash", Dashboard());
  lib.Add("fishmeter", FishMeter(), kMeterW, kMeterH);
  lib.Add("powerbar", PowerBar(), kBarW, kBarH);
  AddPopups(lib);
  lib.Add("mouse", Arrow());
  lib.Add("mousegas", ThrottleCursor());
  lib.Add("mousenofish", NoFishCursor());
  lib.Add("splash", Splash());
  lib.Add("water", Foam());
  lib.Add("bobber", Bobber());
}

}  // namespace tw::bake
