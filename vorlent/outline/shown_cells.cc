#include "vorlent/outline/shown_cells.h"

namespace vorlent::detail {

void ShownCells::forget(uint64_t shape) {
  notes_.clear();
  shape_ = shape;
  isComplete_ = false;
}

void ShownCells::beginPainting(const QRegion& region, const QRect& viewport, uint64_t shape) {
  if (shape != shape_) forget(shape);
  paintingAll_ = QRegion(viewport).subtracted(region).isEmpty();
  if (paintingAll_) {
    // Every cell on screen is painted now, so every one is noted.
    notes_.clear();
    isComplete_ = true;
  }
  painting_ = region;
  isPainting_ = true;
}

void ShownCells::painted(const QModelIndex& index, const QRect& rect, const QString& text) {
  if (!isPainting_ || !index.isValid()) return;
  if (notes_.size() >= kMostNotes) forget(shape_);
  const bool whole = paintingAll_ || QRegion(rect).subtracted(painting_).isEmpty();
  const Cell cell{index.internalPointer(), index.column()};
  if (whole) {
    notes_.insert_or_assign(cell, Note{Kind::text, text});
  } else {
    notes_.insert_or_assign(cell, Note{Kind::unknown, QString()});
  }
}

void ShownCells::repainting(const QModelIndex& index) {
  if (isPainting_ || !index.isValid()) return;
  const auto found = notes_.find(Cell{index.internalPointer(), index.column()});
  if (found != notes_.end()) found->second = Note{Kind::repainting, QString()};
}

ShownCells::Shown ShownCells::shown(const QModelIndex& index, uint64_t shape) const {
  if (shape != shape_ || isPainting_ || !index.isValid()) return {};
  const auto found = notes_.find(Cell{index.internalPointer(), index.column()});
  if (found == notes_.end()) return {isComplete_ ? Kind::absent : Kind::unknown, nullptr};
  if (found->second.kind != Kind::text) return {found->second.kind, nullptr};
  return {Kind::text, &found->second.text};
}

}  // namespace vorlent::detail
