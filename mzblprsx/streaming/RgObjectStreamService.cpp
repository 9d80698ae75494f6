#include "mzblprsx/streaming/RgObjectStreamService.h"

#include <pugixml.hpp>

#include <array>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgClipboardFormats.h"
#include "mzblprsx/interfaces/IRgDataObject.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/IRgErrorService.h"
#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "mzblprsx/interfaces/IRgObjectArray.h"
#include "mzblprsx/interfaces/IRgObjectFinder.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjects.h"
#include "mzblprsx/streaming/IRgObjectStreamHandler.h"
#include "mzblprsx/streaming/RgObjectStreamItem.h"
#include "mzblprsx/streaming/RgObjectStreamItems.h"
#include "platform/ClassRegistry.h"
#include "platform/OneOf.h"
#include "platform/SafeArray.h"
#include "platform/Text.h"
#include "platform/XmlElement.h"

namespace mzblprsx {

namespace {

using platform::OneOf;
using platform::SafeArray;

constexpr const char* kMessageModule = "cmnerr";
constexpr const char* kMarkerMissing = "Missing";
constexpr const char* kMarkerFlush = "RgBlockOffline::Flush";
// A message lists this many objects by name; "..." stands for the rest.
constexpr int32_t kMaxListedObjects = 7;
// Message box styles: a note with an OK button, a question with Yes and No.
constexpr int32_t kStyleNote = 0x30;
constexpr int32_t kStyleQuestion = 0x24;
constexpr int32_t kAnswerNo = 7;

bool IsOfflineClass(std::string_view classId) {
  return OneOf(classId, {clsid::kProjectOffline, clsid::kHwConfigOffline, clsid::kSymbolTable,
                         clsid::kVarTables, clsid::kDocumentation, clsid::kReferences,
                         clsid::kProgramOffline, clsid::kCategory, clsid::kBlockOffline});
}

bool IsOnlineClass(std::string_view classId) {
  return OneOf(classId, {clsid::kProjectOnline, clsid::kHwConfigOnline, clsid::kMemoryCard,
                         clsid::kProgramOnline, clsid::kBlockOnline});
}

// The streamed object classes by the object-type names the handlers write under "TYPE", for the
// types that are recognised by the whole name.
struct TypeClass {
  std::string_view type;
  std::string_view classId;
};
constexpr std::array<TypeClass, 8> kTypeClasses = {{
    {"RgProjectOffline", clsid::kProjectOffline},
    {"RgProjectOnline", clsid::kProjectOnline},
    {"RgHwConfigOffline", clsid::kHwConfigOffline},
    {"RgHwConfigOnline", clsid::kHwConfigOnline},
    {"RgSymbolTable", clsid::kSymbolTable},
    {"RgProgramOffline", clsid::kProgramOffline},
    {"RgProgramOnline", clsid::kProgramOnline},
    {"RgCategory", clsid::kCategory},
}};

}  // namespace

// ---- Properties -------------------------------------------------------------------------------

Ref<RgProjectSnapin> RgObjectStreamService::ProjectSnapIn() {
  return snapIn_;
}
void RgObjectStreamService::SetProjectSnapIn(Ref<RgProjectSnapin> snapIn) {
  snapIn_ = std::move(snapIn);
}
Ref<IRgObjectStreamHandler> RgObjectStreamService::StreamHandler() {
  return handler_;
}
void RgObjectStreamService::SetStreamHandler(Ref<IRgObjectStreamHandler> handler) {
  handler_ = std::move(handler);
}
Ref<RgProjectItems> RgObjectStreamService::InsertedItems() {
  return insertedItems_;
}

// ---- Sending ----------------------------------------------------------------------------------

bool RgObjectStreamService::CanStreamData(const Ref<RgProjectItems>& items, int32_t action) {
  bool result = false;
  Guard(*this, "CanStreamData", [&] {
    if (action == RgStreamServiceDataActionNone || !items || items->Count() == 0) return;
    result = handler_->CanStreamData(items, action);
  });
  return result;
}

Ref<RgProjectItems> RgObjectStreamService::GetStreamItems(const Ref<RgProjectItems>& items,
                                                          int32_t action) {
  Ref<RgProjectItems> result;
  Guard(*this, "GetStreamItems", [&] {
    result = P_NewProjectItems();
    if (action == RgStreamServiceDataActionNone || !items || items->Count() == 0) return;
    handler_->GetStreamItems(items, action, result);
  });
  return result;
}

std::vector<uint8_t> RgObjectStreamService::StreamItemData(const Ref<RgProjectItems>& items) {
  // A single byte is what a receiver recognises as "nothing to carry".
  std::vector<uint8_t> result(1, 0);
  Guard(*this, "StreamItemData", [&] {
    if (!items || items->Count() == 0) return;
    const Ref<IRgDataObject> dataObject = P_NewDataObject();
    handler_->StreamObjects(dataObject, items);
    result = dataObject->SaveBytes();
  });
  return result;
}

std::vector<uint8_t> RgObjectStreamService::StreamItemList(const Ref<RgProjectItems>& items) {
  std::vector<uint8_t> result;
  Guard(*this, "StreamItemList", [&] {
    if (!items) return;
    result = MakeByteForm(GetProjectItemsXML(items));
  });
  return result;
}

std::vector<uint8_t> RgObjectStreamService::StreamObjectSource() {
  std::vector<uint8_t> result;
  Guard(*this, "StreamObjectSource", [&] { result = MakeByteForm(handler_->GetSourceID()); });
  return result;
}

int16_t RgObjectStreamService::GetFormat(int32_t format) {
  int16_t result = 0;
  Guard(*this, "GetFormat", [&] {
    if (listFormat_ == 0 || sourceFormat_ == 0) {
      const auto formats = platform::CreateObjectAs<IRgClipboardFormats>(clsid::kClipboardFormats);
      listFormat_ = formats->RegisterFormat(std::string(kObjectListFormatName));
      sourceFormat_ = formats->RegisterFormat(std::string(kObjectSourceFormatName));
    }
    switch (format) {
      case RgStreamServiceFormatObjectList:
        result = listFormat_;
        break;
      case RgStreamServiceFormatObjectSource:
        result = sourceFormat_;
        break;
      case RgStreamServiceFormatObjectData:
        // The data object travels in a format of its own; any fresh one tells which.
        if (dataFormat_ == 0) dataFormat_ = P_NewDataObject()->DataFormat();
        result = dataFormat_;
        break;
      default:
        break;
    }
  });
  return result;
}

void RgObjectStreamService::InsertStreamDataComplete(int32_t action,
                                                     const Ref<RgProjectItems>& items) {
  Guard(*this, "InsertStreamDataComplete", [&] {
    if (action == RgStreamServiceDataActionNone || !items || items->Count() == 0) return;
    handler_->InsertObjectsComplete(action, items);
  });
}

// ---- Receiving --------------------------------------------------------------------------------

int32_t RgObjectStreamService::CheckSourceFromSameApplication(
    std::span<const uint8_t> sourceBytes) {
  int32_t result = RgStreamDataSourceUnknown;
  Guard(*this, "CheckSourceFromSameApplication",
        [&] { result = handler_->CheckSourceIsSameApplication(ReadByteForm(sourceBytes)); });
  return result;
}

int32_t RgObjectStreamService::CanInsertStreamData(std::span<const uint8_t> listBytes,
                                                   int32_t source) {
  int32_t result = RgStreamServiceDataActionNone;
  Guard(*this, "CanInsertStreamData", [&] {
    const auto data = GetRgObjectDataFromXML(ReadByteForm(listBytes));
    if (!data) {
      throw platform::Error(platform::errc::kSubscript, "The received object list is unreadable");
    }
    // The first object that can go in decides, whatever the objects after it allow.
    for (int32_t i = data->LBound(2); i <= data->UBound(2); ++i) {
      const int32_t action =
          handler_->GetInsertDataAction(data->Get({1, i}).ToString(), data->Get({2, i}), source);
      if (action != RgStreamServiceDataActionNone) {
        result = action;
        return;
      }
    }
  });
  return result;
}

bool RgObjectStreamService::InsertStreamData(std::span<const uint8_t> dataBytes, int32_t action,
                                             Ref<RgProjectItem>& position,
                                             Ref<RgProjectItems>& insertedItems, int32_t source) {
  bool result = false;
  Guard(*this, "InsertStreamData", [&] {
    if (dataBytes.size() == 1) return;  // the sender had nothing to carry

    const Ref<IRgDataObject> dataObject = P_NewDataObject();
    try {
      dataObject->LoadBytes(dataBytes);
    } catch (...) {  // bytes from another program that are no data object: nothing to insert
      return;
    }
    if (dataObject->ItemCount() < 1) {
      result = true;
      return;
    }

    Ref<RgObjectStreamItems> items = platform::MakeObject<RgObjectStreamItems>();
    items->AttachDataObject(dataObject);
    P_CheckMissingObjects(items);
    for (const Ref<RgObjectStreamItem>& item : items->NewEnum()) {
      if (item->ItemError() == RgDataObjectItemErrorMissingSource &&
          item->Action() == RgDataObjectItemActionCancel) {
        items->Remove(item);
      }
    }

    if (!handler_->CheckObjects(items, action, position, source)) return;
    for (const Ref<RgObjectStreamItem>& item : items->NewEnum()) {
      if (item->Action() == RgDataObjectItemActionCancel) items->Remove(item);
    }

    // InsertedItems exists only while the handler inserts, whatever way the insert ends.
    struct ClearInserted {
      Ref<RgProjectItems>& slot;
      ~ClearInserted() { slot.Reset(); }
    } clearInserted{insertedItems_};
    insertedItems_ = P_NewProjectItems();
    // One insert is one batch for the views and the handlers: the views follow the new items
    // one by one and rebuild once at the end, and the handlers do their work over the whole
    // program (totals, window titles) once for the insert instead of once per block.
    const std::vector<Ref<RgProjectModel>> paused = P_PauseAutoRefresh();
    bool inserted = false;
    try {
      inserted = handler_->InsertObjects(items, action, position, source);
    } catch (...) {
      P_ResumeAutoRefresh(paused);
      throw;
    }
    P_ResumeAutoRefresh(paused);
    if (inserted) insertedItems = insertedItems_;
    result = inserted;
  });
  return result;
}

std::vector<Ref<RgProjectModel>> RgObjectStreamService::P_PauseAutoRefresh() {
  std::vector<Ref<RgProjectModel>> result;
  Guard(*this, "P_PauseAutoRefresh", [&] {
    if (!snapIn_) return;
    for (const Ref<RgProjectModel>& model : {snapIn_->OfflineModel(), snapIn_->OnlineModel()}) {
      if (!model || !model->AutoRefresh()) continue;
      model->SetAutoRefresh(false);
      result.push_back(model);
    }
  });
  return result;
}

void RgObjectStreamService::P_ResumeAutoRefresh(const std::vector<Ref<RgProjectModel>>& paused) {
  Guard(*this, "P_ResumeAutoRefresh", [&] {
    for (const Ref<RgProjectModel>& model : paused) model->SetAutoRefresh(true);
  });
}

// ---- Object XML -------------------------------------------------------------------------------

std::string RgObjectStreamService::GetProjectItemXML(const Ref<RgProjectItem>& item) {
  std::string result;
  Guard(*this, "GetProjectItemXML", [&] {
    if (!item) return;
    const auto objects = platform::CreateObjectAs<IRgObjectArray>(clsid::kObjectArray);
    objects->Add(item->Handler()->Object());
    result = GetRgObjectsXML(objects);
  });
  return result;
}

std::string RgObjectStreamService::GetProjectItemsXML(const Ref<RgProjectItems>& items) {
  std::string result;
  Guard(*this, "GetProjectItemsXML", [&] {
    if (!items) return;
    const int32_t count = items->Count();
    if (count == 0) return;
    const auto objects = platform::CreateObjectAs<IRgObjectArray>(clsid::kObjectArray);
    for (int32_t i = 1; i <= count; ++i) {
      // An item whose handler or object has gone names nothing that could be carried.
      const Ref<IRgProjectItemHandler> handler = items->Item(i)->Handler();
      if (!handler) continue;
      if (Ref<IRgObject> object = handler->Object()) objects->Add(std::move(object));
    }
    result = GetRgObjectsXML(objects);
  });
  return result;
}

std::string RgObjectStreamService::GetRgObjectsXML(const Ref<IRgObjectArray>& objects) {
  std::string result;
  Guard(*this, "GetRgObjectsXML", [&] {
    const int32_t count = objects->Count();
    // An empty source cannot be dimensioned: the array would have no column.
    if (count < 1) {
      throw platform::Error(platform::errc::kSubscript, "There is no object to write as XML");
    }
    auto data = SafeArray::Create(platform::VarType::Empty, {{1, 3}, {1, count}});
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<IRgObject> object = objects->Item(i);
      data->Set({1, i}, Variant(object->ClassID()));
      data->Set({2, i}, Variant(object->ObjectID()));
      if (const auto document = object.As<IRgDocument>()) {
        data->Set({3, i}, Variant(document->IsOpen()));
      }
    }
    result = GetRgObjectDataXML(Variant(data));
  });
  return result;
}

