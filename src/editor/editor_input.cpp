// The editor's input: keys, the mouse over the map, the palette and the
// overview, and what each tool does where it is used.
#include <algorithm>

#include "core/files.h"
#include "core/log.h"
#include "editor/lake_editor.h"
#include "editor/test_play.h"
#include "ui/font.h"
#include "world/iso_math.h"
#include "world/lake_preview.h"

namespace tw {

namespace {

// Keys the editor answers (Windows virtual-key codes).
constexpr uint16_t kKeyF5 = 116, kKeyF7 = 118, kKeyF8 = 119, kKeyDelete = 46, kKeyReturn = 13;
constexpr uint16_t kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;

// The view moves this far for an arrow key.
constexpr int32_t kArrowStep = 32;

int32_t ButtonNumber(MouseButton b) {
  return b == MouseButton::Right    ? kMouseRight
         : b == MouseButton::Middle ? kMouseMiddle
                                    : kMouseLeft;
}

}  // namespace

// ---- input ----

void LakeEditor::SetTool(EditTool tool) {
  tool_ = tool;
  const size_t i = static_cast<size_t>(tool);
  if (i < toolRadios.size() && !toolRadios[i]->Checked()) toolRadios[i]->SetChecked(true);
  if (kinds) kinds->SetVisible(tool == EditTool::Objects);
  screen_->Invalidate();
}

void LakeEditor::OnKeyDown(uint16_t key, uint8_t shift) {
  if (TestPlaying()) return testPlay_->KeyDown(key);
  const bool ctrl = (shift & kCtrlKey) != 0;
  const bool boxUp = &screen_->TopLayer() != &screen_->Root();
  if (!boxUp) {
    GameState& s = doc_->State();
    switch (key) {
      case kKeyF5:
        return TestPlayLake();
      case kKeyF7:
        return ShowProblems();
      case kKeyF8:
        return ShowRulesBox();
      case kKeyLeft:
      case kKeyRight:
      case kKeyUp:
      case kKeyDown:
        s.ViewX += key == kKeyLeft ? -kArrowStep : key == kKeyRight ? kArrowStep : 0;
        s.ViewY += key == kKeyUp ? -kArrowStep : key == kKeyDown ? kArrowStep : 0;
        return ClampView();
      case kKeyDelete:
        return DeleteSelected();
      case kKeyReturn:
        if (selected_ >= 0) EditObject(selected_);
        return;
      default:
        break;
    }
    if (ctrl) {
      switch (key) {
        case 'Z':
          return Undo();
        case 'Y':
          return Redo();
        case 'S':
          return SaveLake();
        case 'O':
          return ShowOpenBox();
        case 'N':
          return ShowNewBox();
        default:
          return;
      }
    }
    switch (key) {
      case 'G':
        grid_ = !grid_;
        screen_->Invalidate();
        return;
      case '1':
      case '3':
      case '5':
        brushRadios[static_cast<size_t>((key - '1') / 2)]->SetChecked(true);
        return;
      case 'T':
        return SetTool(EditTool::Tile);
      case 'W':
        return SetTool(EditTool::Water);
      case 'L':
        return SetTool(EditTool::Land);
      case 'F':
        return SetTool(EditTool::Fill);
      case 'E':
        return SetTool(EditTool::Erase);
      case 'O':
        return SetTool(EditTool::Objects);
      default:
        break;
    }
  }
  screen_->KeyDown(key, (shift & kShiftKey) != 0);
}

void LakeEditor::OnKeyUp(uint16_t key, uint8_t) {
  if (TestPlaying()) return testPlay_->KeyUp(key);
  screen_->KeyUp(key);
}

void LakeEditor::OnText(const char* utf8) {
  if (TestPlaying()) return;
  screen_->Text(Utf8ToCp1252(utf8));
}

void LakeEditor::OnMouseMove(uint8_t, int32_t x, int32_t y) {
  if (TestPlaying()) return testPlay_->MouseMove(x, y);
  mouseX_ = x, mouseY_ = y;
  screen_->MouseMove(x, y);
  if (panning_) {
    GameState& s = doc_->State();
    s.ViewX -= x - panX_;
    s.ViewY -= y - panY_;
    panX_ = x, panY_ = y;
    ClampView();
  } else if (painting_) {
    ApplyTool(x, y, false);
  } else if (dragging_ && selected_ >= 0) {
    if (const std::optional<CellRef> cell = CellAt(x, y)) {
      MoveObject(selected_, *cell);
      Changed();
    }
  }
  screen_->Invalidate();
}

void LakeEditor::OnMouseDown(MouseButton button, uint8_t, int32_t x, int32_t y) {
  if (TestPlaying()) return testPlay_->MouseDown(button, x, y);
  mouseX_ = x, mouseY_ = y;
  const bool boxUp = &screen_->TopLayer() != &screen_->Root();
  if (!boxUp && InView(x, y) && !InOverview(x, y) &&
      (screen_->ControlAt(x, y) == nullptr || screen_->ControlAt(x, y) == &screen_->Root())) {
    if (button == MouseButton::Middle) {
      panning_ = true;
      panX_ = x, panY_ = y;
    } else if (button == MouseButton::Left) {
      ApplyTool(x, y, true);
    } else if (button == MouseButton::Right && tool_ == EditTool::Objects) {
      // A right click picks the object under the pointer and opens its box.
      if (const std::optional<CellRef> cell = CellAt(x, y)) {
        const int32_t slot = ObjectAt(*cell);
        if (slot >= 0) EditObject(slot);
      }
    }
    return;
  }
  if (!boxUp && InOverview(x, y) && button == MouseButton::Left) {
    // The overview: jump to the point clicked.
    const GameState& s = doc_->State();
    const PreviewFit fit = FitPreview(s.Header, kOverviewWidth, kOverviewHeight);
    const int32_t wx =
        static_cast<int32_t>((x - kOverviewLeft - fit.OffsetX) / std::max(fit.Scale, 1e-9));
    const int32_t wy =
        static_cast<int32_t>((y - kOverviewTop - fit.OffsetY) / std::max(fit.Scale, 1e-9));
    const MapPick pick = PickCell(s.Header, std::max(0, wx), std::max(0, wy));
    CentreOn(pick.Column, pick.Row);
    return;
  }
  if (!boxUp && button == MouseButton::Left && tool_ != EditTool::Objects) {
    const int32_t tile = PaletteTileAt(x, y);
    if (tile >= 0) {
      paletteTile_ = tile;
      if (tool_ != EditTool::Fill) SetTool(EditTool::Tile);
      SetStatus("Tile " + std::to_string(tile));
      return;
    }
  }
  screen_->MouseDown(ButtonNumber(button), x, y);
}

void LakeEditor::OnMouseUp(MouseButton button, uint8_t, int32_t x, int32_t y) {
  if (TestPlaying()) return testPlay_->MouseUp(button, x, y);
  if (button == MouseButton::Middle) panning_ = false;
  if (button == MouseButton::Left && (painting_ || dragging_)) {
    painting_ = dragging_ = false;
    history_.Commit();
    Changed();
    return;
  }
  screen_->MouseUp(ButtonNumber(button), x, y);
}

void LakeEditor::OnWheel(int32_t delta, int32_t x, int32_t y) {
  if (TestPlaying()) return;
  if (x >= kViewRight && y >= kPaletteTop && tool_ != EditTool::Objects) {
    const int32_t rows = (DXTileList.Count() + kPaletteColumns - 1) / kPaletteColumns;
    paletteTop_ = std::clamp(paletteTop_ + (delta > 0 ? -1 : 1), 0, std::max(0, rows - 1));
    screen_->Invalidate();
    return;
  }
  screen_->MouseMove(x, y);
  screen_->Wheel(delta);
}

void LakeEditor::OnClose() {
  closed_ = true;
  if (testPlay_) testPlay_->Abandon();
  DXTimer.SetEnabled(false);
  DXCastTimer.SetEnabled(false);
  // The window closes whatever is asked; work not saved is kept apart in
  // "unsaved" beside the maker's lakes (outside their catalogue), whence
  // --import brings it back.
  history_.Commit();
  if (!history_.Modified()) return;
  const std::string folder = JoinPath(
      paths_.PlayerLakes.empty() ? JoinPath(paths_.Data, "lakes") : paths_.PlayerLakes, "unsaved");
  try {
    doc_->Save(folder);
    LogNote("Unsaved changes to " + doc_->Name() + " kept in " + folder);
  } catch (const std::exception& e) {
    LogError(std::string("Unsaved changes to ") + doc_->Name() + " are lost: " + e.what());
  }
}

// ---- tools ----

int32_t LakeEditor::ObjectAt(const CellRef& cell) const {
  const MapObjects& placed = doc_->Objects();
  // The object drawn on top (the highest slot) is the one picked.
  for (int32_t i = kMapObjectCount - 1; i >= 0; --i) {
    const MapObject& o = placed[static_cast<size_t>(i)];
    if (!o.Kind.empty() && o.X == cell.Column && o.Y == cell.Row) return i;
  }
  return -1;
}

int32_t LakeEditor::FreeSlot() const {
  const MapObjects& placed = doc_->Objects();
  for (int32_t i = 0; i < kMapObjectCount; ++i)
    if (placed[static_cast<size_t>(i)].Kind.empty()) return i;
  return -1;
}

void LakeEditor::PlaceObject(int32_t slot, const CellRef& cell) {
  MapObject& o = doc_->Objects()[static_cast<size_t>(slot)];
  o.X = cell.Column;
  o.Y = cell.Row;
  if (o.Kind != "levelstart") return;
  // The boat starts at the corner point of (X, Y); choose the X and Y whose
  // point lies in the cell the maker pointed at.
  const MapHeader& h = doc_->Header();
  for (int32_t dy = 0; dy <= 2; ++dy)
    for (int32_t dx = 0; dx <= 1; ++dx) {
      const MapPick p =
          PickCell(h, (cell.Column + dx) * h.TileWidth, (cell.Row + dy) * (h.TileHeight / 2));
      if (p.Column == cell.Column && p.Row == cell.Row) {
        o.X = cell.Column + dx;
        o.Y = cell.Row + dy;
        return;
      }
    }
}

void LakeEditor::ObjectClick(const CellRef& cell) {
  const int32_t here = ObjectAt(cell);
  if (here >= 0) {
    selected_ = here;
    dragging_ = true;
    history_.Begin("Move object");
    SetStatus("Slot " + std::to_string(here) + ": drag to move, Enter to edit, Delete to remove");
    return;
  }
  const ObjectKindInfo& info = EditorObjectKinds()[kindIndex_];
  int32_t slot = -1;
  if (std::string(info.Kind) == "levelstart") {
    const BoatStart start = FindBoatStart(*doc_);
    if (start.Placed) slot = start.Slot;
  }
  if (slot < 0) slot = FreeSlot();
  if (slot < 0) {
    SetStatus("All 65 object slots are in use");
    return;
  }
  history_.Begin(std::string("Place ") + info.Caption);
  history_.TouchObjects();
  MapObject& o = doc_->Objects()[static_cast<size_t>(slot)];
  if (o.Kind != info.Kind) o = MapObject{};
  o.Kind = info.Kind;
  o.Active = 1;
  if (o.Kind == "treasure" && o.Param.empty()) o.Param = "100";
  if (o.Kind == "moretime" && o.Param.empty()) o.Param = "30";
  if (o.Kind == "singlefish" || o.Kind == "monster") {
    // The next fish (or monster) slot no other placed one uses.
    const MapObjects& all = doc_->Objects();
    for (int32_t n = 0; n < kMaxSwimmers && o.Param.empty(); ++n) {
      const std::string p = std::to_string(n);
      if (std::none_of(all.begin(), all.end(),
                       [&](const MapObject& m) { return m.Kind == o.Kind && m.Param == p; }))
        o.Param = p;
    }
  }
  PlaceObject(slot, cell);
  // Signs and pick-ups show as their tile on the water, as the data tool
  // lays them.
  if (info.Tile >= 0 && IsWaterTile(doc_->Tile(cell.Column, cell.Row)))
    history_.SetTile(cell.Column, cell.Row, info.Tile);
  history_.Commit();
  selected_ = slot;
  Changed();
  SetStatus(std::string(info.Caption) + " in slot " + std::to_string(slot));
  if (o.Kind == "buoy" || o.Kind == "talk") EditObject(slot);
}

void LakeEditor::ApplyTool(int32_t x, int32_t y, bool first) {
  const std::optional<CellRef> cell = CellAt(x, y);
  if (!cell) return;
  if (tool_ == EditTool::Objects) {
    if (first) ObjectClick(*cell);
    return;
  }
  if (first) {
    static const char* names[] = {"Paint", "Water", "Land", "Fill", "Erase", ""};
    history_.Begin(names[static_cast<size_t>(tool_)]);
    painting_ = true;
  }
  switch (tool_) {
    case EditTool::Tile:
      PaintTiles(history_, cell->Column, cell->Row, brush_, paletteTile_);
      break;
    case EditTool::Water:
    case EditTool::Land:
      PaintShore(history_, cell->Column, cell->Row, brush_, tool_ == EditTool::Water);
      break;
    case EditTool::Fill:
      if (first) FillArea(history_, cell->Column, cell->Row, paletteTile_);
      break;
    case EditTool::Erase:
      PaintTiles(history_, cell->Column, cell->Row, brush_, -1);
      break;
    case EditTool::Objects:
      break;
  }
  overviewStale_ = true;
  screen_->Invalidate();
}

}  // namespace tw
