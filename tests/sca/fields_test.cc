#include "sca/fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failure.h"
#include "sca/text.h"

namespace ferry {
namespace {

std::vector<std::string> Entries(const Fields& fields) {
  std::vector<std::string> entries;
  for (std::size_t i = 0; i < fields.Count(); ++i) entries.push_back(fields.At(i));
  return entries;
}

std::vector<std::string> Split(const std::string& text) {
  Fields fields;
  fields.SplitFields(text);
  return Entries(fields);
}

using V = std::vector<std::string>;

TEST(SplitFields, SplitsAtBlanksWithQuotesGrouping) {
  struct Case {
    std::string text;
    V fields;
  } cases[] = {
      {"MACRO(  A.API  X", {"MACRO(", "A.API", "X"}},
      {"MACRO(\tA.API", {"MACRO(", "A.API"}},
      {"A \"B C\" \"\" \"D\"\"E\" F\"G", {"A", "B C", "", "D\"E", "F\"G"}},
      {"\"AB\"CD", {"AB", "CD"}},
      {"\"\"AB", {"", "AB"}},
      {"\"AB", {"AB"}},
      {"\"A\"\"B", {"A\"B"}},  // never closed: pairs still stand for one
      {"\"a\tb \x01\"", {"a\tb \x01"}},
      {"", {}},
      {"  \t ", {}},
      {"\x01"
       "A\x1f"
       "B\x7f",
       {"A", "B\x7f"}},
      {"\xe9t\xe9 x", {"\xe9t\xe9", "x"}},
      {std::string("A B\0C D", 7), {"A", "B"}},
      {std::string("\0A", 2), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Split(c.text), c.fields) << "text: " << c.text;
}

TEST(Fields, MissingEntriesStopWithTheirIndex) {
  Fields fields;
  fields.SplitFields("");
  try {
    fields.At(0);
    FAIL() << "no stop";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.message(), "List index out of bounds (0)");
    EXPECT_FALSE(failure.is_io());
  }
  fields.SplitFields("A B");
  EXPECT_THROW(fields.Mutable(2), Failure);
  fields.Mutable(1) = "C";
  EXPECT_EQ(fields.At(1), "C");
}

TEST(Fields, ReusedListForgetsLongerEarlierContent) {
  Fields fields;
  fields.SplitFields("A B C D");
  fields.SplitFields("E");
  EXPECT_EQ(Entries(fields), (V{"E"}));
}

TEST(SplitFields, ALimitStopsAfterThatManyFields) {
  Fields fields;
  fields.SplitFields("MACRO( \"A B\" C D", 2);
  EXPECT_EQ(Entries(fields), (V{"MACRO(", "A B"}));
  EXPECT_THROW(fields.At(2), Failure);
  fields.SplitFields("MACRO(", 2);
  EXPECT_EQ(Entries(fields), (V{"MACRO("}));
}

// The same statements shifted by leading blanks, and behind a first field
// of every length: quotes, doubled quotes, blanks that are not spaces and a
// NUL then fall at every place of the blocks that the split reads at once,
// and at both sides of their edges.
TEST(SplitFields, FieldsAtEveryPlaceOfAReadBlock) {
  const std::string tail = std::string("MACRO( \"q r\" s\"t \"\"\"u\"\"\" v\tw\x01x\0 y", 33);
  const V tail_fields = {"MACRO(", "q r", "s\"t", "\"u\"", "v", "w", "x"};
  for (std::size_t k = 0; k <= 140; ++k) {
    EXPECT_EQ(Split(std::string(k, ' ') + tail), tail_fields) << k << " blanks first";
    V fields = tail_fields;
    fields.insert(fields.begin(), std::string(k + 1, 'a'));
    EXPECT_EQ(Split(std::string(k + 1, 'a') + "\n" + tail), fields) << k + 1 << " bytes first";
  }
  EXPECT_EQ(Split(std::string(70, 'b') + "\"" + std::string(70, 'c')),
            (V{std::string(70, 'b') + "\"" + std::string(70, 'c')}));
  EXPECT_EQ(Split(std::string(63, ' ') + "\"" + std::string(70, 'c')), (V{std::string(70, 'c')}));
}

// A split of the text as it is, upper-cased as far as it read, against a
// split of the whole text upper-cased, for every limit.
TEST(SplitUpperCased, GivesTheFieldsOfTheUpperCasedText) {
  const std::string texts[] = {
      "macro( lib.api n47:16:41.00 e011:21:23.6 231 1.0 191.9 gpu_54 0 0 0 0 0 6 x y z",
      "macro( \"a \"\"b\"\" c\" d\"e \"\"",
      std::string("a b\0c d", 7),
      std::string("\"a\0b\" c", 8),
      std::string(100, 'z') + " q " + std::string(30, 'y') + "\"" + " w",
      "  \t",
      "",
  };
  Fields upper;
  Fields whole;
  for (const std::string& text : texts) {
    const std::string upper_cased = UpperCase(text);
    for (std::size_t limit = 0; limit <= 20; ++limit) {
      upper.SplitUpperCased(text, limit);
      whole.SplitFields(upper_cased, limit);
      EXPECT_EQ(Entries(upper), Entries(whole)) << "text: " << text << ", limit " << limit;
    }
  }
}

// After SplitUpperCased the entry is changed in the list's copy of the
// line; after SplitFields the split text stays as it was.
TEST(Fields, ColonsToSpacesChangesTheListsOwnCopy) {
  const std::string text = "macro( n47:16:41.00 \"e:1\"\"\"";
  Fields fields;
  fields.SplitFields(text);
  EXPECT_EQ(fields.ColonsToSpaces(1), "n47 16 41.00");
  EXPECT_EQ(fields.Text(1), "n47 16 41.00");
  EXPECT_EQ(text, "macro( n47:16:41.00 \"e:1\"\"\"");
  fields.SplitUpperCased(text);
  EXPECT_EQ(fields.ColonsToSpaces(1), "N47 16 41.00");
  EXPECT_EQ(fields.ColonsToSpaces(2), "E 1\"");
  EXPECT_EQ(Entries(fields), (V{"MACRO(", "N47 16 41.00", "E 1\""}));
  EXPECT_THROW(fields.ColonsToSpaces(3), Failure);
}

}  // namespace
}  // namespace ferry
