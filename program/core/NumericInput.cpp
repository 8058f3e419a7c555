#include "core/NumericInput.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "core/Fx.h"
#include "forms/Application.h"
#include "forms/Form.h"

namespace veltaro {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isSeparator(char c) {
  return c == '.' || c == ',';
}

// acc: an optional sign, digits and at most one separator, at least two characters.
double readAccepted(const std::string& acc) {
  std::size_t i = 0;
  bool negative = false;
  if (acc[0] == '+' || acc[0] == '-') {
    negative = acc[0] == '-';
    i = 1;
  }
  std::string body;
  for (; i < acc.size(); ++i) body += isSeparator(acc[i]) ? '.' : acc[i];
  if (!body.empty() && body.front() == '.') body.insert(body.begin(), '0');
  if (!body.empty() && body.back() == '.') body.pop_back();
  if (body.empty()) return 0;
  double v = 0;
  auto res = std::from_chars(body.data(), body.data() + body.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    // Too many digits for a Double: an integer part beyond the range reads as infinity, which
    // no range check lets through; a fraction too small to hold reads as 0.
    const auto point = body.find('.');
    const std::string_view whole(body.data(), point == std::string::npos ? body.size() : point);
    const bool huge = whole.find_first_not_of('0') != std::string_view::npos;
    v = huge ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -v : v;
}

}  // namespace

std::string TrimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

int FilterNumericKey(int keyAscii) {
  if (keyAscii == 8 || keyAscii == 44 || keyAscii == 45 || keyAscii == 46) return keyAscii;
  if (keyAscii >= 48 && keyAscii <= 57) return keyAscii;
  return 0;
}

double ParseNumber(std::string_view text) {
  std::string s = TrimSpaces(text);
  // An exponent form is never read as such: a value the windows wrote that way is either very
  // large or very small, and the inputs treat it as 10000 or 0.0001.
  if (s.find("E+") != std::string::npos) {
    s = "10000";
  } else if (s.find("E-") != std::string::npos) {
    s = "0.0001";
  }

  std::string acc;
  bool separatorTaken = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (i == 0) {
      if (!(isDigit(c) || isSeparator(c) || c == '+' || c == '-')) break;
      acc += c;
      separatorTaken = isSeparator(c);
      continue;
    }
    if (isDigit(c)) {
      acc += c;
    } else if (isSeparator(c) && !separatorTaken) {
      acc += c;
      separatorTaken = true;
    } else {
      break;
    }
  }

  if (acc.empty()) return 0;
  if (acc.size() == 1) return isDigit(acc[0]) ? acc[0] - '0' : 0;
  // Two characters: a sign with a separator ("-.", "+,") is nothing; ".1" reads as 0.1, as ",5"
  // reads as 0.5.
  if (acc.size() == 2 && !isDigit(acc[0]) && !isDigit(acc[1])) return 0;
  return readAccepted(acc);
}

std::string TextAfterColon(std::string_view text) {
  const auto pos = text.find(':');
  if (pos == std::string_view::npos) return {};
  return TrimSpaces(text.substr(pos + 1));
}

std::string RemoveChar(std::string_view text, std::string_view ch) {
  std::string out(text);
  if (ch.empty()) return out;
  const auto pos = out.find(ch);
  if (pos != std::string::npos) out.erase(pos, ch.size());
  return out;
}

void ConfirmPipeChoice(forms::Form& window) {
  const auto& t = fx().TextTable;
  const int answer = forms::app().platform().msgBox(
      t[199] + "\r\n" + t[200], forms::mb::YesNo + forms::mb::Information, t[198]);
  if (answer != forms::mb::IdYes) window.control("PLAN").setValue(1);
}

}  // namespace veltaro
