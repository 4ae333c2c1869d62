// A frame asks nothing of the heap: every allocation while frames run is
// counted, over a tournament with a clock, a monster, casts and strikes.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "replay_support.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<int64_t> allocations{0};

}  // namespace

// The program's own operator new and delete, counting while asked to. The
// compiler cannot see that the two go together through malloc and free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(size_t size) {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, size_t) noexcept {
  std::free(p);
}

namespace tw {
namespace {

TEST(FrameAllocations, FramesAllocateNothingOnceUnderWay) {
  HeadlessTournament game(test::ProgramFolder());
  Autopilot pilot;
  game.Start(test::PilotHeader("Cedar_Lake", 7), pilot);
  game.Run(300);  // the replay's and the map's first needs are met
  // Every frame until the verdict, which is written once, and the way back
  // to the menu, which makes the menu's pictures again.
  int64_t frames = 0;
  while (!game.State().GameOver) {
    const bool frameTick = std::strcmp(game.RunningTimer(), "frame") == 0;
    counting = true;
    const bool ticked = game.Step();
    counting = false;
    if (!ticked) break;
    frames += frameTick ? 1 : 0;
  }
  ASSERT_GT(frames, 300);
  // The kept replay grows as input comes, a doubling at a time; nothing
  // else may ask for memory.
  EXPECT_LT(allocations.load(), 20) << "over " << frames << " frames";
}

}  // namespace
}  // namespace tw
