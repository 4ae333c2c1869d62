// The boat and the angler face the way their frame numbers say: boat frame
// f shows heading 7 + 8 (31 - f) (0 points right, 64 down the screen) and
// angler direction d (frames 6 d .. 6 d + 5) faces about 262.5 - 16 d.
#include <gtest/gtest.h>

#include <filesystem>

#include "bake/bake.h"
#include "media/image_list.h"

namespace tw::bake {
namespace {

// Mean position of the pixels of one colour within a frame, relative to the
// frame's centre.
bool MeanOf(const TPictureCollectionItem& it, int32_t frame, uint32_t colour, double& dx,
            double& dy) {
  const Rect r = it.FrameRect(frame);
  double sx = 0, sy = 0;
  int n = 0;
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    for (int32_t x = r.Left; x < r.Right; ++x)
      if (it.GetPicture().At(x, y) == colour) {
        sx += x - r.Left;
        sy += y - r.Top;
        ++n;
      }
  if (n == 0) return false;
  dx = sx / n - r.Width() / 2.0;
  dy = sy / n - r.Height() / 2.0;
  return true;
}

TEST(Facing, BoatFramesTurnTheWayTheHeadingRuleCounts) {
  const std::string dir =
      (std::filesystem::temp_directory_path() / ("tw-facing-" + std::to_string(::getpid())))
          .string();
  std::filesystem::create_directories(dir);
  BakeObjects(BakeContext(dir));
  TDXImageList lib;
  lib.LoadFromFile(dir + "/objects.dxg");
  lib.InitializeFrames(PixelFormat::RGB565);
  std::filesystem::remove_all(dir);

  // The outboard motor hangs on the stern, behind the heading.
  const auto& boat = lib.Find("boat1");
  double dx = 0, dy = 0;
  ASSERT_TRUE(MeanOf(boat, 31, 0x50565E, dx, dy));  // heading 7: bow to the right
  EXPECT_LT(dx, -8);
  ASSERT_TRUE(MeanOf(boat, 15, 0x50565E, dx, dy));  // heading 135: bow to the left
  EXPECT_GT(dx, 8);
  double downX = 0, downY = 0, upX = 0, upY = 0;
  ASSERT_TRUE(MeanOf(boat, 23, 0x50565E, downX, downY));  // heading 71: bow toward the viewer
  ASSERT_TRUE(MeanOf(boat, 7, 0x50565E, upX, upY));       // heading 199: bow away
  EXPECT_LT(downY, upY);  // the stern is higher on the screen when the bow comes down

  // The angler's cap peak points where he looks.
  const auto& guy = lib.Find("fishguy");
  ASSERT_TRUE(MeanOf(guy, 0 * 6, 0x1F5A9A, dx, dy));  // direction 0: to the right
  const double right = dx;
  ASSERT_TRUE(MeanOf(guy, 8 * 6, 0x1F5A9A, dx, dy));  // direction 8: to the left
  EXPECT_GT(right, dx + 2);
}

}  // namespace
}  // namespace tw::bake
