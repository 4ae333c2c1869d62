// The log stays under its limit by starting afresh, both when it is opened
// already full and when it fills up during a run, and a crash leaves a last
// line naming the signal.
#include "core/log.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tw {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class LogTest : public ::testing::Test {
 protected:
  LogTest() : dir_(fs::temp_directory_path() / ("tarnwick-log-" + std::to_string(::getpid()))) {
    fs::remove_all(dir_);
  }
  ~LogTest() override {
    CloseLog();
    fs::remove_all(dir_);
  }
  fs::path dir_;
};

TEST_F(LogTest, StartsAfreshInsteadOfPassingOneMegabyte) {
  // Its folder is made on first need; a full log from an earlier run goes.
  const fs::path log = dir_ / "state" / "tarnwick.log";
  fs::create_directories(log.parent_path());
  std::ofstream(log) << std::string(kMaxLogBytes, 'x');
  ASSERT_TRUE(OpenLog(log.string()));
  LogError("Cannot open file objects.dxg.\nRun make.");
  EXPECT_NE(Slurp(log).find(" error: Cannot open file objects.dxg. / Run make.\n"),
            std::string::npos);
  EXPECT_LT(fs::file_size(log), 100u);

  const std::string line(1000, 'w');
  testing::internal::CaptureStderr();  // every line goes there too
  for (int i = 0; i < 1100; ++i) LogWarning(line);
  EXPECT_GT(testing::internal::GetCapturedStderr().size(), kMaxLogBytes);
  EXPECT_LE(fs::file_size(log), kMaxLogBytes);
  EXPECT_LT(fs::file_size(log), 200'000u);  // it was cut once on the way
}

TEST_F(LogTest, ACrashSignalWritesALastLine) {
  const fs::path log = dir_ / "tarnwick.log";
  EXPECT_EXIT(
      {
        OpenLog(log.string());
        CatchCrashSignals();
        LogNote("about to fail");
        ::raise(SIGABRT);
      },
      ::testing::KilledBySignal(SIGABRT), "ended by signal SIGABRT");
  const std::string text = Slurp(log);
  EXPECT_NE(text.find("note: about to fail\nTarnwick ended by signal SIGABRT (aborted)\n"),
            std::string::npos)
      << text;
}

TEST_F(LogTest, NothingIsWrittenBeforeTheLogIsOpened) {
  testing::internal::CaptureStderr();
  LogError("a test's error");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace tw
