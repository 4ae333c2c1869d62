// The player panel: the name, the body picture, the cash line, the three
// pieces of gear with their upgrades, and saving and loading the game. The
// gear levels live in the game record; the gauges show them.
#include <algorithm>

#include "app/main_form.h"
#include "core/ini.h"

namespace tw {

namespace {

constexpr const char* kSaveSection = "Save Data";

// One gear's steps: the price at each level and the caption the button
// shows at each level. Levels outside the table buy nothing.
struct GearSteps {
  int32_t TopLevel;
  int32_t Prices[4];        // at levels 1, 2, 3 (0: none)
  const char* Captions[5];  // at levels 1 to TopLevel
};

constexpr GearSteps kLures{4,
                           {25, 50, 100, 0},
                           {"Upgrade Lures $25", "Upgrade Lures $50", "Upgrade Lures $100",
                            "No More Lure Upgrades", nullptr}};
constexpr GearSteps kRod{4,
                         {250, 500, 1000, 0},
                         {"Upgrade Rod/Reel $250", "Upgrade Rod/Reel $500",
                          "Upgrade Rod/Reel $1000", "No More Rod Upgrades", nullptr}};
constexpr GearSteps kBoat{
    3,
    {5000, 15000, 0, 0},
    {"Upgrade Boat $5,000", "Upgrade Boat $15,000", "No More Boat Upgrades", nullptr, nullptr}};

const char* CaptionAt(const GearSteps& gear, int32_t level) {
  if (level < 1 || level > gear.TopLevel) return nullptr;
  return gear.Captions[level - 1];
}

// The boat picture of each boat level; other levels keep the picture.
const char* BoatSpriteFor(int32_t level) {
  switch (level) {
    case 1:
      return "boat1";
    case 2:
      return "boat2";
    case 3:
      return "boat3";
    default:
      return nullptr;
  }
}

// A saved level below 1 would leave the boat unable to turn and the shop
// closed for good; such a file gets the first level, and one above the top
// gets the top.
int32_t SavedLevel(const IniFile& ini, const char* key, const GearSteps& gear) {
  return std::clamp(ini.ReadInteger(kSaveSection, key, 1), 1, gear.TopLevel);
}

}  // namespace

void TMainForm::BuildPlayerPanel() {
  players = &screen_->Root().Add<GroupBox>("players");
  players->SetBounds(48, 96, 537, 265);
  players->Caption = "Player ";
  players->Fill = kMenuWindow;

  Label& nameLabel = players->Add<Label>("namelabel");
  nameLabel.SetPos(10, 22);
  nameLabel.Caption = "Name:";
  playername = &players->Add<Edit>("playername");
  playername->SetBounds(15, 44, 131, 22);
  playername->FontName = "sans-13";
  playername->SetText("Player");
  playername->OnChange = [this] { playernameChange(); };

  savebutton = &players->Add<Button>("savebutton");
  savebutton->SetBounds(150, 44, 23, 23);
  savebutton->Hint = "Save game...";
  loadbutton = &players->Add<Button>("loadbutton");
  loadbutton->SetBounds(177, 44, 23, 22);
  loadbutton->Hint = "Load game...";
  for (auto [button, file, fallback] :
       {std::tuple{savebutton, "save.bmp", "S"}, std::tuple{loadbutton, "load.bmp", "L"}}) {
    Picture icon = DesignPicture(file);
    if (icon.Width > 0)
      button->SetGlyph(icon.Width, icon.Height, std::move(icon.Pixels));
    else
      button->Caption = fallback;
  }
  savebutton->OnClick = [this] { savebuttonClick(); };
  loadbutton->OnClick = [this] { loadbuttonClick(); };

  playertab = &players->Add<TabControl>("playertab");
  playertab->SetBounds(15, 76, 185, 168);
  playertab->SetTabs({"Man"});
  playertab->SetTabIndex(0);
  playertab->SetPicture(DesignPicture("body.bmp"), Rect{29, 32, 29 + 120, 32 + 120});
  playertab->OnChange = [this] { playertabTabChanged(); };

  GroupBox& gear = players->Add<GroupBox>("gear");
  gear.SetBounds(216, 34, 305, 175);
  gear.Caption = "Fishing Gear";
  auto addGear = [&](const char* bar, const char* button, int32_t top, int32_t max,
                     const char* caption, const char* hint, Gauge*& gauge, Button*& up) {
    gauge = &gear.Add<Gauge>(bar);
    gauge->SetBounds(20, top + 8, 120, 16);
    gauge->SetRange(0, max);
    gauge->SetPosition(1);
    up = &gear.Add<Button>(button);
    // Wider than drawn, so "Upgrade Rod/Reel $1000" fits our menu face.
    up->SetBounds(156, top, 143, 33);
    up->Caption = caption;
    up->Hint = hint;
    up->FontName = "sans-11";
  };
  addGear("luresbar", "uplures", 24, 4, "Upgrade Lures $25",
          "Better lures hook fish from greater distances", luresbar, uplures);
  addGear("rodbar", "uprod", 72, 4, "Upgrade Rod/Reel $250",
          "Better Rod and Reels cast and reel faster", rodbar, uprod);
  addGear("boatbar", "upboat", 120, 3, "Upgrade Boat $5000",
          "Newer boats go faster and turn sharper", boatbar, upboat);
  uplures->OnClick = [this] { upluresClick(); };
  uprod->OnClick = [this] { uprodClick(); };
  upboat->OnClick = [this] { upboatClick(); };
}

void TMainForm::UpdateStatus() {
  status->SetCaption(playername->Text() + "    Cash: $" + std::to_string(state_->Cash));
}

namespace {

// Buys the next step of one gear: the price comes off the cash, the level
// goes up one and the button names the step after.
bool BuyStep(const GearSteps& gear, int32_t& level, Button& button, int32_t& cash,
             const std::function<void(const std::string&)>& tell) {
  if (level < 1 || level >= gear.TopLevel) return false;
  const int32_t price = gear.Prices[level - 1];
  if (cash < price) {
    tell("You don't have enough money!");
    return false;
  }
  cash -= price;
  ++level;
  if (const char* caption = CaptionAt(gear, level)) button.SetCaption(caption);
  return true;
}

}  // namespace

void TMainForm::upluresClick() {
  GameState& s = *state_;
  BuyStep(kLures, s.LureLevel, *uplures, s.Cash, [this](auto& t) { ShowMessage(t); });
  ShowGear();
  UpdateStatus();
}

void TMainForm::uprodClick() {
  GameState& s = *state_;
  BuyStep(kRod, s.RodLevel, *uprod, s.Cash, [this](auto& t) { ShowMessage(t); });
  ShowGear();
  UpdateStatus();
}

void TMainForm::upboatClick() {
  GameState& s = *state_;
  if (BuyStep(kBoat, s.BoatLevel, *upboat, s.Cash, [this](auto& t) { ShowMessage(t); }))
    s.BoatSprite = BoatSpriteFor(s.BoatLevel);
  ShowGear();
  UpdateStatus();
}

void TMainForm::ShowGear() {
  luresbar->SetPosition(state_->LureLevel);
  rodbar->SetPosition(state_->RodLevel);
  boatbar->SetPosition(state_->BoatLevel);
}

void TMainForm::SetUpgradeCaptions() {
  const GameState& s = *state_;
  if (const char* c = CaptionAt(kLures, s.LureLevel)) uplures->SetCaption(c);
  if (const char* c = CaptionAt(kRod, s.RodLevel)) uprod->SetCaption(c);
  if (const char* c = CaptionAt(kBoat, s.BoatLevel)) upboat->SetCaption(c);
}

void TMainForm::savebuttonClick() {
  if (MenuBlocked()) return;
  savegame.FileName = playername->Text() + ".sav";
  PrepareSavesFolder();
  const std::optional<std::string> path = savegame.Execute(*screen_, Host());
  if (!path) return;
  IniFile ini = IniFile::Load(*path);
  ini.WriteString(kSaveSection, "Name", playername->Text());
  ini.WriteInteger(kSaveSection, "Cash", state_->Cash);
  ini.WriteInteger(kSaveSection, "Body", playertab->TabIndex());
  ini.WriteInteger(kSaveSection, "Level", state_->PlayerLevel);
  ini.WriteInteger(kSaveSection, "Boat", state_->BoatLevel);
  ini.WriteInteger(kSaveSection, "Rod", state_->RodLevel);
  ini.WriteInteger(kSaveSection, "Lures", state_->LureLevel);
  ini.Save(*path);
}

void TMainForm::loadbuttonClick() {
  if (MenuBlocked()) return;
  loadgame.FileName = playername->Text() + ".sav";
  PrepareSavesFolder();
  if (const std::optional<std::string> path = loadgame.Execute(*screen_, Host())) {
    // A name that is not there loads as all defaults; a file that is there
    // but cannot be read is refused, and the game in hand stays as it was.
    const IniFile ini = IniFile::LoadExisting(*path);
    playername->SetText(ini.ReadString(kSaveSection, "Name", "Player"));
    state_->Cash = ini.ReadInteger(kSaveSection, "Cash", 10);
    playertab->SetTabIndex(ini.ReadInteger(kSaveSection, "Body", 0));
    state_->PlayerLevel = ini.ReadInteger(kSaveSection, "Level", 1);
    state_->BoatLevel = SavedLevel(ini, "Boat", kBoat);
    state_->RodLevel = SavedLevel(ini, "Rod", kRod);
    state_->LureLevel = SavedLevel(ini, "Lures", kLures);
  }
  // A cancelled dialog refreshes the panel and the lake list all the same.
  if (const char* sprite = BoatSpriteFor(state_->BoatLevel)) state_->BoatSprite = sprite;
  ShowGear();
  SetUpgradeCaptions();
  FillLakeList();
  lakes->SetItemIndex(std::min(state_->PlayerLevel, lakes->Count() - 1));
  if (lakes->ItemIndex() >= 0) LoadLakeDefinition(lakes->Items()[lakes->ItemIndex()]);
  UpdateStatus();
}

}  // namespace tw
