#include "host/framework/Clipboard.h"

#include <utility>

namespace host {

const platform::Ref<Clipboard>& Clipboard::Process() {
  static const platform::Ref<Clipboard> clipboard = platform::MakeObject<Clipboard>();
  return clipboard;
}

void Clipboard::Clear() {
  std::lock_guard lock(mutex_);
  blocks_.clear();
  ++sequence_;
}

void Clipboard::SetData(int16_t format, std::span<const uint8_t> bytes) {
  Bytes copy(bytes.begin(), bytes.end());
  std::lock_guard lock(mutex_);
  blocks_[format] = std::move(copy);
  ++sequence_;
}

void Clipboard::Replace(std::map<int16_t, Bytes> blocks) {
  std::lock_guard lock(mutex_);
  blocks_ = std::move(blocks);
  ++sequence_;
}

std::optional<Clipboard::Bytes> Clipboard::GetData(int16_t format) const {
  std::lock_guard lock(mutex_);
  const auto it = blocks_.find(format);
  if (it == blocks_.end()) return std::nullopt;
  return it->second;
}

bool Clipboard::HasFormat(int16_t format) const {
  std::lock_guard lock(mutex_);
  return blocks_.count(format) != 0;
}

std::vector<int16_t> Clipboard::Formats() const {
  std::lock_guard lock(mutex_);
  std::vector<int16_t> formats;
  formats.reserve(blocks_.size());
  for (const auto& [format, bytes] : blocks_) formats.push_back(format);
  return formats;
}

uint64_t Clipboard::Sequence() const {
  std::lock_guard lock(mutex_);
  return sequence_;
}

}  // namespace host
