#include "files/ChangeList.h"

#include <cstdio>

#include "core/FileNames.h"
#include "files/FileOps.h"
#include "files/OldLists.h"

namespace veltaro {

namespace {

constexpr std::string_view kEndLine = "end";

bool isHex(std::string_view s) {
  for (char c : s)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return !s.empty();
}

std::string idText(const FileId& id) {
  char text[40];
  std::snprintf(text, sizeof text, "%llu:%016llx", static_cast<unsigned long long>(id.size),
                static_cast<unsigned long long>(id.hash));
  return text;
}

std::optional<FileId> parseId(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || !IsDigits(text.substr(0, colon)) ||
      text.size() - colon - 1 != 16 || !isHex(text.substr(colon + 1)))
    return std::nullopt;
  FileId id{0, 0, true};
  for (char c : text.substr(0, colon)) id.size = id.size * 10 + static_cast<unsigned>(c - '0');
  for (char c : text.substr(colon + 1))
    id.hash = id.hash * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : c - 'a' + 10);
  return id;
}

// One line of a list into `changeList`; false when it is none a writer of this set writes, or of
// another format than the lines before it (one writer wrote the whole list).
bool parseLine(std::string_view line, const ListNames& names, ChangeList& changeList, bool first) {
  if (line.size() < 3 || line[1] != ' ') return false;
  struct Form {
    char kind;
    const char* fields;  // t: temporary, b: backup, i: id, n: target, l: list
  };
  static constexpr Form kForms[] = {{'A', "tin"}, {'C', "tibin"}, {'X', "bin"}, {'L', "il"}};
  const Form* form = nullptr;
  for (const Form& f : kForms)
    if (f.kind == line[0]) form = &f;
  ChangeList read;
  std::optional<Change> old;
  if (!form && !(old = ParseOldLine(line, names, read))) return false;
  // This build's lines come after the set's name, the last builds' without one. A list of
  // this build's lines without the name was written before lists named their set: it is this
  // set's as its names are, checked line by line as every list's.
  if (!first && read.format != changeList.format) return false;
  if (first && read.format != ListFormat::Current && !changeList.set.empty()) return false;
  Change c = old.value_or(Change{});
  std::vector<FileId> ids;
  std::string list;
  const std::string_view kinds = form ? form->fields : "";
  const auto f = ListFields(line.substr(2), kinds.size());
  if (form && f.empty()) return false;
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    switch (kinds[i]) {
      case 't':
      case 'b':
        if (!names.isTemp(f[i], ListFormat::Current)) return false;
        (kinds[i] == 't' ? c.temp : c.backup) = f[i];
        break;
      case 'i':
        if (auto id = parseId(f[i]))
          ids.push_back(*id);
        else
          return false;
        break;
      case 'n':
        if (!names.isOwn(f[i])) return false;
        c.target = f[i];
        break;
      case 'l':
        if (!names.isList(f[i])) return false;
        list = f[i];
        break;
    }
  }
  // The writer puts the lists it retires first, then its removals, then its files.
  const bool removal = c.temp.empty();
  const bool retiring = form && form->kind == 'L';
  if (!changeList.changes.empty() &&
      (retiring || (removal && changeList.changes.back().kind != ChangeKind::Remove)))
    return false;
  if (first) {
    changeList.format = read.format;
    changeList.byNames = read.byNames;
    changeList.committedWhole = read.committedWhole;
  }
  if (retiring) {
    changeList.retired.push_back({list, ids[0]});
    return true;
  }
  if (form) {
    c.kind = removal             ? ChangeKind::Remove
             : !c.backup.empty() ? ChangeKind::Replace
                                 : ChangeKind::Add;
    // Ids in the order of the names: the new file's, then the old one's.
    if (!c.temp.empty()) c.fresh = ids.front();
    if (!c.backup.empty()) c.old = ids.back();
  }
  changeList.changes.push_back(std::move(c));
  return true;
}

