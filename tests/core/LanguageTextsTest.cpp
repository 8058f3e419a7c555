// Menu texts, the text table and the contact addresses, loaded into the program's own windows;
// list files, the product file and table, product selection, pipe-only and pipe-section tables.

#include "CoreFixture.h"
#include "core/LanguageTexts.h"
#include "core/PipeTables.h"
#include "core/ReferenceData.h"
#include "shell/frmAdresses.h"
#include "shell/mdiVeltaro.h"
#include "start/frmStart.h"

namespace {

using veltaro::DataFileError;
using veltaro::fx;
using V = std::vector<std::string>;

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
  fx().CountryCode = "DK";
  writeNumbered("Text/TextFile.DK", 170);
  forms::app().get("frmStart");
  veltaro::LoadTextFile();
  const auto& t = fx().TextTable;
  EXPECT_EQ(t.size(), 170);
  EXPECT_EQ(t[1], "line 1");
  EXPECT_EQ(t[170], "line 170");
  EXPECT_EQ(t[171], "");
  EXPECT_EQ(main().control("cmdCase").caption(), "line 164");
  EXPECT_EQ(fx().StartupLoading, 0);
  EXPECT_EQ(forms::app().get("frmStart").control("prbStartup").value(), 171);
  files.writeLines("Text/TextFile.DK", {});  // an empty file is reported (missing ones: at start-up)
  EXPECT_THROW(veltaro::LoadTextFile(), veltaro::DataFileError);
}

// The words of the layers below the program and of the data-file problems come from the file
// once it is read; a file without those lines keeps the start-up words.
TEST_F(LanguageTexts, WordsBelowTheProgramComeFromTheFile) {
  fx().CountryCode = "DK";
  const forms::Application::Words startup;
  for (int lines : {170, 312}) {
    writeNumbered("Text/TextFile.DK", lines);
    veltaro::LoadTextFile();
    const auto& w = forms::app().words();
    const bool read = lines == 312;
    EXPECT_EQ(
        w.actionFailed + w.helpMissing + w.helpBack + w.helpForward,
        read ? "line 286line 294line 295line 296"
             : startup.actionFailed + startup.helpMissing + startup.helpBack + startup.helpForward);
    EXPECT_EQ(veltaro::TextOr(298, "the file is missing"),
              read ? "line 298" : "the file is missing");
  }
}

// The block each market publishes, and the contact window gone after start-up, are checked
// through start-up in the shell tests; here the count's rounding and its bounds.
TEST_F(LanguageTexts, AddressCountRoundsToWholeBlocksWithinItsBounds) {
  auto contacts = [&](int n) {
    files.writeLines("Text/adress.all", std::vector<std::string>(n, " x "));
  };
  fx().CountryCode = "LV";  // the last block: lines 121-131
  for (auto [lines, count] : {std::pair{131, 9}, {134, 9}, {143, 10}, {491512, 32767}}) {
    contacts(lines);
    veltaro::LoadAddresses();
    EXPECT_EQ(fx().AddressCount, count) << lines;
  }
  // One line short of Latvia's block; 491,513 lines would round to 32,768 blocks of 15.
  for (int lines : {130, 491513}) {
    contacts(lines);
    EXPECT_THROW(veltaro::LoadAddresses(), veltaro::DataFileError) << lines;
  }
}

class ReferenceData : public coretest::CoreTest {
 protected:
  ReferenceData() {
    forms::app().registerForm("frmCalc04", [] {  // calculation window 4 as the lists see it
      auto w = std::make_unique<forms::Form>("frmCalc04");
      for (const char* box : {"box", "IsoKlasse"}) w->add(forms::ControlKind::ComboBox, box);
      return w;
    });
    fx().CountryCode = "DK";
  }
  forms::Control& box(const char* name = "box") {
    return forms::app().get("frmCalc04").control(name);
  }
  void expectList(const V& items, const std::string& text, const std::string& what) {
    EXPECT_EQ(box().items(), items) << what;
    EXPECT_EQ(box().text(), text) << what;
  }
  // Each file of `lines` must be refused at `line`, the message naming the file.
  void expectBadLines(const std::string& file, const std::vector<std::pair<V, int>>& cases,
                      const std::function<void()>& load) {
    for (const auto& [lines, line] : cases) {
      files.writeLines(file, lines);
      try {
        load();
        ADD_FAILURE() << "line " << line << " of " << file << " should be refused";
      } catch (const DataFileError& e) {
        EXPECT_EQ(e.line(), line) << e.what();
        EXPECT_NE(e.path().find(std::filesystem::path(file).filename().string()),
                  std::string::npos);
      }
    }
  }
};

