// Lists of lines: the list box the player picks from (lakes, saved games)
// and the read-only memo, both with a vertical scroll bar when the lines
// do not fit.
#pragma once
#include <string>
#include <vector>

#include "ui/control.h"

namespace tw {

// A vertical scroll bar along a control's right edge.
class ScrollBar {
 public:
  static constexpr int32_t kWidth = 14;
  int32_t Top = 0;   // first row shown
  int32_t Rows = 0;  // rows in all
  int32_t Page = 1;  // rows that fit
  int32_t MaxTop() const { return Rows > Page ? Rows - Page : 0; }
  bool Needed() const { return Rows > Page; }
  void ScrollTo(int32_t top);
  // The bar occupies (x, 0, kWidth, height) of its owner.
  void Paint(Canvas& c, int32_t x, int32_t height) const;
  // Presses, drags and releases in the bar's own coordinates.
  void MouseDown(int32_t y, int32_t height);
  void MouseMove(int32_t y, int32_t height);
  void MouseUp() { grab_ = -1; }
  bool Dragging() const { return grab_ >= 0; }

 private:
  void Thumb(int32_t height, int32_t& pos, int32_t& size) const;
  int32_t grab_ = -1;
};

class ListBox : public Control {
 public:
  using Control::Control;
  // Runs when the player picks an item, by mouse or keys; a press on the
  // empty space below the items picks nothing.
  std::function<void()> OnDblClick;

  const std::vector<std::string>& Items() const { return items_; }
  void Clear();
  void Add(std::string item);
  void SetItems(std::vector<std::string> items);
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  int32_t ItemIndex() const { return index_; }
  // Selects an item from the program (no click handler); an index outside
  // the items selects nothing.
  void SetItemIndex(int32_t index);
  int32_t TopIndex() const { return bar_.Top; }
  void SetTopIndex(int32_t top);
  // The item under a point of the list, or -1 over empty space.
  int32_t ItemAtPos(int32_t x, int32_t y) const;
  int32_t ItemHeight() const;
  int32_t VisibleRows() const;

  bool Focusable() const override { return true; }
  void Paint(Canvas& c) override;
  void MouseDown(int32_t button, int32_t x, int32_t y) override;
  void MouseMove(int32_t x, int32_t y, bool held) override;
  void MouseUp(int32_t button, int32_t x, int32_t y) override;
  void DoubleClick(int32_t x, int32_t y) override;
  bool Wheel(int32_t delta) override;
  bool KeyDown(int32_t vk, bool shift) override;

 private:
  void Layout();
  void ScrollIntoView(int32_t index);
  void Pick(int32_t index);
  std::vector<std::string> items_;
  int32_t index_ = -1;
  ScrollBar bar_;
  bool picking_ = false;
  bool scrolling_ = false;
};

// Read-only lines, wrapped at word boundaries to the memo's width.
class Memo : public Control {
 public:
  explicit Memo(std::string name = {}) : Control(std::move(name)) { FontName = "sans-11"; }
  // Long lines wrap at blanks; when cleared they are cut at the edge.
  bool WordWrap = true;
  const std::vector<std::string>& Lines() const { return lines_; }
  void Clear();
  void Add(std::string line);
  void SetLines(std::vector<std::string> lines);
  // The lines as shown, after wrapping.
  const std::vector<std::string>& ShownLines() const;
  int32_t TopLine() const { return bar_.Top; }

  bool Focusable() const override { return true; }
  void Paint(Canvas& c) override;
  void MouseDown(int32_t button, int32_t x, int32_t y) override;
  void MouseMove(int32_t x, int32_t y, bool held) override;
  void MouseUp(int32_t button, int32_t x, int32_t y) override;
  bool Wheel(int32_t delta) override;
  bool KeyDown(int32_t vk, bool shift) override;

 private:
  void Rewrap() const;
  std::vector<std::string> lines_;
  mutable std::vector<std::string> wrapped_;
  mutable int32_t wrappedFor_ = -1;  // the text width the wrap was made for
  mutable ScrollBar bar_;
};

// Splits one line into pieces no wider than `width`, breaking after blanks
// where it can and inside a word only when a word alone is too wide.
std::vector<std::string> WrapLine(const Font& font, const std::string& line, int32_t width);

}  // namespace tw
