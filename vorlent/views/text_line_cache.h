#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

#include <cstddef>

namespace vorlent {

// Single lines of text laid out once and drawn many times: a chart repaints
// the same labels on every scroll step, and shaping each again costs more
// than drawing it. Lines are kept per text, font and width to cut them
// short at; the cache forgets everything once it holds `kCapacity` lines.
// GUI thread only.
class TextLineCache {
 public:
  static constexpr qsizetype kCapacity = 4096;

  struct Line {
    QStaticText text;   // laid out in its font, drawn from its top left
    double width = 0;   // its advance
    double height = 0;  // the font's line height
    // How far the glyphs' outlines reach, downwards from the line's top: a
    // mark or descender may reach above 0 or below `height`. Both 0 for a
    // line without ink.
    double inkTop = 0;
    double inkBottom = 0;
  };

  // `text` as one line in `font`. With a positive `fitWidth`, a line wider
  // than that is cut short with an ellipsis to fit (and may come back
  // empty when not even the ellipsis fits).
  const Line& line(const QString& text, const QFont& font, double fitWidth = 0);

  [[nodiscard]] qsizetype size() const { return lines_.size(); }

 private:
  struct Key {
    QString text;
    QFont font;
    double fitWidth = 0;
    friend bool operator==(const Key&, const Key&) = default;
  };
  friend size_t qHash(const Key& key, size_t seed) noexcept {
    return qHashMulti(seed, key.text, key.font, key.fitWidth);
  }

  const Line& store(Key key, const QString& shown);

  QHash<Key, Line> lines_;
};

}  // namespace vorlent
