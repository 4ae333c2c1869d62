// The editor's window: its controls, and each frame's picture: the lake as
// the game draws it, the objects with their labels, the grid and the cell
// under the pointer, the overview, the palette and the sign preview.
#include <algorithm>
#include <cstdlib>

#include "editor/lake_editor.h"
#include "editor/test_play.h"
#include "media/draw.h"
#include "play/render.h"
#include "ui/canvas.h"
#include "world/font_text.h"
#include "world/lake_preview.h"
#include "world/sign_text.h"

namespace tw {

namespace {

constexpr Rgb kLabel{255, 255, 160}, kSelected{255, 80, 60}, kGrid{40, 60, 40},
    kCursorCell{255, 255, 255};

// A diamond's outline around the centre (x, y).
void Diamond(Canvas& c, int32_t x, int32_t y, int32_t w, int32_t h, Rgb colour) {
  c.Line(x - w / 2, y, x, y - h / 2, colour);
  c.Line(x, y - h / 2, x + w / 2, y, colour);
  c.Line(x + w / 2, y, x, y + h / 2, colour);
  c.Line(x, y + h / 2, x - w / 2, y, colour);
}

std::string ObjectLabel(const MapObject& o) {
  if (o.Kind == "levelstart") return "start";
  if (o.Kind == "singlefish") return "fish " + o.Param;
  if (o.Kind == "monster") return "monster " + o.Param;
  if (o.Kind == "buoy") return "sign";
  if (o.Kind == "talk") return "person";
  if (o.Kind == "treasure") return "$" + o.Param;
  if (o.Kind == "moretime") return o.Param + "s";
  return o.Kind;
}

}  // namespace

void LakeEditor::Build() {
  Control& root = screen_->Root();
  const struct {
    Button** button;
    const char* name;
    const char* caption;
    const char* hint;
    std::function<void()> click;
  } bar[] = {
      {&newbutton, "newbutton", "New", "A new lake (Ctrl+N)", [this] { ShowNewBox(); }},
      {&openbutton, "openbutton", "Open", "Open a lake (Ctrl+O)", [this] { ShowOpenBox(); }},
      {&savebutton, "savebutton", "Save", "Save into your lakes (Ctrl+S)", [this] { SaveLake(); }},
      {&rulesbutton, "rulesbutton", "Rules", "The lake's rules (F8)", [this] { ShowRulesBox(); }},
      {&checkbutton, "checkbutton", "Check", "List the lake's problems (F7)",
       [this] { ShowProblems(); }},
      {&playbutton, "playbutton", "Play", "Test-play this lake (F5)", [this] { TestPlayLake(); }},
      {&undobutton, "undobutton", "Undo", "Undo (Ctrl+Z)", [this] { Undo(); }},
      {&redobutton, "redobutton", "Redo", "Redo (Ctrl+Y)", [this] { Redo(); }},
      {&gridbutton, "gridbutton", "Grid", "Grid and cell under the pointer (G)",
       [this] {
         grid_ = !grid_;
         screen_->Invalidate();
       }},
  };
  Panel& toolbar = root.Add<Panel>("toolbar");
  toolbar.SetBounds(0, 0, kScreenWidth, kViewTop);
  toolbar.Fill = kMenuFace;
  toolbar.Framed = false;
  int32_t x = 2;
  for (const auto& b : bar) {
    Button& button = root.Add<Button>(b.name);
    button.SetBounds(x, 2, 62, 20);
    button.Caption = b.caption;
    button.Hint = b.hint;
    button.FontName = "sans-11";
    button.TabStop = false;
    button.OnClick = b.click;
    *b.button = &button;
    x += 66;
  }
  Panel& side = root.Add<Panel>("side");
  side.SetBounds(kViewRight, kViewTop, kScreenWidth - kViewRight, kViewBottom - kViewTop);
  side.Fill = kMenuFace;
  side.Caption = "";
  BuildSidePanel(side);
  status = &root.Add<Panel>("status");
  status->SetBounds(0, kViewBottom, kScreenWidth, kScreenHeight - kViewBottom);
  status->Alignment = Align::Left;
  status->FontName = "sans-11";
}

void LakeEditor::BuildSidePanel(Control& side) {
  const struct {
    const char* caption;
    EditTool tool;
  } tools[] = {{"Tile", EditTool::Tile},   {"Water", EditTool::Water},
               {"Land", EditTool::Land},   {"Fill", EditTool::Fill},
               {"Erase", EditTool::Erase}, {"Objects", EditTool::Objects}};
  GroupBox& toolBox = side.Add<GroupBox>("tools");
  toolBox.SetBounds(2, 0, 160, 72);
  toolBox.Caption = "Tool";
  for (size_t i = 0; i < std::size(tools); ++i) {
    RadioButton& r = toolBox.Add<RadioButton>(std::string("tool") + tools[i].caption);
    r.SetBounds(6 + static_cast<int32_t>(i % 2) * 76, 16 + static_cast<int32_t>(i / 2) * 18, 74,
                16);
    r.Caption = tools[i].caption;
    r.FontName = "sans-11";
    const EditTool tool = tools[i].tool;
    r.OnClick = [this, tool] { SetTool(tool); };
    toolRadios.push_back(&r);
  }
  GroupBox& brushBox = side.Add<GroupBox>("brush");
  brushBox.SetBounds(2, 72, 160, 28);
  brushBox.Caption = "";
  Label& brushLabel = brushBox.Add<Label>("brushlabel");
  brushLabel.SetBounds(6, 8, 40, 16);
  brushLabel.Caption = "Brush";
  brushLabel.FontName = "sans-11";
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t size = 1 + 2 * i;
    RadioButton& r = brushBox.Add<RadioButton>("brush" + std::to_string(size));
    r.SetBounds(48 + i * 36, 8, 34, 16);
    r.Caption = std::to_string(size);
    r.FontName = "sans-11";
    r.OnClick = [this, size] { brush_ = size; };
    brushRadios.push_back(&r);
  }
  brushRadios[1]->SetChecked(true);
  toolRadios[1]->SetChecked(true);

