// The writer thread (output/block_writer.h) against the writer on the run's
// own thread, which a run with a report uses: for a full disk at any point,
// alone or with a read fault or a short statement later in the document,
// both runs stop with the same message at the same place, hold the same
// bytes and open the same inputs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/conversion_run.h"
#include "faults/fault_file.h"
#include "support/scenery.h"
#include "support/temp_dir.h"

namespace ferry {
namespace {

namespace faults = testing::faults;
using testing::ReadFile;
using testing::Repeat;
using testing::TempDir;
using testing::WriteFile;

// About 2.5 MB of document from the source pass: the buffer (1 MiB) goes to
// the writer twice before the pass ends.
const std::string kObjects =
    Repeat("MACRO( xmlobj.api N47:26:13.20 E011:30:00.0 100 1.0 90 hangar 0 0 0 0 0 4\r\n", 8000);
const std::string kSigns =
    Repeat("MACRO( tsign.api N47:26:13 E011:30:00 0 3 270 @Taxi@Way r\n", 3000);
const std::string kShortCall = "MACRO( xmlobj.api N1:2 E3:4 5 1.0 90\r\n";
const std::string kAfd = "APLOCATION( N47:26 E011:30 581 )\nICAO_ID( LOWI )\n" +
                         Repeat("FREQUENCY( 118.10 CT )\nTOWER( N47:26 E011:30 600 )\n", 15);

struct Result {
  RunOutcome outcome;
  std::string document;
  int opens = 0;
};

Result Convert(const std::string& source, const std::string& afd, bool report,
               const faults::Plan& plan) {
  TempDir dir;
  WriteFile(dir.File("KJFK.sca"), source);
  if (!afd.empty()) WriteFile(dir.File("KJFK_AFD.SCA"), afd);
  RunSettings settings;
  settings.source_path = dir.File("KJFK.sca");
  settings.output_directory = dir.path();
  settings.airport = !afd.empty();
  settings.report = report;
  faults::SetPlan(plan);
  Result result;
  result.outcome = PerformConversionRun(settings);
  result.opens = faults::OpensSoFar();
  faults::Reset();
  result.document = ReadFile(dir.File("KJFK.xml"));
  return result;
}

void ExpectSameRun(const std::string& source, const std::string& afd, const faults::Plan& plan) {
  const Result threaded = Convert(source, afd, false, plan);
  const Result alone = Convert(source, afd, true, plan);
  EXPECT_EQ(threaded.outcome.succeeded, alone.outcome.succeeded);
  EXPECT_EQ(threaded.outcome.message, alone.outcome.message);
  EXPECT_EQ(threaded.outcome.line, alone.outcome.line);
  EXPECT_EQ(threaded.outcome.file.empty(), alone.outcome.file.empty());
  EXPECT_EQ(threaded.document.size(), alone.document.size());
  EXPECT_TRUE(threaded.document == alone.document);
  EXPECT_EQ(threaded.opens, alone.opens);
}

// Points of the document around the blocks' ends and between them.
std::vector<std::size_t> Limits(std::size_t whole) {
  std::vector<std::size_t> limits = {0, 100, 700000};
  for (std::size_t block = 1; block * 1048576 <= whole + 1048576; ++block) {
    for (std::size_t at :
         {block * 1048576 - 1, block * 1048576, block * 1048576 + 1, block * 1048576 + 400000}) {
      if (at < whole) limits.push_back(at);
    }
  }
  limits.push_back(whole - 1);
  return limits;
}

TEST(WriterThread, AFullDiskStopsAsOnTheRunsOwnThread) {
  const std::string source = kObjects + kSigns;
  const Result whole = Convert(source, kAfd, false, faults::Plan());
  ASSERT_TRUE(whole.outcome.succeeded);
  ASSERT_GT(whole.document.size(), 2u * 1048576);
  for (std::size_t limit : Limits(whole.document.size())) {
    SCOPED_TRACE(limit);
    faults::Plan plan;
    plan.write_limit = limit;
    ExpectSameRun(source, kAfd, plan);
  }
}

TEST(WriterThread, AFullDiskBeforeAShortStatementIsTheStopReported) {
  // The short statement stops the run after the buffer went to the writer
  // twice: a write that failed before it is the stop, also when the writer
  // thread's failure is only found after the stop (the second block).
  const std::string source = kObjects + kShortCall + kSigns;
  const Result stopped = Convert(source, kAfd, false, faults::Plan());
  ASSERT_FALSE(stopped.outcome.succeeded);
  EXPECT_EQ(stopped.outcome.message, "List index out of bounds (12)");
  ASSERT_GT(stopped.document.size(), 2u * 1048576);
  for (std::size_t limit : Limits(stopped.document.size())) {
    SCOPED_TRACE(limit);
    faults::Plan plan;
    plan.write_limit = limit;
    ExpectSameRun(source, kAfd, plan);
    if (limit < 2u * 1048576 - 1000) {  // within the first two blocks
      EXPECT_EQ(Convert(source, kAfd, false, plan).outcome.message, "I/O error 112.");
    }
  }
}

TEST(WriterThread, AFullDiskBeforeAReadFaultIsTheStopReported) {
  const std::string source = kObjects + kSigns;
  for (std::size_t limit : {std::size_t{100}, std::size_t{700000}, std::size_t{1048576},
                            std::size_t{1500000}, static_cast<std::size_t>(-1)}) {
    for (int open : {1, 2, 3}) {
      SCOPED_TRACE(std::to_string(limit) + " open " + std::to_string(open));
      faults::Plan plan;
      plan.write_limit = limit;
      plan.read_open = open;
      plan.read_fault_at = open == 2 ? 200 : source.size() - 1000;
      ExpectSameRun(source, kAfd, plan);
    }
  }
}

TEST(WriterThread, AFailedCloseAfterTheWriterIsReportedAlike) {
  faults::Plan plan;
  plan.close_error = 112;
  ExpectSameRun(kObjects, "", plan);
}

}  // namespace
}  // namespace ferry
