#include "host/framework/DataObject.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "host/framework/ClipboardFormats.h"
#include "host/project/Block.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/ProjectFile.h"
#include "host/project/ProjectFileWriter.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace host {

namespace {

constexpr std::array<uint8_t, 4> kMagic = {'R', 'G', 'D', 'O'};
constexpr size_t kHeaderSize = 16;
constexpr size_t kTrailerSize = 4;
constexpr uint8_t kHasData = 0x01;
constexpr size_t kTextsPerItem = 6;
constexpr size_t kSmallestItem = 1 + kTextsPerItem * 4;  // flags and six empty texts

// The CRC-32 of IEEE 802.3 that zip and PNG use, so that other tools can check the bytes.
uint32_t Crc32(std::span<const uint8_t> bytes) {
  return static_cast<uint32_t>(crc32_z(0, bytes.data(), bytes.size()));
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. The offset of the
// first bad byte, or npos.
size_t InvalidUtf8At(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<uint8_t>(s[i]);
    size_t length = 0;
    uint32_t min = 0;
    uint32_t cp = 0;
    if (b < 0x80) {
      ++i;
      continue;
    }
    if (b >= 0xC2 && b <= 0xDF) {
      length = 2, min = 0x80, cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3, min = 0x800, cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4, min = 0x10000, cp = b & 0x07;
    } else {
      return i;
    }
    if (s.size() - i < length) return i;
    for (size_t k = 1; k < length; ++k) {
      const auto c = static_cast<uint8_t>(s[i + k]);
      if ((c & 0xC0) != 0x80) return i;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return i;
    i += length;
  }
  return std::string_view::npos;
}

[[noreturn]] void Refuse(const std::string& problem) {
  throw platform::Error(DataObject::kFormatError, "data object bytes: " + problem);
}

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

uint32_t GetU32(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<uint32_t>(bytes[at + 2]) << 16) |
         (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

uint32_t CheckedU32(size_t value, const char* what) {
  if (value > UINT32_MAX) {
    throw platform::Error(platform::errc::kOverflow,
                          std::string("the data object is too large to be saved: ") + what);
  }
  return static_cast<uint32_t>(value);
}

// Reads the items of a payload whose frame has already been checked.
class ItemReader {
 public:
  explicit ItemReader(std::span<const uint8_t> payload) : payload_(payload) {}

  DataObjectItem::Fields Read(size_t index) {
    index_ = index;
    DataObjectItem::Fields fields;
    if (Remaining() < 1) Fail("is missing: the items end early");
    const uint8_t flags = payload_[at_++];
    if ((flags & ~kHasData) != 0) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", flags);
      Fail(std::string("has unknown flags ") + hex);
    }
    fields.hasData = (flags & kHasData) != 0;
    fields.classId = Text("class identifier");
    fields.objectId = Text("object identifier");
    fields.name = Text("name");
    fields.secondName = Text("second name");
    fields.markerText = Text("marker text");
    fields.data = Text("content");
    if (fields.classId.empty()) Fail("has no class identifier");
    if (!fields.hasData && !fields.data.empty()) Fail("is a reference but carries content");
    return fields;
  }

  size_t Remaining() const { return payload_.size() - at_; }

 private:
  std::string Text(const char* what) {
    if (Remaining() < 4) {
      Fail(std::string("is cut off before the length of its ") + what);
    }
    const uint32_t length = GetU32(payload_, at_);
    at_ += 4;
    if (length > Remaining()) {
      Fail(std::string("says its ") + what + " has " + std::to_string(length) +
           " bytes, but only " + std::to_string(Remaining()) + " remain");
    }
    std::string text(reinterpret_cast<const char*>(payload_.data() + at_), length);
    at_ += length;
    if (const size_t bad = InvalidUtf8At(text); bad != std::string::npos) {
      Fail(std::string("has a ") + what + " that is not valid UTF-8 (at byte " +
           std::to_string(bad) + " of it)");
    }
    return text;
  }

  [[noreturn]] void Fail(const std::string& problem) const {
    Refuse("item " + std::to_string(index_ + 1) + " " + problem);
  }

  std::span<const uint8_t> payload_;
  size_t at_ = 0;
  size_t index_ = 0;
};

}  // namespace

platform::Ref<mzblprsx::IRgDataObjectItem> DataObject::Item(int32_t index) {
  if (index < 1 || index > ItemCount()) {
    throw platform::Error(platform::errc::kSubscript, "the data object has no item " +
                                                          std::to_string(index) + " (it has " +
                                                          std::to_string(items_.size()) + ")");
  }
  return items_[static_cast<size_t>(index - 1)];
}

platform::Ref<mzblprsx::IRgDataObjectItem> DataObject::ItemByKey(
    const std::string& classId, const platform::Variant& objectId) {
  if (objectId.IsNull() || objectId.IsObject() || objectId.IsArray()) return {};
  const auto it = byKey_.find(KeyOf(classId, objectId.ToString()));
  return it == byKey_.end() ? platform::Ref<mzblprsx::IRgDataObjectItem>() : it->second;
}

platform::Ref<mzblprsx::IRgDataObjectItem> DataObject::AddObject(
    platform::Ref<mzblprsx::IRgObject> object) {
  if (!object) {
    throw platform::Error(platform::errc::kObjectNotSet, "AddObject: no object was given");
  }
  const auto projectObject = object.As<ProjectObject>();
  if (!projectObject) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "the data object cannot carry a " + std::string(object->TypeName()) +
                              " ('" + object->DisplayName() + "'): it is no object of a project");
  }
  DataObjectItem::Fields fields;
  fields.classId = object->ClassID();
  fields.objectId = object->ObjectID();
  RequireFree(fields.classId, fields.objectId);
  fields.hasData = true;
  if (const auto project = object.As<OfflineProject>()) {
    fields.data = ProjectFile::SerializeProject(*project);
  } else if (const auto plc = object.As<PlcProject>()) {
    fields.data = ProjectFile::SerializePlc(*plc);
  } else {
    try {
      fields.data = ProjectFileWriter::ElementText(*projectObject);
    } catch (const platform::Error& error) {
      throw platform::Error(platform::errc::kInvalidCall,
                            "the data object cannot carry " + std::string(object->TypeName()) +
                                " '" + object->ObjectID() + "': " + error.Description());
    }
  }
  if (const auto block = object.As<Block>()) {
    // A block is named by its symbol first and by its absolute name second, as lists show it.
    fields.name = block->Symbol();
    fields.secondName = block->Name();
  } else {
    fields.name = object->DisplayName();
  }
  return Add(std::move(fields));
}

