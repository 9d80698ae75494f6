#include "TransferCommand.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <system_error>
#include <utility>

#include "DialogAnswers.h"
#include "ProgramTree.h"
#include "Refused.h"
#include "SessionThread.h"
#include "SnapInLibrary.h"
#include "TerminalModalLoop.h"
#include "TransferFile.h"
#include "WholeFile.h"
#include "host/Environment.h"
#include "host/framework/Clipboard.h"
#include "host/framework/ClipboardFormats.h"
#include "host/framework/DataObject.h"
#include "host/framework/ErrorService.h"
#include "host/model/ItemReferenceList.h"
#include "host/project/OfflineProject.h"
#include "host/project/ProjectFileObject.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/streaming/IRgObjectStreamServiceHost.h"
#include "mzblprsx/streaming/IRgObjectStreamServices.h"
#include "mzblprsx/streaming/RgStreamEnums.h"
#include "platform/Error.h"
#include "platform/ui/UiState.h"

namespace prjsnap {
namespace {

using ItemRef = platform::Ref<mzblprsx::RgProjectItem>;
using ItemsRef = platform::Ref<mzblprsx::RgProjectItems>;
using ServiceRef = platform::Ref<mzblprsx::IRgObjectStreamServiceHost>;
using Kind = TransferRequest::Kind;

constexpr int32_t kOffline = 1;
constexpr int32_t kFormats[] = {mzblprsx::RgStreamServiceFormatObjectList,
                                mzblprsx::RgStreamServiceFormatObjectData,
                                mzblprsx::RgStreamServiceFormatObjectSource};
constexpr std::string_view kListFormatName = "rgCFObjectList";
constexpr std::string_view kSourceFormatName = "rgCFObjectSource";
/// Where the library reports a symbol that a received block could not take: the block is in,
/// only its symbol is not, so the report tells the user rather than refusing the transfer.
constexpr std::string_view kSymbolReportSource =
    "mzblprsx.RgPrjStreamHandlerOffline.P_SetBlockSymbol";

/// A fault of the user's input, found before anything was changed: exit code 2.
class BadInput : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

bool IsCategory(const ItemRef& item) {
  const std::string type = ItemText(item, "TYPE");
  return type == "RgCategory" || type == "RgCategoryDefault";
}

bool IsRealBlock(const ItemRef& item) {
  const std::string type = ItemText(item, "TYPE");
  return type.find("RgBlock") != std::string::npos && type != "RgGhostBlock";
}

/// Adds the item as an explorer selection of its node would: a category with its non-system
/// blocks (the firmware's blocks never travel), anything else alone.
void Select(const ItemsRef& selection, const ItemRef& item) {
  selection->Add(item, nullptr, nullptr);
  if (!IsCategory(item)) return;
  const ItemsRef blocks = item->Items();
  for (int32_t i = 1; i <= blocks->Count(); ++i) {
    const ItemRef block = blocks->Item(i);
    if (!IsRealBlock(block) || block->Data()->Value("SYSTEM", platform::Variant(true)).ToBool()) {
      continue;
    }
    if (selection->IndexOf(block) == 0) selection->Add(block, nullptr, nullptr);
  }
}

/// The symbol of every block the program shows, by block name.
std::map<std::string, std::string> BlockSymbols(ProgramTree& tree) {
  std::map<std::string, std::string> symbols;
  const ItemsRef categories = tree.ProgramItem()->Items();
  for (int32_t i = 1; i <= categories->Count(); ++i) {
    const ItemsRef blocks = categories->Item(i)->Items();
    for (int32_t k = 1; k <= blocks->Count(); ++k) {
      const ItemRef block = blocks->Item(k);
      if (IsRealBlock(block)) symbols[ItemText(block, "NAME")] = ItemText(block, "SYMBOL");
    }
  }
  return symbols;
}

/// One application of the transfer: a snap-in session on its own thread and the library
/// objects that the transfer holds on that side, released there before the session ends.
class Application {
 public:
  Application(const std::filesystem::path& project, std::shared_ptr<SnapInLibrary> library,
              std::ostream& out)
      : thread_(Options(project, std::move(library))), project_(project) {
    thread_.Call([&out](SnapInSession& session) {
      // Message boxes of the library (objects not saved, a move finished) are told to the user
      // and take their default button, as nobody is there to press another.
      session.Env().Errors().SetAnswerer([&out](const host::MessageRecord& message) {
        out << "message: " << message.text << "\n";
        return host::ErrorService::DefaultAnswer(message.style);
      });
    });
  }
  ~Application() {
    try {
      thread_.Call([this](SnapInSession& session) {
        carried_.Reset();
        service_.Reset();
        if (loop_) platform::ui::UiState::Current().SetModalLoop(nullptr);
        loop_.Reset();
        session.Env().Errors().SetAnswerer({});
      });
    } catch (...) {  // NOLINT(bugprone-empty-catch): teardown has no caller to tell
    }
  }
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  const std::filesystem::path& Project() const { return project_; }

