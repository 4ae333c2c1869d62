// The generated program folder the tests play on, and small helpers around
// the headless tournament.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "core/files.h"
#include "replay/autopilot.h"
#include "replay/session.h"
#include "support/program_folder.h"

namespace tw::test {

// The header the autopilot plays with: a new player, mouse driving, thirty
// frames a second (the game's own speed; a headless run ignores it).
inline ReplayHeader PilotHeader(const std::string& lake, uint32_t seed) {
  ReplayHeader h;
  h.Lake = lake;
  h.Seed = seed;
  h.Options.MouseDrive = true;
  h.Options.SpeedIndex = 0;
  return h;
}

}  // namespace tw::test
