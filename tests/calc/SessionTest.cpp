// Scripted user sessions on the calculation windows: loading, the key rules, the geometry and
// location switches, the pipe-only question, the input check, a calculation with its details,
// and the details window.

#include <algorithm>
#include <array>
#include <tuple>

#include "CalcFixture.h"
#include "calc/CalcWindow.h"
#include "calc/InputCheck.h"
#include "calc/frmDetails.h"

namespace calctest {
namespace {

using veltaro::fx;

TEST_F(CalcTest, MarineEditionOffersNoSavingsAndNoBareObjectUnit) {
  fx().CountryCode = "MRN";
  writeLines("Text/Product.MRN",
             {std::string(kPipeProduct) + ";0.033;0;0;-50;250;50;", kPipeProduct});
  for (const char* f : {"PipeDiam", "PlanEmis"}) writeLines(std::string("Text/") + f + ".MRN", {"1"});
  forms::Form& marine = open("frmCalc01");
  EXPECT_FALSE(marine.control("Besparelses_data").visible() || marine.control("VTU").visible());
  marine.control("PLAN").userClick();
  EXPECT_FALSE(marine.control("lblUnit", 15).visible());
  marine.control("ROR").userClick();
  EXPECT_TRUE(!marine.control("lblUnit", 9).visible() && marine.control("lblUnit", 8).visible());
}

TEST_F(CalcTest, LoadingFillsTheListsAndActivationSetsTheActiveCalculation) {
  for (int n : {1, 2, 3}) {
    EXPECT_EQ(open("frmCalc0" + std::to_string(n)).control("PRODUKT").listCount(), 3);
    EXPECT_EQ(fx().ActiveCalcNumber, n);
  }
  forms::Form &w1 = open("frmCalc01"), &w2 = open("frmCalc02");
  EXPECT_EQ(w1.control("ISOLERINGST").listCount(), 7);  // the default product's thicknesses
  // Activation makes a window the active calculation only in its normal state.
  w2.userActivate();
  w1.setWindowState(forms::kStateMaximized);
  w1.userActivate();
  EXPECT_EQ(fx().ActiveCalcNumber, 2);
  w1.setWindowState(forms::kStateNormal);
  w2.userActivate();
  w1.userActivate();
  EXPECT_EQ(fx().ActiveCalcNumber, 1);
  // While the start-up texts load, a window keeps its design state.
  w1.unload();
  fx().StartupLoading = -1;
  forms::Form& fresh = open("frmCalc01");
  EXPECT_EQ(fresh.control("Frame2").caption() + std::to_string(fresh.control("PRODUKT").listCount()),
            " Geometri 0");
}

TEST_F(CalcTest, ProductListKeysAndHelp) {
  // The product list reacts to the arrow keys, Enter and F4 only; Enter moves on per window.
  for (auto [window, focusAfterEnter] : {std::pair{"frmCalc01", "ISOLERINGST"},
                                         {"frmCalc02", "Emission"},
                                         {"frmCalc03", "PRODUKT"},
                                         {"frmCalc04", "PRODUKT"}}) {
    forms::Form& w = open(window);
    forms::Control& produkt = w.control("PRODUKT");
    produkt.userFocus();
    EXPECT_EQ(produkt.userKeyDown('A'), 0);
    EXPECT_EQ(produkt.userKeyDown(forms::key::Down), forms::key::Down);
    EXPECT_EQ(produkt.userKeyDown(forms::key::Return), forms::key::Return);
    EXPECT_TRUE(w.control(focusAfterEnter).hasFocus()) << window;
  }
  // F1 opens the window's own help page, or the contents where the market has no such page.
  writeLines("help/helpdk/calc02.html", {""});
  // The window sees it first: a key handler given to a control after the load does not take
  // it away, nor does the control see it.
  for (const char* window : {"frmCalc02", "frmCalc03"}) {
    forms::Control& produkt = open(window).control("PRODUKT");
    bool seen = false;
    produkt.onKeyDown = [&seen](int&, int) { seen = true; };
    EXPECT_EQ(produkt.userKeyDown(forms::key::F1), 0);
    EXPECT_FALSE(seen) << window;
  }
  const auto help = platform.callsOf("showHelp");
  ASSERT_EQ(help.size(), 2u);
  EXPECT_TRUE(help[0].text.ends_with("help/helpdk/calc02.html")) << help[0].text;
  EXPECT_TRUE(help[1].text.ends_with("help/helpdk/index.html")) << help[1].text;
}

// Sessions on one window each: the steps as a user gives them with the states they leave.
TEST_F(CalcTest, SessionsLeaveTheirBoxesAndLabels) {
  auto geometry = [](const std::string& pipeUnit) {
    const std::string pipeLoss = "?lblUnit(" + pipeUnit + ")";
    return std::vector<std::string>{
        "?PLANH-", "PLAN!", "?PLANH=1000", "?PLANH@", "?RORCOM-", "?RORCOM=", "?lblUnit(8)^",
        pipeLoss + "~", "?LOD#", "?VAND-",  // an indoor plane is vertical
        "UDE!", "?VAND+", "?VINDHASTIGHED+", "INDE!", "?VAND-", "?VINDHASTIGHED-",
        "PLANH~2500", "PLAN!", "?PLANH=1000",  // a plane always starts at 1000 mm
        "ROR!", "?PLANH=", "?VAND+", "?lblUnit(8)~", pipeLoss + "^"};
  };
  const std::vector<std::string> modes{"Driftstid", "SPILDFAKTOR", "IsoKlasse",
                                       "LblTVOFK(3)", "LblTVOFK(4)", "LblTVOFK(5)",
                                       "LblTVOFK(9)", "lblUnit(3)", "lblUnit(0)"};
  // The three inputs, their captions and units, then the result captions and units.
  const std::vector<std::string> types{
      "ISOLERINGST", "txtStarTemp", "txtSluTemp", "LblCalc07(9)", "LblCalc07(4)",
      "LblCalc07(5)", "LblCalc07(13)", "LblCalc07(14)", "LblCalc07(15)", "lblUnit(8)",
      "lblUnit(4)",  "lblUnit(5)",  "lblUnit(12)", "lblUnit(13)", "lblUnit(14)"};
  // The pipe-only question: "Yes" moves on, "No" goes back to the box just chosen.
  const std::string size = "RORCOM=88.9", mat = "PRODUKT=" + std::string(kMatProduct),
                    title = "*" + std::string(kMatProduct), sizes = "60 mm\r\n114 mm";
  std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"frmCalc01", {"?PRODUKT=" + std::string(kPipeProduct), "?ISOLERINGST=20"}},
      // One minus anywhere, one separator; unsigned boxes never take a minus; the product list
      // no typing; operating hours digits only.
      {"frmCalc02", {"MEDIETEMP~1-2-.3,4", "?MEDIETEMP=1-2.34", "OVERFLADE~-5,5.",
                     "?OVERFLADE=-5,5", "RORCOM~-1,2.5a", "?RORCOM=1,25", "PRODUKT~abc",
                     "?PRODUKT=" + std::string(kPipeProduct)}},
      {"frmCalc03", {"VARMETAB~12-,5", "?VARMETAB=12-,5", "Emission~.9,", "?Emission=.9"}},
      {"frmCalc01", {"ISOLERINGST~5-0.5", "?ISOLERINGST=50.5", "cbxSave!", "Drift~4.0,0-0",
                     "?Drift=4000"}},
      {"frmCalc02", {mat, "RORCOM=60.3"}},  // a size the product is made in asks nothing
      {"frmCalc02", geometry("5")},
      {"frmCalc03", geometry("3")},
      // Window 1 switches its label sets with the geometry and the savings box; savings off
      // grey their boxes but keep them.
      {"frmCalc01",
       {"cbxSave!", "?RORL@", "?EmisionUiso+", "?LblVOFT(3)^", "?lblUnit(9)^", "PLAN!",
        "?LblVOFT(0)^", "?LblVOFT(0)+", "?LblVOFT(3)~", "?lblUnit(13)^", "?lblUnit(14)^",
        "?lblUnit(15)^", "?lblUnit(8)~", "RORL~12", "cbxSave!", "?RORL-", "?RORL^", "?RORL=12",
        "optInSite(1)!", "?VAND+", "optInSite(0)!", "?LOD#", "?VAND-"}},
      // A class is one digit from 0 to 4; the method frame alone has no blanks around its
      // caption.
      {"frmCalc04",
       cat({enabled(modes, "110011111"), {"Driftstid~4000", "Klassean!", "?Driftstid=8760"},
            enabled(modes, "001100001"), {"IsoKlasse~5.3-9,2", "?IsoKlasse=32", "Drift!"},
            enabled(modes, "110011111"),
            {"?Driftstid=8760", "Driftstid~1.5-0,0", "?Driftstid=1500", "?Frame7=T97"}})},
      // Typing 4500: "450" asks (Yes), "4500" asks again (No) and turns the window to a plane;
      // 400 itself asks nothing.
      {"frmCalc04", {"*6T199", "*7T200", "RORCOM~4500", "?PLAN#", "?RORCOM-", "?RORCOM=",
                     "?PLANH=1000", "?PLANH@", "ROR!", "RORCOM~400"}},
      {"frmCalc04", {"*6", "RORCOM=1016", "?ROR#", "?RORCOM=1016"}},  // a list choice, Yes
      // Entering an option clears the results but not the working dew point; a plane indoors
      // is vertical and shows the loss per square metre.
      {"frmCalc05",
       cat({validSteps("frmCalc05"),
            {"Beregn!", "?ISOLERINGST=7", "?OVERFLADE~", "LOD>", "?ISOLERINGST=", "?Dugpunkt=",
             "?OVERFLADE=14.334744881856864", "PLAN!", "?LOD#", "?VAND-", "?lblUnit(10)^", "?lblUnit(7)~"}})},
      // The inner diameter only for a pipe, kept for the way back.
      {"frmCalc06",
       cat({validSteps("frmCalc06"), {"PLAN!", "?Indvendig-", "?Indvendig=105.3",
                                      "?lblUnit(10)^", "?lblUnit(6)~", "ROR!", "?Indvendig+",
                                      "?VAND+"}})},
      {"frmCalc07",
       cat({{"?STRHAST=m/s", "?PLAN-"}, enabled(types, "011011100011100"),
            {"txtStarTemp~60", "txtSluTemp~40", "optCalcType(1)!", "?txtStarTemp=",
             "?txtSluTemp=40"},
            enabled(types, "101101010101010"),
            {"optCalcType(2)!", "?txtStarTemp=", "?txtSluTemp="},
            enabled(types, "110110001110001"), {"optCalcType(0)!"},
            enabled(types, "011011100011100"),
            {"UDE!", "VINDHASTIGHED~4", "INDE!", "?VINDHASTIGHED="}})},
  };
  // Asked by a size before the product (T158) or by the product before a size (its sizes).
  const char* movesOn[][2] = {{"ISOLERINGST", "MEDIETEMP"}, {"MEDIETEMP", "MEDIETEMP"},
                              {"Emission", "Emission"}};
  for (int n : {1, 2, 3})
    for (int sizeLast : {0, 1})
      for (char answer : {'6', '7'}) {
        const std::string back = sizeLast ? "?RORCOM@" : "?PRODUKT@";
        cases.push_back({"frmCalc0" + std::to_string(n),
                         {"*" + std::string(1, answer) + (sizeLast ? sizes : "T158"), sizeLast ? mat : size,
                          sizeLast ? size : mat,
                          answer == '6' ? "?" + std::string(movesOn[n - 1][sizeLast]) + "@" : back,
                          title}});
      }
  for (const auto& [window, steps] : cases) {
    SCOPED_TRACE(window + " " + steps.front());
    const size_t asked = platform.callsOf("msgBox").size();
    forms::Form& w = open(window);
    perform(w, steps);
    EXPECT_TRUE(platform.scriptDone());
    EXPECT_EQ(platform.callsOf("msgBox").size(),
              asked + std::count_if(steps.begin(), steps.end(), [](const std::string& s) {
                return s[0] == '*' && std::isdigit(static_cast<unsigned char>(s[1]));
              }));
    w.unload();
  }
}

