// SDL's keys and mouse positions as the game's handlers see them, and the
// SDL platform itself on SDL's dummy video driver.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/error.h"
#include "media/draw.h"
#include "platform/sdl/screen_fit.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_platform.h"

namespace tw {
namespace {

TEST(SdlKeys, KeysBecomeTheVirtualKeyCodesTheHandlersExpect) {
  struct Case {
    SDL_Keycode sdl;
    uint16_t vk;
  };
  const Case cases[] = {
      {SDLK_ESCAPE, 27},   {SDLK_RETURN, 13},  {SDLK_KP_ENTER, 13}, {SDLK_SPACE, 32},
      {SDLK_BACKSPACE, 8}, {SDLK_LEFT, 37},    {SDLK_UP, 38},       {SDLK_RIGHT, 39},
      {SDLK_DOWN, 40},     {SDLK_TAB, 9},      {SDLK_a, 65},        {SDLK_z, 90},
      {SDLK_0, 48},        {SDLK_9, 57},       {SDLK_F1, 112},      {SDLK_F12, 123},
      {SDLK_DELETE, 46},   {SDLK_HOME, 36},    {SDLK_END, 35},      {SDLK_PAGEUP, 33},
      {SDLK_PAGEDOWN, 34}, {SDLK_LSHIFT, 16},  {SDLK_RSHIFT, 16},   {SDLK_LCTRL, 17},
      {SDLK_RCTRL, 17},    {SDLK_LALT, 18},    {SDLK_RALT, 18},     {SDLK_KP_0, 96},
      {SDLK_KP_9, 105},    {SDLK_PERIOD, 190}, {SDLK_INSERT, 45},
  };
  for (const Case& c : cases) EXPECT_EQ(VirtualKeyFromSdl(c.sdl), c.vk) << SDL_GetKeyName(c.sdl);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F13), 0) << "keys the game has no code for are dropped";
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_AUDIOPLAY), 0);
}

TEST(SdlKeys, ModifiersAndButtonsBecomeTheShiftState) {
  EXPECT_EQ(ShiftFromSdl(KMOD_NONE, 0), 0);
  EXPECT_EQ(ShiftFromSdl(KMOD_LSHIFT | KMOD_RCTRL, 0), kShiftKey | kCtrlKey);
  EXPECT_EQ(ShiftFromSdl(KMOD_RALT, SDL_BUTTON_LMASK | SDL_BUTTON_MMASK),
            kAltKey | kLeftButton | kMiddleButton);
  EXPECT_EQ(ShiftFromSdl(KMOD_NUM | KMOD_CAPS, SDL_BUTTON_RMASK), kRightButton);
}

TEST(ScreenFit, TheFrameKeepsItsShapeCentredWithBarsBesideIt) {
  auto same = [](const Rect& r, int32_t l, int32_t t, int32_t w, int32_t h) {
    return r.Left == l && r.Top == t && r.Width() == w && r.Height() == h;
  };
  EXPECT_TRUE(same(FitFrame(640, 480, 640, 480), 0, 0, 640, 480));
  EXPECT_TRUE(same(FitFrame(1920, 1080, 640, 480), 240, 0, 1440, 1080)) << "bars left and right";
  EXPECT_TRUE(same(FitFrame(1280, 1024, 640, 480), 0, 32, 1280, 960)) << "bars above and below";
  EXPECT_TRUE(same(FitFrame(1, 1, 640, 480), 0, 0, 1, 1)) << "never an empty picture";
  EXPECT_TRUE(FitFrame(0, 1080, 640, 480).Empty());
}

TEST(ScreenFit, WholePixelScalingTakesTheLargestWholeMultipleThatFits) {
  auto same = [](const Rect& r, int32_t l, int32_t t, int32_t w, int32_t h) {
    return r.Left == l && r.Top == t && r.Width() == w && r.Height() == h;
  };
  EXPECT_TRUE(same(FitFrameWhole(1920, 1080, 640, 480), 320, 60, 1280, 960)) << "twice, not 2.25";
  EXPECT_TRUE(same(FitFrameWhole(1920, 1440, 640, 480), 0, 0, 1920, 1440));
  EXPECT_TRUE(same(FitFrameWhole(2560, 1600, 640, 480), 320, 80, 1920, 1440));
  EXPECT_TRUE(same(FitFrameWhole(1279, 959, 640, 480), 319, 239, 640, 480)) << "just short of 2";
  // Smaller than the frame: no whole multiple, so it fits as it would.
  EXPECT_TRUE(same(FitFrameWhole(320, 300, 640, 480), 0, 30, 320, 240));
  EXPECT_TRUE(FitFrameWhole(0, 0, 640, 480).Empty());
}

