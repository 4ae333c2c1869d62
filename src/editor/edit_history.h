// Undo and redo: every change to a lake goes through one open step (a stroke
// of a brush, a fill, an object placed or edited, the rules changed), which
// remembers what it replaced. Undo puts a step's old values back, redo its
// new ones. At least the last kDepth steps are kept.
#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "editor/lake_document.h"

namespace tw {

struct CellChange {
  int32_t Column = 0, Row = 0, Before = 0, After = 0;
};

struct EditStep {
  std::string What;  // "Paint", "Fill", "Place sign" ...
  std::vector<CellChange> Cells;
  std::shared_ptr<const MapObjects> ObjectsBefore, ObjectsAfter;
  std::optional<LakeDefinition> RulesBefore, RulesAfter;
  bool Empty() const { return Cells.empty() && !ObjectsBefore && !RulesBefore; }
};

class EditHistory {
 public:
  static constexpr size_t kDepth = 200;

  explicit EditHistory(LakeDocument& doc) : doc_(&doc) {}
  // Starts over with another document (nothing to undo).
  void Reset(LakeDocument& doc);
  LakeDocument& Document() { return *doc_; }

  // Opens a step; changes made until Commit belong to it. A step still open
  // is committed first.
  void Begin(const std::string& what);
  bool Open() const { return open_.has_value(); }
  // Changes inside the open step (one is opened, named `what` of the call,
  // when none is).
  void SetTile(int32_t c, int32_t r, int32_t tile);
  // Call before changing the objects or the rules in place.
  void TouchObjects();
  void TouchRules();
  // Closes the step: kept when it changed anything, and then nothing can be
  // redone any more.
  void Commit();

  bool CanUndo() const { return !done_.empty(); }
  bool CanRedo() const { return !undone_.empty(); }
  const std::string& UndoName() const;
  const std::string& RedoName() const;
  bool Undo();
  bool Redo();
  size_t UndoDepth() const { return done_.size(); }

  // Whether the lake differs from what was last saved or opened.
  bool Modified() const { return savedAt_ != position_; }
  void MarkSaved() { savedAt_ = position_; }

 private:
  void Apply(const EditStep& step, bool forward);
  // Undo (forward false) or redo: the newest step of `from` applied and
  // moved, with its number, to `to`.
  bool Move(std::deque<EditStep>& from, std::deque<int64_t>& fromIds, std::deque<EditStep>& to,
            std::deque<int64_t>& toIds, bool forward);

  LakeDocument* doc_;
  std::optional<EditStep> open_;
  std::unordered_map<int64_t, size_t> openCells_;  // cell -> index in open_->Cells
  std::deque<EditStep> done_, undone_;
  // Counts steps made and undone, so "modified" survives undo and redo; a
  // step dropped off the bottom can never be undone back to the saved state.
  int64_t position_ = 0, savedAt_ = 0, nextId_ = 1;
  std::deque<int64_t> doneIds_, undoneIds_;
};

}  // namespace tw
