#include "vorlent/views/image_export.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace vorlent {

QImage captureImage(QWidget& widget) {
  const QSize size = widget.rect().size();
  if (size.isEmpty()) return QImage();
  const double ratio = widget.devicePixelRatioF();
  const double width = std::ceil(size.width() * ratio);
  const double height = std::ceil(size.height() * ratio);
  // QImage refuses sizes whose byte count overflows; keep the int
  // conversion itself inside its range.
  constexpr double kLongestSide = 1 << 20;
  if (!(width <= kLongestSide && height <= kLongestSide)) return QImage();
  QImage image(static_cast<int>(width), static_cast<int>(height),
               QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return image;
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  widget.render(&image, QPoint(), QRegion(widget.rect()));
  return image;
}

QPixmap pixmapFromImage(const QImage& image) {
  if (image.isNull()) return QPixmap();
  return QPixmap::fromImage(image);
}

QByteArray encodeImage(const QImage& image, const QByteArray& format,
                       const ImageProperties& properties) {
  if (image.isNull() || format.isEmpty()) return QByteArray();
  QByteArray data;
  QBuffer buffer(&data);
  if (!buffer.open(QIODevice::WriteOnly)) return QByteArray();
  QImageWriter writer(&buffer, format.toLower());
  if (!writer.canWrite()) return QByteArray();
  if (properties.quality) writer.setQuality(std::clamp(*properties.quality, 0, 100));
  if (properties.compression) writer.setCompression(*properties.compression);
  if (!writer.write(image)) return QByteArray();
  return data;
}

}  // namespace vorlent
