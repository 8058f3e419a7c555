#include "files/SetLock.h"

#include <sys/random.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <thread>

#include "files/FileError.h"

namespace veltaro {

int CreateOwnFile(FileOps& ops, const Folder& folder, std::string_view key, std::string& name,
                  std::string_view bytes, const FileInfo* like, std::string_view suffix) {
  // Eight draws of 64 random bits all taken is no chance but a folder that refuses every new
  // name.
  auto draw = [&](std::string_view end, const std::function<int(const std::string&)>& make) {
    int e = EEXIST;
    for (int n = 0; n < 8 && e == EEXIST; ++n) {
      std::uint64_t r = 0;
      if (::getrandom(&r, sizeof r, 0) != static_cast<ssize_t>(sizeof r)) return errno;
      char random[17];
      std::snprintf(random, sizeof random, "%016llx", static_cast<unsigned long long>(r));
      name = OwnFileName(key, random, end);
      e = make(name);
    }
    return e;
  };
  int e = draw({}, [&](const std::string& n) { return ops.create(folder, n, bytes, like); });
  if (e == 0 && !suffix.empty()) {
    // Nobody finds one half written.
    const std::string temp = name;
    e = draw(suffix, [&](const std::string& n) { return ops.rename(folder, temp, n, false); });
    if (e) ops.remove(folder, temp);
  }
  return e;
}

SetLock::SetLock(FileOps& ops, const Folder& folder, const ListNames& names, unsigned user, Set set)
    : ops_(ops), folder_(folder), names_(names), me_(user), set_(std::move(set)) {}

void SetLock::letGo() {
  // No lock file stays behind; another file put at its name meanwhile is left alone.
  if (!name_.empty()) {
    FileInfo info;
    if (ops_.info(folder_, name_, info) == 0 && info.sameFile(file_)) ops_.remove(folder_, name_);
    name_.clear();
  }
  if (handle_ >= 0) ops_.unlock(handle_);
  handle_ = -1;
  file_ = {};
}

void SetLock::take(int waitMs, bool mayRead, const std::string& shownPath) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  bool reading = false;
  cause_ = 0;
  denied_.clear();
  // Why no lock can be had here at all, so that a reader goes on without one.
  auto cannotLock = [](int e) {
    return e == EACCES || e == EROFS || e == EPERM || e == ENOSPC || e == EDQUOT || e == ENOLCK;
  };
  // Every way round counts against the time, a look that fails included.
  for (;;) {
    int e = 0;
    // A lock file that may be held, ours or another's, and why: EWOULDBLOCK, or the errno of
    // a look at it that failed, which names it once the time is up.
    std::string which;
    int held = 0;
    if (!reading) {
      const FileInfo* like = set_.model();
      e = CreateOwnFile(ops_, folder_, names_.key, name_, "", like, kLockSuffix);
      if (e) name_.clear();
      if (e == 0) {
        int look = ops_.info(folder_, name_, file_);
        if (look == 0 && !file_.exists) look = ENOENT;  // taken for a stale file meanwhile
        if (look == 0) look = ops_.lock(folder_, name_, 0, handle_);
        // Held already: another program looking at every lock file of the set holds ours for
        // that moment. Another is made, until the time is up. A look at ours that failed is
        // no lock either: it is let go, and another is made.
        if (look == ENOENT || look == EWOULDBLOCK)
          e = ENOENT;
        else if (look == 0 || cannotLock(look))
          e = look;
        else
          which = name_, held = look, e = ENOENT;
      }
      if (e) letGo();
      reading = e && mayRead && cannotLock(e);
      if (reading) cause_ = e;
      if (e && e != ENOENT && !reading) {
        FileError error(shownPath, FileProblem::Write, e);
        if (e == EACCES || e == EPERM) error.markNewEntry();  // the folder refuses new files
        throw error;
      }
    }
    if (e == 0 || reading) {
      if (const int l = set_.relist(mayRead)) throw FileError(folder_.path, FileProblem::Read, l);
      held = others(reading, which);
      if (held == EACCES && !reading) {
        // The set's lock file that we may not open: its holder may be writing the set. A
        // reader goes on as one that cannot lock, and says which file it could not open.
        if (!mayRead) throw FileError(JoinPath(folder_.path, which), FileProblem::LockDenied, held);
        letGo();
        reading = true;
        cause_ = held;
        denied_ = JoinPath(folder_.path, which);
        continue;  // looked at again at once, as a reader, to whom it tells nothing
      }
      FileInfo now;
      if (held == 0 && (reading || (ops_.info(folder_, name_, now) == 0 && now.sameFile(file_))))
        return;
      letGo();
      // Waits for the holder, not for its own lock file, then tries again. With no time left
      // it still looks once, so that the last word is what the file is now.
      const auto left =
          std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
      if (held) {
        int handle = -1;
        const int r = ops_.lock(folder_, which,
                                static_cast<int>(std::max<long long>(left.count(), 0)), handle);
        if (r == 0) ops_.unlock(handle);
        // What the wait saw tells more than the look before it.
        if (r == 0 || r == ENOENT || r == EWOULDBLOCK) held = r == EWOULDBLOCK ? r : 0;
      }
    }
    if (std::chrono::steady_clock::now() >= until) {
      // A lock file that could not be looked at to the end is named with why.
      if (held && held != EWOULDBLOCK)
        throw FileError(JoinPath(folder_.path, which), FileProblem::Read, held);
      throw FileError(shownPath, FileProblem::InUse, EWOULDBLOCK);
    }
    // Two programs that saw each other's lock try again at different moments.
    unsigned char r = 0;
    if (::getrandom(&r, 1, 0) != 1) r = 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(1 + r % 16));
  }
}

bool SetLock::othersFree() {
  std::string which;
  const int held = others(true, which);
  return held == 0;
}

int SetLock::others(bool reading, std::string& which) {
  const std::string prefix = std::string(kTempPrefix) + names_.key;
  // Ours counts, and is held: every set's lock file nobody holds may go. Not counted: only
  // our own account's.
  const bool counts = handle_ >= 0 && set_.partOfSet(file_);
  std::vector<std::string> stale;
  int result = 0;
  for (const FolderEntry& e : set_.entries()) {
    const std::string_view n = e.name;
    if (e.name == name_ || !n.starts_with(prefix) || !n.ends_with(kLockSuffix)) continue;
    FileInfo info;
    if (const int r = ops_.info(folder_, e.name, info)) {
      which = e.name;  // it may be held
      result = r;
      break;
    }
    if (!info.exists || !info.regular) continue;  // gone, or no lock file
    const bool ofSet = set_.partOfSet(info);
    if (!ofSet && info.uid != me_) continue;
    int handle = -1;
    const int r = ops_.lock(folder_, e.name, 0, handle);
    if (r == ENOENT) continue;  // gone
    if (r == 0) {
      ops_.unlock(handle);
      if ((counts || !ofSet) && handle_ >= 0 &&
          names_.isTemp(n.substr(0, n.size() - kLockSuffix.size()), ListFormat::Current))
        stale.push_back(e.name);
      continue;
    }
    if (!ofSet) continue;                  // our own account's, which nobody counts
    if (r == EACCES && reading) continue;  // one we may not open tells nothing to a reader
    which = e.name;                        // held, may not be opened, or a test that failed
    result = r;
    break;
  }
  for (const std::string& name : stale) ops_.remove(folder_, name);
  return result;
}

}  // namespace veltaro
