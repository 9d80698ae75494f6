#include "mzblprsx/core/DllEntryPoints.h"

#include <string_view>

#include "mzblprsx/core/LibraryClasses.h"
#include "mzblprsx/core/RgClassFactory.h"
#include "platform/ClassRegistry.h"

namespace {

constexpr int32_t kOk = 0;
constexpr int32_t kFalse = 1;
constexpr int32_t kClassNotAvailable = static_cast<int32_t>(0x80040111);
constexpr int32_t kPointer = static_cast<int32_t>(0x80004003);

}  // namespace

extern "C" {

int32_t DllRegisterServer() {
  for (const mzblprsx::LibraryClass& c : mzblprsx::LibraryClasses()) {
    platform::ClassRegistry::Instance().Register(c.classId, c.progId, c.create);
  }
  return kOk;
}

int32_t DllUnregisterServer() {
  for (const mzblprsx::LibraryClass& c : mzblprsx::LibraryClasses()) {
    platform::ClassRegistry::Instance().Unregister(c.progId);
  }
  return kOk;
}

int32_t DllGetClassObject(const char* classId, platform::Ref<platform::Object>* factory) {
  if (factory == nullptr) return kPointer;
  factory->Reset();
  if (classId == nullptr) return kClassNotAvailable;
  const mzblprsx::LibraryClass* found = mzblprsx::FindLibraryClass(classId);
  if (found == nullptr) return kClassNotAvailable;
  *factory = platform::MakeObject<mzblprsx::RgClassFactory>(found->create);
  return kOk;
}

int32_t DllCanUnloadNow() {
  return mzblprsx::LiveObjectCount() == 0 ? kOk : kFalse;
}

}  // extern "C"
