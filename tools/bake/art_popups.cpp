// The pop-up pictures shown over the play field: the strike, a catch, a
// lost fish, a sign board and a person with something to say.
#include <cmath>
#include <string>

#include "bake/art.h"
#include "bake/art_canvas.h"

namespace tw::bake {
namespace {

// A framed pop-up card with a caption; `draw` adds the picture inside.
template <typename F>
Picture Card(int32_t w, int32_t h, Rgb top, Rgb bottom, const std::string& caption, F draw) {
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  RoundedRect(cr, 2, 2, w - 4, h - 4, 14);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 4);
  SetColor(cr, Hex(0xE8D8A8));
  cairo_stroke(cr);
  cairo_save(cr);
  RoundedRect(cr, 4, 4, w - 8, h - 8, 12);
  cairo_clip(cr);
  draw(cr);
  cairo_restore(cr);
  UseFont(cr, "Sans-Bold", 28);
  OutlinedText(cr, caption, w / 2.0, 42, Hex(0xFFE066), Hex(0x1A0E08), 5);
  return c.ToKeyed(Hex(0x14202A), 0.5);
}

void BigFish(cairo_t* cr, double cx, double cy, double len, double tilt) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, tilt);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, -len * 0.3, 0, len * 0.3);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.22, 0.40, 0.22);
  cairo_pattern_add_color_stop_rgb(g, 0.5, 0.55, 0.68, 0.35);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.93, 0.90, 0.75);
  cairo_move_to(cr, len / 2, 0);
  cairo_curve_to(cr, len * 0.4, -len * 0.3, -len * 0.2, -len * 0.32, -len * 0.34, -0.02 * len);
  cairo_line_to(cr, -len / 2, -len * 0.22);
  cairo_line_to(cr, -len * 0.45, 0);
  cairo_line_to(cr, -len / 2, len * 0.22);
  cairo_line_to(cr, -len * 0.34, 0.02 * len);
  cairo_curve_to(cr, -len * 0.2, len * 0.3, len * 0.4, len * 0.28, len / 2, 0);
  cairo_close_path(cr);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Hex(0x1E3018));
  cairo_stroke(cr);
  for (int i = 0; i < 5; ++i) {  // bars along the flank
    Ellipse(cr, len * (0.2 - i * 0.11), -len * 0.06, len * 0.025, len * 0.12);
    SetColor(cr, Hex(0x2A4A22), 0.6);
    cairo_fill(cr);
  }
  Ellipse(cr, len * 0.34, -len * 0.06, len * 0.04, len * 0.04);
  SetColor(cr, Hex(0xF4E8A0));
  cairo_fill(cr);
  Ellipse(cr, len * 0.34, -len * 0.06, len * 0.02, len * 0.02);
  SetColor(cr, Hex(0x101010));
  cairo_fill(cr);
  cairo_move_to(cr, len * 0.5, -len * 0.02);
  cairo_line_to(cr, len * 0.38, len * 0.05);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Hook(cairo_t* cr, double x, double y, double s) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s, s);
  cairo_move_to(cr, 0, -30);
  cairo_line_to(cr, 0, 10);
  cairo_arc_negative(cr, -10, 10, 10, 0, M_PI * 0.85);
  cairo_set_line_width(cr, 4);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, Hex(0xD8DEE6));
  cairo_stroke(cr);
  Poly(cr, {{-20.5, 8}, {-15, 3}, {-19, 13}});
  cairo_fill(cr);
  Ellipse(cr, 0, -33, 3.5, 3.5);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

Picture StrikeCard() {
  return Card(280, 130, Hex(0x7A1E22), Hex(0x3A0E14), "STRIKE!", [](cairo_t* cr) {
    Hook(cr, 44, 92, 1.1);
    Hook(cr, 252, 92, 1.1);
    UseFont(cr, "Sans-Bold", 15);
    OutlinedText(cr, "Fish on!", 140, 78, Hex(0xF4F0E0), Hex(0x2A0A0A), 3);
    OutlinedText(cr, "Set the hook!", 140, 102, Hex(0xF4F0E0), Hex(0x2A0A0A), 3);
  });
}

