// The handler of a file on the PLC's memory card: its item shows the file's name (the one key a
// user edits, flags 2), type number and text, size and date; it renames and deletes the file on
// the card through the host's memory card service.
//
//   item->Data()->SetValue("NAME", Variant("recipes.csv"), 2);
//   item->Handler()->Save();          // renames the file on the card
//   item->Handler()->Delete();        // removes it; its item goes with the notification 2
//
// Trap: neither Save nor Delete changes the tree itself; the card's notifications (4 after a
// rename, 2 after a deletion) reach the file list's handler, which refreshes or removes the
// item. A rename the card refuses leaves no item showing a name the file does not have: the
// item is filled again from the file.
#pragma once

#include <string>

#include "mzblprsx/handlers/RgPrjHandlerBase.h"

namespace mzblprsx {

class IRgMMCService;

class RgPrjHandlerMMCFile final : public RgPrjHandlerBase {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerMMCFile";
  std::string_view TypeName() const override { return kTypeName; }

  /// Renames the file on the card; the service's answer. False without item, object or memory
  /// card service; a refusal of the service is reported.
  bool RenameMMCFile(std::string& sNewName);

 private:
  void FillData(RgProjectItemData& data) override;
  /// Both fill only with an item and an object.
  void OnInitialize() override;
  void OnRefresh() override;
  /// Renames the file to the item's "NAME".
  void OnSave() override;
  /// Asks the service to delete an array holding the file.
  void OnDelete() override;
  Ref<IRgMMCService> P_Service();

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
