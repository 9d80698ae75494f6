// Safe arrays: arrays of Variants with explicit bounds per dimension, so that "the first
// dimension runs from 1 to 3" and "a one-element byte array" can be said exactly. Byte arrays
// keep their elements as plain bytes.
//
// Indexing outside the bounds raises error 9 (subscript out of range).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/Variant.h"

namespace platform {

class SafeArray {
 public:
  struct Bound {
    int32_t lower;
    int32_t count;  // 0 or more
  };

  /// A zero-filled (Empty-filled) array with the given element type and bounds.
  static std::shared_ptr<SafeArray> Create(VarType elementType, std::vector<Bound> bounds);
  /// A one-dimensional byte array from lower bound 0.
  static std::shared_ptr<SafeArray> FromBytes(std::span<const uint8_t> bytes);

  VarType ElementType() const { return elementType_; }
  int32_t Dimensions() const { return static_cast<int32_t>(bounds_.size()); }
  /// Lower and upper bound of a dimension (1-based dimension number); error 9 for a bad one.
  int32_t LBound(int32_t dimension = 1) const;
  int32_t UBound(int32_t dimension = 1) const;
  /// Number of elements in all.
  size_t Size() const;

  Variant Get(std::initializer_list<int32_t> indices) const;
  /// Stores a value; in a byte array the value is converted to a byte (error 6 when it does not
  /// fit).
  void Set(std::initializer_list<int32_t> indices, const Variant& value);

  /// The bytes of a byte array (error 13 for any other element type).
  std::span<const uint8_t> Bytes() const;

 private:
  SafeArray(VarType elementType, std::vector<Bound> bounds);
  size_t Offset(std::initializer_list<int32_t> indices) const;

  VarType elementType_;
  std::vector<Bound> bounds_;
  std::vector<Variant> values_;
  std::vector<uint8_t> bytes_;
};

}  // namespace platform
