// The drawing surface on the headless platform: taking and giving back the
// display, its notifications, errors, lost displays and presenting.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/error.h"
#include "media/draw.h"
#include "platform/headless/headless_platform.h"

namespace tw {
namespace {

// Stands in for a sprite library: records when its frames come and go.
struct FakeLibrary {
  std::vector<std::string>* log;
  int built = 0;
  bool hasFrames = false;
  PixelFormat format = PixelFormat::RGB565;
  void InitializeFrames(PixelFormat f) {
    ++built;
    hasFrames = true;
    format = f;
    log->push_back("frames");
  }
  void FinalizeFrames() {
    hasFrames = false;
    log->push_back("drop");
  }
};

struct DrawSurface : ::testing::Test {
  HeadlessPlatform platform;
  TDXDraw draw{platform};
  std::vector<std::string> log;
  FakeLibrary objects{&log};

  void SetUp() override {
    draw.AddImageList(&objects);
    draw.OnInitialize = [this] {
      log.push_back(std::string("init:") + (draw.Initialized() ? "ready" : "not ready"));
    };
    draw.OnFinalize = [this] { log.push_back("fini"); };
  }
  std::string InitializeError() {
    try {
      draw.Initialize();
    } catch (const GameError& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(DrawSurface, InitializeRunsItsHandlerThenBuildsFramesAndFinalizeUndoesIt) {
  draw.Initialize();
  EXPECT_TRUE(draw.Initialized());
  EXPECT_EQ(log, (std::vector<std::string>{"init:ready", "frames"}));
  EXPECT_TRUE(platform.DisplayTaken());
  EXPECT_EQ(platform.CurrentMode(), (DisplayMode{640, 480, 16}));
  EXPECT_EQ(draw.Surface().Width(), 640);
  EXPECT_EQ(draw.Primary().Height(), 480);

  log.clear();
  draw.Finalize();
  EXPECT_FALSE(draw.Initialized());
  EXPECT_EQ(log, (std::vector<std::string>{"drop", "fini"}));
  EXPECT_FALSE(platform.DisplayTaken());

  log.clear();
  draw.Finalize();  // not initialised: nothing at all
  EXPECT_TRUE(log.empty());
}

TEST_F(DrawSurface, InitializingAgainFinalizesFirst) {
  draw.Initialize();
  log.clear();
  draw.PageFlip = true;
  draw.WaitVBlank = true;
  draw.Initialize();
  EXPECT_EQ(log, (std::vector<std::string>{"drop", "fini", "init:ready", "frames"}));
  EXPECT_TRUE(platform.LastOptions().PageFlip);
  EXPECT_TRUE(platform.LastOptions().WaitVBlank);
}

TEST_F(DrawSurface, ErrorsWhileTakingTheDisplayLeaveItReleased) {
  platform.HasWindow = false;
  EXPECT_EQ(InitializeError(), "Form not found");
  platform.HasWindow = true;

  platform.RefusedModes = {{640, 480, 16}};
  EXPECT_EQ(InitializeError(), "Display mode cannot be changed (640x480 16bit)");
  EXPECT_FALSE(platform.DisplayTaken());
  platform.RefusedModes.clear();

  platform.RefusePrimary = true;
  EXPECT_EQ(InitializeError(), "Primary Surface cannot be made");
  EXPECT_FALSE(platform.DisplayTaken());
  platform.RefusePrimary = false;

  platform.RefuseBackBuffer = true;
  EXPECT_EQ(InitializeError(), "Surface cannot be made");
  EXPECT_FALSE(platform.DisplayTaken());
  EXPECT_FALSE(draw.Initialized());
  EXPECT_FALSE(draw.CanDraw());
  EXPECT_TRUE(log.empty()) << "no handler runs for a surface that never came up";

  // An error from an initialised surface's second Initialize finalises the first one.
  platform.RefuseBackBuffer = false;
  draw.Initialize();
  log.clear();
  platform.RefusePrimary = true;
  EXPECT_EQ(InitializeError(), "Primary Surface cannot be made");
  EXPECT_EQ(log, (std::vector<std::string>{"drop", "fini"}));
  EXPECT_FALSE(platform.DisplayTaken());
}

TEST_F(DrawSurface, ARefusedModeFallsBackToTheSmallestBiggerOneOfTheSameShapeFirst) {
  platform.Modes = {{1024, 768, 32}, {640, 480, 16}, {640, 480, 8},
                    {720, 480, 16},  {800, 600, 32}, {800, 600, 16}};
  platform.RefusedModes = {{640, 480, 16}};
  draw.Initialize();
  EXPECT_EQ(draw.Mode(), (DisplayMode{800, 600, 16}));
  EXPECT_EQ(draw.Surface().Width(), 640) << "the game still draws at 640x480";

  platform.RefusedModes = {{640, 480, 16}, {800, 600, 16}, {800, 600, 32}, {1024, 768, 32}};
  draw.Initialize();
  EXPECT_EQ(draw.Mode(), (DisplayMode{720, 480, 16})) << "then any shape";
}

TEST_F(DrawSurface, TheHandlersErrorIsPassedOnButTheFramesAreStillBuilt) {
  draw.OnInitialize = [] { throw GameError("Primary Buffer cannot be made"); };
  EXPECT_EQ(InitializeError(), "Primary Buffer cannot be made");
  EXPECT_TRUE(draw.Initialized());
  EXPECT_TRUE(objects.hasFrames);
}

TEST_F(DrawSurface, FinalizeCompletesWhenItsHandlerFails) {
  draw.Initialize();
  draw.OnFinalize = [] { throw std::runtime_error("sound device stuck"); };
  EXPECT_THROW(draw.Finalize(), std::runtime_error);
  EXPECT_FALSE(draw.Initialized());
  EXPECT_FALSE(platform.DisplayTaken());
  EXPECT_FALSE(objects.hasFrames);
}

TEST_F(DrawSurface, CannotDrawWhileNotInitializedOrInsideInitializeAndFinalize) {
  EXPECT_FALSE(draw.CanDraw());
  bool inside = true;
  draw.OnFinalize = [&] { inside = draw.CanDraw(); };
  draw.Initialize();
  EXPECT_TRUE(draw.CanDraw());
  draw.Finalize();
  EXPECT_FALSE(inside);
}

TEST_F(DrawSurface, ALostDisplayIsRestoredAndTheFramesRebuilt) {
  platform.Format = PixelFormat::RGB555;
  draw.Initialize();
  EXPECT_EQ(draw.Surface().Format(), PixelFormat::RGB555);
  EXPECT_EQ(objects.format, PixelFormat::RGB555);
  EXPECT_EQ(objects.built, 1);

  platform.Lost = true;
  platform.RestoreWorks = false;
  EXPECT_FALSE(draw.CanDraw());
  const int presents = platform.PresentCount();
  draw.Flip();
  EXPECT_EQ(platform.PresentCount(), presents) << "Flip does nothing when it cannot draw";

  platform.RestoreWorks = true;
  EXPECT_TRUE(draw.CanDraw());
  EXPECT_EQ(objects.built, 2);
  EXPECT_TRUE(draw.CanDraw());
  EXPECT_EQ(objects.built, 2) << "frames are rebuilt once per loss";
}

TEST_F(DrawSurface, FlipCopiesOrSwapsAndPrimaryShowsAtOnce) {
  draw.Initialize();
  draw.Surface().Fill(0x1234);
  draw.Flip();
  EXPECT_EQ(platform.PresentCount(), 1);
  EXPECT_EQ(platform.LastFrame().At(5, 5), 0x1234);
  EXPECT_EQ(draw.Primary().At(5, 5), 0x1234);
  EXPECT_EQ(draw.Surface().At(5, 5), 0x1234) << "copying leaves the back buffer as drawn";

  // A pop-up drawn on the visible surface shows over the last frame without a Flip.
  draw.Primary().Set(320, 200, 0xFFFF);
  draw.PresentPrimary();
  EXPECT_EQ(platform.LastFrame().At(320, 200), 0xFFFF);
  EXPECT_EQ(platform.LastFrame().At(5, 5), 0x1234);

  draw.PageFlip = true;
  draw.Initialize();
  draw.Surface().Fill(0x0001);
  draw.Primary().Fill(0x0002);
  draw.Flip();
  EXPECT_EQ(platform.LastFrame().At(0, 0), 0x0001);
  EXPECT_EQ(draw.Primary().At(0, 0), 0x0001);
  EXPECT_EQ(draw.Surface().At(0, 0), 0x0002) << "page flipping swaps the buffers";
}

// A copying Flip leaves the shown frame in the back buffer however it is
// done: rows a caller will paint over may keep older pixels until painted,
// every other row and every way in shows the frame, and what a pop-up draws
// on the visible surface never reaches the back buffer.
TEST_F(DrawSurface, AfterAFlipTheBackBufferHoldsTheShownFrameWhereverItIsSeen) {
  draw.Initialize();
  draw.Surface().Fill(0x0001);
  draw.Flip();
  draw.Surface().Fill(0x0002);
  draw.Flip();
  std::vector<uint8_t> covered(480, 0);
  covered[10] = covered[11] = 1;
  Surface16& back = draw.SurfaceToCover(covered);
  EXPECT_EQ(back.At(0, 9), 0x0002);
  EXPECT_EQ(back.At(639, 12), 0x0002);
  EXPECT_NE(back.At(0, 10), 0x0002) << "a covered row is left to its painter";
  for (int32_t x = 0; x < 640; ++x) back.Set(x, 10, 7), back.Set(x, 11, 7);
  draw.Flip();
  draw.Flip();  // nothing drawn between: the same frame again
  EXPECT_EQ(platform.LastFrame().At(3, 10), 7);
  EXPECT_EQ(platform.LastFrame().At(3, 12), 0x0002);

  draw.Primary().Set(5, 5, 0x0FFF);  // a pop-up over the shown frame
  draw.PresentPrimary();
  EXPECT_EQ(platform.LastFrame().At(5, 5), 0x0FFF);
  EXPECT_EQ(draw.Surface().At(5, 5), 0x0002) << "the pop-up stays off the back buffer";
  EXPECT_EQ(draw.Surface().At(3, 11), 7);

  draw.Flip();
  draw.PageFlip = true;
  draw.Flip();  // a back buffer still to be brought up to date is, before it shows
  EXPECT_EQ(platform.LastFrame().At(3, 11), 7);
  EXPECT_EQ(platform.LastFrame().At(5, 5), 0x0002);
}

TEST_F(DrawSurface, LibrariesAddedToAnInitializedSurfaceGetFramesAtOnce) {
  draw.Initialize();
  FakeLibrary tiles{&log};
  draw.AddImageList(&tiles);
  EXPECT_TRUE(tiles.hasFrames);
  draw.AddImageList(&tiles);  // once only
  EXPECT_EQ(tiles.built, 1);
  draw.RemoveImageList(&tiles);
  draw.Finalize();
  EXPECT_TRUE(tiles.hasFrames) << "a removed library is left alone";
  EXPECT_FALSE(objects.hasFrames);
}

TEST_F(DrawSurface, TheCursorIsHiddenOnlyOverTheVisibleSurface) {
  draw.SetCursorHidden(true);
  EXPECT_EQ(platform.Cursor(), CursorShape::Arrow) << "hidden surface: the menu owns the cursor";
  draw.SetVisible(true);
  EXPECT_EQ(platform.Cursor(), CursorShape::Hidden);
  draw.SetCursorHidden(false);
  EXPECT_EQ(platform.Cursor(), CursorShape::Arrow);
}

}  // namespace
}  // namespace tw
