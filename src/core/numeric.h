// Number rules shared by the whole game: rounding goes to the nearest whole
// number with halves to the even neighbour; "div" truncates toward zero;
// money and catch totals stop at the 32-bit limits instead of wrapping.
#pragma once
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace tw {

// Round to nearest, halves to even (the way the game rounds everywhere).
inline int32_t Round(double v) {
  // std::nearbyint, without the library call it costs on the common
  // processors (it runs several times per swimmer per frame): below 2^52,
  // adding 2^52 (with v's sign) leaves no bits below the point, so the sum
  // is rounded to a whole number the way the processor rounds, halves to
  // even; beyond that every double is whole already. NaN passes through.
  double r = v;
  if (std::fabs(v) < 0x1p52) {
    const double big = std::copysign(0x1p52, v);
    r = (v + big) - big;
  }
  if (r >= 2147483647.0) return INT32_MAX;
  if (r <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(r);
}

// Round(v) for a float, in one instruction where the processor has it (the
// swimmers round their points every frame). It rounds as the processor
// does, as Round's sum does; a float at or beyond 2^31 (none lies between
// 2^31 - 128 and 2^31) answers the processor's "out of range", INT32_MIN,
// which Round turns to INT32_MAX for positive ones.
inline int32_t RoundFloat(float v) {
#if defined(__SSE__)
  const int32_t r = _mm_cvtss_si32(_mm_set_ss(v));
  return r == INT32_MIN && v > 0 ? INT32_MAX : r;
#else
  return Round(v);
#endif
}

// Truncation toward zero, clamped into the 32-bit range.
inline int32_t Trunc(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(v);
}

// a + b held within the 32-bit range: cash, catch totals and every sum
// made from lake values stop at the limit instead of wrapping round. `b`
// is wide so that a product (seconds times frames per second) can be added unchecked.
inline int32_t SaturatingAdd(int32_t a, int64_t b) {
  if (b > 0 && a > INT32_MAX - b) return INT32_MAX;
  if (b < 0 && a < INT32_MIN - b) return INT32_MIN;
  return static_cast<int32_t>(a + b);
}

// A whole number as a map object writes it ("250", "-5", "+7"): an optional
// sign and decimal digits, nothing else, within the 32-bit range.
std::optional<int32_t> ParseWholeNumber(const std::string& text);

}  // namespace tw
