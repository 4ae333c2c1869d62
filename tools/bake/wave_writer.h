// Turns synthesized sound into the RIFF WAVE files stored in the sound
// libraries: mono, 16-bit PCM, 22050 samples a second.
#pragma once
#include <cstdint>
#include <vector>

namespace tw::bake {

constexpr int32_t kSampleRate = 22050;

// A complete RIFF WAVE file ("fmt " then "data") holding `samples`.
std::vector<uint8_t> EncodeWave(const std::vector<int16_t>& samples, int32_t rate = kSampleRate);

// Scales floating-point sound (about -1..1) so its loudest sample reaches
// `peak` of full scale, and converts it to 16-bit samples.
std::vector<int16_t> ToPcm16(const std::vector<float>& sound, float peak = 0.85f);

}  // namespace tw::bake
