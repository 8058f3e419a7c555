#pragma once
// Files written whole or not at all, as a set. A save makes every file it needs beside the set
// itself, exclusively, under names nobody can foretell: the new files, a copy of every file it
// replaces or removes, and then its list of changes (files/ChangeList.h), which records which file
// each name was. The list's "go" line is the one point of commit: before it the set on disk is
// untouched, after it the save is carried forward, by this use or the next one, and rolled back
// only where it cannot go forward, from the copies it made. Where neither can be had, the set
// is told as mixed, and the list stays as its mark until the next save (or the set's removal).
//
// One program at a time writes a set: every use that may write it holds its lock
// (files/SetLock.h). Lock files and every new file take the permission bits of the set's model
// (the case's header), so that whoever may write the set may take it. A file without any write
// permission bit is read-only: it is neither replaced nor removed, also not by the superuser.
// In a folder with the sticky bit the set is the files of the owner of its model, the one the
// user picked (one predicate, partOfSet, for every look-up): another account's file at a name
// the set uses is left out, named and never acted on, and where the set would replace or remove
// it, it stops that save or removal before anything is written. Only the set's owner, and the
// superuser, change the set there; anyone else, the folder's owner too, reads it as its files
// stand. A file found at one of a save's own names that is not the file the list recorded is
// never trusted, removed or renamed into the set.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/ChangeList.h"
#include "files/FileError.h"
#include "files/FileOps.h"
#include "files/SetLock.h"

namespace veltaro {

struct FileContent {
  std::string name;  // in the set's folder
  std::string bytes;
};

// Where a set lives and what it may hold.
struct FileSetPlace {
  std::string folder;
  std::string lastList;            // the last builds' list name, in any letter case
  std::string keyName;             // the name the set's keys are made from
  std::vector<std::string> names;  // the set's own file names, the one it is known by first
  // One of `names`, in any letter case (the spelling the user picked): a file the set does not
  // have yet, and the lock file, take its permission bits and group, as a file replaced keeps
  // its own; in a folder with the sticky bit its owner's files are the set. Empty, or not
  // there: the user's umask, and the user's files.
  std::string model;
};

// A short key of a name, the same in any letter case (as FoldName folds it): 64 bits, so that
// two names of a folder rarely share one. A key is a name, never an identity: a list names its
// set.
std::string NameKey(std::string_view name);
// The function NameKey is, settable so that a test can give two names one key; the one it
// replaces is returned.
using NameKeyFunction = std::string (*)(std::string_view);
NameKeyFunction SetNameKeyFunction(NameKeyFunction key);
// The keys the last two builds gave the name: 64 bits of ASCII letters folded, and 32 bits,
// which other names may share (their temporary files are the set's only where a list says so).
std::string LastNameKey(std::string_view name);
std::string EarlierNameKey(std::string_view name);

// One use of a set: its lock held from construction to destruction and the folder listed once.
class FileSetWriter {
 public:
  // The lock taken as SetLock::take says (FileError InUse, Read, LockDenied or Write). In a
  // folder where no lock file can be made or held (one we may only read, a read-only medium, a
  // full disk, a file system without locks) `mayRead` goes on without it once no holder keeps
  // one: nothing there can be written by us either, settle() only tells the set as it stands,
  // and what is read is shown only when unchanged() says so, as by a colleague whose lock does
  // not count (locked()). Without `mayRead`, a use that may not change the set (another
  // account's in a shared folder) stops with FileError OwnedByAnother naming its model.
  FileSetWriter(FileOps& ops, FileSetPlace place, int waitMs, bool mayRead = false);
  ~FileSetWriter();
  FileSetWriter(const FileSetWriter&) = delete;
  FileSetWriter& operator=(const FileSetWriter&) = delete;

  // The folder's entries as they are now (kept up to date with what this use changes).
  const std::vector<FolderEntry>& entries() const { return entries_; }
  std::string path(const std::string& name) const;
  // The set's folder, held open while this use lasts.
  const Folder& folder() const { return folder_; }

  // The one ownership rule: in a folder with the sticky bit, a file owned by another user than
  // the owner of the set's model (the user's, where there is none yet) or the superuser is no
  // part of the set.
  bool partOfSet(const FileInfo& info) const;
  // Whether this use holds a lock that every writer of the set counts: ours, where it is
  // part of the set (a colleague's in a shared folder is not).
  bool locked() const { return lock_->held() && partOfSet(lock_->file()); }
  // For a use without a lock that counts: whether nothing of the set changed and no other
  // program held, or may have held, its lock over the whole stretch from before this use's
  // first look at the set (its holders and settle() included) to now. Always true with the
  // lock. FileError Read when the set cannot be looked at.
  bool unchanged();
  // Lists of the set this use left alone, being no part of it: for the user to be told.
  const std::vector<std::string>& listsLeftOut() const { return leftOut_; }

  // The one way a use begins: brings every list of the set to rest. A list not begun is given
  // up; one begun is finished, or undone where it cannot be finished. `ask` is told of a save
  // that was undone (its answer is not used), and decides on a list that cannot be trusted
  // (true: it is given up) and on a mixed set (true: it is kept as it is, its list the mark).
  // A list stuck both ways, also for a passing cause, is asked about as mixed. Without the lock
  // (nothing can be written) nothing changes: a mixed set is asked about with the cause (its
  // error), a whole one is as it stands. False when it said no, with nothing changed. FileError
  // Read (unfinished() once a list was begun) when a list or a file it names cannot be read. The
  // set's stale files of its own naming are cleared away.
  bool settle(const std::function<bool(const FileError&)>& ask);
  // Writes the set (after settle()): the files, then the removals of files it no longer has,
  // each under one of the set's names in any letter case;
  // a mixed set's marks go with it. FileError naming the file that failed; undone() or
  // nothing changed: every file is as it was; unfinished(): the next use finishes or undoes
  // it; mixed(): neither can be had, and the set is told mixed until it is written again.
  void write(const std::vector<FileContent>& files, const std::vector<std::string>& removals);

