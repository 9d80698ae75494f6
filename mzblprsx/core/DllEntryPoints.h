// The library's entry points, exported with C linkage, as a host loads a component:
//
//   auto reg = reinterpret_cast<int32_t (*)()>(dlsym(lib, "DllRegisterServer"));
//   reg();                                          // classes now creatable by identifier
//   platform::Ref<platform::Object> factory;
//   DllGetClassObject("mzblprsx.RgProjectSnapin", &factory);
//
// Results are HRESULTs: 0 success, 1 "false" (DllCanUnloadNow: objects are still alive),
// 0x80040111 for a class the library does not have, 0x80004003 for a missing out pointer.
#pragma once

#include <cstdint>

#include "platform/Ref.h"

// The library is built with hidden visibility: these four are all it exports.
#define MZ_ENTRY_POINT __attribute__((visibility("default")))

extern "C" {
/// Registers the library's creatable classes in the process's class registry.
MZ_ENTRY_POINT int32_t DllRegisterServer();
/// Removes them again.
MZ_ENTRY_POINT int32_t DllUnregisterServer();
/// The class factory (platform::IClassFactory) of a class or program identifier.
MZ_ENTRY_POINT int32_t DllGetClassObject(const char* classId,
                                         platform::Ref<platform::Object>* factory);
/// 0 when no object of the library is alive, 1 otherwise.
MZ_ENTRY_POINT int32_t DllCanUnloadNow();
}

namespace mzblprsx {

/// Number of library objects alive in the process (every class traces its instances).
int64_t LiveObjectCount();

}  // namespace mzblprsx
