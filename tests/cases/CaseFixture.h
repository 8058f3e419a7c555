#pragma once
// The calculation windows' test program with what the case commands need of the main window
// (its case fields and button), the case commands installed, and a DATA folder for the cases.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "calc/CalcFixture.h"
#include "cases/CaseCommands.h"
#include "core/FileNames.h"
#include "core/Fx.h"
#include "core/MessageLines.h"
#include "core/TextFile.h"
#include "files/ChangeList.h"
#include "files/FileOps.h"
#include "shell/ShellServices.h"
#include "support/Steps.h"

namespace casetest {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using S = veltaro::CaseService;

// The program dies here: nothing after it runs, every file stays as it is.
struct Crash {};

// A file's id as a list of this build writes it: its size, and its hash in 16 hex digits.
inline std::string IdText(const std::string& bytes) {
  const veltaro::FileId i = veltaro::IdOf(bytes);
  char text[40];
  std::snprintf(text, sizeof text, "%llu:%016llx", static_cast<unsigned long long>(i.size),
                static_cast<unsigned long long>(i.hash));
  return text;
}

// The system's file operations with faults planted: a crash right after the n-th change
// (a file created or added to, renamed or removed), or a call that fails with an errno. And
// what a test cannot make as the user it runs as: files of another user (in a folder with the
// sticky bit only the owner of a file, or of the folder, renames or removes it; another user's
// file opens as its group bits let the user), and a file system that matches names without
// regard to letter case, as exFAT does, in Latin, Cyrillic and Greek alike.
class FaultyFiles : public veltaro::PosixFiles {
 public:
  int crashAfter = 0;  // 0: never
  int changes = 0;
  // The errno a call ("info", "create", "append", "rename", "remove", "lock", "read", and
  // "stillAt", the look a lock takes at its name once the file is locked) on the name fails
  // with, 0 to let it run.
  std::function<int(const std::string& call, const std::string& name)> fail;

  static constexpr unsigned kOther = 4242;  // another user
  bool othersFolder = false;                // the folder is another user's
  bool foldsNames = false;                  // names match in any letter case, as exFAT's do
  unsigned asUser = 0;          // the user the tests play, whoever runs them (0: that user)
  std::set<std::string> third;  // names of a third user's files, as the user's appear
  unsigned user() const override { return asUser ? asUser : PosixFiles::user(); }
  // A file of another user's, with its permission bits. The sticky bit, which means nothing
  // on a file and which no save gives, marks it as the other user's as long as it exists.
  static void plantAsOther(const fs::path& file, const std::string& bytes,
                           fs::perms mode = fs::perms(0644)) {
    fs::remove(file);
    std::ofstream(file, std::ios::binary) << bytes;
    fs::permissions(file, mode | fs::perms::sticky_bit);
  }

  int info(const veltaro::Folder& f, const std::string& n, veltaro::FileInfo& out) override {
    if (int e = failing("info", n)) return e;
    const int e = PosixFiles::info(f, seen(f, n), out);
    if (asUser && out.uid == PosixFiles::user()) out.uid = asUser;
    if (others(out) || (out.exists && n == "." && othersFolder)) out.uid = kOther;
    if (others(out)) out.mode &= ~S_ISVTX;
    if (out.exists && third.count(n)) out.uid = kOther + 2;
    return e;
  }
  int read(const veltaro::Folder& f, const std::string& n, std::size_t l, std::string& b) override {
    if (int e = failing("read", n)) return e;
    if (denied(f, seen(f, n), 040)) return EACCES;
    return PosixFiles::read(f, seen(f, n), l, b);
  }
  int create(const veltaro::Folder& f, const std::string& n, std::string_view b,
             const veltaro::FileInfo* like) override {
    return change("create", n, [&] {
      veltaro::FileInfo there;
      if (foldsNames && PosixFiles::info(f, seen(f, n), there) == 0 && there.exists) return EEXIST;
      return PosixFiles::create(f, n, b, like);
    });
  }
  int append(const veltaro::Folder& f, const std::string& n, std::string_view b) override {
    return change("append", n, [&] { return PosixFiles::append(f, seen(f, n), b); });
  }
  int rename(const veltaro::Folder& f, const std::string& from, const std::string& to,
             bool replace = true) override {
    return change("rename", to, [&] {
      const std::string a = seen(f, from), b = seen(f, to);
      if (sticky(f, a) || sticky(f, b)) return EPERM;
      if (b == to || a == b) return PosixFiles::rename(f, a, b, replace);
      // Another spelling of a file there: that file, which takes the new spelling.
      if (!replace) return EEXIST;
      const int e = PosixFiles::rename(f, a, b);
      return e ? e : PosixFiles::rename(f, b, to);
    });
  }
  int remove(const veltaro::Folder& f, const std::string& n) override {
    return change("remove", n, [&] {
      return sticky(f, seen(f, n)) ? EPERM : PosixFiles::remove(f, seen(f, n));
    });
  }
  int lock(const veltaro::Folder& f, const std::string& n, int wait, int& handle) override {
    if (int e = failing("lock", n)) return e;
    if (denied(f, n, 060)) return EACCES;
    return PosixFiles::lock(f, n, wait, handle);
  }

