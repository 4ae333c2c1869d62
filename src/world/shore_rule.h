// How a lake's edge is dressed: which shore piece a land cell takes from the
// water around it, and how deep a water cell looks for its distance from the
// shore. The data generator dresses its lakes with these, and the editor's
// shore brush dresses what the maker paints with the same rules.
#pragma once
#include <cstdint>

namespace tw {

// The neighbours of (c, r) that share an edge with it in the staggered grid:
// k = 0 north-east, 1 south-east, 2 south-west, 3 north-west.
inline void DiagonalNeighbour(int32_t c, int32_t r, int k, int32_t& nc, int32_t& nr) {
  const int32_t odd = r & 1;
  nc = (k < 2 ? c + odd : c - 1 + odd);
  nr = (k == 0 || k == 3) ? r - 1 : r + 1;
}

// The eight cells around (c, r): the four sharing an edge, then the four
// sharing a corner (east, west, north, south).
inline void Neighbour8(int32_t c, int32_t r, int k, int32_t& nc, int32_t& nr) {
  if (k < 4) return DiagonalNeighbour(c, r, k, nc, nr);
  static constexpr int32_t dc[4] = {1, -1, 0, 0}, dr[4] = {0, 0, -2, 2};
  nc = c + dc[k - 4];
  nr = r + dr[k - 4];
}

// The first shore piece; piece 4 + m has water along the edges whose bits are
// set in m (1 north-east, 2 south-east, 4 south-west, 8 north-west).
inline constexpr int32_t kFirstShoreTile = 4;
inline constexpr int32_t kLastShoreTile = 19;
inline constexpr int32_t kPlainGroundTile = 20;

// The shore piece for a land cell: 4 + the edges that meet water, 4 alone
// when water touches only its corners, -1 when no water is near (the cell
// is inland). `wet(c, r)` says whether a cell is water; it is asked about
// cells off the map too and should answer false there.
template <typename Wet>
int32_t ShoreTile(const Wet& wet, int32_t c, int32_t r) {
  int32_t m = 0;
  for (int k = 0; k < 4; ++k) {
    int32_t nc, nr;
    DiagonalNeighbour(c, r, k, nc, nr);
    if (wet(nc, nr)) m |= 1 << k;
  }
  if (m) return kFirstShoreTile + m;
  for (int k = 4; k < 8; ++k) {
    int32_t nc, nr;
    Neighbour8(c, r, k, nc, nr);
    if (wet(nc, nr)) return kFirstShoreTile;
  }
  return -1;
}

// The plain water tile for a cell `steps` moves (through any of its eight
// neighbours) from the nearest land: shallow beside the shore, open water a
// little out, deep beyond.
inline int32_t WaterDepthTile(int32_t steps) {
  return steps <= 1 ? 2 : steps <= 3 ? 1 : 0;
}

}  // namespace tw
