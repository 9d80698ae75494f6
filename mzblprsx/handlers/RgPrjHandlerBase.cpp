#include "mzblprsx/handlers/RgPrjHandlerBase.h"

#include <string>

#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/IRgNotifySubscription.h"
#include "mzblprsx/interfaces/IRgObjectEventSink.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/HandlerClasses.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {

namespace {
const std::string kCompareStateKey = "COMPARESTATE";
}  // namespace

RgPrjHandlerBase::~RgPrjHandlerBase() {
  // A handler dropped without Terminate still must not stay subscribed.
  try {
    if (subscription_) subscription_->Unsubscribe();
  } catch (...) {  // NOLINT(bugprone-empty-catch): a destructor has no caller to tell
  }
}

bool RgPrjHandlerBase::IsDirty() {
  bool result = false;
  Guard(*this, "Property Get IRgProjectItemHandler_IsDirty", [&] {
    if (!HasDocument()) return;
    if (const auto document = P_Document()) result = document->IsModified();
  });
  return result;
}

bool RgPrjHandlerBase::IsOpen() {
  bool result = false;
  Guard(*this, "Property Get IRgProjectItemHandler_IsOpen", [&] {
    if (!HasDocument()) return;
    if (const auto document = P_Document()) result = document->IsOpen();
  });
  return result;
}

Ref<IRgDocument> RgPrjHandlerBase::P_Document() {
  if (!object_) platform::Raise(platform::errc::kObjectNotSet, "The handler holds no object");
  return document_;
}

Ref<IRgObject> RgPrjHandlerBase::Object() {
  return object_;
}

void RgPrjHandlerBase::SetObject(Ref<platform::Object> object) {
  Guard(*this, "Property Set IRgProjectItemHandler_Object", [&] {
    Ref<IRgObject> framework = AsFrameworkObject(object);
    if (object && !framework) throw platform::Error(platform::errc::kTypeMismatch);
    document_ = AsDocument(framework);
    object_ = std::move(framework);
  });
}

Ref<RgProjectItem> RgPrjHandlerBase::ProjectItem() {
  return item_;
}

void RgPrjHandlerBase::SetProjectItem(Ref<RgProjectItem> item) {
  item_ = std::move(item);
}

void RgPrjHandlerBase::Delete() {
  Guard(*this, "IRgProjectItemHandler_Delete", [&] { OnDelete(); });
}

void RgPrjHandlerBase::Initialize() {
  Guard(*this, "IRgProjectItemHandler_Initialize", [&] { OnInitialize(); });
}

void RgPrjHandlerBase::Refresh() {
  Guard(*this, "IRgProjectItemHandler_Refresh", [&] { OnRefresh(); });
}

void RgPrjHandlerBase::Save() {
  Guard(*this, "IRgProjectItemHandler_Save", [&] { OnSave(); });
}

void RgPrjHandlerBase::Terminate() {
  Guard(*this, "IRgProjectItemHandler_Terminate", [&] {
    item_.Reset();
    object_.Reset();
    document_.Reset();
    EndNotifications();
    OnTerminate();
  });
}

void RgPrjHandlerBase::OnRefresh() {
  GetData();
  item_->Update();
}

void RgPrjHandlerBase::GetData() {
  Guard(*this, "GetData", [&] {
    const Ref<RgProjectItemData> data = item_->Data();
    // The compare state is the status controller's, not the fill's: refreshing what the object
    // shows keeps the last comparison's result until the controller writes a new one.
    const Variant compareState = data->Value(kCompareStateKey);
    data->Clear();
    FillData(*data);
    if (!compareState.IsEmpty()) data->SetValue(kCompareStateKey, compareState, 1);
  });
}

void RgPrjHandlerBase::FillTypeAndName(RgProjectItemData& data, std::string_view type,
                                       int32_t typeFlags, int32_t nameFlags) {
  data.SetValue("TYPE", Variant(type), typeFlags);
  data.SetValue("NAME", Variant(object_->DisplayName()), nameFlags);
}

platform::DateTime RgPrjHandlerBase::DateFromText(const std::string& text) {
  const auto date = platform::DateTime::Parse(text);
  if (!date) {
    platform::Raise(platform::errc::kTypeMismatch,
                    "'" + text + "' is no date of the form YYYY-MM-DD HH:MM:SS");
  }
  return *date;
}

Ref<RgProjectSnapin> RgPrjHandlerBase::SnapIn() {
  // Asked for every block a program fills: the query is answered per class.
  return platform::CachedCast<RgProjectSnapin>(item_->Model()->Owner());
}

void RgPrjHandlerBase::StartNotifications() {
  EndNotifications();
  subscription_ = platform::CreateObjectAs<IRgNotifySubscription>(clsid::kNotifySubscription);
  subscription_->Subscribe(platform::Self(this).Cast<IRgObjectEventSink>(), nullptr);
}

void RgPrjHandlerBase::EndNotifications() {
  const Ref<IRgNotifySubscription> subscription = std::move(subscription_);
  subscription_.Reset();
  if (subscription) subscription->Unsubscribe();
}

}  // namespace mzblprsx
