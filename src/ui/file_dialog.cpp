#include "ui/file_dialog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/lists.h"
#include "ui/modal.h"
#include "ui/panels.h"
#include "ui/screen.h"

namespace tw {

namespace fs = std::filesystem;

std::vector<std::string> FilterPatterns(const std::string& filter) {
  std::vector<std::string> out;
  size_t bar = filter.find('|');
  std::string list = bar == std::string::npos ? filter : filter.substr(bar + 1);
  list = list.substr(0, list.find('|'));
  size_t start = 0;
  while (start <= list.size()) {
    size_t semi = list.find(';', start);
    if (semi == std::string::npos) semi = list.size();
    std::string p = list.substr(start, semi - start);
    p.erase(0, p.find_first_not_of(' '));
    p.erase(p.find_last_not_of(' ') + 1);
    if (!p.empty()) out.push_back(p);
    start = semi + 1;
  }
  if (out.empty()) out.push_back("*");
  return out;
}

std::string WithDefaultExtension(const std::string& name, const std::string& ext) {
  if (ext.empty() || name.empty()) return name;
  size_t slash = name.find_last_of("/\\");
  size_t dot = name.rfind('.');
  bool hasDot = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  if (!hasDot) return name + "." + ext;
  if (dot == name.size() - 1) return name + ext;
  return name;
}

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  // Iterative wildcard match with one back-tracking point per '*'.
  size_t n = 0, p = 0, star = std::string::npos, mark = 0;
  auto lower = [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  };
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
      ++n, ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<FolderEntry> ListFolder(const std::string& folder,
                                    const std::vector<std::string>& patterns) {
  std::vector<FolderEntry> folders, files;
  std::error_code ec;
  fs::directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code e2;
    if (it->is_directory(e2)) {
      folders.push_back({name, true});
    } else if (std::any_of(patterns.begin(), patterns.end(),
                           [&](auto& p) { return MatchesPattern(name, p); })) {
      files.push_back({name, false});
    }
  }
  auto byName = [](const FolderEntry& a, const FolderEntry& b) {
    return std::lexicographical_compare(a.Name.begin(), a.Name.end(), b.Name.begin(), b.Name.end(),
                                        [](char x, char y) {
                                          return std::tolower(static_cast<unsigned char>(x)) <
                                                 std::tolower(static_cast<unsigned char>(y));
                                        });
  };
  std::sort(folders.begin(), folders.end(), byName);
  std::sort(files.begin(), files.end(), byName);
  folders.insert(folders.end(), files.begin(), files.end());
  return folders;
}

