// The one record of game variables, held by the main window for the life of
// the program. Fixed capacities throughout: nothing here grows per tournament
// except a few strings.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "world/lake_files.h"
#include "world/map.h"

namespace tw {

// One swimmer: used for both the fish and the monsters.
struct FishRecord {
  float X = 0, Y = 0;
  float LastX = 0, LastY = 0;
  uint8_t Dir = 0;  // heading, 256 steps per turn
  float Speed = 0;
  uint8_t Taken = 0;
  int32_t Mode = 0;  // one of the modes below

  // A fish roams and darts, a monster drifts: far from the boat or not yet
  // placed.
  static constexpr int32_t kRoaming = 0;
  // A fish placed on the map ("singlefish") circles on the spot.
  static constexpr int32_t kCircling = 1;
  // A monster within 300 pixels of the boat heads for it...
  static constexpr int32_t kChasing = 1;
  // ...and within 150 opens its jaws.
  static constexpr int32_t kBiting = 2;
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

// The record's tables hold a lake's largest shoal and pack.
constexpr int32_t kFishSlots = kMaxSwimmers;
constexpr int32_t kWakeSlots = 129, kSplashSlots = 17, kLinePoints = 256;

// Every plain field of the record, in one list that declares the fields,
// gives their program-start values (ResetToProgramStart) and names them for
// the tracer: X(type, name, program-start value), then what it holds and how
// long it lives. Positions are world pixels, speeds pixels per frame,
// headings 256 steps per turn, times frames (kFramesPerSecond a second).
// Lifetimes: "program" = the player's, kept across tournaments and saved;
// "lake" = set when a lake is chosen in the menu; "tournament" = set by
// ResetForTournament; "surface" = reset by ResetOnSurface at each start of the
// drawing surface; "cast" = from a cast until the line is in; "input" =
// the last keys and mouse; "frame" = worked out again every frame.
// clang-format off
#define TW_GAME_FIELDS(X) \
  X(int32_t, LureLevel, 1)        /* lure gear 1-4; program */ \
  X(int32_t, RodLevel, 1)         /* rod gear 1-4; program */ \
  X(int32_t, BoatLevel, 1)        /* boat gear 1-4; program */ \
  X(int32_t, ViewX, 0)            /* world x of the screen's left edge; follows the boat */ \
  X(int32_t, ViewY, 0)            /* world y of the screen's top edge; follows the boat */ \
  X(int32_t, MouseX, 0)           /* cursor on the screen, pixels; input */ \
  X(int32_t, MouseY, 0)           /* cursor on the screen, pixels; input */ \
  X(int32_t, MouseWorldX, 0)      /* cursor in the world (view + cursor); frame */ \
  X(int32_t, MouseWorldY, 0)      /* cursor in the world (view + cursor); frame */ \
  X(uint8_t, TurnLeftKey, 0)      /* 1 while the turn-left key is held; input */ \
  X(uint8_t, TurnRightKey, 0)     /* 1 while the turn-right key is held; input */ \
  X(float, BoatX, 0)              /* boat position, world pixels; tournament */ \
  X(float, BoatY, 0)              /* boat position, world pixels; tournament */ \
  X(uint8_t, BoatHeading, 0)      /* 256 steps per turn; surface */ \
  X(float, BoatSpeed, 0)          /* pixels per frame; tournament */ \
  X(uint8_t, Gas, 0)              /* 1 while the throttle is open; tournament */ \
  X(uint8_t, Reverse, 0)          /* 1 while going astern; surface */ \
  X(uint8_t, AnyInput, 0)         /* 1 once a key or click came in; input */ \
  X(uint8_t, StrikePress, 0)      /* 1 when the strike key was pressed; input */ \
  X(uint8_t, CastRequest, 0)      /* 1 when the player asked to cast; surface */ \
  X(uint8_t, Casting, 0)          /* 1 while the lure flies; cast */ \
  X(uint8_t, Reeling, 0)          /* 1 while the line is out; cast, surface */ \
  X(uint8_t, Hooked, 0)           /* 1 while a fish is on the line; cast */ \
  X(float, LureX, 0)              /* lure position, world pixels; cast */ \
  X(float, LureY, 0)              /* lure position, world pixels; cast */ \
  X(uint8_t, LinePoints, 0)       /* points of the line in use (LineX..); cast */ \
  X(float, ReelSpeed, 0)          /* lure pixels per frame, from the rod; cast */ \
  X(uint8_t, CastFrame, 0)        /* rod picture 0-5 of the cast; cast */ \
  X(uint8_t, WakeNext, 0)         /* next Wake slot to fill; surface */ \
  X(uint8_t, SplashNext, 0)       /* next Splashes slot to fill; cast */ \
  X(int32_t, PowerFrame, 0)       /* strike bar picture shown; surface */ \
  X(int32_t, PowerStep, 1)        /* strike bar direction, +1 or -1; surface */ \
  X(int32_t, LastFishIndex, 128)  /* last Fish slot in use (fish - 1); lake */ \
  X(int32_t, Biggest, 12)         /* longest fish, inches; lake */ \
  X(int32_t, HookedFish, 0)       /* Fish slot struck at; cast */ \
  X(int32_t, Difficulty, 10)      /* how often and how fast fish dart; lake */ \
  X(int32_t, FishCaught, 0)       /* fish landed; tournament */ \
  X(int32_t, CatchPounds, 0)      /* catch weight, pounds; surface */ \
  X(int32_t, CatchInches, 0)      /* catch length, inches; surface */ \
  X(int32_t, FishSpent, 0)        /* fish struck at, landed or lost; tournament */ \
  X(int32_t, LastMonsterIndex, 10) /* last Monsters slot in use; lake */ \
  X(std::string, MonsterKind, "") /* object picture of the monsters; lake */ \
  X(std::string, AnglerSprite, "fishguy") /* object picture of the angler; program */ \
  X(int32_t, AnglerYOffset, 0)    /* angler raised by 3 pixels a step; program */ \
  X(int32_t, TimeLeft, 0)         /* frames left on the clock; tournament */ \
  X(int32_t, TimeLimit, 0)        /* the lake's length, frames; lake */ \
  X(uint8_t, Timed, 0)            /* 1 when the lake has a clock; lake */ \
  X(uint8_t, GameOver, 0)         /* 1 once the tournament is ending; tournament */ \
  X(uint8_t, QuitQuery, 0)        /* 1 while "PRESS ENTER TO QUIT GAME" waits; tournament */ \
  X(int32_t, GameOverCountdown, 0) /* frames until the menu comes back; tournament */ \
  X(std::string, ImageLib, "")    /* the lake's tile library file; lake */ \
  X(std::string, Message, "")     /* the message line; tournament */ \
  X(int32_t, MessageTimer, 0)     /* frames the message stays; tournament */ \
  X(int32_t, EntryFee, 0)         /* dollars; lake */ \
  X(int32_t, PrizeMoney, 0)       /* dollars; lake */ \
  X(int32_t, Limit, 6)            /* fish that end the tournament; lake */ \
  X(int32_t, WinIf, 1)            /* pounds to win, 0 = any catch; lake */ \
  X(int32_t, LakeLevel, 0)        /* player level a win gives; lake */ \
  X(int32_t, Cash, 50)            /* dollars; program */ \
  X(std::string, BoatSprite, "boat1") /* object picture of the boat; program */ \
  X(int32_t, PlayerLevel, 2)      /* highest lake level open; program */ \
  X(std::string, CatalogueEntry, "") /* the lake's catalogue name; lake */
// clang-format on

struct GameState {
  GameState();
  GameState(const GameState&) = delete;
  GameState& operator=(const GameState&) = delete;

