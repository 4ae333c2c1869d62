// Speed of the world helpers the frame runs for every fish and monster:
// picking the map cell under a point (PickColumn + PickRow) and drawing a
// 100-pixel antialiased line segment of the fishing line. Each benchmark also
// counts heap allocations made inside the timed loop; it must stay 0.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "core/random.h"
#include "world/iso_math.h"
#include "world/pixels.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

// The counting operator new hands out malloc'd blocks and the matching
// deletes free them; the compiler cannot see that the pair matches.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t n) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, size_t) noexcept {
  std::free(p);
}

namespace {

struct Point {
  int32_t x, y;
};

// Points spread over the largest map, plus a margin beyond its edges.
std::vector<Point> MapPoints(const tw::MapHeader& h) {
  tw::Random rng(1);
  std::vector<Point> pts(4096);
  for (Point& p : pts) {
    p.x = rng((h.MapMaxCol + 2) * h.TileWidth) - h.TileWidth;
    p.y = rng((h.MapMaxRow + 4) * (h.TileHeight / 2)) - h.TileHeight;
  }
  return pts;
}

// Runs `work` 10000 times outside the timed loop (whose own bookkeeping may
// allocate) and reports the allocations it made; any at all fails the run.
template <typename Work>
void CheckNoAllocation(benchmark::State& state, Work work) {
  const long before = allocations.load();
  for (int i = 0; i < 10000; ++i) work(i);
  const long made = allocations.load() - before;
  state.counters["allocs"] = static_cast<double>(made);
  if (made != 0) state.SkipWithError("allocated while working");
}

void BM_PickColumnAndRow(benchmark::State& state) {
  tw::MapHeader h;
  h.TileWidth = 64;
  h.TileHeight = 32;
  h.MapMaxCol = 512;
  h.MapMaxRow = 2048;
  const auto pts = MapPoints(h);
  auto work = [&](size_t i) {
    const Point& p = pts[i & 4095];
    benchmark::DoNotOptimize(tw::PickColumn(h, p.x, p.y));
    benchmark::DoNotOptimize(tw::PickRow(h, p.x, p.y));
  };
  CheckNoAllocation(state, work);
  size_t i = 0;
  for (auto _ : state) work(i++);
}
BENCHMARK(BM_PickColumnAndRow);

void BM_PickCell(benchmark::State& state) {
  tw::MapHeader h;
  h.TileWidth = 64;
  h.TileHeight = 32;
  h.MapMaxCol = 512;
  h.MapMaxRow = 2048;
  const auto pts = MapPoints(h);
  auto work = [&](size_t i) {
    benchmark::DoNotOptimize(tw::PickCell(h, pts[i & 4095].x, pts[i & 4095].y));
  };
  CheckNoAllocation(state, work);
  size_t i = 0;
  for (auto _ : state) work(i++);
}
BENCHMARK(BM_PickCell);

// 100-pixel segments at every angle, all on the 640x480 back buffer.
template <bool kSmooth>
void LineBench(benchmark::State& state) {
  tw::Surface16 surface(640, 480);
  tw::LockSurface(surface);
  std::vector<Point> ends;
  for (int a = 0; a < 256; ++a)
    ends.push_back({320 + static_cast<int32_t>(tw::Cos256(a) * 100),
                    240 + static_cast<int32_t>(tw::Sin256(a) * 100)});
  auto work = [&](size_t i) {
    const Point& e = ends[i & 255];
    if (kSmooth) {
      tw::DrawSmoothLine(320, 240, e.x, e.y, 200, 200, 180);
    } else {
      tw::DrawLine(320, 240, e.x, e.y, 200, 200, 180);
    }
    benchmark::ClobberMemory();
  };
  CheckNoAllocation(state, work);
  size_t i = 0;
  for (auto _ : state) work(i++);
  tw::UnlockSurface();
}
void BM_DrawSmoothLine100(benchmark::State& state) {
  LineBench<true>(state);
}
void BM_DrawLine100(benchmark::State& state) {
  LineBench<false>(state);
}
BENCHMARK(BM_DrawSmoothLine100);
BENCHMARK(BM_DrawLine100);

}  // namespace

BENCHMARK_MAIN();
