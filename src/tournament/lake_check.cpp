#include "tournament/lake_check.h"

#include <array>
#include <optional>

#include "core/numeric.h"
#include "media/image_list.h"
#include "media/wave_list.h"
#include "world/lake_files.h"

namespace tw {

namespace {

const char* const kObjectLibrary = "objects.dxg";
const char* const kSoundLibrary = "sound.dxw";

// The game's own pictures and sounds that every tournament looks up. The
// boat's picture comes with the player's gear and is left to the frame.
constexpr std::array<const char*, 13> kFramePictures = {
    "fishdash", "fishmeter", "powerbar", "hook",     "caught",      "lost", "bobber",
    "splash",   "water",     "mouse",    "mousegas", "mousenofish", "fish"};
constexpr std::array<const char*, 10> kFrameSounds = {
    "gas", "startgas", "reel", "splash", "hook", "boing", "caught", "minisplash", "bell", "coins"};

bool IsPlacedKind(const std::string& kind) {
  return kind == "levelstart" || kind == "singlefish" || kind == "monster";
}

bool HasActive(const GameState& s, const char* kind) {
  for (const MapObject& o : s.MapObjects)
    if (o.Kind == kind && o.Active) return true;
  return false;
}

}  // namespace

GameError LakeRefused(const PlayContext& ctx, const std::string& why) {
  return GameError("The lake " + LakePath(ctx.Lakes(), ctx.LakeName, ".ini") +
                   " cannot be played: " + why);
}

void CheckTileLibraryName(const PlayContext& ctx) {
  const std::string& name = ctx.State.ImageLib;
  // The same text names the lake's ambient loop, so it is a plain file name.
  if (name.empty() || name.find_first_of("/\\") != std::string::npos ||
      name.find("..") != std::string::npos)
    throw LakeRefused(ctx, "its ImageLib '" + name +
                               "' must name a file in the game's data folder, without a folder or "
                               "\"..\"");
}

void CheckTileLibrary(const PlayContext& ctx) {
  const TDXImageList& tiles = ctx.DXTileList;
  for (int32_t i = 0; i < tiles.Count(); ++i)
    if (!tiles.Items(i).GetPicture().Pixels.empty()) return;
  throw LakeRefused(ctx, "its ImageLib '" + ctx.State.ImageLib + "' holds no pictures");
}

void CheckPlacedObjects(const GameState& s, const std::string& mapPath) {
  for (int32_t i = 0; i < kMapObjectCount; ++i) {
    const MapObject& o = s.MapObjects[static_cast<size_t>(i)];
    if (!IsPlacedKind(o.Kind)) continue;
    const std::string where =
        "Map file " + mapPath + ", object " + std::to_string(i) + " (" + o.Kind + "): ";
    if (o.X < 0 || o.X > s.MapMaxCol() || o.Y < 0 || o.Y > s.MapMaxRow())
      throw GameError(where + "column " + std::to_string(o.X) + ", row " + std::to_string(o.Y) +
                      " is off the map of columns 0 to " + std::to_string(s.MapMaxCol()) +
                      " and rows 0 to " + std::to_string(s.MapMaxRow()));
    if (o.Kind == "levelstart") continue;
    const std::optional<int32_t> slot = ParseWholeNumber(o.Param);
    if (!slot) throw GameError(where + "'" + o.Param + "' is not a valid integer value");
    if (*slot < 0 || *slot >= kFishSlots)
      throw GameError(where + "slot " + std::to_string(*slot) + " is outside 0 to " +
                      std::to_string(kFishSlots - 1));
  }
}

void CheckLakeMedia(PlayContext& ctx) {
  const GameState& s = ctx.State;
  // `lack` says what is missing; the name and the library follow it.
  auto needPicture = [&](const std::string& name, const std::string& lack) {
    if (ctx.objects.IndexOf(name) < 0)
      throw LakeRefused(ctx, lack + " '" + name + "' in " + kObjectLibrary);
  };
  for (const char* name : kFramePictures) needPicture(name, "there is no picture");
  needPicture(s.AnglerSprite, "there is no picture");
  for (const char* name : kFrameSounds)
    if (ctx.sounds.IndexOf(name) < 0)
      throw LakeRefused(ctx, "there is no sound '" + std::string(name) + "' in " + kSoundLibrary);
  needPicture("font", "there is no font");
  needPicture("bigfont", "there is no font");
  if (s.Timed) needPicture("digital", "there is no clock font");
  for (const char* sign : {"buoy", "talk"}) {
    if (!HasActive(s, sign)) continue;
    needPicture(sign, "there is no picture");
    needPicture("infofont", "there is no sign font");
  }
  // Play only wakes the monster slots up to the lake's last one.
  if (s.LastMonsterIndex < 0) return;
  if (s.MonsterKind.empty()) throw LakeRefused(ctx, "it has monsters but its MonsterKind is empty");
  const std::string lack = "its MonsterKind '" + s.MonsterKind + "' has no";
  needPicture(s.MonsterKind, lack + " picture");
  needPicture("got" + s.MonsterKind, lack + " raid picture");
  if (ctx.sounds.IndexOf(s.MonsterKind) < 0)
    throw LakeRefused(ctx, lack + " sound '" + s.MonsterKind + "' in " + kSoundLibrary);
}

}  // namespace tw
