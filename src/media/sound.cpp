#include "media/sound.h"

#include <algorithm>

#include "core/error.h"
#include "media/wave_list.h"

namespace tw {

TDXSound::TDXSound(AudioOutput& output, bool onForm)
    : output_(output), onForm_(onForm), mixer_(kRate) {}

TDXSound::~TDXSound() {
  Finalize();
  for (TDXWaveList* list : lists_) list->sound_ = nullptr;
}

void TDXSound::Initialize() {
  Finalize();
  if (!onForm_) throw GameError("Form not found");
  mixer_.SetDeviceRate(kRate);
  if (!output_.Open(kRate, &mixer_)) throw GameError("Primary Buffer cannot be made");
  initialized_ = true;
  for (TDXWaveList* list : lists_) list->MakeBuffers();
}

void TDXSound::Finalize() {
  if (!initialized_) return;
  // Cleared first, so a failure on the way never leaves a half-open device.
  initialized_ = false;
  for (TDXWaveList* list : lists_) list->FreeBuffers();
  {
    AudioLock lock(output_);
    mixer_.FreeAll();
  }
  output_.Close();
}

bool TDXSound::Initialized() const {
  return initialized_ && !output_.Lost();
}

void TDXSound::SetGroupVolume(int32_t group, int32_t percent) {
  AudioLock lock(output_);
  mixer_.SetGroupVolume(group, percent);
}

void TDXSound::SetMuted(bool muted) {
  AudioLock lock(output_);
  mixer_.SetMuted(muted);
}

void TDXSound::SetGroupHeld(int32_t group, bool held) {
  AudioLock lock(output_);
  mixer_.SetGroupHeld(group, held);
}

void TDXSound::AddWaveList(TDXWaveList* list) {
  if (!list || std::find(lists_.begin(), lists_.end(), list) != lists_.end()) return;
  if (list->sound_ && list->sound_ != this) list->sound_->RemoveWaveList(list);
  lists_.push_back(list);
  list->sound_ = this;
  if (initialized_) list->MakeBuffers();
}

void TDXSound::RemoveWaveList(TDXWaveList* list) {
  auto it = std::find(lists_.begin(), lists_.end(), list);
  if (it == lists_.end()) return;
  list->FreeBuffers();
  list->sound_ = nullptr;
  lists_.erase(it);
}

}  // namespace tw