 protected:
  int stillAt(const veltaro::Folder& f, const std::string& n, int fd) override {
    if (int e = failing("stillAt", n)) return e;
    return PosixFiles::stillAt(f, n, fd);
  }

 private:
  int failing(const char* call, const std::string& name) { return fail ? fail(call, name) : 0; }
  int change(const char* call, const std::string& name, const std::function<int()>& run) {
    if (crashAfter && changes >= crashAfter) return EIO;  // dead: what unwinds does nothing
    if (int e = failing(call, name)) return e;
    const int result = run();
    // The lock file goes as a use ends, in a destructor, which no crash can leave.
    if (name.ends_with(".lck")) return result;
    if (crashAfter && ++changes == crashAfter) throw Crash{};
    return result;
  }
  veltaro::FileInfo real(const veltaro::Folder& f, const std::string& n) {
    veltaro::FileInfo i;
    PosixFiles::info(f, n, i);
    return i;
  }
  static bool others(const veltaro::FileInfo& i) { return i.regular && (i.mode & S_ISVTX); }
  // Another user's file that the user may not open so (`bits`: the group's read or write),
  // also when the tests run as the superuser, who could.
  bool denied(const veltaro::Folder& f, const std::string& n, unsigned bits) {
    const veltaro::FileInfo i = real(f, n);
    return i.exists && others(i) && (i.mode & bits) == 0;
  }
  // A rename or removal the sticky bit forbids the user.
  bool sticky(const veltaro::Folder& f, const std::string& n) {
    const veltaro::FileInfo i = real(f, n), dir = real(f, ".");
    return i.exists && others(i) && (dir.mode & S_ISVTX) && user() != 0 && othersFolder;
  }
  // The entry the file system takes for the name: with names folded (as the program folds
  // them, every script's letters), one in any letter case.
  std::string seen(const veltaro::Folder& f, const std::string& n) {
    if (!foldsNames || n == ".") return n;
    std::vector<veltaro::FolderEntry> all;
    PosixFiles::list(f, all);
    for (const auto& e : all)
      if (veltaro::FoldName(e.name) == veltaro::FoldName(n)) return e.name;
    return n;
  }
};

class CaseTest : public calctest::CalcTest {
 protected:
  // The commands' menu items: their captions and the title a message of the command has.
  struct Command {
    const char *menu, *caption, *title;
  };
  static constexpr Command kCommands[] = {{"menuNewCase", "&Ny sag", "Ny sag"},
                                          {"menuSaveCase", "&Gem sag", "Gem sag"},
                                          {"menuOpenCase", "&Åbn sag", "Åbn sag"},
                                          {"menuDeleteCase", "S&let sag", "Slet sag"}};
  CaseTest() {
    const char* labels[] = {"Initialer:", "Sagsnavn:", "Dato:"};
    main().add(forms::ControlKind::CommandButton, "cmdCase").setCaption("&Sag");
    for (int i = 0; i < 3; ++i) {
      veltaro::fx().TextTable.set(81 + i, labels[i]);
      main().add(forms::ControlKind::TextBox, "txtCase", i).setText(labels[i]);
    }
    for (const Command& c : kCommands) main().addMenu(c.menu).setCaption(c.caption);
    platform.answerFirst = [this](const std::string& prompt) -> std::optional<int> {
      const std::string question = veltaro::Text(veltaro::lines::ReplaceCase);
      if (question.empty() || prompt.find(question) == std::string::npos) return std::nullopt;
      return replacing;
    };
    veltaro::cases::InstallCaseFiles(app);
    veltaro::setCaseService(&commands_);
    fs::create_directories(data);
  }
  ~CaseTest() override { veltaro::setCaseService(nullptr); }

