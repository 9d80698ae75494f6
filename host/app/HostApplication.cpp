#include "host/app/HostApplication.h"

#include <algorithm>
#include <optional>
#include <unordered_set>
#include <utility>

#include "host/app/AppDocument.h"
#include "host/app/AppDocuments.h"
#include "host/app/CommandUI.h"
#include "host/app/DocumentSet.h"
#include "host/app/IHostDocument.h"
#include "host/app/ViewRegister.h"
#include "host/app/ViewWindow.h"
#include "host/app/WindowCollection.h"
#include "host/project/Block.h"
#include "host/project/Program.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgObjectList.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/IRgSICommandTarget.h"
#include "platform/ui/Window.h"

namespace host {
namespace {

namespace clsid = mzblprsx::clsid;
constexpr std::string_view kSource = "HostApplication";

enum class Side { Unknown, Offline, Online };

Side SideOfClass(std::string_view classId) {
  static constexpr std::string_view kOffline[] = {
      clsid::kProjectOffline, clsid::kHwConfigOffline, clsid::kSymbolTable,    clsid::kVarTables,
      clsid::kReferences,     clsid::kDocumentation,   clsid::kProgramOffline, clsid::kBlockOffline,
      clsid::kCategory,       clsid::kGhostOffline};
  static constexpr std::string_view kOnline[] = {
      clsid::kProjectOnline, clsid::kHwConfigOnline, clsid::kProgramOnline, clsid::kBlockOnline,
      clsid::kGhostOnline,   clsid::kMemoryCard,     clsid::kMMCFile};
  for (auto id : kOffline) {
    if (id == classId) return Side::Offline;
  }
  for (auto id : kOnline) {
    if (id == classId) return Side::Online;
  }
  return Side::Unknown;
}

/// What a container holds: the identities of every reachable object, and its side.
struct Reach {
  std::unordered_set<const void*> objects;
  Side side = Side::Unknown;
};

Reach Walk(const platform::Ref<platform::Object>& container) {
  Reach reach;
  if (auto self = container.As<mzblprsx::IRgObject>()) reach.side = SideOfClass(self->ClassID());
  std::unordered_set<const void*> expanded;  // lists already walked (lists may be shared)
  std::vector<platform::Ref<mzblprsx::IRgObjectList>> pending;
  auto childrenOf = [&](const platform::Ref<platform::Object>& node) {
    if (auto nested = node.As<mzblprsx::IRgProjectContainer>()) {
      if (auto list = nested->Objects()) pending.push_back(list);
    }
    if (auto list = node.As<mzblprsx::IRgObjectList>()) pending.push_back(list);
    // A program holds its blocks outside any object list.
    if (auto program = node.As<Program>()) {
      for (const auto& block : program->Blocks()) reach.objects.insert(platform::Identity(block));
    }
  };
  childrenOf(container);
  while (!pending.empty()) {
    auto list = std::move(pending.back());
    pending.pop_back();
    if (!expanded.insert(platform::Identity(list)).second) continue;
    const int32_t count = list->Count();
    for (int32_t i = 1; i <= count; ++i) {
      auto child = list->Item(i);
      if (!child || !reach.objects.insert(platform::Identity(child)).second) continue;
      if (reach.side == Side::Unknown) reach.side = SideOfClass(child->ClassID());
      childrenOf(child);
    }
  }
  return reach;
}

}  // namespace

HostApplication::HostApplication()
    : mainWindow_(platform::MakeObject<platform::ui::Window>()),
      viewWindows_(platform::MakeObject<WindowCollection>(kViewWindows)),
      documentWindows_(platform::MakeObject<WindowCollection>(kDocumentWindows)),
      projectBar_(platform::MakeObject<ViewWindow>(std::string(kProjectBar))),
      documents_(platform::MakeObject<AppDocuments>()) {
  projectBar_->AddRegister(std::string(kRegisterProject));
  projectBar_->AddRegister(std::string(kRegisterOnline));
  viewWindows_->Add(projectBar_);
  mainWindow_->SetCaption(MainWindowTitle());
  mainWindow_->SetVisible(true);
}

HostApplication::~HostApplication() = default;

platform::Ref<mzblprsx::IRgWindowCollection> HostApplication::Windows(int32_t kind) {
  if (kind == kViewWindows) return viewWindows_;
  if (kind == kDocumentWindows) return documentWindows_;
  return platform::MakeObject<WindowCollection>(kind);
}

platform::Ref<mzblprsx::IRgAppDocuments> HostApplication::Documents() {
  return documents_;
}

platform::Ref<mzblprsx::IRgDocumentSet> HostApplication::CreateDocumentSet(int32_t kind) {
  if (kind != kDocumentSetKind) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "Document sets of kind " + std::to_string(kind) +
                              " are not supported; the host offers kind " +
                              std::to_string(kDocumentSetKind),
                          std::string(kSource));
  }
  auto set = platform::MakeObject<DocumentSet>(WeakSelf());
  for (const FlushFailure& failure : flushFailures_) {
    if (failure.whole) {
      set->FailFlushWith(failure.number);
    } else if (auto object = failure.object.lock()) {
      // A scripted object that is gone can fail nothing (and must not turn into a whole failure).
      set->FailFlushWith(failure.number, object);
    }
  }
  return set;
}

