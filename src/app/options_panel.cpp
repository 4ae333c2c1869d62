// The options panel and "tarnwick.ini": frame rate, page flipping, whole-pixel
// scaling, steering, sound, background sounds and the two volumes. The
// controls hold the options; the tournament takes them when one is set up,
// except "Sound ON", which it keeps for the whole program and is told of at
// every change. The file is read once at start and written by "Save Options".
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
constexpr int32_t kFullVolume = 100;
constexpr int32_t kVolumeStep = 5;

}  // namespace

void SetFontOfTree(Control& c, const std::string& font) {
  if (!dynamic_cast<GroupBox*>(&c)) c.FontName = font;
  for (const auto& child : c.Children()) SetFontOfTree(*child, font);
}

void TMainForm::BuildOptionsPanel() {
  options = &screen_->Root().Add<GroupBox>("options");
  // Taller than the panel was first drawn, for the volumes below the groups.
  options->SetBounds(16, 288, 537, 226);
  options->Caption = "Options ";
  options->Fill = kMenuWindow;

  GroupBox& video = options->Add<GroupBox>("video");
  // Wider than the design, so "As fast as possible" shows whole.
  video.SetBounds(16, 24, 232, 96);
  video.Caption = "Video ";
  Label& speedLabel = video.Add<Label>("speedlabel");
  speedLabel.SetPos(8, 25);
  speedLabel.Caption = "Game Speed";
  speed = &video.Add<ComboBox>("speed");
  // Wider than the design and the radio and check boxes a little wider,
  // since our menu face runs wider than the one the panel was drawn for;
  // every caption then shows whole.
  speed->SetBounds(86, 21, 138, 21);
  speed->Hint = "Force faster computers to run slower.";
  speed->SetItems({"30FPS", "60FPS", "As fast as possible"});
  speed->SetItemIndex(kDesignSpeed);
  flip = &video.Add<CheckBox>("flip");
  flip->SetBounds(15, 48, 98, 17);
  flip->Caption = "Page Flipping";
  flip->Hint = "Slower but smoother video.";
  integerscale = &video.Add<CheckBox>("integerscale");
  integerscale->SetBounds(15, 68, 150, 17);
  integerscale->Caption = "Whole-pixel scaling";
  integerscale->Hint = "Scale the picture by whole steps only, with black borders.";

  GroupBox& controllers = options->Add<GroupBox>("controllers");
  controllers.SetBounds(256, 24, 110, 96);
  controllers.Caption = "Controllers";
  mousedrive = &controllers.Add<RadioButton>("mousedrive");
  mousedrive->SetBounds(10, 24, 96, 17);
  mousedrive->Caption = "Mouse Drive";
  mousedrive->Hint = "Use the left mouse button to drive the boat";
  mousedrive->SetChecked(true);
  keydrive = &controllers.Add<RadioButton>("keydrive");
  keydrive->SetBounds(10, 44, 96, 17);
  keydrive->Caption = "Key Drive";
  keydrive->Hint = "Use the arrow keys to drive the boat";

  GroupBox& sound = options->Add<GroupBox>("sound");
  sound.SetBounds(374, 24, 155, 96);
  sound.Caption = "Sound";
  soundon = &sound.Add<RadioButton>("soundon");
  soundon->SetBounds(12, 24, 121, 17);
  soundon->Caption = "Sound ON";
  soundon->SetChecked(true);
  soundoff = &sound.Add<RadioButton>("soundoff");
  soundoff->SetBounds(12, 44, 121, 17);
  soundoff->Caption = "Sound OFF";
  bgsound = &sound.Add<CheckBox>("bgsound");
  bgsound->SetBounds(12, 65, 138, 17);
  bgsound->Caption = "Background Sounds";
  bgsound->SetChecked(true);
  BuildVolumeGroup();
  // Set after the design values, so building the panel starts nothing.
  soundon->OnClick = [this] { soundonClick(); };
  soundoff->OnClick = [this] { soundonClick(); };
  integerscale->OnClick = [this] { platform_.SetWholePixelScaling(integerscale->Checked()); };

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

// Two sliders under the video and controller groups, clear of the buttons;
// each acts on the mixer at once.
void TMainForm::BuildVolumeGroup() {
  GroupBox& volume = options->Add<GroupBox>("volume");
  volume.SetBounds(16, 128, 296, 84);
  volume.Caption = "Volume";
  auto row = [&](const char* name, const char* caption, int32_t top, int32_t group) {
    Label& label = volume.Add<Label>(std::string(name) + "label");
    label.SetPos(11, top + 2);
    label.Caption = caption;
    Slider& slider = volume.Add<Slider>(name);
    slider.SetBounds(132, top, 152, 19);
    slider.SetRange(0, kFullVolume, kVolumeStep);
    slider.SetPosition(kFullVolume);
    slider.OnChange = [this, &slider, group] { DXSound.SetGroupVolume(group, slider.Position()); };
    return &slider;
  };
  effectsvolume = row("effectsvolume", "Effects", 22, kEffectsGroup);
  effectsvolume->Hint = "How loud the engine, the reel, the splashes and the clicks are.";
  musicvolume = row("musicvolume", "Music and ambience", 50, kMusicGroup);
  musicvolume->Hint = "How loud the title music and the sounds of the lakes are.";
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
  effectsvolume->SetPosition(ini.ReadInteger(kSection, "effectsvolume", kFullVolume));
  musicvolume->SetPosition(ini.ReadInteger(kSection, "musicvolume", kFullVolume));
  integerscale->SetChecked(ini.ReadBool(kSection, "integerscale", false));
  // Neither sound button checked is sound off, and no click says so.
  tournament_.SetSoundOn(soundon->Checked(), false);
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
  ini.WriteInteger(kSection, "effectsvolume", effectsvolume->Position());
  ini.WriteInteger(kSection, "musicvolume", musicvolume->Position());
  ini.WriteBool(kSection, "integerscale", integerscale->Checked());
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
  effectsvolume->SetPosition(kFullVolume);
  musicvolume->SetPosition(kFullVolume);
  integerscale->SetChecked(false);
  tournament_.SetSoundOn(soundon->Checked(), false);
}

void TMainForm::soundonClick() {
  tournament_.SetSoundOn(soundon->Checked(), true);
}

}  // namespace tw