  /// Puts the byte forms of the selected items on the process clipboard; the carried items'
  /// names. Refused when the selection cannot go with the action.
  std::string Copy(const std::vector<std::string>& texts, int32_t action) {
    return Run([&](SnapInSession& session) {
      ProgramTree tree(session.OfflineModel());
      const auto selection = platform::MakeObject<host::ItemReferenceList>();
      for (const std::string& text : texts) {
        Select(selection, tree.Find(text, ProgramTree::kAnything));
      }
      const ServiceRef service = Service(session);
      const std::string verb =
          action == mzblprsx::RgStreamServiceDataActionMove ? "moved" : "copied";
      if (!service->CanStreamData(selection, action)) {
        throw Refused(ItemNames(selection) + (selection->Count() == 1 ? " cannot" : " cannot all") +
                      " be " + verb);
      }
      carried_ = service->GetStreamItems(selection, action);
      if (carried_->Count() == 0) throw Refused("the selection carries nothing to be " + verb);
      std::map<int16_t, host::Clipboard::Bytes> blocks;
      blocks[service->GetFormat(mzblprsx::RgStreamServiceFormatObjectList)] =
          service->StreamItemList(carried_);
      blocks[service->GetFormat(mzblprsx::RgStreamServiceFormatObjectData)] =
          service->StreamItemData(carried_);
      blocks[service->GetFormat(mzblprsx::RgStreamServiceFormatObjectSource)] =
          service->StreamObjectSource();
      host::Clipboard::Process()->Replace(std::move(blocks));
      return ItemNames(carried_);
    });
  }

  struct Pasted {
    int32_t inserted = 0;
    std::string names;
    int32_t cancelledDialogs = 0;
    /// What happened to received blocks' symbols, one sentence each.
    std::vector<std::string> symbolNotes;
  };

  /// Pastes the clipboard's byte forms at the item `at` names (the program when empty), with
  /// the dialog answered by `answers`. Refused when nothing can be inserted or the insert stops.
  Pasted Paste(const std::string& at, int32_t action, const std::vector<DialogAnswer>& answers,
               std::istream* terminal, std::ostream& out, const std::string& from) {
    return Run([&](SnapInSession& session) {
      ProgramTree tree(session.OfflineModel());
      platform::Ref<mzblprsx::RgProjectItem> position =
          at.empty() ? tree.ProgramItem() : tree.Find(at, ProgramTree::kAnything);
      const ServiceRef service = Service(session);

      std::optional<host::Clipboard::Bytes> bytes[3];
      for (size_t i = 0; i < 3; ++i) {
        bytes[i] = host::Clipboard::Process()->GetData(service->GetFormat(kFormats[i]));
        if (!bytes[i]) {
          const auto name = host::ClipboardFormats::NameOf(service->GetFormat(kFormats[i]));
          throw Refused(from + " holds no " +
                        (i == 0   ? "object list"
                         : i == 1 ? "object data"
                                  : "object source") +
                        " (format " + name.value_or("?") + ")");
        }
      }
      const int32_t source = service->CheckSourceFromSameApplication(*bytes[2]);
      const int32_t allowed = service->CanInsertStreamData(*bytes[0], source);
      CheckReports(session);
      if ((allowed & action) == 0) {
        throw Refused(std::string("the objects of ") + from + " cannot be " +
                      (action == mzblprsx::RgStreamServiceDataActionMove ? "moved" : "copied") +
                      " into " + Project().filename().string());
      }

      loop_ = platform::MakeObject<TerminalModalLoop>(answers, terminal, out);
      platform::ui::UiState::Current().SetModalLoop(loop_);
      const std::map<std::string, std::string> symbolsBefore = BlockSymbols(tree);
      ItemsRef inserted;
      const bool done = service->InsertStreamData(*bytes[1], action, position, inserted, source);
      Pasted result;
      result.symbolNotes = SymbolReports(session);
      CheckReports(session);
      NoteRemovedSymbols(symbolsBefore, inserted, result.symbolNotes);
      result.cancelledDialogs = loop_->Cancelled();
      result.inserted = inserted ? inserted->Count() : 0;
      result.names = ItemNames(inserted);
      if (!done) {
        throw Refused(result.cancelledDialogs > 0
                          ? "the transfer was cancelled; nothing was changed"
                          : "the objects were not inserted; nothing was changed");
      }
      if (result.inserted == 0 && result.cancelledDialogs > 0) {
        throw Refused("the transfer was cancelled; nothing was changed");
      }
      return result;
    });
  }

