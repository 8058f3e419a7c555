#pragma once
// The product-file checksum: CRC-16/XMODEM (polynomial 0x1021, start 0, most significant bit
// first, no reflection, no final XOR) over the product file's lines joined without separators,
// compared with the value recorded for the country in \Text\Check.CRC.

#include <cstdint>
#include <string>
#include <string_view>

namespace veltaro {

class clsCRC16 {
 public:
  // The checksum of bytes 0..n-1; 0 when n <= 0.
  int32_t CRC16A(const unsigned char* bytes, long n) const;
};

// The checksum of the text's bytes as four upper-case hexadecimal digits ("" gives "0000").
std::string CRC16Hex(std::string_view bytes);

// True when the product file must be treated as changed: its checksum differs from the one
// recorded for the first two characters of CountryCode (case-sensitive; "MR" for "MRN"), or no
// line of the checksum file carries that key. The product file is "\Text\Product." followed by
// CountryCode unchanged (no fallback to "DK"). The checksum covers the bytes as stored, so it
// does not depend on the code page; a file of any length is tested.
// DataFileError when the product file or the checksum file is missing.
bool ProductFileChanged();

}  // namespace veltaro