  kinds = &side.Add<ListBox>("kinds");
  kinds->SetBounds(4, kPaletteTop - kViewTop, 156, 136);
  kinds->FontName = "sans-11";
  std::vector<std::string> captions;
  for (const ObjectKindInfo& k : EditorObjectKinds()) captions.push_back(k.Caption);
  kinds->SetItems(captions);
  kinds->SetItemIndex(0);
  kinds->OnClick = [this] {
    if (kinds->ItemIndex() >= 0) kindIndex_ = static_cast<size_t>(kinds->ItemIndex());
  };
  kinds->Hide();
}

bool LakeEditor::InOverview(int32_t x, int32_t y) const {
  return x >= kOverviewLeft && y >= kOverviewTop && x < kOverviewLeft + kOverviewWidth &&
         y < kOverviewTop + kOverviewHeight;
}

int32_t LakeEditor::PaletteTileAt(int32_t x, int32_t y) const {
  if (x < kPaletteLeft || y < kPaletteTop) return -1;
  const int32_t col = (x - kPaletteLeft) / kPaletteCellW, row = (y - kPaletteTop) / kPaletteCellH;
  if (col >= kPaletteColumns || row >= kPaletteRows) return -1;
  const int32_t tile = (row + paletteTop_) * kPaletteColumns + col;
  return tile < DXTileList.Count() ? tile : -1;
}

void LakeEditor::Paint() {
  if (closed_ || TestPlaying() || !ctx_ || !DXDraw.Initialized() || !DXDraw.CanDraw()) return;
  Surface16& target = DXDraw.Surface();
  target.Fill(0);
  DrawMap(*ctx_);
  PaintObjects(target);
  PaintOverlay(target);
  if (undobutton) {
    undobutton->SetEnabled(history_.CanUndo());
    redobutton->SetEnabled(history_.CanRedo());
  }
  screen_->Paint(target);
  if (tool_ != EditTool::Objects && &screen_->TopLayer() == &screen_->Root()) PaintPalette(target);
  if (editObject_ >= 0) PaintSignPreview(target);
  DXDraw.Flip();
}

