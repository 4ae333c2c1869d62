// The game's icon: a bass leaping over a small boat on a lake, on a rounded
// tile. Drawn once in a 256-unit square and scaled, with bold shapes and a
// dark outline so it still reads at 32 pixels in a task bar. ui/icon.bmp is
// the window's icon; --icons DIR also gets the desktop's PNG sizes.
#include <cairo.h>

#include <cmath>
#include <string>

#include "bake/art_canvas.h"
#include "bake/bake.h"
#include "bake/container_writer.h"
#include "core/files.h"
#include "media/png/png_file.h"

namespace tw::bake {
namespace {

const Rgb kOutline = Hex(0x10202A);

void Sky(cairo_t* cr) {
  RoundedRect(cr, 6, 6, 244, 244, 44);
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 6, 0, 250);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.42, 0.74, 0.95);
  cairo_pattern_add_color_stop_rgb(sky, 0.62, 0.86, 0.94, 0.98);
  cairo_pattern_add_color_stop_rgb(sky, 0.63, 0.16, 0.46, 0.72);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.06, 0.22, 0.44);
  cairo_set_source(cr, sky);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(sky);
  cairo_set_line_width(cr, 8);
  SetColor(cr, kOutline);
  cairo_stroke(cr);
  // Two light ripples on the water.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 6);
  SetColor(cr, Hex(0x9CD4F0), 0.8);
  for (const double y : {222.0, 236.0}) {
    cairo_move_to(cr, 36, y);
    cairo_curve_to(cr, 60, y - 6, 80, y + 6, 104, y);
    cairo_move_to(cr, 150, y - 4);
    cairo_curve_to(cr, 174, y - 10, 196, y + 2, 220, y - 4);
  }
  cairo_stroke(cr);
}

void Boat(cairo_t* cr) {
  // Hull: a wedge with its bow to the right, sitting in the water.
  Poly(cr, {{74, 176}, {220, 176}, {200, 206}, {96, 206}});
  SetColor(cr, Hex(0xD8342C));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 7);
  SetColor(cr, kOutline);
  cairo_stroke(cr);
  // A white band along the gunwale.
  Poly(cr, {{78, 178}, {216, 178}, {211, 186}, {83, 186}});
  SetColor(cr, Hex(0xF4F4EC));
  cairo_fill(cr);
  // The outboard at the stern.
  RoundedRect(cr, 60, 156, 22, 30, 5);
  SetColor(cr, Hex(0x30343A));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 5);
  SetColor(cr, kOutline);
  cairo_stroke(cr);
}

// The fish's body in its own frame: nose at +x, back at -y, 0..1 along it.
void BassBody(cairo_t* cr) {
  cairo_move_to(cr, 90, -6);                       // upper jaw tip
  cairo_curve_to(cr, 70, -34, 10, -44, -40, -30);  // head and back
  cairo_curve_to(cr, -62, -24, -78, -14, -92, -8);
  cairo_line_to(cr, -92, 8);                     // tail root
  cairo_curve_to(cr, -70, 22, -20, 40, 30, 34);  // belly
  cairo_curve_to(cr, 62, 30, 86, 24, 98, 14);    // the big lower jaw
  cairo_line_to(cr, 72, 4);                      // the open mouth
  cairo_close_path(cr);
}

void Bass(cairo_t* cr) {
  cairo_save(cr);
  // Leaping: head up and to the right, body arched over the boat.
  cairo_translate(cr, 136, 98);
  cairo_rotate(cr, -0.42);
  cairo_scale(cr, 0.86, 0.86);

  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // Tail fin.
  Poly(cr, {{-86, 0}, {-126, -34}, {-116, 0}, {-126, 34}});
  SetColor(cr, Hex(0x3E7A2E));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 7);
  SetColor(cr, kOutline);
  cairo_stroke(cr);
  // Spiny back fin.
  Poly(cr, {{-50, -28}, {-34, -56}, {-18, -42}, {-4, -62}, {12, -44}, {26, -40}});
  SetColor(cr, Hex(0x4C8A34));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 6);
  SetColor(cr, kOutline);
  cairo_stroke(cr);

  // Body: dark green back fading to a pale belly.
  BassBody(cr);
  cairo_pattern_t* body = cairo_pattern_create_linear(0, -40, 0, 36);
  cairo_pattern_add_color_stop_rgb(body, 0, 0.20, 0.42, 0.16);
  cairo_pattern_add_color_stop_rgb(body, 0.55, 0.46, 0.68, 0.28);
  cairo_pattern_add_color_stop_rgb(body, 0.75, 0.92, 0.90, 0.66);
  cairo_pattern_add_color_stop_rgb(body, 1, 0.96, 0.95, 0.80);
  cairo_set_source(cr, body);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  cairo_set_line_width(cr, 8);
  SetColor(cr, kOutline);
  cairo_stroke(cr);

  // The dark band along the side that marks a bass.
  cairo_save(cr);
  BassBody(cr);
  cairo_clip(cr);
  cairo_move_to(cr, -92, 0);
  cairo_curve_to(cr, -40, -10, 10, 4, 62, -6);
  cairo_set_line_width(cr, 10);
  SetColor(cr, Hex(0x1E3A18), 0.9);
  cairo_stroke(cr);
  cairo_restore(cr);

  // Gill line and the eye.
  cairo_move_to(cr, 50, -24);
  cairo_curve_to(cr, 40, -8, 42, 10, 52, 24);
  cairo_set_line_width(cr, 5);
  SetColor(cr, kOutline);
  cairo_stroke(cr);
  Ellipse(cr, 70, -16, 9, 9);
  SetColor(cr, Hex(0xFFF4C0));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 3);
  SetColor(cr, kOutline);
  cairo_stroke(cr);
  Ellipse(cr, 72, -16, 4.5, 4.5);
  SetColor(cr, kOutline);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Splash(cairo_t* cr) {
  // Drops thrown up where the fish left the water, behind the boat.
  const Pt drops[] = {{30, 150}, {22, 128}, {44, 138}, {48, 158}};
  const double sizes[] = {7, 5, 5, 4};
  for (int i = 0; i < 4; ++i) {
    Ellipse(cr, drops[i].x, drops[i].y, sizes[i], sizes[i] * 1.3);
    SetColor(cr, Hex(0xE8F6FF));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 3);
    SetColor(cr, Hex(0x2A6A9A));
    cairo_stroke(cr);
  }
}

void DrawIcon(cairo_t* cr, double size) {
  cairo_save(cr);
  cairo_scale(cr, size / 256.0, size / 256.0);
  Sky(cr);
  Splash(cr);
  Boat(cr);
  Bass(cr);
  cairo_restore(cr);
}

}  // namespace

void BakeIcons(const BakeContext& ctx) {
  // The window's icon: 64 pixels, black as the see-through key, its soft
  // corners laid over a mid grey such as most title bars have.
  Canvas window(64, 64);
  DrawIcon(window.cr(), 64);
  WriteBytes(JoinPath(ctx.out, "ui/icon.bmp"),
             EncodeBitmapFile(window.ToKeyed(Hex(0x808080), 0.5)));

  if (ctx.icons.empty()) return;
  for (const int size : {32, 64, 128, 256}) {
    Canvas c(size, size);
    DrawIcon(c.cr(), size);
    WritePng(JoinPath(ctx.icons, "tarnwick-" + std::to_string(size) + ".png"), c.ToTranslucent(),
             PngAlpha::Kept);
  }
}

}  // namespace tw::bake
