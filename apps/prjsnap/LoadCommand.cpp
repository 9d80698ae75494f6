#include "LoadCommand.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <ostream>
#include <stdexcept>
#include <utility>

#include "ProgramTree.h"
#include "ProgressMeter.h"
#include "Refused.h"
#include "SelectScript.h"
#include "SnapInSession.h"
#include "TerminalModalLoop.h"
#include "host/Environment.h"
#include "host/framework/ErrorService.h"
#include "host/model/ItemReferenceList.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/ProjectFile.h"
#include "host/services/LoadService.h"
#include "mzblprsx/dialogs/IRgProjectDialogBlockList.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/streaming/IRgObjectStreamServiceHost.h"
#include "mzblprsx/streaming/IRgObjectStreamServices.h"
#include "mzblprsx/streaming/RgStreamEnums.h"
#include "platform/Error.h"
#include "platform/Text.h"
#include "platform/ui/UiState.h"

namespace prjsnap {
namespace {

using ItemRef = platform::Ref<mzblprsx::RgProjectItem>;
using ItemsRef = platform::Ref<mzblprsx::RgProjectItems>;
using ServiceRef = platform::Ref<mzblprsx::IRgObjectStreamServiceHost>;
using Kind = LoadRequest::Kind;

constexpr int32_t kOffline = 1;
constexpr int32_t kOnline = 2;
constexpr int32_t kCopy = mzblprsx::RgStreamServiceDataActionCopy;

/// A fault of the user's input found while the command ran (a step naming no row): exit code 2,
/// with nothing written.
class BadStep : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// The first item of the tree, depth first, whose "NAME" is the text (without regard to case)
/// and whose "TYPE" contains `type` (any type for ""); nothing when there is none.
ItemRef FindNamed(const ItemsRef& items, const std::string& name, std::string_view type) {
  for (int32_t i = 1; items && i <= items->Count(); ++i) {
    const ItemRef item = items->Item(i);
    if (platform::text::EqualsNoCase(ItemText(item, "NAME"), name) &&
        ItemText(item, "TYPE").find(type) != std::string::npos) {
      return item;
    }
    if (ItemRef found = FindNamed(item->Items(), name, type)) return found;
  }
  return {};
}

/// The program of a side's tree: the project's child whose type names a program.
ItemRef ProgramOf(const platform::Ref<mzblprsx::RgProjectModel>& model, const char* side) {
  const ItemRef project = model ? model->Items()->First() : ItemRef();
  const ItemsRef children = project ? project->Items() : ItemsRef();
  for (int32_t i = 1; children && i <= children->Count(); ++i) {
    if (ItemText(children->Item(i), "TYPE").find("RgProgram") != std::string::npos) {
      return children->Item(i);
    }
  }
  throw Refused(std::string("the ") + side + " has no program");
}

/// The item of the project that the text names: a block, a category, the program or the
/// project by ProgramTree's rules, else any other child of the project (the hardware
/// configuration) by its name.
ItemRef FindOffline(ProgramTree& tree, const std::string& text) {
  try {
    return tree.Find(text, ProgramTree::kAnything);
  } catch (const Refused&) {
    if (ItemRef item = FindNamed(tree.ProjectItem()->Items(), text, "")) return item;
    throw;
  }
}

ItemRef FindOnline(const platform::Ref<mzblprsx::RgProjectModel>& model, const std::string& text) {
  if (ItemRef item = FindNamed(model ? model->Items() : ItemsRef(), text, "")) return item;
  throw Refused("the PLC shows no '" + text + "'");
}

/// One load: the project and the PLC in one application, the selection dialog answered by the
/// player, the library's messages told to the user.
class LoadSession {
 public:
  LoadSession(const std::filesystem::path& library, const LoadRequest& request,
              std::vector<SelectStep> steps, std::istream* terminal, std::ostream& out)
      : session_(Options(library, request)), out_(out) {
    session_.Env().Errors().SetAnswerer([&out](const host::MessageRecord& message) {
      out << "message: " << message.text << "\n";
      return host::ErrorService::DefaultAnswer(message.style);
    });
    loop_ = platform::MakeObject<TerminalModalLoop>(std::vector<DialogAnswer>{}, terminal, out,
                                                    std::move(steps));
    platform::ui::UiState::Current().SetModalLoop(loop_);
    reportsBefore_ = session_.Env().Errors().Reports().size();
  }
  ~LoadSession() {
    platform::ui::UiState::Current().SetModalLoop(nullptr);
    session_.Env().Errors().SetAnswerer({});
  }
  LoadSession(const LoadSession&) = delete;
  LoadSession& operator=(const LoadSession&) = delete;

