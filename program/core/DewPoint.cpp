#include "core/DewPoint.h"

#include <cmath>

#include "core/Errors.h"
#include "core/Fx.h"

namespace veltaro {

double SaturationPressure(double t) {
  const auto& c = fx().VapourPressureConstants;
  const double T = t + 273.15;
  const double log10T = std::log(T) / std::log(10.0);
  const double x = c[0] - c[1] / T - c[2] * log10T - c[3] * std::pow(10.0, -T / c[4]) +
                   c[5] * std::pow(10.0, -c[6] / T);
  return 101325 * std::pow(10.0, x);  // the equation gives atmospheres
}

double DewPoint(double ta, double rh) {
  const double pv = SaturationPressure(ta) * rh / 100;
  if (!(pv > 0)) throw RunTimeError(RunTimeError::InvalidArgument);
  const double td = -235.57 - 4042.9 / (std::log(pv) - 23.57771);
  if (!std::isfinite(td)) throw RunTimeError(RunTimeError::Overflow);
  return td;
}

}  // namespace veltaro
