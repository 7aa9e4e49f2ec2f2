// The undo history: every change as whole markup texts of single lines.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kav {

enum class UndoKind : int32_t { LineChanged = 1, LineInserted = 2, LineDeleted = 3 };

struct UndoRecord {
  UndoKind kind = UndoKind::LineChanged;
  // The changed or deleted line; for an insertion the line after which the new one went (-1 when
  // it became the first line).
  int32_t line = 0;
  std::u16string before;
  std::u16string after;
  friend bool operator==(const UndoRecord&, const UndoRecord&) = default;
};

class UndoHistory {
 public:
  // Drops what could still be redone, then appends.
  void Push(UndoRecord record);
  void Clear();

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < static_cast<int32_t>(records_.size()); }
  // Steps back and gives the record to take back; call only when CanUndo.
  const UndoRecord& StepBack();
  // The record to apply again; call only when CanRedo, then StepForward.
  const UndoRecord& Next() const { return records_[position_]; }
  void StepForward() { ++position_; }

  const std::vector<UndoRecord>& Records() const { return records_; }
  int32_t Position() const { return position_; }

 private:
  std::vector<UndoRecord> records_;
  int32_t position_ = 0;  // records before it are applied
};

}  // namespace kav
