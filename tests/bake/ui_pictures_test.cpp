// ui/: the menu pictures at the sizes the menus show them, and the menu
// fonts in the form the menu code reads.
#include <gtest/gtest.h>

#include <filesystem>

#include "bake/bake.h"
#include "bake/baked_folder.h"
#include "bake/font_menu.h"
#include "core/files.h"
#include "core/ini.h"
#include "media/picture.h"
#include "ui/font.h"

namespace tw::bake {
namespace {

class UiFolder : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { folder_ = new BakedFolder("ui", BakeUi); }
  static void TearDownTestSuite() { delete folder_; }
  static inline BakedFolder* folder_ = nullptr;
};

TEST_F(UiFolder, PicturesHaveTheirSizes) {
  struct Want {
    const char* file;
    int32_t w, h;
  } wants[] = {{"title.bmp", 640, 480},   {"menu.bmp", 640, 480}, {"body.bmp", 120, 120},
               {"preview.bmp", 200, 200}, {"ad.bmp", 512, 384},   {"save.bmp", 16, 16},
               {"load.bmp", 16, 16}};
  for (const Want& w : wants) {
    const tw::Picture p = LoadBitmapFile(folder_->Dir() + "/ui/" + w.file);
    EXPECT_EQ(p.Width, w.w) << w.file;
    EXPECT_EQ(p.Height, w.h) << w.file;
  }
}

TEST_F(UiFolder, MenuButtonsArePaintedWhereTheirClickAreasLie) {
  const tw::Picture menu = LoadBitmapFile(folder_->Dir() + "/ui/menu.bmp");
  // Each button's frame is drawn in the menus' yellow along its top edge.
  struct Area {
    int32_t x, y, w, h;
  } areas[] = {{48, 29, 70, 49}, {134, 29, 73, 49}, {223, 29, 89, 49}, {507, 29, 73, 49}};
  for (const Area& a : areas) {
    const uint32_t c = menu.At(a.x + a.w / 2, a.y);
    EXPECT_GT((c >> 16) & 255, 120u) << a.x;
    EXPECT_GT((c >> 8) & 255, 120u) << a.x;
    EXPECT_LT(c & 255, 90u) << a.x;
  }
}

TEST_F(UiFolder, FontsAreListedWithSheetsOfTheirCells) {
  const IniFile ini = IniFile::Load(folder_->Dir() + "/ui/fonts.ini");
  for (const char* name :
       {"sans-11", "sans-11b", "sans-12", "sans-13", "sans-21", "arial-21", "arial-21i"}) {
    const int32_t cw = ini.ReadInteger(name, "cellwidth", 0);
    const int32_t ch = ini.ReadInteger(name, "cellheight", 0);
    const int32_t ascent = ini.ReadInteger(name, "ascent", -1);
    ASSERT_GT(cw, 0) << name;
    EXPECT_GT(ascent, 0) << name;
    EXPECT_LT(ascent, ch) << name;
    const std::string widths = ini.ReadString(name, "widths", "");
    EXPECT_EQ(std::count(widths.begin(), widths.end(), ','), 223) << name;
    const std::string file = ini.ReadString(name, "picture", "");
    const tw::Picture sheet = LoadBitmapFile(folder_->Dir() + "/ui/" + file);
    EXPECT_EQ(sheet.Width, cw * 16) << name;
    EXPECT_EQ(sheet.Height, ch * 14) << name;
    // 'A' (code 65, cell 33) has ink; the space (cell 0) has none.
    auto ink = [&](int32_t cell) {
      uint32_t sum = 0;
      for (int32_t y = 0; y < ch; ++y)
        for (int32_t x = 0; x < cw; ++x)
          sum += sheet.At((cell % 16) * cw + x, (cell / 16) * ch + y) & 255;
      return sum;
    };
    EXPECT_GT(ink(33), 0u) << name;
    EXPECT_EQ(ink(0), 0u) << name;
  }
}

TEST_F(UiFolder, TheMenusFontReaderTakesEveryFont) {
  FontSet fonts;
  fonts.LoadFolder(folder_->Dir());
  for (const std::string& w : fonts.Warnings()) ADD_FAILURE() << w;
  for (const char* name : kFontNames) {
    ASSERT_TRUE(fonts.Has(name)) << name;
    EXPECT_GT(fonts.Get(name).TextWidth("Fish This Lake"), 40) << name;
  }
  // The bold face is wider than the plain one of the same size.
  EXPECT_GT(fonts.Get("sans-11b").TextWidth("Fish This Lake"),
            fonts.Get("sans-11").TextWidth("Fish This Lake"));
}

TEST(MenuFonts, WindowsLettersAboveTheAsciiRangeMapToTheirCharacters) {
  EXPECT_EQ(Cp1252ToUnicode(0x80), 0x20ACu);  // euro sign
  EXPECT_EQ(Cp1252ToUnicode(0x81), 0u);       // unused
  EXPECT_EQ(Cp1252ToUnicode(0xC5), 0xC5u);
  EXPECT_EQ(Cp1252ToUnicode('A'), static_cast<uint32_t>('A'));
  const MenuFont f = RenderMenuFont("t", "Sans", 11);
  ASSERT_EQ(f.widths.size(), 224u);
  EXPECT_GT(f.widths['W' - 32], f.widths['i' - 32]);
  EXPECT_EQ(f.coverage.size(), static_cast<size_t>(f.Width() * f.Height()));
}

}  // namespace
}  // namespace tw::bake
