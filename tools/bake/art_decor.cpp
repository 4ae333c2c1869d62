// What stands on the tiles: trees, rocks and bushes and buildings. Every picture's diamond sits at
// its bottom; the centre of the diamond is the foot of whatever stands there.
#include <cmath>
#include <vector>

#include "bake/art_tiles.h"

namespace tw::bake {
namespace {

void GroundShadow(cairo_t* cr, double x, double y, double rx) {
  Ellipse(cr, x + 3, y + 1, rx, rx * 0.45);
  SetColor(cr, Hex(0x101810), 0.28);
  cairo_fill(cr);
}

void Trunk(cairo_t* cr, double x, double y, double h, double w, Rgb bark) {
  Poly(cr, {{x - w / 2, y}, {x - w / 4, y - h}, {x + w / 4, y - h}, {x + w / 2, y}});
  Gradient(cr, x - w / 2, 0, x + w / 2, 0, Shade(bark, 1.2), Shade(bark, 0.6));
  cairo_fill(cr);
}

void Pine(cairo_t* cr, const TileStyle& s, double x, double y, double h, double w) {
  GroundShadow(cr, x, y, w * 0.5);
  Trunk(cr, x, y, h * 0.3, w * 0.16, s.bark);
  const int tiers = 4;
  for (int i = 0; i < tiers; ++i) {
    const double base = y - h * 0.14 - i * h * 0.19, top = base - h * 0.42;
    const double half = w * 0.5 * (1 - i * 0.2);
    Poly(cr, {{x - half, base}, {x, top}, {x + half, base}, {x, base + 3}});
    Gradient(cr, x - half, 0, x + half, 0, Shade(s.leaf, 1.15), Shade(s.leafDark, 0.85));
    cairo_fill(cr);
    Poly(cr, {{x - half, base}, {x, top}, {x - half * 0.2, base + 1}});
    SetColor(cr, Shade(s.leaf, 1.35), 0.35);
    cairo_fill(cr);
  }
}

void Blob(cairo_t* cr, double x, double y, double r, Rgb c) {
  cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.4, y - r * 0.5, r * 0.1, x, y, r);
  Rgb lit = Shade(c, 1.3), dark = Shade(c, 0.65);
  cairo_pattern_add_color_stop_rgb(g, 0, lit.r, lit.g, lit.b);
  cairo_pattern_add_color_stop_rgb(g, 0.6, c.r, c.g, c.b);
  cairo_pattern_add_color_stop_rgb(g, 1, dark.r, dark.g, dark.b);
  Ellipse(cr, x, y, r, r * 0.92);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

// A rounded crown made of overlapping blobs, back ones first.
void Crown(cairo_t* cr, double x, double y, double r, Rgb c, uint32_t seed) {
  for (int i = 0; i < 7; ++i) {
    double a = i * 2.4 + seed, d = (i == 6) ? 0 : r * 0.55;
    Blob(cr, x + std::cos(a) * d, y + std::sin(a) * d * 0.6 - (i == 6 ? r * 0.2 : 0),
         r * (0.55 + 0.1 * Hash01(i, 1, seed)), Shade(c, 0.9 + 0.2 * Hash01(i, 2, seed)));
  }
}

void LeafTree(cairo_t* cr, const TileStyle& s, double x, double y, double h, Rgb leaf, bool pale) {
  GroundShadow(cr, x, y, h * 0.28);
  Trunk(cr, x, y, h * 0.55, 6, pale ? Hex(0xE8E4D8) : s.bark);
  if (pale)
    for (double k : {0.15, 0.3, 0.45}) {
      cairo_rectangle(cr, x - 2, y - h * k, 3, 1.2);
      SetColor(cr, Hex(0x2A2A28));
      cairo_fill(cr);
    }
  Crown(cr, x, y - h * 0.68, h * 0.3, leaf, static_cast<uint32_t>(h));
}

void Cypress(cairo_t* cr, const TileStyle& s, double x, double y, double h) {
  GroundShadow(cr, x, y, 14);
  // A flared, buttressed trunk, then a flat-topped crown hung with moss.
  Poly(cr, {{x - 9, y},
            {x - 3, y - 12},
            {x - 2, y - h * 0.75},
            {x + 2, y - h * 0.75},
            {x + 3, y - 12},
            {x + 9, y}});
  Gradient(cr, x - 9, 0, x + 9, 0, Shade(s.bark, 1.2), Shade(s.bark, 0.6));
  cairo_fill(cr);
  for (int i = 0; i < 3; ++i) {
    double cy = y - h * (0.62 + i * 0.13), rx = 20 - i * 4;
    Ellipse(cr, x + (i - 1) * 3, cy, rx, 5.5);
    SetColor(cr, Shade(s.leafDark, 0.9 + i * 0.12));
    cairo_fill(cr);
    Ellipse(cr, x + (i - 1) * 3 - 3, cy - 2, rx * 0.7, 3);
    SetColor(cr, Shade(s.leaf, 1.1));
    cairo_fill(cr);
  }
  for (int i = 0; i < 9; ++i) {  // moss
    double mx = x - 16 + i * 4, my = y - h * 0.6 + (i % 3);
    cairo_move_to(cr, mx, my);
    cairo_curve_to(cr, mx + 1, my + 5, mx - 1, my + 9, mx + 0.5, my + 12 + (i % 4) * 2);
    cairo_set_line_width(cr, 1.4);
    SetColor(cr, Hex(0x9AA88A), 0.9);
    cairo_stroke(cr);
  }
}

void DeadTree(cairo_t* cr, const TileStyle& s, double x, double y, double h) {
  GroundShadow(cr, x, y, 8);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  auto limb = [&](double x0, double y0, double x1, double y1, double w) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, w);
    SetColor(cr, Shade(s.bark, 0.85));
    cairo_stroke(cr);
  };
  limb(x, y, x + 1, y - h * 0.8, 5);
  limb(x + 1, y - h * 0.45, x - 12, y - h * 0.7, 3);
  limb(x - 8, y - h * 0.62, x - 14, y - h * 0.62, 1.6);
  limb(x + 1, y - h * 0.6, x + 13, y - h * 0.85, 2.6);
  limb(x + 8, y - h * 0.76, x + 9, y - h * 0.95, 1.5);
}

