#include "replay/autopilot.h"

#include <algorithm>
#include <cmath>

#include "core/numeric.h"
#include "media/image_list.h"
#include "play/input.h"
#include "world/iso_math.h"

namespace tw {

namespace {

constexpr int32_t kAnyKey = 65;  // 'A': a key that only ends a pop-up

bool WaterAt(const GameState& s, int32_t x, int32_t y) {
  const MapPick cell = PickCell(s.Header, x, y);
  return IsWaterTile(s.Cell(cell.Column, cell.Row).Tile);
}

}  // namespace

void Autopilot::Move(const InputMoment& now, int32_t x, int32_t y, std::vector<ReplayEvent>& out) {
  x = std::clamp(x, 0, kScreenWidth - 1);
  y = std::clamp(y, 0, kScreenHeight - 1);
  if (x == mouseX_ && y == mouseY_) return;
  mouseX_ = x;
  mouseY_ = y;
  ReplayEvent e;
  e.When = now;
  e.Kind = ReplayEventKind::MouseMove;
  e.X = x;
  e.Y = y;
  out.push_back(e);
}

void Autopilot::Button(const InputMoment& now, MouseButton b, bool down,
                       std::vector<ReplayEvent>& out) {
  bool& held = b == MouseButton::Right ? rightHeld_ : leftHeld_;
  if (b != MouseButton::Middle) held = down;
  ReplayEvent e;
  e.When = now;
  e.Kind = down ? ReplayEventKind::MouseDown : ReplayEventKind::MouseUp;
  e.Button = b;
  e.X = mouseX_;
  e.Y = mouseY_;
  out.push_back(e);
}

void Autopilot::Key(const InputMoment& now, int32_t key, std::vector<ReplayEvent>& out) {
  ReplayEvent e;
  e.When = now;
  e.Kind = ReplayEventKind::KeyDown;
  e.Key = key;
  out.push_back(e);
  e.Kind = ReplayEventKind::KeyUp;
  out.push_back(e);
}

void Autopilot::Poll(HeadlessTournament& game, const InputMoment& now,
                     std::vector<ReplayEvent>& out) {
  const GameState& s = game.State();
  if (now.Pump > 0) {
    // A pop-up: read it, then press a key once it listens.
    if (now.Frame > 0 && now.Pump >= 257 && s.AnyInput == 0 &&
        !(answeredFrame_ == now.Frame && answeredPump_ == now.Pump)) {
      answeredFrame_ = now.Frame;
      answeredPump_ = now.Pump;
      Key(now, kAnyKey, out);
    }
    return;
  }
  frame_ = now.Frame;
  if (avoidUntil_.size() != kFishSlots) avoidUntil_.assign(kFishSlots, 0);
  const std::string timer = game.RunningTimer();
  if (timer == "strike")
    Strike(game, now, out);
  else if (timer == "frame")
    Drive(game, now, out);
}

void Autopilot::Strike(HeadlessTournament& game, const InputMoment& now,
                       std::vector<ReplayEvent>& out) {
  const GameState& s = game.State();
  if (s.StrikePress) return;
  const int32_t n = game.Objects().Find("powerbar").FrameCount();
  const int32_t middle = (n + 2) / 2;
  // The bar moves before the press is looked at: aim at where it goes next.
  const int32_t next = std::clamp(s.PowerFrame + s.PowerStep, 0, std::max(0, n - 1));
  if (next != middle) return;
  Button(now, MouseButton::Left, true, out);
  Button(now, MouseButton::Left, false, out);
}

int32_t Autopilot::NearestFish(const GameState& s) const {
  const int32_t bx = Round(s.BoatX), by = Round(s.BoatY);
  int32_t best = -1, bestD = INT32_MAX;
  for (int32_t i = 0; i <= std::min(s.LastFishIndex, kFishSlots - 1); ++i) {
    const FishRecord& f = s.Fish[i];
    if (f.Taken || avoidUntil_[i] > frame_) continue;
    const int32_t d = IsoDistance(bx, by, Round(f.X), Round(f.Y));
    if (d < bestD) {
      bestD = d;
      best = i;
    }
  }
  return best;
}

int32_t Autopilot::CastableFish(const GameState& s, int32_t& tx, int32_t& ty) const {
  const int32_t bx = Round(s.BoatX), by = Round(s.BoatY);
  const int32_t bottom = kScreenHeight - 96;
  const double reel = s.RodLevel * 0.5 + 0.5;
  int32_t best = -1, bestD = INT32_MAX;
  for (int32_t i = 0; i <= std::min(s.LastFishIndex, kFishSlots - 1); ++i) {
    const FishRecord& f = s.Fish[i];
    if (f.Taken || avoidUntil_[i] > frame_ || f.Speed > 0.8f) continue;
    const double dist = std::hypot(f.X - bx, f.Y - by);
    // Where the fish will be when the lure comes by: it coasts to rest.
    const double t = dist / 9 + 24 / reel;
    const double stop = f.Speed / 0.015;
    const double travel = stop < t ? f.Speed * stop / 2 : f.Speed * t - 0.0075 * t * t;
    const double fx = f.X + Cos256(f.Dir) * travel;
    const double fy = f.Y + Sin256(f.Dir) * travel / 2;
    const int32_t d = IsoDistance(bx, by, Round(fx), Round(fy));
    if (d < 140 || d > 300 || d >= bestD) continue;
    // The lure comes back straight at the rod tip: land it just beyond the
    // fish on that line.
    const uint8_t a = PointAngle(Round(fx), Round(fy), bx, by);
    const double rx = bx + Cos256(a) * 32, ry = by + Sin256(a) * 16;
    const double len = std::hypot(fx - rx, fy - ry);
    if (len < 1) continue;
    const int32_t cx = Round(static_cast<float>(fx + (fx - rx) / len * 18));
    const int32_t cy = Round(static_cast<float>(fy + (fy - ry) / len * 18));
    const int32_t sx = cx - s.ViewX, sy = cy - s.ViewY;
    if (sx < 4 || sx > kScreenWidth - 5 || sy < 4 || sy > bottom - 4) continue;
    if (!WaterAt(s, cx, cy) || !WaterAt(s, Round(fx), Round(fy))) continue;
    if (IsoDistance(bx, by, cx, cy) <= 120) continue;
    best = i;
    bestD = d;
    tx = cx;
    ty = cy;
  }
  return best;
}

void Autopilot::Drive(HeadlessTournament& game, const InputMoment& now,
                      std::vector<ReplayEvent>& out) {
  const GameState& s = game.State();
  auto releaseAll = [&] {
    if (rightHeld_) Button(now, MouseButton::Right, false, out);
    if (leftHeld_) Button(now, MouseButton::Left, false, out);
  };
  if (s.GameOver || s.Casting || s.Reeling) {
    releaseAll();
    return;
  }
  if (backUpUntil_ > frame_) return;
  if (backUpUntil_ == frame_) releaseAll();

  int32_t tx = 0, ty = 0;
  const int32_t fish = CastableFish(s, tx, ty);
  if (fish >= 0) {
    releaseAll();
    Move(now, tx - s.ViewX, ty - s.ViewY, out);
    // The request waits until the boat has stopped; the cursor stays on the
    // spot meanwhile.
    if (!s.CastRequest) {
      Button(now, MouseButton::Right, true, out);
      Button(now, MouseButton::Right, false, out);
    }
    target_ = fish;
    targetSince_ = frame_;
    return;
  }

  if (target_ < 0 || s.Fish[target_].Taken || avoidUntil_[target_] > frame_) {
    target_ = NearestFish(s);
    targetSince_ = frame_;
    lastCheck_ = frame_;
    lastX_ = s.BoatX;
    lastY_ = s.BoatY;
    if (target_ < 0) {
      releaseAll();
      return;
    }
  }
  const FishRecord& f = s.Fish[target_];
  const int32_t bx = Round(s.BoatX), by = Round(s.BoatY);
  const int32_t d = IsoDistance(bx, by, Round(f.X), Round(f.Y));

  // No way to it, or it keeps slipping away: try another.
  if (frame_ - targetSince_ > 900 ||
      (d < 200 && s.BoatSpeed <= 0 && !leftHeld_ && frame_ - targetSince_ > 60)) {
    avoidUntil_[target_] = frame_ + 600;
    target_ = -1;
    return;
  }
  if (frame_ - lastCheck_ >= 20) {
    const bool stuck = leftHeld_ && std::fabs(s.BoatX - lastX_) + std::fabs(s.BoatY - lastY_) < 4;
    lastCheck_ = frame_;
    lastX_ = s.BoatX;
    lastY_ = s.BoatY;
    if (stuck) {
      // Pressed against a shore: back off and look for another fish.
      avoidUntil_[target_] = frame_ + 600;
      target_ = -1;
      Button(now, MouseButton::Right, true, out);
      backUpUntil_ = frame_ + 25;
      return;
    }
  }
  // Steer with the cursor ahead of the boat towards the fish.
  const double dx = f.X - s.BoatX, dy = f.Y - s.BoatY;
  const double len = std::max(1.0, std::hypot(dx, dy));
  const int32_t px = bx - s.ViewX + static_cast<int32_t>(dx / len * 140);
  const int32_t py = by - s.ViewY + static_cast<int32_t>(dy / len * 140);
  Move(now, std::clamp(px, 8, kScreenWidth - 9), std::clamp(py, 8, kScreenHeight - 96 - 8), out);
  if (d > 220) {
    if (!leftHeld_) Button(now, MouseButton::Left, true, out);
  } else if (leftHeld_) {
    Button(now, MouseButton::Left, false, out);
  }
}

}  // namespace tw
