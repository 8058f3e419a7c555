#pragma once
// The lists of the last two builds, translated into this build's changes as they are read, so
// that the state machine (files/ListStates.cpp) knows one form:
//   P <temp> <backup> <target>, N <temp> <target>, M <backup> <target>   the last build's, begun
//     at "go"; its temporaries ".~vt<key>-<pid>-<n>" with the 64-bit key of ASCII letters;
//   R <temp> <target>, D <target>   the build before, with its 32-bit key, whose list was
//     committed as soon as it was whole ("go" only said that carrying it out had begun).
// They name their set by their own rules: the one list name "<set>.PND" the set has, which
// only that set's lists took. Their lines hold no ids: how far they came is told by which of
// their names exist.

#include <optional>
#include <string_view>
#include <vector>

#include "files/ChangeList.h"

namespace veltaro {

// One line of the last two builds' lists as this build's change; `changeList` takes the
// format and how its changes are told. Nullopt when it is none of their lines.
std::optional<Change> ParseOldLine(std::string_view line, const ListNames& names,
                                   ChangeList& changeList);

// What one change's names show in a list without ids.
struct SeenByNames {
  bool foreign = false;  // a file at one of the save's own names that is not the save's
  bool temp = false;     // the new file waits whole under its temporary name
  bool target = false;   // a regular file of the set at the target
  bool backup = false;   // the old file kept whole under its backup name
  bool linked = false;   // the target is the very file kept under the backup name
};
// How a change stands: its target holds the new file, the old one, and nothing of it was done.
struct Standing {
  bool isNew = false, isOld = false, untouched = false;
};
std::vector<Standing> StandingByNames(const ChangeList& changeList,
                                      const std::vector<SeenByNames>& seen);

}  // namespace veltaro
