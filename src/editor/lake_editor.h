// The lake editor's window: the lake drawn as in play with its animated
// water, the tool bar, the tile palette and the object kinds, the overview
// in a corner, the status line, and the boxes for a new lake, opening one,
// an object, the rules and the problem list. Every key and mouse event of
// the window comes through the application loop as in the game.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "core/paths.h"
#include "core/random.h"
#include "editor/brushes.h"
#include "editor/edit_history.h"
#include "editor/lake_document.h"
#include "editor/lake_problems.h"
#include "media/audio_output.h"
#include "media/draw.h"
#include "media/image_list.h"
#include "media/sound.h"
#include "media/timer.h"
#include "media/wave_list.h"
#include "play/context.h"
#include "ui/buttons.h"
#include "ui/lists.h"
#include "ui/modal.h"
#include "ui/panels.h"
#include "ui/screen.h"

namespace tw {

class TestPlay;

enum class EditTool : uint8_t { Tile, Water, Land, Fill, Erase, Objects };

// The kinds of object the editor places, in the order its list shows them.
struct ObjectKindInfo {
  const char* Kind;     // as the map stores it
  const char* Caption;  // as the maker reads it
  const char* Picture;  // the game's sprite for it, or null when a tile shows it
  int32_t Tile;         // the tile that shows it on water (-1: none)
};
const std::vector<ObjectKindInfo>& EditorObjectKinds();

class LakeEditor : public EventSink {
 public:
  // The map view's place in the window.
  static constexpr int32_t kViewLeft = 0, kViewTop = 24, kViewRight = 476, kViewBottom = 456;
  static constexpr int32_t kEdgeScroll = 8;  // pixels from a view edge that scroll it
  // The overview of the whole lake in the view's lower left corner.
  static constexpr int32_t kOverviewWidth = 100, kOverviewHeight = 99;
  static constexpr int32_t kOverviewLeft = kViewLeft + 4;
  static constexpr int32_t kOverviewTop = kViewBottom - kOverviewHeight - 4;
  // The tile palette in the side panel.
  static constexpr int32_t kPaletteLeft = 478, kPaletteTop = 124, kPaletteColumns = 5;
  static constexpr int32_t kPaletteCellW = 32, kPaletteCellH = 26, kPaletteRows = 12;

  LakeEditor(Application& app, AudioOutput& audio, GamePaths paths);
  ~LakeEditor() override;
  LakeEditor(const LakeEditor&) = delete;
  LakeEditor& operator=(const LakeEditor&) = delete;

  // Takes the display and starts on `lake` (opened from the player's lakes
  // or the game's), or on a new lake when empty.
  void Start(const std::string& lake);
  // One pass of the program's loop: events or a tick, then a repaint.
  void RunOnce();
  // Dialogs run their loop here; tests may put in a script.
  void SetModalHost(ModalHost* host) { modalHost_ = host; }

  // ---- what the buttons and keys do ----
  void NewLake(const std::string& name, int32_t columns, int32_t rows, const std::string& lib);
  void OpenLake(const std::string& name);
  // Saves into the player's lakes folder; the status line says how it went.
  void SaveLake();
  void ShowNewBox();
  void ShowOpenBox();
  void ShowRulesBox();
  void ShowProblems();
  void EditObject(int32_t slot);
  void Undo();
  void Redo();
  void TestPlayLake();
  void CentreOn(int32_t column, int32_t row);

  // ---- EventSink ----
  void OnKeyDown(uint16_t key, uint8_t shift) override;
  void OnKeyUp(uint16_t key, uint8_t shift) override;
  void OnText(const char* utf8) override;
  void OnMouseMove(uint8_t shift, int32_t x, int32_t y) override;
  void OnMouseDown(MouseButton button, uint8_t shift, int32_t x, int32_t y) override;
  void OnMouseUp(MouseButton button, uint8_t shift, int32_t x, int32_t y) override;
  void OnWheel(int32_t delta, int32_t x, int32_t y) override;
  void OnClose() override;

