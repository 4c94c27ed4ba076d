// The presenter adapters hand every drawing call of the header and the chart
// area to the chart's one presenter, under its name there, with the same
// arguments in the same order.

#include <gtest/gtest.h>

#include <any>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "vorlent/controllers/chart_controller.h"
#include "vorlent/controllers/chart_controller_testing.h"
#include "vorlent/intervals/time_interval_type.h"
#include "vorlent/intervals/time_label_format.h"

namespace vorlent {
namespace {

using testing::ChartFixture;

// --- Describing arguments ---------------------------------------------------------------

std::string nameOf(const std::any& context) {
  const auto* name = std::any_cast<std::string>(&context);
  return name ? *name : "?";
}

template <class T>
requires requires(std::ostream& out, const T& value) { out << value; }
std::string describe(const T& value) {
  std::ostringstream out;
  out << std::boolalpha << value;
  return out.str();
}
std::string describe(const GanttChartItemPtr& item) {
  return item ? "item " + item->label().value_or("?") : "no item";
}
std::string describe(const GanttChartDependencyPtr& dependency) {
  return dependency ? "dependency " + dependency->label().value_or("?") : "no dependency";
}
std::string describe(const std::optional<Color>& color) {
  return color ? describe(*color) : "no colour";
}
std::string describe(const std::vector<Point>& points) {
  std::string text;
  for (const Point& point : points) text += describe(point);
  return text;
}
std::string describe(const TimeSelector& selector) {
  return "selector " + nameOf(selector.context);
}
std::string describe(const ScheduleTimeSelector& selector) {
  return "schedule selector " + nameOf(selector.context);
}
std::string describe(const GanttChartHeaderRow& row) { return "row " + nameOf(row.context); }
std::string describe(const GanttChartBar& bar) { return "bar of " + describe(bar.item); }
std::string describe(const GanttChartDependencyLine& line) {
  return "line of " + describe(line.dependency);
}

struct Call {
  std::string name;
  std::vector<std::string> arguments;
  friend bool operator==(const Call&, const Call&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Call& call) {
    out << call.name << "(";
    for (const std::string& argument : call.arguments) out << argument << "; ";
    return out << ")";
  }
};

template <class... Arguments>
Call call(std::string name, const Arguments&... arguments) {
  return Call{std::move(name), {describe(arguments)...}};
}

// --- A presenter that records every call --------------------------------------------------

class RecordingChartPresenter : public GanttChartPresenter {
 public:
  std::vector<Call> calls;
  std::optional<std::string> itemToolTip;
  std::optional<std::string> dependencyToolTip;

