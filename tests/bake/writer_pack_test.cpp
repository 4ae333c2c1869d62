// tarnwick-lib pack: libraries built from a lake maker's manifest load in the
// game, and a manifest with a mistake says where it is and writes nothing.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bake/container_writer.h"
#include "core/files.h"
#include "media/image_list.h"
#include "media/picture.h"
#include "media/wave.h"
#include "media/wave_list.h"
#include "support/program_folder.h"

namespace tw::bake {
namespace {

namespace fs = std::filesystem;
using test::ProgramFolder;

class Pack : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string bin = ProgramFolder();
    if (!fs::exists(fs::path(bin) / "tarnwick-lib")) GTEST_SKIP() << "no tarnwick-lib";
    tool_ = (fs::path(bin) / "tarnwick-lib").string();
    dir_ = fs::temp_directory_path() / ("tw-pack-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    Picture p(64, 16, 0x336699);
    p.At(0, 0) = 0xFF00FF;
    WriteBytes((dir_ / "boats.bmp").string(), EncodeBitmapFile(p));
    WriteBytes((dir_ / "honk.wav").string(),
               EncodeWave(MakePcmWave(1, 11025, 8, std::vector<uint8_t>(100, 128))));
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }
  // Runs pack on a manifest; returns the exit status, the message in `err`.
  int Run(const std::string& manifest, const std::string& out, std::string& err) {
    std::ofstream((dir_ / "m.txt").string()) << manifest;
    const std::string cmd = "'" + tool_ + "' pack '" + (dir_ / "m.txt").string() + "' '" +
                            (dir_ / out).string() + "' >/dev/null 2>'" +
                            (dir_ / "err.txt").string() + "'";
    const int status = std::system(cmd.c_str());
    const auto bytes = ReadFileBytes((dir_ / "err.txt").string());
    err.assign(bytes.begin(), bytes.end());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string tool_;
  fs::path dir_;
};

TEST_F(Pack, SpriteAndSoundLibrariesLoadWithTheirSettings) {
  std::string err;
  ASSERT_EQ(Run("# a lake maker's boats\n"
                "library sprite\n"
                "item my boat\n"
                "picture boats.bmp\n"
                "pattern 16 16   # four frames\n"
                "color clFuchsia\n"
                "item whole\n"
                "picture boats.bmp\n"
                "transparent 0\n"
                "systemmemory 1\n",
                "my.dxg", err),
            0)
      << err;
  TDXImageList images;
  images.LoadFromFile((dir_ / "my.dxg").string());
  ASSERT_EQ(images.Count(), 2);
  const auto& boat = images.Find("MY BOAT");
  EXPECT_EQ(boat.FrameCount(), 4);
  EXPECT_EQ(boat.TransparentColor, 0xFF00FFu);
  EXPECT_EQ(boat.GetPicture().At(0, 0), 0xFF00FFu);
  EXPECT_FALSE(images.Find("whole").Transparent);
  EXPECT_TRUE(images.Find("whole").SystemMemory);

  ASSERT_EQ(Run("library sound\nitem honk\nwave honk.wav\nmaxplaying 2\nitem drone\n"
                "wave honk.wav\nlooped 1\n",
                "my.dxw", err),
            0)
      << err;
  TDXWaveList sounds;
  sounds.LoadFromFile((dir_ / "my.dxw").string());
  EXPECT_EQ(sounds.Find("honk").MaxPlayingCount, 2);
  EXPECT_TRUE(sounds.Find("drone").Looped);
}

TEST_F(Pack, MistakesAreReportedWithTheirLineAndNothingIsWritten) {
  struct Case {
    const char* manifest;
    const char* says;
  } cases[] = {
      {"item x\n", "line 1: the manifest must start with 'library sprite' or 'library sound'"},
      {"library sprite\nitem x\npicture boats.bmp\nwobble 3\n", "line 4: unknown setting 'wobble'"},
      {"library sprite\nitem x\npicture boats.bmp\npattern 100 16\n", "line 2: the frames of 'x'"},
      {"library sprite\nitem x\npicture boats.bmp\npattern 16 x\n", "line 4: 'x' is not a number"},
      {"library sprite\nitem x\n", "line 2: item 'x' has no picture"},
      {"library sound\nitem x\nwave boats.bmp\n", "line 2: boats.bmp: Wave is invalid"},
      {"library sprite\nitem x\npicture honk.wav\n", "line 2: honk.wav: DIB is invalid"},
      {"library sprite\nitem x\npicture gone.bmp\n", "Cannot open file"},
      {"library sprite\ncolor 5\n", "line 2: 'color' comes before the first item"},
      {"library sprite\nitem x\npicture boats.bmp\ncolor $1000000\n", "line 4: a colour is"},
  };
  for (const Case& c : cases) {
    std::string err;
    EXPECT_EQ(Run(c.manifest, "bad.dxg", err), 1) << c.manifest;
    EXPECT_NE(err.find(c.says), std::string::npos) << c.manifest << "\nsaid: " << err;
    EXPECT_FALSE(fs::exists(dir_ / "bad.dxg")) << c.manifest;
  }
}

}  // namespace
}  // namespace tw::bake
