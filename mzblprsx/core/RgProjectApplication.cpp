#include "mzblprsx/core/RgProjectApplication.h"

#include <atomic>

#include "mzblprsx/core/RgProjectDocumentSet.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/interfaces/IRgAppDocuments.h"
#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/IRgHostApplication.h"
#include "mzblprsx/interfaces/RgProjectModel.h"

namespace mzblprsx {
namespace {

/// Window kind of the host's view windows (the project bar among them).
constexpr int32_t kViewWindows = 5;
/// Document-set kind for flushing and saving single documents.
constexpr int32_t kSingleDocumentSet = 3;

std::atomic<RgProjectApplication::ScreenCursor>& ScreenCursorState() {
  static std::atomic<RgProjectApplication::ScreenCursor> cursor{
      RgProjectApplication::ScreenCursor::Default};
  return cursor;
}

std::string TextValue(const Ref<RgProjectItemData>& data, const char* key) {
  return data->Value(key, Variant("")).ToString();
}

}  // namespace

RgProjectApplication::ScreenCursor RgProjectApplication::CurrentScreenCursor() {
  return ScreenCursorState().load();
}

Ref<RgProjectItem> RgProjectApplication::ActiveDocumentItem() {
  return activeDocumentItem_;
}

Ref<Object> RgProjectApplication::ActiveExplorerControl() {
  Ref<Object> result;
  Guard(*this, "Property Get ActiveExplorerControl", [&] {
    if (host_) result = host_->ActiveExplorerControl();
  });
  return result;
}

bool RgProjectApplication::ApplicationInitialized() {
  return applicationInitialized_;
}

void RgProjectApplication::SetApplicationInitialized(bool initialized) {
  applicationInitialized_ = initialized;
}

Ref<IRgHostApplication> RgProjectApplication::RgApplication() {
  return host_;
}

Ref<Object> RgProjectApplication::SnapIn(const std::string& name) {
  Ref<Object> result;
  Guard(*this, "Property Get SnapIn", [&] {
    if (host_) result = host_->SnapIn(name);
  });
  return result;
}

Ref<IRgAppDocuments> RgProjectApplication::Documents() {
  Ref<IRgAppDocuments> result;
  Guard(*this, "Property Get Documents", [&] {
    if (host_) result = host_->Documents();
  });
  return result;
}

Ref<IRgWindowCollection> RgProjectApplication::Windows() {
  Ref<IRgWindowCollection> result;
  Guard(*this, "Property Get Windows", [&] {
    if (host_) result = host_->Windows(kViewWindows);
  });
  return result;
}

void RgProjectApplication::DoWaitCursor(int32_t operation) {
  Guard(*this, "DoWaitCursor", [&] {
    if (host_) {
      host_->DoWaitCursor(operation);
      return;
    }
    if (operation == -1) {
      ScreenCursorState() = ScreenCursor::Default;
    } else if (operation == 0 || operation == 1) {
      ScreenCursorState() = ScreenCursor::Hourglass;
    }
  });
}

Ref<RgProjectDocumentSet> RgProjectApplication::CreateDocumentSetWithItems(
    const Ref<RgProjectItems>& items) {
  Ref<RgProjectDocumentSet> result;
  Guard(*this, "CreateDocumentSetWithItems", [&] {
    if (!items || items->Count() == 0) return;
    auto set = platform::MakeObject<RgProjectDocumentSet>();
    set->SetRgApplication(host_);
    const int32_t count = items->Count();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<IRgProjectItemHandler> handler = items->Item(i)->Handler();
      if (!handler) continue;
      const Ref<IRgObject> object = handler->Object();
      if (object.As<IRgDocument>()) set->Add(object);
    }
    result = set;
  });
  return result;
}

bool RgProjectApplication::FlushDocument(Ref<Object> document) {
  bool result = false;
  Guard(*this, "FlushDocument", [&] {
    if (!host_) {
      result = true;
      return;
    }
    // P_FlushDocument: the flush's own failure is its answer, not an error of this procedure.
    const Ref<IRgDocumentSet> set = host_->CreateDocumentSet(kSingleDocumentSet);
    set->Add(document);
    try {
      set->Flush();
      result = !set->Failed(document);
    } catch (const platform::Error&) {
      result = false;
    }
  });
  return result;
}

