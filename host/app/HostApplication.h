// The reference host's application frame: what a snap-in reaches through the host object it gets
// at Init. It holds the view windows (kind 5: "ProjectBar" with the registers "Project" and
// "Online SPS"), the open documents and their windows (kind 1), the snap-in list with verb and
// command dispatch, the main-window title extension, the wait cursor and the active document.
//
//   auto app = platform::MakeObject<host::HostApplication>();
//   app->AddSnapIn("ProjectSnapIn", snapIn);          // after the snap-in's Init
//   app->DoVerb(1, {}, true);                         // every snap-in hears it
//   auto window = app->OpenDocument(block, -1);       // opens or re-uses the block's document
//   ...
//   app->Clear();                                     // after Detach: drops the snap-ins
//
// Ownership: the application owns its windows, its documents (each owning its window), its
// snap-in list and the active explorer control. Documents refer to their framework objects and to
// the application weakly. Snap-ins usually keep the host object they were given, so the list of
// snap-ins and the application form a cycle until the snap-ins are detached and Clear is called
// (the destructor cannot break a cycle that keeps it from running).
//
// Dispatch goes to the snap-ins in the order they were added, to those that are command targets.
// Trap: create the application with MakeObject; documents reach it through a weak reference, so a
// document of an application that is not shared cannot leave the list when closed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "mzblprsx/interfaces/IRgHostApplication.h"
#include "platform/KeyedCollection.h"

namespace mzblprsx {
class IRgSICommandTarget;
}  // namespace mzblprsx

namespace platform::ui {
class Window;
}  // namespace platform::ui

namespace host {

class AppDocument;
class AppDocuments;
class CommandUI;
class ViewWindow;
class WindowCollection;

class HostApplication final : public mzblprsx::IRgHostApplication {
 public:
  static constexpr std::string_view kProgramName = "prjsnap";
  /// Window kinds: the windows of open documents, the view windows.
  static constexpr int32_t kDocumentWindows = 1;
  static constexpr int32_t kViewWindows = 5;
  /// Window handle kinds (GetWindowHandle): the main frame window.
  static constexpr int32_t kMainFrameWindow = 3;
  /// The one document-set kind: flush and save of single documents.
  static constexpr int32_t kDocumentSetKind = 3;
  static constexpr std::string_view kProjectBar = "ProjectBar";
  static constexpr std::string_view kRegisterProject = "Project";
  static constexpr std::string_view kRegisterOnline = "Online SPS";

  /// One snap-in's part in a DoVerb, in the order the snap-ins were called.
  struct VerbDispatch {
    int32_t verb;
    std::string snapIn;
    platform::Variant arguments;
    bool broadcast;
    bool answer;  // what the snap-in returned
    bool failed;  // it raised an error instead
  };
  /// One DoCommand; handledBy names the snap-in whose OnCommand answered True ("" for none).
  struct CommandRecord {
    int32_t command;
    bool asynchronous;
    std::string handledBy;
  };
  /// One OpenDocument; reused when a document of the object was open already.
  struct OpenRequest {
    std::string name;
    int32_t flags;
    bool reused;
  };

  HostApplication();
  ~HostApplication() override;
  std::string_view TypeName() const override { return "HostApplication"; }

  // IRgHostApplication
  /// Kind 5: the view windows; kind 1: the document windows; any other kind: a new empty
  /// collection.
  platform::Ref<mzblprsx::IRgWindowCollection> Windows(int32_t kind) override;
  platform::Ref<mzblprsx::IRgAppDocuments> Documents() override;
  /// A new set of kind 3; error 5 for any other kind. Scripted flush failures (FailFlushWith)
  /// are handed to the new set.
  platform::Ref<mzblprsx::IRgDocumentSet> CreateDocumentSet(int32_t kind) override;
  /// Opens a document on an IRgObject (error 91 for nothing, 13 for any other object) or re-uses
  /// the open one; either way the document becomes active. A new window has the registers of
  /// EditorViews and opens on the first; its title is the object's display name.
  platform::Ref<mzblprsx::IRgViewWindow> OpenDocument(platform::Ref<platform::Object> document,
                                                      int32_t flags) override;
  /// The snap-in of that name (without regard to case), or nothing.
  platform::Ref<platform::Object> SnapIn(const std::string& name) override;
  /// Broadcast: every command-target snap-in is called, the result is whether any answered True;
  /// a snap-in's error is raised after all were called. Otherwise the snap-ins are called until
  /// one answers True, and an error ends the dispatch at once.
  bool DoVerb(int32_t verb, const platform::Variant& arguments, bool broadcast) override;
  /// Records the command and offers it to the snap-ins: the first one that IsResponsible and
  /// whose OnCommand answers True has handled it. The reference host has no message queue, so an
  /// asynchronous command runs at once as well (the flag is recorded).
  void DoCommand(int32_t command, bool asynchronous) override;
  /// Keeps the extension and shows the new title (MainWindowTitle) on the main frame window.
  void SetMainWindowExtension(const std::string& text) override;
  /// 1 deepens the wait and shows the hourglass; -1 ends one level and shows the default cursor
  /// when none is left (a -1 without a wait is counted as an imbalance); 0 shows the hourglass
  /// again without deepening; other values only enter the log.
  void DoWaitCursor(int32_t operation) override;
  platform::Ref<platform::Object> ActiveExplorerControl() override { return explorer_; }
  platform::Ref<mzblprsx::IRgAppDocument> ActiveDocument() override;
  /// The open documents whose object is gone: expired, or not reachable from the container.
  /// Reachable: the container's Objects() and, depth first, the children of every object met
  /// that is itself an IRgProjectContainer (its Objects()) or an IRgObjectList (its items),
  /// compared by identity. Only documents of the container's side are checked for
  /// reachability: offline and online are told apart by the framework class ids of the
  /// container (or, when it has none, of the first object with a known class in it); a document
  /// of the other side is not gone because this container lacks it. With no container only
  /// expired objects count.
  platform::Ref<mzblprsx::IRgAppDocuments> CheckDocumentObjects(
      platform::Ref<platform::Object> container) override;
  /// Whether a document of that object is open (false for nothing).
  bool CheckOpenDocument(platform::Ref<platform::Object> object) override;
  platform::Signal<>& ActiveMDIWindowChanged() override { return activeChanged_; }
  /// Kind 3: the main frame window's handle; 0 for any other kind.
  int32_t GetWindowHandle(int32_t kind) override;

