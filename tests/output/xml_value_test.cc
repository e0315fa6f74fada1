#include "output/xml_value.h"

#include <gtest/gtest.h>

#include <string>

namespace ferry {
namespace {

struct Case {
  const char* what;
  std::string text;
  std::string value;  // as an attribute value
};

TEST(XmlValue, EscapesWhatEndsAnAttributeOrStartsMarkup) {
  const Case cases[] = {
      {"plain", "N47 26 13.20", "N47 26 13.20"},
      {"less-than", "a<b", "a&lt;b"},
      {"quote", "1 \"X", "1 &quot;X"},
      {"ampersand", "Smith & Sons", "Smith &amp; Sons"},
      {"lone ampersand at the end", "A&", "A&amp;"},
      {"kept as they are", ">'\t", ">'\t"},
      {"control characters stay", "a\x01z", "a\x01z"},
      {"named references", "&amp;&lt;&gt;&quot;&apos;", "&amp;&lt;&gt;&quot;&apos;"},
      {"numeric references", "&#38;&#x26;&#xaF;", "&#38;&#x26;&#xaF;"},
      {"no digits", "&#;&#x;", "&amp;#;&amp;#x;"},
      {"not closed", "&amp &#38", "&amp;amp &amp;#38"},
      {"upper-case entity", "&AMP;", "&amp;AMP;"},
      {"upper-case X", "&#X26;", "&amp;#X26;"},
      {"unknown entity", "&nbsp;", "&amp;nbsp;"},
  };
  for (const Case& c : cases) EXPECT_EQ(XmlValue(c.text), c.value) << c.what;
}

TEST(XmlValue, KeepsUtf8AndReadsAnythingElseAsWindows1252) {
  const Case cases[] = {
      {"2-byte UTF-8", "Z\xc3\xbcrich", "Z\xc3\xbcrich"},
      {"3-byte UTF-8", "\xe2\x82\xac 5", "\xe2\x82\xac 5"},
      {"4-byte UTF-8", "\xf0\x9f\x9b\xab", "\xf0\x9f\x9b\xab"},
      {"Windows-1252 letter", "Z\xfcrich", "Z\xc3\xbcrich"},
      {"euro and Y diaeresis", "\x80\x9f", "\xe2\x82\xac\xc5\xb8"},
      {"no-break space", "\xa0", "\xc2\xa0"},
      {"the five unassigned bytes", "\x81\x8d\x8f\x90\x9d",
       "\xc2\x81\xc2\x8d\xc2\x8f\xc2\x90\xc2\x9d"},
      {"overlong slash", "\xc0\xaf", "\xc3\x80\xc2\xaf"},
      {"overlong 3-byte", "\xe0\x80\xaf", "\xc3\xa0\xe2\x82\xac\xc2\xaf"},
      {"lone continuation byte", "a\x80", "a\xe2\x82\xac"},
      {"surrogate", "\xed\xa0\x80", "\xc3\xad\xc2\xa0\xe2\x82\xac"},
      {"above U+10FFFF", "\xf4\x90\x80\x80", "\xc3\xb4\xc2\x90\xe2\x82\xac\xe2\x82\xac"},
      {"truncated sequence", "\xc3", "\xc3\x83"},
      {"one bad byte re-encodes the whole value", "\xc3\xbc \xfc", "\xc3\x83\xc2\xbc \xc3\xbc"},
      {"re-encoded, then escaped", "\xe9&<", "\xc3\xa9&amp;&lt;"},
  };
  for (const Case& c : cases) EXPECT_EQ(XmlValue(c.text), c.value) << c.what;
}

TEST(XmlValue, ACommentTakesTheEncodingStepAlone) {
  std::string out;
  AppendXmlComment(out, "A&B<\"\xfc.sca");
  EXPECT_EQ(out, "A&B<\"\xc3\xbc.sca");
}

TEST(XmlValue, OnlyTextsThatMayChangeLeaveTheFastPath) {
  EXPECT_FALSE(MayRewrite("N47 26 13.20>'", false));
  EXPECT_TRUE(MayRewrite("a&b", false));
  EXPECT_TRUE(MayRewrite("\xfc", false));
  EXPECT_FALSE(MayRewrite("a&b<\"", true));
  EXPECT_TRUE(MayRewrite("\xfc", true));
}

}  // namespace
}  // namespace ferry
