// Fuzz target: the snap-in's configuration element and its "COMMANDS" text, as the host hands
// them over at Init. Any bytes must leave the snap-in initialised or cleanly failed, never
// crashed, and every object released after Detach.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "host/Environment.h"
#include "host/framework/TraceService.h"
#include "mzblprsx/core/DllEntryPoints.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/core/RgProjectUserCommands.h"
#include "platform/ClassRegistry.h"
#include "platform/XmlElement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static host::Environment* env = [] {
    auto* e = new host::Environment();  // lives for the whole run, like the host application
    DllRegisterServer();
    return e;
  }();
  const std::string text(reinterpret_cast<const char*>(data), size);

  {
    auto snapIn = platform::MakeObject<mzblprsx::RgProjectSnapin>();
    snapIn->Init(platform::Variant(platform::XmlElement::Parse(text)), env->ApplicationObject());
    snapIn->Commands()->Create(text);  // the same bytes as a bare commands text
    snapIn->Attach(nullptr);
    snapIn->PreDetach();
    snapIn->Detach();
  }
  if (env->Trace().LiveCount() != 0) std::abort();  // a leak of library objects is a finding
  return 0;
}
