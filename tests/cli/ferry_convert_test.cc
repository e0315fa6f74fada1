#include "cli/ferry_convert.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/temp_dir.h"

namespace ferry {
namespace {

using testing::FileExists;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

using Result = testing::CliResult;

class FerryConvert : public ::testing::Test {
 protected:
  Result Run(std::vector<std::string> args) {
    return testing::RunFerryConvert(args, scratch_.path());
  }

  std::string File(const char* name) const { return dir_.File(name); }
  const std::string& Dir() const { return dir_.path(); }

 private:
  TempDir dir_;
  TempDir scratch_;
};

TEST_F(FerryConvert, ASuccessfulRunPrintsNothing) {
  WriteFile(File("KJFK.sca"), "MACRO( xmlobj.api 1 2 3 4 5 6 7 8 9 10 0 3\n");
  Result r = Run({File("KJFK.sca"), "-o", Dir()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  EXPECT_NE(ReadFile(File("KJFK.xml")).find("<LibraryObject"), std::string::npos);

  r = Run({"-v", "--output-dir=" + Dir(), File("KJFK.sca")});
  EXPECT_EQ(r.out, "ferry-convert: wrote " + File("KJFK.xml") + "\n");
}

TEST_F(FerryConvert, DiagnosticsNameTheFileAndLine) {
  WriteFile(File("A.sca"), "; ok\nMACRO( XMLOBJ.API 1 2 3 4 5 6 7 8 9 10\n");
  WriteFile(File("B.sca"), "");
  Result r = Run({"-o", Dir(), File("A.sca"), File("missing.sca"), File("B.sca")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ferry-convert: " + File("A.sca") + ":2: List index out of bounds (12)\n" +
                       "ferry-convert: " + File("missing.sca") + ": File not found.\n" +
                       "ferry-convert: 1 converted, 2 stopped\n");
  // The other runs still ran.
  EXPECT_TRUE(FileExists(File("B.xml")));
}

TEST_F(FerryConvert, OptionsTakeTheRolesOfTheWindowsControls) {
  WriteFile(File("S.sca"),
            "MACRO( lib.api 1 2 3 4 5 OURS 8 9 10 11 0 3\n"
            "MACRO( xmlobj.api 1 2 3 4 5 DEFAULT 8 9 10 11 0 3\n"
            "MACRO( our_signs.api N1 E2 0 3 90 OURSIGN l\n"
            "MACRO( tsign.api N1 E2 0 3 90 DEFAULTSIGN l\n"
            "AREA(\nADVBLDG( BOX )\n");
  WriteFile(File("S_Exclude.SCA"), "EXCLUDE( F 1 2 3 4\n");
  WriteFile(File("S_AFD.SCA"), "ICAO_ID( S )\n");
  auto contains = [](const std::string& doc, const char* text) {
    return doc.find(text) != std::string::npos;
  };
  auto objects = [](const std::string& doc) {
    std::size_t count = 0;
    for (std::size_t at = doc.find("<SceneryObject"); at != std::string::npos;
         at = doc.find("<SceneryObject", at + 1)) {
      ++count;
    }
    return count;
  };

  Result r = Run(
      {"-bea", "--library-api", "LIB.API", "--sign-api=Our_Signs", "-o" + Dir(), File("S.sca")});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string doc = ReadFile(File("S.xml"));
  EXPECT_TRUE(contains(doc, "name=\"OURS\""));
  EXPECT_FALSE(contains(doc, "name=\"DEFAULT\""));
  EXPECT_TRUE(contains(doc, "label=\"OURSIGN\""));
  EXPECT_FALSE(contains(doc, "DEFAULTSIGN"));
  EXPECT_TRUE(contains(doc, "<ExclusionRectangle"));
  EXPECT_TRUE(contains(doc, "ident=\"S\">"));
  EXPECT_EQ(objects(doc), 2u);  // the library object and the building's wrapper

  // The defaults, and an empty API text that matches nothing.
  r = Run({"-a", "--sign-api", "", "-o", Dir(), File("S.sca")});
  ASSERT_EQ(r.status, 0) << r.err;
  doc = ReadFile(File("S.xml"));
  EXPECT_TRUE(contains(doc, "name=\"DEFAULT\""));
  EXPECT_FALSE(contains(doc, "name=\"OURS\""));
  EXPECT_FALSE(contains(doc, "<TaxiwaySign"));
  EXPECT_FALSE(contains(doc, "<ExclusionRectangle"));
  EXPECT_EQ(objects(doc), 1u);
}

TEST_F(FerryConvert, UsageErrorsExitWithTwoInTheLibrarysWords) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"--bogus", "x.sca"},
      {"-x", "x.sca"},
      {"x.sca", "-o"},
      {"--library-api"},
      {"-j", "0", "x.sca"},
      {"--jobs=many", "x.sca"},
      {"-j"},
  };
  for (const auto& args : cases) {
    Result r = Run(args);
    EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Run with --help for more information."), std::string::npos) << r.err;
  }
  EXPECT_NE(Run({"--bogus", "x.sca"}).err.find("--bogus"), std::string::npos);
  EXPECT_NE(Run({}).err.find("SOURCE is required"), std::string::npos);

  Result help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_NE(help.out.find("Usage: ferry-convert [OPTIONS] SOURCE..."), std::string::npos);
  for (const char* option : {"-b,--buildings", "-e,--exclusions", "-a,--airport", "--library-api",
                             "--sign-api", "-o,--output-dir", "-r,--recursive", "-j,--jobs",
                             "-v,--verbose", "-q,--quiet", "--version"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(Run({"-h"}).out, help.out);
  EXPECT_EQ(Run({"x.sca", "-bh"}).out, help.out);
  Result version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("ferry-convert ") + FERRY_VERSION + "\n");
}

// Short options grouped and with attached values, long options with "=",
// "--" before sources that look like options, and "-" as a source name.
TEST_F(FerryConvert, EveryFormOfTheOptionsKeepsWorking) {
  WriteFile(File("-K.sca"), "MACRO( lib.api 1 2 3 4 5 6 7 8 9 10 0 3\n");
  WriteFile(File("S.sca"), "MACRO( lib.api 1 2 3 4 5 6 7 8 9 10 0 3\n");
  const std::string sub = File("sub");
  testing::MakeDirectory(sub);
  const std::string in_sub = sub + testing::Separator();

  Result r = Run({"-bvo" + sub, "--library-api=LIB.API", "-j1", "-q", File("S.sca")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "ferry-convert: wrote " + in_sub + "S.xml\n");
  EXPECT_NE(ReadFile(in_sub + "S.xml").find("<LibraryObject"), std::string::npos);

  r = Run({"-vj", "2", "--output-dir", sub, "--", File("-K.sca")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "ferry-convert: wrote " + in_sub + "-K.xml\n");
  // The default library API text: the call is no library object.
  EXPECT_EQ(ReadFile(in_sub + "-K.xml").find("<LibraryObject"), std::string::npos);

  r = Run({"--jobs", "3", "--verbose", "--recursive", "--quiet", "-o", sub, "--", "-"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ferry-convert: -: File not found.\n");
  // An option given twice takes its last value.
  r = Run({"-o", Dir(), "--library-api", "nothing", "-v", "-j", "1", "--output-dir", sub,
           "--library-api=LIB.API", "-j2", File("S.sca")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "ferry-convert: wrote " + in_sub + "S.xml\n");
  EXPECT_NE(ReadFile(in_sub + "S.xml").find("<LibraryObject"), std::string::npos);
  // An empty -o, as before, is the current folder.
  EXPECT_EQ(Run({"--output-dir=", "-"}).err, "ferry-convert: -: File not found.\n");
}

}  // namespace
}  // namespace ferry
