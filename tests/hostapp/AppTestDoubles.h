// Test doubles for the application frame tests, where the host's own objects cannot stand in:
// lists and containers of no known side, or that contain themselves, and snap-ins that answer
// verbs and commands as told and write every call into a shared journal ("A:verb 7",
// "B:command 40001"). Documents are the host's own project objects.
#pragma once

#include <set>
#include <stdexcept>

#include "mzblprsx/interfaces/IRgCommandUI.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgObjectList.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/IRgSICommandTarget.h"
#include "mzblprsx/interfaces/IRgSISnapIn.h"
#include "support/HostTestSupport.h"

namespace hostapp_test {

using mztest::ErrorOf;
using platform::Ref;

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
