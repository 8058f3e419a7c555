#include "core/WholeFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace veltaro {

namespace {

std::string lockName(const std::string& key) {
  return std::string(kTempPrefix) + key + ".lck";
}

// "<own name>.tmp-<digits>": what the first writer of this program left behind.
bool isOldTemp(std::string_view name, const JournalNames& names) {
  const std::size_t mark = name.rfind(".tmp-");
  if (mark == std::string_view::npos || mark + 5 == name.size()) return false;
  for (char c : name.substr(mark + 5))
    if (c < '0' || c > '9') return false;
  return names.isOwn(name.substr(0, mark));
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
  std::uint64_t h = 14695981039346656037ull;
  for (char c : name) {
    h ^= static_cast<unsigned char>(FoldAscii(c));
    h *= 1099511628211ull;
  }
  // Mixed once more, so that names differing only in their last bytes differ in every digit.
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdull;
  h ^= h >> 33;
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return text;
}

std::string EarlierNameKey(std::string_view name) {
  std::uint32_t h = 2166136261u;
  for (char c : name) {
    h ^= static_cast<unsigned char>(FoldAscii(c));
    h *= 16777619u;
  }
  char text[9];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(h));
  return text;
}

FileSetWriter::FileSetWriter(FileOps& ops, FileSetPlace place, int waitMs, bool mayRead)
    : ops_(ops),
      place_(std::move(place)),
      names_{place_.names, place_.key, place_.earlierKey},
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

void FileSetWriter::begin(int waitMs, bool mayRead) {
  if (const int e = ops_.lock(folder_, lockName(place_.key), waitMs, lock_)) {
    lock_ = -1;
    if (e == EWOULDBLOCK) throw FileError(path(place_.intent), FileProblem::InUse, e);
    // A link, pipe or folder in the lock file's place: named, so that the user can move it.
    if (e == ELOOP || e == EISDIR)
      throw FileError(path(lockName(place_.key)), FileProblem::NotRegular);
    if (!mayRead || (e != EACCES && e != EROFS && e != EPERM))
      throw FileError(path(place_.intent), FileProblem::Write, e);
  }
  FileInfo folderInfo;
  if (ops_.info(folder_, ".", folderInfo) == 0) shared_ = (folderInfo.mode & S_ISVTX) != 0;
  if (const int e = listEntries()) throw FileError(path(place_.intent), FileProblem::Read, e);
}

int FileSetWriter::listEntries() {
  std::vector<FolderEntry> all;
  if (const int e = ops_.list(folder_, all)) return e;
  // Only the entries the set can be concerned with: its own names (and the first writer's
  // temporary files after them), its intent file and the writer's temporary files. In a folder
  // of many files every later look-up is then short.
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
  return 0;
}

FileSetWriter::~FileSetWriter() {
  if (lock_ >= 0) {
    // No lock file stays behind: the next holder checks that it locked the file that is there.
    // In a shared folder another user's lock file is theirs to remove.
    ops_.remove(folder_, lockName(place_.key));
    ops_.unlock(lock_);
  }
  ops_.release(folder_);
}

std::string FileSetWriter::path(const std::string& name) const {
  return JoinPath(place_.folder, name);
}

std::vector<std::string> FileSetWriter::intentNames() const {
  std::vector<std::string> names;
  for (const FolderEntry& e : entries_)
    if (SameFileName(e.name, place_.intent)) names.push_back(e.name);
  return names;
}

std::string FileSetWriter::intentName() const {
  return MatchFileName(intentNames(), place_.intent);
}

std::string FileSetWriter::tempName() {
  static unsigned long counter = 0;
  return std::string(kTempPrefix) + place_.key + "-" + std::to_string(::getpid()) + "-" +
         std::to_string(++counter);
}

