// Scripted user sessions on the re-insulation window: the label sets, the savings switch, the
// key rules, the product and pipe-size questions and the input check with its exact texts.

#include "ReinsulationFixture.h"
#include "calc/frmErrorInfo.h"

namespace calctest {
namespace {

using veltaro::fx;

TEST_F(ReinsulationTest, LabelSetsFollowGeometryAndSavingsAlsoWhenSetFromCode) {
  // Shown and enabled of the length/area row and the heat-loss units, per combination.
  struct Row {
    bool plane, savings, areaShown, lengthShown, wPerM;
  };
  const Row rows[] = {{false, false, false, true, true},
                      {false, true, false, true, true},
                      {true, false, true, false, false},
                      {true, true, true, false, false}};
  for (const Row& r : rows) {
    forms::Form& w = open24();
    if (r.savings) {
      w.control("cbxSave").setValue(1);  // as a case file does it
      EXPECT_TRUE(w.control("RORL").hasFocus());
    }
    // Every row is reached by a geometry switch: the pipe through the plane and back.
    click(w.control("PLAN"));
    if (!r.plane) click(w.control("ROR"));
    if (r.savings) {  // and switched on again in that geometry
      w.control("cbxSave").setValue(0);
      w.control("cbxSave").setValue(1);
    }
    const std::string label = std::string(r.plane ? "plane" : "pipe") + (r.savings ? "+" : "");
    for (auto [n, i, shown] : {std::tuple{"Lblflere24", 0, r.areaShown},
                               {"lblUnit", 13, r.areaShown},
                               {"Lblflere24", 3, r.lengthShown},
                               {"lblUnit", 3, r.lengthShown}}) {
      EXPECT_EQ(w.control(n, i).visible(), shown) << label << " " << n << i;
      EXPECT_EQ(w.control(n, i).enabled(), r.savings) << label << " " << n << i;
    }
    EXPECT_EQ(w.control("RORL").enabled(), r.savings) << label;
    for (int unit : {8, 9}) EXPECT_EQ(w.control("lblUnit", unit).visible(), r.wPerM) << label;
    for (int unit : {14, 15}) EXPECT_EQ(w.control("lblUnit", unit).visible(), !r.wPerM) << label;
    EXPECT_EQ(w.control("Energienh").listCount(), r.savings ? 7 : 0) << label;
    w.unload();
  }
}

TEST_F(ReinsulationTest, SavingsSwitchKeepsResultsAndRefillsTheUnits) {
  forms::Form& w = open24();
  enter24(w, {});
  w.control("cbxSave").setValue(1);
  choose(w.control("Energienh"), "MWh");
  type(w.control("RORL"), "10");
  type(w.control("Pris"), "1");
  calculate(w);
  ASSERT_TRUE(fx().ResultValid[10]);
  w.control("cbxSave").setValue(0);
  EXPECT_TRUE(fx().ResultValid[10]);
  EXPECT_NE(w.control("VT").text(), "");
  for (const char* n : {"RORL", "Energienh", "Pris", "Drift", "Bespar"})
    EXPECT_FALSE(w.control(n).enabled()) << n;
  EXPECT_EQ(w.control("Drift").text(), "8760");
  w.control("cbxSave").setValue(1);
  EXPECT_EQ(w.control("Energienh").text(), "Vælg enhed") << "refilled, back at the default";
  EXPECT_EQ(w.control("Energienh").listIndex(), -1);
}

TEST_F(ReinsulationTest, MarineWindowHasNoSavingsAndPlacesByTheMainWindow) {
  useMarket("MRN");
  main().setWindowState(forms::kStateMaximized);
  forms::Form& w = open24();
  for (auto [n, i] :
       {std::pair{"Besparelses_data", -1}, {"Bespar", -1}, {"Lblflere24", 16}, {"lblUnit", 10}})
    EXPECT_FALSE(w.control(n, i).visible()) << n;
  EXPECT_EQ(std::vector<int>({w.left(), w.top(), w.width(), w.height()}),
            std::vector<int>({3270, 1210, 10020, 7510}));
  EXPECT_EQ(fx().ActiveCalcNumber, 24);
  enter24(w, {});
  calculate(w);
  EXPECT_TRUE(fx().ResultValid[10]);
  EXPECT_EQ(w.control("Bespar").text(), "");
}

TEST_F(ReinsulationTest, KeyRulesAndCleanUpOnLeaving) {
  forms::Form& w = open24();
  click(w.control("optInSite", 1));
  struct Case {
    const char* box;
    int index;
    const char* typed;
    const char *shown, *left;
  };
  const Case cases[] = {
      {"MEDIETEMP", -1, "--5", "--5", "0"},      {"Omgivende", -1, "5-", "5-", "5"},
      {"MEDIETEMP", -1, "3.50", "3.50", "3.5"},  {"VINDHASTIGHED", -1, "-1,5.", "1,5", "1.5"},
      {"Drift", -1, "4.5,0", "4.50", "4.5"},     {"Pris", -1, "0012", "0012", "12"},
      {"ISOLERINGST", 0, "-5,0.", "5,0", "5,0"},  // lists keep what was typed
      {"Emission", 1, "a.9", ".9", ".9"},        {"RORCOM", -1, "1-0", "10", "10"},
  };
  click(w.control("cbxSave"));
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
    EXPECT_EQ(produkt.userKeyPress('a'), 0);
    EXPECT_EQ(produkt.userKeyDown('A'), 0);
    EXPECT_EQ(produkt.userKeyDown(forms::key::Return), forms::key::Return);
    EXPECT_TRUE(w.control("ISOLERINGST", i).hasFocus());
  }
}

TEST_F(ReinsulationTest, LocationSwitchGreysTheWindRowAndForcesAnIndoorPlaneVertical) {
  forms::Form& w = open24();
  auto windRow = [&w] {
    return w.control("VINDHASTIGHED").enabled() && w.control("Lblflere24", 7).enabled() &&
           w.control("Lblflere24", 5).enabled() && w.control("lblUnit", 5).enabled();
  };
  click(w.control("optInSite", 1));
  EXPECT_TRUE(windRow());
  click(w.control("optInSite", 0));
  EXPECT_FALSE(windRow());
  EXPECT_TRUE(w.control("VAND").enabled());
  click(w.control("PLAN"));
  EXPECT_EQ(w.control("PLANH").text(), "1000");
  EXPECT_TRUE(w.control("LOD").isSet());
  EXPECT_FALSE(w.control("VAND").enabled());
  click(w.control("ROR"));
  EXPECT_EQ(w.control("PLANH").text(), "");
  EXPECT_TRUE(w.control("VAND").enabled());
  EXPECT_TRUE(w.control("LOD").isSet());
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
  forms::Form& w = open24();
  for (int i : {0, 1}) {
    w.control("PRODUKT", i).setText("Vælg produkt");  // no product of the list
    w.control("ISOLERINGST", i).setText("");
    w.control("Emission", i).setText("vælg");
  }
  w.control("Omgivende").setText("");
  click(w.control("cbxSave"));
  click(w.control("Beregn"));
  forms::Form* errors = app.find("frmErrorInfo");
  ASSERT_TRUE(errors && errors->visible() && errors->topmost());
  EXPECT_EQ(
      errors->control("txtError").text(),
      joined({"T143", "T19", dash88, "T1",   "T189", "T6",   "T12", "T49", "T50", "T52", "T54",
              "T55",  "T57", "",     "T126", "T20",  dash58, "T5",  "T15", "T16", end}));
  EXPECT_EQ(w.mousePointer(), forms::kPointerDefault);

  // Only a savings input wrong: the list starts with the savings header.
  forms::Form& fresh = reopen24();
  enter24(fresh, {});
  click(fresh.control("cbxSave"));
  click(fresh.control("PLAN"));
  choose(fresh.control("Energienh"), "kWh");
  type(fresh.control("Pris"), "1");
  fresh.control("RORL").setText("abc");
  fresh.control("Drift").setText("0,0");
  calculate(fresh);
  EXPECT_EQ(errors->control("txtError").text(),
            joined({"", "T126", "T20", dash58, "T4", "T17", end}));
}

TEST_F(ReinsulationTest, InputCheckBoundaries) {
  const struct {
    std::vector<const char*> clicks;
    const char* box;
    int index;
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {{}, "RORCOM", -1, "5000", {}},
      {{}, "RORCOM", -1, "5001", {"T2"}},
      {{"PLAN"}, "PLANH", -1, "400", {}},
      {{"PLAN"}, "PLANH", -1, "20000", {}},
      {{"PLAN"}, "PLANH", -1, "399", {"T3"}},
      {{"PLAN", "optInSite1", "VAND"}, "PLANH", -1, "399", {"T3"}},
      {{"PLAN", "VAND"}, "PLANH", -1, "1", {}},  // indoor horizontal plane: no height test
      {{"PLAN", "optInSite1", "VAND"}, "VINDHASTIGHED", -1, "0.5", {"T11"}},
      {{}, "VINDHASTIGHED", -1, "0.5", {}},  // indoors the box is disabled
      {{}, "MEDIETEMP", -1, "", {"T189"}},
      {{}, "Omgivende", -1, "150", {"T6"}},
      {{}, "ISOLERINGST", 0, "999", {}},
      {{}, "ISOLERINGST", 0, "1000", {"T51"}},
      {{}, "ISOLERINGST", 1, "0", {"T56"}},
      {{}, "ISOLERINGST", 1, "", {"T55"}},
      {{}, "Emission", 0, "1", {"T53"}},
      {{}, "Emission", 1, "0", {"T58"}},
      {{}, "Emission", 1, "0.99", {}},
  };
  for (const auto& c : cases) {
    forms::Form& w = reopen24();
    enter24(w, {});
    // Set as a case file sets them: an indoor horizontal plane is reachable only so.
    for (const char* name : c.clicks) {
      if (name == std::string("optInSite1"))
        w.control("optInSite", 1).setValue(1);
      else
        w.control(name).setValue(1);
    }
    if (w.control("VINDHASTIGHED").enabled() && std::string(c.box) != "VINDHASTIGHED")
      w.control("VINDHASTIGHED").setText("5");
    w.control(c.box, c.index).setText(c.text);
    calculate(w);
    EXPECT_EQ(errorLines(), c.lines) << c.box << c.index << " '" << c.text << "'";
  }
}

}  // namespace
}  // namespace calctest
