#include "simulation/radial_diffusion.h"

#include <cmath>

#include "analysis/cylinder_transient.h"
#include "base/checked_math.h"
#include "base/constants.h"

namespace vorex {

ElectrodeShape ShapeOf(int electrode) {
  switch (electrode) {
    case 2:
    case 3:
      return ElectrodeShape::Sphere;
    case 4:
      return ElectrodeShape::Disc;
    case 5:
    case 6:
      return ElectrodeShape::Cylinder;
    default:
      return ElectrodeShape::Planar;
  }
}

double RadialTerm(ElectrodeShape shape, double rootD, double radius, double t) {
  switch (shape) {
    case ElectrodeShape::Sphere:
      return CheckedDivide(rootD, radius);
    case ElectrodeShape::Disc: {
      const double tau = Finite(CheckedDivide(4 * rootD * rootD * t, radius * radius));
      const double edge = 0.7854 + 0.2146 * std::exp(CheckedDivide(-0.7823, CheckedSqrt(tau)));
      return Finite(CheckedDivide(4 * rootD, kPi * radius) * edge);
    }
    case ElectrodeShape::Cylinder: {
      const double tau = Finite(CheckedDivide(rootD * rootD * t, radius * radius));
      const double beyond = CylinderCurrentFactor(tau) - 1 / CheckedSqrt(kPi * tau);
      return Finite(CheckedDivide(rootD, radius) * beyond);
    }
    case ElectrodeShape::Planar:
      break;
  }
  return 0;
}

}  // namespace vorex
