// Whole reports of calculations 1 to 3, as the windows hold them after a user's inputs and a
// calculation's results, compared byte for byte with golden files.

#include "report/ReportFixture.h"

namespace reporttest {
namespace {

using veltaro::fx;

struct Scenario {
  const char* golden;
  const char* market;
  int calc;
  calctest::CalcTest::Inputs in;
  bool savings = false;
  bool print = false;
  bool pipeDistanceMenu = false;
  std::vector<std::pair<const char*, const char*>> results;
};

TEST_F(ReportTest, ReportsOfCalculationsOneToThreeMatchTheirGoldenFiles) {
  const Scenario scenarios[] = {
      {.golden = "calc01-dk-pipe-outdoors-savings",
       .market = "DK",
       .calc = 1,
       .in = {.outdoors = true, .wind = "5"},
       .savings = true,
       .results =
           {{"OVERFLADE", "24.1"}, {"VTU", "812,34"}, {"VT", "31,25"}, {"Bespar", "1234.5"}}},
      {.golden = "calc01-se-plane-indoors-print",
       .market = "SE",
       .calc = 1,
       .in = {.height = "800", .product = calctest::kMatProduct},
       .print = true,
       .results = {{"OVERFLADE", "28.4"}, {"VT", "0.25"}, {"txtAktTykk", "60"}}},
      {.golden = "calc02-lt-pipe-indoors",
       .market = "LT",
       .calc = 2,
       .in = {.diameter = "60.3"},
       .pipeDistanceMenu = true,
       .results = {{"OVERFLADE", "30"}, {"ISOLERINGST", "40"}, {"VARMETAB", "12.6"}}},
      {.golden = "calc03-mrn-plane-outdoors",
       .market = "MRN",
       .calc = 3,
       .in = {.height = "1200", .outdoors = true, .wind = "2,5"},
       .results = {{"VARMETAB", "35,4"}, {"ISOLERINGST", "80"}, {"OVERFLADE", "22.3"}}},
  };
  for (const Scenario& s : scenarios) {
    SCOPED_TRACE(s.golden);
    for (forms::Form* w : app.loadedForms())
      if (w->name().rfind("frmCalc", 0) == 0) w->unload();
    market(s.market);
    if (std::string(s.market) == "LT") fx().TextTable.set(153, "Skaičiavimas");
    fx().HeatLossDecimals = 1;
    showPipeDistances(s.pipeDistanceMenu);
    caseFields("JKL", "Tank <2> & \"hall\" 'B'", "07-12-2026");
    forms::Form& w = open(veltaro::calcFormName(s.calc));
    enter(w, s.in);
    if (s.calc == 1) {
      choose(w.control("ISOLERINGST"), "50");
      if (s.savings) {
        w.control("cbxSave").userClick();
        type(w.control("RORL"), "100");
        choose(w.control("EmisionUiso"), "0.94 Stålrør");
        choose(w.control("Energienh"), "MWh");
        type(w.control("Pris"), "0,75");
        type(w.control("Drift"), "8760");
      }
    } else {
      put(w, s.calc == 2 ? "OVERFLADE" : "VARMETAB", "");
    }
    for (const auto& [box, text] : s.results) put(w, box, text);
    expectGolden(s.golden, report(s.calc, w, s.print));
  }
}

}  // namespace
}  // namespace reporttest
