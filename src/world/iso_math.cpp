// Isometric math: headings, distances and cell picking.
#include "world/iso_math.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numbers>

namespace tw {
namespace {

// The game's short pi for headings, kept in extended precision. The cosine
// table below uses the real one; the two must stay apart, because movement
// and aiming were tuned with each.
constexpr long double kShortPi = 3.14159L;

// Arithmetic the game does in 32-bit registers: wraps instead of overflowing.
inline int32_t Wrap32(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(v));
}

// Radians of heading a, in the order the game forms them: a / 256 * 2 * pi.
inline long double IsoRadians(uint8_t a) {
  return static_cast<long double>(a) / 256.0L * 2.0L * kShortPi;
}

}  // namespace

const std::array<double, 256>& CosineTable() {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = std::cos(i / 256.0 * 2.0 * std::numbers::pi);
    return t;
  }();
  return table;
}

float IsoCos(uint8_t a) {
  return static_cast<float>(std::cos(IsoRadians(a)));
}

float IsoSin(uint8_t a) {
  return static_cast<float>(std::sin(IsoRadians(a)) / 2.0L);
}

// The index wraps like an angle, so negative steps read the table too.
double Cos256(int32_t i) {
  return CosineTable()[static_cast<uint32_t>(i) & 255u];
}

double Sin256(int32_t i) {
  return CosineTable()[(static_cast<uint32_t>(i) + 192u) & 255u];
}

int32_t AtanSteps(float p, float q) {
  const long double quotient = static_cast<long double>(p) / static_cast<long double>(q);
  if (std::isnan(quotient)) return 0;  // 0 / 0: no direction at all
  const long double steps = std::nearbyint(std::atan(quotient) * (128.0L / kShortPi));
  // |steps| is at most 64 (a quarter turn is 64.00005 before rounding).
  return static_cast<int32_t>(std::fabs(steps));
}

uint8_t PointAngle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const int32_t dx = Wrap32(int64_t{x1} - x2);
  const int32_t dy = Wrap32(int64_t{y1} - y2);
  if (dx == 0) return dy > 0 ? 64 : 192;
  const int32_t s = AtanSteps(static_cast<float>(dy), static_cast<float>(dx));
  int32_t angle;
  if (dx > 0 && dy >= 0) {
    angle = s;
  } else if (dx < 0 && dy > 0) {
    angle = 128 - s;
  } else if (dx < 0) {
    angle = 128 + s;
  } else {
    angle = 256 - s;
  }
  return static_cast<uint8_t>(angle & 255);
}

bool TurnsUp(uint8_t target, uint8_t current) {
  return static_cast<uint8_t>(target - current) <= 128;
}

int32_t IsoDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  // Differences of 32-bit values need 33 bits and the doubled y difference
  // 34, so the squares are summed in 128 bits; then the whole root is found
  // exactly. The root of a whole number is never exactly half-way between two
  // whole numbers, so rounding is a single comparison.
  const int64_t sx = int64_t{x1} - x2, sy2 = 2 * (int64_t{y1} - y2);
  constexpr int64_t kNear = int64_t{1} << 26;
  if (sx > -kNear && sx < kNear && sy2 > -kNear && sy2 < kNear) {
    // On the map: the square stays below 2^53, so it and its root are exact
    // in double precision and 64 bits are enough. Same root, same rounding.
    const auto n2 = static_cast<uint64_t>(sx * sx + sy2 * sy2);
    auto n = static_cast<uint64_t>(std::sqrt(static_cast<double>(n2)));
    while (n > 0 && n * n > n2) --n;
    while ((n + 1) * (n + 1) <= n2) ++n;
    if (n2 - n * n > n) ++n;
    return static_cast<int32_t>(n);
  }
  const __int128 dx = sx;
  const __int128 dy2 = sy2;
  const unsigned __int128 d2 = static_cast<unsigned __int128>(dx * dx + dy2 * dy2);
  auto r = static_cast<unsigned __int128>(std::sqrt(static_cast<long double>(d2)));
  while (r > 0 && r * r > d2) --r;
  while ((r + 1) * (r + 1) <= d2) ++r;
  if (d2 - r * r > r) ++r;  // d2 >= r^2 + r + 1 > (r + 1/2)^2
  return r > INT32_MAX ? INT32_MAX : static_cast<int32_t>(r);
}

bool PointInQuad(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                 int32_t y4, int32_t px, int32_t py) {
  // Each product and sum wraps to 32 bits, the way the game's registers do;
  // done on unsigned values so the wrap is well defined.
  auto cross = [px, py](int32_t ax, int32_t ay, int32_t bx, int32_t by) {
    const uint32_t a = static_cast<uint32_t>(ay) - static_cast<uint32_t>(by);
    const uint32_t b = static_cast<uint32_t>(px) - static_cast<uint32_t>(bx);
    const uint32_t c = static_cast<uint32_t>(bx) - static_cast<uint32_t>(ax);
    const uint32_t d = static_cast<uint32_t>(py) - static_cast<uint32_t>(by);
    return static_cast<int32_t>(a * b + c * d);
  };
  const int32_t s1 = cross(x1, y1, x2, y2);
  const int32_t s2 = cross(x2, y2, x3, y3);
  const int32_t s3 = cross(x3, y3, x4, y4);
  const int32_t s4 = cross(x4, y4, x1, y1);
  return (s1 >= 0 && s2 >= 0 && s3 >= 0 && s4 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0 && s4 <= 0);
}

