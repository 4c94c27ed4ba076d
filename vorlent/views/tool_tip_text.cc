#include "vorlent/views/tool_tip_text.h"

#include <QApplication>
#include <QChar>
#include <QFontMetricsF>
#include <QPoint>
#include <QScreen>
#include <QStringList>
#include <QStyle>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace vorlent::detail {

namespace {

// A tool tip window is as wide as its longest line and as tall as its
// lines: without these bounds a host's free-text notes (megabytes of them,
// or one endless word) would ask Qt for a window no screen holds.
constexpr qsizetype kMostCharacters = 500;
constexpr qsizetype kMostLines = 12;
constexpr qsizetype kLongestLine = 160;

// Whether Qt's tool tip label ends a line of plain text at `c`. It does at
// these two and at no other character: '\r', U+2029 PARAGRAPH SEPARATOR and
// the other separators show inside the line.
bool endsLine(QChar c) { return c == QLatin1Char('\n') || c == QChar::LineSeparator; }

// `length`, or one less where cutting `text` there would keep the first
// half of a surrogate pair without its second.
qsizetype wholeCharacters(const QString& text, qsizetype length) {
  const bool splitsPair =
      length > 0 && length < text.size() && text.at(length - 1).isHighSurrogate();
  return splitsPair ? length - 1 : length;
}

// Which lines a tool tip shows unwrapped: those of at most kLongestLine
// characters whose text, in the tool tip font, is no wider than `width`.
class LineRoom {
 public:
  LineRoom(const QFontMetricsF& metrics, qreal width) : metrics_(metrics), width_(width) {}

  [[nodiscard]] bool fits(const QString& line) const {
    // Measured as Qt's label measures its text, tabs expanded.
    return line.size() <= kLongestLine && metrics_.size(Qt::TextExpandTabs, line).width() <= width_;
  }

  // The most characters of `line` from `from` on that fit followed by
  // `suffix`: a whole number of characters, maybe none. A text grows no
  // narrower as it gets longer, so a binary search finds them.
  [[nodiscard]] qsizetype fittingLength(const QString& line, qsizetype from,
                                        const QString& suffix = {}) const {
    const auto fitsWith = [&](qsizetype length) { return fits(line.mid(from, length) + suffix); };
    const qsizetype most =
        wholeCharacters(line, std::min(line.size(), from + kLongestLine - suffix.size())) - from;
    if (most <= 0 || fitsWith(most)) return std::max<qsizetype>(most, 0);
    qsizetype fitting = 0;
    for (qsizetype tooLong = most; tooLong - fitting > 1;) {
      const qsizetype middle = fitting + (tooLong - fitting) / 2;
      (fitsWith(middle) ? fitting : tooLong) = middle;
    }
    return wholeCharacters(line, from + fitting) - from;
  }

 private:
  QFontMetricsF metrics_;
  qreal width_;
};

// The room Qt's tip label leaves a line of a tip of `widget` before it
// wraps them all: the width of the screen the tip shows on (the one under
// `pointer`, or the widget's), less the label's margin of one pixel plus
// the style's tip frame on each side and its one-pixel indent. A line's
// height to spare covers rounding and a style sheet's padding. Without a
// screen, no line is too wide.
LineRoom lineRoom(const QWidget& widget, QPointF pointer) {
  const QFontMetricsF metrics(QToolTip::font());
  QScreen* screen = widget.screen();
  if (screen == nullptr) return {metrics, std::numeric_limits<qreal>::infinity()};
  const QPointF global = widget.mapToGlobal(pointer);
  constexpr qreal kFarthest = 1e9;  // keeps the conversion to QPoint defined
  if (std::abs(global.x()) < kFarthest && std::abs(global.y()) < kFarthest) {
    if (QScreen* under = screen->virtualSiblingAt(global.toPoint())) screen = under;
  }
  const int frame = QApplication::style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth);
  const qreal labelExtra = 2 * (1 + frame) + 1 + metrics.height();
  return {metrics, screen->geometry().width() - labelExtra};
}

