#include "core/Journal.h"

#include <unistd.h>

#include <cerrno>

namespace veltaro {

namespace {

constexpr std::string_view kEndLine = "end";

// Names of one line, split at blanks from the left: the last takes the rest of the line (a
// target may hold blanks; temporary names never do).
std::vector<std::string_view> fields(std::string_view line, std::size_t count) {
  std::vector<std::string_view> out;
  while (out.size() + 1 < count) {
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) return {};
    out.push_back(line.substr(0, space));
    line.remove_prefix(space + 1);
  }
  out.push_back(line);
  return out;
}

// One line of a list; false when it is none a writer of this set writes.
bool parseLine(std::string_view line, const JournalNames& names, Change& c, bool& earlier) {
  if (line.size() < 2 || line[1] != ' ') return false;
  const char kind = line[0];
  const std::size_t count = kind == 'P' ? 3 : kind == 'N' || kind == 'M' || kind == 'R' ? 2 : 1;
  if (kind != 'P' && kind != 'N' && kind != 'M' && kind != 'R' && kind != 'D') return false;
  const auto f = fields(line.substr(2), count);
  if (f.empty() || !IsPlainName(f.back()) || !names.isOwn(f.back())) return false;
  for (std::size_t i = 0; i + 1 < f.size(); ++i)
    if (!names.isOwnTemp(f[i])) return false;
  c = {};
  c.target = f.back();
  if (kind == 'P' || kind == 'N' || kind == 'R') c.temp = f[0];
  if (kind == 'P') c.backup = f[1];
  if (kind == 'M') c.backup = f[0];
  earlier = kind == 'R' || kind == 'D';
  return true;
}

// How far one change came, by which of its names exist.
enum class Progress { Todo, Done, Unknown };

struct Look {
  FileInfo temp, target, backup;
};

int look(FileOps& ops, const Folder& folder, const Change& c, Look& l) {
  l = {};
  int e = 0;
  if (!c.temp.empty() && (e = ops.info(folder, c.temp, l.temp)) != 0) return e;
  if ((e = ops.info(folder, c.target, l.target)) != 0) return e;
  if (!c.backup.empty()) e = ops.info(folder, c.backup, l.backup);
  return e;
}

Progress progressOf(const Change& c, const Look& l, bool earlier) {
  if (c.temp.empty()) {  // a removal
    if (l.backup.exists) return Progress::Done;
    if (l.target.exists) return Progress::Todo;
    return earlier ? Progress::Done : Progress::Unknown;  // its backup lost
  }
  if (l.temp.exists) return Progress::Todo;
  if (!c.backup.empty()) return l.backup.exists ? Progress::Done : Progress::Unknown;
  // A new file, or an earlier build's rename: gone with its temporary, or lost with it.
  return l.target.exists && !earlier ? Progress::Done : Progress::Unknown;
}

// Changes are carried out in order, so those done come first: a change whose names cannot
// tell is done before one known done, and not done after one known not done.
std::vector<Progress> resolved(std::vector<Progress> p) {
  const int n = static_cast<int>(p.size());
  int lastDone = -1, firstTodo = n;
  for (int i = 0; i < n; ++i) {
    if (p[i] == Progress::Done) lastDone = i;
    if (p[i] == Progress::Todo && firstTodo == n) firstTodo = i;
  }
  if (lastDone > firstTodo) {  // not in order: nothing between can be told
    for (int i = firstTodo; i <= lastDone; ++i) p[i] = Progress::Unknown;
    return p;
  }
  for (int i = 0; i < n; ++i)
    if (p[i] == Progress::Unknown)
      p[i] = i < lastDone ? Progress::Done : i > firstTodo ? Progress::Todo : p[i];
  return p;
}

// A link where the file system has none: a plain rename, which leaves the first name empty
// for a moment.
int keep(FileOps& ops, const Folder& folder, const std::string& from, const std::string& to) {
  const int e = ops.link(folder, from, to);
  if (e == EPERM || e == EINVAL || e == ENOSYS || e == EOPNOTSUPP || e == EMLINK || e == EXDEV)
    return ops.rename(folder, from, to);
  return e;
}

struct Failure {
  std::string name;
  FileProblem problem;
  int error;
};

class Settler {
 public:
  Settler(FileOps& ops, const Folder& folder, const Journal& journal, bool shared)
      : ops_(ops), folder_(folder), journal_(journal), shared_(shared) {}

  std::optional<Failure> forward() {
    for (const Change& c : journal_.changes)
      if (auto f = forward(c)) return f;
    return std::nullopt;
  }
  std::optional<Failure> back() {
    for (auto c = journal_.changes.rbegin(); c != journal_.changes.rend(); ++c)
      if (auto f = back(*c)) return f;
    return std::nullopt;
  }