TEST_F(CalcTest, WhichInputEventsClearTheResults) {
  // 'c': the text changes; 'f': the focus enters the control; 's': the focus enters a list and
  // the user chooses its third item there; 'l': the focus enters a list and leaves unchanged.
  const std::tuple<const char*, const char*, char, bool> cases[] = {
      {"frmCalc01", "RORL", 'c', true},          {"frmCalc01", "Pris", 'f', true},
      {"frmCalc01", "EmisionUiso", 'c', true},   {"frmCalc01", "ISOLERINGST", 'c', true},
      {"frmCalc02", "VINDHASTIGHED", 'c', true}, {"frmCalc03", "PRODUKT", 'f', true},
      {"frmCalc01", "Energienh", 'f', true},     {"frmCalc01", "ROR", 'f', false},
      {"frmCalc02", "OVERFLADE", 'c', true},     {"frmCalc02", "PLANH", 'c', true},
      {"frmCalc02", "UDE", 'f', true},           {"frmCalc02", "VAND", 'f', true},
      {"frmCalc02", "ROR", 'f', false},          {"frmCalc02", "INDE", 'f', false},
      {"frmCalc02", "ISOLERINGST", 'c', false},  {"frmCalc03", "VARMETAB", 'c', true},
      {"frmCalc03", "ROR", 'f', true},           {"frmCalc03", "OVERFLADE", 'c', false},
      {"frmCalc03", "PRODUKT", 's', true},       {"frmCalc02", "RORCOM", 's', true},
      {"frmCalc02", "RORCOM", 'l', false},
  };
  for (auto [window, control, event, clears] : cases) {
    forms::Form& w = open(window);
    const int k = window[8] - '0';
    if (k == 1) w.control("cbxSave").userClick();
    w.control("Beregn").userFocus();
    forms::Control& target = w.control(control);
    if (event == 's' || event == 'l') target.userFocus();
    fx().ResultValid[k] = true;
    if (event == 'c') target.setText(target.text() + "1");
    else if (event == 's') target.userSelectItem(2);
    else if (event == 'l') w.control("Beregn").userFocus();
    else target.userFocus();
    EXPECT_EQ(!fx().ResultValid[k], clears) << window << " " << control << " " << event;
    w.unload();
  }
}

