#pragma once
// The case commands' test program with a case "roof" on disk, and two versions of it.

#include <unistd.h>

#include "CaseFixture.h"
#include "files/WholeFiles.h"

namespace casetest {

using namespace forms::mb;
using veltaro::fx;

// The Delete question: Enter answers No, which deletes nothing.
constexpr int kDeleteQuestion = YesNo | Question | DefaultButton2;

class Commands : public CaseTest {
 protected:
  // Window 1 or 2 entered and calculated.
  forms::Form& calculatedWindow(int n) {
    forms::Form& w = open("frmCalc0" + std::to_string(n));
    enter(w, {});
    calculated(w,
               n == 1 ? Lines{"OVERFLADE=24", "VT=35.1"} : Lines{"ISOLERINGST=40", "VARMETAB=20"});
    return w;
  }
  // A case "roof" of window 1 and a folder of neighbours that are not part of it.
  void roofCase() {
    calculatedWindow(1);
    save("roof.DAT");
    for (std::string f : {"roof.txt", "roof.C01.bak", ".roof", "roofs.DAT", "other.C02", "roof"})
      folder_.writeBytes("DATA/" + f, f);
  }
  bool has(const std::string& file) const { return fs::exists(data / file); }
  // The list a save of the case left beside it; empty when there is none.
  std::string listOf(const std::string& stem = "roof") const {
    for (const auto& e : fs::directory_iterator(data))
      if (const std::string n = e.path().filename().string();
          n.starts_with(".~vt" + veltaro::NameKey(stem) + "-") && n.ends_with(".PND"))
        return n;
    return "";
  }
};

// Two versions of the case "roof": the old one holds window 1's record, the new one window
// 2's, so that saving the new over the old also removes a record.
class Versions : public Commands {
 protected:
  Versions() {
    roofCase();
    calculatedWindow(2);
    old_ = save(false);
    new_ = save(true);
  }
  ~Versions() override {
    if (!memory_.empty()) fs::remove_all(memory_);
  }
  // The version decides which result is valid, and the header.
  std::map<std::string, std::string> save(bool isNew) {
    saveOnly(isNew);
    return files(data);
  }
  void saveOnly(bool isNew) {
    fx().ResultValid[1] = !isNew;
    fx().ResultValid[2] = isNew;
    header(isNew ? "XY" : "AB", isNew ? "Ny" : "Gammel", "2026-12-24");
    CaseTest::save("roof.DAT");
  }
  void restore(const std::map<std::string, std::string>& set) {
    for (const auto& e : fs::directory_iterator(data)) fs::remove_all(e.path());
    for (const auto& [name, bytes] : set) folder_.writeBytes("DATA/" + name, bytes);
  }
  // A kill or a race tests the order of the steps, not the disk: in a memory file system,
  // where there is one, the few hundred saves take seconds.
  void inMemory() {
    if (!fs::is_directory("/dev/shm")) return;
    memory_ = "/dev/shm/veltaro-cases-" + std::to_string(::getpid());
    fs::create_directories(memory_);
    fs::remove_all(data);
    fs::create_directory_symlink(memory_, data);
    restore(old_);
  }
  std::map<std::string, std::string> old_, new_;
  fs::path memory_;  // where the case folder is moved to, if anywhere
};

}  // namespace casetest
