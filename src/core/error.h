// Errors are exceptions carrying the game's own message text; the application
// shows an unhandled one in the error box titled "Tarnwick".
#pragma once
#include <stdexcept>
#include <string>

namespace tw {

class GameError : public std::runtime_error {
 public:
  explicit GameError(const std::string& message) : std::runtime_error(message) {}
};

// The texts the media layer and the readers raise.
inline GameError InvalidStreamFormat() {
  return GameError("Invalid stream format");
}
inline GameError CannotOpenFile(const std::string& path) {
  return GameError("Cannot open file " + path);
}
inline GameError UnableToWrite(const std::string& path) {
  return GameError("Unable to write to " + path);
}

}  // namespace tw