TEST(InputCheckText, UpperCaseOfTheMarketsLetters) {
  // The "nothing chosen" marker is compared in capitals: Latin-1 and the Baltic letters.
  const std::pair<const char*, const char*> cases[] = {
      {"vælg ø", "VÆLG Ø"}, {"þ÷ÿ", "Þ÷Ÿ"}, {"ąčęėįšųūž", "ĄČĘĖĮŠŲŪŽ"}, {"ļņ", "ĻŅ"}, {"ĸ", "ĸ"}};
  for (auto [text, upper] : cases) EXPECT_EQ(veltaro::UpperCase(text), upper) << text;
}

// What names a field in a message: its own caption beside it, level with it where a taller
// caption of the row above reaches down as near; an option by its frame; a list without a
// caption by the prompt it shows, else by its frame.
TEST_F(CalcTest, AFieldIsNamedAsTheWindowShowsIt) {
  forms::Control& frame = main().add(forms::ControlKind::Frame, "fraTest");
  frame.setCaption(" &Beregning af: ");
  for (const char* text : {"VÆLG emne", "Emne 1"})
    main().add(forms::ControlKind::ComboBox, text, -1, &frame).setText(text);
  const std::tuple<const char*, const char*, int, const char*> cases[] = {
      {"frmCalc21", "VT", -1, "T169"},
      {"frmCalc22", "VT", -1, "T169"},
      {"frmCalc21", "Omgivende", -1, "T104"},
      {"frmCalc21", "ISOLERINGST", 1, "T154 2"},
      {"frmCalc07", "optCalcType", 2, "T205"},
      {"mdiVeltaro", "VÆLG emne", -1, "VÆLG emne"},
      {"mdiVeltaro", "Emne 1", -1, "Beregning af"}};
  for (const auto& [window, control, index, caption] : cases)
    EXPECT_EQ(veltaro::InputCheck::fieldCaption(open(window).control(control, index)), caption)
        << window << " " << control;
}

