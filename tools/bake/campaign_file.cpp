// Reading the campaign file: one block per lake, "[NAME]" and then
// "Field = value" lines; a line that starts with a blank carries a text on,
// and a line whose first mark is "#" is a comment. docs/DATA.md describes
// every field for lake makers.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <limits>
#include <optional>
#include <set>

#include "bake/lake_campaign.h"
#include "core/error.h"
#include "core/files.h"

namespace tw::bake {
namespace {

constexpr int32_t kMaxWhole = std::numeric_limits<int32_t>::max();
constexpr int32_t kMinWhole = std::numeric_limits<int32_t>::min();

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t") + 1 - a);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Where the reader is, for errors that point at the line and name the field.
struct Place {
  const std::string& file;
  int line = 0;
  std::string field;
  [[noreturn]] void Fail(const std::string& what) const {
    throw GameError(file + ":" + std::to_string(line) + ": " + what);
  }
};

int64_t Whole(const Place& at, const std::string& text, int64_t low, int64_t high) {
  int64_t v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size())
    at.Fail(at.field + ": '" + text + "' is not a whole number");
  if (v < low || v > high)
    at.Fail(at.field + " must lie between " + std::to_string(low) + " and " + std::to_string(high));
  return v;
}

double Share(const Place& at, const std::string& text) {
  double v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size())
    at.Fail(at.field + ": '" + text + "' is not a number");
  if (!(v >= 0 && v <= 1)) at.Fail(at.field + " must lie between 0 and 1");
  return v;
}

std::vector<int32_t> Wholes(const Place& at, const std::string& text) {
  std::vector<int32_t> out;
  size_t i = 0;
  while ((i = text.find_first_not_of(" \t", i)) != std::string::npos) {
    const size_t end = std::min(text.find_first_of(" \t", i), text.size());
    out.push_back(static_cast<int32_t>(Whole(at, text.substr(i, end - i), 0, kMaxWhole)));
    i = end;
  }
  return out;
}

// What one field does to its lake. Texts may carry on over further lines;
// lists may be left empty; every other field needs its value. Only signs
// and people come more than once.
struct Field {
  const char* name;
  enum Kind { Single, Text, List, Repeated } kind;
  std::function<void(const Place&, LakeSpec&, const std::string&)> set;
  bool Carries() const { return kind == Text || kind == Repeated; }
};

std::vector<Field> MakeFields() {
  using F = Field;
  auto whole = [](int32_t LakeDefinition::*member, int64_t low, int64_t high) {
    return [=](const Place& at, LakeSpec& l, const std::string& v) {
      l.rules.*member = static_cast<int32_t>(Whole(at, v, low, high));
    };
  };
  auto plan = [](int32_t MapPlan::*member, int64_t low, int64_t high) {
    return [=](const Place& at, LakeSpec& l, const std::string& v) {
      l.map.*member = static_cast<int32_t>(Whole(at, v, low, high));
    };
  };
  return {
      // The lake definition file's fields, under the same names.
      F{"Description", F::Text,
        [](const Place&, LakeSpec& l, const std::string& v) { l.rules.Description = v; }},
      F{"MaxFish", F::Single, whole(&LakeDefinition::MaxFish, 0, kMaxSwimmers)},
      F{"Maxmonster", F::Single, whole(&LakeDefinition::Maxmonster, 0, kMaxSwimmers)},
      F{"MonsterKind", F::Single,
        [](const Place&, LakeSpec& l, const std::string& v) { l.rules.MonsterKind = v; }},
      F{"Biggest", F::Single, whole(&LakeDefinition::Biggest, kMinWhole, kMaxWhole)},
      F{"Difficulty", F::Single, whole(&LakeDefinition::Difficulty, kMinWhole, kMaxWhole)},
      F{"Timed", F::Single,
        [](const Place& at, LakeSpec& l, const std::string& v) {
          l.rules.Timed = Whole(at, v, 0, 1) == 1;
        }},
      F{"Time", F::Single, whole(&LakeDefinition::Time, 0, kMaxWhole)},
      F{"ImageLib", F::Single,
        [](const Place&, LakeSpec& l, const std::string& v) { l.rules.ImageLib = v; }},
      F{"EntryFee", F::Single, whole(&LakeDefinition::EntryFee, 0, kMaxWhole)},
      F{"PrizeMoney", F::Single, whole(&LakeDefinition::PrizeMoney, 0, kMaxWhole)},
      F{"Limit", F::Single, whole(&LakeDefinition::Limit, 1, kMaxWhole)},
      F{"WinIf", F::Single, whole(&LakeDefinition::WinIf, kMinWhole, kMaxWhole)},
      F{"Level", F::Single, whole(&LakeDefinition::Level, kMinWhole, kMaxWhole)},
      // The map's plan.
      F{"Style", F::Single,
        [](const Place& at, LakeSpec& l, const std::string& v) {
          const std::string s = Lower(v);
          if (s == "canada") {
            l.map.style = LakeStyle::Canada;
          } else if (s == "bayou") {
            l.map.style = LakeStyle::Bayou;
          } else if (s == "canyon") {
            l.map.style = LakeStyle::Canyon;
          } else {
            at.Fail("Style must be Canada, Bayou or Canyon, not '" + v + "'");
          }
        }},
      F{"Seed", F::Single,
        [](const Place& at, LakeSpec& l, const std::string& v) {
          l.map.seed = static_cast<uint32_t>(Whole(at, v, 0, UINT32_MAX));
        }},
      F{"MaxCol", F::Single, plan(&MapPlan::maxCol, 1, kMaxWhole)},
      F{"MaxRow", F::Single, plan(&MapPlan::maxRow, 1, kMaxWhole)},
      F{"Water", F::Single,
        [](const Place& at, LakeSpec& l, const std::string& v) { l.map.water = Share(at, v); }},
      F{"Islands", F::Single,
        [](const Place& at, LakeSpec& l, const std::string& v) { l.map.islands = Share(at, v); }},
      F{"SingleFish", F::Single, plan(&MapPlan::singleFish, 0, kMaxSwimmers)},
      F{"FixedMonsters", F::Single, plan(&MapPlan::fixedMonsters, 0, kMaxSwimmers)},
      F{"Treasures", F::List,
        [](const Place& at, LakeSpec& l, const std::string& v) {
          l.map.treasures = Wholes(at, v);
        }},
      F{"MoreTime", F::List,
        [](const Place& at, LakeSpec& l, const std::string& v) { l.map.moreTime = Wholes(at, v); }},
      // Texts, one field per sign or person, in the order they are placed.
      F{"Sign", F::Repeated,
        [](const Place&, LakeSpec& l, const std::string& v) { l.map.signs.push_back(v); }},
      F{"Person", F::Repeated,
        [](const Place&, LakeSpec& l, const std::string& v) { l.map.people.push_back(v); }},
  };
}

