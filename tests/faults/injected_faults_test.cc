// Faults that a real file system does not produce on demand, injected by the
// test file layer: a read that fails part-way through each input, a disk that
// fills up at any point of the document, a failing close, and inputs that
// vanish or change between the passes. In each case the run stops with the
// fault's message, the inputs are left as they were, and the document holds
// exactly what was written before the stop.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/conversion_run.h"
#include "base/failure.h"
#include "faults/fault_file.h"
#include "sca/input_sca.h"
#include "support/scenery.h"
#include "support/temp_dir.h"

namespace ferry {
namespace {

namespace faults = testing::faults;
using testing::ReadFile;
using testing::Repeat;
using testing::SplitCrLf;
using testing::TempDir;
using testing::WriteFile;

const std::string kObjects =
    Repeat("MACRO( xmlobj.api N47:26:13.20 E011:30:00.0 100 1.0 90 hangar 0 0 0 0 0 4\r\n", 30);
const std::string kSigns =
    Repeat("MACRO( tsign.api N47:26:13 E011:30:00 0 3 270 @Taxi@Way r\n", 30);
const std::string kExclusions = Repeat("EXCLUDE( 7 N47:26 N47:27 E011:31 E011:29 )\n", 30);
const std::string kAfd = "APLOCATION( N47:26 E011:30 581 )\nICAO_ID( LOWI )\n" +
                         Repeat("FREQUENCY( 118.10 CT )\nTOWER( N47:26 E011:30 600 )\n", 15);

// A scenery in a directory of its own, converted with or without a fault.
struct SceneryRun {
  explicit SceneryRun(std::string source, std::string exclusions = "", std::string afd = "")
      : inputs{std::move(source), std::move(exclusions), std::move(afd)} {
    settings.source_path = dir.File("KJFK.sca");
    settings.output_directory = dir.path();
    settings.exclusions = !inputs[1].empty();
    settings.airport = !inputs[2].empty();
    for (int i = 0; i < 3; ++i)
      if (!inputs[i].empty()) WriteFile(Path(i), inputs[i]);
  }
  std::string Path(int i) const {
    const char* names[] = {"KJFK.sca", "KJFK_Exclude.SCA", "KJFK_AFD.SCA"};
    return dir.File(names[i]);
  }
  RunOutcome Perform(const faults::Plan& plan = faults::Plan()) {
    faults::SetPlan(plan);
    RunOutcome outcome = PerformConversionRun(settings);
    opens = faults::OpensSoFar();
    faults::Reset();
    return outcome;
  }
  std::string Document() const { return ReadFile(dir.File("KJFK.xml")); }
  void ExpectInputsUnchanged() const {
    for (int i = 0; i < 3; ++i) {
      if (!inputs[i].empty()) {
        EXPECT_EQ(ReadFile(Path(i)), inputs[i]) << Path(i);
      }
    }
  }