  void drawHeaderBackground(const Color& a, const Size& b) override {
    calls.push_back(call("drawHeaderBackground", a, b));
  }
  void drawHeaderBorder(const Rectangle& a, const Line& b, double c, const Color& d) override {
    calls.push_back(call("drawHeaderBorder", a, b, c, d));
  }
  void drawContentBackground(const Color& a, const Size& b) override {
    calls.push_back(call("drawContentBackground", a, b));
  }
  void drawContentBorder(const Rectangle& a, const Line& b, double c, const Color& d) override {
    calls.push_back(call("drawContentBorder", a, b, c, d));
  }
  void drawBackground(int64_t a, const Rectangle& b, const Color& c) override {
    calls.push_back(call("drawBackground", a, b, c));
  }
  void drawBorder(int64_t a, const Rectangle& b, const Line& c, double d, const Color& e) override {
    calls.push_back(call("drawBorder", a, b, c, d, e));
  }
  void draw(const GanttChartBar& a) override { calls.push_back(call("draw", a)); }
  void drawBar(const GanttChartItemPtr& a, const Rectangle& b, const Color& c, const Color& d,
               const std::optional<Color>& e, double f, double g, bool h, bool i, bool j,
               const Color& k, const Color& l, const Color& m, double n, double o, double p, bool q,
               bool r, bool s, bool t, double u) override {
    calls.push_back(call("drawBar", a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t, u));
  }
  void drawSummaryBar(const GanttChartItemPtr& a, const Rectangle& b, const Color& c,
                      const Color& d, const std::optional<Color>& e, double f, double g, double h,
                      bool i, bool j, bool k, bool l, const Color& m, const Color& n,
                      const Color& o, double p, double q, double r, bool s, bool t, bool u, bool v,
                      double w) override {
    calls.push_back(call("drawSummaryBar", a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s,
                         t, u, v, w));
  }
  void drawMilestone(const GanttChartItemPtr& a, const Rectangle& b, const Color& c, const Color& d,
                     const std::optional<Color>& e, double f, bool g, bool h, bool i,
                     const Color& j, const Color& k, const Color& l, double m, double n, double o,
                     bool p, bool q, double r) override {
    calls.push_back(call("drawMilestone", a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r));
  }
  void drawCompletionBar(const GanttChartItemPtr& a, const Rectangle& b, const Color& c,
                         const Color& d, const std::optional<Color>& e, double f, double g, bool h,
                         double i) override {
    calls.push_back(call("drawCompletionBar", a, b, c, d, e, f, g, h, i));
  }
  void drawBarLabel(const GanttChartItemPtr& a, const Rectangle& b, const std::string& c,
                    const Color& d, TextAlignment e, const Font& f) override {
    calls.push_back(call("drawBarLabel", a, b, c, d, e, f));
  }
  void drawAttachmentLabel(const GanttChartItemPtr& a, const Rectangle& b, const std::string& c,
                           const Color& d, const Font& e) override {
    calls.push_back(call("drawAttachmentLabel", a, b, c, d, e));
  }
  void draw(const GanttChartDependencyLine& a) override { calls.push_back(call("draw", a)); }
  void drawDependencyLine(const GanttChartDependencyPtr& a, const std::vector<Point>& b,
                          const Color& c, double d, double e, double f, bool g, bool h, bool i,
                          double j, double k, double l) override {
    calls.push_back(call("drawDependencyLine", a, b, c, d, e, f, g, h, i, j, k, l));
  }
  void drawDependencyLineThumb(const GanttChartItemPtr& a, GanttChartDependencyEndType b,
                               const Point& c, double d, const Color& e) override {
    calls.push_back(call("drawDependencyLineThumb", a, b, c, d, e));
  }
  void drawTemporaryDependencyLine(const GanttChartItemPtr& a, const GanttChartItemPtr& b,
                                   GanttChartDependencyType c, const std::vector<Point>& d,
                                   const Color& e, double f, double g, double h,
                                   double i) override {
    calls.push_back(call("drawTemporaryDependencyLine", a, b, c, d, e, f, g, h, i));
  }
  void drawTemporaryBar(const Rectangle& a, const Color& b, double c, double d) override {
    calls.push_back(call("drawTemporaryBar", a, b, c, d));
  }
  void drawHeaderTimeArea(const ScheduleTimeSelector& a, const Rectangle& b,
                          const Color& c) override {
    calls.push_back(call("drawHeaderTimeArea", a, b, c));
  }
  void drawContentTimeArea(const ScheduleTimeSelector& a, const Rectangle& b,
                           const Color& c) override {
    calls.push_back(call("drawContentTimeArea", a, b, c));
  }
  void drawHeaderCell(const TimeSelector& a, const GanttChartHeaderRow& b, const Rectangle& c,
                      const Color& d) override {
    calls.push_back(call("drawHeaderCell", a, b, c, d));
  }
  void drawHeaderCellBorder(const TimeSelector& a, const GanttChartHeaderRow& b, const Rectangle& c,
                            const Line& d, double e, const Color& f) override {
    calls.push_back(call("drawHeaderCellBorder", a, b, c, d, e, f));
  }
  void drawHeaderCellLabel(const TimeSelector& a, const GanttChartHeaderRow& b, const Rectangle& c,
                           const std::string& d, const Color& e, TextAlignment f, const Font& g,
                           VerticalTextAlignment h) override {
    calls.push_back(call("drawHeaderCellLabel", a, b, c, d, e, f, g, h));
  }
  void drawContentTimeArea(const TimeSelector& a, const Rectangle& b, const Color& c) override {
    calls.push_back(call("drawContentTimeArea", a, b, c));
  }
  void drawContentTimeAreaBorder(const TimeSelector& a, const Rectangle& b, const Line& c, double d,
                                 const Color& e) override {
    calls.push_back(call("drawContentTimeAreaBorder", a, b, c, d, e));
  }
  void drawContentTimeAreaLabel(const TimeSelector& a, const Rectangle& b, const std::string& c,
                                const Color& d, TextAlignment e, const Font& f,
                                VerticalTextAlignment g) override {
    calls.push_back(call("drawContentTimeAreaLabel", a, b, c, d, e, f, g));
  }
  std::optional<std::string> toolTip(const GanttChartItemPtr& a) override {
    calls.push_back(call("toolTip", a));
    return itemToolTip;
  }
  std::optional<std::string> toolTip(const GanttChartDependencyPtr& a) override {
    calls.push_back(call("toolTip", a));
    return dependencyToolTip;
  }
};

// --- Sample arguments, each different from its neighbours ---------------------------------

const Color kC1(0.1, 0.2, 0.3, 1), kC2(0.4, 0.5, 0.6, 1), kC3(0.7, 0.8, 0.9, 1),
    kC4(0.2, 0.4, 0.6, 0.5), kC5(0.9, 0.1, 0.1, 1);
const Rectangle kRect(1, 2, 3, 4);
const Line kLine{Point{5, 6}, Point{7, 8}};
const Size kSize{9, 10};
const Font kFont{"Sans", 11};
const std::vector<Point> kPolyline{Point{1, 1}, Point{2, 3}, Point{4, 3}};

struct Samples {
  GanttChartItemPtr item = GanttChartItem::create({.label = "A"});
  GanttChartItemPtr other = GanttChartItem::create({.label = "B"});
  GanttChartDependencyPtr dependency =
      std::make_shared<GanttChartDependency>(std::string("A to B"), item, other);
  TimeSelector selector{TimeIntervalType::days(), TimeLabelFormat::dayOfWeekShortAbbreviation()};
  ScheduleTimeSelector scheduleSelector{ScheduleTimeType::weekends};
  GanttChartHeaderRow row{TimeIntervalType::weeks()};

