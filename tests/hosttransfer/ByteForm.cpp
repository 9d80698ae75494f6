#include "ByteForm.h"

#include <zlib.h>

namespace hosttransfer {

void PutU32(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

namespace {
void Append32(Bytes& bytes, uint32_t value) {
  bytes.resize(bytes.size() + 4);
  PutU32(bytes, bytes.size() - 4, value);
}
}  // namespace

Bytes Encode(const std::vector<RawItem>& items, int64_t count) {
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
  Append32(bytes, static_cast<uint32_t>(count < 0 ? static_cast<int64_t>(items.size()) : count));
  Append32(bytes, static_cast<uint32_t>(payload.size()));
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  Append32(bytes, 0);
  Reseal(bytes);
  return bytes;
}

void Reseal(Bytes& bytes) {
  PutU32(bytes, bytes.size() - 4,
         static_cast<uint32_t>(crc32_z(0, bytes.data(), bytes.size() - 4)));
}

}  // namespace hosttransfer
