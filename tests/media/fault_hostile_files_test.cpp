// Hostile library, picture and wave files: claims of sizes far beyond the
// bytes present are refused before anything that large is allocated, lists
// nested without end are refused without running off the stack, and every
// cut of a library is refused in the game's words with the loaded library
// left as it was.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "core/error.h"
#include "media/container.h"
#include "media/image_list.h"
#include "media/picture.h"
#include "media/wave.h"
#include "media/wave_list.h"

// The largest single allocation since the last reset, across this test
// program; the readers allocate through operator new.
static std::atomic<size_t> gLargestAllocation{0};

// The replacements pair malloc with free; GCC cannot see that through the
// inlined operators and warns of a mismatch that is not there.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(size_t size) {
  size_t seen = gLargestAllocation.load(std::memory_order_relaxed);
  while (size > seen && !gLargestAllocation.compare_exchange_weak(seen, size)) {
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) {
  return operator new(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
  std::free(p);
}

namespace tw {
namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// Where `pattern` first starts in `bytes`.
size_t Locate(const Bytes& bytes, const Bytes& pattern) {
  for (size_t i = 0; i + pattern.size() <= bytes.size(); ++i) {
    if (std::equal(pattern.begin(), pattern.end(), bytes.begin() + static_cast<std::ptrdiff_t>(i)))
      return i;
  }
  ADD_FAILURE() << "pattern not in the file";
  return 0;
}

// A library whose one item carries `value` under the name "Probe".
Bytes LibraryWith(ContainerValue value) {
  Container c;
  c.ResourceName = "TPICTURECOLLECTIONCOMPONENT";
  c.ClassName = "TPictureCollectionComponent";
  c.ObjectName = "ImageList";
  ContainerValue list;
  list.Type = ValueType::Collection;
  list.Items.push_back({{"Probe", std::move(value)}});
  c.Properties.push_back({"List", std::move(list)});
  return WriteContainer(c);
}

// The refusal text, the largest allocation made on the way, and nothing
// when the bytes were read.
struct Outcome {
  std::string error;
  size_t largest = 0;
};

template <typename Read>
Outcome Try(Read read) {
  Outcome o;
  gLargestAllocation = 0;
  try {
    read();
  } catch (const GameError& e) {
    o.error = e.what();
  }
  o.largest = gLargestAllocation;
  return o;
}

constexpr size_t kSmall = size_t{1} << 20;  // far more than any of these files

TEST(FaultHostileFiles, ContainerLengthsBeyondTheFileAllocateNothingLarge) {
  ContainerValue blob;
  blob.Type = ValueType::Binary;
  blob.Bytes = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
  const Bytes binary = LibraryWith(blob);
  ContainerValue text;
  text.Type = ValueType::LString;
  text.Text = "ABCD";
  const Bytes lstring = LibraryWith(text);
  text.Type = ValueType::WString;
  const Bytes wstring = LibraryWith(text);

  struct Case {
    const char* what;
    Bytes bytes;
  };
  std::vector<Case> cases;
  for (uint32_t claim : {0x7FFFFFF0u, 0xFFFFFFFFu, 9u}) {
    Bytes b = binary;
    Put32(b, Locate(b, {10, 8, 0, 0, 0, 'A'}) + 1, claim);
    cases.push_back({"binary", b});
    b = lstring;
    Put32(b, Locate(b, {12, 4, 0, 0, 0, 'A'}) + 1, claim);
    cases.push_back({"long text", b});
  }
  // 16-bit characters: twice the count must not wrap round to a small size.
  for (uint32_t claim : {0x80000002u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    Bytes b = wstring;
    Put32(b, Locate(b, {18, 4, 0, 0, 0, 'A', 0}) + 1, claim);
    cases.push_back({"wide text", b});
  }
  for (const Case& c : cases) {
    const Outcome o = Try([&] { ReadContainer(c.bytes); });
    EXPECT_EQ(o.error, "Invalid stream format") << c.what;
    EXPECT_LT(o.largest, kSmall) << c.what;
  }
}

TEST(FaultHostileFiles, ListsNestedWithoutEndAreRefusedNotFollowed) {
  ContainerValue blob;
  blob.Type = ValueType::Binary;
  blob.Bytes = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
  const Bytes good = LibraryWith(blob);
  const size_t at = Locate(good, {10, 8, 0, 0, 0, 'A'});
  Bytes deep(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(at));
  deep.insert(deep.end(), 200000, static_cast<uint8_t>(ValueType::List));
  deep.insert(deep.end(), good.begin() + static_cast<std::ptrdiff_t>(at), good.end());
  EXPECT_EQ(Try([&] { ReadContainer(deep); }).error, "Invalid stream format");
  TDXImageList sprites;
  EXPECT_EQ(Try([&] { sprites.LoadFromBytes(deep); }).error, "Invalid stream format");
}

// A packed bitmap head: 40 bytes, then whatever the test appends.
Bytes DibHead(int32_t width, int32_t height, uint16_t bits) {
  Bytes b(40, 0);
  Put32(b, 0, 40);
  Put32(b, 4, static_cast<uint32_t>(width));
  Put32(b, 8, static_cast<uint32_t>(height));
  b[12] = 1;
  b[14] = static_cast<uint8_t>(bits);
  return b;
}

TEST(FaultHostileFiles, PictureSizesBeyondTheFileAllocateNothingLarge) {
  struct Case {
    const char* what;
    Bytes bytes;
  };
  std::vector<Case> cases = {
      {"largest side, no rows", DibHead(16384, 4096, 32)},
      {"largest side top-down", DibHead(16384, -4096, 24)},
      {"one bit, all pixels allowed", DibHead(8192, 8192, 1)},
      {"stride past 32 bits", DibHead(0x7FFFFFFF, 1, 32)},
      {"height past 32 bits", DibHead(1, 0x7FFFFFFF, 8)},
      {"most negative height", DibHead(4, INT32_MIN, 8)},
  };
  Bytes manyColours = DibHead(2, 2, 8);
  Put32(manyColours, 32, 0xFFFFFFFF);  // colours used
  cases.push_back({"colour table claims 4 Gi entries", manyColours});
  // The measure itself: a whole picture of that size does allocate its pixels.
  Bytes whole = DibHead(64, 64, 32);
  whole.resize(whole.size() + 64 * 64 * 4, 0x20);
  const Outcome read = Try([&] { DecodeDib(whole); });
  EXPECT_EQ(read.error, "");
  EXPECT_GE(read.largest, size_t{64 * 64 * 4});

  for (const Case& c : cases) {
    Bytes padded = c.bytes;
    padded.resize(padded.size() + 64, 0x55);
    const Outcome o = Try([&] { DecodeDib(padded); });
    EXPECT_EQ(o.error, "DIB is invalid") << c.what;
    EXPECT_LT(o.largest, kSmall) << c.what;
    // The same inside a bitmap file whose head points far past its end.
    Bytes file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Put32(file, 2, static_cast<uint32_t>(14 + padded.size()));
    Put32(file, 10, 0xFFFFFF00u);
    file.insert(file.end(), padded.begin(), padded.end());
    const Outcome f = Try([&] { DecodeBitmapFile(file); });
    EXPECT_EQ(f.error, "DIB is invalid") << c.what << " in a file";
    EXPECT_LT(f.largest, kSmall) << c.what << " in a file";
  }
}

TEST(FaultHostileFiles, WaveChunksBeyondTheFileAllocateNothingLarge) {
  const Bytes good = EncodeWave(MakePcmWave(2, 22050, 16, Bytes(16, 7)));
  const size_t data = Locate(good, {'d', 'a', 't', 'a'});
  const size_t fmt = Locate(good, {'f', 'm', 't', ' '});
  for (uint32_t claim : {0xFFFFFFF0u, 0x7FFFFFFFu, 17u}) {
    Bytes b = good;
    Put32(b, data + 4, claim);
    Outcome o = Try([&] { DecodeWave(b); });
    EXPECT_EQ(o.error, "Wave is invalid") << "data claims " << claim;
    EXPECT_LT(o.largest, kSmall);
    b = good;
    Put32(b, fmt + 4, claim);
    o = Try([&] { DecodeWave(b); });
    EXPECT_EQ(o.error, "Wave is invalid") << "format claims " << claim;
    EXPECT_LT(o.largest, kSmall);
  }
}

// A sprite library of two small pictures, as the game's editor writes them.
Bytes SpriteLibrary(const std::string& first, const std::string& second) {
  Container c;
  c.ResourceName = "TPICTURECOLLECTIONCOMPONENT";
  c.ClassName = "TPictureCollectionComponent";
  c.ObjectName = "ImageList";
  ContainerValue list;
  list.Type = ValueType::Collection;
  for (const std::string& name : {first, second}) {
    Picture p;
    p.Width = 3;
    p.Height = 2;
    p.Pixels = {1, 2, 3, 4, 5, 6};
    const Bytes file = EncodeBitmapFile(p);
    ContainerValue data;
    data.Type = ValueType::Binary;
    data.Bytes = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p', 0, 0, 0, 0};
    Put32(data.Bytes, 8, static_cast<uint32_t>(file.size()));
    data.Bytes.insert(data.Bytes.end(), file.begin(), file.end());
    ContainerValue n;
    n.Type = ValueType::String;
    n.Text = name;
    list.Items.push_back({{"Name", n}, {"Picture.Data", data}});
  }
  c.Properties.push_back({"List", std::move(list)});
  return WriteContainer(c);
}

TEST(FaultHostileFiles, EveryCutOfALibraryIsRefusedAndTheLoadedOneStays) {
  TDXImageList sprites;
  sprites.LoadFromBytes(SpriteLibrary("boat1", "fish"));
  sprites.InitializeFrames(PixelFormat::RGB565);
  const Bytes other = SpriteLibrary("boat2", "monster");
  for (size_t n = 0; n < other.size(); ++n) {
    const Bytes cut(other.begin(), other.begin() + static_cast<std::ptrdiff_t>(n));
    const std::string error = Try([&] { sprites.LoadFromBytes(cut); }).error;
    EXPECT_TRUE(error == "Invalid stream format" || error == "DIB is invalid")
        << "cut at " << n << ": \"" << error << "\"";
  }
  EXPECT_EQ(sprites.Count(), 2);
  EXPECT_EQ(sprites.IndexOf("fish"), 1);
  EXPECT_EQ(sprites.IndexOf("monster"), -1);

  TDXWaveList sounds;
  Container c;
  c.ResourceName = "TWAVECOLLECTIONCOMPONENT";
  c.ClassName = "TWaveCollectionComponent";
  c.ObjectName = "WaveList";
  ContainerValue list;
  list.Type = ValueType::Collection;
  for (const char* name : {"cast", "reel"}) {
    ContainerValue n, w;
    n.Type = ValueType::String;
    n.Text = name;
    w.Type = ValueType::Binary;
    w.Bytes = EncodeWave(MakePcmWave(1, 11025, 8, Bytes(6, 0x80)));
    list.Items.push_back({{"Name", n}, {"Wave.WAVE", w}});
  }
  c.Properties.push_back({"List", list});
  const Bytes good = WriteContainer(c);
  sounds.LoadFromBytes(good);
  c.Properties[0].Value.Items[1][0].Value.Text = "splash";
  const Bytes next = WriteContainer(c);
  for (size_t n = 0; n < next.size(); ++n) {
    const Bytes cut(next.begin(), next.begin() + static_cast<std::ptrdiff_t>(n));
    const std::string error = Try([&] { sounds.LoadFromBytes(cut); }).error;
    EXPECT_TRUE(error == "Invalid stream format" || error == "Wave is invalid")
        << "cut at " << n << ": \"" << error << "\"";
  }
  EXPECT_EQ(sounds.IndexOf("reel"), 1);
  EXPECT_EQ(sounds.IndexOf("splash"), -1);
}

}  // namespace
}  // namespace tw
