// Calculation 6: the thickness against internal condensation held against the required
// transmittance worked out independently, the bare loss when none is needed, and the input
// check.

#include "CalcFixture.h"
#include "core/Formula.h"
#include "core/Savings.h"

namespace calctest {
namespace {

using veltaro::fx;
using veltaro::kPi;

// Medium at 40 °C with 90 % relative humidity in 0 °C air: its dew point, worked by hand from
// the saturation-pressure equation, is 38.0254 °C.
constexpr double kTm = 40, kTa = 0, kDew = 38.0254109906046, kLambda = 0.04;

TEST_F(CalcTest, Calculation6ThicknessGivesTheRequiredTransmittance) {
  const struct {
    const char* name;
    std::vector<std::string> steps;
    bool outdoors, vertical;
    double wind, height;  // height 0: a pipe
  } cases[] = {
      {"pipe", {}, false, false, 0, 0},
      {"vertical pipe", {"LOD!"}, false, true, 0, 0},
      {"outdoor pipe", {"UDE!", "VINDHASTIGHED=4"}, true, false, 4, 0},
      {"wall", {"PLAN!", "PLANH=2000"}, false, false, 0, 2},
      {"outdoor wall", {"PLAN!", "PLANH=3000", "UDE!", "VINDHASTIGHED=3"}, true, false, 3, 3},
  };
  fx().HeatLossDecimals = 2;
  for (const auto& [name, steps, outdoors, vertical, v, height] : cases) {
    forms::Form& w = open("frmCalc06");
    perform(w, cat({validSteps("frmCalc06"), steps, {"Beregn!"}}));
    ASSERT_TRUE(fx().ResultValid[6]) << name << " " << w.control("ISOLERINGST").text();
    const bool pipe = height == 0;
    const double shown = number(w, "ISOLERINGST") / 1000;
    // The film on the inside: K·w^0.8 over the inner diameter (4 on a wall) to the power 0.2.
    const double di = 0.1053, alpha = 3.6 * std::pow(5.0, 0.8) / std::pow(pipe ? di : 4.0, 0.2);
    const double uReq = (pipe ? kPi * di : 1.0) * alpha * (kTm - kDew) / (kDew - kTa);
    EXPECT_NEAR(number(w, "VARMETAB"), (kTm - kTa) * uReq, 0.006) << name;
    // The transmittance through a thickness s, its surface coefficient settled at its own
    // surface temperature.
    auto U = [&](double s) {
      const double size = pipe ? 0.1143 + 2 * s : height;
      double u = uReq, ts = kTm;
      for (int i = 0; i < 200; ++i) {
        veltaro::CalcBareHeatLoss(v, 0.9, size, ts, kTa, ts, pipe && !vertical, !outdoors,
                                  pipe);
        const double h = fx().SurfaceCoefficient;
        u = pipe ? 1 / (1 / (kPi * di * alpha) + std::log(size / 0.1143) / (2 * kPi * kLambda) +
                        1 / (kPi * size * h))
                 : 1 / (1 / alpha + s / kLambda + 1 / h);
        ts = kTa + (kTm - kTa) * u / (pipe ? kPi * size * h : h);
      }
      return u;
    };
    // The unrounded thickness lies within half a millimetre of the one shown and meets the
    // required transmittance to 0.1 %.
    EXPECT_GE(U(shown - 0.0005), uReq * 0.999) << name << " " << shown;
    EXPECT_LE(U(shown + 0.0005), uReq * 1.001) << name << " " << shown;
    EXPECT_GT(shown, 0.04) << name;
    w.unload();
  }
}

}  // namespace
}  // namespace calctest
