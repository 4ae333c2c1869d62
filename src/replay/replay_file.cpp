#include "replay/replay_file.h"

#include <charconv>
#include <cstdio>
#include <sstream>
#include <tuple>

#include "core/error.h"
#include "core/files.h"

namespace tw {

namespace {

constexpr const char* kFirstLine = "tarnwick replay 1";
// A replay longer than this is not a tournament anyone played.
constexpr size_t kMaxEvents = 4'000'000;
constexpr size_t kMaxFileBytes = size_t{256} << 20;

const char* ButtonName(MouseButton b) {
  switch (b) {
    case MouseButton::Left:
      return "left";
    case MouseButton::Right:
      return "right";
    case MouseButton::Middle:
      return "middle";
  }
  return "left";
}

// Floats are written with enough digits to come back bit for bit.
std::string FloatText(float v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
  return buf;
}

class LineReader {
 public:
  LineReader(const std::string& line, int lineNo) : in_(line), lineNo_(lineNo) {}

  [[noreturn]] void Fail(const std::string& what) const {
    throw GameError("Replay line " + std::to_string(lineNo_) + ": " + what);
  }
  std::string Word() {
    std::string w;
    if (!(in_ >> w)) Fail("something is missing at the end");
    return w;
  }
  bool AtEnd() {
    in_ >> std::ws;
    return in_.eof();
  }
  void End() {
    if (!AtEnd()) Fail("unexpected '" + Word() + "'");
  }
  int64_t Integer(int64_t lo, int64_t hi) {
    const std::string w = Word();
    return ParseInteger(w, lo, hi);
  }
  int64_t ParseInteger(const std::string& w, int64_t lo, int64_t hi) const {
    int64_t v = 0;
    const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
    if (ec != std::errc() || end != w.data() + w.size()) Fail("'" + w + "' is not a number");
    if (v < lo || v > hi)
      Fail(w + " is outside " + std::to_string(lo) + " to " + std::to_string(hi));
    return v;
  }
  float Float() {
    const std::string w = Word();
    float v = 0;
    const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
    if (ec != std::errc() || end != w.data() + w.size()) Fail("'" + w + "' is not a number");
    return v;
  }
  // A world position: a number within the reach of any lake.
  float Position() {
    const float v = Float();
    if (!(v >= -kWorldLimit && v <= kWorldLimit))
      Fail("positions lie from " + std::to_string(-kWorldLimit) + " to " +
           std::to_string(kWorldLimit));
    return v;
  }
  std::string Rest() {
    std::string rest;
    std::getline(in_ >> std::ws, rest);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.pop_back();
    return rest;
  }

