// A reference-host application with the library registered, and helpers to drive a snap-in
// through its life as the host does.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "host/Environment.h"
#include "host/app/HostApplication.h"
#include "host/framework/ErrorService.h"
#include "host/framework/TraceService.h"
#include "mzblprsx/core/DllEntryPoints.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "platform/XmlElement.h"

namespace mztest {

/// A fresh copy of a sample file in a temporary folder of this test process: building a tree may
/// save the project (the sample's stored category order leaves a category out on purpose), and
/// tests must never change the samples.
inline std::string SampleFile(const char* name) {
  struct Folder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("mz-samples-" + std::to_string(::getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  };
  static Folder folder;
  static int copies = 0;
  const auto copy = folder.path / (std::to_string(++copies) + "-" + name);
  std::filesystem::copy_file(std::filesystem::path(MZ_SAMPLES_DIR) / name, copy,
                             std::filesystem::copy_options::overwrite_existing);
  return copy.string();
}

inline std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (const auto& p : parts) out += (out.empty() ? "" : ", ") + p;
  return out;
}

class SnapInFixture : public ::testing::Test {
 protected:
  SnapInFixture() { DllRegisterServer(); }

  void TearDown() override {
    if (snapIn) Stop();
    EXPECT_EQ(env.Trace().LiveCount(), 0u)
        << "every library object is released: " << Join(env.Trace().LiveInstances());
  }

  /// Creates the snap-in and runs Init (with the configuration text) and Attach.
  void Start(const std::string& configuration = "<SNAPIN/>") {
    snapIn = platform::MakeObject<mzblprsx::RgProjectSnapin>();
    env.Application().AddSnapIn("ProjectSnapIn", snapIn);
    snapIn->Init(platform::Variant(platform::XmlElement::Parse(configuration)),
                 env.ApplicationObject());
    snapIn->Attach(nullptr);
  }

  /// Verb 1: the host has finished initialising.
  void Initialized() { snapIn->DoVerb(1, platform::Variant(), false); }

  /// PreDetach, Detach and release, as the host ends a snap-in.
  void Stop() {
    snapIn->PreDetach();
    snapIn->Detach();
    env.Application().RemoveSnapIn("ProjectSnapIn");
    snapIn.Reset();
  }

  /// Sources of the errors the error service received, in order.
  std::vector<std::string> ErrorSources() const {
    std::vector<std::string> out;
    for (const auto& r : env.Errors().Reports()) out.push_back(r.source);
    return out;
  }

  mutable host::Environment env;
  platform::Ref<mzblprsx::RgProjectSnapin> snapIn;
};

}  // namespace mztest
