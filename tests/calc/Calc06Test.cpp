// Calculation 6: the window's input check and switches, and the thickness against internal
// condensation checked against the required transmittance worked out independently.

#include "CalcFixture.h"
#include "core/Formula.h"
#include "core/Savings.h"

namespace calctest {
namespace {

using veltaro::fx;

struct Medium {
  std::string velocity = "5", humidity = "80", inner = "105.3 mm", constant = "3.6 Luft, fugtig";
  std::string emission;  // typed over the list's choice when set
};

class Calc06Test : public CalcTest {
 protected:
  forms::Form& filled(const Inputs& in, const Medium& m = {}) {
    forms::Form& w = open("frmCalc06");
    enter(w, in);
    type(w.control("MEDIEHAST"), m.velocity);
    type(w.control("Luftfugtighed"), m.humidity);
    if (in.height.empty()) choose(w.control("Indvendig"), m.inner);
    choose(w.control("StofK"), m.constant);
    return w;
  }
  std::vector<std::string> errorLines() {
    forms::Form* e = app.find("frmErrorInfo");
    if (!e || !e->visible()) return {};
    std::string t = e->control("txtError").text();
    std::vector<std::string> out;
    for (size_t at = 0; (at = t.find("\r\n")) != std::string::npos; t.erase(0, at + 2))
      out.push_back(t.substr(0, at));
    out.push_back(t);
    return out;
  }
};

// Medium at 40 °C with 90 % relative humidity in 0 °C surroundings: the dew point worked by hand
// from the saturation-pressure equation is 38.0254 °C.
constexpr double kTm = 40, kTa = 0, kDew = 38.0254109906046, kLambda = 0.04;
const Calc06Test::Inputs kCold{.medium = "40", .ambient = "0", .product = kConstantProduct};

TEST_F(Calc06Test, ThicknessGivesTheRequiredTransmittance) {
  const struct {
    const char* name;
    Calc06Test::Inputs in;
  } cases[] = {
      {"indoor pipe", kCold},
      {"indoor vertical pipe",
       {.vertical = true, .medium = "40", .ambient = "0", .product = kConstantProduct}},
      {"outdoor pipe",
       {.outdoors = true,
        .wind = "4",
        .medium = "40",
        .ambient = "0",
        .product = kConstantProduct}},
      {"indoor wall",
       {.height = "2000", .medium = "40", .ambient = "0", .product = kConstantProduct}},
      {"outdoor wall",
       {.height = "3000",
        .outdoors = true,
        .wind = "3",
        .medium = "40",
        .ambient = "0",
        .product = kConstantProduct}},
  };
  fx().HeatLossDecimals = 2;
  for (const auto& c : cases) {
    forms::Form& w = filled(c.in, {.humidity = "90"});
    w.control("Beregn").userClick();
    ASSERT_TRUE(fx().ResultValid[6]) << c.name << " " << w.control("ISOLERINGST").text();
    const bool pipe = c.in.height.empty();
    const double shown = number(w, "ISOLERINGST") / 1000;
    const double e = 0.9, v = c.in.outdoors ? std::stod(c.in.wind) : 0;
    // The film on the inside: K·w^0.8 over the inner diameter (4 on a wall) to the power 0.2.
    const double di = 0.1053, alpha = 3.6 * std::pow(5.0, 0.8) / std::pow(pipe ? di : 4.0, 0.2);
    const double uReq = (pipe ? veltaro::kPi * di : 1.0) * alpha * (kTm - kDew) / (kDew - kTa);
    EXPECT_NEAR(number(w, "VARMETAB"), (kTm - kTa) * uReq, 0.006) << c.name;
    // The transmittance through a thickness s, the surface coefficient settled at its own
    // surface temperature.
    auto U = [&](double s) {
      const double size = pipe ? 0.1143 + 2 * s : std::stod(c.in.height) / 1000;
      double u = uReq, ts = kTm;
      for (int i = 0; i < 200; ++i) {
        veltaro::CalcBareHeatLoss(v, e, size, ts, kTa, ts, pipe && !c.in.vertical, !c.in.outdoors,
                                  pipe);
        const double h = fx().SurfaceCoefficient;
        u = pipe ? 1 / (1 / (veltaro::kPi * di * alpha) +
                        std::log(size / 0.1143) / (2 * veltaro::kPi * kLambda) +
                        1 / (veltaro::kPi * size * h))
                 : 1 / (1 / alpha + s / kLambda + 1 / h);
        ts = kTa + (kTm - kTa) * u / (pipe ? veltaro::kPi * size * h : h);
      }
      return u;
    };
    // The unrounded thickness lies within half a millimetre of the one shown and meets the
    // required transmittance to 0.1 %.
    EXPECT_GE(U(shown - 0.0005), uReq * 0.999) << c.name << " " << shown;
    EXPECT_LE(U(shown + 0.0005), uReq * 1.001) << c.name << " " << shown;
    EXPECT_GT(shown, 0.04) << c.name;
    w.unload();
  }
}

TEST_F(Calc06Test, NoInsulationNeededGivesTheBareHeatLoss) {
  // A dry medium whose dew point lies below the air (pipe and wall), and a wall whose required
  // transmittance is above what any thickness lets through.
  const struct {
    const char* name;
    Calc06Test::Inputs in;
    const char* humidity;
  } cases[] = {
      {"pipe, dew point below the air", {.medium = "40", .ambient = "20"}, "30"},
      {"wall, dew point below the air", {.height = "2000", .medium = "40", .ambient = "20"}, "30"},
      {"wall, thin film needs no insulation",
       {.height = "2000", .medium = "40", .ambient = "10"},
       "30"},
  };
  fx().HeatLossDecimals = 1;
  for (const auto& c : cases) {
    forms::Form& w = filled(c.in, {.humidity = c.humidity});
    w.control("Beregn").userClick();
    const bool pipe = c.in.height.empty();
    double ts = 0;
    veltaro::CalcBareHeatLoss(0, 0.9, pipe ? 0.1143 : 2.0, ts, std::stod(c.in.ambient), 40, pipe,
                              true, pipe);
    EXPECT_EQ(w.control("ISOLERINGST").text(), "<= 0 !") << c.name;
    EXPECT_EQ(w.control("OVERFLADE").text(), " 40") << c.name;
    EXPECT_EQ(w.control("VARMETAB").text(),
              veltaro::SignedPointText(veltaro::RoundHalfEven(fx().HeatFlow, 1)))
        << c.name;
    EXPECT_TRUE(fx().ResultValid[6]) << c.name;
    EXPECT_TRUE(platform.callsOf("msgBox").empty()) << c.name;
    w.unload();
  }
}

TEST_F(Calc06Test, NoThicknessAboveAMetreCountsAsAResult) {
  // Nearly saturated: the dew point lies a few hundredths of a degree below the medium.
  for (const char* height : {"", "2000"}) {
    showPipeDistances(true);
    forms::Form& w =
        filled({.height = height, .medium = "40", .ambient = "0"}, {.humidity = "99.9"});
    w.control("Beregn").userClick();
    EXPECT_EQ(w.control("ISOLERINGST").text(), "T65") << height;
    EXPECT_FALSE(fx().ResultValid[6]) << height;
    EXPECT_FALSE(app.isLoaded("frmPipedistance")) << height;
    w.unload();
  }
}

TEST_F(Calc06Test, InputCheckListsEveryFailureWithItsText) {
  forms::Form& w = open("frmCalc06");
  w.control("Beregn").userClick();
  const std::string dashes(88, '-');
  EXPECT_EQ(errorLines(), (std::vector<std::string>{"T139", "T18", dashes, "T1", "T189", "T220",
                                                    "T28", "T29", "T31", " T86 > 0 og < 50 ", "T27",
                                                    "T12", std::string(100, ' ') + "T18"}));
  w.unload();

  const Medium ok;
  const struct {
    const char* name;
    Inputs in;
    Medium m;
    std::vector<std::string> lines;
  } cases[] = {
      {"valid", kCold, ok, {}},
      {"emissivity 1", kCold, {.emission = "1"}, {"T8"}},
      {"humidity 100, velocity 50 pass", kCold, {.velocity = "50", .humidity = "100"}, {}},
      {"velocity above 50", kCold, {.velocity = "50.5"}, {" T86 > 0 og < 50 "}},
      {"humidity above 100", kCold, {.humidity = "100.1"}, {"T27"}},
      {"medium at 0", {.medium = "0", .ambient = "-5"}, ok, {"T220"}},
      {"ambient as warm as the medium", {.medium = "40", .ambient = "40"}, ok, {"T28"}},
      {"inner as large as outer", kCold, {.inner = "114.3"}, {"T87"}},
      {"inner diameter above 5000", kCold, {.inner = "5001"}, {"T30"}},
      {"material constant 0", kCold, {.constant = "0"}, {"T32"}},
      {"wall skips the inner diameter",
       {.height = "2000", .medium = "40", .ambient = "0"},
       {.inner = "Vælg indvendig diameter"},
       {}},
      {"low wall", {.height = "399", .medium = "40", .ambient = "0"}, ok, {"T3"}},
      {"outdoor wind below 1",
       {.outdoors = true, .wind = "0.9", .medium = "40", .ambient = "0"},
       ok,
       {"T11"}},
      {"medium holds no number", {.medium = "-", .ambient = "-5"}, ok, {"T189", "T220"}},
      {"ambient holds no number", {.medium = "40", .ambient = "."}, ok, {"T12"}},
  };
  for (const auto& c : cases) {
    forms::Form& win = open("frmCalc06");
    enter(win, c.in);
    type(win.control("MEDIEHAST"), c.m.velocity);
    type(win.control("Luftfugtighed"), c.m.humidity);
    if (c.in.height.empty()) type(win.control("Indvendig"), c.m.inner);
    choose(win.control("StofK"), "3.6 Luft, fugtig");
    if (c.m.constant != ok.constant) type(win.control("StofK"), c.m.constant);
    if (!c.m.emission.empty()) type(win.control("Emission"), c.m.emission);
    win.control("Beregn").userClick();
    std::vector<std::string> got = errorLines();
    if (!got.empty()) got = std::vector<std::string>(got.begin() + 3, got.end() - 1);
    EXPECT_EQ(got, c.lines) << c.name;
    win.unload();
  }
}

TEST_F(Calc06Test, LoadAndGeometrySwitches) {
  forms::Form& w = open("frmCalc06");
  EXPECT_EQ(w.caption(), "T139");
  EXPECT_EQ(fx().ActiveCalcNumber, 6);
  EXPECT_EQ(w.control("Indvendig").text(), "Vælg indvendig diameter");
  EXPECT_EQ(w.control("StofK").listCount(), 2);
  EXPECT_EQ(fx().VapourPressureConstants[6], 1302.8503);
  EXPECT_EQ(w.control("LblVODFM", 8).text(), "T121");

  choose(w.control("Indvendig"), "105.3 mm");
  w.control("PLAN").userClick();
  EXPECT_TRUE(w.control("LOD").isSet()) << "indoors a wall is vertical";
  EXPECT_FALSE(w.control("VAND").enabled());
  EXPECT_FALSE(w.control("Indvendig").enabled());
  EXPECT_EQ(w.control("Indvendig").text(), "105.3 mm");
  EXPECT_EQ(w.control("PLANH").text(), "1000");
  EXPECT_TRUE(w.control("lblUnit", 10).visible());
  EXPECT_FALSE(w.control("lblUnit", 6).visible());
  w.control("ROR").userClick();
  EXPECT_TRUE(w.control("VAND").enabled());
  EXPECT_TRUE(w.control("Indvendig").enabled());
  EXPECT_TRUE(w.control("RORCOM").hasFocus());
}

}  // namespace
}  // namespace calctest
