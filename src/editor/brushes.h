// What the painting tools do to a lake's cells: a tile brush of 1, 3 or 5
// cells, the water/land brush that dresses the shore around what it paints
// with the data generator's own shore rule, a fill of a connected area and
// the dressing of a whole area. Every change goes through the history.
#pragma once
#include <cstdint>
#include <vector>

#include "editor/edit_history.h"
#include "editor/lake_document.h"

namespace tw {

struct CellRef {
  int32_t Column = 0, Row = 0;
  bool operator==(const CellRef&) const = default;
};

// The cells a brush of `size` (1, 3 or 5) covers around (c, r): the cell,
// then every cell within (size - 1) / 2 steps through its eight neighbours,
// inside the map.
std::vector<CellRef> BrushCells(const LakeDocument& doc, int32_t c, int32_t r, int32_t size);

// Puts `tile` on the brush's cells.
void PaintTiles(EditHistory& history, int32_t c, int32_t r, int32_t size, int32_t tile);

// Makes the brush's cells water (or land) and dresses the cells around them:
// land touching water takes its shore piece, a shore piece no water touches
// any more becomes plain ground, and plain water takes the depth of its
// distance from the shore.
void PaintShore(EditHistory& history, int32_t c, int32_t r, int32_t size, bool water);

// Puts `tile` on every cell joined to (c, r) by shared edges that holds the
// tile (c, r) holds. Returns the cells changed.
size_t FillArea(EditHistory& history, int32_t c, int32_t r, int32_t tile);

// Dresses the cells of columns c0..c1 and rows r0..r1 (clipped to the map)
// as the shore brush does; with `all` every land cell is considered, not
// only shore pieces. Writes the document directly (for a lake being made).
void DressArea(LakeDocument& doc, int32_t c0, int32_t r0, int32_t c1, int32_t r1, bool all);

}  // namespace tw
