#include "core/Journal.h"

#include <cerrno>

namespace veltaro {

namespace {

constexpr std::string_view kEndLine = "end";

std::string pathOf(const Folder& folder, const std::string& name) {
  return folder.path.empty() ? name : folder.path + "/" + name;
}

}  // namespace

bool JournalNames::isOwn(std::string_view name) const {
  for (const std::string& n : own)
    if (SameFileName(n, name)) return true;
  return false;
}

bool JournalNames::isOwnTemp(std::string_view name) const {
  if (!IsTempName(name)) return false;
  const std::string_view rest = name.substr(kTempPrefix.size());
  if (rest.starts_with(key) && rest.substr(key.size()).starts_with("-")) return true;
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
    text += c.temp.empty() ? "D " + c.target + "\n" : "R " + c.temp + " " + c.target + "\n";
  return text + std::string(kEndLine) + "\n";
}

std::optional<Journal> ParseJournal(std::string_view bytes, const JournalNames& names) {
  if (bytes.size() > kJournalLimit) return std::nullopt;
  Journal journal;
  std::size_t start = 0;
  auto target = [&](std::string_view t) { return IsPlainName(t) && names.isOwn(t); };
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
      return journal;
    }
    if (line.starts_with("D ") && target(line.substr(2))) {
      journal.changes.push_back({"", std::string(line.substr(2))});
      continue;
    }
    const std::size_t space = line.find(' ', 2);
    if (!line.starts_with("R ") || space == std::string_view::npos) return std::nullopt;
    const std::string_view temp = line.substr(2, space - 2), to = line.substr(space + 1);
    if (!names.isOwnTemp(temp) || !target(to)) return std::nullopt;
    journal.changes.push_back({std::string(temp), std::string(to)});
  }
  return std::nullopt;  // no end line
}

std::vector<std::string> ListedTemps(std::string_view bytes, const JournalNames& names) {
  std::vector<std::string> temps;
  if (bytes.size() > kJournalLimit) return temps;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    const std::size_t space = line.find(' ', 2);
    if (line.starts_with("R ") && space != std::string_view::npos &&
        names.isOwnTemp(line.substr(2, space - 2)))
      temps.emplace_back(line.substr(2, space - 2));
  }
  return temps;
}

bool Replay(FileOps& ops, const Folder& folder, const std::string& intent, const Journal& journal) {
  // A list not yet begun is exactly as its writer left it, who checked every file: anything
  // else is a damaged list. Once begun, a file that turned up in the way stops it until the
  // user moves it, and what is done already is not undone.
  FileInfo info;
  auto stop = [&](const std::string& name, FileProblem problem) {
    if (!journal.started) return false;
    throw FileError(pathOf(folder, name), problem, 0, true);
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
    if (info.exists && (info.mode & 0222) == 0) return stop(c.target, FileProblem::ReadOnly);
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
      throw FileError(pathOf(folder, intent), FileProblem::Write, e, true);
  for (const Change& c : journal.changes) {
    if (c.temp.empty()) {
      if (const int e = ops.remove(folder, c.target); e && e != ENOENT)
        throw FileError(pathOf(folder, c.target), FileProblem::Remove, e, true);
    } else if (const int e = ops.rename(folder, c.temp, c.target)) {
      if (e != ENOENT || (ops.info(folder, c.temp, info) == 0 && info.exists))
        throw FileError(pathOf(folder, c.target), FileProblem::Replace, e, true);
    }
  }
  ops.sync(folder);
  if (const int e = ops.remove(folder, intent); e && e != ENOENT)
    throw FileError(pathOf(folder, intent), FileProblem::Remove, e, true);
  return true;
}

}  // namespace veltaro