Picture CaughtCard() {
  return Card(300, 170, Hex(0x2F6F8E), Hex(0x143A4E), "GOT ONE!", [](cairo_t* cr) {
    // Sparkles round a fat fish on the line.
    cairo_move_to(cr, 150, 50);
    cairo_line_to(cr, 170, 105);
    cairo_set_line_width(cr, 1);
    SetColor(cr, Hex(0xE0E0E0));
    cairo_stroke(cr);
    BigFish(cr, 150, 118, 170, -0.18);
    for (int i = 0; i < 9; ++i) {
      double x = 30 + Hash01(i, 5, 3) * 240, y = 60 + Hash01(i, 6, 3) * 95;
      Poly(cr, {{x, y - 5},
                {x + 1.3, y - 1.3},
                {x + 5, y},
                {x + 1.3, y + 1.3},
                {x, y + 5},
                {x - 1.3, y + 1.3},
                {x - 5, y},
                {x - 1.3, y - 1.3}});
      SetColor(cr, Hex(0xFFF4B0));
      cairo_fill(cr);
    }
  });
}

Picture LostCard() {
  return Card(300, 170, Hex(0x3C4650), Hex(0x1C242C), "IT GOT AWAY...", [](cairo_t* cr) {
    // A slack broken line and the fish's tail slapping the water.
    cairo_move_to(cr, 40, 60);
    cairo_curve_to(cr, 90, 120, 120, 70, 140, 95);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, Hex(0xE0E0E0));
    cairo_stroke(cr);
    Ellipse(cr, 190, 140, 80, 14);
    SetColor(cr, Hex(0x2F6F8E));
    cairo_fill(cr);
    for (int i = 0; i < 14; ++i) {
      double a = M_PI + i * M_PI / 13, r = 55 + Hash01(i, 1, 9) * 20;
      Ellipse(cr, 190 + std::cos(a) * r, 138 + std::sin(a) * r * 0.5, 3, 3);
      SetColor(cr, Hex(0xE8F6FF));
      cairo_fill(cr);
    }
    BigFish(cr, 190, 118, 110, -1.2);
    Ellipse(cr, 190, 142, 40, 7);
    SetColor(cr, Hex(0x2F6F8E));
    cairo_fill(cr);
  });
}

// Waves along the bottom of a pop-up scene.
void SceneWater(cairo_t* cr, double x0, double x1, double y, double h) {
  cairo_rectangle(cr, x0, y, x1 - x0, h);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.22, 0.50, 0.64);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.10, 0.28, 0.40);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  for (double wy = y + 6; wy < y + h; wy += 9)
    for (double wx = x0 + std::fmod(wy * 3.1, 24); wx < x1 - 14; wx += 30) {
      cairo_move_to(cr, wx, wy);
      cairo_curve_to(cr, wx + 4, wy - 3, wx + 8, wy - 3, wx + 12, wy);
      cairo_set_line_width(cr, 1.2);
      SetColor(cr, Hex(0xBFE4F0), 0.7);
      cairo_stroke(cr);
    }
}

// A sign board pop-up: a buoy on the left, a wooden board on the right whose
// text area starts `textX`, `textY` from the picture's corner.
Picture SignPicture() {
  constexpr int32_t kW = 540, kH = 240;
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  // Board with planks and a frame.
  RoundedRect(cr, 222, 36, 312, 196, 10);
  SetColor(cr, Hex(0x6B4424));
  cairo_fill(cr);
  RoundedRect(cr, 230, 44, 296, 180, 6);
  SetColor(cr, Hex(0xE9D9B0));
  cairo_fill(cr);
  for (int y = 44 + 30; y < 224; y += 30) {
    cairo_rectangle(cr, 232, y, 292, 1);
    SetColor(cr, Hex(0xC8B488), 0.7);
    cairo_fill(cr);
  }
  for (double x : {240.0, 516.0})
    for (double y : {54.0, 212.0}) {
      Ellipse(cr, x, y, 2.5, 2.5);
      SetColor(cr, Hex(0x8A8070));
      cairo_fill(cr);
    }
  // The buoy bobbing in its water.
  SceneWater(cr, 6, 214, 160, 70);
  Ellipse(cr, 110, 172, 52, 12);
  SetColor(cr, Hex(0x1E4A60));
  cairo_fill(cr);
  Poly(cr, {{80, 170}, {92, 70}, {128, 70}, {140, 170}});
  cairo_pattern_t* g = cairo_pattern_create_linear(80, 0, 140, 0);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.55, 0.08, 0.08);
  cairo_pattern_add_color_stop_rgb(g, 0.35, 0.95, 0.25, 0.2);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.45, 0.06, 0.06);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  for (double y : {96.0, 132.0}) {
    Poly(cr, {{90 - (y - 70) * 0.12 + 2, y},
              {130 + (y - 70) * 0.12 - 2, y},
              {130 + (y - 56) * 0.12 - 2, y + 14},
              {90 - (y - 56) * 0.12 + 2, y + 14}});
    SetColor(cr, Hex(0xF2F2EE));
    cairo_fill(cr);
  }
  cairo_rectangle(cr, 106, 40, 8, 32);
  SetColor(cr, Hex(0x50565E));
  cairo_fill(cr);
  Ellipse(cr, 110, 36, 9, 9);
  SetColor(cr, Hex(0xFFE27A));
  cairo_fill(cr);
  return c.ToKeyed(Hex(0x2A3A44), 0.5);
}

