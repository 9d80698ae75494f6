#include "host/project/MMCFile.h"

#include <utility>

#include "host/project/MemoryCard.h"
#include "host/project/NotificationHub.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/Error.h"

namespace host {

namespace {

void RequireName(const std::string& name) {
  if (name.empty()) {
    throw platform::Error(platform::errc::kInvalidCall, "a memory card file needs a name");
  }
}

}  // namespace

MMCFile::MMCFile(std::string name) : ProjectDocument(mzblprsx::clsid::kMMCFile, {}, {}) {
  RequireName(name);
  Rename(std::move(name));
}

void MMCFile::SetName(std::string name) {
  RequireName(name);
  if (auto card = Card()) {
    card->RenameFile(*this, std::move(name));
    return;
  }
  Rename(std::move(name));
}

void MMCFile::SetFileType(int32_t type) {
  if (type == fileType_) return;
  fileType_ = type;
  Changed();
}

void MMCFile::SetTypeText(std::string text) {
  if (text == typeText_) return;
  typeText_ = std::move(text);
  Changed();
}

void MMCFile::SetSize(int32_t size) {
  if (!Assign(size_, CheckedSize(size))) return;
  Changed();
}

void MMCFile::SetLastModified(platform::DateTime when) {
  if (!Assign(lastModified_, when)) return;
  Changed();
}

void MMCFile::OnRenamed() {
  NotifyBatched(NotificationHub::kRenamed);
}

void MMCFile::Changed() {
  Touch();
  NotifyBatched(NotificationHub::kFileChanged);
}

platform::Ref<MemoryCard> MMCFile::Card() const {
  return Parent().As<MemoryCard>();
}

}  // namespace host
