#include "cases/CaseFiles.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "cases/RecordLayout.h"

namespace veltaro::cases {

namespace fs = std::filesystem;

CaseFileError::CaseFileError(const std::string& path, const std::string& problem)
    : std::runtime_error(path + "\r\n" + problem), path_(path) {}

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

bool sameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

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
    if (sameName(it->path().filename().string(), name) && it->is_regular_file(ec))
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
  if (std::string header = FindCaseFile(base, ".DAT"); !header.empty()) files.push_back(header);
  for (int type = 1; type <= 11; ++type)
    if (std::string f = FindCaseFile(base, CaseExtension(type)); !f.empty()) files.push_back(f);
  return files;
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

void WriteFilesWhole(const std::vector<FileContent>& files) {
  std::vector<std::string> temporaries;
  auto discard = [&] {
    std::error_code ec;
    for (const auto& t : temporaries) fs::remove(t, ec);
  };
  for (const FileContent& f : files) {
    fs::path target(f.path);
    std::error_code ec;
    if (fs::is_directory(target, ec)) {
      discard();
      throw CaseFileError(f.path, "A folder of that name is in the way.");
    }
    std::string temp = f.path + ".tmp-" + std::to_string(::getpid());
    std::FILE* out = std::fopen(temp.c_str(), "wb");
    if (!out) {
      const int error = errno;
      discard();
      throw CaseFileError(f.path, "The file cannot be written: " + problemOf(error));
    }
    temporaries.push_back(temp);
    const bool written = std::fwrite(f.bytes.data(), 1, f.bytes.size(), out) == f.bytes.size();
    const int error = errno;
    const bool flushed = std::fflush(out) == 0 && ::fsync(::fileno(out)) == 0;
    const bool closed = std::fclose(out) == 0;
    if (!written || !flushed || !closed) {
      discard();
      throw CaseFileError(f.path,
                          "The file cannot be written: " + problemOf(error ? error : errno));
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::error_code ec;
    fs::rename(temporaries[i], files[i].path, ec);
    if (ec) {
      discard();
      throw CaseFileError(files[i].path, "The file cannot be replaced: " + ec.message());
    }
  }
}

void RemoveFiles(const std::vector<std::string>& paths) {
  for (const auto& p : paths) {
    std::error_code ec;
    fs::remove(p, ec);
    if (ec) throw CaseFileError(p, "The file cannot be deleted: " + ec.message());
  }
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
