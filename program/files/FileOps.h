#pragma once
// The few file operations the whole-file writer needs, on plain names inside one folder. The
// names are checked before they get here: no separator, never "." or "..". Nothing follows a
// symbolic link in the last component: a link is an entry of its own, never what it points at.
// A folder held open acts as the folder that was opened, also when its path is renamed or made
// a link to another folder meanwhile. Every call returns 0 or the errno of the call that failed.
//
// PosixFiles is the one real implementation; tests derive from it to plant faults.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/FileNames.h"  // the names these calls take are matched as it folds them

namespace veltaro {

// The folder the calls act in.
struct Folder {
  Folder(std::string p = {}) : path(std::move(p)) {}  // by its path, not held
  std::string path;                                   // as it was named, also in messages
  int handle = -1;                                    // while held
};

struct FolderEntry {
  std::string name;
  bool regular = false;  // a regular file, not a link, folder or device
};

struct FileInfo {
  bool exists = false;
  bool regular = false;
  unsigned mode = 0;  // permission bits
  unsigned uid = 0, gid = 0;
  unsigned long long device = 0, inode = 0;  // which file it is, also under another name
  unsigned long long size = 0;               // in bytes
  // When its bytes and its entry last changed, in nanoseconds: with the above, what a reader
  // without a lock tells a file changed meanwhile by.
  long long modified = 0, changed = 0;
  bool sameFile(const FileInfo& other) const {
    return exists && other.exists && device == other.device && inode == other.inode;
  }
};

// True when the entry exists and nobody may write it: neither replaced nor removed, also not by
// the superuser.
inline bool IsReadOnly(const FileInfo& info) {
  return info.exists && (info.mode & 0222) == 0;
}

// The one way a folder and a name in it are joined: a name alone in the current folder.
std::string JoinPath(const std::string& folder, const std::string& name);

class FileOps {
 public:
  virtual ~FileOps() = default;
  // Holds the folder open for the calls that follow, until release(); a folder that cannot be
  // held is taken by its path.
  virtual void hold(Folder& folder) = 0;
  virtual void release(Folder& folder) = 0;
  // Every entry of the folder but "." and "..".
  virtual int list(const Folder& folder, std::vector<FolderEntry>& entries) = 0;
  // The entry itself (a link is not followed); exists is false when there is none.
  virtual int info(const Folder& folder, const std::string& name, FileInfo& out) = 0;
  // The first `limit` bytes (fewer when the file is shorter) of a regular file; nothing beyond
  // them is read, however large the file.
  virtual int read(const Folder& folder, const std::string& name, std::size_t limit,
                   std::string& bytes) = 0;
  // A new file, written and flushed. With `like`, it gets that file's permission bits (never
  // set-user-ID, set-group-ID or sticky) and, where the owner may, its group; run as the
  // superuser (user() 0), its owner and group too. Without, the user's umask decides.
  virtual int create(const Folder& folder, const std::string& name, std::string_view bytes,
                     const FileInfo* like) = 0;
  // Adds to the end of an existing regular file and flushes it.
  virtual int append(const Folder& folder, const std::string& name, std::string_view bytes) = 0;
  // With `replace` false an entry at `to` is never replaced: EEXIST.
  virtual int rename(const Folder& folder, const std::string& from, const std::string& to,
                     bool replace = true) = 0;
  virtual int remove(const Folder& folder, const std::string& name) = 0;
  // Makes the folder's entries durable where the file system can.
  virtual void sync(const Folder& folder) = 0;
  // An advisory lock on an existing regular file, waiting up to `waitMs`: ENOENT when there is
  // none, EWOULDBLOCK when another holder keeps it, EACCES when it may not even be read. A file
  // removed by its holder as it let go is not taken: the one at the name is, or ENOENT. A lock
  // whose file cannot be looked at once it is locked is let go: the errno of that look, where
  // it fails to the end of the wait. Every way round counts against the wait, which always
  // ends. `handle` is what unlock() takes.
  virtual int lock(const Folder& folder, const std::string& name, int waitMs, int& handle) = 0;
  virtual void unlock(int handle) = 0;
  // The user the files are changed as, by the ids the files' owners are told by.
  virtual unsigned user() const;
};

class PosixFiles : public FileOps {
 public:
  void hold(Folder& folder) override;
  void release(Folder& folder) override;
  int list(const Folder& folder, std::vector<FolderEntry>& entries) override;
  int info(const Folder& folder, const std::string& name, FileInfo& out) override;
  int read(const Folder& folder, const std::string& name, std::size_t limit,
           std::string& bytes) override;
  int create(const Folder& folder, const std::string& name, std::string_view bytes,
             const FileInfo* like) override;
  int append(const Folder& folder, const std::string& name, std::string_view bytes) override;
  int rename(const Folder& folder, const std::string& from, const std::string& to,
             bool replace = true) override;
  int remove(const Folder& folder, const std::string& name) override;
  void sync(const Folder& folder) override;
  int lock(const Folder& folder, const std::string& name, int waitMs, int& handle) override;
  void unlock(int handle) override;

 protected:
  // The look a lock takes at its name once the file `fd` is locked: 0 when that file is still
  // the entry there, ENOENT when another file or none is, or the errno of a look that failed.
  virtual int stillAt(const Folder& folder, const std::string& name, int fd);
};

// The program's own file operations.
FileOps& SystemFiles();

}  // namespace veltaro
