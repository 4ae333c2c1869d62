// Moving lakes between makers as folders: a lake's map, definition and
// preview with a catalogue that lists it (the four files a lake is).
#pragma once
#include <string>
#include <vector>

#include "world/lake_files.h"

namespace tw {

// Writes lake `name` (found as the game finds it, the player's copy first)
// into `folder`, made when missing.
void ExportLake(const LakeFolders& lakes, const std::string& name, const std::string& folder);

// Reads every lake that `folder` lists in its lakes.ini (every map in it
// when it has none) and saves each into `playerLakes`. Each map is read
// whole before anything is written, so a damaged one is refused with the
// map reader's error and nothing of it lands. Returns the names imported.
std::vector<std::string> ImportLakes(const std::string& folder, const std::string& playerLakes);

}  // namespace tw
