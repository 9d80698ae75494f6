#include "CardCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <optional>
#include <ostream>
#include <utility>

#include "Refused.h"
#include "SnapInSession.h"
#include "ViewCommands.h"
#include "host/framework/ErrorService.h"
#include "host/project/MemoryCard.h"
#include "host/project/PlcProject.h"
#include "host/project/ProjectFile.h"
#include "host/services/OptionService.h"
#include "mzblprsx/cursors/IRgFilesOnMMCLoader.h"
#include "mzblprsx/cursors/IRgProjectCursor.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace prjsnap {
namespace {

using ItemRef = platform::Ref<mzblprsx::RgProjectItem>;

/// The details cursor's mode that lists the memory card's files.
constexpr int32_t kMemoryCardMode = 2;
/// Item data flags of the file name, the value a user edits.
constexpr int32_t kNameFlags = 2;

std::string Text(const ItemRef& item, const char* key) {
  const platform::Variant value = item->Data()->Value(key);
  return value.IsEmpty() ? std::string() : value.ToString();
}

std::string Quoted(const std::string& text) {
  return "'" + text + "'";
}

std::string Files(size_t count) {
  return std::to_string(count) + (count == 1 ? " file" : " files");
}

/// The PLC connected in an application of its own, with the library's online tree built.
class CardSession {
 public:
  CardSession(const std::filesystem::path& library, const std::filesystem::path& plc)
      : session_(Options(library, plc)) {
    const auto model = session_.OnlineModel();
    const auto list = model ? model->ItemList() : nullptr;
    if (!list || !list->Find(mzblprsx::find_by::kHandlerClass,
                             platform::Variant("RgPrjHandlerFilesOnMMC"))) {
      throw Refused("the PLC " + Quoted(session_.Env().Plc()->Name()) + " has no memory card");
    }
    container_ = list->FoundItem();
    reportsBefore_ = Errors().Reports().size();
  }

  SnapInSession& Session() { return session_; }
  /// The card's name, as its item shows it.
  std::string CardName() { return Text(container_->Parent(), "NAME"); }
  const ItemRef& Container() const { return container_; }

  /// The card's files as the details list shows them; listing them loads the file list.
  std::vector<ItemRef> Rows() {
    const auto cursor = session_.Create("mzblprsx.RgProjectCursorDetails")
                            .Cast<mzblprsx::IRgProjectCursorDetails>();
    cursor->SetOptionService(
        platform::Ref<platform::Object>(platform::Self(&session_.Env().Options()))
            .Cast<mzblprsx::IRgOptionService>());
    cursor->SetMode(kMemoryCardMode);
    cursor->Attach(session_.OnlineModel());
    cursor->Refresh();
    std::vector<ItemRef> rows;
    for (int32_t i = 1; i <= cursor->ItemCount(); ++i) rows.push_back(cursor->ItemAt(i));
    cursor->Detach();
    CheckReports();
    return rows;
  }

  /// Asks the file list's handler to load; the "LoadState" it then shows.
  int32_t Load() {
    const auto loader = container_->HandlerObject().As<mzblprsx::IRgFilesOnMMCLoader>();
    if (!loader) throw Refused("the memory card's file list cannot be loaded by this library");
    loader->LoadFiles();
    CheckReports();
    return container_->Data()->Value("LoadState").ToInt32();
  }

  /// Loads the list and finds the file item of that name (exactly, else without regard to case).
  ItemRef File(const std::string& name) {
    if (Load() != -1)
      throw Refused("the file list of the card " + Quoted(CardName()) + " did not load");
    const auto children = container_->Items();
    ItemRef loose;
    for (int32_t i = 1; i <= children->Count(); ++i) {
      ItemRef child = children->Item(i);
      const std::string shown = Text(child, "NAME");
      if (shown == name) return child;
      if (!loose && platform::text::EqualsNoCase(shown, name)) loose = child;
    }
    if (!loose) throw Refused("the card " + Quoted(CardName()) + " has no file " + Quoted(name));
    return loose;
  }

  /// What the library reported since the last look refuses the action.
  void CheckReports() {
    const auto& reports = Errors().Reports();
    std::string text;
    for (size_t i = reportsBefore_; i < reports.size(); ++i) {
      text += (text.empty() ? "" : "\nprjsnap: ") + reports[i].description;
    }
    reportsBefore_ = reports.size();
    if (!text.empty()) throw Refused(text);
  }

  /// Writes the PLC file when the action changed the PLC.
  void Save(const std::filesystem::path& file) {
    const auto plc = session_.Env().Plc();
    if (plc->IsModified()) host::ProjectFile::SavePlc(*plc, file);
  }

 private:
  static SnapInSession::Options Options(const std::filesystem::path& library,
                                        const std::filesystem::path& plc) {
    SnapInSession::Options options;
    options.library = library;
    options.connect = true;
    options.plc = plc;
    options.readOnly = true;  // the embedded project is never written
    return options;
  }
  host::ErrorService& Errors() { return session_.Env().Errors(); }

