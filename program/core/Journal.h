#pragma once
// The intent file of a set of files written together: the renames and removals still to do,
// "R <temporary> <target>" and "D <target>" one a line, then "end"; a line "go" after it says
// that carrying them out has begun. A case folder comes from anywhere (mail, a stick, a
// shared folder), so a list is untrusted input: it may name only plain names in its own folder,
// each one of the set's own names or a temporary file of the writer's, and is read only up to
// a small size. Anything else is a damaged list, and nothing is done with it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileError.h"
#include "core/FileOps.h"

namespace veltaro {

// Temporary files are ".~vt<key>-<pid>-<n>": short, so that a name of any legal length can be
// written, hidden from the file dialogs, and tied by the key to the set they belong to.
inline constexpr std::string_view kTempPrefix = ".~vt";
inline constexpr std::size_t kJournalLimit = 64 * 1024;

// Which names a list may hold.
struct JournalNames {
  std::vector<std::string> own;  // the set's own file names, in any letter case
  std::string key;               // the set's key in its temporary files' names
  bool isOwn(std::string_view name) const;
  // A temporary file of this set (".~vt<key>-<pid>-<n>"), or one of an earlier build, which
  // named them ".~vt<pid>-<n>" for every set; never another set's.
  bool isOwnTemp(std::string_view name) const;
};
// The writer's temporary name pattern, of this build or an earlier one.
bool IsTempName(std::string_view name);
// A single name in its folder: not empty, no separator, NUL or line break, not "." or "..".
bool IsPlainName(std::string_view name);

struct Change {
  std::string temp;  // empty for a removal
  std::string target;
};
struct Journal {
  std::vector<Change> changes;
  bool started = false;
};

std::string EncodeJournal(const std::vector<Change>& changes);
inline constexpr std::string_view kStartedLine = "go\n";
// nullopt when the list is damaged.
std::optional<Journal> ParseJournal(std::string_view bytes, const JournalNames& names);
// The temporary files a damaged list names, as far as it can be read: only the set's own.
std::vector<std::string> ListedTemps(std::string_view bytes, const JournalNames& names);

// Carries out a list in `folder` whose intent file is `intent`, then removes the intent file.
// Before anything changes every file it names is checked as the entry itself (never through a
// link): each target missing or a writable regular file, each temporary a regular file. A list
// not yet begun must pass every check with every temporary present, else it is damaged: false,
// and nothing changed. On a list begun already a change done (its temporary gone) is passed
// over, and a file in the way is a FileError (unfinished) before anything changes. FileError
// (unfinished) when a change fails.
bool Replay(FileOps& ops, const Folder& folder, const std::string& intent, const Journal& journal);

}  // namespace veltaro