std::string RgObjectStreamService::GetRgDataObjectItemsXML(const Ref<IRgDataObject>& dataObject) {
  std::string result;
  Guard(*this, "GetRgDataObjectItemsXML", [&] {
    const int32_t count = dataObject->ItemCount();
    if (count < 1) {
      throw platform::Error(platform::errc::kSubscript, "The data object holds no object");
    }
    auto data = SafeArray::Create(platform::VarType::Empty, {{1, 3}, {1, count}});
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<IRgDataObjectItem> item = dataObject->Item(i);
      data->Set({1, i}, Variant(item->ClassID()));
      data->Set({2, i}, item->ObjectID());
    }
    result = GetRgObjectDataXML(Variant(data));
  });
  return result;
}

std::string RgObjectStreamService::GetRgObjectDataXML(const Variant& objectData) {
  std::string result;
  Guard(*this, "GetRgObjectDataXML", [&] { result = WriteObjectDataXML(objectData); });
  return result;
}

std::shared_ptr<SafeArray> RgObjectStreamService::GetRgObjectDataFromXML(const std::string& xml) {
  std::shared_ptr<SafeArray> result;
  Guard(*this, "GetRgObjectDataFromXML", [&] { result = ReadObjectDataXML(xml); });
  return result;
}

std::string RgObjectStreamService::WriteObjectDataXML(const Variant& objectData) {
  if (!objectData.IsArray()) return {};
  const auto& data = objectData.ToArray();
  if (data->Dimensions() != 2 || data->LBound(1) != 1 || data->UBound(1) != 3) return {};
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("ROOT");
  for (int32_t i = data->LBound(2); i <= data->UBound(2); ++i) {
    pugi::xml_node element = root.append_child("RGOBJECT");
    element.append_attribute("CLSID") = data->Get({1, i}).ToString().c_str();
    element.append_attribute("OBJID") = data->Get({2, i}).ToString().c_str();
    const int16_t open = Variant(data->Get({3, i}).ToBool()).ToInt16();
    element.append_attribute("ISOPEN") = std::to_string(open).c_str();
  }
  return platform::XmlText(document);
}

