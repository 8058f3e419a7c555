// Calculation 7: air and flue gas along a duct. The end temperature checked against the heat
// loss calculation 1 gives for the same duct, the thickness and start-temperature searches
// turned back through the end temperature, the failed searches, the type switch and the input
// check.

#include "CalcFixture.h"
#include "calc/InputCheck.h"
#include "core/Savings.h"

namespace calctest {
namespace {

using veltaro::fx;

struct Duct {
  int type = 2;
  bool plane = false;  // only a case file can choose one
  std::string diameter = "219.1";
  bool outdoors = false;
  std::string wind = "5";
  std::string medium = kAir;
  std::string flow = "0.3";
  int16_t unit = 0;  // kg/s, l/h, l/s, m³/h, m/s
  std::string length = "30";
  std::string start = "60", end = "40", thickness = "50", ambient = "20";
  std::string product = kConstantProduct, emission = "0.9 Maling";
};

class Calc07Test : public CalcTest {
 protected:
  forms::Form& filled(const Duct& d) {
    forms::Form& w = open("frmCalc07");
    w.control("optCalcType", d.type).userClick();
    type(w.control("RORCOM"), d.diameter);
    if (d.outdoors) {
      w.control("UDE").userClick();
      type(w.control("VINDHASTIGHED"), d.wind);
    }
    choose(w.control("MEDIE"), d.medium);
    type(w.control("MEDIESTR"), d.flow);
    choose(w.control("STRHAST"), w.control("STRHAST").item(d.unit));
    type(w.control("txtLength"), d.length);
    if (d.type != 1) type(w.control("txtStarTemp"), d.start);
    if (d.type != 2) type(w.control("txtSluTemp"), d.end);
    choose(w.control("PRODUKT"), d.product);
    if (d.type != 0) type(w.control("ISOLERINGST"), d.thickness);
    type(w.control("Omgivende"), d.ambient);
    choose(w.control("Emission"), d.emission);
    if (d.plane) w.control("PLAN").setValue(1);
    return w;
  }
  // Runs the calculation; returns the result box of the type.
  std::string run(const Duct& d) {
    forms::Form& w = filled(d);
    w.control("Beregn").userClick();
    const char* box[] = {"txtIsoTyk", "txtStaTemp", "txtSlTemp"};
    std::string r = w.control(box[d.type]).text();
    valid = fx().ResultValid[11];
    w.unload();
    return r;
  }
  bool valid = false;  // of the last run
  double endTemperature(Duct d, const std::string& start, const std::string& thickness) {
    d.type = 2;
    d.start = start;
    d.thickness = thickness;
    return veltaro::ParseNumber(run(d));
  }
};

TEST_F(Calc07Test, EndTemperatureFollowsTheHeatLossOfCalculation1) {
  // Every flow unit, air and flue gas, indoors and outdoors, cooling and warming.
  const Duct cases[] = {
      {},
      {.flow = "900000", .unit = 1},
      {.medium = kFlueGas, .flow = "250", .unit = 2, .start = "180"},
      {.outdoors = true, .wind = "4", .flow = "1200", .unit = 3, .ambient = "-5"},
      {.medium = kFlueGas, .flow = "4", .unit = 4, .length = "12", .start = "250"},
      {.flow = "2.5", .unit = 4, .start = "5", .thickness = "20", .ambient = "25"},
  };
  fx().HeatLossDecimals = 4;
  showPipeDistances(true);
  for (const Duct& d : cases) {
    forms::Form& c1 = open("frmCalc01");
    enter(c1, {.diameter = d.diameter, .outdoors = d.outdoors, .wind = d.wind, .medium = d.start,
               .ambient = d.ambient, .product = d.product});
    perform(c1, {"ISOLERINGST~" + d.thickness, "Beregn!"});
    const double loss = number(c1, "VT");
    c1.unload();

    forms::Form& w = filled(d);
    w.control("Beregn").userClick();
    ASSERT_TRUE(fx().ResultValid[11]) << d.unit;
    const double S = std::stod(d.start), A = std::stod(d.ambient), D = std::stod(d.diameter) / 1000;
    const bool flue = d.medium == kFlueGas;
    const double mass = veltaro::GasMassFlow(S, flue, d.unit, std::stod(d.flow), D);
    const double cp = veltaro::GasSpecificHeat(S, flue);
    const double expected =
        A + (S - A) * std::exp(-std::stod(d.length) * loss / (S - A) / (mass * cp * 1000));
    EXPECT_NEAR(number(w, "txtSlTemp"), expected, 0.0501) << d.unit << " " << d.start;
    EXPECT_GT(std::abs(S - expected), 0.5) << "the duct changes the gas temperature";
    // Pipe distances from the given thickness: 219 mm / 2 + thickness + 50 (or 25).
    EXPECT_EQ(fx().PipeDistWall[11], veltaro::ToInt16(109.5 + std::stod(d.thickness) + 50));
    EXPECT_EQ(fx().PipeDistNext[11], veltaro::ToInt16(109.5 + std::stod(d.thickness) + 25));
    w.unload();
  }
}

TEST_F(Calc07Test, ThicknessAndStartTemperatureTurnBackThroughTheEndTemperature) {
  // Hot air, flue gas outdoors, cold air warming, and air arriving at and leaving at 0 °C.
  const Duct cases[] = {
      {.start = "60", .end = "57"},
      {.outdoors = true, .medium = kFlueGas, .flow = "0.5", .start = "200", .end = "190",
       .ambient = "0"},
      {.flow = "0.2", .start = "5", .end = "7", .ambient = "25"},
      {.flow = "0.2", .start = "3", .end = "0", .ambient = "-15"},
      {.flow = "0.2", .start = "0", .end = "-2", .ambient = "-15"},
  };
  for (Duct d : cases) {
    const double required = std::stod(d.end);
    // Type 0: within its 0.3 %, once the thickness is rounded to whole millimetres: between
    // the ends of the neighbouring millimetres.
    d.type = 0;
    const std::string thickness = run(d);
    ASSERT_TRUE(veltaro::InputCheck::holdsNumber(thickness)) << d.end << " " << thickness;
    const double t = std::stod(thickness), tol = 0.003 * std::abs(required) + 0.05;
    const double thinner = endTemperature(d, d.start, std::to_string(t - 1));
    const double thicker = endTemperature(d, d.start, std::to_string(t + 1));
    EXPECT_LE(std::min(thinner, thicker) - tol, required) << d.end << " " << t;
    EXPECT_GE(std::max(thinner, thicker) + tol, required) << d.end << " " << t;

    // Type 1 on that thickness: the start temperature found gives back the end temperature.
    d.type = 1;
    d.thickness = thickness;
    const std::string start = run(d);
    ASSERT_TRUE(veltaro::InputCheck::holdsNumber(start) && valid) << d.end;
    EXPECT_NEAR(endTemperature(d, start, thickness), required, 0.1) << d.end << " " << start;
  }
}

}  // namespace
}  // namespace calctest
