#include "window/window_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace ferry {
namespace {

TEST(WindowRules, FirstPathWordSkipsBlanksAndGroupsQuotes) {
  const struct {
    std::string text;
    std::string word;
  } cases[] = {
      {"C:\\SCN\\KJFK.sca", "C:\\SCN\\KJFK.sca"},
      {"C:\\My Scenery\\X.sca", "C:\\My"},
      {"\"C:\\My Scenery\\X.sca\"", "C:\\My Scenery\\X.sca"},
      {"\"C:\\My Scenery\\X.sca\" more", "C:\\My Scenery\\X.sca"},
      {" \t\x01\"\" \"\"a b", "a"},                          // "" pairs among the blanks
      {"a\"b c\"d e", "ab cd"},                              // quotes inside the word
      {"\"C:\\My Scenery\\X.sca", "C:\\My Scenery\\X.sca"},  // never closed
      {"\"\"\"a b\"", "a b"},
      {"", ""},
      {"   ", ""},
      {"\"\"", ""},
      {std::string("ab\0cd", 5), "ab"},
      {"caf\xc3\xa9 x", "caf\xc3\xa9"},  // UTF-8 bytes are no blanks
  };
  for (const auto& c : cases) EXPECT_EQ(FirstPathWord(c.text), c.word) << c.text;
}

TEST(WindowRules, SourcePathIsTheWholeTextOnlyWhenItNamesAFile) {
  testing::TempDir dir;
  const std::string spaced = dir.File("My Scenery.sca");
  testing::WriteFile(spaced, "");
  EXPECT_EQ(SourcePathOf(spaced), spaced);
  EXPECT_EQ(SourcePathOf(spaced + "x"), FirstPathWord(spaced + "x"));
  // A directory is no file.
  const std::string folder = dir.File("a b");
  testing::MakeDirectory(folder);
  EXPECT_EQ(SourcePathOf(folder), FirstPathWord(folder));
  EXPECT_EQ(SourcePathOf(""), "");
}

TEST(WindowRules, FileBoxQuotingAndPathParts) {
  EXPECT_EQ(QuotedForFileBox("C:\\My Scenery\\KJFK.sca"), "\"C:\\My Scenery\\KJFK.sca\"");
  EXPECT_EQ(QuotedForFileBox("\"C:\\My Scenery\\KJFK.sca"), "\"C:\\My Scenery\\KJFK.sca");
  EXPECT_EQ(QuotedForFileBox("C:\\SCN\\KJFK.sca"), "C:\\SCN\\KJFK.sca");
  EXPECT_EQ(QuotedForFileBox(""), "");

  EXPECT_EQ(DirectoryPart("C:\\SCN\\KJFK.sca"), "C:\\SCN\\");
  EXPECT_EQ(NamePart("C:\\SCN\\KJFK.sca"), "KJFK.sca");
  EXPECT_EQ(DirectoryPart("C:KJFK.sca"), "C:");
  EXPECT_EQ(DirectoryPart("KJFK.sca"), "");
  EXPECT_EQ(NamePart("C:\\SCN\\"), "");

  for (const char* bad : {"a<b", "a>b", "a\"b", "a[b", "a]b", "a|b"})
    EXPECT_TRUE(HoldsForbiddenCharacter(bad)) << bad;
  EXPECT_FALSE(HoldsForbiddenCharacter("C:\\My Scenery (old)\\K{1}.sca"));
}

TEST(WindowRules, TitleIsCutAtTheFirstDotAndTheSettingsFileAtTheLast) {
  const struct {
    const char* program;
    const char* title;
    const char* settings;
  } cases[] = {
      {"Ferry.exe", "Ferry", "Ferry.INI"},
      {"CONVERT.EXE", "Convert", "CONVERT.INI"},
      {"Scn.Tool.exe", "Scn", "Scn.Tool.INI"},
      {"ferry", "ferry", "ferry.INI"},
      {"\xc3\x89TAPE.EXE", "\xc3\x89tape", "\xc3\x89TAPE.INI"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ApplicationTitle(c.program), c.title) << c.program;
    EXPECT_EQ(SettingsFileName(c.program), c.settings) << c.program;
  }
}

TEST(WindowRules, StoredValuesReadBackAsTheirKeysSay) {
  EXPECT_EQ(ParseCheckedValue("True"), true);
  EXPECT_EQ(ParseCheckedValue("true"), true);
  EXPECT_EQ(ParseCheckedValue("FALSE"), false);
  EXPECT_EQ(ParseCheckedValue("1"), std::nullopt);
  EXPECT_EQ(ParseCheckedValue(""), std::nullopt);

  const struct {
    std::optional<int> stored;
    int shown;
  } show[] = {{1, 1}, {5, 1}, {9, 1}, {2, 2}, {6, 2}, {7, 2}, {3, 3}, {0, 1}, {4, 1}, {{}, 1}};
  for (const auto& c : show) EXPECT_EQ(RestoredShowState(c.stored), c.shown);

  const std::array<int, 4> edges{7, 8, 9, 10};
  EXPECT_EQ(ParseNumberList("144,144,840,296", edges), (std::array<int, 4>{144, 144, 840, 296}));
  EXPECT_EQ(ParseNumberList("-1,-1", edges), (std::array<int, 4>{-1, -1, 9, 10}));
  EXPECT_EQ(ParseNumberList("1,,x,4", edges), (std::array<int, 4>{1, 8, 9, 4}));
  EXPECT_EQ(ParseNumberList("", edges), edges);
  EXPECT_EQ(ParseNumber("+12"), 12);
  EXPECT_EQ(ParseNumber("12a"), std::nullopt);
  EXPECT_EQ(ParseNumber(""), std::nullopt);
}

}  // namespace
}  // namespace ferry
