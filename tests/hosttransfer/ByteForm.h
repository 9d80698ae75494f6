// An encoder of the transfer object's bytes for the transfer tests, written from
// docs/architecture.md alone, so that the tests check the documented format rather than the
// implementation's idea of it.
#pragma once

#include <zlib.h>

#include "support/HostTestSupport.h"

namespace hosttransfer {

using Bytes = std::vector<uint8_t>;
using mztest::ErrorOf;
using mztest::PlcXml;
using mztest::ProjectXml;

/// One item as the bytes hold it: flags, then class identifier, object identifier, name,
/// second name, marker text and content.
struct RawItem {
  uint8_t flags = 0;
  std::string classId, objectId, name, secondName, marker, content;
};

inline void PutU32(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}
inline void Append32(Bytes& bytes, uint32_t value) {
  bytes.resize(bytes.size() + 4);
  PutU32(bytes, bytes.size() - 4, value);
}
/// Recomputes the checksum after a change to the bytes.
inline void Reseal(Bytes& bytes) {
  PutU32(bytes, bytes.size() - 4,
         static_cast<uint32_t>(crc32_z(0, bytes.data(), bytes.size() - 4)));
}

/// The bytes of the items.
inline Bytes Encode(const std::vector<RawItem>& items) {
  Bytes payload;
  for (const RawItem& item : items) {
    payload.push_back(item.flags);
    for (const std::string* text : {&item.classId, &item.objectId, &item.name, &item.secondName,
                                    &item.marker, &item.content}) {
      Append32(payload, static_cast<uint32_t>(text->size()));
      payload.insert(payload.end(), text->begin(), text->end());
    }
  }
  Bytes bytes = {'R', 'G', 'D', 'O', 1, 0, 0, 0};
  Append32(bytes, static_cast<uint32_t>(items.size()));
  Append32(bytes, static_cast<uint32_t>(payload.size()));
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  Append32(bytes, 0);
  Reseal(bytes);
  return bytes;
}

}  // namespace hosttransfer
