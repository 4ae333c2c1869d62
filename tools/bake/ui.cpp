// ui/: the title screen, the menu background with its four buttons, the
// player's picture, the default lake preview, the promotional picture, the
// saved-game icons and the menu fonts.
#include <cmath>
#include <filesystem>
#include <string>

#include "bake/art_canvas.h"
#include "bake/bake.h"
#include "bake/container_writer.h"
#include "bake/font_menu.h"
#include "bake/library_builder.h"
#include "core/files.h"

namespace tw::bake {
namespace {

const Rgb kMenuYellow{191 / 255.0, 191 / 255.0, 0};  // the menus' text and frame colour

// A lake at dusk: sky, far hills, a pine shore and the water with the sun's
// glitter. `horizon` is the shore line's height.
void LakeScene(cairo_t* cr, double w, double h, double horizon, double sunX) {
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, horizon);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.10, 0.14, 0.32);
  cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.62, 0.36, 0.42);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.98, 0.70, 0.38);
  cairo_rectangle(cr, 0, 0, w, horizon);
  cairo_set_source(cr, sky);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);
  Ellipse(cr, sunX, horizon - h * 0.06, h * 0.07, h * 0.07);
  SetColor(cr, Hex(0xFFE6A0));
  cairo_fill(cr);
  // Far hills, then the near shore with its pines.
  for (int layer = 0; layer < 2; ++layer) {
    const Rgb c = layer ? Hex(0x1C2A2E) : Hex(0x3E4660);
    cairo_move_to(cr, 0, horizon);
    for (double x = 0; x <= w; x += w / 40) {
      double y = horizon - h * (layer ? 0.04 : 0.12) * (0.6 + 0.4 * SmoothNoise(x / 60, layer, 7));
      cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, w, horizon);
    cairo_close_path(cr);
    SetColor(cr, c);
    cairo_fill(cr);
  }
  for (int i = 0; i < 70; ++i) {
    double x = Hash01(i, 1, 3) * w, th = h * (0.04 + 0.07 * Hash01(i, 2, 3));
    if (std::fabs(x - sunX) < w * 0.08 && Hash01(i, 3, 3) < 0.7) continue;
    Poly(cr, {{x - th * 0.22, horizon + 1}, {x, horizon - th}, {x + th * 0.22, horizon + 1}});
    SetColor(cr, Hex(0x142024));
    cairo_fill(cr);
  }
  cairo_pattern_t* water = cairo_pattern_create_linear(0, horizon, 0, h);
  cairo_pattern_add_color_stop_rgb(water, 0, 0.42, 0.34, 0.40);
  cairo_pattern_add_color_stop_rgb(water, 0.3, 0.16, 0.26, 0.38);
  cairo_pattern_add_color_stop_rgb(water, 1, 0.06, 0.12, 0.20);
  cairo_rectangle(cr, 0, horizon, w, h - horizon);
  cairo_set_source(cr, water);
  cairo_fill(cr);
  cairo_pattern_destroy(water);
  for (int i = 0; i < 140; ++i) {  // glitter on the water under the sun
    double y = horizon + 3 + std::pow(Hash01(i, 4, 5), 1.6) * (h - horizon);
    double spread = 0.04 + (y - horizon) / (h - horizon) * 0.25;
    double x = sunX + (Hash01(i, 5, 5) - 0.5) * w * spread * 2;
    double len = 3 + (y - horizon) * 0.05;
    cairo_rectangle(cr, x - len, y, len * 2, 1.2);
    SetColor(cr, Hex(0xFFD890), 0.25 + 0.5 * Hash01(i, 6, 5));
    cairo_fill(cr);
  }
}

void Logo(cairo_t* cr, double cx, double baseline, double size) {
  UseFont(cr, "Serif-Bold", size);
  OutlinedText(cr, "TARNWICK", cx + size * 0.05, baseline + size * 0.05, Hex(0x0C0C0C),
               Hex(0x0C0C0C), size * 0.18);
  OutlinedText(cr, "TARNWICK", cx, baseline, Hex(0xF4D35E), Hex(0x3A2008), size * 0.1);
}

