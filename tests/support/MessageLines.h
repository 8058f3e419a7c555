#pragma once
// The English language file's message lines (222 on), put into the text table as the program
// would read them, for tests that check the words of a message.

#include <cstdlib>
#include <fstream>
#include <string>

#include "core/Fx.h"

namespace testing_support {

inline void UseEnglishMessages() {
  std::ifstream text(VELTARO_SOURCE_DIR "/tools/textdata/src/UK/TextFile.txt");
  for (std::string line; std::getline(text, line);) {
    const std::size_t tab = line.find('\t');
    if (const int n = std::atoi(line.c_str()); n >= 222 && tab != std::string::npos)
      veltaro::fx().TextTable.set(n, line.substr(tab + 1));
  }
}

}  // namespace testing_support
