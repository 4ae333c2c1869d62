#include "media/image_list.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "core/random.h"
#include "media/blit_keyed.h"
#include "media/container.h"
#include "media/library_writer.h"

namespace tw {
namespace {

// A picture whose pixel at (x, y) is colour(x, y).
template <class F>
Picture MakePicture(int32_t w, int32_t h, F colour) {
  Picture p;
  p.Width = w;
  p.Height = h;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) p.Pixels.push_back(colour(x, y));
  return p;
}

Picture Solid(int32_t w, int32_t h, uint32_t c) {
  return MakePicture(w, h, [c](int32_t, int32_t) { return c; });
}

TPictureCollectionItem& AddItem(TDXImageList& list, const std::string& name, Picture p,
                                int32_t pw = 0, int32_t ph = 0, int32_t sw = 0, int32_t sh = 0) {
  auto& item = list.Add();
  item.Name = name;
  item.PatternWidth = pw;
  item.PatternHeight = ph;
  item.SkipWidth = sw;
  item.SkipHeight = sh;
  item.SetPicture(std::move(p));
  return item;
}

TEST(ImageListFrames, WholePictureIsOneFrame) {
  TDXImageList list;
  auto& item = AddItem(list, "title", Solid(40, 20, 0xFFFFFF));
  EXPECT_EQ(item.FrameCount(), 1);
  EXPECT_EQ(item.FrameWidth(), 40);
  EXPECT_EQ(item.FrameHeight(), 20);
  list.InitializeFrames(PixelFormat::RGB565);
  EXPECT_EQ(item.FrameCount(), 1);
  Surface16 s(64, 64);
  item.Draw(s, 0, 0, 1);  // no second frame: nothing drawn
  item.Draw(s, 0, 0, -1);
  EXPECT_EQ(s.At(0, 0), 0);
  item.Draw(s, 0, 0, 0);
  EXPECT_EQ(s.At(39, 19), 0xFFFF);
}

TEST(ImageListFrames, GapsAndRemaindersInTheGrid) {
  TDXImageList list;
  auto& three = AddItem(list, "a", Solid(100, 32, 1), 32, 32, 2, 0);
  auto& two = AddItem(list, "b", Solid(100, 32, 1), 32, 32, 4, 0);
  auto& wide = AddItem(list, "c", Solid(101, 32, 1), 32, 32, 2, 0);
  auto& grid = AddItem(list, "d", Solid(70, 70, 1), 32, 32, 2, 2);
  EXPECT_EQ(three.FrameCount(), 3);
  EXPECT_EQ(two.FrameCount(), 2);
  EXPECT_EQ(wide.FrameCount(), 2);  // before the frames exist: 33 left over is not a frame
  EXPECT_EQ(wide.BuiltFrameCount(), 3);
  EXPECT_FALSE(wide.Initialized());
  list.InitializeFrames(PixelFormat::RGB565);
  EXPECT_TRUE(wide.Initialized());
  EXPECT_EQ(three.FrameCount(), 3);
  EXPECT_EQ(two.FrameCount(), 2);
  EXPECT_EQ(wide.FrameCount(), 3);
  EXPECT_EQ(three.FrameRect(1).Left, 34);
  EXPECT_EQ(three.FrameRect(2).Left, 68);
  EXPECT_EQ(three.FrameRect(2).Right, 100);
  EXPECT_TRUE(three.FrameRect(3).Empty());
  EXPECT_EQ(grid.FrameCount(), 4);
  Rect r = grid.FrameRect(3);
  EXPECT_EQ(r.Left, 34);
  EXPECT_EQ(r.Top, 34);
  list.FinalizeFrames();
  EXPECT_FALSE(wide.Initialized());
  EXPECT_EQ(wide.FrameCount(), 2);
  EXPECT_EQ(wide.GetPicture().Width, 101);  // the picture stays
}

TEST(ImageListFrames, NonsenseSizesGiveNoFrames) {
  TDXImageList list;
  auto& big = AddItem(list, "a", Solid(10, 10, 1), 11, 10);
  auto& negative = AddItem(list, "b", Solid(10, 10, 1), 5, 5, -5, 0);
  auto& huge = AddItem(list, "c", Solid(10, 10, 1), 5, 5, INT32_MAX, INT32_MAX);
  auto& overlap = AddItem(list, "d", Solid(10, 10, 1), 4, 10, -1, 0);
  auto& empty = list.Add();
  list.InitializeFrames(PixelFormat::RGB565);
  EXPECT_EQ(big.FrameCount(), 0);
  EXPECT_EQ(negative.FrameCount(), 0);
  EXPECT_EQ(huge.FrameCount(), 1);
  EXPECT_EQ(overlap.FrameCount(), 3);  // cells 3 wide, frames 4 wide: 0, 3, 6
  EXPECT_EQ(overlap.FrameRect(2).Right, 10);
  EXPECT_EQ(empty.FrameCount(), 0);
  Surface16 s(20, 20);
  for (auto* item : {&big, &negative, &huge, &overlap, &empty})
    for (int32_t f = -1; f < 5; ++f) item->Draw(s, 0, 0, f);
}

TEST(ImageListFind, LetterCaseAndEqualNames) {
  TDXImageList list;
  AddItem(list, "boat1", Solid(1, 1, 1));
  AddItem(list, "fish", Solid(2, 1, 1));
  AddItem(list, "Boat1", Solid(3, 1, 1));
  AddItem(list, "x", Solid(4, 1, 1));
  EXPECT_EQ(list.Find("BOAT1").GetPicture().Width, 3);  // the one named last
  EXPECT_EQ(list.IndexOf("boat1"), 2);
  EXPECT_EQ(list.IndexOf("X"), 3);
  EXPECT_EQ(list.IndexOf("fis"), -1);
  EXPECT_EQ(list.IndexOf(""), -1);
  try {
    list.Find("boat9");
    FAIL();
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Image 'boat9' not found");
  }
  // A name changed after loading is still found.
  list.Items(1).Name = "Trout";
  EXPECT_EQ(list.IndexOf("trout"), 1);
  EXPECT_EQ(list.IndexOf("fish"), -1);
  EXPECT_EQ(TDXImageList::NameHash("boat1"), TDXImageList::NameHash("BOAT1"));
  EXPECT_EQ(TDXImageList::NameHash("boat1"), static_cast<uint8_t>(5 * 16 + 'b' + 't'));
  EXPECT_EQ(TDXImageList::NameHash("x"), 16);
  EXPECT_THROW(list.Items(4), GameError);
  EXPECT_THROW(list.Items(-1), GameError);
  list.Clear();
  EXPECT_EQ(list.IndexOf("x"), -1);
}

class ImageListDraw : public ::testing::Test {
 protected:
  // 4 by 3 frames side by side, the first bright, the second dark; pixel
  // (0, 0) of each is the key colour black.
  void SetUp() override {
    auto& item = AddItem(list, "s",
                         MakePicture(8, 3,
                                     [](int32_t x, int32_t y) -> uint32_t {
                                       if (x % 4 == 0 && y == 0) return 0;
                                       return x < 4 ? 0xFFFFFF : 0x0000FF;
                                     }),
                         4, 3);
    sprite = &item;
    list.InitializeFrames(PixelFormat::RGB565);
    dest = Surface16(10, 6);
    dest.Fill(0x1234);
  }
  int32_t Count(uint16_t v) const {
    int32_t n = 0;
    for (int32_t y = 0; y < dest.Height(); ++y)
      for (int32_t x = 0; x < dest.Width(); ++x) n += dest.At(x, y) == v;
    return n;
  }
  TDXImageList list;
  TPictureCollectionItem* sprite = nullptr;
  Surface16 dest;
};

TEST_F(ImageListDraw, KeyColourIsLeftOut) {
  sprite->Draw(dest, 1, 1, 0);
  EXPECT_EQ(dest.At(1, 1), 0x1234);
  EXPECT_EQ(dest.At(2, 1), 0xFFFF);
  EXPECT_EQ(Count(0xFFFF), 11);
  sprite->Draw(dest, 5, 1, 1);
  EXPECT_EQ(dest.At(6, 1), 0x001F);
  // Without transparency the key is drawn too.
  sprite->Transparent = false;
  sprite->Draw(dest, 1, 1, 0);
  EXPECT_EQ(dest.At(1, 1), 0);
  // A new key takes effect at the next draw: now pure white is see-through.
  dest.Fill(0x1234);
  sprite->Transparent = true;
  sprite->TransparentColor = 0xFFFFFF;
  sprite->Draw(dest, 1, 1, 0);
  EXPECT_EQ(dest.At(1, 1), 0);
  EXPECT_EQ(Count(0xFFFF), 0);
}

TEST_F(ImageListDraw, ClippedAtEveryEdge) {
  sprite->Transparent = false;
  sprite->Draw(dest, -2, 0, 1);  // only the right half shows
  EXPECT_EQ(Count(0x001F) + Count(0), 6);
  dest.Fill(0x1234);
  sprite->Draw(dest, 8, 0, 1);  // only the left half
  EXPECT_EQ(dest.At(8, 0), 0);
  EXPECT_EQ(dest.At(9, 0), 0x001F);
  EXPECT_EQ(Count(0x1234), 60 - 6);
  dest.Fill(0x1234);
  sprite->Draw(dest, 0, -2, 1);  // only the bottom row
  EXPECT_EQ(Count(0x1234), 60 - 4);
  dest.Fill(0x1234);
  sprite->Draw(dest, 0, 5, 1);  // only the top row
  EXPECT_EQ(dest.At(0, 5), 0);
  EXPECT_EQ(Count(0x1234), 60 - 4);
  dest.Fill(0x1234);
  for (auto [x, y] : std::vector<std::pair<int32_t, int32_t>>{{700, 0},
                                                              {10, 0},
                                                              {0, 6},
                                                              {-4, 0},
                                                              {0, -3},
                                                              {INT32_MIN, INT32_MIN},
                                                              {INT32_MAX, 0},
                                                              {0, INT32_MAX},
                                                              {-10, -10}})
    sprite->Draw(dest, x, y, 0);
  EXPECT_EQ(Count(0x1234), 60);
  // Wider than the surface on both sides.
  Surface16 narrow(2, 2);
  sprite->Draw(narrow, -1, -1, 1);
  EXPECT_EQ(narrow.At(0, 0), 0x001F);
  EXPECT_EQ(narrow.At(1, 1), 0x001F);
}

TEST_F(ImageListDraw, NothingDrawsUntilTheSurfaceIsUp) {
  list.FinalizeFrames();
  sprite->Draw(dest, 0, 0, 0);
  sprite->StretchDraw(dest, {0, 0, 8, 6}, 0);
  EXPECT_EQ(Count(0x1234), 60);
  list.InitializeFrames(PixelFormat::RGB555);
  sprite->Draw(dest, 0, 0, 1);
  EXPECT_EQ(dest.At(1, 0), 0x001F);
  sprite->Draw(dest, 0, 0, 0);
  EXPECT_EQ(dest.At(1, 0), 0x7FFF);
}

TEST_F(ImageListDraw, WideRowsUseTheFastPathCorrectly) {
  // Rows longer than eight pixels, with key pixels scattered through them.
  auto& item = AddItem(list, "w", MakePicture(37, 2, [](int32_t x, int32_t y) -> uint32_t {
                         return (x * 7 + y) % 5 == 0 ? 0 : 0x00FF00;
                       }));
  Surface16 s(40, 2);
  s.Fill(0x0001);
  item.Draw(s, 1, 0, 0);
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 37; ++x)
      ASSERT_EQ(s.At(x + 1, y), (x * 7 + y) % 5 == 0 ? 0x0001 : 0x07E0) << x << "," << y;
  EXPECT_EQ(s.At(0, 0), 0x0001);
  EXPECT_EQ(s.At(38, 0), 0x0001);
  // Clipped at the left and the bottom, still leaving out exactly the key pixels.
  s.Fill(0x0001);
  item.Draw(s, -3, 1, 0);
  for (int32_t x = 0; x < 40; ++x) {
    ASSERT_EQ(s.At(x, 0), 0x0001);
    uint16_t want = x < 34 && ((x + 3) * 7) % 5 != 0 ? 0x07E0 : 0x0001;
    ASSERT_EQ(s.At(x, 1), want) << x;
  }
  // With another key colour the pixels go through the other drawing path.
  s.Fill(0x0001);
  item.TransparentColor = 0x00FF00;
  item.Draw(s, 2, 0, 0);
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 37; ++x)
      ASSERT_EQ(s.At(x + 2, y), (x * 7 + y) % 5 == 0 ? 0x0000 : 0x0001) << x << "," << y;
}

