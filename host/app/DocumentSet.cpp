#include "host/app/DocumentSet.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "host/app/HostApplication.h"
#include "host/app/IHostDocument.h"
#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/IRgObject.h"

namespace host {
namespace {

std::string NameOf(const platform::Ref<platform::Object>& document) {
  if (auto object = document.As<mzblprsx::IRgObject>()) return object->DisplayName();
  return "(unnamed document)";
}

bool Contains(const std::vector<platform::Ref<platform::Object>>& list,
              const platform::Ref<platform::Object>& object) {
  return std::ranges::any_of(list, [&](const auto& o) { return platform::SameObject(o, object); });
}

platform::Error MissingDocument(std::string_view procedure) {
  return platform::Error(platform::errc::kObjectNotSet,
                         "DocumentSet." + std::string(procedure) + ": no document given",
                         "DocumentSet");
}

}  // namespace

DocumentSet::DocumentSet(std::weak_ptr<HostApplication> application)
    : application_(std::move(application)) {}

void DocumentSet::Add(platform::Ref<platform::Object> document) {
  if (!document) throw MissingDocument("Add");
  if (Contains(documents_, document)) return;
  documents_.push_back(std::move(document));
}

void DocumentSet::Flush() {
  failed_.clear();
  if (documents_.empty()) return;
  for (const Failure& failure : failures_) {
    if (!failure.whole) continue;
    // A cancelled flush stops before anything is written, as when the user cancels the prompt.
    const bool cancelled = failure.number == platform::errc::kAbort;
    Record(cancelled ? "flush cancelled" : "flush failed");
    throw platform::Error(failure.number,
                          cancelled ? "The flush of the documents was cancelled by the user"
                                    : "The flush of the documents failed",
                          std::string(TypeName()));
  }
  // Every document gets its chance; the first failure is raised once all were tried.
  std::optional<platform::Error> first;
  for (const auto& document : documents_) {
    if (const Failure* failure = FailureFor(document)) {
      failed_.push_back(document);
      Record("flush failed " + NameOf(document));
      if (!first) {
        first = platform::Error(failure->number,
                                "The document '" + NameOf(document) + "' could not be written back",
                                std::string(TypeName()));
      }
      continue;
    }
    WriteBack(document, "flush");
  }
  if (first) throw *first;
}

void DocumentSet::Save(platform::Ref<platform::Object> document) {
  if (!document) throw MissingDocument("Save");
  if (const Failure* failure = FailureFor(document)) {
    Record("save failed " + NameOf(document));
    throw platform::Error(failure->number,
                          "The document '" + NameOf(document) + "' could not be saved",
                          std::string(TypeName()));
  }
  WriteBack(document, "save");
}

bool DocumentSet::Failed(platform::Ref<platform::Object> document) {
  return document && Contains(failed_, document);
}

std::string DocumentSet::StdQuery() {
  std::string names;
  for (const auto& document : documents_) {
    auto doc = document.As<mzblprsx::IRgDocument>();
    if (!doc || !doc->IsModified()) continue;
    names += (names.empty() ? "" : ", ") + NameOf(document);
  }
  return names.empty() ? std::string() : "Save changes to: " + names;
}

void DocumentSet::Log(const std::string& text) {
  Record("log " + text);
}

void DocumentSet::Clear() {
  documents_.clear();
  failed_.clear();
}

void DocumentSet::FailFlushWith(int32_t number, const platform::Ref<platform::Object>& forObject) {
  failures_.push_back(Failure{number, !forObject, forObject.Shared()});
}

const DocumentSet::Failure* DocumentSet::FailureFor(
    const platform::Ref<platform::Object>& document) const {
  for (const Failure& failure : failures_) {
    if (failure.whole) continue;
    if (platform::SameObject(platform::Ref<platform::Object>(failure.object.lock()), document)) {
      return &failure;
    }
  }
  return nullptr;
}

void DocumentSet::WriteBack(const platform::Ref<platform::Object>& document, const char* verb) {
  if (auto editable = document.As<IHostDocument>()) editable->SetModified(false);
  Record(std::string(verb) + " " + NameOf(document));
}

void DocumentSet::Record(std::string entry) {
  if (auto application = application_.lock()) application->RecordDocumentEvent(entry);
  journal_.push_back(std::move(entry));
}

}  // namespace host
