#include "Lifecycle.h"

#include <ostream>

#include "SnapInLibrary.h"
#include "SnapInSession.h"
#include "SummaryCommand.h"
#include "host/Environment.h"
#include "host/app/HostApplication.h"
#include "host/framework/ErrorService.h"
#include "host/framework/TraceService.h"
#include "host/project/EmbeddedSamples.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/ProjectFile.h"
#include "host/project/ProjectFileObject.h"
#include "mzblprsx/interfaces/IRgSICommandTarget.h"
#include "mzblprsx/interfaces/IRgSISnapIn.h"
#include "platform/XmlElement.h"

namespace prjsnap {
namespace {

constexpr int32_t kSummaryCommand = 100;

// The snap-in's configuration as the host keeps it: one user command.
constexpr const char* kConfiguration =
    "<SNAPIN NAME=\"ProjectSnapIn\"><COMMANDS>"
    "<COMMAND ID=\"100\" PROGID=\"prjsnap.SummaryCommand\"/>"
    "</COMMANDS></SNAPIN>";

}  // namespace

int RunLifecycle(const LifecycleOptions& options, std::ostream& out, std::ostream& err) {
  // Files are read before anything starts, so that a file that does not load changes nothing.
  try {
    if (options.project) SnapInSession::CheckProjectFile(*options.project, &err);
    if (options.plc) host::ProjectFile::LoadPlc(*options.plc);
  } catch (const platform::Error& e) {
    err << "prjsnap: " << e.Description() << "\n";
    return 2;
  }

  host::Environment env;
  SummaryCommand::Register(out);
  SnapInLibrary library(options.library);
  int step = 0;
  const auto say = [&](const std::string& what) { out << ++step << ". " << what << "\n"; };

  {
    say("create mzblprsx.RgProjectSnapin");
    const auto object = library.Create("mzblprsx.RgProjectSnapin");
    const auto snapIn = object.Cast<mzblprsx::IRgSISnapIn>();
    const auto target = object.Cast<mzblprsx::IRgSICommandTarget>();
    env.Application().AddSnapIn(snapIn->GetName(), object);

    say("Init with a configuration declaring command " + std::to_string(kSummaryCommand));
    snapIn->Init(platform::Variant(platform::XmlElement::Parse(kConfiguration)),
                 env.ApplicationObject());
    say("Attach");
    snapIn->Attach(nullptr);

    if (options.project) {
      say("open project " + options.project->string());
      env.OpenProject(*options.project);
      // Running the sequence must not change the user's file, whatever the library saves.
      env.Project()->FileObject()->SetSaveToDisk(false);
    } else {
      say("open the embedded sample project");
      env.OpenProjectText(host::EmbeddedProjectXml(), "conveyor.prj.xml");
    }
    say("verb 1: the host has finished initialising");
    target->DoVerb(1, platform::Variant(), false);
    out << "    main window: " << env.Application().MainWindowTitle() << "\n";

    if (options.plc) {
      say("connect PLC " + options.plc->string());
      env.ConnectPlc(*options.plc);
    } else {
      say("connect the embedded sample PLC");
      env.ConnectPlcText(host::EmbeddedPlcXml(), "conveyor.plc.xml");
    }
    say("user command " + std::to_string(kSummaryCommand));
    const bool handled = target->OnCommand(kSummaryCommand);
    out << "    handled: " << (handled ? "yes" : "no") << "\n";
    say("disconnect PLC");
    env.DisconnectPlc();
    say("close project");
    env.CloseProject();
    say("PreDetach");
    snapIn->PreDetach();
    say("Detach");
    snapIn->Detach();
    say("release");
    env.Application().RemoveSnapIn(snapIn->GetName());
  }

  const auto& reports = env.Errors().Reports();
  out << "errors reported: " << reports.size() << "\n";
  for (const auto& r : reports) {
    out << "    " << r.source << ": " << r.description << " (" << r.number << ")\n";
  }
  const auto live = env.Trace().LiveInstances();
  out << "live instances after release: " << live.size() << "\n";
  for (const auto& name : live) out << "    " << name << "\n";
  return live.empty() ? 0 : 1;
}

}  // namespace prjsnap