 private:
  std::istringstream in_;
  int lineNo_;
};

constexpr int64_t kI32Min = INT32_MIN, kI32Max = INT32_MAX;

InputMoment ParseMoment(LineReader& r, const std::string& w) {
  InputMoment m;
  const size_t plus = w.find('+'), star = w.find('*');
  const size_t cut = std::min(plus, star);
  m.Frame = static_cast<int32_t>(r.ParseInteger(w.substr(0, cut), 0, kI32Max));
  if (cut == std::string::npos) {
    if (m.Frame == 0) r.Fail("frame 0 is the set-up: its events need a '*' and a count");
    return m;
  }
  const std::string tail = w.substr(cut + 1);
  if (cut == plus) {
    if (m.Frame == 0) r.Fail("the strike bar cannot swing before frame 1");
    m.StrikeTicks = static_cast<int32_t>(r.ParseInteger(tail, 0, kI32Max));
  } else {
    // "N*" alone: the first look after a pop-up has let queued input through.
    m.Pump = tail.empty() ? 257 : static_cast<int32_t>(r.ParseInteger(tail, 1, kI32Max));
  }
  return m;
}

MouseButton ParseButton(LineReader& r) {
  const std::string w = r.Word();
  if (w == "left") return MouseButton::Left;
  if (w == "right") return MouseButton::Right;
  if (w == "middle") return MouseButton::Middle;
  r.Fail("'" + w + "' is not a mouse button (left, right or middle)");
}

ReplayEvent ParseEvent(LineReader& r, const std::string& first) {
  ReplayEvent e;
  e.When = ParseMoment(r, first);
  const std::string what = r.Word();
  if (what == "key") {
    const std::string dir = r.Word();
    if (dir == "down")
      e.Kind = ReplayEventKind::KeyDown;
    else if (dir == "up")
      e.Kind = ReplayEventKind::KeyUp;
    else
      r.Fail("a key goes 'down' or 'up', not '" + dir + "'");
    e.Key = static_cast<int32_t>(r.Integer(0, 255));
  } else if (what == "move" || what == "press" || what == "release") {
    e.Kind = what == "move"    ? ReplayEventKind::MouseMove
             : what == "press" ? ReplayEventKind::MouseDown
                               : ReplayEventKind::MouseUp;
    if (what != "move") e.Button = ParseButton(r);
    // The platform keeps the cursor on the 640x480 surface.
    e.X = static_cast<int32_t>(r.Integer(0, kScreenWidth - 1));
    e.Y = static_cast<int32_t>(r.Integer(0, kScreenHeight - 1));
  } else if (what == "pause") {
    e.Kind = ReplayEventKind::Pause;
    if (!r.AtEnd()) e.Milliseconds = static_cast<int32_t>(r.Integer(0, kI32Max));
  } else if (what == "resume") {
    e.Kind = ReplayEventKind::Resume;
  } else {
    r.Fail("'" + what + "' is not an event (key, move, press, release, pause or resume)");
  }
  if ((e.Kind == ReplayEventKind::Pause || e.Kind == ReplayEventKind::Resume) && e.When.Pump > 0)
    r.Fail("the game pauses only between frames, not at '" + first + "'");
  r.End();
  return e;
}

uint8_t Flag(LineReader& r) {
  return static_cast<uint8_t>(r.Integer(0, 1));
}

void ParseOptions(LineReader& r, PlayOptions& o) {
  while (!r.AtEnd()) {
    const std::string w = r.Word();
    const size_t eq = w.find('=');
    if (eq == std::string::npos) r.Fail("options are written name=value, not '" + w + "'");
    const std::string name = w.substr(0, eq);
    const int64_t v = r.ParseInteger(w.substr(eq + 1), 0, name == "speed" ? 2 : 1);
    if (name == "mouse")
      o.MouseDrive = v != 0;
    else if (name == "speed")
      o.SpeedIndex = static_cast<int32_t>(v);
    else if (name == "flip")
      o.PageFlip = v != 0;
    else if (name == "sound")
      o.SoundOn = v != 0;
    else if (name == "ambience")
      o.BackgroundSounds = v != 0;
    else
      r.Fail("'" + name + "' is not an option (mouse, speed, flip, sound, ambience)");
  }
}

}  // namespace

std::string FormatMoment(const InputMoment& m) {
  if (m.Pump > 0) return std::to_string(m.Frame) + "*" + std::to_string(m.Pump);
  if (m.StrikeTicks > 0) return std::to_string(m.Frame) + "+" + std::to_string(m.StrikeTicks);
  return std::to_string(m.Frame);
}

bool MomentBefore(const InputMoment& a, const InputMoment& b) {
  // Between ticks before frame N comes first, then inside frame N.
  return std::make_tuple(a.Frame, a.Pump > 0, a.Pump > 0 ? a.Pump : a.StrikeTicks) <
         std::make_tuple(b.Frame, b.Pump > 0, b.Pump > 0 ? b.Pump : b.StrikeTicks);
}

std::string FormatReplay(const Replay& replay) {
  const ReplayHeader& h = replay.Header;
  const CarriedOver& c = h.Carry;
  std::string out;
  auto line = [&out](const std::string& s) { out += s + "\n"; };
  line(kFirstLine);
  line("lake " + h.Lake);
  line("seed " + std::to_string(h.Seed));
  line("cash " + std::to_string(h.Cash));
  line("level " + std::to_string(h.PlayerLevel));
  line("gear " + std::to_string(h.LureLevel) + " " + std::to_string(h.RodLevel) + " " +
       std::to_string(h.BoatLevel));
  line("boat " + h.BoatSprite);
  const PlayOptions& o = h.Options;
  line("options mouse=" + std::to_string(o.MouseDrive ? 1 : 0) +
       " speed=" + std::to_string(o.SpeedIndex) + " flip=" + std::to_string(o.PageFlip ? 1 : 0) +
       " sound=" + std::to_string(o.SoundOn ? 1 : 0) +
       " ambience=" + std::to_string(o.BackgroundSounds ? 1 : 0));
  if (c.ViewX || c.ViewY) line("view " + std::to_string(c.ViewX) + " " + std::to_string(c.ViewY));
  if (c.MouseX || c.MouseY)
    line("cursor " + std::to_string(c.MouseX) + " " + std::to_string(c.MouseY));
  if (c.TurnLeftKey || c.TurnRightKey || c.AnyInput)
    line("held " + std::to_string(c.TurnLeftKey) + " " + std::to_string(c.TurnRightKey) + " " +
         std::to_string(c.AnyInput));
  if (c.Hooked) line("hooked " + std::to_string(c.HookedFish));
  for (size_t i = 0; i < c.Wake.size(); ++i) {
    const WakeParticle& w = c.Wake[i];
    if (w.X != 0 || w.Y != 0 || w.Dir != 0 || w.Life != 0)
      line("wake " + std::to_string(i) + " " + FloatText(w.X) + " " + FloatText(w.Y) + " " +
           std::to_string(w.Dir) + " " + std::to_string(w.Life));
  }
  for (size_t i = 0; i < c.Splashes.size(); ++i) {
    const Splash& s = c.Splashes[i];
    if (s.X != 0 || s.Y != 0 || s.Spare != 0 || s.Life != 0)
      line("ring " + std::to_string(i) + " " + FloatText(s.X) + " " + FloatText(s.Y) + " " +
           std::to_string(s.Spare) + " " + std::to_string(s.Life));
  }
  if (c.SplashNext) line("ringnext " + std::to_string(c.SplashNext));
  for (const ReplayEvent& e : replay.Events) {
    std::string t = FormatMoment(e.When) + " ";
    switch (e.Kind) {
      case ReplayEventKind::KeyDown:
        t += "key down " + std::to_string(e.Key);
        break;
      case ReplayEventKind::KeyUp:
        t += "key up " + std::to_string(e.Key);
        break;
      case ReplayEventKind::MouseMove:
        t += "move " + std::to_string(e.X) + " " + std::to_string(e.Y);
        break;
      case ReplayEventKind::MouseDown:
      case ReplayEventKind::MouseUp:
        t += std::string(e.Kind == ReplayEventKind::MouseDown ? "press " : "release ") +
             ButtonName(e.Button) + " " + std::to_string(e.X) + " " + std::to_string(e.Y);
        break;
      case ReplayEventKind::Pause:
        t += "pause " + std::to_string(e.Milliseconds);
        break;
      case ReplayEventKind::Resume:
        t += "resume";
        break;
    }
    line(t);
  }
  return out;
}

Replay ParseReplay(const std::string& text) {
  Replay replay;
  ReplayHeader& h = replay.Header;
  CarriedOver& c = h.Carry;
  std::istringstream in(text);
  std::string raw;
  int lineNo = 0;
  bool sawFirst = false, sawLake = false;
  while (std::getline(in, raw)) {
    ++lineNo;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    const size_t hash = raw.find('#');
    if (hash != std::string::npos) raw.resize(hash);
    LineReader r(raw, lineNo);
    if (r.AtEnd()) continue;
    if (!sawFirst) {
      if (r.Rest() != kFirstLine)
        throw GameError("This is not a replay file: it must begin with \"" +
                        std::string(kFirstLine) + "\"");
      sawFirst = true;
      continue;
    }
    const std::string w = r.Word();
    if (w[0] >= '0' && w[0] <= '9') {
      if (replay.Events.size() >= kMaxEvents) r.Fail("too many events");
      ReplayEvent e = ParseEvent(r, w);
      if (!replay.Events.empty() && MomentBefore(e.When, replay.Events.back().When))
        r.Fail("moment " + FormatMoment(e.When) + " comes before the line above's " +
               FormatMoment(replay.Events.back().When));
      replay.Events.push_back(e);
      continue;
    }
    if (!replay.Events.empty()) r.Fail("'" + w + "' belongs before the first event");
    if (w == "lake") {
      h.Lake = r.Rest();
      // The lake is a file of the lakes folder, never a path elsewhere.
      if (h.Lake.empty() || h.Lake.find_first_of("/\\") != std::string::npos ||
          h.Lake.find("..") != std::string::npos)
        r.Fail("'" + h.Lake + "' is not a lake name");
      sawLake = true;
      continue;
    }
    if (w == "seed") {
      h.Seed = static_cast<uint32_t>(r.Integer(0, UINT32_MAX));
    } else if (w == "cash") {
      h.Cash = static_cast<int32_t>(r.Integer(kI32Min, kI32Max));
    } else if (w == "level") {
      h.PlayerLevel = static_cast<int32_t>(r.Integer(0, 255));
    } else if (w == "gear") {
      h.LureLevel = static_cast<int32_t>(r.Integer(1, 4));
      h.RodLevel = static_cast<int32_t>(r.Integer(1, 4));
      h.BoatLevel = static_cast<int32_t>(r.Integer(1, 3));
    } else if (w == "boat") {
      h.BoatSprite = r.Word();
    } else if (w == "options") {
      ParseOptions(r, h.Options);
    } else if (w == "view") {
      c.ViewX = static_cast<int32_t>(r.Integer(-kWorldLimit, kWorldLimit));
      c.ViewY = static_cast<int32_t>(r.Integer(-kWorldLimit, kWorldLimit));
    } else if (w == "cursor") {
      c.MouseX = static_cast<int32_t>(r.Integer(0, kScreenWidth - 1));
      c.MouseY = static_cast<int32_t>(r.Integer(0, kScreenHeight - 1));
    } else if (w == "held") {
      c.TurnLeftKey = Flag(r);
      c.TurnRightKey = Flag(r);
      c.AnyInput = Flag(r);
    } else if (w == "hooked") {
      c.Hooked = 1;
      c.HookedFish = static_cast<int32_t>(r.Integer(0, kFishSlots - 1));
    } else if (w == "wake") {
      WakeParticle& p = c.Wake[static_cast<size_t>(r.Integer(0, kWakeSlots - 1))];
      p.X = r.Position();
      p.Y = r.Position();
      p.Dir = static_cast<uint8_t>(r.Integer(0, 255));
      p.Life = static_cast<uint8_t>(r.Integer(0, 255));
    } else if (w == "ring") {
      Splash& s = c.Splashes[static_cast<size_t>(r.Integer(0, kSplashSlots - 1))];
      s.X = r.Position();
      s.Y = r.Position();
      s.Spare = static_cast<uint8_t>(r.Integer(0, 255));
      s.Life = static_cast<uint8_t>(r.Integer(0, 255));
    } else if (w == "ringnext") {
      c.SplashNext = static_cast<uint8_t>(r.Integer(0, kSplashSlots - 1));
    } else {
      r.Fail("'" + w + "' is not something a replay holds");
    }
    r.End();
  }
  if (!sawFirst)
    throw GameError("This is not a replay file: it must begin with \"" + std::string(kFirstLine) +
                    "\"");
  if (!sawLake) throw GameError("The replay names no lake");
  return replay;
}

Replay LoadReplay(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path, kMaxFileBytes);
  return ParseReplay(std::string(bytes.begin(), bytes.end()));
}