  Samples() {
    selector.context = std::string("days");
    scheduleSelector.context = std::string("weekends");
    row.context = std::string("weeks");
  }
};

struct Presented {
  ChartFixture f;
  Samples s;
  std::shared_ptr<RecordingChartPresenter> presenter = std::make_shared<RecordingChartPresenter>();
  std::shared_ptr<GanttChartController::HeaderPresenterAdapter> header = f.chart->headerPresenter();
  std::shared_ptr<GanttChartController::ContentPresenterAdapter> content =
      f.chart->contentPresenter();

  Presented() { f.chart->setPresenter(presenter); }

  // Makes every call of both adapters once, in the chart presenter's order.
  void callEveryRequirement() {
    header->drawBackground(kC1, kSize);
    header->drawBorder(kRect, kLine, 1.5, kC2);
    content->drawBackground(kC3, kSize);
    content->drawBorder(kRect, kLine, 2.5, kC4);
    content->drawBackground(7, kRect, kC5);
    content->drawBorder(8, kRect, kLine, 3.5, kC1);
    content->draw(GanttChartBar{s.item, kRect});
    content->drawBar(s.item, kRect, kC1, kC2, kC3, 1, 2, true, false, true, kC4, kC5, kC1, 3, 4, 5,
                     false, true, false, true, 6);
    content->drawSummaryBar(s.item, kRect, kC2, kC3, std::nullopt, 1, 2, 3, true, false, true,
                            false, kC4, kC5, kC1, 4, 5, 6, true, false, true, false, 7);
    content->drawMilestone(s.item, kRect, kC3, kC4, kC5, 1, false, true, false, kC1, kC2, kC3, 2, 3,
                           4, true, false, 5);
    content->drawCompletionBar(s.item, kRect, kC4, kC5, kC1, 1, 2, true, 3);
    content->drawBarLabel(s.item, kRect, "label", kC5, TextAlignment::center, kFont);
    content->drawAttachmentLabel(s.item, kRect, "attachment", kC1, kFont);
    content->draw(GanttChartDependencyLine{s.dependency, kPolyline});
    content->drawDependencyLine(s.dependency, kPolyline, kC2, 1, 2, 3, true, false, true, 4, 5, 6);
    content->drawDependencyLineThumb(s.item, GanttChartDependencyEndType::start, Point{3, 4}, 5,
                                     kC3);
    content->drawTemporaryDependencyLine(
        s.item, nullptr, GanttChartDependencyType::fromStartToFinish, kPolyline, kC4, 1, 2, 3, 4);
    content->drawTemporaryBar(kRect, kC5, 1, 2);
    header->drawTimeArea(s.scheduleSelector, kRect, kC1);
    content->drawTimeArea(s.scheduleSelector, kRect, kC2);
    header->drawCell(s.selector, s.row, kRect, kC3);
    header->drawCellBorder(s.selector, s.row, kRect, kLine, 1, kC4);
    header->drawCellLabel(s.selector, s.row, kRect, "Mo", kC5, TextAlignment::right, kFont,
                          VerticalTextAlignment::top);
    content->drawTimeArea(s.selector, kRect, kC1);
    content->drawTimeAreaBorder(s.selector, kRect, kLine, 2, kC2);
    content->drawTimeAreaLabel(s.selector, kRect, "week 12", kC3, TextAlignment::left, kFont,
                               VerticalTextAlignment::center);
    content->toolTip(s.item);
    content->toolTip(s.dependency);
  }
};

TEST(ChartPresenterAdapters, ForwardEveryCallUnderTheChartsNameWithItsArguments) {
  Presented p;
  p.callEveryRequirement();
  const Samples& s = p.s;
  const std::vector<Call> expected = {
      call("drawHeaderBackground", kC1, kSize),
      call("drawHeaderBorder", kRect, kLine, 1.5, kC2),
      call("drawContentBackground", kC3, kSize),
      call("drawContentBorder", kRect, kLine, 2.5, kC4),
      call("drawBackground", 7, kRect, kC5),
      call("drawBorder", 8, kRect, kLine, 3.5, kC1),
      call("draw", GanttChartBar{s.item, kRect}),
      call("drawBar", s.item, kRect, kC1, kC2, std::optional<Color>(kC3), 1, 2, true, false, true,
           kC4, kC5, kC1, 3, 4, 5, false, true, false, true, 6),
      call("drawSummaryBar", s.item, kRect, kC2, kC3, std::optional<Color>(), 1, 2, 3, true, false,
           true, false, kC4, kC5, kC1, 4, 5, 6, true, false, true, false, 7),
      call("drawMilestone", s.item, kRect, kC3, kC4, std::optional<Color>(kC5), 1, false, true,
           false, kC1, kC2, kC3, 2, 3, 4, true, false, 5),
      call("drawCompletionBar", s.item, kRect, kC4, kC5, std::optional<Color>(kC1), 1, 2, true, 3),
      call("drawBarLabel", s.item, kRect, std::string("label"), kC5, TextAlignment::center, kFont),
      call("drawAttachmentLabel", s.item, kRect, std::string("attachment"), kC1, kFont),
      call("draw", GanttChartDependencyLine{s.dependency, kPolyline}),
      call("drawDependencyLine", s.dependency, kPolyline, kC2, 1, 2, 3, true, false, true, 4, 5, 6),
      call("drawDependencyLineThumb", s.item, GanttChartDependencyEndType::start, Point{3, 4}, 5,
           kC3),
      call("drawTemporaryDependencyLine", s.item, GanttChartItemPtr(),
           GanttChartDependencyType::fromStartToFinish, kPolyline, kC4, 1, 2, 3, 4),
      call("drawTemporaryBar", kRect, kC5, 1, 2),
      call("drawHeaderTimeArea", s.scheduleSelector, kRect, kC1),
      call("drawContentTimeArea", s.scheduleSelector, kRect, kC2),
      call("drawHeaderCell", s.selector, s.row, kRect, kC3),
      call("drawHeaderCellBorder", s.selector, s.row, kRect, kLine, 1, kC4),
      call("drawHeaderCellLabel", s.selector, s.row, kRect, std::string("Mo"), kC5,
           TextAlignment::right, kFont, VerticalTextAlignment::top),
      call("drawContentTimeArea", s.selector, kRect, kC1),
      call("drawContentTimeAreaBorder", s.selector, kRect, kLine, 2, kC2),
      call("drawContentTimeAreaLabel", s.selector, kRect, std::string("week 12"), kC3,
           TextAlignment::left, kFont, VerticalTextAlignment::center),
      call("toolTip", s.item),
      call("toolTip", s.dependency),
  };
  EXPECT_EQ(p.presenter->calls, expected);
}

TEST(ChartPresenterAdapters, ForwardTheToolTipsAnswers) {
  Presented p;
  EXPECT_FALSE(p.content->toolTip(p.s.item));  // the presenter has none yet
  p.presenter->itemToolTip = "two days";
  p.presenter->dependencyToolTip = "finish to start";
  EXPECT_EQ(p.content->toolTip(p.s.item), "two days");
  EXPECT_EQ(p.content->toolTip(p.s.dependency), "finish to start");
}

TEST(ChartPresenterAdapters, WithoutAPresenterDrawNothingAndGiveNoToolTip) {
  Presented p;
  p.presenter->itemToolTip = "two days";
  p.presenter->dependencyToolTip = "finish to start";
  p.f.chart->setPresenter({});
  p.callEveryRequirement();
  EXPECT_FALSE(p.content->toolTip(p.s.item));
  EXPECT_FALSE(p.content->toolTip(p.s.dependency));
  EXPECT_TRUE(p.presenter->calls.empty());
}

TEST(ChartPresenterAdapters, CarryTheHeadersDrawingPassToTheChart) {
  Presented p;
  p.f.header->draw(p.f.header->viewport());
  ASSERT_FALSE(p.presenter->calls.empty());
  EXPECT_EQ(p.presenter->calls.front().name, "drawHeaderBackground");
  for (const Call& drawn : p.presenter->calls) {
    EXPECT_EQ(drawn.name.rfind("drawHeader", 0), 0u) << drawn;
  }
}

}  // namespace
}  // namespace vorlent
