#include "core/LanguageTexts.h"

#include <array>
#include <cmath>
#include <utility>

#include "core/Errors.h"
#include "core/Fx.h"
#include "core/MessageLines.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"
#include "core/TextFile.h"
#include "forms/Application.h"

namespace veltaro {
namespace {

bool isOneOf(std::string_view code, std::initializer_list<std::string_view> codes) {
  for (auto c : codes)
    if (code == c) return true;
  return false;
}

// What one line of the menu file sets on the main window.
enum class Rule { None, ClassCalc, PipeDistance, DuctCalc };
struct MenuLine {
  const char* menu;  // a menu item, or nullptr for a toolbar button
  int button;        // 1-based button of tobMenu
  Rule rule;
};

// Line n of the menu file is entry n - 1. The rules say which markets offer the class
// calculation (DK, NO), the pipe distances (DK, NO, SE) and the duct calculation (DK, NO, SE,
// UK); they are applied when their line is read, so a short file leaves the design state.
constexpr std::array<MenuLine, 57> kMenuLines{{
    {"menuFiler", 0, Rule::None},     {"menuNewCase", 0, Rule::None},
    {"menuOpenCase", 0, Rule::None},  {"menuSaveCase", 0, Rule::None},
    {"menuExport", 0, Rule::None},    {"menuDeleteCase", 0, Rule::None},
    {"menuPrintCase", 0, Rule::None}, {"menuPreview", 0, Rule::None},
    {"menuQuit", 0, Rule::None},      {"menuEdit", 0, Rule::None},
    {"menuCalculate", 0, Rule::None}, {"menuShowDetails", 0, Rule::None},
    {"menuResetCase", 0, Rule::None}, {"menuBeregn", 0, Rule::None},
    {"menuCalc01", 0, Rule::None},    {"menuCalc02", 0, Rule::None},
    {"menuCalc03", 0, Rule::None},    {"menuCalc04", 0, Rule::ClassCalc},
    {"menuCalc05", 0, Rule::None},    {"menuCalc06", 0, Rule::None},
    {"menuFlerlag", 0, Rule::None},   {"menuCalc21", 0, Rule::None},
    {"menuCalc22", 0, Rule::None},    {"menuCalc23", 0, Rule::None},
    {"menuCalc24", 0, Rule::None},    {"menuLastCalc", 0, Rule::None},
    {"menuMax", 0, Rule::None},       {"menuMin", 0, Rule::None},
    {"menuHelp", 0, Rule::None},      {"menuIndex", 0, Rule::None},
    {"menuAdr", 0, Rule::None},       {"menuAboutProgram", 0, Rule::None},
    {nullptr, 1, Rule::None},         {nullptr, 2, Rule::None},
    {nullptr, 3, Rule::None},         {nullptr, 4, Rule::None},
    {nullptr, 6, Rule::None},         {nullptr, 7, Rule::None},
    {nullptr, 8, Rule::None},         {nullptr, 10, Rule::None},
    {nullptr, 11, Rule::None},        {nullptr, 13, Rule::None},
    {nullptr, 15, Rule::None},        {nullptr, 17, Rule::None},
    {nullptr, 18, Rule::None},        {nullptr, 19, Rule::None},
    {nullptr, 20, Rule::ClassCalc},   {nullptr, 21, Rule::None},
    {nullptr, 22, Rule::None},        {nullptr, 25, Rule::None},
    {nullptr, 26, Rule::None},        {nullptr, 27, Rule::None},
    {nullptr, 28, Rule::None},        {"menuShowPipeDistance", 0, Rule::PipeDistance},
    {"menuRoundCmd", 0, Rule::None},  {"menuCalc07", 0, Rule::DuctCalc},
    {nullptr, 23, Rule::DuctCalc},
}};

// The splash window's progress bar, when the splash window is up.
forms::Control* progressBar() {
  forms::Form* start = forms::app().find("frmStart");
  return start ? start->findControl("prbStartup") : nullptr;
}

void setProgress(forms::Control* bar, int value) {
  if (!bar) return;
  // The bar's value may never pass its maximum.
  if (value > bar->maximum()) bar->setRange(bar->minimum(), value);
  bar->setValue(value);
}

std::vector<std::string> readWhole(const std::string& path, bool mustHaveLines) {
  std::vector<std::string> lines = ReadTextLines(path);
  if (mustHaveLines && lines.empty())
    throw DataFileError(path, 0, TextOr(lines::FileEmpty, "the file is empty"));
  return lines;
}

}  // namespace

std::string CountrySuffix(std::string_view countryCode) {
  if (isOneOf(countryCode, {"DK", "UK", "NO", "SE", "LT", "EE", "LV", "MRN"}))
    return std::string(countryCode);
  return "DK";
}

void LoadMenuText() {
  auto& state = fx();
  const std::string path = ProgramPath("\\Text\\MenuText." + CountrySuffix(state.CountryCode));
  forms::Control* bar = progressBar();
  int progress = 1;
  setProgress(bar, progress);
  state.StartupLoading = -1;
  const std::vector<std::string> lines = readWhole(path, false);

  forms::Form& main = forms::app().get("mdiVeltaro");
  forms::Toolbar& toolbar = main.toolbar("tobMenu");
  const std::string& code = state.CountryCode;
  const bool classCalc = isOneOf(code, {"DK", "NO"});
  const bool pipeDistance = isOneOf(code, {"DK", "NO", "SE"});
  const bool ductCalc = isOneOf(code, {"DK", "NO", "SE", "UK"});

  int n = 0;
  for (const auto& raw : lines) {
    ++n;
    setProgress(bar, ++progress);
    if (n > static_cast<int>(kMenuLines.size())) continue;  // later lines are not used
    const MenuLine& target = kMenuLines[static_cast<std::size_t>(n - 1)];
    const std::string text = TrimSpaces(raw);
    bool visible = true;
    switch (target.rule) {
      case Rule::None:
        break;
      case Rule::ClassCalc:
        visible = classCalc;
        break;
      case Rule::PipeDistance:
        visible = pipeDistance;
        break;
      case Rule::DuctCalc:
        visible = ductCalc;
        break;
    }
    if (target.menu) {
      forms::MenuItem& item = main.menu(target.menu);
      item.setCaption(text);
      if (target.rule != Rule::None) item.setVisible(visible);
      if (target.rule == Rule::PipeDistance) item.setChecked(visible);
    } else {
      toolbar.setToolTip(target.button, text);
      if (target.rule != Rule::None) toolbar.setButtonVisible(target.button, visible);
    }
  }
}

void LoadTextFile() {
  auto& state = fx();
  const std::string path = ProgramPath("\\Text\\TextFile." + CountrySuffix(state.CountryCode));
  forms::Control* bar = progressBar();
  setProgress(bar, 1);
  std::vector<std::string> lines = readWhole(path, true);
  const int n = static_cast<int>(lines.size());
  if (bar) bar->setRange(bar->minimum(), n + 1);
  for (int k = 0; k < n; ++k) {
    lines[static_cast<std::size_t>(k)] = TrimSpaces(lines[static_cast<std::size_t>(k)]);
    setProgress(bar, k + 2);
  }
  state.TextTable.assign(std::move(lines));
  // The window model's own messages, the help viewer and the message boxes' buttons speak the
  // market's language too (a file without those lines leaves them as they were).
  forms::Application::Words words = forms::app().words();
  for (auto [word, line] : {std::pair{&words.actionFailed, lines::ActionFailed},
                            {&words.helpMissing, lines::HelpMissing},
                            {&words.helpBack, lines::HelpBack},
                            {&words.helpForward, lines::HelpForward},
                            {&words.buttons.yes, lines::ButtonYes},
                            {&words.buttons.no, lines::ButtonNo},
                            {&words.buttons.ok, lines::ButtonOk},
                            {&words.buttons.cancel, lines::ButtonCancel},
                            {&words.buttons.abort, lines::ButtonAbort},
                            {&words.buttons.retry, lines::ButtonRetry},
                            {&words.buttons.ignore, lines::ButtonIgnore}})
    if (!state.TextTable[line].empty()) *word = state.TextTable[line];
  forms::app().setWords(std::move(words));
  // The main window is loaded by then at start-up; a program part that only wants the texts
  // (a test of one window) may have no main window at all.
  if (forms::app().isRegistered("mdiVeltaro")) {
    if (forms::Control* button = forms::app().get("mdiVeltaro").findControl("cmdCase"))
      button->setCaption(state.TextTable[164]);
  }
  state.StartupLoading = 0;
}

void LoadAddresses() {
  auto& state = fx();
  const std::string path = ProgramPath("\\Text\\adress.all");
  std::vector<std::string> lines = readWhole(path, true);
  const int n = static_cast<int>(lines.size());
  // The address count is a 16-bit number of 15-line blocks, rounded: 491,512 lines at most.
  if (std::nearbyint(n / 15.0) > 32767)
    throw DataFileError(path, 0, TextOr(lines::FileTooLong, "the file has more than 491512 lines"));
  state.AddressLines.assign(std::move(lines));
  state.AddressCount = ToInt16(n / 15.0);
  // The contact window's load copies the country's block into the text table; loading it is
  // also what first shows the main window behind the splash window.
  forms::Form& contact = forms::app().get("frmAdresses");
  contact.hide();
  contact.unload();
}

int ContactBlockFirstLine(std::string_view code) {
  if (code == "MRN") return 16;
  if (code == "UK") return 31;
  if (code == "NO") return 61;
  if (code == "SE") return 76;
  if (code == "LT") return 91;
  if (code == "EE") return 106;
  if (code == "LV") return 121;
  return 46;
}

void CopyContactBlock() {
  auto& state = fx();
  auto& t = state.TextTable;
  const auto& a = state.AddressLines;
  const int b = ContactBlockFirstLine(state.CountryCode);
  // The country's block must be in the file whole; a shorter file would publish empty
  // contact lines without a word.
  if (a.size() < b + 10)
    throw DataFileError(ProgramPath("\\Text\\adress.all"), 0,
                        TextOr(lines::ContactTooShort,
                               "the file is too short for this market's contact address, "
                               "which takes lines") +
                            " " + std::to_string(b) + "-" + std::to_string(b + 10));
  // The Norwegian block has one more address line at the top that is not published: lines
  // 146 and 147 take its address lines 2 and 3 instead of 1 and 2.
  const int skip = state.CountryCode == "NO" ? 1 : 0;
  t.set(144, a[b]);
  t.set(145, a[b + 1]);
  t.set(146, a[b + 2 + skip]);
  t.set(147, a[b + 3 + skip]);
  t.set(148, a[b + 5]);
  // Telephone, fax and e-mail with their captions.
  t.set(149, t[190] + " " + a[b + 6]);
  t.set(150, t[191] + " " + a[b + 7]);
  t.set(151, t[192] + " " + a[b + 8]);
  t.set(152, a[b + 9]);
  t.set(155, a[b + 9]);
  t.set(156, a[b + 10]);
}

}  // namespace veltaro
