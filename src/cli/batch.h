// A batch: the sources of one ferry-convert command, folders taken apart,
// and their runs, several at once, each printed as one block in the order of
// the sources.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/conversion_run.h"

namespace ferry {

// One entry of a batch, in the order in which its block is printed: a
// source to convert, or a note about a SOURCE folder (one that could not be
// read, or that holds no source).
struct BatchEntry {
  bool is_source = true;
  // A source: its settings (source_path and output_directory set) and the
  // path its document will have.
  RunSettings settings;
  std::string output_path;
  // A note: the folder, the error number of its listing (0 when it was read
  // but held no source) and the note's text.
  std::string folder;
  int folder_error = 0;
  std::string note;
};

struct BatchPlan {
  std::vector<BatchEntry> entries;
  std::size_t sources = 0;
  // The output folders the sources need, each once, in the order of need.
  std::vector<std::string> output_directories;
};

// Takes the SOURCE arguments apart: a file is one source whose document goes
// to `output_directory`; a folder gives its *.sca files other than the
// companions (any letter case), in name order, and with `recursive` those of
// its subfolders (links to folders are not followed) at their place in that
// order, with their documents in the same subfolders of `output_directory`.
BatchPlan PlanBatch(const std::vector<std::string>& sources, const RunSettings& shared,
                    const std::string& output_directory, bool recursive);

// Whether a file name is taken from a folder as a source.
bool IsSourceName(const std::string& name);

// Pairs of sources whose documents would be one file: the same path, or,
// when `ignore_case`, paths that differ only in letter case. One line for
// each, naming both sources and the document.
std::vector<std::string> FindClashes(const BatchPlan& plan, bool ignore_case);

// What a source's run left to print: its block, and how it ended.
struct SourceBlock {
  bool stopped = false;
  std::size_t warnings = 0;  // for a report of the run, when there is one
  std::string out;           // for standard output
  std::string err;           // for standard error
};

struct BatchTotals {
  std::size_t converted = 0;
  std::size_t stopped = 0;
  std::size_t warnings = 0;
  std::size_t folders_not_read = 0;
};

struct BatchRunOptions {
  unsigned jobs = 1;
  // The progress line on `err`, which must then be a terminal.
  bool progress = false;
};

// Runs `convert` on every source of `plan`, up to `jobs` at once, and prints
// each entry's block to `out` and `err` in the order of the plan as soon as it
// and every entry before it are done.
BatchTotals RunBatch(const BatchPlan& plan, const BatchRunOptions& options,
                     const std::function<SourceBlock(const BatchEntry&)>& convert, std::FILE* out,
                     std::FILE* err);

}  // namespace ferry
