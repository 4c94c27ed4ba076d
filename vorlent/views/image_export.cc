#include "vorlent/views/image_export.h"

#include <QAbstractScrollArea>
#include <QBuffer>
#include <QCoreApplication>
#include <QEvent>
#include <QImageWriter>
#include <QLayout>
#include <QList>
#include <QPointF>
#include <QPointer>
#include <QRegion>
#include <QScrollBar>
#include <QSizeF>
#include <QWidget>

#include <algorithm>
#include <vector>

#include "vorlent/views/standard_scroll_view.h"

namespace vorlent::detail {

namespace {

// Hides the scroll bars of every scroll area in a widget (the widget's own
// included) and a header's blank corner for as long as it lives, then
// brings back the bars, the corners and the scroll positions. A picture
// shows the chart and its header filling the view, as on a platform whose
// scroll bars float over the content and vanish at rest. The views follow
// the change like any other: their controllers see the larger viewports
// meanwhile and their own ones again afterwards.
class ScrollBarsHidden {
 public:
  explicit ScrollBarsHidden(QWidget& widget) {
    QList<QAbstractScrollArea*> areas = widget.findChildren<QAbstractScrollArea*>();
    if (auto* own = qobject_cast<QAbstractScrollArea*>(&widget)) areas.prepend(own);
    for (QAbstractScrollArea* area : areas) {
      auto* standard = qobject_cast<StandardScrollView*>(area);
      saved_.push_back(Saved{area, area->horizontalScrollBarPolicy(),
                             area->verticalScrollBarPolicy(), area->horizontalScrollBar()->value(),
                             area->verticalScrollBar()->value(),
                             standard != nullptr ? standard->trailingMargin() : 0,
                             standard != nullptr ? standard->documentVisibleRect().topLeft()
                                                 : QPointF()});
    }
    for (const Saved& saved : saved_) {
      if (saved.area == nullptr) continue;
      saved.area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      saved.area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      if (auto* standard = qobject_cast<StandardScrollView*>(saved.area.data())) {
        standard->setTrailingMargin(0);
      }
      layOut(saved.area);
    }
  }

  ~ScrollBarsHidden() {
    for (const Saved& saved : saved_) {
      if (saved.area == nullptr) continue;
      saved.area->setHorizontalScrollBarPolicy(saved.horizontal);
      saved.area->setVerticalScrollBarPolicy(saved.vertical);
      if (auto* standard = qobject_cast<StandardScrollView*>(saved.area.data())) {
        standard->setTrailingMargin(saved.trailingMargin);
      }
      layOut(saved.area);
    }
    // Once every range is back; a view that follows another's position
    // finds it restored or restores it again.
    for (const Saved& saved : saved_) {
      if (saved.area == nullptr) continue;
      saved.area->horizontalScrollBar()->setValue(saved.x);
      saved.area->verticalScrollBar()->setValue(saved.y);
      // Code may have scrolled a long document between two steps of its
      // bars; that place comes back too. Compared exactly: QPointF's !=
      // forgives a relative 1e-12, points far down a long document.
      auto* standard = qobject_cast<StandardScrollView*>(saved.area.data());
      if (standard == nullptr) continue;
      const QPointF origin = standard->documentVisibleRect().topLeft();
      if (origin.x() != saved.origin.x() || origin.y() != saved.origin.y()) {
        standard->scrollToPoint(saved.origin);
      }
    }
  }

  ScrollBarsHidden(const ScrollBarsHidden&) = delete;
  ScrollBarsHidden& operator=(const ScrollBarsHidden&) = delete;

 private:
  struct Saved {
    QPointer<QAbstractScrollArea> area;
    Qt::ScrollBarPolicy horizontal;
    Qt::ScrollBarPolicy vertical;
    int x;
    int y;
    int trailingMargin;
    QPointF origin;  // of a StandardScrollView's visible rectangle
  };

  // A shown area lays its bars out when a policy changes, a hidden one
  // only when asked.
  static void layOut(QAbstractScrollArea* area) {
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(area, &request);
  }

  std::vector<Saved> saved_;
};

}  // namespace

QImage renderWidgetImage(QWidget& widget) {
  // A widget that was never shown has its children laid out first.
  if (QLayout* layout = widget.layout()) layout->activate();
  const ScrollBarsHidden hidden(widget);
  const QSize size = widget.size();
  if (size.isEmpty()) return {};
  const qreal ratio = widget.devicePixelRatioF();
  // QImage refuses only sizes whose bytes overflow; anything below that it
  // allocates and fills, gigabytes included. Counted in doubles, which hold
  // every widget size (at most 2^24 a side) times any ratio without
  // overflowing; a NaN ratio fails the comparison and is refused too.
  const double bytes =
      static_cast<double>(size.width()) * ratio * (static_cast<double>(size.height()) * ratio) * 4;
  if (!(bytes <= static_cast<double>(kMostImageBytes))) return {};
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
