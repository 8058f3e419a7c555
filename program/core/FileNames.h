#pragma once
// How file names are matched: the rule of names, apart from any file operation, so that every
// layer that looks a name up (program files, case files, reports) matches it as the others do.

#include <string>
#include <string_view>
#include <vector>

namespace veltaro {

// A UTF-8 file name with every letter folded as the file systems that ignore letter case
// (FAT, exFAT, NTFS, network shares) match them: Unicode simple case folding, one code point
// for one, of every script ("RØR" and "rør", "ŠĖ" and "šė", "ДОМ" and "дом"). Bytes that are
// no valid UTF-8 stay as they are, whatever the user's locale says of them: two programs on one
// folder must agree which files are one case's. A file system that folds still more is asked
// for the name itself (CaseFolder).
std::string FoldName(std::string_view name);
// File names matched without regard to letter case, as FoldName folds them.
bool SameFileName(std::string_view a, std::string_view b);
// The byte with an ASCII capital made small, every other byte as it is.
inline char FoldAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The one rule for a name given in any letter case: the entry of exactly that name, else of the
// entries that match it without regard to case the first in byte order, so that the choice
// never depends on the order a folder lists them in. Empty when none matches.
std::string MatchFileName(const std::vector<std::string>& names, std::string_view wanted);

}  // namespace veltaro
