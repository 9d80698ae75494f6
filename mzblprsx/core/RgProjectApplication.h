// The library's wrapper of the host application: commands, verbs and the wait cursor forwarded
// to the host; documents and windows; the main window's title extension and the titles of open
// documents kept in step with the project items; the project bar's views; the active document.
//
// Without a host object (before Init, after Detach, or in a test) the forwarding operations do
// nothing, DoWaitCursor drives the process's own screen cursor and OpenDocument raises the
// OpenDocument event instead of opening a window.
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectSnapin;
class RgProjectDocumentSet;
class RgProjectItem;
class RgProjectItems;
class IRgHostApplication;
class IRgViewWindow;
class IRgAppDocuments;
class IRgWindowCollection;

class RgProjectApplication final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgProjectApplication";
  /// The process's screen cursor, used while there is no host.
  enum class ScreenCursor { Default, Hourglass };

  RgProjectApplication() = default;
  ~RgProjectApplication() override = default;
  std::string_view TypeName() const override { return kTypeName; }

  // _RgProjectApplication
  Ref<RgProjectItem> ActiveDocumentItem();
  /// The host's active explorer control, or nothing.
  Ref<Object> ActiveExplorerControl();
  bool ApplicationInitialized();
  Ref<IRgHostApplication> RgApplication();
  /// The host's snap-in of that name, or nothing.
  Ref<Object> SnapIn(const std::string& name);
  Ref<IRgAppDocuments> Documents();
  Ref<IRgWindowCollection> Windows();
  void DoWaitCursor(int32_t operation);
  /// A set of the framework documents of the items' objects; nothing for no or no items.
  Ref<RgProjectDocumentSet> CreateDocumentSetWithItems(const Ref<RgProjectItems>& items);
  bool FlushDocument(Ref<Object> document);
  Ref<IRgViewWindow> GetViewWindow(const std::string& viewName);
  void SetMainWindowExtension(const std::string& text);
  void SetWindowTitle(const Ref<RgProjectItem>& item);
  Ref<IRgViewWindow> OpenDocumentWithItem(const Ref<RgProjectItem>& item,
                                          const std::string& viewName = {});
  Ref<IRgViewWindow> OpenDocument(Ref<Object> document, const std::string& title = {},
                                  const std::string& viewName = {});
  void SaveDocument(Ref<Object> document);
  void TopViewRegister(const std::string& viewName, const std::string& registerName);
  void DoVerb(int32_t verb, const Variant& arguments, bool broadcast);
  void DoCommand(int32_t command, bool asynchronous = false);

  // Library-internal
  Ref<RgProjectSnapin> SnapInObject();
  void SetSnapIn(Ref<RgProjectSnapin> snapIn);
  /// Hands the host object over (nothing releases it and ends the host event subscription).
  void SetRgApplication(Ref<Object> host);
  void SetApplicationInitialized(bool initialized);
  void SetProjectBarWindow(bool on);
  Ref<IRgViewWindow> ProjectBarWindow() { return projectBarWindow_; }
  void RefreshWindowTitles(const Ref<RgProjectItems>& items);
  Ref<IRgAppDocuments> CheckDocumentObjects(Ref<Object> container);
  bool CheckOpenDocument(Ref<Object> object);
  void SetActiveMDIWindow();

  // Events of __RgProjectApplication
  platform::Signal<Ref<Object>>& OpenDocumentEvent() { return openDocument_; }
  platform::Signal<Ref<RgProjectItem>>& ActiveDocumentChange() { return activeDocumentChange_; }

  /// The process's screen cursor as DoWaitCursor left it without a host.
  static ScreenCursor CurrentScreenCursor();

 private:
  void P_SetAppDocumentTitle(Ref<Object> object, const std::string& title);
  Ref<RgProjectItem> P_GetActiveDocumentItem();
  void moRgApplication_ActiveMDIWindowChanged();

  InstanceTrace trace_{kTypeName};
  Ref<RgProjectSnapin> snapIn_;
  Ref<IRgHostApplication> host_;
  platform::ScopedConnection hostSink_;
  Ref<IRgViewWindow> projectBarWindow_;
  Ref<RgProjectItem> activeDocumentItem_;
  bool applicationInitialized_ = false;
  platform::Signal<Ref<Object>> openDocument_;
  platform::Signal<Ref<RgProjectItem>> activeDocumentChange_;
};

}  // namespace mzblprsx
