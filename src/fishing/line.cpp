// The fishing line: starting a cast, the line's flight with its shadow and
// bobber, and the retrieve that reels the lure back to the rod tip.
#include <algorithm>
#include <cstdlib>

#include "core/numeric.h"
#include "fishing/fishing.h"
#include "media/draw.h"
#include "media/image_list.h"
#include "media/wave_list.h"
#include "world/iso_math.h"
#include "world/pixels.h"

namespace tw {

namespace {

struct Rgb {
  uint8_t R, G, B;
};
constexpr Rgb kRodColour{128, 64, 128};
constexpr Rgb kShadowColour{92, 92, 192};
constexpr Rgb kAirColour{192, 192, 255};

// The rod tip stands this far ahead of the boat (half as far in y) and this
// high above the water.
constexpr int32_t kRodReach = 32;
constexpr float kRodHeight = 42;
// The cursor must be farther than this from the boat for a cast.
constexpr int32_t kShortestCast = 115;
constexpr int32_t kLureHome = 30;
constexpr int32_t kLandingBox = 16;
constexpr float kLineStep = 9;

// A segment between two world points (y already raised by any height).
void Segment(const GameState& s, float x1, float y1, float x2, float y2, Rgb c) {
  DrawSmoothLine(Round(x1) - s.ViewX, Round(y1) - s.ViewY, Round(x2) - s.ViewX, Round(y2) - s.ViewY,
                 c.R, c.G, c.B);
}

void DrawRod(const GameState& s) {
  Segment(s, s.BoatX, s.BoatY - 28.0f - 3.0f * static_cast<float>(s.AnglerYOffset), s.LineX[0],
          s.LineY[0] - s.LineZ[0], kRodColour);
}

}  // namespace

void TryStartCast(PlayContext& ctx) {
  GameState& s = ctx.State;
  // A request waits until the boat has stopped and the cursor is far enough.
  if (!s.CastRequest || s.Gas != 0 || s.BoatSpeed > 0 || s.Reeling || s.Casting || s.GameOver)
    return;
  if (IsoDistance(Round(s.BoatX), Round(s.BoatY), s.MouseWorldX, s.MouseWorldY) <= kShortestCast)
    return;
  s.CastRequest = 0;
  s.Casting = 1;
  s.LureX = static_cast<float>(s.MouseWorldX);
  s.LureY = static_cast<float>(s.MouseWorldY);
  s.ReelSpeed = static_cast<float>(s.RodLevel * 0.5 + 0.5);
  s.CastFrame = 0;
  s.LinePoints = 1;
  const uint8_t a = PointAngle(Round(s.LureX), Round(s.LureY), Round(s.BoatX), Round(s.BoatY));
  s.LineX[0] = static_cast<float>(Round(s.BoatX) + Cos256(a) * kRodReach);
  s.LineY[0] = static_cast<float>(Round(s.BoatY) + Sin256(a) * (kRodReach / 2));
  s.LineZ[0] = kRodHeight;
  s.LineX[1] = s.LineX[0];
  s.LineY[1] = s.LineY[0];
  s.LineZ[1] = kRodHeight;
  ctx.sounds.Find("cast").Play();
}

void DrawWaterLines(PlayContext& ctx) {
  GameState& s = ctx.State;
  // No driving while the line is out.
  s.Gas = 0;
  const bool locked = LockSurface(ctx.DXDraw.Surface());
  if (s.Casting) {
    if (locked)
      for (int32_t j = 1; j < s.LinePoints; ++j)
        Segment(s, s.LineX[j - 1], s.LineY[j - 1], s.LineX[j], s.LineY[j], kShadowColour);
    // The angler swings for four frames before the rod shows.
    s.CastFrame = static_cast<uint8_t>(std::min(s.CastFrame + 1, 5));
    if (locked && s.CastFrame == 5) DrawRod(s);
  } else if (locked) {
    DrawRod(s);
    Segment(s, s.BoatX, s.BoatY, s.LureX, s.LureY, kShadowColour);
  }
  if (locked) UnlockSurface();
}

void UpdateRetrieve(PlayContext& ctx) {
  GameState& s = ctx.State;
  if (LockSurface(ctx.DXDraw.Surface())) {
    Segment(s, s.LineX[0], s.LineY[0] - s.LineZ[0], s.LureX, s.LureY, kAirColour);
    UnlockSurface();
  }

  // Toward the water below the rod tip; x first, then y from the new x.
  const int32_t tipX = Round(s.LineX[0]), tipY = Round(s.LineY[0]);
  const uint8_t a = PointAngle(tipX, tipY, Round(s.LureX), Round(s.LureY));
  s.LureX = static_cast<float>(s.LureX + Cos256(a) * s.ReelSpeed);
  const uint8_t a2 = PointAngle(tipX, tipY, Round(s.LureX), Round(s.LureY));
  s.LureY = static_cast<float>(s.LureY + Sin256(a2) * s.ReelSpeed);

  if (ctx.Rng(3) == 0) {
    s.SplashNext = static_cast<uint8_t>(s.SplashNext + 1);
    if (s.SplashNext > 16) s.SplashNext = 0;
    Splash& ring = s.Splashes[s.SplashNext];
    ring.X = static_cast<float>(Round(s.LureX));
    ring.Y = static_cast<float>(Round(s.LureY));
    ring.Life = 16;
  }

  if (!s.Hooked && !s.GameOver) {
    const int32_t fish = FishTakingLure(s, s.LureX, s.LureY);
    if (fish >= 0) BeginStrike(ctx, fish);
  }

  if (IsoDistance(Round(s.LureX), Round(s.LureY), tipX, tipY) < kLureHome) {
    if (s.Hooked) ResolveCatch(ctx);
    s.Hooked = 0;
    s.Reeling = 0;
    ctx.sounds.Find("reel").Stop();
  }
}

void UpdateFlight(PlayContext& ctx) {
  GameState& s = ctx.State;
  if (s.LinePoints == 0) s.LinePoints = 1;  // the rod tip is always there
  const int32_t n = s.LinePoints;
  if (LockSurface(ctx.DXDraw.Surface())) {
    for (int32_t j = 1; j < n; ++j)
      Segment(s, s.LineX[j - 1], s.LineY[j - 1] - s.LineZ[j - 1], s.LineX[j],
              s.LineY[j] - s.LineZ[j], kAirColour);
    UnlockSurface();
  }
  const int32_t last = n - 1;
  ctx.objects.Find("bobber").Draw(ctx.DXDraw.Surface(), Round(s.LineX[last]) - s.ViewX - 4,
                                  Round(s.LineY[last] - s.LineZ[last]) - s.ViewY - 4, 0);

  // The newest point goes 9 pixels further along the cast in both axes.
  const int32_t lureX = Round(s.LureX), lureY = Round(s.LureY);
  const int32_t boatX = Round(s.BoatX), boatY = Round(s.BoatY);
  const uint8_t a = PointAngle(lureX, lureY, boatX, boatY);
  s.LineX[n] = static_cast<float>(s.LineX[last] + Cos256(a) * kLineStep);
  s.LineY[n] = static_cast<float>(s.LineY[last] + Sin256(a) * kLineStep);

  // The line sags, except near the rod.
  for (int32_t k = ctx.Rng(6) + 3; k < n; ++k) s.LineZ[k] -= 1;

  // It climbs near the boat and comes down toward the target.
  const int32_t d1 = IsoDistance(lureX, lureY, Round(s.LineX[last]), Round(s.LineY[last]));
  const int32_t d2 = IsoDistance(lureX, lureY, boatX, boatY);
  const double share = d2 > 0 ? 1.0 - static_cast<double>(d1) / d2 : 0.0;
  const int32_t drop = Round(share * (0.43 * s.LineZ[last]));
  s.LineZ[n] = static_cast<float>(1.155 * s.LineZ[last] - drop);

  // A full chain stops growing; its newest slot is rewritten.
  if (s.LinePoints < kLinePoints - 1) ++s.LinePoints;

  const int32_t end = s.LinePoints - 1;
  if (std::abs(lureX - Round(s.LineX[end])) < kLandingBox &&
      std::abs(lureY - Round(s.LineY[end])) < kLandingBox) {
    ctx.sounds.Find("minisplash").Play();
    s.Casting = 0;
    s.Reeling = 1;
    ctx.sounds.Find("reel").Play();
  }
}

}  // namespace tw
