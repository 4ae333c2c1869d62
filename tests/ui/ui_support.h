// Helpers for the widget tests: a small font made in memory, a screen that
// uses it, and a modal host that plays a script instead of waiting for a
// player.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/font.h"
#include "ui/modal.h"
#include "ui/screen.h"

namespace tw::test {

// An uncompressed 8-bit BMP whose palette index is the pixel's value.
inline std::vector<uint8_t> MakeGreyBmp(int32_t w, int32_t h,
                                        const std::function<uint8_t(int32_t, int32_t)>& at,
                                        bool topDown = false) {
  uint32_t stride = (static_cast<uint32_t>(w) + 3) & ~3u;
  uint32_t offset = 14 + 40 + 256 * 4;
  std::vector<uint8_t> b;
  auto u16 = [&](uint32_t v) {
    b.push_back(v & 255);
    b.push_back((v >> 8) & 255);
  };
  auto u32 = [&](uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  b.push_back('B');
  b.push_back('M');
  u32(offset + stride * static_cast<uint32_t>(h));
  u32(0);
  u32(offset);
  u32(40);
  u32(static_cast<uint32_t>(w));
  u32(static_cast<uint32_t>(topDown ? -h : h));
  u16(1);
  u16(8);
  u32(0);
  u32(stride * static_cast<uint32_t>(h));
  u32(2835);
  u32(2835);
  u32(256);
  u32(0);
  for (int i = 0; i < 256; ++i) {
    b.push_back(static_cast<uint8_t>(i));
    b.push_back(static_cast<uint8_t>(i));
    b.push_back(static_cast<uint8_t>(i));
    b.push_back(0);
  }
  for (int32_t r = 0; r < h; ++r) {
    int32_t y = topDown ? r : h - 1 - r;
    for (uint32_t x = 0; x < stride; ++x)
      b.push_back(static_cast<int32_t>(x) < w ? at(static_cast<int32_t>(x), y) : 0);
  }
  return b;
}

inline std::string WidthsList(int value) {
  std::string s;
  for (int i = 0; i < Font::kCount; ++i) s += (i ? "," : "") + std::to_string(value);
  return s;
}

// A face of 6x8 cells where every character is a solid 4x6 block, full
// coverage, so text is easy to find in pixels. Advance 6.
inline Font BlockFont(const std::string& name) {
  auto bmp = MakeGreyBmp(16 * 6, 14 * 8, [](int32_t x, int32_t y) {
    int32_t cx = x % 6, cy = y % 8;
    return static_cast<uint8_t>(cx < 4 && cy >= 1 && cy < 7 ? 255 : 0);
  });
  return MakeFont(name, 6, 8, 7, WidthsList(6), bmp);
}

inline FontSet& TestFonts() {
  static FontSet fonts = [] {
    FontSet f;
    for (const char* n : kFontNames) f.Add(BlockFont(n));
    return f;
  }();
  return fonts;
}

// Plays scripted steps while a modal box is open; a box still open when
// the script runs out fails the test instead of hanging.
class ScriptHost : public ModalHost {
 public:
  std::deque<std::function<void()>> Steps;
  int Loops = 0;
  void RunModal(const std::function<bool()>& done) override {
    ++Loops;
    while (!done()) {
      if (Steps.empty()) {
        ADD_FAILURE() << "a modal box was left open by the script";
        return;
      }
      auto step = std::move(Steps.front());
      Steps.pop_front();
      step();
    }
  }
};

// A press and release of the left button at a frame point.
inline void ClickAt(Screen& s, int32_t x, int32_t y) {
  s.MouseMove(x, y);
  s.MouseDown(kMouseLeft, x, y);
  s.MouseUp(kMouseLeft, x, y);
}

// Clicks the middle of a control.
inline void ClickOn(Screen& s, const Control& c) {
  Rect r = c.FrameBounds();
  ClickAt(s, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

}  // namespace tw::test