void FileSetWriter::checkOwner(const std::string& name, const FileInfo& info) const {
  if (shared_ && info.exists && info.uid != ::geteuid())
    throw FileError(path(name), FileProblem::OwnedByAnother);
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
  // Only what carries the set's own key or name: an earlier build's key is shared by other
  // names, whose cut-off saves still need their files.
  std::vector<std::string> stale;
  for (const FolderEntry& e : entries_)
    if (e.regular && (names_.hasKey(e.name) || isOldTemp(e.name, names_))) stale.push_back(e.name);
  for (const std::string& name : stale) {
    FileInfo info;
    if (shared_ && (ops_.info(folder_, name, info) != 0 || info.uid != ::geteuid())) continue;
    if (ops_.remove(folder_, name) == 0) forget(name);
  }
}

void FileSetWriter::complete() {
  if (const std::string intent = intentName(); !intent.empty()) {
    // Without the lock another program may be finishing or giving up the same list.
    if (lock_ < 0) throw FileError(path(intent), FileProblem::Write, EACCES, true);
    FileInfo info;
    if (const int e = ops_.info(folder_, intent, info))
      throw FileError(path(intent), FileProblem::Read, e);
    checkOwner(intent, info);
    // The writer keeps one list whatever its letter case, and as a file: a second one, or a
    // link in its place, is no list of its.
    if (intentNames().size() > 1 || !info.regular)
      throw FileError(path(intent), FileProblem::Damaged);
    std::string bytes;
    if (const int e = ops_.read(folder_, intent, kJournalLimit + 1, bytes))
      throw FileError(path(intent), FileProblem::Read, e);
    // Another user's temporary file is never renamed into the set nor removed.
    for (const Change& c : ReadableChanges(bytes, names_))
      for (const std::string& temp : {c.temp, c.backup})
        if (!temp.empty() && ops_.info(folder_, temp, info) == 0) checkOwner(temp, info);
    const std::optional<Journal> journal = ParseJournal(bytes, names_);
    if (!journal) {
      // A damaged list that shows some of it done leaves a mixed case, whatever it said.
      const std::vector<Change> readable = ReadableChanges(bytes, names_);
      const bool earlier = !bytes.empty() && (bytes[0] == 'R' || bytes[0] == 'D');
      if (ShowsProgress(ops_, folder_, readable, earlier))
        throw MixedError(ops_, folder_, intent, readable, earlier);
      throw FileError(path(intent), FileProblem::Damaged);
    }
    bool settled = false;
    try {
      settled = journal->earlier ? Replay(ops_, folder_, intent, *journal)
                                 : (Settle(ops_, folder_, intent, *journal, shared_), true);
    } catch (const FileError& e) {
      if (e.undone()) listEntries();
      throw;
    }
    if (!settled) {
      if (journal->started) throw MixedError(ops_, folder_, intent, journal->changes, true);
      throw FileError(path(intent), FileProblem::Damaged);
    }
    // What the folder now holds of the set: a list settles either way.
    listEntries();
  }
  clearStale();
}

void FileSetWriter::discard() {
  // Every file it would remove is checked first: another user's is never touched.
  std::vector<std::pair<std::string, std::vector<std::string>>> lists;
  for (const std::string& intent : intentNames()) {
    FileInfo info;
    if (ops_.info(folder_, intent, info) == 0) checkOwner(intent, info);
    std::string bytes;
    std::vector<std::string> spare;
    if (ops_.read(folder_, intent, kJournalLimit + 1, bytes) == 0)
      for (const Change& c : ReadableChanges(bytes, names_))
        for (const std::string& temp : {c.temp, c.backup}) {
          if (temp.empty() || ops_.info(folder_, temp, info) != 0 || !info.regular) continue;
          checkOwner(temp, info);
          spare.push_back(temp);
        }
    lists.emplace_back(intent, std::move(spare));
  }
  for (const auto& [intent, spare] : lists) {
    if (const int e = ops_.remove(folder_, intent); e && e != ENOENT)
      throw FileError(path(intent), FileProblem::Remove, e);
    forget(intent);
    for (const std::string& temp : spare)
      if (ops_.remove(folder_, temp) == 0) forget(temp);
  }
  clearStale();
}

