// Fish and monsters: filling the lake at the start of a tournament, their
// movement every frame and the bite test.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <optional>

#include "core/error.h"
#include "core/numeric.h"
#include "fishing/fishing.h"
#include "media/draw.h"
#include "media/image_list.h"
#include "world/cell_picker.h"
#include "world/iso_math.h"

namespace tw {

namespace {

// A lake with no open water would otherwise keep the loading box up forever.
constexpr int32_t kPlacementTries = 100000;

// The highest slot of a population that play may touch.
int32_t LastSlot(int32_t lastIndex) {
  return std::min(lastIndex, kFishSlots - 1);
}

const MapCell& CellAt(const GameState& s, float x, float y) {
  const MapPick p = PickCell(s.Header, Round(x), Round(y));
  return s.Cell(p.Column, p.Row);
}

// The swimmers lie scattered over a map far bigger than the processor's
// caches, so each one's cell is usually a wait for memory. Their cells are
// picked all at once before they move, and fetched side by side, so the
// waits overlap instead of queuing one behind the other. Their points are
// rounded to pixels once, for the cell and the picture alike. A swimmer
// that has moved since is picked and rounded again: the answers are always
// those of CellAt and Round.
class CellsAhead {
 public:
  // `wanted(f)`: whether the frame will ask for f's cell.
  template <class Wanted>
  CellsAhead(const GameState& s, const std::array<FishRecord, kFishSlots>& swimmers, int32_t last,
             Wanted wanted)
      : pick_(s.Header), last_(last) {
    for (int32_t i = 0; i <= last; ++i) {
      const FishRecord& f = swimmers[static_cast<size_t>(i)];
      Ahead& a = ahead_[static_cast<size_t>(i)];
      a.x = f.X;
      a.y = f.Y;
      a.place = Place{RoundFloat(f.X), RoundFloat(f.Y), nullptr};
      if (wanted(f)) {
        const MapPick p = pick_(a.place.pixelX, a.place.pixelY);
        a.place.cell = &s.Cell(p.Column, p.Row);  // its place, not read yet
        __builtin_prefetch(a.place.cell);
      }
    }
  }
  // Swimmer i where it is now: Round(f.X), Round(f.Y) and, when wanted,
  // its cell.
  struct Place {
    int32_t pixelX, pixelY;
    const MapCell* cell;
    const MapCell& Cell(const GameState& s, const CellPicker& pick) const {
      if (cell) return *cell;
      const MapPick p = pick(pixelX, pixelY);
      return s.Cell(p.Column, p.Row);
    }
  };
  Place Now(int32_t i, const FishRecord& f) const {
    if (i >= 0 && i <= last_) {
      // Unmoved to the bit (a NaN too; a zero that changed sign is merely
      // worked out again).
      const Ahead& a = ahead_[static_cast<size_t>(i)];
      if ((std::bit_cast<uint32_t>(a.x) == std::bit_cast<uint32_t>(f.X)) &
          (std::bit_cast<uint32_t>(a.y) == std::bit_cast<uint32_t>(f.Y)))
        return a.place;
    }
    return Place{RoundFloat(f.X), RoundFloat(f.Y), nullptr};
  }
  const CellPicker& Picker() const { return pick_; }

