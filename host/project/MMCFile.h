// A file on the PLC's memory card (kMMCFile): name, type number and its text, size and date,
// read by the library through IRgMMCFile.
//
// The object identifier is the file name; file names are unique on their card without regard
// to case, so renaming a file that is on a card fails when another file has the name. A rename
// notifies 4, a change of type, size or date 8 (batched, NotificationHub).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/project/ProjectDocument.h"
#include "mzblprsx/interfaces/IRgMMCFile.h"
#include "platform/DateTime.h"

namespace host {

class MemoryCard;

class MMCFile : public ProjectDocument, public mzblprsx::IRgMMCFile {
 public:
  /// Error 5 for an empty name.
  explicit MMCFile(std::string name);

  std::string_view TypeName() const override { return "MMCFile"; }
  std::string ObjectID() override { return Name(); }
  /// Error 5 for an empty name, 457 when another file on the card has it.
  void SetName(std::string name) override;

  int32_t FileType() const { return fileType_; }
  void SetFileType(int32_t type);
  /// The type as the details list shows it ("Program", "Data", ...).
  const std::string& TypeText() const { return typeText_; }
  void SetTypeText(std::string text);
  int32_t Size() const { return size_; }
  /// Error 5 for a negative size.
  void SetSize(int32_t size);
  platform::DateTime LastModified() const { return lastModified_; }
  std::string ModifiedText() const { return lastModified_.ToString(); }
  void SetLastModified(platform::DateTime when);

  platform::Ref<MemoryCard> Card() const;

  // IRgMMCFile: the same values as the accessors above.
  int32_t FileType() override { return fileType_; }
  std::string TypeText() override { return typeText_; }
  int32_t Size() override { return size_; }
  std::string LastModifiedText() override { return ModifiedText(); }

 protected:
  void OnRenamed() override;

 private:
  friend class MemoryCard;  // renames after checking the card
  void Rename(std::string name) { ProjectDocument::SetName(std::move(name)); }
  void Changed();

  int32_t fileType_ = 0;
  std::string typeText_;
  int32_t size_ = 0;
  platform::DateTime lastModified_;
};

}  // namespace host
