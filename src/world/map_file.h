// Reading and writing a lake map (".iso"): the header, the tile of every cell
// column by column, then the 65 placed objects.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "world/map.h"

namespace tw {

constexpr size_t kMapHeaderBytes = 40;  // four header words and six reserved
constexpr size_t kMapObjectRecordBytes = 339;
constexpr int32_t kMapObjectKindChars = 36;  // Kind and Param: one length byte and 36 characters
constexpr int32_t kMapObjectTextChars = 255;

// Bytes a complete map of this size takes; anything after them is ignored.
size_t MapFileSize(int32_t maxCol, int32_t maxRow);

// The Kind of an object as the game compares it: ASCII letters lower-cased,
// blanks and control characters trimmed from both ends, at most 36 characters.
std::string NormalizeObjectKind(const std::string& kind);

// Reads the map file at `path` into the caller's tables. `afterColumn` runs
// after each column's cells are stored (set-up lets the loading panel repaint
// there). Only the corner 0..MapMaxCol by 0..MapMaxRow of `map` is written,
// and every AnimTick read is reset to 0.
// A missing file, or anything but a plain file, raises "Cannot open file
// PATH". A header outside the map's limits (tiles above 1024 pixels either
// way included) or a file shorter than its header promises raises "Map file
// PATH is damaged: " and what is wrong, before anything is stored, so a bad
// file never leaves a half-read lake behind. Bytes after the layout are
// never read.
void ReadMapFile(const std::string& path, MapHeader& header, MapGrid& map,
                 std::array<MapObject, kMapObjectCount>& objects,
                 const std::function<void(int32_t column)>& afterColumn = {});

// The same from bytes already in memory; `name` is the file named in errors.
void ParseMapFile(std::span<const uint8_t> bytes, const std::string& name, MapHeader& header,
                  MapGrid& map, std::array<MapObject, kMapObjectCount>& objects,
                  const std::function<void(int32_t column)>& afterColumn = {});

// The file bytes of a map: used by the data generator and the tests. Texts
// longer than their field are cut; the reserved words are written as zero.
std::vector<uint8_t> EncodeMapFile(const MapHeader& header, const MapGrid& map,
                                   const std::array<MapObject, kMapObjectCount>& objects);

}  // namespace tw
