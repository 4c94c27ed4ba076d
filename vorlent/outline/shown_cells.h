#pragma once

#include <QModelIndex>
#include <QRect>
#include <QRegion>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>

namespace vorlent::detail {

// What the cells of the outline's tree show on screen, as its delegate
// painted them: for each cell (a row of the tree's model and a column), the
// text of the last paint that covered it whole, or that a paint covered it
// only in part. The tree asks whether a cell whose value was reloaded has to
// be painted again at all: a drag step reloads every row it moves, in every
// column, and most columns show what they showed before.
//
// Notes are taken only between `beginPainting` and `endPainting`, which the
// tree calls around a paint into its window's backing store (a rendering
// elsewhere changes nothing on screen). They hold for one shape of the tree
// (its rows and their places; see OutlineGanttChartModel::structureRevision)
// and are complete, every cell on screen noted, from a paint of the whole
// viewport on. Pixels the tree scrolls move with their rows, and a row a
// scroll brings back into view is painted where it shows, so neither ends
// the notes.
class ShownCells {
 public:
  // At most this many cells are noted; past that the notes start afresh.
  static constexpr size_t kMostNotes = size_t{1} << 16;

  enum class Kind {
    unknown,     // no telling: the cell may show anything
    absent,      // the cell is not on screen
    text,        // the cell shows `text` whole
    repainting,  // the cell is to be painted again (see `repainting`)
  };
  struct Shown {
    Kind kind = Kind::unknown;
    const QString* text = nullptr;
  };

  // A paint of `region` of the viewport (`viewport` its whole rectangle) in
  // the tree's `shape`.
  void beginPainting(const QRegion& region, const QRect& viewport, uint64_t shape);
  void endPainting() { isPainting_ = false; }
  [[nodiscard]] bool isPainting() const { return isPainting_; }
  // The delegate painted `text` into the cell of `index`, within `rect`.
  void painted(const QModelIndex& index, const QRect& rect, const QString& text);
  // The cell of `index` was marked for painting again: whatever it shows
  // until then, the paint will show its text as it is then. Only a cell
  // that is noted can be marked.
  void repainting(const QModelIndex& index);

  // What the cell of `index` shows on screen in the tree's `shape`.
  [[nodiscard]] Shown shown(const QModelIndex& index, uint64_t shape) const;

 private:
  struct Cell {
    const void* row;
    int column;
    friend bool operator==(const Cell&, const Cell&) = default;
  };
  struct CellHash {
    size_t operator()(const Cell& cell) const {
      return std::hash<const void*>()(cell.row) * 31 + std::hash<int>()(cell.column);
    }
  };
  struct Note {
    Kind kind;  // unknown (painted in part), text or repainting
    QString text;
  };
  void forget(uint64_t shape);

  std::unordered_map<Cell, Note, CellHash> notes_;
  uint64_t shape_ = 0;
  bool isComplete_ = false;
  bool isPainting_ = false;
  QRegion painting_;
  bool paintingAll_ = false;
};

}  // namespace vorlent::detail
