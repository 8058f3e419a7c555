#include "core/Crc16.h"

#include "core/Fx.h"
#include "core/TextFile.h"

namespace veltaro {

int32_t clsCRC16::CRC16A(const unsigned char* bytes, long n) const {
  uint32_t crc = 0;
  for (long i = 0; i < n; ++i) {
    crc ^= static_cast<uint32_t>(bytes[i]) << 8;
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 0x8000u) ? ((crc << 1) ^ 0x1021u) : (crc << 1);
      crc &= 0xFFFFu;
    }
  }
  return static_cast<int32_t>(crc);
}

std::string CRC16Hex(std::string_view bytes) {
  const clsCRC16 crc;
  const int32_t value = crc.CRC16A(reinterpret_cast<const unsigned char*>(bytes.data()),
                                   static_cast<long>(bytes.size()));
  static const char hex[] = "0123456789ABCDEF";
  std::string out(4, '0');
  for (int i = 3, v = value; i >= 0; --i, v >>= 4) out[static_cast<std::size_t>(i)] = hex[v & 0xF];
  return out;
}

bool ProductFileChanged() {
  const std::string& code = fx().CountryCode;
  // The lines as stored, joined without their line breaks.
  std::string text;
  for (const auto& line : SplitLines(ReadFileBytes(ProgramPath("\\Text\\Product." + code))))
    text += line;
  const std::string computed = CRC16Hex(text);

  const std::string key = code.substr(0, 2);
  std::string recorded;
  for (const auto& line : SplitLines(ReadFileBytes(ProgramPath("\\Text\\Check.CRC")))) {
    if (line.compare(0, 2, key) == 0 && line.size() >= 2) {
      recorded = line.substr(2, 4);
      break;
    }
  }
  return recorded != computed;
}

}  // namespace veltaro
