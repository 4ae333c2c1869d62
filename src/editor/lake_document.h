// The lake being edited: its name, its rules (the definition file), its map
// (header, tiles, the 65 object slots) and where it is saved. Opening reads
// the files the game reads; saving writes the map, the definition, the
// 200 by 198 preview and the catalogue line, each file replaced whole.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/picture.h"
#include "play/game_state.h"
#include "world/lake_files.h"

namespace tw {

// The largest map the file format holds, and the smallest the editor makes.
inline constexpr int32_t kMaxEditColumns = kMapCols, kMaxEditRows = kMapRows;
inline constexpr int32_t kMinEditColumns = 12, kMinEditRows = 24;
// The tile size of every generated library.
inline constexpr int32_t kEditTileWidth = 64, kEditTileHeight = 32;

// Why a lake name cannot be used ("" when it can): it names four files and a
// catalogue entry, so it must be a plain file name.
std::string LakeNameFault(const std::string& name);

class LakeDocument {
 public:
  LakeDocument();

  // A new lake: open water inside a border of land two cells wide, its shore
  // and depths dressed as the shore brush dresses them, the boat's start in
  // the middle, the rules' defaults with `imageLib`. Raises a GameError for
  // a bad name or a size outside the editor's range.
  static LakeDocument NewLake(const std::string& name, int32_t columns, int32_t rows,
                              const std::string& imageLib);
  // Reads the definition and the map of `name` as the game finds them (the
  // player's copy first). A missing map or a damaged one raises the map
  // reader's error; a missing definition gives the defaults.
  static LakeDocument Open(const LakeFolders& folders, const std::string& name);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  LakeDefinition& Rules() { return rules_; }
  const LakeDefinition& Rules() const { return rules_; }
  // The map lives in a game record, so it is drawn by the game's own map
  // drawing; only the header, the map and the objects are the document's.
  GameState& State() { return *state_; }
  const GameState& State() const { return *state_; }
  const MapHeader& Header() const { return state_->Header; }
  int32_t Columns() const { return state_->MapMaxCol() + 1; }
  int32_t Rows() const { return state_->MapMaxRow() + 1; }
  bool Inside(int32_t c, int32_t r) const {
    return c >= 0 && r >= 0 && c < Columns() && r < Rows();
  }
  int32_t Tile(int32_t c, int32_t r) const { return state_->Cell(c, r).Tile; }
  void SetTile(int32_t c, int32_t r, int32_t tile);
  MapObjects& Objects() { return state_->MapObjects; }
  const MapObjects& Objects() const { return state_->MapObjects; }

  // The files as they would be saved.
  std::vector<uint8_t> MapBytes() const;
  std::string DefinitionText() const;
  std::vector<uint8_t> PreviewBytes() const;
  // The lake seen from above, as the preview draws it, at any size.
  Picture Preview(int32_t width, int32_t height, int32_t samples = 3) const;

  // Writes NAME.iso, NAME.ini and NAME.bmp into `folder` (made when missing)
  // and lists the lake in its lakes.ini when it is not listed yet. Every
  // file is replaced whole or not at all. Raises "Unable to write to PATH".
  void Save(const std::string& folder) const;

 private:
  std::string name_;
  LakeDefinition rules_;
  std::unique_ptr<GameState> state_;
};

// Lists `lake` in FOLDER/lakes.ini unless a slot already names it: in the
// first slot after the last one used. A folder without a catalogue lists
// every map in it; the new catalogue keeps them all listed, in that order.
void AddToCatalogue(const std::string& folder, const std::string& lake);

// The tile libraries a lake may use: the sprite libraries of the data folder
// other than the game's own "objects.dxg", the generated ones first.
std::vector<std::string> TileLibraries(const std::string& dataFolder);

}  // namespace tw
