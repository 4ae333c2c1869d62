#include "world/map_text.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/error.h"
#include "world/map_file.h"

namespace tw {
namespace {

struct MapTextTest : ::testing::Test {
  std::unique_ptr<MapGrid> map = std::make_unique<MapGrid>();
  MapObjects objects{};
  MapHeader header;

  std::string ErrorOf(const std::string& text) {
    try {
      ParseMapText(text, "pond.txt", header, *map, objects);
    } catch (const GameError& e) {
      return e.what();
    }
    return "no error";
  }
};

// A hand-written text with comments, blanks, CR LF endings and escapes
// reads as meant, and the text the map gives back is the canonical form,
// which reads back to the same bytes.
TEST_F(MapTextTest, HandWrittenTextReadsAndComesBackCanonical) {
  const std::string hand =
      "# my pond\r\n"
      "tarnwick map 1\r\n"
      "tilesize 64 32\r\n"
      "rows 3\r\n"
      "columns   2\r\n"
      "\r\n"
      "20  -1\r\n"
      "4 2147483647\r\n"
      "\t1 -2147483648\r\n"
      "object 64 1 2 1 \"BUOY\" \"\" \"SAY \\\"HI\\\"\\\\ \\xC5\\n\"\r\n"
      "object 0 -5 7 0 \"levelstart\" \"x\" \"\"\r\n";
  ParseMapText(hand, "pond.txt", header, *map, objects);
  EXPECT_EQ(header.MapMaxCol, 1);
  EXPECT_EQ(header.MapMaxRow, 2);
  EXPECT_EQ(header.TileWidth, 64);
  EXPECT_EQ(header.TileHeight, 32);
  EXPECT_EQ((*map)[1][0].Tile, -1);
  EXPECT_EQ((*map)[1][1].Tile, 2147483647);
  EXPECT_EQ((*map)[1][2].Tile, -2147483647 - 1);
  EXPECT_EQ(objects[64].Kind, "BUOY");  // as written; the game lower-cases it when it reads
  EXPECT_EQ(objects[64].Text, "SAY \"HI\"\\ \xC5\n");
  EXPECT_EQ(objects[0].X, -5);
  EXPECT_EQ(objects[0].Param, "x");
  EXPECT_EQ(objects[1].Kind, "");

  const std::string canonical = MapText(header, *map, objects);
  EXPECT_NE(canonical.find("object 64 1 2 1 \"BUOY\" \"\" \"SAY \\\"HI\\\"\\\\ \\xC5\\n\"\n"),
            std::string::npos);
  const std::vector<uint8_t> bytes = EncodeMapFile(header, *map, objects);
  auto again = std::make_unique<MapGrid>();
  MapObjects againObjects{};
  MapHeader againHeader;
  ParseMapText(canonical, "again.txt", againHeader, *again, againObjects);
  EXPECT_EQ(EncodeMapFile(againHeader, *again, againObjects), bytes);
  EXPECT_EQ(MapText(againHeader, *again, againObjects), canonical);
}

// Every mistake names the file and line and leaves the tables alone.
TEST_F(MapTextTest, MistakesNameTheFileAndLineAndStoreNothing) {
  const std::string head = "tarnwick map 1\ncolumns 2\nrows 2\ntilesize 64 32\n";
  header.MapMaxCol = 99;
  (*map)[0][0].Tile = 1234;
  objects[3].Kind = "untouched";
  const struct {
    std::string text, error;
  } cases[] = {
      {"", "pond.txt:1: the text is empty"},
      {"tarnwick map 2\n", "pond.txt:1: a map's text starts with the line \"tarnwick map 1\""},
      {"tarnwick map 1\ncolumns 514\n", "pond.txt:2: columns 514 is outside 1 to 513"},
      {"tarnwick map 1\nrows 0\n", "pond.txt:2: rows 0 is outside 1 to 2049"},
      {"tarnwick map 1\ntilesize 64 1\n", "pond.txt:2: tile height 1 is outside 2 to 1024"},
      {"tarnwick map 1\ncolumns 2\ncolumns 3\n", "pond.txt:3: columns is given twice"},
      {"tarnwick map 1\ncolums 2\n",
       "pond.txt:2: 'colums' starts no line of a map's text (columns, rows, tilesize, tiles or "
       "object)"},
      {"tarnwick map 1\n1 2\n", "pond.txt:2: columns, rows and tilesize come before the tiles"},
      {head + "1 2\n3\n", "pond.txt:6: row 1 has 1 tiles, the map has 2 columns"},
      {head + "1 2 3\n", "pond.txt:5: row 0 has more than 2 tiles"},
      {head + "1 x\n", "pond.txt:5: tile: 'x' is not a whole number"},
      {head + "1 2\n3 4\n5 6\n", "pond.txt:7: the map has 2 rows; this line is one too many"},
      {head + "1 2\n", "pond.txt:5: the map has 2 rows but only 1 lines of tiles"},
      {head + "1 2\nobject 0 0 0 0 \"\" \"\" \"\"\n",
       "pond.txt:6: objects come after the 2 rows of tiles"},
      {head + "1 2\n3 4\nobject 65 0 0 0 \"\" \"\" \"\"\n",
       "pond.txt:7: slot 65 is outside 0 to 64"},
      {head + "1 2\n3 4\nobject 1 0 0 0 \"\" \"\" \"\"\nobject 1 0 0 0 \"\" \"\" \"\"\n",
       "pond.txt:8: slot 1 is given twice"},
      {head + "1 2\n3 4\nobject 1 0 0 0 buoy \"\" \"\"\n",
       "pond.txt:7: kind must be written in double quotes"},
      {head + "1 2\n3 4\nobject 1 0 0 0 \"buoy\" \"\" \"HELLO\n",
       "pond.txt:7: text has no closing quote"},
      {head + "1 2\n3 4\nobject 1 0 0 0 \"buoy\" \"\" \"\\q\"\n",
       "pond.txt:7: text: unknown escape \\q"},
      {head + "1 2\n3 4\nobject 1 0 0 0 \"" + std::string(37, 'k') + "\" \"\" \"\"\n",
       "pond.txt:7: kind has 37 characters, at most 36 fit"},
      {head + "1 2\n3 4\nobject 1 0 0 0 \"buoy\" \"\" \"\" extra\n",
       "pond.txt:7: 'extra' after the end of the line's values"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ErrorOf(c.text), c.error);
  }
  EXPECT_EQ(header.MapMaxCol, 99);
  EXPECT_EQ((*map)[0][0].Tile, 1234);
  EXPECT_EQ(objects[3].Kind, "untouched");
}

}  // namespace
}  // namespace tw
