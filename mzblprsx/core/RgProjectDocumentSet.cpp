#include "mzblprsx/core/RgProjectDocumentSet.h"

#include "mzblprsx/interfaces/IRgDocumentSet.h"
#include "mzblprsx/interfaces/IRgHostApplication.h"

namespace mzblprsx {

int32_t RgProjectDocumentSet::Count() {
  return static_cast<int32_t>(documents_.size());
}

Ref<IRgDocumentSet> RgProjectDocumentSet::DocumentSet() {
  return documentSet_;
}

std::vector<Ref<Object>> RgProjectDocumentSet::ErrorList() {
  return errorList_;
}

void RgProjectDocumentSet::SetRgApplication(Ref<IRgHostApplication> host) {
  host_ = std::move(host);
}

void RgProjectDocumentSet::P_CreateNewDocumentSet() {
  Guard(*this, "P_CreateNewDocumentSet",
        [&] { documentSet_ = host_->CreateDocumentSet(kHostSetKind); });
}

void RgProjectDocumentSet::Add(Ref<Object> document) {
  Guard(*this, "Add", [&] {
    if (!documentSet_) P_CreateNewDocumentSet();
    documentSet_->Add(document);
    documents_.push_back(document);
  });
}

void RgProjectDocumentSet::Clear() {
  Guard(*this, "Clear", [&] {
    if (documentSet_) documentSet_->Clear();
    documents_.clear();
    errorList_.clear();
  });
}

RgEnumProjectDocumentSetReturn RgProjectDocumentSet::Flush() {
  RgEnumProjectDocumentSetReturn result = RgProjectDocumentSetReturnOK;
  Guard(*this, "Flush", [&] {
    errorList_.clear();
    if (documents_.empty()) return;
    int32_t number = 0;
    try {
      documentSet_->Flush();
    } catch (const platform::Error& e) {
      number = e.Number();  // the flush failure becomes the result, it does not travel on
    }
    for (const auto& document : documents_) {
      if (documentSet_->Failed(document)) errorList_.push_back(document);
    }
    if (number == platform::errc::kAbort) {
      result = RgProjectDocumentSetReturnAbort;
    } else if (number != 0 || !errorList_.empty()) {
      result = RgProjectDocumentSetReturnError;
    }
  });
  return result;
}

void RgProjectDocumentSet::LogStdQuery() {
  Guard(*this, "LogStdQuery", [&] { documentSet_->Log(documentSet_->StdQuery()); });
}

}  // namespace mzblprsx
