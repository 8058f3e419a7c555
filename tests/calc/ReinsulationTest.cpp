// Scripted user sessions on the re-insulation window: the label sets, the savings switch, the
// marine layout, the key rules, the pipe-section question and the input check's exact texts.

#include "ReinsulationFixture.h"

namespace calctest {
namespace {

using veltaro::fx;

TEST_F(ReinsulationTest, LabelSetsFollowGeometryAndSavingsAlsoWhenSetFromCode) {
  for (bool plane : {false, true}) {
    for (bool on : {false, true}) {
      const std::string at = std::string(plane ? "plane" : "pipe") + (on ? "+savings " : " ");
      forms::Form& w = open24();
      if (on) w.control("cbxSave").setValue(1);  // as a case file sets it
      EXPECT_EQ(w.control("RORL").hasFocus(), on) << at;
      // Every combination through a geometry switch, the pipe by way of the plane; the savings
      // switched off and on again in that geometry.
      click(w.control("PLAN"));
      if (!plane) click(w.control("ROR"));
      for (int v : {0, 1})
        if (on) w.control("cbxSave").setValue(v);
      for (auto [n, i, onPlane] : {std::tuple{"Lblflere24", 0, true},
                                   {"lblUnit", 13, true},
                                   {"Lblflere24", 3, false},
                                   {"lblUnit", 3, false}}) {
        EXPECT_EQ(w.control(n, i).visible(), onPlane == plane) << at << n << i;
        EXPECT_EQ(w.control(n, i).enabled(), on) << at << n << i;
      }
      EXPECT_EQ(w.control("RORL").enabled(), on) << at;
      for (int unit : {8, 9}) EXPECT_EQ(w.control("lblUnit", unit).visible(), !plane) << at;
      for (int unit : {14, 15}) EXPECT_EQ(w.control("lblUnit", unit).visible(), plane) << at;
      EXPECT_EQ(w.control("Energienh").listCount(), on ? 7 : 0) << at;
    }
  }
}

TEST_F(ReinsulationTest, SavingsSwitchKeepsTheResultsAndMarineHasNoSavings) {
  forms::Form& w = entered({});
  savings(w, "10", "MWh", "1");
  calculate(w);
  w.control("cbxSave").setValue(0);
  EXPECT_TRUE(fx().ResultValid[10]);
  EXPECT_NE(w.control("Bespar").text(), "");
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
  EXPECT_EQ(std::vector<int>({marine.left(), marine.top()}), std::vector<int>({3270, 1210}));
  calculate(marine);
  EXPECT_TRUE(fx().ResultValid[10]);
}

TEST_F(ReinsulationTest, KeyRulesAndCleanUpOnLeaving) {
  forms::Form& w = open24();
  click(w.control("optInSite", 1));
  click(w.control("cbxSave"));
  struct Case {
    const char* box;
    int index;
    const char *typed, *shown, *left;
  };
  const Case cases[] = {
      {"MEDIETEMP", -1, "--5", "--5", "0"},      {"Omgivende", -1, "5-", "5-", "5"},
      {"MEDIETEMP", -1, "3.50", "3.50", "3.5"},  {"VINDHASTIGHED", -1, "-1,5.", "1,5", "1.5"},
      {"Drift", -1, "4.5,0", "4.50", "4.5"},     {"Pris", -1, "0012", "0012", "12"},
      {"ISOLERINGST", 0, "-5,0.", "5,0", "5,0"},  // lists keep what was typed
      {"Emission", 1, "a.9", ".9", ".9"},        {"RORCOM", -1, "1-0", "10", "10"}};
  for (const Case& c : cases) {
    forms::Control& box = w.control(c.box, c.index);
    type(box, c.typed);
    EXPECT_EQ(box.text(), c.shown) << c.box;
    w.control("Beregn").userFocus();
    EXPECT_EQ(box.text(), c.left) << c.box;
  }
  // The product lists take no typing; Enter moves to the same layer's thickness.
  for (int i : {0, 1}) {
    forms::Control& produkt = w.control("PRODUKT", i);
    produkt.userFocus();
    EXPECT_EQ(produkt.userKeyPress('a') + produkt.userKeyDown('A'), 0);
    EXPECT_EQ(produkt.userKeyDown(forms::key::Return), forms::key::Return);
    EXPECT_TRUE(w.control("ISOLERINGST", i).hasFocus());
  }
  // Indoors greys the wind row and, as it always has, the existing layer's thickness caption.
  click(w.control("optInSite", 0));
  for (auto [n, i] : {std::pair{"VINDHASTIGHED", -1}, {"Lblflere24", 7}, {"Lblflere24", 5}})
    EXPECT_FALSE(w.control(n, i).enabled()) << n;
}

TEST_F(ReinsulationTest, PipeSectionQuestionUsesTheExistingInsulationsOuterDiameter) {
  using forms::mb::IdNo, forms::mb::IdYes;
  forms::Form& w = open24();
  choose(w.control("RORCOM"), "114.3");
  choose(w.control("PRODUKT", 0), kMatProduct);  // the existing layer never asks
  EXPECT_EQ(w.control("ISOLERINGST", 0).listCount(), 4);
  EXPECT_EQ(fx().LayerLambdaA[1], 0.036);
  type(w.control("ISOLERINGST", 0), "50");
  platform.expectMsgBox(IdNo, "T158\r\n\r\n( Ø = 114.3 + 2 x 50 = 214.3 mm )\r\n\r\n60 mm");
  choose(w.control("PRODUKT", 1), kMatProduct);
  EXPECT_TRUE(w.control("PRODUKT", 1).hasFocus());
  EXPECT_EQ(fx().LayerLambdaB[2], 0.00018);

  // A diameter chosen with the existing thickness empty: "0" goes in, the size is the pipe's.
  w.control("ISOLERINGST", 0).setText("");
  platform.expectMsgBox(IdYes, "T158\r\n\r\n60 mm");
  choose(w.control("RORCOM"), "88.9");
  EXPECT_EQ(w.control("ISOLERINGST", 0).text(), "0");
  EXPECT_TRUE(w.control("ISOLERINGST", 1).hasFocus());
  choose(w.control("RORCOM"), "60.3");  // a size the product is made in: no question
  click(w.control("PLAN"));
  choose(w.control("PRODUKT", 1), kMatProduct);  // a plane: no question
  EXPECT_TRUE(platform.scriptDone());
  EXPECT_EQ(platform.callsOf("msgBox").size(), 2u);
}

TEST_F(ReinsulationTest, InputCheckListsEachFailureWithItsExactText) {
  const std::string dash88(88, '-'), dash58(58, '-'), end = std::string(100, ' ') + "T18";
  using Lines = std::vector<std::string>;
  // Nothing entered, a product that names no entry of its list, the savings switched on.
  forms::Form& w = open24();
  for (int i : {0, 1}) {
    w.control("PRODUKT", i).setText("Vælg produkt");
    w.control("ISOLERINGST", i).setText("");
    w.control("Emission", i).setText("vælg");
  }
  click(w.control("cbxSave"));
  calculate(w);
  EXPECT_TRUE(app.find("frmErrorInfo")->topmost());
  EXPECT_EQ(errorList(),
            Lines({"T143", "T19", dash88, "T1",   "T189", "T6",   "T12", "T49", "T50", "T52", "T54",
                   "T55",  "T57", "",     "T126", "T20",  dash58, "T5",  "T15", "T16", end}));
  // Only savings inputs wrong: the list starts with the savings header.
  forms::Form& plane = entered({.height = "2000"});
  savings(plane, "", "kWh", "1");
  plane.control("RORL").setText("abc");
  plane.control("Drift").setText("0,0");
  calculate(plane);
  EXPECT_EQ(errorList(), Lines({"", "T126", "T20", dash58, "T4", "T17", end}));

  // One input at a time. Options are set as a case file sets them: an indoor horizontal plane
  // cannot be chosen on the window.
  const struct {
    std::vector<const char*> options;
    const char* box;
    int index;
    const char* text;
    Lines lines;
  } cases[] = {{{}, "RORCOM", -1, "5000", {}},
               {{}, "RORCOM", -1, "5001", {"T2"}},
               {{"PLAN"}, "PLANH", -1, "400", {}},
               {{"PLAN"}, "PLANH", -1, "20000", {}},
               {{"PLAN"}, "PLANH", -1, "399", {"T3"}},
               {{"PLAN", "VAND"}, "PLANH", -1, "1", {}},
               {{"PLAN", "outdoors", "VAND"}, "PLANH", -1, "399", {"T3"}},
               {{"outdoors"}, "VINDHASTIGHED", -1, "0.5", {"T11"}},
               {{}, "VINDHASTIGHED", -1, "0.5", {}},  // indoors the box is disabled
               {{}, "MEDIETEMP", -1, "", {"T189"}},
               {{}, "Omgivende", -1, "150", {"T6"}},
               {{}, "ISOLERINGST", 0, "999", {}},
               {{}, "ISOLERINGST", 0, "1000", {"T51"}},
               {{}, "ISOLERINGST", 1, "0", {"T56"}},
               {{}, "ISOLERINGST", 1, "", {"T55"}},
               {{}, "Emission", 0, "1", {"T53"}},
               {{}, "Emission", 1, "0", {"T58"}},
               {{}, "Emission", 1, "0.99", {}}};
  for (const auto& c : cases) {
    forms::Form& one = entered({});
    one.control("VINDHASTIGHED").setText("5");
    for (std::string o : c.options)
      (o == "outdoors" ? one.control("optInSite", 1) : one.control(o)).setValue(1);
    one.control(c.box, c.index).setText(c.text);
    calculate(one);
    Lines lines = errorList();
    if (!lines.empty()) lines = Lines(lines.begin() + 3, lines.end() - 1);
    EXPECT_EQ(lines, c.lines) << c.box << c.index << " '" << c.text << "'";
  }
}

}  // namespace
}  // namespace calctest
