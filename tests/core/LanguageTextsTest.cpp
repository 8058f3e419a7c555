// Menu texts, the text table and the contact addresses, loaded into the program's own windows.

#include "CoreFixture.h"
#include "core/LanguageTexts.h"
#include "shell/frmAdresses.h"
#include "shell/mdiVeltaro.h"
#include "start/frmStart.h"

namespace {

using veltaro::fx;

class LanguageTexts : public coretest::CoreTest {
 protected:
  LanguageTexts() {
    forms::app().registerForm<veltaro::mdiVeltaro>();
    forms::app().registerForm<veltaro::frmAdresses>();
    forms::app().registerForm<veltaro::frmStart>();
  }
  forms::Form& main() { return forms::app().get("mdiVeltaro"); }
  // A file of `n` lines, line k reading "  <prefix>k  ".
  void writeNumbered(const std::string& file, int n, const std::string& prefix = "line ") {
    std::vector<std::string> v;
    for (int k = 1; k <= n; ++k) v.push_back("  " + prefix + std::to_string(k) + "  ");
    files.writeLines(file, v);
  }
};

TEST_F(LanguageTexts, MenuLinesGoToTheirTargetsTrimmed) {
  fx().CountryCode = "DK";
  auto& m = main();
  auto& bar = m.toolbar("tobMenu");
  const std::string word = m.menu("menuWord").caption(), separator = bar.button(5).toolTip,
                    designed = m.menu("menuCalc07").caption(), designedTip = bar.button(23).toolTip;
  const bool designedCheck = m.menu("menuShowPipeDistance").checked();
  // Lines 54..57 are the later targets: a file of 53 leaves them as designed, rules unapplied.
  for (int lines : {53, 60}) {
    writeNumbered("Text/MenuText.DK", lines);
    veltaro::LoadMenuText();
    EXPECT_EQ(m.menu("menuFiler").caption(), "line 1");
    EXPECT_EQ(m.menu("menuAboutProgram").caption(), "line 32");
    EXPECT_EQ(bar.button(1).toolTip, "line 33");
    EXPECT_EQ(bar.button(6).toolTip, "line 37") << "separators are skipped";
    EXPECT_EQ(bar.button(28).toolTip, "line 53");
    for (int sep : {5, 9, 12, 14, 16, 24}) EXPECT_EQ(bar.button(sep).toolTip, separator) << sep;
    EXPECT_EQ(m.menu("menuWord").caption(), word);
    EXPECT_EQ(m.menu("menuCalc07").caption(), lines == 60 ? "line 56" : designed);
    EXPECT_EQ(bar.button(23).toolTip, lines == 60 ? "line 57" : designedTip);
    EXPECT_EQ(m.menu("menuShowPipeDistance").checked(), lines == 60 || designedCheck);
    EXPECT_EQ(fx().StartupLoading, -1);
  }
}

TEST_F(LanguageTexts, TextTableIsOneBasedTrimmedAndEmptyBeyondTheFile) {
  fx().CountryCode = "LT";
  std::vector<std::string> lines;
  for (int k = 1; k <= 170; ++k) lines.push_back("Eilutė " + std::to_string(k));
  lines[0] = "   Šiluma   ";
  lines[163] = "  Byla  ";
  files.writeLines("Text/TextFile.LT", lines, 1257);
  forms::app().get("frmStart");
  veltaro::LoadTextFile();
  const auto& t = fx().TextTable;
  EXPECT_EQ(t.size(), 170);
  EXPECT_EQ(t[1], "Šiluma");
  EXPECT_EQ(t[170], "Eilutė 170");
  EXPECT_EQ(t[171], "");
  EXPECT_EQ(main().control("cmdCase").caption(), "Byla");
  EXPECT_EQ(fx().StartupLoading, 0);
  EXPECT_EQ(forms::app().get("frmStart").control("prbStartup").value(), 171);
  fx().CountryCode = "DK";  // an empty file is reported (missing ones: at start-up)
  files.writeLines("Text/TextFile.DK", {});
  EXPECT_THROW(veltaro::LoadTextFile(), veltaro::DataFileError);
}

// The block each market publishes is checked through start-up in the shell tests.
TEST_F(LanguageTexts, AddressCountAndTheContactWindowLoadedOnlyForTheCopy) {
  auto contacts = [&](int n) {
    files.writeLines("Text/adress.all", std::vector<std::string>(n, " x "));
  };
  fx().CountryCode = "LV";  // the last block: lines 121-131
  for (auto [lines, count] : {std::pair{131, 9}, {134, 9}, {143, 10}, {491512, 32767}}) {
    contacts(lines);
    veltaro::LoadAddresses();
    EXPECT_EQ(fx().AddressCount, count) << lines;
    EXPECT_EQ(fx().TextTable[156], " x ");
    EXPECT_FALSE(forms::app().isLoaded("frmAdresses")) << "loaded, hidden and unloaded";
  }
  // One line short of Latvia's block; 491,513 lines would round to 32,768 blocks of 15.
  for (int lines : {130, 491513}) {
    contacts(lines);
    EXPECT_THROW(veltaro::LoadAddresses(), veltaro::DataFileError) << lines;
  }
}

}  // namespace