  SnapInSession& Session() { return session_; }

  ServiceRef Service(int32_t location) {
    const auto services = session_.SnapIn().As<mzblprsx::IRgObjectStreamServices>();
    ServiceRef service = services ? services->ObjectStreamService(location) : ServiceRef();
    if (!service) throw Refused("the snap-in offers no stream service for the load");
    return service;
  }

  /// Carries the selection from one side's service to the other's program (or `position`): a
  /// drop of the items onto the other tree. The items the receiving side reports as loaded.
  ItemsRef Carry(const ItemsRef& selection, int32_t from, ItemRef position, const char* verb,
                 bool quiet, bool progressOnTerminal, std::ostream& err) {
    const ServiceRef sender = Service(from);
    const ServiceRef receiver = Service(from == kOffline ? kOnline : kOffline);
    if (!sender->CanStreamData(selection, kCopy)) {
      throw Refused(ItemNames(selection) + (selection->Count() == 1 ? " cannot" : " cannot all") +
                    " be " + verb + "ed");
    }
    ItemsRef carried = sender->GetStreamItems(selection, kCopy);
    if (carried->Count() == 0)
      throw Refused("the selection carries nothing to " + std::string(verb));
    const std::vector<uint8_t> list = sender->StreamItemList(carried);
    const std::vector<uint8_t> data = sender->StreamItemData(carried);
    const int32_t source = receiver->CheckSourceFromSameApplication(sender->StreamObjectSource());
    const int32_t allowed = receiver->CanInsertStreamData(list, source);
    CheckReports();
    if ((allowed & kCopy) == 0) {
      throw Refused(ItemNames(carried) + (carried->Count() == 1 ? " cannot" : " cannot all") +
                    " be " + verb + "ed");
    }

    std::optional<ProgressMeter> meter;
    platform::ScopedConnection progress;
    if (!quiet) {
      meter.emplace(verb, err, progressOnTerminal);
      progress = session_.Env().Load().Progress().Connect(
          [&meter](int32_t done, int32_t total) { meter->Update(done, total); });
    }
    ItemsRef loaded;
    const bool done = receiver->InsertStreamData(data, kCopy, position, loaded, source);
    if (meter) meter->Finish();
    CheckSteps();
    CheckReports();
    const int32_t count = loaded ? loaded->Count() : 0;
    if (!done || count == 0) {
      throw Refused(loop_->Cancelled() > 0
                        ? "the " + std::string(verb) + " was cancelled; nothing was changed"
                        : "nothing was " + std::string(verb) + "ed; nothing was changed");
    }
    return loaded;
  }

  /// The block list dialog of a side: the chosen blocks and the mode (0 when cancelled).
  std::pair<ItemsRef, int32_t> ChooseBlocks(int32_t location) {
    const auto dialog = session_.Create("mzblprsx.RgProjectDialogBlockList")
                            .As<mzblprsx::IRgProjectDialogBlockList>();
    if (!dialog) throw Refused("the snap-in offers no block list dialog");
    int32_t mode = 0;
    ItemsRef chosen = dialog->OpenBlockFor(session_.SnapIn(), location, mode);
    CheckSteps();
    CheckReports();
    return {chosen, mode};
  }

