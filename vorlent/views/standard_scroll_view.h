#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QRectF>
#include <QSizeF>

class QPainter;

namespace vorlent {

// A scroll area over a virtual document: the canvas widget is the viewport
// itself and paints only what is on screen, translated by the scroll offset,
// so the document may be far larger than any widget can be. The document's
// size sets the scroll bars' ranges; the visible document rectangle is the
// scroll offset with the viewport's size.
//
// Scroll offsets are whole pixels, as Qt's scroll bars are; a fractional
// document size rounds its scroll range up, so its last partial pixel can be
// shown. The scroll bars reach at most `kMaximumDocumentLength` on each axis;
// a longer finite document is mapped onto them, each step of a bar moving
// the visible rectangle by the same share of the document, so that every
// part of it, its far end included, can be scrolled into view. Scrolling by
// code reaches every pixel even there, between two of the bar's steps.
//
// Two signals report the visible rectangle: `boundsDidChange()` for every
// change of it (scrolling by code or by the user, resizing, a document that
// shrinks under the offset), never for a call that changes nothing, and
// `didLiveScroll()`, after it, only when the user scrolled (wheel or
// touchpad over the canvas, dragging or clicking a scroll bar, the keyboard).
//
// Scrolling moves the pixels the canvas has painted and has it paint only
// what came into view, so a canvas must be opaque (fill its background) and
// draw each document point the same whatever the visible rectangle; a view
// whose drawing changes with the visible rectangle repaints itself when it
// learns of the change.
//
// The canvas receives its own paint, mouse, context-menu, touch and drag
// events; wheel events over it scroll the area. GUI thread only.
class StandardScrollView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // The longest scroll range on either axis: 2^30 pixels, a million rows of
  // a thousand pixels each. Qt's scroll bars hold ints; this bound leaves
  // Qt's slider arithmetic (a range plus a page step) clear of overflow, and
  // every offset up to it is exact. A document up to it scrolls pixel for
  // pixel; a longer one, up to `kLongestMappedDocument`, is mapped onto it;
  // an infinite one has no end to map and is cut to it.
  static constexpr double kMaximumDocumentLength = 1 << 30;
  // The longest document mapped onto the scroll range (2^53, beyond which
  // doubles no longer hold every pixel); a longer finite one is cut to it.
  static constexpr double kLongestMappedDocument = 9007199254740992.0;
  // Points per line: the scroll bars' arrow step, and what one wheel notch
  // moves per line of the platform's wheel setting.
  static constexpr int kLineStep = 20;

  explicit StandardScrollView(QWidget* parent = nullptr);

  // --- Canvas ----------------------------------------------------------------
  // Makes `canvas` the viewport, taking ownership; the previous canvas is
  // deleted. The canvas paints itself (see `translateToDocument`).
  void setCanvas(QWidget* canvas);
  [[nodiscard]] QWidget* canvas() const { return viewport(); }
  // The scroll view whose canvas `widget` is, or nullptr.
  [[nodiscard]] static StandardScrollView* forCanvas(const QWidget* widget);

  // --- Document --------------------------------------------------------------
  [[nodiscard]] QSizeF documentSize() const { return documentSize_; }
  // Each length is brought into [0, kLongestMappedDocument] (an infinite one
  // becomes kMaximumDocumentLength); a size with a NaN is refused and
  // changes nothing. The offset is pulled back into the new range; where
  // the document is or was mapped, the visible rectangle keeps its place as
  // far as the new document reaches (so too when the viewport resizes).
  void setDocumentSize(const QSizeF& size);

  // The visible part of the document: where the scroll offset shows it (the
  // offset itself unless the document is mapped), with the viewport's size.
  // It is not cut to the document: beside a document smaller than the
  // viewport it is the whole viewport, at the origin.
  [[nodiscard]] QRectF documentVisibleRect() const;
  // The scroll bars' values.
  [[nodiscard]] QPoint scrollOffset() const;
  // True only while `boundsDidChange()` reports a move the user made, the
  // one `didLiveScroll()` will report next; a receiver that follows every
  // change tells the two kinds apart by it.
  [[nodiscard]] bool isLiveScrolling() const { return reportingLiveScroll_; }
  // True while either signal is being emitted, however deeply nested. A
  // layout or resize of this view (its viewport's geometry, a scroll bar
  // shown) reports from inside Qt's handling of it, and Qt goes on there
  // once every receiver has returned: an owner that a receiver destroys
  // meanwhile must leave this view to be deleted on a later turn.
  [[nodiscard]] bool isReportingBounds() const { return reportingDepth_ > 0; }

