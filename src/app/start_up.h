// What the program checks and notes before it opens its window: the game's
// own libraries, without which it cannot run, and the facts worth having in
// the log when something goes wrong later.
#pragma once
#include <string>

#include "core/paths.h"

namespace tw {

// Reads objects.dxg, sound.dxw and music.dxw of the data folder through the
// library reader. For the first one that cannot be read, raises a GameError
// whose text names the file and says what to do: run make (the build makes
// the data) or, for an installed game, install it again.
void CheckGameLibraries(const GamePaths& paths);

// Version, data folder and where the player's files go, one log line each.
void LogStartUpFacts(const GamePaths& paths);

}  // namespace tw
