// A synthetic offline project of any number of blocks, built through the reference host's
// project model component with the fake factory (journal off), whose handlers write the item
// data the library's handlers write ("TYPE", "NAME", "BLOCKTYPE", "BLOCKNUMBER", "SIZE", ...).
//
//   host::Environment env;                        // the model and the library need one
//   mzbench::SyntheticModel project(65535);       // built with AutoRefresh off, then on
//   cursor->Attach(project.Model());
//
// Tree: project { hardware, program { category 1 .. n, default category }, memory card
// container { files }, symbol table }. Blocks go round-robin into the categories, the types
// cycle through OB, FB, FC, DB, UDT, SFB, SFC, SDB (numbered 1, 2, ... per type), and every
// tenth block of a system type (SFB, SFC, SDB) is a system block. Names, authors,
// languages, sizes and dates repeat in small pools, so sorts meet many ties.
//
// Trap: the model must be released before the environment: destroy the SyntheticModel first.
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
  /// Terminates the model.
  ~SyntheticModel();
  SyntheticModel(const SyntheticModel&) = delete;
  SyntheticModel& operator=(const SyntheticModel&) = delete;

  const platform::Ref<mzblprsx::RgProjectModel>& Model() const { return model_; }
  /// The program item.
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
