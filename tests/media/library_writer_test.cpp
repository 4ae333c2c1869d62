#include "media/library_writer.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "media/picture.h"

namespace tw {
namespace {

TEST(LibraryWriter, IntegersTakeTheNarrowestTypeThatHoldsThem) {
  EXPECT_EQ(IntegerValue(-128).Type, ValueType::Int8);
  EXPECT_EQ(IntegerValue(127).Type, ValueType::Int8);
  EXPECT_EQ(IntegerValue(128).Type, ValueType::Int16);
  EXPECT_EQ(IntegerValue(-32768).Type, ValueType::Int16);
  EXPECT_EQ(IntegerValue(-32769).Type, ValueType::Int32);
  EXPECT_EQ(IntegerValue(0xFF00FF).Integer, 0xFF00FF);
  EXPECT_EQ(TextValue(std::string(255, 'a')).Type, ValueType::String);
  EXPECT_EQ(TextValue(std::string(256, 'a')).Type, ValueType::LString);
}

TEST(LibraryWriter, LibrariesReadBackWithTheirNamesTableAndPictures) {
  Picture pic;
  pic.Width = 3;
  pic.Height = 2;
  pic.Pixels = {0, 0, 0, 0, 0, 0x123456};
  const Container sprites = ReadContainer(WriteContainer(SpriteLibraryContainer(
      {{{"Name", TextValue("boat1")}, {"Picture.Data", PictureData(EncodeBitmapFile(pic))}}})));
  EXPECT_EQ(sprites.ResourceName, "TPICTURECOLLECTIONCOMPONENT");
  EXPECT_EQ(sprites.ObjectName, "ImageList");
  const ContainerValue* table = FindProperty(sprites.Properties, "List.ColorTable");
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->Bytes.size(), 1024u);
  EXPECT_EQ(table->Bytes[200 * 4 + 1], 200);  // grey when none is given
  ASSERT_EQ(sprites.Items.size(), 1u);
  const Picture back = DecodePictureData(FindProperty(sprites.Items[0], "Picture.Data")->Bytes);
  EXPECT_EQ(back.At(2, 1), 0x123456u);

  const Container sounds =
      ReadContainer(WriteContainer(SoundLibraryContainer({{{"Name", TextValue("splash")}}, {}})));
  EXPECT_EQ(sounds.ClassName, "TWaveCollectionComponent");
  EXPECT_EQ(sounds.ObjectName, "WaveList");
  EXPECT_EQ(sounds.Items.size(), 2u);
}

TEST(LibraryWriter, AColourTableOfAnotherSizeIsRefused) {
  EXPECT_THROW(SpriteLibraryContainer({}, std::vector<uint8_t>(1023)), GameError);
}

}  // namespace
}  // namespace tw
