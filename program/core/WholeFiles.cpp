#include "core/WholeFiles.h"

#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <set>

namespace veltaro {

namespace {

std::string keyText(std::uint64_t h, int digits) {
  char text[17];
  std::snprintf(text, sizeof text, "%0*llx", digits, static_cast<unsigned long long>(h));
  return text;
}

std::uint64_t nameHash(std::string_view folded) {
  std::uint64_t h = 14695981039346656037ull;
  for (char c : folded) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  // Mixed once more, so that names differing only in their last bytes differ in every digit.
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdull;
  h ^= h >> 33;
  return h;
}

std::string asciiFolded(std::string_view name) {
  std::string s(name);
  for (char& c : s) c = FoldAscii(c);
  return s;
}

// The entry of a regular file of that name in any letter case, by the one name rule; empty
// when there is none.
std::string regularEntry(const std::vector<FolderEntry>& entries, const std::string& name) {
  std::vector<std::string> names;
  for (const FolderEntry& e : entries)
    if (e.regular && SameFileName(e.name, name)) names.push_back(e.name);
  return MatchFileName(names, name);
}

}  // namespace

std::string NameKey(std::string_view name) {
  return keyText(nameHash(FoldName(name)), 16);
}

std::string LastNameKey(std::string_view name) {
  return keyText(nameHash(asciiFolded(name)), 16);
}

std::string EarlierNameKey(std::string_view name) {
  std::uint32_t h = 2166136261u;
  for (char c : name) {
    h ^= static_cast<unsigned char>(FoldAscii(c));
    h *= 16777619u;
  }
  return keyText(h, 8);
}

// ---------------------------------------------------------------- the use of a set

FileSetWriter::FileSetWriter(FileOps& ops, FileSetPlace place, int waitMs, bool mayRead)
    : ops_(ops),
      place_(std::move(place)),
      names_{place_.names, place_.intent, NameKey(place_.keyName), LastNameKey(place_.keyName),
             EarlierNameKey(place_.keyName)},
      folder_(place_.folder) {
  // Every call of this use acts on the folder opened now, whatever its path names later.
  ops_.hold(folder_);
  try {
    begin(waitMs, mayRead);
  } catch (...) {
    if (lock_ >= 0) ops_.unlock(lock_);
    ops_.release(folder_);
    throw;
  }
}

FileSetWriter::~FileSetWriter() {
  if (lock_ >= 0) {
    // No lock file stays behind: the next holder checks that it locked the file that is there.
    // One that is no part of the set, or that we may not remove, is left to its owner.
    FileInfo info;
    if (ops_.info(folder_, lockName(), info) == 0 && partOfSet(info) && mayChange(info))
      ops_.remove(folder_, lockName());
    ops_.unlock(lock_);
  }
  ops_.release(folder_);
}

std::string FileSetWriter::path(const std::string& name) const {
  return JoinPath(place_.folder, name);
}

std::string FileSetWriter::lockName() const {
  return std::string(kTempPrefix) + names_.key + ".lck";
}

void FileSetWriter::begin(int waitMs, bool mayRead) {
  // A folder that cannot be looked at is never taken for one without the sticky bit.
  FileInfo folderInfo;
  int e = ops_.info(folder_, ".", folderInfo);
  if (!e && !folderInfo.exists) e = ENOENT;
  if (e == ENOENT || e == ENOTDIR) throw FileError(path(place_.intent), FileProblem::Write, e);
  if (e) throw FileError(place_.folder, FileProblem::Read, e);
  shared_ = (folderInfo.mode & S_ISVTX) != 0;
  folderOwner_ = folderInfo.uid;
  setOwner_ = ::geteuid();
  takeLock(waitMs, mayRead);
  if ((e = listEntries()) != 0) throw FileError(path(place_.intent), FileProblem::Read, e);
}

void FileSetWriter::takeLock(int waitMs, bool mayRead) {
  // The lock file is made whole, with the model's permission bits, before it is put in place:
  // nobody finds it half made, or as private as our umask would make it.
  FileInfo model;
  if (!place_.model.empty()) ops_.info(folder_, place_.model, model);
  for (int attempt = 0;; ++attempt) {
    int e = ops_.lock(folder_, lockName(), waitMs, lock_);
    if (e == 0) return;
    lock_ = -1;
    bool made = false;
    if (e == ENOENT && attempt < 8) {
      std::string temp;
      e = createOwn(temp, "", model.regular ? &model : nullptr);
      if (e == 0) {
        e = ops_.rename(folder_, temp, lockName(), false);
        if (e) ops_.remove(folder_, temp);
        forget(temp);
        // Ours; or one another program made meanwhile; or ours taken for a stale file by the
        // holder's clean-up: the lock file that is there is tried again.
        if (e == 0 || e == EEXIST || e == ENOENT) continue;
      }
      made = true;
    }
    if (e == EWOULDBLOCK) throw FileError(path(place_.intent), FileProblem::InUse, e);
    // A link, pipe or folder in the lock file's place: named, so that the user can move it.
    if (e == ELOOP || e == EISDIR) throw FileError(path(lockName()), FileProblem::NotRegular);
    if (mayRead && (e == EACCES || e == EROFS || e == EPERM)) return;
    // A lock file that another user made and we may not open: named, whoever holds it.
    if (!made && e == EACCES) throw FileError(path(lockName()), FileProblem::LockDenied, e);
    throw FileError(path(place_.intent), FileProblem::Write, e);
  }
}

int FileSetWriter::listEntries() {
  std::vector<FolderEntry> all;
  if (const int e = ops_.list(folder_, all)) return e;
  // Only the entries the set can be concerned with: its own names (and the first writer's
  // temporary files after them), its lists and the writer's own files. In a folder of many
  // files every later look-up is then short.
  auto concerns = [&](const std::string& name) {
    if (name.starts_with(kTempPrefix)) return true;
    auto begins = [&](const std::string& own) {
      return name.size() >= own.size() && SameFileName(name.substr(0, own.size()), own);
    };
    return begins(place_.intent) || std::any_of(place_.names.begin(), place_.names.end(), begins);
  };
  entries_.clear();
  for (FolderEntry& e : all)
    if (concerns(e.name)) entries_.push_back(std::move(e));
  // The owner of the set's model (the case's header) says whose files are the set's.
  FileInfo model;
  if (const std::string m = regularEntry(entries_, place_.model);
      !m.empty() && ops_.info(folder_, m, model) == 0)
    setOwner_ = model.uid;
  return 0;
}

int FileSetWriter::createOwn(std::string& name, std::string_view bytes, const FileInfo* like,
                             std::string_view suffix) {
  // A name that is taken is never used, whoever took it: another one is drawn. Eight draws of
  // 64 random bits all taken is no chance but a folder that refuses every new name.
  auto draw = [&](std::string_view end, const std::function<int(const std::string&)>& make) {
    int e = EEXIST;
    for (int n = 0; n < 8 && e == EEXIST; ++n) {
      std::uint64_t r = 0;
      if (::getrandom(&r, sizeof r, 0) != static_cast<ssize_t>(sizeof r)) return errno;
      name = OwnFileName(names_.key, keyText(r, 16), end);
      e = make(name);
    }
    return e;
  };
  int e = draw({}, [&](const std::string& n) { return ops_.create(folder_, n, bytes, like); });
  if (e == 0 && !suffix.empty()) {
    // A list is put in place whole: nobody finds one half written.
    const std::string temp = name;
    e = draw(suffix, [&](const std::string& n) { return ops_.rename(folder_, temp, n, false); });
    if (e) ops_.remove(folder_, temp);
  }
  if (e == 0) entries_.push_back({name, true});
  return e;
}

bool FileSetWriter::partOfSet(const FileInfo& info) const {
  return !shared_ || info.uid == ::geteuid() || info.uid == setOwner_;
}

bool FileSetWriter::mayChange(const FileInfo& info) const {
  const unsigned me = ::geteuid();
  return !shared_ || me == 0 || info.uid == me || folderOwner_ == me;
}

std::optional<FileError> FileSetWriter::blockAt(const std::string& name, const FileInfo& info,
                                                FileProblem step) const {
  if (!info.exists) return std::nullopt;
  if (!info.regular)
    return FileError(path(name), step, step == FileProblem::NotRegular ? 0 : EISDIR);
  if (IsReadOnly(info)) return FileError(path(name), FileProblem::ReadOnly);
  if (!partOfSet(info) || !mayChange(info))
    return FileError(path(name), FileProblem::OwnedByAnother);
  return std::nullopt;
}

std::optional<FileProblem> FileSetWriter::distrust(const std::string& name, const FileId& id) {
  FileInfo info;
  if (const int e = ops_.info(folder_, name, info))
    throw FileError(path(name), FileProblem::Read, e);
  if (!info.exists) return FileProblem::Read;  // lost
  if (!info.regular) return FileProblem::NotRegular;
  // The save's own files are its writer's, or the set owner's (a link the last build kept of
  // a file of theirs), and in a shared folder also part of the set.
  if (!partOfSet(info) || (info.uid != writer_ && info.uid != setOwner_))
    return FileProblem::OwnedByAnother;
  if (!id.known) return std::nullopt;
  std::string bytes;
  if (info.size != id.size) return FileProblem::Read;
  if (const int e = ops_.read(folder_, name, id.size + 1, bytes))
    throw FileError(path(name), FileProblem::Read, e);
  if (IdOf(bytes) != id) return FileProblem::Read;  // not the file the save made
  return std::nullopt;
}

bool FileSetWriter::trusted(const std::string& name, const FileId& id) {
  return !distrust(name, id);
}

void FileSetWriter::dropOwn(const std::string& name, const FileId& id) {
  if (!name.empty() && trusted(name, id) && ops_.remove(folder_, name) == 0) forget(name);
}

int FileSetWriter::remove(const std::string& name) {
  const int e = ops_.remove(folder_, name);
  if (e == 0 || e == ENOENT) forget(name);
  return e == ENOENT ? 0 : e;
}

void FileSetWriter::forget(const std::string& name) {
  std::erase_if(entries_, [&](const FolderEntry& e) { return e.name == name; });
}

void FileSetWriter::clearStale() {
  if (lock_ < 0) return;  // only the lock's holder knows that no write of the set is running
  // Only files of the set's own naming that no list names, and only the user's own: a save
  // cut off before its list was written left them. The earliest key is shared by other names.
  std::vector<std::string> stale;
  for (const FolderEntry& e : entries_)
    if (e.regular && names_.isStaleName(e.name) &&
        std::find(referenced_.begin(), referenced_.end(), e.name) == referenced_.end())
      stale.push_back(e.name);
  for (const std::string& name : stale) {
    FileInfo info;
    if (ops_.info(folder_, name, info) == 0 && info.regular && info.uid == ::geteuid() &&
        ops_.remove(folder_, name) == 0)
      forget(name);
  }
}

// ---------------------------------------------------------------- the state machine of a list
//
// A list is brought to rest in one of four ways:
//   not committed  nothing of the set was changed: the save's own files go, and the list;
//   finished       every change carried out: the lists it retires go, then the list, then the
//                  save's own files that are left (the copies of the old files);
//   undone         it could not go forward, and every change done is put back from the copies
//                  the save made: the list goes, and the save's own files;
//   mixed          neither: the list stays as the set's mark, and nothing more is done.
// A step that fails is a reason not to go on that way; a failure of both ways with every file
// where it could still go is left to the next use (unfinished).
//
// How far a change came is told by what its target holds now: the new file (its id, or in a
// list without ids its temporary gone), the old one, or something else. Only the save's own
// files, whole, are renamed into the set, and only a file of the set is replaced or removed.

struct FileSetWriter::Look {
  FileInfo target;
  bool ours = false;      // the target is a regular file of the set
  bool isNew = false;     // the target holds the save's new file
  bool isOld = false;     // the target holds the file the change replaces or removes
  bool tempOk = false;    // the new file waits whole under its temporary name
  bool backupOk = false;  // a copy of the old one waits whole under its backup name
  FileProblem tempWhy = FileProblem::Read, backupWhy = FileProblem::Read;  // when not
  bool untouched = false;  // nothing of the change was done
};

struct FileSetWriter::Outcome {
  enum Kind { NotCommitted, Damaged, Finished, Undone, Unfinished, Mixed } kind = Finished;
  std::optional<FileError> error;  // why it did not go forward
};

namespace {

using Look = FileSetWriter::Look;

// How far one change of a list without ids came, by which of its names exist.
enum class Progress { Todo, Done, Unknown };

Progress progressOf(const Change& c, bool temp, bool target, bool backup, bool earlier) {
  if (c.temp.empty()) {  // a removal
    if (backup) return Progress::Done;
    if (target) return Progress::Todo;
    return earlier ? Progress::Done : Progress::Unknown;  // its backup lost
  }
  if (temp) return Progress::Todo;
  if (!c.backup.empty()) return backup ? Progress::Done : Progress::Unknown;
  // A new file, or an earlier build's rename: gone with its temporary, or lost with it.
  return target ? Progress::Done : Progress::Unknown;
}

// Changes are carried out in order, so those done come first: a change whose names cannot
// tell is done before one known done, and not done after one known not done.
void resolve(std::vector<Progress>& p) {
  const int n = static_cast<int>(p.size());
  int lastDone = -1, firstTodo = n;
  for (int i = 0; i < n; ++i) {
    if (p[i] == Progress::Done) lastDone = i;
    if (p[i] == Progress::Todo && firstTodo == n) firstTodo = i;
  }
  if (lastDone > firstTodo) {  // not in order: nothing between can be told
    for (int i = firstTodo; i <= lastDone; ++i) p[i] = Progress::Unknown;
    return;
  }
  for (int i = 0; i < n; ++i)
    if (p[i] == Progress::Unknown)
      p[i] = i < lastDone ? Progress::Done : i > firstTodo ? Progress::Todo : p[i];
}

// A file saved again with the same bytes is both: its temporary, while there, still goes in
// (the file it replaces may have modes a save never gives).
// What a step on the change's target does to it: a removal going forward or an addition going
// back removes it; every other step replaces it.
FileProblem stepOf(const Change& c, bool forward = true) {
  return c.kind == (forward ? ChangeKind::Remove : ChangeKind::Add) ? FileProblem::Remove
                                                                    : FileProblem::Replace;
}

bool needsForward(const Change& c, const Look& l) {
  return c.kind == ChangeKind::Remove ? l.target.exists : !l.isNew || (l.isOld && l.tempOk);
}

bool needsBack(const Change& c, const Look& l) {
  return c.kind == ChangeKind::Add ? l.isNew : !l.isOld;
}

// A list of the build before was committed as soon as it was whole.
bool committed(const Journal& j) {
  return j.started || j.format == ListFormat::Earlier;
}

}  // namespace

std::vector<FileSetWriter::Look> FileSetWriter::assess(const Journal& journal) {
  std::vector<Look> looks(journal.changes.size());
  std::vector<Progress> progress;
  for (std::size_t i = 0; i < looks.size(); ++i) {
    const Change& c = journal.changes[i];
    Look& l = looks[i];
    if (const int e = ops_.info(folder_, c.target, l.target))
      throw FileError(path(c.target), FileProblem::Read, e);
    if (!c.temp.empty()) {
      const auto why = distrust(c.temp, c.fresh);
      l.tempOk = !why;
      l.tempWhy = why.value_or(FileProblem::Read);
    }
    if (!c.backup.empty()) {
      const auto why = distrust(c.backup, c.old);
      l.backupOk = !why;
      l.backupWhy = why.value_or(FileProblem::Read);
    }
    // Another user's file, or no file, at a case file's name holds neither save's file.
    l.ours = l.target.exists && l.target.regular && partOfSet(l.target);
    if (journal.format == ListFormat::Current) {
      l.untouched = c.kind == ChangeKind::Add;
      if (!l.ours || (l.target.size != c.fresh.size && l.target.size != c.old.size)) continue;
      std::string bytes;
      if (const int e = ops_.read(folder_, c.target, l.target.size + 1, bytes))
        throw FileError(path(c.target), FileProblem::Read, e);
      l.isNew = c.fresh.known && IdOf(bytes) == c.fresh;
      l.isOld = c.old.known && IdOf(bytes) == c.old;
      l.untouched = c.kind == ChangeKind::Add ? !l.isNew : l.isOld;
      continue;
    }
    // A file at one of the save's own names that is not the set's own tells nothing.
    FileInfo temp, backup;
    if (!c.temp.empty()) ops_.info(folder_, c.temp, temp);
    if (!c.backup.empty()) ops_.info(folder_, c.backup, backup);
    progress.push_back((temp.exists && !l.tempOk) || (backup.exists && !l.backupOk)
                           ? Progress::Unknown
                           : progressOf(c, l.tempOk, l.target.exists, l.backupOk,
                                        journal.format == ListFormat::Earlier));
  }
  if (journal.format == ListFormat::Current) return looks;
  resolve(progress);
  for (std::size_t i = 0; i < looks.size(); ++i) {
    looks[i].isNew = looks[i].ours && progress[i] == Progress::Done;
    looks[i].isOld = looks[i].ours && progress[i] == Progress::Todo;
    looks[i].untouched = progress[i] == Progress::Todo;
  }
  return looks;
}

std::optional<FileError> FileSetWriter::forward(const Journal& journal,
                                                const std::vector<Look>& looks) {
  for (std::size_t i = 0; i < looks.size(); ++i) {
    const Change& c = journal.changes[i];
    if (!needsForward(c, looks[i])) continue;
    FileInfo t;
    if (const int e = ops_.info(folder_, c.target, t))
      return FileError(path(c.target), FileProblem::Read, e);
    // Also a file made read-only, or put in the way, since the list was written.
    if (auto blocked = blockAt(c.target, t, stepOf(c))) return blocked;
    // The last build kept the old file under the backup name before each change: so does the
    // finishing of its list, so that one cut off again still tells how far it came. A name
    // another file took goes without (that change is then not undone).
    if (journal.format == ListFormat::Last && t.exists && !looks[i].backupOk) {
      std::string old;
      int e = 0;
      if (c.kind == ChangeKind::Remove)
        e = ops_.rename(folder_, c.target, c.backup, false);
      else if ((e = ops_.read(folder_, c.target, t.size, old)) == 0)
        e = ops_.create(folder_, c.backup, old, &t);
      if (e && e != EEXIST) return FileError(path(c.backup), FileProblem::Write, e);
      if (c.kind == ChangeKind::Remove && !e) continue;
    }
    if (c.kind == ChangeKind::Remove) {
      if (const int e = ops_.remove(folder_, c.target); e && e != ENOENT)
        return FileError(path(c.target), FileProblem::Remove, e);
      forget(c.target);
      continue;
    }
    // A new file never replaces one that turned up after the look above, unless it may.
    int e = ops_.rename(folder_, c.temp, c.target, t.exists);
    if (e == EEXIST) {
      if ((e = ops_.info(folder_, c.target, t)) != 0)
        return FileError(path(c.target), FileProblem::Read, e);
      if (auto blocked = blockAt(c.target, t, FileProblem::Replace)) return blocked;
      e = ops_.rename(folder_, c.temp, c.target);
    }
    if (e) return FileError(path(c.target), FileProblem::Replace, e);
    forget(c.temp);
    entries_.push_back({c.target, true});
  }
  return std::nullopt;
}

std::optional<FileError> FileSetWriter::back(const Journal& journal,
                                             const std::vector<Look>& looks) {
  for (std::size_t i = looks.size(); i-- > 0;) {
    const Change& c = journal.changes[i];
    if (!needsBack(c, looks[i])) continue;
    FileInfo t;
    if (const int e = ops_.info(folder_, c.target, t))
      return FileError(path(c.target), FileProblem::Read, e);
    if (auto blocked = blockAt(c.target, t, stepOf(c, false))) return blocked;
    // The new file goes back under its temporary name first, so that the way forward is
    // still there for the next use; where that name was taken meanwhile, the new file goes.
    if (looks[i].isNew) {
      int e = ops_.rename(folder_, c.target, c.temp, false);
      if (e == EEXIST && c.kind == ChangeKind::Add) e = ops_.remove(folder_, c.target);
      if (e && e != EEXIST) return FileError(path(c.target), stepOf(c, false), e);
      if (!e) t.exists = false;
      forget(c.target);
    }
    if (c.kind == ChangeKind::Add) continue;
    int e = ops_.rename(folder_, c.backup, c.target, t.exists);
    if (e == EEXIST) {
      if ((e = ops_.info(folder_, c.target, t)) != 0)
        return FileError(path(c.target), FileProblem::Read, e);
      if (auto blocked = blockAt(c.target, t, FileProblem::Replace)) return blocked;
      e = ops_.rename(folder_, c.backup, c.target);
    }
    if (e) return FileError(path(c.target), FileProblem::Replace, e);
    forget(c.backup);
    entries_.push_back({c.target, true});
  }
  return std::nullopt;
}

std::optional<FileError> FileSetWriter::firstBlock(const Journal& journal,
                                                   const std::vector<Look>& looks,
                                                   bool forward) const {
  for (std::size_t n = 0; n < looks.size(); ++n) {
    const std::size_t i = forward ? n : looks.size() - 1 - n;
    const Change& c = journal.changes[i];
    const Look& l = looks[i];
    if (forward ? !needsForward(c, l) : !needsBack(c, l)) continue;
    // The file it would take its bytes from, lost or not the save's own: named.
    if (forward && c.kind != ChangeKind::Remove && !l.tempOk)
      return FileError(path(c.temp), l.tempWhy);
    if (!forward && c.kind != ChangeKind::Add && !l.backupOk)
      return FileError(path(c.backup.empty() ? c.target : c.backup), l.backupWhy);
    if (auto blocked = blockAt(c.target, l.target, stepOf(c, forward))) return blocked;
  }
  return std::nullopt;
}

FileSetWriter::Outcome FileSetWriter::bringToRest(const std::string& list, const Journal& journal) {
  std::vector<Look> looks = assess(journal);
  if (!committed(journal)) {
    giveUp(list, journal);
    return {Outcome::NotCommitted, std::nullopt};
  }
  std::optional<FileError> why = firstBlock(journal, looks, true);
  if (!journal.started) {
    // The build before's list, whole as its writer left it, who checked every file: anything
    // else is a damaged list. It is begun before its first change, as that writer did.
    bool whole = !why;
    for (std::size_t i = 0; i < looks.size(); ++i)
      whole &= journal.changes[i].temp.empty() || looks[i].tempOk;  // every temporary there
    if (!whole) return {Outcome::Damaged, FileError(path(list), FileProblem::Damaged)};
    if (const int e = ops_.append(folder_, list, kStartedLine))
      throw FileError(path(list), FileProblem::Write, e, true);
  }
  if (!why) {
    why = forward(journal, looks);
    if (!why) {
      ops_.sync(folder_);
      for (const RetiredList& r : journal.retired) retire(r);
      if (const int e = ops_.remove(folder_, list); e && e != ENOENT)
        throw FileError(path(list), FileProblem::Remove, e, true);
      forget(list);
      ops_.sync(folder_);
      for (const Change& c : journal.changes) {
        dropOwn(c.temp, c.fresh);
        dropOwn(c.backup, c.old);
      }
      return {Outcome::Finished, std::nullopt};
    }
    try {
      looks = assess(journal);
    } catch (const FileError&) {
      return {Outcome::Unfinished, why};
    }
  }
  // It cannot go forward: back to the old files, where the save kept copies of them all.
  std::optional<FileError> backWhy = firstBlock(journal, looks, false);
  if (!backWhy && !(backWhy = back(journal, looks))) {
    ops_.sync(folder_);
    giveUp(list, journal);
    return {Outcome::Undone, why};
  }
  // Stuck: where the files could still go either way (a step failed for a passing cause) the
  // next use goes on; where not, the set is mixed. Either way it is mixed until then.
  try {
    looks = assess(journal);
  } catch (const FileError&) {
    return {Outcome::Unfinished, why};  // nothing can be told now; the next use looks again
  }
  const bool eitherWay = !firstBlock(journal, looks, true) || !firstBlock(journal, looks, false);
  return {eitherWay ? Outcome::Unfinished : Outcome::Mixed, mixedError(*why, journal, looks)};
}

void FileSetWriter::giveUp(const std::string& list, const Journal& journal) {
  // The list first, then the files it names: a list left behind must still find them.
  if (const int e = ops_.remove(folder_, list); e && e != ENOENT)
    throw FileError(path(list), FileProblem::Remove, e, true);
  forget(list);
  for (const Change& c : journal.changes) {
    dropOwn(c.temp, c.fresh);
    dropOwn(c.backup, c.old);
  }
}

void FileSetWriter::retire(const RetiredList& r) {
  // Only the list that was the mark, as it was: another file at its name is left alone.
  FileInfo info;
  std::string bytes;
  if (ops_.info(folder_, r.name, info) != 0 || !info.exists || !info.regular || !partOfSet(info) ||
      !mayChange(info) || ops_.read(folder_, r.name, kJournalLimit + 1, bytes) != 0 ||
      IdOf(bytes) != r.id)
    return;
  const unsigned writer = writer_;
  writer_ = info.uid;
  giveUp(r.name, ReadableJournal(bytes, names_));
  writer_ = writer;
}

FileError FileSetWriter::mixedError(FileError error, const Journal& journal,
                                    const std::vector<Look>& looks) {
  error.markMixed();
  for (std::size_t i = 0; i < looks.size(); ++i) {
    // A file removed is in neither save's windows, nor is another user's file.
    if (!looks[i].ours) continue;
    auto& group = looks[i].isNew ? error.newer : looks[i].isOld ? error.older : error.either;
    group.push_back(journal.changes[i].target);
  }
  return error;
}

bool FileSetWriter::showsProgress(const Journal& journal) {
  const std::vector<Look> looks = assess(journal);
  return std::any_of(looks.begin(), looks.end(), [](const Look& l) { return !l.untouched; });
}

// ---------------------------------------------------------------- settling and writing

bool FileSetWriter::settle(const std::function<bool(const FileError&)>& ask) {
  leftOut_.clear();
  marks_.clear();
  referenced_.clear();
  // The set's lists: this build's by their naming, the last builds' by their one name.
  struct Found {
    std::string name;
    FileInfo info;
    std::string bytes;
    std::optional<Journal> journal;
  };
  std::vector<Found> lists;
  int lastBuilds = 0;
  for (const FolderEntry& e : entries_) {
    if (!names_.isList(e.name)) continue;
    const bool ownNaming = !SameFileName(e.name, place_.intent);
    Found f{e.name, {}, {}, std::nullopt};
    if (const int r = ops_.info(folder_, e.name, f.info))
      throw FileError(path(e.name), FileProblem::Read, r);
    if (!f.info.exists || (ownNaming && !f.info.regular)) continue;  // no list of ours
    // Another user's list in a shared folder is left out; so is one we may not remove.
    if (!partOfSet(f.info) || !mayChange(f.info)) {
      leftOut_.push_back(e.name);
      continue;
    }
    // Two spellings of one file are one list.
    if (std::any_of(lists.begin(), lists.end(),
                    [&](const Found& l) { return l.info.sameFile(f.info); }))
      continue;
    // Without the lock another program may be finishing or giving up the same list.
    if (lock_ < 0) throw FileError(path(e.name), FileProblem::Write, EACCES, true);
    if (f.info.regular) {
      if (const int r = ops_.read(folder_, e.name, kJournalLimit + 1, f.bytes))
        throw FileError(path(e.name), FileProblem::Read, r);
      f.journal = ParseJournal(f.bytes, names_);
    }
    lastBuilds += !ownNaming;
    lists.push_back(std::move(f));
  }
  // The last builds kept one list whatever its letter case: two are no list of one writer.
  if (lastBuilds > 1)
    for (Found& f : lists)
      if (SameFileName(f.name, place_.intent)) f.journal.reset();
  // In the order the one name rule takes them, whatever order the folder lists them in; a list
  // that retires others is the later one: it goes first, and while it stays begun the ones it
  // retires are its marks too.
  std::sort(lists.begin(), lists.end(), [&](const Found& a, const Found& b) {
    return std::pair(a.name != place_.intent, a.name) < std::pair(b.name != place_.intent, b.name);
  });
  std::stable_partition(lists.begin(), lists.end(),
                        [](const Found& f) { return f.journal && !f.journal->retired.empty(); });
  std::set<std::string> superseded;
  bool changed = false, damagedAsked = false;
  auto keep = [&](const Found& f, const Journal& readable) {
    marks_.push_back({f.name, IdOf(f.bytes)});
    for (const Change& c : readable.changes)
      for (const std::string& own : {c.temp, c.backup})
        if (!own.empty()) referenced_.push_back(own);
  };
  for (const Found& f : lists) {
    FileInfo still;
    if (ops_.info(folder_, f.name, still) != 0 || !still.exists) continue;  // retired meanwhile
    writer_ = f.info.uid;
    const Journal readable = f.journal ? *f.journal : ReadableJournal(f.bytes, names_);
    if (superseded.count(f.name)) {
      keep(f, readable);
      continue;
    }
    const Outcome o =
        f.journal ? bringToRest(f.name, *f.journal) : Outcome{Outcome::Damaged, std::nullopt};
    changed |= f.journal.has_value();
    if (o.kind == Outcome::Damaged) {
      // A list that cannot be read whole and shows some of it done leaves a mixed set,
      // whatever it said. (The build before's list not begun was checked before any change.)
      if (!f.journal && showsProgress(readable)) {
        if (!ask(mixedError(FileError(path(f.name), FileProblem::Mixed), readable,
                            assess(readable))))
          return false;
        keep(f, readable);
        continue;
      }
      if (!damagedAsked && !ask(FileError(path(f.name), FileProblem::Damaged))) return false;
      damagedAsked = true;  // one answer for the lists of one damage
      giveUp(f.name, readable);
      changed = true;
      continue;
    }
    if (o.kind == Outcome::Undone && !ask(FileError(*o.error).markUndone())) return false;
    // A list whose files cannot even be looked at is a read problem; one stuck otherwise is
    // told as mixed, and kept so, unless the next use gets further.
    if (o.kind == Outcome::Unfinished && !o.error->mixed())
      throw FileError(*o.error).markUnfinished();
    if (o.kind == Outcome::Unfinished || o.kind == Outcome::Mixed) {
      FileError told(path(f.name), FileProblem::Mixed);
      told.newer = o.error->newer, told.older = o.error->older, told.either = o.error->either;
      if (!ask(told.markMixed())) return false;
      keep(f, readable);
      for (const RetiredList& r : readable.retired) superseded.insert(r.name);
    }
  }
  clearStale();
  if (changed) listEntries();
  return true;
}

void FileSetWriter::retireMarks() {
  for (const RetiredList& r : marks_) retire(r);
  marks_.clear();
}

void FileSetWriter::write(const std::vector<FileContent>& files,
                          const std::vector<std::string>& removals) {
  // Every file the save changes, checked before anything is made: nothing changes on a
  // failure before the list's "go".
  struct Target {
    std::string name;
    FileInfo info;
    std::string old;  // its bytes, kept as a copy until the save is through
  };
  auto look = [&](const std::string& name) {
    if (!IsPlainName(name) || !names_.isOwn(name))
      throw FileError(path(name), FileProblem::BadName);
    Target t{name, {}, {}};
    if (const int e = ops_.info(folder_, name, t.info))
      throw FileError(path(name), FileProblem::Write, e);
    if (auto blocked = blockAt(name, t.info)) throw *blocked;
    if (t.info.exists)
      if (const int e = ops_.read(folder_, name, t.info.size, t.old))
        throw FileError(path(name), FileProblem::Read, e);
    return t;
  };
  std::vector<Target> targets;
  for (const std::string& r : removals)
    if (Target t = look(r); t.info.exists) targets.push_back(std::move(t));
  const std::size_t firstFile = targets.size();
  for (const FileContent& f : files) targets.push_back(look(f.name));

  // A new file is as private as the set it joins.
  FileInfo model;
  if (const std::string m = regularEntry(entries_, place_.model); !m.empty())
    ops_.info(folder_, m, model);

  // The save's own files: a copy of every file it replaces or removes, each new file whole,
  // then its list. Until the list's "go" a failure leaves every file of the set as it was.
  Journal journal{ListFormat::Current, {}, marks_, false};
  std::vector<std::string> made;
  auto fail = [&](const std::string& name, int e, FileProblem p = FileProblem::Write) {
    for (const std::string& m : made)
      if (ops_.remove(folder_, m) == 0) forget(m);
    return FileError(path(name), p, e);
  };
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const Target& t = targets[i];
    const bool removal = i < firstFile;
    Change c{removal         ? ChangeKind::Remove
             : t.info.exists ? ChangeKind::Replace
                             : ChangeKind::Add,
             t.name,
             "",
             "",
             {},
             {}};
    if (t.info.exists) {
      c.old = IdOf(t.old);
      if (const int e = createOwn(c.backup, t.old, &t.info)) throw fail(t.name, e);
      made.push_back(c.backup);
    }
    if (!removal) {
      const std::string& bytes = files[i - firstFile].bytes;
      c.fresh = IdOf(bytes);
      const FileInfo* like = t.info.exists ? &t.info : model.regular ? &model : nullptr;
      if (const int e = createOwn(c.temp, bytes, like)) throw fail(t.name, e);
      made.push_back(c.temp);
    }
    journal.changes.push_back(std::move(c));
  }
  std::string list;
  if (const int e = createOwn(list, EncodeJournal(journal), nullptr, kListSuffix))
    throw fail(list, e);
  made.push_back(list);
  ops_.sync(folder_);
  if (const int e = ops_.append(folder_, list, kStartedLine)) {
    // Whether the "go" reached the disk is told by the list: gone, or not begun, is not saved.
    if (ops_.remove(folder_, list) == 0) {
      std::erase(made, list);
      forget(list);
      throw fail(list, e);
    }
    std::string bytes;
    const std::optional<Journal> now = ops_.read(folder_, list, kJournalLimit + 1, bytes) == 0
                                           ? ParseJournal(bytes, names_)
                                           : std::nullopt;
    if (!now) throw FileError(path(list), FileProblem::Write, e, true);  // the next use tells
    if (!now->started) throw fail(list, e);
  }
  ops_.sync(folder_);
  journal.started = true;
  writer_ = ::geteuid();
  Outcome o;
  try {
    o = bringToRest(list, journal);
  } catch (FileError& e) {
    throw e.markUnfinished();  // committed: a look that failed leaves the rest to the next use
  }
  if (o.kind == Outcome::Finished) {
    marks_.clear();
    return;
  }
  if (o.kind == Outcome::Undone) throw FileError(*o.error).markUndone();
  if (o.kind == Outcome::Mixed) throw FileError(*o.error).markUnfinished();
  throw FileError(o.error->path(), o.error->problem(), o.error->error(), true);
}

}  // namespace veltaro
