#include "media/sound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/error.h"
#include "media/container.h"
#include "media/wave_list.h"
#include "platform/headless/headless_audio.h"

namespace tw {
namespace {

// A 16-bit mono wave at the device rate whose samples count up from `first`,
// so a rendered sample tells how far into the wave a voice is.
WaveData Ramp(int frames, int16_t first = 100, uint32_t rate = TDXSound::kRate) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < frames; ++i) {
    int16_t s = static_cast<int16_t>(first + i);
    bytes.push_back(static_cast<uint8_t>(s & 0xFF));
    bytes.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
  }
  return MakePcmWave(1, rate, 16, std::move(bytes));
}

// The left channel of `frames` frames pulled from the output.
std::vector<int16_t> Left(HeadlessAudioOutput& out, size_t frames) {
  const std::span<const int16_t> stereo = out.Render(frames);
  std::vector<int16_t> left(frames);
  for (size_t i = 0; i < frames; ++i) left[i] = stereo[2 * i];
  return left;
}

struct Rig {
  HeadlessAudioOutput out;
  TDXSound sound{out};
  TDXWaveList sounds{&sound};
};

TEST(SoundDevice, OffMeansEveryCallIsASilentNoOp) {
  Rig r;
  auto& item = r.sounds.Add("cast", Ramp(100));
  EXPECT_FALSE(item.Playable());
  item.Play();
  item.SetVolume(-500);
  item.Stop();
  EXPECT_FALSE(item.Sounding());
  EXPECT_EQ(item.CopyCount(), 0);
  EXPECT_EQ(item.Volume(), -500) << "the value is kept for when the device runs";
  r.sound.Finalize();  // finalising an off device does nothing
  EXPECT_FALSE(r.sound.Initialized());
}

TEST(SoundDevice, RefusedOutputLeavesTheDeviceOffAndSilent) {
  Rig r;
  auto& item = r.sounds.Add("cast", Ramp(100));
  r.out.SetPresent(false);
  try {
    r.sound.Initialize();
    FAIL() << "opened";
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Primary Buffer cannot be made");
  }
  EXPECT_FALSE(r.sound.Initialized());
  item.Play();
  EXPECT_FALSE(item.Sounding());

  HeadlessAudioOutput out;
  TDXSound formless(out, false);
  EXPECT_THROW(
      {
        try {
          formless.Initialize();
        } catch (const GameError& e) {
          EXPECT_STREQ(e.what(), "Form not found");
          throw;
        }
      },
      GameError);
}

TEST(SoundDevice, RunningDeviceMakesItemsPlayableAndFinalizeStopsAll) {
  Rig r;
  auto& before = r.sounds.Add("reel", Ramp(1000));
  r.sound.Initialize();
  auto& after = r.sounds.Add("splash", Ramp(1000));
  EXPECT_TRUE(before.Playable());
  EXPECT_TRUE(after.Playable());
  before.Play();
  after.Play();
  EXPECT_TRUE(before.Sounding());
  EXPECT_EQ(r.out.LocksHeld(), 0) << "every lock is released";
  r.sound.Finalize();
  EXPECT_FALSE(before.Playable());
  EXPECT_EQ(before.CopyCount(), 0);
  EXPECT_EQ(r.sound.GetMixer().VoicesInUse(), 0);
  EXPECT_FALSE(r.out.IsOpen());
  // Started again, the items are playable from scratch.
  r.sound.Initialize();
  after.Play();
  EXPECT_TRUE(after.Sounding());
}

TEST(SoundDevice, LostOutputSilencesTheGameUntilStartedAgain) {
  Rig r;
  auto& item = r.sounds.Add("reel", Ramp(1000));
  r.sound.Initialize();
  r.out.SetPresent(false);
  r.out.RemoveDevice();
  EXPECT_FALSE(r.sound.Initialized());
  item.Play();
  EXPECT_EQ(item.CopyCount(), 0);
  r.out.SetPresent(true);
  r.sound.Initialize();
  item.Play();
  EXPECT_EQ(item.CopyCount(), 1);
}

