#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include <cstring>
#include <string>

#include "core/log.h"

namespace tw {
namespace {

// About 23 ms at 44100 Hz: short enough that a sound starts with its event,
// long enough that a busy frame does not starve the device.
constexpr Uint16 kBufferFrames = 1024;

void SDLCALL AudioCallback(void* userdata, Uint8* stream, int length) {
  static_cast<SdlAudioOutput*>(userdata)->Pull(stream, length);
}

}  // namespace

SdlAudioOutput::~SdlAudioOutput() {
  Close();
}

void SdlAudioOutput::Pull(uint8_t* stream, int length) {
  // SDL holds the device lock around this call; the source only mixes.
  if (length <= 0) return;
  size_t frames = static_cast<size_t>(length) / (2 * sizeof(int16_t));
  std::memset(stream, 0, static_cast<size_t>(length));
  if (source_) source_->Render(reinterpret_cast<int16_t*>(stream), frames);
}

bool SdlAudioOutput::OpenDevice() {
  SDL_AudioSpec want{};
  want.freq = static_cast<int>(rate_);
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kBufferFrames;
  want.callback = AudioCallback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the hardware wants, so the
  // mixer always works at our rate and layout.
  SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (id == 0) return false;
  device_ = id;
  SDL_PauseAudioDevice(id, 0);
  return true;
}

bool SdlAudioOutput::Open(uint32_t rate, AudioSource* source) {
  Close();
  if (rate == 0) return false;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    LogWarning(std::string("No sound: ") + SDL_GetError());
    return false;
  }
  subsystem_ = true;
  rate_ = rate;
  source_ = source;
  if (!OpenDevice()) {
    LogWarning(std::string("No sound device: ") + SDL_GetError());
    Close();
    return false;
  }
  if (!driverLogged_) {
    const char* driver = SDL_GetCurrentAudioDriver();
    LogNote(std::string("audio driver: ") + (driver ? driver : "none"));
    driverLogged_ = true;
  }
  lost_ = false;
  return true;
}

void SdlAudioOutput::Close() {
  if (device_ != 0) {
    SDL_CloseAudioDevice(device_);  // waits for a running callback to return
    device_ = 0;
  }
  source_ = nullptr;
  if (subsystem_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystem_ = false;
  }
}

void SdlAudioOutput::Lock() {
  lockedDevice_ = device_;
  if (lockedDevice_ != 0) SDL_LockAudioDevice(lockedDevice_);
}

void SdlAudioOutput::Unlock() {
  if (lockedDevice_ != 0) SDL_UnlockAudioDevice(lockedDevice_);
  lockedDevice_ = 0;
}

void SdlAudioOutput::HandleDeviceRemoved(uint32_t which) {
  if (device_ == 0 || which != device_) return;
  SDL_CloseAudioDevice(device_);
  device_ = 0;
  if (OpenDevice()) return;
  // Nothing to play on: stay closed and let the sound device go silent.
  LogWarning("The sound device went away; the game plays on without sound");
  lost_ = true;
  Close();
}

}  // namespace tw
