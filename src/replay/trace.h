// Per-frame traces: any field of the game record by its name ("BoatX",
// "Message", "Fish[3].X", "LineZ[0]", "MapObjects[2].Active"), read as text.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "play/game_state.h"

namespace tw {

using FieldReader = std::function<std::string(const GameState&)>;

// The reader for one field; raises GameError naming the field when there is
// no such field or the index is outside its table.
FieldReader TraceField(const std::string& name);

// "BoatX,BoatY,Fish[0].X" to readers, in order.
std::vector<std::pair<std::string, FieldReader>> TraceFields(const std::string& list);

// "FRAME\tname=value\t...\ttimer=frame": one line of a trace.
std::string TraceLine(int32_t frame, const GameState& s,
                      const std::vector<std::pair<std::string, FieldReader>>& fields,
                      const char* timer);

}  // namespace tw