 private:
  std::optional<Failure> fail(const std::string& name, FileProblem p, int e) {
    return Failure{name, p, e};
  }
  std::optional<Failure> forward(const Change& c) {
    Look l;
    if (const int e = look(ops_, folder_, c, l)) return fail(c.target, FileProblem::Read, e);
    if (progressOf(c, l, false) != Progress::Todo) return std::nullopt;
    if (l.target.exists && !l.target.regular) return fail(c.target, FileProblem::NotRegular, 0);
    if (c.temp.empty())
      return step(ops_.rename(folder_, c.target, c.backup), c.target, FileProblem::Remove);
    if (l.target.exists && !l.target.sameFile(l.temp)) {
      if (c.backup.empty()) {
        // A file that turned up where a new one goes: in a shared folder another user's,
        // which is never replaced; elsewhere today's rule, that the set's names are its own.
        if (shared_ && l.target.uid != ::geteuid())
          return fail(c.target, FileProblem::OwnedByAnother, 0);
      } else if (!l.backup.exists) {
        if (IsReadOnly(l.target)) return fail(c.target, FileProblem::ReadOnly, 0);
        if (auto f = step(keep(ops_, folder_, c.target, c.backup), c.target, FileProblem::Replace))
          return f;
      }
    }
    // A new file never replaces one that turned up after the look above.
    int e = ops_.rename(folder_, c.temp, c.target, !c.backup.empty() || l.target.exists);
    if (e == EEXIST && c.backup.empty()) {
      if (look(ops_, folder_, c, l) == 0 && shared_ && l.target.uid != ::geteuid())
        return fail(c.target, FileProblem::OwnedByAnother, 0);
      e = ops_.rename(folder_, c.temp, c.target);
    }
    if (auto f = step(e, c.target, FileProblem::Replace)) return f;
    // Two names of one file are left as they are by a rename: the temporary goes by itself.
    FileInfo temp;
    if (ops_.info(folder_, c.temp, temp) == 0 && temp.exists)
      return step(ops_.remove(folder_, c.temp), c.temp, FileProblem::Remove);
    return std::nullopt;
  }
  // Each step back leaves a state the way forward knows: the new file back under its
  // temporary name first, then the old one back in place.
  std::optional<Failure> back(const Change& c) {
    for (int round = 0; round < 3; ++round) {
      Look l;
      if (const int e = look(ops_, folder_, c, l)) return fail(c.target, FileProblem::Read, e);
      if (c.temp.empty()) {  // a removal
        if (!l.backup.exists) return std::nullopt;
        if (l.target.exists) return fail(c.target, FileProblem::Replace, EEXIST);
        return step(ops_.rename(folder_, c.backup, c.target), c.target, FileProblem::Replace);
      }
      if (!l.temp.exists) {
        if (!l.target.exists) return fail(c.target, FileProblem::Replace, ENOENT);
        if (auto f = step(keep(ops_, folder_, c.target, c.temp), c.target, FileProblem::Replace))
          return f;
        continue;
      }
      if (c.backup.empty()) {  // a new file: gone again
        if (!l.target.sameFile(l.temp)) return std::nullopt;
        return step(ops_.remove(folder_, c.target), c.target, FileProblem::Remove);
      }
      if (!l.backup.exists) return std::nullopt;
      if (l.target.sameFile(l.backup))
        return step(ops_.remove(folder_, c.backup), c.backup, FileProblem::Remove);
      return step(ops_.rename(folder_, c.backup, c.target), c.target, FileProblem::Replace);
    }
    return fail(c.target, FileProblem::Replace, 0);
  }
  std::optional<Failure> step(int e, const std::string& name, FileProblem p) {
    if (e) return fail(name, p, e);
    return std::nullopt;
  }

  FileOps& ops_;
  const Folder& folder_;
  const Journal& journal_;
  bool shared_;
};

// Removes the list, and only then the files it kept: a list left behind must still find them.
bool finish(FileOps& ops, const Folder& folder, const std::string& intent,
            const std::vector<std::string>& spare) {
  ops.sync(folder);
  if (const int e = ops.remove(folder, intent); e && e != ENOENT) return false;
  ops.sync(folder);
  for (const std::string& s : spare)
    if (!s.empty()) ops.remove(folder, s);
  return true;
}

}  // namespace

bool JournalNames::isOwn(std::string_view name) const {
  for (const std::string& n : own)
    if (SameFileName(n, name)) return true;
  return false;
}

bool JournalNames::hasKey(std::string_view name) const {
  return IsTempName(name) && name.substr(kTempPrefix.size()).starts_with(key) &&
         name.substr(kTempPrefix.size() + key.size()).starts_with("-");
}

