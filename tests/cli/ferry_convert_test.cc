#include "cli/ferry_convert.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace ferry {
namespace {

using testing::FileExists;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct Result {
  int status;
  std::string out;
  std::string err;
};

class FerryConvert : public ::testing::Test {
 protected:
  Result Run(std::vector<std::string> args) {
    const std::string out_path = dir_.File("stdout.txt");
    const std::string err_path = dir_.File("stderr.txt");
    std::FILE* out = std::fopen(out_path.c_str(), "wb");
    std::FILE* err = std::fopen(err_path.c_str(), "wb");
    Result result{FerryConvertMain(args, out, err), "", ""};
    std::fclose(out);
    std::fclose(err);
    result.out = ReadFile(out_path);
    result.err = ReadFile(err_path);
    return result;
  }

  std::string File(const char* name) const { return dir_.File(name); }
  const std::string& Dir() const { return dir_.path(); }

 private:
  TempDir dir_;
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
                       "ferry-convert: " + File("missing.sca") + ": File not found.\n");
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

TEST_F(FerryConvert, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {}, {"--bogus", "x.sca"}, {"-q", "x.sca"}, {"x.sca", "-o"}, {"--library-api"}};
  for (const auto& args : cases) {
    Result r = Run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("ferry-convert: ", 0), 0u);
    EXPECT_NE(r.err.find("usage: ferry-convert"), std::string::npos);
  }
  Result help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: ferry-convert", 0), 0u);
  Result version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("ferry-convert ", 0), 0u);
}

}  // namespace
}  // namespace ferry
