// The strike: the bar's landing window, its bounce, the hand-over between the
// timers, the size of landed fish and the raid on an empty catch.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "fishing_fixture.h"

namespace tw {
namespace {

using test::FishingFixture;

class StrikeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fx.MakeLake(40, 120);
    fx.StartTournament();
    fx.PutBoat(1000, 800);
    S().BoatSpeed = 0;
  }
  GameState& S() { return fx.S(); }
  FishingFixture fx;
};

TEST_F(StrikeTest, TwentyFrameBarLandsOnFramesNineToThirteen) {
  for (int32_t frame = 0; frame < 20; ++frame)
    EXPECT_EQ(StrikeLands(frame, 20), frame >= 9 && frame <= 13) << frame;
  // An odd bar centres one further along.
  EXPECT_FALSE(StrikeLands(8, 21));
  EXPECT_TRUE(StrikeLands(9, 21));
  EXPECT_TRUE(StrikeLands(13, 21));
  EXPECT_FALSE(StrikeLands(14, 21));
}

TEST_F(StrikeTest, BeginningAStrikeHandsTheGameToTheStrikeTimer) {
  fx.RestingFish(0, 500, 500);
  S().StrikePress = 1;
  const struct {
    int32_t biggest;
    uint32_t interval;
  } lakes[] = {{24, 12}, {28, 8}, {60, 8}, {2, 34}, {-100, 136}};
  for (const auto& l : lakes) {
    S().Biggest = l.biggest;
    fx.DXCastTimer.SetEnabled(false);
    fx.DXTimer.SetEnabled(true);
    BeginStrike(fx.Ctx, 0);
    EXPECT_EQ(fx.DXCastTimer.Interval(), l.interval) << l.biggest;
    EXPECT_TRUE(fx.DXCastTimer.Enabled());
    EXPECT_FALSE(fx.DXTimer.Enabled());
  }
  EXPECT_EQ(S().StrikePress, 0);
  EXPECT_EQ(S().HookedFish, 0);
  EXPECT_TRUE(fx.Sounding("hook"));
  EXPECT_EQ(S().Fish[0].Taken, 0);  // not until the strike is made
}

TEST_F(StrikeTest, BarSwingsAndBouncesShowingEachEndTwice) {
  fx.RestingFish(0, 500, 500);
  BeginStrike(fx.Ctx, 0);
  S().PowerFrame = 17;
  S().PowerStep = 1;
  std::vector<int32_t> seen;
  for (int i = 0; i < 6; ++i) {
    fx.Tick();
    seen.push_back(S().PowerFrame);
  }
  EXPECT_EQ(seen, (std::vector<int32_t>{18, 19, 19, 18, 17, 16}));
  EXPECT_TRUE(fx.Sounding("boing"));
  EXPECT_EQ(S().Hooked, 0);
  // The bar is shown on the visible surface under the strike picture.
  EXPECT_EQ(fx.DXDraw.Primary().At(286, 430), fx.ObjectColor("powerbar", 17));
}

TEST_F(StrikeTest, PressOnABounceTickKeepsTheBouncedFrame) {
  for (auto [start, step, expected] :
       {std::tuple{19, 1, 19}, std::tuple{0, -1, 0}, std::tuple{10, 1, 11}}) {
    fx.RestingFish(0, 500, 500);
    fx.DXTimer.SetEnabled(true);
    BeginStrike(fx.Ctx, 0);
    S().PowerFrame = start;
    S().PowerStep = step;
    S().Hooked = 0;
    fx.MouseDown(MouseButton::Left, 300, 200);  // any press while the bar swings
    EXPECT_EQ(S().StrikePress, 1);
    fx.Tick();
    EXPECT_EQ(S().PowerFrame, expected);
    EXPECT_EQ(S().Hooked, 1);
    EXPECT_EQ(S().Fish[0].Taken, 1);
    EXPECT_FALSE(fx.DXCastTimer.Enabled());
    EXPECT_TRUE(fx.DXTimer.Enabled());
    EXPECT_TRUE(fx.Sounding("reel"));
  }
}

