// Bare-surface loss, energy savings, and the duct-gas properties.

#include "CoreFixture.h"
#include "core/Formula.h"
#include "core/Savings.h"

namespace {

using veltaro::fx;
using veltaro::Money;

class Savings : public coretest::CoreTest {
 protected:
  Savings() {
    for (int k = 171; k <= 180; ++k) fx().TextTable.set(k, "line " + std::to_string(k));
  }
  // The bare loss of a horizontal 60.3 mm pipe indoors at T °C in 20 °C air.
  double barePipeLoss(double T = 80) {
    double ts = 0;
    veltaro::CalcBareHeatLoss(0, 0.9, 0.0603, ts, 20, T, true, true, true);
    return fx().HeatFlow;
  }
};

TEST_F(Savings, BareLossByGeometryAndLocation) {
  auto& s = fx();
  // line "before": no convection routine ran
  const struct { bool pipe, horizontal, indoors; const char* line; } cases[] = {
      {true, true, true, "line 173"},   {true, false, true, "line 171"},
      {true, true, false, "line 176"},  {false, true, true, "before"},
      {false, false, true, "line 178"}, {false, true, false, "line 179"},
      {false, false, false, "line 179"}};
  for (const auto& c : cases) {
    s.FlowRegimeText = "before";
    double ts = -1;
    const double L = c.pipe ? 0.0603 : 2.0;
    veltaro::CalcBareHeatLoss(2, 0.9, L, ts, 20, 80, c.horizontal, c.indoors, c.pipe);
    EXPECT_EQ(ts, 80);
    EXPECT_EQ(s.FlowRegimeText, c.line);
    EXPECT_EQ(s.SurfaceCoefficient, s.ConvectiveCoefficient + s.RadiativeCoefficient);
    EXPECT_NEAR(s.HeatFlow, 60 * s.SurfaceCoefficient * (c.pipe ? veltaro::kPi * L : 1), 1e-9);
    if (!c.pipe && c.horizontal && c.indoors) EXPECT_EQ(s.ConvectiveCoefficient, 0);
  }
  double ts = 0;  // medium at the air temperature: no loss, ts back at the medium temperature
  veltaro::CalcBareHeatLoss(0, 0.9, 2.0, ts, 20, 20, false, true, false);
  EXPECT_EQ(ts, 20);
  EXPECT_EQ(s.HeatFlow, 0);
  // A horizontal plane indoors without emissivity has no surface coefficient at all.
  EXPECT_THROW(veltaro::CalcBareHeatLoss(0, 0, 1.0, ts, 20, 80, true, true, false),
               veltaro::RunTimeError);
}

TEST_F(Savings, EnergySavingsByUnit) {
  const double bare = barePipeLoss();
  fx().HeatLossDecimals = 1;
  platform.decimal = ",";
  // bespar: the saving for E = 130 W/m · 10 m · 8760 h = 11388 kWh
  const struct { uint8_t unit; double price; const char* bespar; } cases[] = {
      {0, 1.25, "14235"},  // kWh priced exactly
      {1, 500, "5694"},    // MWh
      {2, 2, "2300"},      // 11388 · 0.101 · 2 = 2300.376
      {3, 1000, "9794"},   // 11388 · 0.00086 · 1000 = 9793.68
      {4, 2, "2061"},      // 11388 · 0.0905 · 2 = 2061.228
      {5, 1, "1036"},      // 11388 · 0.091 = 1036.308
      {6, 99, "11388"}};   // no price: the energy in kWh
  for (const auto& c : cases) {
    uint8_t unit = c.unit;
    double ts = 0;
    const auto texts =
        veltaro::CalcEnergySavings(0, 0.9, 10, 0.0603, ts, 20, bare - 130, 80, true, true,
                                   Money::FromDouble(c.price), 8760, unit, true);
    EXPECT_EQ(unit, c.unit + 1);
    EXPECT_EQ(texts.Bespar, c.bespar) << int(c.unit);
    EXPECT_EQ(texts.VTU, veltaro::LocaleText(veltaro::RoundHalfEven(bare, 1), ","));
  }
  uint8_t last = 255;
  double ts = 0;
  EXPECT_THROW(veltaro::CalcEnergySavings(0, 0.9, 10, 0.0603, ts, 20, 1, 80, true, true,
                                          Money::FromDouble(1), 8760, last, true),
               veltaro::RunTimeError);
}

TEST_F(Savings, ASavingIsWhatTheInsulationTakesOffTheLoss) {
  forms::Form w("frmSavingsTest");
  for (const char* box : {"VTU", "Bespar"}) w.add(forms::ControlKind::TextBox, box);
  auto bespar = [&](double T, double q) {
    uint8_t unit = 0;
    double ts = 0;
    veltaro::CalcEnergySavings(0, 0.9, 1, 0.0603, ts, 20, q, T, true, true, Money::FromDouble(1),
                               1000, unit, true, w);
    return w.control("Bespar").text();
  };
  const double hot = barePipeLoss(80), cold = barePipeLoss(-20);
  ASSERT_LT(cold, 0);
  EXPECT_EQ(bespar(80, hot - 10), "10");
  EXPECT_EQ(bespar(80, hot + 10), "-10") << "insulation that raises the loss saves nothing";
  EXPECT_EQ(bespar(-20, cold + 10), "10") << "less heat gained by a cold pipe is a saving";
  EXPECT_EQ(w.control("VTU").text(), veltaro::LocaleText(veltaro::RoundHalfEven(cold, 0), "."));
}

// The constants of the duct-gas properties, each guarded by values worked by hand from the
// formulas (so that a change in any single constant shows).
TEST(DuctGasConstants, FlowUnitsDensityAndSpecificHeatOfBothGases) {
  const struct { double T; bool flue; int16_t unit; double flow, D, kgPerS; } flows[] = {
      {20, false, 0, 0.5, 0.2, 0.5},                     // kg/s: taken as it is
      {500, true, 9, 3.5, 0.2, 3.5},                     // and any unit not in the list
      {20, false, 1, 1800000, 0.2, 0.6002944958029774},  // l/h
      {120, true, 2, 250, 0.2, 0.23045371859159536},     // l/s, flue gas
      {-10, false, 3, 900, 0.2, 0.3343650606966423},     // m³/h, cold air
      {200, true, 4, 3, 0.315, 0.17907518270491074}};    // m/s through the duct's section
  for (const auto& c : flows)
    EXPECT_NEAR(veltaro::GasMassFlow(c.T, c.flue, c.unit, c.flow, c.D), c.kgPerS, 1e-12 * c.kgPerS)
        << "unit " << c.unit;
  // Air reads nitrogen and oxygen only; flue gas all four gases. Two temperatures each weigh
  // the three terms of every gas differently.
  const struct { double t; bool flue; double cp; } heats[] = {
      {20, false, 1.0203454880298206}, {300, false, 1.0577834313536512},
      {150, true, 1.0331999698068166}, {600, true, 1.1808535596730325}};
  for (const auto& c : heats)
    EXPECT_NEAR(veltaro::GasSpecificHeat(c.t, c.flue), c.cp, 1e-13) << c.t << " " << c.flue;
  // At and below absolute zero there is no density and no heat capacity.
  EXPECT_THROW(veltaro::GasMassFlow(-273.15, false, 2, 1, 0.2), veltaro::RunTimeError);
  EXPECT_THROW(veltaro::GasSpecificHeat(-273.15, false), veltaro::RunTimeError);
  EXPECT_THROW(veltaro::GasSpecificHeat(-300, true), veltaro::RunTimeError);
}

}  // namespace
