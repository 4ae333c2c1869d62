#include "world/map_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/error.h"
#include "core/random.h"

namespace tw {
namespace {

struct MapFileTest : ::testing::Test {
  std::unique_ptr<MapGrid> map = std::make_unique<MapGrid>();
  std::array<MapObject, kMapObjectCount> objects{};
  MapHeader header;

  static MapHeader Header(int32_t maxCol, int32_t maxRow, int32_t w = 64, int32_t h = 32) {
    MapHeader hd;
    hd.MapMaxCol = maxCol;
    hd.MapMaxRow = maxRow;
    hd.TileWidth = w;
    hd.TileHeight = h;
    return hd;
  }

  // Fills the caller's tables with marks a failed read must leave alone.
  void MarkTables() {
    header = Header(7, 7, 9, 9);
    (*map)[0][0] = {1234, 9};
    objects[0].Kind = "untouched";
  }
  void ExpectTablesUntouched() {
    EXPECT_EQ(header.MapMaxCol, 7);
    EXPECT_EQ(header.TileWidth, 9);
    EXPECT_EQ((*map)[0][0].Tile, 1234);
    EXPECT_EQ((*map)[0][0].AnimTick, 9);
    EXPECT_EQ(objects[0].Kind, "untouched");
  }
  std::string ParseError(const std::vector<uint8_t>& bytes) {
    try {
      ParseMapFile(bytes, "lakes/test.iso", header, *map, objects);
    } catch (const GameError& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(MapFileTest, ASingleCellMapHasTheSmallestCompleteSize) {
  auto src = std::make_unique<MapGrid>();
  (*src)[0][0].Tile = 2;
  std::array<MapObject, kMapObjectCount> objs{};
  const auto bytes = EncodeMapFile(Header(0, 0), *src, objs);
  EXPECT_EQ(bytes.size(), 40u + 4u + 22035u);
  EXPECT_EQ(MapFileSize(0, 0), bytes.size());
  ParseMapFile(bytes, "one.iso", header, *map, objects);
  EXPECT_EQ(header.MapMaxCol, 0);
  EXPECT_EQ(header.TileWidth, 64);
  EXPECT_EQ(header.TileHeight, 32);
  EXPECT_EQ((*map)[0][0].Tile, 2);
}

TEST_F(MapFileTest, CellsAreStoredColumnByColumnAndReadBack) {
  auto src = std::make_unique<MapGrid>();
  for (int c = 0; c <= 3; ++c)
    for (int r = 0; r <= 5; ++r) (*src)[c][r] = {c * 100 + r - 1, 77};
  std::array<MapObject, kMapObjectCount> objs{};
  const auto bytes = EncodeMapFile(Header(3, 5), *src, objs);
  // Cell (2, 4) lies after all of columns 0 and 1.
  const size_t at = 40 + 4 * (2 * 6 + 4);
  EXPECT_EQ(bytes[at], 203);
  EXPECT_EQ(bytes[at + 1], 0);
  // The header words: columns, rows, tile width, tile height.
  EXPECT_EQ(bytes[0], 3);
  EXPECT_EQ(bytes[4], 5);
  EXPECT_EQ(bytes[8], 64);
  EXPECT_EQ(bytes[12], 32);

  (*map)[1][2].AnimTick = 50;
  std::vector<int32_t> columnsSeen;
  ParseMapFile(bytes, "t.iso", header, *map, objects, [&](int32_t c) { columnsSeen.push_back(c); });
  EXPECT_EQ(columnsSeen, (std::vector<int32_t>{0, 1, 2, 3}));
  for (int c = 0; c <= 3; ++c)
    for (int r = 0; r <= 5; ++r) {
      EXPECT_EQ((*map)[c][r].Tile, c * 100 + r - 1);
      EXPECT_EQ((*map)[c][r].AnimTick, 0);
    }
  EXPECT_EQ((*map)[0][0].Tile, -1);  // the empty tile survives the trip
}

TEST_F(MapFileTest, ObjectsKeepTheirFieldsAndKindIsNormalised) {
  auto src = std::make_unique<MapGrid>();
  std::array<MapObject, kMapObjectCount> objs{};
  objs[3] = {4, 9, 1, "  LevelStart ", "12", "Hello|there"};
  objs[64] = {-1, 2048, 0, "\tMoreTime\r\n", " 30 ", std::string(300, 'x')};
  const auto bytes = EncodeMapFile(Header(1, 1), *src, objs);
  ParseMapFile(bytes, "t.iso", header, *map, objects);
  EXPECT_EQ(objects[3].X, 4);
  EXPECT_EQ(objects[3].Y, 9);
  EXPECT_EQ(objects[3].Active, 1);
  EXPECT_EQ(objects[3].Kind, "levelstart");
  EXPECT_EQ(objects[3].Param, "12");
  EXPECT_EQ(objects[3].Text, "Hello|there");
  EXPECT_EQ(objects[64].X, -1);
  EXPECT_EQ(objects[64].Kind, "moretime");
  EXPECT_EQ(objects[64].Param, " 30 ");  // only Kind is trimmed
  EXPECT_EQ(objects[64].Text, std::string(255, 'x'));
  EXPECT_EQ(objects[0].Kind, "");
}

TEST_F(MapFileTest, KindNormalisingTouchesOnlyAsciiLettersAndBlanks) {
  EXPECT_EQ(NormalizeObjectKind("  LevelStart "), "levelstart");
  EXPECT_EQ(NormalizeObjectKind("SINGLE FISH"), "single fish");
  EXPECT_EQ(NormalizeObjectKind("\xC4gir"), "\xC4gir");
  EXPECT_EQ(NormalizeObjectKind(" \x01 "), "");
}

TEST_F(MapFileTest, ALengthByteBeyondItsFieldIsCutToTheField) {
  auto src = std::make_unique<MapGrid>();
  std::array<MapObject, kMapObjectCount> objs{};
  objs[0].Kind = std::string(36, 'K');
  auto bytes = EncodeMapFile(Header(0, 0), *src, objs);
  bytes[44 + 8] = 200;  // Kind's length byte in slot 0
  ParseMapFile(bytes, "t.iso", header, *map, objects);
  EXPECT_EQ(objects[0].Kind, std::string(36, 'k'));
}

TEST_F(MapFileTest, BytesAfterTheObjectsAreIgnored) {
  auto src = std::make_unique<MapGrid>();
  std::array<MapObject, kMapObjectCount> objs{};
  objs[64].Text = "last";
  auto bytes = EncodeMapFile(Header(2, 2), *src, objs);
  bytes.insert(bytes.end(), 1000, 0xEE);
  ParseMapFile(bytes, "t.iso", header, *map, objects);
  EXPECT_EQ(objects[64].Text, "last");
}

TEST_F(MapFileTest, ShortOrOutOfRangeFilesAreRefusedBeforeAnythingIsStored) {
  auto src = std::make_unique<MapGrid>();
  std::array<MapObject, kMapObjectCount> objs{};
  const std::string damaged = "Map file lakes/test.iso is damaged";
  const auto good = EncodeMapFile(Header(4, 4), *src, objs);

  auto shortByOne = good;
  shortByOne.resize(good.size() - 1);
  auto headerOnly = good;
  headerOnly.resize(40);
  const std::vector<std::vector<uint8_t>> bad = {
      {},
      std::vector<uint8_t>(good.begin(), good.begin() + 39),
      shortByOne,
      headerOnly,
  };
  for (const auto& bytes : bad) {
    MarkTables();
    EXPECT_EQ(ParseError(bytes).rfind(
                  damaged + ": it holds " + std::to_string(bytes.size()) + " bytes", 0),
              0u)
        << ParseError(bytes);
    ExpectTablesUntouched();
  }
  // Header words outside the map's tables: columns, rows, tile width, height.
  const std::vector<std::pair<size_t, int32_t>> headers = {
      {0, 513}, {0, -1}, {4, 2049}, {4, INT32_MIN}, {8, 0},       {8, -64},
      {12, 1},  {12, 0}, {8, 1025}, {12, 1025},     {8, 1 << 28}, {12, INT32_MAX}};
  for (auto [offset, value] : headers) {
    auto bytes = EncodeMapFile(Header(0, 0), *src, objs);
    bytes.resize(MapFileSize(512, 2048) + 16, 0);  // big enough for any size the header claims
    for (int i = 0; i < 4; ++i)
      bytes[offset + i] = static_cast<uint8_t>(uint32_t(value) >> (8 * i));
    MarkTables();
    EXPECT_EQ(ParseError(bytes).rfind(damaged + ": its ", 0), 0u) << offset << "=" << value;
    ExpectTablesUntouched();
  }
}

TEST_F(MapFileTest, MangledFilesEitherReadOrAreRefusedInTheGamesWords) {
  auto src = std::make_unique<MapGrid>();
  std::array<MapObject, kMapObjectCount> objs{};
  objs[2] = {1, 1, 1, "treasure", "50", "gold"};
  const auto good = EncodeMapFile(Header(3, 7), *src, objs);
  Random rng(2024);
  for (int n = 0; n < 2000; ++n) {
    auto bytes = good;
    const int flips = 1 + rng(8);
    for (int f = 0; f < flips; ++f) {
      // Mostly the header and the object text lengths, where damage matters.
      const size_t at = rng(3) == 0 ? static_cast<size_t>(rng(16))
                                    : static_cast<size_t>(rng(static_cast<int32_t>(bytes.size())));
      bytes[at] = static_cast<uint8_t>(rng(256));
    }
    if (rng(2) == 0) bytes.resize(static_cast<size_t>(rng(static_cast<int32_t>(bytes.size()) + 1)));
    const std::string error = ParseError(bytes);
    ASSERT_TRUE(error.empty() || error.starts_with("Map file lakes/test.iso is damaged: "))
        << error;
    if (error.empty()) {
      ASSERT_LE(header.MapMaxCol, 512);
      ASSERT_LE(header.MapMaxRow, 2048);
      for (const MapObject& o : objects) ASSERT_LE(o.Kind.size(), 36u);
    }
  }
}

TEST_F(MapFileTest, TheLargestMapReadsWholeAndEncoderRefusesImpossibleHeaders) {
  auto src = std::make_unique<MapGrid>();
  (*src)[512][2048].Tile = 45;
  (*src)[511][0].Tile = 3;
  std::array<MapObject, kMapObjectCount> objs{};
  const auto bytes = EncodeMapFile(Header(512, 2048), *src, objs);
  EXPECT_EQ(bytes.size(), 40u + 4u * 513u * 2049u + 22035u);
  ParseMapFile(bytes, "big.iso", header, *map, objects);
  EXPECT_EQ((*map)[512][2048].Tile, 45);
  EXPECT_EQ((*map)[511][0].Tile, 3);
  EXPECT_THROW(EncodeMapFile(Header(513, 0), *src, objs), GameError);
}

TEST_F(MapFileTest, ReadingFromDiskNamesTheMissingFile) {
  const auto dir = std::filesystem::temp_directory_path() / "tw_world_map_test";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "pond.iso").string();
  auto src = std::make_unique<MapGrid>();
  (*src)[1][1].Tile = 44;
  std::array<MapObject, kMapObjectCount> objs{};
  const auto bytes = EncodeMapFile(Header(1, 1), *src, objs);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  ReadMapFile(path, header, *map, objects);
  EXPECT_EQ((*map)[1][1].Tile, 44);

  const std::string missing = (dir / "nowhere.iso").string();
  try {
    ReadMapFile(missing, header, *map, objects);
    ADD_FAILURE() << "a missing map must not read";
  } catch (const GameError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + missing);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tw