TEST_F(StrikeTest, LandedFishAreDrawnFreshFromTheBiggestSize) {
  fx.AnswerPopups();
  S().Biggest = 24;
  std::set<int32_t> inchesSeen;
  std::set<std::pair<int32_t, int32_t>> sizes;
  std::set<std::string> species;
  for (int i = 0; i < 3000; ++i) {
    S().PowerFrame = 11;
    const int32_t pounds = S().CatchPounds, inches = S().CatchInches;
    ResolveCatch(fx.Ctx);
    const int32_t p = S().CatchPounds - pounds, in = S().CatchInches - inches;
    ASSERT_GE(in, 3);
    ASSERT_LE(in, 23);
    ASSERT_GE(p, 1);
    ASSERT_LE(p, 12);
    inchesSeen.insert(in);
    sizes.insert({in, p});
    const std::string expected = std::to_string(p) + " LBS " + std::to_string(in) + " IN ";
    ASSERT_EQ(S().Message.substr(0, expected.size()), expected);
    species.insert(S().Message.substr(expected.size()));
  }
  EXPECT_EQ(inchesSeen.size(), 21u);
  EXPECT_TRUE(sizes.count({23, 6}) && sizes.count({23, 8}) && sizes.count({23, 12}));
  for (int32_t p = 1; p <= 12; ++p) {
    if (p != 6 && p != 8 && p != 12) {
      EXPECT_FALSE(sizes.count({23, p})) << p;
    }
  }
  EXPECT_EQ(species, (std::set<std::string>{"BASS", "PIKE", "CATFISH", "WALLEYE"}));
  EXPECT_EQ(S().FishCaught, 3000);
  EXPECT_EQ(S().FishSpent, 3000);
  EXPECT_EQ(S().MessageTimer, 90);
}

TEST_F(StrikeTest, TinyBiggestStillLandsThreeInchFish) {
  fx.AnswerPopups();
  for (int32_t biggest : {3, 0, -50, INT32_MIN}) {
    S().Biggest = biggest;
    S().PowerFrame = 11;
    const int32_t inches = S().CatchInches;
    ResolveCatch(fx.Ctx);
    EXPECT_EQ(S().CatchInches - inches, 3) << biggest;
  }
}

TEST_F(StrikeTest, BarStoppedOutsideTheWindowLosesTheFish) {
  fx.AnswerPopups();
  for (int32_t frame : {8, 14, 0, 19}) {
    S().PowerFrame = frame;
    S().Message.clear();
    ResolveCatch(fx.Ctx);
    EXPECT_EQ(S().FishCaught, 0);
    EXPECT_EQ(S().Message, "");
  }
  EXPECT_EQ(S().FishSpent, 4);
  EXPECT_TRUE(fx.Sounding("splash"));
  EXPECT_FALSE(fx.Sounding("caught"));
}

TEST_F(StrikeTest, CatchMessageComesAfterThePopupIsAnswered) {
  fx.AnswerPopups();
  S().PowerFrame = 10;
  std::string messageDuringWait = "unset";
  fx.Window.OnPump = [&](int) {
    if (messageDuringWait == "unset") messageDuringWait = S().Message;
  };
  S().Message = "before";
  ResolveCatch(fx.Ctx);
  EXPECT_EQ(messageDuringWait, "before");
  EXPECT_EQ(fx.Window.PopupsAnswered, 1);
  EXPECT_EQ(S().FishCaught, 1);
  EXPECT_NE(S().Message, "before");
}

TEST_F(StrikeTest, RaidOnAnEmptyCatchStillShowsItself) {
  fx.AnswerPopups();
  S().LastMonsterIndex = 0;
  S().Gas = 1;
  S().FishSpent = 2;
  MonsterRaid(fx.Ctx, 0);
  EXPECT_EQ(S().Monsters[0].Taken, 1);
  EXPECT_EQ(S().FishCaught, 0);
  EXPECT_EQ(S().CatchPounds, 0);
  EXPECT_EQ(S().Gas, 0);
  EXPECT_EQ(S().FishSpent, 2);
  EXPECT_EQ(S().Message, "THE MONSTER ATE YOUR FISH");
  // The raid picture is on the visible surface, centred above the dashboard.
  EXPECT_EQ(fx.DXDraw.Primary().At(320, 192), fx.ObjectColor("gotMonster", 0));
}

TEST_F(StrikeTest, RaidNamesTheMonsterInCapitals) {
  fx.AnswerPopups();
  for (const char* name : {"gator", "Big-Eel2"}) {
    fx.objects.Add().Name = std::string("got") + name;
    fx.sounds.Add(name, fx.sounds.Find("hook").Wave());
    S().MonsterKind = name;
    MonsterRaid(fx.Ctx, 1);
  }
  EXPECT_EQ(S().Message, "THE BIG-EEL2 ATE YOUR FISH");
}

}  // namespace
}  // namespace tw