std::shared_ptr<SafeArray> RgObjectStreamService::ReadObjectDataXML(std::string_view xml) {
  pugi::xml_document document;
  // A text that is not XML leaves the document empty, and so names no object.
  document.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8);
  const pugi::xpath_node_set nodes = document.select_nodes("ROOT/RGOBJECT");
  const auto count = static_cast<int32_t>(nodes.size());
  if (count == 0) {
    throw platform::Error(platform::errc::kSubscript, "The object list names no object");
  }
  auto data = SafeArray::Create(platform::VarType::Empty, {{1, 3}, {1, count}});
  int32_t column = 0;
  for (const pugi::xpath_node& node : nodes) {
    ++column;
    const pugi::xml_node element = node.node();
    // The document keeps the characters as they came; the library's texts are well-formed UTF-8.
    data->Set({1, column},
              Variant(platform::text::SanitizeUtf8(element.attribute("CLSID").value())));
    data->Set({2, column},
              Variant(platform::text::SanitizeUtf8(element.attribute("OBJID").value())));
    const pugi::xml_attribute open = element.attribute("ISOPEN");
    if (!open) continue;  // an object without the flag counts as closed
    try {
      data->Set({3, column}, Variant(Variant(open.value()).ToBool()));
    } catch (const platform::Error&) {
      throw platform::Error(platform::errc::kTypeMismatch,
                            "The open flag \"" + platform::text::SanitizeUtf8(open.value()) +
                                "\" of object " + std::to_string(column) + " is not a Boolean");
    }
  }
  return data;
}

