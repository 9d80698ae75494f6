#include "host/services/LoadService.h"

#include <pugixml.hpp>

#include <unordered_set>
#include <utility>

#include "host/project/Block.h"
#include "host/project/Category.h"
#include "host/project/HardwareConfig.h"
#include "host/project/MemoryCard.h"
#include "host/project/NotificationHub.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/Program.h"
#include "host/services/OnlineService.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "platform/DateTime.h"
#include "platform/Error.h"

namespace host {

namespace {

struct ListedObject {
  std::string classId;
  std::string objectId;
};

namespace clsid = mzblprsx::clsid;
using platform::Ref;

[[noreturn]] void Refuse(const std::string& why) {
  throw platform::Error(platform::errc::kInvalidCall, why);
}

[[noreturn]] void BadList(const std::string& why, const char* list = "update list") {
  Refuse("The " + std::string(list) + " is not valid: " + why);
}

std::vector<ListedObject> ParseUpdateList(const std::string& xml,
                                          const char* list = "update list") {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size());
  if (!parsed) {
    BadList(std::string(parsed.description()) + " at offset " + std::to_string(parsed.offset),
            list);
  }
  const pugi::xml_node root = document.document_element();
  if (std::string_view(root.name()) != "ROOT") {
    BadList("its root element is '" + std::string(root.name()) + "', not 'ROOT'", list);
  }
  std::vector<ListedObject> objects;
  for (const pugi::xml_node element : root.children("RGOBJECT")) {
    const pugi::xml_attribute classId = element.attribute("CLSID");
    const pugi::xml_attribute objectId = element.attribute("OBJID");
    if (!classId || !objectId) {
      BadList("RGOBJECT element " + std::to_string(objects.size() + 1) +
                  " lacks its CLSID or OBJID attribute",
              list);
    }
    objects.push_back(ListedObject{classId.value(), objectId.value()});
  }
  return objects;
}

bool Is(const platform::Ref<mzblprsx::IRgObject>& object, const ListedObject& listed) {
  return object && object->ClassID() == listed.classId && object->ObjectID() == listed.objectId;
}

bool ExistsInPlc(const platform::Ref<platform::Object>& plc, const ListedObject& listed) {
  if (Is(plc.As<mzblprsx::IRgObject>(), listed)) return true;
  const auto container = plc.As<mzblprsx::IRgProjectContainer>();
  if (!container) return false;
  const auto children = container->Objects();
  for (int32_t i = 1; i <= children->Count(); ++i) {
    const platform::Ref<mzblprsx::IRgObject> child = children->Item(i);
    if (Is(child, listed)) return true;
    if (const auto program = child.As<Program>()) {
      if (Is(program->FindBlockById(listed.objectId), listed)) return true;
    }
  }
  return false;
}

// What one download or upload takes from its source side: each object once, in list order.
class LoadPlan {
 public:
  LoadPlan(const char* load, const char* side) : load_(load), side_(side) {}

  void AddBlock(const Ref<Block>& block) {
    if (block && seen_.insert(block.Get()).second) blocks_.push_back(block);
  }
  /// A listed project or program stands for its blocks that a PLC runs: not its data types, not
  /// the firmware's system blocks, and (for a project) no block marked as system.
  void AddProgram(const Program& program, bool withSystemBlocks) {
    for (const auto& block : program.Blocks()) {
      const int32_t type = block->Type();
      if (type == BlockInfo::kUdt || type == BlockInfo::kSfb || type == BlockInfo::kSfc) continue;
      if (withSystemBlocks || !block->System()) AddBlock(block);
    }
  }
  void AddHardware(const Ref<HardwareConfig>& hardware) {
    if (hardware) hardware_ = hardware;
  }
  [[noreturn]] void NotHeld(const ListedObject& listed) const {
    Refuse("The " + std::string(load_) + " names " + Describe(listed) + ", which the " + side_ +
           " does not hold; nothing was loaded");
  }
  [[noreturn]] void NotTaken(const ListedObject& listed) const {
    Refuse("The " + std::string(load_) + " names " + Describe(listed) + ", an object it cannot " +
           "load; nothing was loaded");
  }
  const std::vector<Ref<Block>>& Blocks() const { return blocks_; }
  const Ref<HardwareConfig>& Hardware() const { return hardware_; }
  int32_t Count() const { return static_cast<int32_t>(blocks_.size()) + (hardware_ ? 1 : 0); }
  const char* Load() const { return load_; }

