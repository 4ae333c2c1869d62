#include "core/ini.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "core/error.h"
#include "core/files.h"

namespace tw {

namespace {

constexpr size_t kMaxValue = 2047;
// Far above any settings file, lake file or saved game the game writes.
constexpr size_t kMaxIniBytes = size_t{16} << 20;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::optional<int32_t> ParseIniInteger(const std::string& text) {
  std::string s = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= s.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < s.size(); ++i) {
    int d;
    char c = s[i];
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return std::nullopt;
    value = value * base + d;
    // Hexadecimal may spell the full 32-bit pattern ($FFFFFFFF is -1).
    if (value > (base == 16 ? int64_t{UINT32_MAX} : int64_t{INT32_MAX} + 1)) return std::nullopt;
  }
  if (base == 16 && !negative) return static_cast<int32_t>(static_cast<uint32_t>(value));
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

IniFile IniFile::Load(const std::string& path) {
  try {
    auto bytes = ReadFileBytes(path, kMaxIniBytes);
    return Parse(std::string(bytes.begin(), bytes.end()));
  } catch (const GameError&) {
    return IniFile();
  }
}

IniFile IniFile::LoadExisting(const std::string& path) {
  if (!PathExists(path)) return IniFile();
  auto bytes = ReadFileBytes(path, kMaxIniBytes);
  return Parse(std::string(bytes.begin(), bytes.end()));
}

IniFile IniFile::Parse(const std::string& text) {
  IniFile ini;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string raw = text.substr(start, end - start);
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    start = end + 1;
    Line line;
    line.text = raw;
    std::string t = Trim(raw);
    if (!t.empty() && t.front() == '[') {
      auto close = t.find(']');
      if (close != std::string::npos) {
        line.isSection = true;
        line.section = Trim(t.substr(1, close - 1));
      }
    } else if (!t.empty() && t.front() != ';') {
      auto eq = t.find('=');
      if (eq != std::string::npos) {
        line.isKey = true;
        line.key = Trim(t.substr(0, eq));
      }
    }
    ini.lines_.push_back(std::move(line));
  }
  return ini;
}

std::optional<std::string> IniFile::Find(const std::string& section, const std::string& key) const {
  bool inSection = false;
  bool seen = false;
  for (const Line& l : lines_) {
    if (l.isSection) {
      if (seen && inSection) break;  // only the first section of that name counts
      inSection = SameName(l.section, section);
      seen = seen || inSection;
    } else if (inSection && l.isKey && SameName(l.key, key)) {
      std::string value = Trim(l.text.substr(l.text.find('=') + 1));
      if (value.size() > kMaxValue) value.resize(kMaxValue);
      return value;
    }
  }
  return std::nullopt;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& def) const {
  auto v = Find(section, key);
  return v ? *v : def;
}

int32_t IniFile::ReadInteger(const std::string& section, const std::string& key,
                             int32_t def) const {
  auto v = Find(section, key);
  if (!v) return def;
  auto n = ParseIniInteger(*v);
  return n ? *n : def;
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  Line kv;
  kv.isKey = true;
  kv.key = key;
  kv.text = key + "=" + value;
  // Find the first section of that name and, inside it, the key.
  size_t i = 0;
  for (; i < lines_.size(); ++i)
    if (lines_[i].isSection && SameName(lines_[i].section, section)) break;
  if (i == lines_.size()) {
    Line head;
    head.isSection = true;
    head.section = section;
    head.text = "[" + section + "]";
    lines_.push_back(std::move(head));
    lines_.push_back(std::move(kv));
    return;
  }
  size_t lastContent = i;
  for (size_t j = i + 1; j < lines_.size() && !lines_[j].isSection; ++j) {
    if (lines_[j].isKey && SameName(lines_[j].key, key)) {
      kv.key = lines_[j].key;  // keep the spelling the file had
      kv.text = kv.key + "=" + value;
      lines_[j] = std::move(kv);
      return;
    }
    if (!Trim(lines_[j].text).empty()) lastContent = j;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), std::move(kv));
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Text() const {
  std::string out;
  for (const Line& l : lines_) {
    out += l.text;
    out += "\n";
  }
  return out;
}

void IniFile::Save(const std::string& path) const {
  WriteFileAtomic(path, Text());
}

}  // namespace tw
