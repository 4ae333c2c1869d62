// Cairo canvas, DejaVu faces and texture noise for the generator.
#include "bake/art_canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <map>

#include "core/error.h"

namespace tw::bake {

Rgb Hex(uint32_t v) {
  return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0};
}
Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Shade(Rgb c, double f) {
  if (f >= 1) return Mix(c, Rgb{1, 1, 1}, std::min(1.0, f - 1));
  return {c.r * f, c.g * f, c.b * f};
}
static uint8_t Channel(double v) {
  return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}
uint32_t AvoidKey(uint32_t rgb) {
  // The display keeps 5 or 6 bits a channel: anything whose top bits are all
  // zero would turn into the key, so such colours become near-black.
  uint32_t r = (rgb >> 16) & 255, g = (rgb >> 8) & 255, b = rgb & 255;
  if (r < 8 && g < 8 && b < 8) return kNearBlack;
  return rgb;
}
uint32_t Pack(Rgb c) {
  return AvoidKey((uint32_t{Channel(c.r)} << 16) | (uint32_t{Channel(c.g)} << 8) | Channel(c.b));
}
void SetColor(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

Canvas::Canvas(int32_t width, int32_t height) : width_(width), height_(height) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS)
    throw GameError("Cannot make a drawing canvas");
  cr_ = cairo_create(surface_);
}
Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::PutPixel(int32_t x, int32_t y, Rgb c, double alpha) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  cairo_surface_flush(surface_);
  auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface_) +
                                          static_cast<size_t>(y) *
                                              cairo_image_surface_get_stride(surface_));
  uint32_t a = Channel(alpha);
  auto pm = [&](double v) {
    return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * a));
  };
  row[x] = (a << 24) | (pm(c.r) << 16) | (pm(c.g) << 8) | pm(c.b);
  cairo_surface_mark_dirty_rectangle(surface_, x, y, 1, 1);
}

double Canvas::AlphaAt(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  cairo_surface_flush(surface_);
  auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface_) +
                                                static_cast<size_t>(y) *
                                                    cairo_image_surface_get_stride(surface_));
  return (row[x] >> 24) / 255.0;
}

Picture Canvas::Over(Rgb back, bool keyed, double cut) const {
  cairo_surface_flush(surface_);
  Picture p(width_, height_);
  const uint8_t* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  for (int32_t y = 0; y < height_; ++y) {
    auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int32_t x = 0; x < width_; ++x) {
      uint32_t v = row[x];
      double a = (v >> 24) / 255.0;
      if (keyed && (a < cut || a == 0)) continue;
      // Premultiplied colour plus the background behind the uncovered part.
      Rgb c{((v >> 16) & 255) / 255.0 + back.r * (1 - a),
            ((v >> 8) & 255) / 255.0 + back.g * (1 - a), (v & 255) / 255.0 + back.b * (1 - a)};
      p.At(x, y) = Pack(c);
    }
  }
  return p;
}

Picture Canvas::ToKeyed(Rgb matte, double cut) const {
  return Over(matte, true, cut);
}

Picture Canvas::ToOpaque(Rgb bg) const {
  return Over(bg, false, 0);
}

Picture Canvas::ToTranslucent() const {
  cairo_surface_flush(surface_);
  Picture p(width_, height_);
  const uint8_t* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  for (int32_t y = 0; y < height_; ++y) {
    auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int32_t x = 0; x < width_; ++x) {
      const uint32_t v = row[x], a = v >> 24;
      if (a == 0) continue;
      // Cairo keeps colours premultiplied; divide, rounding to nearest.
      auto channel = [&](int shift) { return (((v >> shift) & 255) * 255 + a / 2) / a << shift; };
      p.At(x, y) = a << 24 | channel(16) | channel(8) | channel(0);
    }
  }
  return p;
}

namespace {
struct FontStore {
  FT_Library library = nullptr;
  std::map<std::string, cairo_font_face_t*> faces;
};
FontStore& Fonts() {
  static FontStore* store = new FontStore();  // lives for the whole run
  return *store;
}
const cairo_user_data_key_t kFaceKey{};
}  // namespace

cairo_font_face_t* DejaVu(const std::string& style) {
  FontStore& fs = Fonts();
  auto it = fs.faces.find(style);
  if (it != fs.faces.end()) return it->second;
  if (!fs.library && FT_Init_FreeType(&fs.library) != 0)
    throw GameError("Cannot start the font renderer");
  const std::string path = "/usr/share/fonts/truetype/dejavu/DejaVu" + style + ".ttf";
  FT_Face face = nullptr;
  if (FT_New_Face(fs.library, path.c_str(), 0, &face) != 0)
    throw GameError("Cannot open file " + path + " (install fonts-dejavu-core)");
  cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(face, 0);
  cairo_font_face_set_user_data(cf, &kFaceKey, face,
                                [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
  fs.faces[style] = cf;
  return cf;
}

void UseFont(cairo_t* cr, const std::string& style, double pixelSize) {
  cairo_set_font_face(cr, DejaVu(style));
  cairo_set_font_size(cr, pixelSize);
  cairo_font_options_t* o = cairo_font_options_create();
  cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, o);
  cairo_font_options_destroy(o);
}

double DrawText(cairo_t* cr, const std::string& utf8, double x, double y) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, utf8.c_str(), &e);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, utf8.c_str());
  return e.x_advance;
}

double TextWidth(cairo_t* cr, const std::string& utf8) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, utf8.c_str(), &e);
  return e.x_advance;
}

void OutlinedText(cairo_t* cr, const std::string& utf8, double cx, double baseline, Rgb fill,
                  Rgb outline, double outlineWidth) {
  double w = TextWidth(cr, utf8);
  cairo_move_to(cr, cx - w / 2, baseline);
  cairo_text_path(cr, utf8.c_str());
  SetColor(cr, outline);
  cairo_set_line_width(cr, outlineWidth);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  SetColor(cr, fill);
  cairo_fill(cr);
}

void OutlinedStroke(cairo_t* cr, double outlineWidth, Rgb outline, double width, Rgb colour) {
  cairo_set_line_width(cr, outlineWidth);
  SetColor(cr, outline);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, width);
  SetColor(cr, colour);
  cairo_stroke(cr);
}

double Hash01(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / 16777215.0;
}

double SmoothNoise(double x, double y, uint32_t seed) {
  int32_t xi = static_cast<int32_t>(std::floor(x)), yi = static_cast<int32_t>(std::floor(y));
  double fx = x - xi, fy = y - yi;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  double a = Hash01(xi, yi, seed), b = Hash01(xi + 1, yi, seed);
  double c = Hash01(xi, yi + 1, seed), d = Hash01(xi + 1, yi + 1, seed);
  return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

Pt GroundView::P(double u, double v, double z) const {
  const double gx = u * std::cos(th) - v * std::sin(th);
  const double gy = u * std::sin(th) + v * std::cos(th);
  return {cx + gx, cy + gy * 0.5 - z * lift};
}
double GroundView::Facing(double u, double v) const {
  return u * std::sin(th) + v * std::cos(th);
}
double StepsToRadians(double steps) {
  return steps * 2 * M_PI / 256;
}

void Poly(cairo_t* cr, const std::vector<Pt>& pts) {
  if (pts.empty()) return;
  cairo_move_to(cr, pts[0].x, pts[0].y);
  for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x, pts[i].y);
  cairo_close_path(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

}  // namespace tw::bake
