#include "files/FileError.h"

#include <utility>

namespace veltaro {

FileError::FileError(std::string path, FileProblem problem, int error, bool unfinished)
    : std::runtime_error(path),
      path_(std::move(path)),
      problem_(problem),
      error_(error),
      unfinished_(unfinished) {}

}  // namespace veltaro
