// Whole reports of every calculation window, as a user's inputs and a calculation's results
// left it, compared byte for byte with golden files: the writer reads every control it names
// on the real window, with the captions the window gives them.

#include <cctype>
#include <optional>

#include "report/ReportFixture.h"
#include "start/Startup.h"
#include "support/Steps.h"
#include "support/TimeZone.h"

namespace reporttest {
namespace {

using veltaro::fx;
using In = calctest::CalcTest::Inputs;
using calctest::kConstantProduct;
using calctest::kMatProduct;

TEST_F(ReportTest, ReportsMatchTheirGoldenFiles) {
  struct Case {
    const char* golden;    // "calcNN-market-...": the calculation and the market
    std::optional<In> in;  // none: the window has its own, all in the steps
    std::string steps;     // "NAME" clicks, "NAME(i)=text" writes from code, parted by ';'
    bool print = false;
  };
  // clang-format off
  const Case cases[] = {
      {"calc01-dk-pipe-outdoors-savings", In{.outdoors = true},
       "ISOLERINGST=50;cbxSave;RORL=100;EmisionUiso=0.94 Stålrør;Energienh=MWh;Pris=0,75;"
       "Drift=8760;OVERFLADE=24.1;VTU=812,34;VT=31,25;Bespar=1234.5"},
      // Calculated: the pipe distances of its result, over their drawing.
      {"calc01-se-pipe-indoors-distances", In{.diameter = "60.3"}, "ISOLERINGST=50;Beregn"},
      {"calc01-se-plane-indoors-print", In{.height = "800", .product = kMatProduct},
       "ISOLERINGST=50;OVERFLADE=28.4;VT=0.25;txtAktTykk=60", true},
      {"calc02-lt-pipe-indoors", In{.diameter = "60.3"},
       "OVERFLADE=30;ISOLERINGST=40;VARMETAB=12.6"},
      {"calc03-mrn-plane-outdoors", In{.height = "1200", .outdoors = true, .wind = "2,5"},
       "VARMETAB=35,4;ISOLERINGST=80;OVERFLADE=22.3"},
      {"calc04-dk-pipe-outdoors-hours", In{.diameter = "88.9", .outdoors = true},
       "Drift;Driftstid=6000;SPILDFAKTOR=1,2;Klasse=3;ISOLERINGST=80;OVERFLADE=24;VARMETAB=41,6"},
      {"calc05-se-plane-indoors", In{.height = "600", .medium = "5", .ambient = "25"},
       "Luftfugtighed=80;ISOLERINGST=30;Dugpunkt=21.3;VARMETAB=-7,5"},
      {"calc06-dk-pipe-indoors", In{.diameter = "88.9", .medium = "8"},
       "MEDIEHAST=2;Luftfugtighed=90;Indvendig=80.9;StofK=3.6 Luft, fugtig;ISOLERINGST=40;"
       "OVERFLADE=5.2;VARMETAB=-12,5"},
      {"calc07-uk-pipe-outdoors-start", std::nullopt,
       "UDE;optCalcType(1);RORCOM=315;VINDHASTIGHED=4;MEDIE=Air;MEDIESTR=0,5;STRHAST=m³/h;"
       "txtSluTemp=30;txtLength=25;ISOLERINGST=50;Omgivende=-5;txtStaTemp=41.2"},
      {"calc21-dk-pipe-outdoors-three", In{.outdoors = true, .product = ""},
       "AntalLag=3;ISOLERINGST(0)=30;ISOLERINGST(1)=40;ISOLERINGST(2)=50;"
       "PRODUKT(2)=Torvelin <Alu> & kappe;Skilleflade(0)=120.5;Skilleflade(1)=61.2;VT=28.4;"
       "OVERFLADE=23.1"},
      {"calc22-se-plane-indoors-two", In{.height = "1000", .product = ""},
       "AntalLag=2;Skilleflade(0)=100;OVERFLADE=30;ISOLERINGST(0)=50;ISOLERINGST(1)=40;VT=35.2"},
      {"calc23-lt-pipe-indoors-four", In{.diameter = "60.3", .product = ""},
       "AntalLag=4;VT=40;Skilleflade(0)=130;Skilleflade(1)=90;Skilleflade(2)=45;"
       "ISOLERINGST(0)=20;ISOLERINGST(1)=30;ISOLERINGST(2)=30;ISOLERINGST(3)=40;OVERFLADE=27.5"},
      {"calc24-se-pipe-outdoors-savings", std::nullopt,
       "optInSite(1);cbxSave;RORCOM=114.3;MEDIETEMP=150;Omgivende=20;VINDHASTIGHED=5;"
       "ISOLERINGST(0)=50;PRODUKT(1)=Torvelin Konstant;ISOLERINGST(1)=30;RORL=100;"
       "Energienh=kWh;Pris=1,25;Drift=8760;SkilTemp=61.3;OVERFLADE=24.4;VTU=35.2;VT=18.9;"
       "Bespar=1456"},
      // A plane indoors: the savings area in m² and the blank row where the wind would be.
      {"calc24-dk-plane-indoors-savings", std::nullopt, "PLAN;cbxSave;PLANH=1000;RORL=12;VT=21.5"},
      // The other side of each window's options: location, geometry, savings, mode, layers.
      {"calc01-no-pipe-indoors", In{.diameter = "60.3"}, "ISOLERINGST=40;OVERFLADE=31.2;VT=18,25"},
      {"calc01-uk-plane-outdoors-savings",
       In{.height = "1500", .outdoors = true, .wind = "3", .product = kMatProduct},
       "cbxSave;ISOLERINGST=80;RORL=25;EmisionUiso=0.9 Maling;Energienh=GJ;Pris=12,5;"
       "Drift=4000;OVERFLADE=21.7;VTU=950.46;VT=14.35;Bespar=2345.5"},
      {"calc02-ee-plane-outdoors", In{.height = "2000", .outdoors = true, .wind = "4"},
       "OVERFLADE=25;ISOLERINGST=60;VARMETAB=33.5"},
      {"calc03-lv-pipe-indoors", In{.diameter = "219.1"},
       "VARMETAB=45,5;ISOLERINGST=70;OVERFLADE=27.9"},
      {"calc04-no-plane-indoors-class", In{.height = "900"},
       "Klassean;IsoKlasse=Klasse 2;ISOLERINGST=60;OVERFLADE=26.1;VARMETAB=18.4"},
      {"calc05-ee-pipe-outdoors", In{.diameter = "60.3", .outdoors = true, .vertical = true,
                                     .wind = "2", .medium = "-10", .ambient = "15",
                                     .product = kConstantProduct},
       "Luftfugtighed=75;ISOLERINGST=40;Dugpunkt=10.6;VARMETAB=-9.5"},
      {"calc06-uk-plane-outdoors", In{.height = "500", .outdoors = true, .wind = "6",
                                      .medium = "10", .ambient = "-5",
                                      .product = kConstantProduct},
       "MEDIEHAST=3;Luftfugtighed=85;Indvendig=105.3 mm;StofK=3.9 Røggas;ISOLERINGST=30;"
       "OVERFLADE=-3.8;VARMETAB=12,5"},
      {"calc07-dk-pipe-indoors-thickness", std::nullopt,
       "optCalcType(0);RORCOM=219.1;MEDIE=Luft 79% N2, 21% O2;MEDIESTR=5;STRHAST=m/s;"
       "txtStarTemp=60;txtSluTemp=55;txtLength=30;PRODUKT=Torvelin Konstant;Omgivende=20;"
       "Emission=0.9 Maling;txtIsoTyk=40"},
      {"calc07-lv-pipe-outdoors-end", std::nullopt,
       "UDE;optCalcType(2);RORCOM=508;VINDHASTIGHED=3;MEDIE=Røggas 12%CO2, 3%H2O, 83%N2, 2%O2;"
       "MEDIESTR=1,2;STRHAST=kg/s;txtStarTemp=180;txtLength=40;PRODUKT=Torvelin Konstant;"
       "ISOLERINGST=50;Omgivende=0;Emission=0.26 Galvaniseret stål;txtSlTemp=171.4"},
      {"calc21-ee-plane-indoors-six", In{.height = "1200", .product = ""},
       "AntalLag=6;ISOLERINGST(0)=20;ISOLERINGST(1)=20;ISOLERINGST(2)=30;ISOLERINGST(3)=30;"
       "ISOLERINGST(4)=40;ISOLERINGST(5)=50;PRODUKT(2)=Torvelin Lamelmåtte;"
       "PRODUKT(3)=Torvelin Lamelmåtte;PRODUKT(4)=Torvelin Konstant;PRODUKT(5)=Torvelin Konstant;"
       "Skilleflade(0)=141.2;Skilleflade(1)=131.9;Skilleflade(2)=117.6;Skilleflade(3)=102.8;"
       "Skilleflade(4)=82.4;VT=12.3;OVERFLADE=21.6"},
      {"calc22-uk-pipe-outdoors-five",
       In{.diameter = "219.1", .outdoors = true, .wind = "8", .product = ""},
       "AntalLag=5;Skilleflade(0)=130;Skilleflade(1)=110;Skilleflade(2)=80;Skilleflade(3)=50;"
       "OVERFLADE=22;ISOLERINGST(0)=20;ISOLERINGST(1)=30;ISOLERINGST(2)=40;ISOLERINGST(3)=50;"
       "ISOLERINGST(4)=60;PRODUKT(2)=Torvelin Konstant;PRODUKT(3)=Torvelin Konstant;"
       "PRODUKT(4)=Torvelin Lamelmåtte;VT=38.7"},
      {"calc23-mrn-plane-outdoors-two",
       In{.height = "3000", .outdoors = true, .wind = "7", .product = ""},
       "AntalLag=2;VT=45;Skilleflade(0)=90;ISOLERINGST(0)=40;ISOLERINGST(1)=50;OVERFLADE=21.3"},
      {"calc24-lt-plane-outdoors", std::nullopt,
       "PLAN;optInSite(1);PLANH=2500;VINDHASTIGHED=4;MEDIETEMP=90;Omgivende=-10;"
       "PRODUKT(0)=Torvelin Lamelmåtte;ISOLERINGST(0)=30;Emission(0)=0.05 Aluminium blank;"
       "PRODUKT(1)=Torvelin Konstant;ISOLERINGST(1)=50;Emission(1)=0.9 Maling;SkilTemp=41.8;"
       "OVERFLADE=-8.9;VT=22.4"},
      {"calc24-no-pipe-indoors", std::nullopt,
       "RORCOM=88.9;MEDIETEMP=120;Omgivende=18;ISOLERINGST(0)=40;ISOLERINGST(1)=40;"
       "SkilTemp=58.2;OVERFLADE=22.7;VT=16.8"},
  };
  // clang-format on
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
    ExpectGolden(c.golden, report(calc, w, c.print), folder);
  }
}

// Each market's own words, logo, contact block and pipe-distance block, on the data we ship: a
// user starts the program, fills the case header, calculates a pipe outdoors in window 1, with
// savings where the market offers them (the marine edition does not), and previews the report.
TEST(ShippedReports, EachMarketInItsOwnWordsAndLogo) {
  const std::pair<const char*, bool> markets[] = {{"DK", true}, {"NO", true},  {"SE", true},
                                                  {"UK", true}, {"LT", true},  {"EE", true},
                                                  {"LV", true}, {"MRN", false}};
  // Typed: "name=89", or "name#i": the list's item i, or "name!": a click.
  const std::vector<std::string> pipe{"RORCOM=89",      "optInSite(1)!", "VINDHASTIGHED=4",
                                      "MEDIETEMP=150",  "Omgivende=10",  "PRODUKT#0",
                                      "ISOLERINGST=50", "Emission#3"},
      savings{"cbxSave!", "RORL=100", "EmisionUiso#2", "Energienh#1", "Pris=450", "Drift=8760"};
  // The header's date is the day of the user's clock: noon in a zone of the test's own.
  const testing_support::TimeZone utc("UTC0");
  for (const auto& [code, offersSavings] : markets) {
    SCOPED_TRACE(code);
    veltaro::resetFx();
    testing_support::ProgramFolder folder{"shipped"};
    folder.shipData();
    folder.writeBytes("VELTARO.INI", std::string(code) + "\r\n");
    testing_support::ScriptedPlatform platform;
    platform.folder = folder.path.string();
    platform.clock = std::chrono::system_clock::from_time_t(1'773'316'800);
    forms::Application app(platform);
    veltaro::Main();
    ASSERT_FALSE(app.ended());
    forms::Form& frame = *app.mdiForm();

    auto type = [](forms::Control& box, const std::string& text) {
      box.userFocus();
      if (box.kind() == forms::ControlKind::ComboBox) box.userEditText("", 0);
      box.userType(text);
    };
    frame.control("cmdCase").userClick();
    forms::Form& header = app.get("frmCase");
    type(header.control("txtFileCase", 0), "JKL");
    type(header.control("txtFileCase", 1), "Boiler room <2> & 'east'");
    header.control("cmdOK").userClick();

    frame.menu("menuCalc01").userClick();
    forms::Form& w = app.get("frmCalc01");
    ASSERT_EQ(w.control("Besparelses_data").visible(), offersSavings);
    std::vector<std::string> steps = pipe;
    if (offersSavings) steps.insert(steps.end(), savings.begin(), savings.end());
    steps.push_back("Beregn!");
    for (const std::string& step : steps) {
      const auto mark = step.find_first_of("=#!"), open = step.find('(');
      forms::Control& c = w.control(step.substr(0, std::min(mark, open)),
                                    open < mark ? std::stoi(step.substr(open + 1)) : -1);
      ASSERT_TRUE(c.visible() && c.enabled()) << step;
      const std::string text = step.substr(mark + 1);
      if (step[mark] == '!')
        c.userClick();
      else if (step[mark] == '=')
        type(c, text);
      else
        c.userFocus(), c.userSelectItem(std::stoi(text));
    }
    EXPECT_TRUE(veltaro::fx().ResultValid[1]);
    EXPECT_TRUE(platform.callsOf("msgBox").empty());
    frame.menu("menuPreview").userClick();
    std::string lower = code;
    for (char& c : lower) c = static_cast<char>(std::tolower(c));
    ExpectGolden("shipped-" + lower, readBytes(folder.path / "DATA" / "output.htm"), folder.path);
  }
}

}  // namespace
}  // namespace reporttest