TEST_F(CalcTest, InputCheckListsEveryFailureWithTheExactText) {
  // Beyond the range of a double: refused by the box's caption, never calculated with.
  const std::string huge(400, '9');
  fx().TextTable.set(266, ": too large");
  // Below absolute zero: refused by the box's caption after the other tests; the Swedish line.
  testing_support::UseMarketLines("SE", {320});
  const std::string cold = ": under absoluta nollpunkten (-273,15 °C)";
  // Window, steps after valid inputs (first "" for an untouched window), the lines listed.
  const std::tuple<const char*, std::vector<std::string>, std::vector<std::string>> cases[] = {
      {"frmCalc02", {""}, {"T1", "T189", "T6", "T186", "T188", "T12"}},
      {"frmCalc01", {"RORCOM:=5000"}, {}}, {"frmCalc01", {"RORCOM:=5000.1"}, {"T2"}},
      {"frmCalc01", {"RORCOM:=0"}, {"T2"}}, {"frmCalc01", {"RORCOM:=vælg 0"}, {"T1"}},
      {"frmCalc01", {"PRODUKT:=Ingen"}, {"T9"}},  // names no entry: not chosen
      {"frmCalc01", {"ISOLERINGST:=999"}, {}}, {"frmCalc01", {"ISOLERINGST:=1000"}, {"T10"}},
      {"frmCalc01", {"ISOLERINGST:="}, {"T10"}}, {"frmCalc01", {"Emission:=0.99"}, {}},
      {"frmCalc01", {"Emission:=1"}, {"T8"}}, {"frmCalc01", {"Emission:=vælg 0"}, {"T7"}},
      {"frmCalc01", {"Omgivende:=150"}, {"T6"}},
      {"frmCalc01", {"MEDIETEMP:= "}, {}},  // blanks are no empty text; they read 0
      {"frmCalc01", {"MEDIETEMP:=" + huge}, {"T101: too large"}},
      {"frmCalc01", {"Omgivende:=" + huge}, {"T104: too large"}},
      {"frmCalc01", {"Omgivende:=" + huge, "MEDIETEMP:=" + huge},  // not "equal" either
       {"T101: too large", "T104: too large"}},
      {"frmCalc02", {"PLAN!", "PLANH:=400"}, {}},
      {"frmCalc02", {"PLAN!", "PLANH:=20000.5"}, {"T3"}},
      {"frmCalc02", {"PLAN!", "UDE!", "VAND!", "PLANH:=20000.5"}, {"T3", "T11"}},
      {"frmCalc02", {"PLAN!", "PLANH:=399"}, {"T3"}},
      {"frmCalc02", {"UDE!", "VINDHASTIGHED:=0.5"}, {"T11"}},
      {"frmCalc02", {"UDE!", "VINDHASTIGHED:=50.5"}, {"T11"}},
      {"frmCalc02", {"VINDHASTIGHED:=0.5"}, {}},  // indoors the box is disabled
      {"frmCalc02", {"OVERFLADE:=150"}, {"T186"}}, {"frmCalc02", {"OVERFLADE:=20"}, {"T186"}},
      {"frmCalc02", {"OVERFLADE:="}, {"T186", "T188"}}, {"frmCalc03", {"VARMETAB:=0"}, {"T22"}},
      {"frmCalc03", {"VARMETAB:=" + huge}, {"T169: too large"}},
      {"frmCalc03", {"MEDIETEMP:=20"}, {}},  // window 3 has no test of equal temperatures
      // The waste factor is disabled in class mode, still checked.
      {"frmCalc04", {"", "Klassean!", "UDE!", "VINDHASTIGHED~51", "SPILDFAKTOR:=1.01"},
       {"T1", "T189", "T23", "T25", "T11", "T12"}},
      {"frmCalc04", {"Driftstid:=0"}, {"T24"}}, {"frmCalc04", {"Driftstid:=8761"}, {"T24"}},
      {"frmCalc04", {"SPILDFAKTOR:=0.29"}, {"T25"}},
      // A plane with equal temperatures would divide 0 by 0; a pipe with them has no loss.
      {"frmCalc04", {"PLAN!", "MEDIETEMP:=20"}, {"T6"}}, {"frmCalc04", {"MEDIETEMP:=20"}, {}},
      {"frmCalc04", {"Beregn!", "Driftstid.=0"}, {"T24"}},  // the earlier results go
      {"frmCalc05", {""}, {"T1", "T189", "T26", "T27", "T12"}},
      {"frmCalc05", {"MEDIETEMP:=20", "Luftfugtighed:=0"}, {"T26", "T27"}},
      {"frmCalc05", {"UDE!", "VINDHASTIGHED:=0.5", "MEDIETEMP:=30", "Luftfugtighed:=100.5"},
       {"T26", "T11", "T27"}},
      {"frmCalc05", {"Emission=0.05 Aluminium blank", "Luftfugtighed:=100"}, {}},
      {"frmCalc06", {""},
       {"T1", "T189", "T220", "T28", "T29", "T31", " T86 > 0 og < 50 ", "T27", "T12"}},
      {"frmCalc06", {"MEDIEHAST:=50", "Luftfugtighed:=100"}, {}},
      {"frmCalc06", {"MEDIEHAST:=50.5"}, {" T86 > 0 og < 50 "}},
      {"frmCalc06", {"MEDIETEMP:=0", "Omgivende:=-5"}, {"T220"}},
      {"frmCalc06", {"Indvendig:=114.3"}, {"T87"}},  // as large as the outer diameter
      {"frmCalc06", {"StofK:=0"}, {"T32"}},
      {"frmCalc06", {"MEDIETEMP:=-", "Omgivende:=-5"}, {"T189", "T220"}},
      {"frmCalc06", {"Omgivende:=."}, {"T12"}},
      // Empty boxes: the start equals the ambient (both empty), and 0 ≤ 0 both ways round.
      {"frmCalc07", {""},
       {"T1", "T219", "T207T47", "T207T48", "T213", "T214", "T215", "T217", "T12"}},
      {"frmCalc07", {"txtStarTemp:=20", "Omgivende:=20.0"}, {"T219"}},
      {"frmCalc07", {"optCalcType(1)!", "txtSluTemp=40", "Omgivende:="}, {"T219", "T12"}},
      {"frmCalc07", {"optCalcType(1)!", "txtSluTemp=40", "Omgivende:=0"}, {}},
      {"frmCalc07", {"MEDIESTR:=0"}, {"T213"}}, {"frmCalc07", {"MEDIESTR:=-"}, {"T213"}},
      {"frmCalc07", {"ISOLERINGST:=-5"}, {"T35"}}, {"frmCalc07", {"txtLength:=0"}, {}},
      {"frmCalc07", {"txtLength:=-5"}, {"T221"}},
      {"frmCalc07", {"txtLength:=" + huge}, {"T211: too large"}},
      // A plane (from a case file) has no duct diameter, and its height is not asked for.
      {"frmCalc07", {"PLAN:=1"}, {"T1"}}, {"frmCalc07", {"PLAN:=1", "LOD!"}, {"T1"}},
      {"frmCalc01", {"MEDIETEMP:=-300"}, {"T101" + cold}},
      {"frmCalc01", {"Omgivende:=-273.15", "Emission:=1"}, {"T8"}},  // absolute zero itself
      {"frmCalc02", {"OVERFLADE:=-300"}, {"T186", "T113" + cold}},
      {"frmCalc03", {"Omgivende:=-274"}, {"T104" + cold}},
      {"frmCalc04", {"MEDIETEMP:=-300"}, {"T101" + cold}},
      {"frmCalc05", {"MEDIETEMP:=-273.16"}, {"T101" + cold}},
      {"frmCalc06", {"Omgivende:=-300"}, {"T104" + cold}},
      {"frmCalc07", {"txtStarTemp:=-300"}, {"T206" + cold}},
      {"frmCalc07", {"optCalcType(1)!", "txtSluTemp:=-300"}, {"T207" + cold}},
      {"frmCalc07", {"txtSluTemp.=-300"}, {}},  // disabled: the temperature worked out
  };
  const char* caption[] = {"", "T134", "T135", "T136", "T137", "T138", "T139", "T204"};
  for (const auto& [window, steps, lines] : cases) {
    SCOPED_TRACE(std::string(window) + " " + steps.back().substr(0, 20));
    forms::Form& w = open(window);
    const int n = window[8] - '0', k = veltaro::CalcTypeOf(n);
    if (!steps[0].empty()) perform(w, validSteps(window));
    perform(w, {steps.begin() + (steps[0].empty() ? 1 : 0), steps.end()});
    w.control("Beregn").userClick();
    EXPECT_EQ(shownErrors(), errorList(caption[n], n == 6 ? "T18" : "T19", lines));
    if (!lines.empty()) {
      EXPECT_TRUE(app.get("frmErrorInfo").topmost() && !fx().ResultValid[k]);
    }
    EXPECT_EQ(w.mousePointer(), forms::kPointerDefault);
    w.unload();
  }
}

