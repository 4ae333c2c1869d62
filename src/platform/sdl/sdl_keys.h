// SDL's keys as the Windows virtual-key codes the game's handlers expect
// (Esc 27, Enter 13, arrows 37-40, letters 65-90 ...), and SDL's modifier
// and button state as the handlers' shift state.
#pragma once
#include <SDL.h>

#include <cstdint>

namespace tw {

// 0 for keys the game has no code for.
uint16_t VirtualKeyFromSdl(SDL_Keycode key);

// ShiftState bits from SDL's modifier keys and mouse button mask.
uint8_t ShiftFromSdl(uint16_t mod, uint32_t buttons);

}  // namespace tw
