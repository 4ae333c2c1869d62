// The lake map file: little-endian 32-bit words, no signature.
#include "world/map_file.h"

#include <algorithm>

#include "core/byte_cursor.h"
#include "core/error.h"
#include "core/files.h"

namespace tw {
namespace {

GameError DamagedMap(const std::string& name, const std::string& why) {
  return GameError("Map file " + name + " is damaged: " + why);
}

// What is wrong with a header, or nothing.
std::string HeaderFault(int32_t maxCol, int32_t maxRow, int32_t tileWidth, int32_t tileHeight) {
  if (maxCol < 0 || maxCol >= kMapCols)
    return "its last column " + std::to_string(maxCol) + " is outside 0 to " +
           std::to_string(kMapCols - 1);
  if (maxRow < 0 || maxRow >= kMapRows)
    return "its last row " + std::to_string(maxRow) + " is outside 0 to " +
           std::to_string(kMapRows - 1);
  if (tileWidth < 1 || tileWidth > kMaxTileSize || tileHeight < 2 || tileHeight > kMaxTileSize)
    return "its tiles of " + std::to_string(tileWidth) + " by " + std::to_string(tileHeight) +
           " pixels are outside 1 by 2 to " + std::to_string(kMaxTileSize) + " by " +
           std::to_string(kMaxTileSize);
  return {};
}

// A text field: one length byte, then `capacity` character bytes of which the
// length byte says how many count. A length above the field is cut to it.
std::string ReadShortString(ByteCursor& in, int32_t capacity) {
  const size_t length = std::min<size_t>(in.U8(), static_cast<size_t>(capacity));
  auto chars = in.Bytes(static_cast<size_t>(capacity));
  return std::string(reinterpret_cast<const char*>(chars.data()), length);
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutShortString(std::vector<uint8_t>& out, const std::string& s, int32_t capacity) {
  const size_t length = std::min(s.size(), static_cast<size_t>(capacity));
  out.push_back(static_cast<uint8_t>(length));
  out.insert(out.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(length));
  out.insert(out.end(), static_cast<size_t>(capacity) - length, 0);
}

}  // namespace

size_t MapFileSize(int32_t maxCol, int32_t maxRow) {
  const size_t cells =
      static_cast<size_t>(std::max(maxCol, -1) + 1) * static_cast<size_t>(std::max(maxRow, -1) + 1);
  return kMapHeaderBytes + 4 * cells + kMapObjectCount * kMapObjectRecordBytes;
}

std::string NormalizeObjectKind(const std::string& kind) {
  size_t first = 0, last = kind.size();
  while (first < last && static_cast<unsigned char>(kind[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(kind[last - 1]) <= ' ') --last;
  std::string out = kind.substr(first, std::min<size_t>(last - first, kMapObjectKindChars));
  for (char& ch : out)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return out;
}

void ParseMapFile(std::span<const uint8_t> bytes, const std::string& name, MapHeader& header,
                  MapGrid& map, std::array<MapObject, kMapObjectCount>& objects,
                  const std::function<void(int32_t column)>& afterColumn) {
  // Everything is checked before the first byte is stored.
  const std::string tooShort = "it holds " + std::to_string(bytes.size()) + " bytes";
  ByteCursor in(bytes, "Map file " + name + " is damaged: " + tooShort + ", less than a header");
  in.Need(kMapHeaderBytes);
  const int32_t maxCol = in.I32();
  const int32_t maxRow = in.I32();
  const int32_t tileWidth = in.I32();
  const int32_t tileHeight = in.I32();
  in.Skip(24);  // six reserved words
  const std::string fault = HeaderFault(maxCol, maxRow, tileWidth, tileHeight);
  if (!fault.empty()) throw DamagedMap(name, fault);
  const size_t needed = MapFileSize(maxCol, maxRow);
  if (bytes.size() < needed)
    throw DamagedMap(name, tooShort + " where a map of " + std::to_string(maxCol + 1) + " by " +
                               std::to_string(maxRow + 1) + " cells needs " +
                               std::to_string(needed));

  header.MapMaxCol = maxCol;
  header.MapMaxRow = maxRow;
  header.TileWidth = tileWidth;
  header.TileHeight = tileHeight;
  for (int32_t c = 0; c <= maxCol; ++c) {
    auto& column = map[static_cast<size_t>(c)];
    for (int32_t r = 0; r <= maxRow; ++r) column[static_cast<size_t>(r)] = {in.I32(), 0};
    if (afterColumn) afterColumn(c);
  }
  for (MapObject& o : objects) {
    o.X = in.I32();
    o.Y = in.I32();
    o.Kind = NormalizeObjectKind(ReadShortString(in, kMapObjectKindChars));
    o.Param = ReadShortString(in, kMapObjectKindChars);
    o.Active = in.U8();
    o.Text = ReadShortString(in, kMapObjectTextChars);
  }
}

void ReadMapFile(const std::string& path, MapHeader& header, MapGrid& map,
                 std::array<MapObject, kMapObjectCount>& objects,
                 const std::function<void(int32_t column)>& afterColumn) {
  // Only what the largest map can use is read; bytes after a map's layout
  // are ignored, so a long tail costs neither time nor memory.
  const FileHead head = ReadFileHead(path, MapFileSize(kMapCols - 1, kMapRows - 1));
  ParseMapFile(head.Bytes, path, header, map, objects, afterColumn);
}

std::vector<uint8_t> EncodeMapFile(const MapHeader& header, const MapGrid& map,
                                   const std::array<MapObject, kMapObjectCount>& objects) {
  if (!HeaderFault(header.MapMaxCol, header.MapMaxRow, header.TileWidth, header.TileHeight).empty())
    throw GameError("A map must have 1 to 513 columns, 1 to 2049 rows and tiles from 1 by 2 to " +
                    std::to_string(kMaxTileSize) + " by " + std::to_string(kMaxTileSize));
  std::vector<uint8_t> out;
  out.reserve(MapFileSize(header.MapMaxCol, header.MapMaxRow));
  PutU32(out, static_cast<uint32_t>(header.MapMaxCol));
  PutU32(out, static_cast<uint32_t>(header.MapMaxRow));
  PutU32(out, static_cast<uint32_t>(header.TileWidth));
  PutU32(out, static_cast<uint32_t>(header.TileHeight));
  for (int i = 0; i < 6; ++i) PutU32(out, 0);
  for (int32_t c = 0; c <= header.MapMaxCol; ++c)
    for (int32_t r = 0; r <= header.MapMaxRow; ++r)
      PutU32(out, static_cast<uint32_t>(map[static_cast<size_t>(c)][static_cast<size_t>(r)].Tile));
  for (const MapObject& o : objects) {
    PutU32(out, static_cast<uint32_t>(o.X));
    PutU32(out, static_cast<uint32_t>(o.Y));
    PutShortString(out, o.Kind, kMapObjectKindChars);
    PutShortString(out, o.Param, kMapObjectKindChars);
    out.push_back(o.Active);
    PutShortString(out, o.Text, kMapObjectTextChars);
  }
  return out;
}

}  // namespace tw
