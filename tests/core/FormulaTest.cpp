// The heat-transfer formula library.

#include <gtest/gtest.h>

#include <cmath>

#include "core/Errors.h"
#include "core/Formula.h"
#include "core/Fx.h"

namespace {

using veltaro::fx;
using veltaro::RunTimeError;

class Formula : public ::testing::Test {
 protected:
  Formula() {
    veltaro::resetFx();
    std::vector<std::string> lines(180);
    for (int k = 1; k <= 180; ++k) lines[static_cast<std::size_t>(k - 1)] = "line " + std::to_string(k);
    fx().TextTable.assign(lines);
  }
  ~Formula() override { veltaro::resetFx(); }

  static RunTimeError::Kind faultOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const RunTimeError& e) {
      return e.kind();
    }
    ADD_FAILURE() << "no fault raised";
    return RunTimeError::Subscript;
  }
};

TEST_F(Formula, PiIsTheSinglePrecisionValue) {
  EXPECT_EQ(veltaro::kPi, static_cast<double>(static_cast<float>(M_PI)));
  EXPECT_NE(veltaro::kPi, M_PI);
}

TEST_F(Formula, StillAirFormsAndTheirSwitch) {
  struct Case {
    void (*routine)(double, double, double);
    double L, t1, t2;
    double expected;
    const char* line;
  };
  const double third = 1.0 / 3.0;
  const Case cases[] = {
      {veltaro::ConvectionVerticalPipe, 0.1, 60, 20, 5.903219460599446, "line 171"},
      // X = 10 exactly still takes the first form; just above, the second.
      {veltaro::ConvectionVerticalPipe, 1, 30, 20, 1.32 * std::pow(10.0, 0.25), "line 171"},
      {veltaro::ConvectionVerticalPipe, 1, 30.001, 20, 1.74 * std::pow(10.001, third), "line 172"},
      // A surface colder than the air always takes the first form.
      {veltaro::ConvectionVerticalPipe, 2, 5, 20, 1.32 * std::pow(7.5, 0.25), "line 171"},
      {veltaro::ConvectionHorizontalPipe, 0.1, 60, 20, 1.25 * std::pow(400.0, 0.25), "line 173"},
      {veltaro::ConvectionHorizontalPipe, 1, 70, 20, 1.21 * std::pow(50.0, third), "line 174"},
      {veltaro::ConvectionHorizontalPipe, 3, -10, 20, 1.25 * std::pow(10.0, 0.25), "line 173"},
      {veltaro::ConvectionVerticalWall, 2, 40, 20, 1.74 * std::pow(20.0, third), "line 178"},
      {veltaro::ConvectionVerticalWall, 1, 25, 20, 1.32 * std::pow(5.0, 0.25), "line 177"},
      {veltaro::ConvectionVerticalWall, 2, 0, 20, 1.32 * std::pow(10.0, 0.25), "line 177"},
  };
  for (const auto& c : cases) {
    c.routine(c.L, c.t1, c.t2);
    EXPECT_NEAR(fx().ConvectiveCoefficient, c.expected, 1e-12) << c.L << " " << c.t1;
    EXPECT_EQ(fx().FlowRegimeText, c.line) << c.L << " " << c.t1;
  }
}

TEST_F(Formula, WindFormsAndTheirConditions) {
  struct Case {
    bool wall;
    double v, L;
    double expected;
    const char* line;
  };
  const double pi = veltaro::kPi;
  const Case cases[] = {
      {false, 1, 0.00855, 0.0081 / 0.00855 + pi * std::sqrt(1 / 0.00855), "line 175"},
      {false, 5, 0.1, 8.9 * std::pow(5.0, 0.9) / std::pow(0.1, 0.1), "line 176"},
      {true, 10, 5, 5.6002857069974565, "line 179"},    // tall wall, strong wind
      {true, 5, 1.8, 18.558547631344926, "line 180"},   // v·H = 9 and H < 2
      {true, 4, 2, 3.96 * std::sqrt(2.0), "line 179"},  // v·H = 8 exactly
      {true, 2, 5, 5.76 * std::pow(16 / 5.0, 0.2), "line 180"},  // v < 3
      {true, 3, 2, 3.96 * std::sqrt(1.5), "line 179"},  // v·H = 6
  };
  for (const auto& c : cases) {
    if (c.wall)
      veltaro::ConvectionWallWind(c.v, c.L, 999, -999);
    else
      veltaro::ConvectionPipeWind(c.v, c.L, 999, -999);
    EXPECT_NEAR(fx().ConvectiveCoefficient, c.expected, 1e-12) << c.v << " " << c.L;
    EXPECT_EQ(fx().FlowRegimeText, c.line) << c.v << " " << c.L;
  }
}

