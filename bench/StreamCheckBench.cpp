// The offline stream handler's check of a received transfer against a large program: every
// colliding block asks the dialog, which needs a proposed free number and a free symbolic name.
// The check keeps indexes for its duration, so the cost per block stays flat as the transfer and
// the program grow.
//
//   BM_CheckObjects/N: a program of FB1 .. FB(N/2); a transfer of N blocks alternating a free one
//   (FB(N/2+k), which later proposals must skip) and a colliding one (FB k). The first conflict is
//   answered "ignore all"; the later ones take that answer without a dialog.
//   BM_CheckObjectsAskingEach/N: the same transfer, but the dialog closes without an answer each
//   time, so every collision computes its proposals: the worst case.
//   BM_ProposeFreeNumber: a program whose FB1 .. FB65000 are taken; one colliding block.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchSnapIn.h"
#include "host/framework/DataObject.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/streaming/RgObjectStreamItems.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerOffline.h"
#include "platform/ui/ScriptedModalLoop.h"
#include "platform/ui/UiState.h"

namespace {

/// A snap-in with the offline tree of a program of FB1 .. FB(taken) built.
class CheckBench {
 public:
  explicit CheckBench(int taken) {
    std::string text =
        "<project name=\"Bench\" guid=\"{CCCCCCCC-0000-0000-0000-000000000003}\">"
        "<symbols name=\"Symbols\"/><program name=\"Program\" default-category=\"1\">"
        "<category id=\"1\" name=\"Blocks\"/>";
    for (int n = 1; n <= taken; ++n) {
      text += "<block type=\"FB\" number=\"" + std::to_string(n) + "\"/>";
    }
    text += "</program></project>";
    app_.Env().OpenProjectText(text, "bench.prj.xml");
    service_ = app_.SnapIn()->Services()->RgObjectStreamService(mzblprsx::RgProjectLocationOffline);
    handler_ = service_->StreamHandler().Cast<mzblprsx::RgPrjStreamHandlerOffline>();
  }
  ~CheckBench() {
    checked_.Reset();
    handler_.Reset();
    service_.Reset();
  }

  /// The received blocks as references (a check reads no content).
  static platform::Ref<host::DataObject> Transfer(const std::vector<int>& numbers) {
    auto data = platform::MakeObject<host::DataObject>();
    for (int n : numbers) {
      data->AddReference(std::string(mzblprsx::clsid::kBlockOffline),
                         platform::Variant("FB" + std::to_string(n)), "Drive");
    }
    return data;
  }

  /// With `ignoreAll`, the first dialog is answered with All on the preset ignore choice.
  bool Check(const platform::Ref<host::DataObject>& data, benchmark::State& state,
             bool ignoreAll = false) {
    state.PauseTiming();
    platform::Ref<platform::ui::ScriptedModalLoop> loop;
    if (ignoreAll) {
      loop = platform::MakeObject<platform::ui::ScriptedModalLoop>();
      loop->Click("cmdAll");
    }
    platform::ui::UiState::Current().SetModalLoop(loop);
    checked_.Reset();  // the previous run's items go while the clock stands
    auto items = platform::MakeObject<mzblprsx::RgObjectStreamItems>();
    items->AttachDataObject(data);
    platform::Ref<mzblprsx::RgProjectItem> position;
    state.ResumeTiming();
    const bool ok = handler_->CheckObjects(items, 1, position, 2);
    checked_ = std::move(items);
    return ok;
  }

 private:
  mzbench::BenchSnapIn app_;
  platform::Ref<mzblprsx::RgObjectStreamService> service_;
  platform::Ref<mzblprsx::RgPrjStreamHandlerOffline> handler_;
  platform::Ref<mzblprsx::RgObjectStreamItems> checked_;  // the last check's items
};

/// N received blocks, half of them colliding with the program's FB1 .. FB(N/2).
void RunCheckObjects(benchmark::State& state, bool ignoreAll) {
  const int received = static_cast<int>(state.range(0));
  CheckBench bench(received / 2);
  std::vector<int> numbers;
  for (int k = 1; k <= received / 2; ++k) {
    numbers.push_back(received / 2 + k);
    numbers.push_back(k);
  }
  const auto data = CheckBench::Transfer(numbers);
  for (auto _ : state) {
    if (!bench.Check(data, state, ignoreAll)) state.SkipWithError("the check stopped");
  }
  platform::ui::UiState::Current().SetModalLoop(nullptr);
  state.SetItemsProcessed(state.iterations() * received);
}

void BM_CheckObjects(benchmark::State& state) {
  RunCheckObjects(state, true);
}
BENCHMARK(BM_CheckObjects)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_CheckObjectsAskingEach(benchmark::State& state) {
  RunCheckObjects(state, false);
}
BENCHMARK(BM_CheckObjectsAskingEach)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ProposeFreeNumber(benchmark::State& state) {
  CheckBench bench(65000);
  const auto data = CheckBench::Transfer({1});
  for (auto _ : state) {
    if (!bench.Check(data, state)) state.SkipWithError("the check stopped");
  }
}
BENCHMARK(BM_ProposeFreeNumber)->Unit(benchmark::kMicrosecond);

}  // namespace
