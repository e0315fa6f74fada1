#include "sca/fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failure.h"

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

}  // namespace
}  // namespace ferry
