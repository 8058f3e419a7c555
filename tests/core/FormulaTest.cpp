// The heat-transfer formula library.

#include <cmath>
#include <functional>

#include "CoreFixture.h"
#include "core/Errors.h"
#include "core/Formula.h"
#include "core/Fx.h"

namespace {

using veltaro::fx;

struct Formula : coretest::CoreTest {
  Formula() { for (int k = 171; k <= 180; ++k) fx().TextTable.set(k, "line " + std::to_string(k)); }
};

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
  s.Lambda = 0.04;
  s.SurfaceCoefficient = 10;
  veltaro::CalcPipeTransmittance(0.2, 0.1);
  EXPECT_NEAR(s.Transmittance, 0.34281, 5e-6);
  s.HeatFlow = 42;
  veltaro::TransmittanceFromHeatFlow(120, 20);
  EXPECT_NEAR(s.Transmittance, 0.42, 1e-15);
  veltaro::PlaneHeatFlow(120, 20, 0);
  EXPECT_EQ(s.HeatFlow, 42) << "a zero thickness leaves the heat flow as it was";
  EXPECT_EQ(veltaro::NaturalLog(-2), veltaro::NaturalLog(2));
}

}  // namespace
