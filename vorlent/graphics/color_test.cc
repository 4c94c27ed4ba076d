#include "vorlent/graphics/color.h"

#include <gtest/gtest.h>

#include <functional>

namespace vorlent {
namespace {

struct HexCase {
  const char* text;
  Color expected;
};

constexpr double c(int byte) { return byte / 255.0; }

TEST(ColorFromHexText, ReadsAlphaFirstWithOrWithoutHash) {
  const HexCase cases[] = {
      {"#FF0000", Color(1, 0, 0, 1)},
      {"FF0000", Color(1, 0, 0, 1)},
      {"#e0328cc0", Color(c(50), c(140), c(192), c(224))},
      {"E0328CC0", Color(c(50), c(140), c(192), c(224))},
      {"  80ffffff\n", Color(1, 1, 1, c(128))},
      {"\t#00000000 ", Color(0, 0, 0, 0)},
  };
  for (const auto& hex : cases) EXPECT_EQ(Color(hex.text), hex.expected) << hex.text;
}

TEST(ColorFromHexText, PadsShortFormsWithFInFront) {
  const HexCase cases[] = {
      {"", Color(1, 1, 1, 1)},         {"#", Color(1, 1, 1, 1)},
      {"   ", Color(1, 1, 1, 1)},      {"ABC", Color(1, c(0xFA), c(0xBC), 1)},
      {"#0", Color(1, 1, c(0xF0), 1)}, {"1234567", Color(c(0x23), c(0x45), c(0x67), c(0xF1))},
  };
  for (const auto& hex : cases) EXPECT_EQ(Color(hex.text), hex.expected) << '"' << hex.text << '"';
}

TEST(ColorFromHexText, KeepsTheLowThirtyTwoBitsOfLongerNumbers) {
  EXPECT_EQ(Color("1FF000000"), Color::black());
  EXPECT_EQ(Color("#12345678FF00FF00"), Color::greenColor());
  // Past 64 bits the number saturates to all ones rather than wrapping.
  EXPECT_EQ(Color("12345678912345678FF00FF00"), Color::white());
}

TEST(ColorFromHexText, TextThatIsNotHexReadsWhatPrecedesTheFirstOtherCharacter) {
  const HexCase cases[] = {
      // Padded to FFFFFXYZ, which reads FFFFF.
      {"XYZ", Color(c(0x0F), 1, 1, 0)},
      {"not a colour", Color(0, 0, 0, 0)},
      {"#GGGGGGGG", Color(0, 0, 0, 0)},
      {"FF00ZZ00", Color(0, 1, 0, 0)},
      // Only one "#" is dropped: F#FF0000 reads F.
      {"##FF0000", Color(0, 0, c(0x0F), 0)},
      {"-FF000000", Color(0, 0, 0, 0)},
      // Space inside a long text: the scanner skips leading white space.
      {"#  80FF0000", Color(1, 0, 0, c(0x80))},
      // A 0X prefix is allowed, and on its own reads as zero.
      {"0XFF00FF", Color(1, 0, 1, 0)},
      {"0xZZZZZZ", Color(0, 0, 0, 0)},
  };
  for (const auto& hex : cases) EXPECT_EQ(Color(hex.text), hex.expected) << hex.text;
}

TEST(ColorFromHexText, CountsCharactersNotBytesWhenPadding) {
  // Two characters (four bytes), so padded with six Fs, read as FFFFFF.
  EXPECT_EQ(Color("éé"), Color(1, 1, 1, 0));
  // Unicode white space around the text is trimmed like ASCII white space.
  EXPECT_EQ(Color("\u00A0#FF0000\u2028"), Color(1, 0, 0, 1));
}

TEST(ColorFromHexText, SurvivesMalformedText) {
  // Three malformed bytes count as three characters: FFFFF then no digits.
  EXPECT_EQ(Color(std::string_view("\xff\xfe\x80", 3)), Color(c(0x0F), 1, 1, 0));
  // An embedded NUL ends the number like any other non-hex character.
  EXPECT_EQ(Color(std::string_view("AB\0CD", 5)), Color(c(0x0F), 1, c(0xAB), 0));
}

TEST(ColorNamed, HaveTheDocumentedComponents) {
  EXPECT_EQ(Color::redColor(), Color(1, 0, 0, 1));
  EXPECT_EQ(Color::blueColor(), Color(0, 0, 1, 1));
  EXPECT_EQ(Color::orange(), Color(1, 0.5, 0, 1));
  EXPECT_EQ(Color::lightBlue(), Color(1.0 / 3, 2.0 / 3, 1, 0.875));
  EXPECT_EQ(Color::highlight(), Color(0.75, 0.75, 0.75, 0.125));
  EXPECT_EQ(Color::alternative(), Color(0.5, 0.5, 0.5, 0.05));
  EXPECT_EQ(Color::dark(), Color(0.125, 0.125, 0.125, 1));
  EXPECT_EQ(Color("#808080").red, c(128));
}

TEST(ColorHash, AgreesWithEquality) {
  EXPECT_EQ(std::hash<Color>{}(Color(-0.0, 0, 0, 1)), std::hash<Color>{}(Color::black()));
  EXPECT_NE(std::hash<Color>{}(Color::redColor()), std::hash<Color>{}(Color::blueColor()));
}

}  // namespace
}  // namespace vorlent
