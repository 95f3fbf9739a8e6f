// The added documents in merge order, with the list's current row. Plain data
// with no window in it: the main window mirrors it into ListView2 through the
// observer, and the merge and the split read its rows.
//
// Rows are addressed by 0-based index here; the order bar shows 1-based
// positions.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "word/added_document.h"

namespace tessaro {

// Told of every change in the order it happens, so a mirror that applies the
// same edits stays equal to the rows.
class AddedDocumentsObserver {
 public:
  virtual ~AddedDocumentsObserver() = default;
  virtual void RowInserted(std::size_t index, const AddedDocument& row) = 0;
  virtual void RowRemoved(std::size_t index) = 0;
  virtual void RowsCleared() = 0;
  // The current row (if any) and whether it is highlighted.
  virtual void CurrentChanged(std::optional<std::size_t> current, bool highlighted) = 0;
};

class AddedDocumentsModel {
 public:
  // nullptr for none; not owned.
  void SetObserver(AddedDocumentsObserver* observer) { observer_ = observer; }

  const std::vector<AddedDocument>& rows() const { return rows_; }
  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  std::optional<std::size_t> current() const { return current_; }
  bool highlighted() const { return current_ && highlighted_; }

  // Duplicates are allowed; the current row stays what it was.
  void Append(AddedDocument row);
  // Puts rows before index (clamped to the end), in their order; the current
  // row stays the same row, wherever that now stands.
  void Insert(std::size_t index, std::vector<AddedDocument> rows);

  // The user picked this row: it becomes the current row, highlighted.
  void Select(std::size_t index);
  // The user took the highlight off the current row or put it back; the row
  // stays current.
  void SetHighlighted(bool highlighted);

  // Removes the current row only while it is highlighted, so a row the user
  // did not pick again after an addition is never deleted by surprise.
  // Returns whether a row was removed.
  bool DeleteCurrent();
  void DeleteAll();

  // Moves the current row so it stands at target (clamped to the last row).
  // Returns whether anything moved.
  bool MoveCurrentTo(std::size_t target);

  // Drag and drop: the dragged row goes where the row it was dropped on
  // stands (just above it when moving down), or to the end. Each returns the
  // moved row's new index, or nothing when the drop changes nothing (one row
  // only, dropped on itself, an index out of range).
  std::optional<std::size_t> DropOnRow(std::size_t dragged, std::size_t row);
  std::optional<std::size_t> DropBelowLast(std::size_t dragged);

 private:
  // Inserts a copy of row from before insert_at, removes the original and
  // makes the copy the highlighted current row. Returns the copy's index.
  std::size_t MoveRow(std::size_t from, std::size_t insert_at);
  void SetCurrent(std::optional<std::size_t> current, bool highlighted);

  std::vector<AddedDocument> rows_;
  std::optional<std::size_t> current_;
  bool highlighted_ = false;
  AddedDocumentsObserver* observer_ = nullptr;
};

}  // namespace tessaro
