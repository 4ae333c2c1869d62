// The library container: a resource head (0xFF, type 10, a name, flags, a
// length) followed by the object stream "TPF0", class, object name, the
// properties and the empty list of children.
#include "bake/container_writer.h"

#include <fstream>

#include "core/error.h"

namespace tw::bake {
namespace {

// Value type bytes of the object stream.
enum : uint8_t {
  kNull = 0,
  kList = 1,
  kInt8 = 2,
  kInt16 = 3,
  kInt32 = 4,
  kString = 6,
  kFalse = 8,
  kTrue = 9,
  kBinary = 10,
  kLongString = 12,
  kCollection = 14,
};

class Stream {
 public:
  void U8(uint8_t v) { out_.push_back(v); }
  void U16(uint32_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void Raw(const void* data, size_t n) {
    auto p = static_cast<const uint8_t*>(data);
    out_.insert(out_.end(), p, p + n);
  }
  void ShortString(const std::string& s) {
    if (s.size() > 255) throw GameError("Name too long for a library: " + s.substr(0, 40));
    U8(static_cast<uint8_t>(s.size()));
    Raw(s.data(), s.size());
  }
  void PropName(const std::string& name) { ShortString(name); }
  void Integer(int32_t v) {
    if (v >= -128 && v <= 127) {
      U8(kInt8);
      U8(static_cast<uint8_t>(v));
    } else if (v >= -32768 && v <= 32767) {
      U8(kInt16);
      U16(static_cast<uint16_t>(v));
    } else {
      U8(kInt32);
      U32(static_cast<uint32_t>(v));
    }
  }
  void Bool(bool v) { U8(v ? kTrue : kFalse); }
  void Text(const std::string& s) {
    if (s.size() <= 255) {
      U8(kString);
      ShortString(s);
    } else {
      U8(kLongString);
      U32(static_cast<uint32_t>(s.size()));
      Raw(s.data(), s.size());
    }
  }
  void Binary(const std::vector<uint8_t>& bytes) {
    if (bytes.size() > 0x7FFFFFFF) throw GameError("Library item too large");
    U8(kBinary);
    U32(static_cast<uint32_t>(bytes.size()));
    Raw(bytes.data(), bytes.size());
  }
  std::vector<uint8_t>& Bytes() { return out_; }

 private:
  std::vector<uint8_t> out_;
};

// The resource head around an object stream. The head's name is the class
// name in upper case, as libraries have always been written.
std::vector<uint8_t> WithHead(const std::string& headName, const std::vector<uint8_t>& body) {
  Stream s;
  s.U8(0xFF);
  s.U16(10);
  if (headName.size() + 1 > 79 - 3) throw GameError("Library head name too long");
  s.Raw(headName.data(), headName.size());
  s.U8(0);
  s.U16(0x1030);  // flags: moveable, pure, discardable
  s.U32(static_cast<uint32_t>(body.size()));
  s.Raw(body.data(), body.size());
  return std::move(s.Bytes());
}

void BeginStream(Stream& s, const std::string& className, const std::string& objectName) {
  s.Raw("TPF0", 4);
  s.ShortString(className);
  s.ShortString(objectName);
}

std::vector<uint8_t> GreyColorTable() {
  std::vector<uint8_t> t(1024);
  for (int i = 0; i < 256; ++i) {
    t[i * 4] = t[i * 4 + 1] = t[i * 4 + 2] = static_cast<uint8_t>(i);
    t[i * 4 + 3] = 0;
  }
  return t;
}

}  // namespace

SpriteItemSpec MakeSpriteItem(const std::string& name, const Picture& picture, int32_t patternWidth,
                              int32_t patternHeight) {
  SpriteItemSpec item;
  item.name = name;
  item.bitmap = EncodeBmp24(picture);
  item.patternWidth = patternWidth;
  item.patternHeight = patternHeight;
  return item;
}

std::vector<uint8_t> WriteSpriteLibrary(const std::vector<SpriteItemSpec>& items,
                                        const std::vector<uint8_t>& colorTable) {
  if (!colorTable.empty() && colorTable.size() != 1024)
    throw GameError("A colour table holds 256 colours (1024 bytes)");
  Stream s;
  BeginStream(s, "TPictureCollectionComponent", "ImageList");
  s.PropName("List.ColorTable");
  s.Binary(colorTable.empty() ? GreyColorTable() : colorTable);
  s.PropName("List");
  s.U8(kCollection);
  for (const SpriteItemSpec& item : items) {
    s.U8(kList);
    s.PropName("Name");
    s.Text(item.name);
    s.PropName("PatternHeight");
    s.Integer(item.patternHeight);
    s.PropName("PatternWidth");
    s.Integer(item.patternWidth);
    // The picture: its kind, then a length and the whole bitmap file.
    std::vector<uint8_t> data;
    const std::string kind = "TBitmap";
    data.push_back(static_cast<uint8_t>(kind.size()));
    data.insert(data.end(), kind.begin(), kind.end());
    const uint32_t n = static_cast<uint32_t>(item.bitmap.size());
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>(n >> (8 * i)));
    data.insert(data.end(), item.bitmap.begin(), item.bitmap.end());
    s.PropName("Picture.Data");
    s.Binary(data);
    s.PropName("SkipHeight");
    s.Integer(item.skipHeight);
    s.PropName("SkipWidth");
    s.Integer(item.skipWidth);
    s.PropName("SystemMemory");
    s.Bool(item.systemMemory);
    s.PropName("Transparent");
    s.Bool(item.transparent);
    s.PropName("TransparentColor");
    s.Integer(static_cast<int32_t>(item.transparentColor));
    s.U8(kNull);  // end of the item's properties
  }
  s.U8(kNull);  // end of the collection
  s.U8(kNull);  // end of the component's properties
  s.U8(kNull);  // no children
  return WithHead("TPICTURECOLLECTIONCOMPONENT", s.Bytes());
}

std::vector<uint8_t> WriteSoundLibrary(const std::vector<SoundItemSpec>& items) {
  Stream s;
  BeginStream(s, "TWaveCollectionComponent", "WaveList");
  s.PropName("List");
  s.U8(kCollection);
  for (const SoundItemSpec& item : items) {
    s.U8(kList);
    s.PropName("Looped");
    s.Bool(item.looped);
    s.PropName("MaxPlayingCount");
    s.Integer(item.maxPlayingCount);
    s.PropName("Name");
    s.Text(item.name);
    s.PropName("Wave.WAVE");
    s.Binary(item.wave);
    s.U8(kNull);
  }
  s.U8(kNull);
  s.U8(kNull);
  s.U8(kNull);
  return WithHead("TWAVECOLLECTIONCOMPONENT", s.Bytes());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw UnableToWrite(path);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  f.flush();
  if (!f) throw UnableToWrite(path);
}

}  // namespace tw::bake
