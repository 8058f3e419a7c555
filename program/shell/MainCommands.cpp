// The commands of the main window's menus and command toolbar. Most act on the calculation
// that ActiveCalcNumber names; a command aimed at a window that is not open opens it by that
// very access (it comes up empty) before acting on it.

#include <cctype>
#include <optional>
#include <string>

#include "calc/CalcWindow.h"
#include "core/Fx.h"
#include "calc/LayerControls.h"
#include "core/NumericInput.h"
#include "core/ProgramFiles.h"
#include "calc/frmDetails.h"
#include "forms/Application.h"
#include "shell/ShellServices.h"
#include "shell/frmAbout.h"
#include "shell/frmAdresses.h"
#include "shell/mdiVeltaro.h"

namespace veltaro {

namespace {

// A window of a later part of the program, shown modeless when it is part of this build.
void showIfAvailable(const char* name) {
  if (forms::app().isRegistered(name)) forms::app().get(name).show();
}

}  // namespace

// ---------------------------------------------------------------- opening a calculation

void mdiVeltaro::menuCalc_Click(int calcNumber) {
  if (!forms::app().isRegistered(calcFormName(calcNumber))) return;  // not in this build
  fx().ActiveCalcNumber = static_cast<int16_t>(calcNumber);
  forms::Form* w = CalcWindowOf(calcNumber);
  w->setWindowState(forms::kStateNormal);
  w->show();
  w->zOrder();
}

void mdiVeltaro::openFromToolbar(int calcNumber) {
  // The toolbar leaves ActiveCalcNumber to the window itself (its load and activation).
  forms::Form* w = CalcWindowOf(calcNumber);
  if (!w) return;
  w->show();
  w->setWindowState(forms::kStateNormal);
  w->zOrder();
}

// ---------------------------------------------------------------- the active calculation

void mdiVeltaro::menuCalculate_Click() {
  if (forms::Form* w = CalcWindowOf(fx().ActiveCalcNumber))
    if (auto* calc = dynamic_cast<CalcWindow*>(w)) calc->Beregn_Click();
}

void mdiVeltaro::menuShowDetails_Click() {
  auto& f = fx();
  int n = f.ActiveCalcNumber;
  if (n >= 1 && n <= 7) {
    forms::Form* w = CalcWindowOf(n);
    if (!w) return;
    std::string title = w->caption();
    double surface = n == 1 ? ParseNumber(w->control("OVERFLADE").text()) : f.SurfaceTemperature;
    FillDetails(f.SurfaceCoefficient, f.RadiativeCoefficient, f.ConvectiveCoefficient, f.HeatFlow,
                surface, f.FlowRegimeText, title);
    forms::app().get<frmDetails>().show();
    return;
  }
  // Multi-layer calculations have no details, and no calculation none either.
  forms::app().platform().msgBox(f.TextTable[160] + "\r\n" + f.TextTable[157] + " !",
                                 forms::mb::SetForeground | forms::mb::Exclamation,
                                 f.TextTable[74]);
}

void mdiVeltaro::menuResetCase_Click() {
  ReloadCurrentCalc();
}

bool mdiVeltaro::writeReport(bool printOnDisplay, bool exportOnly) {
  ReportService* reports = reportService();
  int n = fx().ActiveCalcNumber;
  if (!reports || calcFormName(n).empty()) return false;
  forms::Form* w = CalcWindowOf(n);
  return w && reports->WriteReport(n, *w, printOnDisplay, exportOnly);
}

void mdiVeltaro::menuPrintCase_Click() {
  writeReport(true, false);
}
void mdiVeltaro::menuPreview_Click() {
  writeReport(false, false);
}

void mdiVeltaro::menuExcel_Click() {
  // Only on a report just written: never on one left by an earlier run.
  if (writeReport(false, true)) reportService()->OpenReportInExcel();
}

void mdiVeltaro::menuWord_Click() {
  if (writeReport(false, true)) reportService()->OpenReportInWord();
}

void mdiVeltaro::menuMax_Click() {
  if (forms::Form* w = CalcWindowOf(fx().ActiveCalcNumber))
    w->setWindowState(forms::kStateMaximized);
}

void mdiVeltaro::menuMin_Click() {
  if (forms::Form* w = CalcWindowOf(fx().ActiveCalcNumber))
    w->setWindowState(forms::kStateMinimized);
}

// ---------------------------------------------------------------- the main window's own

void mdiVeltaro::menuNewCase_Click() {
  showIfAvailable("frmCase");
}

void mdiVeltaro::menuOpenCase_Click() {
  if (CaseService* cases = caseService()) cases->CaseOpen();
}

void mdiVeltaro::menuSaveCase_Click() {
  if (CaseService* cases = caseService()) cases->CaseSave();
}

void mdiVeltaro::menuDeleteCase_Click() {
  // The File menu's item does what the toolbar's button does.
  if (CaseService* cases = caseService()) cases->CaseDelete();
}

void mdiVeltaro::menuIndex_Click() {
  // The contents of the market's help file, set at start-up.
  forms::app().platform().showHelp(helpFile);
}

void mdiVeltaro::menuQuit_Click() {
  unload(forms::kUnloadFormCode);
}

void mdiVeltaro::menuRoundCmd_Click() {
  auto& f = fx();
  std::string title = RemoveChar(menu("menuRoundCmd").caption(), "&");
  auto answer = forms::app().platform().inputBox(f.TextTable[197], title, "1", 100, 100);
  // A cancelled question changes nothing; neither does an answer that is no whole number
  // of decimals. An empty answer means none.
  if (!answer) return;
  if (auto decimals = ParseDecimals("0" + TrimSpaces(*answer))) f.HeatLossDecimals = *decimals;
}

void mdiVeltaro::menuShowPipeDistance_Click() {
  auto& item = menu("menuShowPipeDistance");
  item.setChecked(!item.checked());
}

void mdiVeltaro::menuAdr_Click() {
  forms::app().get<frmAdresses>().show();
}

void mdiVeltaro::menuAboutProgram_Click() {
  forms::app().get<frmAbout>().show();
}

// ---------------------------------------------------------------- toolbar

void mdiVeltaro::tobMenu_ButtonClick(const std::string& key) {
  if (key == "NewCase") {
    if (CaseService* cases = caseService()) cases->CaseNew();
  } else if (key == "OpenCase") {
    menuOpenCase_Click();
  } else if (key == "SaveCase") {
    menuSaveCase_Click();
  } else if (key == "DeleteCase") {
    if (CaseService* cases = caseService()) cases->CaseDelete();
  } else if (key == "Calculate") {
    menuCalculate_Click();
  } else if (key == "ShowDetails") {
    menuShowDetails_Click();
  } else if (key == "ResetFields") {
    menuResetCase_Click();
  } else if (key == "PrintCase") {
    menuPrintCase_Click();
  } else if (key == "PreView") {
    menuPreview_Click();
  } else if (key == "Help") {
    menuIndex_Click();
  } else if (key == "ExitPrgm") {
    menuQuit_Click();
  } else if (key.size() == 6 && key.rfind("Calc", 0) == 0 &&
             std::isdigit(static_cast<unsigned char>(key[4])) &&
             std::isdigit(static_cast<unsigned char>(key[5]))) {
    int n = (key[4] - '0') * 10 + (key[5] - '0');
    if (!calcFormName(n).empty()) openFromToolbar(n);
  }
}

}  // namespace veltaro
