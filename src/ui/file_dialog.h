// The open and save dialogs for saved games, drawn in the game's frame: a
// folder to look in with ".." to go up, its sub-folders and the files that
// match the filter, a file-name field holding the proposed name, OK and
// Cancel.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace tw {

class Screen;
class ModalHost;

struct FileDialog {
  enum class Kind : uint8_t { Open, Save };
  Kind Mode = Kind::Open;
  // Pairs of description and patterns, as in "Tarnwick Save Games|*.sav".
  std::string Filter = "Tarnwick Save Games|*.sav";
  // Added (after a dot) to a typed name that has no extension.
  std::string DefaultExt = "sav";
  // The folder shown first (the system's path); empty for the current one.
  std::string InitialDir;
  // The proposed name, in the game's text; after OK, the chosen full path
  // in the system's spelling.
  std::string FileName;

  // Runs the dialog; the chosen full path, or nothing when cancelled.
  std::optional<std::string> Execute(Screen& screen, ModalHost& host);
};

// Helpers the dialog is made of, kept apart so they can be tried alone.
// The first pattern list of a filter ("*.sav" of "Games|*.sav").
std::vector<std::string> FilterPatterns(const std::string& filter);
// A name without an extension gets ".ext"; one ending in a dot gets "ext".
std::string WithDefaultExtension(const std::string& name, const std::string& ext);
// '*' and '?' wildcards, letters compared without regard to case.
bool MatchesPattern(const std::string& name, const std::string& pattern);
// Folder contents as the dialog lists them: sub-folders first, then the
// files matching any pattern, each part sorted without regard to case;
// hidden entries (a leading dot) are left out. An unreadable folder lists
// nothing.
struct FolderEntry {
  std::string Name;  // the system's spelling
  bool IsFolder = false;
};
std::vector<FolderEntry> ListFolder(const std::string& folder,
                                    const std::vector<std::string>& patterns);
// The game keeps Windows-1252 text; the file system speaks UTF-8.
std::string Cp1252ToUtf8(const std::string& text);

}  // namespace tw
