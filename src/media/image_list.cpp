// Sprite libraries: loading, the name index, and the frame grid of items.
#include "media/image_list.h"

#include <algorithm>

#include "core/error.h"
#include "core/files.h"
#include "media/blit_keyed.h"
#include "media/container.h"

namespace tw {

// ---- items ---------------------------------------------------------------

void TPictureCollectionItem::SetPicture(Picture picture) {
  picture_ = std::move(picture);
  if (initialized_ || (owner_ && owner_->SurfaceInitialized()))
    Restore(owner_ ? owner_->Format() : format_);
}

int32_t TPictureCollectionItem::FrameWidth() const {
  return PatternWidth > 0 ? PatternWidth : picture_.Width;
}

int32_t TPictureCollectionItem::FrameHeight() const {
  return PatternHeight > 0 ? PatternHeight : picture_.Height;
}

int32_t TPictureCollectionItem::Grid::Count() const {
  return columns * rows;
}

// Frames are the cells of a grid read row by row; a last column or row that
// lacks only its gap still counts.
TPictureCollectionItem::Grid TPictureCollectionItem::MakeGrid() const {
  Grid g;
  const int64_t picW = picture_.Width, picH = picture_.Height;
  const int64_t frameW = FrameWidth(), frameH = FrameHeight();
  if (picW <= 0 || picH <= 0 || frameW <= 0 || frameH <= 0) return g;
  g.frameW = static_cast<int32_t>(frameW);
  g.frameH = static_cast<int32_t>(frameH);
  if (frameW == picW && frameH == picH) {
    g.cellW = g.frameW, g.cellH = g.frameH, g.columns = 1, g.rows = 1;
    return g;
  }
  const int64_t cellW = frameW + SkipWidth, cellH = frameH + SkipHeight;
  if (cellW <= 0 || cellH <= 0) return g;
  const int64_t columns = (picW + SkipWidth) / cellW, rows = (picH + SkipHeight) / cellH;
  if (columns <= 0 || rows <= 0) return g;
  // A cell wider than the picture only happens with one column; keep it in range.
  g.cellW = static_cast<int32_t>(std::min<int64_t>(cellW, picW));
  g.cellH = static_cast<int32_t>(std::min<int64_t>(cellH, picH));
  g.columns = static_cast<int32_t>(columns);
  g.rows = static_cast<int32_t>(rows);
  return g;
}

int32_t TPictureCollectionItem::BuiltFrameCount() const {
  return MakeGrid().Count();
}

int32_t TPictureCollectionItem::FrameCount() const {
  if (initialized_) return grid_.Count();
  // Without frames the count comes from the picture alone.
  const int64_t frameW = FrameWidth(), frameH = FrameHeight();
  const int64_t cellW = frameW + SkipWidth, cellH = frameH + SkipHeight;
  if (picture_.Width <= 0 || picture_.Height <= 0 || frameW <= 0 || frameH <= 0 || cellW <= 0 ||
      cellH <= 0)
    return 0;
  int64_t columns = picture_.Width / cellW + (picture_.Width % cellW == frameW ? 1 : 0);
  int64_t rows = picture_.Height / cellH + (picture_.Height % cellH == frameH ? 1 : 0);
  return static_cast<int32_t>(std::min<int64_t>(columns * rows, INT32_MAX));
}

Rect TPictureCollectionItem::FrameRect(int32_t frame) const {
  Grid g = initialized_ ? grid_ : MakeGrid();
  if (frame < 0 || frame >= g.Count()) return {};
  int32_t left = (frame % g.columns) * g.cellW, top = (frame / g.columns) * g.cellH;
  return {left, top, left + g.frameW, top + g.frameH};
}

void TPictureCollectionItem::Restore(PixelFormat format) {
  format_ = format;
  grid_ = MakeGrid();
  converted_.resize(picture_.Pixels.size());
  for (size_t i = 0; i < picture_.Pixels.size(); ++i) {
    uint32_t c = picture_.Pixels[i];
    converted_[i] = Surface16::PackColor(format, static_cast<uint8_t>(c >> 16),
                                         static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c));
  }
  initialized_ = true;
  diamond_ = {};
  BuildSpans();
}

