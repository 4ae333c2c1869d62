#include "editor/lake_document.h"

#include <algorithm>
#include <filesystem>

#include "core/error.h"
#include "core/files.h"
#include "core/ini.h"
#include "core/paths.h"
#include "editor/brushes.h"
#include "media/picture.h"
#include "world/lake_preview.h"
#include "world/map_file.h"
#include "world/shore_rule.h"

namespace tw {

namespace fs = std::filesystem;

std::string LakeNameFault(const std::string& name) {
  if (name.empty()) return "A lake needs a name";
  if (name.size() > 64) return "A lake's name has at most 64 letters";
  if (name == "NA") return "\"NA\" marks an empty slot of the catalogue; choose another name";
  if (name.front() == ' ' || name.back() == ' ' || name.front() == '.')
    return "A lake's name cannot start or end with a blank or start with a dot";
  for (char ch : name) {
    const auto u = static_cast<unsigned char>(ch);
    if (u < 32 || u == 127 || ch == '/' || ch == '\\' || ch == ':' || ch == '=' || ch == '[' ||
        ch == ']' || ch == ';' || ch == '"' || ch == '*' || ch == '?' || ch == '<' || ch == '>' ||
        ch == '|')
      return std::string("A lake's name cannot hold '") + ch + "'";
  }
  return {};
}

LakeDocument::LakeDocument() : state_(std::make_unique<GameState>()) {}

void LakeDocument::SetTile(int32_t c, int32_t r, int32_t tile) {
  if (Inside(c, r)) state_->Cell(c, r) = MapCell{tile, 0};
}

LakeDocument LakeDocument::NewLake(const std::string& name, int32_t columns, int32_t rows,
                                   const std::string& imageLib) {
  if (const std::string fault = LakeNameFault(name); !fault.empty()) throw GameError(fault);
  if (columns < kMinEditColumns || columns > kMaxEditColumns || rows < kMinEditRows ||
      rows > kMaxEditRows)
    throw GameError("A lake is " + std::to_string(kMinEditColumns) + " to " +
                    std::to_string(kMaxEditColumns) + " columns and " +
                    std::to_string(kMinEditRows) + " to " + std::to_string(kMaxEditRows) + " rows");
  LakeDocument doc;
  doc.name_ = name;
  doc.rules_.ImageLib = imageLib;
  GameState& s = *doc.state_;
  s.Header = MapHeader{kEditTileHeight, kEditTileWidth, columns - 1, rows - 1};
  // Rows lie half a tile apart, so a border two cells wide is four rows deep.
  for (int32_t c = 0; c < columns; ++c) {
    for (int32_t r = 0; r < rows; ++r) {
      const bool land = c < 2 || r < 4 || c >= columns - 2 || r >= rows - 4;
      s.Cell(c, r) = MapCell{land ? kPlainGroundTile : 0, 0};
    }
  }
  DressArea(doc, 0, 0, columns - 1, rows - 1, true);
  MapObject& start = s.MapObjects[0];
  start.Kind = "levelstart";
  start.Active = 1;
  start.X = columns / 2;
  start.Y = rows / 2;
  return doc;
}

LakeDocument LakeDocument::Open(const LakeFolders& folders, const std::string& name) {
  LakeDocument doc;
  doc.name_ = name;
  doc.rules_ = ReadLakeDefinition(LakePath(folders, name, ".ini"));
  GameState& s = *doc.state_;
  ReadMapFile(LakePath(folders, name, ".iso"), s.Header, *s.Map, s.MapObjects);
  return doc;
}

std::vector<uint8_t> LakeDocument::MapBytes() const {
  return EncodeMapFile(state_->Header, *state_->Map, state_->MapObjects);
}

std::string LakeDocument::DefinitionText() const {
  return LakeDefinitionText(rules_);
}

Picture LakeDocument::Preview(int32_t width, int32_t height, int32_t samples) const {
  const GameState& s = *state_;
  const TileAt tile = [&s](int32_t c, int32_t r) { return s.Cell(c, r).Tile; };
  return RenderLakePicture(s.Header, tile, s.MapObjects, StyleOfLibrary(rules_.ImageLib), width,
                           height, samples);
}

std::vector<uint8_t> LakeDocument::PreviewBytes() const {
  return EncodeBitmapFile(Preview(kPreviewWidth, kPreviewHeight));
}

namespace {

std::string AsText(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

void LakeDocument::Save(const std::string& folder) const {
  if (const std::string fault = LakeNameFault(name_); !fault.empty()) throw GameError(fault);
  MakeFolders(folder);
  WriteFileAtomic(JoinPath(folder, name_ + ".iso"), AsText(MapBytes()));
  WriteFileAtomic(JoinPath(folder, name_ + ".ini"), DefinitionText());
  WriteFileAtomic(JoinPath(folder, name_ + ".bmp"), AsText(PreviewBytes()));
  AddToCatalogue(folder, name_);
}

void AddToCatalogue(const std::string& folder, const std::string& lake) {
  const std::string path = JoinPath(folder, "lakes.ini");
  std::vector<std::string> listed;
  std::string text;
  if (FileExists(path)) {
    text = AsText(ReadFileBytes(path, size_t{1} << 20));
    const IniFile ini = IniFile::Parse(text);
    int32_t last = 0;
    for (int32_t slot = 1; slot <= 1024; ++slot) {
      const std::string name = ini.ReadString("Lakes", "lake" + std::to_string(slot), "NA");
      if (name == lake) return;
      if (name != "NA") last = slot;
    }
    if (!text.empty() && text.back() != '\n') text += "\r\n";
    text += CatalogueLine(last + 1, lake);
  } else {
    // A folder of loose maps was listed whole; keep every one of them.
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
      if (e.path().extension() == ".iso") listed.push_back(e.path().stem().string());
    }
    std::sort(listed.begin(), listed.end());
    if (std::find(listed.begin(), listed.end(), lake) == listed.end()) listed.push_back(lake);
    text = "[Lakes]\r\n";
    for (size_t i = 0; i < listed.size(); ++i)
      text += CatalogueLine(static_cast<int32_t>(i + 1), listed[i]);
  }
  WriteFileAtomic(path, text);
}

std::vector<std::string> TileLibraries(const std::string& dataFolder) {
  std::vector<std::string> found{"canada.dxg", "bayou.dxg", "canyon.dxg"};
  std::vector<std::string> others;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(dataFolder, ec)) {
    const std::string file = e.path().filename().string();
    if (e.path().extension() != ".dxg" || file == "objects.dxg") continue;
    if (std::find(found.begin(), found.end(), file) == found.end()) others.push_back(file);
  }
  std::sort(others.begin(), others.end());
  found.insert(found.end(), others.begin(), others.end());
  return found;
}

}  // namespace tw
