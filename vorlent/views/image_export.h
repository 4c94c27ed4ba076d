#pragma once

// Capturing a widget as it shows now and encoding the capture: the image
// export shared by the chart's views. GUI thread only.

#include <QByteArray>
#include <QImage>

#include <optional>

class QWidget;

namespace vorlent {

// What an image writer is told besides the format; an absent value leaves
// the writer's own default, and a value a format does not understand is
// ignored by its writer.
struct ImageProperties {
  // 0 (smallest file) to 100 (best image), for lossy formats such as JPEG;
  // values outside are brought into that range.
  std::optional<int> quality;
  // The format's own compression setting (for TIFF 0 is none and 1 LZW).
  std::optional<int> compression;

  friend bool operator==(const ImageProperties&, const ImageProperties&) = default;
};

// The most bytes a capture's pixels may take (1 GiB: 16384 × 16384 pixels
// at four bytes each). A view larger than that, at its device pixel ratio,
// exports nothing rather than claim memory without bound.
inline constexpr qint64 kMostImageBytes = qint64{1} << 30;

namespace detail {

// The widget's `rect()` rendered with its children (laid out first, should
// it never have been shown) into a new ARGB32 premultiplied image at the
// widget's device pixel ratio, over transparency. Scroll bars and a
// header's blank corner are hidden while it renders, so the scrolled
// contents fill the picture; they and the scroll positions are restored.
// A widget without area, or one whose pixels would take more than
// kMostImageBytes, gives a null image.
[[nodiscard]] QImage renderWidgetImage(QWidget& widget);

// `image` encoded by Qt's writer for `format` ("png", "jpeg", "bmp", …, in
// any letter case). A null image, a format no writer knows, or a writer that
// fails gives an empty array.
[[nodiscard]] QByteArray encodeWidgetImage(const QImage& image, const QByteArray& format,
                                           const ImageProperties& properties);

}  // namespace detail

}  // namespace vorlent