  /// Writes the files the load changed (the side it loaded into, and the other side when the
  /// load changed it too, e.g. editors saved before a load): each beside itself first, then
  /// renamed, both or neither.
  void Save(const LoadRequest& request, int32_t into) {
    host::Environment& env = session_.Env();
    const auto project = env.Project();
    const auto plc = env.Plc();
    const bool writeProject = into == kOffline || project->IsModified();
    const bool writePlc = into == kOnline || plc->IsModified();
    if (writeProject && writePlc) {
      host::ProjectFile::SaveTogether(*project, request.project, *plc, request.plc);
    } else if (writeProject) {
      host::ProjectFile::SaveProject(*project, request.project);
    } else {
      host::ProjectFile::SavePlc(*plc, request.plc);
    }
  }

 private:
  static SnapInSession::Options Options(const std::filesystem::path& library,
                                        const LoadRequest& request) {
    SnapInSession::Options options;
    options.library = library;
    options.project = request.project;
    options.connect =
        request.kind != Kind::kBlocks || !request.plc.empty() || request.side == "online";
    if (!request.plc.empty()) options.plc = request.plc;
    options.readOnly = true;  // saves stay in memory until the whole load has succeeded
    return options;
  }

  void CheckSteps() {
    if (!loop_->Selection().Failure().empty()) throw BadStep(loop_->Selection().Failure());
  }

  /// What the library reported since the last look refuses the load.
  void CheckReports() {
    const auto& reports = session_.Env().Errors().Reports();
    std::string text;
    for (size_t i = reportsBefore_; i < reports.size(); ++i) {
      text += (text.empty() ? "" : "\nprjsnap: ") + reports[i].description;
    }
    reportsBefore_ = reports.size();
    if (!text.empty()) throw Refused(text);
  }

