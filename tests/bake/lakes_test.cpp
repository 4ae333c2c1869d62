// The lakes folder as the generator writes it: every catalogue lake has its
// rules, map and 200 by 198 preview, and a second run writes the same bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "bake/bake.h"
#include "bake/lake_campaign.h"
#include "core/byte_cursor.h"
#include "core/files.h"
#include "support/program_folder.h"
#include "world/lake_files.h"
#include "world/map_file.h"
#include "world/map_text.h"

namespace tw::bake {
namespace {

namespace fs = std::filesystem;

std::string ProgramFolderUnderTest() {
  return test::GeneratedProgramFolder();
}

TEST(LakesFolder, EveryCatalogueLakeHasRulesMapAndPreview) {
  const std::string bin = ProgramFolderUnderTest();
  ASSERT_FALSE(bin.empty()) << "the tests read the generated program folder";
  const std::vector<std::string> names = ReadLakeCatalogue(bin, 255);
  ASSERT_EQ(names.size(), Campaign().size());
  auto grid = std::make_unique<MapGrid>();
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(FileExists(LakePath(bin, name, ".ini")));
    const std::vector<uint8_t> bmp = ReadFileBytes(LakePath(bin, name, ".bmp"));
    ByteCursor head(bmp);
    EXPECT_EQ(head.String(2), "BM");
    head.Seek(18);
    EXPECT_EQ(head.I32(), 200);
    EXPECT_EQ(head.I32(), 198);
    head.Skip(2);
    EXPECT_EQ(head.U16(), 24);
    MapHeader header;
    MapObjects objects;
    ReadMapFile(LakePath(bin, name, ".iso"), header, *grid, objects);
    EXPECT_EQ(header.TileWidth, 64);
  }
}

TEST(LakesFolder, ASecondRunWritesTheSameBytes) {
  const std::string bin = ProgramFolderUnderTest();
  ASSERT_FALSE(bin.empty());
  const fs::path again = fs::temp_directory_path() / "tarnwick-lakes-again";
  fs::remove_all(again);
  BakeContext ctx;
  ctx.out = again.string();
  BakeLakes(ctx);
  BakeSounds(ctx);
  int compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(again)) {
    if (!entry.is_regular_file()) continue;
    const fs::path rel = fs::relative(entry.path(), again);
    SCOPED_TRACE(rel.string());
    EXPECT_TRUE(ReadFileBytes(entry.path().string()) ==
                ReadFileBytes((fs::path(bin) / rel).string()));
    ++compared;
  }
  EXPECT_EQ(compared, 2 + 1 + 3 * static_cast<int>(Campaign().size()));
  fs::remove_all(again);
}

// Every generated map through its text form and back: the same bytes, and
// the text of what was read is the text written.
TEST(LakesFolder, EveryMapSurvivesItsTextForm) {
  const std::string bin = ProgramFolderUnderTest();
  ASSERT_FALSE(bin.empty());
  auto grid = std::make_unique<MapGrid>();
  MapHeader header;
  MapObjects objects;
  for (const std::string& name : ReadLakeCatalogue(bin, 255)) {
    SCOPED_TRACE(name);
    const std::string path = LakePath(bin, name, ".iso");
    ReadMapFile(path, header, *grid, objects);
    const std::string text = MapText(header, *grid, objects);
    grid = std::make_unique<MapGrid>();
    objects = MapObjects{};
    ParseMapText(text, name + ".txt", header, *grid, objects);
    EXPECT_TRUE(EncodeMapFile(header, *grid, objects) == ReadFileBytes(path));
    EXPECT_EQ(MapText(header, *grid, objects), text);
  }
}

}  // namespace
}  // namespace tw::bake
