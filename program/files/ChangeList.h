#pragma once
// The list of a set's changes (files/WholeFiles.h carries it out): the set it is of, one change
// a line, then "end"; a line "go" after it is the one point of commit.
//
//   S <set>                                  the name of the set (the case), first
//   A <temp> <id> <target>                   a new file, written whole as <temp>
//   C <temp> <id> <backup> <id> <target>     the target replaced; <backup> a copy of the old one
//   X <backup> <id> <target>                 the target removed; <backup> a copy of it
//   L <id> <list>                            a list this save retires (one kept as the mark of a
//                                            mixed case), removed once the save is through
//
// An <id> is "<size>:<hash>" of a file's bytes: which file a name was, also on a file system
// whose file numbers change as a stick is put in again. Every temporary and backup is the
// save's own file, made by it under a name nobody can foretell (".~vt<key>-<16 hex digits>").
//
// A key is a name, never an identity: two sets' names may share one, so a list found at the key
// that names another set is none of this set's. Lists of the last two builds (files/OldLists.h)
// are translated into these changes as they are read; they name their set by their own rules.
//
// A case folder comes from anywhere (mail, a stick, a shared folder), so a list is untrusted
// input: it may name only plain names in its own folder, each a file of the set or a file of
// the set's own naming, and is read only up to a small size. Anything else is a damaged list.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltaro {

// The writer's own files start so: hidden from file dialogs, and no case may take such a name.
inline constexpr std::string_view kTempPrefix = ".~vt";
inline constexpr std::string_view kListSuffix = ".PND";
inline constexpr std::size_t kListLimit = 64 * 1024;
inline constexpr std::string_view kStartedLine = "go\n";

// Which file a name was: its size and a hash of its bytes.
struct FileId {
  std::uint64_t size = 0, hash = 0;
  bool known = false;
  bool operator==(const FileId&) const = default;
};
FileId IdOf(std::string_view bytes);

// Which build wrote a list: what its names are checked against.
enum class ListFormat { Current, Last, Earlier };
enum class ChangeKind { Add, Replace, Remove };

struct Change {
  ChangeKind kind = ChangeKind::Add;
  std::string target;
  std::string temp;    // the new file; empty for a removal
  std::string backup;  // the old file kept; empty for a new file and in the earliest lists
  FileId fresh, old;   // the new file's and the old one's, in this build's lists
  // Carried out as the last build did: the old file kept under the backup name before the
  // change, so that a list cut off again still tells how far it came.
  bool keepsOldFirst = false;
  // The build before's, which kept no copies: a removal whose target is gone is done, and a
  // rename's target may have been there before it.
  bool keptNoCopies = false;
};

struct RetiredList {
  std::string name;
  FileId id;
};

struct ChangeList {
  ListFormat format = ListFormat::Current;
  std::string set;  // the set it names (this build's lists)
  // It names another set than the one it is read for: none of that set's, which takes from it
  // only the names of the writer's own files it holds (the other set's, never stale).
  bool another = false;
  std::vector<std::string> othersFiles;
  std::vector<Change> changes;
  std::vector<RetiredList> retired;
  bool started = false;  // its "go" line is there
  // No ids: how far a change came is told by which of its names exist.
  bool byNames = false;
  // Committed as soon as it was whole (the build before's): "go" only said that carrying it out
  // had begun.
  bool committedWhole = false;
};

// Which names a list may hold.
struct ListNames {
  std::vector<std::string> own;  // the set's own file names, in any letter case
  std::string list;              // the last builds' list name, in any letter case
  std::string key;               // this build's key of the set's own files
  std::string lastKey;           // the last build's
  std::string earlierKey;        // the build before's, which other names may share
  std::string set;               // the set's name, as this build's lists name it
  bool isOwn(std::string_view name) const;
  // A temporary or backup of the set, of the list format's own naming.
  bool isTemp(std::string_view name, ListFormat format) const;
  // A list of the set: one of this build's naming, or the last builds' name.
  bool isList(std::string_view name) const;
  // A file of this build's naming or the last build's for the set that no list may need any
  // more once the set's lock is held and no list names it: only these are stale by their name.
  bool isStaleName(std::string_view name) const;
};
// A single name in its folder: not empty, no separator, NUL or line break, not "." or "..".
bool IsPlainName(std::string_view name);
// This build's name of an own file of the set: ".~vt<key>-<random>" and `suffix`.
std::string OwnFileName(std::string_view key, std::string_view random, std::string_view suffix);

// The names of one line, split at blanks from the left: the last takes the rest of the line
// (a target may hold blanks; the writer's own names and ids never do). Empty when it has fewer.
std::vector<std::string_view> ListFields(std::string_view line, std::size_t count);
// Decimal digits, as many as a 64-bit number holds.
bool IsDigits(std::string_view s);

// The list without its "go" line.
std::string EncodeList(const ChangeList& changeList);
// nullopt when the list is damaged.
std::optional<ChangeList> ParseList(std::string_view bytes, const ListNames& names);
// The list as far as it can be read, up to its first damaged line: what a damaged list shows.
ChangeList ReadableList(std::string_view bytes, const ListNames& names);

}  // namespace veltaro
