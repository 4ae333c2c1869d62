// The slider the volumes are set with: whole steps only, clamped, and every
// way of moving it (a click on the track, a drag, the keys, the wheel) runs
// its handler once per change.
#include "ui/slider.h"

#include <gtest/gtest.h>

#include "ui/screen.h"
#include "ui_support.h"

namespace tw {
namespace {

TEST(Slider, TakesOnlyWholeStepsInsideItsRangeAndTellsEachChange) {
  Screen screen{test::TestFonts()};
  Slider& s = screen.Root().Add<Slider>("volume");
  s.SetBounds(100, 100, 128, 19);
  int changes = 0;
  s.OnChange = [&] { ++changes; };
  s.SetRange(100, 0, 5);  // upside down: turned round
  EXPECT_EQ(s.Min(), 0);
  EXPECT_EQ(s.Max(), 100);
  s.SetPosition(37);
  EXPECT_EQ(s.Position(), 35);
  s.SetPosition(38);
  EXPECT_EQ(s.Position(), 40);
  s.SetPosition(-20);
  EXPECT_EQ(s.Position(), 0);
  s.SetPosition(1000);
  EXPECT_EQ(s.Position(), 100);
  EXPECT_EQ(changes, 4);
  s.SetPosition(99);
  EXPECT_EQ(changes, 4) << "99 is 100, no change";

  // The track runs from half a thumb in to the value column.
  const int32_t left = 100 + Slider::kThumb / 2;
  const int32_t right = 100 + 128 - Slider::kValueWidth - Slider::kThumb / 2 - 1;
  test::ClickAt(screen, left, 109);
  EXPECT_EQ(s.Position(), 0);
  test::ClickAt(screen, (left + right) / 2, 109);
  EXPECT_EQ(s.Position(), 50);
  screen.MouseDown(kMouseLeft, left + 2, 109);
  screen.MouseMove(right + 40, 300);  // dragged past the end
  screen.MouseUp(kMouseLeft, right + 40, 300);
  EXPECT_EQ(s.Position(), 100);
  test::ClickAt(screen, 100 + 128 - 5, 109);  // on the value: the end of the track
  EXPECT_EQ(s.Position(), 100);

  ASSERT_TRUE(s.Focused()) << "a click gives it the keys";
  screen.KeyDown(vk::kLeft, false);
  EXPECT_EQ(s.Position(), 95);
  screen.KeyDown(vk::kNext, false);
  EXPECT_EQ(s.Position(), 75);
  screen.KeyDown(vk::kHome, false);
  EXPECT_EQ(s.Position(), 0);
  screen.KeyDown(vk::kLeft, false);
  EXPECT_EQ(s.Position(), 0);
  screen.MouseMove(150, 109);
  screen.Wheel(120);
  EXPECT_EQ(s.Position(), 5);
  screen.KeyDown(vk::kEnd, false);
  EXPECT_EQ(s.Position(), 100);
}

}  // namespace
}  // namespace tw
