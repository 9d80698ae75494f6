#include "mzblprsx/models/RgProjectData.h"

#include "mzblprsx/interfaces/IRgFileObject.h"
#include "mzblprsx/interfaces/RgProjectModel.h"

namespace mzblprsx {

RgEnumProjectLocation RgProjectData::Location() {
  int32_t location = 0;
  Guard(*this, "Property Get Location", [&] { location = Variant(location_).ToInt32(); });
  return static_cast<RgEnumProjectLocation>(location);
}

void RgProjectData::SetLocation(int32_t location) {
  location_ = std::to_string(location);
}

Ref<RgProjectModel> RgProjectData::Model() {
  return model_;
}
void RgProjectData::SetModel(Ref<RgProjectModel> model) {
  model_ = std::move(model);
}

std::string RgProjectData::GUID() {
  return guid_;
}
void RgProjectData::SetGUID(const std::string& guid) {
  guid_ = guid;
}

std::string RgProjectData::FileName() {
  std::string result;
  Guard(*this, "Property Get FileName", [&] {
    if (fileObject_) result = fileObject_.Cast<IRgFileObject>()->FileName();
  });
  return result;
}

Ref<platform::Object> RgProjectData::FileObject() {
  return fileObject_;
}
void RgProjectData::SetFileObject(Ref<platform::Object> file) {
  fileObject_ = std::move(file);
}

Ref<platform::Object> RgProjectData::Object() {
  return object_;
}
void RgProjectData::SetObject(Ref<platform::Object> object) {
  object_ = std::move(object);
}

}  // namespace mzblprsx
