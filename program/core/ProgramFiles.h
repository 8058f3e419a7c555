#pragma once
// The program's own files under the program folder: the settings file with the country code,
// the program file it is compared with, the help file of a market, pictures that may be
// missing, and the number of decimals given on the command line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltaro {
// The country code of the settings file, trimmed and upper-cased; empty when there is no
// file, when it is older than the program file (it is then deleted) or when it holds "XX".
std::string ReadCountryCode();

// True when `path` names an existing regular file.
bool FileExists(const std::string& path);

// The settings file and the program file, under the program folder.
std::string SettingsFilePath();
std::string ProgramFilePath();
// The name of the program file in the program folder.
inline constexpr const char* kProgramFileName = "veltaro";

// A number of decimals: digits only (blanks around them allowed), 0-32767; nullopt otherwise.
std::optional<int16_t> ParseDecimals(std::string_view text);
// HeatLossDecimals of a command line: an empty line, or one that is no number of decimals,
// gives 0.
int16_t DecimalsFromCommandLine(std::string_view commandLine);

// The market's help file under the program folder.
std::string HelpFileFor(std::string_view countryCode);

// The full path of a file under the program folder ("\Images\..."), or empty when there is
// no such file: a missing picture then leaves its place empty.
std::string ExistingProgramFile(std::string_view relative);

}  // namespace veltaro
