#pragma once

#include "analysis/column_operators.h"
#include "curves/curve_links.h"

namespace vorex {

// The largest and smallest of a(1..m), replacing the running value only by a strictly larger or
// smaller one.
double ArrayMax(const AbscissaArray& a, int m);
double ArrayMin(const AbscissaArray& a, int m);

// The wave height and the half-wave potential (the first point within 0.95..1.05 of half the
// height) of every curve, one line each in the result window.
void FindHalfWave(CurveLinks& links);

}  // namespace vorex
