// Menu texts, the text table and the contact addresses.

#include "CoreFixture.h"
#include "core/LanguageTexts.h"

namespace {

const char* const kMenus[] = {
    "menuFiler",      "menuNewCase",     "menuOpenCase",  "menuSaveCase", "menuExport",
    "menuDeleteCase", "menuPrintCase",   "menuPreview",   "menuQuit",     "menuEdit",
    "menuCalculate",  "menuShowDetails", "menuResetCase", "menuBeregn",   "menuCalc01",
    "menuCalc02",     "menuCalc03",      "menuCalc04",    "menuCalc05",   "menuCalc06",
    "menuFlerlag",    "menuCalc21",      "menuCalc22",    "menuCalc23",   "menuCalc24",
    "menuLastCalc",   "menuMax",         "menuMin",       "menuHelp",     "menuIndex",
    "menuAdr",        "menuAboutProgram"};

// The parts of the main window, the contact window and the splash window the loaders reach.
class MainStandIn : public forms::Form {
 public:
  MainStandIn() : forms::Form("mdiVeltaro") {
    setMdiForm(true);
    for (const char* m : kMenus) addMenu(m).setCaption("design");
    for (const char* m : {"menuShowPipeDistance", "menuRoundCmd", "menuCalc07", "menuWord"})
      addMenu(m).setCaption("design");
    forms::Toolbar& bar = addToolbar("tobMenu");
    for (int i = 1; i <= 28; ++i) bar.addButton("key" + std::to_string(i)).toolTip = "design";
    add(forms::ControlKind::CommandButton, "cmdCase");
  }
};
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

class LanguageTexts : public coretest::CoreTest {
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
  auto& bar = m.toolbar("tobMenu");
  EXPECT_EQ(m.menu("menuFiler").caption(), "line 1");
  EXPECT_EQ(m.menu("menuAboutProgram").caption(), "line 32");
  EXPECT_EQ(bar.button(1).toolTip, "line 33");
  EXPECT_EQ(bar.button(6).toolTip, "line 37") << "separators are skipped";
  EXPECT_EQ(bar.button(28).toolTip, "line 53");
  EXPECT_EQ(m.menu("menuCalc07").caption(), "line 56");
  EXPECT_EQ(bar.button(23).toolTip, "line 57");
  for (int sep : {5, 9, 12, 14, 16, 24}) EXPECT_EQ(bar.button(sep).toolTip, "design") << sep;
  EXPECT_EQ(m.menu("menuWord").caption(), "design");
  EXPECT_EQ(veltaro::fx().StartupLoading, -1);

  // A file of 53 lines leaves the later targets as designed, their rules not applied.
  forms::app().unloadIfLoaded("mdiVeltaro");
  writeMenuFile("DK", 53);
  veltaro::LoadMenuText();
  EXPECT_EQ(main().menu("menuShowPipeDistance").caption(), "design");
  EXPECT_FALSE(main().menu("menuShowPipeDistance").checked());
  EXPECT_EQ(main().toolbar("tobMenu").button(23).toolTip, "design");
}

// Which calculations each market is offered is checked through start-up in the shell tests.

TEST_F(LanguageTexts, TextTableIsOneBasedTrimmedAndEmptyBeyondTheFile) {
  veltaro::fx().CountryCode = "LT";
  std::vector<std::string> lines;
  for (int k = 1; k <= 170; ++k) lines.push_back("Eilutė " + std::to_string(k));
  lines[0] = "   Šiluma   ";
  lines[163] = "  Byla  ";
  writeLines("Text/TextFile.LT", lines, 1257);
  forms::app().get("frmStart");
  veltaro::LoadTextFile();
  const auto& t = veltaro::fx().TextTable;
  EXPECT_EQ(t.size(), 170);
  EXPECT_EQ(t[1], "Šiluma");
  EXPECT_EQ(t[170], "Eilutė 170");
  EXPECT_EQ(t[171], "");
  EXPECT_EQ(main().control("cmdCase").caption(), "Byla");
  EXPECT_EQ(veltaro::fx().StartupLoading, 0);
  EXPECT_EQ(forms::app().get("frmStart").control("prbStartup").value(), 171);

  veltaro::fx().CountryCode = "DK";  // an empty file is reported (missing ones: at start-up)
  writeLines("Text/TextFile.DK", {});
  EXPECT_THROW(veltaro::LoadTextFile(), veltaro::DataFileError);
}

// The block each market publishes is checked through start-up in the shell tests.
TEST_F(LanguageTexts, AddressCountAndTheContactWindowLoadedOnlyForTheCopy) {
  auto writeContacts = [&](int lines) {
    writeLines("Text/adress.all", std::vector<std::string>(lines, " x "));
  };
  veltaro::fx().CountryCode = "LV";  // the last block: lines 121-131
  veltaro::fx().TextTable.set(192, "E-mail");
  for (auto [lines, count] : {std::pair{131, 9}, {134, 9}, {143, 10}}) {
    writeContacts(lines);
    veltaro::LoadAddresses();
    EXPECT_EQ(veltaro::fx().AddressCount, count) << lines;
    EXPECT_EQ(veltaro::fx().TextTable[156], " x ");
    EXPECT_FALSE(forms::app().isLoaded("frmAdresses")) << "loaded, hidden and unloaded";
  }
  writeContacts(130);  // one line short of Latvia's block
  EXPECT_THROW(veltaro::LoadAddresses(), veltaro::DataFileError);
  // The count is a 16-bit number: 491,513 lines would round to 32,768 blocks.
  writeContacts(491512);
  veltaro::LoadAddresses();
  EXPECT_EQ(veltaro::fx().AddressCount, 32767);
  writeContacts(491513);
  EXPECT_THROW(veltaro::LoadAddresses(), veltaro::DataFileError);
}

}  // namespace
