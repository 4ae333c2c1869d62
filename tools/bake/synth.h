// The small synthesizer the game's sounds are made with: noise, oscillators,
// envelopes, filters, a plucked string, and helpers that make loops seamless.
// Everything is seeded, so the same call gives the same samples every run.
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

#include "bake/wave_writer.h"

namespace tw::bake {

using Sound = std::vector<float>;

constexpr double kTwoPi = 6.283185307179586;

inline size_t Samples(double seconds) {
  return static_cast<size_t>(seconds * kSampleRate + 0.5);
}

// White noise from a small xorshift generator of its own.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {
    if (state_ == 0) state_ = 1;
  }
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  float White() { return static_cast<float>(Next() >> 8) / 8388608.0f - 1.0f; }  // -1..1
  float Unit() { return static_cast<float>(Next() >> 8) / 16777216.0f; }         // 0..1

 private:
  uint32_t state_;
};

// One-pole low-pass; `cutoff` in hertz may change sample by sample.
class LowPass {
 public:
  float Step(float in, double cutoff) {
    const double a = 1.0 - std::exp(-kTwoPi * cutoff / kSampleRate);
    y_ += static_cast<float>(a) * (in - y_);
    return y_;
  }

 private:
  float y_ = 0.0f;
};

// State-variable band-pass with a given centre and quality.
class BandPass {
 public:
  float Step(float in, double centre, double q) {
    const float f = static_cast<float>(2.0 * std::sin(3.141592653589793 * centre / kSampleRate));
    const float damp = static_cast<float>(1.0 / q);
    const float high = in - low_ - damp * band_;
    band_ += f * high;
    low_ += f * band_;
    return band_;
  }

 private:
  float low_ = 0.0f, band_ = 0.0f;
};

// Attack then exponential decay, in seconds; t is the time since the start.
inline float Strike(double t, double attack, double decay) {
  if (t < 0) return 0.0f;
  if (t < attack) return static_cast<float>(t / attack);
  return static_cast<float>(std::exp(-(t - attack) / decay));
}

// Adds `src` into `dst` from sample `at`, scaled by `gain`; with `wrap` the
// part running past the end comes round to the start (for loops).
void MixInto(Sound& dst, const Sound& src, size_t at, float gain, bool wrap = false);

// Short fades at both ends so a one-shot sound starts and stops silently.
void FadeEnds(Sound& s, double fadeIn = 0.004, double fadeOut = 0.02);

// Makes a loop of `length` samples from a longer rendering (at least
// `length` + `blend`): the rendering's tail is cross-faded into its head, so
// the last sample leads into the first as if the sound went on. The loop is
// then turned to begin at an upward zero crossing.
Sound SeamlessLoop(const Sound& rendering, size_t length, size_t blend);

// Turns a loop so it begins just after an upward zero crossing.
void StartAtZeroCrossing(Sound& loop);

// A plucked string (a delay line with a damped average) at `hz`.
Sound Pluck(double hz, double seconds, uint32_t seed, float brightness = 0.5f);

// A note of a few sine partials with a soft attack and a decay.
Sound Tone(double hz, double seconds, const std::vector<float>& partials, double attack,
           double decay);

}  // namespace tw::bake
