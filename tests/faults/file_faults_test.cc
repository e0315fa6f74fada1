// File faults met through the real file layer: an output document that is
// one of the inputs under another name, and a file system that fills up.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#include <filesystem>
#include <string>

#include "app/conversion_run.h"
#include "support/scenery.h"
#include "support/temp_dir.h"

namespace ferry {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

using testing::FsPath;

const std::string kSource = std::string(testing::kHangarCall) +
                            "MACRO( tsign.api N47:26:13 E011:30:00 0 3 270 @Taxi@Way r\n";
const std::string kExclusions = "EXCLUDE( 7 N47:26 N47:27 E011:31 E011:29 )\n";
const std::string kAfd = "APLOCATION( N47:26 E011:30 581 )\nFREQUENCY( 118.10 CT )\n";

// A link can make the output document one of the files the run reads; the
// run must refuse to create it rather than empty that input.
TEST(FileFaults, AnOutputDocumentThatIsAnInputIsRefused) {
  struct Case {
    const char* what;
    const char* target;  // the input the output name is linked to
    bool symbolic;
  } cases[] = {
      {"hard link to the source", "KJFK.sca", false},
      {"hard link to the exclusion file", "KJFK_Exclude.SCA", false},
      {"hard link to the AFD file", "KJFK_AFD.SCA", false},
#ifndef _WIN32
      {"symbolic link to the source", "KJFK.sca", true},
      {"symbolic link to the AFD file", "KJFK_AFD.SCA", true},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    RunSettings s;
    s.source_path = dir.File("KJFK.sca");
    s.output_directory = dir.path();
    s.buildings = s.exclusions = s.airport = true;
    WriteFile(s.source_path, kSource);
    WriteFile(dir.File("KJFK_Exclude.SCA"), kExclusions);
    WriteFile(dir.File("KJFK_AFD.SCA"), kAfd);
    if (c.symbolic)
      fs::create_symlink(FsPath(dir.File(c.target)), FsPath(dir.File("KJFK.xml")));
    else
      fs::create_hard_link(FsPath(dir.File(c.target)), FsPath(dir.File("KJFK.xml")));

    const RunOutcome outcome = PerformConversionRun(s);
    EXPECT_EQ(outcome.message, "I/O error 32.");
    EXPECT_EQ(outcome.file, dir.File("KJFK.xml"));
    EXPECT_EQ(ReadFile(s.source_path), kSource);
    EXPECT_EQ(ReadFile(dir.File("KJFK_Exclude.SCA")), kExclusions);
    EXPECT_EQ(ReadFile(dir.File("KJFK_AFD.SCA")), kAfd);
  }
}

TEST(FileFaults, ALinkedCompanionThatIsNotReadIsNoInput) {
  TempDir dir;
  RunSettings s;
  s.source_path = dir.File("KJFK.sca");
  s.output_directory = dir.path();
  WriteFile(s.source_path, kSource);
  WriteFile(dir.File("KJFK_AFD.SCA"), kAfd);
  fs::create_hard_link(FsPath(dir.File("KJFK_AFD.SCA")), FsPath(dir.File("KJFK.xml")));
  // Without the airport box the file is only the output document's other name.
  ASSERT_TRUE(PerformConversionRun(s).succeeded);
  EXPECT_EQ(ReadFile(s.source_path), kSource);
}

#ifndef _WIN32
// A device error (EIO) from a real read: /proc/self/mem refuses to read the
// unmapped page at offset 0 with it. EIO is 5 on Linux, which must not come
// out as "File access denied".
TEST(FileFaults, ADeviceErrorWhileReadingIsAReadFault) {
  TempDir dir;
  RunSettings s;
  s.source_path = "/proc/self/mem";
  s.output_directory = dir.path();
  const RunOutcome outcome = PerformConversionRun(s);
  EXPECT_EQ(outcome.message, "I/O error 30.");
  EXPECT_EQ(outcome.file, "/proc/self/mem");
  EXPECT_EQ(ReadFile(dir.File("xml")),
            "<?xml version=\"1.0\"?>\r\n"
            "<FSData version=\"9.0\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\r\n"
            "xsi:noNamespaceSchemaLocation=\"bglcomp.xsd\">\r\n"
            "<!-- Import from SCA mem-->\r\n");
}

// A small tmpfs fills up part-way through a write, as a real disk does: the
// document then holds the bytes that fitted, the first of the whole document.
TEST(FileFaults, AFileSystemThatFillsUpKeepsTheBytesThatFitted) {
  TempDir dir;
  const std::string small = dir.File("small");
  testing::MakeDirectory(small);
  if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a tmpfs here (" << std::strerror(errno)
                 << "); /dev/full and the injected faults cover the full disk";
  }
  struct Unmount {
    std::string path;
    ~Unmount() { umount2(path.c_str(), MNT_DETACH); }
  } unmount{small};

  std::string source;
  for (int i = 0; i < 1000; ++i) source += kSource;
  RunSettings s;
  s.source_path = dir.File("KJFK.sca");
  s.output_directory = dir.path();
  WriteFile(s.source_path, source);
  ASSERT_TRUE(PerformConversionRun(s).succeeded);
  const std::string whole = ReadFile(dir.File("KJFK.xml"));
  ASSERT_GT(whole.size(), 200000u);

  s.output_directory = small;
  const RunOutcome outcome = PerformConversionRun(s);
  EXPECT_EQ(outcome.message, "I/O error 28.");
  EXPECT_EQ(outcome.file, small + "/KJFK.xml");
  const std::string kept = ReadFile(small + "/KJFK.xml");
  EXPECT_GT(kept.size(), 0u);
  EXPECT_LE(kept.size(), 64u * 1024u);
  EXPECT_EQ(kept, whole.substr(0, kept.size()));
  EXPECT_EQ(ReadFile(s.source_path), source);

  // The next run empties the document first, so a small one fits again.
  WriteFile(s.source_path, kSource);
  ASSERT_TRUE(PerformConversionRun(s).succeeded);
  EXPECT_EQ(ReadFile(small + "/KJFK.xml").substr(ReadFile(small + "/KJFK.xml").size() - 11),
            "</FSData>\r\n");
}
#endif

}  // namespace
}  // namespace ferry
