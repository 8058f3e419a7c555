#pragma once
// A file of a set that failed, and why; the commands above word it for the user
// (shell/FileMessages.h).

#include <stdexcept>
#include <string>
#include <vector>

namespace veltaro {

// What went wrong with a file; the command that ran words it for the user.
enum class FileProblem {
  Read,            // cannot be read
  Write,           // cannot be written (also a folder that is missing)
  Replace,         // the new file cannot take the old one's place
  Remove,          // cannot be deleted
  ReadOnly,        // no write permission bit: neither replaced nor removed
  NotRegular,      // a folder, link or device where a file of the set belongs
  OwnedByAnother,  // another user's file in a shared (sticky) folder
  BadName,         // not a name the set may have
  InUse,           // another program holds the set's lock
  LockDenied,      // the set's lock file is another user's, and may not be opened
  Damaged,         // the list cannot be trusted; nothing was done with it
  Mixed,           // a save begun can be neither finished nor undone: old and new files beside
                   // each other
};

class FileError : public std::runtime_error {
 public:
  FileError(std::string path, FileProblem problem, int error = 0, bool unfinished = false);
  const std::string& path() const { return path_; }
  FileProblem problem() const { return problem_; }
  int error() const { return error_; }  // errno of the call that failed, 0 when none
  // The list was committed before the failure: the rest is done by the next use.
  bool unfinished() const { return unfinished_; }
  // Changes made before the failure were undone: the set is whole as it was before.
  bool undone() const { return undone_; }
  // The set can be neither finished nor undone: it is told as mixed until it is written again.
  bool mixed() const { return mixed_ || problem_ == FileProblem::Mixed; }
  FileError& markUndone() {
    undone_ = true;
    unfinished_ = false;
    return *this;
  }
  FileError& markUnfinished() {
    unfinished_ = true;
    return *this;
  }
  FileError& markMixed() {
    mixed_ = true;
    return *this;
  }
  // The error came from making a new file in the folder: a refusal is the folder's.
  bool newEntry() const { return newEntry_; }
  FileError& markNewEntry() {
    newEntry_ = true;
    return *this;
  }
  // Of a mixed set, the files of the save that was cut off, those of the save before it, and
  // those that cannot be told apart.
  std::vector<std::string> newer, older, either;
  // Of a set that nothing can be written of here: the set's lock file that may not be opened,
  // where that is why.
  std::string deniedLock;

 private:
  std::string path_;
  FileProblem problem_;
  int error_;
  bool unfinished_;
  bool undone_ = false;
  bool mixed_ = false;
  bool newEntry_ = false;
};

}  // namespace veltaro
