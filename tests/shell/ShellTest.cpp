// The shell: start-up sessions, the main window of each market (its offer, contact lines,
// contact window, about box, bands, pointer and quit question) and the routing of every
// command, against a program folder of the test's own whose lines say what they are ("T81" is
// text-table line 81, "A46" contact line 46).

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <ranges>
#include <sstream>

#include "calc/CalcWindow.h"
#include "core/Crc16.h"
#include "core/Fx.h"
#include "core/ProgramFiles.h"
#include "forms/Application.h"
#include "shell/ShellServices.h"
#include "shell/frmAbout.h"
#include "shell/frmAdresses.h"
#include "shell/mdiVeltaro.h"
#include "start/Startup.h"
#include "start/frmStart.h"
#include "support/MessageLines.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPlatform.h"

namespace {

using veltaro::BandHit;
using veltaro::fx;
using veltaro::HitTestBands;

namespace fs = std::filesystem;

void writeLines(const fs::path& path, const std::vector<std::string>& lines) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  for (const auto& l : lines) out << l << "\r\n";
}

// Line n of the test's contact file.
std::string a(int line) {
  return " A" + std::to_string(line) + " ";
}

const std::vector<std::string> kCodes = {"DK", "NO", "SE", "UK", "LT", "EE", "LV", "MRN"};

// A calculation window that records what the main window asks of it.
class FakeCalc : public forms::Form, public veltaro::CalcWindow {
 public:
  FakeCalc(std::string name, int number) : forms::Form(std::move(name)), number(number) {
    setMdiChild(true);
    setCaption("Calculation " + std::to_string(number));
    add(forms::ControlKind::TextBox, "OVERFLADE");
  }
  void Form_Load() override {
    setWindowState(stateOnLoad);
    if (number) veltaro::fx().ActiveCalcNumber = static_cast<int16_t>(number);  // 0: no calculation
  }
  void Beregn_Click() override { ++calculated; }
  int calculated = 0;
  // A window may come up minimised or maximised (as the frame's other children are).
  static inline int stateOnLoad = forms::kStateNormal;
  const int number;
};

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    veltaro::resetFx();
    FakeCalc::stateOnLoad = forms::kStateNormal;
    folder = dir_.emplace("shell").path;
    platform.folder = folder.string();
    platform.calls.clear();
    app = std::make_unique<forms::Application>(platform);
  }
  void TearDown() override {
    app.reset();
    dir_.reset();
  }

  // The data files of every market and of `unlisted`, a code outside the list that has only a
  // product file; the checksum file records each product file.
  void writeDataFiles(int addressLines = 135, const std::string& unlisted = "") {
    auto numbered = [](const char* prefix, int n, const char* after = "") {
      std::vector<std::string> v;
      for (int k = 1; k <= n; ++k) v.push_back(prefix + std::to_string(k) + after);
      return v;
    };
    std::vector<std::string> text = numbered("T", 312), menu = numbered("M", 57), checks;
    menu[54] = "Show &decimals";  // menuRoundCmd
    std::vector<std::string> codes = kCodes;
    if (!unlisted.empty()) codes.push_back(unlisted);
    for (const auto& code : codes) {
      const std::vector<std::string> product = {
          "Wool " + code + ";0.033;0.0002;0.000001;-50;250;20;30;40;;", "Wool " + code};
      writeLines(folder / "Text" / ("Product." + code), product);
      checks.push_back(code.substr(0, 2) + veltaro::CRC16Hex(product[0] + product[1]));
      if (code == unlisted) break;
      text[0] = "T1 " + code;
      writeLines(folder / "Text" / ("TextFile." + code), text);
      menu[8] = "&Quit " + code;  // menuQuit
      writeLines(folder / "Text" / ("MenuText." + code), menu);
      writeLines(folder / "TEXT" / ("PipeOnly." + code), {});
      std::string lower = code;
      for (char& c : lower) c = static_cast<char>(std::tolower(c));
      writeLines(folder / "Images" / ("background_" + lower + ".jpg"), {"jpeg"});
    }
    writeLines(folder / "TEXT" / "PipeKap.SE", {});
    writeLines(folder / "Text" / "Check.CRC", checks);
    writeLines(folder / "Text" / "adress.all", numbered(" A", addressLines, " "));
    writeLines(folder / "Images" / "Icons" / "veltaro32_32_marine.ico", {"icon"});
  }

  void writeSettings(const std::string& content) {
    std::ofstream(folder / "VELTARO.INI", std::ios::binary) << content;
  }

  // A fresh program folder and start-up in market `code` (one outside the list gets a product
  // file of its own), with fake calculation windows; the main window it leaves.
  veltaro::mdiVeltaro& start(const std::string& code, int addressLines = 135) {
    ShellTest::TearDown();
    ShellTest::SetUp();
    writeDataFiles(addressLines, std::ranges::count(kCodes, code) ? "" : code);
    writeSettings(code + "\r\n");
    veltaro::Main();
    EXPECT_FALSE(app->ended());
    for (int n : {1, 2, 3, 4, 5, 6, 7, 21, 22, 23, 24}) {
      std::string name = veltaro::calcFormName(n);
      app->registerForm(name, [name, n] { return std::make_unique<FakeCalc>(name, n); });
    }
    return *app->find<veltaro::mdiVeltaro>();
  }
  FakeCalc* fake(int n) { return static_cast<FakeCalc*>(app->find(veltaro::calcFormName(n))); }

  std::optional<testing_support::ProgramFolder> dir_;
  fs::path folder;
  testing_support::ScriptedPlatform platform;
  std::unique_ptr<forms::Application> app;
};