  /// Prints what happened to the received blocks' symbols.
  static void PrintNotes(const Pasted& pasted, std::ostream& out) {
    for (const std::string& note : pasted.symbolNotes) out << "symbol: " << note << "\n";
  }

  /// The sending side finishes a move: the objects the receiver took leave this project.
  void CompleteMove() {
    Run([&](SnapInSession& session) {
      Service(session)->InsertStreamDataComplete(mzblprsx::RgStreamServiceDataActionMove, carried_);
    });
  }

  /// Writes the project file.
  void Save() {
    Run([](SnapInSession& session) {
      const auto file = session.Env().Project()->FileObject();
      file->SetSaveToDisk(true);
      file->Save(0);
      file->SetSaveToDisk(false);  // what the session's end may still save is not the transfer
    });
  }

 private:
  static SnapInSession::Options Options(const std::filesystem::path& project,
                                        std::shared_ptr<SnapInLibrary> library) {
    SnapInSession::Options options;
    options.project = project;
    options.loaded = std::move(library);
    options.readOnly = true;  // saves stay in memory until the whole transfer has succeeded
    return options;
  }

  /// Runs a step on the application's thread; what the library reported meanwhile refuses it.
  /// A failure on the way is the transfer's failure (exit code 1), not bad input.
  template <class F>
  auto Run(F&& step) -> std::invoke_result_t<F&, SnapInSession&> {
    try {
      return thread_.Call([&](SnapInSession& session) {
        reportsBefore_ = session.Env().Errors().Reports().size();
        return step(session);
      });
    } catch (const platform::Error& failed) {
      throw Refused(failed.Description());
    }
  }

  /// The reports of symbols that received blocks could not take, each a note for the user.
  std::vector<std::string> SymbolReports(SnapInSession& session) const {
    std::vector<std::string> notes;
    const auto& reports = session.Env().Errors().Reports();
    for (size_t i = reportsBefore_; i < reports.size(); ++i) {
      if (reports[i].source != kSymbolReportSource) continue;
      notes.push_back(reports[i].description + "; the block was inserted without it");
    }
    return notes;
  }

  /// A received block that replaced one with a symbol but brought none leaves its address
  /// without a symbol: the user learns it, as the name may be in use elsewhere.
  static void NoteRemovedSymbols(const std::map<std::string, std::string>& before,
                                 const ItemsRef& inserted, std::vector<std::string>& notes) {
    for (int32_t i = 1; inserted && i <= inserted->Count(); ++i) {
      const ItemRef item = inserted->Item(i);
      if (!IsRealBlock(item)) continue;
      const std::string name = ItemText(item, "NAME");
      const auto old = before.find(name);
      if (old == before.end() || old->second.empty() || !ItemText(item, "SYMBOL").empty()) {
        continue;
      }
      notes.push_back(name + " has no symbol now: the received block had none ('" + old->second +
                      "' was removed)");
    }
  }

  void CheckReports(SnapInSession& session) {
    const auto& reports = session.Env().Errors().Reports();
    if (reports.size() <= reportsBefore_) return;
    std::string text;
    for (size_t i = reportsBefore_; i < reports.size(); ++i) {
      if (reports[i].source == kSymbolReportSource) continue;  // a note, see SymbolReports
      text += (text.empty() ? "" : "\nprjsnap: ") + reports[i].description;
    }
    if (!text.empty()) throw Refused(text);
  }

  ServiceRef Service(SnapInSession& session) {
    if (!service_) {
      const auto services = session.SnapIn().As<mzblprsx::IRgObjectStreamServices>();
      if (services) service_ = services->ObjectStreamService(kOffline);
      if (!service_) throw Refused("the snap-in offers no stream service for the project");
    }
    return service_;
  }

