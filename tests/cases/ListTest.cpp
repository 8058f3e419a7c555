// Lists of changes read and brought to rest directly: every line form of this build and of the
// last two, a list in each state that a cut, a copied folder, a read-only file or another user
// leaves it in, and a list cut after any step of carrying it out or of undoing it.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <optional>

#include "CaseFixture.h"
#include "files/ChangeList.h"
#include "files/WholeFiles.h"

namespace casetest {
namespace {

using veltaro::FileProblem;
using Files = std::map<std::string, std::string>;

const std::string kKey = veltaro::NameKey("a");
const veltaro::ListNames kNames{
    {"a.DAT", "a.C01", "a.C02"},  "a.PND", kKey, veltaro::LastNameKey("a"),
    veltaro::EarlierNameKey("a"), "a"};
// This build's lists name their set first.
const std::string kSet = "S a\n";
// The own files of the set "a" as this build names them, its list, and the last builds' files.
std::string own(int n) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016x", n);
  return veltaro::OwnFileName(kKey, hex, "");
}
const std::string kList = veltaro::OwnFileName(kKey, "00000000000000ff", ".PND");
std::string last(int n) {
  return ".~vt" + kNames.lastKey + "-9-" + std::to_string(n);
}
std::string earlier(int n) {
  return ".~vt" + kNames.earlierKey + "-9-" + std::to_string(n);
}
std::string id(const std::string& bytes) {
  return IdText(bytes);
}

TEST(Lists, EveryFormIsReadAndEveryOtherListIsDamaged) {
  const std::string X = "X " + own(1) + " " + id("x") + " a.C01\n",
                    A = "A " + own(2) + " " + id("y") + " A.c02\n",
                    C = "C " + own(3) + " " + id("z") + " " + own(4) + " " + id("w") + " a.DAT\n";
  const struct {
    std::string bytes;
    int changes;  // -1: damaged
    bool started = false;
    veltaro::ListFormat format = veltaro::ListFormat::Current;
    bool another = false;  // it names another set: none of this one's
  } rows[] = {
      {kSet + "L " + id("m") + " " + kList + "\n" + X + A + C + "end\ngo\n", 3, true},
      {kSet + A + "end\ng", 1},  // a "go" cut off: never begun
      {kSet + "L " + id("m") + " A.pnd\nend\n", 0},
      {"M " + last(1) + " a.C01\nN " + last(2) + " a.C02\nP " + last(3) + " " + last(4) +
           " a.DAT\nend\ngo\n",
       3, true, veltaro::ListFormat::Last},
      {"D a.C01\nR " + earlier(1) + " a.DAT\nend\ngo\n", 2, true, veltaro::ListFormat::Earlier},
      {kSet + A + X + "end\n", -1},                                     // a removal after a file
      {kSet + X + "L " + id("m") + " " + kList + "\nend\n", -1},        // a list retired late
      {"P " + last(3) + " " + last(4) + " a.DAT\nD a.C01\nend\n", -1},  // two writers' lines
      {kSet + "A " + last(2) + " " + id("y") + " a.C02\nend\n", -1},    // another build's name
      {"N " + own(2) + " a.C02\nend\n", -1},
      {"R .~vt12-3 a.DAT\nend\n", -1},  // no key: every case's temporary file
      {kSet + "A " + own(2) + " 1:xyz a.C02\nend\n", -1},
      {"P " + last(3) + " a.DAT\nend\n", -1},                 // no backup
      {"N .~vtfedcba9876543210-1-1 a.C02\nend\n", -1},        // another set's temporary
      {"M " + last(1) + " b.C01\nend\n", -1},                 // another set's file
      {"A " + own(2) + " " + id("y") + " b.C02\nend\n", -1},  // another set's file, unnamed
      {"M " + last(1) + " ../a.C01\nend\n", -1},
      {"L " + id("m") + " b.PND\nend\n", -1},
      {kSet + A, -1},
      {"end\ngo\ngo\n", -1},
      // A list names its set, as the folded names match; the last builds' lists name none.
      {"S b\n" + X + "M " + last(1) + " a.C01\n", 0, false, veltaro::ListFormat::Current, true},
      {"S A\n" + A + "end\n", 1},
      {X + A + "end\ngo\n", 2, true},  // the build before named none: its names say whose
      {kSet + "M " + last(1) + " a.C01\nend\n", -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.bytes);
    const auto j = veltaro::ParseList(row.bytes, kNames);
    ASSERT_EQ(j ? static_cast<int>(j->changes.size()) : -1, row.changes);
    if (j) {
      EXPECT_EQ(std::tuple(j->started, j->format, j->another),
                std::tuple(row.started, row.format, row.another));
      EXPECT_EQ(veltaro::ParseList(veltaro::EncodeList(*j) + "go\n", kNames)->changes.size(),
                j->changes.size() * (row.format == veltaro::ListFormat::Current));
    }
  }
  // Two names whose earlier 32-bit keys are one; letters folded beyond ASCII in this build's.
  EXPECT_EQ(veltaro::EarlierNameKey("job-szwjiab"), veltaro::EarlierNameKey("job-dllvxbl"));
  EXPECT_NE(veltaro::NameKey("job-szwjiab"), veltaro::NameKey("job-dllvxbl"));
  EXPECT_EQ(veltaro::NameKey("Job-SZWjiab"), veltaro::NameKey("job-szwjiab"));
  EXPECT_EQ(veltaro::NameKey("RØR-ŠĖ"), veltaro::NameKey("rør-šė"));
  EXPECT_EQ(veltaro::LastNameKey("roof"), veltaro::NameKey("ROOF"));
  // The keys of names of the code pages' letters as the last build gave them, of every script
  // folded as the file systems fold it, and of bytes that are no UTF-8, which stay as they are.
  const std::pair<std::string, std::string> keys[] = {
      {"Västerås pumprum", "6af18eb1ff8a7add"},
      {"AARHUS VEKSLER", "92f1c54a546b036a"},
      {"Æblehave Øst", "5cd3e89e866ca610"},
      {"Ąžuolų gatvė", "486788b4f0ce810f"},
      {"Rīga ĒKA", "ccccfb93624d7ff7"},
      {"Œuvre Ÿ", "31e9008d954dd326"},
      {"x\xc0\xafy\xed\xa0\x80", "c9598c4c3e657d7a"},
      {"bad\xff\xc3", "f2d8f81d6f7592e4"},
      {"ДОМ", veltaro::NameKey("дом")},
      {"ΣΠΊΤΙ", veltaro::NameKey("σπίτι")},
  };
  for (const auto& [name, key] : keys) EXPECT_EQ(veltaro::NameKey(name), key) << name;
  // A list cut off keeps the changes before its damage, as the clean-up names them.
  EXPECT_EQ(veltaro::ReadableList(
                (kSet + X + A + C).substr(0, kSet.size() + X.size() + A.size() + 9), kNames)
                .changes.size(),
            2u);
}

// The set "a" saved from its old files (a header and record 1) to its new ones (a header and
// record 2): record 1 removed, record 2 added, the header replaced.
const Files kOld = {{"a.DAT", "old header"}, {"a.C01", "old record"}};
const Files kNew = {{"a.DAT", "new header"}, {"a.C02", "new record"}};
// This build's list of that save, and its own files as the save made them.
const std::string kBegun = kSet + "X " + own(1) + " " + id("old record") + " a.C01\nA " + own(2) +
                           " " + id("new record") + " a.C02\nC " + own(3) + " " + id("new header") +
                           " " + own(4) + " " + id("old header") + " a.DAT\nend\ngo\n";
const Files kOwn = {
    {own(1), "old record"}, {own(2), "new record"}, {own(3), "new header"}, {own(4), "old header"}};
// The last build's list of it, and the temporaries it made; the build before's.
const std::string kLastBegun = "M " + last(1) + " a.C01\nN " + last(2) + " a.C02\nP " + last(3) +
                               " " + last(4) + " a.DAT\nend\ngo\n";
const Files kLastTemps = {{last(2), "new record"}, {last(3), "new header"}};
const std::string kEarlierBegun =
    "D a.C01\nR " + earlier(2) + " a.C02\nR " + earlier(3) + " a.DAT\nend\ngo\n";
const Files kEarlierTemps = {{earlier(2), "new record"}, {earlier(3), "new header"}};
// A save over a mixed case whose marks form a chain, each retiring the ones before it as the
// save that left it did: the save's list, retiring them all, and the marks, stuck both ways
// (their own files lost), each named before the list and the one before it.
std::pair<std::string, Files> overMarks(int marks) {
  Files files;
  std::string retired;
  for (int m = 0; m < marks; ++m) {
    const std::string mark = kSet + retired + "C " + own(20 + 2 * m) + " " + id("mark new") + " " +
                             own(21 + 2 * m) + " " + id("mark old") + " a.DAT\nend\ngo\n";
    files[own(6 + m) + ".PND"] = mark;
    retired = "L " + id(mark) + " " + own(6 + m) + ".PND\n" + retired;
  }
  return {kSet + retired + kBegun.substr(kSet.size()), files};
}
// A list without its last line, "go".
std::string withoutGo(const std::string& list) {
  return list.substr(0, list.size() - 3);
}
// Every call `call` ("" any of the lock's: lock and create) failing with `error` once `when`.
std::function<void(FaultyFiles&, const fs::path&)> failing(
    std::string call, std::string name, int error,
    std::function<bool(const fs::path&)> when = nullptr) {
  return [=](FaultyFiles& f, const fs::path& d) {
    f.fail = [=](const std::string& c, const std::string& n) {
      const bool named = call.empty() ? c == "lock" || c == "create" : c == call && n == name;
      return named && (!when || when(d)) ? error : 0;
    };
  };
}

Files with(Files files, const Files& more, std::initializer_list<std::string> gone = {}) {
  for (const auto& [name, bytes] : more) files[name] = bytes;
  for (const std::string& g : gone) files.erase(g);
  return files;
}

class Settling : public ::testing::Test {
 protected:
  fs::path dir = fs::temp_directory_path() / ("veltaro-lists-" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override {
    fs::permissions(dir, fs::perms::owner_all);
    fs::remove_all(dir);
  }
  // Every entry of the folder: a file's bytes, or what else it is.
  Files now() const {
    Files all;
    for (const auto& e : fs::directory_iterator(dir))
      all[e.path().filename().string()] = e.is_symlink() ? "(link)"
                                          : e.is_directory()
                                              ? "(folder)"
                                              : veltaro::ReadFileBytes(e.path().string());
    return all;
  }
  // The folder as `files` says: "~name" is another user's file, "(folder)" and "(link)" what
  // they say, "=name" a hard link of that file (made after it).
  void make(const Files& files, FaultyFiles& ops, unsigned mode) {
    fs::permissions(dir, fs::perms::owner_all);
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const auto& [name, bytes] : files) {
      const bool others = name.starts_with("~");
      const fs::path p = dir / (others ? name.substr(1) : name);
      if (bytes.starts_with("="))
        continue;
      else if (bytes == "(folder)")
        fs::create_directory(p);
      else if (bytes == "(link)")
        fs::create_symlink("a.DAT", p);
      else if (others)
        ops.plantAsOther(p, bytes);
      else
        std::ofstream(p, std::ios::binary) << bytes;
    }
    for (const auto& [name, bytes] : files)
      if (bytes.starts_with("=")) fs::create_hard_link(dir / bytes.substr(1), dir / name);
    fs::permissions(dir, fs::perms(mode));
  }
  // Brings the set's lists to rest, OK to every question: what the user is told, one note a
  // question or a failure ("undone a.C02 read-only", "mixed <list> new: a.DAT old: a.C01"; where
  // nothing can be written, with the errno that says why: "mixed (28) new: ..."), then the
  // lists left alone.
  std::string settle(FaultyFiles& ops) {
    static const char* const kWords[] = {"read",      "write",       "replace", "remove",
                                         "read-only", "not-a-file",  "others",  "bad-name",
                                         "in-use",    "lock-denied", "damaged", "mixed"};
    std::string told;
    auto note = [&](const veltaro::FileError& e) {
      auto names = [](const std::vector<std::string>& v) {
        std::string s;
        for (const auto& n : v) s += " " + n;
        return s;
      };
      told += std::string(e.undone()       ? "undone "
                          : e.unfinished() ? "unfinished "
                                           : "") +
              fs::path(e.path()).filename().string() + " " + kWords[static_cast<int>(e.problem())];
      if (e.mixed() && e.problem() == FileProblem::Mixed && e.error())
        told += " (" + std::to_string(e.error()) + ")";
      if (e.mixed() && e.problem() == FileProblem::Mixed)
        told += " new:" + names(e.newer) + " old:" + names(e.older) + " either:" + names(e.either);
      told += "; ";
      return true;
    };
    try {
      veltaro::FileSetWriter writer(ops, {dir.string(), "a.PND", "a", kNames.own, "a.DAT"}, 0,
                                    true);
      writer.settle(note);
      for (const std::string& l : writer.listsLeftOut()) told += "left " + l + "; ";
    } catch (const veltaro::FileError& e) {
      note(e);
    }
    return told;
  }
};

// A row of the table below: the folder as `make` takes it, the list put at this build's list
// name (or the last builds' when it is no list of this build), what the user is told, and the
// folder afterwards (none: as it was made, the list with it).
struct State {
  const char* what;
  Files before;
  std::string list, told;
  std::optional<Files> after;
  unsigned mode = 0755;
  std::function<void(FaultyFiles&, const fs::path&)> setUp = nullptr;
};

void readOnly(FaultyFiles&, const fs::path& d) {
  fs::permissions(d / "a.C01", fs::perms::owner_read);
}

// Every file another user's, "~" as `make` takes it.
Files theirs(const Files& files) {
  Files all;
  for (const auto& [name, bytes] : files) all["~" + name] = bytes;
  return all;
}

// In a shared folder of another user's, as a user who is not the superuser.
void asAnotherUser(FaultyFiles& f, const fs::path&) {
  f.othersFolder = true;
  f.asUser = FaultyFiles::kOther + 1;
}

TEST_F(Settling, EachStateALeavesComesToRestWholeOrToldMixed) {
  const std::string mixed = kList + " mixed new: ";
  // A mark a save retires: the list of a mixed case, and a file of its own.
  const std::string mark = kSet + "X " + own(9) + " " + id("old record") + " a.C01\nend\ngo\n",
                    retiring = kSet + "L " + id(mark) + " " + own(8) + ".PND\n" +
                               kBegun.substr(kSet.size());
  const std::string others = "D a.C01\nend\ngo\n", earlierBegun = kEarlierBegun;
  const Files& lastTemps = kLastTemps;
  auto listGone = [](const fs::path& d) { return !fs::exists(d / kList); };
  const auto [overMarksList, marks] = overMarks(3);
  const State rows[] = {
      // This build's list: committed by its "go", told by what the targets hold.
      {"not committed", with(kOld, kOwn), kBegun.substr(0, kBegun.size() - 3), "", kOld},
      {"committed", with(kOld, kOwn), kBegun, "", kNew},
      {"cut after its removal", with(kOld, kOwn, {"a.C01"}), kBegun, "", kNew},
      {"cut before its end", with(kNew, {{own(1), "old record"}}), kBegun, "", kNew},
      // Committed in fact: its targets hold its new files, whatever its last line says.
      {"its go lost after its first renames",
       with(kOld, with(kOwn, {{"a.C02", "new record"}}, {own(2)}), {"a.C01"}), withoutGo(kBegun),
       "", kNew},
      // A key is a name: a list at it that names another case is none of this one's, and its
      // own files stay with it.
      {"another case's list at its key", with(kOld, kOwn), "S b\n" + kBegun.substr(kSet.size()),
       ""},
      // Once the list is gone, a look that fails at a copy decides nothing: the next use clears
      // it without a word.
      {"a look failing at a copy once the list is gone", with(kOld, kOwn), kBegun, "",
       with(kNew, {{own(4), "old header"}}), 0755, failing("info", own(4), EIO, listGone)},
      // Stuck both ways for a passing cause: told mixed, kept, and gone on with by the next use.
      {"unfinished", with(kOld, kOwn), kBegun, mixed + "old: a.DAT either:; ",
       with(kOwn, {{kList, kBegun}, {"a.DAT", "old header"}}), 0755,
       [](FaultyFiles& f, const fs::path&) {
         f.fail = [](const std::string& call, const std::string& name) {
           return call == "rename" && (name == "a.DAT" || name == "a.C01") ? EIO : 0;
         };
       }},
      // Where nothing can be written (no lock can be made), the case is told as its files
      // stand, with the cause; nothing changes.
      {"a mixed case on a full disk", with(kOld, {{"a.DAT", "new header"}}), kBegun,
       kList + " mixed (28) new: a.DAT old: a.C01 either:; ", std::nullopt, 0755,
       failing("", "", ENOSPC)},
      {"a whole case on a write-protected medium", with(kNew, {{own(1), "old record"}}), kBegun, "",
       std::nullopt, 0755, failing("", "", EROFS)},
      // A copy of the folder without its hidden files: nothing done is undone whole; the file
      // named is the one that is lost. Some done: mixed, each file under the save it is from.
      {"temporaries lost, nothing done", kOld, kBegun, "undone " + own(2) + " read; ", kOld},
      {"temporaries lost, some done", with(kOld, {{"a.C02", "new record"}}, {"a.C01"}), kBegun,
       mixed + "a.C02 old: a.DAT either:; "},
      {"a removal not done, mixed", with(kOld, {{"a.DAT", "new header"}}), kBegun,
       mixed + "a.DAT old: a.C01 either:; "},
      // Nothing is removed or replaced that turned read-only, or into a folder, since.
      {"a record made read-only since", with(kOld, kOwn), kBegun, "undone a.C01 read-only; ", kOld,
       0755, readOnly},
      {"a folder where a new record goes", with(kOld, with(kOwn, {{"a.C02", "(folder)"}})), kBegun,
       "undone a.C02 replace; ", with(kOld, {{"a.C02", "(folder)"}})},
      {"a step failing after a resume", with(kOld, kOwn, {"a.C01"}), kBegun,
       "undone a.DAT replace; ", kOld, 0755,
       [](FaultyFiles& f, const fs::path&) {
         f.fail = [](const std::string& call, const std::string& name) {
           return call == "rename" && name == "a.DAT" ? EIO : 0;
         };
       }},
      {"a temporary changed since", with(kOld, with(kOwn, {{own(2), "new recorX"}})), kBegun,
       "undone " + own(2) + " read; ", kOld},
      // A list that cannot be looked at a second time stays, and so do its files.
      {"a list that fails a second look", with(kOld, kOwn), kBegun, kList + " read; ", std::nullopt,
       0755,
       [](FaultyFiles& f, const fs::path&) {
         f.fail = [n = 0](const std::string& call, const std::string& name) mutable {
           return call == "info" && name == kList && ++n == 2 ? EIO : 0;
         };
       }},
      // A colleague's file at one of the save's own names is never taken, nor removed.
      {"a colleague's file as a temporary",
       with(kOld, with(kOwn, {{"~" + own(2), "new record"}}, {own(2)})), kBegun,
       "undone " + own(2) + " others; ", with(kOld, {{own(2), "new record"}}), 0775},
      {"a colleague's file as a backup", with(kOld, {{"~" + own(1), "colleague"}}, {"a.C01"}),
       kBegun, mixed + "old: a.DAT either:; ", std::nullopt, 0775},
      {"a colleague's file as a backup not needed", with(kNew, {{"~" + own(4), "colleague"}}),
       kBegun, "", with(kNew, {{own(4), "colleague"}}), 0775},
      // Another user's files where the save adds a record and where it removed one: neither
      // way, and theirs are in neither save's group. The mark it retires stays a mark.
      {"another user's files at two of its names",
       with(kOld, {{"~a.C01", "theirs"},
                   {"~a.C02", "theirs"},
                   {own(2), "new record"},
                   {own(8) + ".PND", mark}}),
       retiring, mixed + "old: a.DAT either:; ", std::nullopt, 01777,
       [](FaultyFiles& f, const fs::path&) { f.othersFolder = true; }},
      // A mark retired by a save that is through goes with its own files. The save's list
      // stays until it is gone: a look at it that fails leaves both to the next use.
      {"a mark retired", with(kOld, with(kOwn, {{own(9), "old record"}, {own(8) + ".PND", mark}})),
       retiring, "", kNew},
      // A save over marks that form a chain, cut off before its "go": the latest mark is judged
      // first, and the ones it retires are its marks too: one question.
      {"a save over a chain of marks, not committed", with(with(kOld, kOwn), marks),
       withoutGo(overMarksList), own(8) + ".PND mixed new: old: either: a.DAT; ", with(kOld, marks)},
      {"a mark that cannot be looked at as it is retired",
       with(kOld, with(kOwn, {{own(9), "old record"}, {own(8) + ".PND", mark}})), retiring,
       "unfinished " + own(8) + ".PND read; ",
       with(kNew, {{own(1), "old record"},
                   {own(4), "old header"},
                   {own(9), "old record"},
                   {own(8) + ".PND", mark},
                   {kList, retiring}}),
       0755,
       failing("info", own(8) + ".PND", EIO,
               [](const fs::path& d) { return fs::exists(d / "a.C02"); })},
      // The last build's list, told by which of its names exist: a removal kept is still the old
      // record; a header whose kept link is the file at its name was not replaced.
      {"last build's, committed", with(kOld, lastTemps), kLastBegun, "", kNew},
      {"last build's, not begun", with(kOld, lastTemps), withoutGo(kLastBegun), "", kOld},
      {"last build's, its go lost after its first renames",
       with(kOld, {{last(1), "old record"}, {"a.C02", "new record"}, {last(3), "new header"}},
            {"a.C01"}),
       withoutGo(kLastBegun), "", kNew},
      {"last build's, its copies and a temporary lost",
       with(kOld, {{"a.C02", "new record"}}, {"a.C01"}), kLastBegun,
       "a.PND mixed new: a.C02 old: either: a.DAT; "},
      {"last build's, unfinished", with(kOld, lastTemps), kLastBegun,
       "a.PND mixed new: old: a.DAT either:; ",
       with(kOld, with(lastTemps, {{last(1), "old record"}, {last(4), "old header"}, {"a.PND", kLastBegun}}), {"a.C01"}), 0755,
       [](FaultyFiles& f, const fs::path&) {
         f.fail = [](const std::string& call, const std::string& name) {
           return call == "rename" && (name == "a.DAT" || name == "a.C01") ? EIO : 0;
         };
       }},
      {"last build's, mixed on a write-protected medium",
       with(kOld, with(lastTemps, {{last(1), "old record"}}), {"a.C01"}), kLastBegun,
       "a.PND mixed (30) new: old: a.DAT either:; ", std::nullopt, 0755, failing("", "", EROFS)},
      {"last build's, its removal done",
       with(kOld, with(lastTemps, {{last(1), "old record"}}), {"a.C01"}), kLastBegun, "", kNew},
      {"last build's, a removal kept, a record made read-only",
       with(kOld, with(lastTemps, {{last(1), "old record"}})), kLastBegun,
       "undone a.C01 read-only; ", kOld, 0755, readOnly},
      {"last build's, a header kept as a link, its temporary lost",
       with(kOld, {{last(1), "old record"}, {"a.C02", "new record"}, {last(4), "=a.DAT"}},
            {"a.C01"}),
       kLastBegun, "undone " + last(3) + " read; ", kOld},
      {"last build's, a file at a new record's name since",
       with(kOld, with(lastTemps, {{"a.C02", "since"}})), kLastBegun, "", kNew},
      // Cut before its first change, its temporaries lost, on a file system without hard links:
      // nothing was done, and the header and records stay.
      {"last build's, temporaries lost", kOld, kLastBegun, "undone " + last(2) + " read; ", kOld},
      {"last build's, a link at a temporary",
       with(kOld, {{last(2), "(link)"}, {last(3), "new header"}}), kLastBegun,
       "undone " + last(2) + " not-a-file; ", with(kOld, {{last(2), "(link)"}})},
      {"last build's, a folder at a temporary",
       with(kOld, with(lastTemps, {{last(3), "(folder)"}})), kLastBegun,
       "undone " + last(3) + " not-a-file; ", with(kOld, {{last(3), "(folder)"}})},
      // A colleague's file where the last build kept a removed record: the removal is done,
      // and the colleague's file stays.
      {"last build's, a colleague's file as a backup",
       with(kOld, with(lastTemps, {{"~" + last(1), "colleague"}})), kLastBegun, "",
       with(kNew, {{last(1), "colleague"}}), 0775},
      // In a shared folder, a case another user saved, settled by the superuser (as the tests
      // run): the backup the last build kept as a link of their file is the case owner's, and
      // is finished.
      {"last build's, the case another user's",
       with(lastTemps,
            {{"~a.DAT", "old header"}, {"~a.C01", "old record"}, {"~" + last(1), "old record"}}),
       "P " + last(2) + " " + last(1) + " a.C01\nP " + last(3) + " " + last(4) +
           " a.DAT\nend\ngo\n",
       "", Files{{"a.DAT", "new header"}, {"a.C01", "new record"}}, 01777},
      // The build before's list was committed as soon as it was whole. Its renames tell nothing
      // by a link at their target, nor once a temporary was lost.
      {"earlier build's", with(kOld, {{earlier(2), "new record"}, {earlier(3), "new header"}}),
       earlierBegun.substr(0, earlierBegun.size() - 3), "", kNew},
      {"earlier build's, its removal done",
       with(kOld, {{earlier(2), "new record"}, {earlier(3), "new header"}}, {"a.C01"}),
       earlierBegun, "", kNew},
      {"earlier build's, carried out to its end", kNew, earlierBegun, "", kNew},
      {"earlier build's, a record made read-only since, nothing done",
       with(kOld, kEarlierTemps), "R " + earlier(2) + " a.C01\nR " + earlier(3) + " a.DAT\nend\ngo\n",
       "undone a.C01 read-only; ", kOld, 0755, readOnly},
      {"earlier build's, unfinished", with(kOld, kEarlierTemps), earlierBegun,
       "a.PND mixed new: a.C02 old: a.DAT either:; ",
       Files{{earlier(3), "new header"}, {"a.C02", "new record"}, {"a.DAT", "old header"},
             {"a.PND", kEarlierBegun}},
       0755, failing("rename", "a.DAT", EIO)},
      {"earlier build's, temporaries lost, a link at a record's name",
       with(kOld, {{"a.C02", "(link)"}}, {"a.C01"}), earlierBegun,
       "a.PND mixed new: old: either: a.DAT; "},
      {"earlier build's, a temporary with no key", with(kOld, {{".~vt12-3", "other case's"}}),
       "R .~vt12-3 a.DAT\nend\n", "a.PND damaged; ", with(kOld, {{".~vt12-3", "other case's"}})},
      // No folder or link is a list, also at the last builds' name. Another user's list is no
      // part of the case in a folder told shared by its sticky bit.
      {"a folder and a link at the list's name",
       with(kOld, {{"a.PND", "(folder)"}, {"a.pnd", "(link)"}}), "", ""},
      {"another user's list, 01777", with(kOld, {{"~a.PND", others}}), "", "left a.PND; ",
       std::nullopt, 01777},
      {"another user's list, 01770", with(kOld, {{"~a.PND", others}}), "", "left a.PND; ",
       std::nullopt, 01770},
      {"a colleague's list, 0775", with(kOld, {{"~a.PND", others}}), "", "",
       with(kOld, {}, {"a.C01"}), 0775},
      // The case owner's list in their shared folder, which the user may not change: told
      // mixed while it leaves the case neither old nor new, else left to its owner.
      {"the owner's list, mixed", theirs(with(kOld, with(kOwn, {{kList, kBegun}}), {"a.C01"})), "",
       mixed + "old: a.DAT either:; ", std::nullopt, 01777, asAnotherUser},
      // So it is to the folder's owner, who may rename and remove every file there.
      {"the owner's list, mixed, to the folder's owner",
       theirs(with(kOld, with(kOwn, {{kList, kBegun}}), {"a.C01"})), "",
       mixed + "old: a.DAT either:; ", std::nullopt, 01777,
       [](FaultyFiles& f, const fs::path&) { f.asUser = FaultyFiles::kOther + 1; }},
      // Whose files are the case's is known, or nothing is done.
      {"the owner's header that cannot be looked at",
       theirs(with(kNew, {{own(1), "old record"}, {kList, kBegun}})), "", "a.DAT read; ",
       std::nullopt, 01777,
       [](FaultyFiles& f, const fs::path& d) {
         asAnotherUser(f, d);
         failing("info", "a.DAT", EIO)(f, d);
       }},
      {"the owner's list, carried out",
       theirs(with(kNew, {{own(1), "old record"}, {kList, kBegun}})), "", "left " + kList + "; ",
       std::nullopt, 01777, asAnotherUser},
      // A look at the owner's header that fails in the user's shared folder decides nothing.
      {"the owner's header not looked at", theirs(with(kNew, {{own(1), "old record"}, {kList, kBegun}})),
       "", "a.DAT read; ", std::nullopt, 01777,
       [](FaultyFiles& f, const fs::path&) {
         f.asUser = FaultyFiles::kOther + 1;
         f.fail = [](const std::string& call, const std::string& name) {
           return call == "info" && name == "a.DAT" ? EIO : 0;
         };
       }},
  };
  for (const State& row : rows) {
    SCOPED_TRACE(row.what);
    FaultyFiles ops;
    Files before = row.before;
    if (!row.list.empty())
      before[std::string("SXACL").find(row.list[0]) != std::string::npos ? kList : "a.PND"] =
          row.list;
    make(before, ops, row.mode);
    if (row.setUp) row.setUp(ops, dir);
    EXPECT_EQ(settle(ops), row.told);
    Files after = row.after.value_or(Files{});
    if (!row.after)
      for (const auto& [name, bytes] : before)
        after[name.starts_with("~") ? name.substr(1) : name] = bytes;
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(now(), after);
    // Whatever it told of a mixed case or a list left alone, the next use on the same disk tells
    // the same, and changes nothing more.
    if (row.told.find(" mixed ") == std::string::npos && !row.told.starts_with("left")) continue;
    fs::permissions(dir, fs::perms(row.mode));
    EXPECT_EQ(settle(ops), row.told);
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(now(), after);
  }
}

TEST_F(Settling, ACutAfterAnyStepForwardOrBackSettlesWhole) {
  // A list is read as itself, never through a link in its place (checked once more as it is
  // read, for a link swapped in after the look).
  std::string bytes;
  fs::create_symlink("a.DAT", dir / kList);
  EXPECT_EQ(veltaro::PosixFiles().read(veltaro::Folder(dir.string()), kList, 10, bytes), ELOOP);
  const auto [overTwo, twoMarks] = overMarks(2);
  const auto [overThree, threeMarks] = overMarks(3);
  // A list of each build's, each carried out to its end, or with its last rename failing
  // (undone). The build before kept no copies: a rename failing after its removal leaves the
  // case mixed, so it is cut only, also as it begins its list. A save over marks is carried
  // forward before any mark is judged alone: nothing is told mixed.
  const struct {
    std::string list, name;
    Files begun;
    std::vector<std::string> failing;
  } formats[] = {
      {kBegun, kList, with(kOld, kOwn), {"", "rename a.DAT"}},
      {overTwo, kList, with(with(kOld, kOwn), twoMarks), {""}},
      {overThree, kList, with(with(kOld, kOwn), threeMarks), {""}},
      {kLastBegun, "a.PND", with(kOld, kLastTemps), {"", "rename a.DAT"}},
      {kEarlierBegun, "a.PND", with(kOld, kEarlierTemps), {""}},
      {withoutGo(kEarlierBegun), "a.PND", with(kOld, kEarlierTemps), {""}},
  };
  for (const auto& format : formats) {
    for (const std::string& failing : format.failing) {
      for (int cut = 1;; ++cut) {
        SCOPED_TRACE(format.list + failing + " cut " + std::to_string(cut));
        FaultyFiles faults, sound;
        make(with(format.begun, {{format.name, format.list}}), faults, 0755);
        faults.crashAfter = cut;
        faults.fail = [&](const std::string& call, const std::string& name) {
          return call + " " + name == failing ? EIO : 0;
        };
        bool crashed = false;
        try {
          settle(faults);
        } catch (const Crash&) {
          crashed = true;
        }
        // The next use, on a sound disk: the old files or the new ones, and nothing beside.
        const std::string told = settle(sound);
        EXPECT_TRUE(told.empty() || told.starts_with("undone")) << told;
        const Files files = now();
        EXPECT_TRUE(files == kOld || files == kNew) << ::testing::PrintToString(files);
        if (!crashed) break;
      }
    }
  }
}

}  // namespace
}  // namespace casetest