std::string Cp1252ToUtf8(const std::string& text) {
  static constexpr uint16_t kHigh[32] = {
      0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
  std::string out;
  for (char ch : text) {
    uint32_t cp = static_cast<uint8_t>(ch);
    if (cp >= 0x80 && cp < 0xA0) cp = kHigh[cp - 0x80];
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

namespace {

// The dialog's window and what it shows.
class DialogForm : public Form {
 public:
  DialogForm(FileDialog& d, Screen& screen) : Form("filedialog"), d_(d), screen_(screen) {
    bool save = d.Mode == FileDialog::Kind::Save;
    Caption = save ? "Save As" : "Open";
    SetBounds(0, 0, 380, 300);
    auto& lookIn = Add<Label>("lookinlabel");
    lookIn.Caption = save ? "Save in:" : "Look in:";
    lookIn.SetBounds(10, 28, 60, 16);
    folderLine_ = &Add<Panel>("folder");
    folderLine_->Alignment = Align::Left;
    folderLine_->FontName = "sans-11";
    folderLine_->SetBounds(70, 25, 300, 20);
    list_ = &Add<ListBox>("files");
    list_->SetBounds(10, 52, 360, 160);
    auto& nameLabel = Add<Label>("filenamelabel");
    nameLabel.Caption = "File name:";
    nameLabel.SetBounds(10, 226, 80, 16);
    name_ = &Add<Edit>("filename");
    name_->SetBounds(95, 222, 180, 22);
    auto& typeLabel = Add<Label>("typelabel");
    typeLabel.Caption = "Files of type:";
    typeLabel.SetBounds(10, 258, 80, 16);
    auto& types = Add<ComboBox>("filetype");
    types.SetBounds(95, 254, 180, 22);
    types.SetItems({FilterCaption(d.Filter)});
    types.SetItemIndex(0);
    ok_ = &Add<Button>("ok");
    ok_->Caption = save ? "Save" : "Open";
    ok_->SetBounds(290, 220, 80, 25);
    auto& cancel = Add<Button>("cancel");
    cancel.Caption = "Cancel";
    cancel.SetBounds(290, 252, 80, 25);
    DefaultButton = ok_;
    CancelButton = &cancel;
    patterns_ = FilterPatterns(d.Filter);

    ok_->OnClick = [this] { Accept(); };
    cancel.OnClick = [this] { Close(ModalResult::Cancel); };
    list_->OnClick = [this] { Picked(); };
    list_->OnDblClick = [this] { Open(); };

    // Start in the folder of the proposed name, or the one given.
    std::error_code ec;
    fs::path start = d.InitialDir.empty() ? fs::current_path(ec) : fs::path(d.InitialDir);
    fs::path proposed = Cp1252ToUtf8(d.FileName);
    if (proposed.has_parent_path()) {
      start = proposed.is_absolute() ? proposed.parent_path() : start / proposed.parent_path();
      proposed = proposed.filename();
    }
    Enter(start);
    name_->SetText(Utf8ToCp1252(proposed.string()));
  }

  Edit* NameField() { return name_; }
  const std::string& Chosen() const { return chosen_; }

 private:
  static std::string FilterCaption(const std::string& filter) {
    size_t bar = filter.find('|');
    std::string desc = filter.substr(0, bar);
    std::string pats = bar == std::string::npos ? "" : filter.substr(bar + 1);
    pats = pats.substr(0, pats.find('|'));
    return pats.empty() ? desc : desc + " (" + pats + ")";
  }

  void Enter(const fs::path& folder) {
    std::error_code ec;
    fs::path canon = fs::weakly_canonical(fs::absolute(folder, ec), ec);
    if (ec || !fs::is_directory(canon, ec)) {
      if (!folder_.empty()) return;  // stay where we are
      // A first folder that is gone: start in the current one instead.
      canon = fs::current_path(ec);
      if (ec || !fs::is_directory(canon, ec)) canon = fs::path("/");
    }
    folder_ = canon;
    entries_.clear();
    std::vector<std::string> shown;
    if (folder_.has_relative_path()) {
      entries_.push_back({"..", true});
      shown.push_back("..");
    }
    for (auto& e : ListFolder(folder_.string(), patterns_)) {
      shown.push_back(e.IsFolder ? "[" + Utf8ToCp1252(e.Name) + "]" : Utf8ToCp1252(e.Name));
      entries_.push_back(std::move(e));
    }
    list_->SetItems(std::move(shown));
    // Show the end of a long path: that is the part that tells folders apart.
    std::string path = Utf8ToCp1252(folder_.string());
    const Font& f = screen_.Fonts().Get(folderLine_->FontName);
    int32_t room = folderLine_->Width - 12;
    if (f.TextWidth(path) > room) {
      while (path.size() > 1 && f.TextWidth("..." + path) > room) path.erase(0, 1);
      path = "..." + path;
    }
    folderLine_->SetCaption(path);
  }

  void Picked() {
    int32_t i = list_->ItemIndex();
    if (i < 0) return;
    const FolderEntry& e = entries_[static_cast<size_t>(i)];
    if (!e.IsFolder) name_->SetText(Utf8ToCp1252(e.Name));
  }

  // Double-click or Enter on an entry: go into a folder, take a file.
  void Open() {
    int32_t i = list_->ItemIndex();
    if (i < 0) return;
    const FolderEntry& e = entries_[static_cast<size_t>(i)];
    if (e.IsFolder) {
      Enter(e.Name == ".." ? folder_.parent_path() : folder_ / e.Name);
      return;
    }
    name_->SetText(Utf8ToCp1252(e.Name));
    Accept();
  }

  void Accept() {
    if (list_->Focused() && list_->ItemIndex() >= 0 &&
        entries_[static_cast<size_t>(list_->ItemIndex())].IsFolder) {
      Open();
      return;
    }
    std::string typed = name_->Text();
    typed.erase(0, typed.find_first_not_of(' '));
    typed.erase(typed.find_last_not_of(' ') + 1);
    if (typed.empty()) return;
    std::replace(typed.begin(), typed.end(), '\\', '/');
    if (typed.find_first_of("*?") != std::string::npos) {
      // A wildcard typed as the name changes what the list shows.
      fs::path p = Cp1252ToUtf8(typed);
      patterns_ = {p.filename().string()};
      Enter(p.has_parent_path() ? (p.is_absolute() ? p.parent_path() : folder_ / p.parent_path())
                                : folder_);
      return;
    }
    fs::path p = Cp1252ToUtf8(typed);
    fs::path full = p.is_absolute() ? p : folder_ / p;
    std::error_code ec;
    if (typed.back() == '/' || typed == ".." || fs::is_directory(full, ec)) {
      Enter(full);
      name_->SetText("");
      return;
    }
    std::string file = WithDefaultExtension(full.filename().string(), d_.DefaultExt);
    chosen_ = (full.parent_path() / file).string();
    Close(ModalResult::Ok);
  }

  FileDialog& d_;
  Screen& screen_;
  Panel* folderLine_ = nullptr;
  ListBox* list_ = nullptr;
  Edit* name_ = nullptr;
  Button* ok_ = nullptr;
  fs::path folder_;
  std::vector<FolderEntry> entries_;
  std::vector<std::string> patterns_;
  std::string chosen_;
};

}  // namespace

std::optional<std::string> FileDialog::Execute(Screen& screen, ModalHost& host) {
  DialogForm form(*this, screen);
  if (form.ShowModal(screen, host, form.NameField()) != ModalResult::Ok) return std::nullopt;
  FileName = form.Chosen();
  return FileName;
}

}  // namespace tw
