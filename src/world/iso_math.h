// Directions in 256 steps per turn, distances on the squashed isometric view
// and picking the map cell under a world point. Pure functions: no state, no
// allocation, safe to call for every swimmer every frame.
#pragma once
#include <array>
#include <cstdint>

#include "world/map.h"

namespace tw {

// One pixel of movement along heading `a` on the isometric view: the x part,
// and the y part (halved, because rows lie half a tile apart). These use the
// game's short pi (3.14159), so IsoCos(64) is a hair above zero.
float IsoCos(uint8_t a);
float IsoSin(uint8_t a);

// Full-size components from the 256-entry cosine table (full-precision pi).
// Any integer is accepted; it wraps to 0..255 like an angle.
double Cos256(int32_t i);
double Sin256(int32_t i);
// The table itself, for a loop that moves many things at once: Cos256(i) is
// entry i & 255, Sin256(i) entry (i + 192) & 255.
const std::array<double, 256>& CosineTable();

// |round(arctan(p / q) * 128 / 3.14159)|: the steps of the angle whose
// tangent is p / q. A quotient of 0 / 0 gives 0.
int32_t AtanSteps(float p, float q);

// Heading from (x2, y2) towards (x1, y1). Equal points give 192 (straight up).
uint8_t PointAngle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// True when turning `current` upwards reaches `target` at least as soon as
// turning downwards; half a turn apart and equal both count as up.
bool TurnsUp(uint8_t target, uint8_t current);

// Distance with the y difference counted double (the view squashes y).
int32_t IsoDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// IsoDistance(x1, y1, x2, y2) < limit, without the root: for the monsters'
// every-frame question whether the boat is near.
inline bool IsoDistanceBelow(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t limit) {
  // The rounded root of d2 is below `limit` exactly when the root is below
  // limit - 1/2 (it is never half-way), that is when d2 <= limit^2 - limit.
  const int64_t sx = int64_t{x1} - x2, sy2 = 2 * (int64_t{y1} - y2);
  // Either difference alone at or beyond the limit: the distance is too (and
  // no distance is below a limit of 0 or less). Most monsters are that far.
  if ((sx >= limit) | (-sx >= limit) | (sy2 >= limit) | (-sy2 >= limit)) return false;
  constexpr int64_t kNear = int64_t{1} << 26;
  if (limit < 1 || limit > kNear || sx <= -kNear || sx >= kNear || sy2 <= -kNear || sy2 >= kNear)
    return IsoDistance(x1, y1, x2, y2) < limit;
  return sx * sx + sy2 * sy2 <= int64_t{limit} * limit - limit;
}

// Whether (px, py) lies inside or on the border of the convex quadrilateral
// P1 P2 P3 P4 (either winding). Cross products wrap like 32-bit integers.
bool PointInQuad(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                 int32_t y4, int32_t px, int32_t py);

struct MapPick {
  int32_t Column = 0, Row = 0;
};

// The map cell under a world point. At most nine diamonds around the point
// are tested; on a shared border the last one tested (highest row, then
// highest column) wins, and a point that no tested diamond covers picks
// column 0, row 0. Always inside 0..MapMaxCol by 0..MapMaxRow (0 for a
// header without a valid tile size).
MapPick PickCell(const MapHeader& h, int32_t x, int32_t y);
int32_t PickColumn(const MapHeader& h, int32_t x, int32_t y);
int32_t PickRow(const MapHeader& h, int32_t x, int32_t y);

}  // namespace tw
