// The game's log: what went wrong and what the game started with, for the
// player to send along when something fails. Every line is appended to the
// log file and printed to standard error; a log grown past kMaxLogBytes
// starts afresh. Until the log is opened nothing is written anywhere, so
// tests and tools stay quiet.
#pragma once
#include <cstddef>
#include <string>

namespace tw {

inline constexpr size_t kMaxLogBytes = size_t{1} << 20;

enum class LogKind { Note, Warning, Error };

// Opens (creating its folder) the log file for appending; a file already at
// kMaxLogBytes or more starts afresh. False, with a line on standard error,
// when it cannot be written: the game then logs to standard error only.
bool OpenLog(const std::string& path);
void CloseLog();
// True from OpenLog on, even when only standard error could be had.
bool LogIsOpen();

// One line: "2025-06-01 14:03:07 error: Cannot open file ...". Line breaks
// inside `text` become " / " so each entry stays one line.
void LogLine(LogKind kind, const std::string& text);
inline void LogNote(const std::string& text) {
  LogLine(LogKind::Note, text);
}
inline void LogWarning(const std::string& text) {
  LogLine(LogKind::Warning, text);
}
inline void LogError(const std::string& text) {
  LogLine(LogKind::Error, text);
}

// From now on a crash signal (segmentation fault, bus error, arithmetic
// fault, illegal instruction, abort) writes a last line naming the signal to
// the log and standard error, then ends the program as the signal would.
void CatchCrashSignals();

}  // namespace tw