TEST_F(ReferenceData, EveryLineButTheLastIsAnItemAsRead) {
  const std::pair<void (*)(forms::Control&), const char*> fillers[] = {
      {veltaro::FillMediumCombo, "Medie"}, {veltaro::FillPipeDiameterCombo, "PipeDiam"},
      {veltaro::FillPipeInnerDiameterCombo, "PipeIDia"},
      {veltaro::FillPlaneEmissivityCombo, "PlanEmis"},
      {veltaro::FillMaterialConstantsCombo, "StofKons"},
      {veltaro::FillPipeEmissivityCombo, "PipeEmis"},
      {veltaro::FillEnergyCombo, "energy"}, {veltaro::FillClassCombo, "Class"}};
  for (const auto& [fill, base] : fillers) {
    box().addItem("stale");
    files.writeLines(std::string("Text/") + base + ".DK",
                     {" 21.3 ", base, "0.94 Stål ", "26,9 mm"});
    fill(box());
    expectList({" 21.3 ", base, "0.94 Stål "}, "26,9 mm", base);
  }
  const std::tuple<const char*, V, const char*> shortFiles[] = {
      {"only\r\n", {}, "only"}, {"", {}, ""}, {"a\r\nb\r\n\r\n", {"a", "b"}, ""}};
  for (const auto& [bytes, items, text] : shortFiles) {
    files.writeBytes("Text/Medie.DK", bytes);
    veltaro::FillMediumCombo(box());
    expectList(items, text, bytes);
  }
  // The class list of calculation window 4 by name; an unlisted code reads the Danish files.
  fx().CountryCode = "FR";
  files.writeLines("Text/Class.DK", {"1", "2", "3", "2"});
  veltaro::FillClassCombo();
  EXPECT_EQ(box("IsoKlasse").listCount(), 3);
  EXPECT_EQ(box("IsoKlasse").text(), "2");
}

TEST_F(ReferenceData, ProductLinesThicknessListsAndSelection) {
  std::string thirtyOne;
  for (int i = 1; i <= 31; ++i) thirtyOne += std::to_string(10 * i) + ";";
  files.writeLines("Text/Product.DK",
                   {"Torvelin Rørskål ;0,033;0.00017;9E-07;-50;250;20;30;12.5;13,5;",
                    " Torvelin Plade;0.035;0.00018;0;-50;600;",
                    "Torvelin Lamel;0.04;0;0;0;300;" + thirtyOne,
                    "Torvelin Filt;0.036;0;0;0;200;40;0;60; ", "Torvelin Plade"});
  veltaro::FillProductCombo(box());
  const auto& t = fx().ProductTable;
  ASSERT_EQ(t.size(), 4);
  expectList({"Torvelin Rørskål ", " Torvelin Plade", "Torvelin Lamel", "Torvelin Filt"},
             "Torvelin Plade", "the default need not equal an item");
  EXPECT_EQ(t[4].Nr, 4);
  EXPECT_EQ(t[1].Coef2, 0.0001) << "an exponent form reads as 0.0001";
  EXPECT_EQ(t[1].TempLimit1, -50);
  EXPECT_EQ(t[3].Thickness[29], 300) << "the first 30 are kept";
  const std::tuple<int, V, const char*> lists[] = {
      {0, {"20", "30", "12", "14"}, "20"}, {1, {}, ""}, {3, {"40"}, "40"}, {4, {}, ""}};
  for (const auto& [position, items, text] : lists) {
    veltaro::FillThicknessCombo(position, box());
    expectList(items, text, std::to_string(position));
  }
  fx().TextTable.set(59, "Choose a product");
  platform.expectMsgBox(forms::mb::IdOk, "Choose a product");
  veltaro::FillThicknessCombo(-1, box());
  EXPECT_EQ(platform.calls.back().style, 16);
  EXPECT_EQ(box().listCount(), 0);
  // Selection: a position outside the table, or a layer outside 0..5, changes nothing.
  EXPECT_TRUE(veltaro::SelectProduct(1) && veltaro::SelectLayerProduct(0, 5));
  EXPECT_FALSE(veltaro::SelectProduct(-1) || veltaro::SelectProduct(4) ||
               veltaro::SelectLayerProduct(0, 6) || veltaro::SelectLayerProduct(4, 0));
  EXPECT_EQ(fx().LambdaA, 0.035) << "unchanged by a refused choice";
  EXPECT_EQ(fx().LayerLambdaB[6], 0.00017);
  expectBadLines("Text/Product.DK",
                 {{{"Good;0.03;0;0;0;100;50;", "No semicolon at all", "Good"}, 2},
                  {{"Short;0.03;0;0;0;100", "Short"}, 1},
                  {{"Huge;0.03;0;0;0;100;40000;", "Huge"}, 1}, {{"only one line"}, 0}},
                 [] { veltaro::LoadProductFile(); });
}