TEST_F(CalcTest, ANumberBeyondRangeIsRefusedByItsCaptionInEveryBox) {
  // One line, naming the box by the caption the window shows beside it (or above its column,
  // with the row), and no other test fails for that value.
  fx().TextTable.set(266, ": too large");
  using Steps = std::vector<std::string>;
  const Steps save24{"cbxSave!", "RORL~100", "Energienh=kWh", "Pris~1"},
      save1 = cat({save24, {"EmisionUiso=0.94 Stålrør"}}),
      wind1{"optInSite(1)!", "VINDHASTIGHED~5"}, wind{"UDE!", "VINDHASTIGHED~5"};
  // Window, steps after valid inputs, each box ("~": typed and left) and its caption in turn.
  const std::tuple<const char*, Steps, Steps> cases[] = {
      {"frmCalc01", {},
       {"RORCOM T89", "MEDIETEMP T101", "ISOLERINGST T201", "Emission T129", "Omgivende T104"}},
      {"frmCalc01", {"PLAN!"}, {"PLANH T90"}},
      {"frmCalc01", wind1, {"VINDHASTIGHED T103"}},
      {"frmCalc01", save1, {"RORL T105", "EmisionUiso T106", "Pris T107", "Drift T108"}},
      {"frmCalc01",
       cat({{"PLAN!", "PLANH~2000"}, save1}),
       {"RORL T168"}},  // the area's caption then
      {"frmCalc02", {},
       {"RORCOM T89", "MEDIETEMP T101", "Emission T129", "Omgivende T104", "OVERFLADE T113"}},
      {"frmCalc02", {"PLAN!"}, {"PLANH T90"}},
      {"frmCalc02", wind, {"VINDHASTIGHED T103"}},
      {"frmCalc03", {}, {"RORCOM T89", "MEDIETEMP T101", "VARMETAB T169", "Omgivende T104"}},
      {"frmCalc03", wind, {"VINDHASTIGHED T103"}},
      {"frmCalc04", {},
       {"MEDIETEMP T101", "Driftstid T98", "SPILDFAKTOR T111", "Emission T129", "Omgivende T104"}},
      {"frmCalc04", {"PLAN!", "PLANH~2000", "LOD!"}, {"MEDIETEMP T101", "Omgivende T104"}},
      {"frmCalc05", {},
       {"RORCOM T89", "MEDIETEMP T101", "Omgivende T104", "Emission T129", "Luftfugtighed T185"}},
      {"frmCalc06", {},
       {"RORCOM T89", "Emission T129", "MEDIETEMP T101", "Omgivende T104", "Indvendig T123", "StofK T122", "MEDIEHAST T124",
        "Luftfugtighed T121"}},
      {"frmCalc07", {},
       {"RORCOM T89", "MEDIESTR T209", "txtLength T211", "txtStarTemp T206", "ISOLERINGST T102",
        "Omgivende T104", "Emission T129"}},
      {"frmCalc07", {"optCalcType(1)!", "txtSluTemp=40"}, {"txtSluTemp T207"}},
      {"frmCalc07", wind, {"VINDHASTIGHED T103"}},
      {"frmCalc21", {},
       {"MEDIETEMP T101", "~Omgivende T104", "Emission T129", "ISOLERINGST(0) T154 1",
        "ISOLERINGST(1) T154 2"}},
      {"frmCalc21", {"PLAN!", "PLANH~2000", "LOD!"}, {"PLANH T90"}},
      {"frmCalc21", wind, {"VINDHASTIGHED T103"}},
      {"frmCalc22", {},
       {"RORCOM T89", "MEDIETEMP T101", "Omgivende T104", "Skilleflade(0) T125 1",
        "OVERFLADE T113"}},
      {"frmCalc23", {}, {"MEDIETEMP T101", "Omgivende T104", "Skilleflade(0) T125 1", "~VT T169"}},
      {"frmCalc24", {},
       {"RORCOM T89", "~MEDIETEMP T101", "Omgivende T104", "ISOLERINGST(0) T102",
        "ISOLERINGST(1) T102", "Emission(0) T129", "Emission(1) T130"}},
      {"frmCalc24", {"PLAN!", "LOD!"}, {"PLANH T90"}},
      {"frmCalc24", wind1, {"VINDHASTIGHED T103"}},
      {"frmCalc24", save24, {"~RORL T105", "Pris T107", "Drift T108"}},
  };
  const char* caption[] = {"", "T134", "T135", "T136", "T137", "T138", "T139", "T204"};
  for (const auto& [window, steps, boxes] : cases) {
    for (const std::string& row : boxes) {
      const bool typed = row[0] == '~';
      const std::string box = row.substr(typed, row.find(' ') - typed),
                        named = row.substr(row.find(' ') + 1);
      SCOPED_TRACE(std::string(window) + " " + box);
      forms::Form& w = open(window);
      // Left, a box that shows the number it reads keeps the digits for the check.
      perform(w, cat({validSteps(window), steps,
                      {box + (typed ? "~" : ":=") + std::string(400, '9'), "Beregn>"}}));
      w.control("Beregn").userClick();
      const int n = std::stoi(std::string(window).substr(7));
      std::string expected = errorList(n > 7 ? w.caption() : caption[n], n == 6 ? "T18" : "T19",
                                       {named + ": too large"});
      if (n == 22) expected.erase(expected.find('-'), 90);      // its list has no dashes
      if (std::ranges::find(steps, "cbxSave!") != steps.end())  // the savings' own header
        expected = "\r\nT126\r\nT20\r\n" + std::string(58, '-') + "\r\n" + named +
                   ": too large\r\n" + std::string(100, ' ') + "T18";
      EXPECT_EQ(shownErrors(), expected);
      EXPECT_FALSE(fx().ResultValid[veltaro::CalcTypeOf(n)]);
      w.unload();
    }
  }
}

