#include "media/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "media/wave.h"

namespace tw {
namespace {

std::shared_ptr<const WaveData> Mono16(std::vector<int16_t> samples, uint32_t rate = 44100) {
  std::vector<uint8_t> bytes;
  for (int16_t s : samples) {
    bytes.push_back(static_cast<uint8_t>(s & 0xFF));
    bytes.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
  }
  return std::make_shared<const WaveData>(MakePcmWave(1, rate, 16, std::move(bytes)));
}

std::vector<int16_t> Render(Mixer& m, size_t frames) {
  std::vector<int16_t> out(frames * 2, 12345);
  m.Render(out.data(), frames);
  return out;
}

TEST(Mixer, PlaysSixteenBitMonoUnchangedOnBothSides) {
  Mixer m;
  int32_t v = m.CreateVoice(Mono16({1000, -2000, 32767, -32768}));
  m.Play(v, false);
  auto out = Render(m, 6);
  EXPECT_EQ(out, (std::vector<int16_t>{1000, 1000, -2000, -2000, 32767, 32767, -32768, -32768, 0, 0,
                                       0, 0}));
  EXPECT_FALSE(m.Playing(v)) << "a non-looped voice stops at its end";
}

TEST(Mixer, WidensEightBitAndKeepsStereoSides) {
  Mixer m;
  auto w = std::make_shared<const WaveData>(MakePcmWave(2, 44100, 8, {0x80, 0xFF, 0x00, 0xC0}));
  int32_t v = m.CreateVoice(w);
  m.Play(v, false);
  auto out = Render(m, 2);
  EXPECT_EQ(out, (std::vector<int16_t>{0, 32512, -32768, 16384}));
}

TEST(Mixer, VolumeIsAttenuationInHundredthsOfADecibel) {
  EXPECT_EQ(GainFromHundredthsDb(0), kUnityGain);
  EXPECT_EQ(GainFromHundredthsDb(-10000), 0);
  EXPECT_EQ(GainFromHundredthsDb(-20000), 0);
  EXPECT_EQ(GainFromHundredthsDb(300), kUnityGain) << "no amplification above 0";

  Mixer m;
  int32_t v = m.CreateVoice(Mono16({20000}));
  m.SetVolume(v, -500);
  m.Play(v, false);
  auto out = Render(m, 1);
  double db = 20.0 * std::log10(out[0] / 20000.0);
  EXPECT_NEAR(db, -5.0, 0.01);

  m.SetVolume(v, -10000);
  m.SetPosition(v, 0);
  m.Play(v, false);
  EXPECT_EQ(Render(m, 1)[0], 0) << "-10000 is silent";
}

TEST(Mixer, GroupVolumeScalesEachVoiceBeforeTheClampAndMuteSilencesAll) {
  Mixer m;
  auto w = Mono16({30000, 20000, 30000, 20000});
  const int32_t effect = m.CreateVoice(w, 0);
  const int32_t music = m.CreateVoice(w, 1);
  auto level = [&](int32_t effects, int32_t musicVolume) {
    m.SetGroupVolume(0, effects);
    m.SetGroupVolume(1, musicVolume);
    m.SetPosition(effect, 0);
    m.SetPosition(music, 0);
    m.Play(effect, false);
    m.Play(music, false);
    return Render(m, 2);
  };
  // Two full voices would clip; scaled first, the sum stays true.
  EXPECT_EQ(level(100, 0), (std::vector<int16_t>{30000, 30000, 20000, 20000}));
  EXPECT_EQ(level(50, 50), (std::vector<int16_t>{30000, 30000, 20000, 20000}));
  EXPECT_EQ(level(50, 0), (std::vector<int16_t>{15000, 15000, 10000, 10000}));
  EXPECT_EQ(level(0, 0), (std::vector<int16_t>{0, 0, 0, 0}));
  EXPECT_EQ(level(100, 100), (std::vector<int16_t>{32767, 32767, 32767, 32767}));
  m.SetGroupVolume(1, 250);
  EXPECT_EQ(m.GroupVolume(1), 100) << "no more than full";
  m.SetMuted(true);
  EXPECT_EQ(level(100, 100), (std::vector<int16_t>{0, 0, 0, 0}));
  EXPECT_EQ(m.Position(effect), 2u) << "a muted voice still moves on";
  m.SetMuted(false);

  // A held group stands where it is and sounds on from there.
  m.SetGroupHeld(0, true);
  m.SetGroupVolume(1, 0);
  m.SetPosition(effect, 0);
  m.Play(effect, false);
  EXPECT_EQ(Render(m, 2), (std::vector<int16_t>{0, 0, 0, 0}));
  EXPECT_EQ(m.Position(effect), 0u);
  m.SetGroupHeld(0, false);
  EXPECT_EQ(Render(m, 1), (std::vector<int16_t>{30000, 30000}));
}

TEST(Mixer, PanAttenuatesTheFarSide) {
  Mixer m;
  auto w = Mono16({20000});
  int32_t right = m.CreateVoice(w);
  m.SetPan(right, 10000);
  m.Play(right, false);
  auto out = Render(m, 1);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], 20000);

