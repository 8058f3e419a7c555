#pragma once
// A fresh shared state, a scripted platform and a temporary program folder for each test.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/Fx.h"
#include "core/TextFile.h"
#include "forms/Application.h"
#include "support/ScriptedPlatform.h"

namespace coretest {

class CoreTest : public ::testing::Test {
 protected:
  CoreTest() : app_(platform) {
    veltaro::resetFx();
    folder = std::filesystem::temp_directory_path() /
             ("veltaro-core-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    platform.folder = folder.string();
  }
  ~CoreTest() override {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    veltaro::resetFx();
  }

  // Writes raw bytes under the program folder (relative path with "/").
  void writeBytes(const std::string& relative, const std::string& bytes) {
    const auto path = folder / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }
  // Writes lines, CR LF after each, in the code page.
  void writeLines(const std::string& relative, const std::vector<std::string>& lines,
                  int codePage = 1252) {
    std::string bytes;
    for (const auto& l : lines) bytes += veltaro::EncodeCodePage(l, codePage) + "\r\n";
    writeBytes(relative, bytes);
  }

  testing_support::ScriptedPlatform platform;
  std::filesystem::path folder;

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
  forms::Application app_;
};

}  // namespace coretest
