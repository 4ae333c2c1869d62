// The options panel and "tarnwick.ini": frame rate, page flipping, steering,
// sound and background sounds. The controls are the only store of the
// options; the file is read once at start and written by "Save Options".
#include "app/main_form.h"
#include "core/files.h"
#include "core/ini.h"
#include "core/paths.h"

namespace tw {

namespace {

constexpr const char* kSection = "Tarnwick";
// "Game Speed" starts at "30FPS": every speed, distance and the clock count
// frames, thirty to the second, so that is the speed the game is made for.
constexpr int32_t kDesignSpeed = 0;

}  // namespace

void SetFontOfTree(Control& c, const std::string& font) {
  if (!dynamic_cast<GroupBox*>(&c)) c.FontName = font;
  for (const auto& child : c.Children()) SetFontOfTree(*child, font);
}

void TMainForm::BuildOptionsPanel() {
  options = &screen_->Root().Add<GroupBox>("options");
  options->SetBounds(16, 288, 537, 177);
  options->Caption = "Options ";
  options->Fill = kMenuWindow;

  GroupBox& video = options->Add<GroupBox>("video");
  video.SetBounds(16, 24, 209, 96);
  video.Caption = "Video ";
  Label& speedLabel = video.Add<Label>("speedlabel");
  speedLabel.SetPos(11, 25);
  speedLabel.Caption = "Game Speed";
  speed = &video.Add<ComboBox>("speed");
  // A little right of the design and the radio and check boxes a little
  // wider, since our menu face runs wider than the one the panel was drawn
  // for; every caption then shows whole.
  speed->SetBounds(88, 21, 117, 21);
  speed->Hint = "Force faster computers to run slower.";
  speed->SetItems({"30FPS", "60FPS", "As fast as possible"});
  speed->SetItemIndex(kDesignSpeed);
  flip = &video.Add<CheckBox>("flip");
  flip->SetBounds(15, 48, 98, 17);
  flip->Caption = "Page Flipping";
  flip->Hint = "Slower but smoother video.";

  GroupBox& controllers = options->Add<GroupBox>("controllers");
  controllers.SetBounds(233, 24, 120, 96);
  controllers.Caption = "Controllers";
  mousedrive = &controllers.Add<RadioButton>("mousedrive");
  mousedrive->SetBounds(14, 24, 100, 17);
  mousedrive->Caption = "Mouse Drive";
  mousedrive->Hint = "Use the left mouse button to drive the boat";
  mousedrive->SetChecked(true);
  keydrive = &controllers.Add<RadioButton>("keydrive");
  keydrive->SetBounds(14, 44, 100, 17);
  keydrive->Caption = "Key Drive";
  keydrive->Hint = "Use the arrow keys to drive the boat";

  GroupBox& sound = options->Add<GroupBox>("sound");
  sound.SetBounds(362, 24, 160, 96);
  sound.Caption = "Sound";
  soundon = &sound.Add<RadioButton>("soundon");
  soundon->SetBounds(16, 24, 121, 17);
  soundon->Caption = "Sound ON";
  soundon->SetChecked(true);
  soundoff = &sound.Add<RadioButton>("soundoff");
  soundoff->SetBounds(16, 44, 121, 17);
  soundoff->Caption = "Sound OFF";
  bgsound = &sound.Add<CheckBox>("bgsound");
  bgsound->SetBounds(16, 65, 140, 17);
  bgsound->Caption = "Background Sounds";
  bgsound->SetChecked(true);
  // Set after the design values, so building the panel starts nothing.
  soundon->OnClick = [this] { soundonClick(); };
  soundoff->OnClick = [this] { soundonClick(); };

  defaultbutton = &options->Add<Button>("default");
  defaultbutton->SetBounds(320, 136, 89, 25);
  defaultbutton->Caption = "Default";
  defaultbutton->OnClick = [this] { defaultClick(); };
  apply = &options->Add<Button>("apply");
  apply->SetBounds(416, 136, 89, 25);
  apply->Caption = "Save Options";
  apply->OnClick = [this] { applyClick(); };
  // The panel's small face, so every caption fits its box.
  SetFontOfTree(*options, "sans-11");
}

// Keys are read in the file's order, each one setting its control as it
// goes: two checked buttons of one group leave the later one checked, and
// two unchecked ones leave the group with neither.
void TMainForm::ReadSettings() {
  const IniFile ini = IniFile::Load(paths_.SettingsFile);
  flip->SetChecked(ini.ReadBool(kSection, "flip", false));
  speed->SetItemIndex(ini.ReadInteger(kSection, "speed", kDesignSpeed));
  mousedrive->SetChecked(ini.ReadBool(kSection, "mousedrive", true));
  keydrive->SetChecked(ini.ReadBool(kSection, "keydrive", false));
  soundon->SetChecked(ini.ReadBool(kSection, "soundon", true));
  soundoff->SetChecked(ini.ReadBool(kSection, "soundoff", false));
  bgsound->SetChecked(ini.ReadBool(kSection, "bgsound", true));
}

void TMainForm::applyClick() {
  const std::string& path = paths_.SettingsFile;
  IniFile ini = IniFile::Load(path);
  ini.WriteBool(kSection, "flip", flip->Checked());
  ini.WriteInteger(kSection, "speed", speed->ItemIndex());
  ini.WriteBool(kSection, "mousedrive", mousedrive->Checked());
  ini.WriteBool(kSection, "keydrive", keydrive->Checked());
  ini.WriteBool(kSection, "soundon", soundon->Checked());
  ini.WriteBool(kSection, "soundoff", soundoff->Checked());
  ini.WriteBool(kSection, "bgsound", bgsound->Checked());
  MakeFolderFor(path);
  ini.Save(path);
}

void TMainForm::defaultClick() {
  flip->SetChecked(false);
  speed->SetItemIndex(kDesignSpeed);
  mousedrive->SetChecked(true);
  keydrive->SetChecked(false);
  soundon->SetChecked(true);
  soundoff->SetChecked(false);
  bgsound->SetChecked(true);
}

void TMainForm::soundonClick() {
  if (soundon->Checked())
    DXSound.Initialize();
  else
    DXSound.Finalize();
}

}  // namespace tw
