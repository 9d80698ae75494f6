// A document open in the reference host's application frame: one framework object shown in one
// document window.
//
//   auto window = app->OpenDocument(block, -1);      // creates the AppDocument and its window
//   auto doc = app->Documents()->ItemByObject(block);
//   doc->SetTitle("FB10 (Motor)");                    // the window's title is the document's
//   doc->Close();                                     // leaves the application's documents
//
// The document holds its framework object, as an editor holds what it edits: when the project
// drops the object, the document still names it, and the frame finds such documents by walking
// the project (HostApplication::CheckDocumentObjects), so that the library can close them. Name is
// the object's display name when it was opened.
// Trap: the title lives in the window (SetTitle and the window's SetDocumentTitle are one text).
#pragma once

#include <memory>
#include <string>

#include "mzblprsx/interfaces/IRgAppDocument.h"

namespace host {

class HostApplication;
class ViewWindow;

class AppDocument final : public mzblprsx::IRgAppDocument {
 public:
  /// window: the document's window (owned); application: the frame that closes it (not owned).
  AppDocument(std::string name, std::weak_ptr<mzblprsx::IRgObject> object,
              platform::Ref<ViewWindow> window, std::weak_ptr<HostApplication> application);
  std::string_view TypeName() const override { return "AppDocument"; }

  std::string Name() override { return name_; }
  std::string Title() override;
  void SetTitle(const std::string& title) override;
  /// The framework object, or nothing when it is gone.
  platform::Ref<mzblprsx::IRgObject> Object() override;
  /// Leaves the application's documents and windows; a second Close does nothing.
  void Close() override;

  /// True when the framework object no longer exists.
  bool ObjectGone() const { return !object_; }
  /// True when the document shows this object (false for nothing or a gone object).
  bool Shows(const platform::Ref<platform::Object>& object) const;
  const platform::Ref<ViewWindow>& Window() const { return window_; }
  bool Closed() const { return closed_; }
  /// Called by the application when it takes the document out of its lists.
  void MarkClosed() { closed_ = true; }

 private:
  std::string name_;
  std::shared_ptr<mzblprsx::IRgObject> object_;  // kept while the document is open
  platform::Ref<ViewWindow> window_;
  std::weak_ptr<HostApplication> application_;  // not owned: the frame owns its documents
  bool closed_ = false;
};

}  // namespace host
