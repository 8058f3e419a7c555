#include "support/CaseFuzz.h"

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
#include "support/ProgramFolder.h"
#include "support/ScriptedPlatform.h"

namespace testing_support {

namespace {

class MainWindow : public forms::Form {
 public:
  static constexpr const char* kName = "mdiVeltaro";
  MainWindow() : forms::Form(kName) {
    setMdiForm(true);
    for (const char* m : {"menuOpenCase", "menuShowPipeDistance"}) addMenu(m);
    for (int i = 0; i < 3; ++i) add(forms::ControlKind::TextBox, "txtCase", i);
  }
};

}  // namespace

struct CaseFuzz::Impl {
  ScriptedPlatform platform;
  forms::Application app{platform};
  ProgramFolder cases{"casefuzz"};
};

CaseFuzz::CaseFuzz(const std::string& programFolder) : impl_(std::make_unique<Impl>()) {
  veltaro::resetFx();
  impl_->platform.folder = programFolder;
  impl_->platform.anyMsgBox = forms::mb::IdOk;
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
  for (const auto& e : std::filesystem::directory_iterator(impl_->cases.path, ec))
    std::filesystem::remove_all(e.path(), ec);
  impl_->cases.writeBytes(
      "fuzz.DAT", type == 0 ? content : veltaro::cases::EncodeHeader("AB", "Fuzz", "2026-12-07"));
  if (type > 0) impl_->cases.writeBytes("fuzz" + veltaro::cases::CaseExtension(type), content);
  impl_->platform.calls.clear();
  impl_->platform.expectOpenFile((impl_->cases.path / "fuzz.DAT").string());
  veltaro::caseService()->CaseOpen();
  out.messages = static_cast<int>(impl_->platform.callsOf("msgBox").size());
  if (type > 0) {
    const veltaro::cases::RecordLayout* layout = veltaro::cases::LayoutOfType(type);
    out.opened = impl_->app.isLoaded(veltaro::calcFormName(layout->calcNumber));
    out.valid = veltaro::fx().ResultValid[type];
  }
  return out;
}

}  // namespace testing_support
