// Sound libraries: named sounds loaded from a library file ("sound.dxw",
// "music.dxw") and played through the sound device they are bound to. Each
// item has its own buffer for looped play and copies that share its samples
// for overlapping plays of the same effect.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "media/wave.h"

namespace tw {

class TDXSound;
class TDXWaveList;

class TWaveCollectionItem {
 public:
  std::string Name;
  bool Looped = false;          // plays over and over until stopped; one instance only
  int32_t MaxPlayingCount = 0;  // most copies sounding at once; 0 = no limit

  TWaveCollectionItem(TDXWaveList* owner, WaveData wave);
  TWaveCollectionItem(const TWaveCollectionItem&) = delete;
  TWaveCollectionItem& operator=(const TWaveCollectionItem&) = delete;

  // Starts the sound; nothing when not playable. A looped item restarts its
  // own buffer from the beginning; otherwise a free copy plays, or a new
  // one, or the oldest is cut off and reused when MaxPlayingCount is reached.
  // With `wait`, returns once that copy has finished (at most its length
  // and a second more, so a stalled device cannot hang the game).
  void Play(bool wait = false);
  // Stops the own buffer and every copy where they are; nothing is rewound.
  void Stop();

  // Attenuation in hundredths of a decibel: 0 full volume, −10000 silent.
  // Applies to the own buffer at once; copies take it at their next Play.
  void SetVolume(int32_t value);
  int32_t Volume() const { return volume_; }
  // Stereo position in hundredths of a decibel, 0 = centre.
  void SetPan(int32_t value);
  int32_t Pan() const { return pan_; }
  // Playback rate in samples per second; 0 = the wave's own rate.
  void SetFrequency(int32_t value);
  int32_t Frequency() const { return frequency_; }

  // While the sound device runs and the item's buffer exists.
  bool Playable() const;
  int32_t CopyCount() const { return static_cast<int32_t>(copies_.size()); }
  // The own buffer or any copy is playing.
  bool Sounding() const;
  const WaveData& Wave() const { return *wave_; }

  // The mixer voices behind the item (−1 / empty while not playable),
  // copies oldest first; for inspecting what plays.
  int32_t OwnVoice() const { return own_; }
  const std::vector<int32_t>& CopyVoices() const { return copies_; }

 private:
  friend class TDXWaveList;
  TDXSound* Device() const;
  // Called with the output locked.
  void MakeBuffer();
  void FreeBuffers();

  TDXWaveList* owner_;
  std::shared_ptr<const WaveData> wave_;
  int32_t volume_ = 0;
  int32_t pan_ = 0;
  int32_t frequency_ = 0;
  int32_t own_ = -1;
  std::vector<int32_t> copies_;
};

class TDXWaveList {
 public:
  explicit TDXWaveList(TDXSound* sound = nullptr);
  ~TDXWaveList();
  TDXWaveList(const TDXWaveList&) = delete;
  TDXWaveList& operator=(const TDXWaveList&) = delete;

  // Binds the library to a sound device (nullptr unbinds).
  void SetDXSound(TDXSound* sound);
  TDXSound* DXSound() const { return sound_; }

  // The mixer group its sounds play in (kEffectsGroup or kMusicGroup), whose
  // volume the player sets; read when an item gets its voices.
  int32_t Group = 0;

  // Replaces all items with those of a library file ("Cannot open file
  // PATH", "Invalid stream format", "Wave is invalid"). When reading fails
  // the library keeps the items it had. While the device runs the new items
  // are playable at once.
  void LoadFromFile(const std::string& path);
  void LoadFromBytes(std::span<const uint8_t> bytes);

  // The item with this name, letter case ignored; among equal names the one
  // named last. "Wave 'NAME' not found" when there is none.
  TWaveCollectionItem& Find(const std::string& name);
  // Its index, or −1.
  int32_t IndexOf(const std::string& name) const;
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // "List index out of bounds (N)" outside 0 .. Count − 1.
  TWaveCollectionItem& Items(int32_t index);

  // Appends an item (playable at once while the device runs).
  TWaveCollectionItem& Add(const std::string& name, WaveData wave);
  void Clear();
  // Rebuilds the name index after items were renamed.
  void Rehash();

 private:
  friend class TDXSound;
  friend class TWaveCollectionItem;
  void MakeBuffers();
  void FreeBuffers();
  void IndexItem(int32_t index);
  void ReplaceItems(std::vector<std::unique_ptr<TWaveCollectionItem>> items);

  TDXSound* sound_ = nullptr;
  std::vector<std::unique_ptr<TWaveCollectionItem>> items_;
  // 256 chains of item indices, in the order the items were named; searched
  // from the back, so the newest name comes first.
  std::array<std::vector<int32_t>, 256> chains_;
};

// The chain a name belongs to: (length × 16 + first char + second-to-last
// char) mod 256 over the lower-case name, the chars only for names longer
// than one character.
uint8_t NameHash(std::string_view name);

}  // namespace tw
