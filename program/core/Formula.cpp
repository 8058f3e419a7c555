#include "core/Formula.h"

#include <cmath>

#include "core/Errors.h"
#include "core/Fx.h"

namespace veltaro {
namespace {

// IEEE arithmetic would carry an infinity or a NaN on into a result; the program stops the
// calculation at the fault instead. These helpers raise it where it happens.
[[noreturn]] void fault(RunTimeError::Kind kind) {
  throw RunTimeError(kind);
}

inline double finite(double x) {
  if (!std::isfinite(x)) fault(RunTimeError::Overflow);
  return x;
}

inline double div(double a, double b) {
  if (b == 0)
    fault(a == 0 || std::isnan(a) ? RunTimeError::Overflow : RunTimeError::DivisionByZero);
  return finite(a / b);
}

inline double power(double base, double exponent) {
  if (base < 0 && exponent != std::floor(exponent)) fault(RunTimeError::InvalidArgument);
  if (base == 0 && exponent < 0) fault(RunTimeError::DivisionByZero);
  return finite(std::pow(base, exponent));
}

// Still-air scheme shared by the vertical and horizontal pipe and the vertical wall.
inline bool laminar(double L, double t1, double t2) {
  return finite(power(L, 3) * (t1 - t2)) <= 10;
}

const double kOneThird = 1.0 / 3.0;

}  // namespace

void ConvectionVerticalPipe(double D, double t1, double t2) {
  FX& s = fx();
  if (laminar(D, t1, t2)) {
    s.FlowRegimeText = s.TextTable[171];
    s.ConvectiveCoefficient = 1.32 * power(div(std::fabs(t1 - t2), D), 0.25);
  } else {
    s.FlowRegimeText = s.TextTable[172];
    s.ConvectiveCoefficient = 1.74 * power(std::fabs(t1 - t2), kOneThird);
  }
}

void ConvectionHorizontalPipe(double D, double t1, double t2) {
  FX& s = fx();
  if (laminar(D, t1, t2)) {
    s.FlowRegimeText = s.TextTable[173];
    s.ConvectiveCoefficient = 1.25 * power(div(std::fabs(t1 - t2), D), 0.25);
  } else {
    s.FlowRegimeText = s.TextTable[174];
    s.ConvectiveCoefficient = 1.21 * power(std::fabs(t1 - t2), kOneThird);
  }
}

void ConvectionVerticalWall(double H, double t1, double t2) {
  FX& s = fx();
  if (laminar(H, t1, t2)) {
    s.FlowRegimeText = s.TextTable[177];
    s.ConvectiveCoefficient = 1.32 * power(std::fabs(div(t1 - t2, H)), 0.25);
  } else {
    s.FlowRegimeText = s.TextTable[178];
    s.ConvectiveCoefficient = 1.74 * power(std::fabs(t1 - t2), kOneThird);
  }
}

void ConvectionPipeWind(double v, double D, double, double) {
  FX& s = fx();
  if (v * D <= 0.00855) {
    s.FlowRegimeText = s.TextTable[175];
    s.ConvectiveCoefficient = finite(div(0.0081, D) + kPi * power(std::fabs(div(v, D)), 0.5));
  } else {
    s.FlowRegimeText = s.TextTable[176];
    s.ConvectiveCoefficient = div(8.9 * power(std::fabs(v), 0.9), power(std::fabs(D), 0.1));
  }
}

void ConvectionWallWind(double v, double H, double, double) {
  FX& s = fx();
  // The strong-wind form holds only for short walls or moderate wind; a tall wall in a strong
  // wind keeps the first form however large v·H is.
  if (v * H > 8 && (H < 2 || v < 3)) {
    s.FlowRegimeText = s.TextTable[180];
    s.ConvectiveCoefficient = 5.76 * power(div(power(v, 4), H), 0.2);
  } else {
    s.FlowRegimeText = s.TextTable[179];
    s.ConvectiveCoefficient = 3.96 * power(std::fabs(div(v, H)), 0.5);
  }
}

void RadiationCoefficient(double& t1, double t2, double, double, double, double emissivity) {
  // Equal temperatures would make the quotient 0/0; the caller's surface temperature moves by
  // a thousandth of a degree and keeps that value.
  if (t1 == t2) t1 = t2 + 0.001;
  const double sigma = 1e-8 * 5.67;  // formed as 10^-8 · 5.67, not the literal 5.67e-8
  fx().RadiativeCoefficient =
      finite((sigma * emissivity) * div(power(t1 + 273.15, 4) - power(t2 + 273.15, 4), t1 - t2));
}

void ConductivityAtMean(double tm) {
  FX& s = fx();
  s.Lambda = finite(s.LambdaC * power(tm, 2) + (s.LambdaB * tm + s.LambdaA));
}

void LayerConductivitiesAtMean(double t0, int16_t n) {
  FX& s = fx();
  for (int i = 1; i <= n; ++i) {
    const double tm = i == 1 ? (s.LayerTemperatures[1] + t0) / 2
                             : (s.LayerTemperatures[i] + s.LayerTemperatures[i - 1]) / 2;
    s.LayerConductivities[i] =
        finite(s.LayerLambdaC[i] * power(tm, 2) + (s.LayerLambdaB[i] * tm + s.LayerLambdaA[i]));
  }
}

namespace {
// Resistance of the insulation and the outer surface per metre of pipe, times π.
inline double pipeResistance(double logRatio, double De) {
  const FX& s = fx();
  return finite(logRatio * div(1, s.Lambda + s.Lambda) + div(1, s.SurfaceCoefficient * De));
}
}  // namespace

void PipeHeatFlow(double ti, double ta, double De, double Di) {
  const double r = pipeResistance(NaturalLog(div(De, Di)), De);
  fx().HeatFlow = div(kPi * (ti - ta), r);
}

void PlaneHeatFlow(double ti, double ta, double d) {
  if (d == 0) return;
  FX& s = fx();
  s.HeatFlow = div(ti - ta, finite(div(d, s.Lambda) + div(1, s.SurfaceCoefficient)));
}

void CalcPipeTransmittance(double De, double Di) {
  const double ratio = div(De, Di);
  if (ratio <= 0) fault(RunTimeError::InvalidArgument);
  fx().Transmittance = div(kPi, pipeResistance(std::log(ratio), De));
}

void TransmittanceFromHeatFlow(double t1, double t2) {
  FX& s = fx();
  s.Transmittance = div(s.HeatFlow, t1 - t2);
}

void PlaneSurfaceTemperature(double ta) {
  FX& s = fx();
  s.SurfaceTemperature = finite(div(s.HeatFlow, s.SurfaceCoefficient) + ta);
}

void PipeSurfaceTemperature(double ta, double De) {
  FX& s = fx();
  s.SurfaceTemperature = finite(div(s.HeatFlow, De * kPi * s.SurfaceCoefficient) + ta);
}

double NaturalLog(double x) {
  if (x == 0 || std::isnan(x)) fault(RunTimeError::InvalidArgument);
  static const double kLogBase = std::log(2.71828182845904);
  return finite(std::log(std::fabs(x)) / kLogBase);
}

}  // namespace veltaro
