// Our software mixer: a fixed set of voices, each playing a shared wave at
// its own rate, volume and pan, summed in 32 bits and clamped to 16-bit
// stereo at the device rate. Not thread-safe: callers hold the output's lock.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "media/audio_output.h"
#include "media/wave.h"

namespace tw {

// Volume and pan are in hundredths of a decibel.
inline constexpr int32_t kVolumeMax = 0;
inline constexpr int32_t kVolumeMin = -10000;  // silent
inline constexpr int32_t kPanLeft = -10000;
inline constexpr int32_t kPanRight = 10000;

// Unity gain in the mixer's fixed-point gains.
inline constexpr int32_t kUnityGain = 1 << 15;

// The player's volume for a group of voices, in percent of full loudness.
inline constexpr int32_t kGroupVolumeMax = 100;

// The linear factor for an attenuation in hundredths of a decibel,
// as a fixed-point gain: 0 gives kUnityGain, −10000 gives 0.
int32_t GainFromHundredthsDb(int32_t hundredthsDb);

class Mixer : public AudioSource {
 public:
  static constexpr int32_t kMaxVoices = 256;
  static constexpr uint32_t kDefaultRate = 44100;
  // Voices belong to a group (the game's effects, its music and ambience)
  // whose volume the player sets and which can be held as a whole.
  static constexpr int32_t kGroups = 2;

  explicit Mixer(uint32_t deviceRate = kDefaultRate);

  uint32_t DeviceRate() const { return deviceRate_; }
  void SetDeviceRate(uint32_t rate);

  // A stopped voice at the start of `wave`, sharing its samples (no sample
  // memory is allocated); −1 when every voice is taken, or `wave` is null or
  // not an 8 or 16 bit mono or stereo layout. A group outside 0 .. kGroups − 1
  // counts as group 0.
  int32_t CreateVoice(std::shared_ptr<const WaveData> wave, int32_t group = 0);
  void FreeVoice(int32_t voice);
  void FreeAll();
  int32_t VoicesInUse() const { return inUse_; }

  // Operations on a voice that is not in use do nothing.
  void Play(int32_t voice, bool looping);
  void Stop(int32_t voice);
  void SetPosition(int32_t voice, uint32_t frame);
  // Attenuation in hundredths of a decibel, −10000 (silent) to 0.
  void SetVolume(int32_t voice, int32_t hundredthsDb);
  // −10000 (left only) to 10000 (right only); the far side is attenuated.
  void SetPan(int32_t voice, int32_t hundredthsDb);
  // Frames per second; 0 means the wave's own rate.
  void SetFrequency(int32_t voice, int32_t rate);

  // The player's volume of a group, 0 (silent) to 100 (as the wave is),
  // scaling the amplitude of each of its voices before the sum is clamped.
  // Values outside are clamped. Kept when voices are freed.
  void SetGroupVolume(int32_t group, int32_t percent);
  int32_t GroupVolume(int32_t group) const;
  // A held group's voices stay where they are, silent, until released.
  void SetGroupHeld(int32_t group, bool held);
  bool GroupHeld(int32_t group) const;
  // Every voice silent at once (and back), whatever the group volumes.
  void SetMuted(bool muted) { muted_ = muted; }
  bool Muted() const { return muted_; }

  bool Playing(int32_t voice) const;
  bool Looping(int32_t voice) const;
  uint32_t Position(int32_t voice) const;  // in frames of the wave

  // Mixes every playing voice into `frames` interleaved stereo frames.
  void Render(int16_t* stereo, size_t frames) override;

 private:
  struct Voice {
    std::shared_ptr<const WaveData> wave;
    uint64_t position = 0;  // frames, 32.32 fixed point
    uint64_t step = 0;      // position advance per output frame
    int32_t frequency = 0;
    int32_t volume = 0;
    int32_t pan = 0;
    int32_t gainLeft = kUnityGain;
    int32_t gainRight = kUnityGain;
    int32_t group = 0;
    bool inUse = false;
    bool playing = false;
    bool looping = false;
  };
  static constexpr size_t kChunk = 256;

  Voice* Get(int32_t voice);
  const Voice* Get(int32_t voice) const;
  void UpdateStep(Voice& v) const;
  static void UpdateGains(Voice& v);
  template <int Bits, int Channels>
  static void MixVoice(Voice& v, int32_t gainLeft, int32_t gainRight, int32_t* acc, size_t frames);

  uint32_t deviceRate_;
  int32_t inUse_ = 0;
  bool muted_ = false;
  std::array<int32_t, kGroups> groupVolume_{kGroupVolumeMax, kGroupVolumeMax};
  std::array<bool, kGroups> groupHeld_{};
  std::array<Voice, kMaxVoices> voices_;
  std::array<int32_t, kChunk * 2> acc_{};
};

}  // namespace tw
