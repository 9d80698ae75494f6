// The host's transfer object (IRgDataObject, clsid::kDataObject): the objects of one copy, cut,
// drag, download or upload, in order, each carried with its content or as a reference, and the
// bytes that take them from one application to another.
//
//   auto data = platform::MakeObject<host::DataObject>();
//   data->AddObject(fb10);                        // content: the <block> element of FB10
//   data->AddReference(clsid, "FB11", "Belt");    // a name only
//   auto bytes = data->SaveBytes();               // onto the clipboard under DataFormat()
//   other->LoadBytes(bytes);                      // in the receiving application
//
// An object travels in the framework's own form: the element its project file holds for it
// (block, category with its members, symbol table, variable tables, references, documentation,
// hardware configuration, program with its categories and blocks, memory card, file on a card),
// or the whole file text for a project or PLC. Entries are keyed by class identifier (exact)
// and object identifier as text; a key is held once.
//
// The bytes (docs/architecture.md, "The transfer object's bytes"): a 16-byte header (mark "RGDO",
// version, item count, length of the items), the items, and a CRC-32 of all that. LoadBytes
// checks everything before it changes anything, and bounds every length by the bytes that
// remain, so damaged or hostile bytes cost no more memory than their own size.
//
// Trap: LoadBytes replaces the entries with new ones; entries taken out before are no longer
// part of the object.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/framework/DataObjectItem.h"
#include "mzblprsx/interfaces/IRgDataObject.h"

namespace host {

class DataObject : public virtual mzblprsx::IRgDataObject {
 public:
  /// The clipboard format name of the bytes.
  static constexpr std::string_view kFormatName = "rgCFDataObject";
  /// The runtime's "bad file format": LoadBytes refuses the bytes.
  static constexpr int32_t kFormatError = 321;
  /// The version SaveBytes writes and LoadBytes reads.
  static constexpr uint16_t kVersion = 1;

  std::string_view TypeName() const override { return "DataObject"; }

  // IRgDataObject
  int32_t ItemCount() override { return static_cast<int32_t>(items_.size()); }
  /// Error 9 outside 1..ItemCount.
  platform::Ref<mzblprsx::IRgDataObjectItem> Item(int32_t index) override;
  /// Nothing when there is no such entry, or when the identifier has no text (an object).
  platform::Ref<mzblprsx::IRgDataObjectItem> ItemByKey(const std::string& classId,
                                                       const platform::Variant& objectId) override;
  /// Carries a project object of this host with its content. Error 91 for nothing, 5 for an
  /// object this host cannot carry (not a project object, or one without a file form, such as
  /// a ghost block), 457 when the data object already holds its key.
  platform::Ref<mzblprsx::IRgDataObjectItem> AddObject(
      platform::Ref<mzblprsx::IRgObject> object) override;
  /// A reference: no content, SecondName the object identifier. Error 5 for an empty class
  /// identifier or an identifier without text (Null: 94, an object or array: 13), 457 for a key
  /// already held.
  platform::Ref<mzblprsx::IRgDataObjectItem> AddReference(const std::string& classId,
                                                          const platform::Variant& objectId,
                                                          const std::string& name) override;
  void RemoveItem(const std::string& classId, const platform::Variant& objectId) override;
  std::vector<uint8_t> SaveBytes() override;
  /// Error kFormatError with the first thing found wrong; the entries are then as before.
  void LoadBytes(std::span<const uint8_t> bytes) override;
  /// The number of kFormatName (ClipboardFormats).
  int16_t DataFormat() override;

 private:
  using Key = std::pair<std::string, std::string>;  // class identifier, object identifier
  /// Both identifiers case-folded: keys compare without regard to case, as the stream items'.
  static Key KeyOf(std::string_view classId, std::string_view objectId);
  platform::Ref<DataObjectItem> Add(DataObjectItem::Fields fields);
  /// Error 457 when the key of these identifiers is held.
  void RequireFree(const std::string& classId, const std::string& objectId) const;

  std::vector<platform::Ref<DataObjectItem>> items_;
  std::map<Key, platform::Ref<DataObjectItem>> byKey_;
};

}  // namespace host
