// Writes the fuzzers' starting files into fuzz/corpus/: small libraries,
// pictures and waves cut from the generated game data, plus hand-made
// pictures of every depth and layout the picture reader knows, a tiny map,
// settings files and a saved game. Run once after the data generator:
//   tarnwick-fuzz-seeds PROGRAM_FOLDER fuzz/corpus
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/error.h"
#include "media/container.h"
#include "media/picture.h"
#include "media/wave.h"
#include "world/map_file.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

fs::path gOut;

void Save(const std::string& target, const std::string& name, const Bytes& bytes) {
  fs::create_directories(gOut / target);
  std::ofstream(gOut / target / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}
void SaveText(const std::string& target, const std::string& name, const std::string& text) {
  Save(target, name, Bytes(text.begin(), text.end()));
}
Bytes Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void Put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// A packed bitmap of `bits` per pixel, `w` by `h`, with a grey palette for
// the paletted depths and 5-6-5 masks for 16 bits.
Bytes MakeDib(int32_t w, int32_t h, uint16_t bits, bool topDown, bool masks) {
  Bytes b;
  Put32(b, 40);
  Put32(b, static_cast<uint32_t>(w));
  Put32(b, static_cast<uint32_t>(topDown ? -h : h));
  Put16(b, 1);
  Put16(b, bits);
  Put32(b, masks ? 3 : 0);
  const uint32_t stride = ((static_cast<uint32_t>(w) * bits + 31) / 32) * 4;
  Put32(b, stride * static_cast<uint32_t>(h));
  Put32(b, 2835);
  Put32(b, 2835);
  const uint32_t colours = bits <= 8 ? (1u << bits) : 0;
  Put32(b, colours);
  Put32(b, 0);
  if (masks) {
    Put32(b, bits == 16 ? 0xF800 : 0xFF0000);
    Put32(b, bits == 16 ? 0x07E0 : 0x00FF00);
    Put32(b, bits == 16 ? 0x001F : 0x0000FF);
  }
  for (uint32_t i = 0; i < colours; ++i) {
    const uint8_t g = static_cast<uint8_t>(i * 255 / (colours - 1));
    b.insert(b.end(), {g, static_cast<uint8_t>(255 - g), g, 0});
  }
  for (uint32_t i = 0; i < stride * static_cast<uint32_t>(h); ++i) {
    b.push_back(static_cast<uint8_t>(i * 37 + 11));
  }
  return b;
}

Bytes AsBitmapFile(const Bytes& dib) {
  Bytes b{'B', 'M'};
  uint32_t colours = 0;
  const uint16_t bits = static_cast<uint16_t>(dib[14] | (dib[15] << 8));
  if (bits <= 8) colours = 1u << bits;
  const uint32_t masks = dib[16] == 3 ? 12 : 0;
  Put32(b, static_cast<uint32_t>(14 + dib.size()));
  Put32(b, 0);
  Put32(b, 14 + 40 + masks + colours * 4);
  b.insert(b.end(), dib.begin(), dib.end());
  return b;
}

void HandMadePictures() {
  struct Shape {
    uint16_t bits;
    bool topDown, masks;
  };
  for (const Shape s : {Shape{1, false, false}, Shape{4, false, false}, Shape{8, true, false},
                        Shape{16, false, true}, Shape{16, false, false}, Shape{24, true, false},
                        Shape{32, false, true}, Shape{32, false, false}}) {
    const Bytes dib = MakeDib(5, 3, s.bits, s.topDown, s.masks);
    const std::string name =
        std::to_string(s.bits) + (s.topDown ? "-topdown" : "") + (s.masks ? "-masks" : "");
    Save("picture", "dib-" + name, dib);
    Save("picture", "bmp-" + name + ".bmp", AsBitmapFile(dib));
  }
  // Library picture data in both kinds.
  Bytes tdib{4, 'T', 'D', 'I', 'B'};
  const Bytes dib = MakeDib(4, 4, 8, false, false);
  tdib.insert(tdib.end(), dib.begin(), dib.end());
  Save("picture", "data-tdib", tdib);
  const Bytes file = AsBitmapFile(MakeDib(3, 2, 24, false, false));
  Bytes tbitmap{7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
  Put32(tbitmap, static_cast<uint32_t>(file.size()));
  tbitmap.insert(tbitmap.end(), file.begin(), file.end());
  Save("picture", "data-tbitmap", tbitmap);
}

void HandMadeWaves() {
  Save("wave", "mono8.wav", tw::EncodeWave(tw::MakePcmWave(1, 11025, 8, Bytes(40, 0x80))));
  Save("wave", "stereo16.wav", tw::EncodeWave(tw::MakePcmWave(2, 22050, 16, Bytes(64, 0x12))));
  // A chunk the reader skips before the format.
  Bytes w = tw::EncodeWave(tw::MakePcmWave(1, 8000, 16, Bytes(20, 3)));
  const Bytes extra{'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};
  w.insert(w.begin() + 12, extra.begin(), extra.end());
  Save("wave", "skipped-chunk.wav", w);
}

void HandMadeMap() {
  auto grid = std::make_unique<tw::MapGrid>();
  tw::MapObjects objects;
  tw::MapHeader header{32, 64, 3, 5};
  for (int c = 0; c <= 3; ++c) {
    for (int r = 0; r <= 5; ++r) (*grid)[c][r].Tile = (c + r) % 5 - 1;
  }
  objects[0] = {1, 2, 1, "BoatStart", "", ""};
  objects[1] = {2, 3, 1, "sign", "0", "Welcome to the lake"};
  Save("map", "tiny.iso", tw::EncodeMapFile(header, *grid, objects));
}

void HandMadeTexts() {
  const std::string settings = "[Tarnwick]\nspeed=1\nsound=1\nmusic=0\nvsync=$1\nfullscreen=0x1\n";
  SaveText("ini", "settings.ini", settings);
  SaveText("ini", "odd.ini", "; note\r\n[ Save Data ]\r\nName =  Ann  \r\nCash=-0x10\n=x\n[\nk\n");
  SaveText("lake", "lakes.ini",
           "[Lakes]\nlake1=Minnow_Pond\nlake2=NA\nlake3=../up\nlake255=Last\n");
  SaveText("lake", "hand.ini",
           "[Lake Data]\nDescription=Small pond\nMaxFish=300\nMaxmonster=-4\nTimed=1\n"
           "Time=$7FFFFFFF\nImageLib=bayou.dxg\nEntryFee=25\nLimit=0\n");
  SaveText("savegame", "player.sav",
           "[Save Data]\nName=Player\nCash=50\nBody=0\nLevel=2\nBoat=1\nRod=1\nLures=1\n");
  SaveText("savegame", "wild.sav",
           "[other]\nx=1\n[SAVE DATA]\nname=  Ann \ncash=$FFFFFFFF\nBody=7\nLevel=255\nBoat=9\n"
           "Rod=-1\nLures=0x4\n");
}

// The two smallest items of a generated library, each picture or wave also
// kept on its own for the picture and wave readers.
void CutLibrary(const fs::path& file) {
  tw::Container c = tw::ReadContainer(Slurp(file));
  const bool sounds = c.ClassName.find("Wave") != std::string::npos;
  auto binary = [](tw::ContainerItem& item) -> tw::ContainerValue* {
    for (auto& p : item) {
      if (p.Value.Type == tw::ValueType::Binary) return &p.Value;
    }
    return nullptr;
  };
  auto weight = [&](tw::ContainerItem& item) {
    const auto* v = binary(item);
    return v ? v->Bytes.size() : size_t{0};
  };
  std::sort(c.Items.begin(), c.Items.end(),
            [&](auto& a, auto& b) { return weight(a) < weight(b); });
  if (c.Items.size() > 2) c.Items.resize(2);
  for (size_t i = 0; i < c.Items.size(); ++i) {
    tw::ContainerValue* v = binary(c.Items[i]);
    if (!v) continue;
    if (sounds) {
      // Only the first few hundred samples: the fuzzer works on small files.
      tw::WaveData w = tw::DecodeWave(v->Bytes);
      const size_t keep = std::min<size_t>(w.Samples.size(), 256u * w.BlockAlign);
      w.Samples.resize(keep);
      v->Bytes = tw::EncodeWave(w);
      Save("wave", file.stem().string() + "-" + std::to_string(i) + ".wav", v->Bytes);
    } else if (v->Bytes.size() < 16384) {
      Save("picture", file.stem().string() + "-" + std::to_string(i), v->Bytes);
    }
  }
  for (auto& p : c.Properties) {
    if (p.Value.Type == tw::ValueType::Collection) p.Value.Items = c.Items;
  }
  Save("container", file.filename().string(), tw::WriteContainer(c));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s PROGRAM_FOLDER CORPUS_FOLDER\n", argv[0]);
    return 2;
  }
  const fs::path data = argv[1];
  gOut = argv[2];
  try {
    HandMadePictures();
    HandMadeWaves();
    HandMadeMap();
    HandMadeTexts();
    for (const char* lib : {"objects.dxg", "canada.dxg", "sound.dxw", "music.dxw"}) {
      if (fs::exists(data / lib)) CutLibrary(data / lib);
    }
    for (const char* lake : {"Minnow_Pond", "Thunder_Canyon"}) {
      const fs::path ini = data / "lakes" / (std::string(lake) + ".ini");
      if (fs::exists(ini)) {
        Save("lake", ini.filename().string(), Slurp(ini));
        Save("ini", ini.filename().string(), Slurp(ini));
      }
    }
    if (fs::exists(data / "lakes/lakes.ini"))
      Save("ini", "lakes.ini", Slurp(data / "lakes/lakes.ini"));
  } catch (const tw::GameError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
