// ferry-convert on folders: a generated tree of sources converted at once,
// one at a time and several at a time.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <dirent.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/cli_runner.h"
#include "cli/progress.h"
#include "platform/dirs.h"
#include "support/temp_dir.h"

namespace ferry {
namespace {

namespace fs = std::filesystem;
using testing::CliResult;
using testing::FileExists;
using testing::MakeDirectory;
using testing::ReadFile;
using testing::RunFerryConvert;
using testing::TempDir;
using testing::WriteFile;

fs::path FsPath(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// `parts` joined with the platform's separator.
std::string PathOf(std::initializer_list<std::string> parts) {
  std::string path;
  for (const std::string& part : parts) {
    if (!path.empty()) path += testing::Separator();
    path += part;
  }
  return path;
}

// The relative paths of the files below `root`, sorted, with '/' between
// their components.
std::vector<std::string> FilesBelow(const std::string& root) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(FsPath(root))) {
    if (!entry.is_regular_file()) continue;
    const std::u8string relative = entry.path().lexically_relative(FsPath(root)).generic_u8string();
    files.emplace_back(relative.begin(), relative.end());
  }
  std::sort(files.begin(), files.end());
  return files;
}

const std::string kHangar =
    "MACRO( xmlobj.api N47:26:13 E011:30:00 100 1.0 90 hangar 0 0 0 0 0 4\n";
const std::string kSign = "MACRO( tsign.api N47:26:13 E011:30:00 0 3 270 @Taxi@Way r\n";
const std::string kBuilding =
    "AREA( 5 N47:26 E011:30 22 )\nADVBLDG( BOX 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 "
    ")\n"
    "ENDA\n";
const std::string kExclusions = "EXCLUDE( 7 N47:26 N47:27 E011:31 E011:29 )\n";
const std::string kAfd =
    "APLOCATION( N47:26 E011:30 581 )\nICAO_ID( LOWI )\nFREQUENCY( 118.10 CT )\n";
const std::string kShortCall = "; fine\nMACRO( XMLOBJ.API 1 2 3 4 5 6 7 8 9 10\n";
const std::string kZurich = "Z\xc3\xbcrich";  // "Zürich"

// The sources of the tree, relative to its root, with '/'.
const std::vector<std::string> kSources = {
    "A.sca",        kZurich + ".sca", "b.SCA", "sub/A.sca", "sub/deeper/C.sca",
    "sub/stop.sca", "with space.sca",
};

// The tree of sources: companions in both letter cases, a space and
// non-ASCII characters in names, the same name in two folders, a source that
// stops, a file that is no source. Natively also a folder that cannot be
// read and a link (making a loop) that is not followed.
class FolderTree : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeDirectory(In({"sub", "deeper"}));
    WriteFile(In({"A.sca"}), kHangar + kSign + kBuilding);
    WriteFile(In({"A_AFD.SCA"}), kAfd);
    WriteFile(In({"A_Exclude.SCA"}), kExclusions);
    WriteFile(In({kZurich + ".sca"}), kSign + kHangar);
    WriteFile(In({kZurich + "_afd.sca"}), kAfd);
    WriteFile(In({"b.SCA"}), kBuilding + kSign);
    WriteFile(In({"b_afd.sca"}), kAfd);
    WriteFile(In({"b_exclude.sca"}), kExclusions);
    WriteFile(In({"notes.txt"}), "not a source\n");
    WriteFile(In({"sub", "A.sca"}), kHangar);
    WriteFile(In({"sub", "A_exclude.SCA"}), kExclusions);
    WriteFile(In({"sub", "stop.sca"}), kShortCall);
    WriteFile(In({"sub", "deeper", "C.sca"}), kBuilding + kBuilding);
    WriteFile(In({"with space.sca"}), kHangar);
  }

  std::string In(std::initializer_list<std::string> parts) const {
    std::string path = in_.path();
    for (const std::string& part : parts) path += testing::Separator() + part;
    return path;
  }
  std::string Out(const std::string& name) const { return out_.File(name); }
  const std::string& InRoot() const { return in_.path(); }

  CliResult Run(const std::vector<std::string>& args) {
    return RunFerryConvert(args, scratch_.path());
  }

  // The message lines of a run over the tree from -j 1 to -j 4.
  std::string ExpectedErr(bool unreadable_folder) const {
    std::string err;
    if (unreadable_folder) err += "ferry-convert: " + In({"locked"}) + ": File access denied.\n";
    err += "ferry-convert: " + In({"sub", "stop.sca"}) + ":2: List index out of bounds (12)\n";
    err += "ferry-convert: 6 converted, 1 stopped";
    if (unreadable_folder) err += ", 1 folder not read";
    return err + "\n";
  }

  TempDir in_;
  TempDir out_;
  TempDir scratch_;
};

