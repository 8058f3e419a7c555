// The case commands on disk: cancel and No touch nothing, delete removes only the case's own
// files, a save replaces the case whole or leaves it as it was, also when cut off or killed at
// any moment, and every file that cannot be written, opened or deleted is named in a message.

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <future>
#include <optional>
#include <random>
#include <thread>

#include "VersionsFixture.h"
#include "cases/CaseFiles.h"
#include "cases/frmCase.h"
#include "core/FileNames.h"
#include "report/Reports.h"
#include "support/TimeZone.h"

namespace casetest {
namespace {

TEST_F(Commands, CancelAndNoTouchNothingAndDeleteOnlyTheCase) {
  roofCase();
  const auto before = files(folder);
  const std::string base = fx().CaseBasePath;
  header("ZZ", "Ikke gemt", "2027-01-01");  // a save would now write other bytes
  for (auto command : {&S::CaseSave, &S::CaseNew, &S::CaseOpen, &S::CaseDelete})
    run(command, nullptr);
  run(&S::CaseDelete, "roof.DAT", "roof.C01", IdNo, kDeleteQuestion);
  EXPECT_EQ(platform.callsOf("msgBox").back().text,
            "Delete these files of the case?\r\n" + path("roof.C01") + "\r\n" + path("roof.DAT"));
  // A name that is no case opens and creates nothing.
  openCase("nothing.DAT", "nothing.DAT", Exclamation);
  EXPECT_EQ(files(folder), before);
  EXPECT_EQ(fx().CaseBasePath, base);
  EXPECT_TRUE(fx().ResultValid[1]) << "the window was not touched";
  // Delete removes only the header and the record files, in every letter case they stand in.
  folder_.writeBytes("DATA/roof.c24", std::string(218, ' '));
  folder_.writeBytes("DATA/ROOF.C01", "in capitals");
  folder_.writeBytes("DATA/Roof.dat", "in capitals");
  auto expected = files(data);
  for (const char* f : {"roof.DAT", "roof.C01", "roof.c24", "ROOF.C01", "Roof.dat"})
    ASSERT_EQ(expected.erase(f), 1u) << f;
  // No command leaves a lock file behind.
  ASSERT_EQ(std::erase_if(expected, [](const auto& f) { return f.first.ends_with(".lck"); }), 0u);
  // Delete is one set: a read-only file stops it before anything goes, and every read-only
  // file is named. The question names every file it deletes.
  fs::permissions(data / "roof.c24", fs::perms::owner_read);
  fs::permissions(data / "Roof.dat", fs::perms::owner_read);
  platform.expectMsgBox(IdYes, path("ROOF.C01") + "\r\n" + path("roof.C01"));
  run(&S::CaseDelete, "ROOF.dat",
      ("The case was not deleted.\r\n" + path("roof.c24") + "\r\nThe file is read-only").c_str());
  EXPECT_NE(platform.callsOf("msgBox").back().text.find("Roof.dat\r\nThe file is read-only"),
            std::string::npos);
  EXPECT_TRUE(has("roof.DAT") && has("ROOF.C01"));
  fs::permissions(data / "roof.c24", fs::perms::owner_all);
  fs::permissions(data / "Roof.dat", fs::perms::owner_all);
  // A folder or a link at a case file's name is neither deleted nor followed, but named.
  fs::create_directory(data / "roof.C02");
  fs::create_symlink("../gone", data / "roof.C21");
  platform.expectMsgBox(IdYes, path("roof.c24") + "\r\n" + path("Roof.dat"));
  run(&S::CaseDelete, "ROOF.dat",
      (path("roof.C02") +
       "\r\nSomething other than an ordinary file (a folder or a link) is in "
       "the way.\r\n" +
       path("roof.C21") + "\r\nSomething other")
          .c_str());
  EXPECT_TRUE(fs::is_directory(data / "roof.C02") && fs::is_symlink(data / "roof.C21"));
  fs::remove(data / "roof.C02");
  fs::remove(data / "roof.C21");
  EXPECT_EQ(files(data), expected);
  // No case: nothing to delete.
  run(&S::CaseDelete, "roof.txt", "There is no case of that name", IdOk, Exclamation);
  EXPECT_EQ(files(data), expected);
  EXPECT_TRUE(platform.scriptDone());
}

TEST_F(Commands, ANewCaseIsItsHeaderAndACaseKeepsItsNames) {
  roofCase();
  // A new case of an existing name is the header alone.
  run(&S::CaseNew, "other.DAT");
  EXPECT_TRUE(has("other.DAT") && !has("other.C02") && has("roof.C01"));
  // Upper- and lower-case names are one case: written back under the names they have.
  fs::rename(data / "roof.C01", data / "roof.c01");
  fs::rename(data / "roof.DAT", data / "roof.dat");
  save("roof.DAT");
  openCase("Roof.Dat");
  EXPECT_TRUE(has("roof.c01") && has("roof.dat") && !has("roof.C01") && !has("roof.DAT"));
  // The longest name a case file can have.
  const std::string longest(251, 'n');
  save(longest + ".DAT");
  EXPECT_TRUE(has(longest + ".C01"));
  // Of records whose names differ only in letter case, the one of exactly the name asked for,
  // else the first in byte order, every time (here the short one, which is reported).
  fs::rename(data / "roof.c01", data / "Roof.C01");
  folder_.writeBytes("DATA/ROOF.C01", "short");
  openCase("Roof.Dat");
  openCase("roof.dat", "ROOF.C01: The record is shorter than", Exclamation);
  // A save, like Delete, leaves no other spelling of a record: of the one it writes, nor of
  // one it drops, which would come back as a window of the new case.
  calculatedWindow(1);
  folder_.writeBytes("DATA/ROOF.C02", "dropped");
  folder_.writeBytes("DATA/roof.c02", "dropped");
  save("roof.dat");
  EXPECT_TRUE(has("ROOF.C01") && !has("Roof.C01") && !has("ROOF.C02") && !has("roof.c02"));
  // On a file system that matches names in any letter case (exFAT): every script's letters as
  // the program folds them, so that a save under another spelling first finishes one cut off,
  // and asks before it replaces the case, in the market's words, named as it is on disk; No
  // changes nothing. No file of the case's is left behind.
  const struct {
    std::string saved, again, opened;
    bool cut;                      // the first save cut off once its list is begun
    const char* market = nullptr;  // the replace question in the market's words, answered
    int answer = IdYes;            // so; else the question is answered Yes unseen
    const char* asked = nullptr;   // how the question begins
  } spellings[] = {
      {"Rør", "RØR", "rØr", true},
      {"Дом", "Дом", "ДОМ", false},
      {"дом", "ДОМ", "дом", true},
      {"Aarhus veksler", "AARHUS VEKSLER", "aarhus veksler", false, "DK", IdYes,
       "Der findes allerede en sag med dette navn"},
      {"Aarhus veksler", "Aarhus veksler", "AARHUS VEKSLER", false, "DK", IdNo,
       "Der findes allerede en sag med dette navn"},
      {"Västerås pumprum", "VÄSTERÅS PUMPRUM", "västerås pumprum", false, "SE", IdNo,
       "Det finns redan ett ärende med detta namn"},
      {"Västerås pumprum", "VÄSTERÅS PUMPRUM", "VÄSTERÅS pumprum", false, "SE", IdYes,
       "Det finns redan ett ärende med detta namn"},
  };
  faults.foldsNames = true;
  for (const auto& s : spellings) {
    SCOPED_TRACE(s.saved + " " + s.again);
    calculatedWindow(1);
    header("AB", "first", "2026-12-07");
    faults.crashAfter = s.cut ? 6 : 0;  // the lock file, two files, the list made, in place, begun
    faults.changes = 0;
    if (s.cut) {
      EXPECT_THROW(save(s.saved + ".DAT"), Crash);
    } else {
      save(s.saved + ".DAT");
    }
    faults.crashAfter = 0;
    header("AB", "second", "2026-12-07");
    const auto before = files(data);
    const std::string base = fx().CaseBasePath;
    if (s.market) {
      testing_support::UseMarketLines(s.market, {veltaro::lines::ReplaceCase});
      replacing.reset();
      run(&S::CaseSave, (s.again + ".DAT").c_str(),
          (path(s.saved + ".DAT") + "\r\n" + s.asked).c_str(), s.answer,
          YesNo | Exclamation | DefaultButton2);
      replacing = IdYes;
    } else {
      save(s.again + ".DAT");
    }
    if (s.answer == IdNo) {
      EXPECT_EQ(files(data), before);
      EXPECT_EQ(fx().CaseBasePath, base);
    }
    openCase(s.opened + ".DAT");
    EXPECT_TRUE(fx().ResultValid[1]);
    // The newer save, never the one cut off finished over it.
    EXPECT_TRUE(
        main()
            .control("txtCase", 1)
            .text()
            .starts_with(std::string("Sagsnavn: ") + (s.answer == IdYes ? "second" : "first")));
    EXPECT_TRUE(has(s.saved + ".DAT") && has(s.saved + ".C01") &&
                (s.again == s.saved || !has(s.again + ".DAT")));
    platform.expectMsgBox(IdYes, "Delete these files of the case?");
    run(&S::CaseDelete, (s.opened + ".DAT").c_str());
    for (const auto& [name, bytes] : files(data))
      EXPECT_FALSE(name.starts_with(s.saved) || name.starts_with(".~vt")) << name;
  }
  faults.foldsNames = false;
  EXPECT_TRUE(platform.scriptDone());
}

TEST_F(Commands, AFailedSaveSaysWhichFileAndKeepsTheCase) {
  roofCase();
  const auto before = files(data);
  calculatedWindow(2);
  header("XY", "Ny", "2026-12-24");         // a header that would differ from the one on disk
  fs::create_directory(data / "roof.C02");  // a folder where the record should go
  save("roof.DAT", "roof.C02");
  EXPECT_EQ(files(data), before);
  save("missing/roof.DAT", "missing/roof.");                    // a folder that does not exist
  save(".~vt0123.DAT", "This name cannot be used for a case");  // a name of the writer's own
  // A write that runs out of room is told with the cause of that write.
  fs::remove(data / "roof.C02");
  rlimit limit, small{50, 0};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  small.rlim_max = limit.rlim_max;
  ::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &small);
  save("roof.DAT", "The file cannot be written. The file is too large.");
  ::setrlimit(RLIMIT_FSIZE, &limit);
  ::signal(SIGXFSZ, SIG_DFL);
  EXPECT_EQ(files(data), before);
  EXPECT_TRUE(platform.scriptDone());
}

TEST_F(Versions, ASaveCutAfterAnyStepOpensAsTheOldCaseOrTheNew) {
  // A save of the new version, and Delete, one set through the same writer: the case is then
  // old or gone, never without some of its records.
  auto gone = old_;
  for (const char* f : {"roof.DAT", "roof.C01"}) gone.erase(f);
  const struct {
    const char* what;
    bool deletes;
    std::map<std::string, std::string> done;
  } rows[] = {{"save", false, new_}, {"delete", true, gone}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    bool sawNew = false;
    for (int cut = 1, crashed = true; crashed; ++cut) {  // until the command runs to its end
      SCOPED_TRACE(cut);
      restore(old_);
      calculatedWindow(2);
      faults.crashAfter = cut;
      faults.changes = 0;
      crashed = false;
      try {
        if (row.deletes) {
          platform.anyMsgBox = IdYes;  // the question, unless cut off before it
          run(&S::CaseDelete, "roof.DAT");
        } else {
          save(true);
        }
      } catch (const Crash&) {
        crashed = true;
      }
      faults.crashAfter = 0;
      platform.anyMsgBox.reset();
      if (row.deletes) {
        EXPECT_TRUE(
            veltaro::cases::CaseFolder(path("roof"), faults).settle([](auto&) { return false; }));
      } else {
        openCase("roof.DAT");
      }
      const auto now = files(data);
      EXPECT_TRUE(now == old_ || now == row.done);
      EXPECT_FALSE(sawNew && now == old_) << "the new case once whole is never undone";
      sawNew = now == row.done;
      // Opening closes every window and brings back only those with records.
      if (row.deletes) continue;
      EXPECT_EQ(std::tuple(!app.find("frmCalc01"), !!app.find("frmCalc02"), fx().ResultValid[1]),
                std::tuple(sawNew, sawNew, !sawNew));
      EXPECT_EQ(fx().ActiveCalcNumber, sawNew ? 2 : 1);
    }
    EXPECT_TRUE(sawNew);
  }
  EXPECT_TRUE(platform.scriptDone());
}

TEST_F(Versions, AFileThatCannotBeReplacedStopsTheSaveOrIsUndone) {
  // A folder, or another user's file in a shared folder, turns up where the new record goes
  // once the save has begun: what was done is undone, the message says that the old case is
  // on disk, and what turned up stays.
  const std::string undone = "\r\nThe case is on disk as it was before this save, whole.";
  const struct {
    std::function<void()> make;
    unsigned mode;
    std::string told;
  } intruders[] = {
      {[&] { fs::create_directories(data / "roof.C02" / "x"); }, 0755,
       "roof.C02\r\nThe file cannot be replaced. Something other than an ordinary file (a folder "
       "or a link) is in the way." +
           undone},
      {[&] { faults.plantAsOther(data / "roof.C02", "other's"); }, 01777,
       "roof.C02\r\nThe file belongs to another user in a shared folder." + undone},
  };
  for (const auto& in : intruders) {
    restore(old_);
    fs::permissions(data, fs::perms(in.mode));
    calculatedWindow(2);
    faults.fail = [&](const std::string& call, const std::string& name) {
      if (call == "rename" && name == "roof.C02" && !listOf().empty() && !has("roof.C02"))
        in.make();
      return 0;
    };
    platform.expectMsgBox(IdOk, in.told);
    save(true);
    faults.fail = nullptr;
    fs::permissions(data, fs::perms(0755));
    auto now = files(data);
    now.erase("roof.C02");
    EXPECT_EQ(now, old_);
    fs::remove_all(data / "roof.C02");
    openCase("roof.DAT");
    EXPECT_EQ(files(data), old_);
  }
  // A read-only case file stops the save and changes nothing.
  for (const char* file : {"roof.DAT", "roof.C01"}) {  // replaced by the save; removed by it
    restore(old_);
    fs::permissions(data / file, fs::perms::owner_read);
    platform.expectMsgBox(IdOk, file + std::string("\r\nThe file is read-only"));
    save(true);
    EXPECT_EQ(files(data), old_);
    EXPECT_EQ(fs::status(data / file).permissions(), fs::perms::owner_read);
  }
  // The case folder moved away while the save runs, and a link to another folder holding a
  // case of that name put in its place: the save ends in the folder it began in.
  restore(old_);
  calculatedWindow(2);
  const fs::path moved = folder / "moved", elsewhere = folder / "elsewhere";
  for (const auto& [name, bytes] : old_) folder_.writeBytes("elsewhere/" + name, bytes);
  faults.fail = [&](const std::string& call, const std::string& name) {
    if (call == "append" && name.ends_with(".PND") && !fs::exists(moved)) {
      fs::rename(data, moved);
      fs::create_directory_symlink(elsewhere, data);
    }
    return 0;
  };
  save(true);
  faults.fail = nullptr;
  EXPECT_EQ(files(elsewhere), old_);
  EXPECT_EQ(files(moved), new_);
  fs::remove(data);
  fs::rename(moved, data);
  EXPECT_TRUE(platform.scriptDone());
}

TEST_F(Versions, ASaveKilledAtAnyMomentLeavesOneOfTheTwoVersions) {
  inMemory();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 4; ++i) save(i % 2);
  const auto oneSave = (std::chrono::steady_clock::now() - start) / 4;
  // The case's own temporary files go with the first completion, whoever wrote them: the
  // completion holds the case. Those of another case, and of an earlier build, stay.
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string id = std::to_string(gone);
  const std::string other = ".~vt" + veltaro::NameKey("other") + "-" + id + "-1";
  // An earlier build's key is shared by other names: its files are removed only as a list
  // of the case names them.
  const std::string earlier = ".~vt" + veltaro::EarlierNameKey("roof") + "-" + id + "-2";
  for (const std::string& name :
       {".~vt" + veltaro::NameKey("ROOF") + "-" + id + "-3", "roof.C01.tmp-" + id,
        std::string(".~vt1-1"), other, "other.C02.tmp-" + id, earlier}) {
    const bool kept =
        name == ".~vt1-1" || name == other || name == earlier || name.starts_with("other");
    folder_.writeBytes("DATA/" + name, kept ? "kept" : "stale");
    if (kept) old_[name] = new_[name] = "kept";
  }
  std::mt19937 random(21);
  int pending = 0;
  for (int round = 0; round < 300; ++round) {
    // The kill's moment is counted from the child's first step, not from the fork: on a busy
    // machine a new process can wait longer to run than a whole save takes.
    int started[2];
    ASSERT_EQ(::pipe(started), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      try {
        ::close(started[0]);
        if (::write(started[1], "s", 1) != 1) ::_exit(1);
        for (bool isNew = round % 2;; isNew = !isNew) save(isNew);
      } catch (...) {
      }
      ::_exit(1);
    }
    ::close(started[1]);
    char step = 0;
    ASSERT_EQ(::read(started[0], &step, 1), 1);
    ::close(started[0]);
    std::this_thread::sleep_for(std::uniform_real_distribution<double>(0, 3)(random) * oneSave);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    pending += !listOf().empty();
    veltaro::cases::CaseFolder(path("roof"), veltaro::SystemFiles()).settle([](auto&) {
      return false;
    });
    const auto now = files(data);
    ASSERT_TRUE(now == old_ || now == new_) << "round " << round << ::testing::PrintToString(now);
  }
  EXPECT_GT(pending, 0) << "no kill fell between the list and its end";
}

