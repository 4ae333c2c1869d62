#include "editor/lake_editor.h"

#include <algorithm>

#include "core/error.h"
#include "core/files.h"
#include "core/log.h"
#include "editor/brushes.h"
#include "editor/test_play.h"
#include "play/render.h"
#include "ui/font.h"
#include "world/iso_math.h"
#include "world/lake_preview.h"

namespace tw {

namespace {

// The view moves this far per frame while the pointer rests at an edge.
constexpr int32_t kEdgeStep = 12;

// Runs the boxes' loop in the application, repainting the editor.
class EditorHost : public ModalHost {
 public:
  explicit EditorHost(LakeEditor& editor, Application& app) : editor_(editor), app_(app) {}
  void RunModal(const std::function<bool()>& done) override {
    app_.RunModal([this, &done] {
      editor_.GetScreen().Tick(app_.GetPlatform().Milliseconds());
      editor_.RunOnce();
      return done();
    });
  }

 private:
  LakeEditor& editor_;
  Application& app_;
};

}  // namespace

const std::vector<ObjectKindInfo>& EditorObjectKinds() {
  static const std::vector<ObjectKindInfo> kinds = {{"levelstart", "Boat start", "boat1", -1},
                                                    {"singlefish", "Fish", "fish", -1},
                                                    {"monster", "Monster", "", -1},
                                                    {"buoy", "Sign", nullptr, 48},
                                                    {"talk", "Person", "fishguy", -1},
                                                    {"treasure", "Treasure $", nullptr, 46},
                                                    {"moretime", "Time bonus s", nullptr, 47}};
  return kinds;
}

LakeEditor::LakeEditor(Application& app, AudioOutput& audio, GamePaths paths)
    : DXDraw(app.GetPlatform()),
      DXTimer(app.Timers()),
      DXCastTimer(app.Timers()),
      DXSound(audio),
      sounds(&DXSound),
      background(&DXSound),
      app_(app),
      platform_(app.GetPlatform()),
      paths_(std::move(paths)),
      fonts_(std::make_unique<FontSet>()),
      doc_(std::make_unique<LakeDocument>()),
      history_(*doc_) {
  fonts_->LoadFolder(paths_.Data);
  screen_ = std::make_unique<Screen>(*fonts_);
  appHost_ = std::make_unique<EditorHost>(*this, app_);
  background.Group = kMusicGroup;
  DXDraw.AddImageList(&objects);
  DXDraw.AddImageList(&DXTileList);
  DXTimer.SetInterval(33);
  DXTimer.OnTimer = [this](TDXTimer&, int32_t) { Tick(); };
  app_.ShowError = [this](const std::string& text) {
    if (DXDraw.Initialized() && !closed_ && !TestPlaying())
      ShowErrorBox(*screen_, Host(), text);
    else
      platform_.ShowErrorBox("Tarnwick lake editor", text);
  };
  Build();
  testPlay_ = std::make_unique<TestPlay>(*this, audio);
}

LakeEditor::~LakeEditor() {
  app_.ShowError = nullptr;
  testPlay_.reset();
  DXTimer.SetEnabled(false);
  DXCastTimer.SetEnabled(false);
  DXDraw.RemoveImageList(&objects);
  DXDraw.RemoveImageList(&DXTileList);
}

ModalHost& LakeEditor::Host() {
  return modalHost_ ? *modalHost_ : *appHost_;
}

bool LakeEditor::TestPlaying() const {
  return testPlay_ && testPlay_->Active();
}

void LakeEditor::Start(const std::string& lake) {
  DXDraw.Initialize();
  objects.LoadFromFile(JoinPath(paths_.Data, "objects.dxg"));
  DXTimer.SetEnabled(true);
  if (lake.empty()) return NewLake("New_Lake", 24, 96, "canada.dxg");
  const LakeFolders folders{paths_.Data, paths_.PlayerLakes};
  if (LakeNameFault(lake).empty() && !FileExists(LakePath(folders, lake, ".iso")) &&
      !FileExists(LakePath(folders, lake, ".ini"))) {
    // A lake that does not exist yet is begun under that name.
    NewLake(lake, 24, 96, "canada.dxg");
    return SetStatus("No lake " + lake + " yet: a new one, saved when you save");
  }
  try {
    OpenLake(lake);
  } catch (const std::exception& e) {
    // A damaged lake is not opened; the editor starts on a new one, and the
    // damaged files stay as they are.
    NewLake("New_Lake", 24, 96, "canada.dxg");
    app_.ReportError(e.what());
  }
}

void LakeEditor::RunOnce() {
  app_.HandleMessage();
  // A tournament that ended in its last frame gives the window back here.
  if (testPlay_->Ended()) testPlay_->Close();
  if (closed_ || TestPlaying()) return;
  screen_->Tick(platform_.Milliseconds());
  if (!DXTimer.Enabled() || screen_->NeedsPaint()) Paint();
}

// ---- documents ----

void LakeEditor::LoadLibraries() {
  const std::string& lib = doc_->Rules().ImageLib;
  if (lib == loadedLibrary_) return;
  if (lib.empty() || lib.find('/') != std::string::npos || lib.find('\\') != std::string::npos ||
      lib.find("..") != std::string::npos)
    throw GameError("The tile library \"" + lib + "\" must be a file of the data folder");
  DXTileList.LoadFromFile(JoinPath(paths_.Data, lib));
  loadedLibrary_ = lib;
  paletteTop_ = 0;
}

void LakeEditor::Adopt(LakeDocument doc) {
  history_.Commit();
  *doc_ = std::move(doc);
  history_.Reset(*doc_);
  ctx_.reset();
  ctx_.emplace(PlayContext{doc_->State(), DXDraw, objects, DXTileList, sounds, background, DXTimer,
                           DXCastTimer, rng_, PlayOptions{}, doc_->Name(), paths_.Data});
  loadedLibrary_.clear();
  LoadLibraries();
  selected_ = -1;
  problems_.clear();
  const BoatStart start = FindBoatStart(*doc_);
  CentreOn(start.Column, start.Row);
  Changed();
}

void LakeEditor::NewLake(const std::string& name, int32_t columns, int32_t rows,
                         const std::string& lib) {
  Adopt(LakeDocument::NewLake(name, columns, rows, lib));
  SetStatus("New lake " + name + ": " + std::to_string(columns) + " by " + std::to_string(rows) +
            " cells");
}

void LakeEditor::OpenLake(const std::string& name) {
  Adopt(LakeDocument::Open(LakeFolders{paths_.Data, paths_.PlayerLakes}, name));
  SetStatus("Opened " + name);
}

void LakeEditor::SaveLake() {
  history_.Commit();
  const std::string folder =
      paths_.PlayerLakes.empty() ? JoinPath(paths_.Data, "lakes") : paths_.PlayerLakes;
  doc_->Save(folder);
  history_.MarkSaved();
  problems_ = CheckLake(*doc_);
  if (problems_.empty())
    SetStatus("Saved " + doc_->Name() + " in " + folder);
  else
    SetStatus("Saved " + doc_->Name() + " with " + std::to_string(problems_.size()) +
              (problems_.size() == 1 ? " problem" : " problems") + " (F7 lists them)");
}

void LakeEditor::TestPlayLake() {
  history_.Commit();
  testPlay_->Start();
}

void LakeEditor::DeleteSelected() {
  if (selected_ < 0) return;
  history_.Begin("Delete object");
  history_.TouchObjects();
  MapObject& o = doc_->Objects()[static_cast<size_t>(selected_)];
  // A sign's or pick-up's own tile goes back to plain water.
  for (const ObjectKindInfo& k : EditorObjectKinds())
    if (o.Kind == k.Kind && k.Tile >= 0 && doc_->Inside(o.X, o.Y) && doc_->Tile(o.X, o.Y) == k.Tile)
      history_.SetTile(o.X, o.Y, 3);
  o = MapObject{};
  history_.Commit();
  selected_ = -1;
  Changed();
}

void LakeEditor::MoveObject(int32_t slot, const CellRef& cell) {
  MapObject& o = doc_->Objects()[static_cast<size_t>(slot)];
  if (o.X == cell.Column && o.Y == cell.Row) return;
  history_.TouchObjects();
  // A sign's or pick-up's tile moves with it.
  for (const ObjectKindInfo& k : EditorObjectKinds()) {
    if (o.Kind != k.Kind || k.Tile < 0) continue;
    if (doc_->Inside(o.X, o.Y) && doc_->Tile(o.X, o.Y) == k.Tile) history_.SetTile(o.X, o.Y, 3);
    if (IsWaterTile(doc_->Tile(cell.Column, cell.Row)))
      history_.SetTile(cell.Column, cell.Row, k.Tile);
  }
  PlaceObject(slot, cell);
}

void LakeEditor::Undo() {
  if (history_.Undo()) {
    SetStatus("Undone: " + history_.RedoName());
    Changed();
  }
}

void LakeEditor::Redo() {
  if (history_.Redo()) {
    SetStatus("Redone: " + history_.UndoName());
    Changed();
  }
}

void LakeEditor::Changed() {
  overviewStale_ = true;
  if (selected_ >= 0 && doc_->Objects()[static_cast<size_t>(selected_)].Kind.empty())
    selected_ = -1;
  LoadLibraries();
  screen_->Invalidate();
}

void LakeEditor::SetStatus(const std::string& text) {
  statusText_ = text;
  if (status) status->SetCaption(text);
}

// ---- the view ----

void LakeEditor::CentreOn(int32_t column, int32_t row) {
  if (!ctx_) return;
  GameState& s = doc_->State();
  column = std::clamp(column, 0, doc_->Columns() - 1);
  row = std::clamp(row, 0, doc_->Rows() - 1);
  int32_t x, y;
  x = column * s.TileWidth() + (row & 1) * (s.TileWidth() / 2) + s.TileWidth() / 2;
  y = row * (s.TileHeight() / 2) + s.TileHeight() / 2;
  s.ViewX = x - (kViewLeft + kViewRight) / 2;
  s.ViewY = y - (kViewTop + kViewBottom) / 2;
  ClampView();
}

void LakeEditor::ClampView() {
  GameState& s = doc_->State();
  // The whole map and a little room around it can be brought into view.
  const int32_t worldW = (s.MapMaxCol() + 1) * s.TileWidth() + s.TileWidth() / 2;
  const int32_t worldH = (s.MapMaxRow() + 2) * (s.TileHeight() / 2);
  s.ViewX =
      std::clamp(s.ViewX, -kViewRight / 2, std::max(-kViewRight / 2, worldW - kViewRight / 2));
  s.ViewY = std::clamp(s.ViewY, -kViewBottom / 2 - kViewTop,
                       std::max(-kViewBottom / 2, worldH - kViewBottom / 2));
  screen_->Invalidate();
}

bool LakeEditor::InView(int32_t x, int32_t y) const {
  return x >= kViewLeft && x < kViewRight && y >= kViewTop && y < kViewBottom;
}

std::optional<CellRef> LakeEditor::CellAt(int32_t x, int32_t y) const {
  if (!InView(x, y)) return std::nullopt;
  const GameState& s = doc_->State();
  const int32_t wx = x + s.ViewX, wy = y + s.ViewY;
  // Outside the map's pictures no cell is under the point (the game's
  // picking would answer column 0, row 0 there).
  if (wx < 0 || wy < 0) return std::nullopt;
  const MapPick pick = PickCell(s.Header, wx, wy);
  int32_t cx, cy;
  CellPoint(pick.Column, pick.Row, cx, cy);
  if (std::abs(cx - x) > s.TileWidth() || std::abs(cy - y) > s.TileHeight()) return std::nullopt;
  return CellRef{pick.Column, pick.Row};
}

void LakeEditor::CellPoint(int32_t column, int32_t row, int32_t& x, int32_t& y) const {
  const GameState& s = doc_->State();
  x = column * s.TileWidth() + (row & 1) * (s.TileWidth() / 2) + s.TileWidth() / 2 - s.ViewX;
  y = row * (s.TileHeight() / 2) + s.TileHeight() / 2 - s.ViewY;
}

void LakeEditor::Tick() {
  if (closed_) return;
  // The screen edges scroll the view while the pointer rests there.
  if (InView(mouseX_, mouseY_) && !painting_ && !dragging_ &&
      &screen_->TopLayer() == &screen_->Root()) {
    GameState& s = doc_->State();
    const int32_t vx = s.ViewX, vy = s.ViewY;
    if (mouseX_ < kViewLeft + kEdgeScroll) s.ViewX -= kEdgeStep;
    if (mouseX_ >= kViewRight - kEdgeScroll) s.ViewX += kEdgeStep;
    if (mouseY_ < kViewTop + kEdgeScroll) s.ViewY -= kEdgeStep;
    if (mouseY_ >= kViewBottom - kEdgeScroll) s.ViewY += kEdgeStep;
    if (vx != s.ViewX || vy != s.ViewY) ClampView();
  }
  Paint();
}

}  // namespace tw
