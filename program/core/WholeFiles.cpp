#include "core/WholeFiles.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string_view>
#include <system_error>

namespace veltaro {

namespace fs = std::filesystem;

FileError::FileError(const std::string& path, const std::string& problem, bool unfinished)
    : std::runtime_error(path + "\r\n" + problem), path_(path), unfinished_(unfinished) {}

namespace {

std::function<bool(int)>& stepHook() {
  static std::function<bool(int)> hook;
  return hook;
}

// Temporary files are ".~vt<pid>-<n>": short, so that a name of any legal length can be
// written, and hidden from the file dialogs.
constexpr std::string_view kTempPrefix = ".~vt";
// An earlier writer named them "<name>.tmp-<pid>".
constexpr std::string_view kOldTempMark = ".tmp-";
// The intent file's last line; a list without it is not ours.
constexpr std::string_view kEndLine = "end";

std::string problemOf(int error) {
  return std::strerror(error);
}

bool endsWithName(std::string_view name, std::string_view end) {
  return name.size() > end.size() && SameFileName(name.substr(name.size() - end.size()), end);
}

// Digits alone as a number; 0 when there are none or anything else.
long number(std::string_view s) {
  if (s.empty() || s.size() > 9) return 0;
  long n = 0;
  for (char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

// The process that named a temporary file is still writing it. A write of this process never
// runs while another starts, so a temporary file of ours is always stale.
bool writerRunning(long pid) {
  if (pid <= 0 || pid == ::getpid()) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::string newTempName() {
  static unsigned long counter = 0;
  return std::string(kTempPrefix) + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

fs::path folderOf(const std::string& path) {
  const fs::path p(path);
  return p.has_parent_path() ? p.parent_path() : fs::path(".");
}

// Creates, writes and flushes a new file; the error of the call that failed, 0 when the file
// is whole on disk. A file that failed is removed.
int writeNew(const fs::path& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  int error = 0;
  for (std::size_t done = 0; done < bytes.size() && !error;) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0)
      done += static_cast<std::size_t>(n);
    else if (n == 0)
      error = ENOSPC;
    else if (errno != EINTR)
      error = errno;
  }
  if (!error && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && !error) error = errno;
  if (error) ::unlink(path.c_str());
  return error;
}

// Makes the folder's entries durable. Some file systems cannot flush a folder; their entries
// are as durable as they get.
void syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// One change of the intent file: a temporary file renamed over its target, or a removal.
struct Change {
  std::string temp;  // empty for a removal
  std::string target;
};

// "R <temp> <target>" and "D <target>", one a line, names without folder, then the end line.
std::string encodeIntent(const std::vector<Change>& changes) {
  std::string text;
  for (const Change& c : changes)
    text += c.temp.empty() ? "D " + c.target + "\n" : "R " + c.temp + " " + c.target + "\n";
  return text + std::string(kEndLine) + "\n";
}

std::vector<Change> readIntent(const std::string& intent) {
  std::ifstream in(intent, std::ios::binary);
  if (!in) throw FileError(intent, "The file cannot be read: " + problemOf(errno));
  std::vector<Change> changes;
  for (std::string line; std::getline(in, line);) {
    if (line == kEndLine) return changes;
    const std::size_t space = line.find(' ', 2);
    if (line.starts_with("D ") && line.size() > 2)
      changes.push_back({"", line.substr(2)});
    else if (line.starts_with("R ") && space != std::string::npos && space + 1 < line.size())
      changes.push_back({line.substr(2, space - 2), line.substr(space + 1)});
    else
      break;
  }
  throw FileError(intent,
                  "The list of changes still to do is damaged; the files beside it were left as "
                  "they are.");
}

bool cutHere(int& step) {
  ++step;
  return stepHook() && stepHook()(step);
}

// Carries out the changes in order; a change done already (its temporary file is gone) is
// passed over, so a list cut off halfway is finished by running it again. False when the step
// hook cut it off.
bool carryOut(const fs::path& folder, const std::vector<Change>& changes, int* step) {
  for (const Change& c : changes) {
    const fs::path target = folder / c.target;
    if (c.temp.empty()) {
      if (::unlink(target.c_str()) != 0 && errno != ENOENT)
        throw FileError(target.string(), "The file cannot be deleted: " + problemOf(errno), true);
    } else if (::rename((folder / c.temp).c_str(), target.c_str()) != 0) {
      const int error = errno;
      std::error_code ec;
      if (error != ENOENT || fs::exists(folder / c.temp, ec))
        throw FileError(target.string(), "The file cannot be replaced: " + problemOf(error), true);
    }
    if (step && cutHere(*step)) return false;
  }
  return true;
}

// Removes the temporary files in the folder that no running write owns and no intent file
// still needs.
void clearStale(const fs::path& folder, const std::vector<std::string>& names) {
  std::set<std::string> needed;
  std::vector<fs::path> stale;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const std::string name = it->path().filename().string();
    if (endsWithName(name, kIntentExtension)) {
      try {
        for (const Change& c : readIntent(it->path().string())) needed.insert(c.temp);
      } catch (const FileError&) {
        return;  // a list that cannot be read may need any of them
      }
    } else if (name.starts_with(kTempPrefix)) {
      const std::size_t dash = name.find('-');
      const std::string_view pid = std::string_view(name).substr(
          kTempPrefix.size(), dash == std::string::npos ? 0 : dash - kTempPrefix.size());
      if (number(pid) && number(std::string_view(name).substr(dash + 1)) &&
          !writerRunning(number(pid)))
        stale.push_back(it->path());
    } else if (const std::size_t mark = name.rfind(kOldTempMark); mark != std::string::npos) {
      const long pid = number(std::string_view(name).substr(mark + kOldTempMark.size()));
      for (const std::string& own : names)
        if (pid && SameFileName(name.substr(0, mark), own) && !writerRunning(pid))
          stale.push_back(it->path());
    }
  }
  for (const fs::path& p : stale)
    if (!needed.count(p.filename().string())) fs::remove(p, ec);
}

// In a shared folder (one with the sticky bit) only the file's owner or the folder's may
// replace or remove a file; a rename there would fail halfway through the set.
bool ownedByAnother(const std::string& path) {
  struct stat file, folder;
  if (::geteuid() == 0 || ::stat(path.c_str(), &file) != 0) return false;
  if (::stat(folderOf(path).c_str(), &folder) != 0 || !(folder.st_mode & S_ISVTX)) return false;
  return file.st_uid != ::geteuid() && folder.st_uid != ::geteuid();
}

}  // namespace

bool SameFileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

void CompletePendingSet(const std::string& intent, const std::vector<std::string>& names) {
  std::error_code ec;
  if (fs::is_regular_file(intent, ec)) {
    const fs::path folder = folderOf(intent);
    carryOut(folder, readIntent(intent), nullptr);
    syncFolder(folder);
    fs::remove(intent, ec);
  }
  clearStale(folderOf(intent), names);
}

bool IsReadOnly(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

void SetWriteStepHook(std::function<bool(int step)> hook) {
  stepHook() = std::move(hook);
}

void WriteFileSet(const FileSet& set) {
  const fs::path folder = folderOf(set.intent);
  CompletePendingSet(set.intent, set.names);

  std::vector<Change> changes;
  auto check = [&](const std::string& path) {
    if (folderOf(path).lexically_normal() != folder.lexically_normal())
      throw FileError(path, "The file is not in the folder of the files it is written with.");
    const std::string name = fs::path(path).filename().string();
    if (name.find_first_of("\r\n") != std::string::npos)
      throw FileError(path, "A file name cannot hold a line break.");
    std::error_code ec;
    if (fs::is_directory(path, ec)) throw FileError(path, "A folder of that name is in the way.");
    if (IsReadOnly(path)) throw FileError(path, "The file is read-only.");
    if (ownedByAnother(path))
      throw FileError(path, "The file belongs to another user in a shared folder.");
    return name;
  };
  for (const std::string& r : set.removals) changes.push_back({"", check(r)});
  for (const FileContent& f : set.files) changes.push_back({newTempName(), check(f.path)});

  // Until the intent file is in place, a failure leaves every file as it was.
  std::vector<fs::path> written;
  auto discard = [&] {
    for (const fs::path& t : written) ::unlink(t.c_str());
  };
  int step = 0;
  for (std::size_t i = 0; i < set.files.size(); ++i) {
    const Change& c = changes[set.removals.size() + i];
    if (const int error = writeNew(folder / c.temp, set.files[i].bytes)) {
      discard();
      throw FileError(set.files[i].path, "The file cannot be written: " + problemOf(error));
    }
    written.push_back(folder / c.temp);
    if (cutHere(step)) return;
  }
  const fs::path intentTemp = folder / newTempName();
  int error = writeNew(intentTemp, encodeIntent(changes));
  if (!error && ::rename(intentTemp.c_str(), set.intent.c_str()) != 0) {
    error = errno;
    ::unlink(intentTemp.c_str());
  }
  if (error) {
    discard();
    throw FileError(set.intent, "The file cannot be written: " + problemOf(error));
  }
  syncFolder(folder);
  if (cutHere(step)) return;

  // From here on the set is written: a failure leaves the rest to the next use.
  if (!carryOut(folder, changes, &step)) return;
  syncFolder(folder);
  ::unlink(set.intent.c_str());
  cutHere(step);
}

}  // namespace veltaro
