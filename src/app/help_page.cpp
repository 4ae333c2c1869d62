#include "app/help_page.h"

#include <algorithm>
#include <string>

#include "ui/lists.h"
#include "ui/panels.h"
#include "ui/screen.h"

namespace tw {

namespace {

// A heading (empty `what`) or one control and what it does.
struct HelpRow {
  const char* keys;
  const char* what;
};

constexpr HelpRow kRows[] = {
    {"On the water", nullptr},
    {"Left button held, Up arrow, Space",
     "Throttle. With Mouse Drive the boat turns toward the pointer."},
    {"Left and Right arrows", "Turn the boat (Key Drive, chosen in Options)."},
    {"Right button with the throttle held, Down arrow, Backspace", "Reverse."},
    {"Right button over water",
     "Cast there, with the boat stopped and the pointer away from it. The lure comes back by "
     "itself."},
    {"Any button or Space while the power bar swings",
     "Strike: stop the bar in its green middle to land the fish."},
    {"Esc, then Enter", "Leave the tournament (Esc again, a click or Space cancels)."},
    {"P or Pause", "Pause the tournament; P, Pause or a click goes on."},
    {"F12", "Keep this tournament as a replay (F12 again: do not)."},
    {"Anywhere", nullptr},
    {"F1", "This page."},
    {"M", "All sound off, and on again."},
    {"Alt+Enter", "Full screen or a window."},
    {"On the lake", nullptr},
    {"Signs and people", "Drive over them to read what they say."},
    {"Chests and clocks", "Drive over them for money and for more time."},
    {"Monsters", "Keep away: one that reaches the boat eats your whole catch."},
    {"To win", "Land the lake's limit of fish (and the weight it asks for) in time."},
};

constexpr int32_t kWidth = 620;
constexpr int32_t kMargin = 14;
constexpr int32_t kKeysWidth = 204;
constexpr int32_t kGap = 12;
constexpr const char* kRowFont = "sans-11";
constexpr const char* kHeadFont = "sans-11b";

Label& AddLine(Form& form, const std::string& font, const std::string& text, int32_t x, int32_t y,
               int32_t w, int32_t h) {
  Label& l = form.Add<Label>("helpline");
  l.FontName = font;
  l.Caption = text;
  l.AutoSize = false;
  l.SetBounds(x, y, w, h);
  return l;
}

}  // namespace

HelpPage::HelpPage() : Form("helppage") {
  Caption = "Tarnwick: how to play";
}

void HelpPage::Build(const FontSet& fonts) {
  if (close_) return;
  const Font& row = fonts.Get(kRowFont);
  const int32_t lineH = row.CellHeight + 1;
  const int32_t whatX = kMargin + kKeysWidth + kGap;
  const int32_t whatW = kWidth - whatX - kMargin;
  int32_t y = kCaptionHeight + 8;
  for (const HelpRow& r : kRows) {
    if (!r.what) {
      y += y > kCaptionHeight + 8 ? 5 : 0;
      AddLine(*this, kHeadFont, r.keys, kMargin, y, kWidth - 2 * kMargin, lineH + 2);
      y += lineH + 3;
      continue;
    }
    const std::vector<std::string> keys = WrapLine(row, r.keys, kKeysWidth - 8);
    const std::vector<std::string> what = WrapLine(row, r.what, whatW);
    for (size_t i = 0; i < keys.size(); ++i)
      AddLine(*this, kRowFont, keys[i], kMargin + 8, y + static_cast<int32_t>(i) * lineH,
              kKeysWidth - 8, lineH);
    for (size_t i = 0; i < what.size(); ++i)
      AddLine(*this, kRowFont, what[i], whatX, y + static_cast<int32_t>(i) * lineH, whatW, lineH);
    y += static_cast<int32_t>(std::max(keys.size(), what.size())) * lineH + 2;
  }
  y += 8;
  close_ = &Add<Button>("helpclose");
  close_->Caption = "Close";
  close_->SetBounds((kWidth - 89) / 2, y, 89, 25);
  close_->OnClick = [this] { ClosePage(); };
  DefaultButton = close_;
  CancelButton = close_;
  SetBounds(0, 0, kWidth, y + 25 + 10);
}

void HelpPage::Open(Screen& screen) {
  if (screen_) return;
  Build(screen.Fonts());
  Left = std::max(0, (screen.Width() - Width) / 2);
  Top = std::max(0, (screen.Height() - Height) / 2);
  screen_ = &screen;
  Reopen();
  screen.PushModal(*this);
  screen.SetFocus(close_, false);
}

void HelpPage::ClosePage() {
  Screen* screen = screen_;
  if (!screen) return;
  screen_ = nullptr;
  screen->PopModal(*this);
  if (OnClosed) OnClosed();
}

void HelpPage::MouseUp(int32_t button, int32_t x, int32_t y) {
  Form::MouseUp(button, x, y);
  // The close box closes the page as its button does.
  if (Closed()) ClosePage();
}

}  // namespace tw
