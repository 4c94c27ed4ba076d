#include "vorlent/views/hidden_scroller.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSignalSpy>
#include <QWidget>

#include "vorlent/views/mouse_input_testing.h"
#include "vorlent/views/standard_scroll_view.h"

namespace vorlent {
namespace {

// A header above a chart: equally wide, both with a vertical scroller, the
// header's horizontal one hidden.
class HeaderAboveChart : public ::testing::Test {
 protected:
  void SetUp() override {
    for (StandardScrollView* view : {&header, &chart}) {
      view->setCanvas(new QWidget);
      view->setHasVerticalScroller(true);
      view->resize(400, 60);
      view->show();
      view->setDocumentSize(QSizeF(5000, 40));
    }
    chart.setHasHorizontalScroller(true);
    HiddenScroller::install(header);
  }

  StandardScrollView header;
  StandardScrollView chart;
};

TEST_F(HeaderAboveChart, TheHiddenScrollerTakesNoRoomAndTheViewportsStayEquallyWide) {
  EXPECT_EQ(HiddenScroller::scrollerWidth(), 0);
  EXPECT_FALSE(header.hasHorizontalScroller());
  EXPECT_FALSE(header.horizontalScrollBar()->isVisible());
  EXPECT_EQ(header.canvas()->height(), 60) << "as high as the header";
  EXPECT_LT(chart.canvas()->height(), 60) << "the chart's bar does take room";
  EXPECT_EQ(header.canvas()->width(), chart.canvas()->width());
  EXPECT_LT(header.canvas()->width(), 400);
}

TEST_F(HeaderAboveChart, AHeaderWithAHiddenScrollerStillScrollsByCodeAndByTheUser) {
  QSignalSpy live(&header, &StandardScrollView::didLiveScroll);
  header.scrollRectToVisible(QRectF(1000, 0, 100, 0));
  EXPECT_EQ(header.scrollOffset().x(), 1100 - header.canvas()->width());
  testing::sendWheel(header.canvas(), QPoint(), QPoint(-30, 0));
  EXPECT_EQ(header.scrollOffset().x(), 1130 - header.canvas()->width());
  EXPECT_EQ(live.count(), 1);
}

TEST(HiddenScroller, MayHideAVerticalScrollerToo) {
  StandardScrollView view;
  HiddenScroller::install(view, Qt::Vertical);
  EXPECT_FALSE(view.hasVerticalScroller());
  EXPECT_TRUE(view.hasHorizontalScroller());
}

}  // namespace
}  // namespace vorlent
