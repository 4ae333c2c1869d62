// The tournament's mouse and key handlers. They never move anything: they
// record the cursor and set or clear flags that the frame reads later.
#pragma once
#include <cstdint>

#include "media/platform.h"
#include "play/context.h"

namespace tw {

// Windows virtual-key codes the handlers know.
namespace vk {
constexpr int32_t Back = 8, Return = 13, Escape = 27, Space = 32;
constexpr int32_t Left = 37, Up = 38, Right = 39, Down = 40;
}  // namespace vk

// The cursor in surface pixels; the world position follows the view.
void DXDrawMouseMove(PlayContext& ctx, int32_t x, int32_t y);
void DXDrawMouseDown(PlayContext& ctx, MouseButton button, int32_t x, int32_t y);
void DXDrawMouseUp(PlayContext& ctx, MouseButton button, int32_t x, int32_t y);
void FormKeyDown(PlayContext& ctx, int32_t key);
void FormKeyUp(PlayContext& ctx, int32_t key);

}  // namespace tw
