// The editor's boxes: a new lake, opening a lake, an object, the rules and
// the problem list. Each is a form of the game's own widget set over the
// editor, answered through the application loop.
#include <algorithm>
#include <optional>

#include "core/error.h"
#include "core/ini.h"
#include "editor/lake_editor.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/screen.h"
#include "world/map_file.h"
#include "world/sign_text.h"

namespace tw {

namespace {

struct FormBuilder {
  Form& form;
  int32_t y = Form::kCaptionHeight + 8;

  Label& Caption(const std::string& text, int32_t x, int32_t top, int32_t width = 120) {
    Label& l = form.Add<Label>("label");
    l.Caption = text;
    l.FontName = "sans-11";
    l.AutoSize = false;
    l.SetBounds(x, top + 3, width, 16);
    return l;
  }
  Edit& Field(const std::string& name, const std::string& label, const std::string& value,
              int32_t width = 90, const std::string& range = {}) {
    Caption(label, 10, y);
    Edit& e = form.Add<Edit>(name);
    e.SetBounds(130, y, width, 20);
    e.FontName = "sans-11";
    e.SetText(value);
    if (!range.empty()) Caption(range, 136 + width, y, 320);
    y += 23;
    return e;
  }
  ComboBox& Choice(const std::string& name, const std::string& label,
                   const std::vector<std::string>& items, const std::string& value) {
    Caption(label, 10, y);
    ComboBox& box = form.Add<ComboBox>(name);
    box.SetBounds(130, y, 160, 20);
    box.FontName = "sans-11";
    box.SetItems(items);
    const auto at = std::find(items.begin(), items.end(), value);
    box.SetItemIndex(at == items.end() ? -1 : static_cast<int32_t>(at - items.begin()));
    y += 23;
    return box;
  }
  Button& Action(const std::string& name, const std::string& caption, int32_t x,
                 std::function<void()> click) {
    Button& b = form.Add<Button>(name);
    b.Caption = caption;
    b.SetBounds(x, form.Height - 33, 80, 24);
    b.OnClick = std::move(click);
    return b;
  }
  // The box's answer (`caption`, at x) and "Cancel" (at cancelX): Enter
  // presses the first, Esc the second, which closes the box.
  Button& Answers(const std::string& caption, int32_t x, int32_t cancelX,
                  std::function<void()> answer) {
    Button& yes = Action("ok", caption, x, std::move(answer));
    Button& no = Action("cancel", "Cancel", cancelX, [this] { form.Close(ModalResult::Cancel); });
    form.DefaultButton = &yes;
    form.CancelButton = &no;
    return yes;
  }
};

// A whole number in [low, high], or nothing.
std::optional<int32_t> Whole(const std::string& text, int32_t low, int32_t high) {
  for (char ch : text)
    if ((ch < '0' || ch > '9') && ch != '-') return std::nullopt;
  const std::optional<int32_t> v = ParseIniInteger(text);
  if (!v || *v < low || *v > high) return std::nullopt;
  return v;
}

}  // namespace

bool LakeEditor::ConfirmDiscard() {
  history_.Commit();
  if (!history_.Modified()) return true;
  Form form("discardbox");
  form.Caption = "Unsaved changes";
  form.SetBounds(0, 0, 360, 110);
  FormBuilder b{form};
  b.Caption("The changes to " + doc_->Name() + " are not saved.", 14, b.y + 6, 330);
  Button& discard = b.Action("discard", "Discard", 170, [&] { form.Close(ModalResult::Ok); });
  Button& keep = b.Action("cancel", "Cancel", 260, [&] { form.Close(ModalResult::Cancel); });
  form.DefaultButton = &keep;
  form.CancelButton = &keep;
  (void)discard;
  return form.ShowModal(*screen_, Host(), &keep) == ModalResult::Ok;
}

void LakeEditor::ShowNewBox() {
  if (!ConfirmDiscard()) return;
  Form form("newbox");
  form.Caption = "New lake";
  form.SetBounds(0, 0, 380, 190);
  FormBuilder b{form};
  Edit& name = b.Field("name", "Name", "My_Lake", 160);
  Edit& columns =
      b.Field("columns", "Columns", "24", 60,
              std::to_string(kMinEditColumns) + " to " + std::to_string(kMaxEditColumns));
  Edit& rows = b.Field("rows", "Rows", "96", 60,
                       std::to_string(kMinEditRows) + " to " + std::to_string(kMaxEditRows));
  const std::vector<std::string> libs = TileLibraries(paths_.Data);
  ComboBox& lib = b.Choice("library", "Tiles", libs, "canada.dxg");
  Label& error = b.Caption("", 10, b.y, 360);
  error.TextColor = Rgb{255, 90, 70};
  b.Answers("OK", 190, 280, [&] {
    const std::optional<int32_t> c = Whole(columns.Text(), kMinEditColumns, kMaxEditColumns);
    const std::optional<int32_t> r = Whole(rows.Text(), kMinEditRows, kMaxEditRows);
    if (!c || !r) return error.SetCaption("Columns or rows outside their range");
    const std::string fault = LakeNameFault(name.Text());
    if (!fault.empty()) return error.SetCaption(fault);
    const int32_t index = std::max(0, lib.ItemIndex());
    NewLake(name.Text(), *c, *r, libs[static_cast<size_t>(index)]);
    form.Close(ModalResult::Ok);
  });
  form.ShowModal(*screen_, Host(), &name);
}

void LakeEditor::ShowOpenBox() {
  if (!ConfirmDiscard()) return;
  Form form("openbox");
  form.Caption = "Open a lake";
  form.SetBounds(0, 0, 300, 300);
  ListBox& list = form.Add<ListBox>("lakes");
  list.SetBounds(10, Form::kCaptionHeight + 8, 280, 220);
  list.SetItems(ReadLakeCatalogue(LakeFolders{paths_.Data, paths_.PlayerLakes}, 255));
  FormBuilder b{form};
  auto open = [&] {
    if (list.ItemIndex() < 0) return;
    OpenLake(list.Items()[static_cast<size_t>(list.ItemIndex())]);
    form.Close(ModalResult::Ok);
  };
  list.OnDblClick = open;
  b.Answers("Open", 110, 200, open);
  form.ShowModal(*screen_, Host(), &list);
}

void LakeEditor::ShowRulesBox() {
  history_.Commit();
  LakeDefinition& d = doc_->Rules();
  Form form("rulesbox");
  form.Caption = "Rules of " + doc_->Name();
  form.SetBounds(0, 0, 470, 420);
  FormBuilder b{form};
  Edit& description = b.Field("Description", "Description", d.Description, 320);
  struct Number {
    const char* key;
    const char* label;
    int32_t LakeDefinition::*field;
    int32_t low, high;
    const char* unit;
    Edit* edit = nullptr;
  };
  Number numbers[] = {
      {"MaxFish", "Fish", &LakeDefinition::MaxFish, 0, kMaxSwimmers, ""},
      {"Maxmonster", "Monsters", &LakeDefinition::Maxmonster, 0, kMaxSwimmers, ""},
      {"Biggest", "Biggest fish", &LakeDefinition::Biggest, 1, 99, "(weights, the fight)"},
      {"Difficulty", "Difficulty", &LakeDefinition::Difficulty, 0, 100, "(liveliness of the fish)"},
      {"Time", "Time", &LakeDefinition::Time, 0, 3600, "seconds"},
      {"EntryFee", "Entry fee", &LakeDefinition::EntryFee, 0, 1000000, "dollars"},
      {"PrizeMoney", "Prize", &LakeDefinition::PrizeMoney, 0, 1000000, "dollars"},
      {"Limit", "Limit", &LakeDefinition::Limit, 1, 99, "fish end the tournament"},
      {"WinIf", "Weight to win", &LakeDefinition::WinIf, 0, 100000, "lbs (0: the limit wins)"},
      {"Level", "Level granted", &LakeDefinition::Level, 1, 255, "(opens slots up to it)"},
  };
  std::vector<std::string> monsters;
  for (int32_t i = 0; i < objects.Count(); ++i) {
    const std::string& name = objects.Items(i).Name;
    if (objects.IndexOf("got" + name) >= 0) monsters.push_back(name);
  }
  if (std::find(monsters.begin(), monsters.end(), d.MonsterKind) == monsters.end())
    monsters.push_back(d.MonsterKind);
  ComboBox* monster = nullptr;
  for (Number& n : numbers) {
    n.edit = &b.Field(n.key, n.label, std::to_string(d.*n.field), 70,
                      std::to_string(n.low) + " to " + std::to_string(n.high) + " " + n.unit);
    if (std::string(n.key) == "Maxmonster")
      monster = &b.Choice("MonsterKind", "Monster kind", monsters, d.MonsterKind);
  }
  CheckBox& timed = form.Add<CheckBox>("Timed");
  timed.Caption = "Timed (a clock runs; time bonuses count)";
  timed.FontName = "sans-11";
  timed.SetBounds(130, b.y, 300, 18);
  timed.SetChecked(d.Timed);
  b.y += 23;
  const std::vector<std::string> libs = TileLibraries(paths_.Data);
  ComboBox& lib = b.Choice("ImageLib", "Tile library", libs, d.ImageLib);
  Label& error = b.Caption("", 10, b.y, 450);
  error.TextColor = Rgb{255, 90, 70};
  b.Answers("OK", 280, 370, [&] {
    LakeDefinition next = d;
    for (Number& n : numbers) {
      const std::optional<int32_t> v = Whole(n.edit->Text(), n.low, n.high);
      if (!v)
        return error.SetCaption(std::string(n.label) + " must be a whole number from " +
                                std::to_string(n.low) + " to " + std::to_string(n.high));
      next.*n.field = *v;
    }
    if (description.Text().empty()) return error.SetCaption("The description is empty");
    next.Description = description.Text();
    next.Timed = timed.Checked();
    if (monster->ItemIndex() >= 0)
      next.MonsterKind = monsters[static_cast<size_t>(monster->ItemIndex())];
    if (lib.ItemIndex() >= 0) next.ImageLib = libs[static_cast<size_t>(lib.ItemIndex())];
    if (next.Timed && next.Time <= 0) return error.SetCaption("A timed lake needs a time");
    history_.Begin("Rules");
    history_.TouchRules();
    d = next;
    history_.Commit();
    Changed();
    form.Close(ModalResult::Ok);
  });
  form.ShowModal(*screen_, Host(), &description);
}

void LakeEditor::ShowProblems() {
  history_.Commit();
  problems_ = CheckLake(*doc_);
  Form form("problembox");
  form.Caption = problems_.empty() ? "No problems"
                                   : std::to_string(problems_.size()) +
                                         (problems_.size() == 1 ? " problem" : " problems");
  form.SetBounds(0, 0, 600, 300);
  ListBox& list = form.Add<ListBox>("problems");
  list.SetBounds(10, Form::kCaptionHeight + 8, 580, 230);
  list.FontName = "sans-11";
  std::vector<std::string> lines;
  for (const LakeProblem& p : problems_) lines.push_back(p.Text);
  if (lines.empty()) lines.push_back("The lake is ready to play.");
  list.SetItems(lines);
  FormBuilder b{form};
  // A click on a problem takes the maker to its place.
  list.OnClick = [&] {
    const int32_t i = list.ItemIndex();
    if (i < 0 || i >= static_cast<int32_t>(problems_.size())) return;
    const LakeProblem& p = problems_[static_cast<size_t>(i)];
    if (p.Column >= 0) CentreOn(p.Column, p.Row);
    if (p.Slot >= 0) {
      selected_ = p.Slot;
      SetTool(EditTool::Objects);
    }
    SetStatus(p.Text);
    form.Close(ModalResult::Ok);
  };
  Button& close = b.Action("close", "Close", 510, [&] { form.Close(ModalResult::Cancel); });
  form.CancelButton = &close;
  form.DefaultButton = &close;
  form.ShowModal(*screen_, Host(), &list);
}

void LakeEditor::EditObject(int32_t slot) {
  history_.Commit();
  MapObject& o = doc_->Objects()[static_cast<size_t>(slot)];
  Form form("objectbox");
  const bool sign = o.Kind == "buoy" || o.Kind == "talk";
  form.Caption = "Slot " + std::to_string(slot) + ": " + o.Kind;
  // Below the pop-up's place, which the box leaves free for the preview.
  form.SetBounds(90, 316, 460, 136);
  FormBuilder b{form};
  Edit* param = nullptr;
  const LakeDefinition& rules = doc_->Rules();
  if (o.Kind == "singlefish")
    param = &b.Field("param", "Fish slot", o.Param, 60,
                     "0 to " + std::to_string(std::max(0, rules.MaxFish - 1)));
  else if (o.Kind == "monster")
    param = &b.Field("param", "Monster slot", o.Param, 60,
                     "0 to " + std::to_string(std::max(0, rules.Maxmonster - 1)));
  else if (o.Kind == "treasure")
    param = &b.Field("param", "Dollars", o.Param, 60);
  else if (o.Kind == "moretime")
    param = &b.Field("param", "Seconds", o.Param, 60);
  Edit* text = nullptr;
  Label* warning = nullptr;
  if (sign) {
    text = &b.Field("text", "Text", o.Text, 320);
    text->MaxLength = kMapObjectTextChars;
    warning = &b.Caption("", 10, b.y, 440);
    warning->TextColor = Rgb{255, 90, 70};
    b.y += 20;
    auto update = [&, text, warning] {
      editText_ = text->Text();
      const std::string fault = BoardFault(editText_, o.Kind == "buoy" ? kSignBoard : kPersonBoard);
      warning->SetCaption(fault.empty() ? "" : "Does not fit the board: " + fault);
      screen_->Invalidate();
    };
    text->OnChange = update;
    update();
  }
  CheckBox& active = form.Add<CheckBox>("active");
  active.Caption = "Armed";
  active.FontName = "sans-11";
  active.SetBounds(10, form.Height - 30, 80, 18);
  active.SetChecked(o.Active != 0);
  Label& error = b.Caption("", 10, b.y, 440);
  error.TextColor = Rgb{255, 90, 70};
  Button& ok = b.Answers("OK", 190, 370, [&] {
    if (param) {
      const bool isSlot = o.Kind == "singlefish" || o.Kind == "monster";
      if (!Whole(param->Text(), 0, isSlot ? kMaxSwimmers - 1 : 1000000))
        return error.SetCaption(isSlot ? "A slot from 0 to 256"
                                       : "A whole number from 0 to 1000000");
    }
    history_.Begin("Edit object");
    history_.TouchObjects();
    if (param) o.Param = param->Text();
    if (text) o.Text = text->Text();
    o.Active = active.Checked() ? 1 : 0;
    history_.Commit();
    Changed();
    form.Close(ModalResult::Ok);
  });
  bool remove = false;
  b.Action("delete", "Delete", 280, [&] {
    remove = true;
    form.Close(ModalResult::Cancel);
  });
  editObject_ = slot;
  editKind_ = o.Kind;
  editText_ = o.Text;
  screen_->PushModal(form);
  struct Pop {
    LakeEditor& e;
    Form& f;
    ~Pop() {
      e.screen_->PopModal(f);
      e.editObject_ = -1;
      e.editKind_.clear();
      e.screen_->Invalidate();
    }
  } pop{*this, form};
  Control* first = &ok;
  if (param) first = param;
  if (text) first = text;
  screen_->SetFocus(first, true);
  Host().RunModal([&form] { return form.Closed(); });
  if (remove) {
    selected_ = slot;
    DeleteSelected();
  }
}

}  // namespace tw
