// The sound device: owns the mixer, opens the audio output and makes every
// bound sound library playable while it runs. With the device off every
// sound call is a silent no-op; that is how "Sound OFF" silences the game.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "media/audio_output.h"
#include "media/mixer.h"

namespace tw {

class TDXWaveList;
class TWaveCollectionItem;

// The mixer groups of the game's two libraries: the effects of "sound.dxw"
// and the music and lake ambience of "music.dxw".
inline constexpr int32_t kEffectsGroup = 0;
inline constexpr int32_t kMusicGroup = 1;

class TDXSound {
 public:
  // `onForm` is false only for a device made without a main window, whose
  // Initialize then fails with "Form not found".
  explicit TDXSound(AudioOutput& output, bool onForm = true);
  ~TDXSound();
  TDXSound(const TDXSound&) = delete;
  TDXSound& operator=(const TDXSound&) = delete;

  // Stops the device if running, opens the output ("Primary Buffer cannot be
  // made" when it refuses) and makes every item of every bound library
  // playable. On an error the device stays off.
  void Initialize();
  // Frees every item's buffers (all sound stops) and closes the output.
  // Nothing when not running.
  void Finalize();
  // Running, and its output still there: a device whose output was lost for
  // good counts as off until it is initialised again.
  bool Initialized() const;

  // Binds a library to this device; a library is bound to at most one.
  void AddWaveList(TDXWaveList* list);
  void RemoveWaveList(TDXWaveList* list);

  // The mixer and output the items play through; mixer calls must hold
  // the output's lock (AudioLock).
  Mixer& GetMixer() { return mixer_; }
  AudioOutput& Output() { return output_; }

  // The player's volume of a group in percent (0 to 100), muting everything
  // at once, and holding a group where it is (a paused tournament's engine
  // and reel). Kept while the device is off and across its restarts.
  void SetGroupVolume(int32_t group, int32_t percent);
  int32_t GroupVolume(int32_t group) const { return mixer_.GroupVolume(group); }
  void SetMuted(bool muted);
  bool Muted() const { return mixer_.Muted(); }
  void SetGroupHeld(int32_t group, bool held);
  bool GroupHeld(int32_t group) const { return mixer_.GroupHeld(group); }

  // Told of every sound that starts playing (not of calls made while the
  // device is off), so scenario tests and replays can follow what is heard.
  using PlayHook = std::function<void(const TWaveCollectionItem&)>;
  void SetPlayHook(PlayHook hook) { playHook_ = std::move(hook); }

  static constexpr uint32_t kRate = Mixer::kDefaultRate;

 private:
  friend class TWaveCollectionItem;
  PlayHook playHook_;
  AudioOutput& output_;
  bool onForm_;
  bool initialized_ = false;
  Mixer mixer_;
  std::vector<TDXWaveList*> lists_;
};

}  // namespace tw
