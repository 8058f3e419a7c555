#pragma once
// What the benchmarks run the program against: no windows, no dialogs. Every message box is
// answered with `answer` and counted; the file dialogs give `chosen`.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "forms/Application.h"
#include "forms/Platform.h"

namespace bench_support {

class QuietPlatform : public forms::Platform {
 public:
  std::string folder, chosen;
  int answer = forms::mb::IdOk;
  int messages = 0;
  int msgBox(const std::string&, int, const std::string&) override {
    ++messages;
    return answer;
  }
  std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&,
                                      int, int) override {
    return std::nullopt;
  }
  std::optional<std::string> openFileDialog(const forms::FileDialogOptions&) override {
    return chosen.empty() ? std::nullopt : std::optional(chosen);
  }
  std::optional<std::string> saveFileDialog(const forms::FileDialogOptions&) override {
    return chosen.empty() ? std::nullopt : std::optional(chosen);
  }
  bool openAddress(const std::string&) override { return false; }
  bool startProgram(const std::string&, const std::vector<std::string>&,
                    const ProgramFailed&) override {
    return false;
  }
  void showHelp(const std::string&) override {}
  bool printHtml(const std::string&) override { return false; }
  void runModal(forms::Form&) override {}
  void pause(int) override {}
  void doEvents() override {}
  std::chrono::system_clock::time_point now() override { return std::chrono::system_clock::now(); }
  std::string decimalSeparator() override { return "."; }
  std::string programFolder() override { return folder; }
  std::string commandLine() override { return {}; }
};

// A text file as the program's data files are written: CR LF after every line.
inline void writeLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  for (const auto& l : lines) out << l << "\r\n";
}

}  // namespace bench_support
