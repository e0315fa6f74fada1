#include "output/plain_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "output/xml_value.h"
#include "sca/text.h"

namespace ferry {
namespace {

// Every length up to past the word window, the 16-byte blocks and their
// edges, with bytes drawn from all 256 and, more often, from those that
// matter: letters, the value rules' bytes, bytes from 0x80 up.
std::string RandomText(std::mt19937& random, std::size_t size) {
  static const std::string kOften = "azAZ`{@[ &<\"'>\x7f\x80\xc3\xa9\xff";
  std::string text(size, '\0');
  for (char& c : text) {
    const unsigned pick = random() % 4;
    c = pick == 0 ? kOften[random() % kOften.size()] : static_cast<char>(random() % 256);
  }
  // Mostly plain texts too, with one byte that is not, or none.
  if (random() % 2 == 0) {
    for (char& c : text) c = static_cast<char>('a' + random() % 26);
    if (size > 0 && random() % 2 == 0) text[random() % size] = "&<\"\x80\xff"[random() % 5];
  }
  return text;
}

TEST(PlainText, ScanningAgreesWithTheValueTest) {
  std::mt19937 random(20261211);
  for (std::size_t size = 0; size < 300; ++size) {
    for (int round = 0; round < 40; ++round) {
      const std::string text = RandomText(random, size);
      const ScannedLine line = ScannedLine::Scan(text);
      EXPECT_EQ(line.Plain(), !MayRewrite(text, false)) << size;
      EXPECT_EQ(Scanned(text).Plain(), !MayRewrite(text, false)) << size;
      EXPECT_EQ(Scanned(text).Text(), text);
    }
  }
}

TEST(PlainText, UpperCasingAsTheReaderDoesAndScanningTheCopy) {
  std::mt19937 random(7);
  for (std::size_t size = 0; size < 300; ++size) {
    for (int round = 0; round < 40; ++round) {
      const std::string text = RandomText(random, size);
      std::string expected(size, '\0');
      UpperCaseInto(expected.data(), text);
      std::string copy(size + 1, '#');
      const ScannedLine line = ScannedLine::UpperCaseInto(copy.data(), text);
      EXPECT_EQ(copy.substr(0, size), expected) << size;
      EXPECT_EQ(copy[size], '#') << "nothing is written past the copy";
      EXPECT_EQ(line.Text().data(), copy.data());
      EXPECT_EQ(line.Text().size(), size);
      EXPECT_EQ(line.Plain(), !MayRewrite(expected, false)) << size;
    }
  }
}

TEST(PlainText, PartsOfAPlainLineArePlainAndOthersAreTested) {
  const std::string plain = "LEVEL1 ROOF_TIN13.BMP 13 256";
  const ScannedLine line = ScannedLine::Scan(plain);
  const std::string_view whole = line.Text();
  EXPECT_TRUE(line.Part(whole.substr(7, 14)).Plain());
  EXPECT_EQ(line.Part(whole.substr(7, 14)).Text(), "ROOF_TIN13.BMP");
  const std::string not_plain = "LEVEL1 A&B.BMP 13";
  const ScannedLine other = ScannedLine::Scan(not_plain);
  EXPECT_FALSE(other.Part(other.Text().substr(15)).Plain());
  EXPECT_FALSE(other.Part(other.Text().substr(0, 6)).Plain()) << "a line is plain as a whole";
  EXPECT_FALSE(ScannedLine().Part("ANY").Plain()) << "a default line proves nothing";
  EXPECT_FALSE(ScannedText::Untested("256").Plain());
  EXPECT_TRUE(ScannedText(PlainText("256")).Plain());
}

TEST(PlainText, KeptTextsKeepTheirBytesAndPlainness) {
  KeptText kept = PlainText("256");
  EXPECT_EQ(kept.Text(), "256");
  EXPECT_TRUE(kept.View().Plain());
  const std::string long_text(100, 'X');
  for (const std::string& text :
       {std::string("1&2"), long_text, std::string(24, 'Y'), std::string(25, 'Z'), std::string()}) {
    kept.Assign(Scanned(text));
    EXPECT_EQ(kept.Text(), text);
    EXPECT_EQ(kept.View().Plain(), !MayRewrite(text, false));
  }
}

}  // namespace
}  // namespace ferry
