// List files, the product file and table, product selection, pipe-only and pipe-section tables.

#include "CoreFixture.h"
#include "core/PipeTables.h"
#include "core/ReferenceData.h"

namespace {

using veltaro::DataFileError;
using V = std::vector<std::string>;

class ReferenceData : public coretest::CoreTest {
 protected:
  ReferenceData() {
    forms::app().registerForm("frmCalc04", [] {  // calculation window 4 as the lists see it
      auto w = std::make_unique<forms::Form>("frmCalc04");
      for (const char* box : {"box", "IsoKlasse"}) w->add(forms::ControlKind::ComboBox, box);
      return w;
    });
    veltaro::fx().CountryCode = "DK";
  }
  forms::Control& box() { return forms::app().get("frmCalc04").control("box"); }
  // Expects DataFileError naming `file` and `line` from f.
  void expectBadLine(const std::function<void()>& f, const char* file, int line) {
    try {
      f();
      ADD_FAILURE() << "line " << line << " of " << file << " should be refused";
    } catch (const DataFileError& e) {
      EXPECT_EQ(e.line(), line) << e.what();
      EXPECT_NE(e.path().find(file), std::string::npos) << e.what();
    }
  }
};

TEST_F(ReferenceData, EveryLineButTheLastIsAnItemAsRead) {
  const std::pair<void (*)(forms::Control&), const char*> fillers[] = {
      {veltaro::FillMediumCombo, "Medie"}, {veltaro::FillPipeDiameterCombo, "PipeDiam"},
      {veltaro::FillPipeInnerDiameterCombo, "PipeIDia"},
      {veltaro::FillPlaneEmissivityCombo, "PlanEmis"},
      {veltaro::FillMaterialConstantsCombo, "StofKons"},
      {veltaro::FillPipeEmissivityCombo, "PipeEmis"}, {veltaro::FillEnergyCombo, "energy"},
      {veltaro::FillClassCombo, "Class"}};
  for (const auto& [fill, base] : fillers) {
    box().addItem("stale");
    writeLines(std::string("Text/") + base + ".DK", {" 21.3 ", base, "0.94 Stål ", "26,9 mm"});
    fill(box());
    EXPECT_EQ(box().items(), (V{" 21.3 ", base, "0.94 Stål "}));
    EXPECT_EQ(box().text(), "26,9 mm");
  }
  const struct {
    const char* bytes;
    V items;
    const char* text;
  } shortFiles[] = {{"only\r\n", {}, "only"}, {"", {}, ""}, {"a\r\nb\r\n\r\n", {"a", "b"}, ""}};
  for (const auto& c : shortFiles) {
    writeBytes("Text/Medie.DK", c.bytes);
    veltaro::FillMediumCombo(box());
    EXPECT_EQ(box().items(), c.items) << c.bytes;
    EXPECT_EQ(box().text(), c.text) << c.bytes;
  }
  // The class list of calculation window 4 by name; an unlisted code reads the Danish files.
  veltaro::fx().CountryCode = "FR";
  writeLines("Text/Class.DK", {"1", "2", "3", "2"});
  veltaro::FillClassCombo();
  EXPECT_EQ(forms::app().get("frmCalc04").control("IsoKlasse").listCount(), 3);
  EXPECT_EQ(forms::app().get("frmCalc04").control("IsoKlasse").text(), "2");
}

TEST_F(ReferenceData, ProductLinesAndThicknessLists) {
  std::string thirtyOne;
  for (int i = 1; i <= 31; ++i) thirtyOne += std::to_string(10 * i) + ";";
  writeLines("Text/Product.DK", {"Torvelin Rørskål ;0,033;0.00017;9E-07;-50;250;20;30;12.5;13,5;",
                                 " Torvelin Plade;0.035;0.00018;0;-50;600;",
                                 "Torvelin Lamel;0.04;0;0;0;300;" + thirtyOne,
                                 "Torvelin Filt;0.036;0;0;0;200;40;0;60; ", "Torvelin Plade"});
  veltaro::FillProductCombo(box());
  const auto& t = veltaro::fx().ProductTable;
  ASSERT_EQ(t.size(), 4);
  EXPECT_EQ(box().items(),
            (V{"Torvelin Rørskål ", " Torvelin Plade", "Torvelin Lamel", "Torvelin Filt"}));
  EXPECT_EQ(box().text(), "Torvelin Plade") << "the default need not equal an item";
  EXPECT_EQ(t[4].Nr, 4);
  EXPECT_EQ(t[1].Coef2, 0.0001) << "an exponent form reads as 0.0001";
  EXPECT_EQ(t[1].TempLimit1, -50);
  EXPECT_EQ(t[3].Thickness[29], 300) << "the first 30 are kept";
  const struct {
    int position;
    V items;
    const char* text;
  } lists[] = {{0, {"20", "30", "12", "14"}, "20"}, {1, {}, ""}, {3, {"40"}, "40"}, {4, {}, ""}};
  for (const auto& c : lists) {
    veltaro::FillThicknessCombo(c.position, box());
    EXPECT_EQ(box().items(), c.items) << c.position;
    EXPECT_EQ(box().text(), c.text) << c.position;
  }
  veltaro::fx().TextTable.set(59, "Choose a product");
  veltaro::fx().TextTable.set(60, "Product");
  platform.expectMsgBox(forms::mb::IdOk, "Choose a product");
  veltaro::FillThicknessCombo(-1, box());
  EXPECT_EQ(platform.calls.back().style, 16);
  EXPECT_EQ(box().listCount(), 0);
}

TEST_F(ReferenceData, MalformedProductFilesNameTheLine) {
  const struct {
    V lines;
    int line;
  } cases[] = {{{"Good;0.03;0;0;0;100;50;", "No semicolon at all", "Good"}, 2},
               {{"Short;0.03;0;0;0;100", "Short"}, 1}, {{"Huge;0.03;0;0;0;100;40000;", "Huge"}, 1},
               {{"only one line"}, 0}};
  for (const auto& c : cases) {
    writeLines("Text/Product.DK", c.lines);
    expectBadLine([] { veltaro::LoadProductFile(); }, "Product.DK", c.line);
  }
}

TEST_F(ReferenceData, SelectingAProductOutsideTheTableIsRefused) {
  writeLines("Text/Product.DK",
             {"A;0.031;0.0002;0.000001;0;100;", "B;0.041;0.0003;0.000002;0;100;", "A"});
  veltaro::LoadProductFile();
  auto& s = veltaro::fx();
  EXPECT_TRUE(veltaro::SelectProduct(1));
  EXPECT_EQ(s.LambdaA, 0.041);
  EXPECT_EQ(s.LambdaC, 0.000002);
  EXPECT_EQ(s.SelectedProductNr, 2);
  EXPECT_FALSE(veltaro::SelectProduct(-1));
  EXPECT_FALSE(veltaro::SelectProduct(2));
  EXPECT_EQ(s.LambdaA, 0.041) << "unchanged by a refused choice";
  EXPECT_TRUE(veltaro::SelectLayerProduct(0, 5));
  EXPECT_EQ(s.LayerLambdaB[6], 0.0002);
  EXPECT_EQ(s.SelectedProductNr, 1);
  EXPECT_FALSE(veltaro::SelectLayerProduct(0, 6));
  EXPECT_FALSE(veltaro::SelectLayerProduct(5, 0));
}

TEST_F(ReferenceData, PipeOnlyTableAndCheck) {
  veltaro::fx().CountryCode = "SE";
  veltaro::fx().TextTable.set(158, "is made only for these pipes:");
  veltaro::fx().TextTable.set(159, "Use it anyway?");
  std::string many = "Kappe 45;";
  for (int i = 1; i <= 45; ++i) many += std::to_string(i) + ";";
  writeLines("TEXT/PipeOnly.SE", {" Kappe;18;22;", "Skål;42;", "Skål;18;", many});
  veltaro::LoadPipeOnly();
  const auto& t = veltaro::fx().PipeOnlyTable;
  EXPECT_EQ(t[1].Name, " Kappe") << "not trimmed";
  EXPECT_EQ(t[4].Sizes[40], 40);
  EXPECT_EQ(t[4].Sizes[41], 0) << "at most 40 sizes";

  const struct { const char *size, *product; } fine[] = {
      {"22 mm", "Kappe "}, {"18", "Other"},  {"DN 20", "Kappe"}, {"21.6", "Kappe"},
      {"22/2", "Kappe"},   {"-22", "Kappe"},  // no leading digit: size 0, as the empty slots
      {".9", "Kappe"}};
  for (const auto& c : fine) EXPECT_EQ(veltaro::PipeOnlyCheck(c.size, c.product, ""), 0) << c.size;
  EXPECT_TRUE(platform.callsOf("msgBox").empty());

  platform.expectMsgBox(forms::mb::IdYes);
  EXPECT_EQ(veltaro::PipeOnlyCheck("28 x", "Kappe", ""), 1);
  EXPECT_EQ(platform.calls.back().text,
            " Kappe\r\nis made only for these pipes:\r\n\r\n18 mm\r\n22 mm\r\n\r\nUse it anyway?");
  EXPECT_EQ(platform.calls.back().title, " Kappe");
  EXPECT_EQ(platform.calls.back().style, 68);
  // The first entry that lacks the size is reported, even when a later one lists it.
  platform.expectMsgBox(forms::mb::IdNo);
  EXPECT_EQ(veltaro::PipeOnlyCheck("18", "Skål", "Outdoor pipe"), 2);
  EXPECT_EQ(platform.calls.back().text,
            "Skål\r\nis made only for these pipes:\r\n\r\nOutdoor pipe\r\n\r\n42 mm\r\n\r\nUse it "
            "anyway?");

  const std::pair<V, int> bad[] = {
      {{"Kappe;18;", ""}, 2}, {{"Kappe;18; "}, 1}, {{"Kappe;18"}, 1}, {{"Kappe;99999;"}, 1},
      {{"Kappe;+-1;"}, 1}};
  for (const auto& [lines, line] : bad) {
    writeLines("TEXT/PipeOnly.SE", lines);
    expectBadLine([] { veltaro::LoadPipeOnly(); }, "PipeOnly.SE", line);
  }
  writeBytes("TEXT/PipeOnly.SE", "");
  EXPECT_NO_THROW(veltaro::LoadPipeOnly());
  EXPECT_TRUE(veltaro::fx().PipeOnlyTable.empty());
}

TEST_F(ReferenceData, PipeSectionsFixedWidthLookup) {
  writeLines("TEXT/PipeKap.SE", {"Torvelin Rørskål Extra Lång Modell 2026", "22;20;30;",
                                 "22;30;40;", "108;100;1000;", "2222;5;45678;"});
  veltaro::LoadPipeKap();
  const auto& t = veltaro::fx().PipeKapTable;
  ASSERT_EQ(t.size(), 4);
  EXPECT_EQ(t[1].Title, "Torvelin Rørskål Extra Lång Mo") << "cut to 30 characters";
  EXPECT_EQ(t[1].KeyA, "22 ");
  EXPECT_EQ(t[4].Value, "4567");
  EXPECT_TRUE(veltaro::IsPipeKapProduct("  Torvelin Rørskål Extra Lång Mo "));
  EXPECT_FALSE(veltaro::IsPipeKapProduct("Torvelin Rørskål Extra Lång Modell 2026"));
  EXPECT_EQ(veltaro::LookupPipeKap("22", "30"), "40");
  EXPECT_EQ(veltaro::LookupPipeKap("108", "100"), "1000");
  EXPECT_EQ(veltaro::LookupPipeKap(" 22", "30"), "?") << "keys are compared as given";
  EXPECT_EQ(veltaro::LookupPipeKap("22", "50"), "?");
  writeLines("TEXT/PipeKap.SE", {"Title", "22;20;30;", "22;30"});
  expectBadLine([] { veltaro::LoadPipeKap(); }, "PipeKap.SE", 3);
  writeLines("TEXT/PipeKap.SE", {"Title only"});
  veltaro::LoadPipeKap();
  EXPECT_TRUE(veltaro::fx().PipeKapTable.empty());
}

}  // namespace
