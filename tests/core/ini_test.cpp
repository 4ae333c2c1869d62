#include "core/ini.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "core/error.h"
#include "core/files.h"

namespace tw {
namespace {

TEST(IniRead, SectionsAndKeysIgnoreCaseAndValuesAreTrimmed) {
  auto ini = IniFile::Parse("[Lake Data]\r\n  MaxFish =  32  \r\nDescription= A calm lake \n");
  EXPECT_EQ(ini.ReadInteger("lake data", "maxfish", 16), 32);
  EXPECT_EQ(ini.ReadString("LAKE DATA", "DESCRIPTION", "x"), "A calm lake");
  EXPECT_EQ(ini.ReadString("Lake Data", "Missing", "No Description"), "No Description");
  EXPECT_EQ(ini.ReadString("Other", "MaxFish", "d"), "d");
}

TEST(IniRead, IntegersInDecimalAndHexOtherwiseTheDefault) {
  auto ini = IniFile::Parse(
      "[s]\na=42\nb=$1F\nc=0x10\nd=0X10\ne=-7\nf=12abc\ng=\nh=true\ni=99999999999\nj=$FFFFFFFF\n");
  EXPECT_EQ(ini.ReadInteger("s", "a", 0), 42);
  EXPECT_EQ(ini.ReadInteger("s", "b", 0), 31);
  EXPECT_EQ(ini.ReadInteger("s", "c", 0), 16);
  EXPECT_EQ(ini.ReadInteger("s", "d", 0), 16);
  EXPECT_EQ(ini.ReadInteger("s", "e", 0), -7);
  EXPECT_EQ(ini.ReadInteger("s", "f", 5), 5);
  EXPECT_EQ(ini.ReadInteger("s", "g", 5), 5);
  EXPECT_EQ(ini.ReadInteger("s", "h", 5), 5);
  EXPECT_EQ(ini.ReadInteger("s", "i", 5), 5);
  EXPECT_EQ(ini.ReadInteger("s", "j", 5), -1);
}

TEST(IniRead, BooleansAreNonZeroIntegers) {
  auto ini = IniFile::Parse("[Tarnwick]\nflip=1\nsoundon=0\nmousedrive=yes\nkeydrive=2\n");
  EXPECT_TRUE(ini.ReadBool("Tarnwick", "flip", false));
  EXPECT_FALSE(ini.ReadBool("Tarnwick", "soundon", true));
  EXPECT_TRUE(ini.ReadBool("Tarnwick", "mousedrive", true));  // unparsable: the default
  EXPECT_FALSE(ini.ReadBool("Tarnwick", "mousedrive", false));
  EXPECT_TRUE(ini.ReadBool("Tarnwick", "keydrive", false));
}

TEST(IniRead, ValuesAreCutAt2047Characters) {
  auto ini = IniFile::Parse("[s]\nk=" + std::string(5000, 'x') + "\n");
  EXPECT_EQ(ini.ReadString("s", "k", "").size(), 2047u);
}

TEST(IniRead, CommentsAndStrayLinesAreIgnored) {
  auto ini = IniFile::Parse("; note\nk=outside\n[s]\n;k=1\njunk\nk=2\n");
  EXPECT_EQ(ini.ReadInteger("s", "k", 0), 2);
}

TEST(IniWrite, WritingOneKeyKeepsTheRest) {
  auto ini = IniFile::Parse("; mine\n[Save Data]\nName=Ann\nCash=10\n\n[Other]\nx=1\n");
  ini.WriteInteger("save data", "cash", 99);
  ini.WriteString("Save Data", "Level", "3");
  ini.WriteBool("New", "flag", true);
  EXPECT_EQ(ini.Text(),
            "; mine\n[Save Data]\nName=Ann\nCash=99\nLevel=3\n\n[Other]\nx=1\n[New]\nflag=1\n");
}

class IniFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("tarnwick-ini-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path dir_;
};

TEST_F(IniFileOnDisk, MissingFileReadsAsEmpty) {
  auto ini = IniFile::Load((dir_ / "none.ini").string());
  EXPECT_EQ(ini.ReadInteger("Tarnwick", "speed", 2), 2);
}

TEST_F(IniFileOnDisk, SaveReplacesTheFileAndLeavesNoTemporaryFiles) {
  std::string path = (dir_ / "tarnwick.ini").string();
  IniFile ini;
  ini.WriteInteger("Tarnwick", "speed", 1);
  ini.Save(path);
  ini.WriteInteger("Tarnwick", "speed", 0);
  ini.Save(path);
  EXPECT_EQ(IniFile::Load(path).ReadInteger("Tarnwick", "speed", 2), 0);
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir_)) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 1);
}

