// Reports of the calculation windows themselves beyond 1 to 3: the writer reads every control
// it names on the real window, with the captions the window gives them.

#include "report/ReportFixture.h"

namespace reporttest {
namespace {

struct Step {
  const char* control;
  int index = -1;
  const char* text = nullptr;  // nullptr: the user clicks the control
};

TEST_F(ReportTest, ReportsOfTheRealWindowsMatchTheirGoldenFiles) {
  struct Case {
    const char* golden;
    const char* market;
    int calc;
    calctest::CalcTest::Inputs in;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"window04-dk-pipe-outdoors-hours",
       "DK",
       4,
       {.diameter = "88.9", .outdoors = true},
       {{"Drift"},
        {"Driftstid", -1, "6000"},
        {"SPILDFAKTOR", -1, "1,2"},
        {"Klasse", -1, "3"},
        {"ISOLERINGST", -1, "80"},
        {"OVERFLADE", -1, "24"},
        {"VARMETAB", -1, "41,6"}}},
      {"window05-se-plane-indoors",
       "SE",
       5,
       {.height = "600", .medium = "5", .ambient = "25"},
       {{"Luftfugtighed", -1, "80"},
        {"ISOLERINGST", -1, "30"},
        {"Dugpunkt", -1, "21.3"},
        {"VARMETAB", -1, "-7,5"}}},
  };
  writeLines("Text/Class.DK", {"Klasse 1", "Klasse 2", "Klasse 3", "Klasse 4", "VÆLG klasse"});
  showPipeDistances(true);
  caseFields("MN", "Kedelcentral", "07-12-2026");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    const std::string name = veltaro::calcFormName(c.calc);
    if (!app.isRegistered(name)) {
      ADD_FAILURE() << name << " is not part of this build";
      continue;
    }
    market(c.market);
    forms::Form& w = open(name);
    enter(w, c.in);
    for (const Step& s : c.steps) {
      if (s.text)
        put(w, s.control, s.text, s.index);
      else
        w.control(s.control, s.index).userClick();
    }
    expectGolden(c.golden, report(c.calc, w));
  }
}

}  // namespace
}  // namespace reporttest
