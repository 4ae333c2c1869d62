#include "media/wave.h"

#include <cstring>
#include <string>

#include "core/byte_cursor.h"
#include "core/error.h"

namespace tw {
namespace {

const char kWaveInvalid[] = "Wave is invalid";

// Rates outside this range are not sound a player could hear from a buffer;
// refusing them keeps the mixer's rate step finite and meaningful.
constexpr uint32_t kMinRate = 100;
constexpr uint32_t kMaxRate = 200000;

bool IsTag(std::span<const uint8_t> id, const char* tag) {
  return id.size() == 4 && std::memcmp(id.data(), tag, 4) == 0;
}

// Writes little-endian fields into a buffer sized up front.
class Writer {
 public:
  explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
  void U16(uint16_t v) {
    out_[pos_++] = static_cast<uint8_t>(v);
    out_[pos_++] = static_cast<uint8_t>(v >> 8);
  }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) out_[pos_++] = static_cast<uint8_t>(v >> (8 * i));
  }
  void Tag(const char* tag) {
    std::memcpy(out_.data() + pos_, tag, 4);
    pos_ += 4;
  }
  void Bytes(const std::vector<uint8_t>& b) {
    if (!b.empty()) std::memcpy(out_.data() + pos_, b.data(), b.size());
    pos_ += b.size();
  }

 private:
  std::vector<uint8_t>& out_;
  size_t pos_ = 0;
};

}  // namespace

uint32_t WaveData::SampleFrames() const {
  if (BlockAlign == 0) return 0;
  return static_cast<uint32_t>(Samples.size() / BlockAlign);
}

WaveData DecodeWave(std::span<const uint8_t> riff) {
  ByteCursor in(riff, kWaveInvalid);
  if (riff.size() < 12 || !IsTag(in.Bytes(4), "RIFF")) throw GameError(kWaveInvalid);
  in.U32();  // the whole length; often wrong in files, the chunks are what count
  if (!IsTag(in.Bytes(4), "WAVE")) throw GameError(kWaveInvalid);

  WaveData wave;
  bool haveFormat = false;
  bool haveData = false;
  while (!haveData) {
    // A file that ends before its samples is as damaged as one that lies.
    auto id = in.Bytes(4);
    uint32_t length = in.U32();
    if (IsTag(id, "fmt ")) {
      if (length < 16) throw GameError(kWaveInvalid);
      ByteCursor fmt(in.Bytes(length), kWaveInvalid);
      wave.FormatTag = fmt.U16();
      wave.Channels = fmt.U16();
      wave.SamplesPerSec = fmt.U32();
      wave.AvgBytesPerSec = fmt.U32();
      wave.BlockAlign = fmt.U16();
      wave.BitsPerSample = fmt.U16();
      haveFormat = true;
    } else if (IsTag(id, "data")) {
      if (!haveFormat) throw GameError(kWaveInvalid);
      auto bytes = in.Bytes(length);
      wave.Samples.assign(bytes.begin(), bytes.end());
      haveData = true;
    } else {
      in.Skip(length);
    }
  }

  if (wave.FormatTag != kWaveFormatPcm) throw GameError(kWaveInvalid);
  if (wave.Channels != 1 && wave.Channels != 2) throw GameError(kWaveInvalid);
  if (wave.BitsPerSample != 8 && wave.BitsPerSample != 16) throw GameError(kWaveInvalid);
  if (wave.SamplesPerSec < kMinRate || wave.SamplesPerSec > kMaxRate) throw GameError(kWaveInvalid);
  // The mixer steps through whole frames; a block size that disagrees with
  // the format would make it read across sample boundaries.
  if (wave.BlockAlign != wave.Channels * wave.BitsPerSample / 8) throw GameError(kWaveInvalid);
  // A trailing partial frame cannot be played; drop it.
  wave.Samples.resize(static_cast<size_t>(wave.SampleFrames()) * wave.BlockAlign);
  return wave;
}

WaveData MakePcmWave(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample,
                     std::vector<uint8_t> samples) {
  WaveData wave;
  wave.FormatTag = kWaveFormatPcm;
  wave.Channels = channels;
  wave.SamplesPerSec = samplesPerSec;
  wave.BitsPerSample = bitsPerSample;
  wave.BlockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
  wave.AvgBytesPerSec = samplesPerSec * wave.BlockAlign;
  wave.Samples = std::move(samples);
  return wave;
}

std::vector<uint8_t> EncodeWave(const WaveData& wave) {
  uint16_t blockAlign = static_cast<uint16_t>(wave.Channels * wave.BitsPerSample / 8);
  uint32_t dataLength = static_cast<uint32_t>(wave.Samples.size());
  std::vector<uint8_t> out(44 + static_cast<size_t>(dataLength));
  Writer w(out);
  w.Tag("RIFF");
  w.U32(36 + dataLength);
  w.Tag("WAVE");
  w.Tag("fmt ");
  w.U32(16);
  w.U16(wave.FormatTag);
  w.U16(wave.Channels);
  w.U32(wave.SamplesPerSec);
  w.U32(wave.SamplesPerSec * blockAlign);
  w.U16(blockAlign);
  w.U16(wave.BitsPerSample);
  w.Tag("data");
  w.U32(dataLength);
  w.Bytes(wave.Samples);
  return out;
}

}  // namespace tw
