#include "cli/batch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <string_view>
#include <thread>

#include "app/file_names.h"
#include "base/failure.h"
#include "cli/progress.h"
#include "platform/dirs.h"
#include "platform/paths.h"

namespace ferry {

namespace {

// `name` in `directory`, with the platform's separator unless the directory
// ends in one already.
std::string Join(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  if (platform::IsDirectorySeparator(directory.back())) return directory + name;
  return platform::JoinPath(directory, name);
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  text.remove_prefix(text.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (c != suffix[i]) return false;
  }
  return true;
}

class Planner {
 public:
  Planner(const RunSettings& shared, bool recursive) : shared_(shared), recursive_(recursive) {}

  void AddFile(const std::string& source, const std::string& output_directory) {
    BatchEntry entry;
    entry.settings = shared_;
    entry.settings.source_path = source;
    entry.settings.output_directory = output_directory;
    entry.output_path = OutputDocumentPath(output_directory, source);
    plan_.entries.push_back(std::move(entry));
    ++plan_.sources;
    if (needed_.insert(output_directory).second)
      plan_.output_directories.push_back(output_directory);
  }

  void AddSourceFolder(const std::string& folder, const std::string& output_directory) {
    const std::size_t before = plan_.sources;
    AddFolder(folder, output_directory);
    if (plan_.sources == before && !has_note_for_.count(folder)) {
      AddNote(folder, 0,
              recursive_ ? "no source in this folder or below"
                         : "no source in this folder (-r takes its subfolders too)");
    }
  }

  BatchPlan Take() { return std::move(plan_); }

