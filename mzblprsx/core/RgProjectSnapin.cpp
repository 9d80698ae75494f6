#include "mzblprsx/core/RgProjectSnapin.h"

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapInManager.h"
#include "mzblprsx/core/RgProjectUserCommands.h"
#include "mzblprsx/core/RgVerbs.h"
#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgAppDocuments.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "mzblprsx/interfaces/IRgCompanion.h"
#include "mzblprsx/interfaces/IRgErrorService.h"
#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "mzblprsx/interfaces/IRgHostApplication.h"
#include "mzblprsx/interfaces/IRgHwConfigSnapIn.h"
#include "mzblprsx/interfaces/IRgInfoWindow.h"
#include "mzblprsx/interfaces/IRgLanguageManager.h"
#include "mzblprsx/interfaces/IRgLoadService.h"
#include "mzblprsx/interfaces/IRgObjectArray.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/IRgRelationService.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgPrjStatusController.h"
#include "mzblprsx/models/RgProjects.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "platform/ClassRegistry.h"
#include "platform/Text.h"
#include "platform/XmlElement.h"

namespace mzblprsx {
namespace {

constexpr const char* kLanguagePrefix = "mzprui_";
constexpr const char* kOptionShowSystemBlocks = "General/Display/ShowSystemBlocks";
constexpr const char* kOptionAddressPriority = "General/Settings/AddressPriority";
constexpr const char* kHwConfigSnapIn = "SnapInHWConfig";
constexpr size_t kMaxListedDocuments = 7;

}  // namespace

RgProjectSnapin::RgProjectSnapin() {
  Guard(*this, "Class_Initialize", [&] {
    manager_ = platform::MakeObject<RgProjectSnapInManager>();
    companion_ = platform::CreateObjectAs<IRgCompanion>(clsid::kCompanion);
  });
}

RgProjectSnapin::~RgProjectSnapin() {
  try {
    Guard(*this, "Class_Terminate", [&] {
      companion_.Reset();
      if (languageAccess_) {
        languageAccess_.Reset();
        FrameworkGlobals()->LanguageManager()->ReleaseLanguageAccess(kLanguagePrefix);
      }
      manager_.Reset();
    });
  } catch (...) {  // NOLINT(bugprone-empty-catch): a destructor has no caller to tell
  }
}

// --- _RgProjectSnapin ---------------------------------------------------------------------------

Ref<RgProjectApplication> RgProjectSnapin::Application() {
  return application_;
}
Ref<RgProjectUserCommands> RgProjectSnapin::Commands() {
  return commands_;
}
Ref<IRgLanguageAccess> RgProjectSnapin::LanguageAccess() {
  return languageAccess_;
}
Ref<RgProjects> RgProjectSnapin::Projects() {
  return projects_;
}
Ref<RgProjectServices> RgProjectSnapin::Services() {
  return services_;
}
Ref<RgPrjStatusController> RgProjectSnapin::StatusController() {
  return statusController_;
}

void RgProjectSnapin::SetApplication(Ref<RgProjectApplication> application) {
  application_ = std::move(application);
}
void RgProjectSnapin::SetCommands(Ref<RgProjectUserCommands> commands) {
  commands_ = std::move(commands);
}
void RgProjectSnapin::SetLanguageAccess(Ref<IRgLanguageAccess> access) {
  languageAccess_ = std::move(access);
}
void RgProjectSnapin::SetProjects(Ref<RgProjects> projects) {
  projects_ = std::move(projects);
}
void RgProjectSnapin::SetServices(Ref<RgProjectServices> services) {
  services_ = std::move(services);
}
void RgProjectSnapin::SetStatusController(Ref<RgPrjStatusController> controller) {
  statusController_ = std::move(controller);
}

Ref<RgProjectModel> RgProjectSnapin::OfflineModel() {
  return offlineModel_;
}

void RgProjectSnapin::SetOfflineModel(Ref<RgProjectModel> model) {
  offlineModelSinks_.clear();
  offlineModel_ = std::move(model);
  if (!offlineModel_) return;
  offlineModelSinks_.emplace_back(offlineModel_->AutoRefreshEvent().Connect(
      [this](bool on) { moOfflineModel_AutoRefresh(on); }));
  offlineModelSinks_.emplace_back(offlineModel_->ItemChange().Connect(
      [this](const Ref<RgProjectItem>& item, int32_t) { moOfflineModel_ItemChange(item); }));
}

Ref<RgProjectModel> RgProjectSnapin::OnlineModel() {
  return onlineModel_;
}

void RgProjectSnapin::SetOnlineModel(Ref<RgProjectModel> model) {
  onlineModelSinks_.clear();
  onlineModel_ = std::move(model);
  if (!onlineModel_) return;
  onlineModelSinks_.emplace_back(onlineModel_->ProjectAdd().Connect(
      [this](const Ref<RgProjectItem>& item) { moOnlineModel_ProjectAdd(item); }));
  onlineModelSinks_.emplace_back(onlineModel_->ProjectRefresh().Connect(
      [this](const Ref<RgProjectItem>& item) { moOnlineModel_ProjectRefresh(item); }));
  onlineModelSinks_.emplace_back(onlineModel_->ProjectRemove().Connect(
      [this](const Ref<RgProjectItem>& item) { moOnlineModel_ProjectRemove(item); }));
}

Ref<IRgOptionService> RgProjectSnapin::OptionService() {
  return optionService_;
}

void RgProjectSnapin::SetOptionService(Ref<IRgOptionService> service) {
  optionServiceSink_.Disconnect();
  optionService_ = std::move(service);
  if (optionService_) {
    optionServiceSink_ =
        optionService_->OptionsChanged().Connect([this] { moOptionService_OptionsChanged(); });
  }
}

bool RgProjectSnapin::DoVerbOnSnapIn(const std::string& snapInName, int32_t& verb,
                                     Variant& arguments, bool& broadcast) {
  bool result = false;
  Guard(*this, "DoVerbOnSnapIn", [&] {
    if (!application_) return;
    const auto target = application_->SnapIn(snapInName).As<IRgSICommandTarget>();
    if (target) result = target->DoVerb(verb, arguments, broadcast);
  });
  return result;
}

std::string RgProjectSnapin::GetAsciiBlockData(const std::vector<Ref<RgProjectItem>>& items,
                                               const std::string& sourceApplicationId) {
  std::string result;
  Guard(*this, "GetAsciiBlockData", [&] {
    if (items.size() != 1) return;
    const Ref<RgProjectItemData> data = items.front()->Data();
    if (!item_kind::IsOfflineBlockType(data->Value("TYPE").ToString())) return;
    const std::string typeName = BlockInfo()->BlockTypeName(data->Value("BLOCKTYPE").ToInt32());
    const std::string number = data->Value("BLOCKNUMBER").ToString();
    result = "MzBlock: " + typeName + " " + number + " " + sourceApplicationId;
    result.push_back('\0');
  });
  return result;
}

Ref<IRgBlockInfo> RgProjectSnapin::BlockInfo() {
  if (!blockInfo_) blockInfo_ = platform::CreateObjectAs<IRgBlockInfo>(clsid::kBlockInfo);
  return blockInfo_;
}

std::string RgProjectSnapin::GetStaticText(int32_t textId) {
  std::string result;
  Guard(*this, "GetStaticText", [&] { result = languageAccess_->GetText(textId); });
  return result;
}

void RgProjectSnapin::ShowRgInfoWithMemory() {
  Guard(*this, "ShowRgInfoWithMemory", [&] {
    // An unspecified failure (0x80004005) of a step is passed over and the next step runs.
    const auto resumable = [](auto&& step) {
      try {
        step();
      } catch (const platform::Error& e) {
        if (e.Number() != platform::errc::kFail) throw;
      }
    };
    resumable([&] {
      if (!infoWindow_) infoWindow_ = platform::CreateObjectAs<IRgInfoWindow>(clsid::kInfoWindow);
    });
    resumable([&] { infoWindow_->Show(0, 2, 2); });
  });
}

// --- IRgSISnapIn --------------------------------------------------------------------------------

std::string RgProjectSnapin::GetName() {
  return "ProjectSnapIn";
}

void RgProjectSnapin::Init(const Variant& configuration, Ref<Object> host) {
  Guard(*this, "IRgSISnapIn_Init", [&] {
    const auto element = configuration.ToObject().Cast<platform::XmlElement>();
    const auto site = host.Cast<IRgHostApplication>();
    manager_->Initialize(platform::Self(this), element, site);
    languageAccess_ = FrameworkGlobals()->LanguageManager()->GetLanguageAccess(kLanguagePrefix);
  });
}

void RgProjectSnapin::Attach(Ref<Object> /*site: not used*/) {
  Guard(*this, "IRgSISnapIn_Attach", [&] {
    manager_->Attach(platform::Self(this));
    SetOptionService(services_->RgOptionService().Cast<IRgOptionService>());
    if (optionService_) P_ReadOptions(showSystemBlocks_, addressPriority_);
  });
}

void RgProjectSnapin::PostAttach() {}

void RgProjectSnapin::PreDetach() {
  Guard(*this, "IRgSISnapIn_PreDetach", [&] {
    if (!infoWindow_) return;
    infoWindow_->Close();
    infoWindow_.Reset();
  });
}

void RgProjectSnapin::Detach() {
  GuardEach(
      *this, "IRgSISnapIn_Detach", [&] { TraceCall(1, kTypeName, "IRgSISnapIn_Detach"); },
      [&] { SetOptionService(nullptr); }, [&] { manager_->Detach(platform::Self(this)); });
}

// --- IRgObjectStreamServices --------------------------------------------------------------------

Ref<IRgObjectStreamServiceHost> RgProjectSnapin::ObjectStreamService(int32_t location) {
  Ref<IRgObjectStreamServiceHost> result;
  Guard(*this, "IRgObjectStreamServices_ObjectStreamService", [&] {
    if (services_) result = services_->RgObjectStreamService(location);
  });
  return result;
}

// --- IRgSICommandTarget -------------------------------------------------------------------------

Ref<IRgSICommandTarget> RgProjectSnapin::P_ActiveExplorerControl() {
  if (!application_) return {};
  return application_->ActiveExplorerControl().As<IRgSICommandTarget>();
}

bool RgProjectSnapin::IsResponsible(int32_t command) {
  bool result = false;
  Guard(*this, "IRgSICommandTarget_IsResponsible", [&] {
    if (commands_) result = commands_->IsResponsible(command);
    if (result) return;
    if (const auto control = P_ActiveExplorerControl()) result = control->IsResponsible(command);
  });
  return result;
}

bool RgProjectSnapin::OnCommand(int32_t command) {
  bool result = false;
  Guard(*this, "IRgSICommandTarget_OnCommand", [&] {
    if (commands_) result = commands_->OnCommand(command);
    if (result) return;
    if (const auto control = P_ActiveExplorerControl()) result = control->OnCommand(command);
  });
  return result;
}

bool RgProjectSnapin::OnUpdateUI(int32_t command, Ref<Object> userInterface) {
  bool result = false;
  Guard(*this, "IRgSICommandTarget_OnUpdateUI", [&] {
    if (commands_) result = commands_->OnUpdateUI(command, userInterface);
    if (result) return;
    if (const auto control = P_ActiveExplorerControl()) {
      result = control->OnUpdateUI(command, userInterface);
    }
  });
  return result;
}

std::string RgProjectSnapin::GetMsgText(int32_t command) {
  std::string result;
  Guard(*this, "IRgSICommandTarget_GetMsgText", [&] {
    if (const auto control = P_ActiveExplorerControl()) result = control->GetMsgText(command);
  });
  return result;
}

std::string RgProjectSnapin::GetTooltipText(int32_t command) {
  std::string result;
  Guard(*this, "IRgSICommandTarget_GetTooltipText", [&] {
    if (const auto control = P_ActiveExplorerControl()) result = control->GetTooltipText(command);
  });
  return result;
}

int32_t RgProjectSnapin::GetTooltipHelp(int32_t first, int32_t second) {
  int32_t result = 0;
  Guard(*this, "IRgSICommandTarget_GetTooltipHelp", [&] {
    if (const auto control = P_ActiveExplorerControl()) {
      result = control->GetTooltipHelp(first, second);
    }
  });
  return result;
}

bool RgProjectSnapin::DoVerb(int32_t verb, const Variant& arguments, bool broadcast) {
  bool result = false;
  Guard(*this, "IRgSICommandTarget_DoVerb", [&] {
    switch (verb) {
      case verb::kApplicationInitialized:
        application_->SetApplicationInitialized(true);
        projects_->BuildAllModels();
        if (offlineModel_->HasProject()) {
          application_->TopViewRegister("ProjectBar", "Project");
        } else if (onlineModel_->HasProject()) {
          application_->TopViewRegister("ProjectBar", "Online SPS");
        }
        application_->SetActiveMDIWindow();
        break;
      case verb::kRefreshWindowTitles:
        if (offlineModel_) application_->RefreshWindowTitles(offlineModel_->Items());
        break;
      case verb::kCompanionState:
        companion_->SetState(arguments.ToBool());
        break;
      case verb::kBeginWait:
        application_->DoWaitCursor(1);
        break;
      case verb::kEndWait:
        application_->DoWaitCursor(-1);
        break;
      default:
        if (const auto control = P_ActiveExplorerControl()) {
          result = control->DoVerb(verb, arguments, broadcast);
        }
        break;
    }
  });
  return result;
}

// --- Options and model events -------------------------------------------------------------------

void RgProjectSnapin::P_ReadOptions(bool& showSystemBlocks, int32_t& addressPriority) {
  showSystemBlocks = optionService_->Value(kOptionShowSystemBlocks).ToBool();
  const std::string priority = optionService_->Value(kOptionAddressPriority).ToString();
  // The numeric value of the text, rounded to the nearest integer with ties to even.
  addressPriority = Variant(platform::text::Val(priority)).ToInt32();
}

std::string RgProjectSnapin::JoinByAddressPriority(const std::string& absolute,
                                                   const std::string& symbolic) const {
  return addressPriority_ == 1 ? symbolic + ":" + absolute : absolute + ":" + symbolic;
}

void RgProjectSnapin::moOptionService_OptionsChanged() {
  Guard(*this, "moOptionService_OptionsChanged", [&] {
    if (!optionService_) return;
    bool showSystemBlocks = false;
    int32_t addressPriority = 0;
    P_ReadOptions(showSystemBlocks, addressPriority);
    const bool systemChanged = showSystemBlocks != showSystemBlocks_;
    const bool priorityChanged = addressPriority != addressPriority_;
    if (!systemChanged && !priorityChanged) return;
    projects_->SetAutoRefreshOnAllModels(false);
    if (systemChanged) {
      showSystemBlocks_ = showSystemBlocks;
      // Hidden system blocks need no refresh: only newly shown ones must be read from the PLC.
      if (showSystemBlocks_) projects_->RefreshModel(RgProjectLocationOnline);
    }
    if (priorityChanged) {
      addressPriority_ = addressPriority;
      projects_->RefreshModel(RgProjectLocationOffline);
    }
    projects_->SetAutoRefreshOnAllModels(true);
  });
}

void RgProjectSnapin::moOfflineModel_AutoRefresh(bool on) {
  Guard(*this, "moOfflineModel_AutoRefresh", [&] {
    if (on && application_) application_->RefreshWindowTitles(offlineModel_->Items());
  });
}

void RgProjectSnapin::moOfflineModel_ItemChange(Ref<RgProjectItem> item) {
  Guard(*this, "moOfflineModel_ItemChange", [&] {
    if (application_) application_->SetWindowTitle(item);
  });
}

void RgProjectSnapin::moOnlineModel_ProjectAdd(Ref<RgProjectItem> item) {
  Guard(*this, "moOnlineModel_ProjectAdd", [&] { RefreshOnlineData(item, true); });
}

void RgProjectSnapin::moOnlineModel_ProjectRefresh(Ref<RgProjectItem> item) {
  Guard(*this, "moOnlineModel_ProjectRefresh", [&] { RefreshOnlineData(item, true); });
}

void RgProjectSnapin::moOnlineModel_ProjectRemove(Ref<RgProjectItem> /*item*/) {
  Guard(*this, "moOnlineModel_ProjectRemove",
        [&] { application_->DoVerb(verb::kProjectRemoved, Variant(), true); });
}

// --- Online data --------------------------------------------------------------------------------

void RgProjectSnapin::RefreshOnlineData(Ref<RgProjectItem> item, bool notify) {
  Guard(*this, "RefreshOnlineData", [&] {
    if (!item) return;
    const Ref<IRgProjectItemHandler> handler = item->Handler();
    if (!handler) return;
    const Ref<IRgObject> container = handler->Object();
    if (!container) return;

    const std::string updateList = P_GetOnlineUpdateString(container);
    const auto loadService = services_->RgLoadService().Cast<IRgLoadService>();
    const int32_t state = loadService->LoadState(updateList, notify ? 16 : 0);

    if (updateList.find(clsid::kMemoryCard) != std::string::npos) {
      const Ref<RgProjectItemList> list = onlineModel_->ItemList();
      if (list->Find(find_by::kHandlerClass, Variant("RgPrjHandlerFilesOnMMC"))) {
        int16_t loadState = 0;
        bool known = true;
        switch (state) {
          case 0:
            loadState = -1;
            break;
          case 1:
          case -1:
            loadState = 0;
            break;
          case 2:
            loadState = 1;
            break;
          default:
            known = false;
            break;
        }
        if (known) list->FoundItem()->Data()->AddValue("LoadState", Variant(loadState), 2);
      }
    }

    application_->DoVerb(verb::kLoadState, Variant(state), true);
    if (state != 2) P_CloseGoneBlockDocuments(application_->CheckDocumentObjects(container));
  });
}

std::string RgProjectSnapin::P_GetOnlineUpdateString(Ref<Object> container) {
  std::string result;
  Guard(*this, "P_GetOnlineUpdateString", [&] {
    const auto objects = platform::CreateObjectAs<IRgObjectArray>(clsid::kObjectArray);
    const Ref<IRgObjectList> list = container.Cast<IRgProjectContainer>()->Objects();
    const auto hwSnapIn = application_->SnapIn(kHwConfigSnapIn).As<IRgHwConfigSnapIn>();
    if (hwSnapIn && hwSnapIn->Query(1)) {
      if (auto hw = list->FindByClass(std::string(clsid::kHwConfigOnline))) objects->Add(hw);
    }
    if (hwSnapIn && hwSnapIn->Query(2)) {
      if (auto station = P_GetHWStationPhysical(container).As<IRgObject>()) objects->Add(station);
    }
    if (auto card = list->FindByClass(std::string(clsid::kMemoryCard))) {
      if (application_->CheckOpenDocument(card)) objects->Add(card);
    }
    if (auto program = list->FindByClass(std::string(clsid::kProgramOnline))) objects->Add(program);
    if (const Ref<IRgAppDocuments> documents = application_->Documents()) {
      const int32_t count = documents->Count();
      for (int32_t i = 1; i <= count; ++i) {
        const Ref<IRgObject> object = documents->Item(i)->Object();
        if (object && object->ClassID() == clsid::kBlockOnline) objects->Add(object);
      }
    }
    result = services_->RgObjectStreamService(RgProjectLocationOnline)->GetRgObjectsXML(objects);
  });
  return result;
}

Ref<Object> RgProjectSnapin::P_GetHWStationPhysical(Ref<Object> object) {
  Ref<Object> result;
  Guard(*this, "P_GetHWStationPhysical", [&] {
    const auto relations = platform::BindToMoniker("clsid:" + std::string(clsid::kStationRelation))
                               .Cast<IRgRelationService>();
    result = relations->GetRelated(object, 4, 1);
  });
  return result;
}

void RgProjectSnapin::P_CloseGoneBlockDocuments(Ref<IRgAppDocuments> documents) {
  Guard(*this, "P_CloseGoneBlockDocuments", [&] {
    if (!documents) return;
    std::vector<Ref<IRgAppDocument>> toClose;
    std::string names;
    size_t named = 0;
    const int32_t count = documents->Count();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<IRgAppDocument> document = documents->Item(i);
      const Ref<IRgObject> object = document->Object();
      if (!object || object->ClassID() != clsid::kBlockOnline) continue;
      toClose.push_back(document);
      if (named < kMaxListedDocuments) {
        names += (named == 0 ? "" : ",\r\n") + document->Name();
      } else if (named == kMaxListedDocuments) {
        names += ",\r\n...";
      }
      ++named;
    }
    if (toClose.empty()) return;
    FrameworkGlobals()->ErrorService()->ShowMessage(0, "cmnerr", 1044, 0,
                                                    {GetStaticText(kTextGoneDocuments), names}, 1);
    for (const auto& document : toClose) document->Close();
  });
}

}  // namespace mzblprsx
