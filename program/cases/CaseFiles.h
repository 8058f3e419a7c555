#pragma once
// The files of a case on disk: a header <base>.DAT and beside it one record file per
// calculation, <base>.C01 ... <base>.C07 and <base>.C21 ... <base>.C24. Names are matched
// without regard to letter case, as the file system the cases were first written on did, so
// "roof.dat" and "ROOF.C01" belong to the case "roof".

#include <string>
#include <vector>

#include "core/WholeFiles.h"

namespace veltaro::cases {

// A file of the case that could not be written, read or removed. what() names the file.
using CaseFileError = FileError;

inline constexpr int kHeaderLength = 99;

// The record extension of a CalcType with its point (".C01"), the empty text otherwise.
std::string CaseExtension(int calcType);

// The path without the extension of its file name; a point in a folder name is kept.
std::string StripExtension(const std::string& path);

// The existing file `base` + `extension` when the names match without regard to case;
// the empty text when there is none.
std::string FindCaseFile(const std::string& base, const std::string& extension);
// The path to write `base` + `extension` to: an existing file of that name in another case,
// else the name as given.
std::string CaseFilePath(const std::string& base, const std::string& extension);

// The record files of the case that exist, then its header if it exists.
std::vector<std::string> ExistingCaseFiles(const std::string& base);

// The intent file of a save of the case (see core/WholeFiles.h).
std::string CaseIntentPath(const std::string& base);
// The names of the case's header and record files, without folder.
std::vector<std::string> CaseFileNames(const std::string& base);
// Finishes a save of the case that was cut off and clears away stale temporary files; an
// open, save or delete starts with it. CaseFileError when the save cannot be finished.
void CompletePendingSave(const std::string& base);

// The first `maxBytes` bytes of a file. CaseFileError when it cannot be read.
std::string ReadCaseFile(const std::string& path, std::size_t maxBytes);

// Removes the files in order, going on past one that cannot be removed (a read-only file is
// not); what() of each file left.
std::vector<std::string> RemoveFiles(const std::vector<std::string>& paths);

// The header file's 99 bytes from the three values, and back.
std::string EncodeHeader(const std::string& initials, const std::string& name,
                         const std::string& date);
struct HeaderValues {
  std::string initials, name, date;  // as stored, blanks included
};
// A header shorter than 99 bytes gives empty values.
HeaderValues DecodeHeader(const std::string& bytes);

}  // namespace veltaro::cases
