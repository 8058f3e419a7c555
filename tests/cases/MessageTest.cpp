// Every message about a case's or a report's files, compared whole, as one table: its title,
// its text with the group headings, its icon and buttons, and the default button that Enter
// presses. A row makes the folder as the message needs it and shows the message: a case
// command, a report, or the words of a file error alone. Add a row for a message of a new
// kind of file problem.

#include <cerrno>

#include "VersionsFixture.h"
#include "files/FileError.h"
#include "report/Reports.h"
#include "shell/FileMessages.h"
#include "shell/frmAbout.h"

namespace casetest {
namespace {

using veltaro::FileError;
using veltaro::FileProblem;

// A message as the user sees it. In a row's text "<DATA>" stands for the case folder.
struct Shown {
  std::string title, text;
  int style = 0;
  bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os) {
  *os << "[" << s.title << "] style " << s.style << "\n" << s.text;
}

class Messages : public Versions {
 protected:
  // A case command given roof.DAT by its dialog, every box answered `answer`: the last box.
  Shown command(void (veltaro::CaseService::*cmd)(), int answer = IdOk) {
    cmd == &S::CaseSave || cmd == &S::CaseNew ? platform.expectSaveFile(path("roof.DAT"))
                                              : platform.expectOpenFile(path("roof.DAT"));
    return lastBox([&] { (cases().*cmd)(); }, answer);
  }
  bool writeReport() {
    return veltaro::Reports(faults).WriteReport(1, app.get("frmCalc01"), false, true);
  }
  // A report written leaves no file of the writer's own in the folder.
  Shown report() {
    bool written = false;
    const Shown shown = lastBox([&] { written = writeReport(); });
    for (const auto& e : fs::directory_iterator(data))
      EXPECT_FALSE(written && e.path().filename().string().starts_with(".~vt")) << e.path();
    return shown;
  }
  void earlierReport() { folder_.writeBytes("DATA/output.htm", "the report before"); }
  // A report cut off after `changes` changes, the report before it on disk.
  void reportCutOff(int changes) {
    earlierReport();
    faults.crashAfter = changes;
    EXPECT_THROW(writeReport(), Crash);
    faults.crashAfter = faults.changes = 0;
  }
  static Shown words(const FileError& e) { return {"", veltaro::FileErrorText(e)}; }
  std::string lock() const { return ".~vt" + veltaro::NameKey("roof") + ".lck"; }
  // The call fails on each of the names ("|" between them), or on every name: "*".
  void failing(const std::string& call, const std::string& names, int error) {
    faults.fail = [=](const std::string& c, const std::string& n) {
      const bool named = names == "*" || ("|" + names + "|").find("|" + n + "|") != n.npos;
      return c == call && named ? error : 0;
    };
  }
  // The new version of the case, to be saved over the old one.
  void newVersion() {
    calculatedWindow(2);
    fx().ResultValid[1] = false;
  }

