// Every seed and every input the fuzzers ever found replays through the same
// entry points in the ordinary build: refused in the game's words or read,
// never a crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_entries.h"

namespace tw::fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The files of fuzz/<kind>/<target>/ in name order, so failures repeat.
std::vector<fs::path> Inputs(const std::string& kind, const std::string& target) {
  std::vector<fs::path> files;
  const fs::path dir = fs::path(TW_FUZZ_SOURCE_DIR) / kind / target;
  if (!fs::is_directory(dir)) return files;
  for (const auto& e : fs::directory_iterator(dir)) {
    if (e.is_regular_file()) files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class CorpusReplay : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusReplay, SeedsAndFoundInputsAreReadOrRefusedWithoutCrashing) {
  const Target* target = FindTarget(GetParam());
  ASSERT_NE(target, nullptr);
  const auto seeds = Inputs("corpus", GetParam());
  EXPECT_FALSE(seeds.empty()) << "every reader keeps seeds in fuzz/corpus/" << GetParam();
  auto all = seeds;
  const auto found = Inputs("regressions", GetParam());
  all.insert(all.end(), found.begin(), found.end());
  for (const fs::path& file : all) {
    SCOPED_TRACE(file.string());
    const std::vector<uint8_t> bytes = Slurp(file);
    EXPECT_NO_THROW(target->Run(bytes));
  }
}

std::vector<std::string> TargetNames() {
  std::vector<std::string> names;
  for (const Target& t : Targets()) names.emplace_back(t.Name);
  return names;
}

INSTANTIATE_TEST_SUITE_P(Readers, CorpusReplay, ::testing::ValuesIn(TargetNames()),
                         [](const ::testing::TestParamInfo<std::string>& p) { return p.param; });

TEST(FuzzTargets, EveryReaderIsReachableByName) {
  for (const char* name : {"container", "picture", "wave", "map", "ini", "lake", "savegame"}) {
    EXPECT_NE(FindTarget(name), nullptr) << name;
  }
  EXPECT_EQ(FindTarget("nothing"), nullptr);
}

}  // namespace
}  // namespace tw::fuzz