TEST_F(ReferenceData, PipeOnlyTableAndCheck) {
  fx().CountryCode = "SE";
  std::string many = "Kappe 45;";
  for (int i = 1; i <= 45; ++i) many += std::to_string(i) + ";";
  files.writeLines("TEXT/PipeOnly.SE", {" Kappe;18;22;", "Skål;42;", "Skål;18;", many});
  veltaro::LoadPipeOnly();
  const auto& t = fx().PipeOnlyTable;
  EXPECT_EQ(t[1].Name, " Kappe") << "not trimmed";
  EXPECT_EQ(t[4].Sizes[40], 40);
  EXPECT_EQ(t[4].Sizes[41], 0) << "at most 40 sizes";
  // No leading digit ("-22", ".9") reads as size 0, as the empty slots do.
  for (auto [size, product] : {std::pair{"22 mm", "Kappe "}, {"18", "Other"}, {"DN 20", "Kappe"},
                               {"21.6", "Kappe"}, {"22/2", "Kappe"}, {"-22", "Kappe"},
                               {".9", "Kappe"}})
    EXPECT_EQ(veltaro::PipeOnlyCheck(size, product, ""), 0) << size;
  // The first entry that lacks the size is reported, even when a later one lists it.
  platform.expectMsgBox(forms::mb::IdYes, "\r\n18 mm\r\n22 mm\r\n");
  EXPECT_EQ(veltaro::PipeOnlyCheck("28 x", "Kappe", ""), 1);
  platform.expectMsgBox(forms::mb::IdNo, "\r\nOutdoor pipe\r\n\r\n42 mm\r\n");
  EXPECT_EQ(veltaro::PipeOnlyCheck("18", "Skål", "Outdoor pipe"), 2);
  EXPECT_TRUE(platform.scriptDone());
  expectBadLines("TEXT/PipeOnly.SE",
                 {{{"Kappe;18;", ""}, 2}, {{"Kappe;18; "}, 1}, {{"Kappe;18"}, 1},
                  {{"Kappe;99999;"}, 1}, {{"Kappe;+-1;"}, 1}},
                 [] { veltaro::LoadPipeOnly(); });
  files.writeBytes("TEXT/PipeOnly.SE", "");
  veltaro::LoadPipeOnly();
  EXPECT_TRUE(fx().PipeOnlyTable.empty());
}

TEST_F(ReferenceData, PipeSectionsFixedWidthLookup) {
  files.writeLines("TEXT/PipeKap.SE", {"Torvelin Rørskål Extra Lång Modell 2026", "22;20;30;",
                                       "22;30;40;", "108;100;1000;", "2222;5;45678;"});
  veltaro::LoadPipeKap();
  const auto& t = fx().PipeKapTable;
  ASSERT_EQ(t.size(), 4);
  EXPECT_EQ(t[1].Title, "Torvelin Rørskål Extra Lång Mo") << "cut to 30 characters";
  EXPECT_EQ(t[1].KeyA, "22 ");
  EXPECT_EQ(t[4].Value, "4567");
  EXPECT_TRUE(veltaro::IsPipeKapProduct("  Torvelin Rørskål Extra Lång Mo "));
  EXPECT_FALSE(veltaro::IsPipeKapProduct("Torvelin Rørskål Extra Lång Modell 2026"));
  // Keys are compared as given.
  for (auto [a, b, value] : {std::tuple{"22", "30", "40"}, {"108", "100", "1000"},
                             {" 22", "30", "?"}, {"22", "50", "?"}})
    EXPECT_EQ(veltaro::LookupPipeKap(a, b), value) << a << " " << b;
}

}  // namespace
