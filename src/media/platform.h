// What the game needs from the machine it runs on: a millisecond clock, the
// window's events, showing 640x480 frames, the mouse cursor, the promotional
// window and the web browser. The SDL back end and the headless twin used by
// tests both implement these interfaces; nothing else in the game sees SDL.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "media/surface.h"

namespace tw {

// The frame size of everything the game draws on the main window.
inline constexpr int32_t kScreenWidth = 640;
inline constexpr int32_t kScreenHeight = 480;

// The system's millisecond tick count. It wraps after about 49 days, so
// callers compare ticks by unsigned difference.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t Milliseconds() = 0;
};

enum class EventType : uint8_t {
  None,
  KeyDown,  // Key holds a Windows virtual-key code
  KeyUp,
  Text,       // typed characters for edit boxes, UTF-8 in Text
  MouseMove,  // X, Y in surface pixels (main window) or client pixels (second window)
  MouseDown,
  MouseUp,
  Wheel,      // WheelDelta: positive away from the player, one notch is 120
  Close,      // the window's close box; for the main window, the end of the program
  FocusLost,  // the program is no longer the active application
  FocusGained,
  WindowChanged,  // the main window was moved, resized, or went full screen or back
};

enum class MouseButton : uint8_t { Left, Right, Middle };

// Shift state bits handed to the input handlers with every key and mouse event.
enum ShiftState : uint8_t {
  kShiftKey = 1,
  kAltKey = 2,
  kCtrlKey = 4,
  kLeftButton = 8,
  kRightButton = 16,
  kMiddleButton = 32,
};

enum class WindowId : uint8_t { Main, Second };

struct Event {
  EventType Type = EventType::None;
  WindowId Window = WindowId::Main;
  uint16_t Key = 0;     // virtual-key code for KeyDown/KeyUp
  bool Repeat = false;  // key held down: the keyboard repeats KeyDown
  uint8_t Shift = 0;    // ShiftState bits
  MouseButton Button = MouseButton::Left;
  int32_t X = 0, Y = 0;
  int32_t WheelDelta = 0;
  char Text[32] = {};  // zero-terminated

  static Event KeyDownEvent(uint16_t key, uint8_t shift = 0) {
    Event e;
    e.Type = EventType::KeyDown;
    e.Key = key;
    e.Shift = shift;
    return e;
  }
  static Event KeyUpEvent(uint16_t key, uint8_t shift = 0) {
    Event e = KeyDownEvent(key, shift);
    e.Type = EventType::KeyUp;
    return e;
  }
  static Event MouseEvent(EventType type, int32_t x, int32_t y,
                          MouseButton button = MouseButton::Left, uint8_t shift = 0) {
    Event e;
    e.Type = type;
    e.X = x;
    e.Y = y;
    e.Button = button;
    e.Shift = shift;
    return e;
  }
  static Event Simple(EventType type, WindowId window = WindowId::Main) {
    Event e;
    e.Type = type;
    e.Window = window;
    return e;
  }
};

// A display mode the screen offers.
struct DisplayMode {
  int32_t Width = 0, Height = 0, BitCount = 0;
  bool operator==(const DisplayMode&) const = default;
};

// How the drawing surface wants its frames shown.
struct PresentOptions {
  DisplayMode Mode;
  bool PageFlip = false;    // swap front and back buffer instead of copying
  bool WaitVBlank = false;  // present in step with the display's refresh
};

enum class PresenterResult : uint8_t { Ok, PrimaryRefused, BackBufferRefused };

enum class CursorShape : uint8_t { Arrow, Hand, Hidden };

// Where the main window is: full screen or not, and the place and size of
// the window it is (or goes back to) when not full screen, in desktop pixels.
// Width and height 0: no size known, the platform chooses.
struct WindowPlacement {
  bool FullScreen = true;
  bool HasPosition = false;  // X and Y say where; otherwise centred
  int32_t X = 0, Y = 0;
  int32_t Width = 0, Height = 0;
  bool operator==(const WindowPlacement&) const = default;
};

class Platform : public Clock {
 public:
  // --- events ---
  // The next pending event, if any.
  virtual bool PollEvent(Event& event) = 0;
  // Waits at most timeoutMs for an event; false when none came.
  virtual bool WaitEvent(Event& event, uint32_t timeoutMs) = 0;
  // Puts a Close event for the main window at the end of the queue.
  virtual void PostQuit() = 0;

  // --- the main window's display ---
  virtual bool HasMainWindow() = 0;
  virtual void SetMainWindowVisible(bool visible) = 0;
  virtual std::vector<DisplayMode> DisplayModes() = 0;
  // Takes the display in the given mode; false when it is refused.
  virtual bool SetDisplayMode(const DisplayMode& mode) = 0;
  // Pixel layout of the 16-bit frames the display takes.
  virtual PixelFormat DisplayFormat() = 0;
  virtual PresenterResult OpenPresenter(const PresentOptions& options) = 0;
  // Releases the presenter and gives the display back.
  virtual void CloseDisplay() = 0;
  // True while what was shown has been taken away (window minimised,
  // graphics device reset); RestoreDisplay tries to get it back.
  virtual bool DisplayLost() = 0;
  virtual bool RestoreDisplay() = 0;
  // Shows a 640x480 frame on the main window at once.
  virtual void Present(const Surface16& frame) = 0;

  virtual void SetCursor(CursorShape shape) = 0;
  // The picture the desktop shows for the main window: 0xAARRGGBB pixels,
  // row by row, `width` by `height`.
  virtual void SetWindowIcon(const uint32_t* argb, int32_t width, int32_t height) = 0;
  virtual bool FullScreen() = 0;
  virtual void SetFullScreen(bool fullScreen) = 0;
  // The window as it is now (its last window place while full screen).
  virtual WindowPlacement Placement() = 0;
  // The 640x480 frame scaled only by whole multiples, centred with black
  // borders; otherwise as large as fits, keeping its 4:3 shape.
  virtual void SetWholePixelScaling(bool whole) = 0;

  // --- the second window (the promotional picture) ---
  // A window with a thin caption and only a close box, always on top,
  // centred on the screen, with a client area of the given size.
  virtual void OpenSecondWindow(int32_t width, int32_t height, const std::string& caption) = 0;
  virtual void CloseSecondWindow() = 0;
  virtual bool SecondWindowOpen() = 0;
  // Shows 0x00RRGGBB pixels, row by row, `width` by `height`, in the second window.
  virtual void PresentSecond(const uint32_t* pixels, int32_t width, int32_t height) = 0;

  // --- the rest of the desktop ---
  // Opens a web address in the system's browser without waiting for it.
  virtual void OpenUrl(const std::string& url) = 0;
  // A modal error box; returns when the player has closed it.
  virtual void ShowErrorBox(const std::string& title, const std::string& text) = 0;
};

// Web addresses the game hands to the browser: http and https only, no
// control characters, so nothing else can be started through the browser.
inline bool IsWebAddress(const std::string& url) {
  const bool http = url.rfind("http://", 0) == 0 && url.size() > 7;
  const bool https = url.rfind("https://", 0) == 0 && url.size() > 8;
  if (!http && !https) return false;
  for (unsigned char c : url)
    if (c <= 32 || c == 127) return false;
  return true;
}

}  // namespace tw
