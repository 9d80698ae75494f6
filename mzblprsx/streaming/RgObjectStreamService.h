// The stream service of one location: the object XML, byte forms and clipboard formats of
// transfers, around the location's stream handler.
//
//   auto xml = service->GetRgObjectsXML(array);
//   // <ROOT><RGOBJECT CLSID="{82DF...}" OBJID="FB10" ISOPEN="0"/></ROOT>
#pragma once

#include <string>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectSnapin;
class IRgObjectStreamHandler;
class IRgObjectArray;

class RgObjectStreamService final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgObjectStreamService";

  RgObjectStreamService() = default;
  std::string_view TypeName() const override { return kTypeName; }

  Ref<RgProjectSnapin> ProjectSnapIn();
  void SetProjectSnapIn(Ref<RgProjectSnapin> snapIn);
  Ref<IRgObjectStreamHandler> StreamHandler();
  void SetStreamHandler(Ref<IRgObjectStreamHandler> handler);

  /// The object XML of the objects of the array, in order; fails for an empty array.
  std::string GetRgObjectsXML(const Ref<IRgObjectArray>& objects);
  /// The object XML of an object data array (first index 1 to 3: class identifier, object
  /// identifier, open flag; second index over the objects); "" when the argument is not such an
  /// array.
  std::string GetRgObjectDataXML(const Variant& objectData);

 private:
  InstanceTrace trace_{kTypeName};
  Ref<RgProjectSnapin> snapIn_;
  Ref<IRgObjectStreamHandler> handler_;
};

}  // namespace mzblprsx
