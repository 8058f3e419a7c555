#pragma once
// The file boundary: code pages, line reading and writing, and paths under the program folder.
//
// Inside the program all text is UTF-8. The data files are in the market's Windows code page:
// Windows-1257 for "LT", "LV" and "EE", Windows-1252 for every other code. Conversion happens
// only here. A byte the code page does not define reads as the character with that code; a
// character the code page cannot hold is written as "?".
//
// Lines end with CR LF or LF; a last line without an ending still counts; a file ending with a
// line break has no extra empty line after it. Written files use CR LF.
//
// Paths in the program's own notation ("\Text\Product.DK", "\DATA") are relative to the
// program folder; each component is matched case-insensitively against what exists, as the
// Windows file system does, so "\DATA" and "\data" are one folder.

#include <string>
#include <string_view>
#include <vector>

namespace veltaro {

// 1257 for "LT", "LV", "EE"; 1252 otherwise.
int CodePageFor(std::string_view countryCode);
// The code page of the current market (fx().CountryCode).
int MarketCodePage();

std::string DecodeCodePage(std::string_view bytes, int codePage);  // code page -> UTF-8
std::string EncodeCodePage(std::string_view utf8, int codePage);   // UTF-8 -> code page

// Splits raw bytes into lines (without their line breaks).
std::vector<std::string> SplitLines(std::string_view bytes);

// The whole file as stored. DataFileError (line 0) when it is missing or unreadable.
std::string ReadFileBytes(const std::string& path);
// The file's lines, decoded from the code page into UTF-8.
std::vector<std::string> ReadTextLines(const std::string& path, int codePage);
std::vector<std::string> ReadTextLines(const std::string& path);  // market code page
// Writes the lines, each ended by CR LF, in the code page. DataFileError when it cannot.
void WriteTextLines(const std::string& path, const std::vector<std::string>& lines, int codePage);

// `relative` ("\Text\TextFile.DK", "Text/TextFile.DK") under `folder`, each component matched
// case-insensitively against the existing entries; components that do not exist are kept as
// given. The result uses "/".
std::string ResolvePath(const std::string& folder, std::string_view relative);
// The same under the program folder that the platform reports.
std::string ProgramPath(std::string_view relative);

// A fixed-width field: cut to `width` characters or padded with blanks on the right.
std::string FixedWidth(std::string_view utf8, int width);
// The text with its ASCII small letters made capital, every other byte as it is, whatever the
// user's locale says of them.
std::string UpperAscii(std::string_view text);

// Data lines end every field with ";". Takes the field before the first ";" and drops it with
// its ";" from `line`. False when there is none.
bool TakeField(std::string& line, std::string& field);

}  // namespace veltaro
