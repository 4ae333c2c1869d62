#include "media/wave.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/error.h"

namespace tw {
namespace {

using Bytes = std::vector<uint8_t>;

void Add32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Add16(Bytes& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void AddTag(Bytes& b, const char* t) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(t[i]));
}

Bytes FmtChunk(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t align, uint16_t bits,
               uint32_t length = 16) {
  Bytes b;
  AddTag(b, "fmt ");
  Add32(b, length);
  Add16(b, tag);
  Add16(b, channels);
  Add32(b, rate);
  Add32(b, rate * align);
  Add16(b, align);
  Add16(b, bits);
  b.resize(8 + length, 0);
  return b;
}

Bytes Chunk(const char* id, const Bytes& body) {
  Bytes b;
  AddTag(b, id);
  Add32(b, static_cast<uint32_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

Bytes Riff(std::vector<Bytes> chunks) {
  Bytes b;
  AddTag(b, "RIFF");
  Add32(b, 0);
  AddTag(b, "WAVE");
  for (auto& c : chunks) b.insert(b.end(), c.begin(), c.end());
  return b;
}

TEST(WaveDecode, ReadsEachPcmLayout) {
  struct Case {
    uint16_t channels, bits;
  } cases[] = {{1, 8}, {2, 8}, {1, 16}, {2, 16}};
  for (auto c : cases) {
    uint16_t align = static_cast<uint16_t>(c.channels * c.bits / 8);
    Bytes samples(align * 5, 0x40);
    WaveData w =
        DecodeWave(Riff({FmtChunk(1, c.channels, 11025, align, c.bits), Chunk("data", samples)}));
    EXPECT_EQ(w.Channels, c.channels);
    EXPECT_EQ(w.BitsPerSample, c.bits);
    EXPECT_EQ(w.SamplesPerSec, 11025u);
    EXPECT_EQ(w.SampleFrames(), 5u) << c.channels << "ch " << c.bits << "bit";
    EXPECT_EQ(w.Samples, samples);
  }
}

TEST(WaveDecode, SkipsUnknownChunksByLengthWithoutPadding) {
  // An odd-length "LIST" chunk between the format and the samples: no pad byte
  // follows it, so the next chunk id starts right after its 3 bytes.
  Bytes w = Riff({Chunk("LIST", {1, 2, 3}), FmtChunk(1, 1, 8000, 1, 8), Chunk("fact", {9, 9, 9}),
                  Chunk("data", {10, 20, 30})});
  WaveData d = DecodeWave(w);
  EXPECT_EQ(d.Samples, (Bytes{10, 20, 30}));
}

TEST(WaveDecode, StopsAtTheEndOfTheSamples) {
  Bytes w = Riff({FmtChunk(1, 1, 8000, 1, 8), Chunk("data", {1, 2})});
  AddTag(w, "junk");  // trailing rubbish is never read
  EXPECT_EQ(DecodeWave(w).Samples, (Bytes{1, 2}));
}

TEST(WaveDecode, AcceptsLongerFormatRecordAndDropsPartialFrame) {
  Bytes w = Riff({FmtChunk(1, 2, 22050, 4, 16, 18), Chunk("data", Bytes(10, 7))});
  WaveData d = DecodeWave(w);
  EXPECT_EQ(d.SampleFrames(), 2u);
  EXPECT_EQ(d.Samples.size(), 8u);
}

TEST(WaveDecode, EncodeReadsBackUnchanged) {
  WaveData src = MakePcmWave(2, 44100, 16, {1, 2, 3, 4, 5, 6, 7, 8});
  WaveData back = DecodeWave(EncodeWave(src));
  EXPECT_EQ(back.Channels, 2);
  EXPECT_EQ(back.SamplesPerSec, 44100u);
  EXPECT_EQ(back.AvgBytesPerSec, 44100u * 4);
  EXPECT_EQ(back.BlockAlign, 4);
  EXPECT_EQ(back.BitsPerSample, 16);
  EXPECT_EQ(back.Samples, src.Samples);
}

TEST(WaveDecode, RefusesDamagedWaves) {
  const Bytes good = Riff({FmtChunk(1, 1, 8000, 1, 8), Chunk("data", {1, 2, 3})});
  struct Case {
    const char* what;
    Bytes bytes;
  };
  Bytes badHead = good;
  badHead[0] = 'X';
  Bytes badKind = good;
  badKind[8] = 'A';
  Bytes dataTooLong = good;
  dataTooLong[dataTooLong.size() - 7] = 200;  // data length byte claims 200
  Bytes hugeChunk = Riff({FmtChunk(1, 1, 8000, 1, 8)});
  AddTag(hugeChunk, "junk");
  Add32(hugeChunk, 0xFFFFFFFFu);
  std::vector<Case> cases = {
      {"empty", {}},
      {"head only", Bytes(good.begin(), good.begin() + 8)},
      {"not RIFF", badHead},
      {"not WAVE", badKind},
      {"no chunks", Riff({})},
      {"format only", Riff({FmtChunk(1, 1, 8000, 1, 8)})},
      {"samples before format", Riff({Chunk("data", {1}), FmtChunk(1, 1, 8000, 1, 8)})},
      {"short format", Riff({FmtChunk(1, 1, 8000, 1, 8, 14), Chunk("data", {1})})},
      {"compressed", Riff({FmtChunk(2, 1, 8000, 1, 8), Chunk("data", {1})})},
      {"three channels", Riff({FmtChunk(1, 3, 8000, 3, 8), Chunk("data", {1, 2, 3})})},
      {"no channels", Riff({FmtChunk(1, 0, 8000, 0, 8), Chunk("data", {1})})},
      {"24 bits", Riff({FmtChunk(1, 1, 8000, 3, 24), Chunk("data", {1, 2, 3})})},
      {"rate zero", Riff({FmtChunk(1, 1, 0, 1, 8), Chunk("data", {1})})},
      {"block mismatch", Riff({FmtChunk(1, 2, 8000, 1, 16), Chunk("data", {1, 2, 3, 4})})},
      {"data past end", dataTooLong},
      {"chunk length past end", hugeChunk},
  };
  for (const auto& c : cases) {
    try {
      DecodeWave(c.bytes);
      ADD_FAILURE() << c.what << ": accepted";
    } catch (const GameError& e) {
      EXPECT_STREQ(e.what(), "Wave is invalid") << c.what;
    }
  }
}

}  // namespace
}  // namespace tw
