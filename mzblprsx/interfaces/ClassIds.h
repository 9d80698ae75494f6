// Class identifiers and program identifiers by which the library reaches the host's classes and
// the host reaches the library's. Framework object classes are compared as exact texts.
#pragma once

#include <string_view>

namespace mzblprsx::clsid {

// Host components created by the library.
inline constexpr std::string_view kFrameworkGlobals = "mzframex.RgFrameworkGlobals";
inline constexpr std::string_view kServiceFactory = "mzframex.RgServiceFactory";
inline constexpr std::string_view kObjectArray = "mzframex.RgObjectArray";
inline constexpr std::string_view kDataObject = "mzframex.RgDataObject";
inline constexpr std::string_view kClipboardFormats = "mzframex.RgClipboardFormats";
inline constexpr std::string_view kProjectModel = "{E50A2A2B-4FC1-47C5-89C7-1FB6EAD44EE4}";
inline constexpr std::string_view kItemMover = "{500C120A-A7A6-4340-9D42-BCD02602AC78}";
/// The model component's free-standing list of item references and item property set.
inline constexpr std::string_view kProjectItems = "mzblpexx.RgProjectItems";
inline constexpr std::string_view kProjectItemData = "mzblpexx.RgProjectItemData";
inline constexpr std::string_view kBlockInfo = "{A4D4CBFA-D417-4ED8-8443-DC3DC4C2AF88}";
inline constexpr std::string_view kKeyedCollection = "{7F1C3AEF-8D8A-11D5-A900-0800062480D7}";
inline constexpr std::string_view kNotifySubscription = "{15EFE330-3B98-11D4-A786-0800062480D7}";
inline constexpr std::string_view kCompanion = "{CD9F1C8D-3A5C-11D5-BD8B-003005021ED3}";
inline constexpr std::string_view kInfoWindow = "{D38682C8-6919-11D4-800C-00A0C9614698}";
inline constexpr std::string_view kCategoryService = "{BC107812-5C01-4210-9EDF-441996176ECC}";
inline constexpr std::string_view kObjectFinder = "mzframex.RgObjectFinder";
inline constexpr std::string_view kNewBlockDialog = "mzbdnblx.RgDialogNewBlock";
/// The help service of the application (help topics for F1).
inline constexpr std::string_view kHelpService = "mzframex.RgHelpService";
inline constexpr std::string_view kObjectPath = "mzframex.RgObjectPath";
inline constexpr std::string_view kPrintTable = "mzprintx.RgPrintTable";
inline constexpr std::string_view kHostApplication = "{EFCA418E-8375-11D2-BF9C-0020AF5A37DC}";
/// A comparison of two hardware configurations (IRgHwCompare), made anew for each comparison.
inline constexpr std::string_view kHwCompare = "mzhwcmpx.RgHwCompare";
/// The physical-station relation object, bound through the moniker "clsid:" + this text.
inline constexpr std::string_view kStationRelation = "{D6A82CED-8ED4-4Cb3-A5F3-072A10194B3D}";

// Services, selected through the service factory.
inline constexpr std::string_view kBlockService = "{6718742D-5BC0-11D3-A8E7-00A024F14A0A}";
inline constexpr std::string_view kHardwareService = "{9B539053-95A8-11D3-9B7E-00105A2FD4E4}";
inline constexpr std::string_view kLoadService = "{FD9FFE92-7086-11D5-A84C-0800062480F0}";
inline constexpr std::string_view kMMCService = "{33FC1932-8792-443B-BFFF-3FA72D848B8F}";
inline constexpr std::string_view kProjectService = "{95743EA0-104D-11D4-8C9B-00104BB53719}";
inline constexpr std::string_view kOnlineService = "{BF31C6DE-8CCA-456B-9F9C-B7A6D0437F5F}";
inline constexpr std::string_view kOptionService = "{8FEB6233-C73F-11D3-90EB-0020AFA1824E}";
inline constexpr std::string_view kTooltips = "{B68E5511-63E6-11D5-BD9C-003005021ED3}";
inline constexpr std::string_view kSymbolService = "{AF965550-9C3F-11D3-BF86-0020AF4CEE5D}";
inline constexpr std::string_view kOnlineConnection = "{71A3AE70-6241-11D4-A7AB-080006248091}";

// Framework object classes (RgObject::ClassID).
inline constexpr std::string_view kProjectOffline = "{F40D8990-5A2E-11D3-A0AE-0060081D6D99}";
inline constexpr std::string_view kProjectOnline = "{8A74BC20-DAE1-11D3-A73B-0800062480D7}";
inline constexpr std::string_view kHwConfigOffline = "{E13F2520-A711-11D3-9B94-00105A2FD4E4}";
inline constexpr std::string_view kHwConfigOnline = "{1E0B2871-729B-11D4-AC35-000102076DE4}";
inline constexpr std::string_view kSymbolTable = "{104EBDB0-3925-11D3-A628-0020AF4CEE5D}";
inline constexpr std::string_view kVarTables = "{D67332E1-1465-11D4-ABFD-000102076DE4}";
inline constexpr std::string_view kReferences = "{D0E2C070-6A2D-11D5-A8D0-0800062480D7}";
inline constexpr std::string_view kDocumentation = "{6CBAC170-6398-11D4-9A18-000102435636}";
inline constexpr std::string_view kProgramOffline = "{AAF07700-D0B0-11D2-A01E-0060081D6D99}";
inline constexpr std::string_view kProgramOnline = "{968372E0-DAE1-11D3-A73B-0800062480D7}";
inline constexpr std::string_view kBlockOffline = "{82DFE9F0-BC17-11D2-A007-0060081D6D99}";
inline constexpr std::string_view kBlockOnline = "{64404300-5A2B-11D3-A0AE-0060081D6D99}";
inline constexpr std::string_view kCategory = "{551112F2-2B14-11D4-AC0F-000102076DE4}";
inline constexpr std::string_view kGhostOffline = "{5E136372-6DDB-11D4-AC34-000102076DE4}";
inline constexpr std::string_view kGhostOnline = "{5E136371-6DDB-11D4-AC34-000102076DE4}";
inline constexpr std::string_view kMemoryCard = "{A290BFF0-6A2C-11D5-A8D0-0800062480D7}";
inline constexpr std::string_view kMMCFile = "{FA3308FC-7B44-484F-B87A-CFC95665308F}";

}  // namespace mzblprsx::clsid
