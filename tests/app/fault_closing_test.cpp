// The window closed, or the player switching away, while the strike bar
// swings: closing ends the program at once, and coming back resumes the bar
// where it stood instead of racing through the time spent away.
#include "app/front_fixture.h"
#include "fishing/fishing.h"

namespace tw::test {
namespace {

class FaultClosing : public FrontTest {
 protected:
  // A tournament on the first generated lake with a fish on the hook.
  bool StartStrike() {
    const std::string folder = GeneratedProgramFolder();
    if (folder.empty()) return false;
    Start(folder);
    Click(*F().title);
    Click(*F().go);
    F().lakes->SetItemIndex(0);
    F().lakesClick();
    S().Cash = 1000;
    Click(*F().showgo);
    S().LastMonsterIndex = -1;
    BeginStrike(F().Context(), 0);
    return F().DXCastTimer.Enabled();
  }
  void Pass(uint32_t ms) {
    platform_.GetClock().Advance(ms);
    app_.HandleMessage();
  }
};

TEST_F(FaultClosing, ClosingTheWindowDuringTheStrikeEndsTheProgram) {
  if (!StartStrike()) GTEST_SKIP() << "no generated program folder";
  Pass(50);
  platform_.Push(Event::Simple(EventType::Close));
  int passes = 0;
  while (!app_.Terminated() && passes < 20) {
    Pass(50);
    ++passes;
  }
  EXPECT_TRUE(app_.Terminated()) << "still running after " << passes << " passes";
  EXPECT_FALSE(F().DXCastTimer.Enabled());
  EXPECT_FALSE(F().DXTimer.Enabled());
  app_.Run();  // returns at once: nothing is left to run
}

TEST_F(FaultClosing, SwitchingAwayDuringTheStrikeResumesWithoutABurst) {
  if (!StartStrike()) GTEST_SKIP() << "no generated program folder";
  const int32_t start = S().PowerFrame;
  for (int i = 0; i < 3; ++i) Pass(40);
  EXPECT_NE(S().PowerFrame, start) << "the bar swings while the game is in front";
  platform_.Push(Event::Simple(EventType::FocusLost));
  Pass(0);
  const int32_t before = S().PowerFrame;
  for (int i = 0; i < 10; ++i) Pass(1000);  // ten seconds away
  EXPECT_EQ(S().PowerFrame, before) << "the bar stands still while away";
  platform_.Push(Event::Simple(EventType::FocusGained));
  Pass(0);
  Pass(40);
  EXPECT_TRUE(F().DXCastTimer.Enabled());
  EXPECT_LE(std::abs(S().PowerFrame - before), 2) << "one step per pass, not the time away";
}

}  // namespace
}  // namespace tw::test
