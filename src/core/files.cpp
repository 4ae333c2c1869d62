#include "core/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
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

// Opens a plain file for reading without waiting: a pipe or a device opened
// plainly can block for ever before a single byte has been looked at.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) throw CannotOpenFile(path);
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd_);
      throw CannotOpenFile(path);
    }
    size_ = static_cast<uint64_t>(st.st_size);
  }
  ~ReadOnlyFile() { ::close(fd_); }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  uint64_t Size() const { return size_; }

  // Up to `count` bytes from the start; fewer when the file shrank meanwhile.
  std::vector<uint8_t> Read(size_t count) {
    std::vector<uint8_t> bytes(count);
    size_t got = 0;
    while (got < count) {
      const ssize_t n = ::read(fd_, bytes.data() + got, count - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw CannotOpenFile(path_);
      if (n == 0) break;
      got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    return bytes;
  }

 private:
  std::string path_;
  int fd_ = -1;
  uint64_t size_ = 0;
};

}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& path, size_t limit) {
  ReadOnlyFile file(path);
  if (file.Size() > limit)
    throw GameError("File " + path + " is too large (" + std::to_string(file.Size()) + " bytes)");
  return file.Read(static_cast<size_t>(file.Size()));
}

FileHead ReadFileHead(const std::string& path, size_t count) {
  ReadOnlyFile file(path);
  FileHead head;
  head.Size = file.Size();
  head.Bytes = file.Read(static_cast<size_t>(std::min<uint64_t>(count, file.Size())));
  return head;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PathExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
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
