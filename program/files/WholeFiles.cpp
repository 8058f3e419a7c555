#include "files/WholeFiles.h"

#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <thread>

#include "core/FileNames.h"

namespace veltaro {

namespace {

constexpr std::string_view kLockSuffix = ".lck";

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
    ops_.release(folder_);
    throw;
  }
}

FileSetWriter::~FileSetWriter() {
  letGo();
  ops_.release(folder_);
}

void FileSetWriter::letGo() {
  // No lock file stays behind; another file put at its name meanwhile is left alone.
  if (!lockName_.empty()) {
    FileInfo info;
    if (ops_.info(folder_, lockName_, info) == 0 && info.sameFile(lockFile_))
      ops_.remove(folder_, lockName_);
    forget(lockName_);
    lockName_.clear();
  }
  if (lock_ >= 0) ops_.unlock(lock_);
  lock_ = -1;
  lockFile_ = {};
}

std::string FileSetWriter::path(const std::string& name) const {
  return JoinPath(place_.folder, name);
}

std::string FileSetWriter::shownPath() const {
  return path(place_.names.front());
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
  // Whose the set is decides whose lock files count.
  if ((e = listEntries()) != 0) throw FileError(place_.folder, FileProblem::Read, e);
  takeLock(waitMs, mayRead);
}

void FileSetWriter::takeLock(int waitMs, bool mayRead) {
  // The lock. A name everybody can foretell is a name anybody can take first: in a folder with
  // the sticky bit another account's file there could be neither opened nor removed, and would
  // keep the case from every save. So no lock file has a fixed name. Every use makes a lock
  // file of its own, exclusively, under a name nobody can foretell (".~vt<key>-<random>.lck",
  // whole, with the model's permission bits and, made by the superuser, its owner, before it is
  // put in place), locks it (flock), and only then looks at every other lock file of the set
  // (".~vt<key>" and ".lck", the last build's fixed name included): one that another program
  // holds keeps it out, so it lets its own go, waits for that one and tries again, at random
  // moments, until `waitMs` has passed; at
  // last it checks that its own is still at its name. Of two programs each holding its own,
  // the one that looked later saw the other's held, so at most one goes on; that is all two
  // programs need agree on, and a save that renames the header changes nothing of it. Only the
  // set's files count (partOfSet): another account's file in a shared folder is never looked
  // at, so no file of any name blocks the case; a link, pipe or folder is no lock file. Lock
  // files nobody holds (a program killed) are removed by the next holder. A use that cannot
  // make or hold one (a folder it may only read, a full disk, ENOLCK) or may not open the
  // set's, when it only reads, goes on without the lock once no holder keeps one; so does, in
  // effect, a colleague in a shared folder, whose lock file the case's owner does not count
  // (locked()): the open then reads the set as one still picture (picture()). A case with no
  // header yet is the user's, and its lock files too.
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  bool reading = false;
  for (;;) {
    int e = 0;
    if (!reading) {
      e = createOwn(lockName_, "", modelInfo_.regular ? &modelInfo_ : nullptr, kLockSuffix);
      if (e) lockName_.clear();
      if (e == 0 && (e = ops_.info(folder_, lockName_, lockFile_)) == 0 && !lockFile_.exists)
        e = ENOENT;  // taken for a stale file meanwhile: another is made
      if (e == 0) e = ops_.lock(folder_, lockName_, 0, lock_);
      if (e) letGo();
      // Held already: another program looking at every lock file of the set holds ours for
      // that moment. Another is made, until `waitMs` has passed.
      if (e == EWOULDBLOCK) e = ENOENT;
      reading =
          e && mayRead &&
          (e == EACCES || e == EROFS || e == EPERM || e == ENOSPC || e == EDQUOT || e == ENOLCK);
      if (reading) unwritable_ = e;  // why nothing of the set can be written here
      if (e && e != ENOENT && !reading) throw FileError(shownPath(), FileProblem::Write, e);
    }
    if (e == 0 || reading) {
      if (const int l = listEntries()) throw FileError(place_.folder, FileProblem::Read, l);
      std::vector<std::string> stale;
      std::string which;
      const int held = lockHeld(reading, stale, which);
      if (held == EACCES) {
        // The set's lock file that we may not open: its holder may be writing the set. A
        // reader goes on as one that cannot lock.
        if (!mayRead) throw FileError(path(which), FileProblem::LockDenied, held);
        letGo();
        reading = true;
        unwritable_ = held;
        continue;
      }
      FileInfo now;
      if (held == 0 &&
          (reading || (ops_.info(folder_, lockName_, now) == 0 && now.sameFile(lockFile_)))) {
        if (!reading)
          for (const std::string& name : stale)
            if (ops_.remove(folder_, name) == 0) forget(name);
        return;
      }
      letGo();
      // Waits for the holder, not for its own lock file, then tries again.
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          until - std::chrono::steady_clock::now());
      int handle = -1;
      if (held == EWOULDBLOCK && left.count() > 0 &&
          ops_.lock(folder_, which, static_cast<int>(left.count()), handle) == 0)
        ops_.unlock(handle);
    }
    if (std::chrono::steady_clock::now() >= until)
      throw FileError(shownPath(), FileProblem::InUse, EWOULDBLOCK);
    // Two programs that saw each other's lock try again at different moments.
    unsigned char r = 0;
    if (::getrandom(&r, 1, 0) != 1) r = 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(1 + r % 16));
  }
}

