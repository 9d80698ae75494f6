// BM_BuildOfflineTree: the offline tree of a project built through the library (the offline
// factory, every handler, the host's model component), as verb 1 or a project open builds it.
#include <benchmark/benchmark.h>

#include <string>

#include "host/Environment.h"
#include "host/app/HostApplication.h"
#include "host/project/OfflineProject.h"
#include "host/project/ProjectFileObject.h"
#include "mzblprsx/core/DllEntryPoints.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgProjects.h"
#include "platform/XmlElement.h"

namespace {

/// A project of `blocks` blocks (FB, FC and DB in turn) in 16 categories with a stored order.
std::string ProjectText(int blocks) {
  static constexpr const char* kTypes[] = {"FB", "FC", "DB"};
  constexpr int kCategories = 16;
  std::string members[kCategories];
  std::string body;
  for (int i = 0; i < blocks; ++i) {
    const std::string name = std::string(kTypes[i % 3]) + std::to_string(i / 3 + 1);
    body += "<block type=\"" + std::string(kTypes[i % 3]) + "\" number=\"" +
            std::to_string(i / 3 + 1) + "\" header=\"h\" author=\"a\" language=\"LAD\" size=\"" +
            std::to_string(64 + i % 100) + "\" modified=\"2026-11-02 08:15:00\" body=\"b\"/>\n";
    members[i % kCategories] += "<member block=\"" + name + "\"/>";
  }
  std::string text =
      "<project name=\"Bench\" guid=\"{1C0FFEE0-0000-4000-8000-000000000001}\">"
      "<hardware name=\"Station\" modified=\"2026-11-02 08:15:00\" size=\"2048\" state=\"0\"/>"
      "<symbols name=\"Symbols\"/>"
      "<program name=\"Program\" default-category=\"1\" category-order=\"";
  for (int c = 1; c <= kCategories; ++c) text += std::to_string(c) + (c < kCategories ? " " : "");
  text += "\">";
  for (int c = 1; c <= kCategories; ++c) {
    text += "<category id=\"" + std::to_string(c) + "\" name=\"Category " + std::to_string(c) +
            "\">" + members[c - 1] + "</category>";
  }
  return text + body + "</program></project>";
}

void BM_BuildOfflineTree(benchmark::State& state) {
  host::Environment env;
  DllRegisterServer();
  auto snapIn = platform::MakeObject<mzblprsx::RgProjectSnapin>();
  env.Application().AddSnapIn("ProjectSnapIn", snapIn);
  snapIn->Init(platform::Variant(platform::XmlElement::Parse("<SNAPIN/>")),
               env.ApplicationObject());
  snapIn->Attach(nullptr);
  env.OpenProjectText(ProjectText(static_cast<int>(state.range(0))), "bench.prj.xml");
  env.Project()->FileObject()->SetSaveToDisk(false);
  const auto projects = snapIn->Projects();
  for (auto _ : state) {
    projects->BuildModel(mzblprsx::RgProjectLocationOffline);
    state.PauseTiming();
    if (!snapIn->OfflineModel()->HasProject()) state.SkipWithError("the tree was not built");
    projects->DestroyModel(mzblprsx::RgProjectLocationOffline);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  snapIn->PreDetach();
  snapIn->Detach();
  env.Application().RemoveSnapIn("ProjectSnapIn");
}

}  // namespace

BENCHMARK(BM_BuildOfflineTree)->Arg(1000)->Arg(10000)->Arg(65535)->Unit(benchmark::kMillisecond);
