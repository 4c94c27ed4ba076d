#include "vorlent/views/image_export.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLayout>
#include <QRegion>
#include <QSizeF>
#include <QWidget>

#include <algorithm>

namespace vorlent::detail {

QImage renderWidgetImage(QWidget& widget) {
  // A widget that was never shown has its children laid out first.
  if (QLayout* layout = widget.layout()) layout->activate();
  const QSize size = widget.size();
  if (size.isEmpty()) return {};
  const qreal ratio = widget.devicePixelRatioF();
  // QImage refuses (gives a null image for) sizes whose bytes overflow.
  QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return {};
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  widget.render(&image, QPoint(), QRegion(widget.rect()));
  return image;
}

QByteArray encodeWidgetImage(const QImage& image, const QByteArray& format,
                             const ImageProperties& properties) {
  if (image.isNull() || format.isEmpty()) return {};
  QByteArray data;
  QBuffer buffer(&data);
  if (!buffer.open(QIODevice::WriteOnly)) return {};
  QImageWriter writer(&buffer, format.toLower());
  if (!writer.canWrite()) return {};
  if (properties.quality) writer.setQuality(std::clamp(*properties.quality, 0, 100));
  if (properties.compression) writer.setCompression(*properties.compression);
  if (!writer.write(image)) return {};
  return data;
}

}  // namespace vorlent::detail
