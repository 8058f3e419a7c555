// Rounding, the number texts of the windows, and Money.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "CoreFixture.h"
#include "core/Errors.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"

namespace {

using coretest::CoreTest;

using veltaro::Money;
using veltaro::RunTimeError;

struct RoundCase {
  double x;
  int decimals;
  double expected;
};

TEST(Rounding, HalvesGoToTheEvenNeighbourOnTheExactValue) {
  const RoundCase cases[] = {
      {12.25, 1, 12.2},   {12.35, 1, 12.3},  // 12.35 is stored a little below the half
      {180.5, 0, 180},    {181.5, 0, 182},    {1000.5, 0, 1000}, {2.5, 0, 2},
      {3.5, 0, 4},        {-2.5, 0, -2},      {-0.4, 0, 0},      {0.125, 2, 0.12},
      {0.375, 2, 0.38},   {2.675, 2, 2.67},   {1.005, 2, 1.0},   {12.6, 0, 13},
      {-12.25, 1, -12.2}, {123.456, 1, 123.5}, {1e20, 2, 1e20},   {7.0, 3, 7.0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(veltaro::RoundHalfEven(c.x, c.decimals), c.expected) << c.x << " to " << c.decimals;
}

TEST(Rounding, SixteenBitStoreRoundsAndRefusesOverflow) {
  EXPECT_EQ(veltaro::ToInt16(12.5), 12);
  EXPECT_EQ(veltaro::ToInt16(13.5), 14);
  EXPECT_EQ(veltaro::ToInt16(-32768.4), -32768);
  EXPECT_EQ(veltaro::ToInt16(32766.5), 32766);
  EXPECT_THROW(veltaro::ToInt16(32767.5), RunTimeError) << "goes to the even 32768";
  EXPECT_THROW(veltaro::ToInt16(std::nan("")), RunTimeError);
}

TEST(NumberTexts, PointSignedLocaleAndIntegerForms) {
  struct Case {
    double x;
    const char* point;
    const char* locale;  // with a decimal comma
  };
  const Case cases[] = {
      {12.5, "12.5", "12,5"},
      {-12.5, "-12.5", "-12,5"},
      {0.5, ".5", "0,5"},
      {-0.25, "-.25", "-0,25"},
      {180, "180", "180"},
      {0, "0", "0"},
      {-0.0, "0", "0"},
      {veltaro::RoundHalfEven(-0.4), "0", "0"},
      {1.0 / 3.0, ".333333333333333", "0,333333333333333"},
      {123456789012345, "123456789012345", "123456789012345"},
      {1e15, "1E+15", "1E+15"},
      {1e20, "1E+20", "1E+20"},
      {1.23456789012346e17, "1.23456789012346E+17", "1,23456789012346E+17"},
      {0.0001, ".0001", "0,0001"},
      {0.00001, "1E-05", "1E-05"},
      {1.5e-7, "1.5E-07", "1,5E-07"},
      {-2.5e-120, "-2.5E-120", "-2,5E-120"},
      {5.1, "5.1", "5,1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(veltaro::PointText(c.x), c.point) << c.x;
    EXPECT_EQ(veltaro::LocaleText(c.x, ","), c.locale) << c.x;
  }
  EXPECT_EQ(veltaro::SignedPointText(0), " 0");
  EXPECT_EQ(veltaro::SignedPointText(-0.0), " 0");
  EXPECT_EQ(veltaro::SignedPointText(250), " 250");
  EXPECT_EQ(veltaro::SignedPointText(-50), "-50");
  EXPECT_EQ(veltaro::IntegerText(-7), "-7");
  EXPECT_EQ(veltaro::IntegerText(50), "50");
}

TEST(NumberTexts, RoundedResultsAsTheWindowsShowThem) {
  EXPECT_EQ(veltaro::PointText(veltaro::RoundHalfEven(12.25, 1)), "12.2");
  EXPECT_EQ(veltaro::PointText(veltaro::RoundHalfEven(180.5, 0)), "180");
  EXPECT_EQ(veltaro::PointText(veltaro::RoundHalfEven(1000.5, 0)), "1000");
  EXPECT_EQ(veltaro::PointText(veltaro::RoundHalfEven(-0.4, 0)), "0");
}

TEST(NumberTexts, ExponentFormsReadBackAsTheInputsTreatThem) {
  EXPECT_EQ(veltaro::ParseNumber(veltaro::PointText(3e21)), 10000);
  EXPECT_EQ(veltaro::ParseNumber(veltaro::PointText(3e-9)), 0.0001);
}

TEST(NumberTexts, RoundTripTextIsPlainAndExact) {
  const double values[] = {0.1, 1.0 / 3.0, 29.981234567890123, -4.5e-7, 123456.789, 1e-12,
                           2.2250738585072014e-300, 9.87654321e17, -0.0};
  for (double v : values) {
    const std::string t = veltaro::RoundTripText(v);
    EXPECT_EQ(t.find_first_of("eE"), std::string::npos) << t;
    EXPECT_EQ(veltaro::ParseNumber(t), v) << t;
  }
}

TEST_F(CoreTest, LocaleTextTakesTheSeparatorFromThePlatform) {
  platform.decimal = ",";
  EXPECT_EQ(veltaro::LocaleText(2.75), "2,75");
  platform.decimal = ".";
  EXPECT_EQ(veltaro::LocaleText(2.75), "2.75");
}

TEST(MoneyType, ConversionRoundsToTenThousandthsHalfEven) {
  EXPECT_EQ(Money::FromDouble(1.23455).units(), 12346) << "1.23455 is stored above the half";
  EXPECT_EQ(Money::FromDouble(0.00005).units(), 1) << "0.00005 is stored above the half";
  EXPECT_EQ(Money::FromDouble(0.03125).units(), 312) << "exactly halfway";
  EXPECT_EQ(Money::FromDouble(0.09375).units(), 938) << "exactly halfway";
  EXPECT_EQ(Money::FromDouble(0.5).units(), 5000);
  EXPECT_EQ(Money::FromDouble(-2.00025).units(), -20002);
  EXPECT_EQ(Money::FromDouble(11388).units(), 113880000);
}

TEST(MoneyType, ArithmeticIsExact) {
  const Money a = Money::FromDouble(0.1);
  const Money b = Money::FromDouble(0.2);
  EXPECT_EQ((a + b).units(), 3000);
  EXPECT_EQ((b - a).units(), 1000);
  // 1.2345 · 1.0001 = 1.23462345 -> 1.2346; 0.0003 · 0.5 = 0.00015 -> 0.0002 (even).
  EXPECT_EQ((Money::FromUnits(12345) * Money::FromUnits(10001)).units(), 12346);
  EXPECT_EQ((Money::FromUnits(3) * Money::FromUnits(5000)).units(), 2);
  EXPECT_EQ((Money::FromUnits(1) * Money::FromUnits(5000)).units(), 0);
  EXPECT_EQ((Money::FromUnits(-3) * Money::FromUnits(5000)).units(), -2);
  EXPECT_EQ(Money::FromDouble(2.5).Rounded(0).units(), 20000);
  EXPECT_EQ(Money::FromDouble(3.5).Rounded(0).units(), 40000);
  EXPECT_EQ(Money::FromDouble(-5693.5).Rounded(0).units(), -56940000);
}

TEST(MoneyType, BeyondTheRangeIsAnOverflow) {
  auto overflow = [](auto f) {
    try {
      f();
    } catch (const RunTimeError& e) {
      return e.kind() == RunTimeError::Overflow;
    }
    return false;
  };
  EXPECT_TRUE(overflow([] { Money::FromDouble(9.3e14); }));
  EXPECT_TRUE(overflow([] { Money::FromDouble(-9.3e14); }));
  EXPECT_TRUE(overflow([] { Money::FromDouble(std::numeric_limits<double>::quiet_NaN()); }));
  EXPECT_NO_THROW(Money::FromDouble(9.2e14));
  const Money big = Money::FromDouble(9e14);
  EXPECT_TRUE(overflow([&] { (void)(big + big); }));
  EXPECT_TRUE(overflow([&] { (void)(big * Money::FromDouble(2)); }));
  EXPECT_TRUE(overflow([] { Money::FromWhole(1'000'000'000'000'000); }));
}

}  // namespace
