#pragma once
// Files written whole or not at all, as a set. Every new file goes to a temporary file in its
// own folder and is flushed to disk; then an intent file beside them lists the renames and
// removals still to do, and only then are they carried out. A write cut off at any moment (the
// program killed, a file that cannot be replaced) is finished by the next use of the same intent
// file: by the time the list exists every new file is whole, so the old set or the new one is
// on disk, never a mix.
//
// A file without any write permission bit is read-only, as a file's own read-only attribute is
// elsewhere: it is neither replaced nor removed, also not by the superuser.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veltaro {

// A file that could not be written, read, replaced or removed. what() names the file.
class FileError : public std::runtime_error {
 public:
  FileError(const std::string& path, const std::string& problem, bool unfinished = false);
  const std::string& path() const { return path_; }
  // The intent file was written before the failure: the set is replaced in part, and the
  // rest is done by the next use of the set.
  bool unfinished() const { return unfinished_; }

 private:
  std::string path_;
  bool unfinished_;
};

// Every intent file's name ends with this (in any letter case): the temporary files such a
// list names are kept until it is carried out.
inline constexpr std::string_view kIntentExtension = ".PND";

struct FileContent {
  std::string path;
  std::string bytes;
};

struct FileSet {
  std::string intent;                 // the intent file; every file of the set is in its folder
  std::vector<FileContent> files;     // replaced in this order, after the removals
  std::vector<std::string> removals;  // files of an earlier set that this one has not
  // The set's own file names without folder: "<name>.tmp-<pid>" files that an earlier writer
  // left are cleared away with the temporary files of ours that no running write owns.
  std::vector<std::string> names;
};

// Finishes an earlier write of the same intent file, clears away stale temporary files, and
// writes the set. FileError naming the file that failed: when it is not unfinished(), every
// file is as it was.
void WriteFileSet(const FileSet& set);

// Finishes a write of the set that was cut off, if its intent file is there, and clears away
// the temporary files in its folder that no running write owns. FileError when it cannot.
void CompletePendingSet(const std::string& intent, const std::vector<std::string>& names);

// File names matched without regard to letter case.
bool SameFileName(std::string_view a, std::string_view b);

// True when the file exists and nobody may write it.
bool IsReadOnly(const std::string& path);

// For tests: called after each step of WriteFileSet (each temporary file, the intent file,
// each rename or removal, the intent file removed) with the step's number from 1; true ends
// the write there as a crash would, leaving every file as it is. An empty hook is none.
void SetWriteStepHook(std::function<bool(int step)> hook);

}  // namespace veltaro