 private:
  Shown lastBox(const std::function<void()>& show, int answer = IdOk) {
    platform.anyMsgBox = answer;
    const std::size_t before = platform.calls.size();
    show();
    platform.anyMsgBox.reset();
    Shown last{"(none)", "", 0};
    for (std::size_t i = before; i < platform.calls.size(); ++i)
      if (platform.calls[i].kind == "msgBox")
        last = {platform.calls[i].title, platform.calls[i].text, platform.calls[i].style};
    return last;
  }
};

TEST_F(Messages, EveryMessageAboutAFileIsWholeInItsWords) {
  const std::string key = veltaro::NameKey("roof"), list = ".~vt" + key + "-00000000000000aa.PND";
  const std::string others = "\r\nThe file belongs to another user in a shared folder.";
  const int question = OkCancel | Exclamation | DefaultButton2;
  auto id = IdText;
  auto own = [&](char n) { return ".~vt" + key + "-000000000000000" + n; };
  const struct {
    const char* what;
    std::function<void()> make;
    std::function<Shown()> show;
    Shown told;
  } rows[] = {
      {"a save undone",
       [&] { newVersion(), failing("rename", "roof.C02", EIO); },
       [&] { return command(&S::CaseSave); },
       {"Gem sag",
        "The case was not saved.\r\n\r\n<DATA>/roof.C02\r\nThe file cannot be replaced. System "
        "error 5.\r\nThe case is on disk as it was before this save, whole.",
        Critical}},
      {"a new case's save undone",
       [&] {
         for (const char* f : {"roof.DAT", "roof.C01"}) fs::remove(data / f);
         newVersion(), failing("rename", "roof.C02", EIO);
       },
       [&] { return command(&S::CaseSave); },
       {"Gem sag",
        "The case was not saved.\r\n\r\n<DATA>/roof.C02\r\nThe file cannot be replaced. System "
        "error 5.",
        Critical}},
      {"a save neither finished nor undone",
       [&] {
         newVersion();
         fs::permissions(data, fs::perms(01777));
         faults.othersFolder = true;
         faults.fail = [&](const std::string& call, const std::string& name) {
           if (call == "rename" && name == "roof.C02" && !has("roof.C01") && !has("roof.C02"))
             for (const char* f : {"roof.C01", "roof.C02"}) faults.plantAsOther(data / f, "theirs");
           return 0;
         };
       },
       [&] { return command(&S::CaseSave); },
       {"Gem sag",
        "The save was cut off midway and can be neither finished nor undone: the case on disk is "
        "mixed. Until it is saved again or deleted, its windows open as not calculated.\r\n\r\n"
        "<DATA>/roof.C02" +
            others + "\r\n\r\nFrom the save before it:\r\n  <DATA>/roof.DAT",
        Critical}},
      {"a save in part",
       [&] { newVersion(), failing("rename", "roof.DAT|roof.C01", EIO); },
       [&] { return command(&S::CaseSave); },
       {"Gem sag",
        "The case was saved only in part. The rest is done when the case is next opened, saved "
        "or deleted.\r\n\r\n<DATA>/roof.DAT\r\nThe file cannot be replaced. System error 5.",
        Critical}},
      {"a lock file only another user may open",
       [&] {
         fs::permissions(data, fs::perms(02775));
         faults.plantAsOther(data / lock(), "", fs::perms(0600));
       },
       [&] { return command(&S::CaseSave); },
       {"Gem sag",
        "The case was not saved.\r\n\r\n<DATA>/" + lock() +
            "\r\nThe lock file cannot be opened: another user's program is using these files, or "
            "another user left the lock file behind. Access is denied.",
        Critical}},
      // In a shared folder a save knows whose the case is before it writes, or writes nothing.
      {"a header in a shared folder that cannot be looked at",
       [&] {
         newVersion();
         fs::permissions(data, fs::perms(01777));
         failing("info", "roof.DAT", EIO);
       },
       [&] { return command(&S::CaseSave); },
       {"Gem sag",
        "The case was not saved.\r\n\r\n<DATA>/roof.DAT\r\nThe file cannot be read. System error "
        "5.",
        Critical}},
      {"in use",
       [&] { failing("lock", "*", EWOULDBLOCK); },
       [&] { return command(&S::CaseOpen); },
       {"Åbn sag",
        "The case cannot be opened.\r\n\r\n<DATA>/roof.DAT\r\nThe case is in use by another "
        "program. Nothing was changed; try again in a moment.",
        Critical}},
      // The last build's save, cut off before its first change, its temporaries lost.
      {"a cut-off save undone",
       [&] {
         folder_.writeBytes("DATA/roof.PND", "M .~vt" + key + "-9-1 roof.C01\nP .~vt" + key +
                                                 "-9-2 .~vt" + key + "-9-3 roof.DAT\nend\ngo\n");
       },
       [&] { return command(&S::CaseOpen); },
       {"Åbn sag",
        "A save of this case that was cut off could not be finished and was undone.\r\n\r\n"
        "<DATA>/.~vt" +
            key +
            "-9-2\r\nThe file cannot be read.\r\nThe case is on disk as it was "
            "before this save, whole.",
        Exclamation}},
      // This build's save: the header replaced, record 1 not yet removed, record 2's new file
      // lost, another file at record 24's name; no copy of the old header is left.
      {"a mixed case",
       [&] {
         folder_.writeBytes("DATA/roof.DAT", new_["roof.DAT"]);
         folder_.writeBytes("DATA/roof.C24", "not the save's");
         folder_.writeBytes("DATA/" + list,
                            "S roof\nX " + own('1') + " " + id(old_["roof.C01"]) + " roof.C01\nA " +
                                own('2') + " " + id(new_["roof.C02"]) + " roof.C02\nC " + own('3') +
                                " " + id("x") + " " + own('4') + " " + id("y") + " roof.C24\nC " +
                                own('5') + " " + id(new_["roof.DAT"]) + " " + own('6') + " " +
                                id(old_["roof.DAT"]) + " roof.DAT\nend\ngo\n");
       },
       [&] { return command(&S::CaseOpen, IdCancel); },
       {"Åbn sag",
        "<DATA>/" + list +
            "\r\nThe last save of this case was cut off and can be neither finished nor undone: "
            "the case on disk is mixed.\r\n\r\nFrom the save that was cut off:\r\n  "
            "<DATA>/roof.DAT\r\n\r\nFrom the save before it:\r\n  <DATA>/roof.C01\r\n\r\nFrom one "
            "of the two; which one cannot be told:\r\n  <DATA>/roof.C24\r\n\r\nChoose OK to keep "
            "the case as it is on disk; its windows open as not calculated. Choose Cancel to "
            "change nothing.",
        question}},
      {"a list that cannot be trusted",
       [&] { folder_.writeBytes("DATA/roof.PND", "D ../roof.C01\nend\n"); },
       [&] { return command(&S::CaseOpen, IdCancel); },
       {"Åbn sag",
        "<DATA>/roof.PND\r\nThe last save of this case was cut off and cannot be finished. Choose "
        "OK to discard it and keep the case as it is on disk, or Cancel to change nothing.",
        question}},
      {"another user's record",
       [&] {
         fs::permissions(data, fs::perms(01777));
         faults.plantAsOther(data / "roof.C02", new_["roof.C02"]);
       },
       [&] { return command(&S::CaseOpen); },
       {"Åbn sag", "Parts of the case could not be opened:\r\n<DATA>/roof.C02" + others,
        Exclamation}},
      {"the Delete question",
       nullptr,
       [&] { return command(&S::CaseDelete, IdNo); },
       {"Slet sag", "Delete these files of the case?\r\n<DATA>/roof.C01\r\n<DATA>/roof.DAT",
        YesNo | Question | DefaultButton2}},
      {"files Delete leaves",
       [&] {
         fs::permissions(data / "roof.C01", fs::perms::owner_read);
         fs::create_directory(data / "roof.C02");
       },
       [&] { return command(&S::CaseDelete, IdYes); },
       {"Slet sag",
        "The case was not deleted.\r\n<DATA>/roof.C01\r\nThe file is read-only.\r\n<DATA>/roof.C02"
        "\r\nSomething other than an ordinary file (a folder or a link) is in the way.",
        Critical}},
      {"a delete undone",
       [&] { failing("remove", "roof.DAT", EIO); },
       [&] { return command(&S::CaseDelete, IdYes); },
       {"Slet sag",
        "The case was not deleted.\r\n<DATA>/roof.DAT\r\nThe file cannot be deleted. System error "
        "5.",
        Critical}},
      {"a read-only report",
       [&] {
         folder_.writeBytes("DATA/output.htm", "");
         fs::permissions(data / "output.htm", fs::perms::owner_read);
       },
       [&] { return report(); },
       {veltaro::frmAbout::kProgramTitle,
        "The report could not be written.\r\n\r\n<DATA>/output.htm\r\nThe file is read-only.",
        Exclamation}},
      {"a report held by another program",
       [&] { failing("lock", "*", EWOULDBLOCK); },
       [&] { return report(); },
       {veltaro::frmAbout::kProgramTitle,
        "The report could not be written.\r\n\r\n<DATA>/output.htm\r\nThe report is being "
        "written by another program. Try again in a moment.",
        Exclamation}},
      {"a report over the quota",
       [&] { failing("create", "*", EDQUOT); },
       [&] { return report(); },
       {veltaro::frmAbout::kProgramTitle,
        "The report could not be written.\r\n\r\n<DATA>/output.htm\r\nThe file cannot be "
        "written. The disk is full.",
        Exclamation}},
      {"a report undone",
       [&] { earlierReport(), failing("rename", "output-view.htm", EIO); },
       [&] { return report(); },
       {veltaro::frmAbout::kProgramTitle,
        "The report could not be written.\r\n\r\n<DATA>/output-view.htm\r\nThe file cannot be "
        "replaced. System error 5.\r\nThe report is on disk as it was before, whole.",
        Exclamation}},
      {"the first report undone",
       [&] { failing("rename", "output-view.htm", EIO); },
       [&] { return report(); },
       {veltaro::frmAbout::kProgramTitle,
        "The report could not be written.\r\n\r\n<DATA>/output-view.htm\r\nThe file cannot be "
        "replaced. System error 5.",
        Exclamation}},
      {"a report in part",
       [&] {
         earlierReport();
         faults.fail = [n = 0](const std::string& c, const std::string& name) mutable {
           return c == "rename" && (name == "output-view.htm" || (name == "output.htm" && ++n == 2))
                      ? EIO
                      : 0;
         };
       },
       [&] { return report(); },
       {veltaro::frmAbout::kProgramTitle,
        "The report was written only in part; the next report finishes it.\r\n\r\n"
        "<DATA>/output-view.htm\r\nThe file cannot be replaced. System error 5.",
        Exclamation}},
      {"a report cut off before its list, settled by the next",
       [&] { reportCutOff(3); },
       [&] { return report(); },
       {"(none)", ""}},
      {"a report cut off after its list, settled by the next",
       [&] { reportCutOff(8); },
       [&] { return report(); },
       {"(none)", ""}},
      {"the replace question",
       [&] { replacing.reset(); },
       [&] {
         const Shown shown = command(&S::CaseSave);
         replacing = IdYes;
         return shown;
       },
       {"Gem sag",
        "<DATA>/roof.DAT\r\nA case of this name already exists; names that differ only in "
        "capital and small letters are one case. Replace it?",
        YesNo | Exclamation | DefaultButton2}},
      {"the replace question of a new case",
       [&] { replacing.reset(); },
       [&] {
         const Shown shown = command(&S::CaseNew, IdNo);
         replacing = IdYes;
         EXPECT_EQ(files(data), old_) << "No changes nothing";
         return shown;
       },
       {"Ny sag",
        "<DATA>/roof.DAT\r\nA case of this name already exists; names that differ only in "
        "capital and small letters are one case. Replace it?",
        YesNo | Exclamation | DefaultButton2}},
      {"a record removed while it was read",
       [&] { failing("read", "roof.C01", ENOENT); },
       [&] { return command(&S::CaseOpen); },
       {"Åbn sag",
        "Parts of the case could not be opened:\r\n<DATA>/roof.C01\r\nThe file cannot be read. "
        "The file was not found.",
        Exclamation}},
      {"no such case",
       [&] { fs::remove(data / "roof.DAT"); },
       [&] { return command(&S::CaseOpen); },
       {"Åbn sag", "<DATA>/roof.DAT\r\nThere is no case of that name.", Exclamation}},
      // The words of a file problem and its cause, whatever command meets it.
      {"disk full",
       nullptr,
       [&] { return words(FileError(path("roof.C01"), FileProblem::Write, ENOSPC)); },
       {"", "<DATA>/roof.C01\r\nThe file cannot be written. The disk is full."}},
      {"cannot be deleted",
       nullptr,
       [&] { return words(FileError(path("roof.C01"), FileProblem::Remove, EACCES)); },
       {"", "<DATA>/roof.C01\r\nThe file cannot be deleted. Access is denied."}},
      {"write-protected",
       nullptr,
       [&] { return words(FileError(path("roof.C01"), FileProblem::Replace, EROFS)); },
       {"", "<DATA>/roof.C01\r\nThe file cannot be replaced. The disk is write-protected."}},
      {"a folder that is not there",
       nullptr,
       [&] { return words(FileError(path("gone/roof.DAT"), FileProblem::Write, ENOENT)); },
       {"", "<DATA>/gone/roof.DAT\r\nThe file cannot be written. The folder does not exist."}},
      {"another user's file",
       nullptr,
       [&] { return words(FileError(path("roof.C01"), FileProblem::OwnedByAnother)); },
       {"", "<DATA>/roof.C01" + others}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    restore(old_);
    if (row.make) row.make();
    Shown expected = row.told;
    for (std::size_t at; (at = expected.text.find("<DATA>")) != std::string::npos;)
      expected.text.replace(at, 6, data.string());
    EXPECT_EQ(row.show(), expected);
    faults.fail = nullptr;
    faults.othersFolder = false;
    faults.crashAfter = faults.changes = 0;
    fs::permissions(data, fs::perms(0755));
    for (const auto& e : fs::directory_iterator(data))
      fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
  }
}

}  // namespace
}  // namespace casetest
