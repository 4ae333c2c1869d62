// The whole game's frame rate: the largest generated lake filled with 257
// fish and 257 monsters through its lake rules, the autopilot playing "As
// fast as possible" headless, several thousand frames timed one by one after
// a warm-up. The autopilot chooses its input before each frame's clock
// starts: that is the player's work, not the game's. Prints the median and
// the 99th-percentile microseconds per frame, frames per second, the lake's
// set-up time and peak memory, and last the ratio of the median frame to
// copying one 640x480 16-bit frame with memcpy, measured in the same run.
//   tarnwick-bench [--data DIR] [--frames N] [--warmup N]
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/files.h"
#include "core/ini.h"
#include "core/paths.h"
#include "replay/autopilot.h"
#include "replay/session.h"
#include "world/lake_files.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// The value that `share` of the samples do not exceed (nearest rank).
double Percentile(std::vector<double> v, double share) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const auto rank = static_cast<size_t>(std::ceil(share * static_cast<double>(v.size())));
  return v[std::clamp<size_t>(rank, 1, v.size()) - 1];
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// The catalogue's lake with the biggest map.
std::string LargestLake(const std::string& folder) {
  std::string best;
  uintmax_t bestSize = 0;
  for (const std::string& lake : tw::ReadLakeCatalogue(folder, 255)) {
    const std::string iso = tw::LakePath(folder, lake, ".iso");
    std::error_code ec;
    const uintmax_t size = fs::file_size(iso, ec);
    if (!ec && size > bestSize) {
      bestSize = size;
      best = lake;
    }
  }
  if (best.empty()) throw tw::GameError("No lake in " + folder);
  return best;
}

// A program folder beside the real one whose only lake is `lake` with full
// fish and monster tables, and no clock or limit to end it early.
std::string CrowdedFolder(const std::string& folder, const std::string& lake) {
  const fs::path dir = fs::temp_directory_path() / ("tarnwick-bench-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "lakes");
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".dxg" || ext == ".dxw")
      fs::create_symlink(fs::absolute(entry.path()), dir / entry.path().filename());
  }
  fs::create_symlink(fs::absolute(tw::LakePath(folder, lake, ".iso")),
                     dir / "lakes" / (lake + ".iso"));
  fs::copy_file(tw::LakePath(folder, lake, ".ini"), dir / "lakes" / (lake + ".ini"));
  const std::string ini = (dir / "lakes" / (lake + ".ini")).string();
  tw::IniFile rules = tw::IniFile::Load(ini);
  rules.WriteInteger("Lake Data", "MaxFish", 257);
  rules.WriteInteger("Lake Data", "Maxmonster", 257);
  rules.WriteInteger("Lake Data", "Timed", 0);
  rules.WriteInteger("Lake Data", "Limit", 100000);
  rules.WriteInteger("Lake Data", "EntryFee", 0);
  rules.Save(ini);
  return dir.string();
}

}  // namespace

int main(int argc, char** argv) {
  std::string data;
  int frames = 5000, warmup = 500;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i];
    if (a == "--data")
      data = argv[i + 1];
    else if (a == "--frames")
      frames = std::max(1, std::atoi(argv[i + 1]));
    else if (a == "--warmup")
      warmup = std::max(0, std::atoi(argv[i + 1]));
  }
  data = tw::FindGamePaths(tw::ProgramSearch(data)).Data;
  std::string crowded;
  try {
    const std::string lake = LargestLake(data);
    crowded = CrowdedFolder(data, lake);
    std::printf("lake=%s fish=257 monsters=257 frames=%d warmup=%d\n", lake.c_str(), frames,
                warmup);

    std::vector<double> frameUs, copyUs;
    frameUs.reserve(static_cast<size_t>(frames));
    copyUs.reserve(static_cast<size_t>(frames));
    // The yardstick: one 640x480 16-bit frame copied with memcpy, timed right
    // after each frame so both see the same machine.
    std::vector<uint16_t> from(640 * 480, 0x1234), to(640 * 480);
    std::vector<double> setUpMs;
    uint32_t seed = 1;
    int played = 0, tournaments = 0;
    while (played < warmup + frames) {
      tw::HeadlessTournament game(crowded);
      tw::Autopilot pilot;
      tw::ReplayHeader h;
      h.Lake = lake;
      h.Seed = seed++;
      h.Options.MouseDrive = true;
      h.Options.SpeedIndex = 2;
      game.Start(h, pilot);
      ++tournaments;
      setUpMs.push_back(game.SetUpMilliseconds());
      while (played < warmup + frames) {
        const bool frameTick = std::strcmp(game.RunningTimer(), "frame") == 0;
        game.CollectInput();  // the autopilot's choosing is the player's, not the frame's
        const auto t0 = Clock::now();
        if (!game.Step()) break;
        const auto t1 = Clock::now();
        if (!frameTick) continue;
        from[static_cast<size_t>(played) % from.size()] = static_cast<uint16_t>(played);
        const auto c0 = Clock::now();
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint16_t));
        const auto c1 = Clock::now();
        if (played++ >= warmup) {
          frameUs.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
          copyUs.push_back(std::chrono::duration<double, std::micro>(c1 - c0).count());
        }
      }
    }

    volatile uint16_t sink = to[12345];
    (void)sink;

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double frameMedian = Median(frameUs);
    const double copyMedian = Median(copyUs);
    std::printf("tournaments=%d\n", tournaments);
    std::printf("median_frame_us=%.1f\n", frameMedian);
    std::printf("p99_frame_us=%.1f\n", Percentile(frameUs, 0.99));
    std::printf("fps=%.0f\n", frameMedian > 0 ? 1e6 / frameMedian : 0.0);
    std::printf("setup_ms=%.1f\n", Median(setUpMs));
    std::printf("peak_memory_mb=%.1f\n", usage.ru_maxrss / 1024.0);
    std::printf("memcpy_frame_us=%.1f\n", copyMedian);
    std::printf("ratio=%.2f\n", copyMedian > 0 ? frameMedian / copyMedian : 0.0);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    if (!crowded.empty()) fs::remove_all(crowded);
    return 1;
  }
  fs::remove_all(crowded);
  return 0;
}
