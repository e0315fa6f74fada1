// A platform file layer for tests that makes file operations fail on demand:
// a read fault part-way through a file, a disk that fills up after a number
// of bytes, a failing close, and a hook that runs before every open (to take
// a file away between passes). Linked instead of the real layer; otherwise it
// reads and writes ordinary files.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace ferry::testing::faults {

struct Plan {
  // Reads of the file opened for reading for the `read_open`-th time (from 1;
  // 0 never) give `read_fault_at` bytes and then fail with `read_error`.
  int read_open = 0;
  std::size_t read_fault_at = 0;
  int read_error = 23;  // a data error
  // The output document takes `write_limit` bytes; the write that would go
  // beyond writes what fits and fails with `write_error`, as does every later
  // write.
  std::size_t write_limit = static_cast<std::size_t>(-1);
  int write_error = 112;  // disk full
  // Closing the output document fails with this number (0: it does not).
  int close_error = 0;
  // Runs before each open for reading, with the path and the open's number.
  std::function<void(const std::string& path, int open)> before_open;
};

// The plan for the following runs; Reset() makes every operation succeed.
void SetPlan(Plan plan);
void Reset();
// How many files were opened for reading since the plan was set.
int OpensSoFar();

}  // namespace ferry::testing::faults
