#include "media/mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tw {
namespace {

// Waves play at no less than this rate and no more than this; a lower
// request would stall a voice for minutes, a higher one skip most samples.
constexpr int32_t kMinFrequency = 100;
constexpr int32_t kMaxFrequency = 200000;

int32_t ClampI(int32_t v, int32_t lo, int32_t hi) {
  return std::min(std::max(v, lo), hi);
}

// One sample of frame `index`, channel `ch`, widened to signed 16 bits.
template <int Bits, int Channels>
inline int32_t SampleAt(const uint8_t* data, uint32_t index, int ch) {
  if constexpr (Bits == 8) {
    return (static_cast<int32_t>(data[static_cast<size_t>(index) * Channels + ch]) - 128) * 256;
  } else {
    const uint8_t* p = data + (static_cast<size_t>(index) * Channels + ch) * 2;
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
  }
}

// The layouts the mixer reads; anything else would be read across sample
// boundaries, so it never gets a voice.
bool Mixable(const WaveData& w) {
  return (w.Channels == 1 || w.Channels == 2) && (w.BitsPerSample == 8 || w.BitsPerSample == 16) &&
         w.BlockAlign == w.Channels * w.BitsPerSample / 8;
}

}  // namespace

int32_t GainFromHundredthsDb(int32_t hundredthsDb) {
  if (hundredthsDb <= kVolumeMin) return 0;
  if (hundredthsDb >= 0) return kUnityGain;
  // 20 dB per factor of ten in amplitude.
  double g = std::pow(10.0, hundredthsDb / 2000.0);
  return static_cast<int32_t>(std::lround(g * kUnityGain));
}

Mixer::Mixer(uint32_t deviceRate) : deviceRate_(deviceRate > 0 ? deviceRate : kDefaultRate) {}

void Mixer::SetDeviceRate(uint32_t rate) {
  deviceRate_ = rate > 0 ? rate : kDefaultRate;
  for (auto& v : voices_)
    if (v.inUse) UpdateStep(v);
}

Mixer::Voice* Mixer::Get(int32_t voice) {
  if (voice < 0 || voice >= kMaxVoices || !voices_[voice].inUse) return nullptr;
  return &voices_[voice];
}

const Mixer::Voice* Mixer::Get(int32_t voice) const {
  if (voice < 0 || voice >= kMaxVoices || !voices_[voice].inUse) return nullptr;
  return &voices_[voice];
}

int32_t Mixer::CreateVoice(std::shared_ptr<const WaveData> wave, int32_t group) {
  if (!wave || !Mixable(*wave)) return -1;
  for (int32_t i = 0; i < kMaxVoices; ++i) {
    Voice& v = voices_[i];
    if (v.inUse) continue;
    v = Voice{};
    v.wave = std::move(wave);
    v.group = group >= 0 && group < kGroups ? group : 0;
    v.inUse = true;
    UpdateStep(v);
    ++inUse_;
    return i;
  }
  return -1;
}

void Mixer::FreeVoice(int32_t voice) {
  Voice* v = Get(voice);
  if (!v) return;
  *v = Voice{};
  --inUse_;
}

void Mixer::FreeAll() {
  for (auto& v : voices_) v = Voice{};
  inUse_ = 0;
}

void Mixer::Play(int32_t voice, bool looping) {
  Voice* v = Get(voice);
  if (!v) return;
  v->looping = looping;
  // A wave without samples has nothing to sound.
  v->playing = v->wave->SampleFrames() > 0;
}

void Mixer::Stop(int32_t voice) {
  if (Voice* v = Get(voice)) v->playing = false;
}

void Mixer::SetPosition(int32_t voice, uint32_t frame) {
  Voice* v = Get(voice);
  if (!v) return;
  uint32_t frames = v->wave->SampleFrames();
  v->position = static_cast<uint64_t>(std::min(frame, frames)) << 32;
}

void Mixer::SetVolume(int32_t voice, int32_t hundredthsDb) {
  Voice* v = Get(voice);
  if (!v) return;
  v->volume = ClampI(hundredthsDb, kVolumeMin, kVolumeMax);
  UpdateGains(*v);
}

void Mixer::SetPan(int32_t voice, int32_t hundredthsDb) {
  Voice* v = Get(voice);
  if (!v) return;
  v->pan = ClampI(hundredthsDb, kPanLeft, kPanRight);
  UpdateGains(*v);
}

void Mixer::SetFrequency(int32_t voice, int32_t rate) {
  Voice* v = Get(voice);
  if (!v) return;
  v->frequency = rate <= 0 ? 0 : ClampI(rate, kMinFrequency, kMaxFrequency);
  UpdateStep(*v);
}

