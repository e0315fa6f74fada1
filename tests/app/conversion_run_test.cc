#include "app/conversion_run.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <string>
#include <vector>

#include "support/scenery.h"
#include "support/temp_dir.h"

namespace ferry {
namespace {

using testing::Convert;
using testing::Converted;
using testing::FileExists;
using testing::MakeDirectory;
using testing::ReadFile;
using testing::Scenery;
using testing::TempDir;
using testing::WriteFile;

constexpr char kFrame[] =
    "<?xml version=\"1.0\"?>\r\n"
    "<FSData version=\"9.0\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\r\n"
    "xsi:noNamespaceSchemaLocation=\"bglcomp.xsd\">\r\n"
    "<!-- Import from SCA KJFK.sca-->\r\n"
    "</FSData>\r\n";

constexpr const char* kHangar = testing::kHangarCall;

// Settings for converting `name` in `dir`, the document going there too.
RunSettings InDir(const TempDir& dir, const char* name = "KJFK.sca") {
  RunSettings s;
  s.source_path = dir.File(name);
  s.output_directory = dir.path();
  return s;
}

TEST(ConversionRun, EmptySourceGivesTheBareFrame) {
  Converted c = Convert({""});
  ASSERT_TRUE(c.outcome.succeeded) << c.outcome.message;
  EXPECT_EQ(c.document, kFrame);
  EXPECT_EQ(c.document.size(), 191u);
}

TEST(ConversionRun, EveryTickedPassWithoutCompanionsLeavesTheFrame) {
  RunSettings all;
  all.buildings = all.exclusions = all.airport = true;
  Converted c = Convert({"; nothing to convert\r\nAREA( 5 )\r\nENDA\r\n"}, all);
  ASSERT_TRUE(c.outcome.succeeded);
  EXPECT_EQ(c.document, kFrame);
}

TEST(ConversionRun, OutputLinesEndInCrLfWhateverTheInputUses) {
  Converted lf = Convert({kHangar});
  std::string crlf_source = kHangar;
  crlf_source.insert(crlf_source.size() - 1, "\r");
  Converted crlf = Convert({crlf_source});
  ASSERT_TRUE(lf.outcome.succeeded);
  EXPECT_EQ(lf.document, crlf.document);
  EXPECT_EQ(lf.body.size(), 11u);
  // No bare LF anywhere.
  for (std::size_t i = 0; i < lf.document.size(); ++i) {
    if (lf.document[i] == '\n') {
      ASSERT_EQ(lf.document[i - 1], '\r') << "at " << i;
    }
  }
}

TEST(ConversionRun, AnOldDocumentIsReplaced) {
  TempDir dir;
  RunSettings s = InDir(dir);
  WriteFile(s.source_path, "");
  WriteFile(dir.File("KJFK.xml"), std::string(5000, 'x'));
  ASSERT_TRUE(PerformConversionRun(s).succeeded);
  EXPECT_EQ(ReadFile(dir.File("KJFK.xml")), kFrame);
}

TEST(ConversionRun, AStoppedRunKeepsTheLinesWrittenBeforeTheStop) {
  // Thirteen fields: the stop comes at field 13, after eight lines.
  Converted c = Convert({std::string(kHangar) + "MACRO( XMLOBJ.API 1 2 3 4 5 6 7 8 9 10 0\n"});
  EXPECT_FALSE(c.outcome.succeeded);
  EXPECT_EQ(c.outcome.message, testing::MissingField(13));
  EXPECT_EQ(c.outcome.line, 2);
  EXPECT_EQ(c.outcome.file.substr(c.outcome.file.size() - 8), "KJFK.sca");
  ASSERT_EQ(c.lines.size(), 4u + 11u + 8u);
  EXPECT_EQ(c.lines.back(), "       altitudeIsAgl=\"TRUE\"");
  EXPECT_EQ(c.document.substr(c.document.size() - 2), "\r\n");
}

TEST(ConversionRun, FileFailuresStopBeforeAnyOutputExists) {
  TempDir dir;
  MakeDirectory(dir.File("folder.sca"));
  const std::string sep(1, testing::Separator());
  struct Case {
    std::string source;
    std::string message;
  } cases[] = {
      {dir.File("missing.sca"), "File not found."},
      {"", "File not found."},
      {dir.File("no such dir") + sep + "KJFK.sca", "Invalid filename."},
      {dir.File("folder.sca"), "File access denied."},
  };
  for (const Case& c : cases) {
    RunSettings s;
    s.source_path = c.source;
    s.output_directory = dir.path();
    RunOutcome outcome = PerformConversionRun(s);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.message, c.message) << c.source;
    EXPECT_EQ(outcome.file, c.source);
    EXPECT_EQ(outcome.line, 0);
  }
  EXPECT_FALSE(FileExists(dir.File("missing.xml")));
  EXPECT_FALSE(FileExists(dir.File("folder.xml")));
  EXPECT_FALSE(FileExists(dir.File("xml")));
}

TEST(ConversionRun, AMissingSourceLeavesAnOldDocumentAlone) {
  TempDir dir;
  WriteFile(dir.File("KJFK.xml"), "old");
  RunSettings s = InDir(dir);
  EXPECT_EQ(PerformConversionRun(s).message, "File not found.");
  EXPECT_EQ(ReadFile(dir.File("KJFK.xml")), "old");
}

TEST(ConversionRun, AnOutputPathThatIsADirectoryIsRefused) {
  TempDir dir;
  RunSettings s = InDir(dir);
  WriteFile(s.source_path, kHangar);
  MakeDirectory(dir.File("KJFK.xml"));
  RunOutcome outcome = PerformConversionRun(s);
  EXPECT_EQ(outcome.message, "File access denied.");
  EXPECT_EQ(outcome.file, dir.File("KJFK.xml"));
}

TEST(ConversionRun, TheSourceCannotBeItsOwnOutputDocument) {
  TempDir dir;
  RunSettings s;
  s.source_path = dir.File("scenery.xml");  // names the output "scenery.xml"
  s.output_directory = dir.path();
  WriteFile(s.source_path, kHangar);
  RunOutcome outcome = PerformConversionRun(s);
  EXPECT_EQ(outcome.message, "I/O error 32.");
  EXPECT_EQ(ReadFile(s.source_path), kHangar);
  // A later run of the same file stops alike: nothing was left open.
  EXPECT_EQ(PerformConversionRun(s).message, "I/O error 32.");
}

TEST(ConversionRun, ARunAfterAStoppedOneCreatesTheDocumentAgain) {
  TempDir dir;
  RunSettings s = InDir(dir);
  WriteFile(s.source_path, "MACRO( XMLOBJ.API\n");
  EXPECT_EQ(PerformConversionRun(s).message, testing::MissingField(2));
  WriteFile(s.source_path, "");
  ASSERT_TRUE(PerformConversionRun(s).succeeded);
  EXPECT_EQ(ReadFile(dir.File("KJFK.xml")), kFrame);
}

#ifndef _WIN32
TEST(ConversionRun, AFullDiskStopsTheRunWithItsErrorNumber) {
  TempDir dir;
  RunSettings s = InDir(dir);
  WriteFile(s.source_path, kHangar);
  ASSERT_EQ(symlink("/dev/full", dir.File("KJFK.xml").c_str()), 0);
  RunOutcome outcome = PerformConversionRun(s);
  EXPECT_EQ(outcome.message, "I/O error 28.");
  EXPECT_EQ(outcome.file, dir.File("KJFK.xml"));
  EXPECT_EQ(ReadFile(s.source_path), kHangar);
}

TEST(ConversionRun, CompanionsMatchWithoutRegardToLetterCase) {
  TempDir dir;
  RunSettings s = InDir(dir);
  s.exclusions = true;
  WriteFile(s.source_path, "");
  WriteFile(dir.File("kjfk_exclude.sca"), "EXCLUDE( F 1 2 3 4\n");
  MakeDirectory(dir.File("KJFK_Exclude.SCA.d"));
  ASSERT_TRUE(PerformConversionRun(s).succeeded);
  EXPECT_NE(ReadFile(dir.File("KJFK.xml")).find("<ExclusionRectangle"), std::string::npos);
}
#endif

TEST(ConversionRun, ACompanionThatIsADirectoryDoesNotExist) {
  TempDir dir;
  RunSettings s = InDir(dir);
  s.exclusions = s.airport = true;
  WriteFile(s.source_path, "");
  MakeDirectory(dir.File("KJFK_Exclude.SCA"));
  MakeDirectory(dir.File("KJFK_AFD.SCA"));
  ASSERT_TRUE(PerformConversionRun(s).succeeded);
  EXPECT_EQ(ReadFile(dir.File("KJFK.xml")), kFrame);
}

TEST(ConversionRun, TheHeadNamesTheSourceFileAsGiven) {
  TempDir dir;
  RunSettings s = InDir(dir, "My Field.SCA");
  WriteFile(s.source_path, "");
  ASSERT_TRUE(PerformConversionRun(s).succeeded);
  std::vector<std::string> lines = testing::SplitCrLf(ReadFile(dir.File("My Field.xml")));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[3], "<!-- Import from SCA My Field.SCA-->");
}

TEST(ConversionRun, UnicodePathsWork) {
  TempDir dir;
  RunSettings s;
  MakeDirectory(dir.File("Sc\xc3\xa9nerie \xe6\x97\xa5\xe6\x9c\xac"));
  s.source_path = dir.File("Sc\xc3\xa9nerie \xe6\x97\xa5\xe6\x9c\xac") + testing::Separator() +
                  "\xc3\x89T\xc3\x89.sca";
  s.output_directory = dir.path();
  WriteFile(s.source_path, kHangar);
  RunOutcome outcome = PerformConversionRun(s);
  ASSERT_TRUE(outcome.succeeded) << outcome.message;
  EXPECT_EQ(outcome.output_path, dir.File("\xc3\x89T\xc3\x89.xml"));
  EXPECT_TRUE(FileExists(outcome.output_path));
}

}  // namespace
}  // namespace ferry
