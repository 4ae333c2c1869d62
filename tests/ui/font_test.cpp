#include "ui/font.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/error.h"
#include "ui/canvas.h"
#include "ui_support.h"

namespace tw {
namespace {

namespace fs = std::filesystem;
using test::MakeGreyBmp;
using test::WidthsList;

// Every cell holds its own character code as coverage in its top-left
// pixel, so a wrong cell lookup shows.
std::vector<uint8_t> CodedAtlas(bool topDown) {
  return MakeGreyBmp(
      16 * 5, 14 * 7,
      [](int32_t x, int32_t y) {
        if (x % 5 || y % 7) return uint8_t{0};
        return static_cast<uint8_t>(32 + (y / 7) * 16 + x / 5);
      },
      topDown);
}

TEST(Fonts, CellsAreFoundInBothRowOrders) {
  for (bool topDown : {false, true}) {
    Font f = MakeFont("sans-11", 5, 7, 6, WidthsList(4), CodedAtlas(topDown));
    EXPECT_EQ(f.At('A', 0, 0), 'A');
    EXPECT_EQ(f.At(255, 0, 0), 255);
    EXPECT_EQ(f.At(' ', 0, 0), ' ');
    EXPECT_EQ(f.At('A', 5, 0), 0);  // outside the cell
    EXPECT_EQ(f.At('\n', 0, 0), 0);
    EXPECT_EQ(f.TextWidth("Ab\tc"), 12);  // control characters have no width
  }
}

TEST(Fonts, DamagedFontDataIsRefusedWithTheFontsName) {
  auto good = CodedAtlas(false);
  auto fails = [](auto fn, const std::string& part) {
    try {
      fn();
      ADD_FAILURE() << "accepted";
    } catch (const GameError& e) {
      EXPECT_NE(std::string(e.what()).find("Font 'sans-12' is damaged"), std::string::npos);
      EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
    }
  };
  fails(
      [&] {
        MakeFont("sans-12", 5, 7, 6, WidthsList(4),
                 std::vector<uint8_t>(good.begin(), good.begin() + 2000));
      },
      "cut short");
  fails([&] { MakeFont("sans-12", 6, 7, 6, WidthsList(4), good); }, "too small");
  fails([&] { MakeFont("sans-12", 0, 7, 6, WidthsList(4), good); }, "cell size");
  fails([&] { MakeFont("sans-12", 5, 7, 9, WidthsList(4), good); }, "ascent");
  fails([&] { MakeFont("sans-12", 5, 7, 6, "4,4,4", good); }, "224");
  fails([&] { MakeFont("sans-12", 5, 7, 6, WidthsList(4) + ",4", good); }, "too many");
  fails([&] { MakeFont("sans-12", 5, 7, 6, "x" + WidthsList(4), good); }, "not a number");
  auto bits = good;
  bits[28] = 24;
  fails([&] { MakeFont("sans-12", 5, 7, 6, WidthsList(4), bits); }, "8-bit");
  auto huge = good;
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;
  fails([&] { MakeFont("sans-12", 5, 7, 6, WidthsList(4), huge); }, "impossible size");
  fails([&] { MakeFont("sans-12", 5, 7, 6, WidthsList(4), std::vector<uint8_t>{'P', 'K'}); }, "");
}

TEST(Fonts, AFolderWithoutFontsFallsBackToTheBuiltInFace) {
  FontSet set;
  set.LoadFolder("/definitely/not/here");
  EXPECT_EQ(set.Warnings().size(), 1u);
  const Font& f = set.Get("sans-12");
  EXPECT_EQ(&f, &BuiltinFont());
  EXPECT_EQ(f.TextWidth("Ok"), 12);
  EXPECT_GT(f.At('A', 0, 4), 0);  // the built-in face has real glyphs
}

TEST(Fonts, TheFolderLoaderReadsEveryListedFaceAndSkipsBrokenOnes) {
  fs::path dir =
      fs::temp_directory_path() /
      ("tw-ui-fonts-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::create_directories(dir / "ui");
  auto atlas = CodedAtlas(false);
  std::ofstream(dir / "ui" / "sans-11.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(atlas.data()),
             static_cast<std::streamsize>(atlas.size()));
  std::ofstream(dir / "ui" / "fonts.ini")
      << "[sans-11]\npicture=sans-11.bmp\ncellwidth=5\ncellheight=7\nascent=6\nwidths="
      << WidthsList(5) << "\n[sans-12]\npicture=missing.bmp\ncellwidth=5\ncellheight=7\n";
  FontSet set;
  set.LoadFolder(dir.string());
  fs::remove_all(dir);
  EXPECT_TRUE(set.Has("sans-11"));
  EXPECT_EQ(set.Get("sans-11").TextWidth("ab"), 10);
  EXPECT_FALSE(set.Has("sans-12"));
  // One warning for the unreadable picture, one per face not listed.
  EXPECT_EQ(set.Warnings().size(), std::size(kFontNames) - 1);
}

TEST(Canvas, TextBlendsItsCoverageInAnyColourAndRespectsTheClip) {
  // A one-glyph face: full, half and no coverage side by side.
  auto bmp = MakeGreyBmp(16 * 3, 14, [](int32_t x, int32_t) {
    return static_cast<uint8_t>(x == 0 ? 255 : x == 1 ? 128 : 0);
  });
  FontSet fonts;
  fonts.Add(MakeFont("f", 3, 1, 1, WidthsList(3), bmp));
  Surface16 s(8, 2);
  s.Fill(s.Pack(0, 0, 248));
  Canvas c(s, fonts);
  c.DrawText("f", 0, 0, " ", kMenuText);
  EXPECT_EQ(s.At(0, 0), s.Pack(191, 191, 0));
  uint32_t half = Surface16::UnpackColor(s.Format(), s.At(1, 0));
  EXPECT_NEAR(static_cast<int>((half >> 16) & 255), 96, 8);
  EXPECT_NEAR(static_cast<int>(half & 255), 124, 8);
  EXPECT_EQ(s.At(2, 0), s.Pack(0, 0, 248));
  c.SetClip(Rect{4, 0, 8, 2});
  c.DrawText("f", 3, 0, "  ", kHintText);
  EXPECT_EQ(s.At(3, 0), s.Pack(0, 0, 248));  // clipped away
  EXPECT_EQ(s.At(6, 0), s.Pack(0, 0, 0));
  // Drawing entirely off the surface is harmless.
  c.SetClip(Rect{-50, -50, 100, 100});
  c.DrawText("f", -100, 500, "xyz", kMenuText);
  c.FillRect(-10, -10, 100, 1, kMenuText);
  c.Line(-5, -5, 20, 20, kMenuText);
  EXPECT_EQ(s.At(1, 1), s.Pack(191, 191, 0));
}

}  // namespace
}  // namespace tw
