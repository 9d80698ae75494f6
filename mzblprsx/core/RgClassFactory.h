// The class factory that DllGetClassObject hands out for one creatable class of the library.
#pragma once

#include <functional>

#include "platform/IClassFactory.h"

namespace mzblprsx {

class RgClassFactory final : public platform::IClassFactory {
 public:
  explicit RgClassFactory(std::function<platform::Ref<platform::Object>()> create)
      : create_(std::move(create)) {}
  std::string_view TypeName() const override { return "RgClassFactory"; }
  platform::Ref<platform::Object> CreateInstance() override { return create_(); }

 private:
  std::function<platform::Ref<platform::Object>()> create_;
};

}  // namespace mzblprsx