void Saguaro(cairo_t* cr, const TileStyle& s, double x, double y, double h) {
  GroundShadow(cr, x, y, 8);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  auto stem = [&](double x0, double y0, double x1, double y1, double w) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, w);
    SetColor(cr, s.leafDark);
    cairo_stroke(cr);
    cairo_move_to(cr, x0 - w * 0.15, y0);
    cairo_line_to(cr, x1 - w * 0.15, y1);
    cairo_set_line_width(cr, w * 0.45);
    SetColor(cr, s.leaf);
    cairo_stroke(cr);
  };
  stem(x - 9, y - h * 0.4, x - 9, y - h * 0.62, 5);
  stem(x - 9, y - h * 0.4, x - 2, y - h * 0.4, 5);
  stem(x + 9, y - h * 0.5, x + 9, y - h * 0.8, 5);
  stem(x + 9, y - h * 0.5, x + 2, y - h * 0.5, 5);
  stem(x, y - 2, x, y - h, 8);
}

void Rock(cairo_t* cr, const TileStyle& s, double x, double y, double r, double tall) {
  GroundShadow(cr, x, y, r);
  Poly(cr, {{x - r, y},
            {x - r * 0.8, y - tall * 0.6},
            {x - r * 0.3, y - tall},
            {x + r * 0.4, y - tall * 0.9},
            {x + r, y - tall * 0.3},
            {x + r * 0.9, y + 1}});
  Gradient(cr, x - r, y - tall, x + r, y, Shade(s.rock, 1.25), Shade(s.rockDark, 0.9));
  cairo_fill(cr);
  Poly(cr, {{x - r * 0.3, y - tall},
            {x + r * 0.4, y - tall * 0.9},
            {x + r * 0.1, y - tall * 0.5},
            {x - r * 0.5, y - tall * 0.55}});
  SetColor(cr, Shade(s.rock, 1.4), 0.5);
  cairo_fill(cr);
}