int FileSetWriter::lockHeld(bool reading, std::vector<std::string>& stale, std::string& which) {
  const std::string prefix = std::string(kTempPrefix) + names_.key;
  for (const FolderEntry& e : entries_) {
    const std::string_view n = e.name;
    if (e.name == lockName_ || !n.starts_with(prefix) || !n.ends_with(kLockSuffix)) continue;
    FileInfo info;
    if (ops_.info(folder_, e.name, info) != 0 || !info.regular || !partOfSet(info)) continue;
    int handle = -1;
    const int r = ops_.lock(folder_, e.name, 0, handle);
    if (r == EWOULDBLOCK || (r == EACCES && !reading)) {
      which = e.name;
      return r;
    }
    if (r == 0) {
      ops_.unlock(handle);
      if (names_.isTemp(n.substr(0, n.size() - kLockSuffix.size()), ListFormat::Current))
        stale.push_back(e.name);
    }
  }
  return 0;
}

int FileSetWriter::listEntries(bool ownerKnown) {
  std::vector<FolderEntry> all;
  if (const int e = ops_.list(folder_, all)) return e;
  // Only the entries the set can be concerned with: its own names (and the first writer's
  // temporary files after them), its lists and the writer's own files. In a folder of many
  // files every later look-up is then short.
  std::vector<std::string> own{FoldName(place_.lastList)};
  for (const std::string& n : place_.names) own.push_back(FoldName(n));
  // Folding takes one letter to one letter, so a name's first letters, as many as the longest
  // own name has, decide: only they are folded, however long the name.
  auto letters = [](std::string_view s) {
    return static_cast<std::size_t>(std::count_if(
        s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
  };
  std::size_t longest = 0;
  for (const std::string& o : own) longest = std::max(longest, letters(o));
  auto concerns = [&](const std::string& name) {
    if (name.starts_with(kTempPrefix)) return true;
    std::size_t end = 0;
    for (std::size_t n = 0; end < name.size(); ++end)
      if ((static_cast<unsigned char>(name[end]) & 0xC0) != 0x80 && n++ == longest) break;
    const std::string folded = FoldName(std::string_view(name).substr(0, end));
    return std::any_of(own.begin(), own.end(),
                       [&](const std::string& o) { return folded.starts_with(o); });
  };
  entries_.clear();
  for (FolderEntry& e : all)
    if (concerns(e.name)) entries_.push_back(std::move(e));
  // The owner of the set's model (the case's header) the user picked says whose files are the
  // set's: the spelling picked, or in a shared folder the user's own spelling of it where the
  // one picked is another account's. A look that fails decides nothing: it stops the use.
  std::vector<std::string> spellings;
  for (const FolderEntry& e : entries_)
    if (e.regular && !place_.model.empty() && SameFileName(e.name, place_.model))
      spellings.push_back(e.name);
  std::sort(spellings.begin(), spellings.end(), [&](const std::string& a, const std::string& b) {
    return (a == place_.model) != (b == place_.model) ? a == place_.model : a < b;
  });
  FileInfo model;
  for (const std::string& m : spellings) {
    FileInfo info;
    if (const int e = ops_.info(folder_, m, info); e && shared_) {
      // Once known, the owner stays known when a later look fails.
      if (!ownerKnown) throw FileError(path(m), FileProblem::Read, e);
      return 0;
    }
    if (!info.regular) continue;
    if (!model.regular || (shared_ && model.uid != me_ && info.uid == me_)) model = info;
  }
  modelInfo_ = model;
  setOwner_ = model.regular ? model.uid : me_;
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
  // Only the superuser makes the superuser's files: a build that did not keep owners left a
  // case's files so.
  return !shared_ || info.uid == setOwner_ || info.uid == 0;
}

std::string FileSetWriter::picture() {
  if (const int e = listEntries()) throw FileError(place_.folder, FileProblem::Read, e);
  const std::string own = std::string(kTempPrefix) + names_.key;
  std::string seen;
  for (const FolderEntry& e : entries_) {
    // Lock files come and go with programs that wait: only what a save changes counts.
    if ((!names_.isOwn(e.name) && !names_.isList(e.name) && !e.name.starts_with(own)) ||
        e.name.ends_with(kLockSuffix))
      continue;
    FileInfo i;
    if (const int r = ops_.info(folder_, e.name, i))
      throw FileError(path(e.name), FileProblem::Read, r);
    seen += e.name + '\n' + std::to_string(i.device) + ' ' + std::to_string(i.inode) + ' ' +
            std::to_string(i.size) + ' ' + std::to_string(i.modified) + ' ' +
            std::to_string(i.changed) + '\n';
  }
  return seen;
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
                                                   FileInfo& info, unsigned writer,
                                                   const FileInfo* target) {
  if (const int e = ops_.info(folder_, name, info))
    throw FileError(path(name), FileProblem::Read, e);
  if (!info.exists) return FileProblem::Read;  // lost
  if (!info.regular) return FileProblem::NotRegular;
  // The save's own files are, of the set's (partOfSet), those its writer made: the list's
  // writer's, the set owner's (a link the last build kept of a file of theirs) or ours (made
  // finishing it), or, where the writer was the superuser, the target's owner, whom it gives
  // them; one another user made at its name is not the file the list means.
  const bool targets = writer == 0 && target && target->exists && info.uid == target->uid;
  if (!partOfSet(info) ||
      (info.uid != writer && info.uid != setOwner_ && info.uid != me_ && !targets))
    return FileProblem::OwnedByAnother;
  if (!id.known) return std::nullopt;
  std::string bytes;
  if (info.size != id.size) return FileProblem::Read;
  if (const int e = ops_.read(folder_, name, id.size + 1, bytes))
    throw FileError(path(name), FileProblem::Read, e);
  if (IdOf(bytes) != id) return FileProblem::Read;  // not the file the save made
  return std::nullopt;
}

void FileSetWriter::dropOwn(const std::string& name, const FileId& id, unsigned writer,
                            const std::string& target) {
  FileInfo info, t;
  if (name.empty() || ops_.info(folder_, target, t) != 0) return;
  if (!distrust(name, id, info, writer, &t) && ops_.remove(folder_, name) == 0) forget(name);
}

void FileSetWriter::forget(const std::string& name) {
  std::erase_if(entries_, [&](const FolderEntry& e) { return e.name == name; });
}

void FileSetWriter::clearStale() {
  if (lock_ < 0) return;  // only the lock's holder knows that no write of the set is running
  // Only files of the set's own naming that no list names, of the set and the user's own: a
  // save cut off before its list was written left them. The earliest key is shared by other
  // names. (Lock files nobody holds go as the lock is taken.)
  std::vector<std::string> stale;
  for (const FolderEntry& e : entries_)
    if (e.regular && names_.isStaleName(e.name) &&
        std::find(referenced_.begin(), referenced_.end(), e.name) == referenced_.end())
      stale.push_back(e.name);
  for (const std::string& name : stale) {
    FileInfo info;
    if (ops_.info(folder_, name, info) == 0 && info.regular && partOfSet(info) && info.uid == me_ &&
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

  // A new file is as private as the set it joins, and its owner's.
  const FileInfo model = modelInfo_;

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