  // Snap-ins
  /// Adds a snap-in at the end of the list; error 5 for an empty name, 91 for nothing, 457 when
  /// the name is taken.
  void AddSnapIn(const std::string& name, platform::Ref<platform::Object> snapIn);
  /// Removes a snap-in; an unknown name is ignored.
  void RemoveSnapIn(const std::string& name);
  /// The snap-in names in dispatch order.
  std::vector<std::string> SnapInNames() const;
  /// A user-interface element for the command, offered to the snap-ins' OnUpdateUI until one
  /// answers True.
  platform::Ref<CommandUI> UpdateCommandUI(int32_t command);
  const std::vector<VerbDispatch>& VerbDispatches() const { return verbs_; }
  const std::vector<CommandRecord>& CommandLog() const { return commands_; }

  // Main window and cursor
  /// The main frame window: a top-level window of the thread that created the application,
  /// visible from the start; dialogs of the snap-ins are owned by it.
  const platform::Ref<platform::ui::Window>& MainWindow() const { return mainWindow_; }
  const std::string& MainWindowExtension() const { return extension_; }
  /// "prjsnap - <extension>", or "prjsnap" without an extension.
  std::string MainWindowTitle() const;
  int32_t WaitCursorDepth() const { return waitDepth_; }
  /// Every DoWaitCursor operation, in order.
  const std::vector<int32_t>& WaitCursorLog() const { return waitLog_; }
  bool WaitCursorShown() const { return hourglass_; }
  /// How many -1 came without a wait to end.
  int32_t WaitCursorImbalances() const { return waitImbalances_; }

  // Windows and documents
  void SetActiveExplorerControl(platform::Ref<platform::Object> control) {
    explorer_ = std::move(control);
  }
  platform::Ref<WindowCollection> ViewWindows() const { return viewWindows_; }
  platform::Ref<WindowCollection> DocumentWindows() const { return documentWindows_; }
  platform::Ref<ViewWindow> ProjectBar() const { return projectBar_; }
  platform::Ref<AppDocuments> DocumentList() const { return documents_; }
  /// Makes an open document the active one (nothing: no document is active) and raises
  /// ActiveMDIWindowChanged, also when it was active already; error 5 for a document that is not
  /// open.
  void ActivateDocument(const platform::Ref<AppDocument>& document);
  /// Takes a document out of the documents and its window out of the document windows, marks its
  /// object closed (IHostDocument); when it was active, the last document opened before it
  /// becomes active. AppDocument::Close calls this.
  void CloseDocument(const platform::Ref<AppDocument>& document);
  const std::vector<OpenRequest>& OpenRequests() const { return opens_; }
  /// The registers of a document window on an object of that class: "Code" and "Properties" for
  /// blocks (offline and online), "Content" and "Properties" for everything else.
  static std::vector<std::string> EditorViews(std::string_view classId);

  // Document sets
  /// Scripts a flush failure into every document set created from now on (see DocumentSet).
  void FailFlushWith(int32_t number, const platform::Ref<platform::Object>& forObject = {});
  void ClearFlushFailures() { flushFailures_.clear(); }
  /// The journal of every document set of this application ("flush FB10", "save FB10", ...).
  const std::vector<std::string>& DocumentLog() const { return documentLog_; }
  void RecordDocumentEvent(std::string entry) { documentLog_.push_back(std::move(entry)); }

  /// Releases the snap-ins, the active explorer control and the documents with their windows
  /// (without closing events), breaking the cycles with the snap-ins. The frame stays usable.
  void Clear();

 private:
  struct Target {
    std::string name;
    platform::Ref<mzblprsx::IRgSICommandTarget> target;
  };
  struct FlushFailure {
    int32_t number;
    bool whole;
    std::weak_ptr<platform::Object> object;
  };
  /// The command-target snap-ins at this moment, so that dispatch survives changes of the list.
  std::vector<Target> Targets() const;
  bool IsOpen(const platform::Ref<AppDocument>& document) const;
  std::weak_ptr<HostApplication> WeakSelf();

  platform::Ref<platform::ui::Window> mainWindow_;
  platform::Ref<WindowCollection> viewWindows_;
  platform::Ref<WindowCollection> documentWindows_;
  platform::Ref<ViewWindow> projectBar_;
  platform::Ref<AppDocuments> documents_;
  platform::Ref<AppDocument> active_;
  platform::Ref<platform::Object> explorer_;
  platform::KeyedCollection<platform::Ref<platform::Object>> snapIns_;
  platform::Signal<> activeChanged_;
  std::vector<VerbDispatch> verbs_;
  std::vector<CommandRecord> commands_;
  std::vector<OpenRequest> opens_;
  std::vector<FlushFailure> flushFailures_;
  std::vector<std::string> documentLog_;
  std::string extension_;
  int32_t waitDepth_ = 0;
  int32_t waitImbalances_ = 0;
  bool hourglass_ = false;
  std::vector<int32_t> waitLog_;
};

}  // namespace host
