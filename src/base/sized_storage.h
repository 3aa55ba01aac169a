#pragma once

#include <cstddef>
#include <vector>

#include "base/runtime_fault.h"

namespace vorex {

// An array 0..upper like FixedArray whose upper bound is chosen when it is made: storage for as
// many points as one problem holds, allocated once with the problem and reused by every step.
// Index access through operator() is checked and raises "Subscript out of range".
template <class T>
class SizedArray {
 public:
  explicit SizedArray(int upper) : values_(static_cast<std::size_t>(upper) + 1) {}

  int Upper() const { return static_cast<int>(values_.size()) - 1; }
  T& operator()(int i) { return values_[Checked(i)]; }
  const T& operator()(int i) const { return values_[Checked(i)]; }
  T& Unchecked(int i) { return values_[static_cast<std::size_t>(i)]; }
  const T& Unchecked(int i) const { return values_[static_cast<std::size_t>(i)]; }
  T* data() { return values_.data(); }
  const T* data() const { return values_.data(); }
  void Fill(const T& value) { values_.assign(values_.size(), value); }
  bool InRange(int i) const { return i >= 0 && i <= Upper(); }

 private:
  std::size_t Checked(int i) const {
    if (!InRange(i)) throw RuntimeFault(kSubscriptOutOfRange);
    return static_cast<std::size_t>(i);
  }
  std::vector<T> values_;
};

// A matrix 0..rowUpper x 0..colUpper stored row by row, its bounds chosen when it is made.
template <class T>
class SizedMatrix {
 public:
  SizedMatrix(int rowUpper, int colUpper)
      : rows_(rowUpper + 1),
        cols_(colUpper + 1),
        values_(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_)) {}

  int RowUpper() const { return rows_ - 1; }
  int ColUpper() const { return cols_ - 1; }
  T& operator()(int row, int col) { return values_[Checked(row, col)]; }
  const T& operator()(int row, int col) const { return values_[Checked(row, col)]; }
  T& Unchecked(int row, int col) { return values_[Index(row, col)]; }
  const T& Unchecked(int row, int col) const { return values_[Index(row, col)]; }
  bool InRange(int row, int col) const {
    return row >= 0 && row < rows_ && col >= 0 && col < cols_;
  }

 private:
  std::size_t Index(int row, int col) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
           static_cast<std::size_t>(col);
  }
  std::size_t Checked(int row, int col) const {
    if (!InRange(row, col)) throw RuntimeFault(kSubscriptOutOfRange);
    return Index(row, col);
  }
  int rows_;
  int cols_;
  std::vector<T> values_;
};

}  // namespace vorex