#ifndef _WIN32
// Root reads any folder: for the length of a test the calling thread (and
// the threads it starts) gives up the two capabilities that allow it.
class WithoutReadingAnyFolder {
 public:
  WithoutReadingAnyFolder() {
    if (syscall(SYS_capget, &header_, saved_) != 0) return;
    __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
    reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    changed_ = syscall(SYS_capset, &header_, reduced) == 0;
  }
  ~WithoutReadingAnyFolder() {
    if (changed_) syscall(SYS_capset, &header_, saved_);
  }
  WithoutReadingAnyFolder(const WithoutReadingAnyFolder&) = delete;
  WithoutReadingAnyFolder& operator=(const WithoutReadingAnyFolder&) = delete;

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2] = {};
  bool changed_ = false;
};

bool CanList(const std::string& path) {
  DIR* dir = opendir(path.c_str());
  if (dir != nullptr) closedir(dir);
  return dir != nullptr;
}
#endif

TEST_F(FolderTree, OneAndFourAtATimeGiveTheSameDocumentsAndMessages) {
  bool unreadable_folder = false;
#ifndef _WIN32
  MakeDirectory(In({"locked"}));
  WriteFile(In({"locked", "D.sca"}), kHangar);
  ASSERT_EQ(chmod(In({"locked"}).c_str(), 0), 0);
  fs::create_directory_symlink(FsPath(InRoot()), FsPath(In({"sub", "loop"})));
  fs::create_directory_symlink(FsPath(In({"sub"})), FsPath(In({"link"})));
  WithoutReadingAnyFolder guard;
  unreadable_folder = !CanList(In({"locked"}));
  if (!unreadable_folder) std::fprintf(stderr, "note: an unreadable folder cannot be made here\n");
#endif
  const std::string out1 = Out("one");
  const std::string out4 = PathOf({Out("four"), "made", "here"});
  const CliResult one = Run({"-bea", "-r", "-j", "1", "-o", out1, InRoot()});
  const CliResult four = Run({"-bea", "-r", "-j4", "-o", out4, InRoot()});
#ifndef _WIN32
  chmod(In({"locked"}).c_str(), 0755);
#endif

  EXPECT_EQ(one.status, 1);
  EXPECT_EQ(four.status, 1);
  EXPECT_EQ(one.out, "");
  EXPECT_EQ(one.err, ExpectedErr(unreadable_folder));
  EXPECT_EQ(four.err, one.err);

  // The tree below the output folder is the tree of the sources.
  std::vector<std::string> documents;
  for (const std::string& source : kSources)
    documents.push_back(source.substr(0, source.size() - 3) + "xml");
  std::sort(documents.begin(), documents.end());
  EXPECT_EQ(FilesBelow(out1), documents);
  EXPECT_EQ(FilesBelow(out4), documents);

  // Each document is that of a run of its source alone.
  const TempDir alone;
  for (const std::string& source : kSources) {
    SCOPED_TRACE(source);
    std::string native = source;
    std::string below;
    for (char& c : native)
      if (c == '/') c = testing::Separator();
    const std::size_t slash = native.rfind(testing::Separator());
    if (slash != std::string::npos) below = native.substr(0, slash + 1);
    const std::string document = native.substr(0, native.size() - 3) + "xml";
    const CliResult single =
        Run({"-bea", "-o", alone.path(), InRoot() + testing::Separator() + native});
    EXPECT_EQ(single.status, source == "sub/stop.sca" ? 1 : 0);
    const std::string expected = ReadFile(alone.File(document.substr(below.size())));
    EXPECT_EQ(ReadFile(PathOf({out1, document})), expected);
    EXPECT_EQ(ReadFile(PathOf({out4, document})), expected);
  }
  // The companions were found in either letter case.
  for (const std::string& name : {std::string("A.xml"), kZurich + ".xml", std::string("b.xml")})
    EXPECT_NE(ReadFile(PathOf({out1, name})).find("<Airport"), std::string::npos) << name;
  EXPECT_NE(ReadFile(PathOf({out1, "b.xml"})).find("<ExclusionRectangle"), std::string::npos);
  EXPECT_NE(ReadFile(PathOf({out1, "sub", "A.xml"})).find("<ExclusionRectangle"),
            std::string::npos);
}

