// The inner loops of sprite drawing: copying one row of 16-bit pixels with
// the colour key left out. Eight pixels at a time where the processor allows;
// runs that are all key or all colour cost one compare.
#pragma once
#include <cstdint>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tw {

inline void BlitKeyedRow(uint16_t* dst, const uint16_t* src, int32_t n, uint16_t key) {
  int32_t i = 0;
#ifdef __SSE2__
  const __m128i k = _mm_set1_epi16(static_cast<int16_t>(key));
  for (; i + 8 <= n; i += 8) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    __m128i isKey = _mm_cmpeq_epi16(s, k);
    int bits = _mm_movemask_epi8(isKey);
    if (bits == 0xFFFF) continue;  // all see-through
    if (bits != 0) {
      __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
      s = _mm_or_si128(_mm_and_si128(isKey, d), _mm_andnot_si128(isKey, s));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), s);
  }
#endif
  for (; i < n; ++i)
    if (src[i] != key) dst[i] = src[i];
}

// A run of opaque pixels, usually short: copied inline, eight at a time, the
// last eight overlapping what came before rather than a slow tail.
inline void BlitSpan(uint16_t* dst, const uint16_t* src, int32_t n) {
#ifdef __SSE2__
  if (n >= 8) {
    int32_t i = 0;
    for (; i + 8 <= n; i += 8)
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i),
                       _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i)));
    if (i < n)
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + n - 8),
                       _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + n - 8)));
    return;
  }
#endif
  for (int32_t i = 0; i < n; ++i) dst[i] = src[i];
}

inline void BlitRow(uint16_t* dst, const uint16_t* src, int32_t n) {
  std::memcpy(dst, src, static_cast<size_t>(n) * sizeof(uint16_t));
}

}  // namespace tw
