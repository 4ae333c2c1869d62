// Reading whole files and replacing them safely.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// The whole file, or "Cannot open file PATH" when it cannot be read.
// Files larger than `limit` bytes are refused the same way.
std::vector<uint8_t> ReadFileBytes(const std::string& path, size_t limit = size_t{1} << 30);

bool FileExists(const std::string& path);

// Writes `data` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so a crash or a full disk never leaves a half
// written file. On failure the old file is left as it was and
// "Unable to write to PATH" is raised.
void WriteFileAtomic(const std::string& path, const std::string& data);

// Joins a folder and a relative path written with either separator
// ("lakes\\lakes.ini" becomes "lakes/lakes.ini").
std::string JoinPath(const std::string& folder, const std::string& relative);

}  // namespace tw
