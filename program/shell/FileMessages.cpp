#include "shell/FileMessages.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "core/Fx.h"
#include "core/MessageLines.h"

namespace veltaro {

namespace {

bool folderExists(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  struct stat st {};
  return ::stat(folder.empty() ? "." : folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string FileErrorText(const FileError& e) {
  int line = lines::SystemError;
  switch (e.problem()) {
    case FileProblem::Read:
      line = lines::ReadFailed;
      break;
    case FileProblem::Write:
      line = lines::WriteFailed;
      break;
    case FileProblem::Replace:
      line = lines::ReplaceFailed;
      break;
    case FileProblem::Remove:
      line = lines::RemoveFailed;
      break;
    case FileProblem::ReadOnly:
      line = lines::ReadOnly;
      break;
    case FileProblem::NotRegular:
      line = lines::NotAFile;
      break;
    case FileProblem::OwnedByAnother:
      line = lines::OthersFile;
      break;
    case FileProblem::BadName:
      line = lines::BadName;
      break;
    case FileProblem::InUse:
      line = lines::InUse;
      break;
    case FileProblem::LockDenied:
      line = lines::LockDenied;
      break;
    case FileProblem::Damaged:
      line = lines::CutOffSave;
      break;
    case FileProblem::Mixed:
      // With a cause: where nothing can be written, and the case opens as its files stand.
      line = e.error() ? lines::MixedUnwritable : lines::CaseMixed;
      break;
  }
  std::string text = e.path() + "\r\n" + Text(line);
  int cause = 0;
  switch (e.error()) {
    case 0:
    case EWOULDBLOCK:
      break;
    case EACCES:
    case EPERM:
      // Refused a new file, the folder may only be read; a lock file that may not be opened
      // is named after the text.
      if (e.problem() == FileProblem::Mixed && !e.deniedLock.empty()) break;
      cause = e.problem() == FileProblem::Mixed || e.newEntry() ? lines::ReadOnlyFolder
                                                                : lines::AccessDenied;
      break;
    case ENOSPC:
    case EDQUOT:
      cause = lines::DiskFull;
      break;
    case EFBIG:
      cause = lines::TooLarge;
      break;
    case ENOENT:
      // A file gone from a folder that is there (removed while it was read, or the save's own
      // file removed by someone else) is not found; the folder is missing only where it is.
      cause = folderExists(e.path()) ? lines::NotFound : lines::NoFolder;
      break;
    case ENOTDIR:
      cause = lines::NoFolder;
      break;
    case EROFS:
      cause = lines::WriteProtected;
      break;
    case ELOOP:
    case EISDIR:
      cause = lines::NotAFile;
      break;
    default:
      cause = lines::SystemError;
  }
  if (cause) text += " " + Text(cause, {std::to_string(e.error())});
  if (!e.deniedLock.empty()) text += "\r\n" + e.deniedLock + "\r\n" + Text(lines::LockDenied);
  return text;
}

}  // namespace veltaro
