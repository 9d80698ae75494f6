// Enumerations of the library's type library that several classes share.
#pragma once

#include <cstdint>

namespace mzblprsx {

enum RgEnumProjectLocation : int32_t {
  RgProjectLocationUnknown = 0,
  RgProjectLocationOffline = 1,
  RgProjectLocationOnline = 2,
};

enum RgEnumProjectDocumentSetReturn : int32_t {
  RgProjectDocumentSetReturnOK = 0,
  RgProjectDocumentSetReturnError = 1,
  RgProjectDocumentSetReturnAbort = 2,
};

}  // namespace mzblprsx
