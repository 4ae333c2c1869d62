// Drawing the play field onto the back buffer: the visible part of the lake
// with its animated tiles, splashes, the wake on both sides of the boat, the
// boat and its angler, the dashboard, the message line and the cursor.
#pragma once
#include <cstdint>
#include <span>

#include "play/context.h"

namespace tw {

void DrawMap(PlayContext& ctx);  // the visible tiles; advances their animations
// The same, for a frame that paints every pixel from screen row `coveredFrom`
// down later on (the dashboard): the tiles leave those rows alone.
void DrawMap(PlayContext& ctx, int32_t coveredFrom);
// The first screen row from which the dashboard paints every pixel of every
// row down to the bottom; the screen's height when it does not.
int32_t DashboardTop(PlayContext& ctx);
void DrawSplashes(PlayContext& ctx);  // growing lure splashes, each one frame older
void DrawWakeRear(PlayContext& ctx);  // moves and ages the wake; draws the drops behind the boat
void DrawBoat(PlayContext& ctx);
void DrawAngler(PlayContext& ctx);
void DrawWakeFront(PlayContext& ctx);    // the drops in front of the boat, drawn over it
void DrawDashboard(PlayContext& ctx);    // dashboard, fish meter and, while hooked, the power bar
void DrawMessageLine(PlayContext& ctx);  // the centred message; counts its timer down
void DrawCursor(PlayContext& ctx);

// Marks the screen rows DrawMap will paint every pixel of, as things stand:
// each cell whose diamond reaches into them is drawn, with a tile that
// fills its diamond. What the last frame left in the other rows may show.
void MapCoveredRows(PlayContext& ctx, std::span<uint8_t> covered);

// The frame of a 32-frame boat picture for a heading (0 to 11 give 31).
int32_t BoatFrame(uint8_t heading);
// The frame of the 96-frame angler for a facing and casting step.
int32_t AnglerFrame(uint8_t facing, int32_t step);

}  // namespace tw