// Map tiles standing on the 64 by 32 diamond take their own straight-line
// path; they must draw exactly what any picture draws, whole or clipped, and
// say truly whether they fill their diamond.
TEST(ImageListDiamonds, DiamondTilesDrawPixelForPixelAndKnowWhetherTheyFillTheirDiamond) {
  // Two frames of a tile 96 high: a diamond at the bottom, a trunk above it
  // and a texture that differs in every pixel.
  auto inside = [](int32_t x, int32_t y) {
    const DiamondRow d = DiamondRowOf(32, y % 96 - 64);
    return y % 96 >= 64 ? x >= d.start && x < d.start + d.length : x >= 28 && x < 36 && y % 96 > 10;
  };
  const Picture tall = MakePicture(64, 192, [&](int32_t x, int32_t y) -> uint32_t {
    return inside(x, y) ? 0x080808u + static_cast<uint32_t>((x * 7 + y * 13) & 0xFFFF) * 0x100 : 0;
  });
  Picture holed = MakePicture(
      64, 32, [&](int32_t x, int32_t y) -> uint32_t { return inside(x, y + 64) ? 0x406080u : 0; });
  holed.At(32, 31) = 0;  // the bottom corner is missing a pixel
  TDXImageList list;
  auto& tile = AddItem(list, "tall", tall, 64, 96);
  auto& gap = AddItem(list, "holed", holed);
  list.InitializeFrames(PixelFormat::RGB565);

  for (auto [x, y] : std::vector<std::pair<int32_t, int32_t>>{{40, 20}, {-9, -70}, {600, 400}}) {
    Surface16 s(680, 480);
    s.Fill(0x0001);
    tile.Draw(s, x, y, 1);
    for (int32_t py = 0; py < 96; ++py)
      for (int32_t px = 0; px < 64; ++px) {
        if (!s.Contains(x + px, y + py)) continue;
        const uint32_t c = tall.At(px, 96 + py);
        const uint16_t want = c == 0 ? 0x0001 : s.Pack(c >> 16, (c >> 8) & 255, c & 255);
        ASSERT_EQ(s.At(x + px, y + py), want) << x << "," << y << " at " << px << "," << py;
      }
  }

  EXPECT_TRUE(tile.CoversDiamond(64, 32));
  EXPECT_FALSE(tile.CoversDiamond(64, 48)) << "a diamond of another size";
  EXPECT_FALSE(gap.CoversDiamond(64, 32));
  gap.Transparent = false;
  EXPECT_TRUE(gap.CoversDiamond(64, 32)) << "drawn opaque, the whole frame is painted";
  const uint32_t c = tall.At(32, 96 + 70);  // a pixel inside the diamond becomes see-through
  tile.TransparentColor = (c & 0xFF) << 16 | (c & 0xFF00) | c >> 16;
  EXPECT_FALSE(tile.CoversDiamond(64, 32));
  list.FinalizeFrames();
  EXPECT_FALSE(gap.CoversDiamond(64, 32)) << "no frames, nothing drawn";

  // Both ways of copying a diamond, whichever the processor takes, copy the
  // diamond's pixels and nothing else.
  std::vector<uint16_t> from(64 * 32);
  for (size_t i = 0; i < from.size(); ++i) from[i] = static_cast<uint16_t>(i * 2654435761u >> 7);
  for (bool wide : {false, true}) {
    std::vector<uint16_t> to(70 * 34, 0xBEEF);
    uint16_t* corner = to.data() + 70 + 3;
    if (wide && !diamond_detail::Wide(corner, 70, from.data(), 64)) continue;
    if (!wide) diamond_detail::Narrow(corner, 70, from.data(), 64);
    for (int32_t y = -1; y < 33; ++y)
      for (int32_t x = -3; x < 67; ++x) {
        const DiamondRow d = DiamondRowOf(32, y);
        const bool in = y >= 0 && y < 32 && x >= d.start && x < d.start + d.length;
        ASSERT_EQ(corner[y * 70 + x], in ? from[static_cast<size_t>(y * 64 + x)] : 0xBEEF)
            << (wide ? "wide " : "narrow ") << x << "," << y;
      }
  }
}

