// The strike: the swinging bar that decides whether a fish stays on, the
// landing with its random size and species, and a monster eating the catch.
#include <algorithm>
#include <array>

#include "core/numeric.h"
#include "fishing/fishing.h"
#include "media/draw.h"
#include "media/image_list.h"
#include "media/timer.h"
#include "media/wave_list.h"
#include "play/popup.h"

namespace tw {

namespace {

constexpr std::array<const char*, 4> kSpecies = {"BASS", "PIKE", "CATFISH", "WALLEYE"};

std::string UpperLetters(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

}  // namespace

bool StrikeLands(int32_t powerFrame, int32_t frames) {
  const int32_t off = powerFrame - (frames + 2) / 2;
  return off > -3 && off < 3;
}

void BeginStrike(PlayContext& ctx, int32_t fish) {
  GameState& s = ctx.State;
  s.StrikePress = 0;
  ctx.sounds.Find("reel").Stop();
  ctx.sounds.Find("hook").Play();
  s.HookedFish = fish;
  // Bigger fish swing the bar faster, down to 8 ms a step.
  const int64_t interval = std::max<int64_t>(8, int64_t{36} - s.Biggest);
  ctx.DXCastTimer.SetInterval(static_cast<uint32_t>(std::min<int64_t>(interval, UINT32_MAX)));
  ctx.DXTimer.SetEnabled(false);
  ctx.DXCastTimer.SetEnabled(true);
}

void DXCastTimerTimer(PlayContext& ctx) {
  // A display that is away holds the bar where it is.
  if (!ctx.DXDraw.CanDraw()) return;
  GameState& s = ctx.State;
  DrawAtPopupPlace(ctx, ctx.objects.Find("hook"));
  TPictureCollectionItem& bar = ctx.objects.Find("powerbar");
  bar.Draw(ctx.DXDraw.Primary(), 284, 419, s.PowerFrame);
  ctx.DXDraw.PresentPrimary();

  // The bar bounces at either end, so each end frame shows twice.
  const int32_t frames = bar.FrameCount();
  s.PowerFrame += s.PowerStep;
  if (s.PowerFrame > frames - 1) {
    s.PowerFrame = frames - 1;
    s.PowerStep = -1;
    ctx.sounds.Find("boing").Play();
  }
  if (s.PowerFrame < 0) {
    s.PowerFrame = 0;
    s.PowerStep = 1;
    ctx.sounds.Find("boing").Play();
  }

  if (s.StrikePress) {
    s.Hooked = 1;
    if (s.HookedFish >= 0 && s.HookedFish < kFishSlots) s.Fish[s.HookedFish].Taken = 1;
    ctx.DXCastTimer.SetEnabled(false);
    ctx.DXTimer.SetEnabled(true);
    ctx.sounds.Find("reel").Play();
  }
}

void ResolveCatch(PlayContext& ctx) {
  GameState& s = ctx.State;
  const int32_t frames = ctx.objects.Find("powerbar").FrameCount();
  ++s.FishSpent;
  ctx.sounds.Find("reel").Stop();
  if (!StrikeLands(s.PowerFrame, frames)) {
    ctx.sounds.Find("splash").Play();
    ShowPopup(ctx, "lost");
    WaitForInput(ctx);
    return;
  }
  // Every landed fish gets a fresh size: the length first, then the weight.
  const int32_t inches = ctx.Rng(std::max(s.Biggest, 3) - 3) + 3;
  const int32_t pounds = inches / (ctx.Rng(3) + 2) + 1;
  ctx.sounds.Find("caught").Play();
  ShowPopup(ctx, "caught");
  WaitForInput(ctx);
  const char* species = kSpecies[static_cast<size_t>(ctx.Rng(4))];
  s.Message = std::to_string(pounds) + " LBS " + std::to_string(inches) + " IN " + species;
  s.MessageTimer = 90;
  // Totals stop at the 32-bit limit however big the lake's fish are.
  s.CatchPounds = SaturatingAdd(s.CatchPounds, pounds);
  s.CatchInches = SaturatingAdd(s.CatchInches, inches);
  s.FishCaught = SaturatingAdd(s.FishCaught, 1);
}

void MonsterRaid(PlayContext& ctx, int32_t monster) {
  GameState& s = ctx.State;
  ctx.sounds.Find("reel").Stop();
  ctx.sounds.Find("gas").Stop();
  s.BoatSpeed = 0;
  s.Gas = 0;
  if (monster >= 0 && monster < kFishSlots) s.Monsters[monster].Taken = 1;
  s.FishCaught = 0;
  s.CatchPounds = 0;
  s.CatchInches = 0;
  ctx.sounds.Find(s.MonsterKind).Play();
  ShowPopup(ctx, "got" + s.MonsterKind);
  WaitForInput(ctx);
  s.Message = "THE " + UpperLetters(s.MonsterKind) + " ATE YOUR FISH";
  s.MessageTimer = 90;
}

}  // namespace tw
