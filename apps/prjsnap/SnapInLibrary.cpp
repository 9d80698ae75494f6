#include "SnapInLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "platform/Error.h"
#include "platform/IClassFactory.h"

namespace prjsnap {
namespace {

using RegisterFn = int32_t (*)();
using GetClassObjectFn = int32_t (*)(const char*, platform::Ref<platform::Object>*);
using CanUnloadFn = int32_t (*)();

std::filesystem::path ExecutableDirectory() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe.parent_path();
}

}  // namespace

std::filesystem::path SnapInLibrary::DefaultPath() {
  if (const char* env = std::getenv("PRJSNAP_LIBRARY"); env != nullptr && *env != '\0') return env;
  const auto beside = ExecutableDirectory() / "libmzblprsx.so";
  if (std::filesystem::exists(beside)) return beside;
  return MZ_LIBRARY_PATH;
}

SnapInLibrary::SnapInLibrary(const std::filesystem::path& file) : path_(file) {
  handle_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* why = dlerror();
    throw platform::Error(platform::errc::kCannotCreate,
                          "cannot load the snap-in library " + file.string() + ": " +
                              (why != nullptr ? why : "unknown reason"));
  }
  const int32_t hr = Symbol<RegisterFn>("DllRegisterServer")();
  if (hr != 0) {
    throw platform::Error(hr, "DllRegisterServer of " + file.string() + " failed");
  }
}

SnapInLibrary::~SnapInLibrary() {
  if (handle_ == nullptr) return;
  // Unregister and unload only when nothing of the library is alive any more.
  if (CanUnload()) {
    Symbol<RegisterFn>("DllUnregisterServer")();
    dlclose(handle_);
  }
}

template <class F>
F SnapInLibrary::Symbol(const char* name) {
  void* symbol = dlsym(handle_, name);
  if (symbol == nullptr) {
    throw platform::Error(platform::errc::kCannotCreate,
                          path_.string() + " has no entry point " + name);
  }
  return reinterpret_cast<F>(symbol);
}

platform::Ref<platform::Object> SnapInLibrary::Create(const std::string& classId) {
  platform::Ref<platform::Object> factory;
  const int32_t hr = Symbol<GetClassObjectFn>("DllGetClassObject")(classId.c_str(), &factory);
  if (hr != 0 || !factory) {
    throw platform::Error(hr, "the snap-in library has no class " + classId);
  }
  return factory.Cast<platform::IClassFactory>()->CreateInstance();
}

bool SnapInLibrary::CanUnload() {
  return Symbol<CanUnloadFn>("DllCanUnloadNow")() == 0;
}

}  // namespace prjsnap
