// "window.ini": the main window as the player left it (full screen or a
// window, and the window's place and size), written by the game whenever
// it changes and read at the next start. A missing or damaged file gives
// the defaults: full screen, the window's size chosen by the platform.
#pragma once
#include <optional>
#include <string>

#include "media/platform.h"

namespace tw {

// Sizes a window may be remembered at; anything else is damage.
inline constexpr int32_t kSmallestWindowWidth = 320, kSmallestWindowHeight = 240;
inline constexpr int32_t kLargestWindowSide = 16384;

// The remembered window, or nothing when there is no file.
std::optional<WindowPlacement> LoadWindowState(const std::string& path);
// Replaces the file; "Unable to write to PATH" when that fails.
void SaveWindowState(const std::string& path, const WindowPlacement& placement);

// How the window starts: the command line's --windowed or --fullscreen
// first, then TARNWICK_WINDOWED=1 (`windowedByEnvironment`), then the
// remembered choice, else full screen.
WindowPlacement StartingPlacement(const std::optional<WindowPlacement>& remembered,
                                  std::optional<bool> fullScreenByCommandLine,
                                  bool windowedByEnvironment);

}  // namespace tw
