// A synthetic offline project of any number of blocks, built (AutoRefresh off, then on) in the
// reference host's model with the fake factory, its handlers writing the library's item data.
// Tree: project { hardware, program { category 1 .. n, default category }, memory card
// container { files }, symbol table }. Blocks go round-robin into the categories, their types
// cycle through OB, FB, FC, DB, UDT, SFB, SFC, SDB (numbered per type), every tenth block of a
// system type is a system block, and the values repeat in small pools, so sorts meet many ties.
// Destroy it before the host::Environment it needs.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Ref.h"

namespace mzblprsx {
class RgProjectModel;
class RgProjectItem;
}  // namespace mzblprsx

namespace mzbench {

class SyntheticModel {
 public:
  /// Builds a project of `blocks` blocks in `categories` categories plus the default one.
  explicit SyntheticModel(int blocks, int categories = 16, int files = 20);
  ~SyntheticModel();  // terminates the model
  SyntheticModel(const SyntheticModel&) = delete;
  SyntheticModel& operator=(const SyntheticModel&) = delete;

  const platform::Ref<mzblprsx::RgProjectModel>& Model() const { return model_; }
  platform::Ref<mzblprsx::RgProjectItem> ProgramItem() const;
  /// The item of a category, 0-based in tree order (the default category is the last).
  platform::Ref<mzblprsx::RgProjectItem> CategoryItem(int index) const;
  /// A framework object for one more block, for benchmarks that add items; `index` chooses its
  /// type, number and values as in the built project.
  static platform::Ref<platform::Object> NewBlock(int index);

 private:
  platform::Ref<platform::Object> factory_;
  platform::Ref<mzblprsx::RgProjectModel> model_;
  platform::Ref<platform::Object> project_;
};

}  // namespace mzbench
