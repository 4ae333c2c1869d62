// Effects: the engine, the line, the water, pick-ups and the monsters.
#include "bake/sound_effects.h"

#include <algorithm>
#include <cmath>

#include "bake/synth.h"

namespace tw::bake {
namespace {

double T(size_t i) {
  return static_cast<double>(i) / kSampleRate;
}

// The outboard: a two-stroke's firing pulses at about 55 Hz with a throaty
// filtered rumble. Rich in low partials so it still sounds like an engine
// when the game turns it down while the boat slows.
Sound Engine() {
  const double hz = static_cast<double>(kSampleRate) / 400.0;  // 400 samples a revolution
  const size_t length = 400 * 55;
  const size_t blend = Samples(0.15);
  Noise noise(11);
  LowPass rumble, body;
  Sound s(length + blend);
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = T(i);
    phase += hz / kSampleRate;
    const double p = phase - std::floor(phase);
    // Each revolution: a sharp pulse that dies away, plus the second cylinder.
    double pulse = std::exp(-p * 9.0) + 0.6 * std::exp(-std::fmod(p + 0.5, 1.0) * 11.0);
    pulse *= 1.0 + 0.08 * std::sin(kTwoPi * 3.0 * t);
    const float grit = rumble.Step(noise.White(), 900.0) * 0.9f;
    const float tone = body.Step(static_cast<float>(pulse - 0.35), 1400.0);
    s[i] = tone * 1.6f + grit * static_cast<float>(0.4 + 0.6 * pulse) +
           0.25f * static_cast<float>(std::sin(kTwoPi * hz * 0.5 * t));
  }
  return SeamlessLoop(s, length, blend);
}

// Cranking: three pulls of the starter, then the engine catches.
Sound StartEngine() {
  Sound s(Samples(1.1));
  Noise noise(12);
  LowPass lp;
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = T(i);
    const double pull = std::fmod(t, 0.22);
    double hz, amp;
    if (t < 0.66) {
      hz = 18.0 + 60.0 * pull;
      amp = 0.5 * std::sin(3.14159 * pull / 0.22);
    } else {
      hz = 30.0 + 50.0 * std::min(1.0, (t - 0.66) / 0.2);
      amp = 0.9;
    }
    phase += hz / kSampleRate;
    const double p = phase - std::floor(phase);
    const float thump = static_cast<float>(std::exp(-p * 8.0) * amp);
    s[i] = lp.Step(thump + 0.3f * noise.White() * thump, 1200.0);
  }
  FadeEnds(s, 0.004, 0.15);
  return s;
}

// The rod's whip and the line hissing off the reel.
Sound Cast() {
  Sound s(Samples(0.45));
  Noise noise(13);
  BandPass bp;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = T(i);
    const double centre = 700.0 + 2600.0 * std::sin(3.14159 * std::min(1.0, t / 0.35));
    s[i] = bp.Step(noise.White(), centre, 2.5) * Strike(t, 0.06, 0.12);
  }
  FadeEnds(s);
  return s;
}

// Reel ratchet: clicks at 25 a second, as a loop of whole clicks.
Sound Reel() {
  const size_t click = kSampleRate / 25;  // 882 samples
  const size_t length = click * 12;
  Sound s(length, 0.0f);
  Noise noise(14);
  for (size_t c = 0; c < 12; ++c) {
    Sound tick(Samples(0.02));
    BandPass bp;
    for (size_t i = 0; i < tick.size(); ++i) {
      tick[i] = bp.Step(noise.White(), 3200.0 + 300.0 * (c % 3), 6.0) *
                static_cast<float>(std::exp(-T(i) / 0.003));
    }
    MixInto(s, tick, c * click, c % 2 ? 0.8f : 1.0f, true);
  }
  StartAtZeroCrossing(s);
  return s;
}

