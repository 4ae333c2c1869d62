// Sprite drawing speed: our colour-keyed Draw against SDL's own colour-keyed
// blit between 16-bit 5-6-5 surfaces, on a tile-sized 64x32 frame and a large
// 128x128 one, each shaped like the game's art (a diamond or a disc on the
// key colour). Prints both timings and their ratio at the end.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "media/image_list.h"

namespace {

using tw::Picture;
using tw::PixelFormat;
using tw::Surface16;

// A diamond (tiles) or a disc (sprites) on black, with some colour detail.
Picture MakeShape(int32_t w, int32_t h, bool diamond) {
  Picture p;
  p.Width = w;
  p.Height = h;
  p.Pixels.resize(static_cast<size_t>(w) * h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      double dx = (x + 0.5 - w / 2.0) / (w / 2.0), dy = (y + 0.5 - h / 2.0) / (h / 2.0);
      bool inside =
          diamond ? (dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy) <= 1.0 : dx * dx + dy * dy <= 1.0;
      p.Pixels[static_cast<size_t>(y) * w + x] =
          inside ? 0x204000u + static_cast<uint32_t>((x * 3 + y * 5) & 0xFF) : 0u;
    }
  }
  return p;
}

struct Scene {
  tw::TDXImageList list;
  Surface16 back{640, 480, PixelFormat::RGB565};
  SDL_Surface* sdlSprite = nullptr;
  SDL_Surface* sdlBack = nullptr;

  Scene(int32_t w, int32_t h, bool diamond) {
    auto& item = list.Add();
    item.Name = "sprite";
    item.SetPicture(MakeShape(w, h, diamond));
    list.InitializeFrames(PixelFormat::RGB565);
    // SDL gets exactly the same converted pixels and key.
    sdlSprite = SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565);
    sdlBack = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 16, SDL_PIXELFORMAT_RGB565);
    for (int32_t y = 0; y < h; ++y)
      std::memcpy(static_cast<uint8_t*>(sdlSprite->pixels) + y * sdlSprite->pitch,
                  item.Converted().data() + static_cast<size_t>(y) * w, static_cast<size_t>(w) * 2);
    SDL_SetColorKey(sdlSprite, SDL_TRUE, item.ColorKey());
  }
  ~Scene() {
    SDL_FreeSurface(sdlSprite);
    SDL_FreeSurface(sdlBack);
  }
};

// Positions spread over the screen, so the work is not one cached spot.
constexpr int kSpots = 16;
int SpotX(int i) {
  return (i * 149) % 500;
}
int SpotY(int i) {
  return (i * 97) % 340;
}

void OurDraw(benchmark::State& state, int32_t w, int32_t h, bool diamond) {
  Scene scene(w, h, diamond);
  auto& item = scene.list.Items(0);
  int i = 0;
  for (auto _ : state) {
    item.Draw(scene.back, SpotX(i), SpotY(i), 0);
    i = (i + 1) % kSpots;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

void SdlBlit(benchmark::State& state, int32_t w, int32_t h, bool diamond, bool rle) {
  Scene scene(w, h, diamond);
  if (rle) SDL_SetSurfaceRLE(scene.sdlSprite, 1);
  int i = 0;
  for (auto _ : state) {
    SDL_Rect to{SpotX(i), SpotY(i), w, h};
    SDL_BlitSurface(scene.sdlSprite, nullptr, scene.sdlBack, &to);
    i = (i + 1) % kSpots;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}

BENCHMARK_CAPTURE(OurDraw, tile_64x32, 64, 32, true);
BENCHMARK_CAPTURE(SdlBlit, tile_64x32, 64, 32, true, false);
BENCHMARK_CAPTURE(SdlBlit, tile_64x32_rle, 64, 32, true, true);
BENCHMARK_CAPTURE(OurDraw, sprite_128x128, 128, 128, false);
BENCHMARK_CAPTURE(SdlBlit, sprite_128x128, 128, 128, false, false);
BENCHMARK_CAPTURE(SdlBlit, sprite_128x128_rle, 128, 128, false, true);

// Keeps each run's time per draw so the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& r : runs)
      if (r.run_type == Run::RT_Iteration && r.iterations > 0)
        times[r.benchmark_name()] = r.cpu_accumulated_time / static_cast<double>(r.iterations);
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nProcessor time per draw (ns) and SDL time / our time (above 1: ours is faster)\n");
  for (const char* size : {"tile_64x32", "sprite_128x128"}) {
    auto ours = reporter.times.find(std::string("OurDraw/") + size);
    if (ours == reporter.times.end()) continue;
    for (const char* kind : {"", "_rle"}) {
      auto sdl = reporter.times.find(std::string("SdlBlit/") + size + kind);
      if (sdl == reporter.times.end()) continue;
      std::printf("%-16s ours %8.1f  SDL%-4s %8.1f  ratio %.2f\n", size, ours->second * 1e9, kind,
                  sdl->second * 1e9, sdl->second / ours->second);
    }
  }
  benchmark::Shutdown();
  return 0;
}
