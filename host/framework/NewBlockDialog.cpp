#include "host/framework/NewBlockDialog.h"

#include <string>

#include "host/Environment.h"
#include "host/framework/NewBlockScript.h"
#include "host/project/Block.h"
#include "host/project/Program.h"
#include "host/services/BlockService.h"
#include "mzblprsx/interfaces/IRgBlockContainer.h"
#include "platform/Error.h"

namespace host {

platform::Ref<mzblprsx::IRgObject> NewBlockDialog::CreateBlockOffline(
    platform::Ref<platform::Object> blockContainer) {
  if (!blockContainer) {
    throw platform::Error(platform::errc::kObjectNotSet,
                          "CreateBlockOffline: no block container was given");
  }
  platform::Ref<Program> program;
  if (const auto container = blockContainer.As<mzblprsx::IRgBlockContainer>()) {
    program = container->ContainerObject().As<Program>();
  }
  if (!program) {
    throw platform::Error(platform::errc::kTypeMismatch,
                          "CreateBlockOffline: a " + std::string(blockContainer->TypeName()) +
                              " is not a program's block container");
  }
  if (program->Online()) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "CreateBlockOffline: blocks reach the PLC's program by download only");
  }
  Environment* env = Environment::Current();
  if (env == nullptr) {
    throw platform::Error(platform::errc::kCannotCreate,
                          "CreateBlockOffline: there is no host application on this thread");
  }
  NewBlockScript& script = env->NewBlocks();
  const auto answer = script.Next();
  if (!answer) {
    script.Record("cancelled");
    return {};
  }
  try {
    const auto service = platform::MakeObject<BlockService>(program, nullptr, "Offline");
    auto block = service->CreateBlock(*answer);
    script.Record(block->Name());
    return block;
  } catch (const platform::Error& error) {
    script.Record("failed: " + error.Description());
    throw;
  }
}

}  // namespace host
