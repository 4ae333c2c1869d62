// Shaping the lake: seeded value noise over a style's base shape, a water
// share picked by ranking, tidied shores, a border of land, and a start on
// open water.
#include <algorithm>
#include <cmath>
#include <deque>

#include "bake/map_gen_internal.h"
#include "core/error.h"

namespace tw::bake {
namespace {

float Lattice(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h >> 8) / 16777216.0f;
}

float ValueNoise(double x, double y, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
  const double tx = x - fx, ty = y - fy;
  const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const double a = Lattice(ix, iy, seed), b = Lattice(ix + 1, iy, seed);
  const double c = Lattice(ix, iy + 1, seed), d = Lattice(ix + 1, iy + 1, seed);
  return static_cast<float>(a + (b - a) * sx + (c - a) * sy + (a - b - c + d) * sx * sy);
}

// Fractal noise from `cycles` across the map down to features about
// `finest` world pixels wide; about -0.5..0.5.
double Fbm(double x, double y, double span, double cycles, double finest, uint32_t seed) {
  double sum = 0.0, amp = 0.5, norm = 0.0;
  double freq = cycles / span;
  for (int o = 0; o < 9 && 1.0 / freq > finest; ++o) {
    sum += amp * (ValueNoise(x * freq, y * freq, seed + o * 101u) - 0.5);
    norm += amp;
    amp *= 0.55;
    freq *= 2.0;
  }
  return norm > 0 ? sum / norm : 0.0;
}

// How strongly a point (u, v in 0..1 across the map) wants to be water,
// before noise: a round lake, a cluster of ponds joined by sloughs, or a
// winding reservoir in a canyon.
double BaseShape(LakeStyle style, double u, double v, uint32_t seed) {
  const double x = u * 2 - 1, y = v * 2 - 1;
  switch (style) {
    case LakeStyle::Canada:
      return 1.0 - std::sqrt(x * x * 0.9 + y * y * 0.9);
    case LakeStyle::Bayou: {
      Noise pick(seed);
      double best = -1.0;
      for (int k = 0; k < 7; ++k) {
        const double cx = pick.Unit() * 1.3 - 0.65, cy = pick.Unit() * 1.3 - 0.65;
        const double radius = 0.35 + 0.3 * pick.Unit();
        const double d = std::hypot(x - cx, y - cy) / radius;
        best = std::max(best, 1.0 - d);
      }
      return best * 0.9 + (1.0 - std::max(std::fabs(x), std::fabs(y))) * 0.2;
    }
    case LakeStyle::Canyon: {
      Noise pick(seed);
      const double phase = pick.Unit() * 6.28, bends = 1.5 + pick.Unit();
      const double centre = 0.45 * std::sin(y * bends * 3.14159 + phase);
      const double arm = 0.5 * std::sin(x * 2.0 + phase) - 0.2;
      const double river = 1.0 - std::fabs(x - centre) / 0.45;
      const double branch = 1.0 - std::fabs(y - arm) / 0.3 - std::max(0.0, x - 0.2) * 2.0;
      return std::max(river, branch * 0.8) - std::max(0.0, std::fabs(y) - 0.8) * 3.0;
    }
  }
  return 0.0;
}

// Evens out the coast: specks of water or land, and channels the boat could
// barely squeeze through, go the way of most of their neighbours.
void Smooth(Terrain& t, int passes) {
  std::vector<uint8_t> next(t.kind.size());
  for (int p = 0; p < passes; ++p) {
    for (int32_t c = 0; c < t.cols; ++c) {
      for (int32_t r = 0; r < t.rows; ++r) {
        int water = 0;
        for (int k = 0; k < 8; ++k) {
          int32_t nc, nr;
          Neighbour8(c, r, k, nc, nr);
          water += t.IsWater(nc, nr);
        }
        const uint8_t now = t.kind[t.At(c, r)];
        next[t.At(c, r)] = water >= 5 ? uint8_t{kWater} : water <= 3 ? uint8_t{kLand} : now;
      }
    }
    t.kind.swap(next);
  }
}

}  // namespace

void MeasureShore(Terrain& t) {
  t.dist.assign(t.kind.size(), -1);
  std::deque<std::pair<int32_t, int32_t>> queue;
  for (int32_t c = 0; c < t.cols; ++c) {
    for (int32_t r = 0; r < t.rows; ++r) {
      if (t.kind[t.At(c, r)] != kWater) {
        t.dist[t.At(c, r)] = 0;
        queue.emplace_back(c, r);
      }
    }
  }
  while (!queue.empty()) {
    const auto [c, r] = queue.front();
    queue.pop_front();
    for (int k = 0; k < 8; ++k) {
      int32_t nc, nr;
      Neighbour8(c, r, k, nc, nr);
      if (t.Inside(nc, nr) && t.dist[t.At(nc, nr)] < 0) {
        t.dist[t.At(nc, nr)] = t.dist[t.At(c, r)] + 1;
        queue.emplace_back(nc, nr);
      }
    }
  }
}

