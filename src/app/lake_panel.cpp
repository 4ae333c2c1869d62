// The lake panel: the list of the lakes the player has opened, the chosen
// lake's description and preview, and "Fish This Lake".
#include "app/main_form.h"
#include "core/files.h"
#include "core/ini.h"
#include "media/picture.h"
#include "play/lake_rules.h"
#include "world/lake_files.h"

namespace tw {

void TMainForm::BuildLakePanel() {
  lakepanel = &screen_->Root().Add<GroupBox>("lakepanel");
  lakepanel->SetBounds(80, 168, 537, 265);
  lakepanel->Caption = std::string(kAppTitle) + " ";
  lakepanel->Fill = kMenuWindow;

  lakes = &lakepanel->Add<ListBox>("lakes");
  lakes->SetBounds(8, 20, 123, 233);
  lakes->OnClick = [this] { lakesClick(); };

  lakeinfo = &lakepanel->Add<Memo>("lakeinfo");
  lakeinfo->SetBounds(137, 20, 186, 198);
  lakeinfo->SetLines({"<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<", " Choose a lake from the list on the left",
                      "<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<", "", "As you complete lakes and win prize ",
                      "money, more lakes will be made ", "available.... "});

  map = &lakepanel->Add<PictureBox>("map");
  map->SetBounds(329, 20, 200, 198);
  map->SetPicture(DesignPicture("preview.bmp"));

  showgo = &lakepanel->Add<Button>("showgo");
  showgo->SetBounds(242, 228, 169, 25);
  showgo->Caption = "Fish This Lake";
  showgo->Hide();
  showgo->OnClick = [this] { goClick(); };
}

void TMainForm::FillLakeList() {
  const int32_t level = state_->PlayerLevel;
  lakes->SetItems(ReadLakeCatalogue(ctx_.Lakes(), level));
  // The scan leaves the last slot it read behind, "NA" or a lake name.
  if (level >= 1)
    state_->CatalogueEntry = IniFile::Load(JoinPath(paths_.Data, "lakes/lakes.ini"))
                                 .ReadString("Lakes", "lake" + std::to_string(level), "NA");
}

void TMainForm::LoadLakeDefinition(const std::string& lake) {
  const LakeDefinition d = ReadLakeDefinition(LakePath(ctx_.Lakes(), lake, ".ini"));
  lakeinfo->Clear();
  lakeinfo->Add(d.Description);
  ApplyLakeDefinition(*state_, d);
  ctx_.LakeName = lake;

  // The preview stays as it was when the lake has none.
  const std::string preview = LakePath(ctx_.Lakes(), lake, ".bmp");
  if (FileExists(preview)) map->SetPicture(LoadBitmapFile(preview));
  map->Invalidate();
  showgo->Show();
}

void TMainForm::lakesClick() {
  if (MenuBlocked()) return;
  const int32_t index = lakes->ItemIndex();
  if (index < 0 || index >= lakes->Count()) return;
  LoadLakeDefinition(lakes->Items()[static_cast<size_t>(index)]);
}

}  // namespace tw
