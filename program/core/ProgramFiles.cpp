#include "core/ProgramFiles.h"

#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/NumericInput.h"
#include "core/TextFile.h"

namespace veltaro {

namespace fs = std::filesystem;

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

std::string SettingsFilePath() {
  return ProgramPath("\\VELTARO.INI");
}

std::string ProgramFilePath() {
  return ProgramPath(std::string("\\") + kProgramFileName);
}

std::string ReadCountryCode() {
  const std::string path = SettingsFilePath();
  if (!FileExists(path)) return "";
  // A settings file older than the program belongs to an earlier installation: ask again.
  // File times count in whole seconds here, so a settings file written in the same second as
  // the program file is as old as it and kept. Without a program file to compare with, the
  // settings file is kept.
  std::error_code ec1, ec2;
  auto seconds = [](fs::file_time_type t) {
    return std::chrono::floor<std::chrono::seconds>(t.time_since_epoch());
  };
  auto settingsTime = fs::last_write_time(path, ec1);
  auto programTime = fs::last_write_time(ProgramFilePath(), ec2);
  if (!ec1 && !ec2 && seconds(settingsTime) < seconds(programTime)) {
    fs::remove(path, ec1);
    return "";
  }
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!in || !std::getline(in, line)) return "";
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::string code = UpperAscii(TrimSpaces(line));
  return code == "XX" ? "" : code;
}

std::optional<int16_t> ParseDecimals(std::string_view text) {
  const std::string digits = TrimSpaces(text);
  if (digits.empty()) return std::nullopt;
  long value = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 32767) return std::nullopt;
  }
  return static_cast<int16_t>(value);
}

int16_t DecimalsFromCommandLine(std::string_view commandLine) {
  return ParseDecimals(commandLine).value_or(0);
}

std::string HelpFileFor(std::string_view code) {
  const char* name = "helpdk";
  if (code == "NO") name = "helpno";
  if (code == "SE") name = "helpse";
  if (code == "UK") name = "helpuk";
  if (code == "LT") name = "helpLT";
  if (code == "EE") name = "helpEE";
  if (code == "LV") name = "helpLV";
  if (code == "MRN") name = "helpMRN";
  // The help file is a folder of HTML pages; the viewer opens its contents page.
  return ProgramPath(std::string("\\help\\") + name + "\\index.html");
}

std::string ExistingProgramFile(std::string_view relative) {
  std::string path = ProgramPath(relative);
  return FileExists(path) ? path : std::string();
}

}  // namespace veltaro
