// The state machine of a set's list (files/WholeFiles.h): how a list is told from the files it
// names, and brought to rest. It knows one form of list: the last two builds' lists come
// translated (files/OldLists.h), their progress told by their names.
//
// A list is brought to rest in one of six ways:
//   not committed  nothing of the set was changed: the save's own files go, and the list;
//   damaged        it cannot be trusted (a list not begun whose files its writer did not leave
//                  whole, or one that cannot be read whole): no file of the set is touched;
//                  given up by the user, it goes with the save's own files it names, and one
//                  that shows some of its changes done is told mixed and stays as the mark;
//   finished       every change carried out: the lists it retires go (it stays until they
//                  are gone), then the list, then the save's own files that are left (the
//                  copies of the old files);
//   undone         it could not go forward, and every change done is put back from the copies
//                  the save made: the list goes, and the save's own files;
//   mixed          neither: the list stays as the set's mark, and nothing more is done;
//   unfinished     stuck, but the files could still go either way (a step failed, or a look
//                  at a file, for a passing cause): the list stays, and the next use goes on.
// A list is committed by its "go" line, and in fact once a target holds its new file, whatever
// its last line says. A step that fails is a reason not to go on that way; a look that fails
// decides nothing: while the list is there it stays for the next use, and once it is gone what
// is left is the save's own copies, which the next use clears without a word. A mark the list
// retires goes only when it is gone. A list is judged only by a use of the set it
// names: one at the set's key that names another set is left as it is, and its files with it.
// The list of the set's owner in their shared folder, which only they change, and a list
// where nothing can be written (no lock: a full disk, a read-only medium or folder), are only
// told: mixed, with each file under its save, or as the set stands. A list kept as a mark is
// known by its bytes as they stand, its "go" included where this use appended it.
//
// How far a change came is told by what its target holds now: the new file (its id, or in a
// list without ids its temporary gone), the old one, or something else. Only the save's own
// files, whole, are renamed into the set, and only a file of the set is replaced or removed.

#include <algorithm>
#include <cerrno>
#include <map>
#include <set>

#include "core/FileNames.h"
#include "files/OldLists.h"
#include "files/WholeFiles.h"

