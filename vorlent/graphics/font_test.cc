#include "vorlent/graphics/font.h"

#include <gtest/gtest.h>

#include <functional>
#include <unordered_set>

namespace vorlent {
namespace {

TEST(Font, SystemHasNeitherNameNorSize) {
  EXPECT_EQ(Font::system(), (Font{std::nullopt, std::nullopt}));
  EXPECT_EQ(&Font::system(), &Font::system());
  EXPECT_NE(Font::system(), (Font{std::nullopt, 12.0}));
  EXPECT_NE(Font::system(), (Font{"Sans", std::nullopt}));
}

TEST(Font, EqualityComparesPresenceAndValues) {
  EXPECT_EQ(Font("Sans", 12.0), Font("Sans", 12.0));
  EXPECT_NE(Font("Sans", 12.0), Font("Serif", 12.0));
  EXPECT_NE(Font("Sans", 12.0), Font("Sans", 13.0));
  // An empty name is a name, not the system font.
  EXPECT_NE(Font("", std::nullopt), Font::system());
}

TEST(Font, HashAgreesWithEquality) {
  const std::hash<Font> hash;
  EXPECT_EQ(hash(Font("Sans", 12.0)), hash(Font("Sans", 12.0)));
  EXPECT_EQ(hash(Font(std::nullopt, -0.0)), hash(Font(std::nullopt, 0.0)));
  std::unordered_set<Font> fonts = {Font::system(), Font(std::nullopt, 12.0), Font("Sans", 12.0),
                                    Font("Sans", std::nullopt), Font{}};
  EXPECT_EQ(fonts.size(), 4u);
}

}  // namespace
}  // namespace vorlent