TEST_F(FolderTree, WithoutRecursiveOnlyTheFolderItselfIsTaken) {
  const CliResult r = Run({"-v", "-j4", "-o", Out("top"), InRoot()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "ferry-convert: wrote " + PathOf({Out("top"), "A.xml"}) + "\n" +
                       "ferry-convert: wrote " + PathOf({Out("top"), kZurich + ".xml"}) + "\n" +
                       "ferry-convert: wrote " + PathOf({Out("top"), "b.xml"}) + "\n" +
                       "ferry-convert: wrote " + PathOf({Out("top"), "with space.xml"}) + "\n");
  EXPECT_EQ(r.err, "ferry-convert: 4 converted, 0 stopped\n");
  // Quiet: no summary.
  const CliResult quiet = Run({"-q", "-o", Out("top"), InRoot()});
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.err, "");
}

TEST_F(FolderTree, FoldersAndFilesMixInTheOrderGiven) {
  const CliResult r =
      Run({"-o", Out("mixed"), In({"sub", "deeper", "C.sca"}), In({"sub"}), In({"b.SCA"})});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ferry-convert: " + In({"sub", "stop.sca"}) +
                       ":2: List index out of bounds (12)\n"
                       "ferry-convert: 3 converted, 1 stopped\n");
  EXPECT_EQ(FilesBelow(Out("mixed")),
            (std::vector<std::string>{"A.xml", "C.xml", "b.xml", "stop.xml"}));
}

TEST_F(FolderTree, AClashIsRefusedBeforeAnythingIsWritten) {
  const std::string out = Out("clash");
  // The same folder twice.
  CliResult r = Run({"-r", "-o", out, In({"sub", "deeper"}), In({"sub", "deeper"})});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "ferry-convert: " + In({"sub", "deeper", "C.sca"}) + " and " +
                       In({"sub", "deeper", "C.sca"}) + " would both be written to " +
                       PathOf({out, "C.xml"}) + "\n");
  EXPECT_FALSE(FileExists(out));

  // Two files of one name, given as files, go to one folder.
  r = Run({"-o", out, In({"A.sca"}), In({"sub", "A.sca"})});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "ferry-convert: " + In({"A.sca"}) + " and " + In({"sub", "A.sca"}) +
                       " would both be written to " + PathOf({out, "A.xml"}) + "\n");
  EXPECT_FALSE(FileExists(out));
}

TEST(BatchPlan, NamesThatDifferInLetterCaseClashWhereCaseIsIgnored) {
  const std::string in = PathOf({"in", "K.sca"});
  const std::string other = PathOf({"other", "k.sca"});
  const BatchPlan plan = PlanBatch({in, other}, RunSettings(), "out", false);
  ASSERT_EQ(plan.sources, 2u);
  EXPECT_TRUE(FindClashes(plan, false).empty());
  EXPECT_EQ(
      FindClashes(plan, true),
      std::vector<std::string>{"ferry-convert: " + in + " and " + other +
                               " would both be written to " + PathOf({"out", "K.xml"}) + " (as " +
                               PathOf({"out", "k.xml"}) + ", where letter case is ignored)\n"});
}

