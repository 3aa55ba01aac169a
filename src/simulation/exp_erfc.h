#pragma once

namespace vorex {

// exp(x^2) erfc(x): the nested Taylor series of erf below |x| = 1.5, the continued fraction of
// erfc above, with the reflection erfc(-y) = 2 - erfc(y) for negative arguments. The constants
// are sqrt 2 and sqrt pi to eight digits, which bounds the agreement with the exact function to
// about one part in 10^6. Raises "Overflow" when exp(x^2) overflows.
double ExpErfc(double x);

}  // namespace vorex
