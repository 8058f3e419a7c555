#pragma once
// Moist air: the saturation vapour pressure over water and the dew point of air at a given
// temperature and relative humidity.
//
// The saturation pressure is the classical equation over water written for atmospheres, with
// the seven constants of fx().VapourPressureConstants (InitVapourPressureConstants fills them;
// the windows that need them call it at load). The dew point inverts a simpler two-constant
// fit, so air at 100 % does not come out exactly at its own temperature (20 °C gives
// 19.97 °C); the condensation margins of the calculations were chosen with that in mind.

namespace veltaro {

// Pa, for water at t °C.
double SaturationPressure(double t);
// °C, for air at ta °C and rh % relative humidity. RunTimeError for rh <= 0 (no vapour).
double DewPoint(double ta, double rh);

}  // namespace veltaro
