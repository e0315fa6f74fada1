#include "sca/input_sca.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failure.h"
#include "support/scenery.h"
#include "support/temp_dir.h"

namespace ferry {
namespace {

using testing::Repeat;
using testing::TempDir;
using testing::WriteFile;

// The lines a pass loop reads from `data`.
std::vector<std::string> PassLines(const std::string& data,
                                   std::size_t block_size = InputSca::kBlockSize) {
  TempDir dir;
  const std::string path = dir.File("in.sca");
  WriteFile(path, data);
  InputSca in(block_size);
  in.Open(path);
  std::vector<std::string> lines;
  while (!in.AtInputEnd()) {
    in.ReadSourceLine();
    lines.push_back(in.RawLine());
  }
  in.Close();
  return lines;
}

// What a pass sees of each line: its number, the line, its trimmed text,
// first word and upper-cased text.
std::vector<std::string> PassViews(const std::string& path, std::size_t block_size) {
  InputSca in(block_size);
  in.Open(path);
  std::vector<std::string> views;
  while (!in.AtInputEnd()) {
    in.ReadSourceLine();
    views.push_back(std::to_string(in.LineNumber()) + "|" + std::string(in.Line()) + "|" +
                    std::string(in.TrimmedLine()) + "|" + std::string(in.FirstWordAsRead()) + "|" +
                    std::string(in.UpperLine()));
  }
  return views;
}

using V = std::vector<std::string>;

TEST(ReadSourceLine, LineEndsCarriageReturnsAndCtrlZ) {
  struct Case {
    std::string data;
    V lines;
  } cases[] = {
      {"A\r\nB\r\n", {"A", "B"}},
      {"A\nB\n", {"A", "B"}},
      {"A\nB", {"A", "B"}},
      {"A\n\n", {"A", ""}},
      {"AB\rCD\n", {"ABCD"}},
      {"AB\r", {"AB"}},
      {"AB\x1a"
       "CD\nEF\n",
       {"AB", "EF"}},
      {"AB\n\x1a"
       "CD\n",
       {"AB"}},
      {"AB\x1a\x1a"
       "CD\nEF",
       {"AB"}},
      {"\x1a", {}},
      {"", {}},
      {std::string("A\0B\n", 4), {std::string("A\0B", 3)}},
  };
  for (const Case& c : cases) EXPECT_EQ(PassLines(c.data), c.lines) << "data: " << c.data;
}

// A file longer than a block is read ahead by a thread that also finds the
// lines: in blocks of any size the passes see the same.
TEST(ReadSourceLine, BlocksOfAnySizeGiveTheSameLines) {
  const std::string word(300, 'w');
  const std::string data =
      "  Macro( a.api  1 2 \t\r\n\r\n\n\t  AREA( 5 \r\nA\rB\nAB\x1a"
      "CD\nx\r" +
      word + " tail\r\n" + std::string("A\0B \n", 5) + "  ENDA\n" +
      Repeat("  AdvBldg( NORMAL 55 14\r\n    Level1 a.bmp 2 512 256\n", 40) +
      "last\x1a"
      "\x1a"
      "more\nnever\n";
  TempDir dir;
  WriteFile(dir.File("in.sca"), data);
  const std::vector<std::string> whole = PassViews(dir.File("in.sca"), InputSca::kBlockSize);
  ASSERT_EQ(whole.size(), 90u);
  for (std::size_t block_size : {1, 2, 3, 5, 8, 31, 64, 333}) {
    EXPECT_EQ(PassViews(dir.File("in.sca"), block_size), whole) << "blocks of " << block_size;
  }
}

// The reader thread's blocks go with it when the file is closed; the last
// line read does not.
TEST(ReadSourceLine, TheLastLineOutlivesTheFileAndItsReader) {
  TempDir dir;
  WriteFile(dir.File("in.sca"), "AB\n  cdefg h\r\nIJ\n");
  InputSca in(4);
  in.Open(dir.File("in.sca"));
  in.ReadSourceLine();
  in.ReadSourceLine();
  in.Close();
  EXPECT_EQ(in.Line(), "  cdefg h");
  EXPECT_EQ(in.UpperLine(), "CDEFG H");
  EXPECT_EQ(in.FirstWordAsRead(), "cdefg");
  in.Open(dir.File("in.sca"));
  EXPECT_FALSE(in.AtInputEnd());
  in.ReadSourceLine();
  EXPECT_EQ(in.Line(), "AB");
}

TEST(ReadSourceLine, LongLinesAcrossBufferBoundariesReadWhole) {
  std::string a(700000, 'a');
  std::string b(300001, 'b');
  std::string data = a + "\r\n" + b;
  data[400000] = '\r';  // a lone CR inside a line is dropped
  std::string expected_a = a;
  expected_a.erase(400000, 1);
  EXPECT_EQ(PassLines(data), (V{expected_a, b}));
}

TEST(ReadSourceLine, CurrentLineIsTrimmedAndUpperCased) {
  TempDir dir;
  WriteFile(dir.File("in.sca"), "   macro(  a.api  x \t\r\n");
  InputSca in;
  in.Open(dir.File("in.sca"));
  in.ReadSourceLine();
  EXPECT_EQ(in.RawLine(), "   macro(  a.api  x \t");
  EXPECT_EQ(in.CurrentLine(), "MACRO(  A.API  X");
  EXPECT_EQ(in.LineNumber(), 1);
  // Past the end every read is empty.
  EXPECT_TRUE(in.AtInputEnd());
  in.ReadSourceLine();
  EXPECT_EQ(in.RawLine(), "");
  EXPECT_EQ(in.CurrentLine(), "");
}

TEST(InputSca, OpenFailuresNameTheFile) {
  TempDir dir;
  InputSca in;
  try {
    in.Open(dir.File("missing.sca"));
    FAIL() << "opened a missing file";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.message(), "File not found");
    EXPECT_EQ(failure.file(), dir.File("missing.sca"));
  }
}

}  // namespace
}  // namespace ferry