// One lake block as it is read: the fields seen, and the text field that a
// following indented line carries on.
struct Block {
  LakeSpec lake;
  std::set<std::string> seen;
  int moreTimeLine = 0;
};

void Finish(Block& b, const Place& at) {
  LakeDefinition& d = b.lake.rules;
  // Unless the file says otherwise, a clock makes a lake timed and the
  // style names the tile library.
  if (!b.seen.count("timed")) d.Timed = d.Time > 0;
  if (!b.seen.count("imagelib")) d.ImageLib = LibraryOfStyle(b.lake.map.style);
  if (!d.Timed && !b.lake.map.moreTime.empty()) {
    Place there{at.file, b.moreTimeLine, "MoreTime"};
    there.Fail("MoreTime needs a timed lake (Time above 0)");
  }
  b.lake.map.maxFish = d.MaxFish;
}

}  // namespace

std::vector<LakeSpec> ParseCampaign(const std::string& text, const std::string& fileName) {
  static const std::vector<Field> fields = MakeFields();
  std::vector<LakeSpec> lakes;
  std::set<std::string> names;
  std::optional<Block> block;
  Place at{fileName, 0, ""};
  // The text field an indented line carries on, and the value so far.
  const Field* open = nullptr;
  std::string value;
  int valueLine = 0;
  auto closeValue = [&] {
    if (!open) return;
    Place there{fileName, valueLine, open->name};
    open->set(there, block->lake, value);
    open = nullptr;
  };
  auto closeBlock = [&] {
    closeValue();
    if (!block) return;
    Finish(*block, at);
    lakes.push_back(std::move(block->lake));
    block.reset();
  };

  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    ++at.line;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;

    if (line[0] == ' ' || line[0] == '\t') {
      if (!open) at.Fail("only a text (Description, Sign, Person) carries on over lines");
      value += " " + trimmed;
      continue;
    }
    closeValue();

    if (trimmed[0] == '[') {
      closeBlock();
      if (trimmed.back() != ']') at.Fail("a lake's block starts with [NAME]");
      const std::string name = Trim(trimmed.substr(1, trimmed.size() - 2));
      if (name.empty()) at.Fail("the lake has no name");
      if (name.find_first_of("/\\:") != std::string::npos || name.find("..") != std::string::npos)
        at.Fail("a lake's name is a file name: no '/', '\\', ':' or '..'");
      if (!names.insert(Lower(name)).second) at.Fail("the lake " + name + " comes twice");
      block.emplace();
      block->lake.name = name;
      continue;
    }

    const size_t eq = line.find('=');
    if (eq == std::string::npos) at.Fail("expected FIELD = VALUE");
    const std::string key = Trim(line.substr(0, eq));
    const std::string v = Trim(line.substr(eq + 1));
    if (!block) at.Fail(key + " comes before the first lake's [NAME]");
    const auto field = std::find_if(fields.begin(), fields.end(),
                                    [&](const Field& f) { return Lower(f.name) == Lower(key); });
    if (field == fields.end()) at.Fail("there is no field " + key);
    if (field->kind != Field::Repeated && !block->seen.insert(Lower(field->name)).second)
      at.Fail(key + " is given twice");
    if (v.empty() && field->kind != Field::List) at.Fail(key + " has no value");
    if (field->Carries()) {
      open = &*field;
      value = v;
      valueLine = at.line;
      continue;
    }
    if (Lower(field->name) == "moretime") block->moreTimeLine = at.line;
    at.field = field->name;
    field->set(at, block->lake, v);
  }
  closeBlock();
  if (lakes.empty()) throw GameError(fileName + ": there is no lake in the campaign");
  return lakes;
}

std::vector<LakeSpec> ReadCampaign(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  return ParseCampaign(std::string(bytes.begin(), bytes.end()), path);
}

}  // namespace tw::bake