void Mixer::SetGroupVolume(int32_t group, int32_t percent) {
  if (group < 0 || group >= kGroups) return;
  groupVolume_[static_cast<size_t>(group)] = ClampI(percent, 0, kGroupVolumeMax);
}

int32_t Mixer::GroupVolume(int32_t group) const {
  return group >= 0 && group < kGroups ? groupVolume_[static_cast<size_t>(group)] : 0;
}

void Mixer::SetGroupHeld(int32_t group, bool held) {
  if (group >= 0 && group < kGroups) groupHeld_[static_cast<size_t>(group)] = held;
}

bool Mixer::GroupHeld(int32_t group) const {
  return group >= 0 && group < kGroups && groupHeld_[static_cast<size_t>(group)];
}

bool Mixer::Playing(int32_t voice) const {
  const Voice* v = Get(voice);
  return v && v->playing;
}

bool Mixer::Looping(int32_t voice) const {
  const Voice* v = Get(voice);
  return v && v->looping;
}

uint32_t Mixer::Position(int32_t voice) const {
  const Voice* v = Get(voice);
  return v ? static_cast<uint32_t>(v->position >> 32) : 0;
}

void Mixer::UpdateStep(Voice& v) const {
  uint32_t rate = v.frequency > 0 ? static_cast<uint32_t>(v.frequency) : v.wave->SamplesPerSec;
  if (rate == 0) rate = deviceRate_;
  v.step = (static_cast<uint64_t>(rate) << 32) / deviceRate_;
}

void Mixer::UpdateGains(Voice& v) {
  // Pan attenuates the side away from where the sound is placed.
  int32_t left = v.volume + std::min(0, -v.pan);
  int32_t right = v.volume + std::min(0, v.pan);
  v.gainLeft = GainFromHundredthsDb(left);
  v.gainRight = GainFromHundredthsDb(right);
}

template <int Bits, int Channels>
void Mixer::MixVoice(Voice& v, int32_t gainLeft, int32_t gainRight, int32_t* acc, size_t frames) {
  const uint8_t* data = v.wave->Samples.data();
  const uint32_t count = v.wave->SampleFrames();
  const uint64_t end = static_cast<uint64_t>(count) << 32;
  if (count == 0) {
    v.playing = false;
    return;
  }
  for (size_t i = 0; i < frames; ++i) {
    if (v.position >= end) {
      if (!v.looping) {
        v.playing = false;
        v.position = end;
        return;
      }
      v.position %= end;
    }
    uint32_t index = static_cast<uint32_t>(v.position >> 32);
    uint32_t next = index + 1 < count ? index + 1 : (v.looping ? 0 : index);
    int32_t frac = static_cast<int32_t>((v.position >> 17) & 0x7FFF);  // 15 bits
    int32_t l0 = SampleAt<Bits, Channels>(data, index, 0);
    int32_t l1 = SampleAt<Bits, Channels>(data, next, 0);
    int32_t left = l0 + (((l1 - l0) * frac) >> 15);
    int32_t right = left;
    if constexpr (Channels == 2) {
      int32_t r0 = SampleAt<Bits, Channels>(data, index, 1);
      int32_t r1 = SampleAt<Bits, Channels>(data, next, 1);
      right = r0 + (((r1 - r0) * frac) >> 15);
    }
    acc[2 * i] += (left * gainLeft) >> 15;
    acc[2 * i + 1] += (right * gainRight) >> 15;
    v.position += v.step;
  }
}

void Mixer::Render(int16_t* stereo, size_t frames) {
  while (frames > 0) {
    size_t n = std::min(frames, kChunk);
    std::memset(acc_.data(), 0, n * 2 * sizeof(int32_t));
    for (auto& v : voices_) {
      const auto group = static_cast<size_t>(v.group);
      if (!v.playing || groupHeld_[group]) continue;
      // The player's volume scales the voice's own gain, linearly in
      // amplitude; a muted mixer still moves every voice on.
      const int32_t scale = muted_ ? 0 : groupVolume_[group];
      const int32_t gl = v.gainLeft * scale / kGroupVolumeMax;
      const int32_t gr = v.gainRight * scale / kGroupVolumeMax;
      int32_t* acc = acc_.data();
      const bool stereoWave = v.wave->Channels == 2;
      if (v.wave->BitsPerSample == 16) {
        stereoWave ? MixVoice<16, 2>(v, gl, gr, acc, n) : MixVoice<16, 1>(v, gl, gr, acc, n);
      } else {
        stereoWave ? MixVoice<8, 2>(v, gl, gr, acc, n) : MixVoice<8, 1>(v, gl, gr, acc, n);
      }
    }
    for (size_t i = 0; i < n * 2; ++i)
      stereo[i] = static_cast<int16_t>(std::clamp(acc_[i], -32768, 32767));
    stereo += n * 2;
    frames -= n;
  }
}

}  // namespace tw