// Appends `line` to `lines` in pieces that fit `room`, each broken at the
// last space that fits (the space itself is dropped), or inside a word that
// has none (at least one character a piece); `ends` gets a '\n' after each
// piece but the last. Once `lines` holds kMostLines, the rest of `line` goes
// unwrapped as one more, which is cut.
void appendWrapped(const QString& line, const LineRoom& room, QStringList& lines, QString& ends) {
  qsizetype from = 0;
  while (lines.size() < kMostLines) {
    const qsizetype fitting = room.fittingLength(line, from);
    if (from + fitting == line.size()) break;
    const qsizetype space = line.lastIndexOf(QLatin1Char(' '), from + fitting);
    if (space > from) {
      lines << line.mid(from, space - from);
      from = space + 1;
    } else {
      const qsizetype piece =
          std::max<qsizetype>(fitting, wholeCharacters(line, from + 1) == from ? 2 : 1);
      lines << line.mid(from, piece);
      from += piece;
    }
    ends += QLatin1Char('\n');
  }
  lines << line.mid(from);
}

// The lines as markup that shows each as written, in one paragraph that
// keeps its spaces, parted by line breaks. Qt's own conversion makes a
// paragraph of each run of blank lines, whose margins make the tip taller
// than its lines; and a rich text document ends a paragraph or a frame at
// U+2029, U+FDD0 and U+FDD1, which show as spaces here, as in plain text
// they add no line.
QString asMarkup(const QStringList& lines) {
  QStringList escaped;
  escaped.reserve(lines.size());
  for (QString line : lines) {
    for (QChar& c : line) {
      if (c == QChar::ParagraphSeparator || c == QChar(0xFDD0) || c == QChar(0xFDD1)) {
        c = QLatin1Char(' ');
      }
    }
    escaped << line.toHtmlEscaped();
  }
  return QStringLiteral("<p style='white-space:pre'>") + escaped.join(QStringLiteral("<br>")) +
         QStringLiteral("</p>");
}

}  // namespace

QString toolTipText(std::string_view text, const QWidget& widget, QPointF pointer) {
  // Only the beginning is converted: no character takes more than four
  // bytes. A sequence the byte limit cuts short decodes past the characters
  // kept, as the bytes before it make more than kMostCharacters units.
  constexpr std::size_t kMostBytes = 4 * (kMostCharacters + 1);
  const QString head =
      QString::fromUtf8(text.data(), static_cast<qsizetype>(std::min(text.size(), kMostBytes)));
  bool cut = head.size() > kMostCharacters;
  const QString kept = cut ? head.left(wholeCharacters(head, kMostCharacters)) : head;
  // The lines as the tip shows them, wrapped ones included; `ends` holds
  // the character that ends each but the last: the host's own, or the
  // '\n' of a wrap.
  const LineRoom room = lineRoom(widget, pointer);
  QStringList lines;
  QString ends;
  for (qsizetype from = 0; lines.size() <= kMostLines;) {
    qsizetype end = from;
    while (end < kept.size() && !endsLine(kept.at(end))) ++end;
    appendWrapped(kept.mid(from, end - from), room, lines, ends);
    if (end == kept.size()) break;
    ends += kept.at(end);
    from = end + 1;
  }
  if (lines.size() > kMostLines) {
    lines.resize(kMostLines);
    cut = true;
  }
  if (cut) {
    const QString ellipsis(QChar(0x2026));
    QString& last = lines.back();
    last.truncate(room.fittingLength(last, 0, ellipsis));
    last += ellipsis;
  }
  QString shown = lines.front();
  for (qsizetype i = 1; i < lines.size(); ++i) shown += ends.at(i - 1) + lines.at(i);
  // Qt takes a tool tip that looks like markup for markup, which would drop
  // a host's "<draft>" and fold its spaces: such a text goes as escaped
  // markup that keeps every character and space.
  return Qt::mightBeRichText(shown) ? asMarkup(lines) : shown;
}

}  // namespace vorlent::detail
