#include "platform/sdl/sdl_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/error.h"
#include "core/log.h"
#include "platform/sdl/screen_fit.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_keys.h"

namespace tw {

namespace {

// After a switch between full screen and a window, the window system's
// reports of the old size may still come for a moment.
constexpr uint32_t kModeSwitchSettle = 500;

// Whether a window at this place would show on some display.
bool OnSomeDisplay(int x, int y, int w, int h) {
  const int displays = SDL_GetNumVideoDisplays();
  for (int i = 0; i < displays; ++i) {
    SDL_Rect b;
    if (SDL_GetDisplayBounds(i, &b) != 0) continue;
    // At least a good corner of the window, with its caption, on this display.
    const int edge = std::min({w, h, 64});
    if (x < b.x + b.w - edge && x + w > b.x + edge && y >= b.y - 8 && y < b.y + b.h - edge)
      return true;
  }
  return false;
}

// The window size when not full screen: the largest whole multiple of the
// frame that fits comfortably on the desktop.
void WindowedSize(SDL_Window* window, int& w, int& h) {
  int scale = 1;
  SDL_Rect usable;
  const int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
  if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) == 0) {
    while (kScreenWidth * (scale + 1) <= usable.w * 9 / 10 &&
           kScreenHeight * (scale + 1) <= usable.h * 9 / 10)
      ++scale;
  }
  w = kScreenWidth * scale;
  h = kScreenHeight * scale;
}

SDL_Rect ToSdl(const Rect& r) {
  return SDL_Rect{r.Left, r.Top, r.Width(), r.Height()};
}

}  // namespace

SdlPlatform::SdlPlatform(const std::string& title, const WindowPlacement& placement) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
    throw GameError(std::string("Form not found: ") + SDL_GetError());
  const char* driver = SDL_GetCurrentVideoDriver();
  LogNote(std::string("video driver: ") + (driver ? driver : "none"));
  // Sharp pixels when the frame is scaled up.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  fullScreen_ = placement.FullScreen;
  int w, h;
  WindowedSize(nullptr, w, h);
  if (placement.Width >= kScreenWidth / 2 && placement.Height >= kScreenHeight / 2) {
    w = placement.Width;
    h = placement.Height;
  }
  int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  if (placement.HasPosition && OnSomeDisplay(placement.X, placement.Y, w, h)) {
    x = placement.X;
    y = placement.Y;
  }
  windowed_ = WindowPlacement{false, x != SDL_WINDOWPOS_CENTERED, x, y, w, h};
  if (!windowed_.HasPosition) windowed_.X = windowed_.Y = 0;
  Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  if (fullScreen_) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  window_ = SDL_CreateWindow(title.c_str(), x, y, w, h, flags);
  if (!window_) {
    const std::string reason = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    throw GameError("Form not found: " + reason);
  }
  SDL_SetWindowMinimumSize(window_, kScreenWidth / 2, kScreenHeight / 2);
}

