#include "app/ad_form.h"

#include <algorithm>
#include <exception>

#include "core/files.h"

namespace tw {

TAdForm::TAdForm(Application& app, const FontSet& fonts, const std::string& dataFolder)
    : app_(app),
      screen_(std::make_unique<Screen>(fonts, kWidth, kHeight)),
      frame_(kWidth, kHeight),
      pixels_(static_cast<size_t>(kWidth) * kHeight, 0) {
  try {
    picture_ = LoadBitmapFile(JoinPath(dataFolder, "ui/ad.bmp"));
  } catch (const std::exception&) {
    picture_ = Picture{};
  }
  if (picture_.Width != kWidth || picture_.Height != kHeight) {
    // Any other size is fitted by cutting or padding with the dark frame.
    Picture fitted;
    fitted.Width = kWidth;
    fitted.Height = kHeight;
    fitted.Pixels.assign(static_cast<size_t>(kWidth) * kHeight, 0x101008);
    for (int32_t y = 0; y < std::min(kHeight, picture_.Height); ++y)
      for (int32_t x = 0; x < std::min(kWidth, picture_.Width); ++x)
        fitted.Pixels[static_cast<size_t>(y) * kWidth + x] = picture_.At(x, y);
    picture_ = std::move(fitted);
  }
  Control& root = screen_->Root();
  root.FontName = "sans-11";
  LinkImage = &root.Add<PictureBox>("LinkImage");
  LinkImage->SetBounds(0, 0, kWidth, kHeight);
  LinkImage->SetPicture(picture_);
  LinkImage->Cursor = CursorKind::Hand;
  LinkImage->Hint = "Visit the Tarnwick store for more lakes and gear";
  LinkImage->OnMouseDown = [this](int32_t button, int32_t, int32_t) { LinkImageMouseDown(button); };
  LinkImage->OnMouseUp = [this](int32_t, int32_t, int32_t) { LinkImageMouseUp(); };
  CloseButton = &root.Add<Button>("CloseButton");
  CloseButton->SetBounds(434, 357, 75, 25);
  CloseButton->Caption = "Close";
  CloseButton->FontName = "sans-11";
  CloseButton->OnClick = [this] { CloseButtonClick(); };
  FormCreate();
}

void TAdForm::ShowModal() {
  Platform& platform = app_.GetPlatform();
  closed_ = false;
  showing_ = true;
  platform.OpenSecondWindow(kWidth, kHeight, kCaption);
  screen_->Invalidate();
  cursor_ = CursorShape::Hidden;
  app_.RunModal([this, &platform] {
    screen_->Tick(platform.Milliseconds());
    Paint();
    return closed_ || !platform.SecondWindowOpen();
  });
  platform.CloseSecondWindow();
  showing_ = false;
}

void TAdForm::Paint() {
  Platform& platform = app_.GetPlatform();
  const CursorShape want =
      screen_->Cursor() == CursorKind::Hand ? CursorShape::Hand : CursorShape::Arrow;
  if (want != cursor_) {
    cursor_ = want;
    platform.SetCursor(want);
  }
  if (!screen_->NeedsPaint()) return;
  screen_->Paint(frame_);
  // The picture keeps all its colours; only the button and the hint come
  // from the 16-bit widget frame.
  std::copy(picture_.Pixels.begin(), picture_.Pixels.end(), pixels_.begin());
  auto overlay = [&](const Rect& r) {
    for (int32_t y = std::max(0, r.Top); y < std::min(kHeight, r.Bottom); ++y)
      for (int32_t x = std::max(0, r.Left); x < std::min(kWidth, r.Right); ++x)
        pixels_[static_cast<size_t>(y) * kWidth + x] =
            Surface16::UnpackColor(frame_.Format(), frame_.At(x, y));
  };
  overlay(CloseButton->FrameBounds());
  if (screen_->Hint().Visible) overlay(screen_->Hint().Bounds);
  if (platform.SecondWindowOpen()) platform.PresentSecond(pixels_.data(), kWidth, kHeight);
}

void TAdForm::HandleEvent(const Event& e) {
  if (!showing_) return;
  switch (e.Type) {
    case EventType::MouseMove:
      screen_->MouseMove(e.X, e.Y);
      break;
    case EventType::MouseDown:
      screen_->MouseMove(e.X, e.Y);
      screen_->MouseDown(e.Button == MouseButton::Left    ? kMouseLeft
                         : e.Button == MouseButton::Right ? kMouseRight
                                                          : kMouseMiddle,
                         e.X, e.Y);
      break;
    case EventType::MouseUp:
      screen_->MouseUp(e.Button == MouseButton::Left    ? kMouseLeft
                       : e.Button == MouseButton::Right ? kMouseRight
                                                        : kMouseMiddle,
                       e.X, e.Y);
      break;
    case EventType::KeyDown:
      screen_->KeyDown(e.Key, (e.Shift & kShiftKey) != 0);
      break;
    case EventType::Close:
      FormClose();
      break;
    default:
      break;
  }
}

void TAdForm::LinkImageMouseDown(int32_t button) {
  if (button == kMouseLeft) app_.GetPlatform().OpenUrl(kStoreUrl);
  armed_ = true;
}

void TAdForm::LinkImageMouseUp() {
  if (armed_) Close();
}

}  // namespace tw
