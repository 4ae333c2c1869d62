// What swims: the fish (dark shapes under the surface, one frame per heading
// sector) and the monsters (two frames per sector: roaming, and rearing up to
// attack), plus each monster's raid picture.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "bake/art.h"
#include "bake/art_canvas.h"

namespace tw::bake {
namespace {

const Rgb kWater = Hex(0x2F6F8E);

// Sector s covers the directions whose (256 - dir) mod 256 lies in
// 16 s .. 16 s + 15, so its middle heading is 256 - 16 s - 7.5.
double SectorHeading(int32_t s) {
  return StepsToRadians(256 - 16.0 * s - 7.5);
}

// ---- Fish ---------------------------------------------------------------

Picture FishStrip() {
  constexpr int32_t kW = 32, kH = 24;
  std::vector<Picture> frames;
  for (int32_t s = 0; s < 16; ++s) {
    Canvas c(kW, kH);
    cairo_t* cr = c.cr();
    cairo_translate(cr, kW / 2.0, kH / 2.0);
    cairo_scale(cr, 1, 0.5);  // lying flat in the water
    cairo_rotate(cr, SectorHeading(s));
    // Body, tail and fins as one soft silhouette.
    cairo_move_to(cr, 10, 0);
    cairo_curve_to(cr, 8, -4.2, -2, -4.6, -7, -1.6);
    cairo_line_to(cr, -12, -5);
    cairo_line_to(cr, -10.5, 0);
    cairo_line_to(cr, -12, 5);
    cairo_line_to(cr, -7, 1.6);
    cairo_curve_to(cr, -2, 4.6, 8, 4.2, 10, 0);
    cairo_close_path(cr);
    SetColor(cr, Hex(0x14313F));
    cairo_fill(cr);
    Ellipse(cr, 2, -3.8, 3.5, 1.6);  // dorsal fin
    SetColor(cr, Hex(0x183A4A));
    cairo_fill(cr);
    Ellipse(cr, 3, -0.8, 5, 1.5);  // the back catches a little light
    SetColor(cr, Hex(0x2A5566));
    cairo_fill(cr);
    frames.push_back(c.ToKeyed(kWater, 0.45));
  }
  return FrameStrip(frames, 16);
}

// ---- Monsters -------------------------------------------------------------

// A body is a chain of round sections along the model's forward axis; each
// section has a radius and a height of its centre above the water.
struct Section {
  double u, r, z;
};

struct MonsterLook {
  Rgb skin, belly, accent;
  std::vector<Section> body;  // tail first, head last
  double headLen;             // snout beyond the last section
  bool shell;                 // a turtle's domed shell over the middle
};

MonsterLook Look(const std::string& kind, bool attack) {
  MonsterLook m;
  if (kind == "Serpent") {
    m = {Hex(0x4E3E92), Hex(0xE2C65A), Hex(0xB04A8A), {}, 5, false};
    // Coils arch out of the water one after another.
    for (double u = -26; u <= 12; u += 1.5) {
      double z = 5.5 * std::sin((u + 26) * 0.33) - 1.5;
      m.body.push_back({u, 2.6 + (u + 26) * 0.02, z});
    }
    if (attack)
      for (int i = 1; i <= 8; ++i) m.body.push_back({12 + i * 0.9, 3.4, i * 3.0});
    else
      m.body.push_back({14, 3.4, 2.5});
  } else if (kind == "Gator") {
    m = {Hex(0x56693A), Hex(0xC9C08A), Hex(0x2F3A1E), {}, 9, false};
    for (double u = -26; u <= 12; u += 1.5) {
      double r = u < -6 ? 1.2 + (u + 26) * 0.17 : 4.6 - std::max(0.0, u - 6) * 0.2;
      m.body.push_back({u, r, attack ? 0.5 : -0.8});
    }
    if (attack)
      for (int i = 1; i <= 4; ++i) m.body.push_back({12 + i * 1.8, 3.6 - i * 0.2, i * 2.2});
  } else if (kind == "Snapper") {
    m = {Hex(0x6E5A34), Hex(0xC2A870), Hex(0x3E3220), {}, 4, true};
    m.body.push_back({-14, 1.5, 0});
    m.body.push_back({0, 0.1, 0});
    const int n = attack ? 6 : 3;
    for (int i = 1; i <= n; ++i) m.body.push_back({11 + i * 1.6, 3.2, attack ? i * 1.2 : 0.5});
  } else {  // the classic long-necked lake monster
    m = {Hex(0x2F7A52), Hex(0xB8D47A), Hex(0x1E5036), {}, 5, false};
    for (double u = -22; u <= 2; u += 1.5) {
      double z = 5 * std::sin((u + 22) * M_PI / 24) - 1.5;
      m.body.push_back({u, 6.5 - std::fabs(u + 10) * 0.3, z});
    }
    const int n = attack ? 12 : 7;
    for (int i = 1; i <= n; ++i) {
      double t = static_cast<double>(i) / n;
      m.body.push_back({2 + t * (attack ? 10 : 16), 3.0 - t * 0.6, attack ? t * 30 : 2 + t * 4});
    }
  }
  return m;
}

void DrawMonster(cairo_t* cr, const GroundView& vw, const MonsterLook& m, bool attack) {
  // Ripples where the body meets the water.
  for (const Section& s : m.body) {
    if (s.z - s.r > 0.5 || s.z + s.r < -0.5) continue;
    Pt p = vw.P(s.u, 0, 0);
    Ellipse(cr, p.x, p.y, s.r + 2.5, (s.r + 2.5) * 0.5);
    SetColor(cr, Hex(0xCFE8F0), 0.55);
    cairo_fill(cr);
  }
  if (m.shell) {
    Pt c = vw.P(-1, 0, 0);
    Ellipse(cr, c.x, c.y, 15, 8.5);
    SetColor(cr, Hex(0xCFE8F0), 0.5);
    cairo_fill(cr);
  }
  // Sections drawn from the farthest to the nearest so the near ones cover.
  std::vector<Section> order = m.body;
  std::stable_sort(order.begin(), order.end(), [&](const Section& a, const Section& b) {
    return vw.Facing(a.u, 0) + a.z * 0.01 < vw.Facing(b.u, 0) + b.z * 0.01;
  });
  for (const Section& s : order) {
    if (s.z + s.r < 0) continue;  // wholly under water
    Pt p = vw.P(s.u, 0, s.z);
    cairo_pattern_t* g =
        cairo_pattern_create_radial(p.x - s.r * 0.35, p.y - s.r * 0.45, s.r * 0.1, p.x, p.y, s.r);
    Rgb lit = Shade(m.skin, 1.35), dark = Shade(m.skin, 0.6);
    cairo_pattern_add_color_stop_rgb(g, 0, lit.r, lit.g, lit.b);
    cairo_pattern_add_color_stop_rgb(g, 0.7, m.skin.r, m.skin.g, m.skin.b);
    cairo_pattern_add_color_stop_rgb(g, 1, dark.r, dark.g, dark.b);
    Ellipse(cr, p.x, p.y, s.r, s.r * 0.8);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  }
  if (m.shell) {
    Pt c = vw.P(-1, 0, 3.5);
    cairo_pattern_t* g = cairo_pattern_create_radial(c.x - 4, c.y - 4, 1, c.x, c.y, 14);
    Rgb lit = Shade(m.skin, 1.3), dark = Shade(m.skin, 0.55);
    cairo_pattern_add_color_stop_rgb(g, 0, lit.r, lit.g, lit.b);
    cairo_pattern_add_color_stop_rgb(g, 1, dark.r, dark.g, dark.b);
    Ellipse(cr, c.x, c.y, 13.5, 8.5);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Plates of the shell.
    for (int i = -1; i <= 1; ++i) {
      Pt q = vw.P(i * 6.0 - 1, 0, 5.5);
      Ellipse(cr, q.x, q.y, 3.6, 2.4);
      SetColor(cr, m.accent, 0.8);
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
    }
  }
  // The head: snout, eyes and, when attacking, open jaws.
  const Section& h = m.body.back();
  const Pt base = vw.P(h.u, 0, h.z);
  const Pt tip = vw.P(h.u + m.headLen, 0, h.z + (attack ? 1.5 : 0));
  const Pt lower = vw.P(h.u + m.headLen * 0.9, 0, h.z - (attack ? 5 : 0.5));
  if (attack) {
    Poly(cr, {base, tip, lower});
    SetColor(cr, Hex(0xA0222A));
    cairo_fill(cr);
    cairo_move_to(cr, base.x, base.y);
    cairo_line_to(cr, lower.x, lower.y);
    cairo_set_line_width(cr, 2.2);
    SetColor(cr, m.belly);
    cairo_stroke(cr);
    for (int t = 1; t <= 3; ++t) {  // teeth
      Pt a = vw.P(h.u + m.headLen * t / 4.0, 0, h.z + 1.2 * (1 - t / 4.0) + 0.2);
      Ellipse(cr, a.x, a.y + 1, 0.7, 1.2);
      SetColor(cr, Hex(0xF6F2E4));
      cairo_fill(cr);
    }
  }
  cairo_move_to(cr, base.x, base.y);
  cairo_line_to(cr, tip.x, tip.y);
  cairo_set_line_width(cr, h.r * 1.3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, m.skin);
  cairo_stroke(cr);
  for (int side = -1; side <= 1; side += 2) {
    Pt e = vw.P(h.u + 0.5, side * h.r * 0.55, h.z + h.r * 0.6);
    Ellipse(cr, e.x, e.y, 1.3, 1.1);
    SetColor(cr, Hex(attack ? 0xFFD23A : 0xE8E07A));
    cairo_fill(cr);
    Ellipse(cr, e.x, e.y, 0.5, 0.9);
    SetColor(cr, Hex(0x101010));
    cairo_fill(cr);
  }
}

constexpr int32_t kMonW = 80, kMonH = 64;

Picture MonsterStrip(const std::string& kind) {
  std::vector<Picture> frames;
  for (int32_t s = 0; s < 16; ++s)
    for (int attack = 0; attack <= 1; ++attack) {
      Canvas c(kMonW, kMonH);
      GroundView vw{kMonW / 2.0, kMonH * 0.62, SectorHeading(s), 0.9};
      DrawMonster(c.cr(), vw, Look(kind, attack), attack);
      frames.push_back(c.ToKeyed(kWater, 0.4));
    }
  return FrameStrip(frames, 8);
}

// The raid picture: the beast bursting from the water right beside the boat.
Picture RaidPicture(const std::string& kind) {
  constexpr int32_t kW = 340, kH = 210;
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  RoundedRect(cr, 2, 2, kW - 4, kH - 4, 16);
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, kH);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.20, 0.16, 0.30);
  cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.55, 0.32, 0.30);
  cairo_pattern_add_color_stop_rgb(sky, 0.56, 0.10, 0.30, 0.38);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.05, 0.16, 0.22);
  cairo_set_source(cr, sky);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(sky);
  cairo_set_line_width(cr, 4);
  SetColor(cr, Hex(0xE8D8A8));
  cairo_stroke(cr);
  cairo_save(cr);
  RoundedRect(cr, 4, 4, kW - 8, kH - 8, 14);
  cairo_clip(cr);
  // The creature, close up and side on.
  cairo_save(cr);
  cairo_translate(cr, kW / 2.0 - 10, kH * 0.8);
  cairo_scale(cr, 2.8, 2.8);
  GroundView vw{0, 0, StepsToRadians(250), 1.1};
  DrawMonster(cr, vw, Look(kind, true), true);
  cairo_restore(cr);
  // Spray thrown up all round.
  for (int i = 0; i < 26; ++i) {
    double a = i * 2.39996, r = 40 + Hash01(i, 1, 77) * 110;
    double x = kW / 2.0 + std::cos(a) * r, y = kH * 0.8 - std::fabs(std::sin(a)) * r * 0.4;
    Ellipse(cr, x, y, 2 + Hash01(i, 2, 77) * 4, 2 + Hash01(i, 3, 77) * 3);
    SetColor(cr, Hex(0xE8F6FF), 0.9);
    cairo_fill(cr);
  }
  cairo_restore(cr);
  UseFont(cr, "Sans-Bold", 30);
  OutlinedText(cr, "GOT YOUR FISH!", kW / 2.0, 44, Hex(0xFFE066), Hex(0x1A0E08), 5);
  return c.ToKeyed(Hex(0x14202A), 0.5);
}

}  // namespace

void AddCreatures(LibraryBuilder& lib) {
  lib.Add("fish", FishStrip(), 32, 24);
  for (const char* kind : kMonsterKinds) {
    lib.Add(kind, MonsterStrip(kind), kMonW, kMonH);
    lib.Add(std::string("got") + kind, RaidPicture(kind));
  }
}

}  // namespace tw::bake
