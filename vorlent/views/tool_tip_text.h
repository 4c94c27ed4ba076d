#pragma once

// The text a tool tip of the chart area shows; not part of the API.

#include <QPointF>
#include <QString>

#include <string_view>

class QWidget;

namespace vorlent::detail {

// A host's text as the tool tip of `widget` shows it when the pointer rests
// at `pointer` (in the widget's coordinates): unchanged while it keeps
// within 500 characters and 12 lines and each line fits, its line breaks
// and indentation included. A line fits when it has at most 160 characters
// and, in the tool tip font, leaves Qt's tip label room on the screen under
// the pointer: Qt would wrap every line of a tip with one wider line. A line
// that does not fit is wrapped where a word ends (a word too long on its own
// is broken). Lines end where Qt's label ends them, at '\n' and at U+2028
// LINE SEPARATOR, and the lines of a wrap count too. A longer text is cut to
// the first 500 characters and 12 lines and ends in an ellipsis; only the
// start of a huge one is read. No cut or wrap splits a character that takes
// two UTF-16 units. A text Qt would take for markup comes back as markup
// that shows it as written, in as many lines.
[[nodiscard]] QString toolTipText(std::string_view text, const QWidget& widget, QPointF pointer);

}  // namespace vorlent::detail
