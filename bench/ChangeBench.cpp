// Changes of many blocks through the reference host, with its notifications and the snap-in's
// reactions to them (views, totals, symbols, window titles): one operation of k blocks in a
// program of n must cost about k + n, not k * n.
//
//   BM_PasteProgram/k: the receiving side of a transfer of k blocks, every block with a symbol,
//   into an empty program (the check, the insert and every reaction to it).
//   BM_PasteIntoLarge: 1,000 such blocks into a program of 65,535 blocks.
//   BM_DeleteBlocks: 4,000 blocks deleted from a program of 65,535 blocks.
//   BM_RenameSymbols: 1,000 symbols changed one by one in a program of 65,535 blocks.
//
// The target project is opened again for each iteration while the clock stands.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "BenchSnapIn.h"
#include "host/framework/DataObject.h"
#include "host/project/Block.h"
#include "host/project/OfflineProject.h"
#include "host/project/Program.h"
#include "host/project/ProjectFile.h"
#include "host/project/SymbolTable.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/RgPrjHandlerProgramOffline.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"

namespace {

/// A project text of FC1 .. FC(blocks), each with a symbol, in one category.
std::string ProjectText(int blocks) {
  std::string symbols;
  std::string members;
  for (int n = 1; n <= blocks; ++n) {
    const std::string name = "FC" + std::to_string(n);
    symbols += "<symbol address=\"" + name + "\" name=\"Function" + std::to_string(n) + "\"/>";
    members += "<block type=\"FC\" number=\"" + std::to_string(n) +
               "\" header=\"Function\" size=\"100\" modified=\"2026-11-02 08:15:00\"/>";
  }
  return "<project name=\"Target\" guid=\"{CCCCCCCC-0000-0000-0000-000000000014}\">"
         "<symbols name=\"Symbols\">" +
         symbols +
         "</symbols><program name=\"Program\" default-category=\"1\">"
         "<category id=\"1\" name=\"Blocks\"/>" +
         members + "</program></project>";
}

/// The data bytes of a copy of FB1 .. FB(blocks), each named by its symbol "Motor<n>".
std::vector<uint8_t> TransferBytes(int blocks) {
  std::string text =
      "<project name=\"Source\" guid=\"{CCCCCCCC-0000-0000-0000-000000000015}\">"
      "<symbols name=\"Symbols\">";
  for (int n = 1; n <= blocks; ++n) {
    text +=
        "<symbol address=\"FB" + std::to_string(n) + "\" name=\"Motor" + std::to_string(n) + "\"/>";
  }
  text += "</symbols><program name=\"Program\">";
  for (int n = 1; n <= blocks; ++n) {
    text += "<block type=\"FB\" number=\"" + std::to_string(n) +
            "\" header=\"Motor control\" size=\"412\" modified=\"2026-11-02 08:15:00\"/>";
  }
  text += "</program></project>";
  const auto source = host::ProjectFile::ParseProject(text, "source.prj.xml");
  auto data = platform::MakeObject<host::DataObject>();
  for (const auto& block : source->Program()->Blocks()) data->AddObject(block);
  return data->SaveBytes();
}

/// A snap-in on the reference host with the target project open.
class ChangeBench {
 public:
  void Open(const std::string& text) {
    project_ = app_.Env().OpenProjectText(text, "target.prj.xml");
  }
  host::OfflineProject& Project() { return *project_; }

  /// Inserts the transfer's blocks at the bottom of the default category.
  bool Paste(const std::vector<uint8_t>& bytes) {
    const auto service = app_.SnapIn()->Services()->RgObjectStreamService(1);
    platform::Ref<mzblprsx::RgProjectItem> position;
    platform::Ref<mzblprsx::RgProjectItems> inserted;
    return service->InsertStreamData(bytes, 1, position, inserted, 2);
  }

  mzblprsx::RgPrjHandlerProgramOffline& ProgramHandler() {
    const auto list = app_.SnapIn()->OfflineModel()->ItemList();
    if (!list->Find(4, platform::Variant(project_->Program()))) {
      throw std::runtime_error("the program has no item");
    }
    handler_ = list->FoundItem()->HandlerObject().Cast<mzblprsx::RgPrjHandlerProgramOffline>();
    return *handler_;
  }

 private:
  mzbench::BenchSnapIn app_;
  platform::Ref<host::OfflineProject> project_;
  platform::Ref<mzblprsx::RgPrjHandlerProgramOffline> handler_;
};

void RunPaste(benchmark::State& state, int blocks, int pasted) {
  ChangeBench bench;
  const std::string target = ProjectText(blocks);
  const std::vector<uint8_t> bytes = TransferBytes(pasted);
  for (auto _ : state) {
    state.PauseTiming();
    bench.Open(target);
    state.ResumeTiming();
    if (!bench.Paste(bytes)) state.SkipWithError("the insert failed");
  }
  if (bench.Project().Program()->Blocks().size() != static_cast<size_t>(blocks + pasted)) {
    state.SkipWithError("not every block was inserted");
  }
  state.SetItemsProcessed(state.iterations() * pasted);
}

void BM_PasteProgram(benchmark::State& state) {
  RunPaste(state, 0, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_PasteProgram)->Arg(1000)->Arg(10000)->Arg(65535)->Unit(benchmark::kMillisecond);

void BM_PasteIntoLarge(benchmark::State& state) {
  RunPaste(state, 65535, 1000);
}
BENCHMARK(BM_PasteIntoLarge)->Unit(benchmark::kMillisecond);

void BM_DeleteBlocks(benchmark::State& state) {
  ChangeBench bench;
  const std::string target = ProjectText(65535);
  std::vector<std::string> ids;
  for (int n = 1; n <= 4000; ++n) ids.push_back("FC" + std::to_string(n * 16));
  for (auto _ : state) {
    state.PauseTiming();
    bench.Open(target);
    auto& handler = bench.ProgramHandler();
    std::vector<std::string> deleted = ids;
    state.ResumeTiming();
    if (!handler.DeleteBlocks(deleted)) state.SkipWithError("the deletion failed");
  }
  if (bench.Project().Program()->Blocks().size() != 65535 - 4000) {
    state.SkipWithError("not every block was deleted");
  }
  state.SetItemsProcessed(state.iterations() * 4000);
}
BENCHMARK(BM_DeleteBlocks)->Unit(benchmark::kMillisecond);

void BM_RenameSymbols(benchmark::State& state) {
  ChangeBench bench;
  bench.Open(ProjectText(65535));
  const auto symbols = bench.Project().Symbols();
  int round = 0;
  for (auto _ : state) {
    // Each change is its own notification, as a symbol editor makes them one at a time.
    std::string suffix(1, '_');
    suffix += std::to_string(++round);
    for (int n = 1; n <= 1000; ++n) {
      std::string name = "Renamed" + std::to_string(n);
      name += suffix;
      symbols->SetSymbol("FC" + std::to_string(n * 64), std::move(name));
    }
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_RenameSymbols)->Unit(benchmark::kMillisecond);

}  // namespace