// block: the first line of the market's contact block in the contact file, which has `lines`
// lines; lastPanel: the last contact panel shown (four blocks: panels 1 and 2 besides panel 0;
// ten: no more than the eight panels).
struct Market {
  const char *code, *picture;
  bool classCalc, pipeDistance, ductCalc;
  int block, lines = 135, lastPanel = 7;
};

class MarketStart : public ShellTest, public ::testing::WithParamInterface<Market> {};

TEST_P(MarketStart, OffersItsCalculationsPictureBandsAndContactDetails) {
  const Market& m = GetParam();
  const std::string code = m.code;
  auto& frame = start(code, m.lines);
  for (auto [item, button, offered] : {std::tuple{"menuCalc04", 20, m.classCalc}, {"menuCalc07", 23, m.ductCalc}})
    EXPECT_TRUE(frame.menu(item).visible() == offered && frame.toolbar("tobMenu").button(button).visible == offered) << item;
  EXPECT_TRUE(frame.menu("menuShowPipeDistance").visible() == m.pipeDistance &&
              frame.menu("menuShowPipeDistance").checked() == m.pipeDistance);
  EXPECT_EQ(fs::path(frame.picture()).filename(), "background_" + std::string(m.picture) + ".jpg");
  EXPECT_EQ(!frame.icon().empty(), code == "MRN");
  // The contact block goes into the text table; the Norwegian one skips its first address line.
  const int b = m.block, skip = code == "NO" ? 1 : 0;
  // clang-format off
  const std::pair<int, std::string> lines[] = {
      {144, a(b)}, {145, a(b + 1)}, {146, a(b + 2 + skip)}, {147, a(b + 3 + skip)},
      {148, a(b + 5)}, {149, "T190 " + a(b + 6)}, {150, "T191 " + a(b + 7)},
      {151, "T192 " + a(b + 8)}, {152, a(b + 9)}, {153, "T153"}, {155, a(b + 9)}, {156, a(b + 10)}};
  // clang-format on
  for (const auto& [line, text] : lines) EXPECT_EQ(fx().TextTable[line], text) << line;

  // Down the picture, the bands open what the market offers, in the menu's order, under the
  // hand; the narrow column of "DK" and "NO" leaves x 3200 bare. The link bands at the left
  // open the market's own two addresses.
  std::vector<std::string> offered = {"1", "2", "3", "5", "6", "21", "22", "23", "24"};
  if (m.classCalc) offered.insert(offered.begin() + 3, "4");
  if (m.ductCalc) offered.insert(std::ranges::find(offered, "21"), "7");
  const bool narrow = code == "DK" || code == "NO";
  for (double x : {6000.0, 3200.0, 1000.0}) {
    std::vector<std::string> opened;  // band after band
    std::string previous;
    double wrongHand = -1;  // the first place where the pointer belies the band
    for (double y = 1800; y < 7800; y += 10) {
      fx().ActiveCalcNumber = 0;
      platform.calls.clear();
      frame.userMouseDown(forms::kLeftButton, 0, x, y);
      frame.userMouseMove(0, 0, x, y);
      const auto links = platform.callsOf("openAddress");
      const std::string now = fx().ActiveCalcNumber ? std::to_string(fx().ActiveCalcNumber)
                              : links.empty()       ? ""
                                                    : links.at(0).text;
      if (wrongHand < 0 && (frame.mousePointer() == forms::kPointerCustom) == now.empty())
        wrongHand = y;
      if (!now.empty() && now != previous) opened.push_back(now);
      previous = now;
    }
    const std::vector<std::string> expected = x == 1000 ? std::vector{a(b + 9), a(b + 10)}
                                              : x == 3200 && narrow ? std::vector<std::string>{}
                                                                    : offered;
    EXPECT_EQ(opened, expected) << x;
    EXPECT_EQ(wrongHand, -1) << x;
  }

  // The contact window: panel 0 holds the head office with telephone and fax only, or the
  // marine block whole; the others follow the blocks.
  frame.menu("menuAdr").userClick();
  auto& w = *app->find<veltaro::frmAdresses>();
  const bool marine = code == "MRN";
  EXPECT_EQ(w.control("Selskab", 0).caption() + w.control("fax", 0).caption(),
            a(marine ? 16 : 1) + a(marine ? 23 : 8));
  for (const char* name : {"email", "website", "emaillabel", "weblabel"})
    EXPECT_EQ(w.control(name, 0).visible(), marine) << name;
  for (int i = 1; i < veltaro::frmAdresses::kPanels; ++i)
    EXPECT_EQ(w.control("Selskab", i).visible(), i <= m.lastPanel) << i;
  // Each panel from its company label: telephone, fax, e-mail and web address in rows below,
  // each value right of its caption.
  const struct {
    const char *caption, *value;
    int below, indent;
  } rows[] = {{"Tlflabel", "Tlf", 1215, 480},
              {"Faxlabel", "fax", 1410, 480},
              {"emaillabel", "email", 1605, 810},
              {"weblabel", "website", 1800, 810}};
  const std::pair<int, int> panels[] = {{165, 600},   {165, 2820}, {3105, 2820}, {6195, 2820},
                                        {9285, 2820}, {165, 5025}, {3105, 5025}, {6195, 5040}};
  for (int i = 0; i < veltaro::frmAdresses::kPanels; ++i) {
    const forms::Control& head = w.control("Selskab", i);
    EXPECT_EQ(std::pair(head.left(), head.top()), panels[i]) << i;
    for (const auto& r : rows) {
      const forms::Control &caption = w.control(r.caption, i), &value = w.control(r.value, i);
      EXPECT_EQ(std::tuple(caption.left(), caption.top(), value.left(), value.top()),
                std::tuple(head.left(), head.top() + r.below, head.left() + r.indent,
                           head.top() + r.below))
          << r.value << " " << i;
    }
  }
  if (m.lastPanel == 7) {
    EXPECT_EQ(w.control("Selskab", 7).caption() + w.control("website", 7).caption(), a(121) + a(130));
    w.control("website", 3).userClick();
    EXPECT_EQ(platform.calls.back().text, "A70");  // block 5 line 10, trimmed
  }
  w.control("cmdOK").userClick();
  EXPECT_EQ(app->find<veltaro::frmAdresses>(), nullptr);

  // The case header from the case button: its title, field labels and buttons in the market's
  // words; Cancel closes it.
  frame.control("cmdCase").userClick();
  forms::Form& header = app->get("frmCase");
  std::string captions = header.caption();
  for (int i : {0, 1, 2}) captions += "|" + header.control("lblField", i).caption();
  for (const char* button : {"cmdOK", "cmdCancel"})
    captions += "|" + header.control(button).caption();
  EXPECT_EQ(captions, "T164|T81|T82|T83|T194|T80");
  header.control("cmdCancel").userClick();
  EXPECT_EQ(app->find("frmCase"), nullptr);

  // The about box sits by the frame's state; the Baltic markets take its disclaimer from the
  // language file, the marine edition gives it its icon. It has no system information to
  // start, and both its links open the contact details' web address.
  for (int state : {forms::kStateMaximized, forms::kStateNormal}) {
    if (auto* open = app->find<veltaro::frmAbout>()) open->unload();
    frame.setWindowState(state);
    frame.menu("menuAboutProgram").userClick();
    EXPECT_EQ(app->find<veltaro::frmAbout>()->left(), state ? 2860 : 2740);
  }
  auto& about = *app->find<veltaro::frmAbout>();
  EXPECT_EQ(about.control("lblDisclaimer").caption() == "T196",
            code == "LT" || code == "LV" || code == "EE");
  EXPECT_EQ(!about.icon().empty(), marine);
  platform.expectMsgBox(forms::mb::IdOk, "System Information Is Unavailable At This Time");
  about.control("cmdSysInfo").userClick();
  EXPECT_TRUE(platform.scriptDone());
  EXPECT_NE(app->find<veltaro::frmAbout>(), nullptr);  // the box stays open
  for (const char* link : {"Picture2", "Label4"}) {
    platform.calls.clear();
    about.control(link).userClick();
    EXPECT_EQ(platform.callsOf("openAddress").at(0).text, "https://www.torvelin.example.com") << link;
  }
}