namespace {

int32_t FloorDiv(int32_t a, int32_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

// The even multiples k of a unit (k * unit within one unit of v) whose
// diamonds reach v: one, or two when v lies on a border between them.
struct EvenNear {
  int32_t low, high;  // equal when there is one
};
// `shift`: log2 of the unit when it is a power of two (the usual tile
// sizes), else -1, so that most picks divide by shifting.
// Without branches: which case a point falls in is as good as random, and
// a guessed wrong branch costs more than the whole sum.
inline EvenNear EvenMultiplesNear(int32_t v, int32_t unit, int32_t shift) {
  const int32_t q = shift >= 0 ? v >> shift : FloorDiv(v, unit);
  const int32_t odd = q & 1, up = q + odd;  // the even multiple at or above q
  const bool border = odd != 0 && q * unit == v;
  return {border ? q - 1 : up, up};
}

// The rows and columns the search may answer with.
struct PickWindow {
  int64_t row0, row1, col0, col1;
};

// The pick with even tile sizes and modest points. Turned by 45 degrees,
// with a = x/hw + y/hh and b = x/hw - y/hh, every diamond is the square
// around a point where both are even (row r and column c at a - b = 2r + 2
// and a + b = 4c + 2 + 2 (r % 2)). So the diamonds holding the point are
// found at once: one, or two or four on borders, taken in the order the
// search meets them (highest row, then highest column).
MapPick ShortPick(const MapHeader& h, int32_t x, int32_t y, const PickWindow& window) {
  const int32_t hw = h.TileWidth / 2, hh = h.TileHeight / 2;
  const int32_t unit = hw * hh, u = x * hh + y * hw, v = x * hh - y * hw;
  const int32_t shift =
      (unit & (unit - 1)) == 0 ? std::countr_zero(static_cast<uint32_t>(unit)) : -1;
  const EvenNear as = EvenMultiplesNear(u, unit, shift), bs = EvenMultiplesNear(v, unit, shift);
  for (int32_t a = as.high; a >= as.low; a -= 2) {
    for (int32_t b = bs.low; b <= bs.high; b += 2) {
      const int32_t r = (a - b) / 2 - 1;
      const int32_t c = ((a + b) / 2 - 1 - r % 2) / 2;
      if (r < window.row0 || r > window.row1 || c < window.col0 || c > window.col1) continue;
      return {std::clamp(c, 0, std::max(0, h.MapMaxCol)),
              std::clamp(r, 0, std::max(0, h.MapMaxRow))};
    }
  }
  return {};
}

}  // namespace

MapPick PickCell(const MapHeader& h, int32_t x, int32_t y) {
  const int32_t w = h.TileWidth, tileH = h.TileHeight;
  const int32_t hw = w / 2, hh = tileH / 2;
  MapPick result;
  // Before a map is read the header may hold no tile size at all.
  if (w < 1 || hh < 1) return result;
  // With even tile sizes the diamond's four edge tests come down to
  // hh * |dx| + hw * |dy| <= hw * hh around its centre, and with modest
  // sizes and points every product fits in 32 bits, so the wrapping the
  // edge tests do never happens: the short test gives the same answer.
  constexpr int32_t kShortSide = 1 << 8, kShortReach = 1 << 20;
  const bool shortTest = w % 2 == 0 && tileH % 2 == 0 && w <= kShortSide && tileH <= kShortSide &&
                         x > -kShortReach && x < kShortReach && y > -kShortReach && y < kShortReach;
  if (shortTest && x >= w && y >= hh) {
    // Every diamond holding a point this far in lies within the rows and
    // columns the search below looks at, except beyond the map's last.
    return ShortPick(h, x, y, PickWindow{0, h.MapMaxRow, 0, h.MapMaxCol});
  }
  const int64_t c0 = std::max<int64_t>(0, x / w - 1);
  const int64_t r0 = std::max<int64_t>(0, y / hh - 1);
  const int64_t lastRow = std::min<int64_t>(h.MapMaxRow, r0 + 1);
  const int64_t lastCol = std::min<int64_t>(h.MapMaxCol, c0 + 1);
  if (shortTest) return ShortPick(h, x, y, PickWindow{r0 - 1, lastRow, c0 - 1, lastCol});
  // Odd sizes and far points: the four edge tests, wrapping like the game's
  // registers. The last diamond that holds the point wins (highest row, then
  // highest column), so look from that end and stop at the first one found.
  bool found = false;
  for (int64_t r = lastRow; r >= r0 - 1 && !found; --r) {
    for (int64_t c = lastCol; c >= c0 - 1 && !found; --c) {
      // Odd rows sit half a tile to the right; row -1 counts as odd, shifted left.
      const int32_t left = Wrap32(c * w + (r % 2) * hw);
      const int32_t top = Wrap32(r * hh);
      const int32_t midY = Wrap32(int64_t{top} + hh);
      const int32_t midX = Wrap32(int64_t{left} + hw);
      const bool inside = PointInQuad(left, midY, midX, Wrap32(int64_t{top} + tileH),
                                      Wrap32(int64_t{left} + w), midY, midX, top, x, y);
      if (inside) {
        result.Column =
            static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(0, c), h.MapMaxCol));
        result.Row = static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(0, r), h.MapMaxRow));
        found = true;
      }
    }
  }
  // A damaged header with negative bounds must still never index below 0.
  result.Column = std::max(0, result.Column);
  result.Row = std::max(0, result.Row);
  return result;
}

int32_t PickColumn(const MapHeader& h, int32_t x, int32_t y) {
  return PickCell(h, x, y).Column;
}

int32_t PickRow(const MapHeader& h, int32_t x, int32_t y) {
  return PickCell(h, x, y).Row;
}

}  // namespace tw