platform::Ref<mzblprsx::IRgViewWindow> HostApplication::OpenDocument(
    platform::Ref<platform::Object> document, int32_t flags) {
  if (!document) {
    throw platform::Error(platform::errc::kObjectNotSet, "OpenDocument: no object to open",
                          std::string(kSource));
  }
  auto object = document.As<mzblprsx::IRgObject>();
  if (!object) {
    throw platform::Error(platform::errc::kTypeMismatch,
                          "OpenDocument: the object to open is not a framework object (IRgObject)",
                          std::string(kSource));
  }
  if (auto existing = documents_->Find(document)) {
    opens_.push_back({existing->Name(), flags, true});
    ActivateDocument(existing);
    return existing->Window();
  }
  const std::string name = object->DisplayName();
  auto window = platform::MakeObject<ViewWindow>(name);
  for (const auto& view : EditorViews(object->ClassID())) window->AddRegister(view);
  window->SetDocumentTitle(name);
  // An editor opens on its main view.
  window->Registers().front()->BringToFront();
  auto opened = platform::MakeObject<AppDocument>(name, object.Shared(), window, WeakSelf());
  documents_->Add(opened);
  documentWindows_->Add(window);
  if (auto editable = document.As<IHostDocument>()) editable->SetOpen(true);
  opens_.push_back({name, flags, false});
  ActivateDocument(opened);
  return window;
}

platform::Ref<platform::Object> HostApplication::SnapIn(const std::string& name) {
  if (!snapIns_.Exists(name)) return {};
  return snapIns_.Item(name);
}

bool HostApplication::DoVerb(int32_t verb, const platform::Variant& arguments, bool broadcast) {
  bool answered = false;
  std::optional<platform::Error> first;
  for (const Target& t : Targets()) {
    // Recorded before the call, so that verbs a snap-in sends from inside follow it in the log.
    const size_t at = verbs_.size();
    verbs_.push_back({verb, t.name, arguments, broadcast, false, false});
    bool answer = false;
    try {
      answer = t.target->DoVerb(verb, arguments, broadcast);
    } catch (...) {
      verbs_[at].failed = true;
      if (!broadcast) throw;
      // A broadcast reaches every snap-in even when one of them fails.
      if (!first) first = platform::Error::FromCurrentException();
      continue;
    }
    verbs_[at].answer = answer;
    if (!answer) continue;
    answered = true;
    if (!broadcast) break;
  }
  if (first) throw *first;
  return answered;
}

void HostApplication::DoCommand(int32_t command, bool asynchronous) {
  const size_t at = commands_.size();
  commands_.push_back({command, asynchronous, {}});
  for (const Target& t : Targets()) {
    if (!t.target->IsResponsible(command)) continue;
    if (t.target->OnCommand(command)) {
      commands_[at].handledBy = t.name;
      return;
    }
  }
}

void HostApplication::DoWaitCursor(int32_t operation) {
  waitLog_.push_back(operation);
  switch (operation) {
    case 1:
      ++waitDepth_;
      hourglass_ = true;
      break;
    case 0:
      hourglass_ = true;
      break;
    case -1:
      if (waitDepth_ == 0) {
        ++waitImbalances_;
      } else {
        --waitDepth_;
      }
      hourglass_ = waitDepth_ > 0;
      break;
    default:
      break;
  }
}

void HostApplication::SetMainWindowExtension(const std::string& text) {
  extension_ = text;
  mainWindow_->SetCaption(MainWindowTitle());
}

int32_t HostApplication::GetWindowHandle(int32_t kind) {
  return kind == kMainFrameWindow ? mainWindow_->HWnd() : 0;
}

platform::Ref<mzblprsx::IRgAppDocument> HostApplication::ActiveDocument() {
  return active_;
}

