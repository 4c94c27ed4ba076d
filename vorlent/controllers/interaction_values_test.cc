#include "vorlent/controllers/interaction_values.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>

#include "vorlent/controllers/content_controller_testing.h"
#include "vorlent/time/schedule_testing.h"

namespace vorlent {
namespace {

using testing::makeItem;
using testing::on;

TEST(GanttChartBarElementAction, ComparesAndHashesByCase) {
  using Action = GanttChartBarElementAction;
  const std::hash<Action> hash;
  EXPECT_EQ(Action::move, Action::move);
  EXPECT_NE(Action::resize, Action::resizeAtStart);
  EXPECT_EQ(hash(Action::createDependencyLine), hash(Action::createDependencyLine));
  std::ostringstream out;
  out << Action::createDependencyLineFromStart << " " << Action::moveVertically;
  EXPECT_EQ(out.str(), "createDependencyLineFromStart moveVertically");
}

TEST(GanttChartElement, IsTheSameOnlyForTheSameObjectOfTheSameKind) {
  const auto item = makeItem("A", 0, on(kMonday, 8), on(kMonday, 16));
  const auto twin = makeItem("A", 0, on(kMonday, 8), on(kMonday, 16));
  const auto dependency = std::make_shared<GanttChartDependency>("A-A", item, twin);
  const auto bar = GanttChartElement::bar(item, GanttChartBarElementAction::move, true);
  // Actions and flags do not count; identity does, fields do not.
  EXPECT_TRUE(bar.isSameElement(
      GanttChartElement::bar(item, GanttChartBarElementAction::none, false)));
  EXPECT_FALSE(bar.isSameElement(
      GanttChartElement::bar(twin, GanttChartBarElementAction::move, true)));
  const auto line = GanttChartElement::dependencyLine(dependency, false);
  EXPECT_TRUE(line.isSameElement(GanttChartElement::dependencyLine(dependency, true)));
  EXPECT_FALSE(line.isSameElement(bar));
  EXPECT_FALSE(bar.isSameElement(line));
  const auto area = GanttChartElement::emptyArea(GanttChartPosition{2, on(kMonday, 8)}, true, false);
  EXPECT_FALSE(area.isSameElement(area));

  ASSERT_NE(bar.as<GanttChartElement::Bar>(), nullptr);
  EXPECT_EQ(bar.as<GanttChartElement::Bar>()->action, GanttChartBarElementAction::move);
  EXPECT_TRUE(bar.as<GanttChartElement::Bar>()->allowsDeleting);
  EXPECT_EQ(bar.as<GanttChartElement::DependencyLine>(), nullptr);
  EXPECT_NE(area.as<GanttChartElement::EmptyArea>(), nullptr);
  EXPECT_EQ(area.as<GanttChartElement::EmptyArea>()->position.row, 2);
}

TEST(GanttChartElement, PrintsItsCaseAndObject) {
  const auto item = makeItem("A", 0, on(kMonday, 8), on(kMonday, 16));
  std::ostringstream out;
  out << GanttChartElement::bar(item, GanttChartBarElementAction::resize, true) << "; "
      << GanttChartElement::emptyArea(GanttChartPosition{3, Time(100, 1, 0)}, true, true);
  EXPECT_EQ(out.str(),
            "bar(A, resize, deletable); emptyArea(row 3 at (100, 1, 0), creatable, milestone)");
}

TEST(GanttChartPosition, AHandedOutCopyChangesAlone) {
  const auto element =
      GanttChartElement::emptyArea(GanttChartPosition{4, on(kTuesday, 9)}, true, true);
  GanttChartPosition copy = element.as<GanttChartElement::EmptyArea>()->position;
  copy.row = 9;
  copy.time = on(kFriday, 9);
  EXPECT_EQ(element.as<GanttChartElement::EmptyArea>()->position.row, 4);
  EXPECT_EQ(element.as<GanttChartElement::EmptyArea>()->position.time, on(kTuesday, 9));
}

TEST(GanttChartDraggingOperation, CarriesThePayloadOfItsCase) {
  const auto item = makeItem("A", 0, on(kMonday, 8), on(kMonday, 16));
  const auto moving = GanttChartDraggingOperation::movingBar(item, 3600);
  ASSERT_NE(moving.as<GanttChartDraggingOperation::MovingBar>(), nullptr);
  EXPECT_EQ(moving.as<GanttChartDraggingOperation::MovingBar>()->span, 3600);
  EXPECT_EQ(moving.as<GanttChartDraggingOperation::ResizingBar>(), nullptr);
  const auto drawing = GanttChartDraggingOperation::creatingDependencyLine(
      item, GanttChartDependencyEndType::start);
  EXPECT_EQ(drawing.as<GanttChartDraggingOperation::CreatingDependencyLine>()->fromType,
            GanttChartDependencyEndType::start);
  EXPECT_EQ(GanttChartDraggingOperation::scrolling(Point{3, 4})
                .as<GanttChartDraggingOperation::Scrolling>()
                ->from,
            (Point{3, 4}));
  const auto completion = GanttChartDraggingCompletion::wouldCreateDependencyLine(
      item, GanttChartDependencyEndType::finish);
  EXPECT_EQ(completion.as<GanttChartDraggingCompletion::WouldCreateDependencyLine>()->to, item);
}

TEST(GanttChartTemporaryDependencyLine, WithoutATargetEndsAtAStart) {
  GanttChartTemporaryDependencyLine line;
  EXPECT_EQ(line.to, nullptr);
  EXPECT_EQ(line.toType, GanttChartDependencyEndType::start);
  EXPECT_EQ(line.fromType, GanttChartDependencyEndType::finish);
}

}  // namespace
}  // namespace vorlent
