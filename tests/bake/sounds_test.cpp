// The generated sound libraries: every sound the game asks for is there, in
// one common format, loops join without a click, and the synthesis repeats
// itself exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "bake/sound_effects.h"
#include "bake/synth.h"
#include "media/wave_list.h"

namespace tw::bake {
namespace {

std::vector<int16_t> SamplesOf(const WaveData& w) {
  std::vector<int16_t> s(w.Samples.size() / 2);
  for (size_t i = 0; i < s.size(); ++i) {
    s[i] = static_cast<int16_t>(w.Samples[2 * i] | (w.Samples[2 * i + 1] << 8));
  }
  return s;
}

void ExpectCommonFormat(const TWaveCollectionItem& item) {
  SCOPED_TRACE(item.Name);
  const WaveData& w = item.Wave();
  EXPECT_EQ(w.FormatTag, kWaveFormatPcm);
  EXPECT_EQ(w.Channels, 1);
  EXPECT_EQ(w.SamplesPerSec, 22050u);
  EXPECT_EQ(w.BitsPerSample, 16);
  const std::vector<int16_t> s = SamplesOf(w);
  int peak = 0;
  for (int16_t v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
  EXPECT_GT(peak, 8000) << "too quiet to hear";
}

// A loop clicks when the jump from its last sample back to its first is
// larger than the sound's own sample-to-sample steps.
void ExpectSeamless(const TWaveCollectionItem& item) {
  SCOPED_TRACE(item.Name);
  const std::vector<int16_t> s = SamplesOf(item.Wave());
  ASSERT_GT(s.size(), 100u);
  std::vector<int> steps;
  for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
  std::nth_element(steps.begin(), steps.begin() + steps.size() * 9 / 10, steps.end());
  const int typical = std::max(steps[steps.size() * 9 / 10], 16);
  EXPECT_LE(std::abs(s.front() - s.back()), typical);
  EXPECT_LE(std::abs(static_cast<int>(s.front())), typical) << "loop should start at a crossing";
}

TEST(SoundLibrary, EffectsHoldEverySoundThePlayUsesAndEveryMonsterVoice) {
  TDXWaveList list;
  list.LoadFromBytes(WriteSoundLibrary(MakeEffects()));
  std::vector<std::string> names = {"gas",  "startgas", "cast", "reel",  "minisplash", "splash",
                                    "bell", "coins",    "hook", "boing", "caught"};
  for (const std::string& kind : MonsterKinds()) names.push_back(kind);
  for (const std::string& name : names) {
    TWaveCollectionItem& item = list.Find(name);
    ExpectCommonFormat(item);
    const bool loop = name == "gas" || name == "reel";
    EXPECT_EQ(item.Looped, loop) << name;
    if (loop) {
      ExpectSeamless(item);
    } else {
      // One-shots fade in and out, so they neither start nor stop with a click.
      const std::vector<int16_t> s = SamplesOf(item.Wave());
      EXPECT_LE(std::abs(static_cast<int>(s.front())), 64) << name;
      EXPECT_LE(std::abs(static_cast<int>(s.back())), 64) << name;
    }
  }
}

TEST(SoundLibrary, MusicHoldsTheTitleTuneAndAnAmbientLoopPerLakeStyle) {
  TDXWaveList list;
  list.LoadFromBytes(WriteSoundLibrary(MakeMusic()));
  TWaveCollectionItem& music = list.Find("music");
  ExpectCommonFormat(music);
  EXPECT_TRUE(music.Looped);
  const double seconds = music.Wave().SampleFrames() / 22050.0;
  EXPECT_GE(seconds, 20.0);
  EXPECT_LE(seconds, 30.0);
  ExpectSeamless(music);
  for (const std::string& style : LakeStyles()) {
    TWaveCollectionItem& ambience = list.Find(style);
    ExpectCommonFormat(ambience);
    EXPECT_TRUE(ambience.Looped);
    const double s = ambience.Wave().SampleFrames() / 22050.0;
    EXPECT_GE(s, 8.0) << style;
    EXPECT_LE(s, 15.0) << style;
    ExpectSeamless(ambience);
  }
}

TEST(SoundLibrary, SynthesisGivesTheSameBytesEveryRun) {
  EXPECT_EQ(WriteSoundLibrary(MakeEffects()), WriteSoundLibrary(MakeEffects()));
  EXPECT_EQ(WriteSoundLibrary(MakeMusic()), WriteSoundLibrary(MakeMusic()));
}

TEST(Synth, SeamlessLoopJoinsAnyRenderingAndStartsAtACrossing) {
  // A rising tone that would jump at the seam if simply cut.
  Sound rendering(3000);
  for (size_t i = 0; i < rendering.size(); ++i) {
    rendering[i] = static_cast<float>(std::sin(0.001 * i * i * 0.05) + 0.3 * std::sin(0.2 * i));
  }
  const Sound loop = SeamlessLoop(rendering, 2500, 400);
  ASSERT_EQ(loop.size(), 2500u);
  EXPECT_LT(loop.back(), 0.0f);
  EXPECT_GE(loop.front(), 0.0f);
  EXPECT_LT(std::fabs(loop.front() - loop.back()), 0.5f);
}

}  // namespace
}  // namespace tw::bake