void LakeEditor::PaintObjects(Surface16& target) {
  const GameState& s = doc_->State();
  Canvas c(target, *fonts_);
  c.SetClip(Rect{kViewLeft, kViewTop, kViewRight, kViewBottom});
  const MapObjects& all = doc_->Objects();
  const int32_t tileW = s.TileWidth(), halfH = s.TileHeight() / 2;
  for (int32_t i = 0; i < kMapObjectCount; ++i) {
    const MapObject& o = all[static_cast<size_t>(i)];
    // Objects far off the map (a hand-made map may hold them) are not drawn.
    if (o.Kind.empty() || std::abs(o.X) > kMapCols || std::abs(o.Y) > kMapRows) continue;
    int32_t x, y;
    CellPoint(o.X, o.Y, x, y);
    // Set-up puts the boat, the fish and the monsters at these points.
    int32_t px = x, py = y;
    const char* picture = nullptr;
    int32_t frame = 0;
    if (o.Kind == "levelstart") {
      px = o.X * tileW - s.ViewX, py = o.Y * halfH - s.ViewY;
      picture = "boat1", frame = 31;
    } else if (o.Kind == "singlefish" || o.Kind == "monster") {
      px = (o.X + 1) * tileW - s.ViewX, py = (o.Y + 1) * halfH - s.ViewY;
      picture = o.Kind == "singlefish" ? "fish" : nullptr;
    } else if (o.Kind == "talk") {
      picture = "fishguy";
    }
    std::string name = picture ? picture : "";
    if (o.Kind == "monster")
      name =
          objects.IndexOf(doc_->Rules().MonsterKind) >= 0 ? doc_->Rules().MonsterKind : "Monster";
    if (!name.empty() && objects.IndexOf(name) >= 0) {
      TPictureCollectionItem& item = objects.Find(name);
      if (px > -200 && py > -200 && px < kViewRight + 200 && py < kViewBottom + 200)
        item.Draw(target, px - item.FrameWidth() / 2, py - item.FrameHeight() / 2, frame);
    }
    const Rgb colour = i == selected_ ? kSelected : kLabel;
    Diamond(c, x, y, tileW - 8, s.TileHeight() - 4, colour);
    const std::string label = ObjectLabel(o) + " #" + std::to_string(i);
    const Font& f = c.GetFont("sans-11b");
    const int32_t w = f.TextWidth(label);
    c.FillRect(x - w / 2 - 2, y + 8, w + 4, f.CellHeight, kMenuWindow);
    c.DrawText(f, x - w / 2, y + 8, label, colour);
  }
}

