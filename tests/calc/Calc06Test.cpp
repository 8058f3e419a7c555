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
  const std::pair<const char*, Inputs> cases[] = {
      {"pipe", {}},
      {"vertical pipe", {.vertical = true}},
      {"outdoor pipe", {.outdoors = true, .wind = "4"}},
      {"wall", {.height = "2000"}},
      {"outdoor wall", {.height = "3000", .outdoors = true, .wind = "3"}},
  };
  fx().HeatLossDecimals = 2;
  for (auto [name, in] : cases) {
    SCOPED_TRACE(name);
    in.medium = "40", in.ambient = "0", in.product = kConstantProduct;
    forms::Form& w = computed("frmCalc06", in, {"MEDIEHAST=5", "Luftfugtighed=90",
                                                "Indvendig=105.3", "StofK=3.6 Luft, fugtig"});
    const bool pipe = in.height.empty();
    const double shown = number(w, "ISOLERINGST") / 1000;
    // The film on the inside: K·w^0.8 over the inner diameter (4 on a wall) to the power 0.2.
    const double di = 0.1053, alpha = 3.6 * std::pow(5.0, 0.8) / std::pow(pipe ? di : 4.0, 0.2);
    const double uReq = (pipe ? kPi * di : 1.0) * alpha * (kTm - kDew) / (kDew - kTa);
    EXPECT_NEAR(number(w, "VARMETAB"), (kTm - kTa) * uReq, 0.006);
    // The transmittance through a thickness s, its surface coefficient settled at its own
    // surface temperature.
    auto U = [&](double s) {
      const double size = pipe ? 0.1143 + 2 * s : std::stod(in.height) / 1000;
      double u = uReq, ts = kTm;
      for (int i = 0; i < 200; ++i) {
        const double h =
            surfaceCoefficient(pipe, in.outdoors, in.vertical, std::stod(in.wind), size, ts, kTa);
        u = pipe ? 1 / (1 / (kPi * di * alpha) + std::log(size / 0.1143) / (2 * kPi * kLambda) +
                        1 / (kPi * size * h))
                 : 1 / (1 / alpha + s / kLambda + 1 / h);
        ts = kTa + (kTm - kTa) * u / (pipe ? kPi * size * h : h);
      }
      return u;
    };
    // The unrounded thickness lies within half a millimetre of the one shown and meets the
    // required transmittance to 0.1 %.
    EXPECT_GE(U(shown - 0.0005), uReq * 0.999) << shown;
    EXPECT_LE(U(shown + 0.0005), uReq * 1.001) << shown;
    EXPECT_GT(shown, 0.04);
    w.unload();
  }
}

}  // namespace
}  // namespace calctest
