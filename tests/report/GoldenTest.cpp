// Whole reports of every calculation window, as a user's inputs and a calculation's results
// left it, compared byte for byte with golden files: the writer reads every control it names
// on the real window, with the captions the window gives them.

#include "report/ReportFixture.h"

namespace reporttest {
namespace {

using veltaro::fx;

struct Step {
  const char* control;
  int index = -1;
  const char* text = nullptr;  // nullptr: the user clicks the control
};

TEST_F(ReportTest, ReportsMatchTheirGoldenFiles) {
  struct Case {
    const char* golden;
    const char* market;
    int calc;
    calctest::CalcTest::Inputs in;
    std::vector<Step> steps;
    bool sharedInputs = true;  // false: the window has its own, all in the steps
    bool print = false;
  };
  // clang-format off
  const Case cases[] = {
      {"calc01-dk-pipe-outdoors-savings", "DK", 1, {.outdoors = true},
       {{"ISOLERINGST", -1, "50"}, {"cbxSave"}, {"RORL", -1, "100"},
        {"EmisionUiso", -1, "0.94 Stålrør"}, {"Energienh", -1, "MWh"}, {"Pris", -1, "0,75"},
        {"Drift", -1, "8760"}, {"OVERFLADE", -1, "24.1"}, {"VTU", -1, "812,34"},
        {"VT", -1, "31,25"}, {"Bespar", -1, "1234.5"}}},
      {"calc01-se-plane-indoors-print", "SE", 1, {.height = "800", .product = calctest::kMatProduct},
       {{"ISOLERINGST", -1, "50"}, {"OVERFLADE", -1, "28.4"}, {"VT", -1, "0.25"},
        {"txtAktTykk", -1, "60"}}, true, true},
      {"calc02-lt-pipe-indoors", "LT", 2, {.diameter = "60.3"},
       {{"OVERFLADE", -1, "30"}, {"ISOLERINGST", -1, "40"}, {"VARMETAB", -1, "12.6"}}},
      {"calc03-mrn-plane-outdoors", "MRN", 3, {.height = "1200", .outdoors = true, .wind = "2,5"},
       {{"VARMETAB", -1, "35,4"}, {"ISOLERINGST", -1, "80"}, {"OVERFLADE", -1, "22.3"}}},
      {"calc04-dk-pipe-outdoors-hours", "DK", 4, {.diameter = "88.9", .outdoors = true},
       {{"Drift"}, {"Driftstid", -1, "6000"}, {"SPILDFAKTOR", -1, "1,2"}, {"Klasse", -1, "3"},
        {"ISOLERINGST", -1, "80"}, {"OVERFLADE", -1, "24"}, {"VARMETAB", -1, "41,6"}}},
      {"calc05-se-plane-indoors", "SE", 5, {.height = "600", .medium = "5", .ambient = "25"},
       {{"Luftfugtighed", -1, "80"}, {"ISOLERINGST", -1, "30"}, {"Dugpunkt", -1, "21.3"},
        {"VARMETAB", -1, "-7,5"}}},
      {"calc06-dk-pipe-indoors", "DK", 6, {.diameter = "88.9", .medium = "8"},
       {{"MEDIEHAST", -1, "2"}, {"Luftfugtighed", -1, "90"}, {"Indvendig", -1, "80.9"},
        {"StofK", -1, "3.6 Luft, fugtig"}, {"ISOLERINGST", -1, "40"}, {"OVERFLADE", -1, "5.2"},
        {"VARMETAB", -1, "-12,5"}}},
      {"calc07-uk-pipe-outdoors-start", "UK", 7, {},
       {{"UDE"}, {"optCalcType", 1}, {"RORCOM", -1, "315"}, {"VINDHASTIGHED", -1, "4"},
        {"MEDIE", -1, "Air"}, {"MEDIESTR", -1, "0,5"}, {"STRHAST", -1, "m³/h"},
        {"txtSluTemp", -1, "30"}, {"txtLength", -1, "25"}, {"ISOLERINGST", -1, "50"},
        {"Omgivende", -1, "-5"}, {"txtStaTemp", -1, "41.2"}}, false},
      {"calc21-dk-pipe-outdoors-three", "DK", 21,
       {.diameter = "114.3", .outdoors = true, .product = ""},
       {{"AntalLag", -1, "3"}, {"ISOLERINGST", 0, "30"}, {"ISOLERINGST", 1, "40"},
        {"ISOLERINGST", 2, "50"}, {"PRODUKT", 2, "Torvelin <Alu> & kappe"},
        {"Skilleflade", 0, "120.5"}, {"Skilleflade", 1, "61.2"}, {"VT", -1, "28.4"},
        {"OVERFLADE", -1, "23.1"}}},
      {"calc22-se-plane-indoors-two", "SE", 22, {.height = "1000", .product = ""},
       {{"AntalLag", -1, "2"}, {"Skilleflade", 0, "100"}, {"OVERFLADE", -1, "30"},
        {"ISOLERINGST", 0, "50"}, {"ISOLERINGST", 1, "40"}, {"VT", -1, "35.2"}}},
      {"calc23-lt-pipe-indoors-four", "LT", 23, {.diameter = "60.3", .product = ""},
       {{"AntalLag", -1, "4"}, {"VT", -1, "40"}, {"Skilleflade", 0, "130"},
        {"Skilleflade", 1, "90"}, {"Skilleflade", 2, "45"}, {"ISOLERINGST", 0, "20"},
        {"ISOLERINGST", 1, "30"}, {"ISOLERINGST", 2, "30"}, {"ISOLERINGST", 3, "40"},
        {"OVERFLADE", -1, "27.5"}}},
      {"calc24-se-pipe-outdoors-savings", "SE", 24, {},
       {{"optInSite", 1}, {"cbxSave"}, {"RORCOM", -1, "114.3"}, {"MEDIETEMP", -1, "150"},
        {"Omgivende", -1, "20"}, {"VINDHASTIGHED", -1, "5"}, {"ISOLERINGST", 0, "50"},
        {"PRODUKT", 1, "Torvelin Konstant"}, {"ISOLERINGST", 1, "30"}, {"RORL", -1, "100"},
        {"Energienh", -1, "kWh"}, {"Pris", -1, "1,25"}, {"Drift", -1, "8760"},
        {"SkilTemp", -1, "61.3"}, {"OVERFLADE", -1, "24.4"}, {"VTU", -1, "35.2"},
        {"VT", -1, "18.9"}, {"Bespar", -1, "1456"}}, false},
      {"calc24-dk-plane-indoors-savings", "DK", 24, {},
       {{"PLAN"}, {"cbxSave"}, {"PLANH", -1, "1000"}, {"RORL", -1, "12"}, {"VT", -1, "21.5"}},
       false},
  };
  // clang-format on
  writeLines("Text/Class.DK", {"Klasse 1", "Klasse 2", "Klasse 3", "Klasse 4", "VÆLG klasse"});
  showPipeDistances(true);
  fx().HeatLossDecimals = 1;
  caseFields("JKL", "Tank <2> & \"hall\" 'B'", "07-12-2026");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    const std::string name = veltaro::calcFormName(c.calc);
    market(c.market);
    fx().TextTable.set(153, c.market == std::string("LT") ? "Skaičiavimas" : "Beregning");
    app.unloadIfLoaded(name);
    forms::Form& w = open(name);
    if (c.sharedInputs) enter(w, c.in);
    for (const Step& s : c.steps) {
      if (s.text)
        put(w, s.control, s.text, s.index);
      else
        w.control(s.control, s.index).userClick();
    }
    expectGolden(c.golden, report(c.calc, w, c.print));
  }
}

}  // namespace
}  // namespace reporttest
