#include "MarketFiles.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/NumericInput.h"
#include "core/TextFile.h"

namespace datatest {

MarketFile readMarketFile(const std::string& path, int codePage) {
  MarketFile f;
  const std::string bytes = veltaro::ReadFileBytes(path);
  f.crlfOnly =
      (bytes.empty() || bytes.ends_with("\r\n")) &&
      std::count(bytes.begin(), bytes.end(), '\n') == std::count(bytes.begin(), bytes.end(), '\r');
  for (const std::string& line : veltaro::SplitLines(bytes)) {
    // A byte the code page does not define decodes to a character the page cannot write back.
    const std::string utf8 = veltaro::DecodeCodePage(line, codePage ? codePage : 1252);
    if (veltaro::EncodeCodePage(utf8, codePage ? codePage : 1252) != line ||
        (codePage == 0 && std::any_of(line.begin(), line.end(), [](char c) { return c < 0; })))
      throw std::runtime_error("a byte outside the code page in " + path);
    f.raw.push_back(line);
    f.lines.push_back(utf8);
  }
  return f;
}

std::vector<std::string> fieldsOf(const std::string& line) {
  std::vector<std::string> out;
  std::string rest = line, field;
  while (veltaro::TakeField(rest, field)) out.push_back(field);
  if (!rest.empty()) out.push_back("\x01unterminated:" + rest);
  return out;
}

int pipeSizeKey(const std::string& text) {
  std::string key = veltaro::TrimSpaces(text.substr(0, 4));
  if (key.find('/') != std::string::npos) key = veltaro::TrimSpaces(text.substr(0, 3));
  // Digits and one point only; a comma ends the size.
  const size_t comma = key.find(',');
  return static_cast<int>(std::nearbyint(veltaro::ParseNumber(key.substr(0, comma))));
}

bool pictureSize(const std::string& path, int& width, int& height) {
  const std::string b = veltaro::ReadFileBytes(path);
  if (b.size() < 26) return false;
  auto u8 = [&](size_t i) { return static_cast<unsigned char>(b[i]); };
  if (b[0] == 'B' && b[1] == 'M') {
    width = u8(18) | u8(19) << 8 | u8(20) << 16 | u8(21) << 24;
    height = std::abs(static_cast<int>(u8(22) | u8(23) << 8 | u8(24) << 16 | u8(25) << 24));
    return true;
  }
  if (u8(0) != 0xFF || u8(1) != 0xD8) return false;
  for (size_t i = 2; i + 9 < b.size(); i += 2 + (u8(i + 2) << 8 | u8(i + 3))) {
    if (u8(i) != 0xFF) return false;
    if (u8(i + 1) >= 0xC0 && u8(i + 1) <= 0xC3) {
      height = u8(i + 5) << 8 | u8(i + 6);
      width = u8(i + 7) << 8 | u8(i + 8);
      return true;
    }
  }
  return false;
}

}  // namespace datatest
