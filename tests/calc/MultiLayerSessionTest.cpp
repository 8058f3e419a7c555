// Windows 21, 22 and 23: the layer rows, whole runs, the keys of their boxes (and window 24's).

#include "MultiLayerFixture.h"
#include "calc/CalcWindow.h"
#include "core/ReferenceData.h"

namespace calctest {
namespace {

using veltaro::fx;
using Stack = MultiLayerTest::Stack;
using Lines = std::vector<std::string>;

int visibleCount(forms::Form& w, const char* name) {
  int n = 0;
  for (int i = 0; i <= 5; ++i) n += w.findControl(name, i) && w.control(name, i).visible();
  return n;
}

// A stack of window 22 (the requirement is the surface) or 23 (the heat loss).
Stack required(const char* window, const char* medium, const char* count, Lines interfaces,
               const char* requirement, MultiLayerTest::Inputs in = {}) {
  in.medium = medium;
  Stack st{.window = window, .in = in, .count = count, .rows = std::move(interfaces)};
  (std::string(window) == "frmCalc22" ? st.surface : st.loss) = requirement;
  return st;
}
Stack with(Stack st, Lines products, Lines steps = {}) {
  st.products = std::move(products);
  st.steps = std::move(steps);
  return st;
}

TEST_F(MultiLayerTest, LayerCountRuleShowsTwoToSixRowsAndCalculateTakesThem) {
  using Case = std::tuple<const char*, const char*, int>;  // typed, shown, rows shown
  const Case cases[] = {
      {"", "2", 2},    {"0", "2", 2},   {"1.9", "2", 2}, {"1.5", "2", 2}, {"6.6", "6", 6},
      {"-3", "2", 2},  {"abc", "2", 2}, {"2", "2", 2},   {"6", "6", 6},   {"6.4", "6", 6},
      {"7", "6", 6},   {"9x", "6", 6},  {"1e1", "6", 6}, {"3x", "3x", 3}, {"3.7", "4", 4},
      {"3.5", "3", 3}, {"2.5", "3", 3}, {"3,5", "3", 3}, {"5", "5", 5},
  };
  for (const char* window : {"frmCalc21", "frmCalc22", "frmCalc23"}) {
    forms::Form& w = open(window);
    ASSERT_EQ(visibleCount(w, "PRODUKT"), 2) << window;
    for (auto [typed, shown, rows] : cases) {
      SCOPED_TRACE(std::string(window) + " typed '" + typed + "'");
      choose(w.control("PRODUKT", 0), kMatProduct);
      setCount(w, typed);
      EXPECT_EQ(w.control("AntalLag").text(), shown);
      EXPECT_EQ(visibleCount(w, "PRODUKT"), rows);
      EXPECT_EQ(visibleCount(w, "ISOLERINGST"), rows);
      EXPECT_EQ(visibleCount(w, "Skilleflade"), rows - 1);
      for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(w.control("lblUnit", i + 5).visible(), w.control("Skilleflade", i).visible());
      EXPECT_EQ(w.control("PRODUKT", 0).text(), kPipeProduct);  // the default product again
    }
  }
  // A count calculated while its box keeps the focus: the rule's rows come up first (with the
  // default product), and the check names what is missing in them.
  forms::Form& w = fill({.rows = {"40", "60"}});
  for (auto [shown, typed] : {std::pair{"2", "3"}, {"4", "3.5"}, {"4", "3,5"}}) {
    SCOPED_TRACE(std::string(shown) + " rows, typed " + typed);
    w.control("MEDIETEMP").userFocus();  // the count box keeps the focus from the last round
    setCount(w, shown);
    ASSERT_EQ(visibleCount(w, "PRODUKT"), std::stoi(shown));
    type(w.control("AntalLag"), typed);
    dynamic_cast<veltaro::CalcWindow&>(w).Beregn_Click();
    EXPECT_EQ(w.control("AntalLag").text(), "3");
    EXPECT_EQ(visibleCount(w, "PRODUKT"), 3);
    EXPECT_EQ(checkLines(w), "T34 3|T35 3");
  }
}

// Whole runs, each ending with its failed check's lines (window 22 writes no dashes) or with the
// boxes the window writes: 21 loss, surface, faces; 22 loss, thicknesses; 23 surface, thicknesses.
TEST_F(MultiLayerTest, RunsEndWithTheirResultsChecksMessagesAndDistances) {
  fx().HeatLossDecimals = 1;
  fx().TextTable.set(320, " T320");
  const char *w22 = "frmCalc22", *w23 = "frmCalc23";
  const Inputs wall{.height = "2000"},
      windy{.diameter = "219.1", .outdoors = true, .wind = "3", .ambient = "0"},
      cold{.diameter = "88.9", .ambient = "22"}, small{.diameter = "21.3", .medium = "70"};
  auto thick = [](const char* medium, const char* count, Lines rows, Inputs in = {}) {
    in.medium = medium;
    return Stack{.in = in, .count = count, .rows = std::move(rows)};
  };
  const Lines hot{"200", "160", "120", "80", "40"};
  std::string degrees;
  while (degrees.size() < 80) degrees += "°";  // forty of them
  // The product's range, the offending layer's faces, then a blank line unless it is the last.
  auto limit = [&](const std::string& range, const std::string& faces) {
    const char* end = faces.find("T70") == std::string::npos ? "\r\n\r\n" : "";
    return "64 T74: T71\r\nT72\r\n\r\n\r\n" + range + "\r\n\r\n" + faces + "\r\n" + degrees + end;
  };
  const std::string pipe = std::string(kPipeProduct) + " : -50 °C / 250 °C";
  const Lines noResult{"0 T64: T66\r\nT67\r\nT68"};
  const struct {
    const char* name;
    Stack stack;
    std::string ends;
    Lines messages = {};  // style title: text
  } runs[] = {
      // 23 given 22's heat loss finds 22's thicknesses.
      {"22 pipe", required(w22, "150", "2", {"100"}, "30"), "63.2/25/34"},
      {"23 pipe", required(w23, "150", "2", {"100"}, "63.2"), "30/25/34"},
      {"22 outdoors", required(w22, "240", "6", hot, "8", windy), "262.7/14/13/11/9/7/5"},
      {"23 outdoors", required(w23, "240", "6", hot, "262.7", windy), "8/14/13/11/9/7/5"},
      {"22 cold", required(w22, "-40", "3", {"-25", "0"}, "19", cold), "-14.3/9/21/25"},
      {"23 cold", required(w23, "-40", "3", {"-25", "0"}, "-14.3", cold), "19/9/21/25"},
      {"22 wall", required(w22, "240", "3", {"200", "100"}, "35", wall), "147.6/34/58/22"},
      {"23 wall", required(w23, "240", "3", {"200", "100"}, "147.6", wall), "35/34/58/22"},
      // Input checks.
      {"21 nothing entered", {.untouched = true}, "T1|T2|T189|T6|T34 1|T35 1|T34 2|T35 2|T12"},
      {"21 row 2 of 3 empty",
       with({.count = "3", .rows = {"30", "", "40"}}, {},
            {"PRODUKT(1):=Vælg produkt", "Emission:=1"}),
       "T8|T33 2|T34 2|T35 2"},
      {"21 1000 mm, nonsense hidden", with({.rows = {"1000", "999"}}, {}, {"ISOLERINGST(4):=-7"}),
       "T35 1"},
      {"22 surface", required(w22, "200", "3", {"150", "100"}, "120"), "T38 2T37 3T40"},
      {"22 two layers", required(w22, "200", "2", {"100"}, "120"), "T38 1T37 2T40"},
      {"22 surface at the air", required(w22, "200", "2", {"100"}, "20"), "T41|T46"},
      // An interface beyond range leaves out only the order of the interfaces.
      {"22 interface beyond range", required(w22, "200", "2", {std::string(400, '9')}, "20"),
       "T125 1: the number is too large to calculate with|T41|T46"},
      {"22 cold", required(w22, "-20", "3", {"-30", "0"}, "25"), "T42 1T37 2|T45"},
      {"22 cold order", required(w22, "-20", "4", {"-10", "-15", "5"}, "4"),
       "T38 1T37 2T43 2T37 3|T38 3T37 4T44"},
      {"22 nothing required", required(w22, "200", "2", {}, ""), "T38 1T37 2T40|T41|T188"},
      {"22 low wall without wind",
       with(required(w22, "150", "2", {"100"}, "40",
                     {.height = "300", .outdoors = true, .wind = "0.5"}),
            {}, {"Emission:=1"}),
       "T3|T8|T11"},
      {"23 surface", required(w23, "200", "4", {"150", "100", "15"}, "40"), "T38 3T37 4T47"},
      {"23 cold", required(w23, "-20", "3", {"-30", "25"}, "-10"), "T42 1T37 2|T38 2T37 3T48"},
      {"23 loss against the drop", required(w23, "-20", "2", {"0"}, "5"), "T22"},
      {"23 nothing entered", {.window = w23, .untouched = true}, "T1|T189|T6|T22|T12"},
      // Below absolute zero, after the other tests; the rows a layer count hides are passed over.
      {"21 medium below absolute zero", thick("-300", "2", {"40", "60"}), "T101 T320"},
      {"22 first interface below absolute zero",
       with(required(w22, "-300", "4", {"-274", "-200", "-1000"}, "-100"), {}, {"AntalLag~3"}),
       "T101 T320|T125 1 T320"},
      {"23 air below absolute zero", required(w23, "150", "2", {"100"}, "40", {.ambient = "-280"}),
       "T104 T320"},
      {"23 no emission",
       with(required(w23, "150", "2", {"150"}, "40"), {}, {"Emission:=Vælg emission"}),
       "T7|T36 1T37 2"},
      // No result: an exponent without a finite value says so; a thickness out of range shows its
      // marker (below 0 to reach a surface above the air, metres half a degree above it).
      {"23 exponent", required(w23, "200", "2", {"100"}, "0.01", small), "no result //", noResult},
      {"23 below 0", required(w23, "200", "2", {"19"}, "40"), "no result //< 0 !"},
      {"22 metres", required(w22, "200", "2", {"100"}, "20.5", wall), "no result /T65/0"},
      // A face outside a product's range names the product and the layer's two faces.
      {"21 first layer too hot",
       with(thick("300", "2", {"40", "60"}), {kPipeProduct, kMatProduct}),
       "165.2/38/205",
       {limit(pipe, "T69 300 °C \r\n1. T125 205 °C")}},
      {"22 middle layer too hot",
       with(required(w22, "500", "3", {"350", "100"}, "40"),
            {kMatProduct, kConstantProduct, kMatProduct}),
       "271.3/122/47/18",
       {limit("Torvelin Konstant : -100 °C / 300 °C", "1. T125 350 °C \r\n2. T125 100 °C")}},
      {"23 last layer too cold",
       with(required(w23, "-80", "2", {"-60"}, "-15"), {kConstantProduct, kPipeProduct}),
       "18/23/129",
       {limit(pipe, "1. T125 -60 °C \r\nT70 18 °C")}},
      // Half the diameter (21 exact, 22 and 23 rounded) + the thicknesses + 50 mm, next pipe
      // + 25 mm; without the menu item nothing is kept for later.
      {"21 distances", thick("70", "2", {"30", "50"}, small), "6.3/22/42 + 140 116 140"},
      {"22 distances", required(w22, "70", "2", {"50"}, "30", small), "14.8/5/7 + 73 48 73"},
      {"23 distances", required(w23, "70", "2", {"50"}, "10", small), "25/9/18 + 88 63 88"},
  };
  const std::vector<const char*> results[] = {
      {"VT", "OVERFLADE", "Skilleflade"}, {"VT", "ISOLERINGST"}, {"OVERFLADE", "ISOLERINGST"}};
  for (const auto& r : runs) {
    SCOPED_TRACE(r.name);
    platform.calls.clear();
    // With the menu item on, a run ends with " + ", the distances kept and the wall distance shown.
    const bool distances = r.ends.find(" + ") != std::string::npos;
    showPipeDistances(distances);
    for (size_t i = 0; i < r.messages.size(); ++i) platform.expectMsgBox(forms::mb::IdOk);
    forms::Form& w = fill(r.stack);
    for (int i = 0; i < 6; ++i) veltaro::SelectLayerProduct(1, i);  // as another window leaves them
    w.control("Beregn").userClick();
    const int k = r.stack.window[8] - '0' + 6;  // 21: 7, 22: 8, 23: 9
    EXPECT_EQ(fx().ActiveCalcNumber, k + 14);
    std::string ends = checkLines(w, w.name() != w22);
    if (ends.empty()) ends = (fx().ResultValid[k] ? "" : "no result ") + boxes(w, results[k - 7]);
    forms::Form* d = app.find("frmPipedistance");
    const std::string kept = std::to_string(fx().PipeDistWall[k]) + " " +
                             std::to_string(fx().PipeDistNext[k]) +
                             (d ? " " + d->control("Distwall").text() : "");
    EXPECT_EQ(ends + (distances ? " + " + kept : ""), r.ends);
    EXPECT_TRUE(distances || kept == "0 0") << kept;  // nothing kept or shown without the item
    type(w.control("MEDIETEMP"), "80");  // any change of an input empties every result box
    EXPECT_EQ(boxes(w, results[k - 7]).find_first_not_of('/'), std::string::npos);
    EXPECT_EQ(w.mousePointer(), forms::kPointerDefault);
    EXPECT_EQ(messages(), r.messages);
  }
}

// Keys typed into a box, and on window 24 what it shows once left (a list keeps what was typed).
// The lists' key filters are checked with every calculation window's lists.
TEST_F(MultiLayerTest, KeysThatReachTheBoxes) {
  using Case = std::tuple<const char*, const char*, int, const char*, const char*, const char*>;
  for (auto [window, name, index, keys, text, left] :
       {Case{"frmCalc21", "MEDIETEMP", -1, "--1a2.5,3", "--12.53", nullptr},
        {"frmCalc22", "Skilleflade", 0, "-1-0", "-1-0", nullptr},
        {"frmCalc23", "VT", -1, "1-.5.", "1-.5", nullptr},
        {"frmCalc21", "PLANH", -1, "-10-00", "1000", nullptr},
        {"frmCalc23", "PLANH", -1, "1-0-00", "1-000", nullptr},
        {"frmCalc22", "VINDHASTIGHED", -1, "-5,5", "5,5", nullptr},
        {"frmCalc24", "MEDIETEMP", -1, "--5", "--5", "0"},
        {"frmCalc24", "Omgivende", -1, "5-", "5-", "5"},
        {"frmCalc24", "VINDHASTIGHED", -1, "-1,5.", "1,5", "1.5"},
        {"frmCalc24", "Drift", -1, "4.5,0", "4.50", "4.5"},
        {"frmCalc24", "Pris", -1, "0012", "0012", "12"},
        {"frmCalc24", "ISOLERINGST", 0, "-5,0.", "5,0", "5,0"}}) {
    SCOPED_TRACE(std::string(window) + " " + name);
    forms::Form& w = open(window);
    for (auto [option, i] : {std::pair{"PLAN", -1}, {"UDE", -1}, {"optInSite", 1}, {"cbxSave", -1}})
      if (forms::Control* c = w.findControl(option, i)) c->userClick();
    forms::Control& box = w.control(name, index);
    type(box, keys);
    EXPECT_EQ(box.text(), text);
    w.control("Beregn").userFocus();
    if (left) {
      EXPECT_EQ(box.text(), left);
    }
    w.unload();
  }
}

}  // namespace
}  // namespace calctest