 private:
  struct Ahead {
    float x, y;
    Place place;
  };
  CellPicker pick_;
  int32_t last_;
  std::array<Ahead, kFishSlots> ahead_;
};

// A swimmer's picture, and the size of its frames as drawn. Nearly all
// swimmers are far off screen, where drawing paints nothing: those are told
// apart here without a call. Every frame of a picture is as big as its
// first; a picture without frames paints nothing anywhere.
class Sprite {
 public:
  Sprite(PlayContext& ctx, TPictureCollectionItem& picture) : picture_(picture) { Measure(ctx); }
  // The view, the back buffer and the pictures change only between frames
  // or while the game waits for the player (a raid): measured again then.
  void Measure(PlayContext& ctx) {
    const Rect r = picture_.FrameRect(0);
    frameW_ = r.Empty() ? 0 : r.Width();
    frameH_ = r.Empty() ? 0 : r.Height();
    surface_ = &ctx.DXDraw.Surface();  // brings the back buffer up to date
    width_ = surface_->Width();
    height_ = surface_->Height();
    viewX_ = ctx.State.ViewX;
    viewY_ = ctx.State.ViewY;
    halfW_ = picture_.PatternWidth / 2;
    halfH_ = picture_.PatternHeight / 2;
  }
  // Centres frame `frame` on the world pixel (px, py).
  void DrawCentred(int32_t px, int32_t py, int32_t frame) const {
    const int32_t x = px - viewX_ - halfW_;
    const int32_t y = py - viewY_ - halfH_;
    // The same test as drawing's own clipping: no row or column on screen.
    if (frameW_ == 0 || x >= width_ || y >= height_ || int64_t{x} + frameW_ <= 0 ||
        int64_t{y} + frameH_ <= 0)
      return;
    picture_.Draw(*surface_, x, y, frame);
  }

