// The library container writer, read back through the game's own readers.
#include <gtest/gtest.h>

#include "bake/container_writer.h"
#include "bake/library_builder.h"
#include "core/error.h"
#include "media/image_list.h"
#include "media/picture.h"
#include "media/wave.h"
#include "media/wave_list.h"
#include "support/libraries.h"

namespace tw::bake {
namespace {

using test::Gradient;

TEST(ContainerWriter, SpriteItemsReadBackWithEveryProperty) {
  SpriteItemSpec a = MakeSpriteItem("boat1", Gradient(100, 32), 32, 32);
  a.skipWidth = 2;
  SpriteItemSpec b = MakeSpriteItem(std::string(300, 'x'), Gradient(8, 8));
  b.transparent = false;
  b.transparentColor = 0xFF00FF;
  b.systemMemory = true;
  b.skipHeight = 1000;  // needs a two-byte integer
  std::vector<uint8_t> table(1024);
  table[5] = 77;

  TDXImageList lib;
  lib.LoadFromBytes(WriteSpriteLibrary({a, b}, table));
  ASSERT_EQ(lib.Count(), 2);
  const auto& ia = lib.Find("BOAT1");
  EXPECT_EQ(ia.PatternWidth, 32);
  EXPECT_EQ(ia.PatternHeight, 32);
  EXPECT_EQ(ia.SkipWidth, 2);
  EXPECT_TRUE(ia.Transparent);
  EXPECT_EQ(ia.TransparentColor, 0u);
  EXPECT_EQ(ia.BuiltFrameCount(), 3);  // the last cell lacks only its gap
  EXPECT_EQ(ia.GetPicture().Pixels, Gradient(100, 32).Pixels);
  const auto& ib = lib.Items(1);
  EXPECT_EQ(ib.Name, std::string(300, 'x'));  // long names go as long strings
  EXPECT_FALSE(ib.Transparent);
  EXPECT_TRUE(ib.SystemMemory);
  EXPECT_EQ(ib.TransparentColor, 0xFF00FFu);
  EXPECT_EQ(ib.SkipHeight, 1000);
  EXPECT_EQ(lib.ColorTable[5], 77);
}

TEST(ContainerWriter, AnEmptyLibraryIsValid) {
  TDXImageList lib;
  lib.LoadFromBytes(WriteSpriteLibrary({}));
  EXPECT_EQ(lib.Count(), 0);
}

TEST(ContainerWriter, AColourTableMustHoldAllColours) {
  EXPECT_THROW(WriteSpriteLibrary({}, std::vector<uint8_t>(1000)), GameError);
}

TEST(ContainerWriter, SoundItemsReadBackWithTheirWaves) {
  WaveData w = MakePcmWave(1, 11025, 8, {128, 200, 50, 128});
  SoundItemSpec s{"splash", false, 3, EncodeWave(w)};
  SoundItemSpec m{"music", true, 0,
                  EncodeWave(MakePcmWave(2, 22050, 16, std::vector<uint8_t>(8, 1)))};
  TDXWaveList lib;
  lib.LoadFromBytes(WriteSoundLibrary({s, m}));
  EXPECT_EQ(lib.Find("Splash").MaxPlayingCount, 3);
  EXPECT_FALSE(lib.Find("splash").Looped);
  EXPECT_TRUE(lib.Find("MUSIC").Looped);
  EXPECT_THROW(lib.Find("reel"), GameError);
}

TEST(LibraryBuilder, FramesAreLaidOutRowByRowAndMustFillThePicture) {
  std::vector<Picture> frames;
  for (uint32_t k = 0; k < 5; ++k) frames.push_back(Picture(4, 3, 0x010101u * (k + 1)));
  const Picture strip = FrameStrip(frames, 2);
  ASSERT_EQ(strip.Width, 8);
  ASSERT_EQ(strip.Height, 9);
  EXPECT_EQ(strip.At(0, 0), 0x010101u);  // frame 0
  EXPECT_EQ(strip.At(4, 0), 0x020202u);  // frame 1, same row
  EXPECT_EQ(strip.At(0, 3), 0x030303u);  // frame 2 starts the next row
  EXPECT_EQ(strip.At(4, 6), 0u);         // no frame 5: the key shows
  frames.push_back(Picture(5, 3));
  EXPECT_THROW(FrameStrip(frames, 2), GameError);

  LibraryBuilder lib;
  EXPECT_THROW(lib.Add("odd", Picture(10, 4), 4, 4), GameError);
  EXPECT_THROW(lib.Add("empty", Picture()), GameError);
  lib.Add("ok", strip, 4, 3);
  TDXImageList back;
  back.LoadFromBytes(lib.Bytes());
  EXPECT_EQ(back.Find("ok").BuiltFrameCount(), 6);
}

}  // namespace
}  // namespace tw::bake