 private:
  static std::string Describe(const ListedObject& listed) {
    return "'" + listed.objectId + "' (class " + listed.classId + ")";
  }

  const char* load_;
  const char* side_;
  std::vector<Ref<Block>> blocks_;
  std::unordered_set<const Block*> seen_;
  Ref<HardwareConfig> hardware_;
};

// The objects a load names: at least one.
std::vector<ListedObject> ParseLoadList(const std::string& xml, const char* list) {
  auto objects = ParseUpdateList(xml, list);
  if (objects.empty()) BadList("it names no object", list);
  return objects;
}

template <class T>
bool Names(const Ref<T>& object, const ListedObject& listed) {
  return object && object->ObjectID() == listed.objectId;
}

// The objects of one side (the project, or the PLC when `online`) that a load's list names.
LoadPlan PlanLoad(const ProjectRoot& root, const Ref<HardwareConfig>& hardware,
                  const Ref<Program>& program, bool online,
                  const std::vector<ListedObject>& objects) {
  LoadPlan plan(online ? "upload" : "download", online ? "PLC" : "project");
  const std::string_view projectClass = online ? clsid::kProjectOnline : clsid::kProjectOffline;
  const std::string_view hardwareClass = online ? clsid::kHwConfigOnline : clsid::kHwConfigOffline;
  const std::string_view programClass = online ? clsid::kProgramOnline : clsid::kProgramOffline;
  const std::string_view blockClass = online ? clsid::kBlockOnline : clsid::kBlockOffline;
  for (const ListedObject& listed : objects) {
    const std::string_view classId = listed.classId;
    if (classId == projectClass) {
      if (listed.objectId != root.Guid()) plan.NotHeld(listed);
      plan.AddHardware(hardware);
      if (program) plan.AddProgram(*program, false);
    } else if (classId == hardwareClass) {
      if (!Names(hardware, listed)) plan.NotHeld(listed);
      plan.AddHardware(hardware);
    } else if (classId == programClass) {
      if (!Names(program, listed)) plan.NotHeld(listed);
      plan.AddProgram(*program, true);
    } else if (classId == clsid::kCategory && !online) {
      const auto category = program ? program->FindCategoryById(listed.objectId) : nullptr;
      if (!category) plan.NotHeld(listed);
      for (const auto& block : category->Members()) plan.AddBlock(block);
    } else if (classId == blockClass) {
      const auto block = program ? program->FindBlockById(listed.objectId) : nullptr;
      if (!block) plan.NotHeld(listed);
      plan.AddBlock(block);
    } else {
      plan.NotTaken(listed);
    }
  }
  return plan;
}

// Refuses an upload that would read out a protected block of the PLC.
void CheckReadable(const LoadPlan& plan) {
  for (const auto& block : plan.Blocks()) {
    if (block->Protected()) {
      Refuse("The upload names " + block->Name() +
             ", a protected block of the PLC, which cannot be read out; nothing was loaded");
    }
  }
}

// Refuses a download whose blocks would not fit into the PLC's load memory: what the PLC's
// program holds after it, blocks that are loaded again counted at their new size.
void CheckLoadMemory(const PlcProject& plc, const LoadPlan& plan) {
  const auto memory = plc.LoadMemory();
  if (!memory) return;
  int64_t used = 0;
  const Ref<Program> program = plc.Program();
  if (program) {
    for (const auto& block : program->Blocks()) used += block->Size();
  }
  int64_t loaded = 0;
  for (const auto& block : plan.Blocks()) {
    loaded += block->Size();
    if (program) {
      if (const auto old = program->FindBlock(block->Type(), block->Number())) used -= old->Size();
    }
  }
  if (used + loaded > *memory) {
    Refuse("The download does not fit into the load memory of PLC '" + plc.Name() + "': its " +
           std::to_string(plan.Blocks().size()) + " blocks take " + std::to_string(loaded) +
           " bytes, and the PLC would then need " + std::to_string(used + loaded) + " of its " +
           std::to_string(*memory) + " bytes; nothing was loaded");
  }
}

// The target side's program; a PLC without one gets one named as the source's.
Ref<Program> TargetProgram(ProjectRoot& target, Ref<Program> program, const Program* source,
                           bool online) {
  if (program || !source) return program;
  program = platform::MakeObject<Program>(online, source->Name());
  target.AddObject(program);
  return program;
}

// Takes the station's name, size and state into the target side (a new station when it has
// none); the date is the load's.
void LoadHardware(ProjectRoot& target, Ref<HardwareConfig> station, const HardwareConfig& content,
                  bool online) {
  if (!station) {
    station = platform::MakeObject<HardwareConfig>(online, content.Name());
    target.AddObject(station);
  }
  NotificationBatch batch(*station);
  station->SetName(content.Name());
  station->SetSize(content.Size());
  station->SetState(content.State());
  station->SetLastModified(platform::DateTime::Now());
}

// Carries out a checked plan: the station, then every block in one delivery of the program's
// notifications, with a progress report after each object.
void LoadInto(ProjectRoot& target, const Ref<HardwareConfig>& station, const Ref<Program>& program,
              const LoadPlan& plan, bool online, platform::Signal<int32_t, int32_t>& progress) {
  const int32_t total = plan.Count();
  int32_t done = 0;
  if (plan.Hardware()) {
    LoadHardware(target, station, *plan.Hardware(), online);
    progress.Emit(++done, total);
  }
  if (plan.Blocks().empty()) return;
  NotificationBatch batch(*program);  // what Program::LoadBlocks groups, with progress between
  for (const auto& content : plan.Blocks()) {
    program->LoadBlock(*content);
    progress.Emit(++done, total);
  }
}

}  // namespace

