// The player's boat and the camera: engine sound, throttle and steering,
// the wake it leaves, movement that never ends on land, the objects it runs
// over (signs, people, treasure, extra time) and the view that follows it.
#pragma once
#include <cstdint>

#include "play/context.h"
#include "world/iso_math.h"

namespace tw {

// Whether the map cell under a world point lets the boat (and a lure) in.
bool IsWaterAt(const GameState& s, int32_t worldX, int32_t worldY);

// Each step of the frame, in the order the frame calls them.
void UpdateEngineSound(PlayContext& ctx);  // the engine's level from the speed
void StartEngine(PlayContext& ctx);        // the throttle pressed at rest
void DriveBoat(PlayContext& ctx);          // steer, accelerate, leave wake; or coast
// Speed limits, the move along the heading and the land test; returns the
// cell the boat moved onto, picked before a move onto land was undone.
MapPick MoveBoat(PlayContext& ctx, float startX, float startY);
// The armed objects on that cell fire, each once.
void VisitMapObjects(PlayContext& ctx, const MapPick& cell);
void FollowBoat(PlayContext& ctx);  // the camera

}  // namespace tw
