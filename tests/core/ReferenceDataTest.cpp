// List files, the product file and table, product selection, pipe-only and pipe-section tables.

#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "core/Errors.h"
#include "core/PipeTables.h"
#include "core/ReferenceData.h"
#include "forms/Form.h"

namespace {

using coretest::CoreTest;
using veltaro::DataFileError;

class ListWindow : public forms::Form {
 public:
  static constexpr const char* kName = "frmCalc04";
  ListWindow() : forms::Form(kName) {
    add(forms::ControlKind::ComboBox, "box");
    add(forms::ControlKind::ComboBox, "IsoKlasse");
  }
};

class ReferenceData : public CoreTest {
 protected:
  ReferenceData() {
    forms::app().registerForm<ListWindow>();
    veltaro::fx().CountryCode = "DK";
  }
  forms::Control& box() { return forms::app().get("frmCalc04").control("box"); }
  std::string linePath(const char* base) { return "Text/" + std::string(base) + ".DK"; }
};

TEST_F(ReferenceData, EveryLineButTheLastIsAnItemAsRead) {
  using Fill = void (*)(forms::Control&);
  const std::pair<const char*, Fill> fillers[] = {
      {"Medie", veltaro::FillMediumCombo},
      {"PipeDiam", veltaro::FillPipeDiameterCombo},
      {"PipeIDia", veltaro::FillPipeInnerDiameterCombo},
      {"PlanEmis", veltaro::FillPlaneEmissivityCombo},
      {"StofKons", veltaro::FillMaterialConstantsCombo},
      {"PipeEmis", veltaro::FillPipeEmissivityCombo},
      {"energy", veltaro::FillEnergyCombo},
      {"Class", veltaro::FillClassCombo},
  };
  for (const auto& [base, fill] : fillers) {
    box().addItem("stale");
    writeLines(linePath(base), {" 21.3 ", "26,9 mm", "0.94 Stål ", "26,9 mm"});
    fill(box());
    EXPECT_EQ(box().items(), (std::vector<std::string>{" 21.3 ", "26,9 mm", "0.94 Stål "})) << base;
    EXPECT_EQ(box().text(), "26,9 mm") << base;
  }
}

TEST_F(ReferenceData, ShortListFiles) {
  writeLines(linePath("Medie"), {"only the default"});
  veltaro::FillMediumCombo(box());
  EXPECT_EQ(box().listCount(), 0);
  EXPECT_EQ(box().text(), "only the default");

  writeBytes(linePath("Medie"), "");
  veltaro::FillMediumCombo(box());
  EXPECT_EQ(box().listCount(), 0);
  EXPECT_EQ(box().text(), "");

  writeLines(linePath("Medie"), {"a", "b", ""});
  veltaro::FillMediumCombo(box());
  EXPECT_EQ(box().items(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(box().text(), "");
}

TEST_F(ReferenceData, ClassListOfCalculationFourByName) {
  writeLines(linePath("Class"), {"1", "2", "3", "4", "2"});
  veltaro::FillClassCombo();
  auto& classes = forms::app().get("frmCalc04").control("IsoKlasse");
  EXPECT_EQ(classes.listCount(), 4);
  EXPECT_EQ(classes.text(), "2");
}

TEST_F(ReferenceData, AnUnlistedCountryReadsTheDanishFiles) {
  veltaro::fx().CountryCode = "FR";
  writeLines("Text/PipeDiam.DK", {"21.3", "26.9", "21.3"});
  veltaro::FillPipeDiameterCombo(box());
  EXPECT_EQ(box().listCount(), 2);
  veltaro::fx().CountryCode = "LV";
  EXPECT_THROW(veltaro::FillPipeDiameterCombo(box()), DataFileError) << "no fallback for a listed code";
}

TEST_F(ReferenceData, ProductLinesFieldsAndThicknesses) {
  std::string thirtyOne;
  for (int i = 1; i <= 31; ++i) thirtyOne += std::to_string(10 * i) + ";";
  writeLines(linePath("Product"),
             {"Torvelin Rørskål ;0,033;0.00017;9E-07;-50;250;20;30;12.5;13,5;",
              " Torvelin Plade;0.035;0.00018;0;-50;600;",
              "Torvelin Lamel;0.04;0;0;0;300;" + thirtyOne,
              "Torvelin Filt;0.036;0;0;0;200;40;0;60; ",
              "Torvelin Plade"});
  veltaro::FillProductCombo(box());
  const auto& t = veltaro::fx().ProductTable;
  ASSERT_EQ(t.size(), 4);
  EXPECT_EQ(box().items(),
            (std::vector<std::string>{"Torvelin Rørskål ", " Torvelin Plade", "Torvelin Lamel", "Torvelin Filt"}));
  EXPECT_EQ(box().text(), "Torvelin Plade") << "the default need not equal an item";
  EXPECT_EQ(t[1].Nr, 1);
  EXPECT_EQ(t[4].Nr, 4);
  EXPECT_EQ(t[1].Coef0, 0.033);
  EXPECT_EQ(t[1].Coef1, 0.00017);
  EXPECT_EQ(t[1].Coef2, 0.0001) << "an exponent form reads as 0.0001";
  EXPECT_EQ(t[1].TempLimit1, -50);
  EXPECT_EQ(t[1].TempLimit2, 250);
  EXPECT_EQ(t[1].Thickness[0], 20);
  EXPECT_EQ(t[1].Thickness[2], 12) << "12.5 rounds to the even 12";
  EXPECT_EQ(t[1].Thickness[3], 14) << "13,5 rounds to the even 14";
  EXPECT_EQ(t[1].Thickness[4], 0);
  EXPECT_EQ(t[2].Thickness[0], 0) << "no thicknesses";
  EXPECT_EQ(t[3].Thickness[29], 300) << "the first 30 are kept";

  struct Case {
    int position;
    std::vector<std::string> items;
    const char* text;
  };
  for (const auto& c : {Case{0, {"20", "30", "12", "14"}, "20"}, Case{1, {}, ""},
                        Case{3, {"40"}, "40"}}) {
    veltaro::FillThicknessCombo(c.position, box());
    EXPECT_EQ(box().items(), c.items) << c.position;
    EXPECT_EQ(box().text(), c.text) << c.position;
  }
}

TEST_F(ReferenceData, NoProductChosenForAThicknessList) {
  veltaro::fx().TextTable.assign(std::vector<std::string>(60, ""));
  veltaro::fx().TextTable.set(59, "Choose a product");
  veltaro::fx().TextTable.set(60, "Product");
  box().addItem("50");
  platform.expectMsgBox(forms::mb::IdOk, "Choose a product");
  veltaro::FillThicknessCombo(-1, box());
  EXPECT_EQ(platform.calls.back().style, 16);
  EXPECT_EQ(platform.calls.back().title, "Product");
  EXPECT_EQ(box().listCount(), 0);
}

TEST_F(ReferenceData, MalformedProductFilesNameTheLine) {
  struct Case {
    std::vector<std::string> lines;
    int line;
  };
  const Case cases[] = {
      {{"Good;0.03;0;0;0;100;50;", "No semicolon at all", "Good"}, 2},
      {{"Short;0.03;0;0;0;100", "Short"}, 1},
      {{"Good;0.03;0;0;0;100;50;", "Open;0.03;0;0;0;100;50;60", "Good"}, 2},
      {{"Huge;0.03;0;0;0;100;40000;", "Huge"}, 1},
      {{"only one line"}, 0},
  };
  for (const auto& c : cases) {
    writeLines(linePath("Product"), c.lines);
    try {
      veltaro::LoadProductFile();
      ADD_FAILURE() << "line " << c.line << " should be refused";
    } catch (const DataFileError& e) {
      EXPECT_EQ(e.line(), c.line) << e.what();
      EXPECT_NE(e.path().find("Product.DK"), std::string::npos);
    }
  }
}

TEST_F(ReferenceData, SelectingAProductOutsideTheTableIsRefused) {
  writeLines(linePath("Product"), {"A;0.031;0.0002;0.000001;0;100;", "B;0.041;0.0003;0.000002;0;100;", "A"});
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
  EXPECT_EQ(s.LayerLambdaA[6], 0.031);
  EXPECT_EQ(s.LayerLambdaB[6], 0.0002);
  EXPECT_EQ(s.LayerLambdaA[1], 0);
  EXPECT_EQ(s.SelectedProductNr, 1);
  EXPECT_FALSE(veltaro::SelectLayerProduct(0, 6));
  EXPECT_FALSE(veltaro::SelectLayerProduct(5, 0));
}

TEST(VapourPressure, Constants) {
  veltaro::resetFx();
  veltaro::InitVapourPressureConstants();
  const auto& c = veltaro::fx().VapourPressureConstants;
  EXPECT_EQ(c[0], 20.82648355);
  EXPECT_EQ(c[3], 29811.33781);
  EXPECT_EQ(c[6], 1302.8503);
}

// --- Pipe-only and pipe-section tables ---

class PipeTables : public CoreTest {
 protected:
  PipeTables() {
    veltaro::fx().CountryCode = "SE";
    std::vector<std::string> text(160, "");
    text[157] = "is made only for these pipes:";
    text[158] = "Use it anyway?";
    veltaro::fx().TextTable.assign(text);
  }
};

TEST_F(PipeTables, PipeOnlySizesAtMostForty) {
  std::string many = "Torvelin Kappe;";
  for (int i = 1; i <= 45; ++i) many += std::to_string(i) + ";";
  writeLines("TEXT/PipeOnly.SE", {" Torvelin Rørskål;18;22;28;", many, "Empty;"});
  veltaro::LoadPipeOnly();
  const auto& t = veltaro::fx().PipeOnlyTable;
  ASSERT_EQ(t.size(), 3);
  EXPECT_EQ(t[1].Name, " Torvelin Rørskål") << "not trimmed";
  EXPECT_EQ(t[1].Sizes[3], 28);
  EXPECT_EQ(t[1].Sizes[4], 0);
  EXPECT_EQ(t[2].Sizes[40], 40);
  EXPECT_EQ(t[2].Sizes[41], 0);
  EXPECT_EQ(t[3].Sizes[1], 0);
}

TEST_F(PipeTables, PipeOnlyCheckAsksOnlyForAMissingSize) {
  writeLines("TEXT/PipeOnly.SE", {"Kappe;18;22;", "Skål;42;", "Skål;18;"});
  veltaro::LoadPipeOnly();
  EXPECT_EQ(veltaro::PipeOnlyCheck("22 mm", " Kappe ", ""), 0);
  EXPECT_EQ(veltaro::PipeOnlyCheck("18", "Other product", ""), 0);
  EXPECT_EQ(veltaro::PipeOnlyCheck("DN 20", "Kappe", ""), 0) << "no leading number is size 0";
  EXPECT_EQ(veltaro::PipeOnlyCheck("21.6", "Kappe", ""), 0) << "rounded to 22";
  EXPECT_EQ(veltaro::PipeOnlyCheck("22/2", "Kappe", ""), 0) << "read from the first 3 characters";
  EXPECT_TRUE(platform.callsOf("msgBox").empty());

  platform.expectMsgBox(forms::mb::IdYes);
  EXPECT_EQ(veltaro::PipeOnlyCheck("28 x", "Kappe", ""), 1);
  auto call = platform.calls.back();
  EXPECT_EQ(call.text,
            "Kappe\r\nis made only for these pipes:\r\n\r\n18 mm\r\n22 mm\r\n\r\nUse it anyway?");
  EXPECT_EQ(call.title, "Kappe");
  EXPECT_EQ(call.style, 68);

  // The first entry that lacks the size is reported, even when a later one lists it.
  platform.expectMsgBox(forms::mb::IdNo);
  EXPECT_EQ(veltaro::PipeOnlyCheck("18", "Skål", "Outdoor pipe"), 2);
  EXPECT_EQ(platform.calls.back().text,
            "Skål\r\nis made only for these pipes:\r\n\r\nOutdoor pipe\r\n\r\n42 mm\r\n\r\nUse it anyway?");
}

TEST_F(PipeTables, MalformedPipeOnlyFilesNameTheLine) {
  const std::vector<std::vector<std::string>> files = {
      {"Kappe;18;", ""},            // an empty line
      {"Kappe;18;", "Skål;18;22"},  // the last size has no ";"
      {"Kappe;18; "},               // blanks after the last ";"
      {"Kappe;18;2x;"},             // not a whole number
      {"Kappe;99999;"},             // beyond 16 bits
  };
  for (const auto& lines : files) {
    writeLines("TEXT/PipeOnly.SE", lines);
    try {
      veltaro::LoadPipeOnly();
      ADD_FAILURE() << lines.back();
    } catch (const DataFileError& e) {
      EXPECT_EQ(e.line(), static_cast<int>(lines.size())) << e.what();
    }
  }
  writeBytes("TEXT/PipeOnly.SE", "");
  EXPECT_NO_THROW(veltaro::LoadPipeOnly());
  EXPECT_TRUE(veltaro::fx().PipeOnlyTable.empty());
}

TEST_F(PipeTables, PipeSectionsFixedWidthLookup) {
  writeLines("TEXT/PipeKap.SE", {"Torvelin Rørskål Extra Lång Modell 2026", "22;20;30;",
                                 "22;30;40;", "108;100;1000;", "2222;5;45678;"});
  veltaro::LoadPipeKap();
  const auto& t = veltaro::fx().PipeKapTable;
  ASSERT_EQ(t.size(), 4);
  EXPECT_EQ(t[1].Title, "Torvelin Rørskål Extra Lång Mo") << "cut to 30 characters";
  EXPECT_EQ(t[1].KeyA, "22 ");
  EXPECT_EQ(t[4].KeyA, "222");
  EXPECT_EQ(t[4].Value, "4567");
  EXPECT_TRUE(veltaro::IsPipeKapProduct("  Torvelin Rørskål Extra Lång Mo "));
  EXPECT_FALSE(veltaro::IsPipeKapProduct("Torvelin Rørskål Extra Lång Modell 2026"));
  EXPECT_EQ(veltaro::LookupPipeKap("22", "30"), "40");
  EXPECT_EQ(veltaro::LookupPipeKap("108", "100"), "1000");
  EXPECT_EQ(veltaro::LookupPipeKap(" 22", "30"), "?") << "keys are compared as given";
  EXPECT_EQ(veltaro::LookupPipeKap("22", "50"), "?");

  writeLines("TEXT/PipeKap.SE", {"Title", "22;20;30;", "22;30"});
  try {
    veltaro::LoadPipeKap();
    ADD_FAILURE();
  } catch (const DataFileError& e) {
    EXPECT_EQ(e.line(), 3);
  }
  writeLines("TEXT/PipeKap.SE", {"Title only"});
  veltaro::LoadPipeKap();
  EXPECT_TRUE(veltaro::fx().PipeKapTable.empty());
  EXPECT_FALSE(veltaro::IsPipeKapProduct("Title only"));
}

}  // namespace
