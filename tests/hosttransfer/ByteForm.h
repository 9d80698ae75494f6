// An encoder of the transfer object's bytes for the transfer tests, written from
// docs/architecture.md alone, so that the tests check the documented format rather than the
// implementation's idea of it.
#pragma once

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
/// The bytes of the items; `count` overrides the item count in the header.
Bytes Encode(const std::vector<RawItem>& items, int64_t count = -1);
/// Recomputes the checksum after a change to the bytes.
void Reseal(Bytes& bytes);
void PutU32(Bytes& bytes, size_t at, uint32_t value);

}  // namespace hosttransfer