  struct Look;  // how a change of a list stands
  // How a list came to rest, and why it did not go forward.
  struct Outcome {
    enum Kind { NotCommitted, Damaged, Finished, Undone, Unfinished, Mixed } kind = Finished;
    std::optional<FileError> error;
  };

 private:
  void begin(int waitMs, bool mayRead);  // the lock taken, the folder listed
  // Lists the folder and finds the set's model and owner. 0 or the errno of the listing. The
  // owner is known after the first listing, or the use stops (FileError Read when the model
  // cannot be looked at in a shared folder); a later one keeps it when that look fails.
  int listEntries(bool ownerKnown = false);
  // The set as it stands now, by every entry at its names and of its own naming: two equal
  // pictures mean nothing of the set changed between them. The folder is listed afresh
  // (entries() follow it). FileError Read when it cannot be looked at.
  std::string picture();
  // Whether this use may change the set: not another account's in a shared folder, where only
  // the set's owner and the superuser do, whoever owns the folder.
  bool mayWriteSet() const { return !shared_ || me_ == 0 || me_ == setOwner_; }
  bool holdsLock() const { return lock_ && lock_->held(); }
  // The set as the user knows it, by its first file: what a set held by another program, or
  // one that cannot be written at all, is named by.
  std::string shownPath() const;
  // A new file of the set's own naming (CreateOwnFile), known as an entry. 0 or the errno.
  int createOwn(std::string& name, std::string_view bytes, const FileInfo* like,
                std::string_view suffix = {});
  // A fact of the file system, not of the set: in a folder with the sticky bit only the owner
  // of a file, or of the folder, or the superuser may rename or remove it.
  bool mayChange(const FileInfo& info) const;
  // Why a file where a change goes cannot be replaced or removed; none when it can. Something
  // that is no file is named with the `step` that cannot be done to it.
  std::optional<FileError> blockAt(const std::string& name, const FileInfo& info,
                                   FileProblem step = FileProblem::NotRegular) const;
  // Why the file at `name` is not the save's own, whole as `id` says (an unknown id: any
  // regular file of the list's writer): lost (Read), NotRegular or OwnedByAnother; none when
  // it is; `info` the entry as it was looked at; `writer` the owner of the list that names it;
  // `target` the change's target, whose owner a superuser's save gave its own files. Throws
  // Read when it cannot be looked at.
  std::optional<FileProblem> distrust(const std::string& name, const FileId& id, FileInfo& info,
                                      unsigned writer, const FileInfo* target = nullptr);
  // Removes a file of the save's own for `target`, as distrust() tells it; another file there
  // stays.
  void dropOwn(const std::string& name, const FileId& id, unsigned writer,
               const std::string& target);
  void forget(const std::string& name);
  void clearStale();

  // The state machine of a list (ListStates.cpp); `writer` is the owner of the list.
  std::vector<Look> assess(const ChangeList& changeList, unsigned writer);
  Outcome settleList(const std::string& list, const ChangeList& changeList, unsigned writer);
  std::optional<FileError> forward(const ChangeList& changeList, const std::vector<Look>& looks);
  std::optional<FileError> back(const ChangeList& changeList, const std::vector<Look>& looks);
  // Renames the save's own file `from` to `target`, whose entry was `t` when looked at.
  std::optional<FileError> putInPlace(const std::string& from, const std::string& target,
                                      FileInfo t);
  // Why the list cannot go forward (or back) with the files as they are; none when it can.
  std::optional<FileError> firstBlock(const ChangeList& changeList, const std::vector<Look>& looks,
                                      bool forward) const;
  // Removes the list, then the save's own files it names.
  void clear(const std::string& list, const ChangeList& changeList, unsigned writer);
  // A list the save retires removed, or gone, or another file at its name; why not when a look
  // at it failed.
  std::optional<FileError> retire(const RetiredList& list);
  FileError mixedError(FileError error, const ChangeList& changeList,
                       const std::vector<Look>& looks);
  bool showsProgress(const ChangeList& changeList, unsigned writer);
  // A list kept as the mixed set's mark: its own files stay with it.
  void keep(const std::string& list, const std::string& bytes, const ChangeList& readable);
  // A list that is not brought to rest here (`bytes`, of `writer`): the set owner's, which we
  // may not change (left out when not mixed), or ours where nothing can be written (`cause`,
  // the errno that says why). Told mixed, or nothing. False when the user gives up.
  bool tellAsItStands(const std::string& list, const std::string& bytes, unsigned writer, int cause,
                      const std::function<bool(const FileError&)>& ask);

  FileOps& ops_;
  FileSetPlace place_;
  ListNames names_;
  Folder folder_;
  bool shared_ = false;  // the folder has the sticky bit
  unsigned me_ = 0;      // the user we are
  unsigned folderOwner_ = 0, setOwner_ = 0;
  FileInfo modelInfo_;  // the set's model as last listed; not regular when there is none
  std::vector<FolderEntry> entries_;
  std::vector<std::string> leftOut_;
  std::vector<RetiredList> marks_;       // lists kept as the marks of a mixed set
  std::vector<std::string> referenced_;  // own files named by lists that stay
  std::unique_ptr<SetLock> lock_;
  std::string firstPicture_;  // without a lock that counts: the set before the first look
};

}  // namespace veltaro
