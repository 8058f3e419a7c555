#pragma once
// Menu, language and address texts, loaded once at start-up in this order:
//   LoadMenuText   the main window's menu captions and toolbar tips, with the market's rules
//                  for which calculations and items are offered ("\Text\MenuText.<suffix>");
//   LoadTextFile   TextTable, one trimmed line per line of "\Text\TextFile.<suffix>";
//   LoadAddresses  AddressLines and AddressCount from "\Text\adress.all", then loads, hides
//                  and unloads the contact window "frmAdresses", whose load copies the
//                  country's contact block into TextTable (CopyContactBlock).
// The main window is reached as "mdiVeltaro"; the splash window's progress bar "prbStartup"
// on "frmStart" is driven when that window is loaded.
// A missing (or, for the language and contact files, empty) file raises DataFileError.

#include <string>
#include <string_view>

namespace veltaro {

// The suffix of the per-country text and list files: the code for "DK", "UK", "NO", "SE",
// "LT", "EE", "LV", "MRN"; "DK" for any other code.
std::string CountrySuffix(std::string_view countryCode);

void LoadMenuText();
void LoadTextFile();
void LoadAddresses();

// First line of the country's 15-line block in AddressLines: 16 "MRN", 31 "UK", 61 "NO",
// 76 "SE", 91 "LT", 106 "EE", 121 "LV", 46 "DK" and any other code.
int ContactBlockFirstLine(std::string_view countryCode);
// What the contact window's load does with the text table: with b the country's first line,
// lines b..b+3 into TextTable(144..147) (for "NO" b, b+1, b+3, b+4), b+5 into 148,
// TextTable(190/191/192) + " " + line b+6/b+7/b+8 into 149/150/151, b+9 into 152 and 155,
// b+10 into 156. DataFileError naming the contact file when it lacks lines of the block.
void CopyContactBlock();

}  // namespace veltaro