// Water struck by something: a burst of filtered noise, a falling "plop"
// and a few bubbles. `size` from 0 (a bobber) to 1 (a fish thrashing).
Sound Splash(double size, uint32_t seed) {
  const double seconds = 0.25 + 0.6 * size;
  Sound s(Samples(seconds));
  Noise noise(seed);
  LowPass lp;
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = T(i);
    const float burst = lp.Step(noise.White(), 5000.0 - 3500.0 * t / seconds) *
                        Strike(t, 0.003, 0.05 + 0.15 * size);
    phase += (500.0 - 300.0 * size) * std::exp(-t * 18.0) / kSampleRate + 120.0 / kSampleRate;
    const float plop = static_cast<float>(std::sin(kTwoPi * phase)) * Strike(t, 0.002, 0.04);
    s[i] = burst * 0.8f + plop * 0.5f;
  }
  Noise bubbles(seed + 1);
  const int count = 2 + static_cast<int>(size * 6);
  for (int b = 0; b < count; ++b) {
    const double hz = 500.0 + 900.0 * bubbles.Unit();
    Sound bubble(Samples(0.05));
    for (size_t i = 0; i < bubble.size(); ++i) {
      const double t = T(i);
      bubble[i] =
          static_cast<float>(std::sin(kTwoPi * hz * (1.0 + 3.0 * t) * t)) * Strike(t, 0.002, 0.015);
    }
    MixInto(s, bubble, Samples(0.05 + (seconds - 0.15) * bubbles.Unit()), 0.25f);
  }
  FadeEnds(s);
  return s;
}

// A sign buoy's bell: inharmonic partials ringing out.
Sound Bell() {
  Sound s(Samples(1.8));
  const double base = 660.0;
  const double ratios[] = {0.5, 1.0, 1.19, 1.56, 2.0, 2.74, 3.76};
  const double gains[] = {0.35, 1.0, 0.5, 0.35, 0.4, 0.2, 0.12};
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = T(i);
    double v = 0.0;
    for (int p = 0; p < 7; ++p) {
      v += gains[p] * std::sin(kTwoPi * base * ratios[p] * t) * std::exp(-t * (1.2 + p * 0.7));
    }
    s[i] = static_cast<float>(v) * Strike(t, 0.002, 10.0);
  }
  FadeEnds(s, 0.002, 0.1);
  return s;
}

// Coins: a handful of bright metallic pings.
Sound Coins() {
  Sound s(Samples(0.7), 0.0f);
  Noise noise(15);
  for (int c = 0; c < 6; ++c) {
    const double hz = 2400.0 + 1800.0 * noise.Unit();
    Sound ping = Tone(hz, 0.3, {1.0f, 0.0f, 0.4f, 0.0f, 0.2f}, 0.001, 0.05);
    MixInto(s, ping, Samples(0.06 * c + 0.02 * noise.Unit()), 0.8f - 0.08f * c);
  }
  FadeEnds(s);
  return s;
}

// The strike: the line snapping tight with a rising zip.
Sound Hook() {
  Sound s(Samples(0.35));
  Noise noise(16);
  BandPass bp;
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = T(i);
    phase += (300.0 + 2200.0 * t / 0.35) / kSampleRate;
    const float twang = static_cast<float>(std::sin(kTwoPi * phase)) * Strike(t, 0.002, 0.12);
    s[i] = twang * 0.7f + bp.Step(noise.White(), 2000.0 + 5000.0 * t, 3.0) * Strike(t, 0.01, 0.05);
  }
  FadeEnds(s);
  return s;
}

// A spring being let go: a wobbling pitch that dies away.
Sound Boing() {
  Sound s(Samples(0.7));
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = T(i);
    const double hz = 220.0 + 160.0 * std::exp(-t * 5.0) * std::sin(kTwoPi * 11.0 * t);
    phase += hz / kSampleRate;
    const double v = std::sin(kTwoPi * phase) + 0.3 * std::sin(2.0 * kTwoPi * phase);
    s[i] = static_cast<float>(v) * Strike(t, 0.003, 0.2);
  }
  FadeEnds(s);
  return s;
}