TEST_F(Formula, RadiationMovesTheCallersEqualTemperature) {
  double t1 = 20;
  veltaro::RadiationCoefficient(t1, 20, 0.1, 0.1, 0.1, 0.9);
  EXPECT_EQ(t1, 20.001);
  EXPECT_NEAR(fx().RadiativeCoefficient, 5.1423, 5e-5);
  double hot = 100;
  veltaro::RadiationCoefficient(hot, 20, 0, 0, 0, 0.9);
  EXPECT_EQ(hot, 100);
  const double a = 373.15, b = 293.15;
  EXPECT_NEAR(fx().RadiativeCoefficient, 5.67e-8 * 0.9 * (a * a + b * b) * (a + b), 1e-12);
}

TEST_F(Formula, ConductivityAndLayers) {
  auto& s = fx();
  s.LambdaA = 0.033;
  s.LambdaB = 0.00017;
  s.LambdaC = 9e-7;
  veltaro::ConductivityAtMean(100);
  EXPECT_NEAR(s.Lambda, 0.059, 1e-15);

  for (int i = 1; i <= 6; ++i) {
    s.LayerLambdaA[i] = 0.03 + 0.001 * i;
    s.LayerLambdaB[i] = 0.0001;
    s.LayerLambdaC[i] = 1e-6;
    s.LayerTemperatures[i] = 300 - 40.0 * i;
    s.LayerConductivities[i] = -1;
  }
  veltaro::LayerConductivitiesAtMean(300, 0);
  EXPECT_EQ(s.LayerConductivities[1], -1);
  veltaro::LayerConductivitiesAtMean(300, 2);
  const double tm1 = (260 + 300) / 2.0, tm2 = (220 + 260) / 2.0;
  EXPECT_NEAR(s.LayerConductivities[1], 0.031 + 0.0001 * tm1 + 1e-6 * tm1 * tm1, 1e-15);
  EXPECT_NEAR(s.LayerConductivities[2], 0.032 + 0.0001 * tm2 + 1e-6 * tm2 * tm2, 1e-15);
  EXPECT_EQ(s.LayerConductivities[3], -1);
  EXPECT_THROW(veltaro::LayerConductivitiesAtMean(300, 7), RunTimeError);
  EXPECT_NE(s.LayerConductivities[6], -1) << "layers 1..6 are written before the fault";
}

TEST_F(Formula, HeatFlowTransmittanceAndSurfaceTemperature) {
  auto& s = fx();
  s.Lambda = 0.04;
  s.SurfaceCoefficient = 10;
  veltaro::CalcPipeTransmittance(0.2, 0.1);
  EXPECT_NEAR(s.Transmittance, 0.34281, 5e-6);
  veltaro::PipeHeatFlow(120, 20, 0.2, 0.1);
  EXPECT_NEAR(s.HeatFlow, 100 * s.Transmittance, 1e-10);
  veltaro::PipeSurfaceTemperature(20, 0.2);
  EXPECT_NEAR(s.SurfaceTemperature, 20 + s.HeatFlow / (0.2 * veltaro::kPi * 10), 1e-12);
  veltaro::TransmittanceFromHeatFlow(120, 20);
  EXPECT_NEAR(s.Transmittance, s.HeatFlow / 100, 1e-15);

  veltaro::PlaneHeatFlow(120, 20, 0.05);
  EXPECT_NEAR(s.HeatFlow, 100 / (0.05 / 0.04 + 0.1), 1e-12);
  veltaro::PlaneSurfaceTemperature(20);
  EXPECT_NEAR(s.SurfaceTemperature, 20 + s.HeatFlow / 10, 1e-12);
  s.HeatFlow = 42;
  veltaro::PlaneHeatFlow(120, 20, 0);
  EXPECT_EQ(s.HeatFlow, 42) << "a zero thickness leaves the heat flow as it was";

  EXPECT_EQ(veltaro::NaturalLog(-2), veltaro::NaturalLog(2));
  EXPECT_NEAR(veltaro::NaturalLog(std::exp(3.0)), 3.0, 1e-13);
}

