// Sound samples as the game stores them: PCM waves in RIFF form, 8 or 16 bits,
// mono or stereo. Sound libraries carry one such wave per sound.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace tw {

inline constexpr uint16_t kWaveFormatPcm = 1;

struct WaveData {
  uint16_t FormatTag = kWaveFormatPcm;
  uint16_t Channels = 1;
  uint32_t SamplesPerSec = 22050;
  uint32_t AvgBytesPerSec = 22050;
  uint16_t BlockAlign = 1;
  uint16_t BitsPerSample = 8;
  std::vector<uint8_t> Samples;  // whole frames only, interleaved left, right

  // Number of whole sample frames (one sample per channel each).
  uint32_t SampleFrames() const;
};

// Reads a RIFF WAVE file: the "fmt " chunk gives the format, the "data" chunk
// the samples, any other chunk is skipped by its length. Anything that is not
// an 8 or 16 bit PCM wave with one or two channels, or whose chunks run past
// the bytes given, raises "Wave is invalid".
WaveData DecodeWave(std::span<const uint8_t> riff);

// Writes `wave` as a RIFF WAVE file that DecodeWave reads back unchanged.
// The block alignment and byte rate are derived from the format.
std::vector<uint8_t> EncodeWave(const WaveData& wave);

// A PCM wave with the fields derived from channels, rate and bit depth.
WaveData MakePcmWave(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample,
                     std::vector<uint8_t> samples);

}  // namespace tw