ReplayHeader CaptureHeader(const PlayContext& ctx) {
  const GameState& s = ctx.State;
  ReplayHeader h;
  h.Seed = ctx.Rng.Seed();
  h.Cash = s.Cash;
  h.PlayerLevel = s.PlayerLevel;
  h.LureLevel = s.LureLevel;
  h.RodLevel = s.RodLevel;
  h.BoatLevel = s.BoatLevel;
  h.BoatSprite = s.BoatSprite;
  h.Options = ctx.Options;
  h.Lake = ctx.LakeName;
  CarriedOver& c = h.Carry;
  c.ViewX = s.ViewX;
  c.ViewY = s.ViewY;
  c.MouseX = s.MouseX;
  c.MouseY = s.MouseY;
  c.TurnLeftKey = s.TurnLeftKey;
  c.TurnRightKey = s.TurnRightKey;
  c.AnyInput = s.AnyInput;
  c.Hooked = s.Hooked;
  c.HookedFish = s.Hooked ? s.HookedFish : 0;
  c.Wake = s.Wake;
  c.Splashes = s.Splashes;
  c.SplashNext = s.SplashNext;
  return h;
}

void ApplyHeader(const ReplayHeader& h, PlayContext& ctx) {
  GameState& s = ctx.State;
  ctx.Rng.SetSeed(h.Seed);
  s.Cash = h.Cash;
  s.PlayerLevel = h.PlayerLevel;
  s.LureLevel = h.LureLevel;
  s.RodLevel = h.RodLevel;
  s.BoatLevel = h.BoatLevel;
  s.BoatSprite = h.BoatSprite;
  ctx.Options = h.Options;
  ctx.LakeName = h.Lake;
  const CarriedOver& c = h.Carry;
  s.ViewX = c.ViewX;
  s.ViewY = c.ViewY;
  s.MouseX = c.MouseX;
  s.MouseY = c.MouseY;
  s.TurnLeftKey = c.TurnLeftKey;
  s.TurnRightKey = c.TurnRightKey;
  s.AnyInput = c.AnyInput;
  s.Hooked = c.Hooked;
  s.HookedFish = c.HookedFish;
  s.Wake = c.Wake;
  s.Splashes = c.Splashes;
  s.SplashNext = c.SplashNext;
}

}  // namespace tw
