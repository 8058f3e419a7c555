#include "cases/CaseCommands.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "calc/CalcWindow.h"
#include "cases/CaseFiles.h"
#include "cases/QuietQuestions.h"
#include "cases/RecordLayout.h"
#include "cases/frmCase.h"
#include "core/FileNames.h"
#include "core/Fx.h"
#include "core/MessageLines.h"
#include "core/NumericInput.h"
#include "core/TextFile.h"
#include "forms/Application.h"
#include "shell/FileMessages.h"

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

// The files of a mixed case under the save each comes from, one group a heading.
std::string mixedGroups(const FileError& e, const CaseFolder& folder) {
  std::string text;
  auto group = [&](int line, const std::vector<std::string>& names) {
    if (names.empty()) return;
    text += std::string(kNewLine) + kNewLine + Text(line);
    for (const std::string& n : names) text += std::string(kNewLine) + "  " + folder.path(n);
  };
  group(lines::FromCutOffSave, e.newer);
  group(lines::FromSaveBefore, e.older);
  group(lines::FromEitherSave, e.either);
  return text;
}

// Every case command holds the case while it reads or changes its files, and begins by
// settling a save of it that was cut off. A list of changes that cannot be trusted or settled
// is no lock on the case: the user may give it up and keep the case as it is on disk; a mixed
// case so kept is put in `mixed`, so that its windows open as not calculated. Null, after a
// message that starts with the line `failed`, when the case cannot be held.
std::unique_ptr<CaseFolder> holdCase(FileOps& files, const std::string& chosen, int failed,
                                     const char* menuName, bool forReading = false,
                                     std::optional<FileError>* mixed = nullptr) {
  try {
    auto folder = std::make_unique<CaseFolder>(StripExtension(chosen), files, forReading, chosen);
    auto ask = [&](const FileError& e) {
      if (e.undone()) {
        message(Text(lines::CutOffUndone) + kNewLine + kNewLine + FileErrorText(e) + kNewLine +
                    Text(lines::OldCaseOnDisk),
                forms::mb::Exclamation, menuName);
        return true;
      }
      std::string text = e.path() + kNewLine + Text(lines::CutOffSave);
      if (e.mixed())
        text = FileErrorText(e) + mixedGroups(e, *folder) + kNewLine + kNewLine +
               Text(lines::MixedQuestion);
      if (message(text, forms::mb::OkCancel | forms::mb::Exclamation | forms::mb::DefaultButton2,
                  menuName) != forms::mb::IdOk)
        return false;
      if (mixed && e.mixed()) *mixed = e;
      return true;
    };
    if (!folder->settle(ask)) return nullptr;
    return folder;
  } catch (const FileError& e) {
    message(Text(failed) + kNewLine + kNewLine + FileErrorText(e), forms::mb::Critical, menuName);
    return nullptr;
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
  // The dialog knows only the exact spelling: the program asks itself whether a case is
  // replaced (save()).
  o.overwritePrompt = false;
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

  // Everything is built before anything is written.
  std::string cuts;  // the lines of the warning, each after a line break
  std::vector<std::pair<std::string, std::string>> records;  // extension and bytes
  const std::string values[3] = {caseValue(0), caseValue(1), caseValue(2)};
  const int widths[3] = {3, 80, 16};
  for (int i = 0; i < 3; ++i)
    if (auto kept = KeptIfChanged(values[i], widths[i], false))
      cuts += kNewLine + Text(lines::CutValue, {fieldName(81 + i), values[i], *kept});
  if (withRecords) {
    for (const RecordLayout& layout : RecordLayouts()) {
      forms::Form* window = forms::app().find(calcFormName(layout.calcNumber));
      if (fx().ResultValid[layout.calcType] && window) {
        std::vector<CutField> windowCuts;
        try {
          records.emplace_back(layout.extension, WriteRecord(layout, *window, &windowCuts));
        } catch (const std::exception& e) {
          message(window->caption() + kNewLine + e.what(), forms::mb::Critical, menuName);
          return;
        }
        // A window's fields under its caption, as an open names what it could not put back.
        if (!windowCuts.empty()) cuts += kNewLine + window->caption() + ":";
        for (const CutField& c : windowCuts)
          cuts += std::string(kNewLine) + "  " + Text(lines::CutValue, {c.field, c.text, c.kept});
      }
      forms::app().platform().doEvents();
    }
  }

  if (!cuts.empty()) {
    const std::string text =
        Text(lines::CutWarning) + cuts + kNewLine + kNewLine + Text(lines::SaveAnyway);
    if (message(text, forms::mb::YesNo | forms::mb::Exclamation | forms::mb::DefaultButton2,
                menuName) != forms::mb::IdYes)
      return;
  }

  // From here to the end of the write the case is held; an earlier save cut off is finished
  // first, so that the stale records below are the ones the case now has.
  const std::unique_ptr<CaseFolder> folder = holdCase(files_, chosen, lines::NotSaved, menuName);
  if (!folder) return;
  // A case there under any spelling that is this case's, the exact one too, is replaced only
  // when the user says so, named as it is on disk. The files it has keep their spelling; a new
  // record takes the one chosen.
  if (const std::string header = folder->find(".DAT");
      !header.empty() &&
      message(folder->path(header) + kNewLine + Text(lines::ReplaceCase),
              forms::mb::YesNo | forms::mb::Exclamation | forms::mb::DefaultButton2,
              menuName) != forms::mb::IdYes)
    return;
  std::vector<FileContent> files;
  std::set<std::string> written;
  for (auto& [extension, bytes] : records) {
    files.push_back({folder->nameFor(extension), std::move(bytes)});
    written.insert(files.back().name);
  }
  // The header last: the records are replaced first, as a delete removes them first.
  files.push_back({folder->nameFor(".DAT"), EncodeHeader(values[0], values[1], values[2])});
  written.insert(files.back().name);
  // Records of an earlier case of this name that this save did not write would come back
  // on the next open beside results that no longer belong to them; a new case has none.
  // Every spelling of a record it drops goes, as do the other spellings of those it writes:
  // one left behind would be what the next open finds.
  const std::vector<std::string> before = folder->existing(true);
  std::vector<std::string> stale;
  for (const std::string& f : before)
    if (!written.count(f)) stale.push_back(f);
  // Undone, a new case leaves nothing on disk to speak of.
  const bool newCase = before.empty();
  try {
    folder->write(files, stale);
    fx().CaseBasePath = base;
  } catch (const FileError& e) {
    const int line = e.mixed()        ? lines::SaveMixed
                     : e.unfinished() ? lines::SavedInPart
                                      : lines::NotSaved;
    message(Text(line) + kNewLine + kNewLine + FileErrorText(e) +
                (e.undone() && !newCase ? kNewLine + Text(lines::OldCaseOnDisk) : "") +
                mixedGroups(e, *folder),
            forms::mb::Critical, menuName);
  }
}

// ---------------------------------------------------------------- open

namespace {

// A record file as the open read it while it held the case.
struct StoredRecord {
  const RecordLayout* layout;
  std::string file;   // its path
  std::string bytes;  // empty when `problem` says why not
  std::string problem;
  std::string mixed;  // of a mixed case: which save the record comes from
};

// Puts one record back; what went wrong is added to `problems`.
void openRecord(const StoredRecord& r, std::vector<std::string>& problems) {
  auto& app = forms::app();
  const RecordLayout& layout = *r.layout;
  const std::string name = calcFormName(layout.calcNumber);
  if (!r.problem.empty()) return problems.push_back(r.problem);
  if (!app.isRegistered(name))
    return problems.push_back(r.file + ": " +
                              Text(lines::NoCalculation, {std::to_string(layout.calcNumber)}));
  if (r.bytes.size() < static_cast<std::size_t>(layout.length))
    return problems.push_back(r.file + ": " +
                              Text(lines::ShortRecord, {std::to_string(layout.length)}));
  std::vector<std::string> notes;
  forms::Form* window = nullptr;
  try {
    QuietQuestions quiet(app);
    window = &app.get(name);
    window->show();
    window->setWindowState(forms::kStateMinimized);
    notes = ReadRecord(layout, *window, r.bytes);
  } catch (const std::exception& e) {
    notes.push_back(e.what());
  }
  if (!r.mixed.empty()) notes.push_back(r.mixed);
  // The flag last: the handlers that ran while the inputs came back have cleared it.
  fx().ResultValid[layout.calcType] = notes.empty();
  if (notes.empty()) return;
  // Not calculated: the results the record put back go, as after any change of an input.
  if (auto* calc = dynamic_cast<CalcWindow*>(window)) calc->clearResults();
  std::string what = (window ? window->caption() : name) + " (" + r.file + "):";
  for (const auto& n : notes) what += std::string(kNewLine) + "  " + n;
  problems.push_back(what + kNewLine + "  " + Text(lines::ResultInvalid));
}

}  // namespace

void CaseCommands::open(bool) {
  auto& app = forms::app();
  FX& s = fx();
  const std::string chosen = OpenCaseDialog(commandTitle("menuOpenCase"));
  if (chosen.empty()) return;
  const std::string base = StripExtension(chosen);
  // The files are read while the case is held; the windows fill after it is let go. Without
  // the lock (a folder we may only read, another user's case in a shared folder) a save may
  // run meanwhile: the case is looked at from before its first look (the holder check and the
  // settling included) to after it is read, and read again while it changed or another
  // program held it between, so that what opens is one save's case, never parts of two.
  std::string bytes, header;
  std::vector<StoredRecord> records;
  std::vector<std::string> problems;
  constexpr int kLooks = 5;
  for (int look = 1;; ++look) {
    bytes.clear(), header.clear(), records.clear(), problems.clear();
    std::optional<FileError> mixed;
    const std::unique_ptr<CaseFolder> folder =
        holdCase(files_, chosen, lines::NotOpened, "menuOpenCase", true, &mixed);
    if (!folder) return;
    // Which save a record of a mixed case comes from; its window opens as not calculated.
    auto mixedNote = [&](const std::string& name) {
      auto in = [&](const std::vector<std::string>& names) {
        return std::any_of(names.begin(), names.end(),
                           [&](const std::string& n) { return SameFileName(n, name); });
      };
      if (!mixed) return std::string();
      if (in(mixed->newer)) return Text(lines::WindowFromCutOff);
      if (in(mixed->older)) return Text(lines::WindowFromBefore);
      return Text(lines::WindowFromEither);  // not named by the list: nothing tells
    };
    const std::string headerName = folder->find(".DAT");
    std::optional<FileError> failed;
    if (!headerName.empty()) {
      header = folder->path(headerName);
      try {
        bytes = folder->read(headerName, kHeaderLength);
      } catch (const FileError& e) {
        failed = e;
      }
    }
    if (!headerName.empty() && !failed) {
      // Another user's file at a name of the case is no part of it: named, and left out.
      for (const std::string& n : folder->leftOut())
        problems.push_back(FileErrorText(FileError(folder->path(n), FileProblem::OwnedByAnother)));
      for (const RecordLayout& layout : RecordLayouts()) {
        const std::string name = folder->find(layout.extension);
        if (name.empty()) continue;
        StoredRecord r{&layout, folder->path(name), "", "", mixedNote(name)};
        try {
          r.bytes = folder->read(name, static_cast<std::size_t>(layout.length));
        } catch (const FileError& e) {
          r.problem = FileErrorText(e);
        }
        records.push_back(std::move(r));
      }
    }
    bool still = true;
    try {
      still = folder->unchanged();
    } catch (const FileError& e) {
      failed = e;
      still = true;
    }
    if (!still && look < kLooks) continue;
    // A save never done in time: another program is saving the case.
    if (!still)
      failed = FileError(headerName.empty() ? base + ".DAT" : folder->path(headerName),
                         FileProblem::InUse);
    if (failed) {
      message(Text(lines::NotOpened) + kNewLine + kNewLine + FileErrorText(*failed),
              forms::mb::Critical, "menuOpenCase");
      return;
    }
    if (headerName.empty()) {
      message(base + ".DAT" + kNewLine + Text(lines::NoSuchCase), forms::mb::Exclamation,
              "menuOpenCase");
      return;
    }
    break;
  }
  s.CaseBasePath = base;
  const HeaderValues h = DecodeHeader(bytes);
  const std::string shown[3] = {h.initials, h.name, firstCharacters(h.date, 10)};
  for (int i = 0; i < 3; ++i)
    if (forms::Control* c = caseField(i)) c->setText(s.TextTable[81 + i] + " " + shown[i]);

  for (const RecordLayout& layout : RecordLayouts())
    app.unloadIfLoaded(calcFormName(layout.calcNumber));
  if (bytes.size() < static_cast<std::size_t>(kHeaderLength))
    problems.push_back(header + ": " + Text(lines::ShortHeader));
  for (const StoredRecord& r : records) {
    openRecord(r, problems);
    app.platform().doEvents();
  }
  if (!problems.empty())
    message(Text(lines::PartsNotOpened) + joined(problems), forms::mb::Exclamation, "menuOpenCase");
}

// ---------------------------------------------------------------- delete

void CaseCommands::remove(bool) {
  const std::string chosen = OpenCaseDialog(commandTitle("menuDeleteCase"));
  if (chosen.empty()) return;
  const std::string base = StripExtension(chosen);
  const std::unique_ptr<CaseFolder> folder =
      holdCase(files_, chosen, lines::NotDeleted, "menuDeleteCase");
  if (!folder) return;
  // Only the case's own files: the record files, then the header, never another file that
  // happens to share the name. Records without their header are still the case's. Every
  // letter case of a name goes: a variant left behind would be the case an open finds next.
  std::vector<std::string> names = folder->existing(true), paths;
  if (names.empty()) {
    message(base + ".DAT" + kNewLine + Text(lines::NoSuchCase), forms::mb::Exclamation,
            "menuDeleteCase");
    return;
  }
  for (const std::string& n : names) paths.push_back(folder->path(n));
  if (message(Text(lines::DeleteQuestion) + joined(paths),
              forms::mb::YesNo | forms::mb::Question | forms::mb::DefaultButton2,
              "menuDeleteCase") != forms::mb::IdYes)
    return;
  // One set through the writer, as a save is: cut off, the next use of the case finishes or
  // undoes it; a mixed case's marks go with it. A read-only file stops it before anything goes.
  std::vector<std::string> left;
  int line = lines::FilesLeft;
  try {
    for (const FileError& e : folder->remove(names)) left.push_back(FileErrorText(e));
    if (!left.empty()) line = lines::NotDeleted;
  } catch (const FileError& e) {
    line = e.unfinished() || e.mixed() ? lines::FilesLeft : lines::NotDeleted;
    left.push_back(FileErrorText(e) + mixedGroups(e, *folder));
  }
  for (const std::string& n : folder->inTheWay())
    left.push_back(FileErrorText(FileError(folder->path(n), FileProblem::NotRegular)));
  if (!left.empty()) message(Text(line) + joined(left), forms::mb::Critical, "menuDeleteCase");
}

// ---------------------------------------------------------------- installation

void InstallCaseFiles(forms::Application& app) {
  static CaseCommands commands;
  app.registerForm<frmCase>();
  setCaseService(&commands);
}

}  // namespace veltaro::cases
