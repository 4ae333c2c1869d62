// The game's platform on SDL2: one main window, full screen over the desktop
// by default (no display mode switch), the 640x480 frame scaled to fit with
// its 4:3 shape kept and black bars beside it; Alt+Enter switches between
// full screen and a window. Keys arrive as Windows virtual-key codes, mouse
// positions as frame pixels clamped to the frame.
//
// The window starts where the caller says (full screen or a window, the
// window's place and size: what the player left, see app/window_state.h);
// a window that would lie off every display is centred instead.
#pragma once
#include <SDL.h>

#include <functional>
#include <optional>
#include <string>

#include "media/platform.h"

namespace tw {

class SdlAudioOutput;

class SdlPlatform : public Platform {
 public:
  // Starts SDL's video and makes the main window as `placement` says;
  // "Form not found" with SDL's reason when there is no display to make it on.
  explicit SdlPlatform(const std::string& title, const WindowPlacement& placement = {});
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  uint32_t Milliseconds() override { return SDL_GetTicks(); }

  bool PollEvent(Event& event) override;
  bool WaitEvent(Event& event, uint32_t timeoutMs) override;
  void PostQuit() override;

  bool HasMainWindow() override { return window_ != nullptr; }
  void SetMainWindowVisible(bool visible) override;
  std::vector<DisplayMode> DisplayModes() override;
  bool SetDisplayMode(const DisplayMode& mode) override;
  PixelFormat DisplayFormat() override { return PixelFormat::RGB565; }
  PresenterResult OpenPresenter(const PresentOptions& options) override;
  void CloseDisplay() override;
  bool DisplayLost() override;
  bool RestoreDisplay() override;
  void Present(const Surface16& frame) override;

  void SetCursor(CursorShape shape) override;
  void SetWindowIcon(const uint32_t* argb, int32_t width, int32_t height) override;
  bool FullScreen() override { return fullScreen_; }
  void SetFullScreen(bool fullScreen) override;
  WindowPlacement Placement() override;
  void SetWholePixelScaling(bool whole) override;

  void OpenSecondWindow(int32_t width, int32_t height, const std::string& caption) override;
  void CloseSecondWindow() override;
  bool SecondWindowOpen() override { return second_ != nullptr; }
  void PresentSecond(const uint32_t* pixels, int32_t width, int32_t height) override;

  void OpenUrl(const std::string& url) override;
  void ShowErrorBox(const std::string& title, const std::string& text) override;

  // The sound output listens here for its device being unplugged.
  void SetAudioDeviceRemovedHandler(std::function<void(uint32_t device)> handler) {
    audioDeviceRemoved_ = std::move(handler);
  }
  void AttachAudioOutput(SdlAudioOutput* output);

 private:
  bool Translate(const SDL_Event& in, Event& out);
  bool TranslateWindowEvent(const SDL_WindowEvent& in, Event& out);
  WindowId WindowOf(uint32_t windowId) const;
  void MousePosition(WindowId window, int32_t x, int32_t y, Event& out) const;
  bool MakeRenderer();
  void DestroyRenderer();
  void Redraw();
  void ApplyWindowMode();
  // Where the frame goes in the renderer's output of the given size.
  Rect FrameArea(int32_t outputW, int32_t outputH) const;
  // The window's place and size, kept while it is a window.
  void RememberWindowPlace();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  PixelFormat textureFormat_ = PixelFormat::RGB565;
  bool vsync_ = false;
  bool fullScreen_ = true;
  bool wholePixels_ = false;
  // The window's place and size when not full screen (kept meanwhile).
  WindowPlacement windowed_;
  // Size events up to this tick may still belong to the last switch of
  // mode, so they do not change the remembered window.
  uint32_t settleUntil_ = 0;
  bool deviceReset_ = false;
  bool swallowEnterUp_ = false;
  int32_t lastMouseX_ = 0, lastMouseY_ = 0;

  SDL_Window* second_ = nullptr;
  SDL_Renderer* secondRenderer_ = nullptr;
  SDL_Texture* secondTexture_ = nullptr;
  int32_t secondW_ = 0, secondH_ = 0;

  SDL_Cursor* arrow_ = nullptr;
  SDL_Cursor* hand_ = nullptr;
  std::function<void(uint32_t)> audioDeviceRemoved_;
  bool rendererLogged_ = false;
};

// An error box with no window of the game's behind it (before the window
// exists or after it could not be made); falls back to standard error.
void ShowSystemErrorBox(const std::string& title, const std::string& text);

}  // namespace tw
