#include "PrintCommand.h"

#include <CLI/CLI.hpp>

#include <ostream>

#include "SnapInSession.h"
#include "WholeFile.h"
#include "host/print/PrintService.h"
#include "host/project/MemoryCard.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/Program.h"
#include "mzblprsx/cursors/IRgProjectCursor.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/Error.h"

namespace prjsnap {
namespace {

constexpr int32_t kMemoryCardMode = 2;  // the details cursor's memory-card mode

host::PrintFormat FormatOf(const std::string& name) {
  if (name == "csv") return host::PrintFormat::kCsv;
  if (name == "html") return host::PrintFormat::kHtml;
  if (name == "pdf") return host::PrintFormat::kPdf;
  return host::PrintFormat::kText;
}

/// The card's files reach the online tree only once its file list was loaded: the details
/// cursor's memory-card mode loads it, as the details view does before a user prints.
void LoadCardFiles(SnapInSession& session) {
  const auto cursor =
      session.Create("mzblprsx.RgProjectCursorDetails").Cast<mzblprsx::IRgProjectCursorDetails>();
  cursor->SetOptionService(session.OptionService());
  cursor->SetMode(kMemoryCardMode);
  cursor->Attach(session.OnlineModel());
  cursor->Detach();
}

/// What is printed and its parent, as the explorer hands them to a print service.
struct Printed {
  platform::Ref<platform::Object> object;
  platform::Ref<platform::Object> parent;
  std::string title;
};

Printed Choose(SnapInSession& session, const PrintRequest& request, bool online) {
  Printed printed;
  host::Environment& env = session.Env();
  if (request.of == "card") {
    const auto plc = env.Plc();
    const auto card = plc ? plc->MemoryCard() : nullptr;
    if (!card) throw platform::Error(platform::errc::kInvalidCall, "the PLC has no memory card");
    LoadCardFiles(session);
    printed = {card, plc, "Memory card " + card->Name() + " of " + plc->Name()};
  } else if (online) {
    const auto plc = env.Plc();
    if (request.of == "project") {
      printed = {plc, plc, "PLC " + plc->Name()};
    } else {
      printed = {plc->Program(), plc, "Program of PLC " + plc->Name()};
    }
  } else {
    const auto project = env.Project();
    if (request.of == "project") {
      printed = {project, project, "Project " + project->Name()};
    } else {
      printed = {project->Program(), project, "Program of project " + project->Name()};
    }
  }
  if (!printed.object) {
    throw platform::Error(platform::errc::kInvalidCall, "there is no " + request.of + " to print");
  }
  return printed;
}

}  // namespace

CLI::App* AddPrintCommand(CLI::App& app, PrintRequest& request) {
  CLI::App* print = app.add_subcommand(
      "print", "print the details of a project, a program or the memory card (no file changes)");
  print->add_option("PROJECT", request.project, "project file (default: the embedded sample)")
      ->check(CLI::ExistingFile);
  print
      ->add_option("--plc", request.plc,
                   "connect to this PLC file (default for --side online and --of card: the "
                   "embedded sample PLC)")
      ->check(CLI::ExistingFile);
  print->add_option("--of", request.of, "what is printed: project, program or card")
      ->check(CLI::IsMember({"project", "program", "card"}))
      ->capture_default_str();
  print
      ->add_option("--side", request.side,
                   "the project's side (offline) or the PLC's (online); card: online only")
      ->check(CLI::IsMember({"offline", "online"}));
  print->add_option("--format", request.format, "text, csv, html or pdf")
      ->check(CLI::IsMember({"text", "csv", "html", "pdf"}))
      ->capture_default_str();
  print->add_option("-o,--output", request.output, "write the document here (default: stdout)");
  print
      ->add_option("--page-rows", request.pageRows,
                   "rows per page below the header (default: as many as fit an A4 page)")
      ->check(CLI::Range(1, 1000000));
  return print;
}

int RunPrint(const std::filesystem::path& library, const PrintRequest& request, std::ostream& out,
             std::ostream& err) {
  const bool card = request.of == "card";
  if (card && request.side == "offline") {
    err << "prjsnap: the memory card is on the PLC's side only; drop --side offline\n";
    return 2;
  }
  const bool online = card || request.side == "online";
  SnapInSession::Options options;
  options.library = library;
  if (!request.project.empty()) options.project = request.project;
  options.connect = online || !request.plc.empty();
  if (!request.plc.empty()) options.plc = request.plc;
  SnapInSession session(options);

  const Printed printed = Choose(session, request, online);
  host::PrintJob job;
  job.object = printed.object;
  job.parent = printed.parent;
  job.format = FormatOf(request.format);
  job.pageRows = request.pageRows;
  job.title = printed.title;
  const host::PrintResult result = session.Env().Print().Print(job);
  if (!result.messages.empty()) {
    for (const std::string& message : result.messages) err << "prjsnap: " << message << "\n";
    return 1;
  }
  if (request.output.empty()) {
    out << result.document;
  } else {
    if (const auto failed = WholeFile::Write(request.output, result.document)) {
      throw platform::Error(platform::errc::kInvalidCall, "cannot write " + *failed);
    }
    err << "prjsnap: printed " << result.pages << (result.pages == 1 ? " page" : " pages") << " to "
        << request.output.string() << "\n";
  }
  return 0;
}

}  // namespace prjsnap
