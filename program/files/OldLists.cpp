#include "files/OldLists.h"

#include <algorithm>

namespace veltaro {

namespace {

// How far one change of a list without ids came, by which of its names exist.
// Likely: the build before's rename, its temporary gone and its target there, which may have
// been there before: done, unless a temporary of the list was lost.
enum class Progress { Todo, Done, Unknown, Likely };

Progress progressOf(const Change& c, const SeenByNames& s) {
  // A file at one of the save's own names that is not the set's own tells nothing.
  if (s.foreign) return Progress::Unknown;
  if (c.temp.empty()) {  // a removal
    if (s.backup) return Progress::Done;
    if (s.target) return Progress::Todo;
    return c.keptNoCopies ? Progress::Done : Progress::Unknown;  // its backup lost
  }
  if (s.temp) return Progress::Todo;
  // The old file kept, and no longer at the target: replaced.
  if (!c.backup.empty()) return s.backup && !s.linked ? Progress::Done : Progress::Unknown;
  // A new file, or an earlier build's rename: gone with its temporary, or lost with it.
  return !s.target ? Progress::Unknown : c.keptNoCopies ? Progress::Likely : Progress::Done;
}

// Changes are carried out in order, so those done come first: a change whose names cannot
// tell is done before one known done, and not done after one known not done.
void resolve(std::vector<Progress>& p) {
  const bool lost = std::count(p.begin(), p.end(), Progress::Unknown) > 0;
  for (Progress& q : p)
    if (q == Progress::Likely) q = lost ? Progress::Unknown : Progress::Done;
  const int n = static_cast<int>(p.size());
  int lastDone = -1, firstTodo = n;
  for (int i = 0; i < n; ++i) {
    if (p[i] == Progress::Done) lastDone = i;
    if (p[i] == Progress::Todo && firstTodo == n) firstTodo = i;
  }
  if (lastDone > firstTodo) {  // not in order: nothing between can be told
    for (int i = firstTodo; i <= lastDone; ++i) p[i] = Progress::Unknown;
    return;
  }
  for (int i = 0; i < n; ++i)
    if (p[i] == Progress::Unknown)
      p[i] = i < lastDone ? Progress::Done : i > firstTodo ? Progress::Todo : p[i];
}

}  // namespace

std::optional<Change> ParseOldLine(std::string_view line, const ListNames& names,
                                   ChangeList& changeList) {
  struct Form {
    char kind;
    ListFormat format;
    const char* fields;  // t: temporary, b: backup, n: target
  };
  static constexpr Form kForms[] = {
      {'P', ListFormat::Last, "tbn"},  {'N', ListFormat::Last, "tn"},
      {'M', ListFormat::Last, "bn"},   {'R', ListFormat::Earlier, "tn"},
      {'D', ListFormat::Earlier, "n"},
  };
  const Form* form = nullptr;
  for (const Form& f : kForms)
    if (f.kind == line[0]) form = &f;
  if (!form) return std::nullopt;
  const std::string_view kinds = form->fields;
  const auto f = ListFields(line.substr(2), kinds.size());
  if (f.empty()) return std::nullopt;
  Change c;
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    if (kinds[i] == 'n') {
      if (!names.isOwn(f[i])) return std::nullopt;
      c.target = f[i];
    } else if (!names.isTemp(f[i], form->format)) {
      return std::nullopt;
    } else {
      (kinds[i] == 't' ? c.temp : c.backup) = f[i];
    }
  }
  c.kind = c.temp.empty()                           ? ChangeKind::Remove
           : !c.backup.empty() || form->kind == 'R' ? ChangeKind::Replace
                                                    : ChangeKind::Add;
  c.keepsOldFirst = form->format == ListFormat::Last && !c.backup.empty();
  c.keptNoCopies = form->format == ListFormat::Earlier;
  changeList.format = form->format;
  changeList.byNames = true;
  changeList.committedWhole = form->format == ListFormat::Earlier;
  return c;
}

std::vector<Standing> StandingByNames(const ChangeList& changeList,
                                      const std::vector<SeenByNames>& seen) {
  std::vector<Progress> progress;
  for (std::size_t i = 0; i < seen.size(); ++i)
    progress.push_back(progressOf(changeList.changes[i], seen[i]));
  resolve(progress);
  std::vector<Standing> out(seen.size());
  for (std::size_t i = 0; i < seen.size(); ++i) {
    // A file at the name of a removal is the old one, also once it was kept under its backup.
    const bool removal = changeList.changes[i].kind == ChangeKind::Remove;
    out[i].isNew = seen[i].target && !removal && progress[i] == Progress::Done;
    out[i].isOld = seen[i].target && (removal || progress[i] == Progress::Todo);
    out[i].untouched = progress[i] == Progress::Todo;
  }
  return out;
}

}  // namespace veltaro
