#include "world/font_text.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "core/error.h"

namespace tw {
namespace {

// A font whose glyph k is a solid cell in a colour that spells k, so the
// frame drawn at any spot can be read back off the surface.
struct FontTextTest : ::testing::Test {
  static constexpr int kW = 10, kH = 12, kColumns = 10, kRows = 7;
  TDXImageList library;
  Surface16 surface{640, 480};

  void SetUp() override {
    TPictureCollectionItem& font = library.Add();
    font.Name = "InfoFont";
    font.PatternWidth = kW;
    font.PatternHeight = kH;
    Picture pic;
    pic.Width = kW * kColumns;
    pic.Height = kH * kRows;
    pic.Pixels.resize(static_cast<size_t>(pic.Width) * pic.Height);
    for (int y = 0; y < pic.Height; ++y)
      for (int x = 0; x < pic.Width; ++x) {
        const uint32_t code = static_cast<uint32_t>((y / kH) * kColumns + x / kW + 1);
        pic.Pixels[static_cast<size_t>(y) * pic.Width + x] =
            ((code & 31) << 19) | ((code >> 5) << 10);
      }
    font.SetPicture(pic);
    library.InitializeFrames(PixelFormat::RGB565);
  }

  // The frame whose top-left corner lies at (x, y), or -1 for none.
  int FrameAt(int x, int y) const {
    const uint16_t p = surface.At(x, y);
    return static_cast<int>((p >> 11) + 32 * ((p >> 5) & 63)) - 1;
  }
  // Every glyph drawn, as (frame, x, y), found by their top-left corners.
  std::vector<std::tuple<int, int, int>> Glyphs() const {
    std::vector<std::tuple<int, int, int>> out;
    for (int y = 0; y < surface.Height(); ++y)
      for (int x = 0; x < surface.Width(); ++x) {
        const int f = FrameAt(x, y);
        if (f >= 0 && (x == 0 || FrameAt(x - 1, y) != f || (x % kW) == 0) &&
            (y == 0 || FrameAt(x, y - 1) != f))
          out.emplace_back(f, x, y);
      }
    return out;
  }
  std::vector<int> FramesOnRow(int x, int y, int count) const {
    std::vector<int> frames;
    for (int i = 0; i < count; ++i) frames.push_back(FrameAt(x + kW * (i + 1), y));
    return frames;
  }
};

using Glyph = std::tuple<int, int, int>;

TEST_F(FontTextTest, GlyphsStartOneAdvanceRightAndTheBarStartsALine) {
  DrawFontText(surface, library, "infofont", "AB|C", 100, 50);
  EXPECT_EQ(Glyphs(), (std::vector<Glyph>{{0, 110, 50}, {1, 120, 50}, {2, 110, 63}}));
}

TEST_F(FontTextTest, CharacterTableFramesIncludingLowerCaseAndMissingCharacters) {
  DrawFontText(surface, library, "infofont", "cash", 0, 0);
  EXPECT_EQ(FramesOnRow(0, 0, 4), (std::vector<int>{2, 0, 18, 7}));
  DrawFontText(surface, library, "infofont", "$12 @", 0, 20);
  EXPECT_EQ(FramesOnRow(0, 20, 5), (std::vector<int>{60, 32, 33, 29, 30}));
  DrawFontText(surface, library, "INFOFONT", "\"=?*.#\xC5\xD6\xC4\xE5z9", 0, 40);
  EXPECT_EQ(FramesOnRow(0, 40, 12),
            (std::vector<int>{26, 43, 65, 66, 58, 61, 62, 63, 64, 30, 25, 40}));

  // Every table entry by its first occurrence; the never-chosen ones stay in place.
  EXPECT_EQ(FontFrame('<'), 41);
  EXPECT_EQ(FontFrame('-'), 46);
  EXPECT_EQ(FontFrame('\''), 47);
  EXPECT_EQ(FontFrame('\\'), 51);
  EXPECT_EQ(FontFrame('/'), 52);
  EXPECT_EQ(FontFrame('{'), 53);
  EXPECT_EQ(FontFrame('%'), 57);
  EXPECT_EQ(FontFrame('a'), 0);
  EXPECT_EQ(FontFrame('t'), 19);
  EXPECT_EQ(FontFrame('|'), 30);
  EXPECT_EQ(FontFrame('\0'), 30);
}

TEST_F(FontTextTest, DigitsUseTheirOwnTable) {
  DrawDigits(surface, library, "infofont", "0:5|-9", 200, 100);
  EXPECT_EQ(FramesOnRow(200, 100, 3), (std::vector<int>{0, 30, 5}));
  EXPECT_EQ(FramesOnRow(200, 113, 2), (std::vector<int>{10, 9}));
  EXPECT_EQ(DigitFrame('A'), 30);
  EXPECT_EQ(DigitFrame(' '), 30);
}

TEST_F(FontTextTest, WrappingBreaksAtTheFirstSpaceAfterTheLimit) {
  DrawWrapped(surface, library, "infofont", "ABCD EF GH", 0, 0, 3);
  EXPECT_EQ(FramesOnRow(0, 0, 5), (std::vector<int>{0, 1, 2, 3, -1}));
  EXPECT_EQ(FramesOnRow(0, 13, 6), (std::vector<int>{4, 5, 29, 6, 7, -1}));
  EXPECT_EQ(FrameAt(0, 26 + 1), -1);
}

TEST_F(FontTextTest, WrappingDrawsTheBarAndLeadingSpaces) {
  DrawWrapped(surface, library, "infofont", " A|B   C", 0, 0, 2);
  // Col 1 space, A, bar (frame 30), then col 4 > 2: the space breaks; the
  // next space is drawn at col 1 of the new line, then col 2 too; C at col 3.
  EXPECT_EQ(FramesOnRow(0, 0, 4), (std::vector<int>{29, 0, 30, 1}));
  EXPECT_EQ(FramesOnRow(0, 13, 3), (std::vector<int>{29, 29, 2}));
}

TEST_F(FontTextTest, EmptyTextDrawsNothingAndAnUnknownFontIsAnError) {
  DrawFontText(surface, library, "infofont", "", 0, 0);
  DrawWrapped(surface, library, "infofont", "", 0, 0, 5);
  DrawDigits(surface, library, "infofont", "|||", 0, 0);
  EXPECT_TRUE(Glyphs().empty());
  try {
    DrawFontText(surface, library, "bigfont", "HI", 0, 0);
    ADD_FAILURE() << "an absent font must be reported";
  } catch (const GameError& e) {
    EXPECT_EQ(std::string(e.what()), "Image 'bigfont' not found");
  }
  EXPECT_THROW(DrawWrapped(surface, library, "nofont", "", 0, 0, 5), GameError);
}

TEST_F(FontTextTest, TextFarOffTheSurfaceIsClippedSafely) {
  DrawFontText(surface, library, "infofont", std::string(50, 'W'), INT32_MAX - 100, 0);
  DrawWrapped(surface, library, "infofont", "AAAA AAAA", -45, 470, 1);
  // The fourth A at col 4 covers x -5 to 4 (clipped at the left and bottom);
  // the break after it sends the rest below the surface.
  EXPECT_EQ(FrameAt(0, 470), 0);
  EXPECT_EQ(FrameAt(4, 479), 0);
  EXPECT_EQ(FrameAt(5, 470), -1);
}

}  // namespace
}  // namespace tw
