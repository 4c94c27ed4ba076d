// The mouse of the chart area: clicks, drags, pointer moves, cursors and
// tool tips.

#include <QStringList>
#include <QToolTip>

#include <algorithm>
#include <string_view>
#include <utility>

#include "vorlent/views/click_gesture_recognizer.h"
#include "vorlent/views/content_canvas.h"
#include "vorlent/views/content_view.h"
#include "vorlent/views/conversions.h"
#include "vorlent/views/pan_gesture_recognizer.h"

namespace vorlent {

namespace {

// A tool tip window is as wide as its longest line and as tall as its lines:
// a host's free-text notes (megabytes of them, or one endless word) are cut
// to a few lines of a few words before Qt lays them out.
constexpr qsizetype kToolTipMostCharacters = 500;
constexpr qsizetype kToolTipLineLength = 80;
constexpr qsizetype kToolTipMostLines = 12;

// `text` wrapped at spaces into lines of at most kToolTipLineLength
// characters (a longer word is broken), at most kToolTipMostLines lines and
// kToolTipMostCharacters characters; what had to go is marked by an
// ellipsis. A short one-line text comes back as it is.
QString shortenedToolTip(std::string_view text) {
  // Only the beginning is converted: no character takes more than four bytes.
  constexpr size_t kMostBytes = 4 * (kToolTipMostCharacters + 1);
  const QString head =
      QString::fromUtf8(text.data(), static_cast<qsizetype>(std::min(text.size(), kMostBytes)));
  bool cut = head.size() > kToolTipMostCharacters;
  const QString kept = cut ? head.left(kToolTipMostCharacters) : head;
  if (!cut && kept.size() <= kToolTipLineLength && !kept.contains(QLatin1Char('\n'))) return kept;
  QStringList lines;
  for (const QString& paragraph : kept.split(QLatin1Char('\n'))) {
    QString line;
    for (QString word : paragraph.split(QLatin1Char(' '))) {
      while (word.size() > kToolTipLineLength) {
        if (!line.isEmpty()) lines << std::exchange(line, QString());
        lines << word.left(kToolTipLineLength);
        word.remove(0, kToolTipLineLength);
      }
      if (line.isEmpty()) {
        line = word;
      } else if (line.size() + 1 + word.size() <= kToolTipLineLength) {
        line += QLatin1Char(' ') + word;
      } else {
        lines << std::exchange(line, word);
      }
    }
    lines << line;
  }
  if (lines.size() > kToolTipMostLines) {
    lines.resize(kToolTipMostLines);
    cut = true;
  }
  if (cut) {
    QString& last = lines.back();
    if (last.size() >= kToolTipLineLength) last.chop(1);
    last += QChar(0x2026);
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

// --- Answering the pointer ---------------------------------------------------------

template <class Call>
void GanttChartContent::callThenUpdateMouseLocation(Call&& call,
                                                    const std::optional<QPointF>& point) {
  const QPointer<GanttChartContent> alive(this);
  ++mouseReevaluationHolds_;
  std::forward<Call>(call)();
  if (alive == nullptr) return;
  --mouseReevaluationHolds_;
  const bool asked = mouseReevaluationHolds_ == 0 && std::exchange(mouseReevaluationAsked_, false);
  // Standing in for the re-evaluations held back, the update draws what it
  // changes as theirs would have.
  const bool moving = asked ? std::exchange(movingViewport_, false) : movingViewport_;
  updateMouseLocation(point);
  if (asked && alive != nullptr) movingViewport_ = moving;
}

// --- Recognisers -----------------------------------------------------------------

void GanttChartContent::clickWithRecognizer(ClickGestureRecognizer& recognizer) {
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  // Selects only where the settings allow selecting.
  controller->select(fromQt(recognizer.locationInView()));
}

void GanttChartContent::activatingClickWithRecognizer(ClickGestureRecognizer& recognizer) {
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  controller->activate(fromQt(recognizer.locationInView()));
}

void GanttChartContent::panWithRecognizer(DraggingPanGestureRecognizer& recognizer) {
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  const QPointF location = recognizer.locationInView();
  switch (recognizer.state()) {
    case GestureRecognizer::State::began: {
      // The drag acts from where the button went down, then follows at once
      // to where the pointer is now.
      const Point start = fromQt(recognizer.locationInViewWhenDraggingStarted());
      callThenUpdateMouseLocation(
          [&] {
            controller->beginDragging(start, true);
            controller->select(start);
            controller->continueDragging(fromQt(location));
          },
          location);
      break;
    }
    case GestureRecognizer::State::changed:
      callThenUpdateMouseLocation([&] { controller->continueDragging(fromQt(location)); },
                                  location);
      break;
    case GestureRecognizer::State::ended:
      callThenUpdateMouseLocation([&] { controller->endDragging(); }, location);
      break;
    case GestureRecognizer::State::cancelled:
    case GestureRecognizer::State::failed:
      // Escape or a lost grab: stop without completing what the drag was
      // about to create, and drop its cursor.
      callThenUpdateMouseLocation([&] { controller->cancelDragging(); }, std::nullopt);
      break;
    case GestureRecognizer::State::possible:
      break;
  }
}

// --- Pointer tracking --------------------------------------------------------------

void GanttChartContent::mouseMoved(const QPointF& point) {
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  callThenUpdateMouseLocation(
      [&] {
        controller->focusElement(fromQt(point), false, false);
        controller->showDependencyLineThumb(fromQt(point));
      },
      point);
}

void GanttChartContent::mouseEntered() {
  if (contextMenuIsOpen_) {
    pointerLeftDuringContextMenu_ = false;
    return;
  }
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  controller->cancelFocus();
}

void GanttChartContent::mouseExited() {
  hideShownToolTip();
  if (contextMenuIsOpen_) {
    pointerLeftDuringContextMenu_ = true;
    return;
  }
  if (controller_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  const QPointer<GanttChartContent> alive(this);
  controller->cancelFocus();
  if (alive == nullptr) return;
  mouseLocationInView_.reset();
}

void GanttChartContent::updateMouseLocation(const std::optional<QPointF>& point) {
  if (controller_ == nullptr || canvas_ == nullptr) return;
  const GanttChartContentControllerPtr controller = controller_;
  const QPointer<GanttChartContent> alive(this);
  QPointF at;
  if (point) {
    at = *point;
  } else if (mouseLocationInView_) {
    at = toQt(mouseLocationInView_->movedBy(controller->viewport().origin.x,
                                            controller->viewport().origin.y));
  } else {
    return;
  }
  const Point location = fromQt(at);
  std::optional<Cursor> cursor = controller->draggingCursor();
  if (!cursor) cursor = controller->cursor(location);
  if (cursor) {
    canvas_->setCursor(qtCursor(*cursor));
  } else {
    canvas_->unsetCursor();
  }
  const std::optional<std::string> toolTip = controller->toolTip(location);
  if (alive == nullptr || canvas_ == nullptr) return;
  const QString text = toolTip ? shortenedToolTip(*toolTip) : QString();
  if (text != canvas_->toolTip()) {
    // A tip on screen would keep showing the old text.
    hideShownToolTip();
    canvas_->setToolTip(text);
  }
  const Point origin = controller->viewport().origin;
  mouseLocationInView_ = location.movedBy(-origin.x, -origin.y);
}

void GanttChartContent::hideShownToolTip() {
  if (canvas_ == nullptr || canvas_->toolTip().isEmpty() || !QToolTip::isVisible()) return;
  if (QToolTip::text() == canvas_->toolTip()) QToolTip::hideText();
}

std::optional<std::string> GanttChartContent::toolTip(const GanttChartItemPtr& item) {
  if (item == nullptr) return std::nullopt;
  return item->details();
}

std::optional<std::string> GanttChartContent::toolTip(const GanttChartDependencyPtr& dependency) {
  if (dependency == nullptr) return std::nullopt;
  return dependency->details();
}

}  // namespace vorlent