SdlPlatform::~SdlPlatform() {
  CloseSecondWindow();
  DestroyRenderer();
  if (arrow_) SDL_FreeCursor(arrow_);
  if (hand_) SDL_FreeCursor(hand_);
  if (window_) SDL_DestroyWindow(window_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

// ---- events ----

bool SdlPlatform::PollEvent(Event& event) {
  SDL_Event e;
  while (SDL_PollEvent(&e))
    if (Translate(e, event)) return true;
  return false;
}

bool SdlPlatform::WaitEvent(Event& event, uint32_t timeoutMs) {
  const uint32_t start = SDL_GetTicks();
  for (;;) {
    const uint32_t spent = SDL_GetTicks() - start;
    if (spent >= timeoutMs) return PollEvent(event);
    SDL_Event e;
    if (!SDL_WaitEventTimeout(&e, static_cast<int>(std::min<uint32_t>(timeoutMs - spent, 1000000))))
      return PollEvent(event);
    if (Translate(e, event)) return true;
  }
}

void SdlPlatform::PostQuit() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
}

WindowId SdlPlatform::WindowOf(uint32_t windowId) const {
  if (second_ && windowId == SDL_GetWindowID(second_)) return WindowId::Second;
  return WindowId::Main;
}

void SdlPlatform::MousePosition(WindowId window, int32_t x, int32_t y, Event& out) const {
  out.Window = window;
  if (window == WindowId::Second) {
    out.X = std::clamp(x, 0, std::max(secondW_ - 1, 0));
    out.Y = std::clamp(y, 0, std::max(secondH_ - 1, 0));
    return;
  }
  int w = kScreenWidth, h = kScreenHeight;
  SDL_GetWindowSize(window_, &w, &h);
  // The picture is placed in the renderer's pixels, which on a dense
  // display are more than the window's points.
  int ow = w, oh = h;
  if (renderer_) SDL_GetRendererOutputSize(renderer_, &ow, &oh);
  const int64_t px = w > 0 ? int64_t{x} * ow / w : x, py = h > 0 ? int64_t{y} * oh / h : y;
  OutputToFrame(FrameArea(ow, oh), kScreenWidth, kScreenHeight, static_cast<int32_t>(px),
                static_cast<int32_t>(py), out.X, out.Y);
}

Rect SdlPlatform::FrameArea(int32_t outputW, int32_t outputH) const {
  return wholePixels_ ? FitFrameWhole(outputW, outputH, kScreenWidth, kScreenHeight)
                      : FitFrame(outputW, outputH, kScreenWidth, kScreenHeight);
}

bool SdlPlatform::Translate(const SDL_Event& in, Event& out) {
  out = Event();
  switch (in.type) {
    case SDL_QUIT:
      out.Type = EventType::Close;
      return true;
    case SDL_WINDOWEVENT:
      return TranslateWindowEvent(in.window, out);
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const bool down = in.type == SDL_KEYDOWN;
      const SDL_Keycode key = in.key.keysym.sym;
      const bool enter = key == SDLK_RETURN || key == SDLK_KP_ENTER;
      // Alt+Enter belongs to the window, not to the game: Enter alone
      // confirms the quit prompt.
      if (enter && down && (in.key.keysym.mod & KMOD_ALT)) {
        swallowEnterUp_ = true;
        if (in.key.repeat || WindowOf(in.key.windowID) != WindowId::Main) return false;
        SetFullScreen(!fullScreen_);
        out.Type = EventType::WindowChanged;
        return true;
      }
      if (enter && !down && swallowEnterUp_) {
        swallowEnterUp_ = false;
        return false;
      }
      const uint16_t vk = VirtualKeyFromSdl(key);
      if (vk == 0) return false;
      out.Type = down ? EventType::KeyDown : EventType::KeyUp;
      out.Window = WindowOf(in.key.windowID);
      out.Key = vk;
      out.Repeat = in.key.repeat != 0;
      out.Shift = ShiftFromSdl(in.key.keysym.mod, SDL_GetMouseState(nullptr, nullptr));
      return true;
    }
    case SDL_TEXTINPUT:
      out.Type = EventType::Text;
      out.Window = WindowOf(in.text.windowID);
      std::memcpy(out.Text, in.text.text, strnlen(in.text.text, sizeof(out.Text) - 1));
      return out.Text[0] != 0;
    case SDL_MOUSEMOTION:
      out.Type = EventType::MouseMove;
      MousePosition(WindowOf(in.motion.windowID), in.motion.x, in.motion.y, out);
      out.Shift = ShiftFromSdl(SDL_GetModState(), in.motion.state);
      if (out.Window == WindowId::Main) {
        lastMouseX_ = out.X;
        lastMouseY_ = out.Y;
      }
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      switch (in.button.button) {
        case SDL_BUTTON_LEFT:
          out.Button = MouseButton::Left;
          break;
        case SDL_BUTTON_RIGHT:
          out.Button = MouseButton::Right;
          break;
        case SDL_BUTTON_MIDDLE:
          out.Button = MouseButton::Middle;
          break;
        default:
          return false;
      }
      out.Type = in.type == SDL_MOUSEBUTTONDOWN ? EventType::MouseDown : EventType::MouseUp;
      MousePosition(WindowOf(in.button.windowID), in.button.x, in.button.y, out);
      out.Shift = ShiftFromSdl(SDL_GetModState(), SDL_GetMouseState(nullptr, nullptr));
      return true;
    case SDL_MOUSEWHEEL: {
      int32_t notches = in.wheel.y;
      if (in.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
      if (notches == 0) return false;
      out.Type = EventType::Wheel;
      out.Window = WindowOf(in.wheel.windowID);
      out.WheelDelta = notches * 120;
      out.X = lastMouseX_;
      out.Y = lastMouseY_;
      out.Shift = ShiftFromSdl(SDL_GetModState(), SDL_GetMouseState(nullptr, nullptr));
      return true;
    }
    case SDL_AUDIODEVICEREMOVED:
      if (!in.adevice.iscapture && audioDeviceRemoved_) audioDeviceRemoved_(in.adevice.which);
      return false;
    case SDL_RENDER_DEVICE_RESET:
      deviceReset_ = true;
      return false;
    default:
      return false;
  }
}

bool SdlPlatform::TranslateWindowEvent(const SDL_WindowEvent& in, Event& out) {
  out.Window = WindowOf(in.windowID);
  switch (in.event) {
    case SDL_WINDOWEVENT_CLOSE:
      out.Type = EventType::Close;
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      out.Type = EventType::FocusGained;
      return true;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      out.Type = EventType::FocusLost;
      return true;
    case SDL_WINDOWEVENT_EXPOSED:
      // The last frame is still in the texture: show it again.
      if (out.Window == WindowId::Main) Redraw();
      return false;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MOVED:
      if (out.Window != WindowId::Main) return false;
      if (in.event == SDL_WINDOWEVENT_SIZE_CHANGED) Redraw();
      RememberWindowPlace();
      out.Type = EventType::WindowChanged;
      return true;
    default:
      return false;
  }
}

// ---- the main window's display ----

void SdlPlatform::SetMainWindowVisible(bool visible) {
  if (visible)
    SDL_ShowWindow(window_);
  else
    SDL_HideWindow(window_);
}

// The frame is scaled by the renderer, so the desktop's own mode serves;
// 640x480 at 16 bits per pixel is always available.
std::vector<DisplayMode> SdlPlatform::DisplayModes() {
  return {{kScreenWidth, kScreenHeight, 16}};
}

bool SdlPlatform::SetDisplayMode(const DisplayMode& mode) {
  if (!window_ || mode.Width < kScreenWidth || mode.Height < kScreenHeight || mode.BitCount <= 8)
    return false;
  SDL_ShowWindow(window_);
  ApplyWindowMode();
  return true;
}

bool SdlPlatform::MakeRenderer() {
  if (renderer_) return true;
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (!renderer_) {
    LogWarning(std::string("No renderer for the window: ") + SDL_GetError());
    return false;
  }
  if (!rendererLogged_) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer_, &info) == 0 && info.name)
      LogNote(std::string("renderer: ") + info.name);
    rendererLogged_ = true;
  }
  SDL_RenderSetVSync(renderer_, vsync_ ? 1 : 0);
  deviceReset_ = false;
  return true;
}