  TempDir dir;
  std::string inputs[3];
  RunSettings settings;
  int opens = 0;
};

// The document less its last `count` lines.
std::string WithoutLastLines(const std::string& document, std::size_t count) {
  std::size_t end = document.size();
  for (std::size_t i = 0; i < count; ++i) end = document.rfind("\r\n", end - 3) + 2;
  return document.substr(0, end);
}

// What the reader had given completely before a fault at `offset`.
std::string WholeLinesBefore(const std::string& data, std::size_t offset) {
  return data.substr(0, data.rfind('\n', offset - 1) + 1);
}

TEST(InjectedFaults, AReadFaultInAnyPassStopsAfterTheLinesBeforeIt) {
  struct Case {
    const char* pass;
    int input;  // which file fails: 0 source, 1 exclusions, 2 AFD
    int open;   // and at which opening of the run
    std::size_t offset;
    std::string source;
    // Lines of the document converted from the lines before the fault that
    // the stopped run cannot have written.
    std::size_t unwritten;
  } cases[] = {
      {"source", 0, 1, 1000, kObjects + kSigns, 1},
      {"source, at a line end", 0, 1, kObjects.find('\n', 500) + 1, kObjects + kSigns, 1},
      {"exclusions", 1, 2, 700, kObjects + kSigns, 1},
      {"AFD", 2, 3, 300, kObjects + kSigns, 1},
      {"taxiway signs", 0, 4, 1000, kSigns, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pass);
    SceneryRun run(c.source, kExclusions, kAfd);
    faults::Plan plan;
    plan.read_open = c.open;
    plan.read_fault_at = c.offset;
    const RunOutcome outcome = run.Perform(plan);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.message, "I/O error 23.");
    EXPECT_EQ(outcome.file, run.Path(c.input));
    EXPECT_EQ(outcome.line, 0);
    run.ExpectInputsUnchanged();

    // The same run over the whole lines before the fault, and no later pass.
    std::string inputs[3] = {c.source, kExclusions, kAfd};
    inputs[c.input] = WholeLinesBefore(inputs[c.input], c.offset);
    if (c.open < 2) inputs[1].clear();
    if (c.open < 3) inputs[2].clear();
    if (c.open == 3) inputs[2].clear();  // the AFD is read whole before the element starts
    SceneryRun reference(inputs[0], inputs[1], inputs[2]);
    ASSERT_TRUE(reference.Perform().succeeded);
    EXPECT_EQ(run.Document(), WithoutLastLines(reference.Document(), c.unwritten));
  }
}

// A file longer than a block is read ahead by a thread; its failed read is
// met where the reading gets to: after every line that ends before the
// fault, whatever the block size.
TEST(InjectedFaults, AReadFaultAheadIsMetWhereTheReadingGetsTo) {
  TempDir dir;
  const std::string data = Repeat("MACRO( a.api 1 2\r\n", 10) + Repeat("ENDA\n", 10);
  WriteFile(dir.File("in.sca"), data);
  for (std::size_t fault_at : {std::size_t{0}, std::size_t{18}, std::size_t{19}, std::size_t{100},
                               std::size_t{185}, std::size_t{200}, data.size() - 1}) {
    // The lines whose LF lies before the fault.
    std::size_t whole = 0;
    for (std::size_t at = 0; at < fault_at; ++at) whole += data[at] == '\n';
    for (std::size_t block_size : {1, 4, 16, 64}) {
      SCOPED_TRACE(std::to_string(fault_at) + " in blocks of " + std::to_string(block_size));
      faults::Plan plan;
      plan.read_open = faults::OpensSoFar() + 1;
      plan.read_fault_at = fault_at;
      faults::SetPlan(plan);
      InputSca in(block_size);
      in.Open(dir.File("in.sca"));
      std::size_t lines = 0;
      try {
        while (!in.AtInputEnd()) {
          in.ReadSourceLine();
          ++lines;
        }
        ADD_FAILURE() << "read past the fault";
      } catch (const Failure& failure) {
        EXPECT_EQ(UserMessage(failure.message()), "I/O error 23.");
        EXPECT_EQ(failure.file(), dir.File("in.sca"));
      }
      // The line in progress at the fault is not given.
      EXPECT_EQ(lines, whole);
      faults::Reset();
    }
  }
}

TEST(InjectedFaults, AFullDiskLeavesTheBytesThatFitAndStops) {
  // Over 2 MB of document, so that the buffer is written out during the run,
  // and one line longer than the buffer, which goes out by itself.
  const std::string many = Repeat(kObjects, 250);
  const std::string huge_line =
      "MACRO( xmlobj.api N1 E2 0 1 90 " + std::string(1500000, 'X') + " 0 0 0 0 0 4\n";
  struct Case {
    const char* where;
    std::string source;
    std::size_t limit;
    bool stops_in_source_pass;
  } cases[] = {
      {"nothing fits", kObjects, 0, false},
      {"inside the head", kObjects, 100, false},
      {"while closing", kObjects, 5000, false},
      {"in the first block", many, 700000, true},
      {"in a later block", many, 1500000, true},
      {"in a line of its own", kObjects + huge_line + kObjects, 1200000, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    SceneryRun run(c.source, "", kAfd);
    ASSERT_TRUE(run.Perform().succeeded);
    const std::string whole = run.Document();
    ASSERT_GT(whole.size(), c.limit);

    faults::Plan plan;
    plan.write_limit = c.limit;
    const RunOutcome outcome = run.Perform(plan);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.message, "I/O error 112.");
    EXPECT_EQ(outcome.file, run.dir.File("KJFK.xml"));
    EXPECT_EQ(run.Document(), whole.substr(0, c.limit));
    run.ExpectInputsUnchanged();
    // A stop in the source pass reads no further file.
    if (c.stops_in_source_pass) {
      EXPECT_EQ(run.opens, 1);
    }
  }
}

TEST(InjectedFaults, AFailedCloseIsReportedAndTheNextRunStartsAfresh) {
  SceneryRun run(kObjects);
  faults::Plan plan;
  plan.close_error = 112;
  EXPECT_EQ(run.Perform(plan).message, "I/O error 112.");
  ASSERT_TRUE(run.Perform().succeeded);
  const std::string whole = run.Document();

  // After a stop for a read fault, too, the next run's document holds that
  // run's lines only.
  plan = faults::Plan();
  plan.read_open = 1;
  plan.read_fault_at = 900;
  EXPECT_EQ(run.Perform(plan).message, "I/O error 23.");
  EXPECT_LT(run.Document().size(), whole.size());
  ASSERT_TRUE(run.Perform().succeeded);
  EXPECT_EQ(run.Document(), whole);
  run.ExpectInputsUnchanged();
}

TEST(InjectedFaults, AnInputThatVanishesBetweenPassesStopsTheRun) {
  namespace fs = std::filesystem;
  struct Case {
    const char* what;
    int open;
    bool into_directory;
    const char* message;
    const char* first_unwritten;  // the first line of the whole document missing
  } cases[] = {
      // Openings: 1 the source, 2 the AFD, 3 the source again.
      {"source removed before the sign pass", 3, false, "File not found.", "    <TaxiwaySign"},
      {"source made a directory before the sign pass", 3, true, "File access denied.",
       "    <TaxiwaySign"},
      {"AFD removed after it was found", 2, false, "File not found.", "    <Airport"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SceneryRun run(kObjects + kSigns, "", kAfd);
    ASSERT_TRUE(run.Perform().succeeded);
    const std::vector<std::string> whole = SplitCrLf(run.Document());

    faults::Plan plan;
    std::string vanished;
    plan.before_open = [&](const std::string& path, int open) {
      if (open != c.open) return;
      vanished = path;
      fs::remove(path);
      if (c.into_directory) fs::create_directory(path);
    };
    const RunOutcome outcome = run.Perform(plan);
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_EQ(outcome.file, vanished);

    std::string expected;
    for (const std::string& line : whole) {
      if (line == c.first_unwritten) break;
      expected += line + "\r\n";
    }
    EXPECT_EQ(run.Document(), expected);
  }
}

}  // namespace
}  // namespace ferry
