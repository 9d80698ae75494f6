// The reference host's hardware configuration snap-in ("SnapInHWConfig"), as far as the project
// snap-in uses it: two queries answered as configured, a delete operation and the save verb
// 57603 (hexadecimal E103). It records every call.
//
//   auto hw = platform::MakeObject<host::HwConfigSnapIn>();
//   hw->SetQueryAnswer(1, true);               // "list the PLC's hardware configuration"
//   hw->Delete(0);                             // the open project's station is deleted
//   app->AddSnapIn(hw->GetName(), hw);
//
// Queries answer false until configured: nothing of the hardware configuration is open.
// Delete removes the hardware configuration of the calling thread's Environment's open project
// (notifications 128 on it, 256 on the project), unless a delete handler is set, which then
// decides alone. The save verb stores the station with its project: the configuration's
// document is no longer modified, and the project file is saved when it has unsaved changes
// (with no project open there is nothing to store).
// Trap: the delete handler is held strongly; one that captures a Ref to something holding this
// snap-in makes a cycle (capture weakly, or SetDeleteHandler({}) when done).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "mzblprsx/interfaces/IRgHwConfigSnapIn.h"
#include "mzblprsx/interfaces/IRgSICommandTarget.h"
#include "mzblprsx/interfaces/IRgSISnapIn.h"

namespace host {

class HwConfigSnapIn final : public mzblprsx::IRgSISnapIn,
                             public mzblprsx::IRgSICommandTarget,
                             public mzblprsx::IRgHwConfigSnapIn {
 public:
  static constexpr std::string_view kName = "SnapInHWConfig";
  /// The save command, sent as a verb.
  static constexpr int32_t kVerbSave = 57603;

  HwConfigSnapIn() = default;
  std::string_view TypeName() const override { return "HwConfigSnapIn"; }

  // IRgSISnapIn: the lifecycle calls are recorded; the host object is not kept.
  std::string GetName() override { return std::string(kName); }
  void Init(const platform::Variant& configuration, platform::Ref<platform::Object> host) override;
  void Attach(platform::Ref<platform::Object> site) override;
  void PostAttach() override;
  void PreDetach() override;
  void Detach() override;

  // IRgSICommandTarget: no commands of its own; only the save verb is answered (True), after
  // the station is saved (see the file comment; a failed save is an error).
  bool IsResponsible(int32_t command) override;
  bool OnCommand(int32_t command) override;
  bool OnUpdateUI(int32_t command, platform::Ref<platform::Object> userInterface) override;
  std::string GetMsgText(int32_t command) override;
  std::string GetTooltipText(int32_t command) override;
  int32_t GetTooltipHelp(int32_t first, int32_t second) override;
  bool DoVerb(int32_t verb, const platform::Variant& arguments, bool broadcast) override;

  // IRgHwConfigSnapIn
  /// The configured answer of the query code (false when not configured).
  bool Query(int32_t code) override;
  /// Records the argument, then calls the delete handler when one is set, else deletes the open
  /// project's hardware configuration (none open: nothing happens).
  void Delete(int32_t argument) override;

  void SetQueryAnswer(int32_t code, bool answer) { answers_[code] = answer; }
  void SetDeleteHandler(std::function<void(int32_t)> handler) { onDelete_ = std::move(handler); }

  /// "Init", "Attach", "PostAttach", "PreDetach", "Detach" in call order.
  const std::vector<std::string>& Lifecycle() const { return lifecycle_; }
  /// The query codes asked, in order.
  const std::vector<int32_t>& Queries() const { return queries_; }
  /// The arguments of every Delete, in order.
  const std::vector<int32_t>& Deletes() const { return deletes_; }
  /// Every verb received, in order.
  const std::vector<int32_t>& Verbs() const { return verbs_; }
  /// How often the save verb arrived.
  int32_t SaveCount() const { return saves_; }

 private:
  std::map<int32_t, bool> answers_;
  std::function<void(int32_t)> onDelete_;
  std::vector<std::string> lifecycle_;
  std::vector<int32_t> queries_;
  std::vector<int32_t> deletes_;
  std::vector<int32_t> verbs_;
  int32_t saves_ = 0;
};

}  // namespace host
