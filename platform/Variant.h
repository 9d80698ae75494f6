// The automation runtime's dynamic value: empty, Null, Boolean, byte, 16- and 32-bit integers,
// double, date, text, object reference or safe array.
//
// Conversions follow the runtime's rules: to an integer rounds half to even and raises overflow
// (6) outside the type's range; a text converts when it is a whole number text (or "True" /
// "False"), otherwise type mismatch (13); Booleans convert to -1 and 0; Null converts to nothing
// (94); an object converts to nothing else (13).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "platform/DateTime.h"
#include "platform/Ref.h"

namespace platform {

class SafeArray;

enum class VarType { Empty, Null, Bool, Byte, Int16, Int32, Double, Date, String, Object, Array };

/// The runtime's Null (no valid data).
struct NullValue {
  bool operator==(const NullValue&) const = default;
};

class Variant {
 public:
  Variant() = default;
  Variant(NullValue) : v_(NullValue{}) {}              // NOLINT
  Variant(bool b) : v_(b) {}                           // NOLINT
  Variant(uint8_t b) : v_(b) {}                        // NOLINT
  Variant(int16_t i) : v_(i) {}                        // NOLINT
  Variant(int32_t i) : v_(i) {}                        // NOLINT
  Variant(double d) : v_(d) {}                         // NOLINT
  Variant(DateTime d) : v_(d) {}                       // NOLINT
  Variant(std::string s) : v_(std::move(s)) {}         // NOLINT
  Variant(const char* s) : v_(std::string(s)) {}       // NOLINT
  Variant(std::string_view s) : v_(std::string(s)) {}  // NOLINT
  template <class T>
  Variant(const Ref<T>& r) : v_(Ref<Object>(r)) {}             // NOLINT
  Variant(std::shared_ptr<SafeArray> a) : v_(std::move(a)) {}  // NOLINT

  VarType Type() const { return static_cast<VarType>(v_.index()); }
  bool IsEmpty() const { return Type() == VarType::Empty; }
  bool IsNull() const { return Type() == VarType::Null; }
  bool IsObject() const { return Type() == VarType::Object; }
  bool IsArray() const { return Type() == VarType::Array; }
  bool IsNumeric() const;

  bool ToBool() const;
  uint8_t ToByte() const;
  int16_t ToInt16() const;
  int32_t ToInt32() const;
  double ToDouble() const;
  DateTime ToDate() const;
  /// Text of the value: "True"/"False", integers in decimal, doubles with up to 15 significant
  /// digits, dates as "YYYY-MM-DD HH:MM:SS", Empty as "".
  std::string ToString() const;
  /// The held text itself, without a copy; nullptr when the value is no text.
  const std::string* Text() const { return std::get_if<std::string>(&v_); }
  /// The object (nothing for Empty); error 13 for any other kind.
  Ref<Object> ToObject() const;
  /// The array; error 13 when the value is not one.
  const std::shared_ptr<SafeArray>& ToArray() const;

  /// The runtime's name of the value's type ("Empty", "Boolean", "Long", "String", ...).
  std::string TypeName() const;

  /// Same kind and equal value (objects by identity); no conversions.
  bool operator==(const Variant& other) const;

 private:
  std::variant<std::monostate, NullValue, bool, uint8_t, int16_t, int32_t, double, DateTime,
               std::string, Ref<Object>, std::shared_ptr<SafeArray>>
      v_;
};

}  // namespace platform
