// One application of the reference host: its framework globals (error, trace and language
// services), its services, its application frame, and the project and PLC it has open.
//
//   host::Environment env;                       // current on this thread from now on
//   env.Errors().SetPolicy(host::ErrorPolicy::Fail);
//   auto snapIn = platform::CreateObjectAs<mzblprsx::IRgSISnapIn>("mzblprsx.RgProjectSnapin");
//   snapIn->Init(config, env.ApplicationObject());
//   env.OpenProject("samples/conveyor.prj.xml");   // raises the project service's Open
//
// The framework globals are per application thread, as in the original environment: every
// object created through the class registry on this thread (framework globals, service factory,
// services) belongs to the thread's current Environment. Two applications (the two sides of a
// transfer between project files) are two Environments on two threads.
//
// Trap: an Environment must outlive every object created while it was current; destroy
// snap-ins and models before it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Ref.h"

namespace host {

class FrameworkGlobals;
class ErrorService;
class TraceService;
class LanguageManager;
class OptionService;
class ProjectService;
class OnlineService;
class LoadService;
class TooltipService;
class MMCService;
class HelpService;
class PrintService;
class HostApplication;
class NewBlockScript;
class OfflineProject;
class PlcProject;

class Environment {
 public:
  /// Creates the application and makes it current on the calling thread. Registers the host's
  /// classes in the class registry on first use in the process.
  Environment();
  /// Closes what is open (without events), releases everything, and is no longer current.
  ~Environment();
  Environment(const Environment&) = delete;
  Environment& operator=(const Environment&) = delete;

  /// The thread's current environment; nullptr when there is none.
  static Environment* Current();
  /// Registers every host class (framework globals, service factory, model component with its
  /// followers, project objects, utility objects, object finder, new-block dialog, notification
  /// subscription) in the process's class registry; idempotent.
  static void RegisterClasses();

  FrameworkGlobals& Globals();
  ErrorService& Errors();
  TraceService& Trace();
  LanguageManager& Languages();
  OptionService& Options();
  ProjectService& Projects();
  OnlineService& Online();
  LoadService& Load();
  TooltipService& Tooltips();
  MMCService& MemoryCards();
  /// The help service (what clsid::kHelpService creates on this thread): the topics shown.
  HelpService& Help();
  /// The print service: prints an object's details through the library's print object.
  PrintService& Print();
  HostApplication& Application();
  /// The answers the new-block dialog gives in this application (queued by tests and the CLI).
  NewBlockScript& NewBlocks();
  /// The application as the object handed to a snap-in's Init.
  platform::Ref<platform::Object> ApplicationObject();
  /// The framework globals as an object (what the class registry hands out on this thread).
  platform::Ref<FrameworkGlobals> GlobalsObject();
  /// The application's own service of that class identifier (option, project, online, load,
  /// tooltip, memory card; compared without regard to case); nothing for any other class.
  platform::Ref<platform::Object> SharedService(std::string_view classId);

  /// Loads a project file and opens it: the project service raises Open(file, project).
  /// A file that does not load raises its error and changes nothing.
  platform::Ref<OfflineProject> OpenProject(const std::filesystem::path& file);
  /// The same for a project given as text (fileName is what the file object reports).
  platform::Ref<OfflineProject> OpenProjectText(std::string_view xml, const std::string& fileName);
  /// Closes the open project: the project service raises Close(file, project). No-op when none.
  void CloseProject();
  platform::Ref<OfflineProject> Project();

  /// Loads a PLC file and connects to it: the online service raises OnEvent(1, ...). While a
  /// project is open and a PLC connected, the two are paired (ProjectRoot::Counterpart) from
  /// before the events that announce them until after those that take them away.
  platform::Ref<PlcProject> ConnectPlc(const std::filesystem::path& file);
  platform::Ref<PlcProject> ConnectPlcText(std::string_view xml, const std::string& fileName);
  /// Disconnects: OnEvent(3, ...) then OnEvent(2, ...). No-op when not connected.
  void DisconnectPlc();
  platform::Ref<PlcProject> Plc();

  /// Notes a project model created on this application's thread (the model class's factory
  /// does it), so that host tools can find the tree the library built for a project.
  void NoteModel(const platform::Ref<platform::Object>& model);
  /// The live model whose tree holds the project object (search by framework object); nothing
  /// when no model shows it.
  platform::Ref<platform::Object> ModelOf(const platform::Ref<platform::Object>& project);

 private:
  /// Makes a loaded project (PLC) the open one, closing (disconnecting) the previous one.
  platform::Ref<OfflineProject> AdoptProject(platform::Ref<OfflineProject> project);
  platform::Ref<PlcProject> AdoptPlc(platform::Ref<PlcProject> plc);

  struct State;
  std::unique_ptr<State> state_;
  Environment* previous_ = nullptr;
};

}  // namespace host