 private:
  void AddFolder(const std::string& folder, const std::string& output_directory) {
    std::vector<platform::DirectoryEntry> entries;
    if (const int error = platform::ListDirectory(folder, &entries); error != 0) {
      AddNote(folder, error, UserMessage(IoErrorMessage(error)));
      return;
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    for (const platform::DirectoryEntry& entry : entries) {
      if (entry.kind == platform::EntryKind::kFile && IsSourceName(entry.name)) {
        AddFile(Join(folder, entry.name), output_directory);
      } else if (entry.kind == platform::EntryKind::kDirectory && recursive_) {
        AddFolder(Join(folder, entry.name), Join(output_directory, entry.name));
      }
    }
  }

  void AddNote(const std::string& folder, int error, std::string text) {
    BatchEntry entry;
    entry.is_source = false;
    entry.folder = folder;
    entry.folder_error = error;
    entry.note = "ferry-convert: " + folder + ": " + text + "\n";
    plan_.entries.push_back(std::move(entry));
    has_note_for_.insert(folder);
  }

  const RunSettings& shared_;
  const bool recursive_;
  BatchPlan plan_;
  std::set<std::string> needed_;
  std::set<std::string> has_note_for_;
};

}  // namespace

bool IsSourceName(const std::string& name) {
  return EndsWithIgnoringCase(name, ".sca") && !EndsWithIgnoringCase(name, "_afd.sca") &&
         !EndsWithIgnoringCase(name, "_exclude.sca");
}

BatchPlan PlanBatch(const std::vector<std::string>& sources, const RunSettings& shared,
                    const std::string& output_directory, bool recursive) {
  Planner planner(shared, recursive);
  for (const std::string& source : sources) {
    if (platform::IsDirectory(source))
      planner.AddSourceFolder(source, output_directory);
    else
      planner.AddFile(source, output_directory);
  }
  return planner.Take();
}

std::vector<std::string> FindClashes(const BatchPlan& plan, bool ignore_case) {
  std::vector<std::string> clashes;
  std::map<std::string, const BatchEntry*> first;
  for (const BatchEntry& entry : plan.entries) {
    if (!entry.is_source) continue;
    const std::string key =
        ignore_case ? platform::FoldLetterCase(entry.output_path) : entry.output_path;
    const auto [at, inserted] = first.emplace(key, &entry);
    if (inserted) continue;
    const BatchEntry& other = *at->second;
    std::string line = "ferry-convert: " + other.settings.source_path + " and " +
                       entry.settings.source_path + " would both be written to " +
                       other.output_path;
    if (other.output_path != entry.output_path)
      line += " (as " + entry.output_path + ", where letter case is ignored)";
    clashes.push_back(line + "\n");
  }
  return clashes;
}

namespace {

// Prints the block of one entry (for a note, the note) and counts it.
void PrintEntry(const BatchEntry& entry, const SourceBlock& block, std::FILE* out, std::FILE* err,
                BatchTotals& totals) {
  if (!entry.is_source) {
    std::fputs(entry.note.c_str(), err);
    if (entry.folder_error != 0) ++totals.folders_not_read;
    return;
  }
  std::fputs(block.out.c_str(), out);
  std::fputs(block.err.c_str(), err);
  ++(block.stopped ? totals.stopped : totals.converted);
  totals.warnings += block.warnings;
}

bool PrintsSomething(const BatchEntry& entry, const SourceBlock& block) {
  return !entry.is_source || !block.out.empty() || !block.err.empty();
}

}  // namespace

BatchTotals RunBatch(const BatchPlan& plan, const BatchRunOptions& options,
                     const std::function<SourceBlock(const BatchEntry&)>& convert, std::FILE* out,
                     std::FILE* err) {
  BatchTotals totals;
  const std::size_t workers = std::min<std::size_t>(std::max(options.jobs, 1u), plan.sources);
  // One source after the other, without a progress line to keep ticking:
  // on this thread, as a single source always was.
  if (workers <= 1 && !options.progress) {
    for (const BatchEntry& entry : plan.entries) {
      const SourceBlock block = entry.is_source ? convert(entry) : SourceBlock();
      PrintEntry(entry, block, out, err, totals);
      if (PrintsSomething(entry, block)) std::fflush(out);
    }
    return totals;
  }

  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  const std::size_t count = plan.entries.size();

  // Shared with the workers, under `mutex`.
  std::mutex mutex;
  std::condition_variable finished;
  std::vector<SourceBlock> blocks(count);
  std::vector<bool> done(count, false);
  std::size_t sources_done = 0;
  std::size_t stopped = 0;

  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (;;) {
      const std::size_t i = next.fetch_add(1);
      if (i >= count) return;
      if (!plan.entries[i].is_source) continue;
      SourceBlock block = convert(plan.entries[i]);
      {
        std::lock_guard<std::mutex> lock(mutex);
        if (block.stopped) ++stopped;
        ++sources_done;
        blocks[i] = std::move(block);
        done[i] = true;
      }
      finished.notify_one();
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(workers);
  for (std::size_t w = 0; w < workers; ++w) threads.emplace_back(work);

  // This thread prints: each entry's block once it and all before it are done.
  ProgressLine progress(err, options.progress);
  const auto tick = std::chrono::milliseconds(200);
  // Shown from the start, so that even a batch done at once shows it.
  progress.Show(ProgressText(0, plan.sources, 0, 0));
  Clock::time_point shown_at = start;
  std::size_t printed = 0;
  while (printed < count) {
    std::vector<std::size_t> ready;
    std::size_t done_now = 0;
    std::size_t stopped_now = 0;
    {
      std::unique_lock<std::mutex> lock(mutex);
      auto printable = [&] { return !plan.entries[printed].is_source || done[printed]; };
      if (options.progress)
        finished.wait_for(lock, tick, printable);
      else
        finished.wait(lock, printable);
      for (; printed < count && (!plan.entries[printed].is_source || done[printed]); ++printed)
        ready.push_back(printed);
      done_now = sources_done;
      stopped_now = stopped;
    }
    bool printing = false;
    for (const std::size_t i : ready)
      printing = printing || PrintsSomething(plan.entries[i], blocks[i]);
    if (printing) progress.Clear();
    for (const std::size_t i : ready) {
      PrintEntry(plan.entries[i], blocks[i], out, err, totals);
      blocks[i] = SourceBlock();
    }
    if (printing) std::fflush(out);
    const Clock::time_point now = Clock::now();
    if (options.progress && printed < count && (printing || now - shown_at >= tick / 2)) {
      const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(now - start);
      progress.Show(ProgressText(done_now, plan.sources, stopped_now, elapsed.count()));
      shown_at = now;
    }
  }
  progress.Clear();
  for (std::thread& thread : threads) thread.join();
  return totals;
}

}  // namespace ferry
