// Scripted users of the multi-layer windows 21, 22 and 23: the layer rows, the results checked
// against each other, the input checks with their exact texts, the warnings, the pipe distances
// and the faults a user could once run into.

#include "MultiLayerFixture.h"
#include "calc/CalcWindow.h"

namespace calctest {
namespace {

using veltaro::fx;
using Stack = MultiLayerTest::Stack;

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

// A stack of window 22 (the requirement is the surface) or 23 (the heat loss).
Stack required(const char* window, const char* medium, const char* count,
               std::vector<std::string> interfaces, const char* requirement,
               MultiLayerTest::Inputs in = {.product = ""}) {
  in.medium = medium;
  Stack st{.window = window, .in = in, .count = count, .rows = std::move(interfaces)};
  (std::string(window) == "frmCalc22" ? st.surface : st.loss) = requirement;
  return st;
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
}

// Calculation 22's thicknesses typed into calculation 21 give back the required faces, and 23's
// give back the required heat loss.
TEST_F(MultiLayerTest, ThicknessesOf22And23AreTurnedBackBy21) {
  fx().HeatLossDecimals = 1;
  const Inputs pipe{.product = ""}, wall{.height = "2000", .product = ""},
      outdoors{.diameter = "219.1", .outdoors = true, .wind = "3", .ambient = "0", .product = ""},
      cold{.diameter = "88.9", .ambient = "22", .product = ""};
  const struct {
    Inputs in;
    const char *count, *medium;
    std::vector<std::string> faces;  // interfaces, then the surface
  } cases[] = {
      {pipe, "2", "150", {"100", "30"}},
      {outdoors, "6", "240", {"200", "160", "120", "80", "40", "8"}},
      {cold, "3", "-40", {"-25", "0", "19"}},
      {wall, "3", "240", {"200", "100", "35"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.count) + " layers at " + c.medium);
    const int n = std::stoi(c.count);
    const std::vector<std::string> interfaces(c.faces.begin(), c.faces.end() - 1);
    auto given = [&](forms::Form& from) {  // window 21 with the thicknesses of 22 or 23
      Stack st = required("frmCalc21", c.medium, c.count, {}, "", c.in);
      for (int i = 0; i < n; ++i) st.rows.push_back(from.control("ISOLERINGST", i).text());
      return st;
    };
    forms::Form& w22 = calculate(
        required("frmCalc22", c.medium, c.count, interfaces, c.faces[n - 1].c_str(), c.in));
    ASSERT_TRUE(fx().ResultValid[8]) << errorList();
    const std::string loss = w22.control("VT").text();
    forms::Form& w21 = calculate(given(w22));
    ASSERT_TRUE(fx().ResultValid[7]) << errorList();
    // Whole millimetres move each face a little; a thin layer moves it most.
    for (int i = 0; i < n; ++i)
      EXPECT_NEAR(number(w21, i < n - 1 ? "Skilleflade" : "OVERFLADE", i < n - 1 ? i : -1),
                  std::stod(c.faces[i]), i < n - 1 ? 3.0 : 1.0)
          << i;
    EXPECT_NEAR(number(w21, "VT"), std::stod(loss), 0.04 * std::abs(std::stod(loss)));
    EXPECT_DOUBLE_EQ(number(w21, "VT"), veltaro::RoundHalfEven(fx().HeatFlow, 1));
    w21.unload();
    w22.unload();

    forms::Form& w23 =
        calculate(required("frmCalc23", c.medium, c.count, interfaces, loss.c_str(), c.in));
    ASSERT_TRUE(fx().ResultValid[9]) << errorList();
    forms::Form& back = calculate(given(w23));
    EXPECT_NEAR(number(back, "VT"), std::stod(loss), 0.04 * std::abs(std::stod(loss)));
    EXPECT_NEAR(number(back, "OVERFLADE"), number(w23, "OVERFLADE"), 2.0);
    back.unload();
    w23.unload();
  }
}

// The failure lines after the header: the caption, text line 19 and, except on window 22, a
// line of dashes.
TEST_F(MultiLayerTest, InputChecksListEveryFailureWithTheExactText) {
  const char *w22 = "frmCalc22", *w23 = "frmCalc23";
  auto noEmission = [](forms::Form& w) { w.control("Emission").setText("Vælg emission"); };
  auto emissionOne = [](forms::Form& w) { w.control("Emission").setText("1"); };
  const struct {
    Stack stack;
    std::function<void(forms::Form&)> tweak;
    std::vector<std::string> lines;  // empty: the check passes
  } cases[] = {
      {{.rows = {"30", "50"}}, nullptr, {}},
      {{.untouched = true},
       nullptr,
       {"T1", "T2", "T189", "T6", "T34 1", "T35 1", "T34 2", "T35 2", "T12"}},
      // Row 2 of 3 without product and thickness.
      {{.count = "3", .rows = {"30", "", "40"}},
       [&](forms::Form& w) {
         w.control("PRODUKT", 1).setText("Vælg produkt");
         emissionOne(w);
       },
       {"T8", "T33 2", "T34 2", "T35 2"}},
      // A thickness of 1000 mm, and nonsense in a hidden row.
      {{.rows = {"1000", "999"}},
       [](forms::Form& w) { w.control("ISOLERINGST", 4).setText("-7"); },
       {"T35 1"}},
      {required(w22, "200", "3", {"150", "160"}, "40"), nullptr, {"T38 1 T37 2 T39 2 T37 3"}},
      {required(w22, "200", "3", {"150", "100"}, "120"), nullptr, {"T38 2T37 3T40"}},
      {required(w22, "200", "2", {"100"}, "120"), nullptr, {"T38 1T37 2T40"}},
      {required(w22, "200", "2", {"100"}, "20"), nullptr, {"T41", "T46"}},
      {required(w22, "-20", "3", {"-30", "0"}, "25"), nullptr, {"T42 1T37 2", "T45"}},
      {required(w22, "-20", "4", {"-10", "-15", "5"}, "4"),
       nullptr,
       {"T38 1T37 2T43 2T37 3", "T38 3T37 4T44"}},
      {required(w22, "200", "2", {}, ""), nullptr, {"T38 1T37 2T40", "T41", "T188"}},
      // A low outdoor wall without wind.
      {required(w22, "150", "2", {"100"}, "40",
                {.height = "300", .outdoors = true, .wind = "0.5", .product = ""}),
       emissionOne,
       {"T3", "T8", "T11"}},
      {required(w23, "200", "3", {"150", "160"}, "40"), nullptr, {"T38 1T37 2T39 2T37 3"}},
      {required(w23, "200", "4", {"150", "100", "15"}, "40"), nullptr, {"T38 3T37 4T47"}},
      {required(w23, "-20", "3", {"-30", "25"}, "-10"), nullptr, {"T42 1T37 2", "T38 2T37 3T48"}},
      // A heat loss against the drop.
      {required(w23, "-20", "2", {"0"}, "5"), nullptr, {"T22"}},
      {{.window = w23, .untouched = true}, nullptr, {"T1", "T189", "T6", "T22", "T12"}},
      {required(w23, "150", "2", {"150"}, "40"), noEmission, {"T7", "T36 1T37 2"}},
  };
  for (const auto& c : cases) {
    forms::Form& w = fill(c.stack);
    if (c.tweak) c.tweak(w);
    w.control("Beregn").userClick();
    std::vector<std::string> lines;
    if (!c.lines.empty()) {
      lines = {w.caption(), "T19"};
      if (w.name() != w22) lines.push_back(kDashes);
      lines.insert(lines.end(), c.lines.begin(), c.lines.end());
      lines.push_back(kEnd);
    }
    EXPECT_EQ(errorList(), joined(lines)) << w.name() << " " << c.stack.count;
    EXPECT_EQ(w.mousePointer(), forms::kPointerDefault);
    w.unload();
  }
}

// A search without a result clears the boxes: a thickness out of range shows its marker and no
// message, a pipe layer whose exponent has no finite value gives the no-result message.
TEST_F(MultiLayerTest, SearchesWithoutAResultClearAndSayWhy) {
  const struct {
    Stack stack;
    std::vector<std::string> thickness;  // what the boxes show after the run
  } cases[] = {
      {required("frmCalc23", "200", "2", {"100"}, "0.01", {.diameter = "21.3", .product = ""}),
       {"", ""}},
      // The outer layer must fall from 19 °C to a surface above the 20 °C air: a few mm below 0.
      {required("frmCalc23", "200", "2", {"19"}, "40"), {"", "< 0 !"}},
      // A surface requirement half a degree above the air needs metres of insulation.
      {required("frmCalc22", "200", "2", {"100"}, "20.5", {.height = "2000", .product = ""}),
       {"T65", "0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stack.window + std::string(" ") + c.stack.rows[0]);
    platform.calls.clear();
    const bool message = c.thickness[1].empty();
    if (message) platform.expectMsgBox(1, "T66");
    forms::Form& w = calculate(c.stack);
    EXPECT_EQ(errorList(), "");
    EXPECT_FALSE(fx().ResultValid[w.name() == "frmCalc22" ? 8 : 9]);
    for (size_t i = 0; i < c.thickness.size(); ++i)
      EXPECT_EQ(w.control("ISOLERINGST", static_cast<int>(i)).text(), c.thickness[i]) << i;
    EXPECT_EQ(w.control(w.name() == "frmCalc22" ? "VT" : "OVERFLADE").text(), "");
    const auto boxes = platform.callsOf("msgBox");
    ASSERT_EQ(boxes.size(), message ? 1u : 0u);
    if (message) {
      EXPECT_EQ(boxes[0].text, "T66\r\nT67\r\nT68");
      EXPECT_EQ(boxes[0].title, "T64");
    }
    w.unload();
  }
}

// A face outside a product's range names the product and the layer's two faces as shown.
TEST_F(MultiLayerTest, ProductLimitWarningNamesEachOffendingLayer) {
  std::string degrees;
  for (int i = 0; i < 40; ++i) degrees += "°";
  auto with = [](Stack st, std::vector<std::string> products) {
    st.products = std::move(products);
    return st;
  };
  const struct {
    Stack stack;
    int layer;  // the one that offends
    const char* product;
    const char* limits;
  } cases[] = {
      {with({.in = {.medium = "300", .product = ""}, .rows = {"40", "60"}},
            {kPipeProduct, kMatProduct}),
       0, kPipeProduct, " : -50 °C / 250 °C"},
      {with(required("frmCalc22", "500", "3", {"350", "100"}, "40"),
            {kMatProduct, kConstantProduct, kMatProduct}),
       1, kConstantProduct, " : -100 °C / 300 °C"},
      {with(required("frmCalc23", "-80", "2", {"-60"}, "-15"), {kConstantProduct, kPipeProduct}), 1,
       kPipeProduct, " : -50 °C / 250 °C"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stack.window);
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
  // the count rule shows for it come up first (with the default product), and the check names
  // what is missing in them.
  for (auto [shown, typed] : {std::pair{"2", "3"}, {"4", "3.5"}, {"4", "3,5"}}) {
    SCOPED_TRACE(std::string(shown) + " rows, typed " + typed);
    w.control("MEDIETEMP").userFocus();  // the count box keeps the focus from the last round
    setCount(w, shown);
    ASSERT_EQ(visibleCount(w, "PRODUKT"), std::stoi(shown));
    type(w.control("AntalLag"), typed);
    dynamic_cast<veltaro::CalcWindow&>(w).Beregn_Click();
    EXPECT_EQ(w.control("AntalLag").text(), "3");
    EXPECT_EQ(visibleCount(w, "PRODUKT"), 3);
    EXPECT_EQ(errorList(), joined({"T140", "T19", kDashes, "T34 3", "T35 3", kEnd}));
  }
}

TEST_F(MultiLayerTest, WindowsDifferOnlyWhereTheirDesignsDo) {
  const struct {
    int number, top, height, width;
    const char* hint;
    const char* lossFrame;
    std::vector<const char*> results;  // the boxes the window writes
  } cases[] = {
      {21, 50, 5900, 10430, "Max. 6 ", "Flerelag", {"VT", "OVERFLADE", "Skilleflade"}},
      {22, 400, 5905, 10430, "Max. 6 !", "Flerelag", {"VT", "ISOLERINGST"}},
      {23, 750, 5850, 10410, "Max. 6", "Inddata", {"OVERFLADE", "ISOLERINGST"}},
  };
  for (const auto& c : cases) {
    const std::string name = "frmCalc" + std::to_string(c.number);
    SCOPED_TRACE(name);
    forms::Form& w = open(name.c_str());
    EXPECT_EQ(fx().ActiveCalcNumber, c.number);
    EXPECT_EQ(w.caption(), "T" + std::to_string(119 + c.number));
    EXPECT_EQ(std::vector<int>({w.left(), w.top(), w.height(), w.width()}),
              std::vector<int>({1400, c.top, c.height, c.width}));
    EXPECT_EQ(w.control("AntalLag").toolTip(), c.hint);
    EXPECT_EQ(w.control("VT").container()->name(), c.lossFrame);
    EXPECT_EQ(w.control("ISOLERINGST", 0).kind() == forms::ControlKind::ComboBox, c.number == 21);
    EXPECT_EQ(w.control("Lblflere" + std::to_string(c.number), 0).text(), " T112 ");
    // Every box the window writes is emptied by any change of an input.
    std::vector<forms::Control*> boxes;
    for (const char* box : c.results) {
      auto array = w.controlArray(box);
      if (array.empty()) array.push_back(&w.control(box));
      boxes.insert(boxes.end(), array.begin(), array.end());
    }
    for (forms::Control* box : boxes) box->setText("9");
    type(w.control("MEDIETEMP"), "80");
    for (forms::Control* box : boxes) EXPECT_EQ(box->text(), "") << box->name() << box->index();
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