 private:
  TPictureCollectionItem& picture_;
  Surface16* surface_ = nullptr;
  int32_t frameW_ = 0, frameH_ = 0, width_ = 0, height_ = 0;
  int32_t viewX_ = 0, viewY_ = 0, halfW_ = 0, halfH_ = 0;
};

// Along the heading; y moves half as far because rows lie half a tile apart.
// `cosine`: CosineTable(), fetched once for the whole crowd.
void Swim(FishRecord& f, const std::array<double, 256>& cosine) {
  f.X = static_cast<float>(f.X + cosine[f.Dir] * f.Speed);
  f.Y = static_cast<float>(f.Y + cosine[(f.Dir + 192u) & 255u] * (f.Speed / 2.0));
}

// A random spot anywhere over the map's area, drawn x first, then y.
void DrawSpot(GameState& s, Random& rng, FishRecord& f) {
  const auto span = [](int32_t count, int32_t size) {
    const int64_t n = int64_t{count} * size;
    return static_cast<int32_t>(std::clamp<int64_t>(n, 0, INT32_MAX));
  };
  f.X = static_cast<float>(rng(span(s.MapMaxCol(), s.TileWidth())));
  f.Y = static_cast<float>(rng(span(s.MapMaxRow(), s.TileHeight())));
}

bool OpenWaterAt(const GameState& s, const FishRecord& f) {
  return IsSetupWater(CellAt(s, f.X, f.Y).Tile);
}

// The slot a placed fish or monster names, checked against the tables.
int32_t PlacedSlot(const MapObject& o) {
  const std::optional<int32_t> slot = ParseWholeNumber(o.Param);
  if (!slot) throw GameError("'" + o.Param + "' is not a valid integer value");
  if (*slot < 0 || *slot >= kFishSlots)
    throw GameError("The lake map puts a " + std::string(o.Kind == "monster" ? "monster" : "fish") +
                    " in slot " + std::to_string(*slot) + "; slots run from 0 to " +
                    std::to_string(kFishSlots - 1));
  return *slot;
}

void PlacedPosition(const GameState& s, const MapObject& o, FishRecord& f) {
  f.X = static_cast<float>((int64_t{o.X} + 1) * s.TileWidth());
  f.Y = static_cast<float>((int64_t{o.Y} + 1) * (s.TileHeight() / 2));
}

// One dart in this many frames; any lake value works (0 or less: every frame).
int32_t DartOdds(int32_t difficulty) {
  return static_cast<int32_t>(std::min<int64_t>(int64_t{100} - difficulty, INT32_MAX));
}

// `dartOdds`: DartOdds of the lake's difficulty.
void UpdateRoamingFish(PlayContext& ctx, FishRecord& f, const MapCell& under,
                       const std::array<double, 256>& cosine, int32_t dartOdds) {
  GameState& s = ctx.State;
  Random& rng = ctx.Rng;
  if (!IsWaterTile(under.Tile)) {
    // Turn about and dash back to where the water was.
    f.Dir = static_cast<uint8_t>(f.Dir + 128);
    f.Speed = static_cast<float>(rng(16) / 8.0 + 1.5);
    f.X = f.LastX;
    f.Y = f.LastY;
  }
  if (std::fabs(f.LastX - f.X) + std::fabs(f.LastY - f.Y) > 3.0f) {
    f.LastX = f.X;
    f.LastY = f.Y;
  }
  if (rng(dartOdds) == 0) {
    f.Dir = static_cast<uint8_t>(f.Dir + 128 - rng(256));
    f.Speed = static_cast<float>(rng(100) / 100.0 + s.Difficulty / 50.0);
  }
  Swim(f, cosine);
  f.Speed = std::max(0.0f, static_cast<float>(f.Speed - 0.015));
}

}  // namespace

int32_t Sector(uint8_t dir) {
  return ((256 - dir) % 256) / 16;
}

void PlaceFishAndMonsters(PlayContext& ctx) {
  GameState& s = ctx.State;
  Random& rng = ctx.Rng;
  // Placed slots are checked before anything is written.
  for (const MapObject& o : s.MapObjects)
    if (o.Kind == "singlefish" || o.Kind == "monster") PlacedSlot(o);

  for (int32_t k = 0; k <= LastSlot(s.LastFishIndex); ++k) {
    FishRecord& f = s.Fish[k];
    int32_t tries = 0;
    do {
      if (++tries > kPlacementTries) throw GameError("Lake has no open water for fish");
      DrawSpot(s, rng, f);
    } while (!OpenWaterAt(s, f));
    f.LastX = f.X;
    f.LastY = f.Y;
    f.Dir = static_cast<uint8_t>(rng(256));
    f.Speed = static_cast<float>(rng(16) / 8.0);
    f.Taken = 0;
    f.Mode = FishRecord::kRoaming;
  }
  for (const MapObject& o : s.MapObjects) {
    if (o.Kind != "singlefish") continue;
    FishRecord& f = s.Fish[PlacedSlot(o)];
    PlacedPosition(s, o, f);
    f.Dir = static_cast<uint8_t>(rng(256));
    f.Speed = static_cast<float>(rng(8) / 8.0 + 0.25);
    f.Taken = 0;
    f.Mode = rng(1) + FishRecord::kCircling;
  }

  const int32_t boatX = Round(s.BoatX), boatY = Round(s.BoatY);
  for (int32_t k = 0; k <= LastSlot(s.LastMonsterIndex); ++k) {
    FishRecord& m = s.Monsters[k];
    int32_t tries = 0;
    do {
      if (++tries > kPlacementTries)
        throw GameError("Lake has no open water for monsters away from the boat");
      DrawSpot(s, rng, m);
    } while (!OpenWaterAt(s, m) || IsoDistance(Round(m.X), Round(m.Y), boatX, boatY) <= 100);
    m.Dir = static_cast<uint8_t>(rng(256));
    m.Speed = static_cast<float>(rng(16) / 8.0);
    m.Taken = 0;
    m.Mode = FishRecord::kRoaming;
  }
  for (const MapObject& o : s.MapObjects) {
    if (o.Kind != "monster") continue;
    FishRecord& m = s.Monsters[PlacedSlot(o)];
    PlacedPosition(s, o, m);
    m.Dir = static_cast<uint8_t>(rng(256));
    m.Speed = 0.75f;
    m.Taken = 0;
    m.Mode = FishRecord::kRoaming;
  }
}

void UpdateFish(PlayContext& ctx) {
  GameState& s = ctx.State;
  const std::array<double, 256>& cosine = CosineTable();
  std::optional<Sprite> sprite;
  // Only roaming fish look at the water under them.
  // Nothing in the loop changes the population or the lake's difficulty.
  const int32_t last = LastSlot(s.LastFishIndex);
  const int32_t dartOdds = DartOdds(s.Difficulty);
  const CellsAhead cells(s, s.Fish, last, [](const FishRecord& f) {
    return !f.Taken && f.Mode == FishRecord::kRoaming;
  });
  for (int32_t i = 0; i <= last; ++i) {
    FishRecord& f = s.Fish[i];
    if (f.Taken) continue;
    if (!sprite) sprite.emplace(ctx, ctx.objects.Find("fish"));
    const CellsAhead::Place place = cells.Now(i, f);
    sprite->DrawCentred(place.pixelX, place.pixelY, Sector(f.Dir));
    if (f.Mode == FishRecord::kRoaming) {
      UpdateRoamingFish(ctx, f, place.Cell(s, cells.Picker()), cosine, dartOdds);
    } else {
      // Circling fish never slow down and never look at the shore.
      f.Dir = static_cast<uint8_t>(f.Dir + ctx.Rng(3));
      Swim(f, cosine);
    }
  }
}

void UpdateMonsters(PlayContext& ctx) {
  GameState& s = ctx.State;
  const std::array<double, 256>& cosine = CosineTable();
  // Looked up only once a monster is about: a lake without any needs none.
  std::optional<Sprite> sprite;
  // Read once for the whole crowd. A raid waits for the player with window
  // messages let through, so after one all of it is read again rather than
  // trusting that nothing those messages touch has changed.
  int32_t boatX = Round(s.BoatX), boatY = Round(s.BoatY);
  int32_t last = LastSlot(s.LastMonsterIndex);
  const CellsAhead cells(s, s.Monsters, last, [](const FishRecord& m) { return !m.Taken; });
  for (int32_t i = 0; i <= last; ++i) {
    FishRecord& m = s.Monsters[i];
    if (m.Taken) continue;
    CellsAhead::Place place = cells.Now(i, m);
    const int32_t mx = place.pixelX, my = place.pixelY;
    m.Mode = FishRecord::kRoaming;
    if (IsoDistanceBelow(boatX, boatY, mx, my, 300)) {
      m.Mode = FishRecord::kChasing;
      if (IsoDistanceBelow(boatX, boatY, mx, my, 150)) m.Mode = FishRecord::kBiting;
      // The raid pauses the game; the monster still finishes this frame.
      if (IsoDistanceBelow(boatX, boatY, mx, my, 50)) {
        MonsterRaid(ctx, i);
        boatX = Round(s.BoatX);
        boatY = Round(s.BoatY);
        last = LastSlot(s.LastMonsterIndex);
        place = cells.Now(i, m);
        if (sprite) sprite->Measure(ctx);
      }
    }
    if (!sprite) sprite.emplace(ctx, ctx.objects.Find(s.MonsterKind));
    sprite->DrawCentred(place.pixelX, place.pixelY,
                        Sector(m.Dir) * 2 + (m.Mode >= FishRecord::kBiting ? 1 : 0));
    if (!IsWaterTile(place.Cell(s, cells.Picker()).Tile)) {
      m.Dir = static_cast<uint8_t>(m.Dir + 128);
      m.Speed = 1;
      m.X = m.LastX;
      m.Y = m.LastY;
    }
    m.LastX = m.X;
    m.LastY = m.Y;
    if (m.Mode == FishRecord::kRoaming)
      m.Dir = static_cast<uint8_t>(m.Dir + 1 - ctx.Rng(2));
    else
      m.Dir = PointAngle(boatX, boatY, Round(m.X), Round(m.Y));
    Swim(m, cosine);
    m.Speed = 1;
  }
}

int32_t FishTakingLure(const GameState& s, float lureX, float lureY) {
  const float reach = static_cast<float>(s.LureLevel) + 4.0f;
  int32_t taker = -1;
  for (int32_t i = 0; i <= LastSlot(s.LastFishIndex); ++i) {
    const FishRecord& f = s.Fish[i];
    if (!f.Taken && std::fabs(lureX - f.X) < reach && std::fabs(lureY - f.Y) < reach) taker = i;
  }
  return taker;
}

}  // namespace tw
