#include "vorlent/style/theme.h"

#include <gtest/gtest.h>

#include <sstream>
#include <unordered_set>
#include <vector>

namespace vorlent {
namespace {

std::vector<Theme> allKinds() {
  return {Theme::standard(), Theme::aqua(), Theme::jewel(),
          Theme::generic(),  Theme::none(), Theme::custom("Brand")};
}

TEST(Theme, EachCaseEqualsOnlyItself) {
  const auto themes = allKinds();
  for (size_t i = 0; i < themes.size(); ++i) {
    for (size_t j = 0; j < themes.size(); ++j) {
      EXPECT_EQ(themes[i] == themes[j], i == j) << themes[i] << " vs " << themes[j];
    }
  }
}

TEST(Theme, OrdinalsFollowTheDeclaredOrder) {
  const auto themes = allKinds();
  for (size_t i = 0; i < themes.size(); ++i) EXPECT_EQ(themes[i].ordinal(), i);
}

TEST(Theme, NamedGivesTheCustomThemeOfThatName) {
  EXPECT_EQ(Theme::named("Brand"), Theme::custom("Brand"));
  ASSERT_NE(Theme::named("Brand").customName(), nullptr);
  EXPECT_EQ(*Theme::named("Brand").customName(), "Brand");
  EXPECT_EQ(Theme::standard().customName(), nullptr);
}

TEST(Theme, CustomThemeNamedLikeABuiltInIsNotThatBuiltIn) {
  EXPECT_NE(Theme::named("standard"), Theme::standard());
  EXPECT_NE(Theme::named("none"), Theme::none());
}

TEST(Theme, CustomNamesCompareCaseSensitively) {
  EXPECT_NE(Theme::named("brand"), Theme::named("Brand"));
  EXPECT_EQ(Theme::named("Brand"), Theme::named(std::string("Bra") + "nd"));
}

TEST(Theme, EqualThemesHashAlikeAndDistinctOnesFillASet) {
  const std::hash<Theme> hash;
  EXPECT_EQ(hash(Theme::named("Brand")), hash(Theme::custom("Brand")));
  EXPECT_EQ(hash(Theme::aqua()), hash(Theme::aqua()));
  std::unordered_set<Theme> set;
  for (const Theme& theme : allKinds()) set.insert(theme);
  set.insert(Theme::named("Other"));
  set.insert(Theme::named("Brand"));
  EXPECT_EQ(set.size(), 7u);
}

TEST(Theme, PrintsItsCase) {
  std::ostringstream out;
  out << Theme::jewel() << ' ' << Theme::named("Brand");
  EXPECT_EQ(out.str(), "jewel custom(Brand)");
}

}  // namespace
}  // namespace vorlent
