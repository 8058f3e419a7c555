#include "core/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "core/Errors.h"
#include "forms/Application.h"

namespace veltaro {
namespace {

constexpr double kTwo52 = 4503599627370496.0;

double powerOfTen(int n) {
  static const double table[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  return table[n];
}

// The whole number nearest to the exact product x·p (p a power of ten held exactly), halves to
// even. The product is rounded once by the multiplication; fma recovers what that rounding
// lost, so a product that only looks halfway (2.675·100) is not taken as one.
double roundScaled(double x, double p) {
  const double y = x * p;
  if (!std::isfinite(y) || std::fabs(y) >= kTwo52) return y;
  const double lost = std::fma(x, p, -y);
  double r = std::nearbyint(y);
  if (std::fabs(y - r) == 0.5) {
    if (lost > 0) r = y + 0.5;
    if (lost < 0) r = y - 0.5;
  }
  return r;
}

// Digits and exponent of x to 15 significant digits, trailing zeros removed.
struct Decimal {
  bool negative = false;
  std::string digits;  // at least one digit, no trailing zeros (except "0" itself)
  int exponent = 0;    // of the first digit
};

Decimal decompose(double x) {
  Decimal d;
  d.negative = std::signbit(x);
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 14);
  std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
  // s = "d.dddddddddddddde+XX"
  const auto e = s.find('e');
  d.digits.push_back(s[0]);
  for (std::size_t i = 2; i < e; ++i) d.digits.push_back(s[i]);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  int exp = 0;
  std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exp);
  d.exponent = exp;
  return d;
}

std::string format(double x, std::string_view separator, bool zeroBeforeFraction) {
  if (x == 0) return "0";  // a negative zero too
  if (std::isnan(x)) return "0";
  if (std::isinf(x)) return x < 0 ? "-1E+309" : "1E+309";
  const Decimal d = decompose(x);
  std::string out = d.negative ? "-" : "";
  if (d.exponent < -4 || d.exponent >= 15) {
    out += d.digits[0];
    if (d.digits.size() > 1) {
      out += separator;
      out.append(d.digits, 1);
    }
    const int e = std::abs(d.exponent);
    out += d.exponent < 0 ? "E-" : "E+";
    if (e < 10) out += '0';
    out += std::to_string(e);
    return out;
  }
  if (d.exponent >= 0) {
    const std::size_t intDigits = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= intDigits) {
      out += d.digits;
      out.append(intDigits - d.digits.size(), '0');
    } else {
      out.append(d.digits, 0, intDigits);
      out += separator;
      out.append(d.digits, intDigits);
    }
    return out;
  }
  if (zeroBeforeFraction) out += '0';
  out += separator;
  out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
  out += d.digits;
  return out;
}

}  // namespace

double RoundHalfEven(double x, int decimals) {
  if (decimals <= 0) return std::nearbyint(x);
  if (decimals > 22 || !std::isfinite(x)) return x;
  const double p = powerOfTen(decimals);
  const double y = x * p;
  if (!std::isfinite(y) || std::fabs(y) >= kTwo52) return x;  // no fraction left to round
  return roundScaled(x, p) / p;
}

int16_t ToInt16(double x) {
  const double r = std::nearbyint(x);
  if (!(r >= -32768.0 && r <= 32767.0)) throw RunTimeError(RunTimeError::Overflow);
  return static_cast<int16_t>(r);
}

std::string PointText(double x) {
  return format(x, ".", false);
}

std::string SignedPointText(double x) {
  std::string t = PointText(x);
  return t[0] == '-' ? t : " " + t;
}

std::string LocaleText(double x, std::string_view decimalSeparator) {
  return format(x, decimalSeparator, true);
}

std::string LocaleText(double x) {
  if (!forms::Application::hasCurrent()) return LocaleText(x, ".");
  return LocaleText(x, forms::app().platform().decimalSeparator());
}

std::string IntegerText(long long v) {
  return std::to_string(v);
}

std::string RoundTripText(double x) {
  if (x == 0 || !std::isfinite(x)) return "0";
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
  return std::string(buf, res.ptr);
}

// --- Money ---

Money Money::FromDouble(double x) {
  const double r = roundScaled(x, static_cast<double>(kScale));
  // 2^63 as a double; the valid range is -2^63 .. 2^63 - 1.
  constexpr double kLimit = 9223372036854775808.0;
  if (!(r >= -kLimit && r < kLimit)) throw RunTimeError(RunTimeError::Overflow);
  return Money(static_cast<int64_t>(r));
}

Money Money::FromWhole(int64_t whole) {
  int64_t u;
  if (__builtin_mul_overflow(whole, kScale, &u)) throw RunTimeError(RunTimeError::Overflow);
  return Money(u);
}

double Money::ToDouble() const {
  return static_cast<double>(units_) / kScale;
}

namespace {
// q = n / m rounded to the nearest, halves to even (m > 0).
__int128 divideHalfEven(__int128 n, __int128 m) {
  __int128 q = n / m;
  __int128 r = n % m;
  if (r < 0) r = -r;
  const __int128 twice = 2 * r;
  if (twice > m || (twice == m && (q % 2 != 0))) q += (n < 0) ? -1 : 1;
  return q;
}

int64_t checked(__int128 v) {
  if (v > std::numeric_limits<int64_t>::max() || v < std::numeric_limits<int64_t>::min())
    throw RunTimeError(RunTimeError::Overflow);
  return static_cast<int64_t>(v);
}
}  // namespace

Money Money::Rounded(int decimals) const {
  if (decimals >= 4) return *this;
  if (decimals < 0) decimals = 0;
  int64_t m = 1;
  for (int i = decimals; i < 4; ++i) m *= 10;
  return Money(checked(divideHalfEven(units_, m) * m));
}

Money operator+(Money a, Money b) {
  int64_t u;
  if (__builtin_add_overflow(a.units_, b.units_, &u)) throw RunTimeError(RunTimeError::Overflow);
  return Money(u);
}

Money operator-(Money a, Money b) {
  int64_t u;
  if (__builtin_sub_overflow(a.units_, b.units_, &u)) throw RunTimeError(RunTimeError::Overflow);
  return Money(u);
}

Money operator*(Money a, Money b) {
  const __int128 p = static_cast<__int128>(a.units_) * b.units_;
  return Money(checked(divideHalfEven(p, Money::kScale)));
}

}  // namespace veltaro
