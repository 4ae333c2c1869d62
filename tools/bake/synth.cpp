#include "bake/synth.h"

#include <algorithm>

namespace tw::bake {

void MixInto(Sound& dst, const Sound& src, size_t at, float gain, bool wrap) {
  if (dst.empty()) return;
  for (size_t i = 0; i < src.size(); ++i) {
    size_t k = at + i;
    if (k >= dst.size()) {
      if (!wrap) break;
      k %= dst.size();
    }
    dst[k] += src[i] * gain;
  }
}

void FadeEnds(Sound& s, double fadeIn, double fadeOut) {
  const size_t in = std::min(s.size(), Samples(fadeIn));
  const size_t out = std::min(s.size(), Samples(fadeOut));
  for (size_t i = 0; i < in; ++i) s[i] *= static_cast<float>(i) / static_cast<float>(in);
  for (size_t i = 0; i < out; ++i) {
    s[s.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
  }
}

Sound SeamlessLoop(const Sound& rendering, size_t length, size_t blend) {
  blend = std::min(blend, length);
  Sound loop(length, 0.0f);
  for (size_t i = 0; i < length; ++i) loop[i] = i < rendering.size() ? rendering[i] : 0.0f;
  for (size_t i = 0; i < blend; ++i) {
    // Equal-power blend: noise keeps its loudness through the seam.
    const double w = static_cast<double>(i) / static_cast<double>(blend);
    const float head = static_cast<float>(std::sin(w * kTwoPi / 4));
    const float tail = static_cast<float>(std::cos(w * kTwoPi / 4));
    const size_t from = length + i;
    const float late = from < rendering.size() ? rendering[from] : 0.0f;
    loop[i] = loop[i] * head + late * tail;
  }
  StartAtZeroCrossing(loop);
  return loop;
}

void StartAtZeroCrossing(Sound& loop) {
  const size_t n = loop.size();
  if (n < 2) return;
  // The crossing whose two samples lie closest to zero makes the quietest seam.
  size_t best = 0;
  float bestStep = 1e30f;
  for (size_t i = 0; i < n; ++i) {
    const float a = loop[(i + n - 1) % n], b = loop[i];
    if (a < 0.0f && b >= 0.0f) {
      const float step = std::fabs(a) + std::fabs(b);
      if (step < bestStep) bestStep = step, best = i;
    }
  }
  std::rotate(loop.begin(), loop.begin() + static_cast<std::ptrdiff_t>(best), loop.end());
}

Sound Pluck(double hz, double seconds, uint32_t seed, float brightness) {
  const size_t period = std::max<size_t>(2, static_cast<size_t>(kSampleRate / hz + 0.5));
  Noise noise(seed);
  std::vector<float> line(period);
  LowPass soften;
  for (float& v : line) v = soften.Step(noise.White(), 1500.0 + 6000.0 * brightness);
  Sound out(Samples(seconds));
  size_t pos = 0;
  float previous = 0.0f;
  for (float& s : out) {
    const float cur = line[pos];
    s = cur;
    line[pos] = 0.996f * (0.5f * (cur + previous));
    previous = cur;
    pos = (pos + 1) % period;
  }
  FadeEnds(out, 0.001, 0.05);
  return out;
}

Sound Tone(double hz, double seconds, const std::vector<float>& partials, double attack,
           double decay) {
  Sound out(Samples(seconds));
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double v = 0.0;
    for (size_t p = 0; p < partials.size(); ++p) {
      v += partials[p] * std::sin(kTwoPi * hz * static_cast<double>(p + 1) * t);
    }
    out[i] = static_cast<float>(v) * Strike(t, attack, decay);
  }
  FadeEnds(out, 0.0, 0.03);
  return out;
}

}  // namespace tw::bake
