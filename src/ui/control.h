// The base of every menu widget: a rectangle inside its parent with a
// name, a hint, a cursor, children and the mouse, key and focus events
// that the screen routes to it.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/canvas.h"

namespace tw {

class Screen;

enum class CursorKind : uint8_t { Arrow, Hand, IBeam };

// Mouse buttons as the platform reports them.
inline constexpr int32_t kMouseLeft = 0;
inline constexpr int32_t kMouseRight = 1;
inline constexpr int32_t kMouseMiddle = 2;

// Windows virtual-key codes the widgets react to.
namespace vk {
inline constexpr int32_t kBack = 8, kTab = 9, kReturn = 13, kShift = 16, kEscape = 27, kSpace = 32,
                         kPrior = 33, kNext = 34, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38,
                         kRight = 39, kDown = 40, kDelete = 46;
}

class Control {
 public:
  explicit Control(std::string name = {}) : Name(std::move(name)) {}
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  std::string Name;
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  std::string Hint;
  CursorKind Cursor = CursorKind::Arrow;
  std::string FontName = "sans-12";
  Rgb TextColor = kMenuText;
  // Tab stops at controls that take focus unless this is cleared.
  bool TabStop = true;
  std::function<void()> OnClick;

  // Makes a child; the parent owns it and the reference stays valid.
  template <class T, class... Args>
  T& Add(Args&&... args) {
    auto child = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *child;
    child->parent_ = this;
    children_.push_back(std::move(child));
    Invalidate();
    return ref;
  }
  Control* Parent() const { return parent_; }
  const std::vector<std::unique_ptr<Control>>& Children() const { return children_; }
  // The first control of this name in the subtree, this one included.
  Control* Find(std::string_view name);

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  // Visible and enabled all the way up to the top.
  bool Showing() const;
  bool Usable() const;

  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  void SetPos(int32_t left, int32_t top) { SetBounds(left, top, Width, Height); }
  // The control's rectangle in frame coordinates.
  Rect FrameBounds() const;
  int32_t FrameLeft() const;
  int32_t FrameTop() const;

  Screen* GetScreen() const;
  // The control's face (the built-in one while it is not on a screen).
  const Font& UsedFont() const;
  bool Focused() const;
  void SetFocus();
  void Invalidate() const;
  // Moves the control above its siblings.
  void BringToFront();

  // Runs the click handler as if the control had been clicked.
  virtual void Click() {
    if (OnClick) OnClick();
  }

  // Whether the control can hold the keyboard focus.
  virtual bool Focusable() const { return false; }
  // Whether Tab stops here (radio groups stop at their checked button only).
  virtual bool AcceptsTab() const { return Focusable() && TabStop; }

  // Called before each paint, to size controls that fit their text.
  virtual void FitContent(const FontSet&) {}
  // Events, in the control's own coordinates.
  virtual void Paint(Canvas&) {}
  virtual void MouseDown(int32_t /*button*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void MouseUp(int32_t /*button*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void MouseMove(int32_t /*x*/, int32_t /*y*/, bool /*held*/) {}
  virtual void DoubleClick(int32_t /*x*/, int32_t /*y*/) {}
  virtual bool Wheel(int32_t /*delta*/) { return false; }
  virtual bool KeyDown(int32_t /*vk*/, bool /*shift*/) { return false; }
  virtual bool KeyUp(int32_t /*vk*/) { return false; }
  virtual bool TextInput(std::string_view /*text*/) { return false; }
  virtual void FocusIn(bool /*byKeyboard*/) {}
  virtual void FocusOut() {}
  virtual CursorKind CursorAt(int32_t /*x*/, int32_t /*y*/) const { return Cursor; }
  // Drop-down parts drawn over everything else while open.
  virtual void PaintOverlay(Canvas&) {}
  virtual bool OverlayContains(int32_t /*x*/, int32_t /*y*/) const { return false; }
  virtual void OverlayMouseDown(int32_t /*x*/, int32_t /*y*/) {}
  virtual void OverlayMouseUp(int32_t /*x*/, int32_t /*y*/) {}
  virtual void OverlayMouseMove(int32_t /*x*/, int32_t /*y*/) {}
  virtual void OverlayClosed() {}

 protected:
  bool InsideSelf(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < Width && y < Height;
  }

 private:
  friend class Screen;
  Control* parent_ = nullptr;
  Screen* screen_ = nullptr;  // set on top-level controls only
  std::vector<std::unique_ptr<Control>> children_;
  bool visible_ = true;
  bool enabled_ = true;
};

}  // namespace tw
