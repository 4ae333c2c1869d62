// Test-play: the lake being edited played at once in the editor's window by
// the game's own tournament, with the player's options and a test purse.
// The lake is saved into a folder of its own for the tournament, so nothing
// of the player's lakes, money or gear is touched; the editor comes back
// where it was when the tournament ends (or on Esc Enter).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "media/audio_output.h"
#include "media/platform.h"
#include "tournament/tournament.h"

namespace tw {

class LakeEditor;

class TestPlay : public TournamentWindow {
 public:
  // Dollars the test purse holds on top of the lake's entry fee.
  static constexpr int32_t kTestPurse = 1000;

  TestPlay(LakeEditor& editor, AudioOutput& audio);
  ~TestPlay() override;
  TestPlay(const TestPlay&) = delete;
  TestPlay& operator=(const TestPlay&) = delete;

  // Gives the display to a tournament on the lake as it is now.
  void Start();
  // A tournament holds the window (from Start until Close).
  bool Active() const { return tournament_ != nullptr; }
  // The tournament is over (it ended inside one of its frames); Close then
  // gives the window back to the editor, outside any frame.
  bool Ended() const { return Active() && !running_; }
  void Close();
  // The window was closed: every wait of the tournament ends.
  void Abandon() { abandoned_ = true; }
  Tournament* Game() { return tournament_.get(); }

  // The window's input during the tournament.
  void KeyDown(uint16_t key);
  void KeyUp(uint16_t key);
  void MouseMove(int32_t x, int32_t y);
  void MouseDown(MouseButton button, int32_t x, int32_t y);
  void MouseUp(MouseButton button, int32_t x, int32_t y);

  // ---- TournamentWindow ----
  void ProcessMessages() override;
  bool Terminated() const override;
  void Notice(const std::string& text) override;
  void LoadingFailed() override { running_ = false; }
  void PlayFailed() override { running_ = false; }
  void BackToMenu() override { running_ = false; }

 private:
  LakeEditor& editor_;
  AudioOutput& audio_;
  std::unique_ptr<Tournament> tournament_;
  std::string folder_;
  std::string notice_;
  bool running_ = false;
  bool abandoned_ = false;
};

}  // namespace tw
