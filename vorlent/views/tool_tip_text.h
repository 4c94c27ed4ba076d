#pragma once

// The text a tool tip of the chart area shows; not part of the API.

#include <QString>

#include <string_view>

namespace vorlent::detail {

// A host's text as its tool tip shows it: unchanged while it keeps within
// 500 characters and 12 lines, its line breaks and indentation included,
// except that a line over 160 characters is wrapped where a word ends (a
// longer word is broken). Lines end where Qt's label ends them, at '\n' and
// at U+2028 LINE SEPARATOR, and the lines of a wrap count too. A longer
// text is cut to the first 500 characters and 12 lines and ends in an
// ellipsis; only the start of a huge one is read. No cut or wrap splits a
// character that takes two UTF-16 units. A text Qt would take for markup
// comes back as markup that shows it as written, in as many lines.
[[nodiscard]] QString toolTipText(std::string_view text);

}  // namespace vorlent::detail
