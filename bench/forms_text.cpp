// Searches write their running value into a text box up to a million times per calculation,
// so a write from code with a Change handler attached must stay far below a microsecond.

#include <benchmark/benchmark.h>

#include <string>

#include "forms/Application.h"

namespace {

class NullPlatform : public forms::Platform {
 public:
  int msgBox(const std::string&, int, const std::string&) override { return 1; }
  std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&,
                                      int, int) override {
    return std::nullopt;
  }
  std::optional<std::string> openFileDialog(const forms::FileDialogOptions&) override {
    return std::nullopt;
  }
  std::optional<std::string> saveFileDialog(const forms::FileDialogOptions&) override {
    return std::nullopt;
  }
  bool openAddress(const std::string&) override { return false; }
  bool startProgram(const std::string&, const std::vector<std::string>&,
                    const ProgramFailed&) override { return false; }
  void showHelp(const std::string&) override {}
  bool printHtml(const std::string&) override { return false; }
  void runModal(forms::Form&) override {}
  void pause(int) override {}
  void doEvents() override {}
  std::chrono::system_clock::time_point now() override { return {}; }
  std::string decimalSeparator() override { return "."; }
  std::string programFolder() override { return "."; }
  std::string commandLine() override { return ""; }
};

class BenchWindow : public forms::Form {
 public:
  static constexpr const char* kName = "BenchWindow";
  forms::Control& box;
  int changes = 0;
  BenchWindow() : forms::Form(kName), box(add(forms::ControlKind::TextBox, "ISOLERINGST")) {
    box.onChange = [this] { ++changes; };
  }
};

void BM_TextBoxWriteWithChangeHandler(benchmark::State& state) {
  NullPlatform platform;
  forms::Application app(platform);
  auto& w = app.get<BenchWindow>();
  // Running thicknesses as a search writes them.
  std::string values[2] = {"123.456789012345", "123.456789012346"};
  size_t i = 0;
  for (auto _ : state) {
    w.box.setText(values[i ^= 1]);
  }
  benchmark::DoNotOptimize(w.changes);
}
BENCHMARK(BM_TextBoxWriteWithChangeHandler);

}  // namespace
