#include "files/FileOps.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

namespace veltaro {

namespace {

// An entry opened as itself: never through a link in its place, never waiting for a pipe's
// other end, never becoming the program's terminal.
constexpr int kAsItself = O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

std::string pathOf(const std::string& folder) {
  return folder.empty() ? std::string(".") : folder;
}

// An entry of a folder as the *at calls take it: beside the held folder, or by its whole path.
struct At {
  At(const Folder& folder, const std::string& name)
      : dir(folder.handle >= 0 ? folder.handle : AT_FDCWD),
        path(folder.handle >= 0 ? name : JoinPath(folder.path, name)) {}
  int dir;
  std::string path;
  const char* c_str() const { return path.c_str(); }
};

int writeAll(int fd, std::string_view bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0)
      done += static_cast<std::size_t>(n);
    else if (n == 0)
      return ENOSPC;
    else if (errno != EINTR)
      return errno;
  }
  return 0;
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

unsigned FileOps::user() const {
  return ::geteuid();
}

void PosixFiles::hold(Folder& folder) {
  release(folder);
  folder.handle = ::open(pathOf(folder.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

void PosixFiles::release(Folder& folder) {
  if (folder.handle >= 0) ::close(folder.handle);
  folder.handle = -1;
}

int PosixFiles::list(const Folder& folder, std::vector<FolderEntry>& entries) {
  const int own = folder.handle >= 0
                      ? ::openat(folder.handle, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                      : ::open(pathOf(folder.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (own < 0) return errno;
  DIR* dir = ::fdopendir(own);
  if (!dir) {
    const int error = errno;
    ::close(own);
    return error;
  }
  const int fd = ::dirfd(dir);
  errno = 0;
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name = e->d_name;
    if (name == "." || name == "..") continue;
    bool regular = e->d_type == DT_REG;
    if (e->d_type == DT_UNKNOWN) {
      struct stat st;
      regular = ::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode);
    }
    entries.push_back({std::string(name), regular});
    errno = 0;
  }
  const int error = errno;
  ::closedir(dir);
  return error;
}

int PosixFiles::info(const Folder& folder, const std::string& name, FileInfo& out) {
  out = {};
  struct stat st;
  const At at(folder, name);
  if (::fstatat(at.dir, at.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
    return errno == ENOENT ? 0 : errno;
  out = {true,
         S_ISREG(st.st_mode),
         static_cast<unsigned>(st.st_mode & 07777),
         static_cast<unsigned>(st.st_uid),
         static_cast<unsigned>(st.st_gid),
         static_cast<unsigned long long>(st.st_dev),
         static_cast<unsigned long long>(st.st_ino),
         static_cast<unsigned long long>(st.st_size)};
  out.modified = st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec;
  out.changed = st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec;
  return 0;
}

int PosixFiles::read(const Folder& folder, const std::string& name, std::size_t limit,
                     std::string& bytes) {
  bytes.clear();
  const At at(folder, name);
  const int fd = ::openat(at.dir, at.c_str(), O_RDONLY | kAsItself);
  if (fd < 0) return errno;
  struct stat st;
  int error = ::fstat(fd, &st) != 0 ? errno : !S_ISREG(st.st_mode) ? EISDIR : 0;
  if (!error) {
    bytes.resize(limit);
    std::size_t done = 0;
    while (done < limit) {
      const ssize_t n = ::read(fd, bytes.data() + done, limit - done);
      if (n > 0)
        done += static_cast<std::size_t>(n);
      else if (n == 0)
        break;
      else if (errno != EINTR) {
        error = errno;
        break;
      }
    }
    bytes.resize(done);
  }
  ::close(fd);
  return error;
}

int PosixFiles::create(const Folder& folder, const std::string& name, std::string_view bytes,
                       const FileInfo* like) {
  const At at(folder, name);
  // A file in place of a private one is private from its first byte.
  const int fd = ::openat(at.dir, at.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          like ? 0600 : 0666);
  if (fd < 0) return errno;
  int error = writeAll(fd, bytes);
  if (!error && like) {
    struct stat st;
    // The superuser keeps a case its owner's: what it makes is theirs, as what it replaces was.
    const bool owned = user() == 0 && ::fstat(fd, &st) == 0 && st.st_uid != like->uid &&
                       ::fchown(fd, like->uid, like->gid) == 0;
    if (!owned && ::fstat(fd, &st) == 0 && st.st_gid != like->gid)
      (void)::fchown(fd, static_cast<uid_t>(-1), like->gid);  // not allowed: the folder's group
    // Never the set-ID or sticky bits: a file that another user left set-user-ID would make the
    // user's own copy run as the user.
    if (::fchmod(fd, like->mode & 0777) != 0) error = errno;
  }
  if (!error && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && !error) error = errno;
  if (error) ::unlinkat(at.dir, at.c_str(), 0);
  return error;
}

int PosixFiles::append(const Folder& folder, const std::string& name, std::string_view bytes) {
  const At at(folder, name);
  const int fd = ::openat(at.dir, at.c_str(), O_WRONLY | O_APPEND | kAsItself);
  if (fd < 0) return errno;
  struct stat st;
  int error = ::fstat(fd, &st) != 0 ? errno : !S_ISREG(st.st_mode) ? EISDIR : 0;
  if (!error) error = writeAll(fd, bytes);
  if (!error && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && !error) error = errno;
  return error;
}

int PosixFiles::rename(const Folder& folder, const std::string& from, const std::string& to,
                       bool replace) {
  const At a(folder, from), b(folder, to);
  if (!replace) {
    if (::renameat2(a.dir, a.c_str(), b.dir, b.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system without it: the entry looked for just before.
    struct stat st;
    if (::fstatat(b.dir, b.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
  }
  return ::renameat(a.dir, a.c_str(), b.dir, b.c_str()) == 0 ? 0 : errno;
}

int PosixFiles::remove(const Folder& folder, const std::string& name) {
  const At at(folder, name);
  return ::unlinkat(at.dir, at.c_str(), 0) == 0 ? 0 : errno;
}

void PosixFiles::sync(const Folder& folder) {
  const int fd = folder.handle >= 0
                     ? ::dup(folder.handle)
                     : ::open(pathOf(folder.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // some file systems cannot flush a folder; its entries are as durable as they get
  ::close(fd);
}

int PosixFiles::lock(const Folder& folder, const std::string& name, int waitMs, int& handle) {
  const At at(folder, name);
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  // Every way round counts against the wait, a look that fails included, so that a file
  // system that keeps failing (a dropped network share) ends the wait as well.
  for (;;) {
    // A pipe or device in the lock file's place is refused, not waited on.
    int fd = ::openat(at.dir, at.c_str(), O_RDWR | kAsItself);
    // A lock file we may only read (or one in a folder we may only read) still keeps writers
    // out: a lock is taken on a file opened for reading as well.
    if (fd < 0 && (errno == EACCES || errno == EROFS))
      fd = ::openat(at.dir, at.c_str(), O_RDONLY | kAsItself);
    if (fd < 0) return errno;
    struct stat st;
    if (const int e = ::fstat(fd, &st) != 0 ? errno : !S_ISREG(st.st_mode) ? EISDIR : 0) {
      ::close(fd);
      return e;
    }
    int error = ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
    bool looked = false, moved = false;
    if (error == 0) {
      // The holder before us may have removed the file as it let go: a lock on a file no
      // longer there keeps nobody out, so the one that is there is locked, at once. A look
      // that fails is no lock either: it is let go, and told if it fails to the end.
      error = stillAt(folder, name, fd);
      if (error == 0) {
        handle = fd;
        return 0;
      }
      moved = error == ENOENT;
      looked = !moved;
    }
    ::close(fd);
    if (!moved && !looked && error != EWOULDBLOCK && error != EINTR) return error;
    // A file we never held to the end is another's for now.
    if (std::chrono::steady_clock::now() >= until) return looked ? error : EWOULDBLOCK;
    if (!moved) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

int PosixFiles::stillAt(const Folder& folder, const std::string& name, int fd) {
  const At at(folder, name);
  struct stat held, now;
  if (::fstat(fd, &held) != 0) return errno;
  if (::fstatat(at.dir, at.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0) return errno;
  return held.st_dev == now.st_dev && held.st_ino == now.st_ino ? 0 : ENOENT;
}

void PosixFiles::unlock(int handle) {
  ::close(handle);  // closing the only descriptor releases the lock
}

FileOps& SystemFiles() {
  static PosixFiles files;
  return files;
}

}  // namespace veltaro
