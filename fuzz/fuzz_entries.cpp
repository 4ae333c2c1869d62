// The entry points of the fuzz targets: each hands the bytes to the game's
// own reader and checks what must hold for whatever the reader accepts.
#include "fuzz_entries.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/error.h"
#include "core/ini.h"
#include "media/container.h"
#include "media/image_list.h"
#include "media/picture.h"
#include "media/wave.h"
#include "media/wave_list.h"
#include "world/lake_files.h"
#include "world/map_file.h"

namespace tw::fuzz {
namespace {

// A broken promise of a reader (a file it accepted that does not read back
// the same) is a finding like a crash: stop loudly so the input is kept.
void Require(bool holds) {
  if (!holds) std::abort();
}

template <typename F>
void Refusable(F&& read) {
  try {
    read();
  } catch (const GameError&) {
    // Damaged bytes refused in the game's own words: what we want.
  }
}

std::string AsText(std::span<const uint8_t> bytes) {
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// A private folder for the readers that only take a path; removed at exit.
class ScratchFolder {
 public:
  ScratchFolder() {
    // Memory-backed when the machine has it: a disk folder makes every
    // rewrite of the file wait for the disk.
    const std::filesystem::path shm = "/dev/shm";
    const auto base =
        std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    path_ = base / ("tarnwick-fuzz-" + std::to_string(static_cast<long>(getpid())));
    std::filesystem::create_directories(path_ / "lakes");
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string Write(const std::string& relative, std::span<const uint8_t> bytes) const {
    const std::string file = (path_ / relative).string();
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return file;
  }
  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

const ScratchFolder& Scratch() {
  static const ScratchFolder folder;
  return folder;
}

// Sprite and sound libraries share the container; every library file goes
// through the generic reader, then through both libraries as the game loads
// them. A sprite library also builds its frames as on a running display.
void RunContainer(std::span<const uint8_t> bytes) {
  Refusable([&] {
    const Container c = ReadContainer(bytes);
    // Whatever was read can be written and read again.
    const std::vector<uint8_t> again = WriteContainer(c);
    const Container back = ReadContainer(again);
    Require(back.Items.size() == c.Items.size() && back.Properties.size() == c.Properties.size());
  });
  Refusable([&] {
    TDXImageList sprites;
    sprites.LoadFromBytes(bytes);
    sprites.InitializeFrames(PixelFormat::RGB565);
    for (int32_t i = 0; i < sprites.Count(); ++i) {
      const auto& item = sprites.Items(i);
      Require(sprites.IndexOf(item.Name) >= 0);
    }
    sprites.FinalizeFrames();
  });
  Refusable([&] {
    TDXWaveList sounds;
    sounds.LoadFromBytes(bytes);
    for (int32_t i = 0; i < sounds.Count(); ++i)
      Require(sounds.Items(i).Wave().Samples.size() < bytes.size());
  });
}

// Bitmap files, packed bitmaps and library picture data. A picture that was
// read has the size it claims and survives being written as a bitmap file.
void CheckPicture(const Picture& p) {
  Require(p.Width > 0 && p.Height > 0 && p.Width <= kMaxPictureSide && p.Height <= kMaxPictureSide);
  Require(p.Pixels.size() == static_cast<size_t>(p.Width) * static_cast<size_t>(p.Height));
  if (p.Pixels.size() > (size_t{1} << 20)) return;  // keep the round trip quick
  const Picture back = DecodeBitmapFile(EncodeBitmapFile(p));
  Require(back.Width == p.Width && back.Height == p.Height);
  for (size_t i = 0; i < p.Pixels.size(); ++i) Require(back.Pixels[i] == (p.Pixels[i] & 0xFFFFFF));
}

void RunPicture(std::span<const uint8_t> bytes) {
  Refusable([&] { CheckPicture(DecodeBitmapFile(bytes)); });
  Refusable([&] { CheckPicture(DecodeDib(bytes)); });
  Refusable([&] { CheckPicture(DecodePictureData(bytes)); });
}

// RIFF waves: an accepted wave holds whole frames and reads back unchanged.
void RunWave(std::span<const uint8_t> bytes) {
  Refusable([&] {
    const WaveData w = DecodeWave(bytes);
    Require(w.Channels == 1 || w.Channels == 2);
    Require(w.BitsPerSample == 8 || w.BitsPerSample == 16);
    Require(w.Samples.size() <= bytes.size());
    const WaveData back = DecodeWave(EncodeWave(w));
    Require(back.Samples == w.Samples && back.Channels == w.Channels &&
            back.BitsPerSample == w.BitsPerSample && back.SamplesPerSec == w.SamplesPerSec);
  });
}

// The lake map, read into tables as large as the game's.
void RunMap(std::span<const uint8_t> bytes) {
  static auto* grid = new MapGrid();
  static auto* objects = new MapObjects();
  Refusable([&] {
    MapHeader header;
    int32_t columns = 0;
    ParseMapFile(bytes, "fuzz.iso", header, *grid, *objects, [&](int32_t) { ++columns; });
    Require(header.MapMaxCol >= 0 && header.MapMaxCol < kMapCols);
    Require(header.MapMaxRow >= 0 && header.MapMaxRow < kMapRows);
    Require(columns <= kMapCols);
    for (const MapObject& o : *objects) Require(o.Kind.size() <= size_t{kMapObjectKindChars});
  });
}

// Any text as a settings file: reading keys, writing one and reading it back.
void RunIni(std::span<const uint8_t> bytes) {
  const std::string text = AsText(bytes);
  Refusable([&] {
    IniFile ini = IniFile::Parse(text);
    for (const char* key : {"speed", "sound", "music", "Name", "Cash", "lake1", "MaxFish"}) {
      for (const char* section : {"Tarnwick", "Save Data", "Lakes", "Lake Data"}) {
        const std::string s = ini.ReadString(section, key, "");
        Require(s.size() <= 2047);
        ini.ReadInteger(section, key, 7);
        ini.ReadBool(section, key, false);
      }
    }
    ini.WriteInteger("Save Data", "Cash", 1234);
    ini.WriteString("Tarnwick", "speed", "2");
    const IniFile back = IniFile::Parse(ini.Text());
    Require(back.ReadInteger("Save Data", "Cash", 0) == 1234);
    Require(back.ReadString("Tarnwick", "speed", "") == "2");
  });
  // The first line as an integer, as a value would be parsed.
  const std::string line = text.substr(0, std::min(text.find('\n'), size_t{64}));
  if (const auto v = ParseIniInteger(line)) {
    Require(ParseIniInteger(std::to_string(*v)) == v);
  }
}

// A lake's definition and the catalogue, read from files as the menu does.
void RunLake(std::span<const uint8_t> bytes) {
  const std::string path = Scratch().Write("lakes/fuzz.ini", bytes);
  Scratch().Write("lakes/lakes.ini", bytes);
  Refusable([&] {
    const LakeDefinition d = ReadLakeDefinition(path);
    Require(d.MaxFish >= 0 && d.MaxFish <= kMaxSwimmers);
    Require(d.Maxmonster >= 0 && d.Maxmonster <= kMaxSwimmers);
    TimeLimitFrames(d);
    for (const std::string& name : ReadLakeCatalogue(Scratch().Path(), 255)) {
      Require(name != "NA" && name.find('/') == std::string::npos &&
              name.find("..") == std::string::npos);
    }
  });
}

// A saved game: the "Save Data" keys read through the settings reader with
// the player panel's defaults, levels below 1 read as the first and held in
// the gauges' ranges. (The whole panel, dialogs and lake list included,
// replays these files in the main window's fault tests.)
void RunSavegame(std::span<const uint8_t> bytes) {
  const std::string path = Scratch().Write("fuzz.sav", bytes);
  Refusable([&] {
    const IniFile ini = IniFile::Load(path);
    const std::string s = "Save Data";
    auto level = [&](const char* key, int32_t top) {
      return std::min(std::max(ini.ReadInteger(s, key, 1), 1), top);
    };
    const std::string name = ini.ReadString(s, "Name", "Player");
    const int32_t cash = ini.ReadInteger(s, "Cash", 10);
    const int32_t playerLevel = ini.ReadInteger(s, "Level", 1);
    const int32_t boat = level("Boat", 3), rod = level("Rod", 4), lures = level("Lures", 4);
    Require(name.size() <= 2047);
    // Saving what was loaded and loading it again gives the same player.
    IniFile out;
    out.WriteString(s, "Name", name);
    out.WriteInteger(s, "Cash", cash);
    out.WriteInteger(s, "Body", 0);
    out.WriteInteger(s, "Level", playerLevel);
    out.WriteInteger(s, "Boat", boat);
    out.WriteInteger(s, "Rod", rod);
    out.WriteInteger(s, "Lures", lures);
    const IniFile back = IniFile::Parse(out.Text());
    Require(back.ReadInteger(s, "Cash", 10) == cash);
    Require(back.ReadInteger(s, "Level", 1) == playerLevel);
    Require(back.ReadInteger(s, "Boat", 1) == boat && back.ReadInteger(s, "Lures", 1) == lures);
    Require(back.ReadString(s, "Name", "Player") == name);
  });
}

constexpr std::array<Target, 7> kTargets{{
    {"container", RunContainer},
    {"picture", RunPicture},
    {"wave", RunWave},
    {"map", RunMap},
    {"ini", RunIni},
    {"lake", RunLake},
    {"savegame", RunSavegame},
}};

}  // namespace

std::span<const Target> Targets() {
  return kTargets;
}

const Target* FindTarget(std::string_view name) {
  for (const Target& t : kTargets) {
    if (name == t.Name) return &t;
  }
  return nullptr;
}

}  // namespace tw::fuzz
