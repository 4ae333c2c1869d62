// The title tune and the lakes' ambience. Both are rendered into a ring of
// the loop's length, so notes and calls that ring past the end come round to
// the start and the loop never clicks.
#include <cmath>

#include "bake/sound_effects.h"
#include "bake/synth.h"

namespace tw::bake {
namespace {

double Hz(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}
double T(size_t i) {
  return static_cast<double>(i) / kSampleRate;
}

struct Note {
  int midi;  // 0 is a rest
  int beats;
};

// A lilting tune over G, E minor, C and D, three times four bars.
const Note kMelody[] = {
    {71, 1}, {74, 1}, {76, 1}, {74, 1}, {71, 2}, {67, 1}, {69, 1},  // bars 1-2
    {67, 1}, {64, 1}, {67, 1}, {69, 1}, {66, 3}, {0, 1},            // bars 3-4
    {74, 1}, {76, 1}, {79, 2}, {76, 1}, {74, 1}, {71, 2},           // bars 5-6
    {72, 1}, {71, 1}, {69, 1}, {67, 1}, {69, 2}, {62, 1}, {66, 1},  // bars 7-8
    {67, 1}, {71, 1}, {74, 2}, {76, 1}, {79, 1}, {76, 1}, {74, 1},  // bars 9-10
    {72, 2}, {76, 2}, {74, 2}, {69, 1}, {66, 1},                    // bars 11-12
};

// Chord tones (root, third, fifth) for the four chords of each phrase.
const int kChords[4][3] = {{55, 59, 62}, {52, 55, 59}, {48, 52, 55}, {50, 54, 57}};

Sound Flute(double hz, double seconds) {
  Sound s(Samples(seconds + 0.25));
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = T(i);
    phase += hz * (1.0 + 0.004 * std::sin(kTwoPi * 5.5 * t) * std::min(1.0, t * 3)) / kSampleRate;
    const double v = std::sin(kTwoPi * phase) + 0.25 * std::sin(2 * kTwoPi * phase) +
                     0.08 * std::sin(3 * kTwoPi * phase);
    double env = std::min(1.0, t / 0.04);
    if (t > seconds) env *= std::exp(-(t - seconds) / 0.06);
    s[i] = static_cast<float>(v * env);
  }
  FadeEnds(s, 0.0, 0.02);
  return s;
}

Sound TitleMusic() {
  const double beat = 0.5;  // 120 beats a minute
  const int bars = 12;
  Sound song(Samples(bars * 4 * beat), 0.0f);
  Noise noise(99);
  uint32_t seed = 100;
  for (int bar = 0; bar < bars; ++bar) {
    const int* chord = kChords[bar % 4];
    const double barStart = bar * 4 * beat;
    // Bass on beats one and three.
    for (int b = 0; b < 2; ++b) {
      const int root = chord[0] - 12 + (b == 1 ? 7 : 0);
      MixInto(song, Tone(Hz(root), 1.0, {1.0f, 0.5f, 0.2f}, 0.01, 0.35),
              Samples(barStart + b * 2 * beat), 0.55f, true);
    }
    // A picked guitar running over the chord in eighths.
    const int pattern[8] = {0, 1, 2, 1, 0, 2, 1, 2};
    for (int e = 0; e < 8; ++e) {
      const int midi = chord[pattern[e]] + (e % 4 == 2 ? 12 : 0);
      MixInto(song, Pluck(Hz(midi), 1.2, seed++, 0.45f), Samples(barStart + e * beat / 2),
              e % 2 ? 0.18f : 0.24f, true);
    }
    // A soft shaker.
    for (int e = 0; e < 8; ++e) {
      Sound shake(Samples(0.06));
      LowPass lp;
      for (size_t i = 0; i < shake.size(); ++i) {
        const float w = noise.White();
        shake[i] = (w - lp.Step(w, 5000.0)) * Strike(T(i), 0.004, 0.015);
      }
      MixInto(song, shake, Samples(barStart + e * beat / 2), e % 2 ? 0.05f : 0.09f, true);
    }
  }
  double at = 0.0;
  for (const Note& n : kMelody) {
    if (n.midi) MixInto(song, Flute(Hz(n.midi), n.beats * beat * 0.92), Samples(at), 0.3f, true);
    at += n.beats * beat;
  }
  StartAtZeroCrossing(song);
  return song;
}

// Small waves slapping the hull and the shore, scattered through the loop.
void AddLapping(Sound& loop, uint32_t seed, int count, double brightness) {
  Noise noise(seed);
  for (int k = 0; k < count; ++k) {
    const double seconds = 0.25 + 0.5 * noise.Unit();
    const double centre = (250.0 + 500.0 * noise.Unit()) * brightness;
    Sound lap(Samples(seconds));
    BandPass bp;
    for (size_t i = 0; i < lap.size(); ++i) {
      const double t = T(i);
      const float env = static_cast<float>(std::sin(3.14159 * t / seconds));
      lap[i] = bp.Step(noise.White(), centre, 1.5) * env * env;
    }
    MixInto(loop, lap, static_cast<size_t>(noise.Unit() * loop.size()), 0.5f + 0.5f * noise.Unit(),
            true);
  }
}

// A steady bed of distant water (or wind) under the events.
Sound Bed(size_t length, uint32_t seed, double lowHz, double highHz, double swayHz) {
  const size_t blend = Samples(1.0);
  Sound s(length + blend);
  Noise noise(seed);
  BandPass bp;
  for (size_t i = 0; i < s.size(); ++i) {
    const double sway = 0.5 + 0.5 * std::sin(kTwoPi * swayHz * T(i));
    s[i] = bp.Step(noise.White(), lowHz + (highHz - lowHz) * sway, 0.8) *
           static_cast<float>(0.4 + 0.6 * sway);
  }
  return SeamlessLoop(s, length, blend);
}

// A call that glides between pitches: loons, hawks and songbirds.
Sound Call(double fromHz, double toHz, double seconds, double vibrato, double rasp, uint32_t seed) {
  Sound s(Samples(seconds));
  Noise noise(seed);
  double phase = 0.0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = T(i), k = t / seconds;
    const double glide = fromHz + (toHz - fromHz) * (0.5 - 0.5 * std::cos(3.14159 * k));
    phase += glide * (1.0 + vibrato * std::sin(kTwoPi * 6.0 * t)) / kSampleRate;
    const double v = std::sin(kTwoPi * phase) + 0.3 * std::sin(2 * kTwoPi * phase);
    const double env = std::sin(3.14159 * k);
    s[i] = static_cast<float>(v * env * (1.0 + rasp * noise.White()));
  }
  FadeEnds(s);
  return s;
}