  // TileHeight, TileWidth, MapMaxCol, MapMaxRow: kept as one record because
  // tile picking takes them together; read with the map file.
  MapHeader Header;
  std::unique_ptr<MapGrid> Map;  // [column][row]; allocated once, never cleared
  std::array<MapObject, kMapObjectCount> MapObjects;  // read with the map file
  // The line from rod tip to lure, world pixels (z up); cast.
  std::array<float, kLinePoints> LineX{};
  std::array<float, kLinePoints> LineY{};
  std::array<float, kLinePoints> LineZ{};
  std::array<WakeParticle, kWakeSlots> Wake{};    // spray ring, WakeNext is next
  std::array<Splash, kSplashSlots> Splashes{};    // splash ring, SplashNext is next
  std::array<FishRecord, kFishSlots> Fish{};      // placed at each tournament start
  std::array<FishRecord, kFishSlots> Monsters{};  // placed at each tournament start

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

  // The plain fields (TW_GAME_FIELDS), declared last so that the formatter
  // reads the members above as members.
#define TW_DECLARE_FIELD(type, name, start) type name = start;
  TW_GAME_FIELDS(TW_DECLARE_FIELD)
#undef TW_DECLARE_FIELD
};

// Every plain field back to its program-start value (the record's tables and
// the map are left as they are).
void ResetToProgramStart(GameState& s);

// The record at a tournament's start, once the map is loaded: the clock, the
// catch count, the message and the ending cleared, and the boat on the map's
// last "levelstart" (300, 300 without one).
void ResetForTournament(GameState& s);

// What every start of the drawing surface resets: the boat's heading and
// controls, the wake, the strike bar and the catch.
void ResetOnSurface(GameState& s);

}  // namespace tw
