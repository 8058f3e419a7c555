// Scripted users of the multi-layer windows 21, 22 and 23: the layer rows, the results checked
// against physics and against each other, the input checks with their exact texts, the
// warnings, the pipe distances and the faults a user could once run into.

#include "MultiLayerFixture.h"

namespace calctest {
namespace {

using veltaro::fx;

const std::string kEnd = std::string(100, ' ') + "T18", kDashes(88, '-');

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}

int visibleCount(forms::Form& w, const char* name) {
  int n = 0;
  for (int i = 0; i <= 5; ++i)
    if (w.findControl(name, i) && w.control(name, i).visible()) ++n;
  return n;
}

TEST_F(MultiLayerTest, LayerCountRuleShowsTwoToSixRowsAndResetsTheirProducts) {
  const struct {
    const char* typed;
    const char* shown;
    int rows;
  } cases[] = {
      {"", "2", 2},    {"0", "2", 2},   {"1.9", "2", 2}, {"1.5", "2", 2}, {"6.6", "6", 6},
      {"-3", "2", 2},  {"abc", "2", 2}, {"2", "2", 2},   {"6", "6", 6},   {"6.4", "6", 6},
      {"7", "6", 6},   {"9x", "6", 6},  {"1e1", "6", 6}, {"3x", "3x", 3}, {"3.7", "4", 4},
      {"3.5", "3", 3}, {"2.5", "3", 3}, {"3,5", "3", 3}, {"5", "5", 5},
  };
  for (const char* window : {"frmCalc21", "frmCalc22", "frmCalc23"}) {
    forms::Form& w = open(window);
    ASSERT_EQ(visibleCount(w, "PRODUKT"), 2) << window;
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(window) + " typed '" + c.typed + "'");
      choose(w.control("PRODUKT", 0), kMatProduct);
      setCount(w, c.typed);
      EXPECT_EQ(w.control("AntalLag").text(), c.shown);
      EXPECT_EQ(visibleCount(w, "PRODUKT"), c.rows);
      EXPECT_EQ(visibleCount(w, "ISOLERINGST"), c.rows);
      EXPECT_EQ(visibleCount(w, "Skilleflade"), c.rows - 1);
      for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(w.control("lblUnit", i + 5).visible(), w.control("Skilleflade", i).visible());
      EXPECT_EQ(w.control("PRODUKT", 0).text(), kPipeProduct);  // the default product again
    }
  }
  // Typed requirements stay when their row is hidden and shown again.
  forms::Form& w = open("frmCalc22");
  setCount(w, "4");
  type(w.control("Skilleflade", 2), "55");
  setCount(w, "2");
  setCount(w, "4");
  EXPECT_EQ(w.control("Skilleflade", 2).text(), "55");
}

struct Case {
  const char* name;
  MultiLayerTest::Stack stack;
};

const Case kStacks21[] = {
    {"2 layers, hot pipe",
     {.in = {.product = ""}, .products = {kPipeProduct, kMatProduct}, .rows = {"30", "50"}}},
    {"6 layers, hot pipe outdoors",
     {.in = {.diameter = "219.1",
             .outdoors = true,
             .wind = "4",
             .medium = "240",
             .ambient = "-5",
             .product = ""},
      .count = "6",
      .products = {kPipeProduct, kMatProduct, kConstantProduct, kPipeProduct, kMatProduct,
                   kPipeProduct},
      .rows = {"30", "50", "20", "40", "30", "50"}}},
    {"3 layers, cold vertical pipe",
     {.in = {.diameter = "60.3", .vertical = true, .medium = "-30", .ambient = "25", .product = ""},
      .count = "3",
      .rows = {"20", "20", "30"}}},
    {"2 layers, hot wall",
     {.in = {.height = "2000", .medium = "300", .product = ""},
      .products = {kMatProduct, kConstantProduct},
      .rows = {"50", "50"}}},
    {"6 layers, cold wall outdoors",
     {.in = {.height = "3000",
             .outdoors = true,
             .wind = "3",
             .medium = "-40",
             .ambient = "15",
             .product = ""},
      .count = "6",
      .rows = {"10", "20", "30", "10", "20", "30"}}},
};