bool JournalNames::isOwnTemp(std::string_view name) const {
  if (!IsTempName(name)) return false;
  if (hasKey(name)) return true;
  const std::string_view rest = name.substr(kTempPrefix.size());
  if (!earlierKey.empty() && rest.starts_with(earlierKey) &&
      rest.substr(earlierKey.size()).starts_with("-"))
    return true;
  const std::size_t dash = rest.find('-');
  return dash != std::string_view::npos && dash != 0 && dash + 1 < rest.size() &&
         rest.find_first_not_of("0123456789-") == std::string_view::npos &&
         rest.find('-', dash + 1) == std::string_view::npos;
}

bool IsTempName(std::string_view name) {
  if (!name.starts_with(kTempPrefix) || name.size() == kTempPrefix.size() || name.size() > 64)
    return false;
  for (char c : name.substr(kTempPrefix.size()))
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || c == '-')) return false;
  return true;
}

bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.size() <= 255 &&
         name.find_first_of(std::string_view("/\0\r\n", 4)) == std::string_view::npos;
}

std::string EncodeJournal(const std::vector<Change>& changes) {
  std::string text;
  for (const Change& c : changes)
    text += c.temp.empty()     ? "M " + c.backup + " " + c.target + "\n"
            : c.backup.empty() ? "N " + c.temp + " " + c.target + "\n"
                               : "P " + c.temp + " " + c.backup + " " + c.target + "\n";
  return text + std::string(kEndLine) + "\n";
}

std::vector<Change> ReadableChanges(std::string_view bytes, const JournalNames& names) {
  std::vector<Change> changes;
  if (bytes.size() > kJournalLimit) return changes;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) break;
    Change c;
    bool earlier = false;
    if (!parseLine(bytes.substr(start, end - start), names, c, earlier)) break;
    changes.push_back(std::move(c));
    start = end + 1;
  }
  return changes;
}

std::optional<Journal> ParseJournal(std::string_view bytes, const JournalNames& names) {
  if (bytes.size() > kJournalLimit) return std::nullopt;
  Journal journal;
  std::size_t start = 0;
  bool anyNew = false;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) return std::nullopt;  // a line cut off
    const std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    if (line == kEndLine) {
      const std::string_view rest = bytes.substr(start);
      // A "go" cut off while it was written was never followed by a change.
      journal.started = rest == kStartedLine;
      if (!rest.empty() && !kStartedLine.starts_with(rest)) return std::nullopt;
      // One writer wrote the whole list: lines of both kinds are no list of ours.
      if (journal.earlier && anyNew) return std::nullopt;
      return journal;
    }
    Change c;
    bool earlier = false;
    if (!parseLine(line, names, c, earlier)) return std::nullopt;
    (earlier ? journal.earlier : anyNew) = true;
    journal.changes.push_back(std::move(c));
  }
  return std::nullopt;  // no end line
}

bool Replay(FileOps& ops, const Folder& folder, const std::string& intent, const Journal& journal) {
  // A list not yet begun is exactly as its writer left it, who checked every file: anything
  // else is a damaged list. Once begun, a file that turned up in the way stops it until the
  // user moves it, and what is done already is not undone.
  FileInfo info;
  auto stop = [&](const std::string& name, FileProblem problem) {
    if (!journal.started) return false;
    throw FileError(JoinPath(folder.path, name), problem, 0, true);
  };
  // A list begun was cut off while its changes were carried out in order: those done must be
  // the first ones. A rename whose temporary is gone is done only if its file is there, and a
  // removal is done before any rename. Anything else (a folder copied without its hidden files)
  // cannot be finished.
  bool pending = false, renamed = false;
  for (const Change& c : journal.changes) {
    FileInfo temp;
    if (!c.temp.empty()) {
      if (ops.info(folder, c.temp, temp) != 0) return false;
      if (!temp.exists && !journal.started) return false;
      if (temp.exists && !temp.regular) return stop(c.temp, FileProblem::NotRegular);
    }
    if (ops.info(folder, c.target, info) != 0) return false;
    if (info.exists && !info.regular) return stop(c.target, FileProblem::NotRegular);
    if (IsReadOnly(info)) return stop(c.target, FileProblem::ReadOnly);
    if (c.temp.empty() ? info.exists : temp.exists) {
      if (c.temp.empty() && renamed) return false;
      pending = true;
    } else if (!c.temp.empty()) {
      if (pending || !info.exists) return false;
      renamed = true;
    }
  }
  if (!journal.started)
    if (const int e = ops.append(folder, intent, kStartedLine))
      throw FileError(JoinPath(folder.path, intent), FileProblem::Write, e, true);
  for (const Change& c : journal.changes) {
    if (c.temp.empty()) {
      if (const int e = ops.remove(folder, c.target); e && e != ENOENT)
        throw FileError(JoinPath(folder.path, c.target), FileProblem::Remove, e, true);
    } else if (const int e = ops.rename(folder, c.temp, c.target)) {
      if (e != ENOENT || (ops.info(folder, c.temp, info) == 0 && info.exists))
        throw FileError(JoinPath(folder.path, c.target), FileProblem::Replace, e, true);
    }
  }
  ops.sync(folder);
  if (const int e = ops.remove(folder, intent); e && e != ENOENT)
    throw FileError(JoinPath(folder.path, intent), FileProblem::Remove, e, true);
  return true;
}

