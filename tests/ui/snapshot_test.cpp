// Renders the file dialog and a message box to build/snapshots/ so the look
// can be checked by eye, and checks a few pixels that must hold in any case.
// The real menu panels are pictured by tests/app/snapshot_test.cpp.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "media/png/png_file.h"
#include "support/program_folder.h"
#include "ui/file_dialog.h"
#include "ui/modal.h"
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