namespace veltaro {

struct FileSetWriter::Look {
  FileInfo target;
  bool ours = false;   // the target is a regular file of the set
  bool isNew = false;  // the target holds the save's new file
  bool isOld = false;  // the target holds the file the change replaces or removes
  // Why the new file does not wait whole under its temporary name, and a copy of the old one
  // under its backup name; none when it does.
  std::optional<FileProblem> tempWhy = FileProblem::Read, backupWhy = FileProblem::Read;
  bool untouched = false;  // nothing of the change was done
};

namespace {

using Look = FileSetWriter::Look;

// What a step on the change's target does to it: a removal going forward or an addition going
// back removes it; every other step replaces it.
FileProblem stepOf(const Change& c, bool forward = true) {
  return c.kind == (forward ? ChangeKind::Remove : ChangeKind::Add) ? FileProblem::Remove
                                                                    : FileProblem::Replace;
}

// A file saved again with the same bytes is both new and old: its temporary, while there,
// still goes in (the file it replaces may have modes a save never gives).
bool needsForward(const Change& c, const Look& l) {
  return c.kind == ChangeKind::Remove ? l.target.exists : !l.isNew || (l.isOld && !l.tempWhy);
}

bool needsBack(const Change& c, const Look& l) {
  return c.kind == ChangeKind::Add ? l.isNew : !l.isOld;
}

// The order lists settle in, as indexes of `names` (given in the order names decide): a list
// that retires others (`retires`, the names its L lines give) goes before every one it
// retires, so that a save over a mixed case, and one over a case whose marks form a chain, is
// carried forward before its marks are judged, each alone. Names decide only between lists that
// do not name each other, and in a ring (a folder from elsewhere) the first by name goes first.
std::vector<std::size_t> settleOrder(const std::vector<std::string>& names,
                                     const std::vector<std::vector<std::string>>& retires) {
  const std::size_t n = names.size();
  std::map<std::string, std::size_t> index;
  for (std::size_t i = 0; i < n; ++i) index.emplace(names[i], i);
  std::vector<std::vector<std::size_t>> later(n);  // the lists each one retires
  std::vector<std::size_t> retiredBy(n);           // by how many lists not yet placed
  for (std::size_t i = 0; i < n; ++i)
    for (const std::string& r : retires[i])
      if (const auto it = index.find(r); it != index.end() && it->second != i) {
        later[i].push_back(it->second);
        ++retiredBy[it->second];
      }
  std::set<std::size_t> left, ready;
  for (std::size_t i = 0; i < n; ++i) {
    left.insert(i);
    if (retiredBy[i] == 0) ready.insert(i);
  }
  std::vector<std::size_t> order;
  while (!left.empty()) {
    const std::size_t i = ready.empty() ? *left.begin() : *ready.begin();
    ready.erase(i);
    left.erase(i);
    order.push_back(i);
    for (const std::size_t j : later[i])
      if (left.count(j) && --retiredBy[j] == 0) ready.insert(j);
  }
  return order;
}

bool committed(const ChangeList& j) {
  return j.started || j.committedWhole;
}

// Committed in fact: a target holds the save's new file (and not the same bytes as before).
bool holdsNew(const ChangeList& j, const std::vector<Look>& looks) {
  for (std::size_t i = 0; i < looks.size(); ++i)
    if (j.changes[i].kind != ChangeKind::Remove && looks[i].isNew && !looks[i].isOld) return true;
  return false;
}

}  // namespace

std::vector<FileSetWriter::Look> FileSetWriter::assess(const ChangeList& changeList,
                                                       unsigned writer) {
  std::vector<Look> looks(changeList.changes.size());
  std::vector<SeenByNames> seen;
  for (std::size_t i = 0; i < looks.size(); ++i) {
    const Change& c = changeList.changes[i];
    Look& l = looks[i];
    if (const int e = ops_.info(folder_, c.target, l.target))
      throw FileError(path(c.target), FileProblem::Read, e);
    FileInfo temp, backup;
    if (!c.temp.empty()) l.tempWhy = distrust(c.temp, c.fresh, temp, writer, &l.target);
    if (!c.backup.empty()) l.backupWhy = distrust(c.backup, c.old, backup, writer, &l.target);
    // Another user's file, or no file, at a case file's name holds neither save's file.
    l.ours = l.target.exists && l.target.regular && partOfSet(l.target);
    if (changeList.byNames) {
      seen.push_back({(temp.exists && l.tempWhy) || (backup.exists && l.backupWhy), !l.tempWhy,
                      l.ours, !l.backupWhy, l.target.sameFile(backup)});
      continue;
    }
    l.untouched = c.kind == ChangeKind::Add;
    if (!l.ours || (l.target.size != c.fresh.size && l.target.size != c.old.size)) continue;
    std::string bytes;
    if (const int e = ops_.read(folder_, c.target, l.target.size + 1, bytes))
      throw FileError(path(c.target), FileProblem::Read, e);
    l.isNew = c.fresh.known && IdOf(bytes) == c.fresh;
    l.isOld = c.old.known && IdOf(bytes) == c.old;
    l.untouched = c.kind == ChangeKind::Add ? !l.isNew : l.isOld;
  }
  if (!changeList.byNames) return looks;
  const std::vector<Standing> standing = StandingByNames(changeList, seen);
  for (std::size_t i = 0; i < looks.size(); ++i) {
    looks[i].isNew = standing[i].isNew;
    looks[i].isOld = standing[i].isOld;
    looks[i].untouched = standing[i].untouched;
  }
  return looks;
}

std::optional<FileError> FileSetWriter::forward(const ChangeList& changeList,
                                                const std::vector<Look>& looks) {
  for (std::size_t i = 0; i < looks.size(); ++i) {
    const Change& c = changeList.changes[i];
    if (!needsForward(c, looks[i])) continue;
    FileInfo t;
    if (const int e = ops_.info(folder_, c.target, t))
      return FileError(path(c.target), FileProblem::Read, e);
    // Also a file made read-only, or put in the way, since the list was written.
    if (auto blocked = blockAt(c.target, t, stepOf(c))) return blocked;
    // The last build kept the old file under the backup name before each change: so does the
    // finishing of its list, so that one cut off again still tells how far it came. A name
    // another file took goes without (that change is then not undone).
    if (c.keepsOldFirst && t.exists && looks[i].backupWhy) {
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
    if (auto failed = putInPlace(c.temp, c.target, t)) return failed;
  }
  return std::nullopt;
}

std::optional<FileError> FileSetWriter::back(const ChangeList& changeList,
                                             const std::vector<Look>& looks) {
  for (std::size_t i = looks.size(); i-- > 0;) {
    const Change& c = changeList.changes[i];
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
    if (auto failed = putInPlace(c.backup, c.target, t)) return failed;
  }
  return std::nullopt;
}

std::optional<FileError> FileSetWriter::putInPlace(const std::string& from,
                                                   const std::string& target, FileInfo t) {
  // A file that turned up after the look `t` is never replaced unless it may be.
  int e = ops_.rename(folder_, from, target, t.exists);
  if (e == EEXIST) {
    if ((e = ops_.info(folder_, target, t)) != 0)
      return FileError(path(target), FileProblem::Read, e);
    if (auto blocked = blockAt(target, t, FileProblem::Replace)) return blocked;
    e = ops_.rename(folder_, from, target);
  }
  if (e) return FileError(path(target), FileProblem::Replace, e);
  forget(from);
  entries_.push_back({target, true});
  return std::nullopt;
}

std::optional<FileError> FileSetWriter::firstBlock(const ChangeList& changeList,
                                                   const std::vector<Look>& looks,
                                                   bool forward) const {
  for (std::size_t n = 0; n < looks.size(); ++n) {
    const std::size_t i = forward ? n : looks.size() - 1 - n;
    const Change& c = changeList.changes[i];
    const Look& l = looks[i];
    if (forward ? !needsForward(c, l) : !needsBack(c, l)) continue;
    // The file it would take its bytes from, lost or not the save's own: named.
    if (forward && c.kind != ChangeKind::Remove && l.tempWhy)
      return FileError(path(c.temp), *l.tempWhy);
    if (!forward && c.kind != ChangeKind::Add && l.backupWhy)
      return FileError(path(c.backup.empty() ? c.target : c.backup), *l.backupWhy);
    if (auto blocked = blockAt(c.target, l.target, stepOf(c, forward))) return blocked;
  }
  return std::nullopt;
}

FileSetWriter::Outcome FileSetWriter::settleList(const std::string& list,
                                                 const ChangeList& changeList, unsigned writer) {
  std::vector<Look> looks = assess(changeList, writer);
  // A list whose "go" was lost (its last bytes cut) after its first renames is committed in
  // fact: never taken for a save not begun.
  const bool inFact = !committed(changeList) && holdsNew(changeList, looks);
  if (!committed(changeList) && !inFact) {
    clear(list, changeList, writer);
    return {Outcome::NotCommitted, std::nullopt};
  }
  std::optional<FileError> why = firstBlock(changeList, looks, true);
  if (!changeList.started) {
    // The build before's list, whole as its writer left it, who checked every file: anything
    // else is a damaged list. It is begun before its first change, as that writer did; so is
    // one committed in fact.
    bool whole = !why || inFact;
    for (std::size_t i = 0; i < looks.size() && !inFact; ++i)
      whole &= changeList.changes[i].temp.empty() || !looks[i].tempWhy;  // every temporary there
    if (!whole) return {Outcome::Damaged, FileError(path(list), FileProblem::Damaged)};
    if (const int e = ops_.append(folder_, list, kStartedLine))
      throw FileError(path(list), FileProblem::Write, e, true);
  }
  if (!why) {
    why = forward(changeList, looks);
    if (!why) {
      ops_.sync(folder_);
      // The list stays until the lists it retires are gone: a look at one that fails leaves
      // the rest to the next use, which retires it then.
      for (const RetiredList& r : changeList.retired)
        if (auto failed = retire(r)) return {Outcome::Unfinished, failed};
      clear(list, changeList, writer);
      return {Outcome::Finished, std::nullopt};
    }
    try {
      looks = assess(changeList, writer);
    } catch (const FileError&) {
      return {Outcome::Unfinished, why};
    }
  }
  // It cannot go forward: back to the old files, where the save kept copies of them all.
  std::optional<FileError> backWhy = firstBlock(changeList, looks, false);
  if (!backWhy && !(backWhy = back(changeList, looks))) {
    ops_.sync(folder_);
    clear(list, changeList, writer);
    return {Outcome::Undone, why};
  }
  // Stuck: where the files could still go either way (a step failed for a passing cause) the
  // next use goes on; where not, the set is mixed. Either way it is mixed until then.
  try {
    looks = assess(changeList, writer);
  } catch (const FileError&) {
    return {Outcome::Unfinished, why};  // nothing can be told now; the next use looks again
  }
  const bool eitherWay =
      !firstBlock(changeList, looks, true) || !firstBlock(changeList, looks, false);
  return {eitherWay ? Outcome::Unfinished : Outcome::Mixed, mixedError(*why, changeList, looks)};
}

void FileSetWriter::clear(const std::string& list, const ChangeList& changeList, unsigned writer) {
  // The list first, and for good, then the files it names: a list left behind must still find
  // them.
  if (const int e = ops_.remove(folder_, list); e && e != ENOENT)
    throw FileError(path(list), FileProblem::Remove, e, true);
  forget(list);
  ops_.sync(folder_);
  // With the list gone the set is at rest: what is left is the save's own copies, which a look
  // that fails leaves to the next use's clean-up, without a word.
  for (const Change& c : changeList.changes) {
    for (const auto& [name, id] : {std::pair(&c.temp, &c.fresh), std::pair(&c.backup, &c.old)}) {
      try {
        dropOwn(*name, *id, writer, c.target);
      } catch (const FileError&) {  // left to the next use's clean-up
      }
    }
  }
}

std::optional<FileError> FileSetWriter::retire(const RetiredList& r) {
  // Only the list that was the mark, as it was: another file at its name is left alone. A look
  // that fails tells neither: the mark goes only when it is gone.
  FileInfo info;
  std::string bytes;
  if (const int e = ops_.info(folder_, r.name, info))
    return FileError(path(r.name), FileProblem::Read, e);
  if (!info.exists || !info.regular || !partOfSet(info) || !mayChange(info)) return std::nullopt;
  if (const int e = ops_.read(folder_, r.name, kListLimit + 1, bytes))
    return FileError(path(r.name), FileProblem::Read, e);
  if (IdOf(bytes) != r.id) return std::nullopt;
  try {
    clear(r.name, ReadableList(bytes, names_), info.uid);
  } catch (const FileError& e) {
    return e;
  }
  return std::nullopt;
}

FileError FileSetWriter::mixedError(FileError error, const ChangeList& changeList,
                                    const std::vector<Look>& looks) {
  error.markMixed();
  for (std::size_t i = 0; i < looks.size(); ++i) {
    // A file removed is in neither save's windows, nor is another user's file.
    if (!looks[i].ours) continue;
    auto& group = looks[i].isNew ? error.newer : looks[i].isOld ? error.older : error.either;
    group.push_back(changeList.changes[i].target);
  }
  return error;
}

bool FileSetWriter::showsProgress(const ChangeList& changeList, unsigned writer) {
  const std::vector<Look> looks = assess(changeList, writer);
  return std::any_of(looks.begin(), looks.end(), [](const Look& l) { return !l.untouched; });
}

bool FileSetWriter::tellAsItStands(const std::string& name, const std::string& bytes,
                                   unsigned writer, int cause,
                                   const std::function<bool(const FileError&)>& ask) {
  const std::optional<ChangeList> whole = ParseList(bytes, names_);
  const ChangeList readable = whole ? *whole : ReadableList(bytes, names_);
  std::vector<Look> looks;
  try {
    looks = assess(readable, writer);
  } catch (const FileError&) {
    looks.clear();  // nothing can be told: the set as it stands
  }
  // A list begun, in its "go" or in fact, that needs changes both ways leaves the set neither
  // old nor new; one that cannot be read whole, as soon as it shows some of it done.
  bool mixed = false;
  if (whole && (committed(*whole) || holdsNew(*whole, looks))) {
    bool forth = false, back = false;
    for (std::size_t i = 0; i < looks.size(); ++i) {
      forth |= needsForward(readable.changes[i], looks[i]);
      back |= needsBack(readable.changes[i], looks[i]);
    }
    mixed = forth && back;
  } else if (!whole) {
    mixed = std::any_of(looks.begin(), looks.end(), [](const Look& l) { return !l.untouched; });
  }
  if (!mixed) {
    if (!cause) leftOut_.push_back(name);  // the owner's, for the user to be told
    return true;
  }
  FileError told(path(name), FileProblem::Mixed, cause);
  if (cause) told.deniedLock = lock_->denied();  // why nothing can be written, where it is so
  if (!ask(mixedError(told, readable, looks))) return false;
  keep(name, bytes, readable);
  return true;
}

void FileSetWriter::keep(const std::string& list, const std::string& bytes,
                         const ChangeList& readable) {
  marks_.push_back({list, IdOf(bytes)});
  for (const Change& c : readable.changes)
    for (const std::string& own : {c.temp, c.backup})
      if (!own.empty()) referenced_.push_back(own);
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
    std::optional<ChangeList> changeList;
  };
  std::vector<Found> lists;
  int lastBuilds = 0;
  for (const FolderEntry& e : entries_) {
    if (!names_.isList(e.name)) continue;
    Found f{e.name, {}, {}, std::nullopt};
    if (const int r = ops_.info(folder_, e.name, f.info))
      throw FileError(path(e.name), FileProblem::Read, r);
    // A folder or link is no list of any build: left alone, whatever its name.
    if (!f.info.exists || !f.info.regular) continue;
    // Another user's list in a shared folder is left out.
    if (!partOfSet(f.info)) {
      leftOut_.push_back(e.name);
      continue;
    }
    // The set owner's list that we may not change: only the owner brings it to rest. Until
    // then, one that left the set neither old nor new is told mixed; any other is left out.
    // Without the lock the owner may be saving right now; a file of theirs we may not read
    // tells nothing either.
    const bool theirs = !mayWriteSet() || !mayChange(f.info);
    if (int r = 0; (!theirs || holdsLock()) &&
                   (r = ops_.read(folder_, e.name, kListLimit + 1, f.bytes)) != 0) {
      if (!theirs) throw FileError(path(e.name), FileProblem::Read, r);
      f.bytes.clear();
    }
    f.changeList = ParseList(f.bytes, names_);
    // A list at the set's key that names another set is none of this set's: never settled,
    // removed or called damaged here, and its own files stay with it.
    if (const ChangeList readable = ReadableList(f.bytes, names_); readable.another) {
      referenced_.insert(referenced_.end(), readable.othersFiles.begin(),
                         readable.othersFiles.end());
      continue;
    }
    if (theirs) {
      if (!tellAsItStands(f.name, f.bytes, f.info.uid, 0, ask)) return false;
      continue;
    }
    // Without the lock nothing here can be written (a full disk, a read-only medium or
    // folder): the set is told as its files stand, and the message says why.
    if (!holdsLock()) {
      if (!tellAsItStands(f.name, f.bytes, f.info.uid, lock_->cause(), ask)) return false;
      continue;
    }
    lastBuilds += SameFileName(e.name, place_.lastList);
    lists.push_back(std::move(f));
  }
  // The last builds kept one list whatever its letter case: two are no list of one writer.
  if (lastBuilds > 1)
    for (Found& f : lists)
      if (SameFileName(f.name, place_.lastList)) f.changeList.reset();
  // In the order the one name rule takes them, whatever order the folder lists them in, then in
  // the order they name each other: while a list that retires others stays begun, the ones it
  // retires are its marks too.
  std::sort(lists.begin(), lists.end(), [&](const Found& a, const Found& b) {
    return std::pair(a.name != place_.lastList, a.name) <
           std::pair(b.name != place_.lastList, b.name);
  });
  std::vector<std::string> names;
  std::vector<std::vector<std::string>> retires;
  for (const Found& f : lists) {
    names.push_back(f.name);
    retires.emplace_back();
    if (f.changeList)
      for (const RetiredList& r : f.changeList->retired) retires.back().push_back(r.name);
  }
  std::vector<Found> ordered;
  for (const std::size_t i : settleOrder(names, retires)) ordered.push_back(std::move(lists[i]));
  lists = std::move(ordered);
  std::set<std::string> superseded;
  bool changed = false, damagedAsked = false;
  for (const Found& f : lists) {
    FileInfo still;
    if (const int r = ops_.info(folder_, f.name, still))
      throw FileError(path(f.name), FileProblem::Read, r);
    if (!still.exists) continue;  // retired meanwhile
    const unsigned writer = f.info.uid;
    const ChangeList readable = f.changeList ? *f.changeList : ReadableList(f.bytes, names_);
    if (superseded.count(f.name)) {
      keep(f.name, f.bytes, readable);
      continue;
    }
    const Outcome o = f.changeList ? settleList(f.name, *f.changeList, writer)
                                   : Outcome{Outcome::Damaged, std::nullopt};
    changed |= f.changeList.has_value();
    if (o.kind == Outcome::Damaged) {
      // A list that cannot be read whole and shows some of it done leaves a mixed set,
      // whatever it said. (The build before's list not begun was checked before any change.)
      if (!f.changeList && showsProgress(readable, writer)) {
        if (!ask(mixedError(FileError(path(f.name), FileProblem::Mixed), readable,
                            assess(readable, writer))))
          return false;
        keep(f.name, f.bytes, readable);
        continue;
      }
      if (!damagedAsked && !ask(FileError(path(f.name), FileProblem::Damaged))) return false;
      damagedAsked = true;  // one answer for the lists of one damage
      clear(f.name, readable, writer);
      changed = true;
      continue;
    }
    if (o.kind == Outcome::Undone) ask(FileError(*o.error).markUndone());
    // A list whose files cannot even be looked at is a read problem; one stuck otherwise is
    // told as mixed, and kept so, unless the next use gets further.
    if (o.kind == Outcome::Unfinished && !o.error->mixed())
      throw FileError(*o.error).markUnfinished();
    if (o.kind == Outcome::Unfinished || o.kind == Outcome::Mixed) {
      FileError told(path(f.name), FileProblem::Mixed);
      told.newer = o.error->newer, told.older = o.error->older, told.either = o.error->either;
      if (!ask(told.markMixed())) return false;
      // Kept as the list now stands: one committed in fact has its "go" now.
      keep(f.name, f.changeList->started ? f.bytes : f.bytes + std::string(kStartedLine), readable);
      for (const RetiredList& r : readable.retired) superseded.insert(r.name);
    }
  }
  clearStale();
  if (changed) listEntries(true);
  return true;
}

}  // namespace veltaro
