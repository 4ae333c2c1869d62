// The headless twin: what tests and replays rely on it to do.
#include "platform/headless/headless_platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/error.h"

namespace tw {
namespace {

TEST(HeadlessPlatform, ManualClockMovesOnlyWhenToldOrWhenTheLoopWaits) {
  HeadlessPlatform platform(HeadlessClock::Manual(500));
  EXPECT_EQ(platform.Milliseconds(), 500u);
  platform.GetClock().Advance(20);
  EXPECT_EQ(platform.Milliseconds(), 520u);

  Event e;
  EXPECT_FALSE(platform.WaitEvent(e, 30));
  EXPECT_EQ(platform.Milliseconds(), 550u) << "an empty wait lets its time pass";
  platform.Push(Event::KeyDownEvent(65));
  EXPECT_TRUE(platform.WaitEvent(e, 30));
  EXPECT_EQ(e.Key, 65);
  EXPECT_EQ(platform.Milliseconds(), 550u) << "an event ends the wait at once";

  HeadlessPlatform real(HeadlessClock::Real());
  const uint32_t start = real.Milliseconds();
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_GE(real.Milliseconds() - start, 4u);
}

TEST(HeadlessPlatform, KeepsTheLastFrameOfEachWindowAndCountsPresents) {
  HeadlessPlatform platform;
  Surface16 frame(640, 480, PixelFormat::RGB555);
  frame.Set(3, 4, 0x7FFF);
  platform.Present(frame);
  frame.Set(3, 4, 0);
  EXPECT_EQ(platform.LastFrame().At(3, 4), 0x7FFF) << "a copy, not the caller's surface";
  EXPECT_EQ(platform.LastFrame().Format(), PixelFormat::RGB555);
  platform.Present(frame);
  EXPECT_EQ(platform.PresentCount(), 2);

  const uint32_t pixels[6] = {1, 2, 3, 4, 5, 6};
  platform.PresentSecond(pixels, 3, 2);
  EXPECT_TRUE(platform.SecondFrame().empty()) << "nothing shows before the window is open";
  platform.OpenSecondWindow(3, 2, "Tarnwick");
  platform.PresentSecond(pixels, 3, 2);
  EXPECT_EQ(platform.SecondFrame().size(), 6u);
  EXPECT_EQ(platform.SecondFrame()[5], 6u);
  platform.CloseSecondWindow();
  EXPECT_FALSE(platform.SecondWindowOpen());
}

TEST(HeadlessPlatform, RecordsWebAddressesAndRefusesAnythingElse) {
  HeadlessPlatform platform;
  platform.OpenUrl("https://tarnwick.example/store");
  EXPECT_THROW(platform.OpenUrl("tarnwick.ini"), GameError);
  EXPECT_THROW(platform.OpenUrl("http://x.example/\n--help"), GameError);
  ASSERT_EQ(platform.OpenedUrls().size(), 1u);
  EXPECT_EQ(platform.OpenedUrls()[0], "https://tarnwick.example/store");
}

}  // namespace
}  // namespace tw
