// The snap-in object: the one object the host creates from this library.
//
// The host drives it through IRgSISnapIn (Init, Attach, PostAttach, PreDetach, Detach) and sends
// it commands and verbs through IRgSICommandTarget. The library's other objects reach the central
// objects (application, commands, models registry, services, status controller, language access)
// through its properties. Building and tearing down the object graph is delegated to
// RgProjectSnapInManager.
//
// Trap: the graph holds back references to the snap-in; only Detach breaks them. A snap-in that is
// released without Detach stays alive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/IRgSICommandTarget.h"
#include "mzblprsx/interfaces/IRgSISnapIn.h"
#include "mzblprsx/streaming/IRgObjectStreamServices.h"

namespace mzblprsx {

class RgProjectSnapInManager;
class RgProjectApplication;
class RgProjectUserCommands;
class RgProjects;
class RgProjectServices;
class RgPrjStatusController;
class RgProjectModel;
class RgProjectItem;
class IRgLanguageAccess;
class IRgOptionService;
class IRgCompanion;
class IRgInfoWindow;
class IRgBlockInfo;
class IRgAppDocuments;

class RgProjectSnapin final : public IRgSISnapIn,
                              public IRgSICommandTarget,
                              public IRgObjectStreamServices {
 public:
  static constexpr std::string_view kTypeName = "RgProjectSnapin";
  /// Text number of the caption of the "documents closed" message.
  static constexpr int32_t kTextGoneDocuments = 121;

  RgProjectSnapin();
  ~RgProjectSnapin() override;
  std::string_view TypeName() const override { return kTypeName; }

  // _RgProjectSnapin
  Ref<RgProjectApplication> Application();
  Ref<RgProjectUserCommands> Commands();
  Ref<IRgLanguageAccess> LanguageAccess();
  Ref<RgProjects> Projects();
  Ref<RgProjectServices> Services();
  Ref<RgPrjStatusController> StatusController();
  /// Sends a verb to another snap-in of the host; False when the host does not know the name.
  bool DoVerbOnSnapIn(const std::string& snapInName, int32_t& verb, Variant& arguments,
                      bool& broadcast);
  /// "MzBlock: <type> <number> <source>\0" for exactly one offline block item; "" otherwise.
  std::string GetAsciiBlockData(const std::vector<Ref<RgProjectItem>>& items,
                                const std::string& sourceApplicationId);
  std::string GetStaticText(int32_t textId);
  void ShowRgInfoWithMemory();

  // Library-internal: setters used by the manager, the model and option event sinks.
  void SetApplication(Ref<RgProjectApplication> application);
  void SetCommands(Ref<RgProjectUserCommands> commands);
  void SetLanguageAccess(Ref<IRgLanguageAccess> access);
  void SetProjects(Ref<RgProjects> projects);
  void SetServices(Ref<RgProjectServices> services);
  void SetStatusController(Ref<RgPrjStatusController> controller);
  Ref<RgProjectModel> OfflineModel();
  void SetOfflineModel(Ref<RgProjectModel> model);
  Ref<RgProjectModel> OnlineModel();
  void SetOnlineModel(Ref<RgProjectModel> model);
  Ref<IRgOptionService> OptionService();
  void SetOptionService(Ref<IRgOptionService> service);
  /// Last values read from the option service.
  bool ShowSystemBlocks() const { return showSystemBlocks_; }
  int32_t AddressPriority() const { return addressPriority_; }
  /// An object's two names as the user chose to see them: "symbolic:absolute" when the address
  /// priority is 1, "absolute:symbolic" otherwise.
  std::string JoinByAddressPriority(const std::string& absolute, const std::string& symbolic) const;

  /// The framework's block information object, created on first use and kept as long as the
  /// snap-in: the library holds no host object beyond the life of its snap-in.
  Ref<IRgBlockInfo> BlockInfo();

  /// Re-reads the load state of the online project and closes editors of blocks that are gone.
  void RefreshOnlineData(Ref<RgProjectItem> item, bool notify);

  // IRgSISnapIn
  std::string GetName() override;
  void Init(const Variant& configuration, Ref<Object> host) override;
  void Attach(Ref<Object> site) override;
  void PostAttach() override;
  void PreDetach() override;
  void Detach() override;

  // IRgSICommandTarget
  bool IsResponsible(int32_t command) override;
  bool OnCommand(int32_t command) override;
  bool OnUpdateUI(int32_t command, Ref<Object> userInterface) override;
  std::string GetMsgText(int32_t command) override;
  std::string GetTooltipText(int32_t command) override;
  int32_t GetTooltipHelp(int32_t first, int32_t second) override;
  bool DoVerb(int32_t verb, const Variant& arguments, bool broadcast) override;

  // IRgObjectStreamServices
  /// The services object's stream service of the location; nothing while the snap-in has no
  /// services object (before Init, after Detach).
  Ref<IRgObjectStreamServiceHost> ObjectStreamService(int32_t location) override;

 private:
  Ref<IRgSICommandTarget> P_ActiveExplorerControl();
  void P_ReadOptions(bool& showSystemBlocks, int32_t& addressPriority);
  std::string P_GetOnlineUpdateString(Ref<Object> container);
  Ref<Object> P_GetHWStationPhysical(Ref<Object> object);
  void P_CloseGoneBlockDocuments(Ref<IRgAppDocuments> documents);

  void moOptionService_OptionsChanged();
  void moOfflineModel_AutoRefresh(bool on);
  void moOfflineModel_ItemChange(Ref<RgProjectItem> item);
  void moOnlineModel_ProjectAdd(Ref<RgProjectItem> item);
  void moOnlineModel_ProjectRefresh(Ref<RgProjectItem> item);
  void moOnlineModel_ProjectRemove(Ref<RgProjectItem> item);

  InstanceTrace trace_{kTypeName};
  Ref<RgProjectSnapInManager> manager_;
  Ref<IRgLanguageAccess> languageAccess_;
  Ref<RgProjectUserCommands> commands_;
  Ref<RgProjectApplication> application_;
  Ref<RgProjects> projects_;
  Ref<RgProjectServices> services_;
  Ref<IRgInfoWindow> infoWindow_;
  Ref<RgPrjStatusController> statusController_;
  Ref<IRgCompanion> companion_;
  Ref<IRgBlockInfo> blockInfo_;
  bool showSystemBlocks_ = false;
  int32_t addressPriority_ = 0;
  Ref<RgProjectModel> offlineModel_;
  std::vector<platform::ScopedConnection> offlineModelSinks_;
  Ref<RgProjectModel> onlineModel_;
  std::vector<platform::ScopedConnection> onlineModelSinks_;
  Ref<IRgOptionService> optionService_;
  platform::ScopedConnection optionServiceSink_;
};

}  // namespace mzblprsx