  // ---- state, for the tests and the boxes ----
  LakeDocument& Document() { return *doc_; }
  EditHistory& History() { return history_; }
  const GamePaths& Paths() const { return paths_; }
  Screen& GetScreen() { return *screen_; }
  TDXDraw& Draw() { return DXDraw; }
  const std::string& StatusText() const { return statusText_; }
  const std::vector<LakeProblem>& Problems() const { return problems_; }
  EditTool Tool() const { return tool_; }
  int32_t SelectedSlot() const { return selected_; }
  bool Closed() const { return closed_; }
  bool TestPlaying() const;
  // The cell under a point of the window (nothing off the view or the map).
  std::optional<CellRef> CellAt(int32_t x, int32_t y) const;
  // The window point at the centre of a cell.
  void CellPoint(int32_t column, int32_t row, int32_t& x, int32_t& y) const;

  TDXDraw DXDraw;
  TDXTimer DXTimer;      // the editor's frames; the tournament's own during test-play
  TDXTimer DXCastTimer;  // the strike, during test-play
  TDXSound DXSound;
  TDXWaveList sounds, background;
  TDXImageList objects, DXTileList;

  // Controls, by name.
  Button *newbutton = nullptr, *openbutton = nullptr, *savebutton = nullptr, *rulesbutton = nullptr,
         *checkbutton = nullptr, *playbutton = nullptr, *undobutton = nullptr,
         *redobutton = nullptr, *gridbutton = nullptr;
  std::vector<RadioButton*> toolRadios, brushRadios;
  ListBox* kinds = nullptr;
  Panel* status = nullptr;

 private:
  friend class TestPlay;
  void Build();
  void BuildSidePanel(Control& side);
  void LoadLibraries();
  void Adopt(LakeDocument doc);
  void SetTool(EditTool tool);
  void Tick();
  void Paint();
  void PaintMap();
  void PaintObjects(Surface16& target);
  void PaintOverlay(Surface16& target);
  void PaintPalette(Surface16& target);
  void PaintSignPreview(Surface16& target);
  void Changed();
  void SetStatus(const std::string& text);
  void ClampView();
  bool InView(int32_t x, int32_t y) const;
  bool InOverview(int32_t x, int32_t y) const;
  int32_t PaletteTileAt(int32_t x, int32_t y) const;
  void ApplyTool(int32_t x, int32_t y, bool first);
  void ObjectClick(const CellRef& cell);
  int32_t ObjectAt(const CellRef& cell) const;
  int32_t FreeSlot() const;
  void PlaceObject(int32_t slot, const CellRef& cell);
  void MoveObject(int32_t slot, const CellRef& cell);
  void DeleteSelected();
  ModalHost& Host();
  // Asks before unsaved changes are dropped; true when they may be.
  bool ConfirmDiscard();

  Application& app_;
  Platform& platform_;
  GamePaths paths_;
  std::unique_ptr<FontSet> fonts_;
  std::unique_ptr<Screen> screen_;
  std::unique_ptr<LakeDocument> doc_;
  EditHistory history_;
  Random rng_;
  std::optional<PlayContext> ctx_;  // the map drawing's view of the document
  std::unique_ptr<ModalHost> appHost_;
  ModalHost* modalHost_ = nullptr;
  std::unique_ptr<TestPlay> testPlay_;
  std::string loadedLibrary_;

  EditTool tool_ = EditTool::Water;
  int32_t brush_ = 3;
  int32_t paletteTile_ = 0;
  int32_t paletteTop_ = 0;  // first palette row shown
  size_t kindIndex_ = 0;
  int32_t selected_ = -1;
  bool grid_ = false;
  bool painting_ = false;
  bool dragging_ = false;  // moving the selected object
  bool panning_ = false;   // middle button held
  int32_t panX_ = 0, panY_ = 0;
  int32_t mouseX_ = -1, mouseY_ = -1;
  std::string statusText_;
  std::vector<LakeProblem> problems_;
  std::vector<uint32_t> overview_;
  bool overviewStale_ = true;
  int32_t editObject_ = -1;  // the object whose box is up
  std::string editKind_, editText_;
  bool closed_ = false;
};

}  // namespace tw
