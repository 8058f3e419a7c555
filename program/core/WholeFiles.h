#pragma once
// Files written whole or not at all, as a set. Every new file goes to a temporary file in its
// own folder and is flushed to disk; then an intent file beside them lists the changes
// (core/Journal.h), and only then are they carried out, each file replaced kept under a
// temporary name until the set is through. A step that fails undoes those before it; a write
// cut off at any moment is finished or undone by the next use of the set: the old set or the
// new one is on disk, never a mix, and where a folder lost the kept files the user is told.
//
// One program at a time writes a set: every use holds an advisory lock on a file beside it,
// removed again as the use ends, and a temporary file of the set is stale only while that lock
// is held. A file without any write permission bit is read-only: it is neither replaced nor
// removed, also not by the superuser. In a folder with the sticky bit (a shared one) only the
// user's own lists and temporary files are finished, given up or removed.

#include <functional>
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
  std::string earlierKey;          // an earlier build's key of the set
  std::vector<std::string> names;  // the set's own file names
  // One of `names`, in any letter case: a file the set does not have yet takes its permission
  // bits and group, as a file replaced keeps its own. Empty, or not there: the user's umask.
  std::string model;
};

// A short key of a name, the same in any letter case: 64 bits, so that two names of a folder
// never share one in practice.
std::string NameKey(std::string_view name);
// The 32-bit key an earlier build gave the name; its temporary files are the set's only where
// the set's list names them.
std::string EarlierNameKey(std::string_view name);

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

  // Finishes or undoes a write that was cut off and clears away the set's stale temporary
  // files. FileError: Read when the list cannot be read; Damaged or Mixed, with nothing
  // changed, when it cannot be trusted or settled; undone() when a write begun was undone.
  void complete();
  // Gives up a list that cannot be trusted or settled (every one in any letter case): removes
  // it and the set's temporary files it names; the set's files stay as they are.
  void discard();
  // The one way a use begins: complete(), and for a list that cannot be settled, or a write
  // undone, `ask` decides (true: go on; a list is then given up). False when it said no, with
  // nothing changed.
  bool settle(const std::function<bool(const FileError&)>& ask);
  // Writes the set (after complete()): the files, then the removals of files it no longer has.
  // FileError naming the file that failed; undone() or nothing changed: every file is as it
  // was; unfinished(): the next use finishes or undoes it.
  void write(const std::vector<FileContent>& files, const std::vector<std::string>& removals);
  // Removes one file of the set; 0 or the errno.
  int remove(const std::string& name);

 private:
  void begin(int waitMs, bool mayRead);          // the lock taken, the folder listed
  int listEntries();                             // 0 or the errno
  std::vector<std::string> intentNames() const;  // in any letter case
  std::string intentName() const;
  void forget(const std::string& name);
  void clearStale();
  // In a shared folder, throws OwnedByAnother for an entry that is not the user's.
  void checkOwner(const std::string& name, const FileInfo& info) const;
  std::string tempName();  // a new temporary file name of the set, never one in use
  FileOps& ops_;
  FileSetPlace place_;
  JournalNames names_;
  Folder folder_;
  bool shared_ = false;  // the folder has the sticky bit
  std::vector<FolderEntry> entries_;
  int lock_ = -1;
};

}  // namespace veltaro
