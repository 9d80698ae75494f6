// The offline category service: unique category names and creating categories in a program.
// For now it carries nothing of its own.
//
// Created through the class registry (a new object per creation); the library creates one and
// keeps it. Trap: it is not handed out by the service factory.
#pragma once

#include "platform/Ref.h"

namespace host {

class CategoryService : public virtual platform::Object {
 public:
  std::string_view TypeName() const override { return "CategoryService"; }
};

}  // namespace host
