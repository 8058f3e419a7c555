#include "cases/CaseFiles.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "cases/RecordLayout.h"
#include "core/FileNames.h"
#include "core/Fx.h"

namespace veltaro::cases {

namespace fs = std::filesystem;

std::string CaseExtension(int calcType) {
  const RecordLayout* layout = LayoutOfType(calcType);
  return layout ? layout->extension : "";
}

std::string StripExtension(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t point = path.rfind('.');
  if (point == std::string::npos || point < nameStart) return path;
  return path.substr(0, point);
}

std::vector<std::string> CaseFileNames(const std::string& stem) {
  std::vector<std::string> names = {stem + ".DAT"};
  for (const RecordLayout& layout : RecordLayouts()) names.push_back(stem + layout.extension);
  return names;
}

FileSetPlace CasePlace(const std::string& base, const std::string& picked) {
  const fs::path p(base);
  const std::string stem = p.filename().string();
  const std::string header = SameFileName(picked, stem + ".DAT") ? picked : stem + ".DAT";
  // The header is the case's model: a record added later is as private as the case.
  return {.folder = p.parent_path().string(),
          .lastList = stem + ".PND",
          .keyName = stem,
          .names = CaseFileNames(stem),
          .model = header};
}

namespace {

// A case may not take a name of the writer's own files, nor one that is no file name.
FileSetPlace checkedPlace(const std::string& base, const std::string& picked) {
  FileSetPlace place = CasePlace(base, picked);
  const std::string stem = fs::path(base).filename().string();
  if (stem.empty() || stem.starts_with(kTempPrefix) || !IsPlainName(stem + ".DAT"))
    throw FileError(base + ".DAT", FileProblem::BadName);
  return place;
}

}  // namespace

// A case held by another program, or in a folder that is not there, is named by its header
// (the first of its names): the file the user chose.
CaseFolder::CaseFolder(const std::string& base, FileOps& ops, bool forReading,
                       const std::string& chosen)
    : ops_(ops),
      stem_(fs::path(base).filename().string()),
      header_(CasePlace(base, fs::path(chosen).filename().string()).model),
      writer_(ops, checkedPlace(base, fs::path(chosen).filename().string()), kCaseWaitMs,
              forReading) {}

std::vector<std::string> CaseFolder::variants(std::string_view extension, bool all) const {
  const std::string wanted = extension == ".DAT" ? header_ : stem_ + std::string(extension);
  std::vector<std::string> names;
  for (const FolderEntry& e : writer_.entries())
    if (SameFileName(e.name, wanted)) names.push_back(e.name);
  // The exact name first, then byte order: of two spellings of one file, that one is kept.
  std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
    return (a == wanted) != (b == wanted) ? a == wanted : a < b;
  });
  // A folder that shows no spelling of the name may still open it (letters folded beyond ours).
  if (names.empty()) names.push_back(wanted);
  std::vector<std::string> kept;
  std::vector<FileInfo> seen;
  for (const std::string& n : names) {
    FileInfo info;
    if (ops_.info(writer_.folder(), n, info) != 0 || !info.exists) continue;
    if (!all && (!info.regular || !writer_.partOfSet(info))) continue;
    if (std::any_of(seen.begin(), seen.end(), [&](const FileInfo& s) { return s.sameFile(info); }))
      continue;
    seen.push_back(info);
    kept.push_back(n);
  }
  return kept;
}

std::string CaseFolder::find(std::string_view extension) const {
  const std::vector<std::string> names = variants(extension);
  return MatchFileName(names, extension == ".DAT" ? header_ : stem_ + std::string(extension));
}

std::string CaseFolder::nameFor(std::string_view extension) const {
  const std::string existing = find(extension);
  return existing.empty() ? stem_ + std::string(extension) : existing;
}

std::vector<std::string> CaseFolder::existing(bool everyVariant) const {
  std::vector<std::string> files;
  auto add = [&](std::string_view extension) {
    if (!everyVariant) {
      if (std::string f = find(extension); !f.empty()) files.push_back(f);
      return;
    }
    for (std::string& f : variants(extension)) files.push_back(std::move(f));
  };
  for (int type = 1; type <= 11; ++type) add(CaseExtension(type));
  add(".DAT");
  return files;
}

std::vector<std::string> CaseFolder::atNames(
    const std::function<bool(const FileInfo&)>& pick) const {
  std::vector<std::string> names;
  for (const std::string& own : CaseFileNames(stem_))
    for (const std::string& n : variants(own.substr(stem_.size()), true)) {
      FileInfo info;
      if (ops_.info(writer_.folder(), n, info) == 0 && pick(info)) names.push_back(n);
    }
  return names;
}

std::vector<std::string> CaseFolder::leftOut() const {
  std::vector<std::string> names =
      atNames([&](const FileInfo& i) { return i.regular && !writer_.partOfSet(i); });
  for (const std::string& list : writer_.listsLeftOut()) names.push_back(list);
  return names;
}

std::vector<std::string> CaseFolder::inTheWay() const {
  return atNames([](const FileInfo& i) { return !i.regular; });
}

std::string CaseFolder::read(const std::string& name, std::size_t maxBytes) const {
  std::string bytes;
  if (const int e = ops_.read(writer_.folder(), name, maxBytes, bytes))
    throw FileError(path(name), FileProblem::Read, e);
  return bytes;
}

std::vector<FileError> CaseFolder::remove(const std::vector<std::string>& names) {
  std::vector<FileError> readOnly;
  for (const std::string& n : names) {
    FileInfo info;
    if (ops_.info(writer_.folder(), n, info) == 0 && info.exists && IsReadOnly(info))
      readOnly.emplace_back(path(n), FileProblem::ReadOnly);
  }
  if (readOnly.empty()) writer_.write({}, names);
  return readOnly;
}

std::string EncodeHeader(const std::string& initials, const std::string& name,
                         const std::string& date) {
  return EncodeText(initials, 3) + EncodeText(name, 80) + EncodeText(date, 16);
}

HeaderValues DecodeHeader(const std::string& bytes) {
  if (bytes.size() < static_cast<std::size_t>(kHeaderLength)) return {};
  return {DecodeText(bytes, 0, 3), DecodeText(bytes, 3, 80), DecodeText(bytes, 83, 16)};
}

}  // namespace veltaro::cases
