// The play test driver set up for fishing: the sounds the line needs, the
// test monster, and a switch that lets pop-ups pass without waiting.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fishing/fishing.h"
#include "play/play_fixture.h"

namespace tw::test {

class FishingFixture : public PlayFixture {
 public:
  explicit FishingFixture(uint32_t seed = 20261207) : PlayFixture(seed) {
    S().MonsterKind = "Monster";
  }

  // Pop-ups show and return at once: without a message pump nothing can be
  // waited for.
  void PopupsDontWait() { Ctx.Hooks.ProcessMessages = nullptr; }

  // A fish at rest that never darts on its own.
  FishRecord& RestingFish(int32_t slot, float x, float y, uint8_t dir = 0) {
    FishRecord& f = S().Fish[slot];
    f = FishRecord{x, y, x, y, dir, 0.0f, 0, 0};
    return f;
  }

  bool Sounding(const std::string& name) { return sounds.Find(name).Sounding(); }
};

}  // namespace tw::test
