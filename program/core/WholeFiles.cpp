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
  std::uint32_t h = 2166136261u;
  for (char c : name) {
    h ^= static_cast<unsigned char>(FoldAscii(c));
    h *= 16777619u;
  }
  char text[9];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(h));
  return text;
}

bool IsReadOnly(const FileInfo& info) {
  return info.exists && (info.mode & 0222) == 0;
}

FileSetWriter::FileSetWriter(FileOps& ops, FileSetPlace place, int waitMs, bool mayRead)
    : ops_(ops), place_(std::move(place)), folder_(place_.folder) {
  // Every call of this use acts on the folder opened now, whatever its path names later.
  ops_.hold(folder_);
  try {
    begin(waitMs, mayRead);
  } catch (...) {
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
  std::vector<FolderEntry> all;
  if (const int e = ops_.list(folder_, all)) {
    if (lock_ >= 0) ops_.unlock(lock_);
    throw FileError(path(place_.intent), FileProblem::Read, e);
  }
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
  for (FolderEntry& e : all)
    if (concerns(e.name)) entries_.push_back(std::move(e));
}

FileSetWriter::~FileSetWriter() {
  if (lock_ < 0) {
    ops_.release(folder_);
    return;
  }
  // A set with no file left (deleted, or never there) takes its lock file with it; the next
  // holder checks that it locked the file that is there.
  const std::string prefix = std::string(kTempPrefix) + place_.key + "-";
  const JournalNames own{place_.names, place_.key};
  if (std::none_of(entries_.begin(), entries_.end(), [&](const FolderEntry& e) {
        return own.isOwn(e.name) || SameFileName(e.name, place_.intent) ||
               e.name.starts_with(prefix);
      }))
    ops_.remove(folder_, lockName(place_.key));
  ops_.unlock(lock_);
  ops_.release(folder_);
}

std::string FileSetWriter::path(const std::string& name) const {
  return place_.folder.empty() ? name : place_.folder + "/" + name;
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
  const std::string prefix = std::string(kTempPrefix) + place_.key + "-";
  const JournalNames own{place_.names, place_.key};
  std::vector<std::string> stale;
  for (const FolderEntry& e : entries_)
    if (e.regular && ((e.name.starts_with(prefix) && IsTempName(e.name)) || isOldTemp(e.name, own)))
      stale.push_back(e.name);
  for (const std::string& name : stale)
    if (ops_.remove(folder_, name) == 0) forget(name);
}

void FileSetWriter::complete() {
  if (const std::string intent = intentName(); !intent.empty()) {
    // Without the lock another program may be finishing or giving up the same list.
    if (lock_ < 0) throw FileError(path(intent), FileProblem::Write, EACCES, true);
    // The writer keeps one list whatever its letter case: a second one is no list of its.
    if (intentNames().size() > 1) throw FileError(path(intent), FileProblem::Damaged);
    std::string bytes;
    const int e = ops_.read(folder_, intent, kJournalLimit + 1, bytes);
    std::optional<Journal> journal;
    if (e == 0) journal = ParseJournal(bytes, {place_.names, place_.key});
    if (!journal || !Replay(ops_, folder_, intent, *journal))
      throw FileError(path(intent), FileProblem::Damaged, e);
    for (const Change& c : journal->changes) {
      forget(c.target);
      if (!c.temp.empty()) {
        forget(c.temp);
        entries_.push_back({c.target, true});
      }
    }
    forget(intent);
  }
  clearStale();
}

void FileSetWriter::discard() {
  for (const std::string& intent : intentNames()) {
    std::string bytes;
    if (ops_.read(folder_, intent, kJournalLimit + 1, bytes) == 0) {
      for (const std::string& temp : ListedTemps(bytes, {place_.names, place_.key})) {
        FileInfo info;
        if (ops_.info(folder_, temp, info) == 0 && info.regular && ops_.remove(folder_, temp) == 0)
          forget(temp);
      }
    }
    if (const int e = ops_.remove(folder_, intent); e && e != ENOENT)
      throw FileError(path(intent), FileProblem::Remove, e);
    forget(intent);
  }
  clearStale();
}

void FileSetWriter::write(const std::vector<FileContent>& files,
                          const std::vector<std::string>& removals) {
  static unsigned long counter = 0;
  const Folder& folder = folder_;
  FileInfo folderInfo;
  ops_.info(folder, ".", folderInfo);
  const JournalNames own{place_.names, place_.key};
  auto check = [&](const std::string& name) {
    if (!IsPlainName(name) || !own.isOwn(name)) throw FileError(path(name), FileProblem::BadName);
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
  auto tempName = [&] {
    return std::string(kTempPrefix) + place_.key + "-" + std::to_string(::getpid()) + "-" +
           std::to_string(++counter);
  };
  std::vector<Change> changes;
  std::vector<FileInfo> old;
  for (const std::string& r : removals) {
    check(r);
    changes.push_back({"", r});
  }
  for (const FileContent& f : files) {
    old.push_back(check(f.name));
    changes.push_back({tempName(), f.name});
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

  // From here on the set is written: a failure leaves the rest to the next use.
  if (!Replay(ops_, folder, intent, {changes, false}))
    throw FileError(path(intent), FileProblem::Damaged, 0, true);
  for (const Change& c : changes) {
    forget(c.target);
    if (!c.temp.empty()) entries_.push_back({c.target, true});
  }
}

}  // namespace veltaro
