#pragma once
// Insulation classes and the step rule of the thickness searches.
//
// A class is an upper limit on the transmittance: for a pipe a function of its outer diameter
// D (m, the bare pipe), for a plane a constant. Denmark ("DK" exactly) has classes 1-4; every
// other code shares classes 1-6. The rule set is chosen from fx().CountryCode at every call.
// Class numbers are 0 (none) to 6.

#include <cstdint>

namespace veltaro {

// The pipe limit of the class, W/(m·K); 0.0001 for class 0; 0 for a class the rule set lacks.
double PipeClassLimit(uint8_t cls, double D);
// The plane limit, W/(m²·K); 0 for class 0 and for a class the rule set lacks.
double PlaneClassLimit(uint8_t cls);
// StepFromDifference(Transmittance, limit, 0.001) toward the class limit: kind 1 is a plane,
// any other kind a pipe. 0 for class 0 or a class the rule set lacks.
double ClassLimitStep(uint8_t cls, int kind, double D);
// The class when Transmittance meets its limit (strictly within ±0.001; class 1 by the ratio
// strictly within 0.999..1.001), else 0. With `accept` nonzero, classes 1 and 2 are met by any
// transmittance below the upper bound of that tolerance.
uint8_t PipeClassOfTransmittance(double D, uint8_t cls, uint8_t accept);
// The class when Transmittance lies strictly within ±0.005 of the plane limit, else 0.
// The first argument is not read.
uint8_t PlaneClassOfTransmittance(double unused, uint8_t cls);
// The class required by the yearly temperature-time product
// E = (tm − ta)·hours·3600·factor, compared as a Money value against the band limits.
// RunTimeError(Overflow) when E lies beyond the Money range.
uint8_t ClassOfAnnualLoss(double hours, double ta, double tm, double factor);

// The signed thickness step for the mismatch between a and b on base f, from a ladder of 35
// rungs: negative when b > a (and the mismatch is not zero); 0 when |d| >= f·1e13 or f = 0.
double StepFromDifference(double a, double b, double f);

}  // namespace veltaro
