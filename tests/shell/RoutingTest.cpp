// Every command of the main window's menus and command toolbar, routed for an active
// calculation and for none, against recording calculation windows, report writers and case
// commands.

#include "calc/frmDetails.h"
#include "shell/ShellFixture.h"
#include "shell/ShellServices.h"
#include "shell/mdiVeltaro.h"
#include "start/Startup.h"

namespace shelltest {
namespace {

using veltaro::fx;

std::vector<std::string> g_log;

class RecordingReports : public veltaro::ReportService {
 public:
  bool WriteReport(int n, forms::Form& w, bool print, bool exportOnly) override {
    g_log.push_back("report" + std::to_string(n) + "(" + w.name() + "," + (print ? "print" : "-") +
                    "," + (exportOnly ? "export" : "show") + ")");
    return true;
  }
  void OpenReportInExcel() override { g_log.push_back("excel"); }
  void OpenReportInWord() override { g_log.push_back("word"); }
};

class RecordingCases : public veltaro::CaseService {
 public:
  void CaseNew() override { g_log.push_back("CaseNew"); }
  void CaseOpen() override { g_log.push_back("CaseOpen"); }
  void CaseSave() override { g_log.push_back("CaseSave"); }
  void CaseDelete() override { g_log.push_back("CaseDelete"); }
};

class RoutingTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    writeDataFiles();
    writeSettings("DK\r\n");
    veltaro::Main();
    frame = app->find<veltaro::mdiVeltaro>();
    registerFakeCalcs();
    app->registerForm("frmCase", [] {
      auto w = std::make_unique<forms::Form>("frmCase");
      w->setMdiChild(true);
      return w;
    });
    installedReports = veltaro::reportService();
    veltaro::setReportService(&reports);
    veltaro::setCaseService(&cases);
    g_log.clear();
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
  // What the command did: the calculations run, the recorded services, and the windows.
  std::string outcome() {
    std::string out;
    auto add = [&](const std::string& s) { out += (out.empty() ? "" : " ") + s; };
    for (int n : {1, 2, 3, 4, 5, 6, 7, 21, 22, 23, 24}) {
      if (fake(n) && fake(n)->calculated) add("calc" + std::to_string(n));
      if (fake(n) && fake(n)->windowState())
        add("state" + std::to_string(n) + "=" + std::to_string(fake(n)->windowState()));
    }
    for (const auto& s : g_log) add(s);
    for (const auto& b : platform.callsOf("msgBox")) add("msg:" + b.text);
    if (app->find("frmCase")) add("frmCase");
    if (auto* w = app->find("frmAdresses"); w && w->visible()) add("contact");
    if (auto* w = app->find("frmAbout"); w && w->visible()) add("about");
    if (!frame->menu("menuShowPipeDistance").checked()) add("pipe-distances-off");
    if (auto* d = app->find("frmDetails"); d && d->visible()) add("details");
    for (const auto& h : platform.callsOf("showHelp")) {
      fs::path p(h.text);
      add("help:" + (p.parent_path().filename() / p.filename()).string());
    }
    return out;
  }

