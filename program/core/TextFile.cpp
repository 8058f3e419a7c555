#include "core/TextFile.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/Errors.h"
#include "core/FileNames.h"
#include "core/Fx.h"
#include "core/MessageLines.h"
#include "forms/Application.h"

namespace veltaro {
namespace fs = std::filesystem;

namespace {

std::string iconvName(int codePage) {
  return "WINDOWS-" + std::to_string(codePage);
}

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(
          TextOr(lines::NoCodePage, "this computer cannot convert the code page") + " " +
          (std::string_view(from) == "UTF-8" ? to : from));
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as it can; returns false at an invalid or incomplete sequence, with
  // `in` pointing at it.
  bool run(std::string_view& in, std::string& out) {
    char buf[1024];
    while (!in.empty()) {
      char* src = const_cast<char*>(in.data());
      std::size_t srcLeft = in.size();
      char* dst = buf;
      std::size_t dstLeft = sizeof buf;
      const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buf, static_cast<std::size_t>(dst - buf));
      in.remove_prefix(in.size() - srcLeft);
      if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

void appendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Length of the UTF-8 sequence that starts with byte c (1 for a stray byte).
std::size_t utf8Length(unsigned char c) {
  if (c >= 0xF0 && c < 0xF8) return 4;
  if (c >= 0xE0) return 3;
  if (c >= 0xC0) return 2;
  return 1;
}

}  // namespace

int CodePageFor(std::string_view countryCode) {
  return (countryCode == "LT" || countryCode == "LV" || countryCode == "EE") ? 1257 : 1252;
}

int MarketCodePage() {
  return CodePageFor(fx().CountryCode);
}

std::string DecodeCodePage(std::string_view bytes, int codePage) {
  Converter conv("UTF-8", iconvName(codePage).c_str());
  std::string out;
  out.reserve(bytes.size());
  while (!conv.run(bytes, out)) {
    // A byte the code page leaves undefined reads as the character of the same code.
    appendUtf8(out, static_cast<unsigned char>(bytes.front()));
    bytes.remove_prefix(1);
  }
  return out;
}

std::string EncodeCodePage(std::string_view utf8, int codePage) {
  Converter conv(iconvName(codePage).c_str(), "UTF-8");
  std::string out;
  out.reserve(utf8.size());
  while (!conv.run(utf8, out)) {
    out += '?';
    utf8.remove_prefix(std::min(utf8.size(), utf8Length(static_cast<unsigned char>(utf8[0]))));
  }
  return out;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const auto lf = bytes.find('\n', start);
    std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
    std::size_t contentEnd = end;
    if (contentEnd > start && bytes[contentEnd - 1] == '\r') --contentEnd;
    lines.emplace_back(bytes.substr(start, contentEnd - start));
    if (lf == std::string_view::npos) break;
    start = lf + 1;
  }
  return lines;
}

std::string ReadFileBytes(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec))
    throw DataFileError(path, 0, TextOr(lines::FileMissing, "the file is missing"));
  std::ifstream in(path, std::ios::binary);
  if (!in) throw DataFileError(path, 0, TextOr(lines::FileUnreadable, "the file cannot be read"));
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad())
    throw DataFileError(path, 0, TextOr(lines::FileUnreadable, "the file cannot be read"));
  return bytes;
}

std::vector<std::string> ReadTextLines(const std::string& path, int codePage) {
  // CR and LF are the same bytes in every code page, so the file is decoded whole.
  const std::string bytes = ReadFileBytes(path);
  try {
    return SplitLines(DecodeCodePage(bytes, codePage));
  } catch (const std::runtime_error& e) {  // the system lacks the code page's converter
    throw DataFileError(path, 0, e.what());
  }
}

std::vector<std::string> ReadTextLines(const std::string& path) {
  return ReadTextLines(path, MarketCodePage());
}

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines, int codePage) {
  std::string bytes;
  for (const auto& line : lines) {
    bytes += EncodeCodePage(line, codePage);
    bytes += "\r\n";
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out)
    throw DataFileError(path, 0, TextOr(lines::FileUnwritable, "the file cannot be written"));
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out)
    throw DataFileError(path, 0, TextOr(lines::FileUnwritable, "the file cannot be written"));
}

std::string ResolvePath(const std::string& folder, std::string_view relative) {
  fs::path result(folder);
  std::size_t start = 0;
  while (start <= relative.size()) {
    auto end = relative.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = relative.size();
    const std::string_view part = relative.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    std::error_code ec;
    fs::path exact = result / std::string(part);
    if (fs::exists(exact, ec) || part == "..") {
      result = exact;
      continue;
    }
    // Several entries may differ only in case (DATA and data): the one name rule decides.
    std::vector<std::string> names;
    for (fs::directory_iterator it(result, ec), endIt; !ec && it != endIt; it.increment(ec))
      names.push_back(it->path().filename().string());
    const std::string match = MatchFileName(names, part);
    result /= match.empty() ? std::string(part) : match;
  }
  return result.generic_string();
}

std::string ProgramPath(std::string_view relative) {
  return ResolvePath(forms::app().platform().programFolder(), relative);
}

bool TakeField(std::string& line, std::string& field) {
  const auto pos = line.find(';');
  if (pos == std::string::npos) return false;
  field = line.substr(0, pos);
  line.erase(0, pos + 1);
  return true;
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string FixedWidth(std::string_view utf8, int width) {
  std::string out;
  int count = 0;
  std::size_t i = 0;
  while (i < utf8.size() && count < width) {
    const std::size_t n =
        std::min(utf8.size() - i, utf8Length(static_cast<unsigned char>(utf8[i])));
    out.append(utf8.substr(i, n));
    i += n;
    ++count;
  }
  out.append(static_cast<std::size_t>(std::max(0, width - count)), ' ');
  return out;
}

}  // namespace veltaro
