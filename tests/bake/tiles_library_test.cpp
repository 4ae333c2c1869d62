// The lake styles' tile libraries: the numbering every map relies on, the
// diamond shape, and water that joins without seams.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "bake/bake.h"
#include "bake/baked_folder.h"
#include "media/image_list.h"

namespace tw::bake {
namespace {

class TileLibraries : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { folder_ = new BakedFolder("tiles", BakeTiles); }
  static void TearDownTestSuite() { delete folder_; }
  static inline BakedFolder* folder_ = nullptr;
};

constexpr const char* kStyles[] = {"canada.dxg", "bayou.dxg", "canyon.dxg"};

TEST_F(TileLibraries, EveryStyleNumbersItsTilesTheSameWay) {
  for (const char* style : kStyles) {
    TDXImageList lib;
    lib.LoadFromFile(folder_->Dir() + "/" + style);
    ASSERT_EQ(lib.Count(), 53) << style;
    lib.InitializeFrames(PixelFormat::RGB565);
    EXPECT_GT(lib.Items(0).FrameCount(), 1) << style << ": deep water moves";
    EXPECT_GT(lib.Items(1).FrameCount(), 1) << style << ": open water moves";
    for (int32_t t = 0; t < 53; ++t) {
      const auto& it = lib.Items(t);
      EXPECT_EQ(it.FrameWidth(), 64) << style << " tile " << t;
      EXPECT_GE(it.FrameHeight(), 32) << style << " tile " << t;
      if (t >= 4) {
        EXPECT_EQ(it.FrameCount(), 1) << style << " tile " << t;
      }
      // The diamond stands at the bottom: its corners' outside is see-through
      // and its middle shows, on every frame.
      for (int32_t f = 0; f < it.FrameCount(); ++f) {
        const Rect r = it.FrameRect(f);
        const auto& pic = it.GetPicture();
        const int32_t base = r.Bottom - 32;
        EXPECT_EQ(pic.At(r.Left, r.Bottom - 1), 0u) << style << " tile " << t;
        EXPECT_EQ(pic.At(r.Right - 1, r.Bottom - 1), 0u) << style << " tile " << t;
        EXPECT_NE(pic.At(r.Left + 32, base + 16), 0u) << style << " tile " << t;
        EXPECT_NE(pic.At(r.Left + 1, base + 16), 0u) << style << " tile " << t;
        EXPECT_NE(pic.At(r.Left + 32, base), 0u) << style << " tile " << t;
      }
    }
  }
}

// Lays copies of one water frame out the way the map is drawn (rows half a
// tile apart, odd rows shifted half a tile) and compares the step in colour
// across the joins with the steps inside the tiles.
TEST_F(TileLibraries, WaterJoinsWithoutSeams) {
  for (const char* style : kStyles) {
    TDXImageList lib;
    lib.LoadFromFile(folder_->Dir() + "/" + style);
    for (int32_t t = 0; t < 4; ++t) {
      const auto& pic = lib.Items(t).GetPicture();
      constexpr int32_t W = 64 * 4, H = 16 * 8;
      std::vector<uint32_t> out(W * H, 0);
      std::vector<int> owner(W * H, -1);
      for (int32_t row = -1; row < 9; ++row)
        for (int32_t col = -1; col < 5; ++col) {
          const int32_t x0 = (row & 1) * 32 + col * 64, y0 = row * 16;
          for (int32_t y = 0; y < 32; ++y)
            for (int32_t x = 0; x < 64; ++x) {
              const uint32_t c = pic.At(x, y);  // frame 0
              const int32_t ox = x0 + x, oy = y0 + y;
              if (c == 0 || ox < 0 || oy < 0 || ox >= W || oy >= H) continue;
              ASSERT_EQ(owner[oy * W + ox], -1) << "diamonds overlap";
              out[oy * W + ox] = c;
              owner[oy * W + ox] = (row + 1) * 16 + col + 1;
            }
        }
      auto step = [](uint32_t a, uint32_t b) {
        int d = 0;
        for (int s = 0; s < 24; s += 8)
          d = std::max(
              d, std::abs(static_cast<int>((a >> s) & 255) - static_cast<int>((b >> s) & 255)));
        return d;
      };
      int inside = 0, across = 0;
      for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x + 1 < W; ++x) {
          ASSERT_NE(owner[y * W + x], -1) << style << ": a gap between diamonds";
          const int d = step(out[y * W + x], out[y * W + x + 1]);
          (owner[y * W + x] == owner[y * W + x + 1] ? inside : across) =
              std::max(owner[y * W + x] == owner[y * W + x + 1] ? inside : across, d);
        }
      EXPECT_LE(across, inside) << style << " water " << t;
    }
  }
}

}  // namespace
}  // namespace tw::bake
