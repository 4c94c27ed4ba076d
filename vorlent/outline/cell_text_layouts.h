#pragma once

#include <QFont>
#include <QHash>
#include <QString>
#include <QTextLayout>

#include <cstddef>
#include <memory>

namespace vorlent::detail {

// A cell's text laid out once, the way Qt's common style lays out an item
// view's text on every paint, and drawn from then on without shaping it
// again. Layouts are kept per text, font, width and alignment; the cache
// forgets everything once it holds `kCapacity` of them. GUI thread only.
class CellTextLayouts {
 public:
  static constexpr qsizetype kCapacity = 4096;

  struct Cell {
    // False when the text does not lie on one line (a line or paragraph
    // separator, a string with length variants): the style's own layout
    // treats such text in ways a single cached line does not reproduce.
    bool oneLine = false;
    // What the style shows (cut short as asked where it is wider than the
    // box), laid out on one line of the box's width, its top left at 0.
    QTextLayout shown;
    // The height, in whole pixels, that the style gives the whole text when
    // it places the text in the box; it may differ from the shown text's
    // when cutting it short leaves out a taller fallback font.
    int height = 0;
    // The height of the whole text's line, unrounded.
    qreal lineHeight = 0;
  };

  // `text` in `font` as the style lays it out in a box `width` wide, with
  // `alignment` (already made visual) and `direction`, and cut short as
  // `elideMode` says.
  const Cell& cell(const QString& text, const QFont& font, int width, Qt::Alignment alignment,
                   Qt::LayoutDirection direction, Qt::TextElideMode elideMode);

  [[nodiscard]] qsizetype size() const { return cells_.size(); }

 private:
  struct Key {
    QString text;
    QFont font;
    int width = 0;
    int alignment = 0;
    int direction = 0;
    int elideMode = 0;
    friend bool operator==(const Key&, const Key&) = default;
  };
  friend size_t qHash(const Key& key, size_t seed) noexcept {
    return qHashMulti(seed, key.text, key.font, key.width, key.alignment, key.direction,
                      key.elideMode);
  }

  QHash<Key, std::shared_ptr<const Cell>> cells_;
};

}  // namespace vorlent::detail
