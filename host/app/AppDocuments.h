// An ordered list of documents of the reference host: the application's open documents, or a
// selection of them (the answer of CheckDocumentObjects).
//
//   auto docs = app->Documents();
//   for (int32_t i = 1; i <= docs->Count(); ++i) docs->Item(i)->Title();
//   docs->ItemByObject(block);   // error 5 when no document shows the block
//
// The list holds its documents; closing a document removes it from the application's list only.
#pragma once

#include <cstdint>
#include <vector>

#include "mzblprsx/interfaces/IRgAppDocuments.h"

namespace host {

class AppDocument;

class AppDocuments final : public mzblprsx::IRgAppDocuments {
 public:
  AppDocuments() = default;
  std::string_view TypeName() const override { return "AppDocuments"; }

  int32_t Count() override { return static_cast<int32_t>(documents_.size()); }
  /// The document at a 1-based position; error 9 outside 1..Count.
  platform::Ref<mzblprsx::IRgAppDocument> Item(int32_t index) override;
  /// The document showing the object; error 5 naming the object when none does (or the object
  /// is nothing).
  platform::Ref<mzblprsx::IRgAppDocument> ItemByObject(
      platform::Ref<platform::Object> object) override;
  /// The document showing the object, or nothing (no error: most objects have no document).
  platform::Ref<mzblprsx::IRgAppDocument> FindByObject(
      platform::Ref<platform::Object> object) override;

  /// The document showing the object, or nothing.
  platform::Ref<AppDocument> Find(const platform::Ref<platform::Object>& object) const;
  /// Appends a document (nothing and documents already held are ignored).
  void Add(platform::Ref<AppDocument> document);
  /// Removes a document; one that is not held is ignored.
  void Remove(const platform::Ref<AppDocument>& document);
  void Clear() { documents_.clear(); }
  const std::vector<platform::Ref<AppDocument>>& Documents() const { return documents_; }

 private:
  std::vector<platform::Ref<AppDocument>> documents_;
};

}  // namespace host
