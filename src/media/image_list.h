// Sprite libraries: named pictures cut into frames, drawn colour-keyed onto
// the 16-bit surfaces. A library is loaded from a container file; its items
// get their frames (and a copy of the picture in the display's pixel layout)
// while the drawing surface is initialised, and draw only then.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "media/picture.h"
#include "media/surface.h"

namespace tw {

class TDXImageList;

class TPictureCollectionItem {
 public:
  std::string Name;
  // Frame size (0: the picture's) and the gaps between frames.
  int32_t PatternWidth = 0, PatternHeight = 0, SkipWidth = 0, SkipHeight = 0;
  bool SystemMemory = false, Transparent = true;
  uint32_t TransparentColor = 0;  // 0x00BBGGRR; the key follows changes at once

  const Picture& GetPicture() const { return picture_; }
  // Replacing the picture of an item whose surface is up rebuilds its frames.
  void SetPicture(Picture picture);

  int32_t FrameWidth() const;
  int32_t FrameHeight() const;
  // With frames built, their number; before, an estimate from the picture
  // (a last cell counts only when exactly a frame wide, gap missing).
  int32_t FrameCount() const;
  // How many frames the grid gives when they are built.
  int32_t BuiltFrameCount() const;
  // Where frame `frame` lies in the picture; empty when there is no such frame.
  Rect FrameRect(int32_t frame) const;
  bool Initialized() const { return initialized_; }

  // Frame `frame` with its top-left corner at (x, y), clipped to `dest`.
  // Nothing when the item has no frames or no such frame.
  void Draw(Surface16& dest, int32_t x, int32_t y, int32_t frame) const;
  // The same, drawing nothing from row `bottom` of `dest` down.
  void Draw(Surface16& dest, int32_t x, int32_t y, int32_t frame, int32_t bottom) const;
  // Whether Draw paints every pixel of row `row` of frame `frame` from the
  // frame's left edge for `width` pixels (false when it cannot tell).
  bool PaintsRow(int32_t frame, int32_t row, int32_t width) const;
  // The frame scaled (nearest pixel) to fill `rect`, clipped to `dest`.
  void StretchDraw(Surface16& dest, const Rect& rect, int32_t frame) const;

  // Whether Draw, whatever the frame, paints every pixel of the isometric
  // diamond a map tile stands on: `width` wide (twice `height`), in the
  // frame's bottom `height` rows, where row j (and row height - 1 - j) of
  // the diamond's top half holds the 4j + 2 pixels around its middle.
  // Diamonds like these on rows half a tile apart leave no gap between them.
  bool CoversDiamond(int32_t width, int32_t height) const;

  // The drawing surface came up: convert the picture to `format` and build
  // the frames. Finalize drops them again; the picture stays.
  void Restore(PixelFormat format);
  void Finalize();
  // The transparent colour in the converted picture's layout.
  uint16_t ColorKey() const {
    return Surface16::PackColor(format_, static_cast<uint8_t>(TransparentColor),
                                static_cast<uint8_t>(TransparentColor >> 8),
                                static_cast<uint8_t>(TransparentColor >> 16));
  }
  const std::vector<uint16_t>& Converted() const { return converted_; }

 private:
  friend class TDXImageList;
  // The frame grid, fixed when the frames are built.
  struct Grid {
    int32_t frameW = 0, frameH = 0, cellW = 0, cellH = 0, columns = 0, rows = 0;
    int32_t Count() const;
  };
  Grid MakeGrid() const;

  // Runs of non-key pixels in each row of each frame, found once when the
  // frames are built, so drawing copies runs and never looks at key pixels.
  // Used while the key is still the one they were found with.
  struct Span {
    uint16_t start, length, row;  // row within the frame
  };
  void BuildSpans();
  // `r`: the frame's top-left corner in the picture (its size is unused).
  void DrawSpans(Surface16& dest, int32_t frame, const Rect& r, int32_t frameX, int32_t frameY,
                 int32_t left, int32_t top, int32_t width, int32_t height) const;

  Picture picture_;
  const TDXImageList* owner_ = nullptr;
  bool initialized_ = false;
  PixelFormat format_ = PixelFormat::RGB565;
  std::vector<uint16_t> converted_;  // the picture in the display's layout
  Grid grid_;
  std::vector<uint32_t> spanRows_;  // per frame row, its first span; one more at the end
  std::vector<Span> spans_;
  // Per frame: its bottom 32 rows are exactly the 64 by 32 diamond of a map
  // tile, drawn by BlitDiamond64x32.
  std::vector<uint8_t> diamondBase_;
  uint16_t spanKey_ = 0;
  // CoversDiamond's last answer and what it was for.
  struct DiamondAnswer {
    bool known = false, covers = false, transparent = false;
    int32_t width = 0, height = 0;
    uint16_t key = 0;
  };
  mutable DiamondAnswer diamond_;
};

class TDXImageList {
 public:
  TDXImageList() = default;
  TDXImageList(const TDXImageList&) = delete;
  TDXImageList& operator=(const TDXImageList&) = delete;

  // Replaces every item with those of a library file. A file that cannot be
  // read or is damaged raises its error and leaves the library as it was.
  void LoadFromFile(const std::string& path);
  void LoadFromBytes(std::span<const uint8_t> bytes);

  // The item named `name`, letter case ignored; among equal names the one
  // named last. "Image 'NAME' not found" when there is none.
  TPictureCollectionItem& Find(const std::string& name);
  int32_t IndexOf(const std::string& name) const;  // -1 when absent

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  TPictureCollectionItem& Items(int32_t index);
  const TPictureCollectionItem& Items(int32_t index) const;
  TPictureCollectionItem& Add();
  void Clear();

  // The drawing surface initialised (or came back after being lost):
  // convert the pictures and build the frames of all items.
  void InitializeFrames(PixelFormat format);
  // The surface went down: items stop drawing, their pictures stay.
  void FinalizeFrames();
  bool SurfaceInitialized() const { return surfaceInitialized_; }
  PixelFormat Format() const { return format_; }

  // 256 entries of red, green, blue, reserved; kept for 8-bit displays.
  std::array<uint8_t, 1024> ColorTable{};

  // The name index's bucket for `name`: from its length and two of its
  // letters, letter case ignored.
  static uint8_t NameHash(const std::string& name);

 private:
  void Reindex() const;
  int32_t Lookup(const std::string& name) const;

  std::vector<std::unique_ptr<TPictureCollectionItem>> items_;
  // Each chain lists item numbers, the most recently named first.
  mutable std::array<std::vector<int32_t>, 256> chains_;
  mutable bool indexStale_ = false;
  bool surfaceInitialized_ = false;
  PixelFormat format_ = PixelFormat::RGB565;
};

}  // namespace tw