Ref<IRgViewWindow> RgProjectApplication::GetViewWindow(const std::string& viewName) {
  Ref<IRgViewWindow> result;
  Guard(*this, "GetViewWindow", [&] {
    if (host_) result = host_->Windows(kViewWindows)->Item(viewName);
  });
  return result;
}

void RgProjectApplication::SetMainWindowExtension(const std::string& text) {
  Guard(*this, "SetMainWindowExtension", [&] {
    if (host_) host_->SetMainWindowExtension(text);
  });
}

void RgProjectApplication::SetWindowTitle(const Ref<RgProjectItem>& item) {
  Guard(*this, "SetWindowTitle", [&] {
    if (!item) return;
    const Ref<RgProjectItemData> data = item->Data();
    const std::string title = TextValue(data, "DISPLAY_TITLE");
    if (title.empty()) return;
    const std::string type = TextValue(data, "TYPE");
    if (type == "RgProjectOffline") {
      SetMainWindowExtension(title);
      P_SetAppDocumentTitle(item->Handler()->Object(), title);
    } else if (item_kind::IsOnlineBlockType(type) || item_kind::IsOfflineBlockType(type)) {
      P_SetAppDocumentTitle(item->Handler()->Object(), title);
    }
  });
}

void RgProjectApplication::P_SetAppDocumentTitle(Ref<Object> object, const std::string& title) {
  Guard(*this, "P_SetAppDocumentTitle", [&] {
    if (!object || !host_) return;
    // Most objects have no document: the look-up answers nothing rather than failing.
    const Ref<IRgAppDocuments> documents = host_->Documents();
    if (documents->Count() == 0) return;
    if (const Ref<IRgAppDocument> document = documents->FindByObject(object)) {
      document->SetTitle(title);
    }
  });
}

void RgProjectApplication::RefreshWindowTitles(const Ref<RgProjectItems>& items) {
  Guard(*this, "RefreshWindowTitles", [&] {
    if (!items) return;
    const int32_t count = items->Count();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<RgProjectItem> item = items->Item(i);
      if (item->IsOpen()) SetWindowTitle(item);
      RefreshWindowTitles(item->Items());
    }
  });
}

Ref<IRgViewWindow> RgProjectApplication::OpenDocumentWithItem(const Ref<RgProjectItem>& item,
                                                              const std::string& viewName) {
  Ref<IRgViewWindow> result;
  Guard(*this, "OpenDocumentWithItem", [&] {
    const std::string title = TextValue(item->Data(), "DISPLAY_TITLE");
    const Ref<Object> document = item->Handler()->Object().Cast<IRgDocument>();
    result = OpenDocument(document, title, viewName);
  });
  return result;
}

Ref<IRgViewWindow> RgProjectApplication::OpenDocument(Ref<Object> document,
                                                      const std::string& title,
                                                      const std::string& viewName) {
  Ref<IRgViewWindow> result;
  Guard(*this, "OpenDocument", [&] {
    if (!document) return;
    if (!host_) {
      openDocument_.Emit(document);
      return;
    }
    Ref<IRgViewWindow> window;
    try {
      window = host_->OpenDocument(document, -1);
    } catch (const platform::Error&) {  // the host reports its own failure to open
    }
    if (window && !title.empty()) window->SetDocumentTitle(title);
    if (window && !viewName.empty()) {
      if (const Ref<IRgViewRegister> view = window->FindRegister(viewName)) view->BringToFront();
    }
    result = window;
  });
  return result;
}

void RgProjectApplication::SaveDocument(Ref<Object> document) {
  Guard(*this, "SaveDocument", [&] {
    if (!host_) return;
    const Ref<IRgDocumentSet> set = host_->CreateDocumentSet(kSingleDocumentSet);
    try {
      set->Save(document);
    } catch (const platform::Error&) {  // a failed save is the host's to report
    }
  });
}

