#include "cases/CaseCommands.h"

#include <exception>
#include <set>

#include "calc/CalcWindow.h"
#include "cases/CaseFiles.h"
#include "cases/QuietQuestions.h"
#include "cases/RecordLayout.h"
#include "cases/frmCase.h"
#include "core/Fx.h"
#include "core/NumericInput.h"
#include "core/TextFile.h"
#include "forms/Application.h"

namespace veltaro::cases {

namespace {

constexpr const char* kNewLine = "\r\n";

// Clears the running flag however the command ends.
class Running {
 public:
  explicit Running(bool& flag) : flag_(flag) { flag_ = true; }
  ~Running() { flag_ = false; }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  bool& flag_;
};

forms::Form* mainWindow() {
  return forms::app().find("mdiVeltaro");
}

// A menu item's caption without its access key; dialogs and messages are titled with it.
std::string commandTitle(const char* menuName) {
  if (forms::Form* main = mainWindow())
    if (forms::MenuItem* item = main->findMenu(menuName)) return RemoveChar(item->caption(), "&");
  return "Veltaro";
}

forms::Control* caseField(int i) {
  forms::Form* main = mainWindow();
  return main ? main->findControl("txtCase", i) : nullptr;
}

std::string caseValue(int i) {
  forms::Control* c = caseField(i);
  return c ? TextAfterColon(c->text()) : std::string();
}

int message(const std::string& text, int style, const char* menuName) {
  return forms::app().platform().msgBox(text, style, commandTitle(menuName));
}

// The first `n` characters of a UTF-8 text.
std::string firstCharacters(const std::string& s, std::size_t n) {
  std::size_t i = 0;
  for (std::size_t count = 0; i < s.size() && count < n; ++count) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  }
  return s.substr(0, i);
}

forms::FileDialogOptions dialogOptions(const std::string& title) {
  forms::FileDialogOptions o;
  o.title = title;
  o.filter = fx().TextTable[82] + " (*.DAT)|*.DAT";
  o.initialFolder = ProgramPath("\\DATA");
  o.defaultExtension = "DAT";
  return o;
}

// A case field's label without its colon.
std::string fieldName(int line) {
  std::string name = TrimSpaces(fx().TextTable[line]);
  if (!name.empty() && name.back() == ':') name.pop_back();
  return name;
}

// Every case command begins by finishing a save of the case that was cut off; false, after a
// message that starts with `failed`, when it cannot.
bool finishCutSave(const std::string& base, const char* failed, const char* menuName) {
  try {
    CompletePendingSave(base);
    return true;
  } catch (const CaseFileError& e) {
    message(std::string(failed) + " An earlier save of the case that was cut off cannot be " +
                "finished." + kNewLine + kNewLine + e.what(),
            forms::mb::Critical, menuName);
    return false;
  }
}

std::string joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += kNewLine + l;
  return s;
}

}  // namespace

// ---------------------------------------------------------------- dialogs

std::string CaseCommands::SaveCaseDialog() {
  forms::FileDialogOptions o = dialogOptions(commandTitle("menuNewCase"));
  o.overwritePrompt = true;
  auto chosen = forms::app().platform().saveFileDialog(o);
  // A cancel keeps the case path and saves nothing, also when a case was saved before.
  if (!chosen || TrimSpaces(*chosen).empty()) return std::string();
  return *chosen;
}

std::string CaseCommands::OpenCaseDialog(const std::string& title) {
  forms::FileDialogOptions o = dialogOptions(title);
  o.fileMustExist = true;
  auto chosen = forms::app().platform().openFileDialog(o);
  if (!chosen || TrimSpaces(*chosen).empty()) return "";
  return *chosen;
}

// ---------------------------------------------------------------- new and save

void CaseCommands::run(const char* menuName, void (CaseCommands::*command)(bool), bool arg) {
  if (busy_) return;
  Running running(busy_);
  try {
    (this->*command)(arg);
  } catch (const std::exception& e) {  // nothing a case file holds may stop the program
    message(e.what(), forms::mb::Critical, menuName);
  }
}

void CaseCommands::CaseNew() {
  run("menuNewCase", &CaseCommands::save, false);
}

