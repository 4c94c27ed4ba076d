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

// Appends `line` to `lines` in pieces of at most kLongestLine characters,
// each broken at the last space that fits (the space itself is dropped),
// or inside a word that has none; `ends` gets a '\n' after each piece but
// the last.
void appendWrapped(const QString& line, QStringList& lines, QString& ends) {
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

QString toolTipText(std::string_view text) {
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
  QStringList lines;
  QString ends;
  for (qsizetype from = 0; lines.size() <= kMostLines;) {
    qsizetype end = from;
    while (end < kept.size() && !endsLine(kept.at(end))) ++end;
    appendWrapped(kept.mid(from, end - from), lines, ends);
    if (end == kept.size()) break;
    ends += kept.at(end);
    from = end + 1;
  }
  if (lines.size() > kMostLines) {
    lines.resize(kMostLines);
    cut = true;
  }
  if (cut) {
    QString& last = lines.back();
    if (last.size() >= kLongestLine) last.truncate(wholeCharacters(last, last.size() - 1));
    last += QChar(0x2026);
  }
  QString shown = lines.front();
  for (qsizetype i = 1; i < lines.size(); ++i) shown += ends.at(i - 1) + lines.at(i);
  // Qt takes a tool tip that looks like markup for markup, which would drop
  // a host's "<draft>" and fold its spaces: such a text goes as escaped
  // markup that keeps every character and space.
  return Qt::mightBeRichText(shown) ? asMarkup(lines) : shown;
}

}  // namespace vorlent::detail
