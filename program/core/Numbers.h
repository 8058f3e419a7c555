#pragma once
// Rounding, the number texts shown in the windows, and the Money type.
//
// Rounding: to the nearest, a value exactly halfway going to the even neighbour, judged on the
// exact value of the Double (12.25 to one decimal gives 12.2, 180.5 gives 180). The same rule
// applies whenever a Double is stored into a 16-bit integer.
//
// Number texts:
//   PointText        "." as decimal point, no grouping, no trailing zeros, no zero before the
//                    point of a fraction (.5, -.25), up to 15 significant digits; exponent form
//                    below 1E-04 and from 1E+15 on (1E-05, 1.5E-07, 1E+20), which ParseNumber
//                    reads as 0.0001 and 10000. Zero, also a negative zero, is "0".
//   SignedPointText  PointText with one leading blank when the number is not negative.
//   LocaleText       as PointText with the user's decimal separator and a zero before the
//                    separator of a fraction (0,5).
//   IntegerText      the digits of a whole number, "-" in front when negative.
//   RoundTripText    a plain decimal text (never an exponent) that ParseNumber reads back to
//                    exactly the same Double; for running values a search keeps in a box.

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace veltaro {

// x rounded to `decimals` decimals (0 or more), halves to even.
double RoundHalfEven(double x, int decimals = 0);

// x rounded (halves to even) and stored into a 16-bit integer; RunTimeError(Overflow) when the
// rounded value lies outside -32768..32767 or x is not a number.
int16_t ToInt16(double x);

std::string PointText(double x);
std::string SignedPointText(double x);
std::string LocaleText(double x, std::string_view decimalSeparator);
// With the decimal separator that the platform reports for the user's locale.
std::string LocaleText(double x);
std::string IntegerText(long long v);
std::string RoundTripText(double x);

// A signed fixed-point amount counting ten-thousandths (four decimals), range about
// ±9.2·10^14. Conversions from a Double round to the nearest ten-thousandth (halves to even);
// a value beyond the range raises RunTimeError(Overflow).
class Money {
 public:
  static constexpr int64_t kScale = 10000;

  constexpr Money() = default;
  static Money FromDouble(double x);
  static constexpr Money FromUnits(int64_t tenThousandths) { return Money(tenThousandths); }
  static Money FromWhole(int64_t whole);

  constexpr int64_t units() const { return units_; }
  double ToDouble() const;
  // Rounded to `decimals` (0..4) decimals, halves to even.
  Money Rounded(int decimals) const;

  friend Money operator+(Money a, Money b);
  friend Money operator-(Money a, Money b);
  // The exact product, rounded to the nearest ten-thousandth (halves to even).
  friend Money operator*(Money a, Money b);
  friend constexpr auto operator<=>(Money a, Money b) = default;
  friend constexpr bool operator==(Money a, Money b) = default;

 private:
  constexpr explicit Money(int64_t units) : units_(units) {}
  int64_t units_ = 0;
};

}  // namespace veltaro
