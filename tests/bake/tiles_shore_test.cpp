// Shore tile 4 + m shows water along exactly the edges whose bits are set in
// m (1 north east, 2 south east, 4 south west, 8 north west): the map
// generator picks shore tiles by that numbering.
#include <gtest/gtest.h>

#include <filesystem>

#include "bake/bake.h"
#include "media/image_list.h"

namespace tw::bake {
namespace {

TEST(ShoreTiles, WaterLiesAlongTheEdgesTheirNumberNames) {
  const std::string dir =
      (std::filesystem::temp_directory_path() / ("tw-shore-" + std::to_string(::getpid())))
          .string();
  std::filesystem::create_directories(dir);
  BakeTiles(BakeContext(dir));
  // A pixel just inside the middle of each edge: north east, south east,
  // south west, north west.
  const int32_t inside[4][2] = {{47, 9}, {47, 22}, {16, 22}, {16, 9}};
  for (const char* style : {"canada.dxg", "bayou.dxg", "canyon.dxg"}) {
    TDXImageList lib;
    lib.LoadFromFile(dir + "/" + style);
    const auto& shallow = lib.Items(2).GetPicture();  // frame 0 starts the row
    const auto& ground = lib.Items(20).GetPicture();
    for (int32_t m = 0; m < 16; ++m) {
      const auto& shore = lib.Items(4 + m).GetPicture();
      for (int32_t k = 0; k < 4; ++k) {
        const int32_t x = inside[k][0], y = inside[k][1];
        const uint32_t want = (m >> k) & 1 ? shallow.At(x, y) : ground.At(x, y);
        EXPECT_EQ(shore.At(x, y), want) << style << " tile " << 4 + m << " edge " << k;
      }
    }
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tw::bake
