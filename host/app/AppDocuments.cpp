#include "host/app/AppDocuments.h"

#include <algorithm>
#include <string>
#include <utility>

#include "host/app/AppDocument.h"
#include "mzblprsx/interfaces/IRgObject.h"

namespace host {

platform::Ref<mzblprsx::IRgAppDocument> AppDocuments::Item(int32_t index) {
  if (index < 1 || index > Count()) {
    throw platform::Error(platform::errc::kSubscript,
                          "There is no document at position " + std::to_string(index) + " (" +
                              std::to_string(Count()) + " open)",
                          std::string(TypeName()));
  }
  return documents_[static_cast<size_t>(index - 1)];
}

platform::Ref<mzblprsx::IRgAppDocument> AppDocuments::ItemByObject(
    platform::Ref<platform::Object> object) {
  if (auto document = Find(object)) return document;
  std::string what = "nothing";
  if (auto framework = object.As<mzblprsx::IRgObject>()) {
    what = "'" + framework->DisplayName() + "'";
  } else if (object) {
    what = "the given object";
  }
  throw platform::Error(platform::errc::kInvalidCall, "No open document shows " + what,
                        std::string(TypeName()));
}

platform::Ref<mzblprsx::IRgAppDocument> AppDocuments::FindByObject(
    platform::Ref<platform::Object> object) {
  return Find(object);
}

platform::Ref<AppDocument> AppDocuments::Find(const platform::Ref<platform::Object>& object) const {
  if (!object) return {};
  for (const auto& document : documents_) {
    if (document->Shows(object)) return document;
  }
  return {};
}

void AppDocuments::Add(platform::Ref<AppDocument> document) {
  if (!document) return;
  if (std::ranges::any_of(documents_, [&](const auto& d) { return d.Get() == document.Get(); })) {
    return;
  }
  documents_.push_back(std::move(document));
}

void AppDocuments::Remove(const platform::Ref<AppDocument>& document) {
  std::erase_if(documents_, [&](const auto& d) { return d.Get() == document.Get(); });
}

}  // namespace host
