// pack MANIFEST OUT: builds a sprite or sound library from pictures or waves
// named in a text manifest, so lake makers can make libraries of their own.
//
//   # comments start with '#'
//   library sprite            (or: library sound)
//   item boat1                (a new item; its settings follow)
//   picture boat1.bmp         (sprites: a Windows bitmap)
//   pattern 72 52             (frame width and height; 0 0 = the whole picture)
//   skip 0 0                  (gaps between frames)
//   transparent 1             (1 or 0)
//   color 0                   (the transparent colour: $BBGGRR, 0x..., decimal or clFuchsia)
//   systemmemory 0
//   item splash
//   wave splash.wav           (sounds: a PCM RIFF WAVE file)
//   looped 0
//   maxplaying 4
//
// File names are relative to the manifest's folder. Every picture and wave
// is read through the game's own readers first, so a library that packs is
// one the game can load.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>

#include "core/error.h"
#include "core/files.h"
#include "core/ini.h"
#include "lib/commands.h"
#include "media/container.h"
#include "media/library_writer.h"
#include "media/picture.h"
#include "media/wave.h"

namespace tw::lib {
namespace {

struct PackItem {
  std::string name;
  std::string file;  // picture or wave
  int32_t line = 0;  // where the item starts, for messages
  std::vector<ContainerProperty> settings;
};

// Raises errors that say where in the manifest they are.
class ManifestError {
 public:
  ManifestError(std::string manifest, int32_t line) : manifest_(std::move(manifest)), line_(line) {}
  [[noreturn]] void Fail(const std::string& what) const {
    throw GameError(manifest_ + " line " + std::to_string(line_) + ": " + what);
  }