void Hoodoo(cairo_t* cr, const TileStyle& s, double x, double y, double h) {
  GroundShadow(cr, x, y, 14);
  for (int i = 0; i < 4; ++i) {  // stacked, weathered bands
    double y0 = y - i * h / 4, y1 = y - (i + 1) * h / 4, w0 = 13 - i * 2.2, w1 = 12 - i * 2.2;
    Poly(cr, {{x - w0, y0}, {x - w1, y1}, {x + w1, y1}, {x + w0, y0}});
    Gradient(cr, x - w0, 0, x + w0, 0, Shade(s.rock, 1.2 - i * 0.05), Shade(s.rockDark, 0.85));
    cairo_fill(cr);
  }
  Ellipse(cr, x, y - h, 9, 4);
  SetColor(cr, Shade(s.rockDark, 0.8));
  cairo_fill(cr);
}

void Bush(cairo_t* cr, const TileStyle& s, double x, double y, double r, Rgb c, bool berries) {
  GroundShadow(cr, x, y, r);
  for (int i = 0; i < 5; ++i)
    Blob(cr, x + (i - 2) * r * 0.4, y - r * 0.5 - (i % 2) * r * 0.3, r * 0.55, c);
  if (berries)
    for (int i = 0; i < 6; ++i) {
      Ellipse(cr, x - r * 0.7 + i * r * 0.28, y - r * (0.4 + 0.3 * Hash01(i, 3, s.seed)), 1.3, 1.3);
      SetColor(cr, s.bloom);
      cairo_fill(cr);
    }
}

void Campfire(cairo_t* cr, const TileStyle& s, double x, double y) {
  for (int i = 0; i < 8; ++i) {
    double a = i * M_PI / 4;
    Ellipse(cr, x + std::cos(a) * 9, y + std::sin(a) * 4.5, 2.6, 1.8);
    SetColor(cr, Shade(s.rock, 0.8 + 0.1 * (i % 3)));
    cairo_fill(cr);
  }
  cairo_move_to(cr, x - 6, y + 1);
  cairo_line_to(cr, x + 6, y - 2);
  cairo_move_to(cr, x - 6, y - 2);
  cairo_line_to(cr, x + 6, y + 1);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, s.bark);
  cairo_stroke(cr);
  Poly(cr, {{x - 5, y - 1}, {x - 2, y - 10}, {x, y - 6}, {x + 2, y - 14}, {x + 5, y - 1}});
  SetColor(cr, Hex(0xF08A2A));
  cairo_fill(cr);
  Poly(cr, {{x - 2.5, y - 1}, {x, y - 8}, {x + 2.5, y - 1}});
  SetColor(cr, Hex(0xFFE070));
  cairo_fill(cr);
}

// A box building on the diamond: walls of height wh, a hipped roof rising rh.
void House(cairo_t* cr, const TileStyle& s, Foot f, double hw, double wh, double rh, Rgb wall,
           Rgb roof, bool logs) {
  const double hh = hw / 2;
  const Pt L{f.x - hw, f.y}, B{f.x, f.y + hh}, R{f.x + hw, f.y};
  GroundShadow(cr, f.x, f.y + 2, hw * 1.05);
  Poly(cr, {{L.x, L.y - wh}, {B.x, B.y - wh}, B, L});
  SetColor(cr, Shade(wall, 1.05));
  cairo_fill(cr);
  Poly(cr, {{B.x, B.y - wh}, {R.x, R.y - wh}, R, B});
  SetColor(cr, Shade(wall, 0.75));
  cairo_fill(cr);
  if (logs)
    for (double k = 3; k < wh; k += 3.5) {
      cairo_move_to(cr, L.x, L.y - k);
      cairo_line_to(cr, B.x, B.y - k);
      cairo_line_to(cr, R.x, R.y - k);
      cairo_set_line_width(cr, 0.8);
      SetColor(cr, Shade(wall, 0.55), 0.8);
      cairo_stroke(cr);
    }
  // A door on the left face, a lit window on the right.
  const double dx = (L.x + B.x) / 2, dy = (L.y + B.y) / 2;
  Poly(cr, {{dx - 3, dy - 1.5}, {dx - 3, dy - 11.5}, {dx + 3, dy - 8.5}, {dx + 3, dy + 1.5}});
  SetColor(cr, Shade(s.bark, 0.7));
  cairo_fill(cr);
  const double wx = (B.x + R.x) / 2, wy = (B.y + R.y) / 2 - wh * 0.55;
  Poly(cr, {{wx - 4, wy + 2}, {wx - 4, wy - 3}, {wx + 4, wy - 7}, {wx + 4, wy - 2}});
  SetColor(cr, Hex(0xF6D67A));
  cairo_fill(cr);
  // The roof overhangs the walls a little.
  const double o = 1.15;
  const Pt rL{f.x - hw * o, f.y - wh}, rB{f.x, f.y + hh * o - wh}, rR{f.x + hw * o, f.y - wh},
      rT{f.x, f.y - hh * o - wh}, apex{f.x, f.y - wh - rh};
  Poly(cr, {rL, rT, rR, apex});
  SetColor(cr, Shade(roof, 0.8));
  cairo_fill(cr);
  Poly(cr, {rL, rB, apex});
  SetColor(cr, Shade(roof, 1.15));
  cairo_fill(cr);
  Poly(cr, {rB, rR, apex});
  SetColor(cr, Shade(roof, 0.85));
  cairo_fill(cr);
  cairo_move_to(cr, rL.x, rL.y);
  cairo_line_to(cr, rB.x, rB.y);
  cairo_line_to(cr, rR.x, rR.y);
  cairo_set_line_width(cr, 1);
  SetColor(cr, Shade(roof, 0.5));
  cairo_stroke(cr);
}