  // --- Scrolling by code (never a live scroll) ---------------------------------
  // Puts `point` at the viewport's top left, as near as the document allows,
  // each coordinate rounded to the nearest pixel. A NaN coordinate keeps the
  // offset on its axis.
  void scrollToPoint(const QPointF& point);
  // Scrolls as little as shows `rect` (normalised first) on each axis: a
  // part beyond the start of the visible rectangle brings the rectangle's
  // start to the viewport's start, a part beyond the end brings its end to
  // the viewport's end, and a rectangle longer than the viewport is shown
  // from its start. A zero-length side is a point. The offset stays inside
  // the document. A rectangle with a non-finite value is refused. Returns
  // whether the offset moved.
  bool scrollRectToVisible(const QRectF& rect);

  // --- Scroll bars -----------------------------------------------------------
  // True shows the orientation's bar always, false never. Either way the
  // view scrolls that way by code, wheel and keyboard: a hidden bar keeps
  // its range and value. Before either is called the policy is Qt's default,
  // shown as needed.
  void setHasVerticalScroller(bool has);
  void setHasHorizontalScroller(bool has);
  // False only while the orientation's bar is never shown.
  [[nodiscard]] bool hasVerticalScroller() const;
  [[nodiscard]] bool hasHorizontalScroller() const;

  // --- Trailing margin -------------------------------------------------------
  // Keeps `width` pixels (a negative width counts as 0) free at the
  // viewport's right (left when laid out right to left), outside it, full
  // height: the viewport is that much
  // narrower. `filler`, when set, is laid over the free strip whenever the
  // viewport moves or resizes and hidden while the strip is empty; it
  // becomes this view's child. A header keeps its viewport as wide as a
  // chart area's beside that area's vertical scroll bar this way.
  void setTrailingMargin(int width);
  [[nodiscard]] int trailingMargin() const { return trailingMargin_; }
  void setTrailingFiller(QWidget* filler);
  [[nodiscard]] QWidget* trailingFiller() const { return trailingFiller_; }

  // --- Coordinates and painting ----------------------------------------------
  // A point of the viewport (the canvas) in document coordinates, and back.
  [[nodiscard]] QPointF documentPoint(const QPointF& viewportPoint) const;
  [[nodiscard]] QPointF viewportPoint(const QPointF& documentPoint) const;
  // For the canvas's paint event: translates `painter` so that it draws in
  // document coordinates and returns the part of the document that the
  // exposed viewport rectangle shows, which is all a view need draw.
  QRectF translateToDocument(QPainter& painter, const QRect& exposedRect) const;

 signals:
  void boundsDidChange();
  void didLiveScroll();

 protected:
  bool viewportEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  // Scrolls by the event's pixel delta when it has one (touchpads), else by
  // its angle delta in lines; Shift turns a vertical wheel horizontal. Left
  // unaccepted when the view could not move, so an enclosing area may.
  void wheelEvent(QWheelEvent* event) override;
  // Qt's keys of a scroll area (Page Up and Down, the arrows) and Home and
  // End, which scroll to the top and the bottom; all of them scroll live.
  // Left shows what lies left of the view in either layout direction.
  void keyPressEvent(QKeyEvent* event) override;
  // Moves the trailing margin with the layout direction.
  void changeEvent(QEvent* event) override;

 private:
  // Collects the scroll bars' value changes into one update of the visible
  // rectangle, published when the outermost batch ends.
  class Batch;

  void watchScrollBar(QScrollBar* bar);
  void updateScrollBars();
  // Moves the offset to `target` (already inside the range) and the
  // visible rectangle `remainder` beyond it on mapped axes; `live` when the
  // user asked for it.
  bool moveTo(QPoint target, QPointF remainder, bool live);
  // Moves the visible rectangle's origin to `origin` (inside the document);
  // `live` when the user asked for it.
  bool moveToOrigin(QPointF origin, bool live);
  // The furthest origin of the visible rectangle on each axis.
  [[nodiscard]] QPointF maximumOrigin() const;
  void publishVisibleRect();
  // Document pixels per scroll-bar step on each axis: 1 unless the document
  // is mapped onto a shorter scroll range.
  [[nodiscard]] QPointF documentScale() const;
  void applyTrailingMargin();
  void placeTrailingFiller();

  QSizeF documentSize_;
  QRectF publishedVisibleRect_;
  QPointF wheelRemainder_;
  // How far past its bar's step code scrolled the visible rectangle on a
  // mapped axis, less than one step; 0 elsewhere and after any other move.
  QPointF remainder_;
  // The document scale the bars were last configured for.
  QPointF configuredScale_{1, 1};
  int batchDepth_ = 0;
  bool liveScrollPending_ = false;
  bool reportingLiveScroll_ = false;
  // How many emissions of the two signals are under way.
  int reportingDepth_ = 0;
  int trailingMargin_ = 0;
  QPointer<QWidget> trailingFiller_;
};

}  // namespace vorlent
