// The inner loops of sprite drawing: copying one row of 16-bit pixels with
// the colour key left out. Eight pixels at a time where the processor allows;
// runs that are all key or all colour cost one compare. The map's diamonds,
// drawn by the hundred every frame, have straight-line code of their own.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
// Processors that have them copy the map's diamonds 16 pixels at a time,
// chosen when the game runs.
#if defined(__GNUC__) && defined(__x86_64__)
#define TW_WIDE_DIAMONDS 1
#include <immintrin.h>
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
// last eight overlapping what came before rather than a slow tail; shorter
// runs as two overlapping moves of four or two pixels.
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
#else
  if (n > 8) {
    std::memcpy(dst, src, static_cast<size_t>(n) * sizeof(uint16_t));
    return;
  }
#endif
  if (n >= 4) {
    uint64_t head, tail;
    std::memcpy(&head, src, 8);
    std::memcpy(&tail, src + n - 4, 8);
    std::memcpy(dst, &head, 8);
    std::memcpy(dst + n - 4, &tail, 8);
  } else if (n >= 2) {
    uint32_t head, tail;
    std::memcpy(&head, src, 4);
    std::memcpy(&tail, src + n - 2, 4);
    std::memcpy(dst, &head, 4);
    std::memcpy(dst + n - 2, &tail, 4);
  } else if (n == 1) {
    dst[0] = src[0];
  }
}

inline void BlitRow(uint16_t* dst, const uint16_t* src, int32_t n) {
  std::memcpy(dst, src, static_cast<size_t>(n) * sizeof(uint16_t));
}

// The isometric diamond a map tile stands on, `height` rows high and twice
// as wide: row j of the top half and its mirror row height - 1 - j hold the
// 4j + 2 pixels around the middle. Diamonds like these on rows half a tile
// apart leave no gap between them.
struct DiamondRow {
  int32_t start, length;
};
constexpr DiamondRow DiamondRowOf(int32_t height, int32_t j) {
  const int32_t half = j < height / 2 ? j : height - 1 - j;
  return {height - 1 - 2 * half, 4 * half + 2};
}

namespace diamond_detail {

// One row of known length: its eight-pixel moves, the last overlapping.
template <int32_t Start, int32_t Length>
inline void Row(uint16_t* dst, const uint16_t* src) {
#ifdef __SSE2__
  if constexpr (Length >= 8) {
    constexpr int32_t kFull = Length / 8;
    __m128i v[kFull + 1];
    for (int32_t i = 0; i < kFull; ++i)
      v[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + Start + 8 * i));
    if constexpr (Length % 8 != 0)
      v[kFull] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + Start + Length - 8));
    for (int32_t i = 0; i < kFull; ++i)
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + Start + 8 * i), v[i]);
    if constexpr (Length % 8 != 0)
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + Start + Length - 8), v[kFull]);
    return;
  }
#endif
  BlitSpan(dst + Start, src + Start, Length);
}

template <size_t... J>
inline void Rows(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch,
                 std::index_sequence<J...>) {
  (Row<DiamondRowOf(32, J).start, DiamondRowOf(32, J).length>(
       dst + static_cast<ptrdiff_t>(J) * dstPitch, src + static_cast<ptrdiff_t>(J) * srcPitch),
   ...);
}

#ifdef TW_WIDE_DIAMONDS
template <int32_t Start, int32_t Length>
__attribute__((target("avx2"))) inline void WideRow(uint16_t* dst, const uint16_t* src) {
  if constexpr (Length >= 16) {
    constexpr int32_t kFull = Length / 16;
    __m256i v[kFull + 1];
    for (int32_t i = 0; i < kFull; ++i)
      v[i] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + Start + 16 * i));
    if constexpr (Length % 16 != 0)
      v[kFull] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + Start + Length - 16));
    for (int32_t i = 0; i < kFull; ++i)
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + Start + 16 * i), v[i]);
    if constexpr (Length % 16 != 0)
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + Start + Length - 16), v[kFull]);
  } else {
    Row<Start, Length>(dst, src);
  }
}

template <size_t... J>
__attribute__((target("avx2"))) inline void WideRows(uint16_t* dst, ptrdiff_t dstPitch,
                                                     const uint16_t* src, ptrdiff_t srcPitch,
                                                     std::index_sequence<J...>) {
  (WideRow<DiamondRowOf(32, J).start, DiamondRowOf(32, J).length>(
       dst + static_cast<ptrdiff_t>(J) * dstPitch, src + static_cast<ptrdiff_t>(J) * srcPitch),
   ...);
}

inline bool HasWideMoves() {
  static const bool wide = __builtin_cpu_supports("avx2");
  return wide;
}
#endif

// Both ways of copying the diamond; BlitDiamond64x32 picks one.
inline void Narrow(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch) {
  Rows(dst, dstPitch, src, srcPitch, std::make_index_sequence<32>());
}
inline bool Wide(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch) {
#ifdef TW_WIDE_DIAMONDS
  if (HasWideMoves()) {
    WideRows(dst, dstPitch, src, srcPitch, std::make_index_sequence<32>());
    return true;
  }
#endif
  (void)dst, (void)dstPitch, (void)src, (void)srcPitch;
  return false;
}

}  // namespace diamond_detail

// The 64 by 32 diamond of the map's tiles, from the diamond's top-left
// corner in both pictures; pitches count pixels.
inline void BlitDiamond64x32(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src,
                             ptrdiff_t srcPitch) {
  if (!diamond_detail::Wide(dst, dstPitch, src, srcPitch))
    diamond_detail::Narrow(dst, dstPitch, src, srcPitch);
}

}  // namespace tw