void CaseCommands::CaseSave() {
  run("menuSaveCase", &CaseCommands::save, true);
}

void CaseCommands::CaseOpen() {
  run("menuOpenCase", &CaseCommands::open, false);
}

void CaseCommands::CaseDelete() {
  run("menuDeleteCase", &CaseCommands::remove, false);
}

void CaseCommands::save(bool withRecords) {
  const char* menuName = withRecords ? "menuSaveCase" : "menuNewCase";
  const std::string chosen = SaveCaseDialog();
  if (chosen.empty()) return;
  const std::string base = StripExtension(chosen);
  // An earlier save cut off is finished first, so that the stale records below are the ones
  // the case now has.
  if (!finishCutSave(base, "The case was not saved.", menuName)) return;

  // Everything is built before anything is written.
  std::vector<CutField> cuts;
  std::vector<FileContent> files;
  const std::string values[3] = {caseValue(0), caseValue(1), caseValue(2)};
  const int widths[3] = {3, 80, 16};
  for (int i = 0; i < 3; ++i)
    if (auto kept = KeptIfChanged(values[i], widths[i], false))
      cuts.push_back({fieldName(81 + i), values[i], *kept});
  std::set<std::string> written;
  if (withRecords) {
    for (const RecordLayout& layout : RecordLayouts()) {
      forms::Form* window = forms::app().find(calcFormName(layout.calcNumber));
      if (fx().ResultValid[layout.calcType] && window) {
        std::vector<CutField> windowCuts;
        try {
          files.push_back(
              {CaseFilePath(base, layout.extension), WriteRecord(layout, *window, &windowCuts)});
        } catch (const std::exception& e) {
          message(window->caption() + kNewLine + e.what(), forms::mb::Critical, menuName);
          return;
        }
        for (CutField& c : windowCuts) c.control = window->caption() + ": " + c.control;
        cuts.insert(cuts.end(), windowCuts.begin(), windowCuts.end());
        written.insert(files.back().path);
      }
      forms::app().platform().doEvents();
    }
  }

  if (!cuts.empty()) {
    std::string text =
        "The case file cannot keep these values as they are. They would be read back as:";
    for (const CutField& c : cuts)
      text += kNewLine + c.control + ": \"" + c.text + "\" as \"" + c.kept + "\"";
    text += std::string(kNewLine) + kNewLine + "Save the case anyway?";
    if (message(text, forms::mb::YesNo | forms::mb::Exclamation | forms::mb::DefaultButton2,
                menuName) != forms::mb::IdYes)
      return;
  }

  // The header last: the records are replaced first, as a delete removes them first.
  files.push_back({CaseFilePath(base, ".DAT"), EncodeHeader(values[0], values[1], values[2])});
  // Records of an earlier case of this name that this save did not write would come back
  // on the next open beside results that no longer belong to them; a new case has none.
  std::vector<std::string> stale;
  for (const std::string& f : ExistingCaseFiles(base))
    if (!written.count(f) && f != files.back().path) stale.push_back(f);
  try {
    WriteFileSet({.intent = CaseIntentPath(base),
                  .files = files,
                  .removals = stale,
                  .names = CaseFileNames(base)});
    fx().CaseBasePath = base;
  } catch (const CaseFileError& e) {
    message(std::string(e.unfinished() ? "The case was saved only in part. The rest is done "
                                         "when the case is next opened, saved or deleted."
                                       : "The case was not saved.") +
                kNewLine + kNewLine + e.what(),
            forms::mb::Critical, menuName);
  }
}

// ---------------------------------------------------------------- open