  SnapInSession session_;
  ItemRef container_;
  size_t reportsBefore_ = 0;
};

int List(CardSession& card, std::ostream& out) {
  const std::vector<ItemRef> rows = card.Rows();
  WriteDetailsTable(out, rows, {"NAME", "DISPLAY_TYPE", "SIZE", "LASTMODIFIED"});
  return 0;
}

int Load(CardSession& card, std::ostream& out, std::ostream& err) {
  const int32_t state = card.Load();
  const char* meaning = state == -1 ? "loaded" : state == 1 ? "no PLC connected" : "not loaded";
  out << "LoadState " << state << ": " << meaning << ", "
      << Files(static_cast<size_t>(card.Container()->Items()->Count())) << "\n";
  if (state == -1) return 0;
  err << "prjsnap: the file list of the card " << Quoted(card.CardName()) << " did not load\n";
  return 1;
}

int Rename(CardSession& card, const CardRequest& request, const std::string& from,
           const std::string& to, std::ostream& out) {
  const ItemRef file = card.File(from);
  const std::string old = Text(file, "NAME");
  file->Data()->SetValue("NAME", platform::Variant(to), kNameFlags);
  file->Handler()->Save();
  card.CheckReports();
  if (Text(file, "NAME") != to) {
    throw Refused("the card " + Quoted(card.CardName()) + " did not rename " + Quoted(old));
  }
  card.Save(request.plc);
  out << "renamed " << Quoted(old) << " to " << Quoted(to) << " on the card "
      << Quoted(card.CardName()) << "\n";
  return 0;
}

int Delete(CardSession& card, const CardRequest& request, const std::vector<std::string>& names,
           std::ostream& out) {
  // Every name first: a file the card does not have deletes nothing.
  std::vector<ItemRef> files;
  std::vector<std::string> shown;
  for (const std::string& name : names) {
    ItemRef file = card.File(name);
    if (std::any_of(files.begin(), files.end(),
                    [&](const ItemRef& listed) { return platform::SameObject(listed, file); })) {
      continue;
    }
    shown.push_back(Text(file, "NAME"));
    files.push_back(std::move(file));
  }
  for (const ItemRef& file : files) file->Handler()->Delete();
  card.CheckReports();
  const auto memoryCard = card.Session().Env().Plc()->MemoryCard();
  std::string list;
  for (const std::string& name : shown) {
    if (memoryCard->FindFile(name)) {
      throw Refused("the card " + Quoted(card.CardName()) + " did not delete " + Quoted(name));
    }
    list += (list.empty() ? "" : ", ") + name;
  }
  card.Save(request.plc);
  out << "deleted " << Files(shown.size()) << " from the card " << Quoted(card.CardName()) << ": "
      << list << "\n";
  return 0;
}

}  // namespace

CLI::App* AddCardCommand(CLI::App& app, CardRequest& request) {
  CLI::App* card = app.add_subcommand(
      "card", "list, load, rename or delete the files on the memory card of a PLC file");
  card->add_option("PLC", request.plc, "PLC file")->required()->check(CLI::ExistingFile);
  card->add_option("ACTION", request.words,
                   "list (default) | load | rename FILE NEW | delete FILE...");
  return card;
}

int RunCard(const std::filesystem::path& library, const CardRequest& request, std::ostream& out,
            std::ostream& err) {
  const std::string action = request.words.empty() ? "list" : request.words.front();
  const std::vector<std::string> arguments(
      request.words.empty() ? request.words.end() : request.words.begin() + 1, request.words.end());
  const auto bad = [&](const std::string& why) {
    err << "prjsnap: card: " << why << "\n";
    return 2;
  };
  if (action == "list" || action == "load") {
    if (!arguments.empty()) return bad(action + " takes no arguments");
  } else if (action == "rename") {
    if (arguments.size() != 2) return bad("rename needs FILE and NEW");
  } else if (action == "delete") {
    if (arguments.empty()) return bad("delete needs at least one FILE");
  } else {
    return bad(Quoted(action) + " is no action (list, load, rename, delete)");
  }

  // A PLC file that does not load, or a library that does not, leaves as platform::Error.
  std::optional<CardSession> card;
  try {
    card.emplace(library, request.plc);
    if (action == "list") return List(*card, out);
    if (action == "load") return Load(*card, out, err);
    if (action == "rename") return Rename(*card, request, arguments[0], arguments[1], out);
    return Delete(*card, request, arguments, out);
  } catch (const Refused& refused) {
    err << "prjsnap: " << refused.what() << "\n";
    return 1;
  } catch (const platform::Error& failed) {
    if (!card) throw;
    err << "prjsnap: " << failed.Description() << "; the PLC file was not changed\n";
    return 1;
  }
}

}  // namespace prjsnap
