// An audio output for the sound device's tests: it opens unless told not
// to, renders on demand and can lose its device.
#pragma once
#include <vector>

#include "media/audio_output.h"

namespace tw {

class FakeAudioOutput : public AudioOutput {
 public:
  bool refuse = false;
  bool lost = false;
  int locks = 0;

  bool Open(uint32_t, AudioSource* source) override {
    Close();
    if (refuse) return false;
    source_ = source;
    lost = false;
    return true;
  }
  void Close() override { source_ = nullptr; }
  bool IsOpen() const override { return source_ != nullptr; }
  void Lock() override { ++locks; }
  void Unlock() override { --locks; }
  bool Lost() const override { return lost; }

  // Left channel of `frames` rendered frames.
  std::vector<int16_t> Left(size_t frames) {
    std::vector<int16_t> stereo(frames * 2, 0), left(frames);
    if (source_) source_->Render(stereo.data(), frames);
    for (size_t i = 0; i < frames; ++i) left[i] = stereo[2 * i];
    return left;
  }

 private:
  AudioSource* source_ = nullptr;
};

}  // namespace tw
