#include "platform/Error.h"

#include <new>

namespace platform {

std::string DefaultErrorText(int32_t number) {
  switch (number) {
    case errc::kInvalidCall:
      return "Invalid procedure call or argument";
    case errc::kOverflow:
      return "Overflow";
    case errc::kOutOfMemory:
      return "Out of memory";
    case errc::kSubscript:
      return "Subscript out of range";
    case errc::kTypeMismatch:
      return "Type mismatch";
    case errc::kObjectNotSet:
      return "Object variable or With block variable not set";
    case errc::kInvalidNull:
      return "Invalid use of Null";
    case errc::kCannotCreate:
      return "ActiveX component can't create object";
    case errc::kNoSuchMember:
      return "Object doesn't support this property or method";
    case errc::kDuplicateKey:
      return "This key is already associated with an element of this collection";
    case errc::kAbort:
      return "Operation aborted";
    case errc::kFail:
      return "Unspecified error";
    case errc::kNoInterface:
      return "No such interface supported";
    case errc::kInvalidArg:
      return "The parameter is incorrect";
    default:
      return {};
  }
}

Error::Error(int32_t number, std::string description, std::string source, std::string helpFile,
             int32_t helpContext)
    : number_(number),
      source_(std::move(source)),
      description_(description.empty() ? DefaultErrorText(number) : std::move(description)),
      helpFile_(std::move(helpFile)),
      helpContext_(helpContext) {}

Error Error::FromCurrentException() {
  try {
    throw;
  } catch (const Error& error) {
    return error;
  } catch (const std::bad_alloc&) {
    return Error(errc::kOutOfMemory);
  } catch (const std::exception& e) {
    return Error(errc::kFail, e.what());
  } catch (...) {
    return Error(errc::kFail);
  }
}

void Raise(int32_t number, std::string description) {
  throw Error(number, std::move(description));
}

}  // namespace platform
