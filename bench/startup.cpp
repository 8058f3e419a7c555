// Start-up of the program model on the shipped data, from Main to the main window with its
// menus, texts and addresses, for a Danish and a Swedish settings file. The two fixed pauses
// of start-up are counted, not slept, so the figure is the work beyond them.

#include "start/Startup.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "core/Fx.h"
#include "forms/Application.h"
#include "forms/Platform.h"
#include "shell/mdiVeltaro.h"

namespace {

namespace fs = std::filesystem;

class QuietPlatform : public forms::Platform {
 public:
  std::string folder;
  int msgBox(const std::string& prompt, int, const std::string&) override {
    throw std::runtime_error("start-up asked: " + prompt);
  }
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
  void runModal(forms::Form& form) override { form.hide(); }
  void pause(int) override {}
  void doEvents() override {}
  std::chrono::system_clock::time_point now() override { return std::chrono::system_clock::now(); }
  std::string decimalSeparator() override { return ","; }
  std::string programFolder() override { return folder; }
  std::string commandLine() override { return ""; }
};

fs::path programFolder() {
  static fs::path folder = [] {
    fs::path f = fs::temp_directory_path() / "veltaro_bench_startup";
    fs::remove_all(f);
    fs::copy(fs::path(VELTARO_SOURCE_DIR) / "data", f, fs::copy_options::recursive);
    std::ofstream(f / "veltaro") << "program";
    return f;
  }();
  return folder;
}

void BM_Startup(benchmark::State& state, const char* code) {
  QuietPlatform platform;
  platform.folder = programFolder().string();
  std::ofstream(programFolder() / "VELTARO.INI", std::ios::binary) << code << "\r\n";
  for (auto _ : state) {
    veltaro::resetFx();
    forms::Application app(platform);
    veltaro::Main();
    if (app.ended() || !app.find<veltaro::mdiVeltaro>()) {
      state.SkipWithError("start-up did not reach the main window");
      break;
    }
    benchmark::DoNotOptimize(veltaro::fx().TextTable.size());
  }
}

BENCHMARK_CAPTURE(BM_Startup, DK, "DK")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Startup, SE, "SE")->Unit(benchmark::kMillisecond);

}  // namespace