void SdlPlatform::DestroyRenderer() {
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
  if (renderer_) SDL_DestroyRenderer(renderer_);
  renderer_ = nullptr;
}

PresenterResult SdlPlatform::OpenPresenter(const PresentOptions& options) {
  vsync_ = options.WaitVBlank;
  if (!MakeRenderer()) return PresenterResult::PrimaryRefused;
  SDL_RenderSetVSync(renderer_, vsync_ ? 1 : 0);
  if (!texture_) {
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                 kScreenWidth, kScreenHeight);
    textureFormat_ = PixelFormat::RGB565;
    if (!texture_) return PresenterResult::BackBufferRefused;
  }
  return PresenterResult::Ok;
}

void SdlPlatform::CloseDisplay() {
  // The window keeps its renderer: the menu and the next tournament reuse
  // it, and full screen over the desktop needs no mode to be given back.
  vsync_ = false;
  if (renderer_) SDL_RenderSetVSync(renderer_, 0);
}

bool SdlPlatform::DisplayLost() {
  return deviceReset_ || (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0;
}

bool SdlPlatform::RestoreDisplay() {
  if (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) return false;
  if (deviceReset_) {
    DestroyRenderer();
    PresentOptions options;
    options.WaitVBlank = vsync_;
    if (OpenPresenter(options) != PresenterResult::Ok) return false;
  }
  return true;
}

void SdlPlatform::Present(const Surface16& frame) {
  if (frame.Width() <= 0 || frame.Height() <= 0) return;
  if (!MakeRenderer()) return;
  if (texture_ && textureFormat_ != frame.Format()) {
    SDL_DestroyTexture(texture_);
    texture_ = nullptr;
  }
  if (!texture_) {
    texture_ = SDL_CreateTexture(
        renderer_,
        frame.Format() == PixelFormat::RGB565 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB555,
        SDL_TEXTUREACCESS_STREAMING, kScreenWidth, kScreenHeight);
    textureFormat_ = frame.Format();
    if (!texture_) return;
  }
  SDL_Rect area{0, 0, std::min(frame.Width(), kScreenWidth),
                std::min(frame.Height(), kScreenHeight)};
  SDL_UpdateTexture(texture_, &area, frame.Pixels(), frame.Pitch());
  Redraw();
}

void SdlPlatform::Redraw() {
  if (!renderer_ || !texture_) return;
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer_, &w, &h);
  const SDL_Rect dst = ToSdl(FrameArea(w, h));
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
  SDL_RenderPresent(renderer_);
}

