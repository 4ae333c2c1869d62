#include "core/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "core/error.h"

namespace tw {

namespace {

constexpr const char* kTemporaryPrefix = ".tarnwick-";

// Writes all of `data` to `fd`, retrying short writes.
bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

std::string ParentFolder(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A save cut short by a crash leaves its temporary file behind; clear ours
// once they are old enough not to belong to a save that is still running.
void RemoveStaleTemporaries(const std::string& folder) {
  std::error_code ec;
  const auto now = std::filesystem::file_time_type::clock::now();
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(kTemporaryPrefix) || !entry.is_regular_file(ec)) continue;
    const auto written = entry.last_write_time(ec);
    if (!ec && now - written > std::chrono::minutes(1)) std::filesystem::remove(entry.path(), ec);
  }
}

}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& path, size_t limit) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw CannotOpenFile(path);
  struct stat st {};
  if (::fstat(::fileno(f), &st) != 0 || !S_ISREG(st.st_mode) ||
      static_cast<uint64_t>(st.st_size) > limit) {
    std::fclose(f);
    throw CannotOpenFile(path);
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
  size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), f);
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) throw CannotOpenFile(path);
  bytes.resize(got);  // a file that shrank while we read it gives what was there
  return bytes;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void WriteFileAtomic(const std::string& path, const std::string& data) {
  RemoveStaleTemporaries(ParentFolder(path));
  std::string tmpl = ParentFolder(path) + "/" + kTemporaryPrefix + "XXXXXX";
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  int fd = ::mkstemp(name.data());
  if (fd < 0) throw UnableToWrite(path);
  bool ok = WriteAll(fd, data.data(), data.size()) && ::fsync(fd) == 0;
  // Keep the permissions of the file we replace, or the usual 0644.
  struct stat st {};
  mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  ok = ::fchmod(fd, mode) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  if (ok && ::rename(name.data(), path.c_str()) != 0) ok = false;
  if (!ok) {
    ::unlink(name.data());
    throw UnableToWrite(path);
  }
  // Make the rename itself durable; a failure here cannot undo it.
  int dir = ::open(ParentFolder(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

std::string JoinPath(const std::string& folder, const std::string& relative) {
  std::string rel = relative;
  for (char& c : rel)
    if (c == '\\') c = '/';
  if (folder.empty()) return rel;
  if (folder.back() == '/') return folder + rel;
  return folder + "/" + rel;
}

}  // namespace tw
