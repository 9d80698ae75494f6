// A set of framework documents that the reference host flushes (writes back) or saves together;
// the host application hands out sets of kind 3.
//
//   auto set = app->CreateDocumentSet(3);
//   set->Add(block);
//   set->Flush();                 // writes back every document; throws the first failure
//   set->Failed(block);           // true when the last Flush failed for it
//
// Writing back clears the modified state of objects that offer host::IHostDocument and is
// journalled ("flush FB10", "save FB10", "log ..."), here and in the owning application's
// DocumentLog. Tests script failures: FailFlushWith(0x80004004) makes the whole flush fail as
// cancelled by the user, before anything is written; FailFlushWith(number, object) makes that one
// document fail (its flush and its save), the others are still written and the flush then throws
// the first such error.
// Trap: the set holds its documents until Clear or its release; a script holds objects weakly.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgDocumentSet.h"

namespace host {

class HostApplication;

class DocumentSet final : public mzblprsx::IRgDocumentSet {
 public:
  /// application: where the journal is also written (not owned; may be empty).
  explicit DocumentSet(std::weak_ptr<HostApplication> application = {});
  std::string_view TypeName() const override { return "DocumentSet"; }

  /// Adds a document; an object already in the set is ignored; nothing is error 91.
  void Add(platform::Ref<platform::Object> document) override;
  int32_t Count() override { return static_cast<int32_t>(documents_.size()); }
  void Flush() override;
  /// Saves one document (it need not be in the set); nothing is error 91.
  void Save(platform::Ref<platform::Object> document) override;
  bool Failed(platform::Ref<platform::Object> document) override;
  /// "Save changes to: <names>" for the modified documents of the set, "" when none is modified.
  std::string StdQuery() override;
  void Log(const std::string& text) override;
  /// Empties the set and the failures of the last flush; scripted failures stay.
  void Clear() override;

  /// Scripts a failure: for one object, or for the whole flush when the object is nothing.
  void FailFlushWith(int32_t number, const platform::Ref<platform::Object>& forObject = {});
  /// Forgets every scripted failure.
  void ClearFailures() { failures_.clear(); }
  const std::vector<platform::Ref<platform::Object>>& Documents() const { return documents_; }
  /// What the set did, in order.
  const std::vector<std::string>& Journal() const { return journal_; }

 private:
  struct Failure {
    int32_t number;
    bool whole;
    std::weak_ptr<platform::Object> object;
  };
  const Failure* FailureFor(const platform::Ref<platform::Object>& document) const;
  void WriteBack(const platform::Ref<platform::Object>& document, const char* verb);
  void Record(std::string entry);

  std::weak_ptr<HostApplication> application_;  // not owned
  std::vector<platform::Ref<platform::Object>> documents_;
  std::vector<platform::Ref<platform::Object>> failed_;
  std::vector<Failure> failures_;
  std::vector<std::string> journal_;
};

}  // namespace host
