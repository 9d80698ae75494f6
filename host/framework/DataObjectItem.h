// One entry of the host's transfer object (DataObject): an object carried with its content (the
// element a project file holds for it), or a reference that names it only.
//
//   auto item = data->AddObject(fb10);   // ClassID kBlockOffline, ObjectID "FB10",
//                                        // Name "Motor" (its symbol), SecondName "FB10"
//   item->Data();                        // "<block type=\"FB\" number=\"10\" .../>"
//
// Only the marker text changes after creation; the rest is fixed by the data object that made
// the entry. The object identifier is kept as text, the form in which entries are looked up.
//
// Trap: an entry removed from its data object lives on for whoever holds it, but is no longer
// carried.
#pragma once

#include <string>
#include <string_view>

#include "mzblprsx/interfaces/IRgDataObjectItem.h"

namespace host {

class DataObjectItem : public virtual mzblprsx::IRgDataObjectItem {
 public:
  /// What an entry is; the data object writes and reads exactly these.
  struct Fields {
    std::string classId;
    std::string objectId;
    std::string name;
    std::string secondName;
    bool hasData = false;
    /// The content; empty for a reference.
    std::string data;
    std::string markerText;
    bool operator==(const Fields&) const = default;
  };

  explicit DataObjectItem(Fields fields) : fields_(std::move(fields)) {}

  std::string_view TypeName() const override { return "DataObjectItem"; }

  // IRgDataObjectItem
  std::string ClassID() override { return fields_.classId; }
  /// The identifier as a text variant.
  platform::Variant ObjectID() override { return platform::Variant(fields_.objectId); }
  std::string Name() override { return fields_.name; }
  std::string SecondName() override { return fields_.secondName; }
  bool HasData() override { return fields_.hasData; }
  std::string Data() override { return fields_.data; }
  std::string MarkerText() override { return fields_.markerText; }
  void SetMarkerText(const std::string& text) override { fields_.markerText = text; }

  const Fields& Values() const { return fields_; }

 private:
  Fields fields_;
};

}  // namespace host
