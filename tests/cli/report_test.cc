// ferry-convert --report, --report=json and --check.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/scenery.h"
#include "support/temp_dir.h"

namespace ferry {
namespace {

using testing::ReadFile;
using testing::Separator;
using testing::TempDir;
using testing::WriteFile;
using Json = nlohmann::json;

class Report : public ::testing::Test {
 protected:
  testing::CliResult Run(std::vector<std::string> args) {
    return testing::RunFerryConvert(args, scratch_.path());
  }
  std::string File(const char* name) const { return dir_.File(name); }
  const std::string& Dir() const { return dir_.path(); }
  // The example's files, copied here so that their paths are known.
  std::string CopyExample() {
    const std::string examples = testing::SourceDir() + Separator() + "examples" + Separator();
    for (const char* name : {"KJFK.sca", "KJFK_AFD.SCA", "KJFK_Exclude.SCA"})
      WriteFile(File(name), ReadFile(examples + name));
    return File("KJFK.sca");
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(testing::FsPath(Dir())))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  TempDir dir_;
  TempDir scratch_;
};

TEST_F(Report, TheExamplesReport) {
  const std::string source = CopyExample();
  const auto r = Run({"-bea", "--report", "-o", Dir(), source});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, source + ": wrote " + File("KJFK.xml") +
                       "\n"
                       "  converted: 6 library objects, 2 building areas, 2 flat-roofed "
                       "buildings, 1 peaked-roof building, 1 pyramidal building, 2 multi-sided "
                       "buildings, 3 exclusion rectangles, 1 airport, 1 tower, 7 frequencies, 4 "
                       "taxiway signs\n"
                       "  passed over:\n"
                       "    " +
                       source +
                       " line 15: calls of OTHER.API, which matches neither the "
                       "library-object nor the sign API\n"
                       "  0 warnings, 1 note (on standard error)\n");
  EXPECT_EQ(r.err, File("KJFK_AFD.SCA") +
                       ":7: note: city is not UTF-8: read as Windows-1252 "
                       "(city=\"Nu\xc3\xb1"
                       "ez Harbor\") [windows-1252]\n");
}

TEST_F(Report, TheExamplesReportAsJson) {
  const std::string source = CopyExample();
  const auto r = Run({"-bea", "--report=json", "-o", Dir(), source});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const Json json = Json::parse(r.out);
  ASSERT_EQ(json["sources"].size(), 1u);
  const Json& s = json["sources"][0];
  EXPECT_EQ(s["source"], source);
  EXPECT_EQ(s["document"], File("KJFK.xml"));
  EXPECT_TRUE(s["converted"].get<bool>());
  EXPECT_TRUE(s["stop"].is_null());
  EXPECT_EQ(s["counts"]["libraryObjects"], 6);
  EXPECT_EQ(s["counts"]["multiSidedBuildings"], 2);
  EXPECT_EQ(s["counts"]["frequencies"], 7);
  ASSERT_EQ(s["passedOver"].size(), 1u);
  EXPECT_EQ(s["passedOver"][0]["code"], "unknown-macro-file");
  EXPECT_EQ(s["passedOver"][0]["lines"], Json::array({15}));
  ASSERT_EQ(s["warnings"].size(), 1u);
  EXPECT_EQ(s["warnings"][0]["severity"], "note");
  EXPECT_EQ(s["warnings"][0]["line"], 7);
  EXPECT_EQ(s["warnings"][0]["attribute"], "city");
  EXPECT_EQ(s["warnings"][0]["value"],
            "Nu\xc3\xb1"
            "ez Harbor");
  EXPECT_EQ(json["totals"]["converted"], 1);
  EXPECT_EQ(json["totals"]["warnings"], 0);
}

TEST_F(Report, TheDocumentIsTheSameWithAndWithoutTheReport) {
  const std::string source = CopyExample();
  ASSERT_EQ(Run({"-bea", "-o", Dir(), source}).status, 0);
  const std::string plain = ReadFile(File("KJFK.xml"));
  ASSERT_EQ(Run({"-bea", "--report=json", "-o", Dir(), source}).status, 0);
  EXPECT_EQ(ReadFile(File("KJFK.xml")), plain);
}

TEST_F(Report, ACheckChangesNothingAndFailsOnAWarningOrAStop) {
  WriteFile(File("A.sca"), "MACRO( xmlobj.api N1 E2 0 1 90 O 0 0 0 0 0 1\n");
  WriteFile(File("B.sca"), "MACRO( xmlobj.api N1 E2 0 1 400 O 0 0 0 0 0 1\n");
  WriteFile(File("C.sca"), "MACRO( xmlobj.api N1 E2 0 1 90 O 0 0 0 0\n");
  const std::vector<std::string> before = Names();
  const std::string out = Dir() + Separator() + "out";

  auto r = Run({"--check", "-o", out, File("A.sca")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, File("A.sca") + ": checked; would write " + out + Separator() +
                       "A.xml\n  converted: 1 library object\n");
  r = Run({"--check", "-o", out, File("B.sca")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, File("B.sca") +
                       ":1: warning: heading must be a number from -360 to 360 (heading=\"400\") "
                       "[heading-out-of-range]\n");
  r = Run({"--check", "-q", "-o", out, File("C.sca"), File("A.sca")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ferry-convert: " + File("C.sca") + ":1: " + testing::MissingField(12) + "\n");
  EXPECT_EQ(Run({"--check", "--report=xml", File("A.sca")}).status, 2);
  // Nothing was created: no document, no output folder.
  EXPECT_EQ(Names(), before);
}

TEST_F(Report, ABatchCountsItsWarnings) {
  WriteFile(File("A.sca"), "MACRO( xmlobj.api N1 E2 0 1 400 O 0 0 0 0 0 1\n");
  WriteFile(File("B.sca"), "MACRO( xmlobj.api N1 E2 0 1 0 O 0 0 0 0 0 1\nMACRO( x.api 1\n");
  const auto r = Run({"--report", "-j", "2", "-o", Dir(), File("A.sca"), File("B.sca")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.find(File("A.sca") + ": wrote"), 0u) << r.out;
  EXPECT_NE(r.out.find(File("B.sca") + " line 2: calls of X.API"), std::string::npos) << r.out;
  EXPECT_TRUE(r.err.ends_with("ferry-convert: 2 converted, 0 stopped, 1 warnings\n")) << r.err;
}

}  // namespace
}  // namespace ferry
