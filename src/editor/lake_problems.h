// The editor's check of a lake: everything that keeps it from playing as its
// maker means it to, each problem with the cell (and object slot) it is
// about so the list can take the maker there. Saving is allowed with
// problems; the editor says so.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "editor/lake_document.h"

namespace tw {

struct LakeProblem {
  std::string Text;
  int32_t Column = -1, Row = -1;  // -1: the lake as a whole
  int32_t Slot = -1;              // the object slot it is about, or -1
};

// Where the boat starts: the cell under the point the last "levelstart"
// puts it at ((300, 300) without one).
struct BoatStart {
  bool Placed = false;
  int32_t Slot = -1;
  int32_t X = 300, Y = 300;  // world pixels
  int32_t Column = 0, Row = 0;
};
BoatStart FindBoatStart(const LakeDocument& doc);

// The water cells the boat can reach from its start (moving from a cell to
// those sharing an edge with it), one flag per cell, column by column.
struct Reach {
  std::vector<uint8_t> Cells;
  int64_t Reached = 0, Water = 0;
  bool At(const LakeDocument& doc, int32_t c, int32_t r) const {
    return doc.Inside(c, r) &&
           Cells[static_cast<size_t>(c) * static_cast<size_t>(doc.Rows()) + static_cast<size_t>(r)];
  }
};
Reach ReachableWater(const LakeDocument& doc);

// Every problem, the lake's own first, then by object slot.
std::vector<LakeProblem> CheckLake(const LakeDocument& doc);

}  // namespace tw
