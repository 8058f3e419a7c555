// Menu texts with the market rules, the text table and the contact addresses.

#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "core/Errors.h"
#include "core/LanguageTexts.h"
#include "forms/Application.h"
#include "forms/Form.h"

namespace {

using coretest::CoreTest;

const char* const kMenus[] = {
    "menuFiler",   "menuNewCase",   "menuOpenCase", "menuSaveCase",  "menuExport",
    "menuDeleteCase", "menuPrintCase", "menuPreview", "menuQuit",     "menuEdit",
    "menuCalculate", "menuShowDetails", "menuResetCase", "menuBeregn", "menuCalc01",
    "menuCalc02",  "menuCalc03",    "menuCalc04",   "menuCalc05",    "menuCalc06",
    "menuFlerlag", "menuCalc21",    "menuCalc22",   "menuCalc23",    "menuCalc24",
    "menuLastCalc", "menuMax",      "menuMin",      "menuHelp",      "menuIndex",
    "menuAdr",     "menuAboutProgram"};

// Just the parts of the main window the loaders reach.
class MainStandIn : public forms::Form {
 public:
  MainStandIn() : forms::Form("mdiVeltaro") {
    setMdiForm(true);
    for (const char* m : kMenus) addMenu(m).setCaption("design " + std::string(m));
    for (const char* m : {"menuShowPipeDistance", "menuRoundCmd", "menuCalc07", "menuWord"})
      addMenu(m).setCaption("design " + std::string(m));
    forms::Toolbar& bar = addToolbar("tobMenu");
    for (int i = 1; i <= 28; ++i) {
      const bool separator = i == 5 || i == 9 || i == 12 || i == 14 || i == 16 || i == 24;
      bar.addButton("key" + std::to_string(i), separator).toolTip = "design tip";
    }
    add(forms::ControlKind::CommandButton, "cmdCase");
  }
};

// The contact window's load copies the country's block into the text table.
class ContactStandIn : public forms::Form {
 public:
  ContactStandIn() : forms::Form("frmAdresses") { setMdiChild(true); }
  void Form_Load() override { veltaro::CopyContactBlock(); }
};

class SplashStandIn : public forms::Form {
 public:
  SplashStandIn() : forms::Form("frmStart") {
    add(forms::ControlKind::ProgressBar, "prbStartup").setRange(0, 10);
  }
};

class LanguageTexts : public CoreTest {
 protected:
  LanguageTexts() {
    auto& app = forms::app();
    app.registerForm("mdiVeltaro", [] { return std::make_unique<MainStandIn>(); });
    app.registerForm("frmAdresses", [] { return std::make_unique<ContactStandIn>(); });
    app.registerForm("frmStart", [] { return std::make_unique<SplashStandIn>(); });
  }
  // A menu file whose line n reads "  line n  ".
  void writeMenuFile(const std::string& suffix, int lines) {
    std::vector<std::string> v;
    for (int n = 1; n <= lines; ++n) v.push_back("  line " + std::to_string(n) + "  ");
    writeLines("Text/MenuText." + suffix, v);
  }
  forms::Form& main() { return forms::app().get("mdiVeltaro"); }
};

TEST_F(LanguageTexts, MenuLinesGoToTheirTargetsTrimmed) {
  veltaro::fx().CountryCode = "DK";
  writeMenuFile("DK", 60);
  veltaro::LoadMenuText();
  auto& m = main();
  for (int n = 1; n <= 32; ++n)
    EXPECT_EQ(m.menu(kMenus[n - 1]).caption(), "line " + std::to_string(n)) << kMenus[n - 1];
  const int buttonOfLine[] = {1, 2, 3, 4, 6, 7, 8, 10, 11, 13, 15, 17, 18, 19, 20, 21, 22, 25, 26, 27, 28};
  auto& bar = m.toolbar("tobMenu");
  for (int i = 0; i < 21; ++i)
    EXPECT_EQ(bar.button(buttonOfLine[i]).toolTip, "line " + std::to_string(33 + i)) << buttonOfLine[i];
  EXPECT_EQ(m.menu("menuShowPipeDistance").caption(), "line 54");
  EXPECT_EQ(m.menu("menuRoundCmd").caption(), "line 55");
  EXPECT_EQ(m.menu("menuCalc07").caption(), "line 56");
  EXPECT_EQ(bar.button(23).toolTip, "line 57");
  // Separators and the export sub-items keep their design texts; lines 58 on are not used.
  for (int sep : {5, 9, 12, 14, 16, 24}) EXPECT_EQ(bar.button(sep).toolTip, "design tip") << sep;
  EXPECT_EQ(m.menu("menuWord").caption(), "design menuWord");
  EXPECT_EQ(veltaro::fx().StartupLoading, -1);
}

TEST_F(LanguageTexts, MarketRulesDecideWhatIsOffered) {
  struct Case {
    const char* code;
    const char* file;
    bool classCalc, pipeDistance, ductCalc;
  };
  const Case cases[] = {
      {"DK", "DK", true, true, true},      {"NO", "NO", true, true, true},
      {"SE", "SE", false, true, true},     {"UK", "UK", false, false, true},
      {"LT", "LT", false, false, false},   {"LV", "LV", false, false, false},
      {"EE", "EE", false, false, false},   {"MRN", "MRN", false, false, false},
      {"FR", "DK", false, false, false},   {"", "DK", false, false, false},
  };
  for (const auto& c : cases) {
    forms::app().unloadIfLoaded("mdiVeltaro");
    veltaro::fx().CountryCode = c.code;
    writeMenuFile(c.file, 57);
    veltaro::LoadMenuText();
    auto& m = main();
    auto& bar = m.toolbar("tobMenu");
    EXPECT_EQ(m.menu("menuCalc04").visible(), c.classCalc) << c.code;
    EXPECT_EQ(bar.button(20).visible, c.classCalc) << c.code;
    EXPECT_EQ(m.menu("menuShowPipeDistance").visible(), c.pipeDistance) << c.code;
    EXPECT_EQ(m.menu("menuShowPipeDistance").checked(), c.pipeDistance) << c.code;
    EXPECT_EQ(m.menu("menuCalc07").visible(), c.ductCalc) << c.code;
    EXPECT_EQ(bar.button(23).visible, c.ductCalc) << c.code;
    EXPECT_EQ(m.menu("menuCalc01").caption(), "line 15") << "file of " << c.code;
  }
}

TEST_F(LanguageTexts, AShortMenuFileLeavesTheRestAsDesigned) {
  veltaro::fx().CountryCode = "UK";
  writeMenuFile("UK", 53);
  veltaro::LoadMenuText();
  auto& m = main();
  EXPECT_EQ(m.menu("menuShowPipeDistance").caption(), "design menuShowPipeDistance");
  EXPECT_TRUE(m.menu("menuShowPipeDistance").visible()) << "its rule is not applied";
  EXPECT_EQ(m.menu("menuRoundCmd").caption(), "design menuRoundCmd");
  EXPECT_EQ(m.menu("menuCalc07").caption(), "design menuCalc07");
  EXPECT_EQ(m.toolbar("tobMenu").button(23).toolTip, "design tip");
  EXPECT_FALSE(m.menu("menuCalc04").visible());
}

TEST_F(LanguageTexts, TextTableIsOneBasedTrimmedAndEmptyBeyondTheFile) {
  veltaro::fx().CountryCode = "LT";
  std::vector<std::string> lines;
  for (int k = 1; k <= 170; ++k) lines.push_back("Eilutė " + std::to_string(k));
  lines[0] = "   Šiluma   ";
  lines[163] = "  Byla  ";
  writeLines("Text/TextFile.LT", lines, 1257);
  forms::app().get("frmStart");
  veltaro::fx().StartupLoading = -1;
  veltaro::LoadTextFile();
  const auto& t = veltaro::fx().TextTable;
  EXPECT_EQ(t.size(), 170);
  EXPECT_EQ(t[1], "Šiluma");
  EXPECT_EQ(t[2], "Eilutė 2");
  EXPECT_EQ(t[170], "Eilutė 170");
  EXPECT_EQ(t[171], "");
  EXPECT_EQ(t[0], "");
  EXPECT_EQ(main().control("cmdCase").caption(), "Byla");
  EXPECT_EQ(veltaro::fx().StartupLoading, 0);
  auto& bar = forms::app().get("frmStart").control("prbStartup");
  EXPECT_EQ(bar.maximum(), 171);
  EXPECT_EQ(bar.value(), 171);
}

TEST_F(LanguageTexts, MissingOrEmptyFilesAreReportedByName) {
  veltaro::fx().CountryCode = "DK";
  EXPECT_THROW(veltaro::LoadMenuText(), veltaro::DataFileError);
  writeLines("Text/TextFile.DK", {});
  try {
    veltaro::LoadTextFile();
    FAIL();
  } catch (const veltaro::DataFileError& e) {
    EXPECT_NE(e.path().find("TextFile.DK"), std::string::npos);
  }
  EXPECT_THROW(veltaro::LoadAddresses(), veltaro::DataFileError);
}

class Addresses : public LanguageTexts {
 protected:
  // Block lines read "<first line of block>.<offset>", with blanks kept.
  void writeContacts(int lines) {
    std::vector<std::string> v;
    for (int k = 1; k <= lines; ++k) {
      const int b = (k - 1) / 15 * 15 + 1;
      v.push_back(" " + std::to_string(b) + "." + std::to_string(k - b) + " ");
    }
    writeLines("Text/adress.all", v);
  }
};

TEST_F(Addresses, CountAndTheCountrysBlockInTheTextTable) {
  std::vector<std::string> text(200, "x");
  text[189] = "Tel.";
  text[190] = "Fax";
  text[191] = "E-mail";
  veltaro::fx().TextTable.assign(text);
  struct Case {
    const char* code;
    int first;
  };
  for (const Case c : {Case{"MRN", 16}, Case{"UK", 31}, Case{"DK", 46}, Case{"FR", 46},
                       Case{"NO", 61}, Case{"SE", 76}, Case{"LT", 91}, Case{"EE", 106},
                       Case{"LV", 121}}) {
    veltaro::fx().CountryCode = c.code;
    writeContacts(135);
    veltaro::LoadAddresses();
    const auto& s = veltaro::fx();
    const std::string b = std::to_string(c.first);
    EXPECT_EQ(s.AddressCount, 9);
    EXPECT_EQ(s.AddressLines[1], " 1.0 ") << "kept as read";
    EXPECT_EQ(s.TextTable[144], " " + b + ".0 ") << c.code;
    EXPECT_EQ(s.TextTable[147], " " + b + ".3 ");
    EXPECT_EQ(s.TextTable[148], " " + b + ".5 ");
    EXPECT_EQ(s.TextTable[149], "Tel.  " + b + ".6 ");
    EXPECT_EQ(s.TextTable[150], "Fax  " + b + ".7 ");
    EXPECT_EQ(s.TextTable[151], "E-mail  " + b + ".8 ");
    EXPECT_EQ(s.TextTable[152], " " + b + ".9 ");
    EXPECT_EQ(s.TextTable[155], " " + b + ".9 ");
    EXPECT_EQ(s.TextTable[156], " " + b + ".10 ");
    EXPECT_EQ(s.TextTable[153], "x") << "not part of the block";
    EXPECT_FALSE(forms::app().isLoaded("frmAdresses")) << "loaded, hidden and unloaded";
  }
}

TEST_F(Addresses, CountIsRoundedToTheNearestBlock) {
  veltaro::fx().CountryCode = "DK";
  for (auto [lines, count] : {std::pair{134, 9}, {143, 10}, {135, 9}, {7, 0}, {8, 1}}) {
    writeContacts(lines);
    veltaro::LoadAddresses();
    EXPECT_EQ(veltaro::fx().AddressCount, count) << lines;
  }
}

TEST_F(Addresses, AShortContactFileGivesEmptyLinesInsteadOfStopping) {
  veltaro::fx().CountryCode = "LV";  // needs lines up to 131
  writeContacts(30);
  EXPECT_NO_THROW(veltaro::LoadAddresses());
  EXPECT_EQ(veltaro::fx().TextTable[144], "");
}

}  // namespace
