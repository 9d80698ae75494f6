// The root of every object of the library and of the host.
//
// Objects are reference counted through std::shared_ptr and always created with MakeObject (or
// std::make_shared), so that an object can hand out references to itself (Self). Interfaces are
// pure abstract classes that derive virtually from Object; a concrete class derives from Object
// (through its interfaces) and names itself in TypeName(), which is the class name the runtime
// reports: it is stamped into error sources and compared by class tests.
//
// Trap: Self() in a constructor fails, because no reference exists yet.
#pragma once

#include <memory>
#include <string_view>

namespace platform {

class Object : public std::enable_shared_from_this<Object> {
 public:
  virtual ~Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  /// The class name as the runtime reports it ("RgProjectSnapin", "RgProjectModel", ...).
  virtual std::string_view TypeName() const = 0;

 protected:
  Object() = default;
};

}  // namespace platform
