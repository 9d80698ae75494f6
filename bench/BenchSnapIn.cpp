#include "BenchSnapIn.h"

#include "host/app/HostApplication.h"
#include "mzblprsx/core/DllEntryPoints.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "platform/XmlElement.h"

namespace mzbench {

namespace {
constexpr const char* kSnapInName = "ProjectSnapIn";
}  // namespace

BenchSnapIn::BenchSnapIn() {
  DllRegisterServer();
  snapIn_ = platform::MakeObject<mzblprsx::RgProjectSnapin>();
  env_.Application().AddSnapIn(kSnapInName, snapIn_);
  snapIn_->Init(platform::Variant(platform::XmlElement::Parse("<SNAPIN/>")),
                env_.ApplicationObject());
  snapIn_->Attach(nullptr);
  snapIn_->DoVerb(1, platform::Variant(), false);
}

BenchSnapIn::~BenchSnapIn() {
  snapIn_->PreDetach();
  snapIn_->Detach();
  env_.Application().RemoveSnapIn(kSnapInName);
  snapIn_.Reset();
}

}  // namespace mzbench
