// The memory card's file container handler: LoadFiles adds the queued `files` as the card
// would report them, and counts the calls.
#pragma once

#include "mzblprsx/cursors/IRgFilesOnMMCLoader.h"
#include "support/FakeHandler.h"

namespace mztest {

class FakeFilesHandler final : public FakeHandler, public mzblprsx::IRgFilesOnMMCLoader {
 public:
  explicit FakeFilesHandler(std::shared_ptr<Journal> journal)
      : FakeHandler("RgPrjHandlerFilesOnMMC", std::move(journal)) {}
  void LoadFiles() override {
    ++loads;
    for (const auto& f : files) AddChildren(ProjectItem()->Items()->AddNew(f, {}, {}), f);
    files.clear();
  }
  int loads = 0;
  std::vector<Ref<FakeObject>> files;
};

}  // namespace mztest