platform::Ref<mzblprsx::IRgAppDocuments> HostApplication::CheckDocumentObjects(
    platform::Ref<platform::Object> container) {
  auto gone = platform::MakeObject<AppDocuments>();
  std::optional<Reach> reach;
  if (container) reach = Walk(container);
  for (const auto& document : documents_->Documents()) {
    auto object = document->Object();
    if (!object) {
      gone->Add(document);
      continue;
    }
    if (!reach) continue;
    const Side side = SideOfClass(object->ClassID());
    if (reach->side != Side::Unknown && side != Side::Unknown && side != reach->side) continue;
    if (!reach->objects.contains(platform::Identity(object))) gone->Add(document);
  }
  return gone;
}

bool HostApplication::CheckOpenDocument(platform::Ref<platform::Object> object) {
  return static_cast<bool>(documents_->Find(object));
}

void HostApplication::AddSnapIn(const std::string& name, platform::Ref<platform::Object> snapIn) {
  if (name.empty()) {
    throw platform::Error(platform::errc::kInvalidCall, "AddSnapIn: a snap-in needs a name",
                          std::string(kSource));
  }
  if (!snapIn) {
    throw platform::Error(platform::errc::kObjectNotSet,
                          "AddSnapIn: no snap-in object given for '" + name + "'",
                          std::string(kSource));
  }
  if (snapIns_.Exists(name)) {
    throw platform::Error(platform::errc::kDuplicateKey,
                          "A snap-in named '" + name + "' is already registered",
                          std::string(kSource));
  }
  snapIns_.Add(std::move(snapIn), name);
}

void HostApplication::RemoveSnapIn(const std::string& name) {
  if (snapIns_.Exists(name)) snapIns_.Remove(name);
}

std::vector<std::string> HostApplication::SnapInNames() const {
  std::vector<std::string> names;
  for (int32_t i = 1; i <= snapIns_.Count(); ++i) names.push_back(snapIns_.KeyAt(i));
  return names;
}

platform::Ref<CommandUI> HostApplication::UpdateCommandUI(int32_t command) {
  auto ui = platform::MakeObject<CommandUI>(command);
  for (const Target& t : Targets()) {
    if (t.target->OnUpdateUI(command, ui)) break;
  }
  return ui;
}

std::string HostApplication::MainWindowTitle() const {
  std::string title(kProgramName);
  if (!extension_.empty()) title += " - " + extension_;
  return title;
}

void HostApplication::ActivateDocument(const platform::Ref<AppDocument>& document) {
  if (document && !IsOpen(document)) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "ActivateDocument: the document '" + document->Name() + "' is not open",
                          std::string(kSource));
  }
  active_ = document;
  activeChanged_.Emit();
}

void HostApplication::CloseDocument(const platform::Ref<AppDocument>& document) {
  if (!document) return;
  if (!IsOpen(document)) {
    document->MarkClosed();
    return;
  }
  documents_->Remove(document);
  documentWindows_->Remove(document->Window());
  document->MarkClosed();
  if (auto editable = document->Object().As<IHostDocument>()) editable->SetOpen(false);
  if (active_.Get() != document.Get()) return;
  // As in an MDI frame, the window opened last among the remaining ones comes to the front.
  active_ = documents_->Documents().empty() ? platform::Ref<AppDocument>()
                                            : documents_->Documents().back();
  activeChanged_.Emit();
}

std::vector<std::string> HostApplication::EditorViews(std::string_view classId) {
  if (classId == clsid::kBlockOffline || classId == clsid::kBlockOnline) {
    return {"Code", "Properties"};
  }
  return {"Content", "Properties"};
}

void HostApplication::FailFlushWith(int32_t number,
                                    const platform::Ref<platform::Object>& forObject) {
  flushFailures_.push_back({number, !forObject, forObject.Shared()});
}

void HostApplication::Clear() {
  snapIns_.Clear();
  explorer_.Reset();
  active_.Reset();
  for (const auto& document : documents_->Documents()) document->MarkClosed();
  documents_->Clear();
  documentWindows_->Clear();
}

std::vector<HostApplication::Target> HostApplication::Targets() const {
  std::vector<Target> targets;
  for (int32_t i = 1; i <= snapIns_.Count(); ++i) {
    if (auto target = snapIns_.Item(i).As<mzblprsx::IRgSICommandTarget>()) {
      targets.push_back({snapIns_.KeyAt(i), target});
    }
  }
  return targets;
}

bool HostApplication::IsOpen(const platform::Ref<AppDocument>& document) const {
  return std::ranges::any_of(documents_->Documents(),
                             [&](const auto& d) { return d.Get() == document.Get(); });
}

std::weak_ptr<HostApplication> HostApplication::WeakSelf() {
  return std::dynamic_pointer_cast<HostApplication>(weak_from_this().lock());
}

}  // namespace host
