// Menu texts with the market rules, the text table and the contact addresses.

#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "core/Errors.h"
#include "core/LanguageTexts.h"
#include "forms/Form.h"

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

TEST_F(LanguageTexts, MarketRulesDecideWhatIsOffered) {
  const struct {
    const char *code, *file;
    bool classCalc, pipeDistance, ductCalc;
  } cases[] = {
      {"DK", "DK", true, true, true},      {"NO", "NO", true, true, true},
      {"SE", "SE", false, true, true},     {"UK", "UK", false, false, true},
      {"LT", "LT", false, false, false},   {"EE", "EE", false, false, false},
      {"MRN", "MRN", false, false, false}, {"FR", "DK", false, false, false},
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
  }
}

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
  auto& bar = forms::app().get("frmStart").control("prbStartup");
  EXPECT_EQ(bar.maximum(), 171);
  EXPECT_EQ(bar.value(), 171);

  veltaro::fx().CountryCode = "DK";  // missing and empty files are reported
  EXPECT_THROW(veltaro::LoadMenuText(), veltaro::DataFileError);
  EXPECT_THROW(veltaro::LoadAddresses(), veltaro::DataFileError);
  writeLines("Text/TextFile.DK", {});
  EXPECT_THROW(veltaro::LoadTextFile(), veltaro::DataFileError);
}

TEST_F(LanguageTexts, AddressCountAndTheCountrysContactBlock) {
  auto writeContacts = [&](int lines) {  // line k reads " <k> ", blanks kept as read
    std::vector<std::string> v;
    for (int k = 1; k <= lines; ++k) v.push_back(" " + std::to_string(k) + " ");
    writeLines("Text/adress.all", v);
  };
  auto a = [](int k) { return " " + std::to_string(k) + " "; };
  auto& t = veltaro::fx().TextTable;
  t.set(190, "Tel.");
  t.set(191, "Fax");
  t.set(192, "E-mail");
  t.set(153, "x");
  // Norway's block has one more address line at its top, which is not published.
  const struct {
    const char* code;
    int b, skip;
  } cases[] = {{"MRN", 16, 0}, {"DK", 46, 0}, {"FR", 46, 0}, {"NO", 61, 1}, {"LV", 121, 0}};
  writeContacts(134);
  for (const auto& c : cases) {
    veltaro::fx().CountryCode = c.code;
    veltaro::LoadAddresses();
    EXPECT_EQ(veltaro::fx().AddressCount, 9);
    const std::pair<int, std::string> expected[] = {{144, a(c.b)},
                                                    {145, a(c.b + 1)},
                                                    {146, a(c.b + 2 + c.skip)},
                                                    {147, a(c.b + 3 + c.skip)},
                                                    {148, a(c.b + 5)},
                                                    {149, "Tel. " + a(c.b + 6)},
                                                    {151, "E-mail " + a(c.b + 8)},
                                                    {152, a(c.b + 9)},
                                                    {155, a(c.b + 9)},
                                                    {156, a(c.b + 10)},
                                                    {153, "x"}};
    for (const auto& [line, text] : expected) EXPECT_EQ(t[line], text) << c.code << " " << line;
    EXPECT_FALSE(forms::app().isLoaded("frmAdresses")) << "loaded, hidden and unloaded";
  }
  writeContacts(143);
  veltaro::LoadAddresses();
  EXPECT_EQ(veltaro::fx().AddressCount, 10);
  writeContacts(130);  // one line short of Latvia's block
  EXPECT_THROW(veltaro::LoadAddresses(), veltaro::DataFileError);
}

}  // namespace
