// A lake built in a test: all water of a chosen size, cells and objects set
// by hand, the boat put where the test wants it, and the lake written out as
// a program folder that goes when the test ends.
#pragma once
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/files.h"
#include "play/game_state.h"
#include "world/map_file.h"

namespace tw::test {

class TestLake {
 public:
  explicit TestLake(GameState& s) : lake_(s) {}
  ~TestLake() {
    for (const std::string& f : folders_) std::filesystem::remove_all(f);
  }
  TestLake(const TestLake&) = delete;
  TestLake& operator=(const TestLake&) = delete;

  // An all-water lake of (maxCol + 1) by (maxRow + 1) cells of tile `tile`,
  // without objects.
  void MakeLake(int32_t maxCol, int32_t maxRow, int32_t tile = 1, int32_t tileWidth = 64,
                int32_t tileHeight = 32) {
    lake_.Header = MapHeader{tileHeight, tileWidth, maxCol, maxRow};
    FillCells(0, 0, maxCol, maxRow, tile);
    for (MapObject& o : lake_.MapObjects) o = MapObject{};
  }
  void SetTile(int32_t col, int32_t row, int32_t tile) { lake_.Cell(col, row) = MapCell{tile, 0}; }
  void FillCells(int32_t c0, int32_t r0, int32_t c1, int32_t r1, int32_t tile) {
    for (int32_t c = c0; c <= c1; ++c)
      for (int32_t r = r0; r <= r1; ++r) SetTile(c, r, tile);
  }
  MapObject& PlaceObject(int32_t slot, const std::string& kind, int32_t col, int32_t row,
                         const std::string& param = "", const std::string& text = "",
                         uint8_t active = 1) {
    return lake_.MapObjects[slot] = MapObject{col, row, active, kind, param, text};
  }
  // The world point at the middle of a cell.
  static float CellCentreX(const GameState& s, int32_t col, int32_t row) {
    return static_cast<float>(col * s.TileWidth() + (row % 2) * (s.TileWidth() / 2) +
                              s.TileWidth() / 2);
  }
  static float CellCentreY(const GameState& s, int32_t row) {
    return static_cast<float>(row * (s.TileHeight() / 2) + s.TileHeight() / 2);
  }
  void PutBoat(float x, float y, uint8_t heading = 0) {
    lake_.BoatX = x;
    lake_.BoatY = y;
    lake_.BoatHeading = heading;
  }

  // A fresh program folder with the two libraries and the lake's map.
  std::string WriteFolder(const std::string& lake, const std::vector<uint8_t>& objects,
                          const std::vector<uint8_t>& tiles) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() /
        ("tarnwick-lake-" + std::to_string(::getpid()) + "-" + std::to_string(folders_.size()));
    fs::remove_all(dir);
    fs::create_directories(dir / "lakes");
    folders_.push_back(dir.string());
    WriteFile((dir / "objects.dxg").string(), objects);
    WriteFile((dir / "canada.dxg").string(), tiles);
    WriteFile((dir / "lakes" / (lake + ".iso")).string(),
              EncodeMapFile(lake_.Header, *lake_.Map, lake_.MapObjects));
    return dir.string();
  }
  static void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    WriteFileAtomic(path, std::string(bytes.begin(), bytes.end()));
  }

 private:
  GameState& lake_;
  std::vector<std::string> folders_;
};

}  // namespace tw::test
