#pragma once
// The calculation windows' test program with what the case commands need of the main window
// (its case fields, the case menu items and button), the case commands installed, and a
// DATA folder for the cases.

#include <bit>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "calc/CalcFixture.h"
#include "cases/CaseCommands.h"
#include "cases/RecordLayout.h"
#include "core/TextFile.h"
#include "shell/ShellServices.h"

namespace casetest {

namespace fs = std::filesystem;

inline constexpr const char* kAirMedium = "Luft 79% N2, 21% O2";
inline constexpr const char* kFlueGasMedium = "Røggas 12%CO2, 3%H2O, 83%N2, 2%O2";

class CaseTest : public calctest::CalcTest {
 protected:
  CaseTest() {
    veltaro::FX& s = veltaro::fx();
    s.TextTable.set(80, "Fortryd");
    s.TextTable.set(81, "Initialer:");
    s.TextTable.set(82, "Sagsnavn:");
    s.TextTable.set(83, "Dato:");
    s.TextTable.set(194, "OK");
    forms::Form& m = main();
    const char* menus[] = {"menuNewCase", "menuOpenCase", "menuSaveCase", "menuDeleteCase"};
    const char* captions[] = {"&Ny sag", "Å&ben sag", "&Gem sag", "&Slet sag"};
    for (int i = 0; i < 4; ++i) m.addMenu(menus[i]).setCaption(captions[i]);
    m.add(forms::ControlKind::CommandButton, "cmdCase").setCaption("&Sag");
    for (int i = 0; i < 3; ++i)
      m.add(forms::ControlKind::TextBox, "txtCase", i).setText(s.TextTable[81 + i]);
    writeLines("Text/Class.DK", {"Klasse 1", "Klasse 2", "Klasse 3", "Klasse 4", "VÆLG klasse"});
    writeLines("Text/PipeIDia.DK", {"52.5 mm", "105.3 mm", "207.3 mm", "Vælg indvendig diameter"});
    writeLines("Text/StofKons.DK", {"3.6 Luft, fugtig", "3.9 Røggas", "Vælg stofkonstant"});
    writeLines("Text/Medie.DK", {kAirMedium, kFlueGasMedium, kAirMedium});
    veltaro::cases::InstallCaseFiles(app);
    fs::create_directories(data);
  }
  ~CaseTest() override { veltaro::setCaseService(nullptr); }

  veltaro::CaseService& cases() { return *veltaro::caseService(); }
  std::string path(const std::string& name) const { return (data / name).string(); }

  void save(const std::string& name) {
    platform.expectSaveFile(path(name));
    cases().CaseSave();
  }
  void openCase(const std::string& name) {
    platform.expectOpenFile(path(name));
    cases().CaseOpen();
  }
  // The case fields as the dialog leaves them.
  void header(const std::string& initials, const std::string& name, const std::string& date) {
    const std::string v[] = {initials, name, date};
    for (int i = 0; i < 3; ++i)
      main().control("txtCase", i).setText(veltaro::fx().TextTable[81 + i] + "  " + v[i]);
  }
  // A calculated window: the results as the calculation wrote them.
  void calculated(forms::Form& w, const std::map<std::string, std::string>& results) {
    for (const auto& [box, text] : results) {
      // "Skilleflade(1)" names an element of an array.
      const auto open = box.find('(');
      if (open == std::string::npos)
        w.control(box).setText(text);
      else
        w.control(box.substr(0, open), std::stoi(box.substr(open + 1))).setText(text);
    }
    veltaro::fx().ResultValid[veltaro::CalcTypeOf(std::stoi(w.name().substr(7)))] = true;
  }

  // Window 24: an insulated wall outdoors gets a new layer, with the savings.
  void reinsulatedWallWithSavings(forms::Form& w) {
    w.control("PLAN").userClick();
    type(w.control("PLANH"), "1500");
    w.control("optInSite", 1).userClick();
    type(w.control("VINDHASTIGHED"), "5");
    type(w.control("MEDIETEMP"), "180");
    type(w.control("Omgivende"), "10");
    choose(w.control("PRODUKT", 0), calctest::kMatProduct);
    choose(w.control("ISOLERINGST", 0), "50");
    choose(w.control("PRODUKT", 1), calctest::kConstantProduct);
    choose(w.control("ISOLERINGST", 1), "100");
    choose(w.control("Emission", 0), "0.26 Galvaniseret stål");
    choose(w.control("Emission", 1), "0.9 Maling");
    w.control("cbxSave").userClick();
    type(w.control("RORL"), "40");
    choose(w.control("Energienh"), "MWh");
    type(w.control("Pris"), "450");
    type(w.control("Drift"), "6000");
  }

  // Every file of a folder with its bytes.
  std::map<std::string, std::string> files(const fs::path& dir) const {
    std::map<std::string, std::string> all;
    for (const auto& e : fs::recursive_directory_iterator(dir))
      if (e.is_regular_file())
        all[fs::relative(e.path(), dir).string()] = veltaro::ReadFileBytes(e.path().string());
    return all;
  }

  // What a user sees of a window's controls: text, value, list position, enabled, visible.
  using ControlState = std::tuple<std::string, int, int, bool, bool>;
  static std::map<std::string, ControlState> snapshot(forms::Form& w) {
    std::map<std::string, ControlState> all;
    for (const auto& c : w.controls())
      all[c->name() + "(" + std::to_string(c->index()) + ")"] = {
          c->text(), c->value(), c->listIndex(), c->enabled(), c->visible()};
    return all;
  }

  const fs::path data = folder / "DATA";
};

// A record written by hand: each call puts one field at its offset.
class Bytes {
 public:
  explicit Bytes(int length) : b_(static_cast<std::size_t>(length), '\0') {}
  // A record that begins with the bytes of another.
  Bytes(int length, const std::string& start) : Bytes(length) {
    b_.replace(0, start.size(), start);
  }
  // Text in the code page (written as bytes here), blank-padded to its width.
  Bytes& text(int offset, int width, std::string bytes) {
    bytes.resize(static_cast<std::size_t>(width), ' ');
    b_.replace(static_cast<std::size_t>(offset), bytes.size(), bytes);
    return *this;
  }
  Bytes& i16(int offset, int value) {
    b_[static_cast<std::size_t>(offset)] = static_cast<char>(value & 0xff);
    b_[static_cast<std::size_t>(offset) + 1] = static_cast<char>((value >> 8) & 0xff);
    return *this;
  }
  Bytes& f64(int offset, double value) {
    const auto bits = std::bit_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i)
      b_[static_cast<std::size_t>(offset + i)] = static_cast<char>(bits >> (8 * i));
    return *this;
  }
  const std::string& str() const { return b_; }

 private:
  std::string b_;
};

}  // namespace casetest