TEST_F(ImageListDraw, StretchScalesClipsAndKeys) {
  sprite->StretchDraw(dest, {0, 0, 8, 6}, 0);  // twice the size
  EXPECT_EQ(dest.At(0, 0), 0x1234);            // the key, doubled
  EXPECT_EQ(dest.At(1, 1), 0x1234);
  EXPECT_EQ(dest.At(2, 0), 0xFFFF);
  EXPECT_EQ(dest.At(7, 5), 0xFFFF);
  EXPECT_EQ(dest.At(8, 0), 0x1234);
  EXPECT_EQ(Count(0xFFFF), 44);
  dest.Fill(0x1234);
  sprite->StretchDraw(dest, {-4, -3, 4, 3}, 1);  // the lower right quarter
  EXPECT_EQ(Count(0x001F), 12);
  dest.Fill(0x1234);
  sprite->StretchDraw(dest, {0, 0, 2, 1}, 1);  // shrunk
  EXPECT_EQ(Count(0x001F), 2);
  dest.Fill(0x1234);
  sprite->StretchDraw(dest, {5, 5, 5, 9}, 1);    // empty
  sprite->StretchDraw(dest, {5, 5, 2, 9}, 1);    // inside out
  sprite->StretchDraw(dest, {11, 0, 20, 5}, 1);  // beyond the right edge
  sprite->StretchDraw(dest, {0, 0, 5, 5}, 2);    // no such frame
  sprite->StretchDraw(dest, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 1);
  EXPECT_EQ(Count(0x1234), 0);  // the last one covers all
}

