// What a lake needs before a tournament on it may start: a tile library that
// lies in the data folder and holds pictures, fixed starts, fish and
// monsters that stand on the map and name a slot of the tables, and the
// pictures, fonts and sounds the frame will look up. Checked once
// at set-up, so a lake that cannot be played is refused with one message
// (and the fee back) instead of an error in every frame.
#pragma once
#include <string>

#include "core/error.h"
#include "play/context.h"

namespace tw {

// "The lake PATH cannot be played: WHY", PATH being the lake's definition file.
GameError LakeRefused(const PlayContext& ctx, const std::string& why);

// "ImageLib" names a file of the data folder: not empty, no folder part
// and no "..".
void CheckTileLibraryName(const PlayContext& ctx);
// The tile library just loaded holds pictures (a sound library has the same
// form but none).
void CheckTileLibrary(const PlayContext& ctx);
// Every "levelstart", "singlefish" and "monster" stands on a cell of the map,
// and the fish and monsters name a slot from 0 to 256. Errors name the map
// file and the object's slot in it.
void CheckPlacedObjects(const GameState& s, const std::string& mapPath);
// The game's own pictures and sounds of the frame, its fonts (the clock's
// only on a timed lake, the signs' only where the map has an armed sign or
// person) and, when the lake has monsters, the monster's picture, its raid
// picture and its sound.
void CheckLakeMedia(PlayContext& ctx);

}  // namespace tw
