// The writers of calculations 4 to 7 and 21 to 24 on windows that show which control fills
// each cell: whole reports against golden files, the constant number of table rows, and the
// writers that stop on a window they cannot read.

#include "report/ReportFixture.h"
#include "report/StandIns.h"

namespace reporttest {
namespace {

using veltaro::fx;

struct Setting {
  const char* control;
  int index = -1;
  const char* text = nullptr;  // nullptr: an option or check box set to 1
};

class WritersTest : public ReportTest {
 protected:
  WritersTest() { registerStandIns(app); }
  forms::Form& standIn(int calc, const std::vector<Setting>& settings) {
    app.unloadIfLoaded("standIn" + std::to_string(calc));
    forms::Form& w = app.get("standIn" + std::to_string(calc));
    for (const Setting& s : settings) {
      if (s.text)
        w.control(s.control, s.index).setTextSilently(s.text);
      else
        w.control(s.control, s.index).setValueSilently(1);
    }
    return w;
  }
  int tableRows(int calc, const std::vector<Setting>& settings) {
    const std::string r = report(calc, standIn(calc, settings));
    int rows = 0;
    for (std::size_t i = r.find("<TR"); i != std::string::npos; i = r.find("<TR", i + 1)) ++rows;
    return rows;
  }
};

TEST_F(WritersTest, ReportsMatchTheirGoldenFiles) {
  struct Case {
    const char* golden;
    const char* market;
    int calc;
    std::vector<Setting> settings;
  };
  const Setting pipe{"ROR"}, plane{"PLAN"}, in{"INDE"}, out{"UDE"}, lod{"LOD"}, vand{"VAND"};
  const Case cases[] = {
      {"calc04-dk-pipe-outdoors-hours",
       "DK",
       4,
       {pipe, out, vand, {"Drift"}, {"RORCOM", -1, "88,9"}, {"VARMETAB", -1, "1234.5"}}},
      {"calc04-no-plane-indoors-class",
       "NO",
       4,
       {plane, in, lod, {"Klassean"}, {"PLANH", -1, "1000"}, {"VARMETAB", -1, "0.4"}}},
      {"calc05-se-pipe-indoors", "SE", 5, {pipe, in, vand, {"VARMETAB", -1, "-2,5"}}},
      {"calc06-ee-plane-outdoors", "EE", 6, {plane, out, lod, {"VARMETAB", -1, "2.5"}}},
      {"calc07-uk-pipe-indoors-thickness",
       "UK",
       7,
       {pipe, in, vand, {"optCalcType", 0}, {"RORCOM", -1, "219.1"}, {"STRHAST", -1, "m³/h"}}},
      {"calc07-dk-plane-outdoors-end", "DK", 7, {plane, out, lod, {"optCalcType", 2}}},
      {"calc21-dk-pipe-outdoors-two", "DK", 21, {pipe, out, vand, {"AntalLag", -1, "2"}}},
      {"calc22-lv-plane-indoors-six", "LV", 22, {plane, in, lod, {"AntalLag", -1, "6"}}},
      {"calc23-dk-plane-indoors-three", "DK", 23, {plane, in, lod, {"AntalLag", -1, "3"}}},
      {"calc24-dk-pipe-indoors-savings",
       "DK",
       24,
       {pipe, {"optInSite", 0}, vand, {"cbxSave"}, {"RORCOM", -1, "114.3"}}},
      {"calc24-mrn-plane-outdoors", "MRN", 24, {plane, {"optInSite", 1}, lod}},
  };
  showPipeDistances(true);
  caseFields("AB", "Pumpehus", "07-12-2026");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    fx().CountryCode = c.market;
    expectGolden(c.golden, report(c.calc, standIn(c.calc, c.settings)));
  }
}

TEST_F(WritersTest, EveryChoiceKeepsTheNumberOfTableRows) {
  struct Case {
    int calc;
    std::vector<std::vector<Setting>> choices;
  };
  const Case cases[] = {
      {4, {{{"Drift"}, {"UDE"}}, {{"Klassean"}, {"INDE"}}, {{"Drift"}, {"INDE"}}}},
      {5, {{{"UDE"}}, {{"INDE"}}}},
      {6, {{{"UDE"}}, {{"INDE"}}}},
      {7,
       {{{"optCalcType", 0}, {"INDE"}},
        {{"optCalcType", 1}, {"UDE"}},
        {{"optCalcType", 2}, {"INDE"}}}},
      {21, {{{"AntalLag", -1, "2"}, {"UDE"}}, {{"AntalLag", -1, "4"}, {"INDE"}}}},
      {22, {{{"AntalLag", -1, "6"}, {"UDE"}}, {{"AntalLag", -1, "3"}, {"INDE"}}}},
      {23, {{{"AntalLag", -1, "5"}, {"UDE"}}, {{"AntalLag", -1, "2"}, {"INDE"}}}},
      {24, {{{"optInSite", 0}}, {{"optInSite", 1}}}},
  };
  for (const Case& c : cases) {
    const int rows = tableRows(c.calc, c.choices[0]);
    for (const auto& choice : c.choices) EXPECT_EQ(tableRows(c.calc, choice), rows) << c.calc;
  }
}

TEST_F(WritersTest, AWriterThatCannotReadItsWindowWritesNothingAndSaysSo) {
  forms::Form& good = standIn(21, {{"ROR"}, {"AntalLag", -1, "2"}});
  const std::string before = report(21, good);
  struct Case {
    int calc;
    const char* window;
    const char* layers;
  };
  const Case cases[] = {
      {21, "standIn21", ""},   // no number of layers
      {22, "standIn22", "7"},  // a seventh layer the window has no row for
      {21, "frmCalc01", "2"},  // another window's controls
      {8, "standIn21", "2"},   // no such calculation
  };
  for (const Case& c : cases) {
    forms::Form& w = app.get(c.window);
    if (w.findControl("AntalLag")) w.control("AntalLag").setTextSilently(c.layers);
    platform.expectMsgBox(1, "The report could not be written");
    EXPECT_FALSE(reports.WriteReport(c.calc, w, false, false)) << c.window;
    EXPECT_EQ(readBytes(reportFile()), before) << c.window;
  }
  EXPECT_TRUE(platform.scriptDone());
  EXPECT_FALSE(std::filesystem::exists(reportFile().string() + ".tmp"));
}

}  // namespace
}  // namespace reporttest
