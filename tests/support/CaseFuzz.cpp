#include "support/CaseFuzz.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "calc/CalcWindow.h"
#include "calc/CalcWindows.h"
#include "cases/CaseCommands.h"
#include "cases/CaseFiles.h"
#include "cases/RecordLayout.h"
#include "core/Fx.h"
#include "core/LanguageTexts.h"
#include "core/PipeTables.h"
#include "forms/Application.h"
#include "shell/ShellServices.h"

namespace testing_support {

namespace fs = std::filesystem;

namespace {

class AnsweringPlatform : public forms::Platform {
 public:
  int msgBox(const std::string&, int, const std::string&) override {
    ++messages;
    return forms::mb::IdOk;
  }
  std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&,
                                      int, int) override {
    return std::nullopt;
  }
  std::optional<std::string> openFileDialog(const forms::FileDialogOptions&) override {
    return chosen;
  }
  std::optional<std::string> saveFileDialog(const forms::FileDialogOptions&) override {
    return chosen;
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
  std::string programFolder() override { return folder; }
  std::string commandLine() override { return ""; }

  int messages = 0;
  std::string chosen;
  std::string folder;
};

class MainWindow : public forms::Form {
 public:
  static constexpr const char* kName = "mdiVeltaro";
  MainWindow() : forms::Form(kName) {
    setMdiForm(true);
    for (const char* m : {"menuOpenCase", "menuShowPipeDistance"}) addMenu(m);
    for (int i = 0; i < 3; ++i) add(forms::ControlKind::TextBox, "txtCase", i);
  }
};

void writeFile(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

struct CaseFuzz::Impl {
  AnsweringPlatform platform;
  forms::Application app{platform};
  fs::path cases;
};

CaseFuzz::CaseFuzz(const std::string& programFolder) : impl_(std::make_unique<Impl>()) {
  veltaro::resetFx();
  impl_->platform.folder = programFolder;
  impl_->cases = fs::temp_directory_path() / ("veltaro-casefuzz-" + std::to_string(::getpid()));
  fs::create_directories(impl_->cases);
  veltaro::fx().CountryCode = "DK";
  veltaro::LoadTextFile();
  veltaro::LoadPipeOnly();
  impl_->app.registerForm<MainWindow>();
  impl_->app.get("mdiVeltaro");
  veltaro::RegisterCalcWindows(impl_->app);
  veltaro::cases::InstallCaseFiles(impl_->app);
}

CaseFuzz::~CaseFuzz() {
  veltaro::setCaseService(nullptr);
  std::error_code ec;
  fs::remove_all(impl_->cases, ec);
  veltaro::resetFx();
}

std::string CaseFuzz::validRecord(int calcType) {
  const veltaro::cases::RecordLayout* layout = veltaro::cases::LayoutOfType(calcType);
  const std::string name = veltaro::calcFormName(layout->calcNumber);
  if (!impl_->app.isRegistered(name)) return "";
  impl_->app.unloadIfLoaded(name);
  return veltaro::cases::WriteRecord(*layout, impl_->app.get(name));
}

CaseFuzz::Outcome CaseFuzz::open(const uint8_t* input, std::size_t size) {
  Outcome out;
  if (size == 0) return out;
  const int type = input[0] % 12;
  const std::string content(reinterpret_cast<const char*>(input + 1), size - 1);
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(impl_->cases, ec)) fs::remove_all(e.path(), ec);
  const fs::path base = impl_->cases / "fuzz";
  writeFile(base.string() + ".DAT",
            type == 0 ? content : veltaro::cases::EncodeHeader("AB", "Fuzz", "2026-12-07"));
  if (type > 0) writeFile(base.string() + veltaro::cases::CaseExtension(type), content);
  impl_->platform.chosen = base.string() + ".DAT";
  impl_->platform.messages = 0;
  veltaro::caseService()->CaseOpen();
  out.messages = impl_->platform.messages;
  if (type > 0) {
    const veltaro::cases::RecordLayout* layout = veltaro::cases::LayoutOfType(type);
    out.opened = impl_->app.isLoaded(veltaro::calcFormName(layout->calcNumber));
    out.valid = veltaro::fx().ResultValid[type];
  }
  return out;
}

}  // namespace testing_support
