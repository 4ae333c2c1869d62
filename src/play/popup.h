// The blocking pop-up of a tournament: a picture shown at once on the visible
// surface, then a wait inside the frame until the player presses a key or a
// mouse button.
#pragma once
#include <string>

#include "play/context.h"

namespace tw {

class TPictureCollectionItem;

// Draws frame 0 of `picture` on the visible surface where pop-ups stand:
// centred over the part of the screen above the dashboard. Nothing is shown
// until the surface is presented.
void DrawAtPopupPlace(PlayContext& ctx, TPictureCollectionItem& picture);

// Draws frame 0 of the picture `name` from `objects` on the visible surface,
// centred over the part of the screen above the dashboard, and shows it.
void ShowPopup(PlayContext& ctx, const std::string& name);

// Swallows the input already queued, then waits (sleeping between looks) for
// a fresh key or button press. Returns at once when the window was closed.
void WaitForInput(PlayContext& ctx);

}  // namespace tw
