// Renders a sample of the menu to build/snapshots/ so the look can be
// checked by eye, and checks a few pixels that must hold in any case.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "media/png/png_file.h"
#include "support/program_folder.h"
#include "ui/buttons.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/file_dialog.h"
#include "ui/lists.h"
#include "ui/modal.h"
#include "ui/panels.h"
#include "ui/picture_box.h"
#include "ui/screen.h"
#include "ui_support.h"

namespace tw {
namespace {

using test::ProgramFolder;

// A dark blue-green wash standing in for the menu picture.
Picture Backdrop() {
  Picture p{640, 480, std::vector<uint32_t>(640 * 480)};
  for (int32_t y = 0; y < 480; ++y)
    for (int32_t x = 0; x < 640; ++x)
      p.Pixels[static_cast<size_t>(y * 640 + x)] = (static_cast<uint32_t>(10 + y / 20) << 16) |
                                                   (static_cast<uint32_t>(30 + y / 8) << 8) |
                                                   static_cast<uint32_t>(50 + x / 10);
  return p;
}

TEST(Snapshot, PlayerPanelWithOpenDropDownAndHint) {
  FontSet fonts;
  fonts.LoadFolder(ProgramFolder());
  Screen s(fonts);
  auto& image = s.Root().Add<PictureBox>("image");
  image.SetBounds(0, 0, 640, 480);
  image.SetPicture(Backdrop());
  auto& players = s.Root().Add<GroupBox>("players");
  players.Caption = "Player ";
  players.SetBounds(48, 96, 537, 265);
  auto& name = players.Add<Label>("namelabel");
  name.Caption = "Name:";
  name.SetBounds(10, 22, 40, 16);
  auto& edit = players.Add<Edit>("playername");
  edit.FontName = "sans-13";
  edit.SetBounds(15, 44, 131, 22);
  edit.SetText("Player");
  auto& save = players.Add<Button>("savebutton");
  save.SetBounds(150, 44, 23, 23);
  std::vector<uint32_t> icon(16 * 16, 0);
  for (int32_t i = 2; i < 14; ++i)
    for (int32_t j = 2; j < 14; ++j) icon[static_cast<size_t>(i * 16 + j)] = 0x4060C0;
  save.SetGlyph(16, 16, icon);
  save.Hint = "Save game...";
  auto& tabs = players.Add<TabControl>("playertab");
  tabs.SetBounds(15, 76, 185, 168);
  tabs.SetTabs({"Man"});
  Picture body{120, 120, std::vector<uint32_t>(120 * 120, 0x806040)};
  tabs.SetPicture(body, Rect{29, 32, 149, 152});
  auto& gear = players.Add<GroupBox>("gear");
  gear.Caption = "Fishing Gear";
  gear.SetBounds(216, 34, 305, 175);
  const char* captions[] = {"Upgrade Lures $25", "Upgrade Rod/Reel $250", "Upgrade Boat $5000"};
  for (int i = 0; i < 3; ++i) {
    auto& bar = gear.Add<Gauge>("bar");
    bar.SetBounds(20, 32 + 48 * i, 120, 16);
    bar.SetRange(0, i == 2 ? 3 : 4);
    bar.SetPosition(i + 1);
    auto& up = gear.Add<Button>("up");
    up.Caption = captions[i];
    up.SetBounds(160, 24 + 48 * i, 129, 33);
  }
  auto& flip = players.Add<CheckBox>("flip");
  flip.Caption = "Page Flipping";
  flip.SetBounds(216, 215, 110, 17);
  flip.SetChecked(true);
  auto& radio = players.Add<RadioButton>("soundon");
  radio.Caption = "Sound ON";
  radio.SetBounds(340, 215, 90, 17);
  radio.SetChecked(true);
  players.Add<RadioButton>("soundoff").SetBounds(430, 215, 90, 17);
  auto& speed = players.Add<ComboBox>("speed");
  speed.SetBounds(216, 238, 150, 21);
  speed.SetItems({"30FPS", "60FPS", "As fast as possible"});
  speed.SetItemIndex(2);
  auto& status = s.Root().Add<Panel>("status");
  status.FontName = "arial-21";
  status.SetBounds(88, 376, 441, 41);
  status.SetCaption("Player    Cash: $100");
  auto& lakes = s.Root().Add<ListBox>("lakes");
  lakes.SetBounds(8, 300, 70, 100);
  for (int i = 1; i <= 12; ++i) lakes.Add("Lake " + std::to_string(i));
  lakes.SetItemIndex(3);
  auto& info = s.Root().Add<Memo>("lakeinfo");
  info.SetBounds(540, 370, 96, 100);
  info.Add("As you complete lakes and win prize money, more lakes will be made available....");

  edit.SetFocus();
  edit.SetSelection(0, 3);
  s.MouseMove(205, 150);  // over the save button
  s.Tick(600);
  Surface16 out(640, 480);
  s.Paint(out);
  std::filesystem::create_directories("snapshots");
  EXPECT_NO_THROW(WritePng("snapshots/ui_player_panel.png", out));
  // The hint window lies over everything else.
  ASSERT_TRUE(s.Hint().Visible);
  EXPECT_EQ(s.Hint().Text, "Save game...");
  EXPECT_EQ(out.At(s.Hint().Bounds.Left + 1, s.Hint().Bounds.Top + 1), out.Pack(191, 191, 0));
  Rect gearBox = gear.FrameBounds();
  EXPECT_EQ(out.At(gearBox.Left, gearBox.Bottom - 1), out.Pack(191, 191, 0));
  EXPECT_FALSE(s.NeedsPaint());

  // The open drop-down covers the status line below it.
  speed.SetDroppedDown(true);
  EXPECT_FALSE(s.Hint().Visible);
  s.Paint(out);
  EXPECT_NO_THROW(WritePng("snapshots/ui_drop_down.png", out));
  // Below the list's top edge, the first highlighted line is the chosen
  // (third) row, whatever the font's height.
  Rect box = speed.FrameBounds();
  const uint16_t text = out.Pack(191, 191, 0);
  int32_t firstLit = -1;
  for (int32_t y = box.Bottom + 1; y < box.Bottom + 120 && firstLit < 0; ++y)
    if (out.At(box.Left + 1, y) == text) firstLit = y;
  ASSERT_GT(firstLit, box.Bottom + 1);
  const int32_t rowHeight = (firstLit - box.Bottom - 1) / 2;
  EXPECT_GE(rowHeight, 8);
  EXPECT_EQ(out.At(box.Left + 1, firstLit + rowHeight - 1), text);
  EXPECT_NE(out.At(box.Left + 1, firstLit + rowHeight + 1), text);
}

TEST(Snapshot, SaveDialogAndMessageBoxOverTheMenu) {
  FontSet fonts;
  fonts.LoadFolder(ProgramFolder());
  Screen s(fonts);
  auto& image = s.Root().Add<PictureBox>("image");
  image.SetBounds(0, 0, 640, 480);
  image.SetPicture(Backdrop());
  Surface16 out(640, 480);
  std::filesystem::create_directories("snapshots");
  test::ScriptHost host;
  host.Steps.push_back([&] {
    s.Paint(out);
    EXPECT_NO_THROW(WritePng("snapshots/ui_save_dialog.png", out));
    s.KeyDown(vk::kEscape, false);
  });
  FileDialog d;
  d.Mode = FileDialog::Kind::Save;
  d.InitialDir = std::filesystem::current_path().string();
  d.FileName = "Player.sav";
  EXPECT_FALSE(d.Execute(s, host));
  host.Steps.push_back([&] {
    s.Paint(out);
    EXPECT_NO_THROW(WritePng("snapshots/ui_message_box.png", out));
    // The box is drawn over the menu picture, centred.
    EXPECT_EQ(out.At(320, 240 - 5), out.Pack(0, 0, 0));
    s.KeyDown(vk::kReturn, false);
  });
  ShowMessage(s, host, "You don't have enough money!");
}

}  // namespace
}  // namespace tw