// Calculation 21: the faces fall (or rise, for a cold medium) from the medium to the surface and
// the air; the heat loss shown is the heat flow the stack carries.
TEST_F(MultiLayerTest, Calculation21ShowsFacesInOrderAndTheStacksHeatFlow) {
  fx().HeatLossDecimals = 2;
  for (const Case& c : kStacks21) {
    SCOPED_TRACE(c.name);
    forms::Form& w = calculate(c.stack);
    ASSERT_TRUE(fx().ResultValid[7]) << errorList();
    const int n = std::stoi(c.stack.count);
    const double tm = std::stod(c.stack.in.medium), ta = std::stod(c.stack.in.ambient);
    double previous = tm;
    for (int i = 0; i < n - 1; ++i) {
      const double face = number(w, "Skilleflade", i);
      EXPECT_GT((previous - face) * (tm - ta), 0) << i;
      previous = face;
    }
    const double surface = number(w, "OVERFLADE");
    EXPECT_GE((previous - surface) * (tm - ta), 0);
    EXPECT_GE((surface - ta) * (tm - ta), 0);
    EXPECT_DOUBLE_EQ(number(w, "VT"), veltaro::RoundHalfEven(fx().HeatFlow, 2));
    EXPECT_GT(fx().HeatFlow * (tm - ta), 0);
    EXPECT_EQ(w.control("Skilleflade", n - 1 < 5 ? n - 1 : 4).text().empty(), n < 6);
    w.unload();
  }
}

