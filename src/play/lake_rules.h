// A lake's rules taken into the game: what a lake definition sets for the
// next tournament on that lake (fish and monsters, fee, prize, limits).
#pragma once
#include "play/game_state.h"
#include "world/lake_files.h"

namespace tw {

// Copies the definition's rules into the state: the last fish and monster
// slots, the monster kind, the time limit in frames, the tile library, the
// fee, the prize, the limit, the win condition and the lake's level.
void ApplyLakeDefinition(GameState& s, const LakeDefinition& d);

}  // namespace tw