void LakeEditor::PaintOverlay(Surface16& target) {
  const GameState& s = doc_->State();
  Canvas c(target, *fonts_);
  c.SetClip(Rect{kViewLeft, kViewTop, kViewRight, kViewBottom});
  const std::optional<CellRef> under = CellAt(mouseX_, mouseY_);
  if (grid_) {
    const int32_t halfH = s.TileHeight() / 2;
    const int32_t r0 = std::max(0, s.ViewY / halfH - 2),
                  c0 = std::max(0, s.ViewX / s.TileWidth() - 2);
    const int32_t r1 = std::min(s.MapMaxRow(), r0 + (kViewBottom / halfH) + 4);
    const int32_t c1 = std::min(s.MapMaxCol(), c0 + kViewRight / s.TileWidth() + 4);
    for (int32_t r = r0; r <= r1; ++r)
      for (int32_t col = c0; col <= c1; ++col) {
        int32_t x, y;
        CellPoint(col, r, x, y);
        Diamond(c, x, y, s.TileWidth(), s.TileHeight(), kGrid);
      }
  }
  if (under && &screen_->TopLayer() == &screen_->Root()) {
    int32_t x, y;
    CellPoint(under->Column, under->Row, x, y);
    if (tool_ != EditTool::Objects && tool_ != EditTool::Fill) {
      for (const CellRef& cell : BrushCells(*doc_, under->Column, under->Row, brush_)) {
        int32_t bx, by;
        CellPoint(cell.Column, cell.Row, bx, by);
        Diamond(c, bx, by, s.TileWidth(), s.TileHeight(), kCursorCell);
      }
    } else {
      Diamond(c, x, y, s.TileWidth(), s.TileHeight(), kCursorCell);
    }
    if (grid_) {
      const std::string where = "column " + std::to_string(under->Column) + ", row " +
                                std::to_string(under->Row) + ", tile " +
                                std::to_string(doc_->Tile(under->Column, under->Row));
      const Font& f = c.GetFont("sans-11b");
      c.FillRect(kViewRight - f.TextWidth(where) - 8, kViewTop + 2, f.TextWidth(where) + 6,
                 f.CellHeight + 2, kMenuWindow);
      c.DrawText(f, kViewRight - f.TextWidth(where) - 5, kViewTop + 3, where, kLabel);
    }
  }
  // The overview: the whole lake, as its preview draws it, and the part in view.
  if (overviewStale_) {
    overview_ = doc_->Preview(kOverviewWidth, kOverviewHeight, 1).Pixels;
    overviewStale_ = false;
  }
  c.SetClip(Rect{0, 0, kScreenWidth, kScreenHeight});
  c.DrawImage(kOverviewLeft, kOverviewTop, kOverviewWidth, kOverviewHeight, overview_.data());
  c.FrameRect(kOverviewLeft - 1, kOverviewTop - 1, kOverviewWidth + 2, kOverviewHeight + 2,
              kMenuText);
  const PreviewFit fit = FitPreview(s.Header, kOverviewWidth, kOverviewHeight);
  c.SetClip(Rect{kOverviewLeft, kOverviewTop, kOverviewLeft + kOverviewWidth,
                 kOverviewTop + kOverviewHeight});
  c.FrameRect(kOverviewLeft + static_cast<int32_t>(fit.OffsetX + s.ViewX * fit.Scale),
              kOverviewTop + static_cast<int32_t>(fit.OffsetY + (s.ViewY + kViewTop) * fit.Scale),
              std::max(2, static_cast<int32_t>((kViewRight - kViewLeft) * fit.Scale)),
              std::max(2, static_cast<int32_t>((kViewBottom - kViewTop) * fit.Scale)), kCursorCell);
}

void LakeEditor::PaintPalette(Surface16& target) {
  Canvas c(target, *fonts_);
  const int32_t count = DXTileList.Count();
  for (int32_t row = 0; row < kPaletteRows; ++row)
    for (int32_t col = 0; col < kPaletteColumns; ++col) {
      const int32_t tile = (row + paletteTop_) * kPaletteColumns + col;
      if (tile >= count) continue;
      const int32_t x = kPaletteLeft + col * kPaletteCellW, y = kPaletteTop + row * kPaletteCellH;
      TPictureCollectionItem& item = DXTileList.Items(tile);
      const int32_t fw = std::max(1, item.FrameWidth()), fh = std::max(1, item.FrameHeight());
      // Scaled to the cell's width, standing on its bottom edge.
      const int32_t w = kPaletteCellW - 2, h = std::min(kPaletteCellH - 2, fh * w / fw);
      item.StretchDraw(target,
                       Rect{x + 1, y + kPaletteCellH - 1 - h, x + 1 + w, y + kPaletteCellH - 1}, 0);
      if (tile == paletteTile_) c.FrameRect(x, y, kPaletteCellW, kPaletteCellH, kSelected);
    }
}

void LakeEditor::PaintSignPreview(Surface16& target) {
  // The pop-up exactly where play shows it, with the text wrapped as play
  // wraps it.
  const bool sign = editKind_ == "buoy";
  if (!sign && editKind_ != "talk") return;
  const SignBoard& board = sign ? kSignBoard : kPersonBoard;
  if (objects.IndexOf(board.Picture) < 0 || objects.IndexOf("fishdash") < 0) return;
  TPictureCollectionItem& picture = objects.Find(board.Picture);
  const int32_t dash = objects.Find("fishdash").FrameHeight();
  picture.Draw(target, (target.Width() - picture.FrameWidth()) / 2,
               (target.Height() - dash - picture.FrameHeight()) / 2, 0);
  if (objects.IndexOf(kSignFont) >= 0)
    DrawWrapped(target, objects, kSignFont, editText_, board.TextX, board.TextY, board.Columns);
}

}  // namespace tw
