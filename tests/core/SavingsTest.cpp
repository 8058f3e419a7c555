// Bare-surface loss, energy savings, and the duct-gas properties.

#include <gtest/gtest.h>

#include <cmath>

#include "CoreFixture.h"
#include "core/Errors.h"
#include "core/Formula.h"
#include "core/Savings.h"
#include "forms/Form.h"

namespace {

using coretest::CoreTest;
using veltaro::fx;
using veltaro::Money;

class Savings : public CoreTest {
 protected:
  Savings() {
    std::vector<std::string> lines(200);
    for (int k = 1; k <= 200; ++k) lines[static_cast<std::size_t>(k - 1)] = "line " + std::to_string(k);
    fx().TextTable.assign(lines);
  }
  // The bare loss of a horizontal 60.3 mm pipe indoors at 80 °C in 20 °C air.
  double barePipeLoss() {
    double ts = 0;
    veltaro::CalcBareHeatLoss(0, 0.9, 0.0603, ts, 20, 80, true, true, true);
    return fx().HeatFlow;
  }
};

TEST_F(Savings, BarePipeLossInEachLocation) {
  struct Case {
    bool horizontal, indoors;
    const char* line;
  };
  for (const auto& c : {Case{true, true, "line 173"}, Case{false, true, "line 171"},
                        Case{true, false, "line 176"}}) {
    double ts = -1;
    veltaro::CalcBareHeatLoss(3, 0.9, 0.0603, ts, 20, 80, c.horizontal, c.indoors, true);
    const auto& s = fx();
    EXPECT_EQ(ts, 80);
    EXPECT_EQ(s.FlowRegimeText, c.line);
    EXPECT_EQ(s.SurfaceCoefficient, s.ConvectiveCoefficient + s.RadiativeCoefficient);
    EXPECT_NEAR(s.HeatFlow, 60 * veltaro::kPi * s.SurfaceCoefficient * 0.0603, 1e-9);
    EXPECT_GT(s.HeatFlow, 50);
    EXPECT_LT(s.HeatFlow, 600);
  }
}

TEST_F(Savings, BarePlaneLoss) {
  auto& s = fx();
  // Indoors and horizontal: no convection routine runs, only radiation counts.
  s.FlowRegimeText = "before";
  double ts = 0;
  veltaro::CalcBareHeatLoss(0, 0.9, 1.0, ts, 20, 80, true, true, false);
  EXPECT_EQ(s.ConvectiveCoefficient, 0);
  EXPECT_EQ(s.FlowRegimeText, "before");
  EXPECT_NEAR(s.HeatFlow, s.RadiativeCoefficient * 60, 1e-9);
  // Outdoors the wind form applies whatever the orientation.
  for (bool horizontal : {true, false}) {
    veltaro::CalcBareHeatLoss(4, 0.9, 1.0, ts, 20, 80, horizontal, false, false);
    EXPECT_EQ(s.FlowRegimeText, "line 179");
    EXPECT_NEAR(s.ConvectiveCoefficient, 3.96 * 2, 1e-12);
  }
  veltaro::CalcBareHeatLoss(0, 0.9, 2.0, ts, 20, 80, false, true, false);
  EXPECT_EQ(s.FlowRegimeText, "line 178");
  // Medium at the air temperature: no loss, and ts is the medium temperature again.
  veltaro::CalcBareHeatLoss(0, 0.9, 2.0, ts, 20, 20, false, true, false);
  EXPECT_EQ(ts, 20);
  EXPECT_EQ(s.HeatFlow, 0);
  // A horizontal plane indoors without emissivity has no surface coefficient at all.
  EXPECT_THROW(veltaro::CalcBareHeatLoss(0, 0, 1.0, ts, 20, 80, true, true, false), veltaro::RunTimeError);
}

TEST_F(Savings, EnergySavingsByUnit) {
  const double bare = barePipeLoss();
  const double insulated = bare - 130;  // E = 130 W/m · 10 m · 8760 h = 11388 kWh
  fx().HeatLossDecimals = 1;
  platform.decimal = ",";
  struct Case {
    uint8_t unit;
    double price;
    const char* bespar;
  };
  const Case cases[] = {
      {0, 1.25, "14235"},  // kWh priced exactly
      {1, 500, "5694"},    // MWh
      {2, 2, "2300"},      // 11388 · 0.101 · 2 = 2300.376
      {3, 1000, "9794"},   // 11388 · 0.00086 · 1000 = 9793.68
      {4, 1, "1031"},      // 11388 · 0.0905 = 1030.614
      {5, 1, "1036"},      // 11388 · 0.091 = 1036.308
      {6, 99, "11388"},    // no price: the energy in kWh
  };
  for (const auto& c : cases) {
    uint8_t unit = c.unit;
    double ts = 0;
    const auto texts = veltaro::CalcEnergySavings(0, 0.9, 10, 0.0603, ts, 20, insulated, 80, true, true,
                                                  Money::FromDouble(c.price), 8760, unit, true);
    EXPECT_EQ(unit, c.unit + 1);
    EXPECT_EQ(ts, 80);
    EXPECT_EQ(texts.Bespar, c.bespar) << int(c.unit);
    EXPECT_EQ(texts.VTU, veltaro::LocaleText(veltaro::RoundHalfEven(bare, 1), ","));
    EXPECT_NE(texts.VTU.find(','), std::string::npos) << texts.VTU;
  }
  uint8_t last = 255;
  double ts = 0;
  EXPECT_THROW(veltaro::CalcEnergySavings(0, 0.9, 10, 0.0603, ts, 20, insulated, 80, true, true,
                                          Money::FromDouble(1), 8760, last, true),
               veltaro::RunTimeError);
}

TEST_F(Savings, ASavingIsWhatTheInsulationTakesOffTheLoss) {
  const double bare = barePipeLoss();
  uint8_t unit = 0;
  double ts = 0;
  // Insulation that raises the loss (a thin layer on a small pipe) saves nothing.
  auto texts = veltaro::CalcEnergySavings(0, 0.9, 1, 0.0603, ts, 20, bare + 10, 80, true, true,
                                          Money::FromDouble(1), 1000, unit, true);
  EXPECT_EQ(texts.Bespar, "-10");
  // A cold pipe gains heat: less gain with insulation is a saving.
  unit = 0;
  veltaro::CalcBareHeatLoss(0, 0.9, 0.0603, ts, 20, -20, true, true, true);
  const double bareCold = fx().HeatFlow;
  ASSERT_LT(bareCold, 0);
  texts = veltaro::CalcEnergySavings(0, 0.9, 1, 0.0603, ts, 20, bareCold + 10, -20, true, true,
                                     Money::FromDouble(1), 1000, unit, true);
  EXPECT_EQ(texts.Bespar, "10");
}

class SavingsWindow : public forms::Form {
 public:
  SavingsWindow() : forms::Form("frmSavingsTest") {
    add(forms::ControlKind::TextBox, "VTU");
    add(forms::ControlKind::TextBox, "Bespar");
  }
};

TEST_F(Savings, WritesTheWindowsBoxes) {
  const double bare = barePipeLoss();
  SavingsWindow w;
  uint8_t unit = 0;
  double ts = 0;
  veltaro::CalcEnergySavings(0, 0.9, 2, 0.0603, ts, 20, bare - 50, 80, true, true, Money::FromDouble(0.5),
                             1000, unit, true, w);
  EXPECT_EQ(w.control("Bespar").text(), "50");  // 50 W · 2 m · 1000 h = 100 kWh at 0.5
  EXPECT_EQ(w.control("VTU").text(), veltaro::LocaleText(veltaro::RoundHalfEven(bare, 0), "."));
}

TEST(DuctGas, MassFlowByUnit) {
  const double rhoAir0 = 28.86 / 22.4;
  EXPECT_NEAR(veltaro::GasMassFlow(0, false, 3, 3600, 0.2), 1.2885, 5e-5);
  EXPECT_NEAR(veltaro::GasMassFlow(0, false, 4, 2, 0.2), 0.080952, 5e-7);
  EXPECT_NEAR(veltaro::GasMassFlow(0, false, 1, 1e6, 0.2), rhoAir0 * 0.2778, 1e-12);
  EXPECT_NEAR(veltaro::GasMassFlow(0, false, 2, 1000, 0.2), rhoAir0, 1e-12);
  EXPECT_EQ(veltaro::GasMassFlow(500, true, 0, 3.5, 0.2), 3.5);
  EXPECT_EQ(veltaro::GasMassFlow(500, true, 9, 3.5, 0.2), 3.5);
  // Flue gas is heavier; a hotter gas is lighter in proportion to its absolute temperature.
  EXPECT_NEAR(veltaro::GasMassFlow(273.15, true, 2, 1000, 0), 29.72 / 22.4 / 2, 1e-12);
  EXPECT_THROW(veltaro::GasMassFlow(-273.15, false, 2, 1, 0.2), veltaro::RunTimeError);
}

TEST(DuctGas, SpecificHeat) {
  EXPECT_NEAR(veltaro::GasSpecificHeat(20, false), 1.0203, 5e-5);
  EXPECT_NEAR(veltaro::GasSpecificHeat(200, true), 1.0507, 5e-5);
  EXPECT_LT(veltaro::GasSpecificHeat(20, false), veltaro::GasSpecificHeat(400, false));
  EXPECT_THROW(veltaro::GasSpecificHeat(-273.15, false), veltaro::RunTimeError);
  EXPECT_THROW(veltaro::GasSpecificHeat(-300, true), veltaro::RunTimeError);
}

}  // namespace
