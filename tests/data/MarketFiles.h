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

std::string sourceDir();
bool readBytes(const std::string& path, std::string& out);
// Code page 0 is plain ASCII. Throws std::runtime_error when the file is missing or holds a
// byte the code page lacks.
MarketFile readMarketFile(const std::string& path, int codePage);

std::string trim(const std::string& s);
// Upper case of the Latin letters the eight markets use (ASCII, Latin-1, Latin Extended-A).
std::string upper(const std::string& utf8);
// The number at the start of a text (sign, digits, one point or comma); false when none.
bool leadingNumber(const std::string& text, double& value);
std::vector<std::string> fieldsOf(const std::string& line);  // ";"-ended fields
// The size the pipe-only check reads from a pipe-size text.
int pipeSizeKey(const std::string& text);
// Width and height of a JPEG or BMP picture; false when the header is not understood.
bool pictureSize(const std::string& path, int& width, int& height);

}  // namespace datatest
