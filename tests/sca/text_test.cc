#include "sca/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ferry {
namespace {

TEST(Text, TrimRemovesControlCharactersAndSpacesAtBothEnds) {
  EXPECT_EQ(Trim(std::string("\0\t x y\x1f \x20", 8)), "x y");
  EXPECT_EQ(Trim(" \t\r\n"), "");
  EXPECT_EQ(Trim("\x7f"
                 "a"),
            "\x7f"
            "a");  // DEL is not blank
  EXPECT_EQ(Trim("\xa0"
                 "a"
                 "\xa0"),
            "\xa0"
            "a"
            "\xa0");
}

TEST(Text, CasingTouchesAsciiLettersOnly) {
  EXPECT_EQ(UpperCase("abz{`@AZ\xe9\xc3\xa9"), "ABZ{`@AZ\xe9\xc3\xa9");
  EXPECT_TRUE(EqualsIgnoringCase("level1", "LEVEL1"));
  EXPECT_FALSE(EqualsIgnoringCase("\xe9", "\xc9"));
  EXPECT_FALSE(EqualsIgnoringCase("ROOF", "ROOFS"));
}

TEST(Text, WordsAreSpaceSeparatedWithinTheFirst255Characters) {
  EXPECT_EQ(FirstWord("  MACRO(  A.API"), "MACRO(");
  EXPECT_EQ(FirstWord("MACRO(\tA.API"), "MACRO(\tA.API");
  EXPECT_EQ(FirstWord("   "), "");
  EXPECT_EQ(CountWords("a\tb"), 1u);
  EXPECT_EQ(CountWords(" a  b c "), 3u);
  EXPECT_EQ(CountWords(""), 0u);

  std::string long_line(254, 'x');
  long_line += " y";  // "y" stands at position 256, outside the window
  EXPECT_EQ(CountWords(long_line), 1u);
  std::string long_word(300, 'w');
  EXPECT_EQ(FirstWord(long_word).size(), 255u);
}

TEST(Text, ForEachWordGivesTheWordsOfTheWindowInOrder) {
  auto words = [](std::string_view text) {
    std::vector<std::string> taken;
    ForEachWord(text, [&](std::string_view word) { taken.emplace_back(word); });
    return taken;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(words("2  3 "), (V{"2", "3"}));
  EXPECT_EQ(words("\"A B\"\tC"), (V{"\"A", "B\"\tC"}));
  EXPECT_EQ(words(std::string(253, 'a') + " bc"), (V{std::string(253, 'a'), "b"}));
}

TEST(Text, ColonsToSpacesKeepsTheLength) {
  EXPECT_EQ(ColonsToSpaces("N47:26:13.20"), "N47 26 13.20");
  EXPECT_EQ(ColonsToSpaces("::"), "  ");
  EXPECT_EQ(ColonsToSpaces("E11"), "E11");
}

// Texts of every length up to three words of eight, a colon at each place
// among bytes one off a colon and a colon with the high bit set.
TEST(Text, ColonsToSpacesTakesEveryColonAndNothingElse) {
  for (std::size_t size = 1; size <= 24; ++size) {
    for (std::size_t at = 0; at < size; ++at) {
      std::string text;
      for (std::size_t i = 0; i < size; ++i) text += "9;\xBA\x1A"[i % 4];
      std::string want = text;
      text[at] = ':';
      want[at] = ' ';
      EXPECT_EQ(ColonsToSpaces(text), want) << size << " bytes, colon at " << at;
    }
  }
}

TEST(Text, ContainsTextFindsARunAndNeverTheEmptyText) {
  EXPECT_TRUE(ContainsText("C:\\SCENERY\\XMLOBJ.API", "XMLOBJ.API"));
  EXPECT_TRUE(ContainsText("MY_XMLOBJ.API2", "XMLOBJ.API"));
  EXPECT_FALSE(ContainsText("XMLOBJ.AP", "XMLOBJ.API"));
  EXPECT_FALSE(ContainsText("anything", ""));
}

}  // namespace
}  // namespace ferry
