// The re-insulation window: its label sets, savings switch, marine layout, pipe-section question
// and input check, and whole runs with their results, messages and pipe distances.

#include <tuple>

#include "MultiLayerFixture.h"
#include "calc/CalcWindow.h"
#include "core/ReferenceData.h"

namespace calctest {

// Seven energy units (the last without a factor); a plaster, a conductivity of 0 and below 0.
class ReinsulationTest : public MultiLayerTest {
 protected:
  ReinsulationTest() {
    writeLines("Text/energy.DK",
               {"kWh", "MWh", "l olie", "Gcal", "m³ gas", "kg olie", "Damp", "Vælg enhed"});
    writeLines("Text/Product.DK",
               {std::string(kPipeProduct) + ";0.033;0.0002;0.000001;-50;250;20;30;40;50;60;80;100;",
                std::string(kMatProduct) + ";0.036;0.00018;0.0000012;-50;600;30;50;80;100;",
                std::string(kConstantProduct) + ";0.04;0;0;-100;300;10;20;50;100;",
                "Torvelin Puds;1;0;0;-100;300;10;", "Torvelin Nul;0;0;0;-50;250;10;",
                "Torvelin Minus;-0.2;0;0;-50;250;10;", kPipeProduct});
  }

  static void click(forms::Control& c) {
    c.userFocus();
    c.userClick();
  }
  static void calculate(forms::Form& w) { click(w.control("Beregn")); }

