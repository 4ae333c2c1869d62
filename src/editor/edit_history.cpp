#include "editor/edit_history.h"

namespace tw {

namespace {
const std::string kNothing;

int64_t CellKey(int32_t c, int32_t r) {
  return (int64_t{c} << 32) | static_cast<uint32_t>(r);
}
}  // namespace

void EditHistory::Reset(LakeDocument& doc) {
  doc_ = &doc;
  open_.reset();
  openCells_.clear();
  done_.clear();
  undone_.clear();
  doneIds_.clear();
  undoneIds_.clear();
  position_ = savedAt_ = 0;
}

void EditHistory::Begin(const std::string& what) {
  Commit();
  open_.emplace();
  open_->What = what;
}

void EditHistory::SetTile(int32_t c, int32_t r, int32_t tile) {
  if (!doc_->Inside(c, r)) return;
  if (!open_) Begin("Paint");
  const int32_t before = doc_->Tile(c, r);
  const auto [it, fresh] = openCells_.try_emplace(CellKey(c, r), open_->Cells.size());
  if (fresh) open_->Cells.push_back({c, r, before, tile});
  open_->Cells[it->second].After = tile;
  doc_->SetTile(c, r, tile);
}

void EditHistory::TouchObjects() {
  if (!open_) Begin("Objects");
  if (!open_->ObjectsBefore) open_->ObjectsBefore = std::make_shared<MapObjects>(doc_->Objects());
}

void EditHistory::TouchRules() {
  if (!open_) Begin("Rules");
  if (!open_->RulesBefore) open_->RulesBefore = doc_->Rules();
}

void EditHistory::Commit() {
  if (!open_) return;
  EditStep step = std::move(*open_);
  open_.reset();
  openCells_.clear();
  // Cells painted back to what they were are no change at all.
  std::erase_if(step.Cells, [](const CellChange& c) { return c.Before == c.After; });
  if (step.ObjectsBefore) {
    if (*step.ObjectsBefore == doc_->Objects())
      step.ObjectsBefore.reset();
    else
      step.ObjectsAfter = std::make_shared<MapObjects>(doc_->Objects());
  }
  if (step.RulesBefore) {
    if (*step.RulesBefore == doc_->Rules())
      step.RulesBefore.reset();
    else
      step.RulesAfter = doc_->Rules();
  }
  if (step.Empty()) return;
  done_.push_back(std::move(step));
  doneIds_.push_back(nextId_);
  position_ = nextId_++;
  undone_.clear();
  undoneIds_.clear();
  while (done_.size() > kDepth) {
    done_.pop_front();
    doneIds_.pop_front();
  }
}

const std::string& EditHistory::UndoName() const {
  return done_.empty() ? kNothing : done_.back().What;
}

const std::string& EditHistory::RedoName() const {
  return undone_.empty() ? kNothing : undone_.back().What;
}

bool EditHistory::Undo() {
  return Move(done_, doneIds_, undone_, undoneIds_, false);
}

bool EditHistory::Redo() {
  return Move(undone_, undoneIds_, done_, doneIds_, true);
}

bool EditHistory::Move(std::deque<EditStep>& from, std::deque<int64_t>& fromIds,
                       std::deque<EditStep>& to, std::deque<int64_t>& toIds, bool forward) {
  Commit();
  if (from.empty()) return false;
  Apply(from.back(), forward);
  to.push_back(std::move(from.back()));
  toIds.push_back(fromIds.back());
  from.pop_back();
  fromIds.pop_back();
  position_ = doneIds_.empty() ? 0 : doneIds_.back();
  return true;
}

void EditHistory::Apply(const EditStep& step, bool forward) {
  for (const CellChange& c : step.Cells)
    doc_->SetTile(c.Column, c.Row, forward ? c.After : c.Before);
  if (step.ObjectsBefore) doc_->Objects() = forward ? *step.ObjectsAfter : *step.ObjectsBefore;
  if (step.RulesBefore) doc_->Rules() = forward ? *step.RulesAfter : *step.RulesBefore;
}

}  // namespace tw
