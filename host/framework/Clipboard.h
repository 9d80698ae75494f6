// A clipboard: byte blocks under clipboard format numbers (ClipboardFormats), as a copy leaves
// them for a paste. Clipboard::Process() is the one every application of the process shares,
// like the machine's clipboard; tests may make their own.
//
//   auto& clipboard = *host::Clipboard::Process();
//   clipboard.Replace({{listFormat, listBytes}, {dataFormat, dataBytes}});   // one copy
//   if (auto bytes = clipboard.GetData(dataFormat)) { ... }                 // a paste
//
// Thread-safe: the two applications of a transfer run on two threads. Replace puts a whole
// copy on at once, so a reader never sees half of one copy and half of another.
//
// Trap: an empty block is content; GetData tells it from an absent format (nothing).
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/Ref.h"

namespace host {

class Clipboard : public platform::Object {
 public:
  using Bytes = std::vector<uint8_t>;

  std::string_view TypeName() const override { return "Clipboard"; }

  /// The clipboard of the process.
  static const platform::Ref<Clipboard>& Process();

  /// Empties the clipboard.
  void Clear();
  /// Puts a block under a format, replacing what that format held; other formats stay.
  void SetData(int16_t format, std::span<const uint8_t> bytes);
  /// Empties the clipboard and puts the blocks on, as one change.
  void Replace(std::map<int16_t, Bytes> blocks);
  /// The block of a format (possibly empty); nothing when the format is not on the clipboard.
  std::optional<Bytes> GetData(int16_t format) const;
  bool HasFormat(int16_t format) const;
  /// The formats on the clipboard, in ascending order.
  std::vector<int16_t> Formats() const;
  /// Counts every change (Clear, SetData, Replace), so that a reader can tell that the content
  /// is no longer the one it saw.
  uint64_t Sequence() const;

 private:
  mutable std::mutex mutex_;
  std::map<int16_t, Bytes> blocks_;
  uint64_t sequence_ = 0;
};

}  // namespace host
