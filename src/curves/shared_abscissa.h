#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vorex {

struct CurveStore;

// All curves of the store are drawn over one abscissa, so a new curve that joins curves already
// there must have their potentials; these say whether it does, and tell the user when it does not.

// The potentials of the curves a new curve would join when it goes into `curve` (points
// 1..PointCount of the store); empty when it stands alone, in curve 1 or in an empty store.
std::span<const double> JoinedAbscissa(const CurveStore& curves, int curve);

// The first point (numbered from 1) at which two sets of potentials differ by more than
// `tolerance` [V], or where one of them ends before the other; 0 when they agree point for point.
int FirstDifferentPoint(std::span<const double> a, std::span<const double> b, double tolerance);

// The step between the first two different potentials [V] (a programme holds each vertex twice),
// 0 when they are all the same.
double AbscissaStep(std::span<const double> x);

// Potentials as a user names them: "121 points from 0.3 V to -0.3 V in steps of 0.005 V", with
// "and back" when they turn round.
std::string DescribeAbscissa(std::span<const double> x);

// "<shared phrase> 121 points ...; <fresh phrase> 13 points ... (point 57 at ... against ...).
// <advice>": both sets of potentials and, when their counts agree, the first point where they
// part. The phrases carry their verbs ("The measured curve has", "the Experimental dialog gives").
std::string AbscissaMismatchMessage(std::string_view sharedPhrase, std::span<const double> shared,
                                    std::string_view freshPhrase, std::span<const double> fresh,
                                    int point, std::string_view advice);

}  // namespace vorex