// A leaping fish, side on, nose up.
void LeapingFish(cairo_t* cr, double x, double y, double len, double angle) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, len / 2, 0);
  cairo_curve_to(cr, len * 0.4, -len * 0.25, -len * 0.2, -len * 0.26, -len * 0.34, 0);
  cairo_line_to(cr, -len / 2, -len * 0.2);
  cairo_line_to(cr, -len / 2, len * 0.2);
  cairo_line_to(cr, -len * 0.34, 0);
  cairo_curve_to(cr, -len * 0.2, len * 0.26, len * 0.4, len * 0.25, len / 2, 0);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, -len * 0.25, 0, len * 0.25);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.18, 0.30, 0.20);
  cairo_pattern_add_color_stop_rgb(g, 0.5, 0.50, 0.62, 0.32);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.92, 0.88, 0.70);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  Ellipse(cr, len * 0.33, -len * 0.05, len * 0.035, len * 0.035);
  SetColor(cr, Hex(0xF8F0C0));
  cairo_fill(cr);
  cairo_restore(cr);
}

Picture Title() {
  Canvas c(640, 480);
  cairo_t* cr = c.cr();
  LakeScene(cr, 640, 480, 300, 420);
  // Spray rings where the fish broke the surface.
  for (int r = 0; r < 3; ++r) {
    Ellipse(cr, 250, 392, 40 + r * 22, 8 + r * 4);
    SetColor(cr, Hex(0xE8F0F4), 0.6 - r * 0.18);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  }
  LeapingFish(cr, 250, 330, 150, -0.7);
  for (int i = 0; i < 24; ++i) {
    Ellipse(cr, 250 + (Hash01(i, 1, 8) - 0.5) * 120, 390 - Hash01(i, 2, 8) * 70, 2.5, 2.5);
    SetColor(cr, Hex(0xEAF6FF), 0.9);
    cairo_fill(cr);
  }
  Logo(cr, 320, 110, 84);
  UseFont(cr, "Sans-Bold", 20);
  OutlinedText(cr, "Tournament Bass Fishing", 320, 150, Hex(0xF2EEDC), Hex(0x1A1410), 4);
  UseFont(cr, "Sans", 15);
  OutlinedText(cr, "Click to start \u00B7 F1 for controls", 320, 456, Hex(0xE8E2C8), Hex(0x101418),
               3);
  return c.ToOpaque(Hex(0x101418));
}

struct MenuButton {
  double x, y, w, h;
  const char* label;
  int icon;  // 0 angler, 1 gears, 2 fish, 3 door
};

void ButtonIcon(cairo_t* cr, int icon, double cx, double cy) {
  SetColor(cr, kMenuYellow);
  cairo_set_line_width(cr, 2.2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  switch (icon) {
    case 0:  // a person
      Ellipse(cr, cx, cy - 6, 4.5, 4.5);
      cairo_fill(cr);
      cairo_arc(cr, cx, cy + 9, 9, M_PI, 2 * M_PI);
      cairo_fill(cr);
      break;
    case 1:  // a cog
      for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4;
        cairo_move_to(cr, cx + std::cos(a) * 6, cy + std::sin(a) * 6);
        cairo_line_to(cr, cx + std::cos(a) * 10, cy + std::sin(a) * 10);
      }
      cairo_stroke(cr);
      cairo_arc(cr, cx, cy, 6.5, 0, 2 * M_PI);
      cairo_stroke(cr);
      break;
    case 2: {  // a fish
      cairo_move_to(cr, cx + 12, cy);
      cairo_curve_to(cr, cx + 6, cy - 8, cx - 6, cy - 8, cx - 8, cy);
      cairo_curve_to(cr, cx - 6, cy + 8, cx + 6, cy + 8, cx + 12, cy);
      cairo_fill(cr);
      Poly(cr, {{cx - 7, cy}, {cx - 14, cy - 6}, {cx - 14, cy + 6}});
      cairo_fill(cr);
      break;
    }
    default:  // a door with an arrow out
      cairo_rectangle(cr, cx - 10, cy - 10, 11, 20);
      cairo_stroke(cr);
      cairo_move_to(cr, cx - 2, cy);
      cairo_line_to(cr, cx + 12, cy);
      cairo_move_to(cr, cx + 7, cy - 5);
      cairo_line_to(cr, cx + 12, cy);
      cairo_line_to(cr, cx + 7, cy + 5);
      cairo_stroke(cr);
      break;
  }
}

