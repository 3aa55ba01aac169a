#pragma once

namespace vorex {

// The p-quantile of Student's t distribution with `dof` (> 0, not necessarily an integer) degrees
// of freedom, 0 < p < 1, to the precision of the arithmetic; RuntimeFault otherwise.
double StudentTQuantile(double p, double dof);

// The upper tail P(T > t) of Student's t distribution, t >= 0, dof > 0, to a few ulp where the
// tail is well conditioned.
double StudentTUpperTail(double t, double dof);

}  // namespace vorex