// Lists of changes that no save of this program writes, as a case folder from elsewhere may
// hold. Whatever they name, nothing but the list and the case's own temporary files changes:
// Cancel leaves every file, OK gives the list up and opens the case as it is on disk. A list
// that shows the case mixed stays as its mark: every open tells it again, until a save.
TEST_F(Versions, AListThatCannotBeTrustedChangesNoOtherFile) {
  const std::string key = veltaro::NameKey("roof"), temp = ".~vt" + key + "-9-1";
  // The build before named its temporaries with a shorter key.
  const std::string earlier = ".~vt" + veltaro::EarlierNameKey("roof") + "-9-",
                    etemp = earlier + "1";
  const std::string othersTemp = ".~vt" + veltaro::NameKey("other") + "-9-1";
  const fs::path outside = folder / "outside.txt";
  auto link = [&](const char* name, const fs::path& to) {
    return [=, this] { fs::create_symlink(to, data / name); };
  };
  auto plant = [&](const std::string& name) {
    return [=, this] { folder_.writeBytes("DATA/" + name, "a temporary file"); };
  };
  const struct {
    const char* what;
    std::string list;
    std::function<void()> setUp = nullptr;
    bool mixed = false;  // begun: the case is told mixed and its window opens not calculated
  } rows[] = {
      {"absolute path", "R " + etemp + " " + outside.string() + "\nend\n"},
      {"parent folder", "D ../outside.txt\nend\n"},
      {"sub folder", "D sub/roof.C01\nend\n",
       [&] { folder_.writeBytes("DATA/sub/roof.C01", "sub"); }},
      {"link to outside", "D roof.C24\nR " + etemp + " roof.C02\nend\n",
       [&] {
         plant(etemp)();
         link("roof.C02", outside)();
         link("roof.C24", "../outside.txt")();
       }},
      {"NUL in a name", std::string("D roof.C01\0.txt\nend\n", 20)},
      {"another case", "D other.C02\nR " + etemp + " other.DAT\nend\n"},
      {"read-only file", "D roof.C01\nend\n",
       [&] { fs::permissions(data / "roof.C01", fs::perms::owner_read); }},
      {"the list itself", "R " + etemp + " roof.PND\nend\n"},
      {"a temporary of another name", "R roof.txt roof.DAT\nend\n"},
      // A save of the other case may be running: its temporary files are not this list's.
      {"another case's temporary", "N " + othersTemp + " roof.C01\nend\n", plant(othersTemp)},
      {"another build's temporary", "R " + temp + " roof.C01\nend\n"},
      {"no end", "D roof.C01\n"},
      {"damaged line", "D roof.C01\nX roof.DAT\nend\n"},
      {"begun twice", "D roof.C01\nend\ngo\ngo\n"},
      {"temporary missing", "R " + earlier + "2 roof.C01\nR " + etemp + " roof.DAT\nend\n",
       plant(etemp)},
      // Begun already, but not as a save cut off while it carried the list out.
      {"begun, a rename not done and no temporary", "R " + earlier + "2 roof.C24\nend\ngo\n",
       nullptr, true},
      {"begun, a rename done after one not done",
       "R " + etemp + " roof.DAT\nR " + earlier + "2 roof.C01\nend\ngo\n", plant(etemp), true},
      {"begun, a removal after a rename done", "R " + earlier + "2 roof.C01\nD roof.DAT\nend\ngo\n",
       nullptr, true},
      // The last build's list, begun, whose kept files were lost (a copy without hidden files).
      {"begun, the kept files lost",
       "P .~vt" + key + "-9-4 .~vt" + key + "-9-5 roof.C01\nP .~vt" + key + "-9-2 .~vt" + key +
           "-9-3 roof.DAT\nend\ngo\n",
       nullptr, true},
      // Cut off in its middle after some of it was done: no list, but not the case either.
      {"cut short, begun", "N " + temp + " roof.C02\nP .~vt" + key + "-9-2 .~vt" + key,
       [&] {
         plant(temp)();
         fs::rename(data / temp, data / "roof.C02");
       },
       true},
      {"a second list in other letters", "end\n",
       [&] { folder_.writeBytes("DATA/ROOF.pnd", "D roof.C01\nend\n"); }},
      {"100 MB", "",
       [&] {
         folder_.writeBytes("DATA/roof.PND", "D roof.C01\n");
         fs::resize_file(data / "roof.PND", 100 << 20);
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    restore(old_);
    folder_.writeBytes("outside.txt", "outside");
    plant(temp)();  // a stale temporary of the case's own: the clean-up's
    if (row.setUp) row.setUp();
    if (!row.list.empty()) folder_.writeBytes("DATA/roof.PND", row.list);
    const auto before = files(folder);
    fx().ResultValid[1] = fx().ResultValid[2] = false;
    const char* question = row.mixed
                               ? "roof.PND\r\nThe last save of this case was cut off and "
                                 "can be neither finished nor undone: the case on disk is mixed"
                               : "roof.PND\r\nThe last save of this case was cut off and "
                                 "cannot be finished";
    const int style = OkCancel | Exclamation | DefaultButton2;  // Enter discards nothing
    run(&S::CaseOpen, "roof.DAT", question, IdCancel, style);
    run(&S::CaseSave, "roof.DAT", question, IdCancel, style);
    run(&S::CaseDelete, "roof.DAT", question, IdCancel, style);
    EXPECT_EQ(files(folder), before);
    EXPECT_FALSE(fx().ResultValid[1]);
    // OK: the case as it is on disk opens; only the list and the case's own temporary files
    // go, and of a mixed case not even the list.
    auto expected = before;
    std::erase_if(expected, [&](const auto& f) {
      return (!row.mixed && veltaro::SameFileName(f.first, "DATA/roof.PND")) ||
             f.first.starts_with("DATA/.~vt" + key) ||
             (!row.mixed && f.first.starts_with("DATA/" + earlier));
    });
    for (int again = 0; again < (row.mixed ? 2 : 1); ++again) {
      platform.expectMsgBox(IdOk, question);
      if (row.mixed) platform.expectMsgBox(IdOk, "roof.C01):\r\n  This window comes from");
      run(&S::CaseOpen, "roof.DAT");
      EXPECT_EQ(files(folder), expected);
      EXPECT_EQ(fx().ResultValid[1], !row.mixed) << "the case as it is on disk is open";
    }
    fs::permissions(data / "roof.C01", fs::perms::owner_all);
    if (!row.mixed) continue;
    // A save after OK writes the case whole; its open asks nothing more.
    platform.expectMsgBox(IdOk, question);
    CaseTest::save("roof.DAT");
    openCase("roof.DAT");
    EXPECT_TRUE(!has("roof.PND") && has("roof.DAT") && !has("roof.C01"));
  }
  EXPECT_TRUE(platform.scriptDone());
}

// A save whose step fails says how far it came; the next open finishes it or finds the old
// case, never a mix. Another program holding the case changes nothing.
TEST_F(Versions, AFailingStepEndsInOneOfTheTwoVersions) {
  // The old case saved with one more window, cut off after its first change.
  auto cutOffAfterOneChange = [&] {
    restore(old_);
    calculatedWindow(2);
    // The lock file, the copies of the two old files, the two new files, the list written,
    // put in place and begun, and one change.
    faults.crashAfter = 9;
    faults.changes = 0;
    EXPECT_THROW(save(true), Crash);
    faults.crashAfter = 0;
  };
  // A name another user took is never used nor removed: another is drawn. Nor can anyone
  // foretell a name: files at the names a count of saves would give, or the last build's
  // process numbers, stop no save. (First, while a count would still be low.)
  restore(old_);
  calculatedWindow(2);
  const std::string key = veltaro::NameKey("roof");
  for (int n = 0; n < 600; ++n) {
    char count[17];
    std::snprintf(count, sizeof count, "%016x", n);
    faults.plantAsOther(data / veltaro::OwnFileName(key, count, ""), "taken");
    faults.plantAsOther(
        data / (".~vt" + key + "-" + std::to_string(::getpid()) + "-" + std::to_string(n)),
        "taken");
  }
  int taken = 0;
  faults.fail = [&](const std::string& call, const std::string& name) {
    if (call != "create" || !name.starts_with(".~vt") || taken++ >= 3) return 0;
    faults.plantAsOther(data / name, "taken");
    return EEXIST;
  };
  save(true);
  faults.fail = nullptr;
  openCase("roof.DAT");
  auto now = files(data);
  EXPECT_EQ(std::erase_if(now, [](const auto& f) { return f.second == "taken"; }), 1203u);
  EXPECT_EQ(now, new_);
  bool listed = false;  // the save's list was seen
  // Another program's lock file, which it holds while the save runs.
  const std::string held =
      veltaro::OwnFileName(veltaro::NameKey("roof"), "00000000000000bb", ".lck");
  const struct {
    const char* call;
    std::string name;  // empty: any; "*.PND": the list, whatever its name; ".~vt*": the save's own
    int error;
    const char* told;
    bool finished;                         // the next open finds the new case
    std::function<bool()> when = nullptr;  // only then
    bool opening = false;  // an open under the same fault tells the same, and changes nothing
  } rows[] = {
      {"create", "", ENOSPC, "The case was not saved.\r\n\r\n", false},
      {"rename", "*.PND", EIO, ".PND\r\nThe file cannot be written. System error 5", false},
      {"append", "*.PND", ENOSPC, "The case was not saved.\r\n\r\n", false},
      {"remove", "*.PND", EACCES, "saved only in part", true},
      // A rename in the middle: the record removed and the new one in place are undone.
      {"rename", "roof.C02", EIO,
       "roof.C02\r\nThe file cannot be replaced. System error 5.\r\nThe case is on disk as it "
       "was before",
       false},
      {"rename", "roof.DAT", EACCES, "roof.DAT\r\nThe file cannot be replaced. Access is denied.",
       false},
      // Neither forward nor back: the next use finishes it.
      {"rename", "roof.DAT|roof.C01", EIO, "saved only in part", true},
      // A look that fails once the list is begun: the save is not told as not saved.
      {"read", "roof.DAT", EIO, "saved only in part", true, [&] { return !listOf().empty(); }},
      // A folder that cannot be looked at is never taken for one without the sticky bit.
      {"info", ".", EIO, "DATA\r\nThe file cannot be read. System error 5", false},
      {"lock", "", EWOULDBLOCK, "roof.DAT\r\nThe case is in use by another program", false},
      // Its own lock file held for a moment by another program looking at the set's lock files.
      {"lock", "", EWOULDBLOCK, nullptr, true, [n = 0]() mutable { return n++ == 0; }},
      // A look that fails at one of the save's own copies once its list is gone: the save is
      // whole, and the next use clears the copy without a word.
      {"info", ".~vt*", EIO, nullptr, true,
       [&] { return (listed |= !listOf().empty()) && listOf().empty(); }},
      // A look at another program's lock file that fails is never taken for a free one: the
      // save waits for it, and names it or says the case is in use.
      {"info", held, EIO, "roof.DAT\r\nThe case is in use by another program", false},
      {"lock", held, EIO, ".lck\r\nThe file cannot be read. System error 5", false},
      {"lock", held, EINTR, "roof.DAT\r\nThe case is in use by another program", false,
       [n = 0]() mutable { return n++ == 0; }},
      {"lock", held, EMFILE, "roof.DAT\r\nThe case is in use by another program", false,
       [n = 0]() mutable { return n++ == 0; }},
      // A look after the lock that fails every time (a disk fault, a dropped network share) is
      // no lock: the save and the open end within their wait, naming the lock file. (Only so
      // many looks fail: a wait that does not count them ends only when they stop failing.)
      {"stillAt", "", EIO, ".lck\r\nThe file cannot be read. System error 5", false,
       [n = 0]() mutable { return ++n < 100000; }, true},
      {"stillAt", "", ESTALE, ".lck\r\nThe file cannot be read. System error 116", false,
       [n = 0]() mutable { return ++n < 100000; }, true},
  };
  for (const auto& row : rows) {
    listed = false;
    SCOPED_TRACE(row.call + (" " + row.name));
    restore(old_);
    calculatedWindow(2);
    faults.fail = [&](const std::string& call, const std::string& name) {
      const bool named =
          row.name.empty() || (row.name == "*.PND" && name.ends_with(".PND")) ||
          (row.name == ".~vt*" && name.starts_with(".~vt") && !name.ends_with(".lck")) ||
          ("|" + row.name + "|").find("|" + name + "|") != std::string::npos;
      return call == row.call && named && (!row.when || row.when()) ? row.error : 0;
    };
    int holder = -1;
    if (row.name == held) {
      folder_.writeBytes("DATA/" + held, "");
      ASSERT_EQ(veltaro::PosixFiles().lock(data.string(), held, 0, holder), 0);
    }
    if (row.told) platform.expectMsgBox(IdOk, row.told);
    save(true);
    if (row.opening) openCase("roof.DAT", row.told);
    faults.fail = nullptr;
    if (holder >= 0) {
      veltaro::PosixFiles().unlock(holder);
      fs::remove(data / held);
    }
    if (!row.finished) {
      EXPECT_EQ(files(data), old_) << "nothing changed";
    }
    openCase("roof.DAT");
    EXPECT_EQ(files(data), row.finished ? new_ : old_);
  }
  // A list that cannot be read is a read problem: no question, nothing changed.
  cutOffAfterOneChange();
  auto cutOff = files(data);
  std::erase_if(cutOff, [](const auto& f) { return f.first.ends_with(".lck"); });
  faults.fail = [](const std::string& call, const std::string& name) {
    return call == "read" && name.ends_with(".PND") ? EACCES : 0;
  };
  openCase("roof.DAT", ".PND\r\nThe file cannot be read. Access is denied.");
  faults.fail = nullptr;
  EXPECT_EQ(files(data), cutOff);
  openCase("roof.DAT");
  EXPECT_EQ(files(data), new_);
  // A folder where no lock file can be made is one we may only read, or a full disk: a case
  // there opens, and a save says why it cannot be written.
  for (const auto& [error, why] : {std::pair(EACCES, "The folder may only be read."),
                                   std::pair(ENOSPC, "The disk is full.")}) {
    restore(old_);
    faults.fail = [error](const std::string& call, const std::string&) {
      return call == "create" ? error : 0;
    };
    openCase("roof.DAT");
    EXPECT_TRUE(fx().ResultValid[1]);
    platform.expectMsgBox(IdOk, std::string("roof.DAT\r\nThe file cannot be written. ") + why);
    save(true);
    platform.expectMsgBox(IdOk, std::string("roof.DAT\r\nThe file cannot be written. ") + why);
    run(&S::CaseDelete, "roof.DAT");
    faults.fail = nullptr;
    EXPECT_EQ(files(data), old_);
  }
  // A save of one case cut off after its list, then a save and an open of another case in the
  // same folder, also of one whose name has the same key (a key is a name, never an identity):
  // the other leaves the first one's list and temporary files, and the first case's next open
  // finishes it.
  auto roofFiles = [&] {
    auto all = files(data);
    std::erase_if(all, [](const auto& f) {
      return (!f.first.starts_with("roof") &&
              !f.first.starts_with(".~vt" + veltaro::NameKey("roof"))) ||
             f.first.ends_with(".lck");
    });
    return all;
  };
  std::map<std::string, std::string> cut;
  for (const bool oneKey : {true, false}) {
    SCOPED_TRACE(oneKey ? "one key" : "two keys");
    static veltaro::NameKeyFunction programs = veltaro::SetNameKeyFunction(nullptr);
    if (oneKey)
      veltaro::SetNameKeyFunction(+[](std::string_view n) {
        return programs(veltaro::SameFileName(n, "other") ? std::string_view("roof") : n);
      });
    EXPECT_EQ(veltaro::NameKey("other") == veltaro::NameKey("roof"), oneKey);
    cutOffAfterOneChange();
    EXPECT_FALSE(listOf().empty());
    cut = roofFiles();
    CaseTest::save("other.DAT");
    EXPECT_TRUE(has("other.DAT") && has("other.C02"));
    openCase("other.DAT");
    EXPECT_EQ(roofFiles(), cut);
    veltaro::SetNameKeyFunction(nullptr);
  }
  // Only the holder of the case's lock finishes it: without one (a full disk, a write-protected
  // medium or a folder we may only read, where none can be made; a colleague's lock file that
  // may not be opened) nothing changes, and the case opens as its files stand, told mixed with
  // the true cause.
  const std::string denied =
      veltaro::OwnFileName(veltaro::NameKey("roof"), "0123456789abcdef", ".lck");
  const struct {
    int error;  // of every new file; 0: a colleague's lock file that may not be opened
    std::string why;
    int answer;
  } unlocked[] = {{EACCES, " The folder may only be read.", IdCancel},
                  {ENOSPC, " The disk is full.", IdOk},
                  {EROFS, " The disk is write-protected.", IdCancel},
                  {0, "\r\n" + path(denied) + "\r\nThe lock file cannot be opened", IdOk}};
  for (const auto& row : unlocked) {
    faults.fail = [&](const std::string& call, const std::string&) {
      return call == "create" ? row.error : 0;
    };
    if (!row.error) FaultyFiles::plantAsOther(data / denied, "", fs::perms(0600));
    run(&S::CaseOpen, "roof.DAT",
        (".PND\r\nThe last save of this case was cut off and can be neither finished nor undone "
         "here, where nothing can be written: the case on disk is mixed." +
         row.why)
            .c_str(),
        row.answer, OkCancel | Exclamation | DefaultButton2);
    faults.fail = nullptr;
    fs::remove(data / denied);
    EXPECT_EQ(roofFiles(), cut);
  }
  openCase("roof.DAT");
  now = files(data);
  for (const auto& [name, bytes] : new_)
    if (name.starts_with("roof")) {
      EXPECT_EQ(now.count(name) ? now.at(name) : "(none)", bytes) << name;
    }
  // A list whose "go" was lost after its first changes, its copies lost too: told mixed, and
  // kept as the mark as it now stands, its "go" appended. The next save, or Delete, takes the
  // mark with it: nothing is left, and nothing is told mixed after.
  for (const bool deleting : {false, true}) {
    SCOPED_TRACE(deleting ? "Delete" : "save");
    restore(old_);
    calculatedWindow(2);
    faults.crashAfter = 10;  // the record removed, the new one in place
    faults.changes = 0;
    EXPECT_THROW(save(true), Crash);
    faults.crashAfter = 0;
    ASSERT_TRUE(has("roof.C02") && !has("roof.C01"));
    const std::string list = listOf(), bytes = veltaro::ReadFileBytes(path(list));
    ASSERT_TRUE(bytes.ends_with("go\n"));
    folder_.writeBytes("DATA/" + list, bytes.substr(0, bytes.size() - 3));
    for (const auto& e : fs::directory_iterator(data))
      if (const std::string n = e.path().filename().string(); n.starts_with(".~vt") && n != list)
        fs::remove(e.path());
    platform.expectMsgBox(IdOk, "the case on disk is mixed");
    if (deleting) {
      platform.expectMsgBox(IdYes, "Delete these files of the case?");
      run(&S::CaseDelete, "roof.DAT");
    } else {
      save(true);
    }
    auto expected = new_;
    if (deleting) expected.erase("roof.DAT"), expected.erase("roof.C02");
    EXPECT_EQ(files(data), expected);
    if (!deleting) openCase("roof.DAT");
    EXPECT_TRUE(deleting || fx().ResultValid[2]);
  }
  EXPECT_TRUE(platform.scriptDone());
}

// A colleague who may only read the folder takes no lock: a save that runs while the case is
// read makes the open read it again, so that it opens one save's case whole, never the header
// of one beside the records of the other; a case that never stands still is told in use. So is
// one that another program's save held at any moment from the open's first look to its last
// read, also where that save stands still between its renames the whole time.
TEST_F(Versions, AReadWithoutTheLockIsOneStillPicture) {
  const std::string inUse = "The case cannot be opened.\r\n\r\n" + path("roof.DAT") +
                            "\r\nThe case is in use by another program.";
  // A lock file nobody holds, which the open tests as it looks for holders.
  const std::string stale =
      veltaro::OwnFileName(veltaro::NameKey("roof"), "00000000000000cc", ".lck");
  const struct {
    const char* what;
    std::string at;  // another program saves the new version as this file is read (or locked)
    int saves;       // at most so often
    std::string told;
    bool killed = false;  // that save is killed before its header's rename: told mixed
    int failsFrom = 0;    // or no save: the test of that lock file fails from this look on
    bool holds = false;   // or that program only holds the case, changing nothing, to the end
    const char* fails = "lock";  // the call of that test that fails, and how
    int error = EIO;
  } rows[] = {
      {"a save between the header and a record", "roof.C01", 1, ""},
      {"a save at every look", "roof.DAT", 99, inUse},
      {"a save begun as the open looks for holders, standing before its header", stale, 1, inUse},
      {"a save killed as the open looks for holders, before its header", stale, 1,
       "This window comes from a save that was cut off.", true},
      // A look at the end that fails decides nothing: the case is read again, and the look
      // that fails at the start is named once the wait is over.
      {"a lock file that cannot be looked at after the open's first look", stale, 0,
       stale + "\r\nThe file cannot be read. System error 5.", false, 2},
      // Its lock file made after the open's last listing is seen at the end all the same.
      {"another program holding the case from the open's last read on", "roof.C01", 0, inUse, false,
       0, true},
      // A look refused every time is no lock file that may not be opened: the wait ends.
      {"a lock file whose look is refused", stale, 0, inUse, false, 1, false, "info", EACCES},
  };
  veltaro::cases::CaseCommands other(veltaro::SystemFiles());
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    restore(old_);
    calculatedWindow(2);
    fx().ResultValid[1] = false;
    header("XY", "Ny", "2026-12-24");
    int saves = 0;
    // The other program's save that stands before its header's rename until let go.
    FaultyFiles standing;
    std::promise<void> stood, letGo;
    std::shared_future<void> goOn = letGo.get_future().share();
    standing.fail = [&](const std::string& call, const std::string& name) {
      if (call == "rename" && name == "roof.DAT") stood.set_value(), goOn.wait();
      return 0;
    };
    // The other program's save of the new version, through the files given.
    const auto saveNew = [&](FaultyFiles& through) {
      veltaro::cases::CaseFolder theirs(path("roof"), through, false, path("roof.DAT"));
      theirs.settle([](const veltaro::FileError&) { return true; });
      theirs.write({{"roof.C02", new_.at("roof.C02")}, {"roof.DAT", new_.at("roof.DAT")}},
                   {"roof.C01"});
    };
    std::thread saver;
    std::optional<veltaro::cases::CaseFolder> holder;
    if (row.at == stale) folder_.writeBytes("DATA/" + stale, "");
    int looks = 0;
    faults.fail = [&](const std::string& call, const std::string& name) {
      if (call == "create") return EACCES;  // no lock file can be made
      if (call == "read" && name == row.at && row.holds && !holder)
        holder.emplace(path("roof"), veltaro::SystemFiles(), false, path("roof.DAT"));
      // (So many looks at most: a wait that does not count them ends when they stop failing.)
      if (call == row.fails && name == row.at && row.failsFrom && ++looks >= row.failsFrom &&
          looks < 100000)
        return row.error;
      if (call == "lock" && name == row.at && saves++ < row.saves) {
        if (row.killed) {
          FaultyFiles killing;
          killing.crashAfter = 10;  // its lock, copies, list and "go", a removal and a rename
          try {
            saveNew(killing);
          } catch (const Crash&) {
          }
        } else {
          saver = std::thread([&] { saveNew(standing); });
          stood.get_future().wait();
        }
      }
      if (call == "read" && name == row.at && saves++ < row.saves) {
        platform.expectSaveFile(path("roof.DAT"));
        other.CaseSave();
      }
      return 0;
    };
    if (row.killed)
      platform.expectMsgBox(IdOk, "the case on disk is mixed. The folder may only be read.");
    openCase("roof.DAT", row.told.empty() ? nullptr : row.told.c_str(),
             row.killed ? Exclamation : Critical);
    faults.fail = nullptr;
    letGo.set_value();
    if (saver.joinable()) saver.join();
    holder.reset();
    if (row.killed) openCase("roof.DAT");  // the owner's next use finishes it
    if (row.failsFrom) fs::remove(data / stale);
    EXPECT_EQ(files(data), row.failsFrom || row.holds ? old_ : new_);
    if (!row.told.empty()) continue;
    EXPECT_NE(main().control("txtCase", 1).text().find("Ny"), std::string::npos);
    EXPECT_TRUE(!app.find("frmCalc01") && fx().ResultValid[2]);
  }
  EXPECT_TRUE(platform.scriptDone());
}

// A file a save replaces keeps its permission bits, and a record it adds takes the header's,
// group included: a private case stays private. So do the lock file and the list while the
// save runs: whoever may write the case may take it, and finish a save cut off. No save makes a
// set-ID or sticky file, also of one another user left so. A case without a header follows the
// user's umask. The superuser saving a user's case keeps it theirs: every file it makes takes
// the owner and group of the file it replaces, or of the header.
TEST_F(Versions, ASaveKeepsTheCasePermissions) {
  const bool root = ::geteuid() == 0;
  const gid_t group = root ? 65534 : ::getegid();  // not the user's, where we may
  const struct {
    unsigned header, record;  // the case's header and window 1's record; 0: no case yet
    mode_t mask;
    unsigned saved[3];  // the header, window 1's record replaced, window 2's added
    uid_t owner = static_cast<uid_t>(-1);  // the case's owner, where not the user
  } rows[] = {
      {0600, 0600, 022, {0600, 0600, 0600}},
      {0640, 0600, 022, {0640, 0600, 0640}},
      {0664, 0644, 077, {0664, 0644, 0664}},
      {06755, 07777, 022, {0755, 0777, 0755}},
      {0, 0, 022, {0644, 0644, 0644}},
      {0, 0, 077, {0600, 0600, 0600}},
      {0600, 0600, 022, {0600, 0600, 0600}, root ? 65534u : static_cast<uid_t>(-1)},
  };
  std::set<uid_t> owners;  // of every file the save made
  auto mode = [&](const char* name) {
    struct stat st {};
    ::stat((data / name).c_str(), &st);
    owners.insert(st.st_uid);
    return std::pair(static_cast<unsigned>(st.st_mode & 07777), st.st_gid);
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.header) + " umask " + std::to_string(row.mask));
    restore(old_);
    if (row.header) {
      if (row.owner != static_cast<uid_t>(-1))
        for (const char* f : {"roof.DAT", "roof.C01"}) {
          ASSERT_EQ(::chown((data / f).c_str(), row.owner, group), 0);
        }
      ASSERT_EQ(::chown((data / "roof.DAT").c_str(), static_cast<uid_t>(-1), group), 0);
      fs::permissions(data / "roof.DAT", fs::perms(row.header));
      fs::permissions(data / "roof.C01", fs::perms(row.record));
    } else {
      fs::remove(data / "roof.DAT");
      fs::remove(data / "roof.C01");
    }
    fx().ResultValid[1] = fx().ResultValid[2] = true;
    std::pair<unsigned, gid_t> lock, list;
    faults.fail = [&](const std::string& call, const std::string& name) {
      if (call != "append") return 0;
      for (const auto& e : fs::directory_iterator(data))
        if (e.path().extension() == ".lck") lock = mode(e.path().filename().c_str());
      list = mode(name.c_str());
      return 0;
    };
    owners.clear();
    const mode_t before = ::umask(row.mask);
    CaseTest::save("roof.DAT");
    ::umask(before);
    faults.fail = nullptr;
    const gid_t own = row.owner != static_cast<uid_t>(-1) ? group : ::getegid(),
                header = row.header ? group : own;
    EXPECT_EQ(std::vector({mode("roof.DAT"), mode("roof.C01"), mode("roof.C02"), lock, list}),
              std::vector({std::pair(row.saved[0], header), std::pair(row.saved[1], own),
                           std::pair(row.saved[2], header), std::pair(row.saved[2], header),
                           std::pair(row.saved[2], header)}));
    if (row.owner != static_cast<uid_t>(-1)) {
      EXPECT_EQ(owners, std::set({row.owner}));
    }
  }
}