TEST_F(CalcTest, SavingsFailuresFollowTheOthersUnderTheirOwnHeader) {
  // The others' list without its closing line, then the savings header, a shorter rule, lines.
  auto withSavings = [](const std::string& others) {
    std::string list = others.substr(0, others.size() - (others.empty() ? 0 : 103)) +
                       "\r\nT126\r\nT20\r\n" + std::string(58, '-');
    for (const char* l : {"T5", "T14", "T15", "T16", "T17"}) list += std::string("\r\n") + l;
    return list + "\r\n" + std::string(100, ' ') + "T18";
  };
  forms::Form& w1 = open("frmCalc01");
  enter(w1, Inputs{});
  perform(w1, {"PRODUKT:=Ingen", "ISOLERINGST~50", "cbxSave!", "EmisionUiso:=1", "Drift:=0",
               "Energienh:=Ingen"});  // an energy unit that names no entry is not chosen
  w1.control("Beregn").userClick();
  EXPECT_EQ(shownErrors(), withSavings(errorList("T134", "T19", {"T9"})));
  EXPECT_EQ(w1.control("VT").text(), "");
  perform(w1, {"PRODUKT=" + std::string(kPipeProduct), "ISOLERINGST~50", "Beregn!"});
  EXPECT_EQ(shownErrors(), withSavings(""));
  app.get("frmErrorInfo").control("cmdOK").userClick();
  EXPECT_FALSE(app.isLoaded("frmErrorInfo"));
}

