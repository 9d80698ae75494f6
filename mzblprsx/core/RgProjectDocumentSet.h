// A group of framework documents that are flushed (written back) together, with the list of
// documents that failed and a three-valued result.
#pragma once

#include <vector>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgDocumentSet;
class IRgHostApplication;

class RgProjectDocumentSet final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgProjectDocumentSet";
  /// The host's document-set kind that writes documents back.
  static constexpr int32_t kHostSetKind = 3;

  RgProjectDocumentSet() = default;
  std::string_view TypeName() const override { return kTypeName; }

  int32_t Count();
  /// The host's document set; nothing until the first Add.
  Ref<IRgDocumentSet> DocumentSet();
  /// The documents that failed in the last Flush, in the order they were added.
  std::vector<Ref<Object>> ErrorList();
  void Add(Ref<Object> document);
  void Clear();
  /// Abort when the host reports 0x80004004 (cancelled), Error for any other failure or a
  /// failed document, OK otherwise. Never raises the flush failure itself.
  RgEnumProjectDocumentSetReturn Flush();
  void LogStdQuery();

  // Library-internal
  void SetRgApplication(Ref<IRgHostApplication> host);

 private:
  void P_CreateNewDocumentSet();

  InstanceTrace trace_{kTypeName};
  Ref<IRgDocumentSet> documentSet_;
  Ref<IRgHostApplication> host_;
  std::vector<Ref<Object>> documents_;
  std::vector<Ref<Object>> errorList_;
};

}  // namespace mzblprsx
