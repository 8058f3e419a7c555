#include "core/Savings.h"

#include <cmath>

#include "core/Errors.h"
#include "core/Formula.h"
#include "core/Fx.h"
#include "forms/Form.h"

namespace veltaro {
namespace {

double divide(double a, double b) {
  if (b == 0) throw RunTimeError(a == 0 ? RunTimeError::Overflow : RunTimeError::DivisionByZero);
  const double q = a / b;
  if (!std::isfinite(q)) throw RunTimeError(RunTimeError::Overflow);
  return q;
}

}  // namespace

void CalcBareHeatLoss(double v, double emissivity, double L, double& ts, double ta, double T,
                      bool horizontal, bool indoors, bool pipe) {
  FX& s = fx();
  ts = T;  // the bare surface is at the medium temperature
  if (pipe) {
    if (!indoors) {
      ConvectionPipeWind(v, L, ts, ta);
    } else if (horizontal) {
      ConvectionHorizontalPipe(L, ts, ta);
    } else {
      ConvectionVerticalPipe(L, ts, ta);
    }
    RadiationCoefficient(ts, ta, L, L, L, emissivity);
    s.SurfaceCoefficient = s.ConvectiveCoefficient + s.RadiativeCoefficient;
    s.HeatFlow = divide((T - ta) * kPi, divide(1, s.SurfaceCoefficient * L));
  } else {
    if (!indoors) {
      ConvectionWallWind(v, L, T, ta);
    } else if (horizontal) {
      s.ConvectiveCoefficient = 0;
    } else {
      ConvectionVerticalWall(L, T, ta);
    }
    RadiationCoefficient(ts, ta, L, L, L, emissivity);
    s.SurfaceCoefficient = s.ConvectiveCoefficient + s.RadiativeCoefficient;
    s.HeatFlow = divide(T - ta, divide(1, s.SurfaceCoefficient));
  }
  ts = T;  // undoes the radiation routine's nudge when T equals ta
}

EnergySavingsTexts CalcEnergySavings(double v, double emissivity, double length, double L,
                                     double& ts, double ta, double q, double T, bool horizontal,
                                     bool indoors, Money price, double hours, uint8_t& unit,
                                     bool pipe) {
  CalcBareHeatLoss(v, emissivity, L, ts, ta, T, horizontal, indoors, pipe);
  FX& s = fx();
  const Money e = SavedEnergy(s.HeatFlow, q, length, hours);
  if (unit == 255) throw RunTimeError(RunTimeError::Overflow);
  unit = static_cast<uint8_t>(unit + 1);

  const Money savings = PriceSavedEnergy(e, price, unit);
  EnergySavingsTexts texts;
  texts.VTU = LocaleText(RoundHalfEven(s.HeatFlow, s.HeatLossDecimals));
  texts.Bespar = LocaleText(savings.Rounded(0).ToDouble());
  texts.savings = savings;
  return texts;
}

Money SavedEnergy(double before, double after, double length, double hours) {
  // What the insulation takes off the size of the flow, for a hot or a cold object alike: a
  // cold pipe's flow is negative, and its saving is not.
  return Money::FromDouble((std::fabs(before) - std::fabs(after)) * length * (hours / 1000));
}

Money PriceSavedEnergy(Money e, Money price, int unit) {
  Money savings;
  const double kwh = e.ToDouble();
  switch (unit) {
    case 1:
      savings = e * price;
      break;
    case 2:
      savings = Money::FromDouble(price.ToDouble() * (kwh / 1000));
      break;
    case 3:
      savings = Money::FromDouble(price.ToDouble() * (kwh * 0.101));
      break;
    case 4:
      savings = Money::FromDouble(price.ToDouble() * (kwh * 0.00086));
      break;
    case 5:
      savings = Money::FromDouble(price.ToDouble() * (kwh * 0.0905));
      break;
    case 6:
      savings = Money::FromDouble(price.ToDouble() * (kwh * 0.091));
      break;
    default:
      savings = e;
      break;
  }
  return savings;
}

void CalcEnergySavings(double v, double emissivity, double length, double L, double& ts, double ta,
                       double q, double T, bool horizontal, bool indoors, Money price, double hours,
                       uint8_t& unit, bool pipe, forms::Form& window) {
  const EnergySavingsTexts texts = CalcEnergySavings(v, emissivity, length, L, ts, ta, q, T,
                                                     horizontal, indoors, price, hours, unit, pipe);
  window.control("VTU").setText(texts.VTU);
  window.control("Bespar").setText(texts.Bespar);
}

double GasMassFlow(double T, bool flue, int16_t flowUnit, double flow, double D) {
  const double molarMass = flue ? 29.72 : 28.86;
  const double rho = divide(273.15, T + 273.15) * (molarMass / 22.4);  // kg/m³
  switch (flowUnit) {
    case 1:
      return rho * flow * 2.778 * 1e-7;  // l/h
    case 2:
      return rho * flow * 0.001;  // l/s
    case 3:
      return rho * flow * 0.0002778;  // m³/h
    case 4:
      return (D / 2) * flow * (D / 2) * kPi * rho;  // m/s through the duct's section
    default:
      return flow;  // kg/s
  }
}

double GasSpecificHeat(double t, bool flue) {
  const double T = t + 273.15;
  if (T < 0) throw RunTimeError(RunTimeError::InvalidArgument);
  const double T2 = std::pow(T, 2);
  const double rootT = std::pow(T, 0.5);
  // Molar heat capacities, kJ/(kmol·K).
  const double nitrogen = 39.65 - divide(8071, T) + divide(1499000, T2);
  const double oxygen = 48.21 - divide(536.8, rootT) + divide(3559, T);
  if (!flue) return (0.79 * nitrogen + 0.21 * oxygen) / 28.8558;
  const double carbonDioxide = 67.83 - divide(15190, T) + divide(1822000, T2);
  const double water = 83.15 - divide(1863, rootT) + divide(17450, T);
  return (0.12 * carbonDioxide + 0.03 * water + 0.83 * nitrogen + 0.02 * oxygen) / 29.7184;
}

}  // namespace veltaro