TEST(BatchPlan, TheOutputFolderIgnoresLetterCaseOnlyWhereItsFileSystemDoes) {
  TempDir dir;
  WriteFile(dir.File("Probe"), "");
#ifdef _WIN32
  EXPECT_TRUE(platform::IgnoresLetterCase(dir.path()));
#else
  // This machine's temporary folder tells letter cases apart.
  EXPECT_FALSE(platform::IgnoresLetterCase(dir.path()));
  EXPECT_FALSE(platform::IgnoresLetterCase(dir.File("not") + "/made/yet"));
#endif
}

TEST_F(FolderTree, TheOutputFolderIsMadeAndAFileInItsWayIsNamed) {
  const std::string made = PathOf({Out("new"), "deeper", "still"});
  CliResult r = Run({"-o", made, In({"A.sca"})});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(FileExists(PathOf({made, "A.xml"})));

  WriteFile(Out("file"), "in the way");
  r = Run({"-o", Out("file"), In({"A.sca"})});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "ferry-convert: " + Out("file") + ": a file is in the way of the output folder\n");
  EXPECT_EQ(ReadFile(Out("file")), "in the way");

  // A file where a subfolder of the tree goes: nothing is converted.
  MakeDirectory(Out("tree"));
  WriteFile(PathOf({Out("tree"), "sub"}), "in the way");
  r = Run({"-r", "-o", Out("tree"), InRoot()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ferry-convert: " + PathOf({Out("tree"), "sub"}) +
                       ": a file is in the way of the output folder\n");
  EXPECT_EQ(FilesBelow(Out("tree")), std::vector<std::string>{"sub"});
}

TEST_F(FolderTree, AFolderWithoutSourcesIsSaidSo) {
  MakeDirectory(In({"empty"}));
  CliResult r = Run({"-o", Out("none"), In({"empty"})});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "ferry-convert: " + In({"empty"}) +
                       ": no source in this folder (-r takes its subfolders too)\n");
  r = Run({"-r", "-o", Out("none"), In({"empty"})});
  EXPECT_EQ(r.err, "ferry-convert: " + In({"empty"}) + ": no source in this folder or below\n");
}

TEST(BatchPlan, SourceNamesEndInScaAndAreNoCompanions) {
  for (const char* name : {"a.sca", "A.SCA", "b.ScA", ".sca", "x_afd.sca.sca", "with space.sca"})
    EXPECT_TRUE(IsSourceName(name)) << name;
  for (const char* name : {"a_AFD.SCA", "a_afd.sca", "A_Exclude.SCA", "a_EXCLUDE.sca", "a.sc",
                           "a.scax", "a.xml", "sca"})
    EXPECT_FALSE(IsSourceName(name)) << name;
}

TEST(Progress, TheLineCountsSourcesStopsAndTime) {
  EXPECT_EQ(ProgressText(0, 2000, 0, 0), "ferry-convert: 0 of 2000 done, 0 stopped, 0:00");
  EXPECT_EQ(ProgressText(12, 200, 1, 65), "ferry-convert: 12 of 200 done, 1 stopped, 1:05");
  EXPECT_EQ(ProgressText(7, 9, 3, 3600), "ferry-convert: 7 of 9 done, 3 stopped, 60:00");
}

// Not a terminal (here a file): no progress line, whatever the batch.
TEST_F(FolderTree, NoProgressLineWhenStandardErrorIsNoTerminal) {
  const CliResult r = Run({"-r", "-o", Out("quietly"), InRoot()});
  EXPECT_EQ(r.err.find('\r'), std::string::npos);
  EXPECT_EQ(r.err.find(" done, "), std::string::npos);
}

}  // namespace
}  // namespace ferry
