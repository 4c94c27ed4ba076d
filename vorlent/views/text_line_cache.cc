#include "vorlent/views/text_line_cache.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace vorlent {

namespace {

// The glyphs' outline bounds of `text` laid out as QStaticText lays out
// plain text (one line per forced break, leading included, each line below
// the last), in the coordinates QStaticText draws from; empty without ink.
QRectF inkOf(const QString& text, const QFont& font) {
  QTextLayout layout(text, font);
  layout.setCacheEnabled(true);
  double height = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLeadingIncluded(true);
    line.setLineWidth(std::numeric_limits<int>::max() / 256);
    line.setPosition(QPointF(0, height));
    height += line.height();
    if (line.leading() < 0) height += std::ceil(line.leading());
  }
  layout.endLayout();
  QRectF ink;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    const QRawFont raw = run.rawFont();
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
      const QRectF glyph = raw.boundingRect(glyphs.at(i));
      if (!glyph.isEmpty()) ink |= glyph.translated(positions.at(i));
    }
  }
  return ink;
}

}  // namespace

const TextLineCache::Line& TextLineCache::line(const QString& text, const QFont& font,
                                               double fitWidth) {
  const Key whole{text, font, 0};
  auto found = lines_.constFind(whole);
  const Line& natural = found != lines_.cend() ? *found : store(whole, text);
  if (!(fitWidth > 0) || natural.width <= fitWidth) return natural;
  const Key cut{text, font, fitWidth};
  if (auto shortened = lines_.constFind(cut); shortened != lines_.cend()) return *shortened;
  // Qt's text layout counts in 26.6 fixed point; no line is that long.
  constexpr double kLongestLine = 1 << 20;
  const QString elided =
      QFontMetricsF(font).elidedText(text, Qt::ElideRight, std::min(fitWidth, kLongestLine));
  return store(cut, elided);
}

const TextLineCache::Line& TextLineCache::store(Key key, const QString& shown) {
  if (lines_.size() >= kCapacity) lines_.clear();
  Line line;
  line.text.setText(shown);
  line.text.setTextFormat(Qt::PlainText);
  line.text.prepare(QTransform(), key.font);
  line.width = shown.isEmpty() ? 0 : line.text.size().width();
  line.height = QFontMetricsF(key.font).height();
  const QRectF ink = inkOf(shown, key.font);
  line.inkTop = ink.top();
  line.inkBottom = ink.bottom();
  return *lines_.insert(std::move(key), std::move(line));
}

}  // namespace vorlent
