// The program's entry: makes the SDL platform, the application loop and the
// drawing surface, and runs until Esc is pressed or the window is closed.
#include <cstdio>
#include <exception>

#include "app/application.h"
#include "core/error.h"
#include "media/draw.h"
#include "media/timer.h"
#include "platform/sdl/sdl_platform.h"

namespace {

// Until the menus arrive: a drifting colour field with a box that follows
// the mouse, so the display, the timer and the input can be seen working.
class ShowcaseWindow : public tw::EventSink {
 public:
  ShowcaseWindow(tw::Application& app, tw::TDXDraw& draw) : app_(app), draw_(draw) {}

  void OnKeyDown(uint16_t key, uint8_t) override {
    if (key == 27) app_.Terminate();
  }
  void OnMouseMove(uint8_t, int32_t x, int32_t y) override {
    mouseX_ = x;
    mouseY_ = y;
  }

  void Frame() {
    if (!draw_.CanDraw()) return;
    tw::Surface16& s = draw_.Surface();
    ++frame_;
    for (int32_t y = 0; y < s.Height(); ++y) {
      uint16_t* row = s.Row(y);
      for (int32_t x = 0; x < s.Width(); ++x)
        row[x] = s.Pack(static_cast<uint8_t>(x / 3), static_cast<uint8_t>(y / 2 + frame_),
                        static_cast<uint8_t>(160));
    }
    const uint16_t white = s.Pack(250, 250, 250);
    for (int32_t y = mouseY_ - 8; y <= mouseY_ + 8; ++y)
      for (int32_t x = mouseX_ - 8; x <= mouseX_ + 8; ++x) s.Set(x, y, white);
    draw_.Flip();
  }

 private:
  tw::Application& app_;
  tw::TDXDraw& draw_;
  int32_t mouseX_ = 320, mouseY_ = 240;
  uint32_t frame_ = 0;
};

}  // namespace

int main() {
  try {
    tw::SdlPlatform platform("Tarnwick");
    tw::Application app(platform);
    tw::TDXDraw draw(platform);
    tw::TDXTimer timer(app.Timers());
    ShowcaseWindow window(app, draw);
    app.SetSink(&window);
    timer.SetInterval(15);
    timer.OnTimer = [&window](tw::TDXTimer&, int32_t) { window.Frame(); };
    try {
      draw.Initialize();
      draw.SetVisible(true);
      draw.SetCursorHidden(true);
      timer.SetEnabled(true);
    } catch (const std::exception& e) {
      app.ReportError(e.what());
    }
    app.Run();
    timer.SetEnabled(false);
    draw.Finalize();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Tarnwick: %s\n", tw::WithFullStop(e.what()).c_str());
    return 1;
  }
  return 0;
}
