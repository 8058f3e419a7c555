#pragma once
// A program folder of the test's own under the temporary directory, removed afterwards, with
// writers for raw bytes and for CR LF lines in a code page.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/TextFile.h"

namespace testing_support {

class ProgramFolder {
 public:
  explicit ProgramFolder(const std::string& tag) {
    static int counter = 0;
    path = std::filesystem::temp_directory_path() /
           ("veltaro-" + tag + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~ProgramFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  void writeBytes(const std::string& relative, const std::string& bytes) const {
    const auto file = path / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
  }
  // The shipped language files, pictures and help beside an empty DATA folder, as installed.
  void shipData() const {
    for (const char* sub : {"Text", "Images", "help"})
      std::filesystem::create_directory_symlink(
          std::filesystem::path(VELTARO_SOURCE_DIR) / "data" / sub, path / sub);
    std::filesystem::create_directories(path / "DATA");
  }
  void writeLines(const std::string& relative, const std::vector<std::string>& lines,
                  int codePage = 1252) const {
    std::string bytes;
    for (const auto& l : lines) bytes += veltaro::EncodeCodePage(l, codePage) + "\r\n";
    writeBytes(relative, bytes);
  }
  std::filesystem::path path;
};

}  // namespace testing_support
