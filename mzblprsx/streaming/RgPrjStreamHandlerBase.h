// What the offline and the online stream handler do alike, each over the object classes of its
// own side: the sending half (which selected items may travel, what a selection stands for,
// the source identity of a transfer) and the loading half that download and upload share (the
// choice between loading the received objects directly and asking the user with the
// download/upload dialog, the load service call, and the model events that hand the loaded
// items back as the inserted ones).
//
//   class RgPrjStreamHandlerOnline final : public RgPrjStreamHandlerBase {
//     RgPrjStreamHandlerOnline() : RgPrjStreamHandlerBase(RgProjectLocationOnline) {}
//   };
//   std::string xml = P_GetLoadXML(dataObject);   // direct, or what the user chose
//   bool loaded = P_Load(xml, model);              // the model's items come back as inserted
//
// A handler loads the objects of the other side into its own: the online handler downloads
// offline objects, the offline handler uploads objects of the PLC.
// Trap: the model events are connected only while the load service runs; a load that fails
// disconnects them too, so a later change of the tree never adds to another insert's items.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/streaming/IRgObjectStreamHandler.h"

namespace mzblprsx {

class IRgDataObjectItem;
class IRgObject;
class RgProjectModel;

class RgPrjStreamHandlerBase : public IRgObjectStreamHandler {
 public:
  Ref<RgObjectStreamService> Parent() override { return parent_; }
  void SetParent(Ref<RgObjectStreamService> parent) override { parent_ = std::move(parent); }

  /// True as soon as one selected item allows the action (copy or move bit).
  bool CanStreamData(const Ref<RgProjectItems>& items, int32_t action) override;
  /// The items a selection stands for: a project alone; a program as its categories (not the
  /// default one) and its non-system blocks; anything else itself, once.
  void GetStreamItems(const Ref<RgProjectItems>& items, int32_t action,
                      Ref<RgProjectItems>& streamItems) override;
  /// The identifier of this side's project; "" without a project.
  std::string GetSourceID() override;
  /// 5 for the offline project's identifier, 9 for the online one's, 2 for any other.
  int32_t CheckSourceIsSameApplication(const std::string& sourceId) override;

 protected:
  /// The framework classes and the item types of one side.
  struct SideClasses {
    std::string_view project;
    std::string_view hardware;
    std::string_view program;
    std::string_view block;
    std::string_view projectType;
    std::string_view programType;
  };
  /// The classes of the offline project or of the PLC.
  static const SideClasses& ClassesOf(int32_t location);

  explicit RgPrjStreamHandlerBase(int32_t location) : location_(location) {}
  /// The location whose objects are loaded into this side.
  int32_t OtherLocation() const;

  // Sending
  bool P_AllowsAction(const Ref<RgProjectItem>& item, int32_t action);
  void P_AddOnce(Ref<RgProjectItems>& list, const Ref<RgProjectItem>& item);
  /// A program's content: its categories but the default one, and its non-system blocks;
  /// ghost blocks stay behind.
  void P_AddProgramItems(const Ref<RgProjectItem>& program, Ref<RgProjectItems>& streamItems);
  void P_AddObjectOnce(const Ref<IRgDataObject>& dataObject, const Ref<IRgObject>& object);
  /// Hands each item with its framework object to `stream`, in order; an item whose object has
  /// gone travels as a reference marked "Missing" instead.
  void P_StreamEachObject(
      const Ref<IRgDataObject>& dataObject, const Ref<RgProjectItems>& items,
      const std::function<void(const Ref<RgProjectItem>&, const Ref<IRgObject>&)>& stream);

  // Loading
  /// True when a data object of one entry is loaded as it is: a project, hardware
  /// configuration, program or block of the other side.
  bool P_CheckSingleItem(const Ref<IRgDataObject>& dataObject);
  /// True when the entries are loaded as they are: blocks without a program (with hardware
  /// configurations and, in a download, complete categories), or hardware configurations with
  /// programs and nothing else.
  bool P_CheckMultiItems(const Ref<IRgDataObject>& dataObject);
  /// True when every block that the category entry lists (its marker text, names ended by ";")
  /// is carried by the data object as a block of the other side.
  bool P_CheckAllCategoryBlocksContained(const Ref<IRgDataObject>& dataObject,
                                         const Ref<IRgDataObjectItem>& category);
  /// The object XML of what to load: the entries themselves on the direct path, otherwise the
  /// items the user chooses in the download (upload) dialog; "" when nothing is to be loaded.
  std::string P_GetLoadXML(const Ref<IRgDataObject>& dataObject);
  /// Lets the editors of the chosen items save; false when one could not.
  bool P_FlushDocuments(const Ref<RgProjectItems>& items);
  /// Has the load service load the XML into this side, collecting the hardware configurations
  /// and blocks that appear or change in `model` meanwhile into the service's InsertedItems;
  /// then lets the status controller compare again. True when the load result is not negative;
  /// false for an empty XML or without a load service.
  bool P_Load(const std::string& xml, const Ref<RgProjectModel>& model);

  /// Whether an object the user chose in the dialog may be loaded into this side; all may here.
  virtual bool P_MayLoad(const Ref<IRgObject>& /*object*/) { return true; }
  /// Called for each hardware configuration or block item that appears in the model during a
  /// load, after it was collected; does nothing here.
  virtual void P_ItemLoaded(const Ref<RgProjectItem>& /*item*/) {}

  const int32_t location_;
  Ref<RgObjectStreamService> parent_;

 private:
  /// Connects the model events to `model` (nothing: disconnects) and forgets what the last load
  /// collected.
  void P_WatchModel(const Ref<RgProjectModel>& model);
  void moModel_ItemAdd(const Ref<RgProjectItem>& item, int32_t position);
  void moModel_ItemChange(const Ref<RgProjectItem>& item, int32_t position);
  /// Adds a loaded hardware configuration or block item to InsertedItems; false when the item
  /// is of another kind or was collected already.
  bool P_CollectLoaded(const Ref<RgProjectItem>& item);

  platform::ScopedConnection moModelItemAdd_;
  platform::ScopedConnection moModelItemChange_;
  /// The items collected by the running load, so that a block announced twice counts once.
  std::unordered_set<const void*> loaded_;
};

}  // namespace mzblprsx
