#pragma once
// The intent file of a set of files written together: the changes of one write, one a line,
// then "end"; a line "go" after it says that carrying them out has begun.
//
//   P <temporary> <backup> <target>   the target replaced; its old file waits as the backup
//   N <temporary> <target>            a new file
//   M <backup> <target>               the target removed; it waits as the backup
//
// Every state of a change is told by which of its names exist, so that a write cut off at any
// moment is finished, or undone, by the next use: a change is done when its temporary is gone
// (a removal: its target), and a done change keeps its backup while the list exists. A list
// an earlier build wrote ("R <temporary> <target>", "D <target>") is finished as it was then.
//
// A case folder comes from anywhere (mail, a stick, a shared folder), so a list is untrusted
// input: it may name only plain names in its own folder, each one of the set's own names or a
// temporary file of the set's, and is read only up to a small size. Anything else is a damaged
// list, and nothing is done with it.

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
  std::string earlierKey;        // the key an earlier build gave the same set
  bool isOwn(std::string_view name) const;
  // A temporary file of this set, by its key or the earlier build's, or one of an even earlier
  // build, which named them ".~vt<pid>-<n>" for every set.
  bool isOwnTemp(std::string_view name) const;
  // A temporary file that carries this set's own key: only those are stale by their name alone.
  bool hasKey(std::string_view name) const;
};
// The writer's temporary name pattern, of this build or an earlier one.
bool IsTempName(std::string_view name);
// A single name in its folder: not empty, no separator, NUL or line break, not "." or "..".
bool IsPlainName(std::string_view name);

struct Change {
  std::string temp;  // empty for a removal
  std::string target;
  std::string backup;  // empty for a new file, and in an earlier build's list
};
struct Journal {
  std::vector<Change> changes;
  bool started = false;
  bool earlier = false;  // written by an earlier build: R and D lines
};

std::string EncodeJournal(const std::vector<Change>& changes);
inline constexpr std::string_view kStartedLine = "go\n";
// nullopt when the list is damaged.
std::optional<Journal> ParseJournal(std::string_view bytes, const JournalNames& names);
// The changes of a list as far as it can be read, up to its first damaged line.
std::vector<Change> ReadableChanges(std::string_view bytes, const JournalNames& names);

// Carries out an earlier build's list in `folder` whose intent file is `intent`, then removes
// the intent file. Before anything changes every file it names is checked as the entry itself
// (never through a link): each target missing or a writable regular file, each temporary a
// regular file. A list not yet begun must pass every check with every temporary present, else
// it is damaged: false, and nothing changed. On a list begun already a change done (its
// temporary gone) is passed over, and a file in the way is a FileError (unfinished) before
// anything changes. FileError (unfinished) when a change fails.
bool Replay(FileOps& ops, const Folder& folder, const std::string& intent, const Journal& journal);

// Settles a list of this build: one not begun is undone, one begun is finished, or, when a
// step fails, undone. True when the new files are whole on disk, false when the old ones are
// (nothing had been done). `shared`: a folder with the sticky bit, where only the user's own
// temporary files are touched. FileError:
// - undone(): a step failed (the error names it) and what was done is undone again;
// - unfinished(): neither way could be gone to its end; the list stays for the next use;
// - Mixed: some files cannot be told done or not (temporary files lost); nothing changed;
// - OwnedByAnother, NotRegular: a temporary file of the list is not the user's own file;
//   nothing changed.
bool Settle(FileOps& ops, const Folder& folder, const std::string& intent, const Journal& journal,
            bool shared);

// The files of a list begun that cannot be settled, as Settle's Mixed error names them: the
// targets done, not done and unknown, as far as the list and the folder tell.
FileError MixedError(FileOps& ops, const Folder& folder, const std::string& intent,
                     const std::vector<Change>& changes, bool earlier);
// True when the readable part of a list shows that some of it was carried out.
bool ShowsProgress(FileOps& ops, const Folder& folder, const std::vector<Change>& changes,
                   bool earlier);

}  // namespace veltaro
