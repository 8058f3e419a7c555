// Lists of changes read and settled directly: every line form of this build and of the earlier
// one, and a write cut after any step of carrying it out or of undoing it, with or without hard
// links, settles to the old files or the new ones, whole.

#include <gtest/gtest.h>

#include <cerrno>

#include "CaseFixture.h"
#include "core/Journal.h"
#include "core/WholeFiles.h"

namespace casetest {
namespace {

const std::string K = ".~vt0123456789abcdef-1-", E = ".~vt89abcdef-1-";
const veltaro::JournalNames kNames{{"a.DAT", "a.C01", "a.C02"}, "0123456789abcdef", "89abcdef"};

TEST(Lists, EveryFormIsReadAndEveryOtherListIsDamaged) {
  const struct {
    std::string bytes;
    int changes;  // -1: damaged
    bool started = false, earlier = false;
  } rows[] = {
      {"M " + K + "1 a.C01\nN " + K + "2 a.C02\nP " + K + "3 " + K + "4 a.DAT\nend\ngo\n", 3, true},
      {"N " + K + "2 A.c02\nend\ng", 1},  // a "go" cut off: never begun
      {"R " + E + "1 a.DAT\nD a.C01\nend\ngo\n", 2, true, true},
      {"R .~vt12-3 a.DAT\nend\n", 1, false, true},
      {"P " + K + "3 " + K + "4 a.DAT\nD a.C01\nend\n", -1},  // two writers' lines
      {"P " + K + "3 a.DAT\nend\n", -1},                      // no backup
      {"N .~vtfedcba9876543210-1-1 a.C02\nend\n", -1},        // another set's temporary
      {"M " + K + "1 b.C01\nend\n", -1},                      // another set's file
      {"M " + K + "1 ../a.C01\nend\n", -1},
      {"N " + K + "2 a.C02\n", -1},
      {"end\ngo\ngo\n", -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.bytes);
    const auto j = veltaro::ParseJournal(row.bytes, kNames);
    ASSERT_EQ(j ? static_cast<int>(j->changes.size()) : -1, row.changes);
    if (j) {
      EXPECT_EQ(std::pair(j->started, j->earlier), std::pair(row.started, row.earlier));
    }
  }
  // Two names whose earlier 32-bit keys are one.
  EXPECT_EQ(veltaro::EarlierNameKey("job-szwjiab"), veltaro::EarlierNameKey("job-dllvxbl"));
  EXPECT_NE(veltaro::NameKey("job-szwjiab"), veltaro::NameKey("job-dllvxbl"));
  EXPECT_EQ(veltaro::NameKey("Job-SZWjiab"), veltaro::NameKey("job-szwjiab"));
  // A list cut off keeps the changes before its damage, as the clean-up names them.
  EXPECT_EQ(veltaro::ReadableChanges(rows[0].bytes.substr(0, 80), kNames).size(), 2u);
}

class Settling : public ::testing::Test {
 protected:
  fs::path dir = fs::temp_directory_path() / ("veltaro-lists-" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  void put(const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
  }
  std::map<std::string, std::string> now() {
    std::map<std::string, std::string> all;
    for (const auto& e : fs::directory_iterator(dir))
      all[e.path().filename().string()] = veltaro::ReadFileBytes(e.path().string());
    return all;
  }
  // The old set, and a write to the new one begun: a.C01 removed, a.C02 new, a.DAT replaced.
  veltaro::Journal begun() {
    fs::remove_all(dir);
    fs::create_directories(dir);
    put("a.DAT", "old header");
    put("a.C01", "old record");
    put(K + "2", "new record");
    put(K + "3", "new header");
    const veltaro::Journal j{
        {{"", "a.C01", K + "1"}, {K + "2", "a.C02", ""}, {K + "3", "a.DAT", K + "4"}}, true};
    put("a.PND", veltaro::EncodeJournal(j.changes) + "go\n");
    return j;
  }
};

TEST_F(Settling, ACutAfterAnyStepForwardOrBackSettlesWhole) {
  const std::map<std::string, std::string> before = {{"a.DAT", "old header"},
                                                     {"a.C01", "old record"}},
                                           after = {{"a.DAT", "new header"},
                                                    {"a.C02", "new record"}};
  const veltaro::Folder folder(dir.string());
  veltaro::PosixFiles plain;
  // A list is read as itself, never through a link in its place (checked once more as it is
  // read, for a link swapped in after the look).
  std::string bytes;
  fs::create_symlink("a.DAT", dir / "a.PND");
  EXPECT_EQ(plain.read(folder, "a.PND", 10, bytes), ELOOP);
  // A list never begun changed nothing: it is undone, whatever its temporaries hold.
  veltaro::Journal notBegun = begun();
  notBegun.started = false;
  EXPECT_FALSE(veltaro::Settle(plain, folder, "a.PND", notBegun, false));
  EXPECT_EQ(now(), before);
  // Forward to the end; the last rename failing (undone); without hard links.
  for (const char* failing : {"", "rename a.DAT", "link"}) {
    for (int cut = 1;; ++cut) {
      SCOPED_TRACE(std::string(failing) + " cut " + std::to_string(cut));
      const veltaro::Journal j = begun();
      FaultyFiles faults;
      faults.crashAfter = cut;
      faults.fail = [&](const std::string& call, const std::string& name) {
        if (std::string(failing) == "link" && call == "link") return EPERM;
        return call + " " + name == failing ? EIO : 0;
      };
      bool crashed = false;
      try {
        veltaro::Settle(faults, folder, "a.PND", j, false);
      } catch (const Crash&) {
        crashed = true;
      } catch (const veltaro::FileError& e) {
        EXPECT_TRUE(e.undone()) << e.path();
      }
      // The next use, on a sound disk.
      if (fs::exists(dir / "a.PND")) {
        const auto again =
            veltaro::ParseJournal(veltaro::ReadFileBytes((dir / "a.PND").string()), kNames);
        ASSERT_TRUE(again);
        veltaro::Settle(plain, folder, "a.PND", *again, false);
      }
      // Files kept after the list is gone are stale temporaries the next use clears away.
      auto files = now();
      std::erase_if(files, [](const auto& f) { return f.first.starts_with(K); });
      EXPECT_TRUE(files == before || files == after) << ::testing::PrintToString(files);
      if (!crashed) break;
    }
  }
}

}  // namespace
}  // namespace casetest
