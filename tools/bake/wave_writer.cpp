#include "bake/wave_writer.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tw::bake {
namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<uint8_t> EncodeWave(const std::vector<int16_t>& samples, int32_t rate) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // plain PCM
  Put16(out, 1);  // mono
  Put32(out, static_cast<uint32_t>(rate));
  Put32(out, static_cast<uint32_t>(rate) * 2);
  Put16(out, 2);
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
  return out;
}

std::vector<int16_t> ToPcm16(const std::vector<float>& sound, float peak) {
  float loudest = 0.0f;
  for (float s : sound) loudest = std::max(loudest, std::fabs(s));
  const float gain = loudest > 0.0f ? peak * 32767.0f / loudest : 0.0f;
  std::vector<int16_t> out(sound.size());
  for (size_t i = 0; i < sound.size(); ++i) {
    const float v = std::clamp(std::nearbyint(sound[i] * gain), -32767.0f, 32767.0f);
    out[i] = static_cast<int16_t>(v);
  }
  return out;
}

}  // namespace tw::bake
