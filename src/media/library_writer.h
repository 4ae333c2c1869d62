// Building sprite and sound libraries in memory: the property values, the
// picture data of an item and the two library containers, ready for
// WriteContainer. The data generator, the library packer and tests share it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "media/container.h"

namespace tw {

// An integer in the narrowest type that holds it (Int8, Int16 or Int32).
ContainerValue IntegerValue(int32_t v);
ContainerValue BoolValue(bool v);
// A short string up to 255 bytes, a long one beyond.
ContainerValue TextValue(const std::string& s);
// Raises "Library item too large" past what a 4-byte length can say.
ContainerValue BinaryValue(std::vector<uint8_t> bytes);
// An item's "Picture.Data": the kind "TBitmap", a length, the bitmap file.
ContainerValue PictureData(const std::vector<uint8_t>& bmpFile);

// 256 grey colours (red, green, blue, reserved), the table libraries carry
// when they are given none.
std::vector<uint8_t> GreyColorTable();

// A sprite library ("ImageList") with the given items; `colorTable` must be
// empty (written as GreyColorTable) or 1024 bytes.
Container SpriteLibraryContainer(std::vector<ContainerItem> items,
                                 std::vector<uint8_t> colorTable = {});
// A sound library ("WaveList") with the given items.
Container SoundLibraryContainer(std::vector<ContainerItem> items);

}  // namespace tw
