// The golden runs: recorded tournaments that must end exactly as they did
// when they were recorded, frame count, catch, money, message and picture.
// scripts/regen-golden.sh records them again when a change is meant.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "replay/replay_file.h"
#include "replay_support.h"

namespace tw {
namespace {

TEST(GoldenRuns, EveryRecordedTournamentEndsAsItDidWhenRecorded) {
  const std::string dir = test::SourceFolder() + "/tests/replay/golden";
  std::ifstream expected(dir + "/expected.txt");
  ASSERT_TRUE(expected) << "no " << dir << "/expected.txt";
  std::string line;
  int runs = 0;
  while (std::getline(expected, line)) {
    const size_t space = line.find(' ');
    ASSERT_NE(space, std::string::npos) << line;
    const std::string name = line.substr(0, space);
    const Replay replay = LoadReplay(dir + "/" + name + ".replay");
    HeadlessTournament game(test::ProgramFolder());
    ReplaySource source(replay);
    game.Start(replay.Header, source);
    game.Run(1000000);
    EXPECT_TRUE(game.Finished()) << name;
    EXPECT_EQ(game.Summary().Line(), line.substr(space + 1)) << name;
    ++runs;
  }
  EXPECT_GE(runs, 4);
}

}  // namespace
}  // namespace tw
