// Every command of the main window's menus and command toolbar, routed for an active
// calculation and for none, against recording calculation windows, report writers and case
// commands.

#include <ranges>
#include <sstream>

#include "shell/ShellFixture.h"
#include "shell/ShellServices.h"

namespace shelltest {
namespace {

using veltaro::fx;

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
    if (auto* d = app->find("frmDetails"); d && d->visible())
      add("details(" + d->control("lblHeader").caption() + "," + d->control("T0").caption() +
          "," + d->control("Q").caption() + ")");
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
    {"Calculate", 8, ""}, {"menuShowDetails", 7, "w7 details(Calculation 7,12,12.2)"},
    {"ShowDetails", 3, "w3 details(Calculation 3,12,12.2)"},
    // Calculation 1 shows its own surface box, rounded.
    {"menuCalc01 type1 ShowDetails", 0, "w1:47.5 details(Calculation 1,48,12.2) active=1"},
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
  platform.expectMsgBox(forms::mb::IdOk, "The report could not be written");
  command("menuExcel");
  EXPECT_TRUE(platform.callsOf("startProgram").empty());
  EXPECT_TRUE(platform.scriptDone());
}

// A cancelled question keeps the setting; an empty answer means none; what is no whole number
// of decimals is ignored. "1" is always proposed, at 100/100 twips on the screen.
TEST_F(RoutingTest, DecimalsQuestion) {
  const std::tuple<std::optional<std::string>, int, int> cases[] = {
      {"3", 1, 3},  {"", 4, 0},    {std::nullopt, 4, 4}, {" 2 ", 0, 2},      {"abc", 5, 5},
      {"-1", 5, 5}, {"1.5", 5, 5}, {"40000", 5, 5},      {"32767", 0, 32767}};
  for (const auto& [answer, before, after] : cases) {
    fx().HeatLossDecimals = static_cast<int16_t>(before);
    platform.expectInputBox(answer);
    command("menuRoundCmd");
    EXPECT_EQ(fx().HeatLossDecimals, after) << answer.value_or("<cancel>");
    const auto asked = platform.calls.back();
    EXPECT_EQ(asked.text + asked.title, "T197Show decimals");
    EXPECT_EQ(asked.args, (std::vector<std::string>{"1", "100", "100"}));
  }
}

}  // namespace
}  // namespace shelltest
