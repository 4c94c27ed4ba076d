#include "vorlent/views/conversions.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QPointer>
#include <QString>

namespace vorlent {

namespace {

float unitComponent(double component) {
  return std::isnan(component) ? 0.0F : static_cast<float>(std::clamp(component, 0.0, 1.0));
}

// Whether an installed family answers to `family`. The font database lists
// every family to answer that, and drawing asks it for each text, so answers
// are remembered until the database changes (an application font added or
// removed) or another application takes over.
bool isKnownFamily(const QString& family) {
  static QHash<QString, bool> known;
  static QPointer<QGuiApplication> watched;
  constexpr qsizetype kMaximumRemembered = 256;
  if (watched != qGuiApp) {
    known.clear();
    watched = qGuiApp;
    if (qGuiApp != nullptr) {
      QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp,
                       [] { known.clear(); });
    }
  }
  if (const auto found = known.constFind(family); found != known.cend()) return found.value();
  if (known.size() >= kMaximumRemembered) known.clear();
  const bool answer = QFontDatabase::hasFamily(family);
  known.insert(family, answer);
  return answer;
}

}  // namespace

QPolygonF toQt(const std::vector<Point>& points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const Point& point : points) polygon.append(toQt(point));
  return polygon;
}

std::vector<Point> fromQt(const QPolygonF& points) {
  std::vector<Point> result;
  result.reserve(static_cast<std::size_t>(points.size()));
  for (const QPointF& point : points) result.push_back(fromQt(point));
  return result;
}

QColor toQt(const Color& color) {
  return QColor::fromRgbF(unitComponent(color.red), unitComponent(color.green),
                          unitComponent(color.blue), unitComponent(color.alpha));
}

Color fromQt(const QColor& color) {
  return Color(color.redF(), color.greenF(), color.blueF(), color.alphaF());
}

Qt::Alignment toQt(TextAlignment alignment) {
  switch (alignment) {
    case TextAlignment::left:
      return Qt::AlignLeft;
    case TextAlignment::center:
      return Qt::AlignHCenter;
    case TextAlignment::right:
      return Qt::AlignRight;
  }
  return Qt::AlignLeft;
}

TextAlignment fromQt(Qt::Alignment alignment) {
  if (alignment.testFlag(Qt::AlignHCenter)) return TextAlignment::center;
  if (alignment.testFlag(Qt::AlignRight)) return TextAlignment::right;
  return TextAlignment::left;
}

QFont toQt(const Font& font) {
  QFont result;  // the application font
  if (font.name) {
    const QString family = QString::fromStdString(*font.name);
    if (isKnownFamily(family)) result.setFamily(family);
  }
  if (font.size && std::isfinite(*font.size) && *font.size > 0) {
    result.setPointSizeF(std::min(*font.size, kMaximumFontPointSize));
  }
  return result;
}

QCursor qtCursor(Cursor cursor) {
  switch (cursor) {
    case Cursor::moveHorizontally:
      return QCursor(Qt::OpenHandCursor);
    case Cursor::moveVertically:
      return QCursor(Qt::ClosedHandCursor);
    case Cursor::resizeHorizontally:
    case Cursor::resizeVertically:  // no up-down cursor, by design
      return QCursor(Qt::SizeHorCursor);
    case Cursor::draw:
      return QCursor(Qt::PointingHandCursor);
  }
  return QCursor(Qt::ArrowCursor);
}

Mode fromQt(const QPalette& palette) {
  return palette.color(QPalette::Window).lightnessF() < 0.5 ? Mode::dark : Mode::light;
}

}  // namespace vorlent