Picture Menu() {
  Canvas c(640, 480);
  cairo_t* cr = c.cr();
  LakeScene(cr, 640, 480, 250, 470);
  // Darken the whole scene so the panels' yellow text stands out.
  cairo_rectangle(cr, 0, 0, 640, 480);
  SetColor(cr, Hex(0x080A10), 0.55);
  cairo_fill(cr);
  // The top bar that holds the buttons and the name.
  cairo_rectangle(cr, 0, 0, 640, 90);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 90);
  cairo_pattern_add_color_stop_rgba(g, 0, 0.03, 0.04, 0.06, 0.95);
  cairo_pattern_add_color_stop_rgba(g, 1, 0.03, 0.04, 0.06, 0.55);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_rectangle(cr, 0, 88, 640, 1.5);
  SetColor(cr, kMenuYellow, 0.8);
  cairo_fill(cr);
  const MenuButton buttons[4] = {{48, 29, 70, 49, "Player", 0},
                                 {134, 29, 73, 49, "Options", 1},
                                 {223, 29, 89, 49, "Fish", 2},
                                 {507, 29, 73, 49, "Quit", 3}};
  for (const MenuButton& b : buttons) {
    RoundedRect(cr, b.x + 0.5, b.y + 0.5, b.w - 1, b.h - 1, 6);
    cairo_pattern_t* bg = cairo_pattern_create_linear(0, b.y, 0, b.y + b.h);
    cairo_pattern_add_color_stop_rgb(bg, 0, 0.20, 0.22, 0.12);
    cairo_pattern_add_color_stop_rgb(bg, 1, 0.07, 0.08, 0.05);
    cairo_set_source(cr, bg);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(bg);
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, kMenuYellow);
    cairo_stroke(cr);
    ButtonIcon(cr, b.icon, b.x + b.w / 2, b.y + 17);
    UseFont(cr, "Sans-Bold", 12);
    SetColor(cr, kMenuYellow);
    const double tw = TextWidth(cr, b.label);
    DrawText(cr, b.label, std::round(b.x + (b.w - tw) / 2), b.y + b.h - 7);
  }
  Logo(cr, 410, 64, 28);
  // Frames where the panels and the status line sit.
  RoundedRect(cr, 44, 92, 545, 273, 8);
  SetColor(cr, Hex(0x06080C), 0.45);
  cairo_fill(cr);
  RoundedRect(cr, 84, 372, 449, 49, 8);
  SetColor(cr, Hex(0x06080C), 0.6);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  SetColor(cr, kMenuYellow, 0.6);
  cairo_stroke(cr);
  return c.ToOpaque(Hex(0x0A0C10));
}

Picture Body() {
  Canvas c(120, 120);
  cairo_t* cr = c.cr();
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 120);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.50, 0.70, 0.85);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.20, 0.38, 0.52);
  cairo_rectangle(cr, 0, 0, 120, 120);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Shoulders in a life vest, face, cap and sunglasses.
  cairo_arc(cr, 60, 128, 50, M_PI, 2 * M_PI);
  SetColor(cr, Hex(0xE0662A));
  cairo_fill(cr);
  cairo_rectangle(cr, 55, 80, 10, 40);
  SetColor(cr, Hex(0x50606E));
  cairo_fill(cr);
  Ellipse(cr, 60, 56, 22, 26);
  SetColor(cr, Hex(0xE7B48C));
  cairo_fill(cr);
  cairo_rectangle(cr, 40, 50, 40, 8);
  SetColor(cr, Hex(0x202830));
  cairo_fill(cr);
  cairo_arc(cr, 60, 70, 8, 0.2, M_PI - 0.2);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Hex(0x8A4A3A));
  cairo_stroke(cr);
  cairo_arc(cr, 60, 42, 24, M_PI, 2 * M_PI);
  SetColor(cr, Hex(0x2A6FB8));
  cairo_fill(cr);
  Ellipse(cr, 78, 42, 20, 5);
  SetColor(cr, Hex(0x1F5A9A));
  cairo_fill(cr);
  return c.ToOpaque(Hex(0x202830));
}

