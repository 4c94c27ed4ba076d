#include "vorlent/views/appearance_mode_provider.h"

#include <gtest/gtest.h>

#include <QPalette>
#include <QWidget>

#include <memory>

#include "vorlent/views/conversions.h"

namespace vorlent {
namespace {

QPalette paletteWithWindow(const QColor& window) {
  QPalette palette;
  palette.setColor(QPalette::Window, window);
  return palette;
}

TEST(AppearanceMode, IsDarkWhenTheWindowColourIsDarkerThanHalfLightness) {
  EXPECT_EQ(fromQt(paletteWithWindow(QColor(30, 30, 30))), Mode::dark);
  EXPECT_EQ(fromQt(paletteWithWindow(QColor(0, 0, 120))), Mode::dark);
  EXPECT_EQ(fromQt(paletteWithWindow(QColor(240, 240, 240))), Mode::light);
  EXPECT_EQ(fromQt(paletteWithWindow(QColor::fromHslF(0.5F, 0.5F, 0.5F))), Mode::light);
}

TEST(AppearanceModeProvider, FollowsTheWidgetsPaletteOnEveryRead) {
  QWidget widget;
  const auto provider = std::make_shared<AppearanceModeProvider>(&widget);
  EXPECT_EQ(provider->source(), &widget);
  widget.setPalette(paletteWithWindow(QColor(20, 20, 24)));
  EXPECT_EQ(provider->mode(), Mode::dark);
  widget.setPalette(paletteWithWindow(QColor(250, 250, 250)));
  EXPECT_EQ(provider->mode(), Mode::light);
}

TEST(AppearanceModeProvider, FollowsAPaletteInheritedFromTheParent) {
  QWidget parent;
  auto* child = new QWidget(&parent);
  const AppearanceModeProvider provider(child);
  parent.setPalette(paletteWithWindow(QColor(10, 10, 10)));
  EXPECT_EQ(provider.mode(), Mode::dark);
}

TEST(AppearanceModeProvider, AnswersLightOnceItsWidgetIsGoneWithoutKeepingIt) {
  auto widget = std::make_unique<QWidget>();
  widget->setPalette(paletteWithWindow(QColor(20, 20, 20)));
  const AppearanceModeProvider provider(widget.get());
  ASSERT_EQ(provider.mode(), Mode::dark);
  widget.reset();
  EXPECT_EQ(provider.source(), nullptr);
  EXPECT_EQ(provider.mode(), Mode::light);
}

}  // namespace
}  // namespace vorlent
