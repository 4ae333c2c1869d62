// list, find, pixel and extract: looking into sprite and sound libraries.
#include <charconv>
#include <cstdio>

#include "core/error.h"
#include "core/files.h"
#include "lib/commands.h"
#include "media/container.h"
#include "media/image_list.h"
#include "media/png/png_file.h"
#include "media/wave.h"
#include "media/wave_list.h"

namespace tw::lib {
namespace {

void Need(const Args& args, size_t n, const char* usage) {
  if (args.size() != n) throw GameError(std::string("Usage: tarnwick-lib ") + usage);
}

// Sound libraries say so in their class name; everything else is read as
// sprites.
bool IsSoundLibrary(const std::vector<uint8_t>& bytes) {
  return SameName(ReadContainer(bytes).ClassName, "TWaveCollectionComponent");
}

std::string Text(const char* format, auto... values) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

}  // namespace

int32_t ParseNumber(const std::string& text) {
  int32_t v = 0;
  const char* end = text.data() + text.size();
  auto [at, ec] = std::from_chars(text.data(), end, v);
  if (text.empty() || ec != std::errc() || at != end)
    throw GameError("'" + text + "' is not a number");
  return v;
}

int List(const Args& args) {
  Need(args, 1, "list FILE");
  auto bytes = ReadFileBytes(args[0]);
  std::string out;
  if (IsSoundLibrary(bytes)) {
    TDXWaveList sounds;
    sounds.LoadFromBytes(bytes);
    for (int32_t i = 0; i < sounds.Count(); ++i) {
      auto& item = sounds.Items(i);
      const WaveData& w = item.Wave();
      out += Text("%d\t%s\tlooped=%d\tmax=%d\trate=%u\tbits=%u\tchannels=%u\tframes=%u\n", i,
                  item.Name.c_str(), item.Looped ? 1 : 0, item.MaxPlayingCount, w.SamplesPerSec,
                  unsigned{w.BitsPerSample}, unsigned{w.Channels}, w.SampleFrames());
    }
  } else {
    TDXImageList images;
    images.LoadFromBytes(bytes);
    for (int32_t i = 0; i < images.Count(); ++i) {
      auto& item = images.Items(i);
      const Picture& p = item.GetPicture();
      out += Text(
          "%d\t%s\t%dx%d\tpattern=%dx%d\tskip=%dx%d\tframes=%d\ttransparent=%d\tcolor=0x%06X\n", i,
          item.Name.c_str(), p.Width, p.Height, item.PatternWidth, item.PatternHeight,
          item.SkipWidth, item.SkipHeight, item.BuiltFrameCount(), item.Transparent ? 1 : 0,
          item.TransparentColor & 0xFFFFFF);
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

int Find(const Args& args) {
  Need(args, 2, "find FILE NAME");
  auto bytes = ReadFileBytes(args[0]);
  int32_t index;
  if (IsSoundLibrary(bytes)) {
    TDXWaveList sounds;
    sounds.LoadFromBytes(bytes);
    sounds.Find(args[1]);
    index = sounds.IndexOf(args[1]);
  } else {
    TDXImageList images;
    images.LoadFromBytes(bytes);
    images.Find(args[1]);
    index = images.IndexOf(args[1]);
  }
  std::printf("%d\n", index);
  return 0;
}

int Pixel(const Args& args) {
  Need(args, 5, "pixel FILE NAME FRAME X Y");
  auto bytes = ReadFileBytes(args[0]);
  if (IsSoundLibrary(bytes)) throw GameError(args[0] + " holds sounds, not pictures");
  int32_t frame = ParseNumber(args[2]), x = ParseNumber(args[3]), y = ParseNumber(args[4]);
  TDXImageList images;
  images.LoadFromBytes(bytes);
  auto& item = images.Find(args[1]);
  Rect r = item.FrameRect(frame);
  if (r.Empty()) throw GameError(Text("Image '%s' has no frame %d", item.Name.c_str(), frame));
  if (x < 0 || y < 0 || x >= r.Width() || y >= r.Height())
    throw GameError(Text("(%d, %d) lies outside the %dx%d frame", x, y, r.Width(), r.Height()));
  std::printf("0x%06X\n", item.GetPicture().At(r.Left + x, r.Top + y));
  return 0;
}

int Extract(const Args& args) {
  Need(args, 3, "extract FILE NAME OUT");
  auto bytes = ReadFileBytes(args[0]);
  std::vector<uint8_t> out;
  if (IsSoundLibrary(bytes)) {
    TDXWaveList sounds;
    sounds.LoadFromBytes(bytes);
    out = EncodeWave(sounds.Find(args[1]).Wave());
  } else {
    TDXImageList images;
    images.LoadFromBytes(bytes);
    const Picture& p = images.Find(args[1]).GetPicture();
    if (p.Width <= 0 || p.Height <= 0) throw GameError("Image '" + args[1] + "' has no picture");
    out = EncodePng(p);
  }
  WriteFileAtomic(args[2], std::string(out.begin(), out.end()));
  return 0;
}

}  // namespace tw::lib
