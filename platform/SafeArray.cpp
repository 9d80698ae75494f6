#include "platform/SafeArray.h"

namespace platform {

SafeArray::SafeArray(VarType elementType, std::vector<Bound> bounds)
    : elementType_(elementType), bounds_(std::move(bounds)) {
  size_t n = bounds_.empty() ? 0 : 1;
  for (const Bound& b : bounds_) {
    if (b.count < 0) throw Error(errc::kSubscript);
    n *= static_cast<size_t>(b.count);
  }
  if (elementType_ == VarType::Byte) {
    bytes_.assign(n, 0);
  } else {
    values_.resize(n);
  }
}

std::shared_ptr<SafeArray> SafeArray::Create(VarType elementType, std::vector<Bound> bounds) {
  return std::shared_ptr<SafeArray>(new SafeArray(elementType, std::move(bounds)));
}

std::shared_ptr<SafeArray> SafeArray::FromBytes(std::span<const uint8_t> bytes) {
  auto a = Create(VarType::Byte, {{0, static_cast<int32_t>(bytes.size())}});
  a->bytes_.assign(bytes.begin(), bytes.end());
  return a;
}

int32_t SafeArray::LBound(int32_t dimension) const {
  if (dimension < 1 || dimension > Dimensions()) throw Error(errc::kSubscript);
  return bounds_[static_cast<size_t>(dimension - 1)].lower;
}

int32_t SafeArray::UBound(int32_t dimension) const {
  if (dimension < 1 || dimension > Dimensions()) throw Error(errc::kSubscript);
  const Bound& b = bounds_[static_cast<size_t>(dimension - 1)];
  return b.lower + b.count - 1;
}

size_t SafeArray::Size() const {
  return elementType_ == VarType::Byte ? bytes_.size() : values_.size();
}

size_t SafeArray::Offset(std::initializer_list<int32_t> indices) const {
  if (indices.size() != bounds_.size()) throw Error(errc::kSubscript);
  // Row-major over the listed dimensions.
  size_t offset = 0;
  size_t d = 0;
  for (int32_t index : indices) {
    const Bound& b = bounds_[d++];
    const int64_t rel = static_cast<int64_t>(index) - b.lower;
    if (rel < 0 || rel >= b.count) throw Error(errc::kSubscript);
    offset = offset * static_cast<size_t>(b.count) + static_cast<size_t>(rel);
  }
  return offset;
}

Variant SafeArray::Get(std::initializer_list<int32_t> indices) const {
  const size_t at = Offset(indices);
  if (elementType_ == VarType::Byte) return Variant(bytes_[at]);
  return values_[at];
}

void SafeArray::Set(std::initializer_list<int32_t> indices, const Variant& value) {
  const size_t at = Offset(indices);
  if (elementType_ == VarType::Byte) {
    bytes_[at] = value.ToByte();
    return;
  }
  values_[at] = value;
}

std::span<const uint8_t> SafeArray::Bytes() const {
  if (elementType_ != VarType::Byte) throw Error(errc::kTypeMismatch);
  return bytes_;
}

}  // namespace platform
