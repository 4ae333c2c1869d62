// The promotional window shown on the way out: a second, always-on-top
// window with one picture that opens the store page in the web browser,
// and a "Close" button.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/application.h"
#include "media/picture.h"
#include "media/surface.h"
#include "ui/buttons.h"
#include "ui/font.h"
#include "ui/picture_box.h"
#include "ui/screen.h"

namespace tw {

class TAdForm {
 public:
  static constexpr int32_t kWidth = 512;
  static constexpr int32_t kHeight = 384;
  // Where a click on the picture takes the player.
  static constexpr const char* kStoreUrl = "https://www.tarnwick-game.example/store";
  static constexpr const char* kCaption = "Tarnwick";

  // The window is made hidden; its picture is "ui/ad.bmp" of the program
  // folder (a plain dark picture when that is missing).
  TAdForm(Application& app, const FontSet& fonts, const std::string& dataFolder);
  TAdForm(const TAdForm&) = delete;
  TAdForm& operator=(const TAdForm&) = delete;

  void FormCreate() { armed_ = false; }
  // Opens the window and waits until it closes.
  void ShowModal();
  bool Showing() const { return showing_; }
  // An event of the second window.
  void HandleEvent(const Event& event);

  void CloseButtonClick() { Close(); }
  void FormClose() { Close(); }
  void LinkImageMouseDown(int32_t button);
  void LinkImageMouseUp();
  bool Armed() const { return armed_; }

  Screen& GetScreen() { return *screen_; }
  PictureBox* LinkImage = nullptr;
  Button* CloseButton = nullptr;
  // The last picture handed to the window, 0x00RRGGBB.
  const std::vector<uint32_t>& Frame() const { return pixels_; }
  // Shows the window's current look (done by the modal loop).
  void Paint();

 private:
  void Close() { closed_ = true; }

  Application& app_;
  std::unique_ptr<Screen> screen_;
  Picture picture_;
  Surface16 frame_;
  std::vector<uint32_t> pixels_;
  CursorShape cursor_ = CursorShape::Arrow;
  bool armed_ = false;
  bool closed_ = false;
  bool showing_ = false;
};

}  // namespace tw
