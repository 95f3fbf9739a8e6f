#include "app/added_documents_model.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tessaro {

void AddedDocumentsModel::Append(AddedDocument row) {
  rows_.push_back(std::move(row));
  if (observer_) observer_->RowInserted(rows_.size() - 1, rows_.back());
}

void AddedDocumentsModel::Insert(std::size_t index, std::vector<AddedDocument> rows) {
  if (rows.empty()) return;
  index = std::min(index, rows_.size());
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), std::make_move_iterator(rows.begin()),
               std::make_move_iterator(rows.end()));
  if (observer_) {
    for (std::size_t i = index; i < index + rows.size(); ++i) observer_->RowInserted(i, rows_[i]);
  }
  if (current_ && *current_ >= index) SetCurrent(*current_ + rows.size(), highlighted_);
}

void AddedDocumentsModel::Select(std::size_t index) {
  if (index < rows_.size()) SetCurrent(index, true);
}

void AddedDocumentsModel::SetHighlighted(bool highlighted) {
  if (current_) SetCurrent(current_, highlighted);
}

bool AddedDocumentsModel::DeleteCurrent() {
  if (!highlighted()) return false;
  const std::size_t index = *current_;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
  if (observer_) observer_->RowRemoved(index);
  SetCurrent(std::nullopt, false);
  return true;
}

void AddedDocumentsModel::DeleteAll() {
  rows_.clear();
  if (observer_) observer_->RowsCleared();
  SetCurrent(std::nullopt, false);
}

bool AddedDocumentsModel::MoveCurrentTo(std::size_t target) {
  if (!current_ || rows_.empty()) return false;
  target = std::min(target, rows_.size() - 1);
  const std::size_t from = *current_;
  if (target == from) return false;
  MoveRow(from, from < target ? target + 1 : target);
  return true;
}

std::optional<std::size_t> AddedDocumentsModel::DropOnRow(std::size_t dragged, std::size_t row) {
  if (rows_.size() < 2 || dragged >= rows_.size() || row >= rows_.size() || row == dragged) {
    return std::nullopt;
  }
  return MoveRow(dragged, row);
}

std::optional<std::size_t> AddedDocumentsModel::DropBelowLast(std::size_t dragged) {
  if (rows_.size() < 2 || dragged >= rows_.size()) return std::nullopt;
  return MoveRow(dragged, rows_.size());
}

std::size_t AddedDocumentsModel::MoveRow(std::size_t from, std::size_t insert_at) {
  AddedDocument copy = rows_[from];
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(insert_at), copy);
  if (observer_) observer_->RowInserted(insert_at, copy);
  const std::size_t original = insert_at <= from ? from + 1 : from;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(original));
  if (observer_) observer_->RowRemoved(original);
  const std::size_t moved = insert_at > from ? insert_at - 1 : insert_at;
  SetCurrent(moved, true);
  return moved;
}

void AddedDocumentsModel::SetCurrent(std::optional<std::size_t> current, bool highlighted) {
  current_ = current;
  highlighted_ = current && highlighted;
  if (observer_) observer_->CurrentChanged(current_, highlighted_);
}

}  // namespace tessaro