TEST_F(CalcTest, ResultBoxesTakeNoTypingAfterACalculation) {
  // A whole array is a result.
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"frmCalc01", {"OVERFLADE", "VT", "VTU", "Bespar"}},
      {"frmCalc02", {"ISOLERINGST", "VARMETAB"}},
      {"frmCalc03", {"ISOLERINGST", "OVERFLADE"}},
      {"frmCalc04", {"Klasse", "ISOLERINGST", "OVERFLADE", "VARMETAB"}},
      {"frmCalc05", {"ISOLERINGST", "Dugpunkt", "VARMETAB"}},
      {"frmCalc06", {"ISOLERINGST", "OVERFLADE", "VARMETAB"}},
      {"frmCalc07", {"txtIsoTyk", "txtStaTemp", "txtSlTemp"}},
      {"frmCalc21", {"VT", "OVERFLADE", "Skilleflade"}},
      {"frmCalc22", {"VT", "ISOLERINGST"}},
      {"frmCalc23", {"OVERFLADE", "ISOLERINGST"}},
      {"frmCalc24", {"SkilTemp", "OVERFLADE", "VT", "VTU", "Bespar"}},
  };
  for (const auto& [window, results] : cases) {
    SCOPED_TRACE(window);
    forms::Form& w = open(window);
    perform(w, validSteps(window));
    w.control("Beregn").userFocus();
    w.control("Beregn").userClick();
    const int k = veltaro::CalcTypeOf(std::stoi(std::string(window).substr(7)));
    ASSERT_TRUE(fx().ResultValid[k]) << shownErrors();
    std::vector<forms::Control*> boxes;
    for (const std::string& name : results) {
      auto array = w.controlArray(name);
      boxes.insert(boxes.end(), array.begin(), array.end());
      if (array.empty()) boxes.push_back(&w.control(name));
    }
    auto texts = [&] {
      std::string r;
      for (forms::Control* b : boxes) r += b->text() + "|";
      return r;
    };
    const std::string shown = texts();
    for (forms::Control* box : boxes) {
      box->userFocus();
      box->userType("\b9,5");
      box->userEditText("999", 3);  // a paste
      EXPECT_TRUE(texts() == shown && fx().ResultValid[k]) << box->name() << box->index();
    }
    w.unload();
  }
}