void RgProjectApplication::TopViewRegister(const std::string& viewName,
                                           const std::string& registerName) {
  Guard(*this, "TopViewRegister", [&] {
    if (viewName.empty() || registerName.empty()) return;
    const Ref<IRgViewWindow> window = GetViewWindow(viewName);
    if (!window) return;
    const Ref<IRgViewRegister> tab = window->FindRegister(registerName);
    if (!tab) return;
    tab->BringToFront();
    tab->Show();
  });
}

void RgProjectApplication::DoVerb(int32_t verb, const Variant& arguments, bool broadcast) {
  Guard(*this, "DoVerb", [&] {
    if (host_) host_->DoVerb(verb, arguments, broadcast);
  });
}

void RgProjectApplication::DoCommand(int32_t command, bool asynchronous) {
  Guard(*this, "DoCommand", [&] {
    if (host_) host_->DoCommand(command, asynchronous);
  });
}

Ref<RgProjectSnapin> RgProjectApplication::SnapInObject() {
  return snapIn_;
}

void RgProjectApplication::SetSnapIn(Ref<RgProjectSnapin> snapIn) {
  snapIn_ = std::move(snapIn);
}

void RgProjectApplication::SetRgApplication(Ref<Object> host) {
  Guard(*this, "Property Set RgApplication", [&] {
    hostSink_.Disconnect();
    host_ = host.Cast<IRgHostApplication>();
    if (host_) {
      hostSink_ = host_->ActiveMDIWindowChanged().Connect(
          [this] { moRgApplication_ActiveMDIWindowChanged(); });
    }
  });
}

void RgProjectApplication::SetProjectBarWindow(bool on) {
  Guard(*this, "SetProjectBarWindow", [&] {
    if (!host_) return;
    if (on) {
      projectBarWindow_ = host_->Windows(kViewWindows)->Item("ProjectBar");
    } else {
      projectBarWindow_.Reset();
    }
  });
}

Ref<IRgAppDocuments> RgProjectApplication::CheckDocumentObjects(Ref<Object> container) {
  Ref<IRgAppDocuments> result;
  Guard(*this, "CheckDocumentObjects", [&] {
    if (host_) result = host_->CheckDocumentObjects(container);
  });
  return result;
}

bool RgProjectApplication::CheckOpenDocument(Ref<Object> object) {
  bool result = false;
  Guard(*this, "CheckOpenDocument", [&] {
    if (host_ && object) result = host_->CheckOpenDocument(object);
  });
  return result;
}

void RgProjectApplication::SetActiveMDIWindow() {
  Guard(*this, "SetActiveMDIWindow", [&] {
    TraceCall(3, kTypeName, "SetActiveMDIWindow");
    activeDocumentChange_.Emit(activeDocumentItem_);
  });
}

Ref<RgProjectItem> RgProjectApplication::P_GetActiveDocumentItem() {
  Ref<RgProjectItem> result;
  Guard(*this, "P_GetActiveDocumentItem", [&] {
    if (!host_ || !snapIn_) return;
    const Ref<IRgAppDocument> document = host_->ActiveDocument();
    if (!document) return;
    const Ref<IRgObject> object = document->Object();
    if (!object) return;
    for (const Ref<RgProjectModel>& model : {snapIn_->OfflineModel(), snapIn_->OnlineModel()}) {
      if (!model) continue;
      const Ref<RgProjectItemList> list = model->ItemList();
      if (list->Find(find_by::kObject, Variant(object))) {
        result = list->FoundItem();
        return;
      }
    }
  });
  return result;
}

void RgProjectApplication::moRgApplication_ActiveMDIWindowChanged() {
  Guard(*this, "moRgApplication_ActiveMDIWindowChanged", [&] {
    TraceCall(3, kTypeName, "moRgApplication_ActiveMDIWindowChanged");
    const Ref<RgProjectItem> item = P_GetActiveDocumentItem();
    if (platform::SameObject(item, activeDocumentItem_)) return;
    activeDocumentItem_ = item;
    activeDocumentChange_.Emit(item);
  });
}

}  // namespace mzblprsx
