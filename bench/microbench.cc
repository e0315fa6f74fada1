// Microbenchmarks of the stream's parts: the line reader, the field splitter,
// the output buffer and each converter on its own statement mix, taken from
// a generated scenery. Output goes to /dev/null, so that only the engine's
// own work is measured. Bytes per second are of the input each part reads.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/file_names.h"
#include "convert/airport.h"
#include "convert/building_areas.h"
#include "convert/exclusions.h"
#include "convert/library_objects.h"
#include "convert/run_state.h"
#include "convert/taxiway_signs.h"
#include "sca/text.h"
#include "scenery_generator.h"

namespace ferry {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kSourceBytes = 8'000'000;

// The generated scenery, split by what each converter handles.
struct Mixes {
  fs::path dir;
  std::string all;                         // the whole source
  std::string library;                     // library-object calls
  std::string signs;                       // taxiway-sign calls
  std::string areas;                       // building areas, AREA( to ENDA
  std::vector<std::string> current_lines;  // of the whole source, as the reader gives them

  Mixes() {
    dir = fs::temp_directory_path() / ("ferry-microbench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "all.sca").string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    bench::WriteSource(f, kSourceBytes, bench::kDefaultSeed);
    std::fclose(f);

    InputSca in;
    in.Open(path);
    bool in_area = false;
    while (!in.AtInputEnd()) {
      in.ReadSourceLine();
      const std::string line = in.RawLine() + "\r\n";
      const std::string& current = in.CurrentLine();
      current_lines.push_back(current);
      all += line;
      const std::string_view word = FirstWord(current);
      if (word == "AREA(") in_area = true;
      if (in_area) {
        areas += line;
      } else if (word == "MACRO(") {
        if (current.find("XMLOBJ.API") != std::string::npos) library += line;
        if (current.find("TSIGN.API") != std::string::npos) signs += line;
      }
      if (word == "ENDA") in_area = false;
    }
    Write("library.sca", library);
    Write("signs.sca", signs);
    Write("areas.sca", areas);
    Write("exclusions_Exclude.SCA", bench::ExclusionFile(bench::kDefaultSeed));
    Write("exclusions.sca", "");
    Write("airport_AFD.SCA", bench::AfdFile(bench::kDefaultSeed));
    Write("airport.sca", "");
  }
  ~Mixes() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  void Write(const char* name, const std::string& bytes) const {
    std::FILE* f = std::fopen((dir / name).string().c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  std::string Path(const char* name) const { return (dir / name).string(); }
};

const Mixes& TheMixes() {
  static const Mixes mixes;
  return mixes;
}

void BM_ReadSourceLine(benchmark::State& state) {
  const Mixes& m = TheMixes();
  const std::string path = m.Path("all.sca");
  InputSca in;
  for (auto _ : state) {
    in.Open(path);
    while (!in.AtInputEnd()) {
      in.ReadSourceLine();
      benchmark::DoNotOptimize(in.CurrentLine().data());
    }
    in.Close();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * m.all.size()));
}
BENCHMARK(BM_ReadSourceLine)->Unit(benchmark::kMillisecond);

void BM_SplitFields(benchmark::State& state) {
  const Mixes& m = TheMixes();
  Fields fields;
  std::size_t bytes = 0;
  for (const std::string& line : m.current_lines) bytes += line.size();
  for (auto _ : state) {
    for (const std::string& line : m.current_lines) {
      fields.SplitFields(line);
      benchmark::DoNotOptimize(fields.Count());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_SplitFields)->Unit(benchmark::kMillisecond);

void BM_WriteXmlLine(benchmark::State& state) {
  OutputXml out;
  platform::InputFile none;
  out.Create("/dev/null", none);
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (int i = 0; i < 100000; ++i) {
      out.WriteXmlLine("    <SceneryObject");
      out.WriteXmlLine("       lat=\"", "N47 26 13.20", "\"");
      out.WriteXmlLine("       heading=\"", "270", "\"");
    }
    bytes += 100000 * (20 + 28 + 21);
  }
  out.Close();
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_WriteXmlLine)->Unit(benchmark::kMillisecond);

// One converter's source-pass loop over its own mix.
template <typename Convert>
void SourcePassOver(benchmark::State& state, const char* file, std::size_t bytes, Convert convert) {
  const std::string path = TheMixes().Path(file);
  for (auto _ : state) {
    RunState run;
    run.input_sca.Open(path);
    run.output_xml.Create("/dev/null", run.input_sca.File());
    while (!run.input_sca.AtInputEnd()) {
      run.input_sca.ReadSourceLine();
      convert(run);
    }
    run.output_xml.Close();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_LibraryObjects(benchmark::State& state) {
  SourcePassOver(state, "library.sca", TheMixes().library.size(),
                 [](RunState& run) { ConvertLibraryObject(run, "XMLOBJ.API"); });
}
BENCHMARK(BM_LibraryObjects)->Unit(benchmark::kMillisecond);

void BM_BuildingAreas(benchmark::State& state) {
  SourcePassOver(state, "areas.sca", TheMixes().areas.size(), HandleAreaLine);
}
BENCHMARK(BM_BuildingAreas)->Unit(benchmark::kMillisecond);

// The passes that open their own files, given the source's path.
template <typename Pass>
void PassOver(benchmark::State& state, const char* source, std::size_t bytes, Pass pass) {
  const std::string path = TheMixes().Path(source);
  for (auto _ : state) {
    RunState run;
    platform::InputFile none;
    run.output_xml.Create("/dev/null", none);
    pass(run, path);
    run.output_xml.Close();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_TaxiwaySigns(benchmark::State& state) {
  PassOver(state, "signs.sca", TheMixes().signs.size(), [](RunState& run, const std::string& path) {
    ConvertTaxiwaySigns(run, {path, "TSIGN.API"});
  });
}
BENCHMARK(BM_TaxiwaySigns)->Unit(benchmark::kMillisecond);

void BM_Exclusions(benchmark::State& state) {
  PassOver(state, "exclusions.sca", bench::ExclusionFile(bench::kDefaultSeed).size(),
           [](RunState& run, const std::string& path) {
             ConvertExclusions(run, ExclusionFilePath(path));
           });
}
BENCHMARK(BM_Exclusions)->Unit(benchmark::kMicrosecond);

// The AFD file's gathering and the Airport element; its sign pass reads an
// empty source.
void BM_Airport(benchmark::State& state) {
  PassOver(state, "airport.sca", bench::AfdFile(bench::kDefaultSeed).size(),
           [](RunState& run, const std::string& path) {
             ConvertAirport(run, AfdFilePath(path), {path, "TSIGN.API"});
           });
}
BENCHMARK(BM_Airport)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ferry

BENCHMARK_MAIN();