size_t KeepReachableWater(Terrain& t) {
  std::vector<uint8_t> seen(t.kind.size(), 0);
  std::vector<std::pair<int32_t, int32_t>> stack;
  if (t.IsWater(t.startCol, t.startRow)) {
    stack.emplace_back(t.startCol, t.startRow);
    seen[t.At(t.startCol, t.startRow)] = 1;
  }
  size_t count = 0;
  while (!stack.empty()) {
    const auto [c, r] = stack.back();
    stack.pop_back();
    ++count;
    // The boat passes from cell to cell through shared edges only.
    for (int k = 0; k < 4; ++k) {
      int32_t nc, nr;
      DiagonalNeighbour(c, r, k, nc, nr);
      if (t.IsWater(nc, nr) && !seen[t.At(nc, nr)]) {
        seen[t.At(nc, nr)] = 1;
        stack.emplace_back(nc, nr);
      }
    }
  }
  for (size_t i = 0; i < t.kind.size(); ++i) {
    if (t.kind[i] == kWater && !seen[i]) t.kind[i] = kLand;
  }
  return count;
}

Terrain ShapeLake(const MapPlan& plan) {
  if (plan.maxCol < 19 || plan.maxRow < 59 || plan.maxCol > kMapCols - 1 ||
      plan.maxRow > kMapRows - 1) {
    throw GameError("A lake map must be 20 to 513 columns and 60 to 2049 rows");
  }
  Terrain t;
  t.cols = plan.maxCol + 1;
  t.rows = plan.maxRow + 1;
  const double width = t.cols * kTileWidth + kTileWidth / 2;
  const double height = t.rows * (kTileHeight / 2) + kTileHeight / 2;
  const double span = std::max(width, height);
  // The view never shows the outer 64 pixels; a wider border of land keeps
  // the lake's edge out of the picture altogether.
  const double borderX = 224, borderY = 176;

  std::vector<float> wet(static_cast<size_t>(t.cols) * t.rows);
  std::vector<float> interior;
  interior.reserve(wet.size());
  const double roughness = plan.style == LakeStyle::Canyon ? 1.0 : 1.5;
  for (int32_t c = 0; c < t.cols; ++c) {
    for (int32_t r = 0; r < t.rows; ++r) {
      int32_t x, y;
      CellCentre(c, r, x, y);
      const bool border = x < borderX || x > width - borderX || y < borderY || y > height - borderY;
      double w = BaseShape(plan.style, x / width, y / height, plan.seed) +
                 roughness * Fbm(x, y, span, 3.0, 90.0, plan.seed * 7 + 1);
      // Islands: high ground rising where a second noise peaks.
      const double isle = Fbm(x, y, span, 9.0, 120.0, plan.seed * 7 + 2);
      w -= std::max(0.0, isle - (0.12 - 0.1 * plan.islands)) * 8.0 * plan.islands;
      // Shores curve away before the border instead of running along it.
      const double edge =
          std::min({x - borderX, width - borderX - x, y - borderY, height - borderY - y}) /
          (0.1 * std::min(width, height));
      if (edge < 1.0) w -= 1.5 * (1.0 - std::max(edge, 0.0)) * (1.0 - std::max(edge, 0.0));
      wet[t.At(c, r)] = border ? -1e9f : static_cast<float>(w);
      if (!border) interior.push_back(static_cast<float>(w));
    }
  }
  if (interior.empty()) throw GameError("A lake map needs room inside its border");
  const size_t rank =
      static_cast<size_t>(std::clamp(1.0 - plan.water * wet.size() / interior.size(), 0.0, 1.0) *
                          (interior.size() - 1));
  std::nth_element(interior.begin(), interior.begin() + static_cast<std::ptrdiff_t>(rank),
                   interior.end());
  const float level = interior[rank];
  t.kind.resize(wet.size());
  for (size_t i = 0; i < wet.size(); ++i) t.kind[i] = wet[i] > level ? kWater : kLand;
  Smooth(t, 2);
  for (int32_t c = 0; c < t.cols; ++c) {
    for (int32_t r = 0; r < t.rows; ++r) {
      int32_t x, y;
      CellCentre(c, r, x, y);
      if (x < borderX || x > width - borderX || y < borderY || y > height - borderY) {
        t.kind[t.At(c, r)] = kLand;
      }
    }
  }
  MeasureShore(t);

  // The start: open water well away from the shore, near the middle.
  int64_t best = INT64_MIN;
  for (int32_t c = 0; c < t.cols; ++c) {
    for (int32_t r = 1; r < t.rows; r += 2) {  // odd rows: the boat sits at the cell's centre
      const int32_t d = t.dist[t.At(c, r)];
      if (d < 3) continue;
      const int64_t dx = c - t.cols / 2, dy = (r - t.rows / 2) / 2;
      const int64_t score = std::min(d, 6) * int64_t{1000000} - (dx * dx + dy * dy);
      if (score > best) best = score, t.startCol = c, t.startRow = r;
    }
  }
  if (best == INT64_MIN) throw GameError("The lake has no open water for the boat to start on");
  KeepReachableWater(t);
  MeasureShore(t);
  return t;
}

}  // namespace tw::bake
