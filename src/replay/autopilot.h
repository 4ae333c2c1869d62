// A player for tests and the benchmark: it looks at the lake as a player
// sees it (the boat, the fish near it, the strike bar) and answers only
// through the mouse and keys: drives to open water near a resting fish,
// casts just beyond it, strikes near the middle of the bar, and answers
// every pop-up, until the tournament ends.
#pragma once
#include <cstdint>
#include <vector>

#include "replay/session.h"

namespace tw {

class Autopilot : public InputSource {
 public:
  void Poll(HeadlessTournament& game, const InputMoment& now,
            std::vector<ReplayEvent>& out) override;
  bool MoreInFrame(int32_t) const override { return true; }

 private:
  void Strike(HeadlessTournament& game, const InputMoment& now, std::vector<ReplayEvent>& out);
  void Drive(HeadlessTournament& game, const InputMoment& now, std::vector<ReplayEvent>& out);
  // A fish worth casting at from here, and where to cast: -1 when none.
  int32_t CastableFish(const GameState& s, int32_t& tx, int32_t& ty) const;
  int32_t NearestFish(const GameState& s) const;

  void Move(const InputMoment& now, int32_t x, int32_t y, std::vector<ReplayEvent>& out);
  void Button(const InputMoment& now, MouseButton b, bool down, std::vector<ReplayEvent>& out);
  void Key(const InputMoment& now, int32_t key, std::vector<ReplayEvent>& out);

  int32_t mouseX_ = 320, mouseY_ = 200;
  bool leftHeld_ = false, rightHeld_ = false;
  int32_t frame_ = 0;
  int32_t target_ = -1;          // the fish being driven to
  int32_t targetSince_ = 0;      // frame it was chosen
  float lastX_ = 0, lastY_ = 0;  // boat position at the last progress check
  int32_t lastCheck_ = 0;
  int32_t backUpUntil_ = 0;  // reversing off a shore until this frame
  int32_t waitUntil_ = 0;    // a cast was asked for; let it start
  int32_t answeredFrame_ = -1, answeredPump_ = 0;
  std::vector<int32_t> avoidUntil_;  // per fish: not a target before this frame
};

}  // namespace tw
