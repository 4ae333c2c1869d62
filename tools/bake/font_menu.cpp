// Menu fonts: DejaVu through Cairo into 8-bit coverage sheets.
#include "bake/font_menu.h"

#include <algorithm>
#include <cmath>

#include "bake/art_canvas.h"
#include "core/error.h"

namespace tw::bake {

uint32_t Cp1252ToUnicode(uint8_t byte) {
  static constexpr uint16_t kHigh[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
  return byte;
}

namespace {

std::string Utf8(uint32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 63));
  } else {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 63));
    s += static_cast<char>(0x80 | (cp & 63));
  }
  return s;
}

}  // namespace

MenuFont RenderMenuFont(const std::string& name, const std::string& face, double size) {
  MenuFont f;
  f.name = name;
  // Measure first: the cell must hold the widest glyph and the full height.
  cairo_surface_t* probe = cairo_image_surface_create(CAIRO_FORMAT_A8, 8, 8);
  cairo_t* pc = cairo_create(probe);
  UseFont(pc, face, size);
  cairo_font_extents_t fe;
  cairo_font_extents(pc, &fe);
  f.ascent = static_cast<int32_t>(std::ceil(fe.ascent));
  f.cellHeight = f.ascent + static_cast<int32_t>(std::ceil(fe.descent));
  std::vector<std::string> glyphs;
  for (int c = 32; c < 256; ++c) {
    // 127 is a control character: it stays blank like the unused bytes.
    const uint32_t cp = c == 127 ? 0 : Cp1252ToUnicode(static_cast<uint8_t>(c));
    glyphs.push_back(cp ? Utf8(cp) : std::string());
    cairo_text_extents_t e;
    const std::string& g = cp ? glyphs.back() : std::string(" ");
    cairo_text_extents(pc, g.c_str(), &e);
    const int32_t advance = static_cast<int32_t>(std::lround(e.x_advance));
    f.widths.push_back(advance);
    const int32_t ink = static_cast<int32_t>(std::ceil(e.x_bearing + e.width));
    f.cellWidth = std::max({f.cellWidth, advance, ink});
  }
  cairo_destroy(pc);
  cairo_surface_destroy(probe);
  if (f.cellWidth <= 0 || f.cellHeight <= 0) throw GameError("Font " + name + " has no glyphs");

  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_A8, f.Width(), f.Height());
  cairo_t* cr = cairo_create(sheet);
  UseFont(cr, face, size);
  cairo_set_source_rgba(cr, 0, 0, 0, 1);
  for (int i = 0; i < 224; ++i) {
    if (glyphs[static_cast<size_t>(i)].empty()) continue;
    const int32_t cx = (i % 16) * f.cellWidth, cy = (i / 16) * f.cellHeight;
    cairo_save(cr);
    cairo_rectangle(cr, cx, cy, f.cellWidth, f.cellHeight);
    cairo_clip(cr);
    cairo_move_to(cr, cx, cy + f.ascent);
    cairo_show_text(cr, glyphs[static_cast<size_t>(i)].c_str());
    cairo_restore(cr);
  }
  cairo_surface_flush(sheet);
  const uint8_t* data = cairo_image_surface_get_data(sheet);
  const int stride = cairo_image_surface_get_stride(sheet);
  f.coverage.resize(static_cast<size_t>(f.Width()) * f.Height());
  for (int32_t y = 0; y < f.Height(); ++y)
    std::copy_n(data + static_cast<size_t>(y) * stride, f.Width(),
                f.coverage.begin() + static_cast<ptrdiff_t>(y) * f.Width());
  cairo_destroy(cr);
  cairo_surface_destroy(sheet);
  return f;
}

std::vector<MenuFont> RenderMenuFonts() {
  // The menus' "MS Sans Serif" sizes become DejaVu Sans; the narrower
  // "Arial" lines become DejaVu Sans Condensed.
  return {RenderMenuFont("sans-11", "Sans", 11),
          RenderMenuFont("sans-11b", "Sans-Bold", 11),
          RenderMenuFont("sans-12", "Sans", 12),
          RenderMenuFont("sans-13", "Sans", 13),
          RenderMenuFont("sans-21", "Sans", 21),
          RenderMenuFont("arial-21", "SansCondensed", 21),
          RenderMenuFont("arial-21i", "SansCondensed-Oblique", 21)};
}

std::string MenuFontsIni(const std::vector<MenuFont>& fonts) {
  std::string out;
  for (const MenuFont& f : fonts) {
    out += "[" + f.name + "]\n";
    out += "picture=" + f.name + ".bmp\n";
    out += "cellwidth=" + std::to_string(f.cellWidth) + "\n";
    out += "cellheight=" + std::to_string(f.cellHeight) + "\n";
    out += "ascent=" + std::to_string(f.ascent) + "\n";
    out += "widths=";
    for (size_t i = 0; i < f.widths.size(); ++i)
      out += (i ? "," : "") + std::to_string(f.widths[i]);
    out += "\n\n";
  }
  return out;
}

}  // namespace tw::bake
