#include "media/wave_list.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "core/error.h"
#include "core/files.h"
#include "media/container.h"
#include "media/sound.h"

namespace tw {

uint8_t NameHash(std::string_view name) {
  uint32_t h = static_cast<uint32_t>(name.size()) * 16;
  if (name.size() > 1) {
    h += static_cast<uint8_t>(FoldCase(name[0]));
    h += static_cast<uint8_t>(FoldCase(name[name.size() - 2]));
  }
  return static_cast<uint8_t>(h & 0xFF);
}

// ---- items ----

TWaveCollectionItem::TWaveCollectionItem(TDXWaveList* owner, WaveData wave)
    : owner_(owner), wave_(std::make_shared<const WaveData>(std::move(wave))) {}

TDXSound* TWaveCollectionItem::Device() const {
  return owner_ ? owner_->sound_ : nullptr;
}

bool TWaveCollectionItem::Playable() const {
  TDXSound* dev = Device();
  return dev && dev->Initialized() && own_ >= 0;
}

void TWaveCollectionItem::MakeBuffer() {
  TDXSound* dev = Device();
  if (!dev || own_ >= 0) return;
  Mixer& m = dev->GetMixer();
  own_ = m.CreateVoice(wave_, owner_->Group);
  if (own_ < 0) return;  // no voice left: this item stays silent
  m.SetVolume(own_, volume_);
  m.SetPan(own_, pan_);
  m.SetFrequency(own_, frequency_);
  copies_.reserve(4);
}

void TWaveCollectionItem::FreeBuffers() {
  TDXSound* dev = Device();
  if (dev) {
    Mixer& m = dev->GetMixer();
    m.FreeVoice(own_);
    for (int32_t c : copies_) m.FreeVoice(c);
  }
  own_ = -1;
  copies_.clear();
}

void TWaveCollectionItem::Play(bool wait) {
  if (!Playable()) return;
  TDXSound* dev = Device();
  Mixer& m = dev->GetMixer();
  if (dev->playHook_) dev->playHook_(*this);
  int32_t chosen = -1;
  {
    AudioLock lock(dev->Output());
    if (Looped) {
      m.Stop(own_);
      m.SetPosition(own_, 0);
      m.Play(own_, true);
      return;
    }
    for (int32_t c : copies_) {
      if (!m.Playing(c)) {
        chosen = c;
        break;
      }
    }
    if (chosen < 0) {
      if (MaxPlayingCount <= 0 || CopyCount() < MaxPlayingCount) {
        chosen = m.CreateVoice(wave_, owner_->Group);
        if (chosen >= 0) copies_.push_back(chosen);
      }
      // At the limit (or out of voices): the oldest copy is cut off and
      // becomes the newest.
      if (chosen < 0) {
        if (copies_.empty()) return;
        chosen = copies_.front();
        std::rotate(copies_.begin(), copies_.begin() + 1, copies_.end());
      }
    }
    m.Stop(chosen);
    m.SetPosition(chosen, 0);
    m.SetFrequency(chosen, frequency_);
    m.SetPan(chosen, pan_);
    m.SetVolume(chosen, volume_);
    m.Play(chosen, false);
  }
  if (!wait) return;
  uint32_t rate = frequency_ > 0 ? static_cast<uint32_t>(frequency_) : wave_->SamplesPerSec;
  auto limit = std::chrono::milliseconds(1000 + static_cast<int64_t>(wave_->SampleFrames()) * 1000 /
                                                    std::max<uint32_t>(rate, 1));
  auto start = std::chrono::steady_clock::now();
  while (dev->Initialized() && std::chrono::steady_clock::now() - start < limit) {
    {
      AudioLock lock(dev->Output());
      if (!m.Playing(chosen)) return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void TWaveCollectionItem::Stop() {
  if (!Playable()) return;
  TDXSound* dev = Device();
  AudioLock lock(dev->Output());
  Mixer& m = dev->GetMixer();
  m.Stop(own_);
  for (int32_t c : copies_) m.Stop(c);
}

bool TWaveCollectionItem::Sounding() const {
  if (!Playable()) return false;
  TDXSound* dev = Device();
  AudioLock lock(dev->Output());
  const Mixer& m = dev->GetMixer();
  if (m.Playing(own_)) return true;
  return std::any_of(copies_.begin(), copies_.end(), [&](int32_t c) { return m.Playing(c); });
}

void TWaveCollectionItem::SetVolume(int32_t value) {
  volume_ = value;
  if (!Playable()) return;
  AudioLock lock(Device()->Output());
  Device()->GetMixer().SetVolume(own_, value);
}

void TWaveCollectionItem::SetPan(int32_t value) {
  pan_ = value;
  if (!Playable()) return;
  AudioLock lock(Device()->Output());
  Device()->GetMixer().SetPan(own_, value);
}

void TWaveCollectionItem::SetFrequency(int32_t value) {
  frequency_ = value;
  if (!Playable()) return;
  AudioLock lock(Device()->Output());
  Device()->GetMixer().SetFrequency(own_, value);
}

// ---- the library ----

TDXWaveList::TDXWaveList(TDXSound* sound) {
  SetDXSound(sound);
}

TDXWaveList::~TDXWaveList() {
  SetDXSound(nullptr);
}

void TDXWaveList::SetDXSound(TDXSound* sound) {
  if (sound == sound_) return;
  if (sound_) sound_->RemoveWaveList(this);
  if (sound) sound->AddWaveList(this);
}

void TDXWaveList::MakeBuffers() {
  if (!sound_ || !sound_->Initialized()) return;
  AudioLock lock(sound_->Output());
  for (auto& item : items_) item->MakeBuffer();
}

void TDXWaveList::FreeBuffers() {
  if (!sound_) return;
  AudioLock lock(sound_->Output());
  for (auto& item : items_) item->FreeBuffers();
}

void TDXWaveList::LoadFromFile(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  try {
    LoadFromBytes(bytes);
  } catch (const GameError& e) {
    throw DamagedLibrary(path, e);
  }
}

void TDXWaveList::LoadFromBytes(std::span<const uint8_t> bytes) {
  Container c = ReadContainer(bytes);
  // Everything is read before anything is replaced, so a damaged file
  // leaves the library as it was.
  std::vector<std::unique_ptr<TWaveCollectionItem>> items;
  items.reserve(c.Items.size());
  for (const ContainerItem& props : c.Items) {
    WaveData wave;
    if (const ContainerValue* v = FindProperty(props, "Wave.WAVE")) {
      if (v->Type != ValueType::Binary) throw InvalidStreamFormat();
      wave = DecodeWave(v->Bytes);
    }
    auto item = std::make_unique<TWaveCollectionItem>(this, std::move(wave));
    if (const ContainerValue* v = FindProperty(props, "Name")) item->Name = PropertyString(*v);
    if (const ContainerValue* v = FindProperty(props, "Looped")) item->Looped = PropertyBool(*v);
    if (const ContainerValue* v = FindProperty(props, "MaxPlayingCount"))
      item->MaxPlayingCount = std::max(0, PropertyInteger(*v));
    items.push_back(std::move(item));
  }
  ReplaceItems(std::move(items));
}

void TDXWaveList::ReplaceItems(std::vector<std::unique_ptr<TWaveCollectionItem>> items) {
  FreeBuffers();
  items_ = std::move(items);
  Rehash();
  MakeBuffers();
}

void TDXWaveList::Clear() {
  ReplaceItems({});
}

TWaveCollectionItem& TDXWaveList::Add(const std::string& name, WaveData wave) {
  auto item = std::make_unique<TWaveCollectionItem>(this, std::move(wave));
  item->Name = name;
  items_.push_back(std::move(item));
  IndexItem(Count() - 1);
  TWaveCollectionItem& added = *items_.back();
  if (sound_ && sound_->Initialized()) {
    AudioLock lock(sound_->Output());
    added.MakeBuffer();
  }
  return added;
}

void TDXWaveList::IndexItem(int32_t index) {
  chains_[NameHash(items_[index]->Name)].push_back(index);
}

void TDXWaveList::Rehash() {
  for (auto& chain : chains_) chain.clear();
  for (int32_t i = 0; i < Count(); ++i) IndexItem(i);
}

int32_t TDXWaveList::IndexOf(const std::string& name) const {
  const auto& chain = chains_[NameHash(name)];
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    if (SameName(items_[*it]->Name, name)) return *it;
  return -1;
}

TWaveCollectionItem& TDXWaveList::Find(const std::string& name) {
  int32_t i = IndexOf(name);
  if (i < 0) throw GameError("Wave '" + name + "' not found");
  return *items_[i];
}

TWaveCollectionItem& TDXWaveList::Items(int32_t index) {
  if (index < 0 || index >= Count())
    throw GameError("List index out of bounds (" + std::to_string(index) + ")");
  return *items_[index];
}

}  // namespace tw