TEST(SoundItem, MaxPlayingCountReusesTheOldestCopy) {
  Rig r;
  r.sound.Initialize();
  auto& item = r.sounds.Add("splash", Ramp(1000));
  item.MaxPlayingCount = 2;
  item.Play();
  int32_t first = item.CopyVoices()[0];
  Left(r.out, 10);
  item.Play();
  Left(r.out, 10);
  EXPECT_EQ(r.sound.GetMixer().Position(first), 20u);
  item.Play();  // both copies sound: the first is cut off and restarted
  ASSERT_EQ(item.CopyCount(), 2);
  EXPECT_EQ(item.CopyVoices()[1], first) << "the reused copy becomes the newest";
  EXPECT_EQ(r.sound.GetMixer().Position(first), 0u);
  // Two copies at positions 10 and 0 sound together: 110 + 100.
  EXPECT_EQ(Left(r.out, 1)[0], 210);
}

TEST(SoundItem, NoLimitMakesACopyPerOverlappingPlayAndReusesFinishedOnes) {
  Rig r;
  r.sound.Initialize();
  auto& item = r.sounds.Add("cast", Ramp(50));
  const WaveData* samples = &item.Wave();
  for (int i = 0; i < 5; ++i) item.Play();
  EXPECT_EQ(item.CopyCount(), 5);
  EXPECT_EQ(&item.Wave(), samples);
  Left(r.out, 60);  // all five have finished
  EXPECT_FALSE(item.Sounding());
  item.Play();
  EXPECT_EQ(item.CopyCount(), 5) << "a finished copy is played again";
}

TEST(SoundItem, LoopedPlayRestartsFromTheBeginning) {
  Rig r;
  r.sound.Initialize();
  auto& item = r.sounds.Add("canada.dxg", Ramp(30));
  item.Looped = true;
  item.Play();
  EXPECT_EQ(Left(r.out, 40)[35], 105) << "loops over";
  item.Play();  // while sounding
  EXPECT_EQ(Left(r.out, 1)[0], 100);
  EXPECT_EQ(item.CopyCount(), 0) << "a looped item plays only its own buffer";
  Left(r.out, 4);
  item.Stop();
  EXPECT_FALSE(item.Sounding());
  EXPECT_EQ(Left(r.out, 1)[0], 0);
  item.Play();
  EXPECT_EQ(Left(r.out, 1)[0], 100);
}

TEST(SoundItem, StopLeavesCopiesWhereTheyAre) {
  Rig r;
  r.sound.Initialize();
  auto& item = r.sounds.Add("reel", Ramp(100));
  item.Play();
  Left(r.out, 7);
  item.Stop();
  EXPECT_FALSE(item.Sounding());
  EXPECT_EQ(r.sound.GetMixer().Position(item.CopyVoices()[0]), 7u);
}

TEST(SoundItem, VolumeMinus500IsFiveDecibelsQuieter) {
  Rig r;
  r.sound.Initialize();
  auto& item = r.sounds.Add("reel", Ramp(10, 20000));
  item.Play();
  int16_t loud = Left(r.out, 1)[0];
  item.SetVolume(-500);
  item.Play();  // the first copy still sounds, so a second one starts
  item.Stop();
  item.Play();  // the first copy again, now with the new volume
  int16_t quiet = Left(r.out, 1)[0];
  EXPECT_EQ(loud, 20000);
  EXPECT_NEAR(20.0 * std::log10(static_cast<double>(quiet) / loud), -5.0, 0.01);
}

TEST(SoundItem, LoopedItemTakesVolumeAndPanAtOnce) {
  Rig r;
  r.sound.Initialize();
  auto& item = r.sounds.Add("music", Ramp(100, 20000));
  item.Looped = true;
  item.Play();
  item.SetVolume(-10000);
  EXPECT_EQ(Left(r.out, 1)[0], 0);
  item.SetVolume(0);
  item.SetPan(10000);
  EXPECT_EQ(Left(r.out, 1)[0], 0) << "panned right, the left side is silent";
}

TEST(SoundDevice, PlayHookHearsOnlySoundsThatStart) {
  Rig r;
  std::vector<std::string> heard;
  r.sound.SetPlayHook([&](const TWaveCollectionItem& item) { heard.push_back(item.Name); });
  auto& cast = r.sounds.Add("cast", Ramp(10));
  cast.Play();  // device off
  r.sound.Initialize();
  cast.Play();
  r.sounds.Add("reel", Ramp(10)).Play();
  EXPECT_EQ(heard, (std::vector<std::string>{"cast", "reel"}));
}

TEST(SoundItem, PlayWithWaitReturnsOnAStalledDevice) {
  Rig r;
  r.sound.Initialize();
  auto& item = r.sounds.Add("cast", Ramp(441));  // 10 ms; nothing renders
  auto start = std::chrono::steady_clock::now();
  item.Play(true);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

}  // namespace
}  // namespace tw
