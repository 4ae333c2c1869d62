#include "play/lake_rules.h"

namespace tw {

void ApplyLakeDefinition(GameState& s, const LakeDefinition& d) {
  s.LastFishIndex = d.MaxFish - 1;
  s.LastMonsterIndex = d.Maxmonster - 1;
  s.MonsterKind = d.MonsterKind;
  s.Biggest = d.Biggest;
  s.Difficulty = d.Difficulty;
  s.Timed = d.Timed ? 1 : 0;
  s.TimeLimit = TimeLimitFrames(d);
  s.ImageLib = d.ImageLib;
  s.EntryFee = d.EntryFee;
  s.PrizeMoney = d.PrizeMoney;
  s.Limit = d.Limit;
  s.WinIf = d.WinIf;
  s.LakeLevel = d.Level;
}

}  // namespace tw