// An unlisted code takes the Danish picture and contact block and the general offer.
const Market kMarkets[] = {
    {"DK", "dk", true, true, true, 46},     {"NO", "no", true, true, true, 61},
    {"SE", "se", false, true, true, 76},    {"UK", "uk", false, false, true, 31, 60, 2},
    {"LT", "lt", false, false, false, 91, 150},  {"EE", "ee", false, false, false, 106},
    {"LV", "lv", false, false, false, 121}, {"MRN", "mrn", false, false, false, 16},
    {"FR", "dk", false, false, false, 46}};
INSTANTIATE_TEST_SUITE_P(Table, MarketStart, ::testing::ValuesIn(kMarkets),
                         [](const auto& info) { return std::string(info.param.code); });

TEST(BandHitTest, BordersAndGapsAreOutside) {
  // calc 0: no calculation band; textLine: the link band's text-table line, or 0.
  const struct {
    const char* code;
    double x, y;
    int calc, textLine;
  } cases[] = {
      {"DK", 5000, 2000, 1, 0},   {"DK", 5000, 3500, 4, 0},   {"DK", 3375, 2000, 0, 0},
      {"DK", 9750, 2000, 0, 0},   {"DK", 9749.5, 2000, 1, 0}, {"DK", 5000, 1900, 0, 0},
      {"DK", 5000, 2150, 0, 0},   {"DK", 5000, 2250, 0, 0},   {"DK", 5000, 7600, 24, 0},
      {"NO", 5000, 4900, 7, 0},   {"NO", 10000, 2000, 0, 0},  {"UK", 10000, 4400, 7, 0},
      {"EE", 10000, 4400, 0, 0},  {"MRN", 10000, 4400, 0, 0}, {"UK", 5000, 3500, 5, 0},
      {"SE", 3001, 5500, 21, 0},  {"SE", 3000, 5500, 0, 0},   {"SE", 11600, 5500, 0, 0},
      {"LT", 5000, 6900, 23, 0},  {"LV", 5000, 7300, 24, 0},  {"EE", 5000, 6900, 0, 0},
      {"EE", 5000, 7000, 24, 0},  {"FR", 5000, 3500, 5, 0},   {"SE", 10000, 4400, 7, 0},   {"DK", 1000, 6400, 0, 155},
      {"UK", 1000, 7000, 0, 156}, {"LV", 1000, 6700, 0, 0},   {"DK", 2700, 6400, 0, 0},
      {"DK", 0, 6400, 0, 0},      {"DK", 1000, 6650, 0, 0},   {"DK", 1000, 7175, 0, 0},
      {"DK", 5000, 5020, 7, 0},   {"DK", 5000, 5780, 21, 0},  {"LV", 5000, 7450, 24, 0},
  };
  for (const auto& c : cases) {
    BandHit hit = HitTestBands(c.code, c.x, c.y);
    EXPECT_EQ(std::pair(hit.calcNumber, hit.textLine), std::pair(c.calc, c.textLine)) << c.code << " " << c.x << "," << c.y;
  }
}

