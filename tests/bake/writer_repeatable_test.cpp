// The generator writes the same bytes on every run.
#include <gtest/gtest.h>

#include <filesystem>

#include "bake/bake.h"
#include "core/files.h"

namespace tw::bake {
namespace {

namespace fs = std::filesystem;

void BakeMine(const std::string& dir) {
  fs::create_directories(dir);
  BakeObjects(BakeContext(dir));
  BakeTiles(BakeContext(dir));
  BakeUi(BakeContext(dir));
}

TEST(Repeatable, TwoRunsWriteIdenticalFiles) {
  const fs::path root = fs::temp_directory_path() / ("tw-repeat-" + std::to_string(::getpid()));
  BakeMine((root / "a").string());
  BakeMine((root / "b").string());
  int files = 0;
  for (const auto& e : fs::recursive_directory_iterator(root / "a")) {
    if (!e.is_regular_file()) continue;
    const fs::path rel = fs::relative(e.path(), root / "a");
    EXPECT_EQ(ReadFileBytes(e.path().string()), ReadFileBytes((root / "b" / rel).string())) << rel;
    ++files;
  }
  EXPECT_GE(files, 4 + 7 + 8);  // libraries, menu pictures, font sheets and fonts.ini
  fs::remove_all(root);
}

}  // namespace
}  // namespace tw::bake
