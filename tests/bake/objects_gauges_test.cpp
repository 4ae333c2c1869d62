// The gauges and fonts say what they must at a glance: the strike bar's
// needle sweeps across and its landing zone covers exactly the frames that
// land a fish, the fish meter fills up, the clock's digits and the fonts'
// never-used frames hold what the character tables put there.
#include <gtest/gtest.h>

#include <filesystem>

#include "bake/bake.h"
#include "bake/baked_folder.h"
#include "media/image_list.h"

namespace tw::bake {
namespace {

class Gauges : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    baked_ = new BakedObjects("gauges");
    lib_ = &baked_->Library;
  }
  static void TearDownTestSuite() { delete baked_; }
  static inline BakedObjects* baked_ = nullptr;
  static inline TDXImageList* lib_ = nullptr;
};

uint32_t Pixel(const TPictureCollectionItem& it, int32_t frame, int32_t x, int32_t y) {
  const Rect r = it.FrameRect(frame);
  return it.GetPicture().At(r.Left + x, r.Top + y);
}

bool Green(uint32_t c) {
  const int r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
  return g > 150 && r < 120 && b < 130;
}

TEST_F(Gauges, StrikeNeedleSweepsAcrossAndOnlyTheFiveLandingFramesSitInTheZone) {
  const auto& bar = lib_->Find("powerbar");
  const int32_t n = bar.FrameCount();
  const int32_t centre = (n + 2) / 2;
  int32_t last = -1;
  for (int32_t f = 0; f < n; ++f) {
    // The needle's head is the white mark in the top rows.
    int32_t x = -1;
    for (int32_t px = 0; px < bar.FrameWidth() && x < 0; ++px)
      if (Pixel(bar, f, px, 3) == 0xFFFFFF) x = px;
    ASSERT_GE(x, 0) << "frame " << f << " shows no needle";
    EXPECT_GT(x, last) << "frame " << f;
    last = x;
    // Under the needle's head: the zone's green exactly for the landing frames.
    int32_t greens = 0;
    for (int32_t dx = -1; dx <= 3; ++dx) greens += Green(Pixel(bar, f, x + dx, 10)) ? 1 : 0;
    const bool lands = std::abs(f - centre) < 3;
    EXPECT_EQ(greens > 0, lands) << "frame " << f;
  }
}

TEST_F(Gauges, FishMeterLightsOneMoreFishEachFrame) {
  const auto& meter = lib_->Find("fishmeter");
  int32_t previous = -1;
  for (int32_t f = 0; f < 7; ++f) {
    int32_t gold = 0;
    for (int32_t y = 0; y < meter.FrameHeight(); ++y)
      for (int32_t x = 0; x < meter.FrameWidth(); ++x) {
        const uint32_t c = Pixel(meter, f, x, y);
        if (((c >> 16) & 255) > 200 && ((c >> 8) & 255) > 150 && (c & 255) < 120) ++gold;
      }
    EXPECT_GT(gold, previous) << "frame " << f;
    previous = gold;
  }
}

TEST_F(Gauges, ClockDigitsLightTheirSegments) {
  const auto& d = lib_->Find("digital");
  auto lit = [&](int32_t f) {
    int32_t n = 0;
    for (int32_t y = 0; y < d.FrameHeight(); ++y)
      for (int32_t x = 0; x < d.FrameWidth(); ++x)
        if (((Pixel(d, f, x, y) >> 8) & 255) > 200) ++n;
    return n;
  };
  for (int32_t f = 0; f < 11; ++f) {
    if (f == 8) continue;
    EXPECT_LT(lit(f), lit(8)) << "8 lights every segment, " << f << " fewer";
  }
  EXPECT_LT(lit(10), lit(1)) << "the minus sign is one segment";
}

TEST_F(Gauges, FontFramesTheTextNeverReachesStillHoldTheirGlyphs) {
  for (const char* name : {"bigfont", "font", "infofont"}) {
    const auto& f = lib_->Find(name);
    auto same = [&](int32_t a, int32_t b) {
      for (int32_t y = 0; y < f.FrameHeight(); ++y)
        for (int32_t x = 0; x < f.FrameWidth(); ++x)
          if (Pixel(f, a, x, y) != Pixel(f, b, x, y)) return false;
      return true;
    };
    EXPECT_FALSE(same(27, 0)) << name << ": lower-case a";
    EXPECT_FALSE(same(28, 19)) << name << ": lower-case t";
    EXPECT_TRUE(same(59, 43)) << name << ": the second equals sign";
    EXPECT_TRUE(same(29, 30)) << name << ": both spaces are blank";
  }
}

}  // namespace
}  // namespace tw::bake
