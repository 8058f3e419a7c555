// Calculation 7: air and flue gas along a duct. The end temperature checked against the heat
// loss calculation 1 gives for the same duct, the thickness and start-temperature searches
// turned back through the end temperature.

#include "CalcFixture.h"
#include "calc/InputCheck.h"
#include "core/Savings.h"

namespace calctest {
namespace {

using veltaro::fx;

class Calc07Test : public CalcTest {
 protected:
  // 0.3 kg/s of air at 60 °C through 30 m of a 219.1 mm duct under 50 mm in 20 °C air, then
  // `steps`; calculated, the window left open.
  forms::Form& calculated(const std::vector<std::string>& steps) {
    forms::Form& w = open("frmCalc07");
    perform(w, cat({validSteps("frmCalc07"), {"STRHAST=kg/s", "MEDIESTR:=0.3"}, steps, {"Beregn!"}}));
    return w;
  }
  // The result box of a run; `valid` tells whether it stands.
  std::string run(const std::vector<std::string>& steps, const char* box) {
    forms::Form& w = calculated(steps);
    const std::string r = w.control(box).text();
    valid = fx().ResultValid[11];
    w.unload();
    return r;
  }
  bool valid = false;
  double endTemperature(const std::vector<std::string>& duct, const std::string& thickness) {
    return veltaro::ParseNumber(
        run(cat({duct, {"optCalcType(2)!", "ISOLERINGST:=" + thickness}}), "txtSlTemp"));
  }
};

TEST_F(Calc07Test, EndTemperatureFollowsTheHeatLossOfCalculation1) {
  // Every flow unit, air and flue gas, indoors and outdoors, cooling and warming.
  const std::string flue = "MEDIE=" + std::string(kFlueGas);
  const std::vector<std::string> cases[] = {
      {},
      {"STRHAST=l/h", "MEDIESTR:=900000"},
      {flue, "STRHAST=l/s", "MEDIESTR:=250", "txtStarTemp:=180"},
      {"UDE!", "VINDHASTIGHED:=4", "STRHAST=m³/h", "MEDIESTR:=1200", "Omgivende:=-5"},
      {flue, "STRHAST=m/s", "MEDIESTR:=4", "txtLength:=12", "txtStarTemp:=250"},
      {"STRHAST=m/s", "MEDIESTR:=2.5", "txtStarTemp:=5", "ISOLERINGST:=20", "Omgivende:=25"},
  };
  fx().HeatLossDecimals = 4;
  showPipeDistances(true);
  for (const auto& steps : cases) {
    SCOPED_TRACE(steps.empty() ? "air" : steps.back());
    forms::Form& w = calculated(steps);
    ASSERT_TRUE(fx().ResultValid[11]);
    const double S = number(w, "txtStarTemp"), A = number(w, "Omgivende"),
                 mm = number(w, "ISOLERINGST");
    const bool gas = w.control("MEDIE").text() == kFlueGas;
    const double mass = veltaro::GasMassFlow(S, gas, w.control("STRHAST").listIndex(),
                                             number(w, "MEDIESTR"), 0.2191);
    const double cp = veltaro::GasSpecificHeat(S, gas), end = number(w, "txtSlTemp");
    // Pipe distances from the given thickness: 219 mm / 2 + thickness + 50 (or 25).
    EXPECT_EQ(fx().PipeDistWall[11], veltaro::ToInt16(109.5 + mm + 50));
    EXPECT_EQ(fx().PipeDistNext[11], veltaro::ToInt16(109.5 + mm + 25));
    const double length = number(w, "txtLength");
    const CalcTest::Inputs in{.diameter = "219.1", .outdoors = w.control("UDE").isSet(),
                              .wind = "4", .medium = w.control("txtStarTemp").text(),
                              .ambient = w.control("Omgivende").text(),
                              .product = kConstantProduct};
    w.unload();

    const double loss = calc1(in, veltaro::PointText(mm)).first;
    const double expected = A + (S - A) * std::exp(-length * loss / (S - A) / (mass * cp * 1000));
    EXPECT_NEAR(end, expected, 0.0501);
    EXPECT_GT(std::abs(S - expected), 0.5) << "the duct changes the gas temperature";
  }
}

TEST_F(Calc07Test, ThicknessAndStartTemperatureTurnBackThroughTheEndTemperature) {
  // Hot air, flue gas outdoors, cold air warming, and air arriving at and leaving at 0 °C:
  // the duct's steps and the end temperature required.
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, "57"},
      {{"UDE!", "VINDHASTIGHED:=5", "MEDIE=" + std::string(kFlueGas), "MEDIESTR:=0.5",
        "txtStarTemp:=200", "Omgivende:=0"}, "190"},
      {{"MEDIESTR:=0.2", "txtStarTemp:=5", "Omgivende:=25"}, "7"},
      {{"MEDIESTR:=0.2", "txtStarTemp:=3", "Omgivende:=-15"}, "0"},
      {{"MEDIESTR:=0.2", "txtStarTemp:=0", "Omgivende:=-15"}, "-2"},
  };
  for (const auto& [duct, end] : cases) {
    SCOPED_TRACE(end);
    const double required = std::stod(end);
    // Type 0: within its 0.3 %, once the thickness is rounded to whole millimetres: between
    // the ends of the neighbouring millimetres.
    const std::string thickness =
        run(cat({duct, {"optCalcType(0)!", "txtSluTemp=" + end}}), "txtIsoTyk");
    ASSERT_TRUE(veltaro::InputCheck::holdsNumber(thickness)) << thickness;
    const double t = std::stod(thickness), tol = 0.003 * std::abs(required) + 0.05;
    const double thinner = endTemperature(duct, std::to_string(t - 1));
    const double thicker = endTemperature(duct, std::to_string(t + 1));
    EXPECT_LE(std::min(thinner, thicker) - tol, required) << t;
    EXPECT_GE(std::max(thinner, thicker) + tol, required) << t;

    // Type 1 on that thickness: the start temperature found gives back the end temperature.
    const std::string start = run(
        cat({duct, {"optCalcType(1)!", "txtSluTemp=" + end, "ISOLERINGST:=" + thickness}}),
        "txtStaTemp");
    ASSERT_TRUE(veltaro::InputCheck::holdsNumber(start) && valid);
    EXPECT_NEAR(endTemperature(cat({duct, {"txtStarTemp:=" + start}}), thickness), required, 0.1) << start;
  }
}

}  // namespace
}  // namespace calctest