Sound Canada() {
  Sound loop = Bed(Samples(12.0), 200, 150, 400, 0.25);
  for (float& v : loop) v *= 0.35f;
  AddLapping(loop, 201, 14, 1.0);
  // The loon's long wail, answered from across the water.
  MixInto(loop, Call(600, 880, 2.2, 0.01, 0.0, 202), Samples(1.5), 0.45f, true);
  MixInto(loop, Call(880, 700, 1.4, 0.012, 0.0, 203), Samples(7.2), 0.25f, true);
  Noise noise(204);
  for (int k = 0; k < 6; ++k) {
    const double hz = 3000.0 + 1500.0 * noise.Unit();
    MixInto(loop, Call(hz, hz * 1.3, 0.09, 0.0, 0.0, 205 + k),
            Samples(4.0 + 0.15 * k + (k > 2 ? 5.0 : 0.0)), 0.12f, true);
  }
  StartAtZeroCrossing(loop);
  return loop;
}

Sound Bayou() {
  Sound loop = Bed(Samples(10.0), 300, 120, 300, 0.3);
  for (float& v : loop) v *= 0.3f;
  AddLapping(loop, 301, 10, 0.8);
  Noise noise(302);
  // Crickets: short trills of a high tone.
  for (int k = 0; k < 40; ++k) {
    const double hz = 4200.0 + 600.0 * noise.Unit();
    Sound trill(Samples(0.12));
    for (size_t i = 0; i < trill.size(); ++i) {
      const double t = T(i);
      const double gate = std::sin(3.14159 * std::fmod(t * 30.0, 1.0));
      trill[i] = static_cast<float>(std::sin(kTwoPi * hz * t) * gate * gate);
    }
    FadeEnds(trill);
    MixInto(loop, trill, static_cast<size_t>(noise.Unit() * loop.size()), 0.06f, true);
  }
  // Bullfrogs: low croaks with a fast flutter.
  for (int k = 0; k < 5; ++k) {
    const double hz = 110.0 + 60.0 * noise.Unit();
    Sound croak(Samples(0.35));
    for (size_t i = 0; i < croak.size(); ++i) {
      const double t = T(i);
      const double flutter = 0.5 + 0.5 * std::sin(kTwoPi * 24.0 * t);
      croak[i] =
          static_cast<float>((std::sin(kTwoPi * hz * t) + 0.5 * std::sin(kTwoPi * 2 * hz * t)) *
                             flutter * std::sin(3.14159 * t / 0.35));
    }
    FadeEnds(croak);
    MixInto(loop, croak, Samples(0.7 + 1.9 * k), 0.35f, true);
  }
  StartAtZeroCrossing(loop);
  return loop;
}

Sound Canyon() {
  Sound loop = Bed(Samples(12.0), 400, 300, 1400, 1.0 / 6.0);
  for (float& v : loop) v *= 0.5f;
  AddLapping(loop, 401, 8, 1.2);
  // A hawk's cry echoing off the walls.
  Sound cry = Call(2900, 1900, 1.0, 0.02, 0.35, 402);
  MixInto(loop, cry, Samples(3.0), 0.3f, true);
  MixInto(loop, cry, Samples(3.45), 0.1f, true);
  MixInto(loop, cry, Samples(9.5), 0.2f, true);
  StartAtZeroCrossing(loop);
  return loop;
}

SoundItemSpec Loop(const std::string& name, const Sound& sound) {
  SoundItemSpec item;
  item.name = name;
  item.looped = true;
  item.wave = EncodeWave(ToPcm16(sound, 0.8f));
  return item;
}

}  // namespace

std::vector<SoundItemSpec> MakeMusic() {
  return {Loop("music", TitleMusic()), Loop("canada.dxg", Canada()), Loop("bayou.dxg", Bayou()),
          Loop("canyon.dxg", Canyon())};
}

}  // namespace tw::bake