// Calculation 22's thicknesses typed into calculation 21 give back the required faces, and 23's
// give back the required heat loss.
TEST_F(MultiLayerTest, ThicknessesOf22And23AreTurnedBackBy21) {
  fx().HeatLossDecimals = 1;
  const struct {
    const char* name;
    Inputs in;
    std::string count;
    std::vector<std::string> faces;  // interfaces, then the surface
  } cases[] = {
      {"2 layers, pipe", {.product = ""}, "2", {"100", "30"}},
      {"4 layers, pipe outdoors",
       {.diameter = "219.1",
        .outdoors = true,
        .wind = "3",
        .medium = "240",
        .ambient = "0",
        .product = ""},
       "4",
       {"200", "140", "80", "8"}},
      {"3 layers, cold pipe",
       {.diameter = "88.9", .medium = "-40", .ambient = "22", .product = ""},
       "3",
       {"-25", "0", "19"}},
      {"3 layers, wall",
       {.height = "2000", .medium = "240", .product = ""},
       "3",
       {"200", "100", "35"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int n = std::stoi(c.count);
    std::vector<std::string> interfaces(c.faces.begin(), c.faces.end() - 1);
    forms::Form& w22 = calculate({.window = "frmCalc22",
                                  .in = c.in,
                                  .count = c.count,
                                  .rows = interfaces,
                                  .surface = c.faces.back()});
    ASSERT_TRUE(fx().ResultValid[8]) << errorList();
    std::vector<std::string> thickness;
    for (int i = 0; i < n; ++i) thickness.push_back(w22.control("ISOLERINGST", i).text());
    const std::string loss = w22.control("VT").text();
    w22.unload();

    forms::Form& w21 = calculate({.in = c.in, .count = c.count, .rows = thickness});
    ASSERT_TRUE(fx().ResultValid[7]) << errorList();
    // Whole millimetres move each face a little; a thin layer moves it most.
    for (int i = 0; i < n - 1; ++i)
      EXPECT_NEAR(number(w21, "Skilleflade", i), std::stod(c.faces[i]), 3.0) << i;
    EXPECT_NEAR(number(w21, "OVERFLADE"), std::stod(c.faces.back()), 1.0);
    EXPECT_NEAR(number(w21, "VT"), std::stod(loss), 0.04 * std::abs(std::stod(loss)));
    w21.unload();

    forms::Form& w23 = calculate(
        {.window = "frmCalc23", .in = c.in, .count = c.count, .rows = interfaces, .loss = loss});
    ASSERT_TRUE(fx().ResultValid[9]) << errorList();
    thickness.clear();
    for (int i = 0; i < n; ++i) thickness.push_back(w23.control("ISOLERINGST", i).text());
    const double surface = number(w23, "OVERFLADE");
    w23.unload();
    forms::Form& back = calculate({.in = c.in, .count = c.count, .rows = thickness});
    EXPECT_NEAR(number(back, "VT"), std::stod(loss), 0.04 * std::abs(std::stod(loss)));
    EXPECT_NEAR(number(back, "OVERFLADE"), surface, 2.0);
    back.unload();
  }
}

TEST_F(MultiLayerTest, InputChecksListEveryFailureWithTheExactText) {
  const Stack valid21{.rows = {"30", "50"}};
  const struct {
    const char* name;
    Stack stack;
    std::function<void(forms::Form&)> tweak;
    std::vector<std::string> lines;  // empty: the check passes
  } cases[] = {
      {"21 valid", valid21, nullptr, {}},
      {"21 untouched",
       {.untouched = true},
       nullptr,
       {"T140", "T19", kDashes, "T1", "T2", "T189", "T6", "T34 1", "T35 1", "T34 2", "T35 2",
        "T12"}},
      {"21 row 2 of 3 without product and thickness, emissivity 1",
       {.count = "3", .rows = {"30", "", "40"}},
       [](forms::Form& w) {
         w.control("PRODUKT", 1).setText("Vælg produkt");
         w.control("Emission").setText("1");
       },
       {"T140", "T19", kDashes, "T8", "T33 2", "T34 2", "T35 2"}},
      {"21 thickness 1000 and a hidden row's nonsense",
       {.rows = {"1000", "999"}},
       [](forms::Form& w) { w.control("ISOLERINGST", 4).setText("-7"); },
       {"T140", "T19", kDashes, "T35 1"}},
      {"22 hot, interfaces rising",
       {.window = "frmCalc22",
        .in = {.medium = "200", .product = ""},
        .count = "3",
        .rows = {"150", "160"},
        .surface = "40"},
       nullptr,
       {"T141", "T19", "T38 1 T37 2 T39 2 T37 3"}},
      {"22 hot, last interface below the surface",
       {.window = "frmCalc22",
        .in = {.medium = "200", .product = ""},
        .count = "3",
        .rows = {"150", "100"},
        .surface = "120"},
       nullptr,
       {"T141", "T19", "T38 2T37 3T40"}},
      {"22 two layers, surface beyond the interface",
       {.window = "frmCalc22",
        .in = {.medium = "200", .product = ""},
        .rows = {"100"},
        .surface = "120"},
       nullptr,
       {"T141", "T19", "T38 1T37 2T40"}},
      {"22 hot, surface at the air",
       {.window = "frmCalc22",
        .in = {.medium = "200", .product = ""},
        .rows = {"100"},
        .surface = "20"},
       nullptr,
       {"T141", "T19", "T41", "T46"}},
      {"22 cold, surface beyond the air",
       {.window = "frmCalc22",
        .in = {.medium = "-20", .product = ""},
        .count = "3",
        .rows = {"-30", "0"},
        .surface = "25"},
       nullptr,
       {"T141", "T19", "T42 1T37 2", "T45"}},
      {"22 cold, interfaces falling",
       {.window = "frmCalc22",
        .in = {.medium = "-20", .product = ""},
        .count = "4",
        .rows = {"-10", "-15", "5"},
        .surface = "4"},
       nullptr,
       {"T141", "T19", "T38 1T37 2T43 2T37 3", "T38 3T37 4T44"}},
      {"22 untouched requirements",
       {.window = "frmCalc22", .in = {.medium = "200", .product = ""}},
       nullptr,
       {"T141", "T19", "T38 1T37 2T40", "T41", "T188"}},
      {"23 hot, interfaces rising",
       {.window = "frmCalc23",
        .in = {.medium = "200", .product = ""},
        .count = "3",
        .rows = {"150", "160"},
        .loss = "40"},
       nullptr,
       {"T142", "T19", kDashes, "T38 1T37 2T39 2T37 3"}},
      {"23 hot, last interface below the air",
       {.window = "frmCalc23",
        .in = {.medium = "200", .product = ""},
        .count = "4",
        .rows = {"150", "100", "15"},
        .loss = "40"},
       nullptr,
       {"T142", "T19", kDashes, "T38 3T37 4T47"}},
      {"23 cold, interface below the medium",
       {.window = "frmCalc23",
        .in = {.medium = "-20", .product = ""},
        .count = "3",
        .rows = {"-30", "25"},
        .loss = "-10"},
       nullptr,
       {"T142", "T19", kDashes, "T42 1T37 2", "T38 2T37 3T48"}},
      {"23 no heat loss",
       {.window = "frmCalc23", .rows = {"100"}},
       nullptr,
       {"T142", "T19", kDashes, "T22"}},
      {"23 heat loss against the drop",
       {.window = "frmCalc23", .in = {.medium = "-20", .product = ""}, .rows = {"0"}, .loss = "5"},
       nullptr,
       {"T142", "T19", kDashes, "T22"}},
      {"23 untouched",
       {.window = "frmCalc23", .untouched = true},
       nullptr,
       {"T142", "T19", kDashes, "T1", "T189", "T6", "T22", "T12"}},
      {"23 first interface at the medium, no emissivity",
       {.window = "frmCalc23", .rows = {"150"}, .loss = "40"},
       [](forms::Form& w) { w.control("Emission").setText("Vælg emission"); },
       {"T142", "T19", kDashes, "T7", "T36 1T37 2"}},
      {"22 low outdoor wall, no wind, emissivity 1",
       {.window = "frmCalc22",
        .in = {.height = "300", .outdoors = true, .wind = "0.5", .product = ""},
        .rows = {"100"},
        .surface = "40"},
       [](forms::Form& w) { w.control("Emission").setText("1"); },
       {"T141", "T19", "T3", "T8", "T11"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    forms::Form& w = fill(c.stack);
    if (c.tweak) c.tweak(w);
    w.control("Beregn").userClick();
    std::vector<std::string> lines = c.lines;
    if (!lines.empty()) lines.push_back(kEnd);
    EXPECT_EQ(errorList(), joined(lines));
    EXPECT_EQ(w.mousePointer(), forms::kPointerDefault);
    w.unload();
  }
}

TEST_F(MultiLayerTest, SearchesWithoutAResultClearAndSayWhy) {
  const std::string noResult = "T66\r\nT67\r\nT68";
  const struct {
    const char* name;
    Stack stack;
    std::vector<std::string> thickness;  // what the boxes show after the run
    bool message;
  } cases[] = {
      // A heat loss so small that the first pipe layer's exponent has no finite value.
      {"23 exponent",
       {.window = "frmCalc23",
        .in = {.diameter = "21.3", .medium = "200", .product = ""},
        .rows = {"100"},
        .loss = "0.01"},
       {"", ""},
       true},
      // The outer layer must fall from 19 °C to a surface above the 20 °C air: a few mm below 0.
      {"23 negative outer layer",
       {.window = "frmCalc23",
        .in = {.medium = "200", .product = ""},
        .rows = {"19"},
        .loss = "40"},
       {"", "< 0 !"},
       false},
      // A surface requirement half a degree above the air needs metres of insulation.
      {"22 thicker than 1000 mm",
       {.window = "frmCalc22",
        .in = {.height = "2000", .medium = "200", .product = ""},
        .rows = {"100"},
        .surface = "20.5"},
       {"T65", "0"},
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    platform.calls.clear();
    if (c.message) platform.expectMsgBox(1, "T66");
    forms::Form& w = calculate(c.stack);
    EXPECT_EQ(errorList(), "");
    EXPECT_FALSE(fx().ResultValid[w.name() == "frmCalc22" ? 8 : 9]);
    for (size_t i = 0; i < c.thickness.size(); ++i)
      EXPECT_EQ(w.control("ISOLERINGST", static_cast<int>(i)).text(), c.thickness[i]) << i;
    EXPECT_EQ(w.control(w.name() == "frmCalc22" ? "VT" : "OVERFLADE").text(), "");
    const auto boxes = platform.callsOf("msgBox");
    ASSERT_EQ(boxes.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(boxes[0].text, noResult);
      EXPECT_EQ(boxes[0].title, "T64");
    }
    w.unload();
  }
}

// A face outside a product's range names the product and the layer's two faces as shown.
TEST_F(MultiLayerTest, ProductLimitWarningNamesEachOffendingLayer) {
  std::string degrees;
  for (int i = 0; i < 40; ++i) degrees += "°";
  const struct {
    const char* name;
    Stack stack;
    int layer;  // the one that offends
    const char* product;
    const char* limits;
  } cases[] = {
      {"first of two",
       {.in = {.medium = "300", .product = ""},
        .products = {kPipeProduct, kMatProduct},
        .rows = {"40", "60"}},
       0,
       kPipeProduct,
       " : -50 °C / 250 °C"},
      {"middle of three",
       {.window = "frmCalc22",
        .in = {.medium = "500", .product = ""},
        .count = "3",
        .products = {kMatProduct, kConstantProduct, kMatProduct},
        .rows = {"350", "100"},
        .surface = "40"},
       1,
       kConstantProduct,
       " : -100 °C / 300 °C"},
      {"last of two, cold",
       {.window = "frmCalc23",
        .in = {.medium = "-80", .product = ""},
        .products = {kConstantProduct, kPipeProduct},
        .rows = {"-60"},
        .loss = "-15"},
       1,
       kPipeProduct,
       " : -50 °C / 250 °C"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    platform.calls.clear();
    platform.expectMsgBox(1, "T71");
    forms::Form& w = calculate(c.stack);
    ASSERT_EQ(errorList(), "");
    const int n = std::stoi(c.stack.count), i = c.layer;
    auto face = [&](int k) { return veltaro::PointText(number(w, "Skilleflade", k)); };
    std::string block = std::string(c.product) + c.limits + "\r\n\r\n";
    block += i == 0 ? "T69 " + c.stack.in.medium + " °C \r\n"
                    : std::to_string(i) + ". T125 " + face(i - 1) + " °C \r\n";
    block += i == n - 1
                 ? "T70 " + w.control("OVERFLADE").text() + " °C\r\n" + degrees
                 : std::to_string(i + 1) + ". T125 " + face(i) + " °C\r\n" + degrees + "\r\n\r\n";
    const auto boxes = platform.callsOf("msgBox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "T71\r\nT72\r\n\r\n\r\n" + block);
    EXPECT_EQ(boxes[0].title, "T74");
    EXPECT_EQ(boxes[0].style, forms::mb::Information);
    w.unload();
  }
}

// Wall distance: half the diameter + the total thickness + 50 mm, next pipe + 25 mm. Window 21
// halves the whole diameter, 22 and 23 round the half diameter first (21.3 mm: 10.5 and 11).
TEST_F(MultiLayerTest, PipeDistancesFromTheTotalThickness) {
  const Inputs pipe{.diameter = "21.3", .medium = "70", .product = ""};
  for (const char* window : {"frmCalc21", "frmCalc22", "frmCalc23"}) {
    SCOPED_TRACE(window);
    const std::string name = window;
    const int k = name == "frmCalc21" ? 7 : name == "frmCalc22" ? 8 : 9;
    const Stack st{.window = window,
                   .in = pipe,
                   .rows = name == "frmCalc21" ? std::vector<std::string>{"30", "50"}
                                               : std::vector<std::string>{"50"},
                   .surface = "30",
                   .loss = "10"};
    // Without the menu item nothing is kept: no total thickness waits there for later.
    showPipeDistances(false);
    forms::Form& w = calculate(st);
    ASSERT_TRUE(fx().ResultValid[k]) << errorList();
    EXPECT_EQ(fx().PipeDistWall[k], 0);
    EXPECT_EQ(app.find("frmPipedistance"), nullptr);

    showPipeDistances(true);
    w.control("Beregn").userClick();
    const double total = number(w, "ISOLERINGST", 0) + number(w, "ISOLERINGST", 1);
    const double centre = name == "frmCalc21" ? total + 10.5 : total + 11;
    EXPECT_EQ(fx().PipeDistWall[k], veltaro::RoundHalfEven(centre + 50));
    EXPECT_EQ(fx().PipeDistNext[k], veltaro::RoundHalfEven(centre + 25));
    forms::Form* distances = app.find("frmPipedistance");
    ASSERT_NE(distances, nullptr);
    EXPECT_EQ(distances->control("Distwall").text(), std::to_string(fx().PipeDistWall[k]));
    w.unload();
  }
}

// Faults a user could once run into.
TEST_F(MultiLayerTest, EachRowCalculatesWithItsOwnProductAndTheRowsShown) {
  const Stack st{.products = {kConstantProduct, kMatProduct}, .rows = {"40", "60"}};
  forms::Form& w = calculate(st);
  const std::string loss = w.control("VT").text();
  // Another window chooses another product for its first layer.
  forms::Form& other = open("frmCalc22");
  choose(other.control("PRODUKT", 0), kPipeProduct);
  w.control("Beregn").userClick();
  EXPECT_EQ(w.control("VT").text(), loss);

  // A count typed and calculated from the main window while the box keeps the focus: the rows
  // of that count come up first (with the default product), and the check names what is
  // missing in them.
  type(w.control("AntalLag"), "3");
  dynamic_cast<veltaro::CalcWindow&>(w).Beregn_Click();
  EXPECT_EQ(visibleCount(w, "PRODUKT"), 3);
  EXPECT_EQ(errorList(), joined({"T140", "T19", kDashes, "T34 3", "T35 3", kEnd}));
}

TEST_F(MultiLayerTest, WindowsDifferOnlyWhereTheirDesignsDo) {
  const struct {
    const char* window;
    int number, top, height, width;
    const char* hint;
    const char* lossFrame;
    bool thicknessList;
    std::vector<std::pair<const char*, int>> results;  // the boxes the window writes
  } cases[] = {
      {"frmCalc21",
       21,
       50,
       5900,
       10430,
       "Max. 6 ",
       "Flerelag",
       true,
       {{"VT", -1}, {"OVERFLADE", -1}, {"Skilleflade", 0}, {"Skilleflade", 4}}},
      {"frmCalc22",
       22,
       400,
       5905,
       10430,
       "Max. 6 !",
       "Flerelag",
       false,
       {{"VT", -1}, {"ISOLERINGST", 0}, {"ISOLERINGST", 5}}},
      {"frmCalc23",
       23,
       750,
       5850,
       10410,
       "Max. 6",
       "Inddata",
       false,
       {{"OVERFLADE", -1}, {"ISOLERINGST", 0}, {"ISOLERINGST", 5}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window);
    forms::Form& w = open(c.window);
    EXPECT_EQ(fx().ActiveCalcNumber, c.number);
    EXPECT_EQ(w.caption(), "T" + std::to_string(119 + c.number));
    EXPECT_EQ(w.top(), c.top);
    EXPECT_EQ(w.height(), c.height);
    EXPECT_EQ(w.width(), c.width);
    EXPECT_EQ(w.left(), 1400);
    EXPECT_EQ(w.control("AntalLag").toolTip(), c.hint);
    EXPECT_EQ(w.control("VT").container()->name(), c.lossFrame);
    EXPECT_EQ(w.control("ISOLERINGST", 0).kind() == forms::ControlKind::ComboBox, c.thicknessList);
    EXPECT_EQ(w.control(std::string("Lblflere") + std::to_string(c.number), 0).text(), " T112 ");
    // Every box the window writes is emptied by any change of an input, and is read-only.
    for (auto [box, i] : c.results) w.control(box, i).setText("9");
    type(w.control("MEDIETEMP"), "80");
    for (auto [box, i] : c.results) {
      EXPECT_EQ(w.control(box, i).text(), "") << box << i;
      EXPECT_TRUE(w.control(box, i).locked()) << box << i;
    }
  }
}

TEST_F(MultiLayerTest, KeysThatReachTheBoxes) {
  const struct {
    const char* window;
    const char* box;
    int index;
    const char* keys;
    const char* text;
  } cases[] = {
      {"frmCalc21", "MEDIETEMP", -1, "--1a2.5,3", "--12.53"},
      {"frmCalc22", "Skilleflade", 0, "-1-0", "-1-0"},
      {"frmCalc23", "VT", -1, "1-.5.", "1-.5"},
      {"frmCalc21", "PLANH", -1, "-10-00", "1000"},
      {"frmCalc23", "PLANH", -1, "1-0-00", "1-000"},
      {"frmCalc22", "VINDHASTIGHED", -1, "-5,5", "5,5"},
      {"frmCalc21", "ISOLERINGST", 1, "-4x0", "40"},
      {"frmCalc23", "PRODUKT", 0, "ab", kPipeProduct},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.window) + " " + c.box);
    forms::Form& w = open(c.window);
    w.control("PLAN").userClick();
    w.control("UDE").userClick();
    forms::Control& box = w.control(c.box, c.index);
    box.userFocus();
    if (std::string(c.box) != "PRODUKT") box.userEditText("", 0);
    box.userType(c.keys);
    EXPECT_EQ(box.text(), c.text);
    w.unload();
  }
}

}  // namespace
}  // namespace calctest
