#include "vorlent/views/text_line_cache.h"

#include <QFontMetricsF>
#include <QTransform>

#include <algorithm>
#include <utility>

namespace vorlent {

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
  return *lines_.insert(std::move(key), std::move(line));
}

}  // namespace vorlent
