// Every reader a hostile file can reach, each behind one entry point that
// takes the file's bytes. The fuzz targets and the corpus regression test
// call the same functions, so a found input replays the way it crashed.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace tw::fuzz {

// Feeds `bytes` to the reader the way the game would. A refusal in the
// game's own words (GameError) is the expected outcome for damaged bytes and
// is swallowed; anything else (another exception, a crash, a sanitizer
// report) escapes and is a finding.
using Entry = void (*)(std::span<const uint8_t> bytes);

struct Target {
  const char* Name;  // the part after "fuzz-" and the corpus folder's name
  Entry Run;
};

std::span<const Target> Targets();
// nullptr when no target has that name.
const Target* FindTarget(std::string_view name);

}  // namespace tw::fuzz
