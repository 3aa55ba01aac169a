#include "base/fixed_storage.h"

#include <gtest/gtest.h>

namespace vorex {
namespace {

TEST(FixedStorage, IndicesOutsideTheBoundsAreSubscriptOutOfRange) {
  FixedArray<double, 5> a;
  a(0) = 1;
  a(5) = 2;
  EXPECT_EQ(a(5), 2.0);
  EXPECT_THROW(a(6), RuntimeFault);
  EXPECT_THROW(a(-1), RuntimeFault);
  try {
    a(6);
  } catch (const RuntimeFault& fault) {
    EXPECT_EQ(fault.Description(), "Subscript out of range");
  }
}

TEST(FixedStorage, MatrixKeepsRowsAndColumnsApart) {
  FixedMatrix<int, 4000, 5> m;
  m(4000, 5) = 7;
  m(1, 0) = 3;
  EXPECT_EQ(m.Unchecked(4000, 5), 7);
  EXPECT_EQ(m(0, 5), 0);
  EXPECT_EQ(m(1, 0), 3);
  EXPECT_THROW(m(4001, 0), RuntimeFault);
  EXPECT_THROW(m(0, 6), RuntimeFault);
}

}  // namespace
}  // namespace vorex
