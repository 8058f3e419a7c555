#pragma once
// Files written whole or not at all, as a set. Every new file goes to a temporary file in its
// own folder and is flushed to disk; then an intent file beside them lists the renames and
// removals still to do (core/Journal.h), and only then are they carried out. A write cut off at
// any moment is finished by the next use of the set: by the time the list exists every new file
// is whole, so the old set or the new one is on disk, never a mix.
//
// One program at a time writes a set: every use holds an advisory lock on a file beside it, and
// a temporary file of the set is stale only while that lock is held. A file without any write
// permission bit is read-only: it is neither replaced nor removed, also not by the superuser.

#include <string>
#include <string_view>
#include <vector>

#include "core/FileOps.h"
#include "core/Journal.h"

namespace veltaro {

struct FileContent {
  std::string name;  // in the set's folder
  std::string bytes;
};

// Where a set lives and what it may hold.
struct FileSetPlace {
  std::string folder;
  std::string intent;              // the intent file's name in the folder, in any letter case
  std::string key;                 // names the set's temporary files and its lock file
  std::vector<std::string> names;  // the set's own file names
  // One of `names`, in any letter case: a file the set does not have yet takes its permission
  // bits and group, as a file replaced keeps its own. Empty, or not there: the user's umask.
  std::string model;
};

// A short key of a name, the same in any letter case.
std::string NameKey(std::string_view name);

// One use of a set: its lock held from construction to destruction and the folder listed once.
class FileSetWriter {
 public:
  // FileError InUse when another program keeps the lock beyond `waitMs`. In a folder where no
  // lock file can be made (one we may only read) `mayRead` goes on without it: nothing there
  // can be written by us either.
  FileSetWriter(FileOps& ops, FileSetPlace place, int waitMs, bool mayRead = false);
  ~FileSetWriter();
  FileSetWriter(const FileSetWriter&) = delete;
  FileSetWriter& operator=(const FileSetWriter&) = delete;

  // The folder's entries as they are now (kept up to date with what this use changes).
  const std::vector<FolderEntry>& entries() const { return entries_; }
  std::string path(const std::string& name) const;
  // The set's folder, held open while this use lasts.
  const Folder& folder() const { return folder_; }

  // Finishes a write that was cut off and clears away the set's stale temporary files.
  // FileError Damaged, with nothing changed, when the intent file cannot be trusted.
  void complete();
  // Gives up a damaged intent file (every one in any letter case): removes it and the set's
  // temporary files it names; the set's files stay as they are.
  void discard();
  // Writes the set (after complete()): the files, then the removals of files it no longer has.
  // FileError naming the file that failed; when it is not unfinished(), every file is as it was.
  void write(const std::vector<FileContent>& files, const std::vector<std::string>& removals);
  // Removes one file of the set; 0 or the errno.
  int remove(const std::string& name);

 private:
  void begin(int waitMs, bool mayRead);          // the lock taken, the folder listed
  std::vector<std::string> intentNames() const;  // in any letter case
  std::string intentName() const;
  void forget(const std::string& name);
  void clearStale();
  FileOps& ops_;
  FileSetPlace place_;
  Folder folder_;
  std::vector<FolderEntry> entries_;
  int lock_ = -1;
};

// True when the entry exists and nobody may write it.
bool IsReadOnly(const FileInfo& info);

}  // namespace veltaro