  veltaro::CaseService& cases() { return *veltaro::caseService(); }
  std::string path(const std::string& name) const { return (data / name).string(); }

  // A case command given `file` by its dialog (none: cancelled), and the message expected: a
  // text it holds, the answer given, and its style (icon, buttons and the default button, which
  // Enter presses). It is titled by the command.
  void run(void (veltaro::CaseService::*command)(), const char* file, const char* told = nullptr,
           int answer = forms::mb::IdOk, int style = forms::mb::Critical) {
    const auto chosen = file ? std::optional(path(file)) : std::nullopt;
    (command == &S::CaseSave || command == &S::CaseNew) ? platform.expectSaveFile(chosen)
                                                        : platform.expectOpenFile(chosen);
    if (told) platform.expectMsgBox(answer, told);
    const std::size_t before = platform.calls.size();
    (cases().*command)();
    if (!told) return;
    const auto shown = std::find_if(
        platform.calls.begin() + static_cast<std::ptrdiff_t>(before), platform.calls.end(),
        [told](const auto& c) { return c.kind == "msgBox" && c.text.find(told) != c.text.npos; });
    ASSERT_NE(shown, platform.calls.end()) << told;
    const std::size_t at = command == &S::CaseNew    ? 0
                           : command == &S::CaseSave ? 1
                           : command == &S::CaseOpen ? 2
                                                     : 3;
    EXPECT_EQ(shown->title, kCommands[at].title) << told;
    EXPECT_EQ(shown->style, style) << told;
  }
  void save(const std::string& f, const char* m = nullptr) { run(&S::CaseSave, f.c_str(), m); }
  void openCase(const std::string& f, const char* m = nullptr, int style = forms::mb::Critical) {
    run(&S::CaseOpen, f.c_str(), m, forms::mb::IdOk, style);
  }
  // The case fields as the dialog leaves them.
  void header(const std::string& initials, const std::string& name, const std::string& date) {
    const std::string v[] = {initials, name, date};
    for (int i = 0; i < 3; ++i)
      main().control("txtCase", i).setText(veltaro::fx().TextTable[81 + i] + "  " + v[i]);
  }
  // The inputs as a user gives them: a box gets its list's item of the text, or the text typed;
  // "?text" is a question holding text, raised by the next step and answered Yes.
  void play(forms::Form& w, const Lines& steps) {
    for (const std::string& text : steps) {
      if (text.starts_with("?")) {
        platform.expectMsgBox(forms::mb::IdYes, text.substr(1));
        continue;
      }
      const auto colon = text.substr(0, text.find('=')).find(':');  // "frmCalc02:NAME=..."
      forms::Form& f = colon == std::string::npos ? w : app.get(text.substr(0, colon));
      const testing_support::Step s(text.substr(colon + 1));
      forms::Control& c = f.control(s.control, s.index);
      bool listed = false;
      for (int i = 0; i < c.listCount(); ++i) listed |= c.item(i) == s.text;
      !s.hasText ? c.userClick() : listed ? choose(c, s.text) : type(c, s.text);
    }
  }
  // A calculated window: the results as the calculation wrote them.
  void calculated(forms::Form& w, const Lines& results) {
    for (const std::string& text : results) {
      const testing_support::Step s(text);
      w.control(s.control, s.index).setText(s.text);
    }
    veltaro::fx().ResultValid[veltaro::CalcTypeOf(std::stoi(w.name().substr(7)))] = true;
  }

  // Every file of a folder with its bytes.
  std::map<std::string, std::string> files(const fs::path& dir) const {
    std::map<std::string, std::string> all;
    for (const auto& e : fs::recursive_directory_iterator(dir))
      if (e.is_regular_file())  // a file of many megabytes by its size
        all[fs::relative(e.path(), dir).string()] = e.file_size() > (1 << 20)
                                                        ? "size " + std::to_string(e.file_size())
                                                        : veltaro::ReadFileBytes(e.path().string());
    return all;
  }

  const fs::path data = folder / "DATA";
  // The answer to the question whether a save replaces a case there (none: the script's).
  std::optional<int> replacing = forms::mb::IdYes;
  FaultyFiles faults;  // every case command's file operations

 private:
  veltaro::cases::CaseCommands commands_{faults};
};

}  // namespace casetest
