#include "edit/undo_history.h"

namespace kav {

void UndoHistory::Push(UndoRecord record) {
  records_.resize(position_);
  records_.push_back(std::move(record));
  ++position_;
}

void UndoHistory::Clear() {
  records_.clear();
  position_ = 0;
}

const UndoRecord& UndoHistory::StepBack() {
  return records_[--position_];
}

}  // namespace kav