// Stepping along a row picks the same source pixels as the plain division
// per pixel, for rectangles of any size and place, shrunk or stretched.
TEST_F(ImageListDraw, StretchPicksThePixelUnderEachCentre) {
  Random rng(3);
  const uint16_t key = sprite->ColorKey();
  const std::vector<uint16_t>& pixels = sprite->Converted();
  for (int n = 0; n < 3000; ++n) {
    const int32_t left = rng(30) - 15, top = rng(20) - 10;
    const Rect rect{left, top, left + 1 + rng(n % 2 ? 40 : 5), top + 1 + rng(n % 3 ? 12 : 3)};
    const int32_t frame = rng(2);
    dest.Fill(0x1234);
    sprite->StretchDraw(dest, rect, frame);
    const Rect f = sprite->FrameRect(frame);
    for (int32_t y = std::max(rect.Top, 0); y < std::min(rect.Bottom, dest.Height()); ++y) {
      for (int32_t x = std::max(rect.Left, 0); x < std::min(rect.Right, dest.Width()); ++x) {
        const int64_t sx = ((2 * (int64_t{x} - rect.Left) + 1) * 4) / (2 * int64_t{rect.Width()});
        const int64_t sy = ((2 * (int64_t{y} - rect.Top) + 1) * 3) / (2 * int64_t{rect.Height()});
        const uint16_t p = pixels[static_cast<size_t>((f.Top + sy) * 8 + f.Left + sx)];
        ASSERT_EQ(dest.At(x, y), p == key ? 0x1234 : p) << n << " at " << x << "," << y;
      }
    }
  }
}