TEST_F(IniFileOnDisk, FailedWriteRaisesAndKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  std::string path = (dir_ / "game.sav").string();
  IniFile ini;
  ini.WriteString("Save Data", "Name", "Old");
  ini.Save(path);
  std::filesystem::permissions(
      dir_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  ini.WriteString("Save Data", "Name", "New");
  try {
    ini.Save(path);
    FAIL() << "expected an error";
  } catch (const GameError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
  }
  EXPECT_EQ(IniFile::Load(path).ReadString("Save Data", "Name", ""), "Old");
}

// A file-size limit makes writes fail the way a full disk does, even for root.
TEST_F(IniFileOnDisk, FullDiskRaisesAndKeepsTheOldFile) {
  std::string path = (dir_ / "tarnwick.ini").string();
  WriteFileAtomic(path, "[Tarnwick]\nspeed=1\n");
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  EXPECT_THROW(WriteFileAtomic(path, std::string(4096, 'x')), GameError);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(IniFile::Load(path).ReadInteger("Tarnwick", "speed", 2), 1);
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir_)) {
    (void)e;
    ++files;
  }
  EXPECT_EQ(files, 1) << "the temporary file is removed";
}

TEST_F(IniFileOnDisk, SavingClearsTemporariesLeftByAnEarlierCrash) {
  const auto stale = dir_ / ".tarnwick-AbC123";
  const auto fresh = dir_ / ".tarnwick-XyZ789";  // may belong to a save still running
  std::ofstream(stale) << "half a save";
  std::ofstream(fresh) << "half a save";
  std::filesystem::last_write_time(
      stale, std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));
  WriteFileAtomic((dir_ / "game.sav").string(), "[Save Data]\n");
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(fresh));
}

TEST_F(IniFileOnDisk, WriteIntoAMissingFolderFails) {
  std::string path = (dir_ / "nowhere" / "x.sav").string();
  EXPECT_THROW(WriteFileAtomic(path, "x"), GameError);
  EXPECT_FALSE(FileExists(path));
}

TEST(Files, ReadingAMissingFileNamesIt) {
  try {
    ReadFileBytes("/nonexistent/lakes/x.iso");
    FAIL();
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file /nonexistent/lakes/x.iso");
  }
}

// A file far too big is told apart from one that cannot be opened, and the
// head of a file is read without the rest.
TEST_F(IniFileOnDisk, ReadersSayWhatIsWrongAndReadOnlyWhatTheyNeed) {
  const std::string big = (dir_ / "big.iso").string();
  std::ofstream(big) << "head";
  std::filesystem::resize_file(big, (uint64_t{1} << 30) + 5);  // sparse: no disk used
  try {
    ReadFileBytes(big);
    FAIL();
  } catch (const GameError& e) {
    EXPECT_EQ(std::string(e.what()), "File " + big + " is too large (1073741829 bytes)");
  }
  const FileHead head = ReadFileHead(big, 4);
  EXPECT_EQ(std::string(head.Bytes.begin(), head.Bytes.end()), "head");
  EXPECT_EQ(head.Size, (uint64_t{1} << 30) + 5);

  EXPECT_THROW(IniFile::LoadExisting(dir_.string()), GameError) << "a folder is no saved game";
  EXPECT_EQ(IniFile::LoadExisting((dir_ / "none.sav").string()).Text(), "");
}

TEST(Files, JoinPathTurnsBackslashesIntoSlashes) {
  EXPECT_EQ(JoinPath("/games/tw", "lakes\\lakes.ini"), "/games/tw/lakes/lakes.ini");
  EXPECT_EQ(JoinPath("/games/tw/", "objects.dxg"), "/games/tw/objects.dxg");
}

}  // namespace
}  // namespace tw
