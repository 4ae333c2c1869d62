// objects.dxg as the game sees it: every picture the play field looks up,
// with the frame counts and sizes the drawing code relies on.
#include <gtest/gtest.h>

#include <filesystem>

#include "bake/art.h"
#include "bake/bake.h"
#include "bake/baked_folder.h"
#include "core/error.h"
#include "media/image_list.h"

namespace tw::bake {
namespace {

class ObjectsLibrary : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    baked_ = new BakedObjects("objects");
    lib_ = &baked_->Library;
  }
  static void TearDownTestSuite() { delete baked_; }
  static TPictureCollectionItem& Item(const std::string& name) { return lib_->Find(name); }
  static inline BakedObjects* baked_ = nullptr;
  static inline TDXImageList* lib_ = nullptr;
};

// Whether any pixel of the frame shows (is not the colour key).
bool FrameShows(const TPictureCollectionItem& item, int32_t frame) {
  const Rect r = item.FrameRect(frame);
  const tw::Picture& p = item.GetPicture();
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    for (int32_t x = r.Left; x < r.Right; ++x)
      if (p.At(x, y) != 0) return true;
  return false;
}

TEST_F(ObjectsLibrary, BoatsAnglerAndSwimmersHaveTheirFrames) {
  for (const char* boat : {"boat1", "boat2", "boat3"}) {
    EXPECT_EQ(Item(boat).FrameCount(), 32) << boat;
    const auto& gas = Item(std::string(boat) + "gas");
    EXPECT_EQ(gas.FrameCount(), 32) << boat;
    // The drawing code places the throttle picture with the plain boat's size.
    EXPECT_EQ(gas.PatternWidth, Item(boat).PatternWidth);
    EXPECT_EQ(gas.PatternHeight, Item(boat).PatternHeight);
  }
  EXPECT_EQ(Item("fishguy").FrameCount(), 96);
  EXPECT_EQ(Item("fish").FrameCount(), 16);
  for (int32_t f = 0; f < 96; ++f) EXPECT_TRUE(FrameShows(Item("fishguy"), f)) << f;
}

TEST_F(ObjectsLibrary, EveryMonsterKindHasItsSpriteAndRaidPicture) {
  for (const char* kind : {"Monster", "Serpent", "Gator", "Snapper"}) {
    EXPECT_EQ(Item(kind).FrameCount(), 32) << kind;
    for (int32_t f = 0; f < 32; ++f) EXPECT_TRUE(FrameShows(Item(kind), f)) << kind << " " << f;
    EXPECT_EQ(Item(std::string("got") + kind).FrameCount(), 1) << kind;
  }
}

TEST_F(ObjectsLibrary, DashboardAndGaugesLieWhereTheGameDrawsThem) {
  const auto& dash = Item("fishdash");
  EXPECT_EQ(dash.FrameWidth(), 640);
  const int32_t top = 480 - dash.FrameHeight();
  EXPECT_GE(top, 370);
  EXPECT_LE(top, 389);  // the fish meter at y 389 must sit on the dashboard
  EXPECT_EQ(Item("fishmeter").FrameCount(), 7);
  const int32_t n = Item("powerbar").FrameCount();
  EXPECT_GE(n, 15);
  EXPECT_LE(n, 25);
  // Gauges and the clock's digits stay on the screen.
  EXPECT_LE(58 + Item("fishmeter").FrameWidth(), 640);
  EXPECT_LE(419 + Item("powerbar").FrameHeight(), 480);
  EXPECT_LE(548 + 4 * Item("digital").PatternWidth, 640);
  EXPECT_LE(416 + Item("digital").PatternHeight, 480);
  for (const char* one : {"splash", "water", "bobber", "hook", "caught", "lost", "buoy", "talk",
                          "mouse", "mousegas", "mousenofish"})
    EXPECT_EQ(Item(one).FrameCount(), 1) << one;
}

TEST_F(ObjectsLibrary, PopUpsFitAboveTheDashboardAndHoldTheirText) {
  const int32_t dashH = Item("fishdash").FrameHeight();
  for (const char* name : {"hook", "caught", "lost", "buoy", "talk"}) {
    const auto& it = Item(name);
    EXPECT_LE(it.FrameWidth(), 640) << name;
    EXPECT_LE(it.FrameHeight(), 480 - dashH) << name;
  }
  // A sign's text starts one glyph right of (285, 145) and runs 25 columns
  // (a word may finish past them); a person's from (280, 148), 29 columns.
  const int32_t w = Item("infofont").PatternWidth;
  const int32_t line = Item("infofont").PatternHeight + 1;
  struct Text {
    const char* name;
    int32_t x, y, columns;
  } texts[] = {{"buoy", 285, 145, 25}, {"talk", 280, 148, 29}};
  for (const Text& t : texts) {
    const auto& it = Item(t.name);
    const int32_t left = (640 - it.FrameWidth()) / 2;
    const int32_t top = (480 - dashH - it.FrameHeight()) / 2;
    EXPECT_LE(left, t.x + w) << t.name;
    EXPECT_GE(left + it.FrameWidth(), t.x + w * (t.columns + 6)) << t.name;
    EXPECT_LE(top, t.y) << t.name;
    EXPECT_GE(top + it.FrameHeight(), t.y + 6 * line) << t.name;  // six lines at least
  }
}

TEST_F(ObjectsLibrary, FontsFollowTheCharacterTable) {
  EXPECT_EQ(kFontGlyphs.size(), 67u);
  for (const char* font : {"bigfont", "font", "infofont"}) {
    const auto& f = Item(font);
    EXPECT_EQ(f.FrameCount(), 67) << font;
    for (int32_t k = 0; k < 67; ++k) {
      // Frames 29 and 30 are the blanks (the second also stands for every
      // character not in the table); every other frame has a glyph.
      EXPECT_EQ(FrameShows(f, k), k != 29 && k != 30) << font << " frame " << k;
    }
  }
  EXPECT_EQ(Item("bigfont").PatternWidth, 22);
  EXPECT_EQ(Item("digital").FrameCount(), 11);
  for (int32_t k = 0; k < 11; ++k) EXPECT_TRUE(FrameShows(Item("digital"), k));
}

TEST_F(ObjectsLibrary, NothingMeantToShowTurnsIntoTheColourKey) {
  // The display keeps 5 or 6 bits a channel; a very dark pixel would become
  // the key and vanish.
  for (PixelFormat fmt : {PixelFormat::RGB565, PixelFormat::RGB555}) {
    lib_->InitializeFrames(fmt);
    for (int32_t i = 0; i < lib_->Count(); ++i) {
      const auto& it = lib_->Items(i);
      const auto& pic = it.GetPicture();
      int32_t lost = 0;
      for (size_t p = 0; p < pic.Pixels.size(); ++p)
        if (pic.Pixels[p] != 0 && it.Converted()[p] == it.ColorKey()) ++lost;
      EXPECT_EQ(lost, 0) << it.Name;
    }
  }
}

}  // namespace
}  // namespace tw::bake