void Tower(cairo_t* cr, const TileStyle& s, Foot f, double h) {
  GroundShadow(cr, f.x, f.y, 14);
  const double w0 = 10, w1 = 6.5;
  for (int i = 0; i < 4; ++i) {  // red and white bands
    double y0 = f.y - i * h / 4, y1 = f.y - (i + 1) * h / 4;
    double a = w0 - (w0 - w1) * i / 4, b = w0 - (w0 - w1) * (i + 1) / 4;
    Poly(cr, {{f.x - a, y0}, {f.x - b, y1}, {f.x + b, y1}, {f.x + a, y0}});
    Rgb c = (i % 2) ? Hex(0xF2F0EA) : Hex(0xC8302A);
    Gradient(cr, f.x - a, 0, f.x + a, 0, Shade(c, 1.1), Shade(c, 0.7));
    cairo_fill(cr);
  }
  RoundedRect(cr, f.x - 6, f.y - h - 9, 12, 9, 2);
  SetColor(cr, Hex(0xFFE890));
  cairo_fill(cr);
  Poly(cr, {{f.x - 8, f.y - h - 9}, {f.x, f.y - h - 17}, {f.x + 8, f.y - h - 9}});
  SetColor(cr, s.roof);
  cairo_fill(cr);
}

void Windmill(cairo_t* cr, const TileStyle& s, Foot f, double h) {
  GroundShadow(cr, f.x, f.y, 12);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, Shade(s.plank, 0.8));
  for (int sd = -1; sd <= 1; sd += 2) {
    cairo_move_to(cr, f.x + sd * 10, f.y);
    cairo_line_to(cr, f.x + sd * 2, f.y - h);
  }
  for (double k = 0.25; k < 1; k += 0.25) {
    cairo_move_to(cr, f.x - 10 + 8 * k, f.y - h * k);
    cairo_line_to(cr, f.x + 10 - 8 * k, f.y - h * k);
  }
  cairo_stroke(cr);
  for (int i = 0; i < 12; ++i) {
    double a = i * M_PI / 6;
    cairo_move_to(cr, f.x, f.y - h);
    cairo_line_to(cr, f.x + std::cos(a) * 12, f.y - h + std::sin(a) * 12);
  }
  cairo_set_line_width(cr, 2.2);
  SetColor(cr, Hex(0xD8DCE0));
  cairo_stroke(cr);
  Poly(cr, {{f.x, f.y - h}, {f.x + 14, f.y - h - 3}, {f.x + 14, f.y - h + 3}});
  SetColor(cr, s.roof);
  cairo_fill(cr);
}

}  // namespace

int32_t TileHeightOf(int32_t tile) {
  if (tile < 20) return kTileH;
  if (tile < 24) return kTileH;
  if (tile < 36) return 96;
  if (tile < 40) return 48;
  if (tile < 44) return 96;
  if (tile == 45 || tile == 48 || tile == 52) return 64;
  return 48;
}

