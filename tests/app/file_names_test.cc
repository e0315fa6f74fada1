#include "app/file_names.h"

#include <gtest/gtest.h>

#include "base/failure.h"
#include "platform/paths.h"

namespace ferry {
namespace {

TEST(FileNames, OutputAndCompanionsAreFormedByCountingCharacters) {
#ifdef _WIN32
  EXPECT_EQ(OutputDocumentPath("D:\\TOOLS", "C:\\SCN\\KJFK.sca"), "D:\\TOOLS\\KJFK.xml");
  EXPECT_EQ(OutputDocumentPath("D:\\TOOLS", "C:\\SCN\\A.SC"), "D:\\TOOLS\\Axml");
  EXPECT_EQ(OutputDocumentPath("C:\\", "KJFK.sca"), "C:\\\\KJFK.xml");
  EXPECT_EQ(OutputDocumentPath("D:\\T", "C:KJFK.sca"), "D:\\T\\KJFK.xml");
  EXPECT_EQ(OutputDocumentPath("D:\\T", "C:/scn/KJFK.sca"), "D:\\T\\KJFK.xml");
  EXPECT_EQ(SourceFileName("C:\\SCN\\KJFK.sca"), "KJFK.sca");
  EXPECT_EQ(platform::DirectoryOf("C:\\ferry.exe"), "C:\\");
  EXPECT_EQ(platform::DirectoryOf("D:\\TOOLS\\Ferry.exe"), "D:\\TOOLS");
#else
  EXPECT_EQ(OutputDocumentPath("/tools", "/scn/KJFK.sca"), "/tools/KJFK.xml");
  EXPECT_EQ(OutputDocumentPath("/tools/", "/scn/A.SC"), "/tools/Axml");
  EXPECT_EQ(OutputDocumentPath("/", "KJFK.sca"), "/KJFK.xml");
  EXPECT_EQ(SourceFileName("/scn/dir\\KJFK.sca"), "dir\\KJFK.sca");
  EXPECT_EQ(platform::DirectoryOf("/usr/bin/ferry-convert"), "/usr/bin");
  EXPECT_EQ(platform::DirectoryOf("/ferry"), "/");
#endif
  EXPECT_EQ(OutputDocumentPath("d", "abc").substr(2), "xml");
  EXPECT_EQ(ExclusionFilePath("C:\\SCN\\KJFK.sca"), "C:\\SCN\\KJFK_Exclude.SCA");
  EXPECT_EQ(AfdFilePath("C:\\SCN\\KJFK.sca"), "C:\\SCN\\KJFK_AFD.SCA");
  EXPECT_EQ(ExclusionFilePath("C:\\SCN\\A.SC"), "C:\\SCN\\_Exclude.SCA");
  EXPECT_EQ(AfdFilePath("ab"), "_AFD.SCA");
}

TEST(Failure, MessagesFollowTheTableAndTheFullStopRule) {
  struct Case {
    int error;
    const char* message;
  } cases[] = {{2, "File not found."},
               {3, "Invalid filename."},
               {4, "Too many open files."},
               {5, "File access denied."},
               {100, "Read beyond end of file."},
               {101, "Disk full."},
               {106, "Invalid numeric input."},
               {32, "I/O error 32."},
               {112, "I/O error 112."}};
  for (const Case& c : cases) EXPECT_EQ(UserMessage(IoErrorMessage(c.error)), c.message);
  EXPECT_EQ(UserMessage("List index out of bounds (3)"), "List index out of bounds (3)");
  EXPECT_EQ(UserMessage("Done."), "Done.");
  EXPECT_EQ(UserMessage("Unable to write to Ferry.INI"), "Unable to write to Ferry.INI.");
  EXPECT_EQ(UserMessage(""), "");
  EXPECT_EQ(UserMessage("a-"), "a-");
}

}  // namespace
}  // namespace ferry
