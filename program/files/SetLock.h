#pragma once
// The advisory lock that lets one program at a time write a set (files/WholeFiles.h).
//
// A name everybody can foretell is a name anybody can take first: in a folder with the sticky
// bit another account's file there could be neither opened nor removed, and would keep the set
// from every save. So no lock file has a fixed name. Every use makes a lock file of its own,
// exclusively, under a name nobody can foretell (".~vt<key>-<random>.lck", whole, with the
// model's permission bits and, made by the superuser, its owner), locks it (flock), and only
// then looks at every other lock file of the set (".~vt<key>" and ".lck"; the last build's fixed
// ".~vt<key>.lck" too, for the names whose key this build did not change). One that another
// program holds keeps it out: it lets its own go, waits for that one and tries again, at random
// moments, until its time is up; at last it checks that its own is still at its name. Of two
// programs each holding its own, the one that looked later saw the other's held, so at most one
// goes on; that is all two programs need agree on, and a save that renames the header changes
// nothing of it.
//
// A failed look decides nothing: a lock file of the set that cannot be looked at, or whose test
// fails with anything but "held" or "gone", is neither free nor gone; it keeps the use out as a
// held one does, and once the time is up the use stops with the read error that names it. Only
// a lock file that is gone, or one this use locked itself, is free; our own that cannot be
// looked at once locked is no lock, and another is made. Every way round counts against the
// time, so that a look that keeps failing (a dropped network share) ends the wait as well.
//
// Only the set's lock files count (its one ownership rule): another account's file in a shared
// folder is never waited on, and a link, pipe or folder is no lock file. Lock files nobody holds
// (a program killed) are removed by the next use that holds its own, while it holds it, whether
// or not it goes on, so that a program that made one a moment ago and has not locked it yet
// sees ours held and tries again; a use whose lock does not count (a colleague's in a shared
// folder) removes only its own account's. A use that cannot make or hold one (a folder it may
// only read, a full disk, ENOLCK), or may not open the set's when it only reads, goes on
// without the lock once no holder keeps one, and so, in effect, does a colleague in a shared
// folder, whose lock file the set's owner does not count: such a use reads the set as one still
// picture (FileSetWriter::picture), and asks again (othersFree) whether nobody held it meanwhile.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/ChangeList.h"
#include "files/FileOps.h"

namespace veltaro {

inline constexpr std::string_view kLockSuffix = ".lck";

// A new file of a set's own naming (OwnFileName with `key`), made exclusively: a name taken is
// never used, another one is drawn. With a `suffix` it is put in place whole under a name with
// that ending. 0 or the errno; `name` is the file made.
int CreateOwnFile(FileOps& ops, const Folder& folder, std::string_view key, std::string& name,
                  std::string_view bytes, const FileInfo* like, std::string_view suffix = {});

class SetLock {
 public:
  // What the lock asks of its set, afresh at every look; the set's writer answers.
  struct Set {
    // Lists the folder afresh (the set's owner with it): 0 or the errno. With `picture`, for a
    // use that may read without the lock, the set's still picture is taken with it (FileError
    // Read naming what could not be looked at).
    std::function<int(bool picture)> relist;
    std::function<const std::vector<FolderEntry>&()> entries;
    std::function<bool(const FileInfo&)> partOfSet;
    std::function<const FileInfo*()> model;  // whose bits a lock file takes; null: the umask's
  };
  SetLock(FileOps& ops, const Folder& folder, const ListNames& names, unsigned user, Set set);
  ~SetLock() { letGo(); }
  SetLock(const SetLock&) = delete;
  SetLock& operator=(const SetLock&) = delete;

  // Takes the lock, waiting up to `waitMs` for a holder. FileError InUse when a holder keeps it,
  // Read naming a lock file that could not be looked at, LockDenied naming one of the set that
  // may not be opened, Write where none can be made; with `mayRead`, where none can be made or
  // held, or the set's may not be opened, it goes on without (reading()).
  void take(int waitMs, bool mayRead, const std::string& shownPath);
  // Whether no other program holds, or may hold, a lock file of the set now.
  bool othersFree();
  void letGo();  // the lock and our lock file

  bool held() const { return handle_ >= 0; }
  const std::string& name() const { return name_; }
  const FileInfo& file() const { return file_; }
  // Going on without the lock: why nothing of the set can be written here (an errno), and the
  // set's lock file that may not be opened where that is why.
  bool reading() const { return cause_ != 0; }
  int cause() const { return cause_; }
  const std::string& denied() const { return denied_; }

 private:
  // Looks at every other lock file of the set: 0 when none is held; EWOULDBLOCK when one is,
  // or the errno of a look that failed (`which` names it); EACCES when one may not be opened,
  // unless `reading`. Unheld lock files that may go are removed while ours is held.
  int others(bool reading, std::string& which);

  FileOps& ops_;
  const Folder& folder_;
  const ListNames& names_;
  unsigned me_;
  Set set_;
  int handle_ = -1;
  std::string name_;  // our lock file, which `handle_` holds
  FileInfo file_;     // as it was when taken
  int cause_ = 0;
  std::string denied_;
};

}  // namespace veltaro
