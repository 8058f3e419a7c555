#include "cases/CaseFiles.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "cases/RecordLayout.h"

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

namespace {

std::string problemOf(int error) {
  return std::strerror(error);
}

}  // namespace

std::string FindCaseFile(const std::string& base, const std::string& extension) {
  const fs::path wanted(base + extension);
  const fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
  const std::string name = wanted.filename().string();
  std::error_code ec;
  if (fs::is_regular_file(wanted, ec)) return wanted.string();
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (SameFileName(it->path().filename().string(), name) && it->is_regular_file(ec))
      return it->path().string();
  }
  return "";
}

std::string CaseFilePath(const std::string& base, const std::string& extension) {
  std::string existing = FindCaseFile(base, extension);
  return existing.empty() ? base + extension : existing;
}

std::vector<std::string> ExistingCaseFiles(const std::string& base) {
  std::vector<std::string> files;
  for (int type = 1; type <= 11; ++type)
    if (std::string f = FindCaseFile(base, CaseExtension(type)); !f.empty()) files.push_back(f);
  if (std::string header = FindCaseFile(base, ".DAT"); !header.empty()) files.push_back(header);
  return files;
}

std::string CaseIntentPath(const std::string& base) {
  return CaseFilePath(base, std::string(kIntentExtension));
}

std::vector<std::string> CaseFileNames(const std::string& base) {
  const std::string name = fs::path(base).filename().string();
  std::vector<std::string> names = {name + ".DAT"};
  for (const RecordLayout& layout : RecordLayouts()) names.push_back(name + layout.extension);
  return names;
}

void CompletePendingSave(const std::string& base) {
  CompletePendingSet(CaseIntentPath(base), CaseFileNames(base));
}

std::string ReadCaseFile(const std::string& path, std::size_t maxBytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CaseFileError(path, "The file cannot be read: " + problemOf(errno));
  std::string bytes(maxBytes, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(maxBytes));
  if (in.bad()) throw CaseFileError(path, "The file cannot be read.");
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

std::vector<std::string> RemoveFiles(const std::vector<std::string>& paths) {
  std::vector<std::string> left;
  for (const auto& p : paths) {
    std::error_code ec;
    if (IsReadOnly(p))
      left.push_back(CaseFileError(p, "The file is read-only.").what());
    else if (fs::remove(p, ec); ec)
      left.push_back(CaseFileError(p, "The file cannot be deleted: " + ec.message()).what());
  }
  return left;
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