TEST(ScreenFit, MousePositionsAreFramePixelsClampedToTheFrame) {
  const Rect fit = FitFrame(1920, 1080, 640, 480);  // 1440x1080 at x 240
  int32_t x = -1, y = -1;
  OutputToFrame(fit, 640, 480, 240, 0, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  OutputToFrame(fit, 640, 480, 240 + 1440 / 2, 1080 / 2, x, y);
  EXPECT_EQ(x, 320);
  EXPECT_EQ(y, 240);
  OutputToFrame(fit, 640, 480, 240 + 1439, 1079, x, y);
  EXPECT_EQ(x, 639);
  EXPECT_EQ(y, 479);
  OutputToFrame(fit, 640, 480, 10, -50, x, y);  // on the left bar, above the window
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  OutputToFrame(fit, 640, 480, 1919, 5000, x, y);  // right bar, below
  EXPECT_EQ(x, 639);
  EXPECT_EQ(y, 479);
  OutputToFrame(Rect{}, 640, 480, 100, 100, x, y);  // a window with no area
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

// The real SDL back end on the dummy driver: no display is needed.
struct SdlOnDummyDriver : ::testing::Test {
  void SetUp() override { setenv("SDL_VIDEODRIVER", "dummy", 1); }
  // A window of 700 by 500 where the player left it.
  static WindowPlacement Windowed() { return WindowPlacement{false, true, 30, 40, 700, 500}; }
};

TEST_F(SdlOnDummyDriver, TheDrawingSurfaceComesUpPresentsAndGoesDown) {
  SdlPlatform platform("Tarnwick", Windowed());
  EXPECT_FALSE(platform.FullScreen());
  TDXDraw draw(platform);
  draw.Initialize();
  ASSERT_TRUE(draw.CanDraw());
  draw.Surface().Fill(draw.Surface().Pack(20, 120, 200));
  draw.Flip();
  draw.PresentPrimary();
  platform.SetFullScreen(true);
  EXPECT_TRUE(platform.FullScreen());
  platform.SetCursor(CursorShape::Hidden);
  platform.SetCursor(CursorShape::Hand);
  draw.Finalize();
  EXPECT_FALSE(draw.Initialized());
}

TEST_F(SdlOnDummyDriver, EventsArriveTranslatedAndQuitEndsTheProgram) {
  SdlPlatform platform("Tarnwick");
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_ESCAPE;
  SDL_PushEvent(&key);
  platform.PostQuit();
  Event e;
  bool sawEscape = false, sawClose = false;
  while (platform.WaitEvent(e, 20)) {
    if (e.Type == EventType::KeyDown && e.Key == 27) sawEscape = true;
    if (e.Type == EventType::Close && e.Window == WindowId::Main) sawClose = true;
  }
  EXPECT_TRUE(sawEscape);
  EXPECT_TRUE(sawClose);
}

TEST_F(SdlOnDummyDriver, AltEnterSwitchesTheWindowModeAndIsNotAKeyForTheGame) {
  SdlPlatform platform("Tarnwick", Windowed());
  auto altEnter = [&] {
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_RETURN;
    key.key.keysym.mod = KMOD_LALT;
    SDL_PushEvent(&key);
    key.type = SDL_KEYUP;
    SDL_PushEvent(&key);
    Event e;
    int changes = 0;
    while (platform.PollEvent(e)) {
      EXPECT_NE(e.Key, 13);
      if (e.Type == EventType::WindowChanged) ++changes;
    }
    EXPECT_GE(changes, 1) << "the window says it changed, so it can be remembered";
  };
  altEnter();
  EXPECT_TRUE(platform.FullScreen());
  EXPECT_TRUE(platform.Placement().FullScreen);
  altEnter();
  // Back to the window the player had, not to a size of the full screen.
  const WindowPlacement back = platform.Placement();
  EXPECT_FALSE(back.FullScreen);
  EXPECT_EQ(back.Width, 700);
  EXPECT_EQ(back.Height, 500);
}

TEST_F(SdlOnDummyDriver, OnlyWebAddressesAreHandedToTheBrowser) {
  SdlPlatform platform("Tarnwick");
  EXPECT_THROW(platform.OpenUrl("file:///etc/passwd"), GameError);
  EXPECT_THROW(platform.OpenUrl("https://example.com/a b"), GameError);
  EXPECT_TRUE(IsWebAddress("https://tarnwick.example/store"));
  EXPECT_FALSE(IsWebAddress("http://"));
}

}  // namespace
}  // namespace tw
