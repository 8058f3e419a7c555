// Whole reports of every calculation window, as a user's inputs and a calculation's results
// left it, compared byte for byte with golden files: the writer reads every control it names
// on the real window, with the captions the window gives them.

#include <cctype>
#include <optional>

#include "report/ReportFixture.h"
#include "support/Steps.h"

namespace reporttest {
namespace {

using veltaro::fx;
using In = calctest::CalcTest::Inputs;
using calctest::kMatProduct;

TEST_F(ReportTest, ReportsMatchTheirGoldenFiles) {
  struct Case {
    const char* golden;        // "calcNN-market-...": the calculation and the market
    std::optional<In> in;      // none: the window has its own, all in the steps
    std::string steps;         // "NAME" clicks, "NAME(i)=text" writes from code, parted by ';'
    bool print = false;
  };
  const Case cases[] = {
      {"calc01-dk-pipe-outdoors-savings", In{.outdoors = true}, "ISOLERINGST=50;cbxSave;RORL=100;"
       "EmisionUiso=0.94 Stålrør;Energienh=MWh;Pris=0,75;Drift=8760;OVERFLADE=24.1;VTU=812,34;"
       "VT=31,25;Bespar=1234.5"},
      // Calculated: the pipe distances of its result, over their drawing.
      {"calc01-se-pipe-indoors-distances", In{.diameter = "60.3"}, "ISOLERINGST=50;Beregn"},
      {"calc01-se-plane-indoors-print", In{.height = "800", .product = kMatProduct},
       "ISOLERINGST=50;OVERFLADE=28.4;VT=0.25;txtAktTykk=60", true},
      {"calc02-lt-pipe-indoors", In{.diameter = "60.3"},
       "OVERFLADE=30;ISOLERINGST=40;VARMETAB=12.6"},
      {"calc03-mrn-plane-outdoors", In{.height = "1200", .outdoors = true, .wind = "2,5"},
       "VARMETAB=35,4;ISOLERINGST=80;OVERFLADE=22.3"},
      {"calc04-dk-pipe-outdoors-hours", In{.diameter = "88.9", .outdoors = true}, "Drift;"
       "Driftstid=6000;SPILDFAKTOR=1,2;Klasse=3;ISOLERINGST=80;OVERFLADE=24;VARMETAB=41,6"},
      {"calc05-se-plane-indoors", In{.height = "600", .medium = "5", .ambient = "25"},
       "Luftfugtighed=80;ISOLERINGST=30;Dugpunkt=21.3;VARMETAB=-7,5"},
      {"calc06-dk-pipe-indoors", In{.diameter = "88.9", .medium = "8"}, "MEDIEHAST=2;"
       "Luftfugtighed=90;Indvendig=80.9;StofK=3.6 Luft, fugtig;ISOLERINGST=40;OVERFLADE=5.2;"
       "VARMETAB=-12,5"},
      {"calc07-uk-pipe-outdoors-start", std::nullopt, "UDE;optCalcType(1);RORCOM=315;"
       "VINDHASTIGHED=4;MEDIE=Air;MEDIESTR=0,5;STRHAST=m³/h;txtSluTemp=30;txtLength=25;"
       "ISOLERINGST=50;Omgivende=-5;txtStaTemp=41.2"},
      {"calc21-dk-pipe-outdoors-three", In{.outdoors = true, .product = ""}, "AntalLag=3;"
       "ISOLERINGST(0)=30;ISOLERINGST(1)=40;ISOLERINGST(2)=50;PRODUKT(2)=Torvelin <Alu> & kappe;"
       "Skilleflade(0)=120.5;Skilleflade(1)=61.2;VT=28.4;OVERFLADE=23.1"},
      {"calc22-se-plane-indoors-two", In{.height = "1000", .product = ""}, "AntalLag=2;"
       "Skilleflade(0)=100;OVERFLADE=30;ISOLERINGST(0)=50;ISOLERINGST(1)=40;VT=35.2"},
      {"calc23-lt-pipe-indoors-four", In{.diameter = "60.3", .product = ""}, "AntalLag=4;VT=40;"
       "Skilleflade(0)=130;Skilleflade(1)=90;Skilleflade(2)=45;ISOLERINGST(0)=20;"
       "ISOLERINGST(1)=30;ISOLERINGST(2)=30;ISOLERINGST(3)=40;OVERFLADE=27.5"},
      {"calc24-se-pipe-outdoors-savings", std::nullopt, "optInSite(1);cbxSave;RORCOM=114.3;"
       "MEDIETEMP=150;Omgivende=20;VINDHASTIGHED=5;ISOLERINGST(0)=50;PRODUKT(1)=Torvelin Konstant;"
       "ISOLERINGST(1)=30;RORL=100;Energienh=kWh;Pris=1,25;Drift=8760;SkilTemp=61.3;"
       "OVERFLADE=24.4;VTU=35.2;VT=18.9;Bespar=1456"},
      // A plane indoors: the savings area in m² and the blank row where the wind would be.
      {"calc24-dk-plane-indoors-savings", std::nullopt, "PLAN;cbxSave;PLANH=1000;RORL=12;VT=21.5"},
  };
  showPipeDistances(true);
  fx().HeatLossDecimals = 1;
  const char* fields[] = {"Initialer:  JKL", "Sagsnavn:  Tank <2> & \"hall\" 'B'",
                          "Dato:  07-12-2026"};
  for (int i = 0; i < 3; ++i) main().control("txtCase", i).setText(fields[i]);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    const int calc = std::stoi(std::string(c.golden).substr(4, 2));
    const std::string name = veltaro::calcFormName(calc);
    std::string code = std::string(c.golden).substr(7);
    code.resize(code.find('-'));
    for (char& letter : code) letter = static_cast<char>(std::toupper(letter));
    market(code);
    fx().TextTable.set(153, code == "LT" ? "Skaičiavimas" : "Beregning");
    app.unloadIfLoaded(name);
    forms::Form& w = open(name);
    if (c.in) enter(w, *c.in);
    for (const std::string& text : testing_support::Split(c.steps)) {
      const testing_support::Step s(text);
      s.hasText ? put(w, s.control, s.text, s.index) : w.control(s.control, s.index).userClick();
    }
    expectGolden(c.golden, report(calc, w, c.print));
  }
}

}  // namespace
}  // namespace reporttest
