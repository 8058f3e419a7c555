// Writes Text/Check.CRC: one line per market with the CRC-16/XMODEM of its product file.
//
// The checksum covers the product file's lines joined without their line ends, byte for byte
// as stored (the file is in the market's code page), which is what the program tests at
// start-up. Usage: checksums <Text folder>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::uint16_t crc16Xmodem(const std::string& bytes) {
  std::uint32_t crc = 0;
  for (unsigned char b : bytes) {
    crc ^= static_cast<std::uint32_t>(b) << 8;
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 0x8000) ? ((crc << 1) ^ 0x1021) : (crc << 1);
      crc &= 0xFFFF;
    }
  }
  return static_cast<std::uint16_t>(crc);
}

// The product file's lines joined with nothing between them; CR LF and LF both end a line.
bool joinedLines(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  out.clear();
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out += line;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: checksums <Text folder>\n";
    return 2;
  }
  const std::string dir = argv[1];
  // The file is searched by the first two characters of the market code ("MR" for "MRN").
  const std::vector<std::string> markets = {"DK", "NO", "SE", "UK", "LT", "EE", "LV", "MRN"};
  std::ostringstream out;
  for (const auto& m : markets) {
    std::string text;
    const std::string path = dir + "/Product." + m;
    if (!joinedLines(path, text)) {
      std::cerr << "cannot read " << path << "\n";
      return 1;
    }
    if (text.size() > 32767) {
      std::cerr << path << " is longer than 32767 characters\n";
      return 1;
    }
    char hex[5];
    std::snprintf(hex, sizeof hex, "%04X", crc16Xmodem(text));
    out << m.substr(0, 2) << hex << " Product." << m << "\r\n";
  }
  std::ofstream file(dir + "/Check.CRC", std::ios::binary);
  file << out.str();
  if (!file) {
    std::cerr << "cannot write " << dir << "/Check.CRC\n";
    return 1;
  }
  return 0;
}
