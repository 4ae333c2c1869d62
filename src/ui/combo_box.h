// The drop-down list: shows the chosen entry (or nothing) and opens a list
// over the other controls to choose another.
#pragma once
#include <string>
#include <vector>

#include "ui/control.h"

namespace tw {

class ComboBox : public Control {
 public:
  using Control::Control;
  // Runs when the player chooses a different entry.
  std::function<void()> OnChange;
  int32_t DropDownCount = 8;

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  int32_t ItemIndex() const { return index_; }
  // From the program: an index outside the entries shows nothing (-1).
  void SetItemIndex(int32_t index);
  bool DroppedDown() const { return open_; }
  void SetDroppedDown(bool open);

  bool Focusable() const override { return true; }
  void Paint(Canvas& c) override;
  void MouseDown(int32_t button, int32_t x, int32_t y) override;
  void MouseMove(int32_t x, int32_t y, bool held) override;
  void MouseUp(int32_t button, int32_t x, int32_t y) override;
  bool Wheel(int32_t delta) override;
  bool KeyDown(int32_t vk, bool shift) override;
  void FocusOut() override { SetDroppedDown(false); }

  void PaintOverlay(Canvas& c) override;
  bool OverlayContains(int32_t x, int32_t y) const override;
  void OverlayMouseDown(int32_t x, int32_t y) override;
  void OverlayMouseUp(int32_t x, int32_t y) override;
  void OverlayMouseMove(int32_t x, int32_t y) override;
  void OverlayClosed() override;

 private:
  int32_t Rows() const;
  int32_t RowHeight() const;
  Rect ListRect() const;  // in the box's coordinates
  int32_t RowAt(int32_t x, int32_t y) const;
  void Choose(int32_t index);
  std::vector<std::string> items_;
  int32_t index_ = -1;
  bool open_ = false;
  int32_t hot_ = -1;
  int32_t top_ = 0;
};

}  // namespace tw
