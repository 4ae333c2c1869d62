// Sprite and sound libraries from generated items, written through the
// game's own container writer so the loaders read back exactly this.
#include "bake/container_writer.h"

#include <fstream>

#include "core/error.h"
#include "media/library_writer.h"

namespace tw::bake {

SpriteItemSpec MakeSpriteItem(const std::string& name, const Picture& picture, int32_t patternWidth,
                              int32_t patternHeight) {
  SpriteItemSpec item;
  item.name = name;
  item.bitmap = EncodeBitmapFile(picture);
  item.patternWidth = patternWidth;
  item.patternHeight = patternHeight;
  return item;
}

std::vector<uint8_t> WriteSpriteLibrary(const std::vector<SpriteItemSpec>& items,
                                        const std::vector<uint8_t>& colorTable) {
  std::vector<ContainerItem> list;
  for (const SpriteItemSpec& item : items)
    list.push_back(
        {{"Name", TextValue(item.name)},
         {"PatternHeight", IntegerValue(item.patternHeight)},
         {"PatternWidth", IntegerValue(item.patternWidth)},
         {"Picture.Data", PictureData(item.bitmap)},
         {"SkipHeight", IntegerValue(item.skipHeight)},
         {"SkipWidth", IntegerValue(item.skipWidth)},
         {"SystemMemory", BoolValue(item.systemMemory)},
         {"Transparent", BoolValue(item.transparent)},
         {"TransparentColor", IntegerValue(static_cast<int32_t>(item.transparentColor))}});
  return WriteContainer(SpriteLibraryContainer(std::move(list), colorTable));
}

std::vector<uint8_t> WriteSoundLibrary(const std::vector<SoundItemSpec>& items) {
  std::vector<ContainerItem> list;
  for (const SoundItemSpec& item : items)
    list.push_back({{"Looped", BoolValue(item.looped)},
                    {"MaxPlayingCount", IntegerValue(item.maxPlayingCount)},
                    {"Name", TextValue(item.name)},
                    {"Wave.WAVE", BinaryValue(item.wave)}});
  return WriteContainer(SoundLibraryContainer(std::move(list)));
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw UnableToWrite(path);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  f.flush();
  if (!f) throw UnableToWrite(path);
}

}  // namespace tw::bake