std::vector<uint8_t> RgObjectStreamService::MakeByteForm(std::string_view text) {
  std::vector<uint8_t> bytes = platform::text::ToUtf16LE(text);
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

std::string RgObjectStreamService::ReadByteForm(std::span<const uint8_t> bytes) {
  std::string text = platform::text::FromUtf16LE(bytes);
  const size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  // Cut first, then trim, so that blanks before the terminator go as well.
  return std::string(platform::text::Trim(text));
}

// ---- Library-internal -------------------------------------------------------------------------

int32_t RgObjectStreamService::GetItemStreamDataAction(const Ref<RgProjectItem>& item) {
  int32_t result = 0;
  Guard(*this, "GetItemStreamDataAction", [&] {
    const Ref<IRgProjectItemHandler> handler = item->Handler();
    if (!handler) return;
    const Ref<IRgObject> object = handler->Object();
    if (!object) return;
    const std::string classId = object->ClassID();
    if (classId == clsid::kBlockOffline) {
      result = item->Data()->Value("SYSTEM").ToBool() ? 2 : 3;
    } else if (OneOf(classId, {clsid::kCategory, clsid::kProgramOffline})) {
      result = 3;
    } else if (OneOf(classId, {clsid::kBlockOnline, clsid::kProgramOnline, clsid::kHwConfigOffline,
                               clsid::kHwConfigOnline, clsid::kProjectOffline,
                               clsid::kProjectOnline, clsid::kSymbolTable, clsid::kVarTables})) {
      result = 1;
    }
  });
  return result;
}

void RgObjectStreamService::GetObjectLocations(const Ref<IRgDataObject>& dataObject, bool& offline,
                                               bool& online) {
  Guard(*this, "GetObjectLocations", [&] {
    const int32_t count = dataObject->ItemCount();
    for (int32_t i = 1; i <= count; ++i) {
      const std::string classId = dataObject->Item(i)->ClassID();
      if (IsOfflineClass(classId)) offline = true;
      if (IsOnlineClass(classId)) online = true;
    }
  });
}

Ref<IRgDataObjectItem> RgObjectStreamService::GetDataObjectItem(
    const Ref<IRgDataObject>& dataObject, const std::string& classId, const Variant& objectId) {
  Ref<IRgDataObjectItem> result;
  Guard(*this, "GetDataObjectItem", [&] { result = dataObject->ItemByKey(classId, objectId); });
  return result;
}

void RgObjectStreamService::StreamMissingObject(const Ref<IRgDataObject>& dataObject,
                                                const Ref<RgProjectItem>& item) {
  Guard(*this, "StreamMissingObject", [&] {
    std::string classId;
    Variant objectId;
    std::string name;
    P_GetMissingObjectData(item, classId, objectId, name);
    if (classId.empty()) return;
    dataObject->AddReference(classId, objectId, name)->SetMarkerText(kMarkerMissing);
  });
}

bool RgObjectStreamService::CheckBlockFlushed(const Ref<IRgDataObjectItem>& item) {
  bool result = false;
  Guard(*this, "CheckBlockFlushed", [&] { result = item->MarkerText() != kMarkerFlush; });
  return result;
}

bool RgObjectStreamService::CheckBlockOpened(const Ref<IRgDataObjectItem>& item, int32_t location) {
  bool result = false;
  Guard(*this, "CheckBlockOpened", [&] {
    const Ref<RgProjectData> project = snapIn_->Projects()->Project(location);
    if (!project) return;
    const Ref<platform::Object> container = project->Object();
    if (!container) return;
    const auto finder = platform::CreateObjectAs<IRgObjectFinder>(clsid::kObjectFinder);
    finder->Bind(container);
    const Ref<IRgObject> object = finder->Find(item->ClassID(), item->ObjectID().ToString());
    if (!object) return;
    result = snapIn_->Application()->CheckOpenDocument(object);
  });
  return result;
}

bool RgObjectStreamService::CheckBlockFlushErrors(const Ref<RgObjectStreamItems>& items,
                                                  int32_t location, int32_t action) {
  bool result = false;
  Guard(*this, "CheckBlockFlushErrors", [&] {
    const bool online = location == RgProjectLocationOnline;
    int32_t question = 0;
    if (online) {
      question = kMessageFlushLoad;
    } else if (action == RgStreamServiceDataActionCopy) {
      question = kMessageFlushCopy;
    } else if (action == RgStreamServiceDataActionMove) {
      question = kMessageFlushMove;
    }
    result =
        P_CheckErrorItems(items, RgDataObjectItemErrorFlushingBlock,
                          online ? kMessageFlushNoneLoaded : kMessageFlushNoneCopied, question);
  });
  return result;
}

bool RgObjectStreamService::CheckBlockOpenErrors(const Ref<RgObjectStreamItems>& items,
                                                 int32_t action) {
  bool result = false;
  Guard(*this, "CheckBlockOpenErrors", [&] {
    int32_t question = 0;
    if (action == RgStreamServiceDataActionCopy) {
      question = kMessageOpenedCopy;
    } else if (action == RgStreamServiceDataActionMove) {
      question = kMessageOpenedMove;
    }
    result =
        P_CheckErrorItems(items, RgDataObjectItemErrorOpenedBlock, kMessageOpenedNone, question);
  });
  return result;
}

// ---- Private ----------------------------------------------------------------------------------

bool RgObjectStreamService::P_CheckErrorItems(const Ref<RgObjectStreamItems>& items, int32_t error,
                                              int32_t note, int32_t question) {
  bool result = false;
  Guard(*this, "P_CheckErrorItems", [&] {
    const Ref<RgObjectStreamItems> errorItems = items->GetErrorItems(error);
    result = true;
    if (errorItems->Count() == 0) return;
    const std::string names = P_JoinErrorObjectInfo(errorItems);
    if (errorItems->Count() == items->Count()) {
      // Nothing else would travel: there is nothing to decide, only to tell.
      P_ShowMessage(note, names, false);
      return;
    }
    // A request that is neither copy nor move has no question to ask; it goes on.
    if (question == 0) return;
    result = P_ShowMessage(question, names, true) != kAnswerNo;
  });
  return result;
}

void RgObjectStreamService::P_CheckMissingObjects(const Ref<RgObjectStreamItems>& items) {
  Guard(*this, "P_CheckMissingObjects", [&] {
    for (const Ref<RgObjectStreamItem>& item : items->NewEnum()) {
      const Ref<IRgDataObjectItem> entry = item->DataObjectItem();
      if (!entry->HasData() && entry->MarkerText() == kMarkerMissing) {
        item->SetAction(RgDataObjectItemActionCancel);
        item->SetItemError(RgDataObjectItemErrorMissingSource);
      }
    }
    const Ref<RgObjectStreamItems> missing =
        items->GetErrorItems(RgDataObjectItemErrorMissingSource);
    if (missing->Count() == 0) return;
    P_ShowMessage(kMessageMissingSource, P_JoinErrorObjectInfo(missing), false);
  });
}

void RgObjectStreamService::P_GetMissingObjectData(const Ref<RgProjectItem>& item,
                                                   std::string& classId, Variant& objectId,
                                                   std::string& name) {
  Guard(*this, "P_GetMissingObjectData", [&] {
    const Ref<RgProjectItemData> data = item->Data();
    const std::string type = data->Value("TYPE").ToString();
    classId.clear();
    for (const TypeClass& entry : kTypeClasses) {
      if (type == entry.type) classId = entry.classId;
    }
    // Block types carry their block type after the class name ("RgBlockOffline.FB").
    if (type.find("RgBlockOffline") != std::string::npos) {
      classId = clsid::kBlockOffline;
      objectId = data->Value("NAME");
      name = data->Value("SYMBOL").ToString();
    } else if (type.find("RgBlockOnline") != std::string::npos) {
      classId = clsid::kBlockOnline;
      objectId = data->Value("NAME");
      name = data->Value("NAME").ToString();
    } else if (classId == clsid::kCategory) {
      objectId = data->Value("RgObjectID");
      name = data->Value("NAME").ToString();
    } else if (!classId.empty()) {
      // The other objects are unique in their project: their own identifier when the item keeps
      // one, else the name they are shown under identifies them.
      objectId = data->Exists("RgObjectID") ? data->Value("RgObjectID") : data->Value("NAME");
      name = data->Value("NAME").ToString();
    }
  });
}

std::string RgObjectStreamService::P_GetErrorObjectInfo(const Ref<IRgDataObjectItem>& item) {
  std::string result;
  Guard(*this, "P_GetErrorObjectInfo", [&] {
    const std::string classId = item->ClassID();
    if (classId == clsid::kBlockOffline) {
      // The item's name is the block's symbol, its second name the block's own name.
      result = snapIn_->JoinByAddressPriority(item->SecondName(), item->Name());
    } else if (classId == clsid::kBlockOnline) {
      result = item->SecondName();
    } else if (IsOfflineClass(classId) || IsOnlineClass(classId)) {
      result = item->Name();
    }
  });
  return result;
}

std::string RgObjectStreamService::P_JoinErrorObjectInfo(const Ref<RgObjectStreamItems>& items) {
  std::string result;
  Guard(*this, "P_JoinErrorObjectInfo", [&] {
    int32_t listed = 0;
    for (const Ref<RgObjectStreamItem>& item : items->NewEnum()) {
      if (listed > 0) result += ",\r\n";
      if (listed == kMaxListedObjects) {
        result += "...";
        break;
      }
      result += P_GetErrorObjectInfo(item->DataObjectItem());
      ++listed;
    }
  });
  return result;
}

int32_t RgObjectStreamService::P_ShowMessage(int32_t number, const std::string& names, bool ask) {
  int32_t result = 0;
  Guard(*this, "P_ShowMessage", [&] {
    const std::string caption = snapIn_->GetStaticText(kTextInsertObjects);
    result = FrameworkGlobals()->ErrorService()->ShowMessage(
        0, kMessageModule, number, 0, {caption, names}, ask ? kStyleQuestion : kStyleNote);
  });
  return result;
}

Ref<RgProjectItems> RgObjectStreamService::P_NewProjectItems() {
  return platform::CreateObjectAs<RgProjectItems>(clsid::kProjectItems);
}

Ref<IRgDataObject> RgObjectStreamService::P_NewDataObject() {
  return platform::CreateObjectAs<IRgDataObject>(clsid::kDataObject);
}

}  // namespace mzblprsx
