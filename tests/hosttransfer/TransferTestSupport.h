// Shared by the transfer tests: a small project and PLC, and an encoder of the transfer object's
// bytes written from docs/architecture.md alone, so that the tests check the documented format
// rather than the implementation's idea of it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Ref.h"

namespace hosttransfer {

using Bytes = std::vector<uint8_t>;

inline const std::string kProjectGuid = "{3F2A9C41-7B5E-4D10-9A3C-5E8D21C4B7F0}";

/// Project "T": hardware, symbols (FB10 Motor, OB1 Cycle), variable tables, references,
/// documentation, and a program with categories 1 "Blocks" (OB1) and 2 "Motors" (FB10, DB10,
/// FB11); FC1 is listed by none. FB10 has an attribute this host does not know (colour="red").
std::string ProjectXml();
/// PLC "CPU": hardware, a memory card with "a.bin", and a program with FB10.
std::string PlcXml();

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

/// The number of the platform::Error that `call` throws; 0 when it throws none.
int32_t ErrorOf(const std::function<void()>& call, std::string* description = nullptr);

}  // namespace hosttransfer
