#include "files/WholeFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "core/FileNames.h"

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
    lock_.reset();
    ops_.release(folder_);
    throw;
  }
}

FileSetWriter::~FileSetWriter() {
  lock_.reset();
  ops_.release(folder_);
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
  lock_ = std::make_unique<SetLock>(
      ops_, folder_, names_, me_,
      SetLock::Set{.relist =
                       [this](bool picture) {
                         // A use whose lock counts has no need of a still picture.
                         if (!picture || locked()) return listEntries();
                         firstPicture_ = this->picture();
                         return 0;
                       },
                   .entries = [this]() -> const std::vector<FolderEntry>& { return entries_; },
                   .partOfSet = [this](const FileInfo& info) { return partOfSet(info); },
                   .model = [this] { return modelInfo_.regular ? &modelInfo_ : nullptr; }});
  lock_->take(waitMs, mayRead, shownPath());
  // Another account's set in a shared folder is only read: a save or removal of it stops
  // before anything is written.
  if (!mayRead && !mayWriteSet()) throw FileError(path(place_.model), FileProblem::OwnedByAnother);
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
  const int e = CreateOwnFile(ops_, folder_, names_.key, name, bytes, like, suffix);
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

bool FileSetWriter::unchanged() {
  if (locked()) return true;
  // The holders are looked for in the folder as it is listed for the picture: one that came
  // after the last listing is seen too.
  const std::string now = picture();
  return lock_->othersFree() && now == firstPicture_;
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
  if (!holdsLock()) return;  // only the lock's holder knows that no write of the set is running
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
      if (const int e = createOwn(c.backup, t.old, &t.info)) throw fail(t.name, e).markNewEntry();
      made.push_back(c.backup);
    }
    if (!removal) {
      const std::string& bytes = files[i - firstFile].bytes;
      c.fresh = IdOf(bytes);
      const FileInfo* like = t.info.exists ? &t.info : model.regular ? &model : nullptr;
      if (const int e = createOwn(c.temp, bytes, like)) throw fail(t.name, e).markNewEntry();
      made.push_back(c.temp);
    }
    changeList.changes.push_back(std::move(c));
  }
  // The list too is as private as the set: whoever may write the set may bring it to rest.
  std::string list;
  if (const int e =
          createOwn(list, EncodeList(changeList), model.regular ? &model : nullptr, kListSuffix))
    throw fail(list, e).markNewEntry();
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