bool FileSetWriter::settle(const std::function<bool(const FileError&)>& ask) {
  try {
    complete();
    return true;
  } catch (const FileError& e) {
    if (e.undone()) {  // the list is gone: the set is whole as it was
      if (!ask(e)) return false;
      clearStale();
      return true;
    }
    if (e.unfinished() ||
        (e.problem() != FileProblem::Damaged && e.problem() != FileProblem::Mixed))
      throw;
    if (!ask(e)) return false;
    discard();
    return true;
  }
}

void FileSetWriter::write(const std::vector<FileContent>& files,
                          const std::vector<std::string>& removals) {
  const Folder& folder = folder_;
  FileInfo folderInfo;
  ops_.info(folder, ".", folderInfo);
  auto check = [&](const std::string& name) {
    if (!IsPlainName(name) || !names_.isOwn(name))
      throw FileError(path(name), FileProblem::BadName);
    FileInfo info;
    if (const int e = ops_.info(folder, name, info))
      throw FileError(path(name), FileProblem::Write, e);
    if (info.exists && !info.regular) throw FileError(path(name), FileProblem::NotRegular);
    if (IsReadOnly(info)) throw FileError(path(name), FileProblem::ReadOnly);
    // In a shared folder (one with the sticky bit) only the file's owner or the folder's may
    // replace or remove a file; a rename there would fail halfway through the set.
    const unsigned me = ::geteuid();
    if (info.exists && (folderInfo.mode & S_ISVTX) && me != 0 && info.uid != me &&
        folderInfo.uid != me)
      throw FileError(path(name), FileProblem::OwnedByAnother);
    return info;
  };
  // The removals first, then the files, the header last: each kept until the set is through.
  std::vector<Change> changes;
  std::vector<FileInfo> old;
  for (const std::string& r : removals) {
    check(r);
    changes.push_back({"", r, tempName()});
  }
  for (const FileContent& f : files) {
    old.push_back(check(f.name));
    changes.push_back({tempName(), f.name, old.back().exists ? tempName() : std::string()});
  }

  // A new file is as private as the set it joins.
  FileInfo model;
  if (const std::string m = regularEntry(entries_, place_.model); !m.empty())
    ops_.info(folder, m, model);

  // Until the intent file is in place, a failure leaves every file as it was.
  std::vector<std::string> written;
  auto dropWritten = [&] {
    for (const std::string& t : written) ops_.remove(folder, t);
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    const Change& c = changes[removals.size() + i];
    const FileInfo* like = old[i].exists ? &old[i] : model.regular ? &model : nullptr;
    if (const int e = ops_.create(folder, c.temp, files[i].bytes, like)) {
      dropWritten();
      throw FileError(path(files[i].name), FileProblem::Write, e);
    }
    written.push_back(c.temp);
  }
  const std::string existing = intentName();
  const std::string intent = existing.empty() ? place_.intent : existing;
  const std::string intentTemp = tempName();
  int e = ops_.create(folder, intentTemp, EncodeJournal(changes), nullptr);
  if (!e && (e = ops_.rename(folder, intentTemp, intent)) != 0) ops_.remove(folder, intentTemp);
  if (e) {
    dropWritten();
    throw FileError(path(intent), FileProblem::Write, e);
  }
  ops_.sync(folder);
  // A list not begun is undone by the next use, so a failure here still changed nothing.
  if ((e = ops_.append(folder, intent, kStartedLine)) != 0) {
    if (ops_.remove(folder, intent) == 0) dropWritten();
    throw FileError(path(intent), FileProblem::Write, e);
  }
  ops_.sync(folder);
  try {
    Settle(ops_, folder, intent, {changes, true, false}, shared_);
  } catch (const FileError&) {
    listEntries();
    throw;
  }
  for (const Change& c : changes) {
    forget(c.target);
    if (!c.temp.empty()) entries_.push_back({c.target, true});
  }
}

}  // namespace veltaro