platform::Ref<mzblprsx::IRgDataObjectItem> DataObject::AddReference(
    const std::string& classId, const platform::Variant& objectId, const std::string& name) {
  if (classId.empty()) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "AddReference: a reference needs a class identifier");
  }
  DataObjectItem::Fields fields;
  fields.classId = classId;
  try {
    fields.objectId = objectId.ToString();
  } catch (platform::Error& error) {
    error.SetDescription("AddReference: the object identifier (" + objectId.TypeName() +
                         ") has no text");
    throw;
  }
  RequireFree(fields.classId, fields.objectId);
  fields.name = name;
  fields.secondName = fields.objectId;
  return Add(std::move(fields));
}

void DataObject::RemoveItem(const std::string& classId, const platform::Variant& objectId) {
  if (objectId.IsNull() || objectId.IsObject() || objectId.IsArray()) return;
  const auto it = byKey_.find(KeyOf(classId, objectId.ToString()));
  if (it == byKey_.end()) return;
  const DataObjectItem* gone = it->second.Get();
  byKey_.erase(it);
  std::erase_if(items_, [&](const auto& item) { return item.Get() == gone; });
}

std::vector<uint8_t> DataObject::SaveBytes() {
  std::vector<uint8_t> payload;
  for (const auto& item : items_) {
    const auto& f = item->Values();
    payload.push_back(f.hasData ? kHasData : 0);
    for (const std::string* text :
         {&f.classId, &f.objectId, &f.name, &f.secondName, &f.markerText, &f.data}) {
      PutU32(payload, CheckedU32(text->size(), "a text exceeds 4 GiB"));
      payload.insert(payload.end(), text->begin(), text->end());
    }
  }
  std::vector<uint8_t> out(kMagic.begin(), kMagic.end());
  PutU16(out, kVersion);
  PutU16(out, 0);
  PutU32(out, CheckedU32(items_.size(), "too many items"));
  PutU32(out, CheckedU32(payload.size(), "the items exceed 4 GiB"));
  out.insert(out.end(), payload.begin(), payload.end());
  PutU32(out, Crc32(out));
  return out;
}

