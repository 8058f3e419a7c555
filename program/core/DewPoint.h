#pragma once
// The dew point of moist air (or a moist medium) at a temperature and relative humidity:
// the saturation vapour pressure over water from the seven VapourPressureConstants (in
// atmospheres, as log10), the vapour pressure at the humidity, and its dew point.

namespace veltaro {

// Saturation vapour pressure over water at t °C, Pa. Reads fx().VapourPressureConstants.
double SaturationPressure(double t);
// Dew point in °C of a medium at t °C with relative humidity rh % (0 < rh).
double DewPoint(double t, double rh);

}  // namespace veltaro