void DrawTallDecoration(Canvas& c, const TileStyle& s, int32_t tile) {
  cairo_t* cr = c.cr();
  const Foot f = FootOf(c);
  const bool pine = s.flora == Flora::Pine, bayou = s.flora == Flora::Bayou;
  switch (tile) {
    case 24:
      if (pine)
        Pine(cr, s, f.x, f.y, 74, 34);
      else if (bayou)
        Cypress(cr, s, f.x, f.y, 76);
      else
        Saguaro(cr, s, f.x, f.y, 62);
      break;
    case 25:
      if (pine)
        Pine(cr, s, f.x, f.y, 56, 28);
      else if (bayou)
        Cypress(cr, s, f.x, f.y, 60);
      else
        Saguaro(cr, s, f.x, f.y, 44);
      break;
    case 26:
      if (pine) {
        Pine(cr, s, f.x - 9, f.y - 3, 58, 24);
        Pine(cr, s, f.x + 8, f.y + 3, 66, 26);
      } else {
        LeafTree(cr, s, f.x, f.y, 66, bayou ? Hex(0x5E7A34) : Hex(0x8A9A5A), false);
      }
      break;
    case 27:
      if (pine)
        LeafTree(cr, s, f.x, f.y, 62, Hex(0x7FB24A), true);
      else
        DeadTree(cr, s, f.x, f.y, 60);
      break;
    case 28:
      Rock(cr, s, f.x, f.y, 15, 20);
      break;
    case 29:
      Rock(cr, s, f.x - 9, f.y - 3, 8, 10);
      Rock(cr, s, f.x + 8, f.y - 1, 10, 13);
      Rock(cr, s, f.x - 1, f.y + 5, 7, 8);
      break;
    case 30:
      Bush(cr, s, f.x, f.y, 14, s.leaf, false);
      break;
    case 31:
      if (s.flora == Flora::Desert) {
        for (int i = 0; i < 4; ++i) {  // prickly pear paddles
          Ellipse(cr, f.x - 8 + i * 5, f.y - 8 - (i % 2) * 7, 5, 7);
          SetColor(cr, Shade(s.leaf, 0.9 + i * 0.06));
          cairo_fill(cr);
        }
      } else {
        Bush(cr, s, f.x, f.y, 12, s.leafDark, true);
      }
      break;
    case 40:
      if (pine)
        Pine(cr, s, f.x, f.y, 84, 30);
      else if (bayou)
        LeafTree(cr, s, f.x, f.y, 76, Hex(0x4E6A2E), false);
      else
        Hoodoo(cr, s, f.x, f.y, 60);
      break;
    case 41:
      Campfire(cr, s, f.x, f.y);
      break;
    case 42:
      if (s.flora == Flora::Desert)
        Windmill(cr, s, f, 62);
      else {
        Pine(cr, s, f.x - 10, f.y + 2, 48, 20);
        Pine(cr, s, f.x + 4, f.y - 4, 62, 24);
        Pine(cr, s, f.x + 12, f.y + 5, 40, 18);
      }
      break;
    default:  // 43: a stone marker of piled flat rocks
      for (int i = 0; i < 5; ++i) {
        RoundedRect(cr, f.x - 9 + i * 1.2 + (i % 2) * 2, f.y - 7 - i * 7, 18 - i * 2.5, 7, 3);
        SetColor(cr, Shade(s.rock, 0.8 + i * 0.08));
        cairo_fill(cr);
      }
      break;
  }
}

void DrawBuilding(Canvas& c, const TileStyle& s, int32_t tile) {
  cairo_t* cr = c.cr();
  const Foot f = FootOf(c);
  const bool logs = s.flora == Flora::Pine;
  switch (tile) {
    case 32:
      House(cr, s, f, 24, 20, 18, s.wall, s.roof, logs);
      break;
    case 33:
      House(cr, s, f, 16, 14, 10, s.wallDark, s.roof, logs);
      break;
    case 34:
      House(cr, s, f, 26, 24, 14, s.plank, s.wallDark, false);
      break;
    default:
      if (s.flora == Flora::Desert) {
        House(cr, s, f, 14, 40, 6, s.wall, s.roof, false);
      } else {
        Tower(cr, s, f, 58);
      }
      break;
  }
}

}  // namespace tw::bake