namespace {

// Puts one record back; what went wrong is added to `problems`.
void openRecord(const RecordLayout& layout, const std::string& base,
                std::vector<std::string>& problems) {
  const std::string file = FindCaseFile(base, layout.extension);
  if (file.empty()) return;
  auto& app = forms::app();
  const std::string name = calcFormName(layout.calcNumber);
  if (!app.isRegistered(name)) {
    problems.push_back(file + ": this program has no calculation " +
                       std::to_string(layout.calcNumber) + "; the record was not opened.");
    return;
  }
  std::string bytes;
  try {
    bytes = ReadCaseFile(file, static_cast<std::size_t>(layout.length));
  } catch (const CaseFileError& e) {
    problems.push_back(e.what());
    return;
  }
  if (bytes.size() < static_cast<std::size_t>(layout.length)) {
    problems.push_back(file + ": the record is shorter than " + std::to_string(layout.length) +
                       " bytes; the window was not opened.");
    return;
  }
  std::vector<std::string> notes;
  forms::Form* window = nullptr;
  try {
    QuietQuestions quiet(app);
    window = &app.get(name);
    window->show();
    window->setWindowState(forms::kStateMinimized);
    notes = ReadRecord(layout, *window, bytes);
  } catch (const std::exception& e) {
    notes.push_back(e.what());
  }
  // The flag last: the handlers that ran while the inputs came back have cleared it.
  fx().ResultValid[layout.calcType] = notes.empty();
  if (notes.empty()) return;
  std::string what = (window ? window->caption() : name) + " (" + file + "):";
  for (const auto& n : notes) what += std::string(kNewLine) + "  " + n;
  problems.push_back(what + kNewLine + "  The result is not valid; calculate it again.");
}

}  // namespace

void CaseCommands::open(bool) {
  auto& app = forms::app();
  FX& s = fx();
  const std::string chosen = OpenCaseDialog(commandTitle("menuOpenCase"));
  if (chosen.empty()) return;
  const std::string base = StripExtension(chosen);
  if (!finishCutSave(base, "The case cannot be opened.", "menuOpenCase")) return;
  const std::string header = FindCaseFile(base, ".DAT");
  if (header.empty()) {
    message(base + ".DAT" + kNewLine + "There is no case of that name.", forms::mb::Exclamation,
            "menuOpenCase");
    return;
  }
  std::string bytes;
  try {
    bytes = ReadCaseFile(header, kHeaderLength);
  } catch (const CaseFileError& e) {
    message(e.what(), forms::mb::Critical, "menuOpenCase");
    return;
  }
  s.CaseBasePath = base;
  const HeaderValues h = DecodeHeader(bytes);
  const std::string shown[3] = {h.initials, h.name, firstCharacters(h.date, 10)};
  for (int i = 0; i < 3; ++i)
    if (forms::Control* c = caseField(i)) c->setText(s.TextTable[81 + i] + " " + shown[i]);

  for (const RecordLayout& layout : RecordLayouts())
    app.unloadIfLoaded(calcFormName(layout.calcNumber));
  std::vector<std::string> problems;
  if (bytes.size() < static_cast<std::size_t>(kHeaderLength))
    problems.push_back(header + ": the header is shorter than 99 bytes; its fields are empty.");
  for (const RecordLayout& layout : RecordLayouts()) {
    openRecord(layout, base, problems);
    app.platform().doEvents();
  }
  if (!problems.empty())
    message("Parts of the case could not be opened:" + joined(problems), forms::mb::Exclamation,
            "menuOpenCase");
}

// ---------------------------------------------------------------- delete

void CaseCommands::remove(bool) {
  const std::string chosen = OpenCaseDialog(commandTitle("menuDeleteCase"));
  if (chosen.empty()) return;
  const std::string base = StripExtension(chosen);
  if (!finishCutSave(base, "The case was not deleted.", "menuDeleteCase")) return;
  // Only the case's own files: the record files, then the header, never another file that
  // happens to share the name. Records without their header are still the case's.
  const std::vector<std::string> files = ExistingCaseFiles(base);
  if (files.empty()) {
    message(base + ".DAT" + kNewLine + "There is no case of that name; nothing was deleted.",
            forms::mb::Exclamation, "menuDeleteCase");
    return;
  }
  if (message("Delete these files of the case?" + joined(files),
              forms::mb::YesNo | forms::mb::Question | forms::mb::DefaultButton2,
              "menuDeleteCase") != forms::mb::IdYes)
    return;
  if (const std::vector<std::string> left = RemoveFiles(files); !left.empty())
    message("The case was not deleted completely. These files are left:" + joined(left),
            forms::mb::Critical, "menuDeleteCase");
}

// ---------------------------------------------------------------- installation

void InstallCaseFiles(forms::Application& app) {
  static CaseCommands commands;
  app.registerForm<frmCase>();
  setCaseService(&commands);
}

}  // namespace veltaro::cases
