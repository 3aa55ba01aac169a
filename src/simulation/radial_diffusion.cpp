#include "simulation/radial_diffusion.h"

#include <cmath>

#include "analysis/cylinder_transient.h"
#include "base/checked_math.h"
#include "base/constants.h"

namespace vorex {

ElectrodeShape ShapeOf(ElectrodeCode electrode) {
  using E = ElectrodeCode;
  switch (electrode) {
    case E::Spherical:
    case E::Hemispherical:
      return ElectrodeShape::Sphere;
    case E::Microdisc:
      return ElectrodeShape::Disc;
    case E::Cylindrical:
    case E::Hemicylindrical:
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

RadialTerms RadialTermsOf(ElectrodeShape shape, double rootDOx, double rootDRed, double radius,
                          double t) {
  return {RadialTerm(shape, rootDOx, radius, t), RadialTerm(shape, rootDRed, radius, t)};
}

}  // namespace vorex
