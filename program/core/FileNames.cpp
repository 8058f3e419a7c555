#include "core/FileNames.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>

namespace veltaro {

std::string FoldName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(name.data());
  const auto length = static_cast<std::int32_t>(name.size());
  for (std::int32_t i = 0; i < length;) {
    // ASCII, the most of every name, without a look-up.
    if (bytes[i] < 0x80) {
      out += FoldAscii(static_cast<char>(bytes[i++]));
      continue;
    }
    const std::int32_t start = i;
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) {  // no valid UTF-8: the bytes stay as they are
      out.append(name.data() + start, static_cast<std::size_t>(i - start));
      continue;
    }
    // Simple folding, one code point for one, without the Turkic special case: as the up-case
    // tables of exFAT and NTFS take every letter of the basic plane and beyond.
    const UChar32 folded = u_foldCase(c, U_FOLD_CASE_DEFAULT);
    std::uint8_t buffer[U8_MAX_LENGTH];
    std::int32_t n = 0;
    U8_APPEND_UNSAFE(buffer, n, folded);  // a code point folds to a code point
    out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
  }
  return out;
}

bool SameFileName(std::string_view a, std::string_view b) {
  return a == b || FoldName(a) == FoldName(b);
}

std::string MatchFileName(const std::vector<std::string>& names, std::string_view wanted) {
  const std::string* best = nullptr;
  for (const std::string& n : names) {
    if (n == wanted) return n;
    if (SameFileName(n, wanted) && (!best || n < *best)) best = &n;
  }
  return best ? *best : std::string();
}

}  // namespace veltaro
