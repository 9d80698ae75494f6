// The cursors at 1,000, 10,000 and 65,535 blocks: rebuilding the explorer list, sorting the
// details list by three columns, and following a storm of item events inserting in the middle.
//
// Goals on the reference machine: a refresh of 65,535 blocks under 30 ms, a three-column sort
// under 60 ms, and time(65,535) / time(1,000) at most 100 for each (near-linear growth).
#include <benchmark/benchmark.h>

#include "host/Environment.h"
#include "mzblprsx/cursors/RgProjectCursorDetails.h"
#include "mzblprsx/cursors/RgProjectCursorExplorer.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "support/SyntheticModel.h"

namespace {

using mzblprsx::RgProjectCursorDetails;
using mzblprsx::RgProjectCursorExplorer;

void BM_ExplorerCursorRefresh(benchmark::State& state) {
  host::Environment env;
  {
    mzbench::SyntheticModel project(static_cast<int>(state.range(0)));
    auto cursor = platform::MakeObject<RgProjectCursorExplorer>();
    cursor->Attach(project.Model());
    for (auto _ : state) {
      cursor->Refresh();
      benchmark::DoNotOptimize(cursor->Count());
    }
    state.counters["items"] = cursor->Count().ToDouble();
    cursor->Detach();
  }
}
BENCHMARK(BM_ExplorerCursorRefresh)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(65535)
    ->Unit(benchmark::kMillisecond);

void BM_DetailsSort(benchmark::State& state) {
  host::Environment env;
  {
    mzbench::SyntheticModel project(static_cast<int>(state.range(0)));
    auto cursor = platform::MakeObject<RgProjectCursorDetails>();
    cursor->SetCursorMode(mzblprsx::RgProjectDetailsCursorModeProgram);
    cursor->Attach(project.Model());
    cursor->Refresh();
    const std::vector<std::string> types{"PROGLANGUAGE", "AUTHOR", "NAME"};
    const std::vector<int32_t> orders{0, 1, 0};
    for (auto _ : state) {
      // Start each sort from the default order, so that every run does the same work.
      state.PauseTiming();
      cursor->Sort({"SortDefault"}, {0});
      state.ResumeTiming();
      cursor->Sort(types, orders);
    }
    state.counters["items"] = cursor->Count();
    cursor->Detach();
  }
}
BENCHMARK(BM_DetailsSort)->Arg(1000)->Arg(10000)->Arg(65535)->Unit(benchmark::kMillisecond);

/// As many blocks again as the project has, pasted into its first category during one batch:
/// every ItemAdd inserts in the middle of the explorer list and reports its position. The
/// model's own work is included; the inserted blocks are removed again outside the timing.
void BM_ExplorerCursorInsertStorm(benchmark::State& state) {
  host::Environment env;
  {
    const int count = static_cast<int>(state.range(0));
    mzbench::SyntheticModel project(count);
    auto cursor = platform::MakeObject<RgProjectCursorExplorer>();
    cursor->Attach(project.Model());
    const auto model = project.Model();
    for (auto _ : state) {
      state.PauseTiming();
      model->SetAutoRefresh(false);
      const auto target = project.ProgramItem()->Items()->AddNew(
          mzbench::SyntheticModel::NewBlock(0), project.CategoryItem(0), nullptr);
      state.ResumeTiming();
      const auto items = target->Items();
      for (int i = 0; i < count; ++i) {
        items->AddNew(mzbench::SyntheticModel::NewBlock(i), nullptr, nullptr);
      }
      state.PauseTiming();
      project.ProgramItem()->Items()->Remove(target);
      model->SetAutoRefresh(true);
      state.ResumeTiming();
    }
    cursor->Detach();
  }
}
BENCHMARK(BM_ExplorerCursorInsertStorm)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(65535)
    ->Unit(benchmark::kMillisecond);

}  // namespace
