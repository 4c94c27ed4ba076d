#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorlent/style/content_base_style.h"

namespace vorlent {
namespace {

GanttChartItemPtr makeItem(GanttChartItemType type,
                           std::optional<GanttChartItemStyle> style = std::nullopt) {
  return std::make_shared<GanttChartItem>("item", 0, Time(1, kMonday, 0), Time(1, kTuesday, 0), 0.5,
                                          std::nullopt, std::nullopt, nullptr, true, 0, true, type,
                                          style);
}

GanttChartItemStyle fillStyle(Color color) { return GanttChartItemStyle(color); }

// Answers a fixed style and counts how often it was asked.
class CountingItemStyleSelector : public GanttChartItemStyleSelector {
 public:
  explicit CountingItemStyleSelector(std::optional<GanttChartItemStyle> answer)
      : answer_(std::move(answer)) {}
  [[nodiscard]] std::optional<GanttChartItemStyle> style(
      const std::shared_ptr<GanttChartItem>&) const override {
    ++calls;
    return answer_;
  }
  mutable int calls = 0;

 private:
  std::optional<GanttChartItemStyle> answer_;
};

class CountingDependencyStyleSelector : public GanttChartDependencyStyleSelector {
 public:
  explicit CountingDependencyStyleSelector(std::optional<GanttChartDependencyStyle> answer)
      : answer_(std::move(answer)) {}
  [[nodiscard]] std::optional<GanttChartDependencyStyle> style(
      const std::shared_ptr<GanttChartDependency>&) const override {
    ++calls;
    return answer_;
  }
  mutable int calls = 0;

