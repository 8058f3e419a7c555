#pragma once
// The calculation windows' test program with what the case commands need of the main window
// (its case fields and button), the case commands installed, and a DATA folder for the cases.

#include <algorithm>
#include <functional>
#include <map>

#include "calc/CalcFixture.h"
#include "cases/CaseCommands.h"
#include "core/FileOps.h"
#include "core/TextFile.h"
#include "shell/ShellServices.h"
#include "support/Steps.h"

namespace casetest {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using S = veltaro::CaseService;

// The program dies here: nothing after it runs, every file stays as it is.
struct Crash {};

// The system's file operations with faults planted: a crash right after the n-th change
// (a file created or added to, renamed or removed), or a call that fails with an errno.
class FaultyFiles : public veltaro::PosixFiles {
 public:
  int crashAfter = 0;  // 0: never
  int changes = 0;
  // The errno a call ("create", "append", "rename", "link", "remove", "lock", "read") on the name
  // fails with, 0 to let it run.
  std::function<int(const std::string& call, const std::string& name)> fail;

  int read(const veltaro::Folder& f, const std::string& n, std::size_t l, std::string& b) override {
    if (int e = failing("read", n)) return e;
    return PosixFiles::read(f, n, l, b);
  }
  int create(const veltaro::Folder& f, const std::string& n, std::string_view b,
             const veltaro::FileInfo* like) override {
    return change("create", n, [&] { return PosixFiles::create(f, n, b, like); });
  }
  int append(const veltaro::Folder& f, const std::string& n, std::string_view b) override {
    return change("append", n, [&] { return PosixFiles::append(f, n, b); });
  }
  int rename(const veltaro::Folder& f, const std::string& from, const std::string& to,
             bool replace = true) override {
    return change("rename", to, [&] { return PosixFiles::rename(f, from, to, replace); });
  }
  int link(const veltaro::Folder& f, const std::string& from, const std::string& to) override {
    return change("link", to, [&] { return PosixFiles::link(f, from, to); });
  }
  int remove(const veltaro::Folder& f, const std::string& n) override {
    return change("remove", n, [&] { return PosixFiles::remove(f, n); });
  }
  int lock(const veltaro::Folder& f, const std::string& n, int wait, int& handle) override {
    if (int e = failing("lock", n)) return e;
    return PosixFiles::lock(f, n, wait, handle);
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
  FaultyFiles faults;  // every case command's file operations

 private:
  veltaro::cases::CaseCommands commands_{faults};
};

}  // namespace casetest
