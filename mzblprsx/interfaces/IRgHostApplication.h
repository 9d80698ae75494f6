// The host application object handed to the snap-in at Init.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgAppDocuments.h"
#include "mzblprsx/interfaces/IRgDocumentSet.h"
#include "mzblprsx/interfaces/IRgWindowCollection.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgHostApplication : public virtual platform::Object {
 public:
  /// The windows of a kind (5: the view windows such as "ProjectBar").
  virtual Ref<IRgWindowCollection> Windows(int32_t kind) = 0;
  virtual Ref<IRgAppDocuments> Documents() = 0;
  /// A new document set of a kind (3: flush and save of single documents).
  virtual Ref<IRgDocumentSet> CreateDocumentSet(int32_t kind) = 0;
  /// Opens a framework document in a window; the window, or a failure.
  virtual Ref<IRgViewWindow> OpenDocument(Ref<Object> document, int32_t flags) = 0;
  /// The snap-in of that name (IRgSISnapIn, IRgSICommandTarget), or nothing.
  virtual Ref<Object> SnapIn(const std::string& name) = 0;
  /// Dispatches a verb to the snap-ins; broadcast: to every one, else until one answers True.
  virtual bool DoVerb(int32_t verb, const Variant& arguments, bool broadcast) = 0;
  virtual void DoCommand(int32_t command, bool asynchronous) = 0;
  virtual void SetMainWindowExtension(const std::string& text) = 0;
  virtual void DoWaitCursor(int32_t operation) = 0;
  /// The explorer control of the active view (an IRgSICommandTarget), or nothing.
  virtual Ref<Object> ActiveExplorerControl() = 0;
  /// The document of the active window, or nothing.
  virtual Ref<IRgAppDocument> ActiveDocument() = 0;
  /// Documents whose framework object is gone, given the online project container.
  virtual Ref<IRgAppDocuments> CheckDocumentObjects(Ref<Object> container) = 0;
  /// Whether a document of the framework object is open.
  virtual bool CheckOpenDocument(Ref<Object> object) = 0;
  virtual platform::Signal<>& ActiveMDIWindowChanged() = 0;
  /// The handle of one of the application's own windows (kind 3: the main frame window, which
  /// owns the dialogs); 0 for a kind the host does not know.
  virtual int32_t GetWindowHandle(int32_t kind) = 0;
};

}  // namespace mzblprsx