 private:
  std::optional<GanttChartDependencyStyle> answer_;
};

const Color kOwn(0.1, 0.1, 0.1, 1);
const Color kSelected(0.2, 0.2, 0.2, 1);
const Color kPerType(0.3, 0.3, 0.3, 1);
const Color kBase(0.4, 0.4, 0.4, 1);
const Color kBaseSecondary(0.5, 0.5, 0.5, 0.5);

TEST(ItemStyleResolution, ItemsOwnFillBeatsPerTypeAndBase) {
  GanttChartContentBaseStyle style;
  style.barFillColor = kBase;
  style.barFillColorForType = {{GanttChartItemType::milestone, kPerType}};
  EXPECT_EQ(style.barFillColorFor(makeItem(GanttChartItemType::milestone, fillStyle(kOwn))), kOwn);
  EXPECT_EQ(style.barFillColorFor(makeItem(GanttChartItemType::milestone)), kPerType);
  EXPECT_EQ(style.barFillColorFor(makeItem(GanttChartItemType::standard)), kBase);
}

TEST(ItemStyleResolution, SelectorStyleReplacesTheItemsOwnStyleAsAWhole) {
  GanttChartContentBaseStyle style;
  style.barFillColor = kBase;
  style.barFillColorForType = {{GanttChartItemType::summary, kPerType}};
  const auto item = makeItem(GanttChartItemType::standard, fillStyle(kOwn));
  const auto summary = makeItem(GanttChartItemType::summary, fillStyle(kOwn));

  GanttChartItemStyle widthOnly(std::nullopt);
  widthOnly.barStrokeWidth = 9;
  style.itemStyleSelector = std::make_shared<CountingItemStyleSelector>(widthOnly);
  EXPECT_EQ(style.barFillColorFor(item), kBase);
  EXPECT_EQ(style.barFillColorFor(summary), kPerType);
  EXPECT_EQ(style.barStrokeWidthFor(item), 9);

  style.itemStyleSelector = std::make_shared<CountingItemStyleSelector>(fillStyle(kSelected));
  EXPECT_EQ(style.barFillColorFor(item), kSelected);

  style.itemStyleSelector = std::make_shared<CountingItemStyleSelector>(std::nullopt);
  EXPECT_EQ(style.barFillColorFor(item), kOwn);

  style.itemStyleSelector = std::make_shared<GanttChartItemStyleSource>(
      [&](const GanttChartItemPtr& asked) -> std::optional<GanttChartItemStyle> {
        if (asked == summary) return fillStyle(kSelected);
        return std::nullopt;
      });
  EXPECT_EQ(style.barFillColorFor(summary), kSelected);
  EXPECT_EQ(style.barFillColorFor(item), kOwn);
}

TEST(ItemStyleResolution, SecondaryBarFillPrefersAnyPerTypeFillOverTheBaseSecondary) {
  GanttChartContentBaseStyle style;
  style.barFillColor = kBase;
  style.barFillColorForType = {{GanttChartItemType::milestone, kPerType}};
  style.secondaryBarFillColor = kBaseSecondary;
  EXPECT_EQ(style.secondaryBarFillColorFor(makeItem(GanttChartItemType::milestone)), kPerType);
  EXPECT_EQ(style.secondaryBarFillColorFor(makeItem(GanttChartItemType::standard)), kBaseSecondary);
  // The item's own primary fill also serves as its secondary one.
  EXPECT_EQ(
      style.secondaryBarFillColorFor(makeItem(GanttChartItemType::milestone, fillStyle(kOwn))),
      kOwn);
  style.secondaryBarFillColor = std::nullopt;
  EXPECT_EQ(style.secondaryBarFillColorFor(makeItem(GanttChartItemType::standard)), kBase);
}

TEST(ItemStyleResolution, SecondaryCompletionFillPrefersTheBaseSecondaryOverPerTypePrimary) {
  GanttChartContentBaseStyle style;
  style.completionBarFillColor = kBase;
  style.completionBarFillColorForType = {{GanttChartItemType::summary, kPerType}};
  style.secondaryCompletionBarFillColor = kBaseSecondary;
  EXPECT_EQ(style.secondaryCompletionBarFillColorFor(makeItem(GanttChartItemType::summary)),
            kBaseSecondary);
  style.secondaryCompletionBarFillColor = std::nullopt;
  EXPECT_EQ(style.secondaryCompletionBarFillColorFor(makeItem(GanttChartItemType::summary)),
            kPerType);
  style.secondaryCompletionBarFillColorForType = {{GanttChartItemType::summary, kSelected}};
  EXPECT_EQ(style.secondaryCompletionBarFillColorFor(makeItem(GanttChartItemType::summary)),
            kSelected);
  GanttChartItemStyle own(std::nullopt);
  own.completionBarFillColor = kOwn;
  EXPECT_EQ(style.secondaryCompletionBarFillColorFor(makeItem(GanttChartItemType::summary, own)),
            kOwn);
}

TEST(ItemStyleResolution, OutlineColoursFallBackToTheWholeBarFillChain) {
  GanttChartContentBaseStyle style;
  style.barFillColor = kBase;
  const auto item = makeItem(GanttChartItemType::standard, fillStyle(kOwn));
  EXPECT_EQ(style.focusColorFor(item), kOwn);
  EXPECT_EQ(style.highlightColorFor(item), kOwn);
  EXPECT_EQ(style.selectionColorFor(item), kOwn);
  style.itemStyleSelector = std::make_shared<CountingItemStyleSelector>(fillStyle(kSelected));
  EXPECT_EQ(style.focusColorFor(item), kSelected);

  style.highlightColor = kBaseSecondary;
  style.selectionColorForType = {{GanttChartItemType::standard, kPerType}};
  style.selectionColor = kBaseSecondary;
  EXPECT_EQ(style.highlightColorFor(item), kBaseSecondary);
  EXPECT_EQ(style.selectionColorFor(item), kPerType);
}

TEST(ItemStyleResolution, StrokeColoursStayAbsentWhenNoSourceSetsThem) {
  const GanttChartContentBaseStyle style;
  EXPECT_EQ(style.barStrokeColorFor(makeItem(GanttChartItemType::standard)), std::nullopt);
  EXPECT_EQ(style.completionBarStrokeColorFor(makeItem(GanttChartItemType::summary)), std::nullopt);
  GanttChartContentBaseStyle withType = style;
  withType.barStrokeColorForType = {{GanttChartItemType::milestone, kPerType}};
  EXPECT_EQ(withType.barStrokeColorFor(makeItem(GanttChartItemType::milestone)), kPerType);
}

TEST(ItemStyleResolution, WidthsAndFontsFollowTheirChains) {
  GanttChartContentBaseStyle style;
  style.barStrokeWidthForType = {{GanttChartItemType::summary, 2}};
  style.focusWidthForType = {{GanttChartItemType::milestone, 5}};
  style.labelForegroundColorForType = {{GanttChartItemType::summary, kPerType}};
  GanttChartItemStyle own(std::nullopt);
  own.completionBarStrokeWidth = 7;
  own.attachmentFont = Font{"Own", 10};
  const auto summary = makeItem(GanttChartItemType::summary, own);
  EXPECT_EQ(style.barStrokeWidthFor(summary), 2);
  EXPECT_EQ(style.completionBarStrokeWidthFor(summary), 7);
  EXPECT_EQ(style.focusWidthFor(summary), 1);
  EXPECT_EQ(style.focusWidthFor(makeItem(GanttChartItemType::milestone)), 5);
  EXPECT_EQ(style.labelForegroundColorFor(summary), kPerType);
  EXPECT_EQ(style.labelFontFor(summary), Font::system());
  EXPECT_EQ(style.attachmentFontFor(summary), (Font{"Own", 10}));
  EXPECT_EQ(style.attachmentForegroundColorFor(summary), Color::gray());
}

// Every resolver with its expected number of selector calls for an item
// whose chain reaches the item-level step.
struct SelectorCallCase {
  std::string resolver;
  std::function<void(const GanttChartContentBaseStyle&, const GanttChartItemPtr&)> resolve;
  int expectedCalls;
};

TEST(ItemStyleResolution, SelectorIsAskedOncePerResolutionAndNotByWidthsOfOutlines) {
  const std::vector<SelectorCallCase> cases = {
      {"barFillColorFor", [](auto& s, auto& i) { (void)s.barFillColorFor(i); }, 1},
      {"secondaryBarFillColorFor", [](auto& s, auto& i) { (void)s.secondaryBarFillColorFor(i); },
       1},
      {"barStrokeColorFor", [](auto& s, auto& i) { (void)s.barStrokeColorFor(i); }, 1},
      {"barStrokeWidthFor", [](auto& s, auto& i) { (void)s.barStrokeWidthFor(i); }, 1},
      {"completionBarFillColorFor", [](auto& s, auto& i) { (void)s.completionBarFillColorFor(i); },
       1},
      {"secondaryCompletionBarFillColorFor",
       [](auto& s, auto& i) { (void)s.secondaryCompletionBarFillColorFor(i); }, 1},
      {"completionBarStrokeColorFor",
       [](auto& s, auto& i) { (void)s.completionBarStrokeColorFor(i); }, 1},
      {"completionBarStrokeWidthFor",
       [](auto& s, auto& i) { (void)s.completionBarStrokeWidthFor(i); }, 1},
      {"focusColorFor", [](auto& s, auto& i) { (void)s.focusColorFor(i); }, 1},
      {"focusWidthFor", [](auto& s, auto& i) { (void)s.focusWidthFor(i); }, 0},
      {"highlightColorFor", [](auto& s, auto& i) { (void)s.highlightColorFor(i); }, 1},
      {"highlightWidthFor", [](auto& s, auto& i) { (void)s.highlightWidthFor(i); }, 0},
      {"selectionColorFor", [](auto& s, auto& i) { (void)s.selectionColorFor(i); }, 1},
      {"selectionWidthFor", [](auto& s, auto& i) { (void)s.selectionWidthFor(i); }, 0},
      {"labelForegroundColorFor", [](auto& s, auto& i) { (void)s.labelForegroundColorFor(i); }, 1},
      {"labelFontFor", [](auto& s, auto& i) { (void)s.labelFontFor(i); }, 1},
      {"attachmentForegroundColorFor",
       [](auto& s, auto& i) { (void)s.attachmentForegroundColorFor(i); }, 1},
      {"attachmentFontFor", [](auto& s, auto& i) { (void)s.attachmentFontFor(i); }, 1},
  };
  const auto item = makeItem(GanttChartItemType::standard);
  for (const SelectorCallCase& entry : cases) {
    GanttChartContentBaseStyle style;
    auto selector = std::make_shared<CountingItemStyleSelector>(GanttChartItemStyle(std::nullopt));
    style.itemStyleSelector = selector;
    entry.resolve(style, item);
    EXPECT_EQ(selector->calls, entry.expectedCalls) << entry.resolver;
  }
}

TEST(ItemStyleResolution, OutlineColourWithItsOwnValueDoesNotAskTheSelector) {
  GanttChartContentBaseStyle style;
  auto selector = std::make_shared<CountingItemStyleSelector>(fillStyle(kSelected));
  style.itemStyleSelector = selector;
  style.focusColor = kBase;
  style.highlightColorForType = {{GanttChartItemType::standard, kPerType}};
  const auto item = makeItem(GanttChartItemType::standard);
  EXPECT_EQ(style.focusColorFor(item), kBase);
  EXPECT_EQ(style.highlightColorFor(item), kPerType);
  EXPECT_EQ(selector->calls, 0);
}

TEST(DependencyStyleResolution, OwnStyleSelectorAndBaseInThatOrder) {
  const auto from = makeItem(GanttChartItemType::milestone, fillStyle(kOwn));
  const auto to = makeItem(GanttChartItemType::standard);
  auto dependency = std::make_shared<GanttChartDependency>("link", from, to);
  GanttChartContentBaseStyle style;
  style.barFillColor = kBase;
  style.barFillColorForType = {{GanttChartItemType::standard, kPerType}};
  // Without a colour anywhere, the plain bar fill: never a per-type or item one.
  EXPECT_EQ(style.dependencyLineColorFor(dependency), kBase);
  EXPECT_EQ(style.dependencyLineWidthFor(dependency), 0.8);
  style.dependencyLineColor = kBaseSecondary;
  EXPECT_EQ(style.dependencyLineColorFor(dependency), kBaseSecondary);
  dependency->setStyle(GanttChartDependencyStyle(kOwn, 2));
  EXPECT_EQ(style.dependencyLineColorFor(dependency), kOwn);
  EXPECT_EQ(style.dependencyLineWidthFor(dependency), 2);

  auto selector =
      std::make_shared<CountingDependencyStyleSelector>(GanttChartDependencyStyle(std::nullopt, 4));
  style.dependencyStyleSelector = selector;
  EXPECT_EQ(style.dependencyLineColorFor(dependency), kBaseSecondary);
  EXPECT_EQ(style.dependencyLineWidthFor(dependency), 4);
  EXPECT_EQ(selector->calls, 2);

  style.dependencyStyleSelector = std::make_shared<CountingDependencyStyleSelector>(std::nullopt);
  EXPECT_EQ(style.dependencyLineColorFor(dependency), kOwn);
}

}  // namespace
}  // namespace vorlent