bool ShowsProgress(FileOps& ops, const Folder& folder, const std::vector<Change>& changes,
                   bool earlier) {
  for (const Change& c : changes) {
    Look l;
    if (look(ops, folder, c, l) != 0 || progressOf(c, l, earlier) != Progress::Todo) return true;
    if (l.backup.exists) return true;
  }
  return false;
}

FileError MixedError(FileOps& ops, const Folder& folder, const std::string& intent,
                     const std::vector<Change>& changes, bool earlier) {
  std::vector<Progress> p;
  std::vector<bool> there;
  for (const Change& c : changes) {
    Look l;
    look(ops, folder, c, l);
    p.push_back(progressOf(c, l, earlier));
    there.push_back(l.target.exists);
  }
  p = resolved(std::move(p));
  FileError e(JoinPath(folder.path, intent), FileProblem::Mixed);
  for (std::size_t i = 0; i < changes.size(); ++i) {
    // A file removed is in neither save's windows; one still there comes from the one before.
    if (!there[i]) continue;
    const bool removal = changes[i].temp.empty();
    auto& group = p[i] == Progress::Unknown             ? e.either
                  : (p[i] == Progress::Done) == removal ? e.older
                                                        : e.newer;
    group.push_back(changes[i].target);
  }
  return e;
}

bool Settle(FileOps& ops, const Folder& folder, const std::string& intent, const Journal& journal,
            bool shared) {
  auto spare = [&](bool temps) {
    std::vector<std::string> names;
    for (const Change& c : journal.changes) names.push_back(temps ? c.temp : c.backup);
    return names;
  };
  // Nothing is touched before every file of the list is known to be the user's own.
  std::vector<Progress> p;
  for (const Change& c : journal.changes) {
    Look l;
    if (const int e = look(ops, folder, c, l))
      throw FileError(JoinPath(folder.path, c.target), FileProblem::Read, e);
    for (const auto& [name, info] : {std::pair(c.temp, l.temp), std::pair(c.backup, l.backup)}) {
      if (!info.exists) continue;
      if (!info.regular) throw FileError(JoinPath(folder.path, name), FileProblem::NotRegular);
      if (shared && info.uid != ::geteuid())
        throw FileError(JoinPath(folder.path, name), FileProblem::OwnedByAnother);
    }
    p.push_back(progressOf(c, l, false));
  }
  if (!journal.started) {
    // Nothing was changed: the list and its temporary files go.
    if (!finish(ops, folder, intent, spare(true)))
      throw FileError(JoinPath(folder.path, intent), FileProblem::Remove, 0, true);
    return false;
  }
  p = resolved(std::move(p));
  bool canForward = true, canBack = true;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const Change& c = journal.changes[i];
    FileInfo temp, backup;
    if (!c.temp.empty()) ops.info(folder, c.temp, temp);
    if (!c.backup.empty()) ops.info(folder, c.backup, backup);
    if (p[i] == Progress::Unknown) canForward = canBack = false;
    if (p[i] == Progress::Todo && !c.temp.empty() && !temp.exists) canForward = false;
    if (p[i] == Progress::Done && !c.backup.empty() && !backup.exists) canBack = false;
  }
  if (!canForward && !canBack) throw MixedError(ops, folder, intent, journal.changes, false);
  Settler settler(ops, folder, journal, shared);
  std::optional<Failure> failed;
  if (!canForward) {
    // A new file lost before it was put in place: the save is undone, and the user told.
    for (std::size_t i = 0; i < p.size() && !failed; ++i)
      if (p[i] == Progress::Todo && !journal.changes[i].temp.empty())
        failed = Failure{journal.changes[i].temp, FileProblem::Read, 0};
  } else {
    failed = settler.forward();
    if (!failed) {
      if (!finish(ops, folder, intent, spare(false)))
        throw FileError(JoinPath(folder.path, intent), FileProblem::Remove, 0, true);
      return true;
    }
  }
  if (canBack) {
    const std::optional<Failure> backFailed = settler.back();
    if (!backFailed && finish(ops, folder, intent, spare(true))) {
      if (!failed) return false;
      throw FileError(JoinPath(folder.path, failed->name), failed->problem, failed->error)
          .markUndone();
    }
    if (!failed) failed = backFailed;
  }
  throw FileError(JoinPath(folder.path, failed->name), failed->problem, failed->error, true);
}

}  // namespace veltaro
