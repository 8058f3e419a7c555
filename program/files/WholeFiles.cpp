#include "files/WholeFiles.h"

#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace veltaro {

namespace {

std::string keyText(std::uint64_t h, int digits) {
  char text[17];
  std::snprintf(text, sizeof text, "%0*llx", digits, static_cast<unsigned long long>(h));
  return text;
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

namespace {

// A name's key is the hash a file's id takes, mixed so that names differing only in their last
// bytes differ in every digit.
std::string foldedHashKey(std::string_view name) {
  return keyText(IdOf(FoldName(name)).hash, 16);
}

NameKeyFunction nameKey = foldedHashKey;

}  // namespace

std::string NameKey(std::string_view name) {
  return nameKey(name);
}

NameKeyFunction SetNameKeyFunction(NameKeyFunction key) {
  const NameKeyFunction before = nameKey;
  nameKey = key ? key : foldedHashKey;
  return before;
}

std::string LastNameKey(std::string_view name) {
  return keyText(IdOf(asciiFolded(name)).hash, 16);
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
      names_{place_.names,
             place_.lastList,
             NameKey(place_.keyName),
             LastNameKey(place_.keyName),
             EarlierNameKey(place_.keyName),
             place_.keyName},
      folder_(place_.folder) {
  // Every call of this use acts on the folder opened now, whatever its path names later.
  ops_.hold(folder_);
  try {
    begin(waitMs, mayRead);
  } catch (...) {
    letGo();
    throw;
  }
}

FileSetWriter::~FileSetWriter() {
  letGo();
}

void FileSetWriter::letGo() {
  if (lock_ >= 0) {
    // No lock file stays behind: the next holder checks that it locked the file that is there.
    // One that is no part of the set, or that we may not remove, is left to its owner.
    // Another file put at its name meanwhile is left alone too.
    FileInfo info;
    if (ops_.info(folder_, lockName(), info) == 0 && info.sameFile(lockFile_) && partOfSet(info) &&
        mayChange(info))
      ops_.remove(folder_, lockName());
    ops_.unlock(lock_);
    lock_ = -1;
  }
  ops_.release(folder_);
}

std::string FileSetWriter::path(const std::string& name) const {
  return JoinPath(place_.folder, name);
}

std::string FileSetWriter::shownPath() const {
  return path(place_.names.front());
}

std::string FileSetWriter::lockName() const {
  return std::string(kTempPrefix) + names_.key + ".lck";
}

void FileSetWriter::begin(int waitMs, bool mayRead) {
  // A folder that cannot be looked at is never taken for one without the sticky bit.
  FileInfo folderInfo;
  int e = ops_.info(folder_, ".", folderInfo);
  if (!e && !folderInfo.exists) e = ENOENT;
  if (e == ENOENT || e == ENOTDIR) throw FileError(shownPath(), FileProblem::Write, e);
  if (e) throw FileError(place_.folder, FileProblem::Read, e);
  shared_ = (folderInfo.mode & S_ISVTX) != 0;
  folderOwner_ = folderInfo.uid;
  me_ = ops_.user();
  setOwner_ = me_;
  takeLock(waitMs, mayRead);
  if ((e = listEntries()) != 0) throw FileError(place_.folder, FileProblem::Read, e);
}

void FileSetWriter::takeLock(int waitMs, bool mayRead) {
  // The lock file is made whole, with the model's permission bits, before it is put in place:
  // nobody finds it half made, or as private as our umask would make it.
  FileInfo model;
  if (!place_.model.empty()) ops_.info(folder_, place_.model, model);
  FileInfo placed;  // the lock file this use put in place, if any
  for (int attempt = 0;; ++attempt) {
    int e = ops_.lock(folder_, lockName(), waitMs, lock_);
    if (e == 0 && (e = ops_.info(folder_, lockName(), lockFile_)) == 0) return;
    if (lock_ >= 0) ops_.unlock(lock_);
    lock_ = -1;
    // One we made and nobody holds (a file system that takes no locks) does not stay.
    FileInfo now;
    if (e != EWOULDBLOCK && ops_.info(folder_, lockName(), now) == 0 && now.sameFile(placed))
      ops_.remove(folder_, lockName());
    bool made = false;
    if (e == ENOENT && attempt < 8) {
      std::string temp;
      e = createOwn(temp, "", model.regular ? &model : nullptr);
      if (e == 0) {
        e = ops_.rename(folder_, temp, lockName(), false);
        if (e) ops_.remove(folder_, temp);
        if (!e) ops_.info(folder_, lockName(), placed);
        forget(temp);
        // Ours; or one another program made meanwhile; or ours taken for a stale file by the
        // holder's clean-up: the lock file that is there is tried again.
        if (e == 0 || e == EEXIST || e == ENOENT) continue;
      }
      made = true;
    }
    if (e == EWOULDBLOCK) throw FileError(shownPath(), FileProblem::InUse, e);
    // A link, pipe or folder in the lock file's place: named, so that the user can move it.
    if (e == ELOOP || e == EISDIR) throw FileError(path(lockName()), FileProblem::NotRegular);
    if (mayRead && (e == EACCES || e == EROFS || e == EPERM || e == ENOSPC || e == EDQUOT)) {
      unwritable_ = e;
      return;
    }
    // A lock file that another user made and we may not open: named, whoever holds it.
    if (!made && e == EACCES) throw FileError(path(lockName()), FileProblem::LockDenied, e);
    throw FileError(shownPath(), FileProblem::Write, e);
  }
}

int FileSetWriter::listEntries(bool ownerKnown) {
  std::vector<FolderEntry> all;
  if (const int e = ops_.list(folder_, all)) return e;
  // Only the entries the set can be concerned with: its own names (and the first writer's
  // temporary files after them), its lists and the writer's own files. In a folder of many
  // files every later look-up is then short.
  std::vector<std::string> own{FoldName(place_.lastList)};
  for (const std::string& n : place_.names) own.push_back(FoldName(n));
  auto concerns = [&](const std::string& name) {
    if (name.starts_with(kTempPrefix)) return true;
    const std::string folded = FoldName(name);  // as long as the name: a prefix stays one
    return std::any_of(own.begin(), own.end(),
                       [&](const std::string& o) { return folded.starts_with(o); });
  };
  entries_.clear();
  for (FolderEntry& e : all)
    if (concerns(e.name)) entries_.push_back(std::move(e));
  // The owner of the set's model (the case's header) says whose files are the set's: in a
  // shared folder known, or the use stops.
  FileInfo model;
  if (const std::string m = regularEntry(entries_, place_.model); !m.empty()) {
    const int e = ops_.info(folder_, m, model);
    if (e && !ownerKnown && shared_) throw FileError(path(m), FileProblem::Read, e);
    if (!e && model.exists) setOwner_ = model.uid;
  }
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
  return !shared_ || info.uid == me_ || info.uid == setOwner_;
}

bool FileSetWriter::mayChange(const FileInfo& info) const {
  return !shared_ || me_ == 0 || info.uid == me_ || folderOwner_ == me_;
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

std::optional<FileProblem> FileSetWriter::distrust(const std::string& name, const FileId& id,
                                                   FileInfo& info, unsigned writer) {
  if (const int e = ops_.info(folder_, name, info))
    throw FileError(path(name), FileProblem::Read, e);
  if (!info.exists) return FileProblem::Read;  // lost
  if (!info.regular) return FileProblem::NotRegular;
  // The save's own files are its writer's, the set owner's (a link the last build kept of a
  // file of theirs) or ours (made finishing it), and in a shared folder part of the set.
  if (!partOfSet(info) || (info.uid != writer && info.uid != setOwner_ && info.uid != me_))
    return FileProblem::OwnedByAnother;
  if (!id.known) return std::nullopt;
  std::string bytes;
  if (info.size != id.size) return FileProblem::Read;
  if (const int e = ops_.read(folder_, name, id.size + 1, bytes))
    throw FileError(path(name), FileProblem::Read, e);
  if (IdOf(bytes) != id) return FileProblem::Read;  // not the file the save made
  return std::nullopt;
}

void FileSetWriter::dropOwn(const std::string& name, const FileId& id, unsigned writer) {
  FileInfo info;
  if (!name.empty() && !distrust(name, id, info, writer) && ops_.remove(folder_, name) == 0)
    forget(name);
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
    if (ops_.info(folder_, name, info) == 0 && info.regular && info.uid == me_ &&
        ops_.remove(folder_, name) == 0)
      forget(name);
  }
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
  ChangeList changeList;
  changeList.set = place_.keyName;
  changeList.retired = marks_;
  std::vector<std::string> made;
  auto fail = [&](const std::string& name, int e) {
    for (const std::string& m : made)
      if (ops_.remove(folder_, m) == 0) forget(m);
    return FileError(path(name), FileProblem::Write, e);
  };
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const Target& t = targets[i];
    const bool removal = i < firstFile;
    Change c;
    c.kind = removal ? ChangeKind::Remove : t.info.exists ? ChangeKind::Replace : ChangeKind::Add;
    c.target = t.name;
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
    changeList.changes.push_back(std::move(c));
  }
  // The list too is as private as the set: whoever may write the set may bring it to rest.
  std::string list;
  if (const int e =
          createOwn(list, EncodeList(changeList), model.regular ? &model : nullptr, kListSuffix))
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
    const std::optional<ChangeList> now = ops_.read(folder_, list, kListLimit + 1, bytes) == 0
                                              ? ParseList(bytes, names_)
                                              : std::nullopt;
    if (!now) throw FileError(path(list), FileProblem::Write, e, true);  // the next use tells
    if (!now->started) throw fail(list, e);
  }
  ops_.sync(folder_);
  changeList.started = true;
  Outcome o;
  try {
    o = settleList(list, changeList, me_);
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
