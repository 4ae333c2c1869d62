// A bounded reader over bytes we were given: it never reads past them, and
// every length a file claims is checked against what is really there.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "core/error.h"

namespace tw {

class ByteCursor {
 public:
  // `onShort` is the message raised when the bytes run out.
  ByteCursor(std::span<const uint8_t> bytes, std::string onShort = "Invalid stream format")
      : bytes_(bytes), onShort_(std::move(onShort)) {}

  size_t Position() const { return pos_; }
  size_t Remaining() const { return bytes_.size() - pos_; }
  bool AtEnd() const { return pos_ >= bytes_.size(); }
  std::span<const uint8_t> Rest() const { return bytes_.subspan(pos_); }

  void Need(size_t n) const {
    if (n > Remaining()) throw GameError(onShort_);
  }
  void Skip(size_t n) {
    Need(n);
    pos_ += n;
  }
  void Seek(size_t pos) {
    if (pos > bytes_.size()) throw GameError(onShort_);
    pos_ = pos;
  }
  uint8_t U8() {
    Need(1);
    return bytes_[pos_++];
  }
  uint16_t U16() { return static_cast<uint16_t>(Le(2)); }
  uint32_t U32() { return static_cast<uint32_t>(Le(4)); }
  uint64_t U64() { return Le(8); }
  int8_t I8() { return static_cast<int8_t>(U8()); }
  int16_t I16() { return static_cast<int16_t>(U16()); }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  int64_t I64() { return static_cast<int64_t>(U64()); }
  std::span<const uint8_t> Bytes(size_t n) {
    Need(n);
    auto s = bytes_.subspan(pos_, n);
    pos_ += n;
    return s;
  }
  std::string String(size_t n) {
    auto s = Bytes(n);
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
  }

 private:
  uint64_t Le(int n) {
    Need(static_cast<size_t>(n));
    uint64_t v = 0;
    for (int i = 0; i < n; ++i) v |= static_cast<uint64_t>(bytes_[pos_ + i]) << (8 * i);
    pos_ += static_cast<size_t>(n);
    return v;
  }

  std::span<const uint8_t> bytes_;
  std::string onShort_;
  size_t pos_ = 0;
};

}  // namespace tw
