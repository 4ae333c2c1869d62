// The tournament as a contest: the catch and cash read-outs, the clock and
// the verdict once the catch limit is complete.
#include <algorithm>
#include <cstdio>
#include <string_view>

#include "core/frame_rate.h"
#include "core/numeric.h"
#include "fishing/fishing.h"
#include "media/draw.h"
#include "media/image_list.h"
#include "world/font_text.h"

namespace tw {

namespace {

// The one lake whose winner becomes the grand champion and opens every lake.
const char* const kChampionship = "World_Championship";
constexpr int32_t kChampionLevel = 255;

// Frames left when the limit was completed on this very frame.
constexpr int32_t kLimitCountdown = 120;

}  // namespace

std::string ClockText(int32_t timeLeft) {
  const int32_t seconds = timeLeft / kFramesPerSecond;
  if (seconds < 0 || seconds >= 1000) return "";
  const std::string digits = std::to_string(seconds);
  return std::string(3 - digits.size(), '0') + digits;
}

std::string CashText(int32_t cash) {
  if (cash < 0 || cash >= 1000000) return "";
  const std::string digits = std::to_string(cash);
  return std::string(6 - digits.size(), ' ') + "$" + digits;
}

void DrawCatchLine(PlayContext& ctx) {
  const GameState& s = ctx.State;
  // Formed in place: the frame allocates nothing.
  char line[64];
  const int length = std::snprintf(line, sizeof line, "%d FISH %d LBS %d IN", s.FishCaught,
                                   s.CatchPounds, s.CatchInches);
  DrawFontText(ctx.DXDraw.Surface(), ctx.objects, "font",
               std::string_view(line, static_cast<size_t>(std::max(length, 0))), 64, 456);
}

void RunClock(PlayContext& ctx) {
  GameState& s = ctx.State;
  if (!s.Timed) return;
  const std::string text = ClockText(s.TimeLeft);
  if (!text.empty()) DrawDigits(ctx.DXDraw.Surface(), ctx.objects, "digital", text, 548, 416);
  // The clock keeps running at 0, so the message holds until the menu.
  s.TimeLeft = s.TimeLeft > INT32_MIN ? s.TimeLeft - 1 : s.TimeLeft;
  if (s.TimeLeft < 1) {
    s.Message = "TIME EXPIRED";
    s.TimeLeft = 0;
    if (!s.GameOver) s.GameOverCountdown = 90;
    s.GameOver = 1;
  }
}

void JudgeLimit(PlayContext& ctx) {
  GameState& s = ctx.State;
  if (s.FishCaught < s.Limit) return;
  // The prize goes only to the frame that completes the limit while the
  // tournament is still on: never after another ending came first, and not
  // again on the frame that runs the countdown out and returns to the menu.
  const bool stillPlaying = !s.GameOver;
  s.GameOver = 1;
  if (s.GameOverCountdown == 0) s.GameOverCountdown = kLimitCountdown;
  const bool firstFrame = stillPlaying && s.GameOverCountdown == kLimitCountdown;
  if (s.WinIf == 0) {
    s.Message = "YOU CAUGHT YOUR LIMIT";
    s.PlayerLevel = std::max(s.PlayerLevel, s.LakeLevel);
  } else if (s.WinIf > 0 && s.CatchPounds < s.WinIf) {
    s.Message = "YOU WERE " + std::to_string(int64_t{s.WinIf} - s.CatchPounds) + "LBS LIGHT";
  } else if (s.WinIf > 0) {
    if (ctx.LakeName == kChampionship) {
      s.Message = "YOU ARE THE GRAND CHAMPION";
      s.PlayerLevel = kChampionLevel;
    } else {
      s.Message = "YOU WIN $" + std::to_string(s.PrizeMoney) + " FOR 1ST PLACE";
      s.PlayerLevel = std::max(s.PlayerLevel, s.LakeLevel);
    }
    if (firstFrame) s.Cash = SaturatingAdd(s.Cash, s.PrizeMoney);
  }
}

void DrawCash(PlayContext& ctx) {
  const std::string text = CashText(ctx.State.Cash);
  if (!text.empty()) DrawFontText(ctx.DXDraw.Surface(), ctx.objects, "bigfont", text, 443, 10);
}

}  // namespace tw