void TPictureCollectionItem::BuildSpans() {
  spanRows_.clear();
  spans_.clear();
  diamondBase_.clear();
  spanKey_ = ColorKey();
  // Frames that overlap could make the run lists larger than the picture;
  // such items draw pixel by pixel instead.
  const int64_t rows = int64_t{grid_.Count()} * grid_.frameH;
  if (rows == 0 || rows * grid_.frameW > 2 * static_cast<int64_t>(converted_.size())) return;
  // Runs hold their place in 16 bits.
  if (grid_.frameW > UINT16_MAX || grid_.frameH > UINT16_MAX) return;
  spanRows_.reserve(static_cast<size_t>(rows) + 1);
  for (int32_t f = 0; f < grid_.Count(); ++f) {
    Rect r = FrameRect(f);
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
      spanRows_.push_back(static_cast<uint32_t>(spans_.size()));
      const uint16_t* row = converted_.data() + static_cast<size_t>(y) * picture_.Width + r.Left;
      for (int32_t x = 0; x < grid_.frameW;) {
        while (x < grid_.frameW && row[x] == spanKey_) ++x;
        int32_t start = x;
        while (x < grid_.frameW && row[x] != spanKey_) ++x;
        if (x > start)
          spans_.push_back({static_cast<uint16_t>(start), static_cast<uint16_t>(x - start),
                            static_cast<uint16_t>(y - r.Top)});
      }
    }
  }
  spanRows_.push_back(static_cast<uint32_t>(spans_.size()));
  if (grid_.frameW != 64 || grid_.frameH < 32) return;
  diamondBase_.assign(static_cast<size_t>(grid_.Count()), 1);
  for (int32_t f = 0; f < grid_.Count(); ++f) {
    const size_t firstRow = static_cast<size_t>(f) * grid_.frameH + grid_.frameH - 32;
    for (int32_t j = 0; j < 32; ++j) {
      const uint32_t k = spanRows_[firstRow + j];
      const DiamondRow d = DiamondRowOf(32, j);
      if (spanRows_[firstRow + j + 1] != k + 1 || spans_[k].start != d.start ||
          spans_[k].length != d.length)
        diamondBase_[static_cast<size_t>(f)] = 0;
    }
  }
}

void TPictureCollectionItem::Finalize() {
  initialized_ = false;
  grid_ = {};
  converted_.clear();
  converted_.shrink_to_fit();
  spanRows_.clear();
  spanRows_.shrink_to_fit();
  spans_.clear();
  spans_.shrink_to_fit();
  diamondBase_.clear();
  diamondBase_.shrink_to_fit();
}

// ---- the library ---------------------------------------------------------

namespace {

void ApplyProperty(TPictureCollectionItem& item, const ContainerProperty& p) {
  const auto& v = p.Value;
  if (SameName(p.Name, "Name")) {
    item.Name = PropertyString(v);
  } else if (SameName(p.Name, "PatternWidth")) {
    item.PatternWidth = PropertyInteger(v);
  } else if (SameName(p.Name, "PatternHeight")) {
    item.PatternHeight = PropertyInteger(v);
  } else if (SameName(p.Name, "SkipWidth")) {
    item.SkipWidth = PropertyInteger(v);
  } else if (SameName(p.Name, "SkipHeight")) {
    item.SkipHeight = PropertyInteger(v);
  } else if (SameName(p.Name, "SystemMemory")) {
    item.SystemMemory = PropertyBool(v);
  } else if (SameName(p.Name, "Transparent")) {
    item.Transparent = PropertyBool(v);
  } else if (SameName(p.Name, "TransparentColor")) {
    item.TransparentColor = PropertyColor(v);
  } else if (SameName(p.Name, "Picture.Data")) {
    if (v.Type != ValueType::Binary) throw GameError("Invalid property value");
    item.SetPicture(DecodePictureData(v.Bytes));
  }
  // Anything else was written by a newer editor and means nothing here.
}

}  // namespace

