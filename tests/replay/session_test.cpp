// Tournaments run headless on the generated lakes: a recording plays back
// to the same state and picture, the autopilot wins the first lakes, and
// replays that cannot be played say why.
#include <gtest/gtest.h>

#include "core/error.h"
#include "replay/trace.h"
#include "replay_support.h"

namespace tw {
namespace {

using test::PilotHeader;
using test::ProgramFolder;

TEST(HeadlessTournament, RecordingPlaysBackToTheSameStateEveryFrameAndTheSamePicture) {
  std::vector<std::string> liveTrace, replayTrace;
  Replay recorded;
  TournamentSummary live;
  {
    HeadlessTournament game(ProgramFolder());
    Autopilot pilot;
    game.AfterEachTick = [&](bool) {
      liveTrace.push_back(TraceLine(game.Recorder().Frames(), game.State(),
                                    TraceFields("BoatX,BoatY,LureX,PowerFrame,FishCaught,Message,"
                                                "Monsters[0].X,Fish[5].Y"),
                                    game.RunningTimer()));
    };
    // Cedar Lake has a clock and a monster, so pop-ups, strikes and the
    // raid all take their turn.
    game.Start(PilotHeader("Cedar_Lake", 7), pilot);
    game.Run(200000);
    ASSERT_TRUE(game.Finished());
    live = game.Summary();
    // Through the text, as a file would carry it.
    recorded = ParseReplay(FormatReplay(game.Recorder().Current()));
  }
  ASSERT_GT(live.FishCaught, 0);
  HeadlessTournament again(ProgramFolder());
  ReplaySource source(recorded);
  again.AfterEachTick = [&](bool) {
    replayTrace.push_back(TraceLine(again.Recorder().Frames(), again.State(),
                                    TraceFields("BoatX,BoatY,LureX,PowerFrame,FishCaught,Message,"
                                                "Monsters[0].X,Fish[5].Y"),
                                    again.RunningTimer()));
  };
  again.Start(recorded.Header, source);
  again.Run(200000);
  EXPECT_EQ(again.Summary().Line(), live.Line());
  ASSERT_EQ(replayTrace.size(), liveTrace.size());
  for (size_t i = 0; i < liveTrace.size(); ++i) ASSERT_EQ(replayTrace[i], liveTrace[i]) << i;
}

TEST(HeadlessTournament, AutopilotWinsTheFirstLakesOfTheCampaign) {
  // Each win opens the next lake and its prize pays the next entry fee. The
  // weights are luck, so like any player it enters again after a light
  // catch, as long as the money lasts.
  ReplayHeader h = PilotHeader("Minnow_Pond", 12345);
  for (const char* lake : {"Minnow_Pond", "Cedar_Lake", "Willow_Bayou"}) {
    bool won = false;
    std::string lines;
    for (int attempt = 0; attempt < 4 && !won; ++attempt) {
      HeadlessTournament game(ProgramFolder());
      Autopilot pilot;
      h.Lake = lake;
      game.Start(h, pilot);
      game.Run(400000);
      ASSERT_TRUE(game.Finished()) << lake;
      const TournamentSummary r = game.Summary();
      lines += r.Line() + "\n";
      won = r.PlayerLevel > h.PlayerLevel &&
            (r.LastMessage == "YOU CAUGHT YOUR LIMIT" || r.LastMessage.rfind("YOU WIN $", 0) == 0);
      h.Cash = r.Cash;
      h.PlayerLevel = r.PlayerLevel;
      h.Seed = game.Context().Rng.Seed();
    }
    ASSERT_TRUE(won) << lake << ":\n" << lines;
  }
}

TEST(HeadlessTournament, EscThenEnterEndsTheTournamentSixtyFramesLater) {
  const Replay r = ParseReplay(
      "tarnwick replay 1\nlake Minnow_Pond\nseed 1\n"
      "1 key down 13\n1 key up 13\n"  // Enter alone does nothing
      "5 key down 27\n5 key up 27\n"
      "6 key down 13\n6 key up 13\n");
  HeadlessTournament game(ProgramFolder());
  ReplaySource source(r);
  game.Start(r.Header, source);
  game.Run(10000);
  EXPECT_TRUE(game.Finished());
  // Enter before frame 6 counts 60 down in frames 6 to 65.
  EXPECT_EQ(game.Summary().Frames, 65);
  EXPECT_EQ(game.Summary().LastMessage, "GAME OVER");
}

TEST(HeadlessTournament, ReplayThatRunsOutInsideAPopupSaysSoInsteadOfWaiting) {
  // Record a tournament with pop-ups, then cut it at the first answer.
  Replay cut;
  {
    HeadlessTournament game(ProgramFolder());
    Autopilot pilot;
    game.Start(PilotHeader("Minnow_Pond", 99), pilot);
    game.Run(200000);
    cut = game.Recorder().Current();
  }
  size_t firstAnswer = 0;
  while (firstAnswer < cut.Events.size() &&
         !(cut.Events[firstAnswer].When.Pump > 0 && cut.Events[firstAnswer].When.Frame > 0))
    ++firstAnswer;
  ASSERT_LT(firstAnswer, cut.Events.size());
  const int32_t frame = cut.Events[firstAnswer].When.Frame;
  cut.Events.resize(firstAnswer);
  HeadlessTournament game(ProgramFolder());
  ReplaySource source(cut);
  game.Start(cut.Header, source);
  try {
    game.Run(200000);
    FAIL() << "the replay should have stopped";
  } catch (const GameError& e) {
    EXPECT_EQ(std::string(e.what()), "The replay ends in frame " + std::to_string(frame) +
                                         " while the game waits for a key");
  }
}

TEST(HeadlessTournament, LakesThatCannotBePlayedAreRefusedInTheGamesWords) {
  HeadlessTournament game(ProgramFolder());
  Autopilot pilot;
  EXPECT_THROW(
      {
        try {
          game.Start(PilotHeader("No_Such_Lake", 1), pilot);
        } catch (const GameError& e) {
          EXPECT_EQ(std::string(e.what()).rfind("The lake No_Such_Lake is not in ", 0), 0u);
          throw;
        }
      },
      GameError);
  ReplayHeader poor = PilotHeader("Cedar_Lake", 1);
  poor.Cash = 5;
  EXPECT_THROW(
      {
        try {
          game.Start(poor, pilot);
        } catch (const GameError& e) {
          EXPECT_STREQ(e.what(), "You don't have enough money to enter!");
          throw;
        }
      },
      GameError);
  EXPECT_THROW(HeadlessTournament("/nonexistent-folder"), GameError);
}

TEST(Trace, FieldsByNameAndTableEntriesWithTheirBoundsChecked) {
  GameState s;
  s.BoatX = 12.5f;
  s.Message = "GAME OVER";
  s.Fish[3].X = -1.25f;
  s.Monsters[256].Mode = 2;
  s.LineZ[255] = 42;
  s.MapObjects[64].Kind = "buoy";
  const auto fields = TraceFields(
      "BoatX,Message,Fish[3].X,Monsters[256].Mode,LineZ[255],"
      "MapObjects[64].Kind,TileWidth");
  EXPECT_EQ(TraceLine(7, s, fields, "strike"),
            "7\tBoatX=12.5\tMessage=\"GAME OVER\"\tFish[3].X=-1.25\tMonsters[256].Mode=2\t"
            "LineZ[255]=42\tMapObjects[64].Kind=\"buoy\"\tTileWidth=0\ttimer=strike");
  for (const char* bad : {"Boat", "Fish[257].X", "Fish[3]", "Fish[3].Colour", "Fish[-1].X",
                          "LineX[256]", "Wake[1].Z", "BoatX[1]"})
    EXPECT_THROW(TraceField(bad), GameError) << bad;
  EXPECT_THROW(TraceFields(","), GameError);
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

TEST(HeadlessTournament, AFrameCutShortByAMissingPictureIsReportedAndInputGoesOnBetweenTicks) {
  const Replay r = ParseReplay("tarnwick replay 1\nlake Minnow_Pond\nboat noboat\n");
  HeadlessTournament game(test::ProgramFolder());
  ReplaySource source(r);
  game.Start(r.Header, source);
  try {
    game.Step();
    FAIL() << "the frame should have failed";
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Image 'noboat' not found");
  }
  EXPECT_FALSE(game.Recorder().InsideTick());
  EXPECT_EQ(game.Recorder().Now(), (InputMoment{2, 0, 0}));
}

}  // namespace
}  // namespace tw