std::vector<uint8_t> Library(const std::vector<ContainerItem>& items) {
  return WriteContainer(SpriteLibraryContainer(items, std::vector<uint8_t>(1024, 7)));
}

ContainerValue Val(ValueType t, int64_t i = 0, std::string text = {}) {
  ContainerValue v;
  v.Type = t;
  v.Integer = i;
  v.Text = std::move(text);
  return v;
}

ContainerValue PictureData(const Picture& p) {
  return tw::PictureData(EncodeBitmapFile(p));
}

TEST(ImageListLoad, ItemsWithTheirPropertiesAndDefaults) {
  TDXImageList list;
  list.InitializeFrames(PixelFormat::RGB565);
  auto bytes = Library({
      {{"Name", Val(ValueType::String, 0, "boat1")},
       {"PatternWidth", Val(ValueType::Int8, 16)},
       {"PatternHeight", Val(ValueType::Int16, 8)},
       {"SkipWidth", Val(ValueType::Int32, 0)},
       {"SystemMemory", Val(ValueType::True)},
       {"Transparent", Val(ValueType::False)},
       {"TransparentColor", Val(ValueType::Ident, 0, "clFuchsia")},
       {"Picture.Data", PictureData(Solid(64, 8, 0x102030))},
       {"Tag", Val(ValueType::Int8, 3)}},
      {{"Name", Val(ValueType::String, 0, "plain")}},
  });
  list.LoadFromBytes(bytes);
  ASSERT_EQ(list.Count(), 2);
  auto& boat = list.Find("boat1");
  EXPECT_TRUE(boat.SystemMemory);
  EXPECT_FALSE(boat.Transparent);
  EXPECT_EQ(boat.TransparentColor, 0xFF00FFu);
  EXPECT_TRUE(boat.Initialized());  // the surface was up: frames at once
  EXPECT_EQ(boat.FrameCount(), 4);
  EXPECT_EQ(boat.GetPicture().At(5, 5), 0x102030u);
  auto& plain = list.Items(1);
  EXPECT_TRUE(plain.Transparent);
  EXPECT_EQ(plain.TransparentColor, 0u);
  EXPECT_EQ(plain.FrameCount(), 0);
  EXPECT_EQ(list.ColorTable[1023], 7);

  // A damaged library leaves the loaded one as it was.
  auto bad = Library(
      {{{"Name", Val(ValueType::String, 0, "x")}, {"Picture.Data", Val(ValueType::Binary)}}});
  try {
    list.LoadFromBytes(bad);
    FAIL();
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "DIB is invalid");
  }
  EXPECT_EQ(list.Count(), 2);
  auto wrongType = Library({{{"PatternWidth", Val(ValueType::String, 0, "16")}}});
  EXPECT_THROW(list.LoadFromBytes(wrongType), GameError);
  auto unknownColour = Library({{{"TransparentColor", Val(ValueType::Ident, 0, "clPlaid")}}});
  EXPECT_THROW(list.LoadFromBytes(unknownColour), GameError);
  bytes.resize(bytes.size() - 3);
  try {
    list.LoadFromBytes(bytes);
    FAIL();
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Invalid stream format");
  }
  EXPECT_EQ(list.IndexOf("boat1"), 0);
  try {
    list.LoadFromFile("/nonexistent/canada.dxg");
    FAIL();
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file /nonexistent/canada.dxg");
  }
}

}  // namespace
}  // namespace tw
