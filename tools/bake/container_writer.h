// Writes the library container the game loads its pictures and sounds from
// (sprite libraries such as "objects.dxg", sound libraries such as
// "sound.dxw"): a short resource head, then an object stream holding one
// collection of items.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "media/picture.h"

namespace tw::bake {

// One picture of a sprite library; the frames are cut from `bitmap` in cells
// of PatternWidth by PatternHeight (0 = the whole picture) with the skips as
// gaps between them.
struct SpriteItemSpec {
  std::string name;
  std::vector<uint8_t> bitmap;  // a complete BMP file (stored as kind "TBitmap")
  int32_t patternWidth = 0;
  int32_t patternHeight = 0;
  int32_t skipWidth = 0;
  int32_t skipHeight = 0;
  bool systemMemory = false;
  bool transparent = true;
  uint32_t transparentColor = 0;  // 0x00BBGGRR; black by default
};

// A sprite item from a generated picture.
SpriteItemSpec MakeSpriteItem(const std::string& name, const Picture& picture,
                              int32_t patternWidth = 0, int32_t patternHeight = 0);

struct SoundItemSpec {
  std::string name;
  bool looped = false;
  int32_t maxPlayingCount = 0;  // 0 = any number of copies at once
  std::vector<uint8_t> wave;    // a complete RIFF WAVE file
};

// `colorTable`, when given, must be 1024 bytes (256 entries of red, green,
// blue, reserved); an empty one is written as a grey ramp.
std::vector<uint8_t> WriteSpriteLibrary(const std::vector<SpriteItemSpec>& items,
                                        const std::vector<uint8_t>& colorTable = {});
std::vector<uint8_t> WriteSoundLibrary(const std::vector<SoundItemSpec>& items);

// Writes bytes to a file, raising "Unable to write to PATH" on failure.
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace tw::bake
