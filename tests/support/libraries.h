// Sprite and sound libraries made in memory for the tests: every picture a
// tournament looks up, each frame filled with a colour of its own, and
// short silent sounds by the names the game plays.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "media/container.h"
#include "media/library_writer.h"
#include "media/picture.h"
#include "media/wave.h"

namespace tw::test {

// One picture of a test library: `Frames` frames of FrameWidth by FrameHeight.
struct SpriteSpec {
  std::string Name;
  int32_t Frames = 1;
  int32_t FrameWidth = 16;
  int32_t FrameHeight = 16;
};

// Every picture a tournament looks up, with the frame counts the game needs.
inline std::vector<SpriteSpec> DefaultObjectSprites() {
  return {
      {"boat1", 32, 48, 32},    {"boat1gas", 32, 48, 32}, {"boat2", 32, 48, 32},
      {"boat2gas", 32, 48, 32}, {"boat3", 32, 48, 32},    {"boat3gas", 32, 48, 32},
      {"fishguy", 96, 16, 24},  {"splash", 1, 16, 8},     {"water", 1, 10, 10},
      {"fishdash", 1, 640, 96}, {"fishmeter", 7, 40, 40}, {"powerbar", 20, 8, 40},
      {"mouse", 1, 16, 16},     {"mousegas", 1, 32, 32},  {"mousenofish", 1, 32, 32},
      {"bigfont", 67, 22, 24},  {"font", 67, 8, 10},      {"digital", 12, 12, 16},
      {"infofont", 67, 8, 10},  {"buoy", 1, 200, 150},    {"talk", 1, 220, 150},
      {"fish", 16, 24, 12},     {"Monster", 32, 48, 32},  {"gotMonster", 1, 200, 150},
      {"hook", 1, 200, 100},    {"caught", 1, 200, 150},  {"lost", 1, 200, 150},
      {"bobber", 1, 6, 6},      {"minisplash", 1, 12, 6},
  };
}

// The distinct colour of frame `frame` of the `index`th picture of a test
// library: never black (the transparent colour), and different per frame.
inline uint32_t SpriteColor(int32_t index, int32_t frame) {
  const uint32_t r = 40 + static_cast<uint32_t>(index * 53) % 200;
  const uint32_t g = 40 + static_cast<uint32_t>(frame * 8) % 200;
  const uint32_t b = 40 + static_cast<uint32_t>(index * 11 + frame * 3) % 200;
  return (r << 16) | (g << 8) | b;
}

// SpriteColor of frame `frame` of the picture `name` of DefaultObjectSprites
// (0, the see-through black, for a name that is not there).
inline uint32_t ObjectSpriteColor(const std::string& name, int32_t frame) {
  const std::vector<SpriteSpec> specs = DefaultObjectSprites();
  for (size_t i = 0; i < specs.size(); ++i)
    if (specs[i].Name == name) return SpriteColor(static_cast<int32_t>(i), frame);
  return 0;
}

// A sprite library container whose pictures are filled with SpriteColor.
inline std::vector<uint8_t> BuildSpriteLibrary(const std::vector<SpriteSpec>& specs) {
  std::vector<ContainerItem> items;
  for (size_t i = 0; i < specs.size(); ++i) {
    const SpriteSpec& sprite = specs[i];
    // Frames in one row when that stays narrow, else in rows of a divisor.
    int32_t cols = sprite.Frames;
    if (cols * sprite.FrameWidth > 4096)
      for (cols = 16; sprite.Frames % cols != 0; --cols) {
      }
    const int32_t rows = sprite.Frames / cols;
    Picture pic;
    pic.Width = cols * sprite.FrameWidth;
    pic.Height = rows * sprite.FrameHeight;
    pic.Pixels.resize(static_cast<size_t>(pic.Width) * pic.Height);
    for (int32_t y = 0; y < pic.Height; ++y)
      for (int32_t x = 0; x < pic.Width; ++x) {
        const int32_t frame = (y / sprite.FrameHeight) * cols + x / sprite.FrameWidth;
        pic.Pixels[static_cast<size_t>(y) * pic.Width + x] =
            SpriteColor(static_cast<int32_t>(i), frame);
      }
    items.push_back({{"Name", TextValue(sprite.Name)},
                     {"PatternWidth", IntegerValue(sprite.FrameWidth)},
                     {"PatternHeight", IntegerValue(sprite.FrameHeight)},
                     {"Picture.Data", PictureData(EncodeBitmapFile(pic))}});
  }
  return WriteContainer(SpriteLibraryContainer(std::move(items), std::vector<uint8_t>(1024, 0)));
}

// Tiles 0 to 52 of a lake style, 64 by 32; tile 0 animates over 4 frames and
// tile 1 over 2, the rest are still.
inline std::vector<SpriteSpec> DefaultTileSprites() {
  std::vector<SpriteSpec> tiles;
  for (int32_t t = 0; t <= 52; ++t)
    tiles.push_back({"tile" + std::to_string(t), t == 0 ? 4 : t == 1 ? 2 : 1, 64, 32});
  return tiles;
}

// A sound library of short silent waves with the given names.
inline std::vector<uint8_t> BuildSoundLibrary(const std::vector<std::string>& names) {
  const std::vector<uint8_t> wave =
      EncodeWave(MakePcmWave(1, 22050, 8, std::vector<uint8_t>(2205, 128)));
  std::vector<ContainerItem> items;
  for (const std::string& n : names)
    items.push_back({{"Name", TextValue(n)}, {"Wave.WAVE", BinaryValue(wave)}});
  return WriteContainer(SoundLibraryContainer(std::move(items)));
}

// A picture whose every pixel differs from its neighbours in some channel,
// so a writer that drops, swaps or shifts a pixel cannot read back the same.
inline Picture Gradient(int32_t w, int32_t h) {
  Picture p(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      p.At(x, y) =
          static_cast<uint32_t>(((x * 7) & 255) << 16 | ((y * 5) & 255) << 8 | ((x + y) & 255));
  return p;
}

inline std::vector<std::string> DefaultSoundNames() {
  return {"gas",    "startgas", "bell",  "coins",  "cast",    "reel",
          "splash", "hook",     "boing", "caught", "Monster", "minisplash"};
}

}  // namespace tw::test
