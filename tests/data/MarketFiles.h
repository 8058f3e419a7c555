// Reading the shipped market files the way the program sees them, for the data tests.
#pragma once

#include <string>
#include <vector>

namespace datatest {

struct MarketFile {
  std::vector<std::string> raw;    // lines in the code page, without their CR LF
  std::vector<std::string> lines;  // the same lines in UTF-8
  bool crlfOnly = true;            // every line ends with CR LF
};

inline std::string sourceDir() {
  return VELTARO_SOURCE_DIR;
}
// Code page 0 is plain ASCII. Throws when the file is missing or holds a byte the code page
// lacks.
MarketFile readMarketFile(const std::string& path, int codePage);

std::vector<std::string> fieldsOf(const std::string& line);  // ";"-ended fields
// The size the pipe-only check reads from a pipe-size text.
int pipeSizeKey(const std::string& text);
// Width and height of a JPEG or BMP picture; false when the header is not understood.
bool pictureSize(const std::string& path, int& width, int& height);

}  // namespace datatest