  // Two layers, where a row gives none a pipe section of 50 mm under 30 mm of the constant
  // product, both painted.
  forms::Form& entered(Stack st) {
    for (auto [rows, first, second] : {std::tuple{&st.products, kPipeProduct, kConstantProduct},
                                       {&st.rows, "50", "30"},
                                       {&st.emissions, "0.9 Maling", "0.9 Maling"}}) {
      rows->resize(2);
      for (int i : {0, 1})
        if ((*rows)[i].empty()) (*rows)[i] = i ? second : first;
    }
    st.window = "frmCalc24";
    return fill(st);
  }
};

namespace {

using veltaro::fx;

// Each geometry (the pipe by way of the plane) with the savings set as a case file sets them, off
// and on again: the length or area row and unit visible (v), enabled (e) or not (-), the length
// box enabled, the visible loss units, the count of energy units.
TEST_F(ReinsulationTest, LabelSetsFollowGeometryAndSavingsAlsoWhenSetFromCode) {
  const char* expected[] = {"-- -- v- v- - vv-- 0", "v- v- -- -- - --vv 0", "-e -e ve ve e vv-- 7",
                            "ve ve -e -e e --vv 7"};
  for (int run = 0; run < 4; ++run) {
    const bool plane = run & 1, on = run & 2;
    forms::Form& w = fill({.window = "frmCalc24", .untouched = true});
    if (on) w.control("cbxSave").setValue(1);
    EXPECT_EQ(w.control("RORL").hasFocus(), on);
    click(w.control("optInSite", 1));  // and back indoors, which greys the wind row but not the
    click(w.control("optInSite", 0));  // existing layer's thickness caption beside its box
    for (auto [n, i] : {std::pair{"VINDHASTIGHED", -1}, {"Lblflere24", 7}, {"Lblflere24", 5}})
      EXPECT_EQ(w.control(n, i).enabled(), n == std::string("Lblflere24") && i == 5) << n << i;
    click(w.control("PLAN"));
    if (!plane) click(w.control("ROR"));
    for (int v : {0, 1})
      if (on) w.control("cbxSave").setValue(v);
    std::string seen;
    for (auto [n, i] :
         {std::pair{"Lblflere24", 0}, {"lblUnit", 13}, {"Lblflere24", 3}, {"lblUnit", 3}})
      seen += std::string(w.control(n, i).visible() ? "v" : "-") +
              (w.control(n, i).enabled() ? "e " : "- ");
    seen += w.control("RORL").enabled() ? "e " : "- ";
    for (int unit : {8, 9, 14, 15}) seen += w.control("lblUnit", unit).visible() ? "v" : "-";
    EXPECT_EQ(seen + " " + std::to_string(w.control("Energienh").listCount()), expected[run])
        << (plane ? "plane" : "pipe") << (on ? " with savings" : "");
  }
}

TEST_F(ReinsulationTest, SavingsSwitchKeepsTheResultsAndMarineHasNoSavings) {
  forms::Form& w = entered({.save = true});
  calculate(w);
  w.control("cbxSave").setValue(0);
  EXPECT_TRUE(fx().ResultValid[10] && !w.control("Bespar").text().empty());
  for (const char* n : {"RORL", "Energienh", "Pris", "Drift", "Bespar"})
    EXPECT_FALSE(w.control(n).enabled()) << n;
  w.control("cbxSave").setValue(1);
  EXPECT_EQ(w.control("Energienh").text(), "Vælg enhed") << "refilled, at its default";

  useMarket("MRN");
  main().setWindowState(forms::kStateMaximized);
  forms::Form& marine = entered({});
  for (auto [n, i] :
       {std::pair{"Besparelses_data", -1}, {"Bespar", -1}, {"Lblflere24", 16}, {"lblUnit", 10}})
    EXPECT_FALSE(marine.control(n, i).visible()) << n;
  EXPECT_EQ(std::pair(marine.left(), marine.top()), std::pair(3270, 1210));
  calculate(marine);
  EXPECT_TRUE(fx().ResultValid[10]);
}

TEST_F(ReinsulationTest, PipeSectionQuestionUsesTheExistingInsulationsOuterDiameter) {
  const std::string mat = std::string("PRODUKT(1)=") + kMatProduct;
  forms::Form& w = fill({.window = "frmCalc24", .untouched = true});
  perform(w, {"RORCOM=114.3", "PRODUKT(0)=" + std::string(kMatProduct)});  // it never asks
  EXPECT_EQ(w.control("ISOLERINGST", 0).listCount(), 4);
  // Answered No; Enter in a product list then moves on to the same layer's thickness.
  perform(w, {"ISOLERINGST(0)~50", "*7T158\r\n\r\n( Ø = 114.3 + 2 x 50 = 214.3 mm )\r\n\r\n60 mm",
              mat, "?PRODUKT(1)@"});
  EXPECT_EQ(w.control("PRODUKT", 1).userKeyDown(forms::key::Return), forms::key::Return);
  // A diameter chosen with the existing thickness empty: "0" goes in, the size is the pipe's;
  // then a size the product is made in, and a plane, ask nothing.
  perform(w, {"?ISOLERINGST(1)@", "ISOLERINGST(0):=", "*6T158\r\n\r\n60 mm", "RORCOM=88.9",
              "?ISOLERINGST(0)=0", "?ISOLERINGST(1)@", "RORCOM=60.3", "PLAN!", mat});
  EXPECT_TRUE(platform.scriptDone());
  EXPECT_EQ(platform.callsOf("msgBox").size(), 2u);
}

// Whole runs, agreeing with calculation 1 on the old layer (before), 21 on both (after) and
// savings worked by hand; each layer runs on its own row's product.
TEST_F(ReinsulationTest, RunsEndWithTheirResultsChecksMessagesAndDistances) {
  fx().HeatLossDecimals = 3;
  fx().TextTable.set(276, "T276");
  fx().TextTable.set(320, " T320");
  // Results are written with a point in any locale; every box is read as the check reads it,
  // whatever the locale: 2.5 m/s and 2 °C, also in the plane's loss after re-insulation.
  auto comma = [](Stack in) {
    in.emissions = {"0.26 Galvaniseret stål"};
    in.steps.insert(in.steps.end(), {"VINDHASTIGHED:=2.5", "Omgivende:=2.0"});
    return in;
  };
  // Every unit reads its price (as a case file leaves it) as the check does: 3.5 either way.
  auto priced = [](const std::string& unit, const std::string& price) {
    return Stack{.save = true, .steps = {"Energienh:=" + unit, "Pris:=" + price}};
  };
  auto layer = [](int i, const char* product, const char* thickness, Stack in) {
    in.products.resize(2);
    in.rows.resize(2);
    std::tie(in.products[i], in.rows[i]) = std::pair(product, thickness);
    return in;
  };
  const Stack plane{.in = {.height = "2000"}},
      horizontal{.in = {.height = "2000"}, .steps = {"VAND:=1"}},
      bright{.emissions = {"0.05 Aluminium blank"}, .save = true};
  const std::vector<std::string> noResult{"0 T64: T66\r\nT67\r\nT68"};
  const std::string dash58(58, '-');
  const struct {
    const char* name;  // "comma" in it: the decimal is ","; starting "SE ": the market is SE
    Stack in;
    std::string ends;  // the check's lines, or [no result] VTU/VT/SkilTemp/OVERFLADE/Bespar
    std::vector<std::string> messages = {};  // style, title: text
  } runs[] = {
      {"pipe, comma", comma({}), "69.252/55.846/66/11/"},
      {"pipe outdoors, comma", comma({.in = {.outdoors = true}}), "77.369/57.888/61/4/"},
      {"vertical pipe, comma", comma({.in = {.vertical = true}}), "69.562/55.899/65/11/"},
      {"plane, comma", comma(plane), "136.22/93.416/83/13/"},
      {"horizontal plane, comma", comma(horizontal), "97.139/93.416/83/13/"},
      {"plane outdoors, comma", comma({.in = {.height = "2000", .outdoors = true}}),
       "134.77/93.793/83/13/"},
      // The first pass of the before-loop lands on its start value 7, which is no result.
      {"first pass on the start value",
       layer(0, kConstantProduct, "60",
             {.in = {.diameter = "26.9", .medium = "70.12067963319248"}}),
       "7.12/6.015/29/21/"},
      {"MWh, comma", priced("MWh", "3.5"), "67.835/50.287/77/27/54"},
      {"l olie, comma", priced("l olie", "3.5"), "67.835/50.287/77/27/5434"},
      {"Gcal, comma", priced("Gcal", "3.5"), "67.835/50.287/77/27/46"},
      {"m³ gas, point", priced("m³ gas", "3,5"), "67.835/50.287/77/27/4869"},
      {"kg olie, comma", priced("kg olie", "3.5"), "67.835/50.287/77/27/4896"},
      {"no factor, comma", priced("Damp", "3.5"), "67.835/50.287/77/27/15372"},
      // The length is rounded to whole metres, halves to even.
      {"99.5 m", {.save = true, .steps = {"RORL:=99.5"}}, "67.835/50.287/77/27/15372"},
      {"100.5 m", {.save = true, .steps = {"RORL:=100.5"}}, "67.835/50.287/77/27/15372"},
      // Both flows negative: the saving is the fall in their size.
      {"cold", {.in = {.medium = "-20"}, .save = true}, "-12.374/-9.351/9/18/2648"},
      // A thin conductive layer that makes a bright old surface matt raises the loss.
      {"worse", layer(1, "Torvelin Puds", "10", bright), "62.04/70.18/32/31/-7131"},
      // A saving beyond the money value's range is said to be so; the heat losses stay.
      {"price beyond money",
       priced("kWh", "99999999999999999"),
       "67.835/50.287/77/27/",
       {"48 T126: T276"}},
      // A conductivity of 0 faults, one below 0 swings until the passes run out: no result.
      {"conductivity 0", layer(0, "Torvelin Nul", "10", {}), "no result //// + none", noResult},
      {"conductivity 0, plane", layer(0, "Torvelin Nul", "10", plane), "no result //// + none",
       noResult},
      {"conductivity below 0",
       layer(0, "Torvelin Minus", "10", {.in = {.diameter = "26.9", .medium = "64"}}),
       "no result //// + none", noResult},
      // Distances from both layers; the half diameter 10.65 is rounded on its own outside SE.
      {"distances", {.steps = {"RORCOM:=100"}}, "61.682/46.24/75/27/ + 180/155"},
      {"small pipe distances", {.in = {.diameter = "21.3"}}, "25.318/21.344/59/25/ + 141/116"},
      {"SE distances", {.steps = {"RORCOM:=100"}}, "61.682/46.24/75/27/ + 230/180/180/100/50"},
      // Only the new layer is checked against its product's limits (the mat asks its question).
      {"new layer too hot",
       {.in = {.medium = "500"}, .products = {kMatProduct, kPipeProduct}},
       "661.98/600.084/300/79/",
       {"64 T74: T71\r\nT72\r\n\r\n\r\nTorvelin Rørskål : -50 °C / 250 °C\r\n\r\nT125  300 °C "
        "\r\nT70  79 °C\r\n"}},
      {"existing layer too hot",
       {.in = {.medium = "500"}, .products = {kPipeProduct, kMatProduct}},
       "621.678/570.916/285/77/",
       {"68 Torvelin Lamelmåtte: Torvelin Lamelmåtte\r\nT158\r\n\r\n( Ø = 114.3 + 2 x 50 = 214.3 "
        "mm )\r\n\r\n60 mm\r\n114 mm\r\n\r\nT159"}},
      // The input check; an indoor horizontal plane is set as only a case file can. With only
      // the savings' inputs wrong, the list starts with their header.
      // Nothing of the layers chosen, with the savings on and none of their inputs given.
      {"nothing chosen",
       {.save = true,
        .steps = {"RORL:=", "Energienh:=Vælg enhed", "Pris:=", "PRODUKT(0):=Vælg produkt",
                  "PRODUKT(1):=Vælg produkt", "ISOLERINGST(0):=", "ISOLERINGST(1):=",
                  "Emission(0):=vælg", "Emission(1):=vælg"}},
       "T49|T50|T52|T54|T55|T57||T126|T20|" + dash58 + "|T5|T15|T16"},
      // A unit that names no entry of the list (as a case file can leave it) is no unit: it is
      // refused, not priced as the first unit.
      {"unit of no entry", priced("Fjernvarme", "3.5"), "|T126|T20|" + dash58 + "|T15"},
      // A temperature below absolute zero is listed before the savings' own header.
      {"medium below absolute zero",
       {.in = {.medium = "-300"}, .save = true, .steps = {"Pris:="}},
       "T101 T320||T126|T20|" + dash58 + "|T16"},
      {"savings of a plane",
       {.in = {.height = "2000"}, .save = true, .steps = {"RORL:=abc", "Drift:=0,0"}},
       "|T126|T20|" + dash58 + "|T4|T17"},
      {"indoor horizontal plane",
       {.in = {.height = "1"}, .steps = {"VAND:=1"}},
       "124.048/86.003/90/25/"},
      {"outdoor horizontal plane",
       {.in = {.height = "399", .outdoors = true}, .steps = {"VAND:=1"}},
       "T3"},
      // Typed and left, a height of 16 digits is still that height.
      {"plane 10^15 mm", {.in = {.height = "2000"}, .steps = {"PLANH~1000000000000000"}}, "T3"},
      {"no wind", {.in = {.outdoors = true}, .steps = {"VINDHASTIGHED:=0.5"}}, "T11"},
      {"999 mm", layer(0, kPipeProduct, "999", {}), "15.976/15.87/22/20/"},
      {"1000 mm", layer(0, kPipeProduct, "1000", {}), "T51"},
      {"new layer 0 mm", layer(1, kConstantProduct, "0", {}), "T56"},
      {"emissivity 1", {.steps = {"Emission(0):=1"}}, "T53"},
      {"new emissivity 0", {.steps = {"Emission(1):=0"}}, "T58"},
      {"new emissivity 0.99", {.steps = {"Emission(1):=0.99"}}, "67.835/50.418/76/27/"},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.name);
    platform.calls.clear();
    const std::string_view name = r.name;
    platform.decimal = name.find("comma") != name.npos ? "," : ".";
    useMarket(name.starts_with("SE ") ? "SE" : "DK");
    // With the menu item on, a run ends with " + " and what the distance window shows.
    const bool menu = r.ends.find(" + ") != std::string::npos;
    showPipeDistances(menu);
    for (const auto& m : r.messages)
      platform.expectMsgBox(m.find("T158") != m.npos ? forms::mb::IdYes : forms::mb::IdOk);
    forms::Form& w = entered(r.in);
    for (int i : {0, 1}) veltaro::SelectLayerProduct(1, i);  // as another window leaves them
    calculate(w);
    std::string ends = checkLines(w);
    if (ends.empty())
      ends = (fx().ResultValid[10] ? "" : "no result ") +
             boxes(w, {"VTU", "VT", "SkilTemp", "OVERFLADE", "Bespar"});
    forms::Form *dk = app.find("frmPipedistance"), *se = app.find("frmPipedistanceSE");
    if (menu)
      ends += " + " + (dk   ? boxes(*dk, {"Distwall", "nextpipe"})
                       : se ? boxes(*se, {"DistwallSE", "DistroofSE", "nextpipeSE", "AMA"})
                            : "none");
    EXPECT_EQ(ends, r.ends);
    EXPECT_EQ(messages(), r.messages);
  }
}

// In a comma market too, a box reads as the check reads it: a point and a comma give one
// result, also when Calculate comes from the toolbar or the menu with the focus still in the
// box, which has then not been rewritten in the locale.
TEST_F(ReinsulationTest, PointAndCommaGiveOneResultWhereverCalculateComesFrom) {
  auto priced = [](const std::string& unit) {
    return Stack{.save = true, .steps = {"Energienh:=" + unit}};
  };
  const struct {
    const char* box;
    Stack in;
    const char *comma, *point;
  } cases[] = {
      {"VINDHASTIGHED", {.in = {.outdoors = true}}, "3,5", "3.5"},
      {"VINDHASTIGHED", {.in = {.height = "2000", .outdoors = true}}, "7,5", "7.5"},
      {"Omgivende", {.in = {.height = "2000"}}, "20,5", "20.5"},
      {"Omgivende", {.in = {.height = "2000", .vertical = true}}, "-5,5", "-5.5"},
      {"Pris", priced("Gcal"), "0,5", "0.5"},
      {"Pris", priced("m³ gas"), ",5", ".5"},
      {"Pris", priced("kg olie"), "1,25", "1.25"},
  };
  platform.decimal = ",";
  for (const std::string market : {"DK", "LT"}) {
    useMarket(market);
    // The Baltic code page has no "ø" or "å": products each market can spell.
    folder_.writeLines("Text/Product." + market,
                       {"Torvelin Skal;0.033;0.0002;0.000001;-50;250;20;30;40;50;60;80;100;",
                        "Torvelin Plade;0.04;0;0;-100;300;10;20;50;100;", "Torvelin Skal"},
                       market == "LT" ? 1257 : 1252);
    const std::vector<std::string> units{"kWh",    "MWh",     "l olie", "Gcal",
                                         "m³ gas", "kg olie", "Damp",   "Vælg enhed"};
    folder_.writeLines("Text/energy." + market, units, market == "LT" ? 1257 : 1252);
    for (const auto& c : cases) {
      std::string results[2];
      for (int point : {0, 1}) {
        const std::string text = point ? c.point : c.comma;
        SCOPED_TRACE(market + " " + c.box + " " + text);
        Stack in = c.in;
        in.products = {"Torvelin Skal", "Torvelin Plade"};
        forms::Form& w = entered(in);
        type(w.control(c.box), text);
        dynamic_cast<veltaro::CalcWindow&>(w).Beregn_Click();  // as the toolbar and menu do
        EXPECT_TRUE(w.control(c.box).hasFocus());
        EXPECT_EQ(w.control(c.box).text(), text);
        EXPECT_TRUE(fx().ResultValid[10]) << checkLines(w);
        results[point] = boxes(w, {"VTU", "VT", "SkilTemp", "OVERFLADE", "Bespar"});
      }
      EXPECT_EQ(results[1], results[0]) << market << " " << c.box << " " << c.point;
    }
  }
}

}  // namespace
}  // namespace calctest
