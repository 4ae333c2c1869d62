#include "ui/modal.h"

#include <algorithm>

#include "ui/lists.h"
#include "ui/panels.h"
#include "ui/screen.h"

namespace tw {

ModalResult Form::ShowModal(Screen& screen, ModalHost& host, Control* firstFocus) {
  closed_ = false;
  result_ = ModalResult::None;
  Left = std::max(0, (screen.Width() - Width) / 2);
  Top = std::max(0, (screen.Height() - Height) / 2);
  screen.PushModal(*this);
  // Leave the screen as it was even when the loop is left by an error.
  struct Pop {
    Screen& s;
    Form& f;
    ~Pop() { s.PopModal(f); }
  } pop{screen, *this};
  if (firstFocus)
    screen.SetFocus(firstFocus, true);
  else
    screen.TabNext(false);
  host.RunModal([this] { return closed_; });
  return closed_ ? result_ : ModalResult::Cancel;
}

void Form::Close(ModalResult result) {
  closed_ = true;
  result_ = result;
  Invalidate();
}

bool Form::InCloseBox(int32_t x, int32_t y) const {
  return y >= 2 && y < kCaptionHeight - 2 && x >= Width - kCaptionHeight && x < Width - 4;
}

void Form::Paint(Canvas& c) {
  c.FillRect(0, 0, Width, Height, kMenuWindow);
  c.FillRect(0, 0, Width, kCaptionHeight, kMenuFocus);
  c.FrameRect(0, 0, Width, Height, kMenuText);
  c.HLine(0, Width - 1, kCaptionHeight - 1, kMenuText);
  const Font& f = c.GetFont("sans-11b");
  c.DrawText(f, 6, (kCaptionHeight - f.CellHeight) / 2, Caption, kMenuText);
  // The close box: a small cross, which cancels.
  int32_t x0 = Width - kCaptionHeight + 2, y0 = 5;
  int32_t n = kCaptionHeight - 11;
  for (int32_t i = 0; i < 2; ++i) {
    c.Line(x0 + i, y0, x0 + n + i, y0 + n, kMenuText);
    c.Line(x0 + n + i, y0, x0 + i, y0 + n, kMenuText);
  }
}

bool Form::KeyDown(int32_t vk, bool) {
  if (vk == vk::kReturn && DefaultButton && DefaultButton->Usable()) {
    DefaultButton->Click();
    return true;
  }
  if (vk == vk::kEscape) {
    if (CancelButton && CancelButton->Usable())
      CancelButton->Click();
    else
      Close(ModalResult::Cancel);
    return true;
  }
  return false;
}

void Form::MouseDown(int32_t button, int32_t x, int32_t y) {
  closeDown_ = button == kMouseLeft && InCloseBox(x, y);
}

void Form::MouseUp(int32_t button, int32_t x, int32_t y) {
  if (button == kMouseLeft && closeDown_ && InCloseBox(x, y)) Close(ModalResult::Cancel);
  closeDown_ = false;
}

void ShowMessage(Screen& screen, ModalHost& host, const std::string& text,
                 const std::string& title) {
  Form form("messagebox");
  form.Caption = title;
  const Font& f = screen.Fonts().Get(form.FontName);
  std::vector<std::string> lines;
  // Explicit line breaks first, then wrapping of long lines.
  size_t start = 0;
  while (start <= text.size()) {
    size_t nl = text.find('\n', start);
    if (nl == std::string::npos) nl = text.size();
    for (auto& piece : WrapLine(f, text.substr(start, nl - start), 400)) lines.push_back(piece);
    start = nl + 1;
  }
  int32_t textW = 0;
  for (auto& l : lines) textW = std::max(textW, f.TextWidth(l));
  int32_t lineH = f.CellHeight + 2;
  int32_t w = std::max(textW + 48, std::max(160, f.TextWidth(title) + 48));
  int32_t textTop = Form::kCaptionHeight + 16;
  int32_t okTop = textTop + static_cast<int32_t>(lines.size()) * lineH + 14;
  form.SetBounds(0, 0, w, okTop + 25 + 12);
  for (size_t i = 0; i < lines.size(); ++i) {
    auto& l = form.Add<Label>("text");
    l.FontName = form.FontName;
    l.Caption = lines[i];
    l.SetBounds(24, textTop + static_cast<int32_t>(i) * lineH, w - 48, lineH);
  }
  auto& ok = form.Add<Button>("ok");
  ok.Caption = "OK";
  ok.SetBounds((w - 75) / 2, okTop, 75, 25);
  ok.OnClick = [&form] { form.Close(ModalResult::Ok); };
  form.DefaultButton = &ok;
  form.CancelButton = &ok;
  form.ShowModal(screen, host, &ok);
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && message.back() == '.') return message;
  return message + ".";
}

void ShowErrorBox(Screen& screen, ModalHost& host, const std::string& message) {
  ShowMessage(screen, host, ErrorBoxText(message), kAppTitle);
}

}  // namespace tw
