// Pictures on the menu: the title, the menu background, the lake preview,
// the promotional picture, and the tab control that shows the player's
// body picture under its tabs.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "media/picture.h"
#include "ui/control.h"

namespace tw {

class PictureBox : public Control {
 public:
  using Control::Control;
  // Centre the picture in the box instead of placing it at the top left.
  bool Center = false;
  // Press and release with the button and the point in the box. A release
  // is seen only where the press was seen and only over the box itself.
  std::function<void(int32_t button, int32_t x, int32_t y)> OnMouseDown;
  std::function<void(int32_t button, int32_t x, int32_t y)> OnMouseUp;

  const Picture& GetPicture() const { return picture_; }
  void SetPicture(Picture picture);
  bool HasPicture() const { return picture_.Width > 0 && picture_.Height > 0; }

  void Paint(Canvas& c) override;
  void MouseDown(int32_t button, int32_t x, int32_t y) override;
  void MouseUp(int32_t button, int32_t x, int32_t y) override;

 private:
  Picture picture_;
  bool down_ = false;
};

class TabControl : public Control {
 public:
  static constexpr int32_t kTabHeight = 20;
  explicit TabControl(std::string name = {}) : Control(std::move(name)) {}
  // Runs when the player picks another tab.
  std::function<void()> OnChange;

  const std::vector<std::string>& Tabs() const { return tabs_; }
  void SetTabs(std::vector<std::string> tabs);
  int32_t TabIndex() const { return index_; }
  // From the program: clamped to the tabs present (-1 when there are none).
  void SetTabIndex(int32_t index);
  // The picture shown on the page, centred in (x, y, w, h) of the control.
  void SetPicture(Picture picture, Rect area);
  const Picture& GetPicture() const { return picture_; }
  int32_t TabAt(int32_t x, int32_t y) const;

  bool Focusable() const override { return true; }
  void Paint(Canvas& c) override;
  void MouseDown(int32_t button, int32_t x, int32_t y) override;
  bool KeyDown(int32_t vk, bool shift) override;

 private:
  int32_t TabWidth(size_t i) const;
  void Pick(int32_t index);
  std::vector<std::string> tabs_;
  int32_t index_ = -1;
  Picture picture_;
  Rect area_;
};

}  // namespace tw
