#include "MarketFiles.h"

#include <iconv.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace datatest {

std::string sourceDir() {
  return VELTARO_SOURCE_DIR;
}

std::string codePageOf(const std::string& market) {
  return (market == "LT" || market == "LV" || market == "EE") ? "CP1257" : "CP1252";
}

bool readBytes(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  out = ss.str();
  return true;
}

namespace {

std::string toUtf8(const std::string& bytes, const std::string& codePage) {
  iconv_t cd = iconv_open("UTF-8", codePage.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no converter for " + codePage);
  std::string out(bytes.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size(), outLeft = out.size();
  char* dst = out.data();
  const size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) throw std::runtime_error("a byte outside " + codePage);
  out.resize(out.size() - outLeft);
  return out;
}

std::u32string toUtf32(const std::string& utf8) {
  std::u32string out;
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char c = utf8[i];
    const int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.push_back(cp);
    i += len;
  }
  return out;
}

std::string fromUtf32(const std::u32string& s) {
  std::string out;
  for (char32_t cp : s) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

}  // namespace

MarketFile readMarketFile(const std::string& path, const std::string& codePage) {
  MarketFile f;
  if (!readBytes(path, f.bytes)) throw std::runtime_error("missing " + path);
  size_t start = 0;
  while (start < f.bytes.size()) {
    size_t end = f.bytes.find('\n', start);
    if (end == std::string::npos) {
      f.crlfOnly = false;  // last line without its line end
      end = f.bytes.size();
    }
    std::string line = f.bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    else if (end < f.bytes.size())
      f.crlfOnly = false;
    f.raw.push_back(line);
    f.lines.push_back(toUtf8(line, codePage));
    start = end + 1;
  }
  return f;
}

std::string trim(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string upper(const std::string& utf8) {
  std::u32string s = toUtf32(utf8);
  for (char32_t& c : s) {
    if (c >= U'a' && c <= U'z')
      c -= 32;
    else if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
      c -= 32;
    else if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
      c &= ~char32_t(1);  // pairs: upper case even, lower case odd
    else if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
      c -= (c % 2 == 0) ? 1 : 0;  // pairs: upper case odd, lower case even
  }
  return fromUtf32(s);
}

bool leadingNumber(const std::string& text, double& value) {
  std::string digits;
  size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) digits += text[i++];
  bool separator = false, any = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits += c;
      any = true;
    } else if ((c == '.' || c == ',') && !separator) {
      digits += '.';
      separator = true;
    } else {
      break;
    }
  }
  if (!any) return false;
  value = std::stod(digits);
  return true;
}

std::vector<std::string> fieldsOf(const std::string& line) {
  std::vector<std::string> out;
  size_t start = 0, end;
  while ((end = line.find(';', start)) != std::string::npos) {
    out.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  if (start != line.size()) out.push_back("\x01unterminated:" + line.substr(start));
  return out;
}

std::uint16_t crc16Xmodem(const std::string& bytes) {
  std::uint16_t crc = 0;
  for (unsigned char b : bytes) {
    crc ^= static_cast<std::uint16_t>(b << 8);
    for (int k = 0; k < 8; ++k)
      crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ 0x1021)
                           : static_cast<std::uint16_t>(crc << 1);
  }
  return crc;
}

int pipeSizeKey(const std::string& text) {
  std::string key = trim(text.substr(0, 4));
  if (key.find('/') != std::string::npos) key = trim(text.substr(0, 3));
  std::string digits;
  bool point = false;
  for (char c : key) {
    if (c >= '0' && c <= '9')
      digits += c;
    else if (c == '.' && !point)
      point = true, digits += c;
    else
      break;
  }
  if (digits.empty() || digits == ".") return 0;
  return static_cast<int>(std::nearbyint(std::stod(digits)));  // halves to even
}

bool pictureSize(const std::string& path, int& width, int& height) {
  std::string b;
  if (!readBytes(path, b) || b.size() < 26) return false;
  auto u8 = [&](size_t i) { return static_cast<unsigned char>(b[i]); };
  if (b[0] == 'B' && b[1] == 'M') {
    width = u8(18) | u8(19) << 8 | u8(20) << 16 | u8(21) << 24;
    height = std::abs(static_cast<int>(u8(22) | u8(23) << 8 | u8(24) << 16 | u8(25) << 24));
    return true;
  }
  if (u8(0) != 0xFF || u8(1) != 0xD8) return false;
  for (size_t i = 2; i + 9 < b.size();) {
    if (u8(i) != 0xFF) return false;
    const int marker = u8(i + 1);
    const size_t len = u8(i + 2) << 8 | u8(i + 3);
    if (marker >= 0xC0 && marker <= 0xC3) {
      height = u8(i + 5) << 8 | u8(i + 6);
      width = u8(i + 7) << 8 | u8(i + 8);
      return true;
    }
    i += 2 + len;
  }
  return false;
}

}  // namespace datatest
