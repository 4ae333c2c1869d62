#include "core/paths.h"

#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/build_info.h"
#include "core/error.h"
#include "core/files.h"

namespace tw {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSettingsName = "tarnwick.ini";
constexpr const char* kWindowStateName = "window.ini";
constexpr const char* kLogName = "tarnwick.log";
constexpr const char* kGameLibrary = "objects.dxg";

bool HoldsGameData(const std::string& folder) {
  return FileExists(JoinPath(folder, kGameLibrary));
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

// An XDG variable counts only when it holds an absolute path; otherwise the
// usual folder under the home folder.
std::string XdgFolder(const PathSearch& s, const char* variable, const char* underHome) {
  const std::string set = s.Env ? s.Env(variable) : std::string();
  if (!set.empty() && set.front() == '/') return set;
  std::string home = s.Env ? s.Env("HOME") : std::string();
  if (home.empty()) {
    // No HOME (a service, a stripped environment): the account's own folder.
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
  }
  if (home.empty()) home = "/";
  return JoinPath(home, underHome);
}

std::string Absolute(const std::string& path) {
  std::error_code ec;
  const fs::path p = fs::absolute(path, ec);
  return ec ? path : p.lexically_normal().string();
}

// The folder that holds the running program (without a trailing separator).
std::string RunningProgramFolder() {
  char buf[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  buf[n] = '\0';
  return fs::path(buf).parent_path().string();
}

}  // namespace

GamePaths GamePaths::AllIn(const std::string& folder) {
  GamePaths p;
  p.Data = folder;
  p.BesideData = true;
  p.SettingsFile = JoinPath(folder, kSettingsName);
  p.WindowStateFile = JoinPath(folder, kWindowStateName);
  p.SavesFolder = folder;
  p.ReplaysFolder = JoinPath(folder, "replays");
  p.LogFile = JoinPath(folder, kLogName);
  return p;
}

GamePaths FindGamePaths(const PathSearch& s) {
  std::string data;
  DataSource source = DataSource::BesideProgram;
  if (!s.GivenData.empty()) {
    data = Absolute(s.GivenData);
    source = DataSource::Given;
  } else if (HoldsGameData(s.ProgramFolder)) {
    data = s.ProgramFolder;
  } else {
    for (const std::string& candidate : s.InstalledData)
      if (HoldsGameData(candidate)) {
        data = candidate;
        source = DataSource::Installed;
        break;
      }
    if (data.empty())
      for (const std::string& candidate : s.InstalledData)
        if (IsFolder(candidate)) {
          data = candidate;
          source = DataSource::Installed;
          break;
        }
    if (data.empty()) data = s.ProgramFolder;
  }

  // Installed data belongs to the system even when this user (root) could
  // write it; the player's files never go there.
  const bool beside = source != DataSource::Installed && s.Writable && s.Writable(data);
  if (beside) {
    GamePaths p = GamePaths::AllIn(data);
    p.Source = source;
    return p;
  }
  GamePaths p;
  p.Data = data;
  p.Source = source;
  p.BesideData = false;
  const std::string config = JoinPath(XdgFolder(s, "XDG_CONFIG_HOME", ".config"), "tarnwick");
  const std::string share = JoinPath(XdgFolder(s, "XDG_DATA_HOME", ".local/share"), "tarnwick");
  const std::string state = JoinPath(XdgFolder(s, "XDG_STATE_HOME", ".local/state"), "tarnwick");
  p.SettingsFile = JoinPath(config, kSettingsName);
  p.WindowStateFile = JoinPath(config, kWindowStateName);
  p.SavesFolder = JoinPath(share, "saves");
  p.ReplaysFolder = JoinPath(share, "replays");
  p.PlayerLakes = JoinPath(share, "lakes");
  p.LogFile = JoinPath(state, kLogName);
  return p;
}

PathSearch ProgramSearch(const std::string& givenData) {
  PathSearch s;
  s.GivenData = givenData;
  s.ProgramFolder = RunningProgramFolder();
  const std::string besideProgram =
      fs::path(JoinPath(s.ProgramFolder, kDataFromProgram)).lexically_normal().string();
  s.InstalledData.push_back(besideProgram);
  if (kInstalledData != besideProgram) s.InstalledData.push_back(kInstalledData);
  s.Env = [](const char* name) {
    const char* v = std::getenv(name);
    return std::string(v ? v : "");
  };
  s.Writable = [](const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; };
  return s;
}

void MakeFolders(const std::string& folder, const std::string& forFile) {
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return;
  fs::create_directories(folder, ec);
  if (ec || !fs::is_directory(folder, ec)) throw UnableToWrite(forFile.empty() ? folder : forFile);
}

void MakeFolderFor(const std::string& file) {
  const std::string folder = fs::path(file).parent_path().string();
  if (!folder.empty()) MakeFolders(folder, file);
}

}  // namespace tw
