#include "MarketFiles.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/TextFile.h"

namespace datatest {

std::string sourceDir() {
  return VELTARO_SOURCE_DIR;
}

bool readBytes(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  out = ss.str();
  return true;
}

MarketFile readMarketFile(const std::string& path, int codePage) {
  MarketFile f;
  std::string bytes;
  if (!readBytes(path, bytes)) throw std::runtime_error("missing " + path);
  f.crlfOnly = bytes.empty() || bytes.ends_with("\r\n");
  for (size_t start = 0, end; start < bytes.size(); start = end + 1) {
    if ((end = bytes.find('\n', start)) == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (line.ends_with('\r'))
      line.pop_back();
    else if (end < bytes.size())
      f.crlfOnly = false;
    // A byte the code page does not define decodes to a character the page cannot write back.
    const std::string utf8 = veltaro::DecodeCodePage(line, codePage ? codePage : 1252);
    if (veltaro::EncodeCodePage(utf8, codePage ? codePage : 1252) != line)
      throw std::runtime_error("a byte outside the code page in " + path);
    for (unsigned char c : line)
      if (codePage == 0 && c >= 0x80) throw std::runtime_error("a byte outside ASCII");
    f.raw.push_back(line);
    f.lines.push_back(utf8);
  }
  return f;
}

std::string trim(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string upper(const std::string& utf8) {
  std::string s = utf8;
  for (size_t i = 0; i < s.size(); ++i) {
    const unsigned char c = s[i];
    if (c >= 'a' && c <= 'z') s[i] = static_cast<char>(c - 32);
    if (c < 0xC3 || c > 0xC5 || i + 1 >= s.size()) continue;
    unsigned cp = (c & 0x1F) << 6 | (s[i + 1] & 0x3F);  // U+00C0 to U+017F: two bytes
    if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)
      cp -= 32;
    else if ((cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177))
      cp &= ~1u;  // pairs: upper case even, lower case odd
    else if (((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E)) && cp % 2 == 0)
      cp -= 1;  // pairs: upper case odd, lower case even
    s[i] = static_cast<char>(0xC0 | cp >> 6);
    s[++i] = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
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