  SessionThread thread_;
  std::filesystem::path project_;
  size_t reportsBefore_ = 0;
  ServiceRef service_;
  ItemsRef carried_;
  platform::Ref<TerminalModalLoop> loop_;
};

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw BadInput("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (const auto failed = WholeFile::Write(path, text)) throw Refused("cannot write " + *failed);
}

/// The three byte forms now on the clipboard, under their formats' names.
TransferFile ClipboardToFile() {
  TransferFile file;
  const auto& clipboard = *host::Clipboard::Process();
  for (const int16_t format : clipboard.Formats()) {
    file.sections.push_back({host::ClipboardFormats::NameOf(format).value_or(""),
                             clipboard.GetData(format).value_or(host::Clipboard::Bytes{})});
  }
  return file;
}

/// A transfer file's sections put on the clipboard, each under the number its name has here.
void FileToClipboard(const TransferFile& file) {
  std::map<int16_t, host::Clipboard::Bytes> blocks;
  for (const TransferFile::Section& section : file.sections) {
    blocks[host::ClipboardFormats::Register(section.format)] = section.data;
  }
  host::Clipboard::Process()->Replace(std::move(blocks));
}

TransferFile ReadTransferFile(const std::filesystem::path& path) {
  TransferFile file;
  try {
    file = TransferFile::Read(ReadBytes(path));
  } catch (const platform::Error& damaged) {
    throw BadInput(path.string() + " is " + damaged.Description());
  }
  for (const std::string_view name : {kListFormatName, kSourceFormatName}) {
    if (file.Find(name) == nullptr) {
      throw BadInput(path.string() + " carries no project objects: it has no " + std::string(name) +
                     " section");
    }
  }
  if (file.sections.size() != 3) {
    throw BadInput(path.string() + " carries no project objects: it has " +
                   Plural(static_cast<int32_t>(file.sections.size()), "section") +
                   ", not the object list, data and source");
  }
  // The library takes object data it cannot read for "nothing to insert"; read here, its fault
  // (two entries whose keys differ only in case, say) is named before the project is opened.
  const std::vector<uint8_t>* data = file.Find(host::DataObject::kFormatName);
  if (data != nullptr && data->size() != 1) {
    try {
      platform::MakeObject<host::DataObject>()->LoadBytes(*data);
    } catch (const platform::Error& damaged) {
      throw BadInput(path.string() +
                     " carries object data that cannot be read: " + damaged.Description());
    }
  }
  return file;
}

int Copy(const std::shared_ptr<SnapInLibrary>& library, const TransferRequest& request,
         const std::vector<DialogAnswer>& answers, std::istream* terminal, std::ostream& out) {
  const int32_t action = request.move ? mzblprsx::RgStreamServiceDataActionMove
                                      : mzblprsx::RgStreamServiceDataActionCopy;
  std::error_code ec;
  const bool sameFile = std::filesystem::equivalent(request.project, request.target, ec);
  const std::string verb = request.move ? "moved" : "copied";

  if (sameFile) {
    // One file is one application: the paste goes into the tree the copy came from, and a
    // move there is the insert's own business (nothing is left to delete afterwards).
    Application app(request.project, library, out);
    const std::string carried = app.Copy(request.items, action);
    const auto pasted = app.Paste(request.at, action, answers, terminal, out, "the clipboard");
    if (pasted.inserted == 0) {
      out << "nothing was " << verb << " (" << carried << ")\n";
      return 0;
    }
    app.Save();
    Application::PrintNotes(pasted, out);
    out << verb << " " << carried << " within " << request.project.filename().string() << ": "
        << pasted.names << "\n";
    return 0;
  }

  // Two files are two applications; the target starts after the source, so a target that does
  // not load stops the command before anything was carried.
  Application source(request.project, library, out);
  Application target(request.target, library, out);
  const std::string carried = source.Copy(request.items, action);
  const auto pasted = target.Paste(request.at, action, answers, terminal, out, "the clipboard");
  if (pasted.inserted == 0) {
    out << "nothing was " << verb << " (" << carried << " left as they are)\n";
    return 0;
  }
  if (request.move) {
    // Objects the user cancelled stayed behind; deleting them at the source would lose them.
    if (pasted.cancelledDialogs > 0) {
      throw Refused("the move was cancelled for some objects; nothing was changed");
    }
    source.CompleteMove();
  }
  target.Save();
  if (request.move) source.Save();
  Application::PrintNotes(pasted, out);
  out << verb << " " << carried << " from " << request.project.filename().string() << " to "
      << request.target.filename().string() << ": " << pasted.names << "\n";
  return 0;
}

int Export(const std::shared_ptr<SnapInLibrary>& library, const TransferRequest& request,
           std::ostream& out) {
  Application app(request.project, library, out);
  const std::string carried = app.Copy(request.items, mzblprsx::RgStreamServiceDataActionCopy);
  WriteBytes(request.file, ClipboardToFile().Write());
  out << "exported " << carried << " to " << request.file.string() << "\n";
  return 0;
}

int Import(const std::shared_ptr<SnapInLibrary>& library, const TransferRequest& request,
           const TransferFile& file, const std::vector<DialogAnswer>& answers,
           std::istream* terminal, std::ostream& out) {
  Application app(request.project, library, out);
  FileToClipboard(file);
  const auto pasted = app.Paste(request.at, mzblprsx::RgStreamServiceDataActionCopy, answers,
                                terminal, out, request.file.filename().string());
  if (pasted.inserted == 0) {
    out << "nothing was imported\n";
    return 0;
  }
  app.Save();
  Application::PrintNotes(pasted, out);
  out << "imported into " << request.project.filename().string() << ": " << pasted.names << "\n";
  return 0;
}

}  // namespace

void AddTransferCommands(CLI::App& app, TransferRequest& request) {
  const char* itemHelp =
      "the items, as the tree names them: a block by name or symbol, a category, the program or "
      "the project by name (prefix block:, category:, program: or project: when a name is "
      "ambiguous)";
  const char* atHelp =
      "where the objects go in the target: a block, a category or the program "
      "(default: the program)";
  const char* answersHelp =
      "answers of the overwrite dialog, e.g. rename:12:Motor2:ok,overwrite:all,ignore:ok,cancel";

  CLI::App* copy = app.add_subcommand(
      "copy",
      "copy (or move) blocks, categories, the program or the project into another "
      "project, as a copy and a paste between two applications would");
  copy->callback([&request] { request.kind = Kind::kCopy; });
  copy->add_option("SOURCE", request.project, "the project the objects come from")
      ->required()
      ->check(CLI::ExistingFile);
  copy->add_option("ITEM", request.items, itemHelp)->required();
  copy->add_option("--to", request.target, "the project the objects go to (may be SOURCE)")
      ->required()
      ->check(CLI::ExistingFile);
  copy->add_option("--at", request.at, atHelp);
  copy->add_flag("--move", request.move, "move instead of copy (the source loses the objects)");
  copy->add_option("--answers", request.answers, answersHelp);

  CLI::App* exportCommand = app.add_subcommand(
      "export", "write the byte forms of a copy of project objects into a transfer file");
  exportCommand->callback([&request] { request.kind = Kind::kExport; });
  exportCommand->add_option("PROJECT", request.project, "the project")
      ->required()
      ->check(CLI::ExistingFile);
  exportCommand->add_option("ITEM", request.items, itemHelp)->required();
  exportCommand->add_option("-o,--output", request.file, "the transfer file to write")->required();

  CLI::App* importCommand =
      app.add_subcommand("import", "paste the objects of a transfer file into a project");
  importCommand->callback([&request] { request.kind = Kind::kImport; });
  importCommand->add_option("TARGET", request.project, "the project the objects go to")
      ->required()
      ->check(CLI::ExistingFile);
  importCommand->add_option("FILE", request.file, "the transfer file")
      ->required()
      ->check(CLI::ExistingFile);
  importCommand->add_option("--at", request.at, atHelp);
  importCommand->add_option("--answers", request.answers, answersHelp);
}

int RunTransfer(const std::filesystem::path& libraryPath, const TransferRequest& request,
                std::istream* terminal, std::ostream& out, std::ostream& err) {
  std::vector<DialogAnswer> answers;
  TransferFile file;
  std::shared_ptr<SnapInLibrary> library;
  try {
    answers = DialogAnswers::Parse(request.answers);
  } catch (const platform::Error& bad) {
    err << "prjsnap: --answers: " << bad.Description() << "\n";
    return 2;
  }
  try {
    if (request.kind == Kind::kImport) file = ReadTransferFile(request.file);
    // The selection lists that the stream service creates must exist before the library runs.
    host::Environment::RegisterClasses();
    library = std::make_shared<SnapInLibrary>(libraryPath);
  } catch (const BadInput& bad) {
    err << "prjsnap: " << bad.what() << "\n";
    return 2;
  } catch (const platform::Error& bad) {
    err << "prjsnap: " << bad.Description() << "\n";
    return 2;
  }

  try {
    switch (request.kind) {
      case Kind::kCopy:
        return Copy(library, request, answers, terminal, out);
      case Kind::kExport:
        return Export(library, request, out);
      case Kind::kImport:
        return Import(library, request, file, answers, terminal, out);
      case Kind::kNone:
        break;
    }
  } catch (const Refused& refused) {
    err << "prjsnap: " << refused.what() << "\n";
    return 1;
  }
  err << "prjsnap: no transfer command\n";
  return 2;
}

}  // namespace prjsnap
