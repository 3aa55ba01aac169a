#pragma once

#include <array>
#include <cstddef>

#include "base/runtime_fault.h"

namespace vorex {

// An array with the fixed bounds 0..Hi of the system's storage. Index access through operator()
// is checked and raises "Subscript out of range"; hot loops check their range once and then use
// Unchecked.
template <class T, int Hi>
class FixedArray {
 public:
  static constexpr int kUpper = Hi;

  T& operator()(int i) { return values_[Checked(i)]; }
  const T& operator()(int i) const { return values_[Checked(i)]; }
  T& Unchecked(int i) { return values_[static_cast<std::size_t>(i)]; }
  const T& Unchecked(int i) const { return values_[static_cast<std::size_t>(i)]; }
  T* data() { return values_.data(); }
  const T* data() const { return values_.data(); }
  void Fill(const T& value) { values_.fill(value); }

  static bool InRange(int i) { return i >= 0 && i <= Hi; }
  bool operator==(const FixedArray&) const = default;

 private:
  static std::size_t Checked(int i) {
    if (!InRange(i)) throw RuntimeFault(kSubscriptOutOfRange);
    return static_cast<std::size_t>(i);
  }
  std::array<T, Hi + 1> values_{};
};

// A matrix with the fixed bounds 0..RowHi x 0..ColHi, stored row by row so that the columns of
// one point lie together.
template <class T, int RowHi, int ColHi>
class FixedMatrix {
 public:
  static constexpr int kRowUpper = RowHi;
  static constexpr int kColUpper = ColHi;

  T& operator()(int row, int col) { return values_[Checked(row, col)]; }
  const T& operator()(int row, int col) const { return values_[Checked(row, col)]; }
  T& Unchecked(int row, int col) { return values_[Index(row, col)]; }
  const T& Unchecked(int row, int col) const { return values_[Index(row, col)]; }
  void Fill(const T& value) { values_.fill(value); }

  static bool InRange(int row, int col) {
    return row >= 0 && row <= RowHi && col >= 0 && col <= ColHi;
  }

 private:
  static std::size_t Index(int row, int col) {
    return static_cast<std::size_t>(row) * (ColHi + 1) + static_cast<std::size_t>(col);
  }
  static std::size_t Checked(int row, int col) {
    if (!InRange(row, col)) throw RuntimeFault(kSubscriptOutOfRange);
    return Index(row, col);
  }
  std::array<T, static_cast<std::size_t>(RowHi + 1) * (ColHi + 1)> values_{};
};

}  // namespace vorex
