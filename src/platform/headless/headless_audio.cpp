#include "platform/headless/headless_audio.h"

#include <algorithm>

namespace tw {

bool HeadlessAudioOutput::Open(uint32_t rate, AudioSource* source) {
  Close();
  if (!present_ || rate == 0) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  rate_ = rate;
  source_ = source;
  open_ = true;
  lost_ = false;
  ++openCount_;
  return true;
}

void HeadlessAudioOutput::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  open_ = false;
  source_ = nullptr;
}

std::span<const int16_t> HeadlessAudioOutput::Render(size_t frames) {
  buffer_.assign(frames * 2, 0);
  std::lock_guard<std::mutex> lock(mutex_);
  if (open_ && source_) source_->Render(buffer_.data(), frames);
  return buffer_;
}

void HeadlessAudioOutput::RemoveDevice() {
  if (!open_) return;
  AudioSource* source = source_;
  uint32_t rate = rate_;
  Close();
  if (!Open(rate, source)) lost_ = true;
}

}  // namespace tw