void SdlPlatform::SetCursor(CursorShape shape) {
  if (shape == CursorShape::Hidden) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  SDL_Cursor*& cursor = shape == CursorShape::Hand ? hand_ : arrow_;
  if (!cursor)
    cursor = SDL_CreateSystemCursor(shape == CursorShape::Hand ? SDL_SYSTEM_CURSOR_HAND
                                                               : SDL_SYSTEM_CURSOR_ARROW);
  if (cursor) SDL_SetCursor(cursor);
  SDL_ShowCursor(SDL_ENABLE);
}

void SdlPlatform::SetWindowIcon(const uint32_t* argb, int32_t width, int32_t height) {
  if (!window_ || !argb || width <= 0 || height <= 0) return;
  // SDL copies the pixels, so the surface may borrow them.
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb), width, height,
                                                         32, width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!icon) return;
  SDL_SetWindowIcon(window_, icon);
  SDL_FreeSurface(icon);
}

void SdlPlatform::SetFullScreen(bool fullScreen) {
  fullScreen_ = fullScreen;
  ApplyWindowMode();
}

void SdlPlatform::SetWholePixelScaling(bool whole) {
  if (whole == wholePixels_) return;
  wholePixels_ = whole;
  Redraw();
}

WindowPlacement SdlPlatform::Placement() {
  WindowPlacement p = windowed_;
  p.FullScreen = fullScreen_;
  return p;
}

void SdlPlatform::RememberWindowPlace() {
  const Uint32 flags = SDL_GetWindowFlags(window_);
  if (fullScreen_ ||
      (flags & (SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED)) != 0)
    return;
  if (static_cast<int32_t>(SDL_GetTicks() - settleUntil_) < 0) return;
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  SDL_GetWindowSize(window_, &w, &h);
  // The window is placed by its frame's corner but reports its inside's:
  // kept by the frame, it comes back exactly where it was.
  int top = 0, left = 0;
  if (SDL_GetWindowBordersSize(window_, &top, &left, nullptr, nullptr) == 0) {
    x -= left;
    y -= top;
  }
  windowed_ = WindowPlacement{false, true, x, y, w, h};
}

