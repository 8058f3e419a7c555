// Rounding, number texts, Money, and the number reader with its text services.

#include <cmath>

#include "CoreFixture.h"
#include "core/Errors.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"

namespace {

using veltaro::Money;
using veltaro::RunTimeError;

TEST(Numbers, RoundingAndTheTwoTextForms) {
  // Halves go to the even neighbour of the exact value (2.675 is stored below the half).
  const struct { double x; int decimals; double expected; } rounding[] = {
      {12.25, 1, 12.2}, {12.35, 1, 12.3}, {180.5, 0, 180},  {181.5, 0, 182},
      {-2.5, 0, -2},    {2.675, 2, 2.67}, {-12.25, 1, -12.2}};
  for (const auto& c : rounding)
    EXPECT_EQ(veltaro::RoundHalfEven(c.x, c.decimals), c.expected) << c.x;
  EXPECT_EQ(veltaro::ToInt16(13.5), 14);
  EXPECT_THROW(veltaro::ToInt16(32767.5), RunTimeError);
  // locale: the locale with a decimal comma
  const struct { double x; const char *point, *locale; } texts[] = {
      {-12.5, "-12.5", "-12,5"},    {0.5, ".5", "0,5"},      {-0.25, "-.25", "-0,25"},
      {-0.0, "0", "0"},             {1e15, "1E+15", "1E+15"}, {0.00001, "1E-05", "1E-05"},
      {0.0001, ".0001", "0,0001"},  {-2.5e-120, "-2.5E-120", "-2,5E-120"},
      {1.0 / 3, ".333333333333333", "0,333333333333333"}};
  for (const auto& c : texts) {
    EXPECT_EQ(veltaro::PointText(c.x), c.point) << c.x;
    EXPECT_EQ(veltaro::LocaleText(c.x, ","), c.locale) << c.x;
  }
  EXPECT_EQ(veltaro::SignedPointText(-0.0), " 0");
  EXPECT_EQ(veltaro::SignedPointText(-50), "-50");
}

TEST(Numbers, MoneyRoundsAtTheFourthDecimalAndOverflows) {
  const std::pair<Money, int64_t> cases[] = {
      {Money::FromDouble(1.23455), 12346},                        // stored above the half
      {Money::FromDouble(-2.00025), -20002},                      // stored below the half
      {Money::FromDouble(0.03125), 312},                          // exactly halfway
      {Money::FromUnits(12345) * Money::FromUnits(10001), 12346},
      {Money::FromUnits(-3) * Money::FromUnits(5000), -2},
      {Money::FromDouble(-5693.5).Rounded(0), -56940000}};
  for (const auto& [money, units] : cases) EXPECT_EQ(money.units(), units);
  EXPECT_NO_THROW(Money::FromDouble(9.2e14));
  EXPECT_THROW(Money::FromDouble(-9.3e14), RunTimeError);
  EXPECT_THROW(Money::FromDouble(std::nan("")), RunTimeError);
  const Money big = Money::FromDouble(9e14);
  EXPECT_THROW((void)(big + big), RunTimeError);
  EXPECT_THROW((void)(big * Money::FromDouble(2)), RunTimeError);
}

TEST(Numbers, ParseNumberReadsTheLeadingNumberWhateverTheLocale) {
  const std::pair<const char*, double> cases[] = {
      {"   ", 0},  {"12,5 kg", 12.5}, {"1.234,5", 1.234},  {"-3-4", -3},   {"-.", 0},
      {"+,5", 0.5}, {"- 5", 0},        {"1.5E-07", 0.0001}, {"2E+3", 10000}, {"3e5", 3},
      {"1E+5E-3", 10000}, {"3E+21", 10000}};
  for (const auto& [text, value] : cases) EXPECT_EQ(veltaro::ParseNumber(text), value) << text;
  // Digits beyond a Double fail every range check; a fraction too small to hold is 0.
  EXPECT_GT(veltaro::ParseNumber("1" + std::string(400, '0')), 1e308);
  EXPECT_EQ(veltaro::ParseNumber("0." + std::string(400, '0') + "1"), 0.0);
}

using TextServices = coretest::CoreTest;

TEST_F(TextServices, LocaleWhereItCountsAndTheSmallServices) {
  for (const char* sep : {",", "."}) {
    platform.decimal = sep;
    EXPECT_EQ(veltaro::ParseNumber("12,75"), 12.75) << sep;
    EXPECT_EQ(veltaro::LocaleText(2.75), std::string("2") + sep + "75");
    EXPECT_EQ(veltaro::LocalizeDecimal("1.2,3"), *sep == ',' ? "1,2,3" : "1.2.3");
    EXPECT_EQ(veltaro::LocaleNumber("2.5"), *sep == ',' ? 25 : 2.5);
  }
  // The locale's own conversion: the other separator groups digits; anything else is no number.
  EXPECT_EQ(veltaro::LocaleNumber(" -1.234,5 ", ","), -1234.5);
  EXPECT_EQ(veltaro::LocaleNumber("+1,2.5", "."), 12.5);
  for (const char* bad : {"", "5-", ",5", "1.2.3", "1E+3"})
    EXPECT_THROW(veltaro::LocaleNumber(bad, "."), veltaro::RunTimeError) << bad;
  std::string t = "1.2.3", blank = "   ";
  EXPECT_EQ(veltaro::DotToComma(t), "1,2.3");
  EXPECT_EQ(t, "1,2.3");
  EXPECT_EQ(veltaro::DotToComma(blank), "0");
  EXPECT_EQ(veltaro::TextAfterColon("Case :  Boiler room: east  "), "Boiler room: east");
  EXPECT_EQ(veltaro::RemoveChar("Save && close", "&"), "Save & close");
}

}  // namespace
