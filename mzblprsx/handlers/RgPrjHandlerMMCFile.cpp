#include "mzblprsx/handlers/RgPrjHandlerMMCFile.h"

#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgMMCFile.h"
#include "mzblprsx/interfaces/IRgMMCService.h"
#include "mzblprsx/interfaces/IRgObjectArray.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {

void RgPrjHandlerMMCFile::FillData(RgProjectItemData& data) {
  const auto file = object_.Cast<IRgMMCFile>();
  data.SetValue("TYPE", Variant("RgMMCFile"), 1);
  data.SetValue("NAME", Variant(object_->DisplayName()), 2);
  data.SetValue("FILETYPE", Variant(file->FileType()), 1);
  data.SetValue("SIZE", Variant(file->Size()), 1);
  data.SetValue("LASTMODIFIED", Variant(DateFromText(file->LastModifiedText())), 1);
  data.SetValue("DISPLAY_TYPE", Variant(file->TypeText()), 1);
}

void RgPrjHandlerMMCFile::OnInitialize() {
  if (item_ && object_) GetData();
}

void RgPrjHandlerMMCFile::OnRefresh() {
  if (!item_ || !object_) return;
  GetData();
  item_->Update();
}

Ref<IRgMMCService> RgPrjHandlerMMCFile::P_Service() {
  return SnapIn()->Services()->RgMMCService().As<IRgMMCService>();
}

bool RgPrjHandlerMMCFile::RenameMMCFile(std::string& sNewName) {
  bool result = false;
  Guard(*this, "RenameMMCFile", [&] {
    if (!item_ || !object_) return;
    if (const auto service = P_Service()) result = service->RenameFile(object_, sNewName);
  });
  return result;
}

void RgPrjHandlerMMCFile::OnSave() {
  std::string name = item_->Data()->Value("NAME").ToString();
  bool renamed = false;
  // Inspected here: whether the rename was refused or failed, the item must show the file's
  // real name again before the failure (if any) travels on.
  try {
    renamed = RenameMMCFile(name);
  } catch (...) {
    OnRefresh();
    throw;
  }
  if (!renamed) OnRefresh();
}

void RgPrjHandlerMMCFile::OnDelete() {
  // Held here: the deletion's notification removes the item, which terminates this handler.
  const Ref<IRgObject> file = object_;
  const Ref<IRgMMCService> service = P_Service();
  const auto files = platform::CreateObjectAs<IRgObjectArray>(clsid::kObjectArray);
  files->Add(file);
  service->DeleteFiles(files);
}

}  // namespace mzblprsx