// Whatever stands at a name of the case's lock files is taken as itself, never through a link,
// and never waited on: it blocks no save, and nothing outside changes.
TEST_F(Versions, TheLockFileIsNeverFollowedNorWaitedOn) {
  const std::string lockName = ".~vt" + veltaro::NameKey("roof") + ".lck";
  const fs::path lock = data / lockName, outside = folder / "outside.txt";
  auto withoutLock = [&](std::map<std::string, std::string> set) {
    set.erase(lockName);
    return set;
  };
  const struct {
    const char* what;
    std::function<void()> plant;
    bool saves;
  } rows[] = {
      {"link to a missing file", [&] { fs::create_symlink("../gone.txt", lock); }, true},
      {"link to a file", [&] { fs::create_symlink(outside, lock); }, true},
      {"hard link", [&] { fs::create_hard_link(outside, lock); }, true},
      {"pipe", [&] { ASSERT_EQ(::mkfifo(lock.c_str(), 0644), 0); }, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    restore(old_);
    folder_.writeBytes("outside.txt", "outside");
    fs::remove(lock);
    row.plant();
    calculatedWindow(2);
    if (!row.saves)
      platform.expectMsgBox(IdOk, lockName + "\r\nSomething other than an ordinary file");
    save(true);
    fs::remove(lock);
    EXPECT_EQ(files(data), withoutLock(row.saves ? new_ : old_));
    EXPECT_EQ(veltaro::ReadFileBytes(outside.string()), "outside");
    EXPECT_FALSE(fs::exists(folder / "gone.txt"));
  }
  // Another file put at its name while a save holds it, and the one a save made where no lock
  // can be taken, are no lock file of the save's to leave or to remove.
  for (const int lockError : {0, ENOLCK}) {
    SCOPED_TRACE(lockError);
    restore(old_);
    std::string held;  // the save's lock file, another file put in its place
    faults.fail = [&](const std::string& call, const std::string& name) {
      if (lockError) return call == "lock" ? lockError : 0;
      if (call == "rename" && name == "roof.C02" && !has("roof.C02"))
        for (const auto& e : fs::directory_iterator(data))
          if (e.path().extension() == ".lck") {
            held = e.path().filename().string();
            fs::remove(e.path());
            folder_.writeBytes("DATA/" + held, "theirs");
          }
      return 0;
    };
    calculatedWindow(2);
    if (lockError) platform.expectMsgBox(IdOk, "The case was not saved.");
    save(true);
    faults.fail = nullptr;
    auto expected = lockError ? old_ : new_;
    if (!lockError) expected[held] = "theirs";
    EXPECT_EQ(files(data), expected);
  }
  // A pipe in a folder the user may only read: its reader would wait for a writer for ever.
  ASSERT_EQ(::mkfifo(lock.c_str(), 0644), 0);
  fs::permissions(data, fs::perms(0555));
  const pid_t child = ::fork();
  if (child == 0) {
    ::alarm(5);
    if (::geteuid() == 0 && (::setresgid(65534, 65534, 65534) || ::setresuid(65534, 65534, 65534)))
      ::_exit(3);
    int handle = -1;
    ::_exit(veltaro::PosixFiles().lock(data.string(), lockName, 0, handle) != 0 ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  fs::permissions(data, fs::perms(0755));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_TRUE(platform.scriptDone());
}

// Two programs saving two versions of one case at the same moment: one waits for the other,
// and the case is always one of them whole.
TEST_F(Versions, TwoProgramsSavingAtOnceLeaveOneVersionWhole) {
  inMemory();
  for (int round = 0; round < 100; ++round) {
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
      if ((children[i] = ::fork()) == 0) {
        char go;
        ::close(start[1]);
        bool ok = ::read(start[0], &go, 1) == 1;
        try {
          saveOnly(i == 1);
        } catch (...) {
          ok = false;
        }
        ::_exit(ok && platform.callsOf("msgBox").empty() ? 0 : 1);
      }
    }
    ::close(start[0]);
    ASSERT_EQ(::write(start[1], "gg", 2), 2);
    ::close(start[1]);
    for (pid_t child : children) {
      int status = 0;
      ::waitpid(child, &status, 0);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
    const auto now = files(data);
    ASSERT_TRUE(now == old_ || now == new_) << "round " << round;
  }
}

// In a shared folder (sticky bit) a file of another user's at one of the case's names is no
// part of the case: an open leaves it out and names it, a save or a delete never acts on it,
// and it blocks the case only where a save would have to replace it, which that save says
// before anything is written. Another user is played by the file operations, so that this runs
// as any user.
TEST_F(Versions, AnotherUsersListOrTemporaryIsNeverActedOn) {
  const std::string key = veltaro::NameKey("roof"), temp = ".~vt" + key + "-9-1",
                    etemp = ".~vt" + veltaro::EarlierNameKey("roof") + "-9-1",
                    lock = ".~vt" + key + ".lck";
  auto plant = [this](const std::string& name, const std::string& bytes, unsigned mode = 0644) {
    return [=, this] { faults.plantAsOther(data / name, bytes, fs::perms(mode)); };
  };
  const std::string others = "\r\nThe file belongs to another user in a shared folder.";
  const int question = OkCancel | Exclamation | DefaultButton2;
  const struct {
    const char* what;
    std::function<void()> plant;  // as the other user; their files are there to the end
    std::string mine;             // a list of the user's own, when not empty
    std::string opened;           // what the open says; empty: nothing
    int style = Exclamation;
    std::string saved;  // what a save of the new version says; empty: it is saved
    unsigned mode = 01777;
    bool deleted = true;              // Delete removes the case; else it says what the save said
    std::string picked = "roof.DAT";  // the header the user picks
    Lines caseFiles = {"roof.DAT", "roof.C01"};  // the case's own, as planted
  } rows[] = {
      {"a list removing the case", plant("roof.PND", "D roof.C01\nD roof.DAT\nend\ngo\n"), "",
       "roof.PND" + others},
      {"a list, in a folder of one group", plant("roof.PND", "D roof.C01\nend\ngo\n"), "",
       "roof.PND" + others, Exclamation, "", 01770},
      {"a list renaming a temporary in",
       [&] {
         plant(temp, "other's")();
         plant("roof.PND", "N " + temp + " roof.C01\nend\n")();
       },
       "", "roof.PND" + others},
      // A record at a name of the case opens as no window of it, and is never replaced.
      {"a record", plant("roof.C02", "other's record"), "", "roof.C02" + others, Exclamation,
       "roof.C02" + others},
      // A list of the user's own naming another user's temporary: undone, theirs kept.
      {"a temporary the user's list names", plant(temp, "other's"),
       "N " + temp + " roof.C02\nend\ngo\n", temp + others},
      {"an earlier build's temporary", plant(etemp, "x"), "R " + etemp + " roof.C01\nend\n",
       "roof.PND\r\nThe last save of this case was cut off and cannot be finished", question},
      // A colleague cut off in a folder of one group left a lock file only they may open: an
      // open goes on without it, a save names it.
      {"a lock file only its owner may open", plant(lock, "", 0600), "", "", Exclamation,
       lock + "\r\nThe lock file cannot be opened: another user's program is using these files",
       02775, false},
      // Another account's file at the lock's name in a shared folder blocks nothing.
      {"another account's private file at the lock's name", plant(lock, "", 0600), "", ""},
      // Another account's spellings are never the case's: neither the header the user did not
      // pick, nor a record a save writes under its own free spelling.
      {"another account's spellings of the header and a record",
       [&] {
         fs::rename(data / "roof.DAT", data / "roof.dat");
         fs::rename(data / "roof.C01", data / "roof.c01");
         plant("roof.DAT", veltaro::cases::EncodeHeader("ZZ", "Theirs", ""))();
         plant("roof.C03", "other's record")();
       },
       "",
       "roof.DAT" + others,
       Exclamation,
       "",
       01777,
       true,
       "roof.dat",
       {"roof.dat", "roof.c01"}},
      {"another account's record in capitals", plant("ROOF.C02", "other's record"), "",
       "ROOF.C02" + others},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    restore(old_);
    fs::permissions(data, fs::perms(row.mode));
    row.plant();
    auto expected = files(data);  // theirs as they were planted, and the case
    if (!row.mine.empty()) folder_.writeBytes("DATA/roof.PND", row.mine);
    run(&S::CaseOpen, row.picked.c_str(), row.opened.empty() ? nullptr : row.opened.c_str(), IdOk,
        row.style);
    EXPECT_TRUE(platform.scriptDone());
    EXPECT_FALSE(app.find("frmCalc02")) << "another user's record opens as no window";
    EXPECT_NE(main().control("txtCase", 1).text().find("Gammel"), std::string::npos)
        << "the header picked";
    calculatedWindow(2);
    // As the save dialog gives it: the user's own spelling of the header is the one meant.
    CaseTest::save("roof.DAT", row.saved.empty() ? nullptr : (row.saved).c_str());
    EXPECT_EQ(has("roof.C02") && files(data)["roof.C02"] != "other's record", row.saved.empty());
    // Delete removes the case's files, and none of theirs.
    platform.expectMsgBox(row.deleted ? IdYes : IdOk,
                          row.deleted ? "Delete these files of the case?" : row.saved);
    run(&S::CaseDelete, row.picked.c_str());
    if (row.deleted)
      for (const std::string& f : row.caseFiles) expected.erase(f);
    fs::permissions(data, fs::perms(0755));
    EXPECT_EQ(files(data), expected);
    EXPECT_TRUE(platform.scriptDone());
  }
  // A colleague opens the owner's case by the spelling of its header they picked: a third
  // account's spelling of it is no part of the case.
  restore(old_);
  fs::rename(data / "roof.DAT", data / "roof.dat");
  for (const auto& [name, bytes] : files(data))
    if (name.starts_with("roof")) faults.plantAsOther(data / name, bytes);
  folder_.writeBytes("DATA/roof.DAT", veltaro::cases::EncodeHeader("ZZ", "Theirs", ""));
  faults.third = {"roof.DAT"};
  faults.asUser = FaultyFiles::kOther + 1;
  fs::permissions(data, fs::perms(01777));
  platform.expectMsgBox(IdOk, "roof.DAT" + others);
  run(&S::CaseOpen, "roof.dat");
  EXPECT_NE(main().control("txtCase", 1).text().find("Gammel"), std::string::npos);
  // The colleague owns the folder, which lets them rename and remove every file there; still
  // only the case's owner changes it: a save and a Delete are refused before anything is
  // written. The colleague's own lock file, left by a use that was killed, goes all the same.
  const std::string killed = veltaro::OwnFileName(key, "00000000000000aa", ".lck");
  const auto theirsNow = files(data);
  folder_.writeBytes("DATA/" + killed, "");
  calculatedWindow(2);
  CaseTest::save("roof.DAT", ("roof.DAT" + others).c_str());
  EXPECT_EQ(files(data), theirsNow);
  folder_.writeBytes("DATA/" + killed, "");
  run(&S::CaseDelete, "roof.dat", ("roof.dat" + others).c_str());
  EXPECT_EQ(files(data), theirsNow);
  faults.third.clear();
  faults.asUser = 0;
  fs::permissions(data, fs::perms(0755));
  // Another user's files where the save adds a record and where it has just removed one:
  // neither finished nor undone, which the save says; the case is told mixed until a save or
  // Delete, which leaves their files.
  restore(old_);
  fs::permissions(data, fs::perms(01777));
  calculatedWindow(2);
  faults.othersFolder = true;
  faults.fail = [&](const std::string& call, const std::string& name) {
    if (call == "rename" && name == "roof.C02" && !has("roof.C01") && !has("roof.C02")) {
      plant("roof.C01", "theirs")();
      plant("roof.C02", "theirs")();
    }
    return 0;
  };
  platform.expectMsgBox(IdOk,
                        "neither finished nor undone: the case on disk is mixed. Until it is "
                        "saved again or deleted, its windows open as not calculated.\r\n\r\n" +
                            path("roof.C02") + others + "\r\n\r\nFrom the save before it:\r\n  " +
                            path("roof.DAT"));
  save(true);
  faults.fail = nullptr;
  platform.expectMsgBox(IdOk, "the case on disk is mixed");
  platform.expectMsgBox(IdOk, "roof.C01" + others);
  run(&S::CaseOpen, "roof.DAT");
  platform.expectMsgBox(IdOk, "the case on disk is mixed");
  platform.expectMsgBox(IdYes, "Delete these files of the case?\r\n" + path("roof.DAT"));
  run(&S::CaseDelete, "roof.DAT");
  faults.othersFolder = false;
  auto expected = old_;
  expected["roof.C01"] = expected["roof.C02"] = "theirs";
  expected.erase("roof.DAT");
  fs::permissions(data, fs::perms(0755));
  EXPECT_EQ(files(data), expected);
  EXPECT_TRUE(platform.scriptDone());
}

// The report's own list of changes has a name no case can have: a save of a case named
// "output" cut off in the report's folder is left to that case by a report written meanwhile.
TEST_F(Commands, AReportLeavesACaseNamedOutputAlone) {
  forms::Form& w = calculatedWindow(1);
  // The lock file, the record, the header, the list written, put in place and begun.
  faults.crashAfter = 6;
  EXPECT_THROW(save("output.DAT"), Crash);
  faults.crashAfter = 0;
  // And a save of it by the last build, cut off too, whose list has the case's own name.
  const std::string temp = ".~vt" + veltaro::LastNameKey("output") + "-9-1";
  folder_.writeBytes("DATA/" + temp, "record 2");
  folder_.writeBytes("DATA/output.PND", "N " + temp + " output.C02\nend\ngo\n");
  const auto cut = files(data);
  ASSERT_FALSE(listOf("output").empty());
  ASSERT_TRUE(veltaro::Reports().WriteReport(1, w, false, true));
  auto now = files(data);
  for (const std::string f : {"output.htm", "output-view.htm"}) EXPECT_EQ(now.erase(f), 1u) << f;
  // The report leaves no lock file of its own in the data folder.
  EXPECT_EQ(now, cut);
  openCase("output.DAT", "output.C02: The record is shorter than", Exclamation);
  EXPECT_TRUE(has("output.C01") && has("output.C02") && listOf("output").empty() &&
              !has("output.PND"));
  EXPECT_TRUE(platform.scriptDone());
}

TEST_F(Commands, ATypedValueThatDoesNotFitIsNamedBeforeSaving) {
  header("ABCD", "Łódź", "2026-12-07");
  const std::string longName = "Torvelin Lamelmåtte 50 mm alu";  // 29 bytes, its position keeps it
  writeLines("Text/Product.DK", {longName + ";0.036;0.00018;0.0000012;-50;600;30;50;", longName});
  // In the market's words, each field named by its caption, under its window's caption.
  testing_support::UseMarketLines("DK", {101, 116, 134, 231, 232, 233});
  forms::Form& w = open("frmCalc01");
  enter(w, {.medium = "-180", .product = longName});
  // A result keeps its first bytes, cut and not rounded, but not when they lose whole digits.
  calculated(w, {"VT=1234.56", "Bespar=243657719"});
  // While the question is open no other case command starts. Enter answers No.
  platform.onMsgBox = [this] { cases().CaseOpen(); };
  const char* cut =
      "\r\nVarmetab og overfladetemperatur som funktion af tykkelse:\r\n"
      "  Medietemperatur: \"-180\" som \"-18\"\r\n";
  run(&S::CaseSave, "cut.DAT", cut, IdNo, YesNo | Exclamation | DefaultButton2);
  platform.onMsgBox = nullptr;
  EXPECT_FALSE(has("cut.DAT"));
  const std::string prompt = platform.callsOf("msgBox").back().text;
  for (const char* named : {"Initialer: \"ABCD\" som \"ABC\"", "Sagsnavn: \"Łódź\" som \"?ód?\"",
                            "\n  Besparelse pr. år: \"243657719\" som \"24365771\"\r\n\r\nGem"})
    EXPECT_NE(prompt.find(named), std::string::npos) << prompt;
  // Nothing else: the product kept by its position, the result that keeps its whole digits.
  EXPECT_EQ(std::count(prompt.begin(), prompt.end(), '\n'), 7) << prompt;
  run(&S::CaseSave, "cut.DAT", cut, IdYes, YesNo | Exclamation | DefaultButton2);
  const std::string record = files(data)["cut.C01"];
  EXPECT_EQ(record.substr(18, 3), "-18");
  EXPECT_EQ(record.substr(167, 5), "1234.");
}

TEST_F(Commands, ARecordThatCannotComeBackWholeIsReported) {
  roofCase();
  const std::string record = files(data)["roof.C01"];
  std::string badProduct = record, typedProduct = record;
  badProduct[46] = 9;  // a product position beyond the three products
  typedProduct[46] = typedProduct[47] = '\xff';
  // What the record holds, whether its window opens, the message; the list of a save cut off
  // beside it, which the open is told to give up. A window that opens not calculated keeps
  // its inputs and shows no result.
  const std::string earlier = ".~vt" + veltaro::EarlierNameKey("roof") + "-9-2";
  const struct {
    const char* what;
    std::string bytes;
    bool opens;
    const char* message;
    std::string list = {};
  } rows[] = {{"short", record.substr(0, 179), false, "shorter than 180 bytes"},
              {"longer", record + "tail", true, nullptr},
              {"position outside the list", badProduct, true,
               "T166: entry 10 is not in the list, which has 3 entries"},
              {"typed value", typedProduct, true, nullptr},
              {"of a mixed case", record, true, "roof.C01):\r\n  This window comes from",
               "R " + earlier + " roof.C24\nend\ngo\n"}};
  for (const auto& [what, bytes, opens, message, list] : rows) {
    SCOPED_TRACE(what);
    folder_.writeBytes("DATA/roof.C01", bytes);
    if (!list.empty()) {
      folder_.writeBytes("DATA/roof.PND", list);
      platform.expectMsgBox(IdOk, "can be neither finished nor undone");
    }
    openCase("roof.DAT", message, Exclamation);
    fs::remove(data / "roof.PND");
    forms::Form* w = app.find("frmCalc01");
    EXPECT_EQ(w != nullptr, opens);
    EXPECT_EQ(fx().ResultValid[1], opens && !message);
    EXPECT_TRUE(platform.scriptDone());
    if (w) {
      EXPECT_EQ(w->control("PRODUKT").text(), calctest::kPipeProduct);
      EXPECT_EQ(w->control("MEDIETEMP").text(), "150");
      const std::string shown = w->control("OVERFLADE").text() + "|" + w->control("VT").text();
      EXPECT_EQ(shown, fx().ResultValid[1] ? "24|35.1" : "|");
    }
  }
  // A header shorter than its record: the case fields show their labels alone.
  folder_.writeBytes("DATA/roof.DAT", "AB");
  openCase("roof.DAT", "header is shorter", Exclamation);
  EXPECT_EQ(main().control("txtCase", 0).text(), "Initialer: ");
}

TEST(CasePaths, ExtensionStrippedOnlyFromTheName) {
  for (auto [in, out] : {std::pair{"/d/Old.cases/roof.DAT", "/d/Old.cases/roof"},
                         {"/d/Old.cases/roof", "/d/Old.cases/roof"},
                         {"roof.", "roof"},
                         {"/d/roof.v2.dat", "/d/roof.v2"},
                         {"C:\\My.x\\roof", "C:\\My.x\\roof"}})
    EXPECT_EQ(veltaro::cases::StripExtension(in), out) << in;
}

TEST_F(Commands, HeaderDialogFillsTheCaseFields) {
  header("AB", "Gammel sag", "2001-01-01");
  const testing_support::TimeZone east("<+02>-2");
  platform.clock = std::chrono::system_clock::from_time_t(1'700'000'000);
  // The initials retyped in the box that has the focus, and the dialog left by `button`.
  auto dialog = [&](const std::string& initials, const char* button) {
    auto& d = app.get<veltaro::cases::frmCase>();
    EXPECT_EQ(d.caption() + "|" + d.control("txtFileCase", 1).text(), "Sag|Gammel sag");
    EXPECT_EQ(d.control("lblDate").caption(), "2023-11-15 00:13:20");
    forms::Control& box = d.control("txtFileCase", 0);
    box.userSelect(0, static_cast<int>(box.text().size()));
    box.userType(initials);
    EXPECT_EQ(box.text(), initials.substr(0, 3));
    d.control(button).userClick();
    EXPECT_FALSE(app.isLoaded("frmCase"));
    return main().control("txtCase", 0).text() + "|" + main().control("txtCase", 1).text() + "|" +
           main().control("txtCase", 2).text();
  };
  EXPECT_EQ(dialog("XYZW", "cmdCancel"), "Initialer:  AB|Sagsnavn:  Gammel sag|Dato:  2001-01-01");
  EXPECT_EQ(dialog("KL", "cmdOK"), "Initialer:  KL|Sagsnavn:  Gammel sag|Dato:  2023-11-15");
}

}  // namespace
}  // namespace casetest