// Bands open calculations and links with any button; the pointer is the hand over every band
// and nowhere else.
TEST_F(ShellTest, BandsOpenCalculationsAndLinksWithAnyButtonUnderTheHand) {
  auto& frame = start("DK");
  fx().TextTable.set(155, "www.torvelin.example.com");
  fx().TextTable.set(156, "https://example.com/second");
  frame.userMouseDown(forms::kRightButton, 0, 5000, 3500);
  ASSERT_NE(fake(4), nullptr);
  EXPECT_TRUE(fake(4)->visible() && fx().ActiveCalcNumber == 4);
  for (double y : {6400, 7000, 6700}) frame.userMouseDown(forms::kLeftButton, 0, 1000, y);
  auto opened = platform.callsOf("openAddress");  // nothing between the links
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0].text + " " + opened[1].text,
            "http://www.torvelin.example.com https://example.com/second");
  for (auto [y, hand] : {std::pair{2000, true}, {2250, false}}) {
    frame.userMouseMove(0, 0, 5000, y);
    EXPECT_EQ(frame.mousePointer(), hand ? forms::kPointerCustom : forms::kPointerDefault) << y;
  }
}

// Records what the report writers and case commands are asked.
class Recorder : public veltaro::ReportService, public veltaro::CaseService {
 public:
  bool WriteReport(int n, forms::Form& w, bool print, bool exportOnly) override {
    log.push_back("report" + std::to_string(n) + "(" + w.name() + "," + (print ? "print" : "-") +
                  "," + (exportOnly ? "export" : "show") + ")");
    return true;
  }
  void OpenReportInExcel() override { log.push_back("excel"); }
  void OpenReportInWord() override { log.push_back("word"); }
  void CaseNew() override { log.push_back("CaseNew"); }
  void CaseOpen() override { log.push_back("CaseOpen"); }
  void CaseSave() override { log.push_back("CaseSave"); }
  void CaseDelete() override { log.push_back("CaseDelete"); }
  std::vector<std::string> log;
};

class RoutingTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    frame = &start("DK");
    app->registerForm("frmCase", [] { return std::make_unique<FakeCalc>("frmCase", 0); });
    installedReports = veltaro::reportService();
    veltaro::setReportService(&recorder);
    veltaro::setCaseService(&recorder);
  }
  void TearDown() override {
    veltaro::setReportService(nullptr);
    veltaro::setCaseService(nullptr);
    ShellTest::TearDown();
  }
  // "menuX" clicks a menu item, "cmdCase" the case button, anything else is a toolbar key.
  void command(const std::string& what) {
    if (what.rfind("menu", 0) == 0) return frame->menu(what).userClick();
    if (what == "cmdCase") return frame->control("cmdCase").userClick();
    auto& bar = frame->toolbar("tobMenu");
    ASSERT_NE(bar.button(what), nullptr) << what;
    bar.userClick(bar.button(what)->index);
  }
  // What the commands left: each open calculation window ("w5", "+calc" when it calculated,
  // "=2" for its window state, ":47.5" for a typed surface, "*" when in front), the recorded
  // services, messages and windows.
  std::string outcome() {
    std::string out;
    auto add = [&](const std::string& s) { out += (out.empty() ? "" : " ") + s; };
    for (int n : {1, 2, 3, 4, 5, 6, 7, 21, 22, 23, 24}) {
      FakeCalc* w = fake(n);
      if (!w) continue;
      const std::string typed = w->control("OVERFLADE").text();
      add("w" + std::to_string(n) + (w->calculated ? "+calc" : "") +
          (w->windowState() ? "=" + std::to_string(w->windowState()) : "") +
          (typed.empty() ? "" : ":" + typed) + (w->visible() ? "" : "(hidden)") +
          (app->activeMdiChild() == w ? "*" : ""));
    }
    for (const auto& s : recorder.log) add(s);
    for (const auto& b : platform.callsOf("msgBox")) add("msg:" + b.text);
    if (app->find("frmCase")) add("frmCase");
    if (auto* w = app->find("frmAdresses"); w && w->visible()) add("contact");
    if (auto* w = app->find("frmAbout"); w && w->visible()) add("about");
    if (!frame->menu("menuShowPipeDistance").checked()) add("pipe-distances-off");
    if (auto* d = app->find("frmDetails"); d && d->visible()) {
      std::string rows;  // header, h, hr, hcv, q, surface, flow regime
      for (const char* row : {"lblHeader", "lh", "hr", "hcv", "Q", "T0", "LT"})
        rows += (rows.empty() ? "" : ",") + d->control(row).caption();
      add("details(" + rows + ")");
    }
    for (const fs::path p : platform.callsOf("showHelp") | std::views::transform(&testing_support::PlatformCall::text))
      add("help:" + (p.parent_path().filename() / p.filename()).string());
    return out;
  }

  veltaro::mdiVeltaro* frame = nullptr;
  Recorder recorder;
  veltaro::ReportService* installedReports = nullptr;
};

