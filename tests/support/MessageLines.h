#pragma once
// Lines of the language files put into the text table as the program would read them, for
// tests that check the words of a message: the English message lines (222 on), or a market's
// own words for a few lines.

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>

#include "core/Fx.h"

namespace testing_support {

// The lines of a market's language file that `wanted` accepts.
template <class Wanted>
void UseLines(const std::string& market, Wanted wanted) {
  std::ifstream text(VELTARO_SOURCE_DIR "/tools/textdata/src/" + market + "/TextFile.txt");
  for (std::string line; std::getline(text, line);) {
    const std::size_t tab = line.find('\t');
    if (const int n = std::atoi(line.c_str()); wanted(n) && tab != std::string::npos)
      veltaro::fx().TextTable.set(n, line.substr(tab + 1));
  }
}

inline void UseEnglishMessages() {
  UseLines("UK", [](int n) { return n >= 222; });
}

// A market's own words for the given lines (captions, messages), the rest left as they are.
inline void UseMarketLines(const std::string& market, std::initializer_list<int> lines) {
  UseLines(market, [&](int n) { return std::find(lines.begin(), lines.end(), n) != lines.end(); });
}

}  // namespace testing_support
