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

}  // namespace
}  // namespace vorex
