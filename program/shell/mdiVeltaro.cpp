#include "shell/mdiVeltaro.h"

#include <array>

#include "calc/CalcWindow.h"
#include "core/Fx.h"
#include "core/NumericInput.h"
#include "core/ProgramFiles.h"
#include "forms/Application.h"
#include "shell/ShellServices.h"

namespace veltaro {

namespace {

using forms::ControlKind;

// ---------------------------------------------------------------- background bands

struct Band {
  int calc;
  int yLo, yHi;
};

// The calculation bands of the four market groups, in the order the hit test tries them.
// Group 0: "DK", "NO"; 1: "UK", "SE"; 2: "LT", "LV"; 3: every other code.
const std::array<std::array<Band, 11>, 4> kCalcBands = {{
    {{{1, 1900, 2150},
      {2, 2350, 2650},
      {3, 2850, 3150},
      {4, 3350, 3630},
      {5, 3830, 4110},
      {6, 4310, 4580},
      {7, 4780, 5050},
      {21, 5750, 6280},
      {22, 6510, 6750},
      {23, 6975, 7250},
      {24, 7450, 7720}}},
    {{{1, 1900, 2150},
      {2, 2350, 2650},
      {3, 2850, 3150},
      {4, 0, 0},
      {5, 3350, 3630},
      {6, 3830, 4110},
      {7, 4310, 4580},
      {21, 5300, 5750},
      {22, 6050, 6280},
      {23, 6510, 6750},
      {24, 6975, 7250}}},
    {{{1, 1900, 2150},
      {2, 2350, 2650},
      {3, 2850, 3150},
      {4, 0, 0},
      {5, 3350, 3630},
      {6, 3830, 4110},
      {7, 0, 0},
      {21, 5300, 5750},
      {22, 6050, 6280},
      {23, 6510, 7005},
      {24, 7230, 7490}}},
    {{{1, 1900, 2150},
      {2, 2350, 2650},
      {3, 2850, 3150},
      {4, 0, 0},
      {5, 3350, 3630},
      {6, 3830, 4110},
      {7, 0, 0},
      {21, 5300, 5750},
      {22, 6050, 6280},
      {23, 6510, 6750},
      {24, 6975, 7250}}},
}};

int bandGroup(std::string_view code) {
  if (code == "DK" || code == "NO") return 0;
  if (code == "UK" || code == "SE") return 1;
  if (code == "LT" || code == "LV") return 2;
  return 3;
}

// Open on both sides: a point exactly on a border is outside.
bool inside(float v, int lo, int hi) {
  return lo < v && v < hi;
}

// ---------------------------------------------------------------- design tables

struct MenuDesign {
  const char* name;
  const char* parent;  // nullptr: on the menu bar
  const char* caption;
  const char* shortcut;
};

const MenuDesign kMenus[] = {
    {"menuFiler", nullptr, "&Filer", ""},
    {"menuNewCase", "menuFiler", "&Ny sag", "Ctrl+N"},
    {"menuOpenCase", "menuFiler", "Å&ben sag", "Ctrl+O"},
    {"menuSaveCase", "menuFiler", "&Gem sag", "Ctrl+S"},
    {"menuExport", "menuFiler", "&Eksporter ", ""},
    {"menuWord", "menuExport", "&Word 2000", ""},
    {"menuExcel", "menuExport", "Excel 97", ""},
    {"menuDeleteCase", "menuFiler", "&Slet sag", ""},
    {"menuSpace01", "menuFiler", "-", ""},
    {"menuPrintCase", "menuFiler", "&Udskriv", "Ctrl+P"},
    {"menuPreview", "menuFiler", "&Vis udskrift", ""},
    {"menuSpace02", "menuFiler", "-", ""},
    {"menuQuit", "menuFiler", "&Afslut VELTARO", ""},
    {"menuEdit", nullptr, "&Rediger", ""},
    {"menuCalculate", "menuEdit", "&Beregn", ""},
    {"menuShowDetails", "menuEdit", "&Vis detaljer", ""},
    {"menuShowPipeDistance", "menuEdit", "Vis &rørafstande", ""},
    {"menuResetCase", "menuEdit", "&Reset felter i aktuel beregning", ""},
    {"menuRoundCmd", "menuEdit", "Vis antal &decimaler på Varmetab", ""},
    {"menuBeregn", nullptr, "&Beregninger", ""},
    {"menuCalc01", "menuBeregn", "&1. Varmetab og overfladetemperatur som funktion af tykkelse",
     ""},
    {"menuCalc02", "menuBeregn", "&2. Tykkelse og varmetab som funktion af overfladetemperatur",
     ""},
    {"menuCalc03", "menuBeregn", "&3. Tykkelse og overfladetemperatur som funktion af varmetab",
     ""},
    {"menuCalc04", "menuBeregn",
     "&4. Tykkelse, varmetab og overfladetemperatur som funktion af klasse", ""},
    {"menuCalc05", "menuBeregn", "&5. Isolering mod udvendig overfladekondens af kolde emner", ""},
    {"menuCalc06", "menuBeregn", "&6. Isolering mod indvendig kondens af strømmende medium", ""},
    {"menuCalc07", "menuBeregn", "&7. Temperatur og isoleringstykkelse i ventilationskanaler", ""},
    {"menuFlerlag", nullptr, "Fler&lagsberegninger", ""},
    {"menuCalc21", "menuFlerlag",
     "2&1. Varmetab, skille- og overfladetemperatur som funktion af tykkelse", ""},
    {"menuCalc22", "menuFlerlag", "2&2. Tykkelser som funktion af temperaturkrav", ""},
    {"menuCalc23", "menuFlerlag", "2&3. Tykkelser som funktion af temperaturkrav og varmetab", ""},
    {"menuCalc24", "menuFlerlag", "2&4. Efterisolering med et nyt lag uden på eksisterende", ""},
    {"menuLastCalc", nullptr, "&Vindue", ""},
    {"menuMax", "menuLastCalc", "Maksimer aktuelt vindue", ""},
    {"menuMin", "menuLastCalc", "Minimer aktuelt vindue", ""},
    {"menuHelp", nullptr, "&Hjælp", ""},
    {"menuIndex", "menuHelp", "&Indhold", ""},
    {"menuSpace05", "menuHelp", "-", ""},
    {"menuAdr", "menuHelp", "O&m TORVELIN Scandinavia", ""},
    {"menuAboutProgram", "menuHelp", "&Om VELTARO", ""},
};

struct ButtonDesign {
  const char* key;  // nullptr: separator
  int image;        // picture number of the button (1-22)
  const char* tip;
};

const ButtonDesign kButtons[] = {
    {"NewCase", 1, "Ny sag"},
    {"OpenCase", 2, "Åben sag"},
    {"SaveCase", 3, "Gem sag"},
    {"DeleteCase", 4, "Slet sag"},
    {nullptr, 0, ""},
    {"Calculate", 5, "Beregn"},
    {"ShowDetails", 6, "Vis detaljer"},
    {"ResetFields", 7, "Reset alle felter i aktuel beregning"},
    {nullptr, 0, ""},
    {"PrintCase", 8, "Print"},
    {"PreView", 9, "Vis udskift"},
    {nullptr, 0, ""},
    {"Help", 10, "Hjælp"},
    {nullptr, 0, ""},
    {"ExitPrgm", 11, "Afslut VELTARO program"},
    {nullptr, 0, ""},
    {"Calc01", 12, "Varmetab og overfladetemperatur som funktion af tykkelse"},
    {"Calc02", 13, "Tykkelse og varmetab som funktion af overfladetemperatur"},
    {"Calc03", 14, "Tykkelse og overfladetemperatur som funktion af varmetab"},
    {"Calc04", 15, "Tykkelse, varmetab og overfladetemperatur som funktion af klasse"},
    {"Calc05", 16, "Isolering mod udvendig overfladekondens af kolde emner"},
    {"Calc06", 17, "Isolering mod indvendig kondens af strømmende medium"},
    {"Calc07", 18, "Temperatur og isoleringstykkelse i ventilationskanaler"},
    {nullptr, 0, ""},
    {"Calc21", 19, "Varmetab, skille- og overfladetemperatur som funktion af tykkelser"},
    {"Calc22", 20, "Tykkelser som funktion af temperaturkrav"},
    {"Calc23", 21, "Tykkelser som funktion af temperaturkrav og varmetab"},
    {"Calc24", 22, "Efterisolering med et nyt lag uden på eksisterende lag"},
};

constexpr int kCalcNumbers[] = {1, 2, 3, 4, 5, 6, 7, 21, 22, 23, 24};

std::string twoDigits(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

}  // namespace

BandHit HitTestBands(std::string_view countryCode, double x, double y) {
  // The mouse reports single-precision twips.
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const int group = bandGroup(countryCode);
  const bool wide = group != 0;
  if (inside(fx, wide ? 3000 : 3375, wide ? 11600 : 9750)) {
    for (const Band& b : kCalcBands[static_cast<size_t>(group)])
      if (b.yHi > b.yLo && inside(fy, b.yLo, b.yHi)) return {BandHit::Calculation, b.calc, 0};
  }
  if (inside(fx, 0, 2700)) {
    if (inside(fy, 6200, 6650)) return {BandHit::Link, 0, 155};
    if (inside(fy, 6725, 7175)) return {BandHit::Link, 0, 156};
  }
  return {};
}

forms::Form* CalcWindowOf(int calcNumber) {
  std::string name = calcFormName(calcNumber);
  // A calculation whose window is not part of this build is left alone.
  if (name.empty() || !forms::app().isRegistered(name)) return nullptr;
  return &forms::app().get(name);
}

// ---------------------------------------------------------------- design

mdiVeltaro::mdiVeltaro() : forms::Form(kName) {
  setMdiForm(true);
  setCaption(kCaption);
  buildMenus();
  buildToolbars();

  // The case strip: the case-header button and the three case fields (label and value).
  auto& cmd = add(ControlKind::CommandButton, "cmdCase");
  cmd.setCaption("Sagsoplysninger");
  cmd.move(60, 30, 1800, 330);
  cmd.placeOnToolbar(toolbar("tobCase"));
  cmd.onClick = [this] { cmdCase_Click(); };
  const char* fields[] = {" Initialer:  ", " Sagsnavn:  ", " Dato:  2003-02-18"};
  const int left[] = {1920, 3900, 9000}, width[] = {1920, 5040, 2700};
  for (int i = 0; i < 3; ++i) {
    auto& t = add(ControlKind::TextBox, "txtCase", i);
    t.setTextSilently(fields[i]);
    t.move(left[i], 30, width[i], 330);
    t.placeOnToolbar(toolbar("tobCase"));
    t.setLocked(true);
    t.setTabStop(false);
    t.setBackColor(forms::kColorButtonFace);  // a display field, changed through frmCase
  }
}

void mdiVeltaro::buildMenus() {
  for (const MenuDesign& d : kMenus) {
    forms::MenuItem* parent = d.parent ? &menu(d.parent) : nullptr;
    auto& item = addMenu(d.name, parent);
    item.setCaption(d.caption);
    if (*d.shortcut) item.setShortcut(d.shortcut);
  }
  menu("menuLastCalc").setWindowList(true);

  for (int n : kCalcNumbers)
    menu("menuCalc" + twoDigits(n)).onClick = [this, n] { menuCalc_Click(n); };
  menu("menuCalculate").onClick = [this] { menuCalculate_Click(); };
  menu("menuShowDetails").onClick = [this] { menuShowDetails_Click(); };
  menu("menuShowPipeDistance").onClick = [this] { menuShowPipeDistance_Click(); };
  menu("menuResetCase").onClick = [this] { menuResetCase_Click(); };
  menu("menuRoundCmd").onClick = [this] { menuRoundCmd_Click(); };
  menu("menuNewCase").onClick = [this] { menuNewCase_Click(); };
  menu("menuOpenCase").onClick = [this] { menuOpenCase_Click(); };
  menu("menuSaveCase").onClick = [this] { menuSaveCase_Click(); };
  menu("menuDeleteCase").onClick = [this] { menuDeleteCase_Click(); };
  menu("menuExcel").onClick = [this] { menuExcel_Click(); };
  menu("menuWord").onClick = [this] { menuWord_Click(); };
  menu("menuPrintCase").onClick = [this] { menuPrintCase_Click(); };
  menu("menuPreview").onClick = [this] { menuPreview_Click(); };
  menu("menuQuit").onClick = [this] { menuQuit_Click(); };
  menu("menuMax").onClick = [this] { menuMax_Click(); };
  menu("menuMin").onClick = [this] { menuMin_Click(); };
  menu("menuIndex").onClick = [this] { menuIndex_Click(); };
  menu("menuAdr").onClick = [this] { menuAdr_Click(); };
  menu("menuAboutProgram").onClick = [this] { menuAboutProgram_Click(); };
}

void mdiVeltaro::buildToolbars() {
  auto& bar = addToolbar("tobMenu");
  for (const ButtonDesign& d : kButtons) {
    auto& b = bar.addButton(d.key ? d.key : "", d.key == nullptr);
    b.toolTip = d.tip;
    if (d.image > 0)
      b.image =
          ExistingProgramFile("\\Images\\Toolbar\\tob" + twoDigits(d.image) + "_" + d.key + ".bmp");
  }
  bar.picture = ExistingProgramFile("\\Images\\Toolbar\\tobmenu_picture.bmp");  // Picture2
  bar.onButtonClick = [this](forms::ToolbarButton& b) { tobMenu_ButtonClick(b.key); };
  addToolbar("tobCase");  // holds cmdCase and txtCase; no buttons of its own
}

// ---------------------------------------------------------------- window events

void mdiVeltaro::Form_Load() {
  const std::string& code = fx().CountryCode;
  std::string suffix = "dk";
  for (const char* c : {"DK", "NO", "SE", "UK", "LT", "EE", "LV", "MRN"})
    if (code == c) {
      suffix = c;
      for (char& ch : suffix) ch = static_cast<char>(ch - 'A' + 'a');
      break;
    }
  // A missing picture leaves the workspace plain; the window works without it.
  setPicture(ExistingProgramFile("\\Images\\background_" + suffix + ".jpg"));
  if (code == "MRN") {
    std::string icon = ExistingProgramFile("\\Images\\Icons\\veltaro32_32_marine.ico");
    if (!icon.empty()) setIcon(icon);
  }
  setHeight(8880);
  setWidth(11990);
}

void mdiVeltaro::Form_MouseDown(int, int, double x, double y) {
  // Any mouse button acts.
  BandHit hit = HitTestBands(fx().CountryCode, x, y);
  if (hit.kind == BandHit::Calculation)
    menuCalc_Click(hit.calcNumber);
  else if (hit.kind == BandHit::Link)
    ShellOpen(fx().TextTable[hit.textLine]);
}

void mdiVeltaro::Form_MouseMove(int, int, double x, double y) {
  bool onBand = HitTestBands(fx().CountryCode, x, y).kind != BandHit::None;
  setMousePointer(onBand ? forms::kPointerCustom : forms::kPointerDefault);
}

void mdiVeltaro::Form_QueryUnload(int& cancel, int) {
  // Whatever closes the window, the question is asked.
  forms::app().unloadIfLoaded("frmErrorInfo");
  std::string prompt = RemoveChar(menu("menuQuit").caption(), "&") + " ?";
  int answer =
      forms::app().platform().msgBox(prompt, forms::mb::YesNo | forms::mb::Question, caption());
  if (answer != forms::mb::IdYes) cancel = 1;
}

void mdiVeltaro::Form_Unload(int&) {
  // The children have been unloaded by now; closing the frame ends the program.
  forms::app().end();
}

void mdiVeltaro::cmdCase_Click() {
  menuNewCase_Click();
}

}  // namespace veltaro
