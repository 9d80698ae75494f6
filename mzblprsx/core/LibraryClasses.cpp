#include "mzblprsx/core/LibraryClasses.h"

#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/core/RgProjectUserCommands.h"
#include "mzblprsx/cursors/RgProjectCursorDetails.h"
#include "mzblprsx/cursors/RgProjectCursorDetailsPrint.h"
#include "mzblprsx/cursors/RgProjectCursorExplorer.h"
#include "mzblprsx/cursors/RgProjectCursorExplorerDialog.h"
#include "mzblprsx/cursors/RgProjectSelectionHandler.h"
#include "mzblprsx/dialogs/RgProjectDialogBlockList.h"
#include "mzblprsx/dialogs/RgProjectDialogDownUpload.h"
#include "mzblprsx/handlers/RgObjectGhostBlock.h"
#include "mzblprsx/handlers/RgPrjHandlerBlockOffline.h"
#include "mzblprsx/handlers/RgPrjHandlerBlockOnline.h"
#include "mzblprsx/handlers/RgPrjHandlerCategory.h"
#include "mzblprsx/handlers/RgPrjHandlerDocumentation.h"
#include "mzblprsx/handlers/RgPrjHandlerFilesOnMMC.h"
#include "mzblprsx/handlers/RgPrjHandlerGhostBlock.h"
#include "mzblprsx/handlers/RgPrjHandlerHwConfigOffline.h"
#include "mzblprsx/handlers/RgPrjHandlerHwConfigOnline.h"
#include "mzblprsx/handlers/RgPrjHandlerMMCFile.h"
#include "mzblprsx/handlers/RgPrjHandlerMemoryCard.h"
#include "mzblprsx/handlers/RgPrjHandlerProgramOffline.h"
#include "mzblprsx/handlers/RgPrjHandlerProgramOnline.h"
#include "mzblprsx/handlers/RgPrjHandlerProjectOffline.h"
#include "mzblprsx/handlers/RgPrjHandlerProjectOnline.h"
#include "mzblprsx/handlers/RgPrjHandlerReferences.h"
#include "mzblprsx/handlers/RgPrjHandlerSymbolTable.h"
#include "mzblprsx/handlers/RgPrjHandlerVarTables.h"
#include "mzblprsx/models/RgPrjStatusController.h"
#include "mzblprsx/models/RgProjectFactoryOffline.h"
#include "mzblprsx/models/RgProjectFactoryOnline.h"
#include "mzblprsx/printing/RgPrjPrintObjectDetails.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerOffline.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerOnline.h"
#include "platform/Text.h"

namespace mzblprsx {
namespace {

template <class T>
platform::Ref<platform::Object> Create() {
  return platform::MakeObject<T>();
}

}  // namespace

const std::vector<LibraryClass>& LibraryClasses() {
  // Class identifiers of the library's own type library.
  static const std::vector<LibraryClass> classes{
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F01}", "mzblprsx.RgProjectSnapin",
       Create<RgProjectSnapin>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F02}", "mzblprsx.RgProjectUserCommands",
       Create<RgProjectUserCommands>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F03}", "mzblprsx.RgProjectFactoryOffline",
       Create<RgProjectFactoryOffline>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F04}", "mzblprsx.RgProjectFactoryOnline",
       Create<RgProjectFactoryOnline>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F05}", "mzblprsx.RgPrjStatusController",
       Create<RgPrjStatusController>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F06}", "mzblprsx.RgObjectStreamService",
       Create<RgObjectStreamService>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F07}", "mzblprsx.RgPrjStreamHandlerOffline",
       Create<RgPrjStreamHandlerOffline>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F08}", "mzblprsx.RgPrjStreamHandlerOnline",
       Create<RgPrjStreamHandlerOnline>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F20}", "mzblprsx.RgProjectCursorExplorer",
       Create<RgProjectCursorExplorer>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F21}", "mzblprsx.RgProjectCursorDetails",
       Create<RgProjectCursorDetails>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F22}", "mzblprsx.RgProjectCursorDetailsPrint",
       Create<RgProjectCursorDetailsPrint>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F2A}", "mzblprsx.RgProjectCursorExplorerDialog",
       Create<RgProjectCursorExplorerDialog>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F2B}", "mzblprsx.RgProjectSelectionHandler",
       Create<RgProjectSelectionHandler>},
      // Dialogs (subsystem 6).
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F60}", "mzblprsx.RgProjectDialogDownUpload",
       Create<RgProjectDialogDownUpload>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F61}", "mzblprsx.RgProjectDialogBlockList",
       Create<RgProjectDialogBlockList>},
      // Printing (subsystem 7).
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F70}", "mzblprsx.RgPrjPrintObjectDetails",
       Create<RgPrjPrintObjectDetails>},
      // Item handlers (subsystem 3).
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F30}", "mzblprsx.RgPrjHandlerSymbolTable",
       Create<RgPrjHandlerSymbolTable>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F31}", "mzblprsx.RgPrjHandlerVarTables",
       Create<RgPrjHandlerVarTables>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F32}", "mzblprsx.RgPrjHandlerDocumentation",
       Create<RgPrjHandlerDocumentation>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F33}", "mzblprsx.RgPrjHandlerReferences",
       Create<RgPrjHandlerReferences>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F34}", "mzblprsx.RgPrjHandlerMemoryCard",
       Create<RgPrjHandlerMemoryCard>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F40}", "mzblprsx.RgPrjHandlerProjectOnline",
       Create<RgPrjHandlerProjectOnline>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F41}", "mzblprsx.RgPrjHandlerHwConfigOnline",
       Create<RgPrjHandlerHwConfigOnline>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F42}", "mzblprsx.RgPrjHandlerProgramOnline",
       Create<RgPrjHandlerProgramOnline>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F43}", "mzblprsx.RgPrjHandlerBlockOnline",
       Create<RgPrjHandlerBlockOnline>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F44}", "mzblprsx.RgPrjHandlerGhostBlock",
       Create<RgPrjHandlerGhostBlock>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F45}", "mzblprsx.RgObjectGhostBlock",
       Create<RgObjectGhostBlock>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F46}", "mzblprsx.RgPrjHandlerFilesOnMMC",
       Create<RgPrjHandlerFilesOnMMC>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F47}", "mzblprsx.RgPrjHandlerMMCFile",
       Create<RgPrjHandlerMMCFile>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F35}", "mzblprsx.RgPrjHandlerProjectOffline",
       Create<RgPrjHandlerProjectOffline>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F36}", "mzblprsx.RgPrjHandlerHwConfigOffline",
       Create<RgPrjHandlerHwConfigOffline>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F37}", "mzblprsx.RgPrjHandlerProgramOffline",
       Create<RgPrjHandlerProgramOffline>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F38}", "mzblprsx.RgPrjHandlerBlockOffline",
       Create<RgPrjHandlerBlockOffline>},
      {"{8E3A51C0-1B7D-4F2A-9C61-0A7D5B2E4F39}", "mzblprsx.RgPrjHandlerCategory",
       Create<RgPrjHandlerCategory>},
  };
  return classes;
}

const LibraryClass* FindLibraryClass(std::string_view id) {
  for (const LibraryClass& c : LibraryClasses()) {
    if (platform::text::EqualsNoCase(c.classId, id) || platform::text::EqualsNoCase(c.progId, id)) {
      return &c;
    }
  }
  return nullptr;
}

}  // namespace mzblprsx
