// What stands in the water on the tiles: docks and piers, and the things
// floating on the lake that the boat can cross.
#include <cmath>

#include "bake/art_tiles.h"

namespace tw::bake {
namespace {

// A plank walk from one edge midpoint of the diamond to the opposite one.
void Walk(cairo_t* cr, const TileStyle& s, Pt a, Pt b, double half, bool posts) {
  const double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
  const double nx = -dy / len * half, ny = dx / len * half * 0.5;
  Pt c0{a.x + nx, a.y + ny}, c1{b.x + nx, b.y + ny}, c2{b.x - nx, b.y - ny}, c3{a.x - nx, a.y - ny};
  const double deck = 4;  // raised above the water
  Poly(cr, {{c0.x, c0.y + deck}, {c1.x, c1.y + deck}, {c2.x, c2.y + deck}, {c3.x, c3.y + deck}});
  SetColor(cr, Hex(0x1E3A48), 0.5);
  cairo_fill(cr);
  if (posts)
    for (Pt p : {c0, c1, c2, c3}) {
      cairo_rectangle(cr, p.x - 1.5, p.y - 2, 3, deck + 5);
      SetColor(cr, Shade(s.bark, 0.7));
      cairo_fill(cr);
    }
  Poly(cr, {c0, c1, c2, c3});
  SetColor(cr, s.plank);
  cairo_fill(cr);
  const int n = static_cast<int>(len / 3.2);
  for (int i = 1; i < n; ++i) {
    double k = static_cast<double>(i) / n;
    cairo_move_to(cr, c3.x + (c2.x - c3.x) * k, c3.y + (c2.y - c3.y) * k);
    cairo_line_to(cr, c0.x + (c1.x - c0.x) * k, c0.y + (c1.y - c0.y) * k);
  }
  cairo_set_line_width(cr, 0.7);
  SetColor(cr, Shade(s.plank, 0.6));
  cairo_stroke(cr);
}

void Post(cairo_t* cr, double x, double y, double h, Rgb c) {
  cairo_rectangle(cr, x - 1.5, y - h, 3, h);
  SetColor(cr, c);
  cairo_fill(cr);
}

}  // namespace

void DrawDock(Canvas& c, const TileStyle& s, int32_t tile) {
  cairo_t* cr = c.cr();
  const double b = c.Height() - 32.0;  // the diamond's top
  const Pt ne{48, b + 8}, se{48, b + 24}, sw{16, b + 24}, nw{16, b + 8}, mid{32, b + 16};
  switch (tile) {
    case 36:
      Walk(cr, s, ne, sw, 7, true);
      break;
    case 37:
      Walk(cr, s, nw, se, 7, true);
      break;
    case 38:
      Walk(cr, s, ne, sw, 15, true);
      break;
    default:
      Walk(cr, s, mid, sw, 7, true);
      Post(cr, 32, b + 16, 20, Shade(s.bark, 0.8));
      Ellipse(cr, 32, b - 5, 3, 3);
      SetColor(cr, Hex(0xFFE27A));
      cairo_fill(cr);
      break;
  }
}

void DrawFloating(Canvas& c, const TileStyle& s, int32_t tile) {
  cairo_t* cr = c.cr();
  const Foot f = FootOf(c);
  auto pad = [&](double x, double y, double r) {
    cairo_move_to(cr, x, y);
    cairo_arc(cr, x, y, r, 0.3, 2 * M_PI - 0.1);
    cairo_close_path(cr);
    cairo_save(cr);
    cairo_translate(cr, 0, 0);
    cairo_restore(cr);
    SetColor(cr, Hex(0x4E9A3A));
    cairo_fill(cr);
  };
  switch (tile) {
    case 44:
    case 50:
      for (int i = 0; i < 5; ++i) {
        cairo_save(cr);
        cairo_translate(cr, f.x - 14 + i * 7, f.y - 3 + (i % 3) * 3);
        cairo_scale(cr, 1, 0.5);
        pad(0, 0, 5 + (i % 2) * 2);
        cairo_restore(cr);
      }
      if (tile == 50)
        for (int i = 0; i < 6; ++i) {
          double a = i * M_PI / 3;
          Ellipse(cr, f.x + std::cos(a) * 3, f.y - 4 + std::sin(a) * 1.5, 2.4, 1.6);
          SetColor(cr, Hex(0xF4B8D0));
          cairo_fill(cr);
          Ellipse(cr, f.x, f.y - 4.5, 1.5, 1.2);
          SetColor(cr, Hex(0xFFE27A));
          cairo_fill(cr);
        }
      break;
    case 45:
      for (int i = 0; i < 11; ++i) {
        double x = f.x - 14 + i * 2.8, h = 18 + 12 * Hash01(i, 4, s.seed);
        cairo_move_to(cr, x, f.y + (i % 3) * 2);
        cairo_curve_to(cr, x, f.y - h * 0.5, x + (i % 2 ? 2 : -2), f.y - h * 0.8,
                       x + (i % 2 ? 3 : -3), f.y - h);
        cairo_set_line_width(cr, 1.4);
        SetColor(cr, Shade(s.leaf, 0.9 + 0.25 * Hash01(i, 5, s.seed)));
        cairo_stroke(cr);
        if (i % 3 == 0) {
          RoundedRect(cr, x - 1.4, f.y - h * 0.75, 2.8, 6, 1.4);
          SetColor(cr, Hex(0x7A4A26));
          cairo_fill(cr);
        }
      }
      break;
    case 46: {  // a treasure chest riding the swell
      Ellipse(cr, f.x, f.y, 14, 5);
      SetColor(cr, Hex(0xD8EEF4), 0.6);
      cairo_fill(cr);
      RoundedRect(cr, f.x - 10, f.y - 12, 20, 12, 2);
      SetColor(cr, Hex(0x8A5426));
      cairo_fill(cr);
      cairo_arc(cr, f.x, f.y - 12, 10, M_PI, 2 * M_PI);
      SetColor(cr, Hex(0xA86A32));
      cairo_fill(cr);
      for (double x : {f.x - 7, f.x + 5}) {
        cairo_rectangle(cr, x, f.y - 20, 2.2, 20);
        SetColor(cr, Hex(0xE8C050));
        cairo_fill(cr);
      }
      cairo_rectangle(cr, f.x - 1.8, f.y - 13, 3.6, 4.5);
      SetColor(cr, Hex(0xF8DA6A));
      cairo_fill(cr);
      break;
    }
    case 47: {  // a float carrying an hourglass: more time
      Ellipse(cr, f.x, f.y - 1, 10, 4.5);
      SetColor(cr, Hex(0xF4F2EA));
      cairo_fill(cr);
      Poly(cr, {{f.x - 6, f.y - 24},
                {f.x + 6, f.y - 24},
                {f.x, f.y - 14},
                {f.x + 6, f.y - 4},
                {f.x - 6, f.y - 4},
                {f.x, f.y - 14}});
      SetColor(cr, Hex(0xBFE6F4));
      cairo_fill(cr);
      Poly(cr, {{f.x - 4, f.y - 5}, {f.x + 4, f.y - 5}, {f.x, f.y - 11}});
      SetColor(cr, Hex(0xF0C24A));
      cairo_fill(cr);
      for (double y : {f.y - 25, f.y - 4.5}) {
        RoundedRect(cr, f.x - 8, y - 1.5, 16, 3, 1.2);
        SetColor(cr, Hex(0x7A4A26));
        cairo_fill(cr);
      }
      break;
    }
    case 48:
    case 52: {  // buoys: a sign buoy with a board, or a plain red marker
      Ellipse(cr, f.x, f.y, 10, 4);
      SetColor(cr, Hex(0xD8EEF4), 0.6);
      cairo_fill(cr);
      Poly(cr, {{f.x - 7, f.y}, {f.x - 4, f.y - 26}, {f.x + 4, f.y - 26}, {f.x + 7, f.y}});
      Gradient(cr, f.x - 7, 0, f.x + 7, 0, Hex(0xF0463A), Hex(0x8A1A16));
      cairo_fill(cr);
      cairo_rectangle(cr, f.x - 6, f.y - 14, 12, 5);
      SetColor(cr, Hex(0xF2F0EA));
      cairo_fill(cr);
      if (tile == 48) {
        RoundedRect(cr, f.x - 13, f.y - 44, 26, 15, 2);
        SetColor(cr, Hex(0xE9D9B0));
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1.5);
        SetColor(cr, Hex(0x6B4424));
        cairo_stroke(cr);
        for (int i = 0; i < 3; ++i) {
          cairo_rectangle(cr, f.x - 9, f.y - 41 + i * 4, 18 - i * 5, 1.5);
          SetColor(cr, Hex(0x6B4424));
          cairo_fill(cr);
        }
      } else {
        Ellipse(cr, f.x, f.y - 29, 3, 3);
        SetColor(cr, Hex(0xFFE27A));
        cairo_fill(cr);
      }
      break;
    }
    case 49:  // old stumps sticking out of the water
      for (int i = 0; i < 3; ++i) {
        double x = f.x - 12 + i * 11, h = 10 + (i % 2) * 6;
        Ellipse(cr, x, f.y + 1, 5.5, 2.4);
        SetColor(cr, Hex(0xD8EEF4), 0.6);
        cairo_fill(cr);
        cairo_rectangle(cr, x - 3.5, f.y - h, 7, h);
        Gradient(cr, x - 3.5, 0, x + 3.5, 0, Shade(s.bark, 1.2), Shade(s.bark, 0.6));
        cairo_fill(cr);
        Ellipse(cr, x, f.y - h, 3.5, 1.6);
        SetColor(cr, Hex(0xC8A070));
        cairo_fill(cr);
      }
      break;
    default:  // 51: driftwood
      cairo_move_to(cr, f.x - 18, f.y + 2);
      cairo_line_to(cr, f.x + 16, f.y - 4);
      cairo_set_line_width(cr, 5);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      SetColor(cr, Hex(0xA89880));
      cairo_stroke(cr);
      cairo_move_to(cr, f.x + 4, f.y - 2);
      cairo_line_to(cr, f.x + 10, f.y - 9);
      cairo_set_line_width(cr, 2.5);
      cairo_stroke(cr);
      break;
  }
}

}  // namespace tw::bake
