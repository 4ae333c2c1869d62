#include "app/window_state.h"

#include <cstdint>

#include "core/files.h"
#include "core/ini.h"
#include "core/paths.h"

namespace tw {

namespace {

constexpr const char* kSection = "Window";
// A window placed further off than this is taken as damage.
constexpr int32_t kFarthest = 1 << 20;
constexpr int32_t kNowhere = INT32_MIN;

bool SizeFits(int32_t w, int32_t h) {
  return w >= kSmallestWindowWidth && h >= kSmallestWindowHeight && w <= kLargestWindowSide &&
         h <= kLargestWindowSide;
}

}  // namespace

std::optional<WindowPlacement> LoadWindowState(const std::string& path) {
  if (!FileExists(path)) return std::nullopt;
  const IniFile ini = IniFile::Load(path);
  WindowPlacement p;
  p.FullScreen = ini.ReadBool(kSection, "fullscreen", true);
  const int32_t w = ini.ReadInteger(kSection, "width", 0);
  const int32_t h = ini.ReadInteger(kSection, "height", 0);
  if (SizeFits(w, h)) {
    p.Width = w;
    p.Height = h;
  }
  // A place without both coordinates, or out in nowhere, is not kept.
  const int32_t x = ini.ReadInteger(kSection, "left", kNowhere);
  const int32_t y = ini.ReadInteger(kSection, "top", kNowhere);
  if (x > -kFarthest && x < kFarthest && y > -kFarthest && y < kFarthest) {
    p.HasPosition = true;
    p.X = x;
    p.Y = y;
  }
  return p;
}

void SaveWindowState(const std::string& path, const WindowPlacement& placement) {
  IniFile ini;
  ini.WriteBool(kSection, "fullscreen", placement.FullScreen);
  if (placement.HasPosition) {
    ini.WriteInteger(kSection, "left", placement.X);
    ini.WriteInteger(kSection, "top", placement.Y);
  }
  if (SizeFits(placement.Width, placement.Height)) {
    ini.WriteInteger(kSection, "width", placement.Width);
    ini.WriteInteger(kSection, "height", placement.Height);
  }
  MakeFolderFor(path);
  ini.Save(path);
}

WindowPlacement StartingPlacement(const std::optional<WindowPlacement>& remembered,
                                  std::optional<bool> fullScreenByCommandLine,
                                  bool windowedByEnvironment) {
  WindowPlacement p = remembered.value_or(WindowPlacement{});
  if (fullScreenByCommandLine)
    p.FullScreen = *fullScreenByCommandLine;
  else if (windowedByEnvironment)
    p.FullScreen = false;
  return p;
}

}  // namespace tw