TEST_F(CalcTest, CalculationFillsTheDetailsAndTouchingAnInputClearsEverything) {
  showPipeDistances(true);
  forms::Form& w = open("frmCalc01");
  enter(w, Inputs{});
  perform(w, {"ISOLERINGST~50", "Beregn!"});
  ASSERT_TRUE(fx().ResultValid[1] && app.isLoaded("frmPipedistance"));
  EXPECT_FALSE(app.isLoaded("frmErrorInfo"));
  // The details hold the last run, shown by the main window's command.
  auto& details = app.get<veltaro::frmDetails>();
  EXPECT_EQ(details.control("lblHeader").caption(), "T134");
  EXPECT_EQ(veltaro::ParseNumber(details.control("T0").caption()), number(w, "OVERFLADE"));
  // Touching an input empties the results: they always belong to the inputs beside them.
  type(w.control("MEDIETEMP"), "160");
  EXPECT_EQ(w.control("VT").text() + details.control("lblHeader").caption(), "");
  EXPECT_FALSE(fx().ResultValid[1] || app.isLoaded("frmPipedistance"));
}

TEST_F(CalcTest, DetailsAreRoundedHalvesToEvenAndBlankedByClearDetails) {
  auto& w = app.get<veltaro::frmDetails>();
  auto shown = [&w] {  // lh, hr, hcv, Q, T0, the flow regime and the header
    std::string r;
    for (const char* n : {"lh", "hr", "hcv", "Q", "T0", "LT", "lblHeader"})
      r += w.control(n).caption() + "|";
    return r;
  };
  const std::tuple<std::array<double, 5>, const char*, const char*> cases[] = {
      {{10.125, 5.0625, 4.375, 12.25, 20.5}, ".", "10.12|5.062|4.38|12.2|20|laminar|Title|"},
      {{8.5, 1.1875, 3.625, -3.25, -0.5}, ",", "8,5|1,188|3,62|-3,2|0|laminar|Title|"},
  };
  for (const auto& [v, decimal, expected] : cases) {
    platform.decimal = decimal;
    veltaro::FillDetails(v[0], v[1], v[2], v[3], v[4], "laminar", "Title");
    EXPECT_EQ(shown(), expected);
    EXPECT_FALSE(w.visible());
  }
  fx().HeatFlow = 100;
  fx().Lambda = 0.04;
  fx().FlowRegimeText = "turbulent";
  veltaro::ClearDetails();
  EXPECT_EQ(shown(), "0|0|0|0|0| ||");
  EXPECT_EQ(fx().HeatFlow + fx().FlowRegimeText.size(), 0);
  EXPECT_EQ(fx().Lambda, 0.04);  // not a result of the last pass: kept
  // The unit column as shown: the heat flow's unit follows the geometry of the active window,
  // per m² with none and for a plane, per metre for a pipe (window 7 has only ducts).
  auto units = [&w] {
    w.show();
    std::string r;
    for (int i = 8; i <= 12; ++i) r += w.control("lblDetails", i).caption() + "|";
    w.hide();
    return r;
  };
  const std::string plane = "W/m²· K|W/m²· K|W/m²· K|W/m²|°C|";
  const std::string pipe = "W/m²· K|W/m²· K|W/m²· K|W/m|°C|";
  EXPECT_EQ(units(), plane);
  for (int n : {1, 2, 3, 4, 5, 6, 7, 21, 22, 23, 24}) {
    forms::Form& calc = open(veltaro::calcFormName(n));
    std::string shown = units();
    if (calc.control("PLAN").enabled()) {
      calc.control("PLAN").userClick();
      shown += units();
    }
    EXPECT_EQ(shown, n == 7 ? pipe : pipe + plane) << n;
  }
}

}  // namespace
}  // namespace calctest
