#include "platform/Variant.h"

#include <cmath>
#include <limits>
#include <optional>

#include "platform/SafeArray.h"
#include "platform/Text.h"

namespace platform {
namespace {

[[noreturn]] void Mismatch() {
  throw Error(errc::kTypeMismatch);
}

// A text as the runtime coerces it to a number: an optional sign and a decimal number with
// an optional exponent, or "&H"/"&O" literals, or "True"/"False"; blanks around it allowed.
// Answers 0 and the number, or the error that the conversion raises (13 for a text that is no
// number, 6 for one too large), so that a mere test for a number raises nothing.
int32_t ReadNumber(const std::string& s, double& number) {
  const std::string_view t = text::Trim(s);
  if (t.empty()) return errc::kTypeMismatch;
  if (text::EqualsNoCase(t, "True") || text::EqualsNoCase(t, "False")) {
    number = text::EqualsNoCase(t, "True") ? -1.0 : 0.0;
    return 0;
  }
  if (t.size() >= 2 && t[0] == '&') {
    // Val reads the longest literal prefix; accept only texts that are a literal as a whole.
    const bool hex = text::UpperAscii(t[1]) == 'H';
    for (size_t i = 2; i < t.size(); ++i) {
      const int digit = text::HexDigitValue(t[i]);
      if (digit < 0 || (!hex && digit > 7)) return errc::kTypeMismatch;
    }
    if (t.size() == 2) return errc::kTypeMismatch;
    number = text::Val(t);
    return 0;
  }
  std::string copy(t);
  for (char& c : copy) {
    if (c == 'd' || c == 'D') c = 'e';  // the runtime's double exponent letter
  }
  const std::optional<double> v = text::ParseDecimal(copy);
  if (!v) return errc::kTypeMismatch;
  if (!std::isfinite(*v)) return errc::kOverflow;
  number = *v;
  return 0;
}

double TextToNumber(const std::string& s) {
  double number = 0.0;
  if (const int32_t failure = ReadNumber(s, number); failure != 0) throw Error(failure);
  return number;
}

double RoundHalfEven(double v) {
  return std::nearbyint(v);
}  // default rounding mode: to even

template <class T>
T ToInteger(double v) {
  if (!std::isfinite(v)) throw Error(errc::kOverflow);
  const double r = RoundHalfEven(v);
  if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
      r > static_cast<double>(std::numeric_limits<T>::max())) {
    throw Error(errc::kOverflow);
  }
  return static_cast<T>(r);
}

std::string DoubleToText(double d) {
  if (d == 0) return "0";
  return text::FormatDouble(d);
}

}  // namespace

bool Variant::IsNumeric() const {
  switch (Type()) {
    case VarType::Bool:
    case VarType::Byte:
    case VarType::Int16:
    case VarType::Int32:
    case VarType::Double:
    case VarType::Empty:
      return true;
    case VarType::String: {
      double ignored = 0.0;
      return ReadNumber(std::get<std::string>(v_), ignored) == 0;
    }
    default:
      return false;
  }
}

double Variant::ToDouble() const {
  switch (Type()) {
    case VarType::Empty:
      return 0.0;
    case VarType::Null:
      throw Error(errc::kInvalidNull);
    case VarType::Bool:
      return std::get<bool>(v_) ? -1.0 : 0.0;
    case VarType::Byte:
      return std::get<uint8_t>(v_);
    case VarType::Int16:
      return std::get<int16_t>(v_);
    case VarType::Int32:
      return std::get<int32_t>(v_);
    case VarType::Double:
      return std::get<double>(v_);
    case VarType::Date:
      return std::get<DateTime>(v_).ToSerial();
    case VarType::String:
      return TextToNumber(std::get<std::string>(v_));
    case VarType::Object:
    case VarType::Array:
      Mismatch();
  }
  Mismatch();
}

bool Variant::ToBool() const {
  switch (Type()) {
    case VarType::Bool:
      return std::get<bool>(v_);
    case VarType::String:
      return TextToNumber(std::get<std::string>(v_)) != 0.0;
    default:
      return ToDouble() != 0.0;
  }
}

uint8_t Variant::ToByte() const {
  if (Type() == VarType::Byte) return std::get<uint8_t>(v_);
  return ToInteger<uint8_t>(ToDouble());
}

int16_t Variant::ToInt16() const {
  if (Type() == VarType::Int16) return std::get<int16_t>(v_);
  return ToInteger<int16_t>(ToDouble());
}

int32_t Variant::ToInt32() const {
  if (Type() == VarType::Int32) return std::get<int32_t>(v_);
  return ToInteger<int32_t>(ToDouble());
}

DateTime Variant::ToDate() const {
  switch (Type()) {
    case VarType::Date:
      return std::get<DateTime>(v_);
    case VarType::String: {
      if (auto d = DateTime::Parse(text::Trim(std::get<std::string>(v_)))) return *d;
      Mismatch();
    }
    default:
      return DateTime::FromSerial(ToDouble());
  }
}

std::string Variant::ToString() const {
  switch (Type()) {
    case VarType::Empty:
      return {};
    case VarType::Null:
      throw Error(errc::kInvalidNull);
    case VarType::Bool:
      return std::get<bool>(v_) ? "True" : "False";
    case VarType::Byte:
      return std::to_string(std::get<uint8_t>(v_));
    case VarType::Int16:
      return std::to_string(std::get<int16_t>(v_));
    case VarType::Int32:
      return std::to_string(std::get<int32_t>(v_));
    case VarType::Double:
      return DoubleToText(std::get<double>(v_));
    case VarType::Date:
      return std::get<DateTime>(v_).ToString();
    case VarType::String:
      return std::get<std::string>(v_);
    case VarType::Object:
    case VarType::Array:
      Mismatch();
  }
  Mismatch();
}

Ref<Object> Variant::ToObject() const {
  if (Type() == VarType::Empty) return {};
  if (Type() != VarType::Object) Mismatch();
  return std::get<Ref<Object>>(v_);
}

const std::shared_ptr<SafeArray>& Variant::ToArray() const {
  if (Type() != VarType::Array) Mismatch();
  return std::get<std::shared_ptr<SafeArray>>(v_);
}

std::string Variant::TypeName() const {
  switch (Type()) {
    case VarType::Empty:
      return "Empty";
    case VarType::Null:
      return "Null";
    case VarType::Bool:
      return "Boolean";
    case VarType::Byte:
      return "Byte";
    case VarType::Int16:
      return "Integer";
    case VarType::Int32:
      return "Long";
    case VarType::Double:
      return "Double";
    case VarType::Date:
      return "Date";
    case VarType::String:
      return "String";
    case VarType::Object:
      return "Object";
    case VarType::Array:
      return "Array";
  }
  return "Empty";
}

bool Variant::operator==(const Variant& other) const {
  if (Type() != other.Type()) return false;
  if (Type() == VarType::Object)
    return SameObject(std::get<Ref<Object>>(v_), std::get<Ref<Object>>(other.v_));
  if (Type() == VarType::Array)
    return std::get<std::shared_ptr<SafeArray>>(v_) ==
           std::get<std::shared_ptr<SafeArray>>(other.v_);
  return v_ == other.v_;
}

}  // namespace platform
