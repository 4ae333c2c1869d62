#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "media/sound.h"
#include "media/wave_list.h"
#include "platform/headless/headless_audio.h"
#include "platform/sdl/sdl_audio.h"

namespace tw {
namespace {

// Writes a running count into the left channel and remembers how much was
// pulled.
class CountingSource : public AudioSource {
 public:
  std::atomic<size_t> pulled{0};
  void Render(int16_t* stereo, size_t frames) override {
    for (size_t i = 0; i < frames; ++i) {
      stereo[2 * i] = static_cast<int16_t>(pulled + i);
      stereo[2 * i + 1] = 0;
    }
    pulled += frames;
  }
};

// The SDL tests play on SDL's dummy driver, never on a real sound card.
class SdlAudio : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

TEST(HeadlessAudio, RendersFromTheSourceOnlyWhileOpen) {
  HeadlessAudioOutput out;
  CountingSource src;
  EXPECT_EQ(out.Render(4)[0], 0);
  ASSERT_TRUE(out.Open(44100, &src));
  auto s = out.Render(4);
  ASSERT_EQ(s.size(), 8u);
  EXPECT_EQ(s[6], 3);
  out.Close();
  out.Render(4);
  EXPECT_EQ(src.pulled, 4u);
}

TEST(HeadlessAudio, AbsentDeviceRefusesAndRemovedDeviceIsReopenedOrLost) {
  HeadlessAudioOutput absent(false);
  CountingSource src;
  EXPECT_FALSE(absent.Open(44100, &src));
  EXPECT_FALSE(absent.IsOpen());

  HeadlessAudioOutput out;
  ASSERT_TRUE(out.Open(44100, &src));
  out.RemoveDevice();
  EXPECT_TRUE(out.IsOpen());
  EXPECT_EQ(out.OpenCount(), 2);
  EXPECT_FALSE(out.Lost());
  out.SetPresent(false);
  out.RemoveDevice();
  EXPECT_FALSE(out.IsOpen());
  EXPECT_TRUE(out.Lost());
  out.SetPresent(true);
  ASSERT_TRUE(out.Open(44100, &src));
  EXPECT_FALSE(out.Lost()) << "opening again brings the sound back";
}

TEST_F(SdlAudio, DummyDeviceOpensPullsAndCloses) {
  SdlAudioOutput out;
  CountingSource src;
  ASSERT_TRUE(out.Open(44100, &src)) << SDL_GetError();
  EXPECT_TRUE(out.IsOpen());
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (src.pulled == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_GT(src.pulled.load(), 0u) << "the device thread calls the mixer";
  out.Lock();
  size_t held = src.pulled;
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_EQ(src.pulled.load(), held) << "nothing is pulled while locked";
  out.Unlock();
  out.Close();
  EXPECT_FALSE(out.IsOpen());
  size_t after = src.pulled;
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_EQ(src.pulled.load(), after);
}

TEST_F(SdlAudio, RemovedDeviceIsReopenedAndOthersAreIgnored) {
  SdlAudioOutput out;
  CountingSource src;
  ASSERT_TRUE(out.Open(44100, &src)) << SDL_GetError();
  uint32_t id = out.DeviceId();
  out.HandleDeviceRemoved(id + 100);
  EXPECT_EQ(out.DeviceId(), id);
  out.HandleDeviceRemoved(id);
  EXPECT_TRUE(out.IsOpen());
  EXPECT_FALSE(out.Lost());
  // Lock and unlock still pair up across the change of device.
  out.Lock();
  out.Unlock();
  out.Close();
  out.HandleDeviceRemoved(id);  // closed: nothing to do
  EXPECT_FALSE(out.IsOpen());
}

TEST(HeadlessAudio, CarriesTheWholeSoundDevice) {
  HeadlessAudioOutput out;
  TDXSound sound(out);
  TDXWaveList sounds(&sound);
  sounds.Add("splash", MakePcmWave(1, 44100, 8, {0xC0, 0xC0, 0xC0}));
  sound.Initialize();
  EXPECT_EQ(out.Rate(), TDXSound::kRate);
  sounds.Find("splash").Play();
  auto s = out.Render(4);
  EXPECT_EQ(s[0], 16384);
  EXPECT_EQ(s[1], 16384);
  EXPECT_EQ(s[6], 0);
  EXPECT_FALSE(sounds.Find("splash").Sounding());

  out.SetPresent(false);
  out.RemoveDevice();
  EXPECT_FALSE(sound.Initialized()) << "a device that cannot come back leaves the game silent";
  sounds.Find("splash").Play();
  EXPECT_EQ(out.Render(1)[0], 0);
}

TEST_F(SdlAudio, SoundDevicePlaysThroughTheCallback) {
  SdlAudioOutput out;
  TDXSound sound(out);
  TDXWaveList sounds(&sound);
  // A tenth of a second: the dummy device plays it out in about real time.
  sounds.Add("cast", MakePcmWave(1, 44100, 16, std::vector<uint8_t>(8820, 0x10)));
  sound.Initialize();
  auto& cast = sounds.Find("cast");
  cast.Play();
  EXPECT_TRUE(cast.Sounding());
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (cast.Sounding() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(cast.Sounding());
  sound.Finalize();
  EXPECT_FALSE(out.IsOpen());
}

}  // namespace
}  // namespace tw
