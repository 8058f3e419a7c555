// Calculation 24 against the other calculations and hand-worked figures: "before" is
// calculation 1's heat loss of the existing layer alone, "after" the layer stack's heat loss of
// both layers, the saving is priced by the energy unit's position, and the pipe distances, the
// product warning and the failure paths.

#include "ReinsulationFixture.h"
#include "calc/LayerStack.h"
#include "core/Formula.h"
#include "core/ReferenceData.h"
#include "core/Savings.h"

namespace calctest {
namespace {

using veltaro::fx;

// horizontal: an indoor plane set horizontal from a case file (the window forces vertical).
struct Geometry {
  const char* name;
  std::string height;
  bool outdoors, vertical, horizontal;
};
const Geometry kGeometries[] = {{"pipe indoors"},
                                {"pipe outdoors", "", true},
                                {"pipe vertical", "", false, true},
                                {"plane indoors", "2000"},
                                {"plane indoors horizontal", "2000", false, false, true},
                                {"plane outdoors horizontal", "2000", true}};

TEST_F(ReinsulationTest, BeforeIsCalculationOneAndAfterIsTheLayerStack) {
  fx().HeatLossDecimals = 3;
  platform.decimal = ",";  // results are written with a point whatever the locale
  for (const Geometry& g : kGeometries) {
    SCOPED_TRACE(g.name);
    const bool plane = !g.height.empty();
    Inputs24 in{.height = g.height, .outdoors = g.outdoors, .vertical = g.vertical};
    in.emission[0] = "0.26 Galvaniseret stål";
    forms::Form& w = reopen24();
    enter24(w, in);
    if (g.horizontal) w.control("VAND").setValue(1);
    calculate(w);
    ASSERT_TRUE(fx().ResultValid[10]);
    const double before = number(w, "VTU"), after = number(w, "VT");
    EXPECT_NE(w.control("VT").text().find('.'), std::string::npos);
    EXPECT_LT(after, before);
    EXPECT_GT(number(w, "SkilTemp"), number(w, "OVERFLADE"));

    // The stack of both layers, as calculation 21 solves it; indoors the new surface of a plane
    // gives off heat as a wall, whatever the orientation.
    veltaro::SelectLayerProduct(0, 0);
    veltaro::SelectLayerProduct(2, 1);
    veltaro::StackGeometry stack{.pipe = !plane,
                                 .diameter = plane ? 0 : 0.1143,
                                 .height = plane ? 2.0 : 0,
                                 .indoors = !g.outdoors,
                                 .vertical = g.vertical || (plane && !g.outdoors),
                                 .wind = 5,
                                 .emissivity = 0.9};
    veltaro::LayerStack both(stack, 2, {0.05, 0.03}, 150, 20);
    ASSERT_EQ(both.solveHeatFlow(), veltaro::StackEnd::Converged);
    EXPECT_EQ(after, veltaro::RoundHalfEven(fx().HeatFlow, 3));
    EXPECT_EQ(number(w, "SkilTemp"), veltaro::RoundHalfEven(fx().LayerTemperatures[1]));
    EXPECT_EQ(number(w, "OVERFLADE"), veltaro::RoundHalfEven(fx().LayerTemperatures[2]));

    // Calculation 1 with the existing layer alone.
    forms::Form& w1 = open("frmCalc01");
    enter(w1, Inputs{.height = g.height,
                     .outdoors = g.outdoors,
                     .vertical = g.vertical,
                     .emission = "0.26 Galvaniseret stål"});
    type(w1.control("ISOLERINGST"), "50");
    if (g.horizontal) w1.control("VAND").setValue(1);
    click(w1.control("Beregn"));
    ASSERT_TRUE(fx().ResultValid[1]);
    EXPECT_NEAR(number(w1, "VT"), before, before * (plane ? 1e-2 : 2e-4));
    w1.unload();
  }
}

// A first pass of the before-loop that lands on the start value 7 is no converged result.
TEST_F(ReinsulationTest, BeforeLoopLandingOnTheStartValueMakesASecondPass) {
  fx().HeatLossDecimals = 3;
  // The first pass's heat flow per degree: surface at ambient + 0.0001, constant conductivity.
  veltaro::FX& s = fx();
  const double D = 0.0269, De = D + 2 * 0.06, ta = 20;
  double ts = ta + 0.0001;
  veltaro::ConvectionHorizontalPipe(De, ts, ta);
  veltaro::RadiationCoefficient(ts, ta, De, D, De, 0.9);
  s.SurfaceCoefficient = s.ConvectiveCoefficient + s.RadiativeCoefficient;
  s.Lambda = 0.04;
  veltaro::PipeHeatFlow(ta + 1, ta, De, D);
  const double medium = ta + 7.0 / s.HeatFlow;

  forms::Form& w = open24();
  Inputs24 in{.diameter = "26.9", .medium = veltaro::RoundTripText(medium)};
  in.product[0] = kConstantProduct;
  in.thickness[0] = "60";
  enter24(w, in);
  calculate(w);
  ASSERT_TRUE(fx().ResultValid[10]);
  EXPECT_NE(w.control("SkilTemp").text(), "");
  forms::Form& w1 = open("frmCalc01");
  enter(w1, Inputs{.diameter = "26.9", .medium = in.medium, .product = kConstantProduct});
  type(w1.control("ISOLERINGST"), "60");
  click(w1.control("Beregn"));
  EXPECT_NEAR(number(w, "VTU"), number(w1, "VT"), 0.002);
  EXPECT_GT(number(w, "VTU"), 7.01);
}

TEST_F(ReinsulationTest, SavingPerEnergyUnitPosition) {
  fx().HeatLossDecimals = 10;  // the losses as good as unrounded
  const double factor[] = {1, 0.001, 0.101, 0.00086, 0.0905, 0.091};
  forms::Form& w = open24();
  enter24(w, {});
  click(w.control("cbxSave"));
  type(w.control("RORL"), "100");
  type(w.control("Pris"), "3");
  for (int unit = 0; unit < 7; ++unit) {
    w.control("Energienh").setListIndex(unit);
    calculate(w);
    ASSERT_TRUE(fx().ResultValid[10]);
    const double kwh = (number(w, "VTU") - number(w, "VT")) * 100 * 8.76;
    const double expected = unit < 6 ? kwh * factor[unit] * 3 : kwh;  // no factor: kWh
    EXPECT_NEAR(number(w, "Bespar"), std::round(expected), 1) << w.control("Energienh").text();
  }
}

TEST_F(ReinsulationTest, EnergyPricedByUnitPositionHandWorked) {
  using veltaro::Money;
  const Money kwh = Money::FromWhole(1000), price = Money::FromWhole(2);
  // Positions 1-6 convert 1000 kWh at 2 per unit; any other position leaves the kWh.
  const struct {
    int unit;
    double money;
  } cases[] = {{1, 2000}, {2, 2}, {3, 202}, {4, 1.72}, {5, 181}, {6, 182}, {0, 1000}, {7, 1000}};
  for (const auto& c : cases)
    EXPECT_EQ(veltaro::PriceSavedEnergy(kwh, price, c.unit), Money::FromDouble(c.money)) << c.unit;
  EXPECT_EQ(veltaro::PriceSavedEnergy(Money::FromWhole(-1000), price, 5), Money::FromWhole(-181));
}

// A thin conductive layer with a bright old surface made matt raises the loss: no saving.
TEST_F(ReinsulationTest, NewLayerThatRaisesTheLossSavesANegativeAmount) {
  writeLines("Text/Product.DK", {std::string(kPipeProduct) + ";0.033;0.0002;0.000001;-50;250;50;",
                                 "Torvelin Puds;1;0;0;-100;300;10;", kPipeProduct});
  forms::Form& w = open24();
  Inputs24 in;
  in.product[1] = "Torvelin Puds";
  in.thickness[1] = "10";
  in.emission[0] = "0.05 Aluminium blank";
  enter24(w, in);
  click(w.control("cbxSave"));
  type(w.control("RORL"), "10");
  choose(w.control("Energienh"), "kWh");
  type(w.control("Pris"), "1");
  calculate(w);
  ASSERT_TRUE(fx().ResultValid[10]);
  EXPECT_GT(number(w, "VT"), number(w, "VTU"));
  EXPECT_LT(number(w, "Bespar"), 0);
}

// The shared layer coefficients are also written by the other multi-layer windows' product
// lists: a run takes each layer's product from its own row.
TEST_F(ReinsulationTest, ProductsChosenOnAnotherWindowDoNotLeakIn) {
  forms::Form& w = open24();
  enter24(w, {});
  calculate(w);
  const std::string shown = w.control("VT").text() + "/" + w.control("VTU").text();
  veltaro::SelectLayerProduct(1, 0);  // the mat, chosen in another window's rows
  veltaro::SelectLayerProduct(1, 1);
  calculate(w);
  EXPECT_EQ(w.control("VT").text() + "/" + w.control("VTU").text(), shown);
}

TEST_F(ReinsulationTest, FloatingPointFaultEndsAsNonConvergence) {
  writeLines("Text/Product.DK", {std::string(kPipeProduct) + ";0.033;0;0;-50;250;50;",
                                 "Torvelin Nul;0;0;0;-50;250;50;", kPipeProduct});
  for (const char* height : {"", "2000"}) {
    forms::Form& w = reopen24();
    Inputs24 in{.height = height};
    in.product[0] = "Torvelin Nul";  // conductivity 0 at every temperature
    in.product[1] = kPipeProduct;
    enter24(w, in);
    platform.expectMsgBox(forms::mb::IdOk, "T66\r\nT67\r\nT68");
    calculate(w);
    EXPECT_TRUE(platform.scriptDone()) << height;
    EXPECT_EQ(platform.calls.back().title, "T64");
    EXPECT_FALSE(fx().ResultValid[10]);
    for (const char* n : {"SkilTemp", "OVERFLADE", "VT", "VTU"}) EXPECT_EQ(w.control(n).text(), "");
  }
}

// A conductivity below zero (a broken product line) keeps the old surface swinging between two
// heat flows until the passes run out: no result, whatever the new layer would give.
TEST_F(ReinsulationTest, ExhaustedBeforeLoopIsNoResult) {
  writeLines("Text/Product.DK", {std::string(kPipeProduct) + ";0.033;0;0;-50;250;30;",
                                 "Torvelin Minus;-0.2;0;0;-50;250;10;", kPipeProduct});
  forms::Form& w = open24();
  Inputs24 in{.diameter = "26.9", .medium = "64"};
  in.product[0] = "Torvelin Minus";
  in.thickness[0] = "10";
  in.product[1] = kPipeProduct;
  enter24(w, in);
  platform.expectMsgBox(forms::mb::IdOk, "T66\r\nT67\r\nT68");
  calculate(w);
  EXPECT_TRUE(platform.scriptDone());
  EXPECT_FALSE(fx().ResultValid[10]);
  EXPECT_EQ(w.control("VTU").text(), "");
}

TEST_F(ReinsulationTest, PipeDistancesFromBothLayersAndTheHalfDiameter) {
  const struct {
    const char* market;
    const char* diameter;
    std::vector<std::string> shown;
  } cases[] = {
      {"DK", "100", {"180", "155"}},
      {"DK", "21.3", {"141", "116"}},  // the half diameter 10.65 is rounded on its own
      {"SE", "100", {"230", "180", "180", "100", "50"}},
  };
  for (const auto& c : cases) {
    useMarket(c.market);
    showPipeDistances(true);
    forms::Form& w = reopen24();
    Inputs24 in;
    in.thickness[1] = "30";
    enter24(w, in);
    type(w.control("RORCOM"), c.diameter);
    calculate(w);
    ASSERT_TRUE(fx().ResultValid[10]) << c.market << c.diameter;
    std::vector<std::string> shown;
    if (std::string(c.market) == "SE") {
      forms::Form& d = app.get("frmPipedistanceSE");
      for (auto [n, i] : {std::pair{"DistwallSE", -1},
                          {"DistroofSE", -1},
                          {"nextpipeSE", -1},
                          {"AMA", 0},
                          {"AMA", 1}})
        shown.push_back(d.control(n, i).text());
    } else {
      forms::Form& d = app.get("frmPipedistance");
      shown = {d.control("Distwall").text(), d.control("nextpipe").text()};
    }
    EXPECT_EQ(shown, c.shown) << c.market << " " << c.diameter;
  }
  // Without the menu item the wall distance stays 0; the total thickness is no distance.
  showPipeDistances(false);
  useMarket("DK");
  forms::Form& w = reopen24();
  enter24(w, {});
  calculate(w);
  EXPECT_TRUE(fx().ResultValid[10]);
  EXPECT_EQ(fx().PipeDistWall[10], 0);
  EXPECT_FALSE(app.isLoaded("frmPipedistance"));
}

TEST_F(ReinsulationTest, OnlyTheNewLayersProductIsCheckedAgainstItsLimits) {
  // Hot medium: the new pipe section (up to 250 °C) sits on a thin mat.
  forms::Form& w = open24();
  Inputs24 in{.medium = "500"};
  in.product[0] = kMatProduct;
  in.thickness[0] = "30";
  in.product[1] = kPipeProduct;
  enter24(w, in);
  platform.expectMsgBox(forms::mb::IdOk);
  calculate(w);
  ASSERT_TRUE(platform.scriptDone());
  ASSERT_TRUE(fx().ResultValid[10]);
  const auto& box = platform.calls.back();
  EXPECT_EQ(box.title, "T74");
  EXPECT_EQ(box.style, forms::mb::Information);
  EXPECT_EQ(box.text, "T71\r\nT72\r\n\r\n\r\n" + std::string(kPipeProduct) +
                          " : -50 °C / 250 °C\r\n\r\nT125  " + w.control("SkilTemp").text() +
                          " °C \r\nT70  " + w.control("OVERFLADE").text() + " °C\r\n");

  // The existing layer beyond its limit asks nothing.
  forms::Form& again = reopen24();
  in.product[0] = kPipeProduct;
  in.product[1] = kMatProduct;
  in.thickness[0] = "50";
  in.thickness[1] = "50";
  platform.expectMsgBox(forms::mb::IdYes, "T158");  // the mat as a pipe section
  enter24(again, in);
  const size_t before = platform.callsOf("msgBox").size();
  calculate(again);
  EXPECT_TRUE(fx().ResultValid[10]);
  EXPECT_EQ(platform.callsOf("msgBox").size(), before);
}

}  // namespace
}  // namespace calctest
