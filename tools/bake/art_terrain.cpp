// Water, ground and shore, computed pixel by pixel from functions that repeat
// exactly with the tile grid (one step right is 64 pixels, a row step is
// 32 across and 16 down), so the same tile side by side shows no seam and
// coastlines run on from one diamond into the next.
#include <algorithm>
#include <cmath>

#include "bake/art_tiles.h"

namespace tw::bake {
namespace {

constexpr double kTau = 2 * M_PI;

// Grid coordinates of a diamond pixel: whole steps of (s, t) are whole tiles.
void Lattice(int32_t x, int32_t y, double& s, double& t) {
  const double X = x + 0.5, Y = y + 0.5;
  t = Y / 16.0;
  s = (X - 2 * Y) / 64.0;
}

// Value noise that repeats every whole grid step: n cells a step.
double GridNoise(double s, double t, int32_t n, uint32_t seed) {
  const double u = s * n, v = t * n;
  const int32_t i = static_cast<int32_t>(std::floor(u)), j = static_cast<int32_t>(std::floor(v));
  double fu = u - i, fv = v - j;
  fu = fu * fu * (3 - 2 * fu);
  fv = fv * fv * (3 - 2 * fv);
  auto h = [&](int32_t a, int32_t b) { return Hash01(((a % n) + n) % n, ((b % n) + n) % n, seed); };
  const double a = h(i, j), b = h(i + 1, j), c = h(i, j + 1), d = h(i + 1, j + 1);
  return (a + (b - a) * fu) * (1 - fv) + (c + (d - c) * fu) * fv;
}

// A per-pixel grain that also repeats with the grid.
double Grain(int32_t x, int32_t y, uint32_t seed) {
  double s, t;
  Lattice(x, y, s, t);
  const double fs = s - std::floor(s), ft = t - std::floor(t);
  const int32_t cx = static_cast<int32_t>(std::lround(fs * 64 + ft * 32 - 0.5)) % 64;
  const int32_t cy = static_cast<int32_t>(std::lround(ft * 16 - 0.5)) % 16;
  return Hash01(cx, cy, seed);
}

double Smooth(double e0, double e1, double v) {
  double t = std::clamp((v - e0) / (e1 - e0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

Rgb WaterBase(const TileStyle& st, int32_t index) {
  switch (index) {
    case 0:
      return st.deep;
    case 1:
      return st.open;
    case 2:
      return st.shallow;
    default:
      return st.plain;
  }
}

}  // namespace

bool InDiamond(int32_t x, int32_t y) {
  return std::fabs(x + 0.5 - 32) / 32 + std::fabs(y + 0.5 - 16) / 16 < 1;
}

Rgb WaterAt(const TileStyle& st, int32_t index, int32_t x, int32_t y, int32_t frame,
            int32_t frames) {
  double s, t;
  Lattice(x, y, s, t);
  const double ph = kTau * frame / std::max(frames, 1);
  // Long, gentle swells lying across the screen, moving a whole number of
  // wavelengths per cycle so the animation loops.
  double v = std::sin(kTau * (s + 3 * t) + ph) + 0.7 * std::sin(kTau * (-s + 2 * t) - ph + 1.3) +
             0.45 * std::sin(kTau * (2 * s + 5 * t) + 2 * ph + 0.4);
  const double n = GridNoise(s, t, 4, st.seed + 11) - 0.5;
  Rgb c = WaterBase(st, index);
  const double calm = index == 3 ? 0.5 : 1.0;
  c = Shade(c, 1 + (v * 0.035 + n * 0.06) * calm);
  if (index == 2) {
    // Sand shows through the shallows.
    c = Mix(c, st.sand, 0.12 * GridNoise(s, t, 8, st.seed + 5));
  }
  // Glints on the crests.
  const double crest = Smooth(1.45, 1.9, v + n * 0.6);
  if (crest > 0) c = Mix(c, Hex(0xE8F6FA), crest * (index == 0 ? 0.35 : 0.5) * calm);
  return c;
}

Rgb GroundAt(const TileStyle& st, int32_t variant, int32_t x, int32_t y) {
  double s, t;
  Lattice(x, y, s, t);
  const double n1 = GridNoise(s, t, 4, st.seed + 1), n2 = GridNoise(s, t, 8, st.seed + 2);
  const double g = Grain(x, y, st.seed + 3);
  Rgb c = Mix(st.ground, st.groundDark, std::clamp(n1 * 0.8 + n2 * 0.4 - 0.3, 0.0, 1.0));
  c = Shade(c, 0.94 + g * 0.12);
  // Features stay inside, so every variant meets its neighbours in plain ground.
  const double a = (x + 0.5 - 32) / 32, b = (y + 0.5 - 16) / 16;
  const double inner = 1 - (std::fabs(a) + std::fabs(b));  // 0 at the edge, 1 at the centre
  const double keep = Smooth(0.15, 0.45, inner);
  if (variant == 1 && g > 0.93 && keep > 0.3) c = Mix(c, st.bloom, 0.9);
  if (variant == 2) c = Mix(c, st.groundDark, keep * 0.45 * (0.6 + n2 * 0.4));
  if (variant == 3) {
    const double path = Smooth(0.35, 0.15, std::fabs(b * 1.6 - a * 0.5 + (n2 - 0.5) * 0.3));
    c = Mix(c, Shade(st.dirt, 0.92 + g * 0.16), path * keep);
  }
  if (variant == 0 && g > 0.97 && keep > 0.5) c = Mix(c, st.rock, 0.7);
  return c;
}

Rgb ShoreAt(const TileStyle& st, int32_t m, int32_t x, int32_t y) {
  const double a = (x + 0.5 - 32) / 32, b = (y + 0.5 - 16) / 16;
  // How far in from each edge, 0 on the edge and 1 on the far corner.
  const double e[4] = {(1 - (a - b)) / 2, (1 - (a + b)) / 2, (1 - (b - a)) / 2, (1 + a + b) / 2};
  double s, t;
  Lattice(x, y, s, t);
  // The coast wanders a little, the same way on both sides of a tile edge.
  const double wobble = (GridNoise(s, t, 4, st.seed + 21) - 0.5) * 0.1;
  double wet = 1e9;  // distance in from the nearest water edge
  for (int k = 0; k < 4; ++k)
    if (m & (1 << k)) wet = std::min(wet, e[k]);
  if (m == 0) {
    // Water only at the corners: small bites where two edges meet.
    const double corner[4] = {e[3] + e[0], e[0] + e[1], e[1] + e[2], e[2] + e[3]};
    for (double cval : corner) wet = std::min(wet, cval * 1.25 - 0.1);
  }
  // Water and beach stay short of the middle of a dry edge (0.5 in), so a
  // land neighbour across it meets plain ground.
  const double coast = 0.25 + wobble;
  const Rgb land = GroundAt(st, 0, x, y);
  if (wet < coast) {
    // Water, shallow right at the edge so it meets the water tiles.
    Rgb w = WaterAt(st, 2, x, y, 0, 1);
    const double foam = Smooth(coast - 0.05, coast - 0.01, wet);
    return Mix(Mix(w, Shade(st.sand, 0.9), Smooth(coast * 0.3, coast, wet) * 0.35), Hex(0xF0F6F2),
               foam * 0.75);
  }
  const double beach = coast + 0.13;
  if (wet < beach) {
    const double g = Grain(x, y, st.seed + 9);
    Rgb sand = Shade(st.sand, 0.93 + g * 0.12);
    // Wet sand is darker next to the water.
    sand = Mix(Shade(sand, 0.82), sand, Smooth(coast, coast + 0.06, wet));
    return Mix(sand, land, Smooth(beach - 0.05, beach, wet));
  }
  return land;
}

}  // namespace tw::bake
