#include "vorlent/views/tool_tip_text.h"

#include <QChar>
#include <QStringList>
#include <QTextDocument>

#include <algorithm>
#include <cstddef>

namespace vorlent::detail {

namespace {

// A tool tip window is as wide as its longest line and as tall as its
// lines: without these bounds a host's free-text notes (megabytes of them,
// or one endless word) would ask Qt for a window no screen holds.
constexpr qsizetype kMostCharacters = 500;
constexpr qsizetype kMostLines = 12;
constexpr qsizetype kLongestLine = 160;

// `length`, or one less where cutting `text` there would keep the first
// half of a surrogate pair without its second.
qsizetype wholeCharacters(const QString& text, qsizetype length) {
  const bool splitsPair =
      length > 0 && length < text.size() && text.at(length - 1).isHighSurrogate();
  return splitsPair ? length - 1 : length;
}

// Appends `line` to `lines` in pieces of at most kLongestLine characters,
// each broken at the last space that fits (the space itself is dropped),
// or inside a word that has none.
void appendWrapped(const QString& line, QStringList& lines) {
  qsizetype from = 0;
  while (line.size() - from > kLongestLine) {
    const qsizetype space = line.lastIndexOf(QLatin1Char(' '), from + kLongestLine);
    if (space > from) {
      lines << line.mid(from, space - from);
      from = space + 1;
    } else {
      const qsizetype piece = wholeCharacters(line, from + kLongestLine) - from;
      lines << line.mid(from, piece);
      from += piece;
    }
  }
  lines << line.mid(from);
}

}  // namespace

QString toolTipText(std::string_view text) {
  // Only the beginning is converted: no character takes more than four
  // bytes. A sequence the byte limit cuts short decodes past the characters
  // kept, as the bytes before it make more than kMostCharacters units.
  constexpr std::size_t kMostBytes = 4 * (kMostCharacters + 1);
  const QString head =
      QString::fromUtf8(text.data(), static_cast<qsizetype>(std::min(text.size(), kMostBytes)));
  bool cut = head.size() > kMostCharacters;
  QStringList given =
      (cut ? head.left(wholeCharacters(head, kMostCharacters)) : head).split(QLatin1Char('\n'));
  if (given.size() > kMostLines) {
    given.resize(kMostLines);
    cut = true;
  }
  QStringList lines;
  for (const QString& line : given) appendWrapped(line, lines);
  if (cut) {
    QString& last = lines.back();
    if (last.size() >= kLongestLine) last.truncate(wholeCharacters(last, last.size() - 1));
    last += QChar(0x2026);
  }
  const QString shown = lines.join(QLatin1Char('\n'));
  // Qt takes a tool tip that looks like markup for markup, which would drop
  // a host's "<draft>" and fold its spaces: such a text goes as escaped
  // markup that keeps every character and space.
  return Qt::mightBeRichText(shown) ? Qt::convertFromPlainText(shown, Qt::WhiteSpacePre) : shown;
}

}  // namespace vorlent::detail
