// The online side at scale, through the reference host and the snap-in as a host starts it.
//
//   BM_CompareStatus/n: the comparison of a project and a PLC of n blocks each (1 % of the
//   blocks differ, 1 % exist on one side only): the host's program comparison, the compare
//   state of every block of both trees and the two ghosts. Every state is cleared while the
//   clock stands, so that each pass writes them all.
//   BM_OnlineBlocksArrive: 65,535 blocks reaching an empty PLC program one notification each,
//   in random order, every one placed in block order in the PLC's tree.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchSnapIn.h"
#include "host/project/Block.h"
#include "host/project/BlockInfo.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/Program.h"
#include "host/project/ProjectFileObject.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgPrjStatusController.h"

namespace {

constexpr const char* kGuid = "{CCCCCCCC-0000-0000-0000-000000000031}";

/// FB, FC and DB in turn; `offline` chooses the side, which decides which 1 % of the blocks
/// exist only there and which 1 % get another body.
std::string Text(int blocks, bool offline) {
  static constexpr const char* kTypes[] = {"FB", "FC", "DB"};
  std::string body;
  for (int i = 0; i < blocks; ++i) {
    if (i % 100 == 1 && !offline) continue;  // only in the project
    if (i % 100 == 2 && offline) continue;   // only in the PLC
    const bool differs = i % 100 == 3 && !offline;
    body += std::string("<block type=\"") + kTypes[i % 3] + "\" number=\"" +
            std::to_string(i / 3 + 1) + "\" size=\"64\" modified=\"2026-11-02 08:15:00\" body=\"" +
            (differs ? "changed" : "same") + "\"/>";
  }
  const std::string station = "<hardware name=\"Station\" size=\"2048\"/>";
  if (offline) {
    return std::string("<project name=\"Bench\" guid=\"") + kGuid + "\">" + station +
           "<program name=\"Program\" default-category=\"1\"><category id=\"1\" name=\"Blocks\"/>" +
           body + "</program></project>";
  }
  return std::string("<plc name=\"CPU\" guid=\"") + kGuid + "\">" + station +
         "<program name=\"Program\">" + body + "</program></plc>";
}

void ClearStates(const platform::Ref<mzblprsx::RgProjectItems>& items) {
  for (int32_t i = 1; i <= items->Count(); ++i) {
    const auto item = items->Item(i);
    item->Data()->SetValue("COMPARESTATE", platform::Variant(int32_t{0}), 1);
    ClearStates(item->Items());
  }
}

void BM_CompareStatus(benchmark::State& state) {
  const int blocks = static_cast<int>(state.range(0));
  mzbench::BenchSnapIn app;
  app.Env().OpenProjectText(Text(blocks, true), "bench.prj.xml");
  app.Env().Project()->FileObject()->SetSaveToDisk(false);
  app.Env().ConnectPlcText(Text(blocks, false), "bench.plc.xml");
  const auto status = app.SnapIn()->StatusController();
  const auto offline = app.SnapIn()->OfflineModel();
  const auto online = app.SnapIn()->OnlineModel();
  for (auto _ : state) {
    state.PauseTiming();
    ClearStates(offline->Items());
    ClearStates(online->Items());
    state.ResumeTiming();
    status->RefreshProgramStatus();
  }
  state.SetItemsProcessed(state.iterations() * blocks * 2);
}

void BM_OnlineBlocksArrive(benchmark::State& state) {
  const int blocks = static_cast<int>(state.range(0));
  // Whole block names of three types, dealt out in an order no sort would find.
  std::vector<platform::Ref<host::Block>> contents;
  contents.reserve(static_cast<size_t>(blocks));
  static constexpr int32_t kTypes[] = {host::BlockInfo::kFb, host::BlockInfo::kFc,
                                       host::BlockInfo::kDb};
  for (int i = 0; i < blocks; ++i) {
    contents.push_back(platform::MakeObject<host::Block>(false, kTypes[i % 3], i / 3 + 1));
  }
  std::shuffle(contents.begin(), contents.end(), std::mt19937(2026));

  for (auto _ : state) {
    state.PauseTiming();
    auto app = std::make_unique<mzbench::BenchSnapIn>();
    app->Env().ConnectPlcText(
        std::string("<plc name=\"CPU\" guid=\"") + kGuid + "\"><program name=\"Program\"/></plc>",
        "empty.plc.xml");
    const auto program = app->Env().Plc()->Program();
    state.ResumeTiming();
    for (const auto& content : contents) program->LoadBlock(*content);
    state.PauseTiming();
    const auto model = app->SnapIn()->OnlineModel();
    if (!model || model->ItemList()->Count() < blocks) state.SkipWithError("blocks were lost");
    app.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * blocks);
}

}  // namespace

BENCHMARK(BM_CompareStatus)->Arg(1000)->Arg(10000)->Arg(65535)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OnlineBlocksArrive)
    ->Arg(10000)
    ->Arg(65535)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)  // the first run pays for fresh memory: the median is the figure
    ->ReportAggregatesOnly(true);
