// Boxes drawn in the game's own frame that hold the player until they are
// closed: the message box with OK, the error box, and the windows the file
// dialogs are built on. Each runs a nested loop of the application through
// ModalHost, so they work the same full screen, in a window and headless.
#pragma once
#include <functional>
#include <string>

#include "ui/buttons.h"
#include "ui/control.h"

namespace tw {

class Screen;

// What the application gives the boxes: a loop that feeds input into the
// screen and repaints it until `done` says the box has closed.
class ModalHost {
 public:
  virtual ~ModalHost() = default;
  virtual void RunModal(const std::function<bool()>& done) = 0;
};

enum class ModalResult : uint8_t { None, Ok, Cancel };

// A window of the frame: a caption bar, a border, and buttons that Enter
// and Esc press when the focused control does not take those keys.
class Form : public Control {
 public:
  static constexpr int32_t kCaptionHeight = 18;
  explicit Form(std::string name = {}) : Control(std::move(name)) { FontName = "sans-12"; }

  std::string Caption;
  Button* DefaultButton = nullptr;
  Button* CancelButton = nullptr;

  // Shows the form centred over the frame and waits until it closes. A
  // loop that ends without the form closing counts as Cancel.
  ModalResult ShowModal(Screen& screen, ModalHost& host, Control* firstFocus = nullptr);
  void Close(ModalResult result);
  bool Closed() const { return closed_; }

  void Paint(Canvas& c) override;
  bool KeyDown(int32_t vk, bool shift) override;
  void MouseDown(int32_t button, int32_t x, int32_t y) override;
  void MouseUp(int32_t button, int32_t x, int32_t y) override;

 protected:
  // For a form shown without its own loop: open again, not yet closed.
  void Reopen() {
    closed_ = false;
    result_ = ModalResult::None;
  }

 private:
  bool InCloseBox(int32_t x, int32_t y) const;
  bool closed_ = false;
  bool closeDown_ = false;
  ModalResult result_ = ModalResult::None;
};

// The application's title, shown on every message and error box.
inline constexpr const char* kAppTitle = "Tarnwick";

// A notice with one OK button; Enter, Esc, Space or a click on OK close it.
void ShowMessage(Screen& screen, ModalHost& host, const std::string& text,
                 const std::string& title = kAppTitle);

// An error as the player sees it: a full stop is added when the message
// does not already end in one.
std::string ErrorBoxText(const std::string& message);
void ShowErrorBox(Screen& screen, ModalHost& host, const std::string& message);

}  // namespace tw
