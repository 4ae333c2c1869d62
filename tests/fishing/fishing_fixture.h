// The tournament fixture for the fishing tests: fish placed at rest, and a
// look at the sounds.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fishing/fishing.h"
#include "support/tournament_fixture.h"

namespace tw::test {

class FishingFixture : public TournamentFixture {
 public:
  using TournamentFixture::TournamentFixture;

  // A fish at rest that never darts on its own.
  FishRecord& RestingFish(int32_t slot, float x, float y, uint8_t dir = 0) {
    FishRecord& f = S().Fish[slot];
    f = FishRecord{x, y, x, y, dir, 0.0f, 0, 0};
    return f;
  }

  bool Sounding(const std::string& name) { return sounds.Find(name).Sounding(); }
};

}  // namespace tw::test
