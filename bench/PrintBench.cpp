// The details printout at scale, through the reference host's print service as a host prints:
// the library's print object fills the print table from the details print cursor over the
// project's tree, then every page is printed and rendered.
//
//   BM_PrintDetails/n/format: a program of n - 1 blocks in one category (n rows), format 0 text,
//   1 CSV, 2 HTML, 3 PDF, 40 body rows a page.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchSnapIn.h"
#include "host/print/PrintService.h"
#include "host/project/OfflineProject.h"
#include "host/project/Program.h"
#include "host/project/ProjectFileObject.h"

namespace {

constexpr const char* kGuid = "{CCCCCCCC-0000-0000-0000-000000000071}";

/// FB, FC and DB in turn, every one with the columns a printout shows.
std::string ProjectText(int blocks) {
  static constexpr const char* kTypes[] = {"FB", "FC", "DB"};
  std::string text = std::string("<project name=\"Bench\" guid=\"") + kGuid +
                     "\"><program name=\"Program\" default-category=\"1\"><category id=\"1\" "
                     "name=\"Blocks\"/>";
  for (int i = 0; i < blocks; ++i) {
    text += std::string("<block type=\"") + kTypes[i % 3] + "\" number=\"" +
            std::to_string(i / 3 + 1) +
            "\" size=\"64\" modified=\"2026-11-02 08:15:00\" header=\"Conveyor section\" "
            "author=\"Line team\" language=\"STL\" body=\"code\"/>";
  }
  return text + "</program></project>";
}

void BM_PrintDetails(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const auto format = static_cast<host::PrintFormat>(state.range(1));
  mzbench::BenchSnapIn app;
  app.Env().OpenProjectText(ProjectText(rows - 1), "bench.prj.xml");
  app.Env().Project()->FileObject()->SetSaveToDisk(false);
  host::PrintJob job;
  job.object = app.Env().Project()->Program();
  job.parent = app.Env().Project();
  job.format = format;
  job.pageRows = 40;
  job.title = "Program of project Bench";
  size_t bytes = 0;
  for (auto _ : state) {
    const host::PrintResult printed = app.Env().Print().Print(job);
    if (printed.document.empty() || !printed.messages.empty()) {
      state.SkipWithError("nothing was printed");
      break;
    }
    bytes = printed.document.size();
    benchmark::DoNotOptimize(printed.document.data());
  }
  state.SetItemsProcessed(state.iterations() * rows);
  state.counters["bytes"] = static_cast<double>(bytes);
}

// PDF stops at 10,000 rows: a printout of 65,535 rows is some 1,700 pages.
BENCHMARK(BM_PrintDetails)
    ->ArgsProduct({{1000, 10000, 65535}, {0, 1, 2}})
    ->Args({1000, 3})
    ->Args({10000, 3})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