// steps: commands, or "minN" / "maxN" (the user sizes window N), "typeN" (types 47.5 into its
// surface box), "maxload" (windows come up maximised). active: the calculation number before.
struct Route {
  const char* steps;
  int active;
  const char* outcome;
};

class RoutingRows : public RoutingTest, public ::testing::WithParamInterface<Route> {};

TEST_P(RoutingRows, ReachesItsTarget) {
  const Route& r = GetParam();
  fx().ActiveCalcNumber = static_cast<int16_t>(r.active);
  fx().SurfaceTemperature = 12;
  fx().HeatFlow = 12.25;
  fx().SurfaceCoefficient = 11.125;
  fx().RadiativeCoefficient = 5.0625;
  fx().ConvectiveCoefficient = 6.0625;
  fx().FlowRegimeText = "laminar";
  const bool message = std::string(r.outcome).find("msg:") != std::string::npos;
  if (message) platform.expectMsgBox(forms::mb::IdOk);
  std::istringstream steps(r.steps);
  for (std::string s; steps >> s;) {
    auto window = [&](size_t prefix) { return fake(std::stoi(s.substr(prefix))); };
    if (s == "maxload")
      FakeCalc::stateOnLoad = forms::kStateMaximized;
    else if (s.rfind("min", 0) == 0 || s.rfind("max", 0) == 0)
      window(3)->setWindowState(s[1] == 'i' ? forms::kStateMinimized : forms::kStateMaximized);
    else if (s.rfind("type", 0) == 0)
      window(4)->control("OVERFLADE").setText("47.5");
    else
      command(s);
  }
  if (message) {
    auto box = platform.callsOf("msgBox").at(0);
    EXPECT_EQ(box.title, "T74");
    EXPECT_EQ(box.style, forms::mb::SetForeground | forms::mb::Exclamation);
    EXPECT_EQ(app->find("frmDetails"), nullptr);
  }
  // The number changes only where a window is opened or reloaded.
  std::string out = outcome();
  if (fx().ActiveCalcNumber != r.active) out += " active=" + std::to_string(fx().ActiveCalcNumber);
  EXPECT_EQ(out, r.outcome);
}

// clang-format off
const Route kRoutes[] = {
    {"menuCalculate", 5, "w5+calc*"}, {"Calculate", 22, "w22+calc*"}, {"menuCalculate", 0, ""},
    {"Calculate", 8, ""}, {"menuShowDetails", 7, "w7 details(Calculation 7,11.12,5.062,6.06,12.2,12,laminar)"},
    {"ShowDetails", 3, "w3 details(Calculation 3,11.12,5.062,6.06,12.2,12,laminar)"},
    // Calculation 1 shows its own surface box, rounded.
    {"menuCalc01 type1 ShowDetails", 0, "w1:47.5 details(Calculation 1,11.12,5.062,6.06,12.2,48,laminar) active=1"},
    {"menuShowDetails", 21, "msg:T160\r\nT157 !"}, {"ShowDetails", 0, "msg:T160\r\nT157 !"},
    {"menuPrintCase", 6, "w6* report6(frmCalc06,print,show)"}, {"menuPrintCase", 0, ""},
    {"PrintCase", 24, "w24* report24(frmCalc24,print,show)"}, {"PreView", 0, ""},
    {"menuPreview", 2, "w2* report2(frmCalc02,-,show)"},
    {"PreView", 23, "w23* report23(frmCalc23,-,show)"},
    {"menuExcel", 4, "w4* report4(frmCalc04,-,export) excel"}, {"menuExcel", 0, ""},
    {"menuWord", 21, "w21* report21(frmCalc21,-,export) word"}, {"menuWord", 99, ""},
    {"menuNewCase", 1, "frmCase"}, {"cmdCase", 0, "frmCase"}, {"NewCase", 0, "CaseNew"},
    {"menuOpenCase", 0, "CaseOpen"}, {"OpenCase", 5, "CaseOpen"}, {"menuSaveCase", 5, "CaseSave"},
    {"SaveCase", 0, "CaseSave"}, {"DeleteCase", 3, "CaseDelete"}, {"menuAdr", 0, "contact"},
    {"menuDeleteCase", 0, "CaseDelete"}, {"menuShowPipeDistance", 5, "pipe-distances-off"},
    {"menuAboutProgram", 22, "about"}, {"menuIndex", 0, "help:helpdk/index.html"},
    {"Help", 7, "help:helpdk/index.html"}, {"menuMax", 6, "w6=2*"},
    {"menuMin", 21, "w21=1*"}, {"menuMax", 0, ""}, {"menuMin", 8, ""},
    // The menu sets the number and restores a minimised window; the toolbar leaves the number
    // to the window's own load, and only restores and brings forward one already open.
    {"menuCalc23 min23 menuCalc23", 0, "w23* active=23"},
    {"Calc02 menuCalc23", 0, "w2 w23* active=23"},
    {"Calc02 menuCalc23 min2 Calc02", 0, "w2* w23 active=23"},
    // A reset gives the active window afresh at normal size; with none active it does nothing.
    {"maxload menuCalc01 type1 menuResetCase", 0, "w1* active=1"},
    {"maxload menuCalc04 type4 ResetFields", 0, "w4* active=4"},
    {"menuCalc21 type21 max21 menuResetCase", 0, "w21* active=21"},
    {"menuResetCase", 0, ""}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, RoutingRows, ::testing::ValuesIn(kRoutes), [](const auto& info) {
  std::string name = std::to_string(info.index) + "_" + info.param.steps;
  for (char& c : name)
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  return name + "_" + std::to_string(info.param.active);
});

