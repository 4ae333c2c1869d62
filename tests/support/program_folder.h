// Where the tests find the game: the program folder the build generated and
// the source tree. The build names both on every test it runs; a test run
// by hand from the source tree finds them in their usual places.
#pragma once
#include <cstdlib>
#include <string>

#include "core/files.h"

namespace tw::test {

// $TARNWICK_BIN, else "build/bin".
inline std::string ProgramFolder() {
  const char* bin = std::getenv("TARNWICK_BIN");
  return bin && *bin ? bin : "build/bin";
}

// The program folder when it holds the generated data (the sprite library
// and the lake catalogue); empty otherwise, for tests that skip without it.
inline std::string GeneratedProgramFolder() {
  const std::string dir = ProgramFolder();
  return FileExists(JoinPath(dir, "objects.dxg")) && FileExists(JoinPath(dir, "lakes/lakes.ini"))
             ? dir
             : std::string();
}

// $TARNWICK_SOURCE, else the current folder.
inline std::string SourceFolder() {
  const char* src = std::getenv("TARNWICK_SOURCE");
  return src && *src ? src : ".";
}

}  // namespace tw::test
