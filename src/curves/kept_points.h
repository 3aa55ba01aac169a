#pragma once

namespace vorex {

struct CurveStore;

// Keeps points first..last (numbered from 1, within 1..PointCount) of the store as its points
// 1..count: the abscissa, all five curves and the last simulation's currents and surface
// concentrations move together, since they all belong to one point. The points after them are
// cleared, so nothing of the old record can be read past the new end; the shown range becomes
// the whole record. What depends on where the sweeps turn (PointsPerSweep) is the caller's.
void KeepPoints(CurveStore& curves, int first, int last);

}  // namespace vorex
