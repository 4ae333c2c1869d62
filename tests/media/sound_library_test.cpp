#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/error.h"
#include "media/container.h"
#include "media/library_writer.h"
#include "media/sound.h"
#include "media/wave_list.h"
#include "platform/headless/headless_audio.h"

namespace tw {
namespace {

using Bytes = std::vector<uint8_t>;

ContainerProperty Prop(std::string name, ContainerValue v) {
  return {std::move(name), std::move(v)};
}
ContainerValue Int(int64_t i) {
  ContainerValue v;
  v.Type = ValueType::Int32;
  v.Integer = i;
  return v;
}

Bytes WaveBytes(uint8_t sample) {
  return EncodeWave(MakePcmWave(1, 22050, 8, {sample, sample}));
}

ContainerItem Sound(const std::string& name, uint8_t sample = 0x90) {
  return {Prop("Name", TextValue(name)), Prop("Wave.WAVE", BinaryValue(WaveBytes(sample)))};
}

Bytes Library(std::vector<ContainerItem> items) {
  return WriteContainer(SoundLibraryContainer(std::move(items)));
}

TEST(SoundLibrary, ReadsItemsWithTheirPropertiesAndDefaults) {
  ContainerItem loop = Sound("canada.dxg", 0xA0);
  loop.push_back(Prop("Looped", BoolValue(true)));
  ContainerItem limited = Sound("splash");
  limited.push_back(Prop("MaxPlayingCount", Int(3)));
  ContainerItem negative = Sound("reel");
  negative.push_back(Prop("MaxPlayingCount", Int(-4)));
  ContainerItem bare = {Prop("Name", TextValue("silent"))};

  TDXWaveList list;
  list.LoadFromBytes(Library({loop, limited, negative, bare}));
  ASSERT_EQ(list.Count(), 4);
  EXPECT_TRUE(list.Items(0).Looped);
  EXPECT_EQ(list.Items(0).Wave().Samples, (Bytes{0xA0, 0xA0}));
  EXPECT_EQ(list.Items(0).Wave().SamplesPerSec, 22050u);
  EXPECT_FALSE(list.Items(1).Looped);
  EXPECT_EQ(list.Items(1).MaxPlayingCount, 3);
  EXPECT_EQ(list.Items(2).MaxPlayingCount, 0) << "a negative limit means no limit";
  EXPECT_EQ(list.Items(3).Wave().SampleFrames(), 0u) << "an item without a wave is silent";
}

TEST(SoundLibrary, FindIgnoresLetterCaseAndTheItemNamedLastWins) {
  TDXWaveList list;
  list.LoadFromBytes(Library({Sound("Cast", 1), Sound("reel", 2), Sound("CAST", 3), Sound("a")}));
  EXPECT_EQ(list.Find("cast").Wave().Samples[0], 3);
  EXPECT_EQ(list.Find("Reel").Wave().Samples[0], 2);
  EXPECT_EQ(list.IndexOf("cAsT"), 2);
  EXPECT_EQ(list.IndexOf("A"), 3) << "one-letter names hash by length only";
  EXPECT_EQ(list.IndexOf("casts"), -1);
  try {
    list.Find("Splash");
    FAIL();
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Wave 'Splash' not found");
  }
  EXPECT_THROW(list.Items(4), GameError);
  EXPECT_THROW(list.Items(-1), GameError);

  // A renamed item is found once the index is rebuilt.
  list.Items(1).Name = "spool";
  list.Rehash();
  EXPECT_EQ(list.IndexOf("spool"), 1);
  EXPECT_EQ(list.IndexOf("reel"), -1);
}

TEST(SoundLibrary, NameHashFollowsTheLibraryRule) {
  // (length × 16 + first + second-to-last) mod 256 over the lower-case name.
  EXPECT_EQ(NameHash("cast"), (4 * 16 + 'c' + 's') % 256);
  EXPECT_EQ(NameHash("CAST"), NameHash("cast"));
  EXPECT_EQ(NameHash("x"), 16);
  EXPECT_EQ(NameHash(""), 0);
}

TEST(SoundLibrary, LoadingWhileTheDeviceRunsMakesItemsPlayable) {
  HeadlessAudioOutput out;
  TDXSound sound(out);
  TDXWaveList list(&sound);
  sound.Initialize();
  list.LoadFromBytes(Library({Sound("cast")}));
  EXPECT_TRUE(list.Find("cast").Playable());
  list.Find("cast").Play();
  EXPECT_EQ(sound.GetMixer().VoicesInUse(), 2);
  // Loading again frees the old items' voices.
  list.LoadFromBytes(Library({Sound("reel")}));
  EXPECT_EQ(sound.GetMixer().VoicesInUse(), 1);
  EXPECT_EQ(list.IndexOf("cast"), -1);
}

TEST(SoundLibrary, DamagedFilesAreRefusedAndTheOldItemsKept) {
  TDXWaveList list;
  list.LoadFromBytes(Library({Sound("cast")}));
  const Bytes good = Library({Sound("reel")});

  Bytes badHead = good;
  badHead[0] = 0xFE;
  Bytes badSignature = good;
  for (size_t i = 0; i + 4 <= badSignature.size(); ++i)
    if (badSignature[i] == 'T' && badSignature[i + 1] == 'P' && badSignature[i + 2] == 'F') {
      badSignature[i + 3] = '1';
      break;
    }
  Bytes cut = Bytes(good.begin(), good.end() - 9);
  Bytes notRiff = WaveBytes(1);
  notRiff[0] = 'R' + 1;
  Bytes shortWave = WaveBytes(1);
  shortWave.resize(30);
  ContainerItem wrongType = {Prop("Name", TextValue("x")), Prop("Wave.WAVE", TextValue("RIFF"))};

  struct Case {
    const char* what;
    Bytes bytes;
    const char* message;
  } cases[] = {
      {"empty file", {}, "Invalid stream format"},
      {"wrong head", badHead, "Invalid stream format"},
      {"wrong signature", badSignature, "Invalid stream format"},
      {"cut short", cut, "Invalid stream format"},
      {"wave not RIFF", Library({{Prop("Wave.WAVE", BinaryValue(notRiff))}}), "Wave is invalid"},
      {"wave cut short", Library({{Prop("Wave.WAVE", BinaryValue(shortWave))}}), "Wave is invalid"},
      {"wave as text", Library({wrongType}), "Invalid stream format"},
  };
  for (const auto& c : cases) {
    try {
      list.LoadFromBytes(c.bytes);
      ADD_FAILURE() << c.what << ": accepted";
    } catch (const GameError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.what;
    }
    EXPECT_EQ(list.IndexOf("cast"), 0) << c.what << ": the old items stay";
  }
}

TEST(SoundLibrary, LoadsFromAFileAndNamesAMissingOne) {
  std::string path = ::testing::TempDir() + "snd_library_test.dxw";
  Bytes bytes = Library({Sound("music")});
  {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  }
  TDXWaveList list;
  list.LoadFromFile(path);
  EXPECT_EQ(list.Count(), 1);
  std::remove(path.c_str());
  try {
    list.LoadFromFile(path);
    FAIL();
  } catch (const GameError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + path);
  }
}

TEST(SoundLibrary, LibraryAndDeviceMayEndInEitherOrder) {
  HeadlessAudioOutput out;
  auto sound = std::make_unique<TDXSound>(out);
  auto list = std::make_unique<TDXWaveList>(sound.get());
  list->Add("cast", MakePcmWave(1, 22050, 8, {1, 2}));
  sound->Initialize();
  list->Find("cast").Play();
  sound.reset();  // the library is unbound, its items silent
  EXPECT_EQ(list->DXSound(), nullptr);
  list->Find("cast").Play();
  EXPECT_FALSE(list->Find("cast").Playable());

  auto sound2 = std::make_unique<TDXSound>(out);
  list->SetDXSound(sound2.get());
  sound2->Initialize();
  list->Find("cast").Play();
  list.reset();  // the device forgets the library and its voices
  EXPECT_EQ(sound2->GetMixer().VoicesInUse(), 0);
  sound2->Finalize();
}

}  // namespace
}  // namespace tw
