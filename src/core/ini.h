// INI settings files (settings, lake catalogue, lake definitions, saved
// games): sections in square brackets and key=value lines; section and key
// names compared without regard to case; values trimmed and cut at 2047
// characters; integers decimal or hexadecimal after "$" or "0x"; anything
// missing or unparsable gives the caller's default; booleans written "1"/"0".
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw {

class IniFile {
 public:
  IniFile() = default;
  // Reads `path`; a missing or unreadable file reads as empty.
  static IniFile Load(const std::string& path);
  // The same, but a file that is there and cannot be read (a folder, a
  // pipe, no permission) raises "Cannot open file PATH" instead.
  static IniFile LoadExisting(const std::string& path);
  static IniFile Parse(const std::string& text);

  std::optional<std::string> Find(const std::string& section, const std::string& key) const;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def) const;
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;

  // Writing one key keeps the rest of the file as it was.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int32_t value);
  void WriteBool(const std::string& section, const std::string& key, bool value);

  std::string Text() const;
  // Replaces `path` atomically; raises "Unable to write to PATH" on failure.
  void Save(const std::string& path) const;

 private:
  struct Line {
    std::string text;     // the line as written
    std::string section;  // for section lines: the name
    std::string key;      // for key lines: the key (as written, trimmed)
    bool isSection = false;
    bool isKey = false;
  };
  std::vector<Line> lines_;
};

// Parses an integer the INI way: optional sign, decimal digits, or hex after
// "$", "0x" or "0X". Nothing else may follow. Values out of 32-bit range fail.
std::optional<int32_t> ParseIniInteger(const std::string& text);

}  // namespace tw
