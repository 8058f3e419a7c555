// The heat-transfer formula library, bare-surface loss, savings, the duct-gas properties, and
// the insulation classes of the two rule sets with the step ladder of the thickness searches
// (the class limits are held here: calculation 4's tests compare with the limits it reads).

#include <cmath>
#include <functional>

#include "CoreFixture.h"
#include "core/Classes.h"
#include "core/Errors.h"
#include "core/Formula.h"
#include "core/Fx.h"
#include "core/Savings.h"

namespace {

using veltaro::fx;
using veltaro::Money;

struct Formula : coretest::CoreTest {
  Formula() { for (int k = 171; k <= 180; ++k) fx().TextTable.set(k, "line " + std::to_string(k)); }
  // The bare loss of a horizontal 60.3 mm pipe indoors at T °C in 20 °C air.
  double barePipeLoss(double T = 80) {
    double ts = 0;
    veltaro::CalcBareHeatLoss(0, 0.9, 0.0603, ts, 20, T, true, true, true);
    return fx().HeatFlow;
  }
};
using Savings = Formula;

TEST_F(Formula, ConvectionFormsAndTheirSwitches) {
  using veltaro::ConvectionHorizontalPipe, veltaro::ConvectionVerticalPipe,
      veltaro::ConvectionVerticalWall;
  auto pipeWind = [](double v, double D) { veltaro::ConvectionPipeWind(v, D, 999, -999); };
  auto wallWind = [](double v, double H) { veltaro::ConvectionWallWind(v, H, 999, -999); };
  const double third = 1.0 / 3, pi = veltaro::kPi;
  const struct { std::function<void()> run; double expected; const char* line; } cases[] = {
      {[] { ConvectionVerticalPipe(0.1, 60, 20); }, 5.903219460599446, "line 171"},
      // X = 10 exactly still takes the first form; just above, the second.
      {[] { ConvectionVerticalPipe(1, 30, 20); }, 1.32 * std::pow(10.0, 0.25), "line 171"},
      {[] { ConvectionVerticalPipe(1, 30.001, 20); }, 1.74 * std::pow(10.001, third), "line 172"},
      // A surface colder than the air always takes the first form.
      {[] { ConvectionHorizontalPipe(3, -10, 20); }, 1.25 * std::pow(10.0, 0.25), "line 173"},
      {[] { ConvectionHorizontalPipe(1, 70, 20); }, 1.21 * std::pow(50.0, third), "line 174"},
      {[] { ConvectionVerticalWall(1, 25, 20); }, 1.32 * std::pow(5.0, 0.25), "line 177"},
      {[] { ConvectionVerticalWall(2, 40, 20); }, 1.74 * std::pow(20.0, third), "line 178"},
      {[&] { pipeWind(1, 0.00855); }, 0.0081 / 0.00855 + pi * std::sqrt(1 / 0.00855), "line 175"},
      {[&] { pipeWind(5, 0.1); }, 8.9 * std::pow(5.0, 0.9) / std::pow(0.1, 0.1), "line 176"},
      // The strong-wind form needs v·H > 8 and either H < 2 or v < 3, all strictly.
      {[&] { wallWind(5, 2); }, 3.96 * std::sqrt(2.5), "line 179"},
      {[&] { wallWind(5, 1.8); }, 18.558547631344926, "line 180"},   // v·H = 9 and H < 2
      {[&] { wallWind(8, 1); }, 3.96 * std::sqrt(8.0), "line 179"},  // v·H = 8 exactly
      {[&] { wallWind(3, 4); }, 3.96 * std::sqrt(0.75), "line 179"},
      {[&] { wallWind(2, 5); }, 5.76 * std::pow(16 / 5.0, 0.2), "line 180"}};  // v < 3
  for (const auto& c : cases) {
    c.run();
    EXPECT_NEAR(fx().ConvectiveCoefficient, c.expected, 1e-12) << c.line;
    EXPECT_EQ(fx().FlowRegimeText, c.line) << c.expected;
  }
}

TEST_F(Formula, RadiationConductivityAndLayers) {
  auto& s = fx();
  double t1 = 20;
  veltaro::RadiationCoefficient(t1, 20, 0.1, 0.1, 0.1, 0.9);
  EXPECT_EQ(t1, 20.001) << "the caller's variable moves";
  EXPECT_NEAR(s.RadiativeCoefficient, 5.1423, 5e-5);
  s.LambdaA = 0.033;
  s.LambdaB = 0.00017;
  s.LambdaC = 9e-7;
  veltaro::ConductivityAtMean(100);
  EXPECT_NEAR(s.Lambda, 0.059, 1e-15);
  for (int i = 1; i <= 6; ++i) {
    s.LayerLambdaA[i] = 0.03 + 0.001 * i;
    s.LayerLambdaC[i] = 1e-6;
    s.LayerTemperatures[i] = 300 - 40.0 * i;
    s.LayerConductivities[i] = -1;
  }
  veltaro::LayerConductivitiesAtMean(300, 2);
  EXPECT_NEAR(s.LayerConductivities[1], 0.031 + 1e-6 * 280 * 280, 1e-15);  // (300 + 260) / 2
  EXPECT_NEAR(s.LayerConductivities[2], 0.032 + 1e-6 * 240 * 240, 1e-15);  // (260 + 220) / 2
  EXPECT_EQ(s.LayerConductivities[3], -1);
  EXPECT_THROW(veltaro::LayerConductivitiesAtMean(300, 7), veltaro::RunTimeError);
  EXPECT_NE(s.LayerConductivities[6], -1) << "layers 1..6 are written before the fault";
}

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
    if (!c.pipe && c.horizontal && c.indoors) {
      EXPECT_EQ(s.ConvectiveCoefficient, 0);
    }
  }
  // A horizontal plane indoors without emissivity has no surface coefficient at all.
  double ts = 0;
  EXPECT_THROW(veltaro::CalcBareHeatLoss(0, 0, 1.0, ts, 20, 80, true, true, false),
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
  // The bare loss is shown with the chosen decimals and the locale's separator.
  fx().HeatLossDecimals = 2;
  platform.decimal = ",";
  bespar(80, hot - 10);
  EXPECT_EQ(w.control("VTU").text(), "158,76");
  fx().HeatLossDecimals = 0;
  platform.decimal = ".";
  EXPECT_EQ(bespar(80, hot - 10), "10");
  EXPECT_EQ(bespar(80, hot + 10), "-10") << "insulation that raises the loss saves nothing";
  EXPECT_EQ(bespar(-20, cold + 10), "10") << "less heat gained by a cold pipe is a saving";
  EXPECT_EQ(w.control("VTU").text(), "-80") << "the bare loss, -79.76 W/m, shown whole";
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
  EXPECT_THROW(veltaro::GasSpecificHeat(-300, true), veltaro::RunTimeError);
}