// A person pop-up: someone on the shore on the left, a speech bubble on the
// right for the text.
Picture TalkPicture() {
  constexpr int32_t kW = 560, kH = 240;
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  // The bubble, with its tail toward the speaker.
  // Outline first, then the fill over it, so the tail joins without a seam.
  RoundedRect(cr, 226, 38, 328, 192, 22);
  Poly(cr, {{232, 150}, {196, 176}, {240, 168}});
  cairo_set_line_width(cr, 6);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, Hex(0x5A4630));
  cairo_stroke_preserve(cr);
  SetColor(cr, Hex(0xF6EED8));
  cairo_fill(cr);
  // Dock and water behind the speaker.
  RoundedRect(cr, 4, 40, 206, 196, 16);
  SetColor(cr, Hex(0x8FC4E0));
  cairo_fill(cr);
  SceneWater(cr, 4, 210, 168, 66);
  cairo_rectangle(cr, 4, 176, 206, 14);
  SetColor(cr, Hex(0x8A6236));
  cairo_fill(cr);
  // The speaker: an old fishing guide with a hat, waving.
  const double cx = 108;
  cairo_move_to(cr, cx - 10, 178);
  cairo_line_to(cr, cx - 8, 140);
  cairo_move_to(cr, cx + 10, 178);
  cairo_line_to(cr, cx + 8, 140);
  cairo_set_line_width(cr, 10);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, Hex(0x3E5070));
  cairo_stroke(cr);
  RoundedRect(cr, cx - 22, 88, 44, 58, 12);
  SetColor(cr, Hex(0x5E8A3A));
  cairo_fill(cr);
  cairo_rectangle(cr, cx - 4, 92, 8, 50);
  SetColor(cr, Hex(0x7AA450));
  cairo_fill(cr);
  cairo_move_to(cr, cx - 20, 98);
  cairo_line_to(cr, cx - 36, 132);
  cairo_move_to(cr, cx + 20, 98);
  cairo_line_to(cr, cx + 42, 66);
  cairo_set_line_width(cr, 8);
  SetColor(cr, Hex(0x5E8A3A));
  cairo_stroke(cr);
  Ellipse(cr, cx + 44, 62, 6, 6);
  Ellipse(cr, cx - 37, 134, 5.5, 5.5);
  SetColor(cr, Hex(0xE2AC84));
  cairo_fill(cr);
  Ellipse(cr, cx, 72, 16, 18);
  SetColor(cr, Hex(0xE8B48E));
  cairo_fill(cr);
  Ellipse(cr, cx, 80, 13, 9);  // beard
  SetColor(cr, Hex(0xD8D4CC));
  cairo_fill(cr);
  for (int s = -1; s <= 1; s += 2) {
    Ellipse(cr, cx + s * 6, 68, 2, 2);
    SetColor(cr, Hex(0x1A1A1A));
    cairo_fill(cr);
  }
  Ellipse(cr, cx, 56, 28, 7);  // hat brim
  SetColor(cr, Hex(0x7A5A32));
  cairo_fill(cr);
  RoundedRect(cr, cx - 15, 36, 30, 20, 6);
  cairo_fill(cr);
  cairo_rectangle(cr, cx - 15, 48, 30, 4);
  SetColor(cr, Hex(0xB03A2A));
  cairo_fill(cr);
  return c.ToKeyed(Hex(0x2A3A44), 0.5);
}

}  // namespace

void AddPopups(LibraryBuilder& lib) {
  lib.Add("hook", StrikeCard());
  lib.Add("caught", CaughtCard());
  lib.Add("lost", LostCard());
  lib.Add("buoy", SignPicture());
  lib.Add("talk", TalkPicture());
}

}  // namespace tw::bake
