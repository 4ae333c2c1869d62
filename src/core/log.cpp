#include "core/log.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "core/paths.h"

namespace tw {

namespace {

// The file's descriptor stays open for the whole run, so the crash handler
// can write to it without opening anything.
std::atomic<int> logFd{-1};
bool logging = false;  // false until OpenLog: nothing is written anywhere
size_t logSize = 0;

void WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    data += n;
    size -= static_cast<size_t>(n);
  }
}

const char* KindWord(LogKind kind) {
  switch (kind) {
    case LogKind::Warning:
      return "warning";
    case LogKind::Error:
      return "error";
    case LogKind::Note:
      break;
  }
  return "note";
}

struct CrashSignal {
  int number;
  const char* line;  // written as it stands: nothing may be formatted in the handler
};
constexpr CrashSignal kCrashSignals[] = {
    {SIGSEGV, "Tarnwick ended by signal SIGSEGV (segmentation fault)\n"},
    {SIGBUS, "Tarnwick ended by signal SIGBUS (bus error)\n"},
    {SIGFPE, "Tarnwick ended by signal SIGFPE (arithmetic fault)\n"},
    {SIGILL, "Tarnwick ended by signal SIGILL (illegal instruction)\n"},
    {SIGABRT, "Tarnwick ended by signal SIGABRT (aborted)\n"},
};

// Only write(2) on descriptors opened before; then the signal's own action
// (SA_RESETHAND restored it) ends the program once the handler returns or,
// for a raised signal, at once.
extern "C" void OnCrashSignal(int number) {
  for (const CrashSignal& s : kCrashSignals) {
    if (s.number != number) continue;
    const size_t length = std::strlen(s.line);
    const int fd = logFd.load();
    if (fd >= 0) WriteAll(fd, s.line, length);
    WriteAll(STDERR_FILENO, s.line, length);
  }
  ::raise(number);
}

}  // namespace

bool OpenLog(const std::string& path) {
  CloseLog();
  logging = true;
  try {
    MakeFolderFor(path);
  } catch (const std::exception&) {
  }
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) {
    std::fprintf(stderr, "Tarnwick: warning: Unable to write to %s; the log goes here only\n",
                 path.c_str());
    return false;
  }
  struct stat st {};
  logSize = ::fstat(fd, &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
  if (logSize >= kMaxLogBytes && ::ftruncate(fd, 0) == 0) logSize = 0;
  logFd.store(fd);
  return true;
}

void CloseLog() {
  const int fd = logFd.exchange(-1);
  if (fd >= 0) ::close(fd);
  logging = false;
  logSize = 0;
}

bool LogIsOpen() {
  return logging;
}

void LogLine(LogKind kind, const std::string& text) {
  if (!logging) return;
  std::string body = text;
  for (size_t at = body.find('\n'); at != std::string::npos; at = body.find('\n', at))
    body.replace(at, 1, " / ");
  std::fprintf(stderr, "Tarnwick: %s: %s\n", KindWord(kind), body.c_str());

  const int fd = logFd.load();
  if (fd < 0) return;
  char stamp[32] = "";
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (::localtime_r(&now, &local)) std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
  const std::string line = std::string(stamp) + " " + KindWord(kind) + ": " + body + "\n";
  // Starting afresh keeps the log under its limit for good.
  if (logSize + line.size() > kMaxLogBytes && ::ftruncate(fd, 0) == 0) logSize = 0;
  WriteAll(fd, line.data(), line.size());
  logSize += line.size();
}

void CatchCrashSignals() {
  for (const CrashSignal& s : kCrashSignals) {
    struct sigaction action {};
    action.sa_handler = OnCrashSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = static_cast<int>(SA_RESETHAND);
    ::sigaction(s.number, &action, nullptr);
  }
}

}  // namespace tw
