// The offline stream handler: the offline project's side of transfers.
#pragma once

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/streaming/IRgObjectStreamHandler.h"

namespace mzblprsx {

class RgPrjStreamHandlerOffline final : public IRgObjectStreamHandler {
 public:
  static constexpr std::string_view kTypeName = "RgPrjStreamHandlerOffline";

  RgPrjStreamHandlerOffline() = default;
  std::string_view TypeName() const override { return kTypeName; }

  Ref<RgObjectStreamService> Parent() override { return parent_; }
  void SetParent(Ref<RgObjectStreamService> parent) override { parent_ = std::move(parent); }

 private:
  InstanceTrace trace_{kTypeName};
  Ref<RgObjectStreamService> parent_;
};

}  // namespace mzblprsx
