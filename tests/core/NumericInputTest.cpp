// The number reader, the key filter and the small text services.

#include <gtest/gtest.h>

#include <cmath>

#include "CoreFixture.h"
#include "core/NumericInput.h"
#include "forms/Form.h"

namespace {

using coretest::CoreTest;

TEST(ParseNumber, ReadsTheLeadingNumberWhateverTheLocale) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"", 0},         {"   ", 0},       {"12,5 kg", 12.5}, {"12.5", 12.5},  {"1.234,5", 1.234},
      {"-3-4", -3},    {"12a3", 12},     {"abc", 0},        {"-", 0},       {".", 0},
      {",", 0},        {"+", 0},         {"7", 7},          {"-.", 0},      {"-,", 0},
      {"+.", 0},       {"+,", 0},        {",5", 0.5},       {".1", 0.1},    {"5,", 5},
      {"-.5", -0.5},   {"+,5", 0.5},     {"- 5", 0},        {"1.5E-07", 0.0001},
      {"1E-05", 0.0001}, {"2E+3", 10000}, {"3e5", 3},       {"  42  ", 42}, {"-7", -7},
      {"+8", 8},       {"12.", 12},      {"0,25", 0.25},    {"26.9 mm", 26.9}, {"x1E+5", 10000},
      {"1E+5E-3", 10000}, {"007", 7},    {"5 000", 5},      {"0.9 Aluminium", 0.9},
  };
  for (const auto& c : cases) EXPECT_EQ(veltaro::ParseNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseNumber, DigitsBeyondTheRangeOfADoubleFailEveryRangeCheck) {
  const std::string huge = "1" + std::string(400, '0');
  EXPECT_TRUE(std::isinf(veltaro::ParseNumber(huge)));
  EXPECT_GT(veltaro::ParseNumber(huge), 5000.0);
  EXPECT_LT(veltaro::ParseNumber("-" + huge), -5000.0);
  EXPECT_EQ(veltaro::ParseNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST_F(CoreTest, ParseNumberIgnoresTheUsersDecimalSeparator) {
  for (const char* sep : {",", "."}) {
    platform.decimal = sep;
    EXPECT_EQ(veltaro::ParseNumber("12,75"), 12.75) << sep;
    EXPECT_EQ(veltaro::ParseNumber("12.75"), 12.75) << sep;
  }
}

TEST(FilterNumericKey, KeepsDigitsSeparatorsMinusAndBackspaceOnly) {
  for (int key = 0; key < 256; ++key) {
    const bool kept = key == 8 || key == ',' || key == '.' || key == '-' || (key >= '0' && key <= '9');
    EXPECT_EQ(veltaro::FilterNumericKey(key), kept ? key : 0) << key;
  }
}

TEST_F(CoreTest, LocalizeDecimalChangesOnlyTheFirstForeignSeparator) {
  EXPECT_EQ(veltaro::LocalizeDecimal("1.5", ","), "1,5");
  EXPECT_EQ(veltaro::LocalizeDecimal("1,5", ","), "1,5");
  EXPECT_EQ(veltaro::LocalizeDecimal("1,5", "."), "1.5");
  EXPECT_EQ(veltaro::LocalizeDecimal("1.2.3", ","), "1,2.3");
  platform.decimal = ",";
  EXPECT_EQ(veltaro::LocalizeDecimal("0.25"), "0,25");
  platform.decimal = ".";
  EXPECT_EQ(veltaro::LocalizeDecimal("0,25"), "0.25");
}

TEST(TextServices, DotToCommaTextAfterColonRemoveChar) {
  std::string t = "3.25";
  EXPECT_EQ(veltaro::DotToComma(t), "3,25");
  EXPECT_EQ(t, "3,25");
  t = "   ";
  EXPECT_EQ(veltaro::DotToComma(t), "0");
  t = "1.2.3";
  EXPECT_EQ(veltaro::DotToComma(t), "1,2.3");

  EXPECT_EQ(veltaro::TextAfterColon("Initials"), "");
  EXPECT_EQ(veltaro::TextAfterColon("Initials:"), "");
  EXPECT_EQ(veltaro::TextAfterColon("Case :  Boiler room: east  "), "Boiler room: east");

  EXPECT_EQ(veltaro::RemoveChar("&Quit", "&"), "Quit");
  EXPECT_EQ(veltaro::RemoveChar("Save && close", "&"), "Save & close");
  EXPECT_EQ(veltaro::RemoveChar("Help", "&"), "Help");
}

class PipeWindow : public forms::Form {
 public:
  PipeWindow() : forms::Form("frmPipeTest") {
    setMdiChild(false);
    add(forms::ControlKind::OptionButton, "ROR").setValueSilently(1);
    add(forms::ControlKind::OptionButton, "PLAN").onClick = [this] { ++planClicks; };
  }
  int planClicks = 0;
};

TEST_F(CoreTest, ConfirmPipeChoiceSwitchesToPlaneUnlessYes) {
  veltaro::fx().TextTable.assign(std::vector<std::string>(200, ""));
  veltaro::fx().TextTable.set(198, "Large pipe");
  veltaro::fx().TextTable.set(199, "Calculate as a plane?");
  veltaro::fx().TextTable.set(200, "Yes keeps the pipe.");
  for (int answer : {forms::mb::IdYes, forms::mb::IdNo, forms::mb::IdCancel}) {
    PipeWindow w;
    platform.expectMsgBox(answer);
    veltaro::ConfirmPipeChoice(w);
    const auto call = platform.calls.back();
    EXPECT_EQ(call.text, "Calculate as a plane?\r\nYes keeps the pipe.");
    EXPECT_EQ(call.title, "Large pipe");
    EXPECT_EQ(call.style, 68);
    const bool plane = answer != forms::mb::IdYes;
    EXPECT_EQ(w.control("PLAN").value(), plane ? 1 : 0);
    EXPECT_EQ(w.planClicks, plane ? 1 : 0);
  }
}

}  // namespace
