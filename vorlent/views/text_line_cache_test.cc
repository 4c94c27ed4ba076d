#include "vorlent/views/text_line_cache.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>

namespace vorlent {
namespace {

TEST(TextLineCache, LaysALineOutOnceAndCutsItShortOnlyWhenItDoesNotFit) {
  TextLineCache cache;
  QFont font;
  font.setPixelSize(12);
  const QString text = "A label of some length";
  const TextLineCache::Line& line = cache.line(text, font);
  EXPECT_EQ(&cache.line(text, font), &line) << "kept";
  EXPECT_NEAR(line.width, QFontMetricsF(font).horizontalAdvance(text), 1);
  EXPECT_EQ(line.height, QFontMetricsF(font).height());
  EXPECT_EQ(cache.line(text, font, line.width + 10).text.text(), text) << "fits as it is";

  const TextLineCache::Line& cut = cache.line(text, font, line.width / 2);
  EXPECT_LE(cut.width, line.width / 2);
  EXPECT_TRUE(cut.text.text().endsWith(QChar(0x2026))) << cut.text.text().toStdString();
  EXPECT_EQ(cache.line(text, font, 1).width, 0) << "not even the ellipsis fits";

  font.setPixelSize(24);
  EXPECT_GT(cache.line(text, font).width, line.width) << "each font has its own line";
}

TEST(TextLineCache, ForgetsEverythingOnceFull) {
  TextLineCache cache;
  const QFont font;
  for (qsizetype n = 0; n < TextLineCache::kCapacity; ++n) cache.line(QString::number(n), font);
  EXPECT_EQ(cache.size(), TextLineCache::kCapacity);
  cache.line("one more", font);
  EXPECT_EQ(cache.size(), 1);
}

}  // namespace
}  // namespace vorlent