 private:
  std::string manifest_;
  int32_t line_;
};

int32_t Number(const ManifestError& at, const std::string& word) {
  std::optional<int32_t> v = ParseIniInteger(word);
  if (!v) at.Fail("'" + word + "' is not a number");
  return *v;
}

bool Flag(const ManifestError& at, const std::string& word) {
  if (word == "1") return true;
  if (word == "0") return false;
  at.Fail("'" + word + "' must be 1 or 0");
}

}  // namespace

std::vector<uint8_t> PackManifest(const std::string& text, const std::string& folder,
                                  const std::string& manifestName) {
  std::istringstream in(text);
  std::string raw;
  int32_t lineNo = 0;
  std::optional<bool> sound;  // unset until the "library" line
  std::vector<PackItem> items;
  while (std::getline(in, raw)) {
    ++lineNo;
    const ManifestError at(manifestName, lineNo);
    if (auto hash = raw.find('#'); hash != std::string::npos) raw.erase(hash);
    std::istringstream words(raw);
    std::string key;
    if (!(words >> key)) continue;
    std::vector<std::string> rest;
    for (std::string w; words >> w;) rest.push_back(w);
    auto want = [&](size_t n) {
      if (rest.size() != n)
        at.Fail("'" + key + "' takes " + std::to_string(n) + (n == 1 ? " value" : " values"));
    };
    if (key == "library") {
      want(1);
      if (sound) at.Fail("the library kind is given twice");
      if (rest[0] != "sprite" && rest[0] != "sound") at.Fail("the library is 'sprite' or 'sound'");
      sound = rest[0] == "sound";
      continue;
    }
    if (!sound) at.Fail("the manifest must start with 'library sprite' or 'library sound'");
    if (key == "item") {
      // The name is the rest of the line, so it may hold spaces.
      const size_t start = raw.find("item") + 4;
      std::string name = raw.substr(start);
      name.erase(0, name.find_first_not_of(" \t"));
      name.erase(name.find_last_not_of(" \t\r") + 1);
      if (name.empty()) at.Fail("an item needs a name");
      items.push_back({name, "", lineNo, {}});
      continue;
    }
    if (items.empty()) at.Fail("'" + key + "' comes before the first item");
    PackItem& item = items.back();
    auto set = [&](const std::string& prop, ContainerValue v) {
      item.settings.push_back({prop, std::move(v)});
    };
    if (*sound) {
      if (key == "wave") {
        want(1);
        item.file = rest[0];
      } else if (key == "looped") {
        want(1);
        set("Looped", BoolValue(Flag(at, rest[0])));
      } else if (key == "maxplaying") {
        want(1);
        const int32_t n = Number(at, rest[0]);
        if (n < 0) at.Fail("maxplaying cannot be below 0");
        set("MaxPlayingCount", IntegerValue(n));
      } else {
        at.Fail("unknown setting '" + key + "' for a sound");
      }
      continue;
    }
    if (key == "picture") {
      want(1);
      item.file = rest[0];
    } else if (key == "pattern" || key == "skip") {
      want(2);
      const int32_t w = Number(at, rest[0]), h = Number(at, rest[1]);
      if (w < 0 || h < 0) at.Fail("sizes cannot be below 0");
      set(key == "pattern" ? "PatternWidth" : "SkipWidth", IntegerValue(w));
      set(key == "pattern" ? "PatternHeight" : "SkipHeight", IntegerValue(h));
    } else if (key == "transparent") {
      want(1);
      set("Transparent", BoolValue(Flag(at, rest[0])));
    } else if (key == "systemmemory") {
      want(1);
      set("SystemMemory", BoolValue(Flag(at, rest[0])));
    } else if (key == "color") {
      want(1);
      std::optional<uint32_t> c = IdentToColor(rest[0]);
      if (!c) {
        const int32_t v = Number(at, rest[0]);
        if (v < 0 || v > 0xFFFFFF) at.Fail("a colour is $BBGGRR, from 0 to $FFFFFF");
        c = static_cast<uint32_t>(v);
      }
      set("TransparentColor", IntegerValue(static_cast<int32_t>(*c)));
    } else {
      at.Fail("unknown setting '" + key + "' for a picture");
    }
  }
  if (!sound) throw GameError(manifestName + ": the manifest names no library");

  std::vector<ContainerItem> list;
  for (PackItem& item : items) {
    const ManifestError at(manifestName, item.line);
    if (item.file.empty())
      at.Fail("item '" + item.name + (*sound ? "' has no wave" : "' has no picture"));
    const std::string path = JoinPath(folder, item.file);
    std::vector<uint8_t> bytes = ReadFileBytes(path, size_t{256} << 20);
    ContainerItem props;
    props.push_back({"Name", TextValue(item.name)});
    int32_t width = 0, height = 0;
    try {
      if (*sound) {
        DecodeWave(bytes);
      } else {
        const tw::Picture pic = DecodeBitmapFile(bytes);
        width = pic.Width;
        height = pic.Height;
      }
    } catch (const GameError& e) {
      at.Fail(item.file + ": " + e.what());
    }
    for (const ContainerProperty& p : item.settings)
      if ((p.Name == "PatternWidth" && p.Value.Integer > width) ||
          (p.Name == "PatternHeight" && p.Value.Integer > height))
        at.Fail("the frames of '" + item.name + "' are larger than its picture");
    props.insert(props.end(), item.settings.begin(), item.settings.end());
    if (*sound)
      props.push_back({"Wave.WAVE", BinaryValue(std::move(bytes))});
    else
      props.push_back({"Picture.Data", PictureData(bytes)});
    list.push_back(std::move(props));
  }
  return WriteContainer(*sound ? SoundLibraryContainer(std::move(list))
                               : SpriteLibraryContainer(std::move(list)));
}

int Pack(const Args& args) {
  if (args.size() != 2) throw GameError("Usage: tarnwick-lib pack MANIFEST OUT");
  const std::vector<uint8_t> text = ReadFileBytes(args[0], size_t{4} << 20);
  const std::string folder = std::filesystem::path(args[0]).parent_path().string();
  const std::vector<uint8_t> lib =
      PackManifest(std::string(text.begin(), text.end()), folder.empty() ? "." : folder, args[0]);
  WriteFileAtomic(args[1], std::string(lib.begin(), lib.end()));
  std::printf("%s: %zu bytes\n", args[1].c_str(), lib.size());
  return 0;
}

}  // namespace tw::lib