// The reports start-up installs: a window they cannot read gives a message and no report, and
// the export then starts no office program.
TEST_F(RoutingTest, ExportWithoutAReportStartsNoOfficeProgram) {
  ASSERT_NE(installedReports, nullptr);
  veltaro::setReportService(installedReports);
  fx().ActiveCalcNumber = 4;
  testing_support::UseEnglishMessages();
  platform.expectMsgBox(forms::mb::IdOk, "The report could not be written");
  command("menuExcel");
  EXPECT_TRUE(platform.callsOf("startProgram").empty());
  EXPECT_TRUE(platform.scriptDone());
}

// The decimals from the command line and from the question: a cancelled question keeps the
// setting (5 here), an empty answer means none, and what is no whole number of decimals is
// ignored (0 on the command line). "1" is always proposed, at 100/100 twips on the screen.
TEST_F(RoutingTest, DecimalsFromTheCommandLineAndTheQuestion) {
  const std::tuple<std::optional<std::string>, int, int> cases[] = {
      {"3", 3, 3},         {"", 0, 0},     {"   ", 0, 0},   {std::nullopt, 0, 5}, {" 2 ", 2, 2},
      {"abc", 0, 5},       {"-1", 0, 5},   {"1.5", 0, 5},  {"32768", 0, 5},      {"0004", 4, 4},
      {"32767", 32767, 32767}};
  for (const auto& [answer, commandLine, after] : cases) {
    SCOPED_TRACE(answer.value_or("<cancel>"));
    EXPECT_TRUE(!answer || veltaro::DecimalsFromCommandLine(*answer) == commandLine) << "command line";
    fx().HeatLossDecimals = 5;
    platform.expectInputBox(answer);
    command("menuRoundCmd");
    EXPECT_EQ(fx().HeatLossDecimals, after);
    const auto asked = platform.calls.back();
    EXPECT_EQ(asked.text + asked.title, "T197Show decimals");
    EXPECT_EQ(asked.args, (std::vector<std::string>{"1", "100", "100"}));
  }
}

class StartupTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    writeDataFiles();
    std::ofstream(folder / "veltaro") << "program";
  }
  // The program file 0.9 s into a second, the settings file `ms` milliseconds from it.
  void setSettingsAge(int ms) {
    using namespace std::chrono;
    auto program = floor<seconds>(fs::last_write_time(folder / "veltaro")) + milliseconds(900);
    fs::last_write_time(folder / "veltaro", program);
    fs::last_write_time(folder / "VELTARO.INI", program + milliseconds(ms));
  }
};

TEST_F(StartupTest, FirstStartAsksShowsTheSplashAndLeavesTheMainWindow) {
  writeLines(folder / "Images" / "VELTAROOPSTART_SE.jpg", {"jpeg"});
  platform.expectModal("frmCountry", [](forms::Form& f) { f.control("imgFlag", 2).userDblClick(); });
  platform.arguments = " 3 ";
  std::string splash;  // the topmost splash window's picture, at the first pause
  platform.onPause = [&](int) {
    auto* s = app->find<veltaro::frmStart>();
    if (splash.empty())
      splash = s && s->visible() && s->topmost() ? fs::path(s->control("picLogo").picture()).filename() : "-";
  };
  veltaro::Main();
  EXPECT_EQ(splash, "VELTAROOPSTART_SE.jpg");
  EXPECT_TRUE(platform.scriptDone());
  EXPECT_EQ(fx().HeatLossDecimals, 3);
  EXPECT_EQ(veltaro::ReadFileBytes((folder / "VELTARO.INI").string()), "SE\r\n");
  for (const char* gone : {"frmStart", "frmCountry", "frmAdresses"}) EXPECT_EQ(app->find(gone), nullptr) << gone;
  auto& frame = *app->find<veltaro::mdiVeltaro>();
  EXPECT_TRUE(frame.visible());  // shown by the contact window, never by start-up itself
  for (int i = 0; i < 3; ++i) EXPECT_EQ(frame.control("txtCase", i).text(), "T" + std::to_string(81 + i));
  EXPECT_NE(frame.helpFile.find("help/helpse"), std::string::npos);
}

