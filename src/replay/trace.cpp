#include "replay/trace.h"

#include <charconv>
#include <cstdio>
#include <map>

#include "core/error.h"

namespace tw {

namespace {

std::string Text(int32_t v) {
  return std::to_string(v);
}
std::string Text(uint8_t v) {
  return std::to_string(static_cast<int>(v));
}
std::string Text(float v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
  return buf;
}
std::string Text(const std::string& v) {
  return "\"" + v + "\"";
}

using Plain = std::map<std::string, FieldReader>;

// The map header's words and every plain field of the record by its own
// name (the list the record is declared from).
const Plain& PlainFields() {
  static const Plain fields = {
      {"TileHeight", [](const GameState& s) { return Text(s.TileHeight()); }},
      {"TileWidth", [](const GameState& s) { return Text(s.TileWidth()); }},
      {"MapMaxCol", [](const GameState& s) { return Text(s.MapMaxCol()); }},
      {"MapMaxRow", [](const GameState& s) { return Text(s.MapMaxRow()); }},
#define TW_TRACE_FIELD(type, name, start) {#name, [](const GameState& s) { return Text(s.name); }},
      TW_GAME_FIELDS(TW_TRACE_FIELD)
#undef TW_TRACE_FIELD
  };
  return fields;
}

[[noreturn]] void NoField(const std::string& name) {
  throw GameError("There is no field " + name + " to trace");
}

template <class Record>
using SubReader = std::string (*)(const Record&);

FieldReader Swimmer(const std::string& table, size_t i, const std::string& sub,
                    const std::string& name) {
  static const std::map<std::string, SubReader<FishRecord>> subs = {
      {"X", [](const FishRecord& f) { return Text(f.X); }},
      {"Y", [](const FishRecord& f) { return Text(f.Y); }},
      {"LastX", [](const FishRecord& f) { return Text(f.LastX); }},
      {"LastY", [](const FishRecord& f) { return Text(f.LastY); }},
      {"Dir", [](const FishRecord& f) { return Text(f.Dir); }},
      {"Speed", [](const FishRecord& f) { return Text(f.Speed); }},
      {"Taken", [](const FishRecord& f) { return Text(f.Taken); }},
      {"Mode", [](const FishRecord& f) { return Text(f.Mode); }},
  };
  const auto it = subs.find(sub);
  if (it == subs.end()) NoField(name);
  const SubReader<FishRecord> read = it->second;
  if (table == "Fish") return [i, read](const GameState& s) { return read(s.Fish[i]); };
  return [i, read](const GameState& s) { return read(s.Monsters[i]); };
}

}  // namespace

FieldReader TraceField(const std::string& name) {
  const Plain& plain = PlainFields();
  if (const auto it = plain.find(name); it != plain.end()) return it->second;

  // Table[index] or Table[index].Field
  const size_t open = name.find('['), close = name.find(']');
  if (open == std::string::npos || close == std::string::npos || close < open) NoField(name);
  const std::string table = name.substr(0, open);
  size_t i = 0;
  const char* first = name.data() + open + 1;
  const char* last = name.data() + close;
  const auto [end, ec] = std::from_chars(first, last, i);
  if (ec != std::errc() || end != last) NoField(name);
  std::string sub;
  if (close + 1 < name.size()) {
    if (name[close + 1] != '.') NoField(name);
    sub = name.substr(close + 2);
  }
  auto checkIndex = [&](size_t size) {
    if (i >= size)
      throw GameError("The field " + name + " is outside its table of " + std::to_string(size));
  };
  if (table == "Fish" || table == "Monsters") {
    checkIndex(kFishSlots);
    return Swimmer(table, i, sub, name);
  }
  if (sub.empty() && (table == "LineX" || table == "LineY" || table == "LineZ")) {
    checkIndex(kLinePoints);
    if (table == "LineX") return [i](const GameState& s) { return Text(s.LineX[i]); };
    if (table == "LineY") return [i](const GameState& s) { return Text(s.LineY[i]); };
    return [i](const GameState& s) { return Text(s.LineZ[i]); };
  }
  if (table == "Wake") {
    checkIndex(kWakeSlots);
    if (sub == "X") return [i](const GameState& s) { return Text(s.Wake[i].X); };
    if (sub == "Y") return [i](const GameState& s) { return Text(s.Wake[i].Y); };
    if (sub == "Dir") return [i](const GameState& s) { return Text(s.Wake[i].Dir); };
    if (sub == "Life") return [i](const GameState& s) { return Text(s.Wake[i].Life); };
  }
  if (table == "Splashes") {
    checkIndex(kSplashSlots);
    if (sub == "X") return [i](const GameState& s) { return Text(s.Splashes[i].X); };
    if (sub == "Y") return [i](const GameState& s) { return Text(s.Splashes[i].Y); };
    if (sub == "Life") return [i](const GameState& s) { return Text(s.Splashes[i].Life); };
  }
  if (table == "MapObjects") {
    checkIndex(kMapObjectCount);
    if (sub == "X") return [i](const GameState& s) { return Text(s.MapObjects[i].X); };
    if (sub == "Y") return [i](const GameState& s) { return Text(s.MapObjects[i].Y); };
    if (sub == "Active") return [i](const GameState& s) { return Text(s.MapObjects[i].Active); };
    if (sub == "Kind") return [i](const GameState& s) { return Text(s.MapObjects[i].Kind); };
    if (sub == "Param") return [i](const GameState& s) { return Text(s.MapObjects[i].Param); };
    if (sub == "Text") return [i](const GameState& s) { return Text(s.MapObjects[i].Text); };
  }
  NoField(name);
}

std::vector<std::pair<std::string, FieldReader>> TraceFields(const std::string& list) {
  std::vector<std::pair<std::string, FieldReader>> out;
  size_t start = 0;
  while (start <= list.size()) {
    const size_t comma = std::min(list.find(',', start), list.size());
    const std::string name = list.substr(start, comma - start);
    if (!name.empty()) out.emplace_back(name, TraceField(name));
    start = comma + 1;
  }
  if (out.empty()) throw GameError("Name at least one field to trace");
  return out;
}

std::string TraceLine(int32_t frame, const GameState& s,
                      const std::vector<std::pair<std::string, FieldReader>>& fields,
                      const char* timer) {
  std::string line = std::to_string(frame);
  for (const auto& [name, read] : fields) line += "\t" + name + "=" + read(s);
  line += "\ttimer=";
  line += timer;
  return line;
}

}  // namespace tw