  SnapInSession session_;
  std::ostream& out_;
  platform::Ref<TerminalModalLoop> loop_;
  size_t reportsBefore_ = 0;
};

int Download(LoadSession& load, const LoadRequest& request, bool progressOnTerminal,
             std::ostream& out, std::ostream& err) {
  SnapInSession& session = load.Session();
  ProgramTree tree(session.OfflineModel());
  const auto selection = platform::MakeObject<host::ItemReferenceList>();
  if (request.items.empty()) selection->Add(tree.ProgramItem(), nullptr, nullptr);
  for (const std::string& text : request.items) {
    const ItemRef item = FindOffline(tree, text);
    if (selection->IndexOf(item) == 0) selection->Add(item, nullptr, nullptr);
  }
  const ItemRef target = ProgramOf(session.OnlineModel(), "PLC");
  const ItemsRef loaded =
      load.Carry(selection, kOffline, target, "download", request.quiet, progressOnTerminal, err);
  load.Save(request, kOnline);
  out << "downloaded " << Plural(loaded->Count(), "object") << " into "
      << request.plc.filename().string() << ": " << ItemNames(loaded) << "\n";
  return 0;
}

int Upload(LoadSession& load, const LoadRequest& request, bool progressOnTerminal,
           std::ostream& out, std::ostream& err) {
  SnapInSession& session = load.Session();
  ProgramTree tree(session.OfflineModel());
  ItemRef position = request.at.empty() ? tree.ProgramItem() : FindOffline(tree, request.at);
  const auto online = session.OnlineModel();
  const auto selection = platform::MakeObject<host::ItemReferenceList>();
  if (request.items.empty()) selection->Add(ProgramOf(online, "PLC"), nullptr, nullptr);
  for (const std::string& text : request.items) {
    const ItemRef item = FindOnline(online, text);
    if (selection->IndexOf(item) == 0) selection->Add(item, nullptr, nullptr);
  }
  const ItemsRef loaded =
      load.Carry(selection, kOnline, position, "upload", request.quiet, progressOnTerminal, err);
  load.Save(request, kOffline);
  out << "uploaded " << Plural(loaded->Count(), "object") << " into "
      << request.project.filename().string() << ": " << ItemNames(loaded) << "\n";
  return 0;
}

int Blocks(LoadSession& load, const LoadRequest& request, std::ostream& out) {
  const auto [chosen, mode] = load.ChooseBlocks(request.side == "online" ? kOnline : kOffline);
  if (mode == 0 || !chosen || chosen->Count() == 0) {
    out << "no block was chosen\n";
    return 1;
  }
  out << (mode == 1 ? "open in the editor: " : "show the properties of: ") << ItemNames(chosen)
      << "\n";
  return 0;
}

}  // namespace

void AddLoadCommands(CLI::App& app, LoadRequest& request) {
  const auto addSelect = [&request](CLI::App* command) {
    command->add_option("--select", request.select,
                        "the selection dialog's steps, e.g. none,+FB10,+FC5,load or all,load "
                        "or cancel (see docs/cli.md)");
  };
  const auto addLoad = [&](const char* name, const char* description, Kind kind) {
    CLI::App* command = app.add_subcommand(name, description);
    command->add_option("PROJECT", request.project, "project file")
        ->required()
        ->check(CLI::ExistingFile);
    command->add_option("--plc", request.plc, "PLC file")->required()->check(CLI::ExistingFile);
    command->add_option("ITEM", request.items,
                        "the objects to load, as the sending side's tree names them "
                        "(default: its whole program)");
    addSelect(command);
    command->add_flag("--quiet", request.quiet, "show no progress");
    command->callback([&request, kind] { request.kind = kind; });
    return command;
  };
  addLoad("download",
          "load blocks and hardware from the project into the PLC (exit code 0 loaded, 1 "
          "refused, cancelled or failed, 2 bad input)",
          Kind::kDownload);
  CLI::App* upload = addLoad(
      "upload", "load blocks and hardware from the PLC into the project (exit codes as download)",
      Kind::kUpload);
  upload->add_option("--at", request.at,
                     "where new blocks go: a category or block of the project (default: the "
                     "program)");

  CLI::App* blocks = app.add_subcommand(
      "blocks", "the block list dialog: choose blocks to open or to show their properties");
  blocks->add_option("PROJECT", request.project, "project file")
      ->required()
      ->check(CLI::ExistingFile);
  blocks->add_option("--plc", request.plc, "PLC file (for --side online; default: the sample)")
      ->check(CLI::ExistingFile);
  blocks->add_option("--side", request.side, "the project's blocks or the PLC's")
      ->check(CLI::IsMember({"offline", "online"}))
      ->capture_default_str();
  addSelect(blocks);
  blocks->callback([&request] { request.kind = Kind::kBlocks; });
}

int RunLoad(const std::filesystem::path& library, const LoadRequest& request,
            std::istream* terminal, bool progressOnTerminal, std::ostream& out, std::ostream& err) {
  std::vector<SelectStep> steps;
  try {
    steps = SelectScript::Parse(request.select);
  } catch (const platform::Error& bad) {
    err << "prjsnap: --select: " << bad.Description() << "\n";
    return 2;
  }
  LoadSession load(library, request, std::move(steps), terminal, out);
  try {
    switch (request.kind) {
      case Kind::kDownload:
        return Download(load, request, progressOnTerminal, out, err);
      case Kind::kUpload:
        return Upload(load, request, progressOnTerminal, out, err);
      case Kind::kBlocks:
        return Blocks(load, request, out);
      case Kind::kNone:
        break;
    }
  } catch (const BadStep& bad) {
    err << "prjsnap: --select: " << bad.what() << "; nothing was changed\n";
    return 2;
  } catch (const Refused& refused) {
    err << "prjsnap: " << refused.what() << "\n";
    return 1;
  } catch (const platform::Error& failed) {
    err << "prjsnap: " << failed.Description() << "; nothing was changed\n";
    return 1;
  }
  return 2;
}

}  // namespace prjsnap
