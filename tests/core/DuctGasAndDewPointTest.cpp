// The constants of the duct-gas properties and of the dew point, each guarded by values worked
// by hand from the formulas (so that a change in any single constant shows).

#include <gtest/gtest.h>

#include "core/DewPoint.h"
#include "core/Errors.h"
#include "core/Fx.h"
#include "core/ReferenceData.h"
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
      {20, false, 1, 1800000, 0.2, 0.6002944958029774},  // l/h
      {120, true, 2, 250, 0.2, 0.23045371859159536},     // l/s, flue gas
      {-10, false, 3, 900, 0.2, 0.3343650606966423},     // m³/h, cold air
      {200, true, 4, 3, 0.315, 0.17907518270491074},     // m/s through the duct's section
  };
  for (const auto& c : cases)
    EXPECT_NEAR(veltaro::GasMassFlow(c.T, c.flue, c.unit, c.flow, c.D), c.kgPerS, 1e-12 * c.kgPerS)
        << "unit " << c.unit;
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
}

TEST(DewPointConstants, SaturationPressureAndDewPoint) {
  veltaro::resetFx();
  veltaro::InitVapourPressureConstants();
  const struct {
    double t, rh, saturationPa, dewPoint;
  } cases[] = {
      {20, 100, 2336.9942745739545, 19.96866554438418},  // saturated: close to its own temperature
      {20, 50, 2336.9942745739545, 9.24301633045036},
      {40, 80, 7377.140527995404, 35.861898350824845},
      {80, 60, 47365.71245826304, 67.88536932447107},
      {5, 90, 871.7716376900242, 3.4774334785699352},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(veltaro::SaturationPressure(c.t), c.saturationPa, 1e-9 * c.saturationPa) << c.t;
    EXPECT_NEAR(veltaro::DewPoint(c.t, c.rh), c.dewPoint, 1e-10) << c.t << " " << c.rh;
  }
  EXPECT_THROW(veltaro::DewPoint(20, 0), veltaro::RunTimeError);
  veltaro::resetFx();
}

}  // namespace