  int32_t left = m.CreateVoice(w);
  m.SetPan(left, -600);
  m.Play(left, false);
  out = Render(m, 1);
  EXPECT_EQ(out[0], 20000);
  EXPECT_NEAR(20.0 * std::log10(out[1] / 20000.0), -6.0, 0.01);
}

TEST(Mixer, SumsVoicesAndClampsInsteadOfWrapping) {
  Mixer m;
  auto w = Mono16({30000, -30000});
  int32_t a = m.CreateVoice(w);
  int32_t b = m.CreateVoice(w);
  m.Play(a, false);
  m.Play(b, false);
  auto out = Render(m, 2);
  EXPECT_EQ(out, (std::vector<int16_t>{32767, 32767, -32768, -32768}));
}

TEST(Mixer, LoopedVoiceWrapsToItsStart) {
  Mixer m;
  int32_t v = m.CreateVoice(Mono16({1, 2, 3}));
  m.Play(v, true);
  auto out = Render(m, 7);
  std::vector<int16_t> left;
  for (size_t i = 0; i < out.size(); i += 2) left.push_back(out[i]);
  EXPECT_EQ(left, (std::vector<int16_t>{1, 2, 3, 1, 2, 3, 1}));
  EXPECT_TRUE(m.Playing(v));
  EXPECT_EQ(m.Position(v), 1u);
  m.Stop(v);
  EXPECT_EQ(Render(m, 1)[0], 0);
  EXPECT_EQ(m.Position(v), 1u) << "stopping does not rewind";
}

TEST(Mixer, RateFollowsTheWaveOrTheFrequencySet) {
  Mixer m;
  auto slow = Mono16({0, 1000, 2000}, 22050);
  int32_t v = m.CreateVoice(slow);
  m.Play(v, false);
  auto out = Render(m, 4);
  // Half the device rate: every other output frame lies between two samples.
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[2], 500);
  EXPECT_EQ(out[4], 1000);
  EXPECT_EQ(out[6], 1500);

  m.SetFrequency(v, 88200);
  m.SetPosition(v, 0);
  m.Play(v, false);
  out = Render(m, 2);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[2], 2000) << "twice the device rate skips a sample";

  m.SetFrequency(v, 0);
  m.SetDeviceRate(22050);
  m.SetPosition(v, 0);
  m.Play(v, false);
  out = Render(m, 2);
  EXPECT_EQ(out[2], 1000) << "0 is the wave's own rate";
}

TEST(Mixer, VoicesShareSamplesAndTheirNumberIsBounded) {
  Mixer m;
  auto w = Mono16({1, 2, 3, 4});
  std::vector<int32_t> ids;
  for (int i = 0; i < Mixer::kMaxVoices; ++i) ids.push_back(m.CreateVoice(w));
  EXPECT_EQ(w.use_count(), 1 + Mixer::kMaxVoices) << "voices hold the one wave, not copies";
  EXPECT_EQ(m.CreateVoice(w), -1);
  m.FreeVoice(ids[7]);
  EXPECT_EQ(m.CreateVoice(w), ids[7]);
  m.FreeAll();
  EXPECT_EQ(m.VoicesInUse(), 0);
  EXPECT_EQ(w.use_count(), 1);
  // Freed or foreign handles are ignored.
  m.Play(ids[0], true);
  m.SetVolume(-1, 0);
  EXPECT_FALSE(m.Playing(ids[0]));
}

TEST(Mixer, RefusesLayoutsItCannotRead) {
  Mixer m;
  EXPECT_EQ(m.CreateVoice(nullptr), -1);
  WaveData bad = MakePcmWave(1, 8000, 16, {1, 2, 3, 4});
  bad.BlockAlign = 1;  // would make it read twice as many bytes as there are
  EXPECT_EQ(m.CreateVoice(std::make_shared<const WaveData>(bad)), -1);
  EXPECT_EQ(m.CreateVoice(std::make_shared<const WaveData>(MakePcmWave(1, 8000, 24, {}))), -1);
}

TEST(Mixer, RendersLongRequestsAndSilenceWithoutVoices) {
  Mixer m;
  std::vector<int16_t> ramp(1000);
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<int16_t>(i);
  int32_t v = m.CreateVoice(Mono16(ramp));
  m.Play(v, false);
  auto out = Render(m, 1200);
  for (size_t i = 0; i < 1000; ++i) ASSERT_EQ(out[2 * i], static_cast<int16_t>(i)) << i;
  for (size_t i = 1000; i < 1200; ++i) ASSERT_EQ(out[2 * i], 0) << i;

  Mixer empty;
  auto silent = Render(empty, 600);
  for (int16_t s : silent) ASSERT_EQ(s, 0);
}

TEST(Mixer, WaveWithoutSamplesNeverSounds) {
  Mixer m;
  int32_t v = m.CreateVoice(std::make_shared<const WaveData>(MakePcmWave(1, 8000, 8, {})));
  ASSERT_GE(v, 0);
  m.Play(v, true);
  EXPECT_FALSE(m.Playing(v));
  EXPECT_EQ(Render(m, 4)[0], 0);
}

}  // namespace
}  // namespace tw
