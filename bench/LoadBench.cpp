// Download and upload at scale, through the reference host and the snap-in as a host starts it,
// as the user does them: the blocks selected in one tree are carried (the sending stream
// service writes the transfer), received by the other side's stream service (checks, the
// object XML, the direct load through the host's load service, the loaded items collected from
// the target tree), and the changed side is written to its file.
//
//   BM_Download/n: n project blocks into a PLC whose program is empty.
//   BM_Upload/n: n PLC blocks into a project whose program holds only its default category.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "BenchSnapIn.h"
#include "host/model/ItemReferenceList.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/Program.h"
#include "host/project/ProjectFile.h"
#include "host/project/ProjectFileObject.h"
#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"

namespace {

using platform::Ref;
using ItemRef = Ref<mzblprsx::RgProjectItem>;

constexpr const char* kGuid = "{CCCCCCCC-0000-0000-0000-000000000041}";

/// FB, FC and DB in turn.
std::string Blocks(int blocks) {
  static constexpr const char* kTypes[] = {"FB", "FC", "DB"};
  std::string body;
  for (int i = 0; i < blocks; ++i) {
    body += std::string("<block type=\"") + kTypes[i % 3] + "\" number=\"" +
            std::to_string(i / 3 + 1) +
            "\" size=\"64\" modified=\"2026-11-02 08:15:00\" body=\"code\"/>";
  }
  return body;
}

std::string ProjectText(int blocks) {
  return std::string("<project name=\"Bench\" guid=\"") + kGuid +
         "\"><hardware name=\"Station\" size=\"2048\"/><program name=\"Program\" "
         "default-category=\"1\"><category id=\"1\" name=\"Blocks\"/>" +
         Blocks(blocks) + "</program></project>";
}

std::string PlcText(int blocks) {
  return std::string("<plc name=\"CPU\" guid=\"") + kGuid +
         "\"><hardware name=\"Station\" size=\"2048\"/><program name=\"Program\">" +
         Blocks(blocks) + "</program></plc>";
}

/// Every block item below the model's program item, as the explorer's selection hands it out.
void SelectBlocks(const Ref<mzblprsx::RgProjectItems>& items,
                  const Ref<host::ItemReferenceList>& selection) {
  for (int32_t i = 1; i <= items->Count(); ++i) {
    const ItemRef item = items->Item(i);
    if (mzblprsx::item_kind::IsBlockType(mzblprsx::item_kind::TypeOf(item))) {
      selection->Add(item, nullptr, nullptr);
    } else {
      SelectBlocks(item->Items(), selection);
    }
  }
}

std::filesystem::path Folder() {
  static const auto folder = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("mz-load-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

/// One load from the side `from` into the other, with the file written; false when it failed.
bool Load(mzbench::BenchSnapIn& app, int32_t from) {
  const auto snapIn = app.SnapIn();
  const int32_t to = from == mzblprsx::RgProjectLocationOffline
                         ? mzblprsx::RgProjectLocationOnline
                         : mzblprsx::RgProjectLocationOffline;
  const auto sender = snapIn->Services()->RgObjectStreamService(from);
  const auto receiver = snapIn->Services()->RgObjectStreamService(to);
  const auto model =
      from == mzblprsx::RgProjectLocationOffline ? snapIn->OfflineModel() : snapIn->OnlineModel();
  auto selection = platform::MakeObject<host::ItemReferenceList>();
  SelectBlocks(model->Items(), selection);
  const auto items = sender->GetStreamItems(selection, 1);
  const auto source = receiver->CheckSourceFromSameApplication(sender->StreamObjectSource());
  ItemRef position;
  Ref<mzblprsx::RgProjectItems> inserted;
  if (!receiver->InsertStreamData(sender->StreamItemData(items), 1, position, inserted, source)) {
    return false;
  }
  if (to == mzblprsx::RgProjectLocationOnline) {
    host::ProjectFile::SavePlc(*app.Env().Plc(), Folder() / "bench.plc.xml");
  } else {
    host::ProjectFile::SaveProject(*app.Env().Project(), Folder() / "bench.prj.xml");
  }
  return inserted && inserted->Count() == selection->Count();
}

void Run(benchmark::State& state, bool download) {
  const int blocks = static_cast<int>(state.range(0));
  const std::string project = ProjectText(download ? blocks : 0);
  const std::string plc = PlcText(download ? 0 : blocks);
  for (auto _ : state) {
    state.PauseTiming();
    auto app = std::make_unique<mzbench::BenchSnapIn>();
    app->Env().OpenProjectText(project, "bench.prj.xml");
    app->Env().Project()->FileObject()->SetSaveToDisk(false);
    app->Env().ConnectPlcText(plc, "bench.plc.xml");
    state.ResumeTiming();
    const bool loaded = Load(
        *app, download ? mzblprsx::RgProjectLocationOffline : mzblprsx::RgProjectLocationOnline);
    state.PauseTiming();
    const auto target = download ? app->Env().Plc()->Program() : app->Env().Project()->Program();
    if (!loaded || static_cast<int>(target->BlockCount()) != blocks) {
      state.SkipWithError("the blocks were not loaded");
    }
    app.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * blocks);
}

void BM_Download(benchmark::State& state) {
  Run(state, true);
}

void BM_Upload(benchmark::State& state) {
  Run(state, false);
}

}  // namespace

BENCHMARK(BM_Download)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Upload)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
