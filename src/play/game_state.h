// The one record of game variables, held by the main window for the life of
// the program. Fixed capacities throughout: nothing here grows per tournament
// except a few strings.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "world/map.h"

namespace tw {

// One swimmer: used for both the fish and the monsters.
struct FishRecord {
  float X = 0, Y = 0;
  float LastX = 0, LastY = 0;
  uint8_t Dir = 0;  // heading, 256 steps per turn
  float Speed = 0;
  uint8_t Taken = 0;
  int32_t Mode = 0;
};

// A drop of spray behind the boat; Life 0 means the slot is free.
struct WakeParticle {
  float X = 0, Y = 0;
  uint8_t Dir = 0;
  uint8_t Life = 0;
};

// A lure splash; grows for 16 frames and vanishes.
struct Splash {
  float X = 0, Y = 0;
  uint8_t Spare = 0;
  uint8_t Life = 0;
};

constexpr int32_t kFishSlots = 257, kWakeSlots = 129, kSplashSlots = 17, kLinePoints = 256;

struct GameState {
  GameState() : Map(std::make_unique<MapGrid>()) {}
  GameState(const GameState&) = delete;
  GameState& operator=(const GameState&) = delete;

  int32_t LureLevel = 1;
  int32_t RodLevel = 1;
  int32_t BoatLevel = 1;
  // TileHeight, TileWidth, MapMaxCol, MapMaxRow: kept as one record because
  // tile picking takes them together.
  MapHeader Header;
  std::unique_ptr<MapGrid> Map;  // [column][row]; allocated once, never cleared
  std::array<MapObject, kMapObjectCount> MapObjects;
  int32_t ViewX = 0;
  int32_t ViewY = 0;
  int32_t MouseX = 0;
  int32_t MouseY = 0;
  int32_t MouseWorldX = 0;
  int32_t MouseWorldY = 0;
  uint8_t TurnLeftKey = 0;
  uint8_t TurnRightKey = 0;
  float BoatX = 0;
  float BoatY = 0;
  uint8_t BoatHeading = 0;
  float BoatSpeed = 0;
  uint8_t Gas = 0;
  uint8_t Reverse = 0;
  uint8_t AnyInput = 0;
  uint8_t StrikePress = 0;
  uint8_t CastRequest = 0;
  uint8_t Casting = 0;
  uint8_t Reeling = 0;
  uint8_t Hooked = 0;
  float LureX = 0;
  float LureY = 0;
  std::array<float, kLinePoints> LineX{};
  std::array<float, kLinePoints> LineY{};
  std::array<float, kLinePoints> LineZ{};
  uint8_t LinePoints = 0;
  float ReelSpeed = 0;
  uint8_t CastFrame = 0;
  std::array<WakeParticle, kWakeSlots> Wake{};
  uint8_t WakeNext = 0;
  std::array<Splash, kSplashSlots> Splashes{};
  uint8_t SplashNext = 0;
  int32_t PowerFrame = 0;
  int32_t PowerStep = 1;
  std::array<FishRecord, kFishSlots> Fish{};
  int32_t LastFishIndex = 128;
  int32_t Biggest = 12;
  int32_t HookedFish = 0;
  int32_t Difficulty = 10;
  int32_t FishCaught = 0;
  int32_t CatchPounds = 0;
  int32_t CatchInches = 0;
  int32_t FishSpent = 0;
  std::array<FishRecord, kFishSlots> Monsters{};
  int32_t LastMonsterIndex = 10;
  std::string MonsterKind;
  std::string AnglerSprite = "fishguy";
  int32_t AnglerYOffset = 0;
  int32_t TimeLeft = 0;
  int32_t TimeLimit = 0;
  uint8_t Timed = 0;
  uint8_t GameOver = 0;
  uint8_t QuitQuery = 0;
  int32_t GameOverCountdown = 0;
  std::string ImageLib;
  std::string Message;
  int32_t MessageTimer = 0;
  int32_t EntryFee = 0;
  int32_t PrizeMoney = 0;
  int32_t Limit = 6;
  int32_t WinIf = 1;
  int32_t LakeLevel = 0;
  int32_t Cash = 50;
  std::string BoatSprite = "boat1";
  int32_t PlayerLevel = 2;
  std::string CatalogueEntry;

  // The header words by their own names.
  int32_t& TileHeight() { return Header.TileHeight; }
  int32_t& TileWidth() { return Header.TileWidth; }
  int32_t& MapMaxCol() { return Header.MapMaxCol; }
  int32_t& MapMaxRow() { return Header.MapMaxRow; }
  int32_t TileHeight() const { return Header.TileHeight; }
  int32_t TileWidth() const { return Header.TileWidth; }
  int32_t MapMaxCol() const { return Header.MapMaxCol; }
  int32_t MapMaxRow() const { return Header.MapMaxRow; }

  MapCell& Cell(int32_t col, int32_t row) { return (*Map)[col][row]; }
  const MapCell& Cell(int32_t col, int32_t row) const { return (*Map)[col][row]; }
};

}  // namespace tw