  veltaro::mdiVeltaro* frame = nullptr;
  RecordingReports reports;
  veltaro::ReportService* installedReports = nullptr;
  RecordingCases cases;
};

struct Route {
  const char* command;
  int active;
  const char* outcome;
};

class RoutingRows : public RoutingTest, public ::testing::WithParamInterface<Route> {};

// No calculation window is open before the command: one that acts on window n opens it.
TEST_P(RoutingRows, ReachesItsTarget) {
  const Route& r = GetParam();
  fx().ActiveCalcNumber = static_cast<int16_t>(r.active);
  const bool message = std::string(r.outcome).find("msg:") != std::string::npos;
  if (message) platform.expectMsgBox(forms::mb::IdOk);
  command(r.command);
  if (message) {
    auto box = platform.callsOf("msgBox").at(0);
    EXPECT_EQ(box.title, "T74");
    EXPECT_EQ(box.style, forms::mb::SetForeground | forms::mb::Exclamation);
    EXPECT_EQ(app->find("frmDetails"), nullptr);
  }
  EXPECT_EQ(outcome(), r.outcome);
  // The command never changes which calculation is active.
  EXPECT_EQ(fx().ActiveCalcNumber, r.active);
}

// clang-format off
const Route kRoutes[] = {
    {"menuCalculate", 5, "calc5"}, {"Calculate", 22, "calc22"}, {"menuCalculate", 0, ""},
    {"Calculate", 8, ""}, {"menuShowDetails", 7, "details"}, {"ShowDetails", 3, "details"},
    {"menuShowDetails", 21, "msg:T160\r\nT157 !"}, {"ShowDetails", 0, "msg:T160\r\nT157 !"},
    {"menuPrintCase", 6, "report6(frmCalc06,print,show)"}, {"menuPrintCase", 0, ""},
    {"PrintCase", 24, "report24(frmCalc24,print,show)"}, {"PreView", 0, ""},
    {"menuPreview", 2, "report2(frmCalc02,-,show)"}, {"PreView", 23, "report23(frmCalc23,-,show)"},
    {"menuExcel", 4, "report4(frmCalc04,-,export) excel"}, {"menuExcel", 0, ""},
    {"menuWord", 21, "report21(frmCalc21,-,export) word"}, {"menuWord", 99, ""},
    {"menuNewCase", 1, "frmCase"}, {"cmdCase", 0, "frmCase"}, {"NewCase", 0, "CaseNew"},
    {"menuOpenCase", 0, "CaseOpen"}, {"OpenCase", 5, "CaseOpen"}, {"menuSaveCase", 5, "CaseSave"},
    {"SaveCase", 0, "CaseSave"}, {"DeleteCase", 3, "CaseDelete"}, {"menuAdr", 0, "contact"},
    {"menuDeleteCase", 0, "CaseDelete"}, {"menuShowPipeDistance", 5, "pipe-distances-off"},
    {"menuAboutProgram", 22, "about"}, {"menuIndex", 0, "help:helpdk/index.html"},
    {"Help", 7, "help:helpdk/index.html"}, {"menuMax", 6, "state6=2"},
    {"menuMin", 21, "state21=1"}, {"menuMax", 0, ""}, {"menuMin", 8, ""}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, RoutingRows, ::testing::ValuesIn(kRoutes), [](const auto& info) {
  return std::string(info.param.command) + "_" + std::to_string(info.param.active);
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

TEST_F(RoutingTest, DetailsOfCalculationOneTakeTheSurfaceBoxAndTheWindowCaption) {
  command("menuCalc01");
  fake(1)->control("OVERFLADE").setText("47.5");
  fx().SurfaceTemperature = 12;
  fx().HeatFlow = 12.25;
  command("ShowDetails");
  auto& details = app->get("frmDetails");
  EXPECT_TRUE(details.visible());
  EXPECT_EQ(details.control("lblHeader").caption(), "Calculation 1");
  EXPECT_EQ(details.control("T0").caption(), "48");
  EXPECT_EQ(details.control("Q").caption(), "12.2");

  command("menuCalc05");
  command("menuShowDetails");
  EXPECT_EQ(details.control("T0").caption(), "12");  // SurfaceTemperature for the others
}

TEST_F(RoutingTest, OpeningFromTheMenuSetsTheNumberTheToolbarLeavesItToTheWindow) {
  command("menuCalc23");
  EXPECT_EQ(fx().ActiveCalcNumber, 23);
  fake(23)->setWindowState(forms::kStateMinimized);
  command("menuCalc23");
  EXPECT_EQ(fake(23)->windowState(), forms::kStateNormal);
  EXPECT_EQ(app->activeMdiChild(), fake(23));

  // Window 2 minimised behind window 23: the toolbar restores it and brings it forward; the
  // number is what the window's own load wrote.
  command("Calc02");
  EXPECT_EQ(fx().ActiveCalcNumber, 2);
  command("menuCalc23");
  fake(2)->setWindowState(forms::kStateMinimized);
  command("Calc02");
  EXPECT_EQ(fake(2)->windowState(), forms::kStateNormal);
  EXPECT_EQ(app->activeMdiChild(), fake(2));
  EXPECT_EQ(fx().ActiveCalcNumber, 23);  // already loaded: the toolbar set nothing
}

TEST_F(RoutingTest, ResetGivesAFreshWindowAtNormalSize) {
  FakeCalc::stateOnLoad = forms::kStateMaximized;
  for (int n : {1, 4, 21}) {
    SCOPED_TRACE(n);
    command("menuCalc" + std::string(n < 10 ? "0" : "") + std::to_string(n));
    forms::Form* before = fake(n);
    const uint64_t id = before->instanceId();
    before->control("OVERFLADE").setText("typed");
    before->setWindowState(forms::kStateMaximized);
    command(n % 2 ? "menuResetCase" : "ResetFields");
    ASSERT_NE(fake(n), nullptr);
    EXPECT_NE(fake(n)->instanceId(), id);
    EXPECT_EQ(fake(n)->control("OVERFLADE").text(), "");
    EXPECT_EQ(fake(n)->windowState(), forms::kStateNormal);
    EXPECT_TRUE(fake(n)->visible());
    EXPECT_EQ(fx().ActiveCalcNumber, n);
  }
  fx().ActiveCalcNumber = 0;
  const auto windows = app->loadedForms().size();
  command("menuResetCase");
  EXPECT_EQ(app->loadedForms().size(), windows);
}

TEST_F(RoutingTest, DecimalsQuestion) {
  // A cancelled question keeps the setting; an empty answer means none; what is no whole
  // number of decimals is ignored.
  struct Case {
    std::optional<std::string> answer;
    int before, after;
  } cases[] = {{"3", 1, 3},  {"", 4, 0},    {std::nullopt, 4, 4}, {" 2 ", 0, 2},      {"abc", 5, 5},
               {"-1", 5, 5}, {"1.5", 5, 5}, {"40000", 5, 5},      {"32767", 0, 32767}};
  for (const Case& c : cases) {
    fx().HeatLossDecimals = static_cast<int16_t>(c.before);
    platform.expectInputBox(c.answer);
    command("menuRoundCmd");
    EXPECT_EQ(fx().HeatLossDecimals, c.after) << c.answer.value_or("<cancel>");
  }
  // Always "1" proposed, whatever the setting, at 100/100 twips on the screen.
  for (const auto& asked : platform.callsOf("inputBox")) {
    EXPECT_EQ(asked.text, "T197");
    EXPECT_EQ(asked.title, "Show decimals");
    EXPECT_EQ(asked.args, (std::vector<std::string>{"1", "100", "100"}));
  }
}

}  // namespace
}  // namespace shelltest
