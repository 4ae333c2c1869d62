// The text form of a lake map, for makers who keep their maps in a text
// editor and under version control:
//
//   tarnwick map 1
//   columns 25
//   rows 97
//   tilesize 64 32
//   20 20 4 ...            one line per row, top to bottom: each column's tile
//   object 0 13 49 1 "levelstart" "" ""
//                          slot, column, row, active, "kind", "param", "text"
//
// Lines starting with # and blank lines are skipped. Object slots not listed
// are empty. Texts are quoted; \" \\ \n \r \t and \xHH stand for what they
// say, and the writer escapes every byte outside printable ASCII.
#pragma once
#include <string>

#include "world/map.h"

namespace tw {

// The text of a map. Read back with ParseMapText it gives the same map, and
// the text of that map is this text again.
std::string MapText(const MapHeader& header, const MapGrid& map, const MapObjects& objects);

// Reads a map's text into the caller's tables: the header, the corner
// 0..MapMaxCol by 0..MapMaxRow of `map` (AnimTick 0) and every object slot.
// A mistake raises "FILE:LINE: what is wrong" before anything is stored.
void ParseMapText(const std::string& text, const std::string& fileName, MapHeader& header,
                  MapGrid& map, MapObjects& objects);

}  // namespace tw
