#pragma once
// The words for a file that failed, shared by every command that writes or reads the user's
// files (cases, reports).

#include <string>

#include "files/FileError.h"

namespace veltaro {

// The file that failed, for the user: its path, then what went wrong and the system's reason,
// in the market's language.
std::string FileErrorText(const FileError& e);

}  // namespace veltaro
