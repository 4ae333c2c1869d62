// The audio output without a sound card: tests pull mixed samples on demand
// with Render, and can make the device absent or remove it while open.
#pragma once
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "media/audio_output.h"

namespace tw {

class HeadlessAudioOutput : public AudioOutput {
 public:
  // An absent device refuses to open.
  explicit HeadlessAudioOutput(bool present = true) : present_(present) {}

  bool Open(uint32_t rate, AudioSource* source) override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  void Lock() override {
    mutex_.lock();
    ++locksHeld_;
  }
  void Unlock() override {
    --locksHeld_;
    mutex_.unlock();
  }
  bool Lost() const override { return lost_; }

  void SetPresent(bool present) { present_ = present; }
  uint32_t Rate() const { return rate_; }
  int32_t OpenCount() const { return openCount_; }
  // Locks the game holds now: 0 whenever it is not inside a call.
  int32_t LocksHeld() const { return locksHeld_; }

  // Pulls `frames` stereo frames from the source, as the device would; all
  // zero while closed. The span stays valid until the next Render.
  std::span<const int16_t> Render(size_t frames);

  // The device goes away: it is opened again when still present, otherwise
  // the output closes and reports itself lost.
  void RemoveDevice();

 private:
  std::mutex mutex_;
  bool present_;
  bool open_ = false;
  bool lost_ = false;
  uint32_t rate_ = 0;
  int32_t openCount_ = 0;
  int32_t locksHeld_ = 0;
  AudioSource* source_ = nullptr;
  std::vector<int16_t> buffer_;
};

}  // namespace tw
