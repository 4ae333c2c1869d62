// Pictures of a lake map seen from above: the 200 by 198 preview the lake
// menu shows, and larger overviews for reviewing the maps.
#pragma once
#include "bake/map_gen.h"
#include "media/picture.h"

namespace tw::bake {

constexpr int32_t kPreviewWidth = 200, kPreviewHeight = 198;

// The whole map fitted into width by height (aspect kept, land around it),
// with the start, the signs, the people and the pick-ups marked.
Picture RenderLakePicture(const LakeMap& map, LakeStyle style, int32_t width, int32_t height,
                          int32_t samples = 3);

}  // namespace tw::bake
