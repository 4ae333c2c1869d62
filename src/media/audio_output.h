// The sound output the game plays through: a device that pulls 16-bit stereo
// samples from a source on its own schedule. The SDL output and the headless
// output implement it; the sound device (TDXSound) only sees this interface.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tw {

// Something that fills the output's buffers: `stereo` holds 2 × `frames`
// interleaved samples (left, right). Called with the output's lock held,
// possibly on the output's own thread; it must not block or allocate.
class AudioSource {
 public:
  virtual ~AudioSource() = default;
  virtual void Render(int16_t* stereo, size_t frames) = 0;
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;

  // Opens the device for 16-bit stereo at `rate` frames per second and starts
  // pulling from `source`. False when the device cannot be opened; the output
  // then stays closed. Opening an open output closes it first.
  virtual bool Open(uint32_t rate, AudioSource* source) = 0;
  // Stops pulling and closes the device. Nothing when closed.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // While locked, the source is not being called; hold it only briefly.
  virtual void Lock() = 0;
  virtual void Unlock() = 0;

  // True once the device went away and could not be opened again: the
  // output is closed and the game is silent until the next Open succeeds.
  virtual bool Lost() const = 0;
};

// Holds an output's lock for one scope.
class AudioLock {
 public:
  explicit AudioLock(AudioOutput& output) : output_(output) { output_.Lock(); }
  ~AudioLock() { output_.Unlock(); }
  AudioLock(const AudioLock&) = delete;
  AudioLock& operator=(const AudioLock&) = delete;

 private:
  AudioOutput& output_;
};

}  // namespace tw
