// Test doubles for the application frame tests: framework objects (block-like documents, folders
// that list children, project containers) and snap-ins that answer verbs and commands as told
// and write every call into a shared journal ("A:verb 7", "B:command 40001").
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/app/IHostDocument.h"
#include "mzblprsx/interfaces/IRgCommandUI.h"
#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgObjectList.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/IRgSICommandTarget.h"
#include "mzblprsx/interfaces/IRgSISnapIn.h"
#include "platform/Error.h"

namespace hostapp_test {

using platform::Ref;

/// A framework object that opens in an editor and lets the frame set its states.
class FakeDocument : public mzblprsx::IRgObject,
                     public mzblprsx::IRgDocument,
                     public host::IHostDocument {
 public:
  FakeDocument(std::string classId, std::string name)
      : classId_(std::move(classId)), name_(std::move(name)) {}
  std::string_view TypeName() const override { return "FakeDocument"; }
  std::string ClassID() override { return classId_; }
  std::string ObjectID() override { return name_; }
  std::string DisplayName() override { return name_; }
  void Delete() override {}
  bool IsOpen() override { return open; }
  bool IsModified() override { return modified; }
  void Commit() override { ++commits; }
  void SetOpen(bool value) override { open = value; }
  void SetModified(bool value) override { modified = value; }

  bool open = false;
  bool modified = false;
  int commits = 0;

 private:
  std::string classId_;
  std::string name_;
};

/// A list of framework objects.
class FakeList : public mzblprsx::IRgObjectList {
 public:
  std::string_view TypeName() const override { return "FakeList"; }
  int32_t Count() override { return static_cast<int32_t>(items.size()); }
  Ref<mzblprsx::IRgObject> Item(int32_t index) override { return items.at(index - 1); }
  // The frame must not depend on a lookup that fails when the child is missing.
  Ref<mzblprsx::IRgObject> ItemByClass(const std::string&) override {
    throw std::logic_error("unused");
  }

  std::vector<Ref<mzblprsx::IRgObject>> items;
};

/// A framework object that is its own list of children (a program listing its blocks).
class FakeFolder : public mzblprsx::IRgObject, public FakeList {
 public:
  explicit FakeFolder(std::string classId) : classId_(std::move(classId)) {}
  std::string_view TypeName() const override { return "FakeFolder"; }
  std::string ClassID() override { return classId_; }
  std::string ObjectID() override { return classId_; }
  std::string DisplayName() override { return "Program"; }
  void Delete() override {}

 private:
  std::string classId_;
};

/// A project container (offline project or PLC) with its object list.
class FakeContainer : public mzblprsx::IRgProjectContainer {
 public:
  std::string_view TypeName() const override { return "FakeContainer"; }
  Ref<mzblprsx::IRgObjectList> Objects() override { return list; }
  std::string Identifier() override { return "{00000000-0000-0000-0000-000000000001}"; }

  Ref<FakeList> list = platform::MakeObject<FakeList>();
};

inline Ref<FakeDocument> Doc(std::string_view classId, const std::string& name) {
  return platform::MakeObject<FakeDocument>(std::string(classId), name);
}

/// The number of the error the call raises (0 when it succeeds), and its description.
inline int32_t ErrorNumberOf(const std::function<void()>& call, std::string* why = nullptr) {
  try {
    call();
  } catch (const platform::Error& e) {
    if (why) *why = e.Description();
    return e.Number();
  }
  return 0;
}

using Journal = std::shared_ptr<std::vector<std::string>>;

/// A snap-in and command target; what it answers is set through its public fields.
class FakeSnapIn : public mzblprsx::IRgSISnapIn, public mzblprsx::IRgSICommandTarget {
 public:
  FakeSnapIn(std::string name, Journal journal)
      : name_(std::move(name)), journal_(std::move(journal)) {}
  std::string_view TypeName() const override { return "FakeSnapIn"; }

  std::string GetName() override { return name_; }
  void Init(const platform::Variant&, Ref<platform::Object> host) override { this->host = host; }
  void Attach(Ref<platform::Object>) override {}
  void PostAttach() override {}
  void PreDetach() override {}
  void Detach() override { host.Reset(); }

  bool IsResponsible(int32_t command) override { return responsible.contains(command); }
  bool OnCommand(int32_t command) override {
    Note("command " + std::to_string(command));
    return handles;
  }
  bool OnUpdateUI(int32_t command, Ref<platform::Object> ui) override {
    if (!IsResponsible(command)) return false;
    ui.Cast<mzblprsx::IRgCommandUI>()->SetEnabled(enable);
    return true;
  }
  std::string GetMsgText(int32_t) override { return {}; }
  std::string GetTooltipText(int32_t) override { return {}; }
  int32_t GetTooltipHelp(int32_t, int32_t) override { return 0; }
  bool DoVerb(int32_t verb, const platform::Variant&, bool) override {
    Note("verb " + std::to_string(verb));
    if (onVerb) onVerb();
    if (failWith != 0) throw platform::Error(failWith, name_ + " failed");
    return answer;
  }

  bool answer = false;
  int32_t failWith = 0;
  bool handles = true;
  bool enable = true;
  std::set<int32_t> responsible;
  std::function<void()> onVerb;
  Ref<platform::Object> host;  // kept from Init, as real snap-ins do

 private:
  void Note(const std::string& what) { journal_->push_back(name_ + ":" + what); }
  std::string name_;
  Journal journal_;
};

}  // namespace hostapp_test
