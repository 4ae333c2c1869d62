// The window around a tournament in a test: it counts what the tournament
// told it, and its message pump hands the events the test queued on the
// headless platform to the tournament's handlers. It presses nothing of its
// own accord: a pop-up is answered only when the test says with which key,
// and one that waits for a press the test never makes fails the test and
// ends the wait instead of hanging.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "play/context.h"
#include "play/input.h"
#include "tournament/tournament.h"

namespace tw::test {

class TestWindow : public TournamentWindow {
 public:
  explicit TestWindow(HeadlessPlatform& platform) : platform_(platform) {}

  void ProcessMessages() override {
    ++Pumps;
    // A pop-up shows itself at once, then lets 256 looks through before it
    // waits for a fresh press.
    if (platform_.PresentCount() != presents_) {
      presents_ = platform_.PresentCount();
      idle_ = 0;
    }
    Event e;
    bool delivered = false;
    while (platform_.PollEvent(e)) delivered |= Deliver(e);
    if (OnPump) OnPump(Pumps);
    idle_ = delivered ? 0 : idle_ + 1;
    if (idle_ <= 256 || !Ctx || Ctx->SettingUp || Ctx->State.AnyInput) return;
    if (PopupAnswer != 0) {
      ++PopupsAnswered;
      idle_ = 0;
      FormKeyDown(*Ctx, PopupAnswer);
      FormKeyUp(*Ctx, PopupAnswer);
    } else if (idle_ > 2000) {
      ADD_FAILURE() << "a pop-up waits for a press the test never made";
      Closed = true;
    }
  }
  bool Terminated() const override { return Closed; }
  void Notice(const std::string& text) override { Notices.push_back(text); }
  void LoadingBegins() override { LoadingBoxVisible = true; }
  void LoadingStep() override { ++LoadingSteps; }
  void LoadingFailed() override { LoadingBoxVisible = false; }
  void CashChanged() override { ++CashChanges; }
  void EnterPlay() override { MenuVisible = LoadingBoxVisible = false; }
  void PlayFailed() override { MenuVisible = true; }
  void BackToMenu() override {
    MenuVisible = true;
    ++MenuReturns;
  }

  PlayContext* Ctx = nullptr;  // where the events go
  // What the window was told.
  std::vector<std::string> Notices;
  bool LoadingBoxVisible = false, MenuVisible = true;
  int LoadingSteps = 0, CashChanges = 0, MenuReturns = 0;
  // The window was closed (a Close event, or a pop-up nobody answers).
  bool Closed = false;
  // The key that answers each pop-up (0: none may come).
  int32_t PopupAnswer = 0;
  int PopupsAnswered = 0, Pumps = 0;
  // Called at every pump after the queue was delivered, for tests that act
  // while set-up or a pop-up lets messages through.
  std::function<void(int pump)> OnPump;

 private:
  bool Deliver(const Event& e) {
    switch (e.Type) {
      case EventType::KeyDown:
        FormKeyDown(*Ctx, e.Key);
        return true;
      case EventType::KeyUp:
        FormKeyUp(*Ctx, e.Key);
        return true;
      case EventType::MouseMove:
        DXDrawMouseMove(*Ctx, e.X, e.Y);
        return true;
      case EventType::MouseDown:
        DXDrawMouseDown(*Ctx, e.Button, e.X, e.Y);
        return true;
      case EventType::MouseUp:
        DXDrawMouseUp(*Ctx, e.Button, e.X, e.Y);
        return true;
      case EventType::Close:
        Closed = true;
        return true;
      default:
        return false;
    }
  }

  HeadlessPlatform& platform_;
  int idle_ = 0, presents_ = 0;
};

}  // namespace tw::test
