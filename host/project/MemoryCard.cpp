#include "host/project/MemoryCard.h"

#include <algorithm>
#include <utility>

#include "host/project/MMCFile.h"
#include "host/project/NotificationHub.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace host {

using platform::text::FoldCase;

MemoryCard::MemoryCard(std::string name)
    : ProjectDocument(mzblprsx::clsid::kMemoryCard, "MMC", std::move(name)) {}

void MemoryCard::SetLastModified(platform::DateTime when) {
  if (!Assign(lastModified_, when)) return;
  Touch();
  NotifyBatched(NotificationHub::kChanged);
}

void MemoryCard::SetSize(int32_t size) {
  if (!Assign(size_, CheckedSize(size))) return;
  Touch();
  NotifyBatched(NotificationHub::kChanged);
}

platform::Ref<MMCFile> MemoryCard::FindFile(std::string_view name) const {
  const auto it = byName_.find(FoldCase(name));
  return it == byName_.end() ? platform::Ref<MMCFile>() : platform::Self(it->second);
}

void MemoryCard::AddFile(const platform::Ref<MMCFile>& file) {
  if (file->Parent()) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "file '" + file->Name() + "' is already on a card");
  }
  std::string folded = FoldCase(file->Name());
  if (byName_.count(folded) != 0) {
    throw platform::Error(platform::errc::kDuplicateKey,
                          "the card already holds a file '" + file->Name() + "'");
  }
  files_.push_back(file);
  byName_.emplace(std::move(folded), file.Get());
  file->SetParent(platform::Self<ProjectObject>(this));
  Touch();
  if (const auto hub = ProjectHub()) hub->RaiseBatched(NotificationHub::kCreated, *file);
}

bool MemoryCard::RemoveFile(MMCFile& file) {
  const auto it =
      std::find_if(files_.begin(), files_.end(), [&](const auto& f) { return f.Get() == &file; });
  if (it == files_.end()) return false;
  const auto keep = *it;  // the list may hold the last reference
  byName_.erase(FoldCase(file.Name()));
  files_.erase(it);
  file.SetParent(nullptr);
  Touch();
  if (const auto hub = ProjectHub()) hub->RaiseBatched(NotificationHub::kDeleted, file, this);
  return true;
}

void MemoryCard::ReportFiles() {
  const auto hub = ProjectHub();
  if (!hub || files_.empty()) return;
  NotificationBatch batch(hub);  // the entries of one code and class merge into one
  for (const auto& file : files_) hub->RaiseBatched(NotificationHub::kCreated, *file);
}

void MemoryCard::RenameFile(MMCFile& file, std::string name) {
  if (!SameObject(file.Card(), platform::Self(this))) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "file '" + file.Name() + "' is not on this card");
  }
  std::string folded = FoldCase(name);
  const auto other = byName_.find(folded);
  if (other != byName_.end() && other->second != &file) {
    throw platform::Error(platform::errc::kDuplicateKey,
                          "the card already holds a file '" + name + "'");
  }
  byName_.erase(FoldCase(file.Name()));
  byName_.emplace(std::move(folded), &file);
  file.Rename(std::move(name));
}

void MemoryCard::OnRenamed() {
  NotifyBatched(NotificationHub::kChanged);
}

void MemoryCard::RemoveChild(ProjectObject& child) {
  auto* file = dynamic_cast<MMCFile*>(&child);
  if (!file || !RemoveFile(*file)) ProjectObject::RemoveChild(child);
}

}  // namespace host
