#include "play/game_state.h"

#include "core/numeric.h"

namespace tw {

GameState::GameState() : Map(std::make_unique<MapGrid>()) {}

void ResetToProgramStart(GameState& s) {
#define TW_RESET_FIELD(type, name, start) s.name = start;
  TW_GAME_FIELDS(TW_RESET_FIELD)
#undef TW_RESET_FIELD
}

void ResetForTournament(GameState& s) {
  s.BoatX = s.BoatY = 300.0f;
  s.MouseWorldX = Round(s.BoatX);
  s.MouseWorldY = Round(s.BoatY);
  s.BoatSpeed = 0.1f;
  s.Gas = 0;
  s.GameOver = 0;
  s.QuitQuery = 0;
  s.GameOverCountdown = 0;
  s.TimeLeft = s.TimeLimit;
  s.Message.clear();
  s.MessageTimer = 0;
  s.FishCaught = 0;
  s.FishSpent = 0;

  // The boat starts on the last "levelstart" of the map.
  for (const MapObject& o : s.MapObjects) {
    if (o.Kind != "levelstart") continue;
    s.BoatX = static_cast<float>(int64_t{o.X} * s.TileWidth());
    s.BoatY = static_cast<float>(int64_t{o.Y} * (s.TileHeight() / 2));
    s.MouseWorldX = Round(s.BoatX);
    s.MouseWorldY = Round(s.BoatY);
  }
}

void ResetOnSurface(GameState& s) {
  s.BoatHeading = 0;
  s.Gas = 0;
  s.Reverse = 0;
  s.WakeNext = 0;
  s.Reeling = 0;
  s.CastRequest = 0;
  s.PowerFrame = 0;
  s.PowerStep = 1;
  s.FishCaught = 0;
  s.CatchPounds = 0;
  s.CatchInches = 0;
  s.FishSpent = 0;
}

}  // namespace tw