// A start-up session: the settings file (nullptr for none) and its age relative to the program
// file, which lies 0.9 s into a second; a data file removed (or given `content`), or the
// contact file cut to that many lines; the dialog's choice (-2 no dialog, -1 the design's,
// Danish; -3 closes it). Then the market chosen and the settings file after (nullptr: none), or
// the critical message that names what is wrong, shown after the splash window is gone and
// ending the program: a part of its prompt, or "title|prompt" whole ("%" the program folder).
struct Session {
  const char *name, *settings;
  int ageMs;
  const char* file;
  int addressLines, choice;
  const char *code, *after, *message, *content;
};

class StartSession : public StartupTest, public ::testing::WithParamInterface<Session> {};

TEST_P(StartSession, EndsAsExpected) {
  const Session& c = GetParam();
  if (c.settings) {
    writeSettings(c.settings);
    setSettingsAge(c.ageMs);
  }
  if (c.file && c.content) writeLines(folder / c.file, {c.content});
  if (c.file && !c.content) fs::remove(folder / c.file);
  if (c.addressLines) writeDataFiles(c.addressLines);
  if (c.choice == -3)
    platform.expectModal("frmCountry", [](forms::Form& f) { f.userClose(); });
  else if (c.choice > -2)
    platform.expectModal("frmCountry", [&c](forms::Form& f) {
      if (c.choice >= 0) f.control("optCountry", c.choice).userClick();
      f.control("cmdOk").userClick();
    });
  std::string message = c.message ? c.message : "";
  if (const auto at = message.find('%'); at != std::string::npos)
    message.replace(at, 1, folder.generic_string());
  const bool whole = message.find('|') != std::string::npos;
  if (c.message) {
    platform.expectMsgBox(forms::mb::IdOk, message.substr(message.find('|') + 1));
    platform.onMsgBox = [&] { EXPECT_EQ(app->find("frmStart"), nullptr); };
  }
  veltaro::Main();
  EXPECT_TRUE(platform.scriptDone());
  for (const auto& box : platform.callsOf("msgBox")) {
    const std::string shown = box.title + "|" + box.text;
    EXPECT_TRUE(whole ? shown == message : shown.find(message) != std::string::npos) << shown;
    EXPECT_EQ(box.style, forms::mb::Critical);
  }
  EXPECT_EQ(app->ended(), c.message || c.choice == -3);
  EXPECT_EQ(app->loadedForms().empty(), app->ended());
  EXPECT_TRUE(app->ended() || fx().CountryCode == c.code) << fx().CountryCode;
  const fs::path ini = folder / "VELTARO.INI";
  EXPECT_EQ(fs::exists(ini) ? veltaro::ReadFileBytes(ini.string()) : "(none)", c.after ? c.after : "(none)");
}

