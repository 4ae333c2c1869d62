// Drawing helpers shared by the generator's art: a Cairo canvas that turns
// into a colour-keyed picture, the DejaVu faces every font is rendered from,
// colours, and a repeatable noise for textures.
#pragma once
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "media/picture.h"

namespace tw::bake {

struct Rgb {
  double r = 0, g = 0, b = 0;  // 0 .. 1
};
Rgb Hex(uint32_t rrggbb);
Rgb Mix(Rgb a, Rgb b, double t);  // t = 0 gives a
Rgb Shade(Rgb c, double f);       // f > 1 lightens toward white, < 1 darkens
uint32_t Pack(Rgb c);             // 0x00RRGGBB, never pure black
void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);

// Pure black is the transparent key, so anything meant to show is kept at
// least this bright.
constexpr uint32_t kNearBlack = 0x080808;
uint32_t AvoidKey(uint32_t rgb);

// An ARGB drawing surface of a fixed size, cleared to transparent.
class Canvas {
 public:
  Canvas(int32_t width, int32_t height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

  // Writes one premultiplied-free colour straight into a pixel (for textures
  // computed pixel by pixel); alpha 0 .. 1.
  void PutPixel(int32_t x, int32_t y, Rgb c, double alpha = 1.0);
  double AlphaAt(int32_t x, int32_t y) const;

  // The canvas as a keyed picture: pixels at least `cut` opaque show, their
  // soft edges blended over `matte` (the colour they will mostly be seen
  // against); the rest become the black key.
  Picture ToKeyed(Rgb matte, double cut = 0.4) const;
  // The canvas laid over an opaque background colour (menu pictures).
  Picture ToOpaque(Rgb background) const;
  // The canvas with its opacity kept: 0xAARRGGBB, colours not premultiplied
  // (the desktop's icons).
  Picture ToTranslucent() const;

 private:
  // The canvas over `back`; when `keyed`, what is covered less than `cut`
  // (or not at all) stays 0, the colour key.
  Picture Over(Rgb back, bool keyed, double cut) const;
  int32_t width_, height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// DejaVu faces from the system's font folder (Sans, Sans-Bold, Sans-Oblique,
// SansMono-Bold, SansCondensed-Bold, Serif-Bold ...), loaded once.
cairo_font_face_t* DejaVu(const std::string& style);
// Crisp text settings: grey antialiasing, hinted outlines and whole-pixel
// advances, so every run renders the same.
void UseFont(cairo_t* cr, const std::string& style, double pixelSize);
// Draws `text` with its baseline starting at (x, y); returns the advance.
double DrawText(cairo_t* cr, const std::string& utf8, double x, double y);
double TextWidth(cairo_t* cr, const std::string& utf8);
// Centred text with a dark outline (captions on pictures).
void OutlinedText(cairo_t* cr, const std::string& utf8, double cx, double baseline, Rgb fill,
                  Rgb outline, double outlineWidth);
// Strokes the current path twice, a wide outline under a narrower line, so
// it reads on any background; the path is used up.
void OutlinedStroke(cairo_t* cr, double outlineWidth, Rgb outline, double width, Rgb colour);

// A repeatable value noise in 0 .. 1 (no generator state, so every run and
// every order of drawing gives the same pictures).
double Hash01(int32_t x, int32_t y, uint32_t seed);
double SmoothNoise(double x, double y, uint32_t seed);

// A point on a picture.
struct Pt {
  double x, y;
};

// The game's viewpoint for small 3D models: the ground plane is squashed to
// half height, so heading angle `th` (radians) points along (cos, sin / 2) on
// screen, and heights rise straight up. Model coordinates: forward u,
// starboard v, height z.
struct GroundView {
  double cx, cy, th;
  double lift = 0.9;  // screen pixels per unit of height
  Pt P(double u, double v, double z) const;
  // How much a model direction faces the viewer (toward the bottom of the screen).
  double Facing(double u, double v) const;
};

// The heading angle (radians) of a 256-step game direction.
double StepsToRadians(double steps);

// Handy shapes.
void Poly(cairo_t* cr, const std::vector<Pt>& pts);  // a closed path
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

}  // namespace tw::bake
