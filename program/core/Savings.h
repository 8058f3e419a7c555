#pragma once
// Bare-surface heat loss, yearly energy savings, and the properties of air and flue gas in a
// duct.

#include <cstdint>
#include <string>

#include "core/Numbers.h"

namespace forms {
class Form;
}

namespace veltaro {

// The heat loss of the pipe or plane without insulation, its surface at the medium temperature
// T: HeatFlow, the surface coefficients and (when a convection routine ran) FlowRegimeText.
// L is the pipe's outer diameter or the plane's height (m). ts is set to T on return.
void CalcBareHeatLoss(double v, double emissivity, double L, double& ts, double ta, double T,
                      bool horizontal, bool indoors, bool pipe);

struct EnergySavingsTexts {
  std::string VTU;     // locale text of the bare loss rounded to HeatLossDecimals decimals
  std::string Bespar;  // locale text of the savings figure rounded to whole units
  Money savings;       // the savings figure before that rounding
};

// The bare loss as CalcBareHeatLoss, then the energy saved per year,
// E = (|HeatFlow| − |q|)·length·(hours/1000) kWh (negative when the insulation raises the
// loss), priced in the energy unit: `unit` is the 0-based
// position in the energy list and is increased by one (RunTimeError(Overflow) at 255).
// Unit 1 prices E exactly as money, units 2-6 convert first (1/1000, 0.101, 0.00086, 0.0905,
// 0.091), any other unit gives E in kWh. Returns the texts for the boxes VTU and Bespar.
EnergySavingsTexts CalcEnergySavings(double v, double emissivity, double length, double L,
                                     double& ts, double ta, double q, double T, bool horizontal,
                                     bool indoors, Money price, double hours, uint8_t& unit,
                                     bool pipe);
// The same, writing the texts into `window`'s boxes VTU and Bespar.
void CalcEnergySavings(double v, double emissivity, double length, double L, double& ts, double ta,
                       double q, double T, bool horizontal, bool indoors, Money price, double hours,
                       uint8_t& unit, bool pipe, forms::Form& window);

// The kWh saved per year when the heat flow (W/m or W/m²) falls in size from `before` to
// `after` over `length` m or m² for `hours` hours; negative when the insulation raises the loss.
Money SavedEnergy(double before, double after, double length, double hours);

// The money value of `kwh` kWh saved per year at `price` per energy unit, the unit by its
// 1-based position in the energy list: 1 prices the kWh exactly, 2-6 convert them first
// (1/1000, 0.101, 0.00086, 0.0905, 0.091); any other position gives the kWh themselves. The
// sign of `kwh` is kept: a loss that grows is a negative saving.
Money PriceSavedEnergy(Money kwh, Money price, int unit);

// Mass flow in kg/s of air (flue = false) or flue gas at T °C. Flow units by their position in
// the list "kg/s", "l/h", "l/s", "m³/h", "m/s"; D is the duct's diameter in m.
double GasMassFlow(double T, bool flue, int16_t flowUnit, double flow, double D);
// Specific heat in kJ/(kg·K) of air or flue gas at t °C.
double GasSpecificHeat(double t, bool flue);

}  // namespace veltaro