// clang-format off
const Session kSessions[] = {
    {"Missing", nullptr, 0, nullptr, 0, -1, "DK", "DK\r\n"},
    {"SameAgeIsKept", "UK\r\n", 0, nullptr, 0, -2, "UK", "UK\r\n"},
    {"SameSecondIsKept", "UK\r\n", -800, nullptr, 0, -2, "UK", "UK\r\n"},
    {"OlderIsDeletedAndAsked", "UK\r\n", -1000, nullptr, 0, 6, "LV", "LV\r\n"},
    {"BlanksAndCase", "  se  \r\n", 5000, nullptr, 0, -2, "SE", "  se  \r\n"},
    {"LowerXxMeansNone", "xx\r\n", 5000, nullptr, 0, 4, "LT", "LT\r\n"},
    {"MarineOnlyFromTheFile", "MRN\r\n", 5000, nullptr, 0, -2, "MRN", "MRN\r\n"},
    {"OneCharacterIsTooShort", "D\r\n", 5000, nullptr, 0, 0, "UK", "UK\r\n"},
    {"OnlyTheFirstLineCounts", "EE\r\nDK\r\n", 5000, nullptr, 0, -2, "EE", "EE\r\nDK\r\n"},
    {"ClosedDialogWritesNothing", nullptr, 0, nullptr, 0, -3},
    // Only Sweden reads the pipe sections: any other market starts without their file.
    {"PipeSectionsOnlyForSweden", "DK\r\n", 5000, "TEXT/PipeKap.SE", 0, -2, "DK", "DK\r\n"},
    // Before the language file is read, in the start-up words; after it, in the market's.
    {"NoLanguageFile", "UK\r\n", 5000, "Text/TextFile.UK", 0, -2, "", "UK\r\n",
     "VELTARO|The program cannot start: a data file is missing or damaged.\r\n\r\n"
     "%/Text/TextFile.UK\r\nthe file is missing\r\n\r\nRe-install the VELTARO program and start again"},
    {"NoMenuFile", "NO\r\n", 5000, "Text/MenuText.NO", 0, -2, "", "NO\r\n", "MenuText.NO"},
    {"NoContactFile", "DK\r\n", 5000, "Text/adress.all", 0, -2, "", "DK\r\n", "adress.all"},
    {"NoChecksumFile", "DK\r\n", 5000, "Text/Check.CRC", 0, -2, "", "DK\r\n", "Check.CRC"},
    {"NoPipeOnlyFile", "LT\r\n", 5000, "TEXT/PipeOnly.LT", 0, -2, "", "LT\r\n", "PipeOnly.LT"},
    {"NoSwedishPipeSections", "SE\r\n", 5000, "TEXT/PipeKap.SE", 0, -2, "", "SE\r\n", "PipeKap.SE"},
    {"NoProductFile", "FR\r\n", 5000, nullptr, 0, -2, "", "FR\r\n", "Product.FR"},
    {"ChangedProductFile", "DK\r\n", 5000, "Text/Product.DK", 0, -2, "", "DK\r\n",
     "Productfile changed !|The Product file are changed - It is not possible to run this program !"
     "\r\n\r\nRe-install the VELTARO program and start again", "Wool DK;0.034;0;0;-50;250;20;;\r\nWool DK"},
    // The Latvian block needs lines 121-131.
    {"ShortContactFile", "LV\r\n", 5000, nullptr, 120, -2, "", "LV\r\n",
     "adress.all\r\nT303 121-131\r\n\r\nT311"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Table, StartSession, ::testing::ValuesIn(kSessions),
                         [](const auto& info) { return std::string(info.param.name); });

// The help folder and the language of its pages, market by market in the order of kCodes.
const struct {
  const char *folder, *language;
} kHelp[] = {{"helpdk", "da"}, {"helpno", "nb"}, {"helpse", "sv"}, {"helpuk", "en"},
             {"helpLT", "lt"}, {"helpEE", "et"}, {"helpLV", "lv"}, {"helpMRN", "en"}};

// The shipped data start every market: checksums, menus, texts, addresses, pictures and help
// are all where start-up looks for them, and the real first calculation opens and checks its
// input. Every way of closing asks the question titled as the program, with the Quit caption
// without its "&", and first closes the input-error window; No keeps the rest, Yes ends.
TEST_F(ShellTest, ShippedDataStartsEveryMarketAndItsFirstCalculation) {
  fs::copy(fs::path(VELTARO_SOURCE_DIR) / "data", folder, fs::copy_options::recursive);
  for (size_t m = 0; m < kCodes.size(); ++m) {
    const std::string& code = kCodes[m];
    SCOPED_TRACE(code);
    app.reset();
    veltaro::resetFx();
    app = std::make_unique<forms::Application>(platform);
    writeSettings(code + "\r\n");
    veltaro::Main();
    ASSERT_FALSE(app->ended());
    auto& frame = *app->find<veltaro::mdiVeltaro>();
    EXPECT_FALSE(frame.picture().empty());
    for (const auto& b : frame.toolbar("tobMenu").buttons())
      EXPECT_TRUE(b.separator || !b.image.empty()) << b.key;

    frame.menu("menuCalc01").userClick();
    EXPECT_EQ(fx().ActiveCalcNumber, 1);
    // The help button and F1 in a calculation open the market's own pages, in its language.
    const size_t before = platform.callsOf("showHelp").size();
    frame.toolbar("tobMenu").userClick(13);
    app->find("frmCalc01")->control("MEDIETEMP").userKeyDown(forms::key::F1, 0);
    const auto help = platform.callsOf("showHelp");
    ASSERT_EQ(help.size(), before + 2);
    for (const auto& [shown, page] :
         {std::pair{help[before].text, "index.html"}, {help[before + 1].text, "calc01.html"}}) {
      const fs::path p = shown;
      EXPECT_EQ(p.parent_path().filename().string() + "/" + p.filename().string(),
                std::string(kHelp[m].folder) + "/" + page);
      EXPECT_NE(veltaro::ReadFileBytes(shown).find("<html lang=\"" +
                                                   std::string(kHelp[m].language) + "\""),
                std::string::npos)
          << shown;
    }
    frame.toolbar("tobMenu").userClick(6);  // Calculate, on the empty window: the input check
    ASSERT_NE(app->find("frmErrorInfo"), nullptr);
    EXPECT_TRUE(app->find("frmErrorInfo")->visible());
    platform.expectMsgBox(forms::mb::IdNo);
    if (m % 4 < 2)
      m % 4 ? frame.toolbar("tobMenu").userClick(15) : frame.menu("menuQuit").userClick();
    else
      frame.userClose(m % 4 == 2 ? forms::kUnloadFormControlMenu : forms::kUnloadAppWindows);
    std::string quit = frame.menu("menuQuit").caption();
    std::erase(quit, '&');
    const auto& b = platform.calls.back();
    EXPECT_EQ(b.text + "|" + b.title, quit + " ?|" + frame.caption()) << "way " << m % 4;
    EXPECT_EQ(b.style, forms::mb::YesNo | forms::mb::Question);
    EXPECT_EQ(app->find("frmErrorInfo"), nullptr);
    EXPECT_TRUE(frame.visible() && app->find("frmCalc01") && !app->ended());
  }
  platform.expectMsgBox(forms::mb::IdYes);
  app->find<veltaro::mdiVeltaro>()->menu("menuQuit").userClick();
  EXPECT_TRUE(app->ended() && app->loadedForms().empty());
  EXPECT_TRUE(platform.scriptDone());
  EXPECT_EQ(platform.callsOf("msgBox").size(), kCodes.size() + 1);  // the quit questions only
}

}  // namespace
