// Pictures of a lake map seen from above: the 200 by 198 preview the lake
// menu shows, the editor's overview and larger pictures for reviewing maps.
// The data generator and the editor draw every preview they save with this,
// so a lake saved again gives the same picture.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "media/picture.h"
#include "world/map.h"

namespace tw {

// The looks of the generated tile libraries; a preview takes its colours
// from the look.
enum class LakeStyle { Canada, Bayou, Canyon };

// The look of a tile library by its file name: "bayou.dxg" and
// "canyon.dxg" have their own, every other library the northern one.
LakeStyle StyleOfLibrary(const std::string& imageLib);
// The generated library of a look ("canada.dxg", "bayou.dxg", "canyon.dxg").
const char* LibraryOfStyle(LakeStyle style);

constexpr int32_t kPreviewWidth = 200, kPreviewHeight = 198;

// The tile of a cell of the map, column and row inside the header's range.
using TileAt = std::function<int32_t(int32_t column, int32_t row)>;

// The whole map fitted into width by height (aspect kept, land around it),
// with the signs, the people and the pick-ups marked, and the boat's start
// (where the last "levelstart" puts the boat) marked over them. Each pixel
// averages samples by samples points.
Picture RenderLakePicture(const MapHeader& header, const TileAt& tile, const MapObjects& objects,
                          LakeStyle style, int32_t width, int32_t height, int32_t samples = 3);

// Where on such a picture a world point lies, and the world point under a
// pixel of it: for the editor's overview.
struct PreviewFit {
  double Scale = 1, OffsetX = 0, OffsetY = 0;
};
PreviewFit FitPreview(const MapHeader& header, int32_t width, int32_t height);

}  // namespace tw
