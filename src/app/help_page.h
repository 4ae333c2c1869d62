// The help page: every control of the game and what the things on a lake
// do, in a box of the game's own frame. It stays up while the program runs
// on (the menu goes on painting; a tournament is paused meanwhile) until
// Esc, Enter, its button or its close box closes it.
#pragma once
#include <functional>

#include "ui/modal.h"

namespace tw {

class Screen;

class HelpPage : public Form {
 public:
  HelpPage();
  // Lays the page out in the screen's faces and puts it over everything.
  void Open(Screen& screen);
  bool IsOpen() const { return screen_ != nullptr; }
  // Takes the page off the screen and runs OnClosed.
  void ClosePage();
  std::function<void()> OnClosed;

  void MouseUp(int32_t button, int32_t x, int32_t y) override;

 private:
  void Build(const FontSet& fonts);
  Screen* screen_ = nullptr;
  Button* close_ = nullptr;
};

}  // namespace tw