Picture DefaultPreview() {
  Canvas c(200, 200);
  cairo_t* cr = c.cr();
  LakeScene(cr, 200, 200, 110, 140);
  RoundedRect(cr, 20, 132, 160, 44, 8);
  SetColor(cr, Hex(0x06080C), 0.7);
  cairo_fill(cr);
  UseFont(cr, "Sans-Bold", 15);
  SetColor(cr, kMenuYellow);
  DrawText(cr, "Choose a lake", std::round(100 - TextWidth(cr, "Choose a lake") / 2), 160);
  return c.ToOpaque(Hex(0x101418));
}

Picture Ad() {
  Canvas c(512, 384);
  cairo_t* cr = c.cr();
  LakeScene(cr, 512, 384, 230, 360);
  LeapingFish(cr, 150, 270, 110, -0.5);
  Logo(cr, 256, 96, 64);
  UseFont(cr, "Sans-Bold", 22);
  OutlinedText(cr, "Thanks for fishing!", 256, 140, Hex(0xF2EEDC), Hex(0x101418), 4);
  UseFont(cr, "Sans", 16);
  OutlinedText(cr, "More lakes, bigger fish and meaner monsters", 256, 330, Hex(0xF2EEDC),
               Hex(0x101418), 3);
  OutlinedText(cr, "are waiting. Click to find out more.", 256, 352, Hex(0xF2EEDC), Hex(0x101418),
               3);
  return c.ToOpaque(Hex(0x101418));
}

Picture Icon(bool save) {
  Canvas c(16, 16);
  cairo_t* cr = c.cr();
  if (save) {  // a diskette
    RoundedRect(cr, 1.5, 1.5, 13, 13, 1.5);
    SetColor(cr, Hex(0x2A5AA8));
    cairo_fill(cr);
    cairo_rectangle(cr, 4, 2, 8, 5);
    SetColor(cr, Hex(0xE8ECF0));
    cairo_fill(cr);
    cairo_rectangle(cr, 9, 3, 2, 3);
    SetColor(cr, Hex(0x2A5AA8));
    cairo_fill(cr);
    cairo_rectangle(cr, 4, 9, 8, 5);
    SetColor(cr, Hex(0xD0D4D8));
    cairo_fill(cr);
  } else {  // an opening folder
    Poly(cr, {{1.5, 3}, {6, 3}, {7.5, 4.5}, {14, 4.5}, {14, 13.5}, {1.5, 13.5}});
    SetColor(cr, Hex(0xC8962E));
    cairo_fill(cr);
    Poly(cr, {{3.5, 7}, {15.5, 7}, {13.5, 13.5}, {1.5, 13.5}});
    SetColor(cr, Hex(0xF2C45A));
    cairo_fill(cr);
  }
  return c.ToOpaque(Hex(0xC0C0C0));
}

}  // namespace

void BakeUi(const BakeContext& ctx) {
  const std::string dir = JoinPath(ctx.out, "ui");
  std::filesystem::create_directories(dir);
  LibraryBuilder sheet;  // only for the contact sheet
  auto put = [&](const std::string& name, Picture pic) {
    WriteBytes(JoinPath(dir, name), EncodeBitmapFile(pic));
    sheet.Add(name, std::move(pic));
  };
  put("title.bmp", Title());
  put("menu.bmp", Menu());
  put("body.bmp", Body());
  put("preview.bmp", DefaultPreview());
  put("ad.bmp", Ad());
  put("save.bmp", Icon(true));
  put("load.bmp", Icon(false));

  const std::vector<MenuFont> fonts = RenderMenuFonts();
  for (const MenuFont& f : fonts) {
    WriteBytes(JoinPath(dir, f.name + ".bmp"),
               EncodeGreyBitmapFile(f.Width(), f.Height(), f.coverage));
    Picture p(f.Width(), f.Height());
    for (size_t i = 0; i < f.coverage.size(); ++i) {
      const double a = f.coverage[i] / 255.0;
      p.Pixels[i] = Pack(Mix(Hex(0x141820), kMenuYellow, a));
    }
    sheet.Add(f.name + ".bmp", std::move(p));
  }
  const std::string ini = MenuFontsIni(fonts);
  WriteBytes(JoinPath(dir, "fonts.ini"), std::vector<uint8_t>(ini.begin(), ini.end()));
  if (!ctx.preview.empty()) sheet.WritePreview(JoinPath(ctx.preview, "ui.png"), "ui/");
}

}  // namespace tw::bake