void SdlPlatform::ApplyWindowMode() {
  const bool now = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  if (now == fullScreen_) return;
  settleUntil_ = SDL_GetTicks() + kModeSwitchSettle;
  SDL_SetWindowFullscreen(window_, fullScreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (!fullScreen_) {
    // Back to the window the player had, or a good size in the middle.
    int w = windowed_.Width, h = windowed_.Height;
    if (w < kScreenWidth / 2 || h < kScreenHeight / 2) WindowedSize(window_, w, h);
    SDL_SetWindowSize(window_, w, h);
    if (windowed_.HasPosition && OnSomeDisplay(windowed_.X, windowed_.Y, w, h))
      SDL_SetWindowPosition(window_, windowed_.X, windowed_.Y);
    else
      SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    windowed_.Width = w;
    windowed_.Height = h;
  }
  Redraw();
}

// ---- the second window ----

void SdlPlatform::OpenSecondWindow(int32_t width, int32_t height, const std::string& caption) {
  CloseSecondWindow();
  secondW_ = std::clamp(width, 1, 4096);
  secondH_ = std::clamp(height, 1, 4096);
  second_ =
      SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, secondW_,
                       secondH_, SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_UTILITY | SDL_WINDOW_SHOWN);
  if (!second_) throw GameError(std::string("Window cannot be made: ") + SDL_GetError());
  secondRenderer_ = SDL_CreateRenderer(second_, -1, 0);
  if (secondRenderer_)
    secondTexture_ = SDL_CreateTexture(secondRenderer_, SDL_PIXELFORMAT_RGB888,
                                       SDL_TEXTUREACCESS_STREAMING, secondW_, secondH_);
  if (!secondRenderer_ || !secondTexture_) {
    const std::string reason = SDL_GetError();
    CloseSecondWindow();
    throw GameError("Window cannot be made: " + reason);
  }
  SDL_RaiseWindow(second_);
}

void SdlPlatform::CloseSecondWindow() {
  if (secondTexture_) SDL_DestroyTexture(secondTexture_);
  if (secondRenderer_) SDL_DestroyRenderer(secondRenderer_);
  if (second_) SDL_DestroyWindow(second_);
  secondTexture_ = nullptr;
  secondRenderer_ = nullptr;
  second_ = nullptr;
}

void SdlPlatform::PresentSecond(const uint32_t* pixels, int32_t width, int32_t height) {
  if (!secondTexture_ || !pixels || width <= 0 || height <= 0) return;
  SDL_Rect area{0, 0, std::min(width, secondW_), std::min(height, secondH_)};
  SDL_UpdateTexture(secondTexture_, &area, pixels, width * 4);
  SDL_SetRenderDrawColor(secondRenderer_, 0, 0, 0, 255);
  SDL_RenderClear(secondRenderer_);
  SDL_RenderCopy(secondRenderer_, secondTexture_, nullptr, nullptr);
  SDL_RenderPresent(secondRenderer_);
}

void SdlPlatform::AttachAudioOutput(SdlAudioOutput* output) {
  if (!output) {
    audioDeviceRemoved_ = nullptr;
    return;
  }
  audioDeviceRemoved_ = [output](uint32_t device) { output->HandleDeviceRemoved(device); };
}

// ---- desktop ----

void SdlPlatform::OpenUrl(const std::string& url) {
  if (!IsWebAddress(url)) throw GameError("Cannot open the web address " + url);
  // Hands the address to the desktop's browser in a detached process.
  if (SDL_OpenURL(url.c_str()) != 0) throw GameError("Cannot open the web address " + url);
}

void SdlPlatform::ShowErrorBox(const std::string& title, const std::string& text) {
  SDL_Window* parent =
      window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) ? window_ : nullptr;
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), parent) != 0 &&
      !LogIsOpen())
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

void ShowSystemErrorBox(const std::string& title, const std::string& text) {
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), nullptr) != 0 &&
      !LogIsOpen())
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

}  // namespace tw