// A surface-temperature search with a constant conductivity must end where the heat conducted
// through the insulation equals the heat the surface gives off.
TEST_F(Formula, ConvergedSearchMeetsTheClosedFormForConstantConductivity) {
  auto& s = fx();
  s.LambdaA = 0.04;
  const double ti = 200, ta = 20, eps = 0.9;
  veltaro::ConductivityAtMean((ti + ta) / 2);
  for (bool pipe : {true, false}) {
    const double Di = 0.1, d = 0.05, De = Di + 2 * d;
    double ts = ta + 1;
    for (int pass = 0; pass < 200; ++pass) {
      if (pipe)
        veltaro::ConvectionHorizontalPipe(De, ts, ta);
      else
        veltaro::ConvectionVerticalWall(2.0, ts, ta);
      veltaro::RadiationCoefficient(ts, ta, De, De, De, eps);
      s.SurfaceCoefficient = s.ConvectiveCoefficient + s.RadiativeCoefficient;
      if (pipe) {
        veltaro::PipeHeatFlow(ti, ta, De, Di);
        veltaro::PipeSurfaceTemperature(ta, De);
      } else {
        veltaro::PlaneHeatFlow(ti, ta, d);
        veltaro::PlaneSurfaceTemperature(ta);
      }
      ts = s.SurfaceTemperature;
    }
    const double q = s.HeatFlow;
    const double conducted = pipe ? 2 * veltaro::kPi * 0.04 * (ti - ts) / std::log(De / Di)
                                  : 0.04 * (ti - ts) / d;
    const double released = pipe ? s.SurfaceCoefficient * veltaro::kPi * De * (ts - ta)
                                 : s.SurfaceCoefficient * (ts - ta);
    EXPECT_NEAR(q / conducted, 1.0, 1e-9) << (pipe ? "pipe" : "plane");
    EXPECT_NEAR(q / released, 1.0, 1e-9) << (pipe ? "pipe" : "plane");
    EXPECT_GT(ts, ta);
    EXPECT_LT(ts, ti);
  }
}

TEST_F(Formula, FaultsAreRaisedNotCarriedIntoResults) {
  auto& s = fx();
  s.Lambda = 0.04;
  s.SurfaceCoefficient = 10;
  EXPECT_EQ(faultOf([] { veltaro::ConvectionVerticalPipe(0, 60, 20); }), RunTimeError::DivisionByZero);
  EXPECT_EQ(faultOf([] { veltaro::ConvectionVerticalPipe(0, 20, 20); }), RunTimeError::Overflow);
  EXPECT_EQ(faultOf([] { veltaro::ConvectionHorizontalPipe(-0.1, 60, 20); }), RunTimeError::InvalidArgument);
  EXPECT_EQ(faultOf([] { veltaro::ConvectionPipeWind(2, 0, 60, 20); }), RunTimeError::DivisionByZero);
  EXPECT_EQ(faultOf([] { veltaro::ConvectionWallWind(2, 0, 60, 20); }), RunTimeError::DivisionByZero);
  EXPECT_EQ(faultOf([] { veltaro::PipeHeatFlow(60, 20, 0.2, 0); }), RunTimeError::DivisionByZero);
  EXPECT_EQ(faultOf([] { veltaro::NaturalLog(0); }), RunTimeError::InvalidArgument);
  s.HeatFlow = 42;
  EXPECT_EQ(faultOf([] { veltaro::TransmittanceFromHeatFlow(20, 20); }), RunTimeError::DivisionByZero);
  s.SurfaceCoefficient = 0;
  EXPECT_EQ(faultOf([] { veltaro::PlaneHeatFlow(60, 20, 0.05); }), RunTimeError::DivisionByZero);
  EXPECT_EQ(s.HeatFlow, 42) << "nothing written after a fault";
  s.Lambda = 0;
  s.SurfaceCoefficient = 10;
  EXPECT_EQ(faultOf([] { veltaro::CalcPipeTransmittance(0.2, 0.1); }), RunTimeError::DivisionByZero);
}

}  // namespace
