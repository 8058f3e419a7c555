#include "start/Startup.h"

#include <exception>
#include <string>

#include "calc/CalcWindows.h"
#include "calc/frmDetails.h"
#include "calc/frmErrorInfo.h"
#include "calc/frmPipedistance.h"
#include "calc/frmPipedistanceSE.h"
#include "cases/CaseCommands.h"
#include "core/Crc16.h"
#include "core/Errors.h"
#include "core/Fx.h"
#include "core/LanguageTexts.h"
#include "core/MessageLines.h"
#include "core/PipeTables.h"
#include "core/ProgramFiles.h"
#include "forms/Application.h"
#include "report/Reports.h"
#include "shell/frmAbout.h"
#include "shell/frmAdresses.h"
#include "shell/mdiVeltaro.h"
#include "start/frmCountry.h"
#include "start/frmStart.h"

namespace veltaro {

namespace {

// Start-up cannot go on: say why, in the program's own words, and end.
void stopStartup(const std::string& message) {
  forms::app().unloadIfLoaded(frmStart::kName);
  forms::app().platform().msgBox(message, forms::mb::Critical, frmAbout::kProgramTitle);
  forms::app().end();
}

std::string describe(const DataFileError& e) {
  std::string where = e.path();
  if (e.line() > 0)
    where += ", " + TextOr(lines::DataLine, "line") + " " + std::to_string(e.line());
  // In the market's words when the fault comes after the language file was read.
  return TextOr(lines::CannotStartData,
                "The program cannot start: a data file is missing or damaged.") +
         "\r\n\r\n" + where + "\r\n" + e.problem() + "\r\n\r\n" +
         TextOr(lines::Reinstall, "Re-install the VELTARO program and start again");
}

void runStartup() {
  auto& f = fx();
  auto& app = forms::app();

  // 1-2. The decimals from the command line, the country from the settings file.
  f.HeatLossDecimals = DecimalsFromCommandLine(app.platform().commandLine());
  f.CountryCode = ReadCountryCode();  // already trimmed and upper-cased

  // 3. No usable code: ask. Closing the dialog without a choice ends the program; nothing
  // has been written then, so the next start asks again.
  if (f.CountryCode.size() < 2) {
    app.get<frmCountry>().show(true);
    if (f.CountryCode.size() < 2) {
      app.unloadIfLoaded(frmCountry::kName);
      app.end();
      return;
    }
  }

  // 4-5. The splash window, above every other window.
  frmStart& splash = app.get<frmStart>();
  splash.show();
  splash.setTopmost(true);
  app.platform().doEvents();
  app.platform().pause(100);

  // 6. A changed product file: refuse to run.
  if (ProductFileChanged()) {
    app.unloadIfLoaded(frmStart::kName);
    app.platform().msgBox(
        "The Product file are changed - It is not possible to run this program !\r\n\r\n"
        "Re-install the VELTARO program and start again",
        forms::mb::OkOnly | forms::mb::Critical, "Productfile changed !");
    app.end();
    return;
  }

  // 7. The pipe tables.
  LoadPipeOnly();
  if (f.CountryCode == "SE") LoadPipeKap();

  // 8. The first reference to the main window loads it without showing it.
  app.get<mdiVeltaro>().helpFile = HelpFileFor(f.CountryCode);

  // 9. The texts. Loading the contact window makes the main window appear behind the splash.
  LoadMenuText();
  LoadTextFile();
  LoadAddresses();

  // 10-11.
  app.unloadIfLoaded(frmStart::kName);
  app.platform().pause(100);
  mdiVeltaro& frame = app.get<mdiVeltaro>();
  for (int i = 0; i < 3; ++i) frame.control("txtCase", i).setText(f.TextTable[81 + i]);
}

}  // namespace

void Main() {
  RegisterProgramWindows();
  InstallReportService();
  forms::Application::EventScope scope(forms::app());
  try {
    runStartup();
  } catch (const DataFileError& e) {
    stopStartup(describe(e));
  } catch (const std::exception& e) {
    stopStartup(TextOr(lines::CannotStart, "The program cannot start:") + "\r\n\r\n" + e.what());
  }
}

void RegisterProgramWindows() {
  auto& app = forms::app();
  app.registerForm<mdiVeltaro>();
  app.registerForm<frmAbout>();
  app.registerForm<frmAdresses>();
  app.registerForm<frmCountry>();
  app.registerForm<frmStart>();
  // The small windows the calculations open, known by name like every other window.
  app.registerForm<frmDetails>();
  app.registerForm<frmErrorInfo>();
  app.registerForm<frmPipedistance>();
  app.registerForm<frmPipedistanceSE>();
  RegisterCalcWindows(app);
  cases::InstallCaseFiles(app);
}

}  // namespace veltaro