void TDXImageList::LoadFromFile(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  try {
    LoadFromBytes(bytes);
  } catch (const GameError& e) {
    throw DamagedLibrary(path, e);
  }
}

void TDXImageList::LoadFromBytes(std::span<const uint8_t> bytes) {
  Container c = ReadContainer(bytes);
  // Read everything first, so a damaged file leaves the loaded library alone.
  std::vector<std::unique_ptr<TPictureCollectionItem>> items;
  items.reserve(c.Items.size());
  for (const auto& props : c.Items) {
    auto item = std::make_unique<TPictureCollectionItem>();
    for (const auto& p : props) ApplyProperty(*item, p);
    items.push_back(std::move(item));
  }
  std::array<uint8_t, 1024> table{};
  if (const auto* t = FindProperty(c.Properties, "List.ColorTable")) {
    if (t->Type != ValueType::Binary) throw GameError("Invalid property value");
    std::copy_n(t->Bytes.begin(), std::min<size_t>(t->Bytes.size(), table.size()), table.begin());
  }
  items_ = std::move(items);
  ColorTable = table;
  for (auto& item : items_) {
    item->owner_ = this;
    if (surfaceInitialized_) item->Restore(format_);
  }
  indexStale_ = true;
}

uint8_t TDXImageList::NameHash(const std::string& name) {
  uint32_t h = static_cast<uint32_t>(name.size()) * 16;
  if (name.size() > 1) {
    h += static_cast<uint8_t>(FoldCase(name[0]));
    h += static_cast<uint8_t>(FoldCase(name[name.size() - 2]));
  }
  return static_cast<uint8_t>(h);
}

void TDXImageList::Reindex() const {
  for (auto& chain : chains_) chain.clear();
  // Later items go in front of their chain, so the one named last is found.
  for (int32_t i = Count() - 1; i >= 0; --i) chains_[NameHash(items_[i]->Name)].push_back(i);
  indexStale_ = false;
}

int32_t TDXImageList::Lookup(const std::string& name) const {
  if (indexStale_) Reindex();
  for (int32_t i : chains_[NameHash(name)])
    if (SameName(items_[i]->Name, name)) return i;
  // Names are open to change after loading; look through them all before
  // giving up, and index afresh when that finds a renamed item.
  for (int32_t i = Count() - 1; i >= 0; --i) {
    if (SameName(items_[i]->Name, name)) {
      indexStale_ = true;
      return i;
    }
  }
  return -1;
}

TPictureCollectionItem& TDXImageList::Find(const std::string& name) {
  int32_t i = Lookup(name);
  if (i < 0) throw GameError("Image '" + name + "' not found");
  return *items_[i];
}

int32_t TDXImageList::IndexOf(const std::string& name) const {
  return Lookup(name);
}

TPictureCollectionItem& TDXImageList::Items(int32_t index) {
  if (index < 0 || index >= Count())
    throw GameError("List index out of bounds (" + std::to_string(index) + ")");
  return *items_[index];
}

const TPictureCollectionItem& TDXImageList::Items(int32_t index) const {
  return const_cast<TDXImageList*>(this)->Items(index);
}

TPictureCollectionItem& TDXImageList::Add() {
  items_.push_back(std::make_unique<TPictureCollectionItem>());
  items_.back()->owner_ = this;
  indexStale_ = true;
  return *items_.back();
}

void TDXImageList::Clear() {
  items_.clear();
  indexStale_ = true;
}

void TDXImageList::InitializeFrames(PixelFormat format) {
  surfaceInitialized_ = true;
  format_ = format;
  for (auto& item : items_) item->Restore(format);
}

void TDXImageList::FinalizeFrames() {
  surfaceInitialized_ = false;
  for (auto& item : items_) item->Finalize();
}

}  // namespace tw