// The list's lines up to its end; `whole` tells whether it is a list of this set at all.
ChangeList parse(std::string_view bytes, const ListNames& names, bool& whole) {
  ChangeList changeList;
  whole = false;
  if (bytes.size() > kListLimit) return changeList;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) return changeList;  // a line cut off
    const std::string_view line = bytes.substr(start, end - start);
    const bool firstLine = start == 0;
    start = end + 1;
    // The set it is of, first: a list of another set is read no further, and is none of this
    // set's, whatever else it holds.
    if (firstLine && line.starts_with("S ") && line.size() > 2) {
      changeList.set = line.substr(2);
      if (!SameFileName(changeList.set, names.set)) {
        changeList.another = whole = true;
        // The writer's own files it names, which are that set's, not stale ones of this set.
        for (std::string_view rest = bytes.substr(start); !rest.empty();) {
          const std::size_t cut = rest.find_first_of(" \n");
          const std::string_view word = rest.substr(0, cut);
          if (names.isTemp(word, ListFormat::Current)) changeList.othersFiles.emplace_back(word);
          rest.remove_prefix(cut == std::string_view::npos ? rest.size() : cut + 1);
        }
        return changeList;
      }
      continue;
    }
    if (line == kEndLine) {
      const std::string_view rest = bytes.substr(start);
      // A "go" cut off while it was written was never followed by a change.
      changeList.started = rest == kStartedLine;
      whole = kStartedLine.starts_with(rest);
      return changeList;
    }
    const bool first = changeList.changes.empty() && changeList.retired.empty();
    if (!parseLine(line, names, changeList, first)) return changeList;
  }
  return changeList;  // no end line
}

bool keyed(std::string_view name, std::string_view key, std::string_view& rest) {
  if (key.empty() || !name.starts_with(kTempPrefix)) return false;
  name.remove_prefix(kTempPrefix.size());
  if (!name.starts_with(key) || name.substr(key.size(), 1) != "-") return false;
  rest = name.substr(key.size() + 1);
  return true;
}

// "<pid>-<n>", as the last two builds numbered their temporaries.
bool isPidCount(std::string_view rest) {
  const std::size_t dash = rest.find('-');
  return dash != std::string_view::npos && IsDigits(rest.substr(0, dash)) &&
         IsDigits(rest.substr(dash + 1));
}

}  // namespace

std::vector<std::string_view> ListFields(std::string_view line, std::size_t count) {
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

bool IsDigits(std::string_view s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return !s.empty() && s.size() <= 19;
}

FileId IdOf(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdull;
  h ^= h >> 33;
  return {bytes.size(), h, true};
}

bool ListNames::isOwn(std::string_view name) const {
  for (const std::string& n : own)
    if (SameFileName(n, name)) return true;
  return false;
}

bool ListNames::isTemp(std::string_view name, ListFormat format) const {
  std::string_view rest;
  if (format == ListFormat::Current)
    return keyed(name, key, rest) && rest.size() == 16 && isHex(rest);
  return keyed(name, format == ListFormat::Last ? lastKey : earlierKey, rest) && isPidCount(rest);
}

bool ListNames::isList(std::string_view name) const {
  if (SameFileName(name, list)) return true;
  return name.ends_with(kListSuffix) &&
         isTemp(name.substr(0, name.size() - kListSuffix.size()), ListFormat::Current);
}

bool ListNames::isStaleName(std::string_view name) const {
  if (isTemp(name, ListFormat::Current) || isTemp(name, ListFormat::Last)) return true;
  // "<own name>.tmp-<digits>": what the first writer of this program left behind.
  const std::size_t mark = name.rfind(".tmp-");
  return mark != std::string_view::npos && IsDigits(name.substr(mark + 5)) &&
         isOwn(name.substr(0, mark));
}

bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.size() <= 255 &&
         name.find_first_of(std::string_view("/\0\r\n", 4)) == std::string_view::npos;
}

std::string OwnFileName(std::string_view key, std::string_view random, std::string_view suffix) {
  return std::string(kTempPrefix) + std::string(key) + "-" + std::string(random) +
         std::string(suffix);
}

std::string EncodeList(const ChangeList& changeList) {
  std::string text = changeList.set.empty() ? "" : "S " + changeList.set + "\n";
  for (const RetiredList& r : changeList.retired) text += "L " + idText(r.id) + " " + r.name + "\n";
  for (const Change& c : changeList.changes) {
    switch (c.kind) {
      case ChangeKind::Add:
        text += "A " + c.temp + " " + idText(c.fresh) + " " + c.target + "\n";
        break;
      case ChangeKind::Replace:
        text += "C " + c.temp + " " + idText(c.fresh) + " " + c.backup + " " + idText(c.old) + " " +
                c.target + "\n";
        break;
      case ChangeKind::Remove:
        text += "X " + c.backup + " " + idText(c.old) + " " + c.target + "\n";
        break;
    }
  }
  return text + std::string(kEndLine) + "\n";
}

std::optional<ChangeList> ParseList(std::string_view bytes, const ListNames& names) {
  bool whole = false;
  ChangeList changeList = parse(bytes, names, whole);
  if (!whole) return std::nullopt;
  return changeList;
}

ChangeList ReadableList(std::string_view bytes, const ListNames& names) {
  bool whole = false;
  return parse(bytes, names, whole);
}

}  // namespace veltaro