using Classes = coretest::CoreTest;

TEST_F(Classes, LimitsAtTheEdgesOfBothRuleSets) {
  // Every class at D = 0.1; class 0 is the bare pipe; a class past the rule set's last has no
  // limit; codes are exact.
  const struct { const char* code; int cls; double pipe, plane; } cases[] = {
      {"DK", 0, 0.0001, 0}, {"DK", 1, 0.46, 0.88}, {"DK", 2, 0.38, 0.66}, {"DK", 3, 0.31, 0.49},
      {"DK", 4, 0.2575, 0.35}, {"DK", 5, 0, 0},     {"SE", 0, 0.0001, 0},  {"SE", 2, 0.46, 0.88},
      {"SE", 3, 0.38, 0.66},   {"SE", 4, 0.31, 0.49}, {"SE", 5, 0.25, 0.35}, {"SE", 6, 0.2, 0.22},
      {"SE", 7, 0, 0},         {"dk", 1, 0.55, 1.17}};
  for (const auto& c : cases) {
    fx().CountryCode = c.code;
    const auto cls = static_cast<uint8_t>(c.cls);
    EXPECT_NEAR(veltaro::PipeClassLimit(cls, 0.1), c.pipe, 1e-15) << c.code << " " << c.cls;
    EXPECT_EQ(veltaro::PlaneClassLimit(cls), c.plane) << c.code << " " << c.cls;
  }
}