void DataObject::LoadBytes(std::span<const uint8_t> bytes) {
  // The frame first: size, mark, version, lengths, checksum.
  if (bytes.size() < kHeaderSize + kTrailerSize) {
    Refuse(std::to_string(bytes.size()) + " bytes are too few for a data object (at least " +
           std::to_string(kHeaderSize + kTrailerSize) + ")");
  }
  if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) {
    Refuse("they do not begin with the data object mark \"RGDO\"");
  }
  const auto version = static_cast<uint16_t>(bytes[4] | (bytes[5] << 8));
  if (version != kVersion) {
    Refuse("version " + std::to_string(version) + " is not supported (this host reads version " +
           std::to_string(kVersion) + ")");
  }
  const auto reserved = static_cast<uint16_t>(bytes[6] | (bytes[7] << 8));
  if (reserved != 0) Refuse("the reserved field is " + std::to_string(reserved) + ", not 0");
  const uint32_t count = GetU32(bytes, 8);
  const uint32_t payloadSize = GetU32(bytes, 12);
  const size_t present = bytes.size() - kHeaderSize - kTrailerSize;
  if (payloadSize != present) {
    Refuse("the header announces " + std::to_string(payloadSize) + " bytes of items, but " +
           std::to_string(present) + " are there" + (payloadSize > present ? " (cut off?)" : ""));
  }
  const size_t checked = bytes.size() - kTrailerSize;
  const uint32_t stored = GetU32(bytes, checked);
  const uint32_t computed = Crc32(bytes.first(checked));
  if (stored != computed) {
    char text[96];
    std::snprintf(text, sizeof text,
                  "the checksum 0x%08X does not match the content (0x%08X): they are damaged",
                  stored, computed);
    Refuse(text);
  }
  if (count > present / kSmallestItem) {
    Refuse(std::to_string(count) + " items cannot fit in " + std::to_string(present) + " bytes");
  }

  // Then every item, into new entries; the object changes only when all of them are good.
  ItemReader reader(bytes.subspan(kHeaderSize, present));
  std::vector<platform::Ref<DataObjectItem>> items;
  std::map<Key, platform::Ref<DataObjectItem>> byKey;
  std::map<Key, size_t> firstAt;
  items.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    auto item = platform::MakeObject<DataObjectItem>(reader.Read(i));
    Key key = KeyOf(item->Values().classId, item->Values().objectId);
    if (const auto [it, inserted] = firstAt.emplace(key, i); !inserted) {
      const std::string& id = item->Values().objectId;
      const bool sameSpelling = id == items[it->second]->Values().objectId &&
                                item->Values().classId == items[it->second]->Values().classId;
      Refuse("item " + std::to_string(i + 1) + " has the class and object identifier of item " +
             std::to_string(it->second + 1) + " ('" + id + "'" +
             (sameSpelling ? ")" : ", which differs from it only in case)"));
    }
    byKey.emplace(std::move(key), item);
    items.push_back(std::move(item));
  }
  if (reader.Remaining() != 0) {
    Refuse(std::to_string(reader.Remaining()) + " bytes follow the last item");
  }
  items_ = std::move(items);
  byKey_ = std::move(byKey);
}

int16_t DataObject::DataFormat() {
  return ClipboardFormats::Register(kFormatName);
}

platform::Ref<DataObjectItem> DataObject::Add(DataObjectItem::Fields fields) {
  Key key = KeyOf(fields.classId, fields.objectId);
  auto item = platform::MakeObject<DataObjectItem>(std::move(fields));
  byKey_.emplace(std::move(key), item);
  items_.push_back(item);
  return item;
}

DataObject::Key DataObject::KeyOf(std::string_view classId, std::string_view objectId) {
  return {platform::text::FoldCase(classId), platform::text::FoldCase(objectId)};
}

void DataObject::RequireFree(const std::string& classId, const std::string& objectId) const {
  if (byKey_.count(KeyOf(classId, objectId)) != 0) {
    throw platform::Error(platform::errc::kDuplicateKey,
                          "the data object already holds " + classId + " '" + objectId + "'");
  }
}

}  // namespace host
