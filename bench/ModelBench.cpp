// BM_ModelInsertRandom: the host's model component alone, as an online program receives its
// blocks: one notification per block in any order, each block item inserted among the
// program's children next to the block it follows or precedes. A listener reads every ItemAdd
// event's position and the child there, as a view does.
//
// Goal on the reference machine: 65,535 children under 500 ms, and time(65,535) / time(10,000)
// at most 25 (near-linear growth).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "host/model/ProjectModel.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "support/SyntheticModel.h"

namespace {

using mzblprsx::RgProjectItem;
using platform::Ref;

void BM_ModelInsertRandom(benchmark::State& state) {
  const auto count = static_cast<size_t>(state.range(0));
  std::vector<Ref<platform::Object>> objects;
  objects.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    objects.push_back(mzbench::SyntheticModel::NewBlock(static_cast<int>(i)));
  }
  const auto model = platform::MakeObject<host::ProjectModel>();
  model->Initialize();
  Ref<mzblprsx::RgProjectItems> children;
  int64_t seen = 0;
  const auto connection = platform::ScopedConnection(
      model->ItemAdd().Connect([&](const Ref<RgProjectItem>& item, int32_t position) {
        if (children && SameObject(children->Item(position), item)) ++seen;
      }));
  std::vector<Ref<RgProjectItem>> added;
  added.reserve(count);
  for (auto _ : state) {
    state.PauseTiming();
    const auto program = model->Items()->AddNew(mzbench::SyntheticModel::NewBlock(0), {}, {});
    children = program->Items();
    added.clear();
    std::mt19937 random(2026);  // the same order of arrivals in every run
    state.ResumeTiming();
    for (const auto& object : objects) {
      Ref<RgProjectItem> before;
      Ref<RgProjectItem> after;
      if (!added.empty()) {
        const auto& neighbour = added[random() % added.size()];
        (random() & 1 ? before : after) = neighbour;
      }
      added.push_back(children->AddNew(object, before, after));
    }
    state.PauseTiming();
    children.Reset();
    added.clear();
    model->Items()->Clear();
    state.ResumeTiming();
  }
  if (seen != static_cast<int64_t>(count * state.iterations())) {
    state.SkipWithError("an ItemAdd event reported a position that holds another item");
  }
  model->Terminate();
}
BENCHMARK(BM_ModelInsertRandom)->Arg(10000)->Arg(65535)->Unit(benchmark::kMillisecond);

}  // namespace
