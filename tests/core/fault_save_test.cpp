// Saving the options or a game must never lose the file that was there:
// a folder that refuses writes, a disk that fills up and a process killed in
// the middle of a save all leave the old file whole (or the new one, whole).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>

#include "core/error.h"
#include "core/files.h"
#include "core/ini.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int CountFiles(const fs::path& dir) {
  int n = 0;
  for (const auto& e : fs::directory_iterator(dir)) {
    (void)e;
    ++n;
  }
  return n;
}

// A saved game as the player panel writes it, `size` bytes or more.
std::string SavedGame(const std::string& name, size_t size) {
  IniFile ini;
  ini.WriteString("Save Data", "Name", name);
  ini.WriteInteger("Save Data", "Cash", 50);
  ini.WriteString("Padding", "Notes", std::string(size, name[0]));
  return ini.Text();
}

class FaultSave : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tw-fault-save-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    SetImmutable(dir_, false);
    SetImmutable(dir_ / "game.sav", false);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  // The file system's "immutable" flag: refuses every change, even to root,
  // so the test holds whoever runs it. False where it is not supported.
  static bool SetImmutable(const fs::path& p, bool on) {
    const int fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
  }

  // Makes `folder` refuse new files: permissions for ordinary users, the
  // immutable flag for root.
  static bool LockFolder(const fs::path& folder) {
    if (::geteuid() != 0) {
      fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
      return true;
    }
    return SetImmutable(folder, true);
  }

  static void ExpectUnableToWrite(const IniFile& ini, const std::string& path) {
    try {
      ini.Save(path);
      FAIL() << "saving into " << path << " should fail";
    } catch (const GameError& e) {
      EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
  }

  fs::path dir_;
};

TEST_F(FaultSave, FolderThatRefusesWritesKeepsTheEarlierSave) {
  const std::string path = (dir_ / "game.sav").string();
  IniFile ini = IniFile::Parse(SavedGame("Old", 16));
  ini.Save(path);
  const std::string before = Slurp(path);
  if (!LockFolder(dir_)) GTEST_SKIP() << "this file system cannot lock a folder";
  ini.WriteString("Save Data", "Name", "New");
  ExpectUnableToWrite(ini, path);
  EXPECT_EQ(Slurp(path), before);
  EXPECT_EQ(CountFiles(dir_), 1) << "no temporary file is left in the player's folder";
}

TEST_F(FaultSave, LockedSaveFileIsNotReplacedBehindTheLock) {
  const std::string path = (dir_ / "game.sav").string();
  IniFile ini = IniFile::Parse(SavedGame("Old", 16));
  ini.Save(path);
  const std::string before = Slurp(path);
  if (!SetImmutable(path, true)) GTEST_SKIP() << "this file system cannot lock a file";
  ini.WriteInteger("Save Data", "Cash", 99999);
  ExpectUnableToWrite(ini, path);
  SetImmutable(path, false);
  EXPECT_EQ(Slurp(path), before);
  EXPECT_EQ(CountFiles(dir_), 1);
}

// A real, small file system that fills up half-way through the save.
TEST_F(FaultSave, FullDiskKeepsTheEarlierSaveAndLeavesRoomBehind) {
  const fs::path disk = dir_ / "disk";
  fs::create_directories(disk);
  if (::mount("tarnwick-full", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "no permission to mount a small file system here";
  }
  const std::string path = (disk / "game.sav").string();
  IniFile ini = IniFile::Parse(SavedGame("Old", 1000));
  ini.Save(path);
  const std::string before = Slurp(path);
  IniFile big = IniFile::Parse(SavedGame("Big", 200 * 1024));
  ExpectUnableToWrite(big, path);
  const std::string after = Slurp(path);
  const int files = CountFiles(disk);
  // With the half-written copy gone there is room for an ordinary save again.
  ini.WriteInteger("Save Data", "Cash", 75);
  EXPECT_NO_THROW(ini.Save(path));
  const int cash = IniFile::Load(path).ReadInteger("Save Data", "Cash", 0);
  ::umount2(disk.c_str(), MNT_DETACH);
  EXPECT_EQ(after, before);
  EXPECT_EQ(files, 1);
  EXPECT_EQ(cash, 75);
}

// The game killed at a random moment while saving, many times over: the
// file on disk is always one whole save, never a mix or a stub.
TEST_F(FaultSave, KilledWhileSavingLeavesOneWholeFile) {
  const std::string path = (dir_ / "game.sav").string();
  const std::string first = SavedGame("First", 64 * 1024);
  const std::string a = SavedGame("Alpha", 256 * 1024);
  const std::string b = SavedGame("Bravo", 128 * 1024);
  WriteFileAtomic(path, first);
  std::mt19937 rng(20261207);
  int killedMidway = 0, changed = 0;
  for (int round = 0; round < 24; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; ++i) {
        try {
          WriteFileAtomic(path, i % 2 ? b : a);
        } catch (...) {
          ::_exit(3);
        }
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200 + rng() % 8000));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) ++killedMidway;
    const std::string now = Slurp(path);
    if (now != first) ++changed;
    ASSERT_TRUE(now == first || now == a || now == b)
        << "round " << round << ": a file of " << now.size() << " bytes that is no whole save";
  }
  EXPECT_EQ(killedMidway, 24) << "the saving process was stopped from outside each time";
  std::printf("saves finished before a kill in %d of 24 rounds; %d temporary files left\n", changed,
              CountFiles(dir_) - 1);
  EXPECT_EQ(IniFile::Load(path).Find("Save Data", "Cash"), std::optional<std::string>("50"));
}

}  // namespace
}  // namespace tw