// A fish in the boat: a bright rising arpeggio on plucked strings.
Sound Caught() {
  Sound s(Samples(1.4), 0.0f);
  const double notes[] = {523.25, 659.25, 783.99, 1046.5};
  for (int n = 0; n < 4; ++n) {
    MixInto(s, Pluck(notes[n], 1.4 - 0.1 * n, 20 + n, 0.7f), Samples(0.1 * n), 1.0f);
  }
  MixInto(s, Pluck(notes[3] / 2, 1.0, 30, 0.4f), Samples(0.4), 0.6f);
  FadeEnds(s, 0.001, 0.2);
  return s;
}

// Monsters: a rough voice with a pitch contour, a noisy breath and a snap.
struct Voice {
  double seconds, startHz, endHz, roughness, breath, snap;
  uint32_t seed;
};

Sound Monster(const Voice& v) {
  Sound s(Samples(v.seconds));
  Noise noise(v.seed);
  LowPass lp, breathLp;
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = T(i);
    const double k = t / v.seconds;
    const double hz = v.startHz + (v.endHz - v.startHz) * k + v.roughness * 6.0 * noise.White();
    phase += hz / kSampleRate;
    const double saw = 2.0 * (phase - std::floor(phase)) - 1.0;
    const float env = static_cast<float>(std::sin(3.14159 * std::min(1.0, k * 1.1)));
    const float throat = lp.Step(static_cast<float>(saw), 500.0 + 700.0 * env);
    const float hiss = breathLp.Step(noise.White(), 4000.0) * static_cast<float>(v.breath);
    s[i] = (throat * static_cast<float>(1.0 - v.breath * 0.5) + hiss) * env;
  }
  if (v.snap > 0) {
    Sound snap(Samples(0.06));
    Noise n2(v.seed + 7);
    for (size_t i = 0; i < snap.size(); ++i) snap[i] = n2.White() * Strike(T(i), 0.0005, 0.01);
    MixInto(s, snap, Samples(v.seconds * v.snap), 1.2f);
  }
  FadeEnds(s, 0.01, 0.1);
  return s;
}

SoundItemSpec Item(const std::string& name, const Sound& sound, bool looped = false,
                   int32_t maxPlaying = 0) {
  SoundItemSpec item;
  item.name = name;
  item.looped = looped;
  item.maxPlayingCount = maxPlaying;
  item.wave = EncodeWave(ToPcm16(sound));
  return item;
}

}  // namespace

const std::vector<std::string>& MonsterKinds() {
  static const std::vector<std::string> kinds = {"Monster", "Serpent", "Gator", "Snapper"};
  return kinds;
}

const std::vector<std::string>& LakeStyles() {
  static const std::vector<std::string> styles = {"canada.dxg", "bayou.dxg", "canyon.dxg"};
  return styles;
}

std::vector<SoundItemSpec> MakeEffects() {
  std::vector<SoundItemSpec> items;
  items.push_back(Item("gas", Engine(), true));
  items.push_back(Item("startgas", StartEngine(), false, 1));
  items.push_back(Item("cast", Cast(), false, 3));
  items.push_back(Item("reel", Reel(), true));
  items.push_back(Item("minisplash", Splash(0.0, 40), false, 4));
  items.push_back(Item("splash", Splash(1.0, 41), false, 3));
  items.push_back(Item("bell", Bell(), false, 2));
  items.push_back(Item("coins", Coins(), false, 2));
  items.push_back(Item("hook", Hook(), false, 2));
  items.push_back(Item("boing", Boing(), false, 2));
  items.push_back(Item("caught", Caught(), false, 1));
  // A lake beast's growl, a serpent's long hiss, a gator's bellow and jaws,
  // a snapping turtle's hiss and bite.
  items.push_back(Item("Monster", Monster({1.4, 70, 45, 3.0, 0.25, 0.0, 50})));
  items.push_back(Item("Serpent", Monster({1.3, 180, 140, 1.0, 0.9, 0.0, 51})));
  items.push_back(Item("Gator", Monster({1.2, 55, 40, 4.0, 0.35, 0.85, 52})));
  items.push_back(Item("Snapper", Monster({0.8, 120, 90, 2.0, 0.7, 0.7, 53})));
  return items;
}

}  // namespace tw::bake