LoadService::LoadService(platform::Ref<OnlineService> online) : online_(std::move(online)) {}

LoadService::~LoadService() = default;

int32_t LoadService::LoadState(const std::string& updateList, int32_t flags) {
  calls_.push_back(LoadStateCall{updateList, flags, std::nullopt});
  const std::vector<ListedObject> objects = ParseUpdateList(updateList);
  const platform::Ref<platform::Object> plc = online_->GetContainer("");
  int32_t state = kNotConnected;
  if (plc) {
    state = kUpToDate;
    for (const ListedObject& listed : objects) {
      if (!ExistsInPlc(plc, listed)) {
        state = kObjectsMissing;
        break;
      }
    }
  }
  calls_.back().state = state;
  if ((flags & kNotifyFlag) == 0) return state;
  loadStateChanged_.Emit(state);
  // A card in the list asks for its file list: the card tells its listeners of every file.
  const auto plcProject = plc.As<PlcProject>();
  const auto card = plcProject ? plcProject->MemoryCard() : nullptr;
  if (card) {
    const ListedObject cardEntry{std::string(clsid::kMemoryCard), card->ObjectID()};
    for (const ListedObject& listed : objects) {
      if (listed.classId == cardEntry.classId && listed.objectId == cardEntry.objectId) {
        card->ReportFiles();
        break;
      }
    }
  }
  return state;
}

LoadService::Sides LoadService::PairedSides(const char* load) const {
  Sides sides;
  sides.plc = online_->GetContainer("").As<PlcProject>();
  if (!sides.plc) Refuse("The " + std::string(load) + " needs a connected PLC; none is connected");
  sides.project = sides.plc->Counterpart().As<OfflineProject>();
  if (!sides.project) {
    Refuse("The " + std::string(load) + " needs the project of PLC '" + sides.plc->Name() +
           "' open; no project is open");
  }
  return sides;
}

void LoadService::Download(const std::string& objectXml, int32_t /*flags*/, int32_t& result) {
  Load(objectXml, true, result);
}

void LoadService::Upload(const std::string& objectXml, int32_t /*flags*/, int32_t& result) {
  Load(objectXml, false, result);
}

void LoadService::Load(const std::string& objectXml, bool download, int32_t& result) {
  result = -1;
  const auto objects = ParseLoadList(objectXml, download ? "download list" : "upload list");
  const Sides sides = PairedSides(download ? "download" : "upload");
  OfflineProject& project = *sides.project;
  PlcProject& plc = *sides.plc;
  Ref<Program> target = download ? plc.Program() : project.Program();
  if (download) {
    const LoadPlan plan = PlanLoad(project, project.Hardware(), project.Program(), false, objects);
    CheckLoadMemory(plc, plan);
    target = TargetProgram(plc, target, project.Program().Get(), true);
    LoadInto(plc, plc.Hardware(), target, plan, true, progress_);
    result = plan.Count();
    return;
  }
  const LoadPlan plan = PlanLoad(plc, plc.Hardware(), plc.Program(), true, objects);
  CheckReadable(plan);
  if (!plan.Blocks().empty() && !target) {
    Refuse("The upload has blocks for project '" + project.Name() +
           "', which has no program; nothing was loaded");
  }
  LoadInto(project, project.Hardware(), target, plan, false, progress_);
  result = plan.Count();
}

}  // namespace host
