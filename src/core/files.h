// Reading whole files and replacing them safely.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// The whole file, or "Cannot open file PATH" when it cannot be read or is
// not a plain file (a folder, a pipe or a device is never opened for
// reading, so nothing can make the game wait on it). Files larger than
// `limit` bytes are refused with "File PATH is too large (N bytes)".
std::vector<uint8_t> ReadFileBytes(const std::string& path, size_t limit = size_t{1} << 30);

// The first `count` bytes of a file (fewer when it is shorter) and its whole
// length, for files whose own layout says how much of them counts; the rest
// is never read. Fails like ReadFileBytes.
struct FileHead {
  std::vector<uint8_t> Bytes;
  uint64_t Size = 0;
};
FileHead ReadFileHead(const std::string& path, size_t count);

// A plain file is there (links followed).
bool FileExists(const std::string& path);
// Anything at all is there: a file, a folder, a pipe.
bool PathExists(const std::string& path);

// Writes `data` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so a crash or a full disk never leaves a half
// written file. On failure the old file is left as it was and
// "Unable to write to PATH" is raised.
void WriteFileAtomic(const std::string& path, const std::string& data);

// Joins a folder and a relative path written with either separator
// ("lakes\\lakes.ini" becomes "lakes/lakes.ini").
std::string JoinPath(const std::string& folder, const std::string& relative);

}  // namespace tw