TEST_F(Classes, ClassesAreMetStrictlyWithinTheirTolerances) {
  fx().CountryCode = "SE";
  const double D = 0.1, limit3 = veltaro::PipeClassLimit(3, D),
               limit1 = veltaro::PipeClassLimit(1, D), limit2 = veltaro::PipeClassLimit(2, D);
  const struct { double u; int cls, accept, expected; } cases[] = {
      {limit3 + 0.0009, 3, 0, 3}, {limit3 - 0.0009, 3, 0, 3}, {limit3 + 0.0011, 3, 0, 0},
      {limit3 - 0.0011, 3, 0, 0}, {limit1 * 1.0009, 1, 0, 1}, {limit1 * 1.0011, 1, 0, 0},
      {9.0, 1, 1, 0},             {9.0, 2, 1, 0},             {0.1, 1, 1, 1},
      {0.1, 2, 1, 2},             {limit1 * 1.0011, 1, 1, 0}, {limit2 - 0.0009, 2, 0, 2},
      {limit2 + 0.0011, 2, 0, 0}, {9.0, 3, 1, 0}};
  for (const auto& c : cases) {
    fx().Transmittance = c.u;
    EXPECT_EQ(veltaro::PipeClassOfTransmittance(D, static_cast<uint8_t>(c.cls),
                                                static_cast<uint8_t>(c.accept)),
              c.expected)
        << c.u << " class " << c.cls;
  }
  // A difference that is 0.001 as a Double is not met (D = -0.09 makes the class 3 limit 0).
  for (double u : {0.001, -0.001, std::nextafter(0.001, 0.0)}) {
    fx().Transmittance = u;
    EXPECT_EQ(veltaro::PipeClassOfTransmittance(-0.09, 3, 0), u == 0.001 || u == -0.001 ? 0 : 3);
  }
  // Denmark has no classes 5 and 6; its plane class 4 is 0.35 ± 0.005.
  fx().CountryCode = "DK";
  for (auto [u, cls, expected] :
       {std::tuple{0.354, 4, 4}, {0.3555, 4, 0}, {0.356, 4, 0}, {0.35, 5, 0}}) {
    fx().Transmittance = u;
    EXPECT_EQ(veltaro::PlaneClassOfTransmittance(123, static_cast<uint8_t>(cls)), expected) << u;
  }
  fx().Transmittance = veltaro::PipeClassLimit(6, D);
  EXPECT_EQ(veltaro::PipeClassOfTransmittance(D, 6, 0), 0);
}

TEST_F(Classes, RequiredClassFromTheYearlyTemperatureTimeProduct) {
  const double perSecond = 1 / 3600.0;  // hours that make E the temperature difference
  const struct { double hours, ta, tm, factor; int general, danish; } cases[] = {
      {8760, 20, 70, 1.0, 5, 4},            // E = 1.5768e9
      {8760, 20, 70, 0.3, 3, 2},            // E = 4.7304e8
      {1, 0, 13888.888888877776, 1, 1, 1},  // 49999999.99996 counts as 5e7 as money
      {1, 0, 13888.88888886111, 1, 0, 0},   // 49999999.9999 stays below
      {8760, 70, 20, 1.0, 0, 0},            // a cold medium
      // One band after the other, 5e6 to 1e8 inside each border.
      {perSecond, 0, 1.75e8, 1, 2, 1}, {perSecond, 0, 3.45e8, 1, 2, 1},
      {perSecond, 0, 3.55e8, 1, 3, 2}, {perSecond, 0, 1.45e9, 1, 5, 4},
      {perSecond, 0, 2.9e9, 1, 6, 4}};
  for (const auto& c : cases) {
    fx().CountryCode = "SE";
    EXPECT_EQ(veltaro::ClassOfAnnualLoss(c.hours, c.ta, c.tm, c.factor), c.general) << c.tm;
    fx().CountryCode = "DK";
    EXPECT_EQ(veltaro::ClassOfAnnualLoss(c.hours, c.ta, c.tm, c.factor), c.danish) << c.tm;
  }
  EXPECT_THROW(veltaro::ClassOfAnnualLoss(8760, 0, 1e12, 1), veltaro::RunTimeError);
}

TEST_F(Classes, StepTowardTheClassLimitAndTheLaddersBounds) {
  fx().CountryCode = "DK";  // u: the transmittance; kind 1 is the plane, every other kind a pipe
  const struct { double u; int cls, kind; double D, step; } steps[] = {
      {0.5, 1, 2, 0.1, 0.075},  // limit 0.46
      {0.3, 1, 0, 0.1, -0.125}, {0.55, 4, 1, 0, 0.125}, {0.5, 5, 2, 0.1, 0}, {0.5, 0, 1, 0.1, 0}};
  for (const auto& c : steps) {
    fx().Transmittance = c.u;
    EXPECT_NEAR(veltaro::ClassLimitStep(static_cast<uint8_t>(c.cls), c.kind, c.D), c.step, 1e-15)
        << c.u << " class " << c.cls;
  }
  // The mismatch is that of the magnitudes; past the ladder's top, or with no factor, no step.
  const struct { double a, b, f, step; } ladder[] = {
      {-2, 2, 0.001, 0.0005},     {2, -2, 1e-7, 5e-8},   {1e10, 0, 0.001, 0},
      {-1e10, 0, 0.001, 0},       {3, 1, 0, 0},          {1e10 - 1, 0, 0.001, 1e7},
      {0, 3e-10, 0.001, -0.0005}, {30.5, 30, 1e-7, 0.02}};  // |d| = f·5e6 is not below f·5e6
  for (const auto& c : ladder)
    EXPECT_DOUBLE_EQ(veltaro::StepFromDifference(c.a, c.b, c.f), c.step) << c.a << " " << c.b;
}

}  // namespace
