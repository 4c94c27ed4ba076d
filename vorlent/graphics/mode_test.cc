#include "vorlent/graphics/mode.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

namespace vorlent {
namespace {

// Stands in for a controller's custom-theme registry: registration under
// (name, mode), lookup under (name, resolved mode) first, then (name, any).
class Registry {
 public:
  void set(const std::string& name, std::optional<Mode> mode, int style) {
    styles_[CustomThemeReference{name, mode}] = style;
  }
  std::optional<int> find(const std::string& name, Mode resolved) const {
    for (std::optional<Mode> mode : {std::optional<Mode>(resolved), std::optional<Mode>()}) {
      auto it = styles_.find(CustomThemeReference{name, mode});
      if (it != styles_.end()) return it->second;
    }
    return std::nullopt;
  }

 private:
  std::unordered_map<CustomThemeReference, int> styles_;
};

TEST(CustomThemeReference, AnyModeAndASpecificModeAreDifferentKeys) {
  EXPECT_NE((CustomThemeReference{"Brand", std::nullopt}),
            (CustomThemeReference{"Brand", Mode::light}));
  EXPECT_NE((CustomThemeReference{"Brand", Mode::dark}),
            (CustomThemeReference{"Brand", Mode::light}));
  EXPECT_NE((CustomThemeReference{"Brand", Mode::dark}),
            (CustomThemeReference{"brand", Mode::dark}));
}

TEST(CustomThemeReference, EqualReferencesHashAlike) {
  const std::hash<CustomThemeReference> hash;
  EXPECT_EQ((CustomThemeReference{"Brand", std::nullopt}),
            (CustomThemeReference{"Brand", std::nullopt}));
  EXPECT_EQ(hash(CustomThemeReference{"Brand", std::nullopt}),
            hash(CustomThemeReference{"Brand", std::nullopt}));
  EXPECT_EQ(hash(CustomThemeReference{"Brand", Mode::dark}),
            hash(CustomThemeReference{"Brand", Mode::dark}));
}

TEST(CustomThemeReference, AStyleForAnyModeIsFoundInBothModes) {
  Registry registry;
  registry.set("Brand", std::nullopt, 1);
  EXPECT_EQ(registry.find("Brand", Mode::light), 1);
  EXPECT_EQ(registry.find("Brand", Mode::dark), 1);
  EXPECT_EQ(registry.find("Other", Mode::dark), std::nullopt);
}

TEST(CustomThemeReference, AStyleForOneModeIsFoundOnlyInThatMode) {
  Registry registry;
  registry.set("Brand", Mode::dark, 2);
  EXPECT_EQ(registry.find("Brand", Mode::dark), 2);
  EXPECT_EQ(registry.find("Brand", Mode::light), std::nullopt);
  registry.set("Brand", std::nullopt, 3);
  EXPECT_EQ(registry.find("Brand", Mode::dark), 2);
  EXPECT_EQ(registry.find("Brand", Mode::light), 3);
}

class FixedModeProvider : public ModeProvider {
 public:
  Mode current = Mode::light;
  Mode mode() const override { return current; }
};

TEST(ModeProvider, IsAskedAfreshEachTime) {
  FixedModeProvider provider;
  const ModeProvider& asked = provider;
  EXPECT_EQ(asked.mode(), Mode::light);
  provider.current = Mode::dark;
  EXPECT_EQ(asked.mode(), Mode::dark);
}

}  // namespace
}  // namespace vorlent
