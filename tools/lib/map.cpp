#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/files.h"
#include "lib/map_command.h"
#include "world/map_file.h"
#include "world/map_text.h"

namespace tw::lib {
namespace {

// Object texts are printed on one line: tabs, line breaks and other control
// characters are written as escapes.
std::string OneLine(const std::string& text) {
  std::string out;
  for (char ch : text) {
    const auto u = static_cast<unsigned char>(ch);
    if (ch == '\\') {
      out += "\\\\";
    } else if (ch == '\t') {
      out += "\\t";
    } else if (ch == '\n') {
      out += "\\n";
    } else if (ch == '\r') {
      out += "\\r";
    } else if (u < 0x20 || u == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", u);
      out += buf;
    } else {
      out += ch;
    }
  }
  return out;
}

}  // namespace

int Map(const Args& args) {
  auto grid = std::make_unique<MapGrid>();
  MapHeader header;
  MapObjects objects;
  if (args.size() == 2 && args[1] == "--text") {
    ReadMapFile(args[0], header, *grid, objects);
    const std::string text = MapText(header, *grid, objects);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (args.size() == 3 && args[0] == "--from-text") {
    const std::vector<uint8_t> bytes = ReadFileBytes(args[1], size_t{64} << 20);
    ParseMapText(std::string(bytes.begin(), bytes.end()), args[1], header, *grid, objects);
    const std::vector<uint8_t> out = EncodeMapFile(header, *grid, objects);
    WriteFileAtomic(args[2], std::string(out.begin(), out.end()));
    return 0;
  }
  if (args.size() != 1)
    throw GameError(
        "Usage: tarnwick-lib map FILE.iso [--text] | tarnwick-lib map --from-text FILE.txt "
        "OUT.iso");
  ReadMapFile(args[0], header, *grid, objects);
  int64_t water = 0;
  for (int32_t c = 0; c <= header.MapMaxCol; ++c) {
    for (int32_t r = 0; r <= header.MapMaxRow; ++r) water += IsWaterTile((*grid)[c][r].Tile);
  }
  std::printf("maxcol=%d\tmaxrow=%d\ttilewidth=%d\ttileheight=%d\twater=%lld\n", header.MapMaxCol,
              header.MapMaxRow, header.TileWidth, header.TileHeight, static_cast<long long>(water));
  for (int32_t i = 0; i < kMapObjectCount; ++i) {
    const MapObject& o = objects[i];
    if (o.Kind.empty()) continue;
    std::printf("%d\t%d\t%d\tactive=%d\tkind=%s\tparam=%s\ttext=%s\n", i, o.X, o.Y,
                o.Active ? 1 : 0, OneLine(o.Kind).c_str(), OneLine(o.Param).c_str(),
                OneLine(o.Text).c_str());
  }
  return 0;
}

}  // namespace tw::lib
