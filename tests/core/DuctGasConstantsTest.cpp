// The constants of the duct-gas properties, each guarded by values worked by hand from the
// formulas (so that a change in any single constant shows).

#include <gtest/gtest.h>

#include "core/Errors.h"
#include "core/Savings.h"

namespace {

TEST(DuctGasConstants, EveryFlowUnitAndTheDensityOfBothGases) {
  const struct {
    double T;
    bool flue;
    int16_t unit;
    double flow, D, kgPerS;
  } cases[] = {
      {20, false, 0, 0.5, 0.2, 0.5},                     // kg/s: taken as it is
      {500, true, 9, 3.5, 0.2, 3.5},                     // and any unit not in the list
      {20, false, 1, 1800000, 0.2, 0.6002944958029774},  // l/h
      {120, true, 2, 250, 0.2, 0.23045371859159536},     // l/s, flue gas
      {-10, false, 3, 900, 0.2, 0.3343650606966423},     // m³/h, cold air
      {200, true, 4, 3, 0.315, 0.17907518270491074},     // m/s through the duct's section
  };
  for (const auto& c : cases)
    EXPECT_NEAR(veltaro::GasMassFlow(c.T, c.flue, c.unit, c.flow, c.D), c.kgPerS, 1e-12 * c.kgPerS)
        << "unit " << c.unit;
  EXPECT_THROW(veltaro::GasMassFlow(-273.15, false, 2, 1, 0.2), veltaro::RunTimeError);
}

TEST(DuctGasConstants, SpecificHeatOfAirAndFlueGas) {
  // Air reads nitrogen and oxygen only; flue gas all four gases. Two temperatures each weigh
  // the three terms of every gas differently.
  const struct {
    double t;
    bool flue;
    double cp;
  } cases[] = {
      {20, false, 1.0203454880298206},
      {300, false, 1.0577834313536512},
      {150, true, 1.0331999698068166},
      {600, true, 1.1808535596730325},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(veltaro::GasSpecificHeat(c.t, c.flue), c.cp, 1e-13) << c.t << " " << c.flue;
  // At and below absolute zero there is no heat capacity.
  EXPECT_THROW(veltaro::GasSpecificHeat(-273.15, false), veltaro::RunTimeError);
  EXPECT_THROW(veltaro::GasSpecificHeat(-300, true), veltaro::RunTimeError);
}

}  // namespace
