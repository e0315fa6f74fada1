// The progress line, seen on a real terminal: the built ferry-convert runs on
// a pseudo-terminal. POSIX only; under Wine a program's standard error is a
// console only when Wine gives it one, which a test cannot arrange.
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace ferry {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct TerminalRun {
  int status = -1;
  std::string screen;  // what the terminal received, as bytes
};

// Runs ferry-convert with `args` on a new pseudo-terminal; standard error
// goes to `err_file` instead when it is given.
TerminalRun RunOnTerminal(const std::vector<std::string>& args, const std::string& err_file = "") {
  std::vector<std::string> all = {FERRY_CONVERT_PATH};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);

  TerminalRun run;
  int terminal = -1;
  const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (pid < 0) return run;
  if (pid == 0) {
    if (!err_file.empty()) {
      const int fd = open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 || dup2(fd, 2) < 0) _exit(126);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(terminal, buffer, sizeof buffer);
    if (n > 0) {
      run.screen.append(buffer, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;  // EIO once the program has ended and closed the terminal
    }
  }
  close(terminal);
  int status = 0;
  if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  return run;
}

class ProgressOnATerminal : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 40; ++i)
      WriteFile(in_.File("S" + std::to_string(100 + i) + ".sca"),
                "MACRO( xmlobj.api 1 2 3 4 5 6 7 8 9 10 0 3\n");
    WriteFile(in_.File("A.sca"), "MACRO( xmlobj.api 1 2\n");
  }
  TempDir in_;
  TempDir out_;
};

TEST_F(ProgressOnATerminal, OneLineUpdatesInPlaceAndIsClearedAtTheEnd) {
  const TerminalRun run = RunOnTerminal({"-j2", "-o", out_.path(), in_.path()});
  EXPECT_EQ(run.status, 1);
  const std::string first = "\rferry-convert: 0 of 41 done, 0 stopped, 0:00";
  EXPECT_EQ(run.screen.rfind(first, 0), 0u) << run.screen;
  // Before anything else is printed, the line is overwritten with blanks
  // and the cursor goes back to its start: "\r", blanks, "\r". The stop's
  // message then stands on a line of its own (the terminal turns "\n" into
  // "\r\n").
  auto cleared_before = [&](std::size_t at) {
    if (at < 3 || run.screen[at - 1] != '\r' || run.screen[at - 2] != ' ') return false;
    const std::size_t start = run.screen.rfind('\r', at - 2);
    return start != std::string::npos && run.screen.find_first_not_of(' ', start + 1) == at - 1;
  };
  const std::string stop =
      "ferry-convert: " + in_.File("A.sca") + ":1: List index out of bounds (12)\r\n";
  const std::size_t stop_at = run.screen.find(stop);
  ASSERT_NE(stop_at, std::string::npos) << run.screen;
  EXPECT_TRUE(cleared_before(stop_at)) << run.screen;
  // At the end, the summary; no progress after the last clearing.
  const std::string summary = "ferry-convert: 40 converted, 1 stopped\r\n";
  ASSERT_EQ(run.screen.size() - summary.size(), run.screen.rfind(summary)) << run.screen;
  const std::size_t last_progress = run.screen.rfind(" done, ");
  const std::size_t summary_at = run.screen.size() - summary.size();
  EXPECT_TRUE(cleared_before(last_progress < stop_at ? stop_at : summary_at)) << run.screen;
}

TEST_F(ProgressOnATerminal, NoneWhenQuietOrForOneSourceOrWithStandardErrorElsewhere) {
  TerminalRun run = RunOnTerminal({"-q", "-o", out_.path(), in_.path()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.screen,
            "ferry-convert: " + in_.File("A.sca") + ":1: List index out of bounds (12)\r\n");

  run = RunOnTerminal({"-o", out_.path(), in_.File("S100.sca")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.screen, "");

  const TempDir scratch;
  run = RunOnTerminal({"-o", out_.path(), in_.path()}, scratch.File("err.txt"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.screen, "");
  EXPECT_EQ(ReadFile(scratch.File("err.txt")),
            "ferry-convert: " + in_.File("A.sca") +
                ":1: List index out of bounds (12)\nferry-convert: 40 converted, 1 stopped\n");
}

}  // namespace
}  // namespace ferry
