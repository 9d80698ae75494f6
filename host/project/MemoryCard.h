// The PLC's memory card (kMemoryCard): name, date, size and the files on it in card order, with
// lookup by file name without regard to case.
//
// The object identifier is "MMC". A change of its name, date or size notifies 64, a file added
// or removed 1 or 2 (batched, NotificationHub). ReportFiles tells the listeners of every file
// on the card as if it had just been added: how a loaded file list reaches them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/project/ProjectDocument.h"
#include "platform/DateTime.h"

namespace host {

class MMCFile;

class MemoryCard : public ProjectDocument {
 public:
  explicit MemoryCard(std::string name);

  std::string_view TypeName() const override { return "MemoryCard"; }

  platform::DateTime LastModified() const { return lastModified_; }
  std::string ModifiedText() const { return lastModified_.ToString(); }
  void SetLastModified(platform::DateTime when);
  int32_t Size() const { return size_; }
  /// Error 5 for a negative size.
  void SetSize(int32_t size);

  const std::vector<platform::Ref<MMCFile>>& Files() const { return files_; }
  /// Nothing when no file has the name.
  platform::Ref<MMCFile> FindFile(std::string_view name) const;
  /// Appends a file. Error 457 when a file of that name is on the card, 5 when the file is on a
  /// card.
  void AddFile(const platform::Ref<MMCFile>& file);
  /// False when the file is not on this card.
  bool RemoveFile(MMCFile& file);
  /// Raises one batched notification 1 naming every file, in card order; nothing for an empty
  /// card or outside a project.
  void ReportFiles();
  /// Renames a file of the card. Error 457 when another file has the name.
  void RenameFile(MMCFile& file, std::string name);

 protected:
  void RemoveChild(ProjectObject& child) override;
  void OnRenamed() override;

 private:
  platform::DateTime lastModified_;
  int32_t size_ = 0;
  std::vector<platform::Ref<MMCFile>> files_;
  std::unordered_map<std::string, MMCFile*> byName_;  // folded name
};

}  // namespace host
