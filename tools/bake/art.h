// The pictures of the game's own sprite library ("objects.dxg"), grouped by
// what they show; each adds its items to the library being built.
#pragma once
#include <array>
#include <string>

#include "bake/library_builder.h"

namespace tw::bake {

// The monsters a lake can name; each has a 32-frame sprite and a raid picture.
inline constexpr std::array<const char*, 4> kMonsterKinds = {"Monster", "Serpent", "Gator",
                                                             "Snapper"};

// The glyph of each frame of a sprite font, in the order the text drawers
// look characters up (UTF-8 here; the game's bytes are Windows-1252).
extern const std::array<const char*, 67> kFontGlyphs;

void AddSpriteFonts(LibraryBuilder& lib);  // "bigfont", "font", "infofont", "digital"
void AddBoats(LibraryBuilder& lib);        // the boats, their "gas" twins and "fishguy"
void AddCreatures(LibraryBuilder& lib);    // "fish", the monsters and their raid pictures
void AddDashboard(LibraryBuilder& lib);    // dashboard, gauges, pop-ups, cursors, splashes
void AddPopups(LibraryBuilder& lib);       // "hook", "caught", "lost", "buoy", "talk"

}  // namespace tw::bake
