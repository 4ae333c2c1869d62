// The audio output on SDL: a 16-bit stereo device whose callback pulls from
// our mixer. A removed device is reopened on the default output, or the
// output reports itself lost and the game goes silent.
#pragma once
#include <cstdint>

#include "media/audio_output.h"

namespace tw {

class SdlAudioOutput : public AudioOutput {
 public:
  SdlAudioOutput() = default;
  ~SdlAudioOutput() override;
  SdlAudioOutput(const SdlAudioOutput&) = delete;
  SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

  bool Open(uint32_t rate, AudioSource* source) override;
  void Close() override;
  bool IsOpen() const override { return device_ != 0; }
  void Lock() override;
  void Unlock() override;
  bool Lost() const override { return lost_; }

  // The event pump calls this for every SDL_AUDIODEVICEREMOVED event of an
  // output device, with the event's device id; others' ids are ignored.
  void HandleDeviceRemoved(uint32_t which);
  uint32_t DeviceId() const { return device_; }

  // The callback's entry, public only so the C callback can reach it.
  void Pull(uint8_t* stream, int length);

 private:
  bool OpenDevice();

  uint32_t device_ = 0;
  uint32_t lockedDevice_ = 0;
  uint32_t rate_ = 0;
  AudioSource* source_ = nullptr;
  bool subsystem_ = false;  // we hold a reference on SDL's audio subsystem
  bool lost_ = false;
  bool driverLogged_ = false;  // the driver goes into the log once
};

}  // namespace tw
