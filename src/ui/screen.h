// The menu frame's root: routes mouse and keys to the widgets, keeps the
// focus and Tab order, shows hints after a short hover, stacks modal boxes
// and open drop-downs, and paints it all into the 640x480 frame. Time comes
// in from the caller in milliseconds, so behaviour is the same in tests.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/surface.h"
#include "ui/control.h"
#include "ui/font.h"

namespace tw {

// The flat hint window: black text on the menu's yellow.
class HintWindow {
 public:
  static constexpr const char* kFont = "sans-11";
  static constexpr Rgb kBackground{191, 191, 0};
  void Paint(Canvas& c) const;
  bool Visible = false;
  std::string Text;
  Rect Bounds;
};

class Screen {
 public:
  static constexpr uint32_t kHintPause = 500;       // hover before a hint shows
  static constexpr uint32_t kHintShortPause = 50;   // from one hint to the next
  static constexpr uint32_t kHintHidePause = 2500;  // how long a hint stays
  static constexpr uint32_t kDoubleClickTime = 500;

  explicit Screen(const FontSet& fonts, int32_t width = 640, int32_t height = 480);
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // The main window's client area; menu controls are its children.
  Control& Root() { return *root_; }
  const FontSet& Fonts() const { return fonts_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

  // Input from the platform, in frame pixels. Key and text calls return
  // whether a widget used them.
  bool KeyDown(int32_t vk, bool shift);
  bool KeyUp(int32_t vk);
  bool Text(std::string_view cp1252);
  void MouseDown(int32_t button, int32_t x, int32_t y);
  void MouseUp(int32_t button, int32_t x, int32_t y);
  void MouseMove(int32_t x, int32_t y);
  // One notch of the wheel is 120; positive turns away from the player.
  void Wheel(int32_t delta);
  void Tick(uint32_t nowMs);
  uint32_t Now() const { return now_; }

  void Paint(Surface16& target);
  bool NeedsPaint() const { return dirty_; }
  void Invalidate() { dirty_ = true; }

  // What the pointer should look like where it is now.
  CursorKind Cursor() const;
  // The usable control under a frame point in the top layer, if any.
  Control* ControlAt(int32_t x, int32_t y) const;

  Control* Focused() const { return focus_; }
  void SetFocus(Control* c, bool byKeyboard);
  // Moves the focus to the next (or previous) Tab stop of the top layer.
  void TabNext(bool backwards);

  // A modal box is a top-level control drawn over everything; while it is
  // on top, only it sees input. The caller keeps it alive until PopModal.
  void PushModal(Control& form);
  void PopModal(Control& form);
  Control& TopLayer() const;

  // One drop-down list may be open at a time.
  void OpenOverlay(Control& owner);
  void CloseOverlay();
  Control* Overlay() const { return overlay_; }

  const HintWindow& Hint() const { return hint_; }

  // Called by controls as they go away or hide.
  void Forget(const Control* c);
  void Hidden(const Control* c);

 private:
  struct Layer {
    Control* form;
    Control* savedFocus;
  };
  void PaintTree(Canvas& c, Control& ctl, const Rect& clip);
  Control* Hit(Control& ctl, int32_t x, int32_t y) const;
  void UpdateHover();
  void HideHint();
  bool Contains(const Control* ancestor, const Control* c) const;

  const FontSet& fonts_;
  int32_t width_, height_;
  std::unique_ptr<Control> root_;
  std::vector<Layer> layers_;
  Control* focus_ = nullptr;
  Control* capture_ = nullptr;
  int32_t captureButton_ = -1;
  Control* overlay_ = nullptr;
  bool overlayCapture_ = false;
  Control* hover_ = nullptr;
  uint32_t hoverSince_ = 0;
  bool hintWasShowing_ = false;
  uint32_t hintShownAt_ = 0;
  bool hintDone_ = false;
  HintWindow hint_;
  int32_t mouseX_ = -1, mouseY_ = -1;
  Control* lastClick_ = nullptr;
  uint32_t lastClickAt_ = 0;
  int32_t lastClickX_ = 0, lastClickY_ = 0;
  uint32_t now_ = 0;
  bool dirty_ = true;
};

}  // namespace tw
