#include "core/Startup.h"

#include <cctype>
#include <chrono>
#include <exception>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "calc/CalcWindows.h"
#include "core/Crc16.h"
#include "core/Errors.h"
#include "core/Fx.h"
#include "core/LanguageTexts.h"
#include "core/NumericInput.h"
#include "core/PipeTables.h"
#include "core/TextFile.h"
#include "core/frmCountry.h"
#include "core/frmStart.h"
#include "forms/Application.h"
#include "shell/frmAbout.h"
#include "shell/frmAdresses.h"
#include "shell/mdiVeltaro.h"

namespace veltaro {

namespace fs = std::filesystem;

namespace {

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Start-up cannot go on: say why, in the program's own words, and end.
void stopStartup(const std::string& message) {
  forms::app().unloadIfLoaded(frmStart::kName);
  forms::app().platform().msgBox(message, forms::mb::Critical, frmAbout::kProgramTitle);
  forms::app().end();
}

std::string describe(const DataFileError& e) {
  std::string where = e.path();
  if (e.line() > 0) where += ", line " + std::to_string(e.line());
  return "The program cannot start: a data file is missing or damaged.\r\n\r\n" + where + "\r\n" +
         e.problem() + "\r\n\r\nRe-install the VELTARO program and start again";
}

void runStartup() {
  auto& f = fx();
  auto& app = forms::app();

  // 1-2. The decimals from the command line, the country from the settings file.
  f.HeatLossDecimals = DecimalsFromCommandLine(app.platform().commandLine());
  f.CountryCode = upper(TrimSpaces(ReadCountryCode()));

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
  forms::Application::EventScope scope(forms::app());
  try {
    runStartup();
  } catch (const DataFileError& e) {
    stopStartup(describe(e));
  } catch (const std::exception& e) {
    stopStartup(std::string("The program cannot start:\r\n\r\n") + e.what());
  }
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

std::string SettingsFilePath() {
  return ProgramPath("\\VELTARO.INI");
}

std::string ProgramFilePath() {
  return ProgramPath(std::string("\\") + kProgramFileName);
}

std::string ReadCountryCode() {
  const std::string path = SettingsFilePath();
  if (!FileExists(path)) return "";
  // A settings file older than the program belongs to an earlier installation: ask again.
  // File times count in whole seconds here, so a settings file written in the same second as
  // the program file is as old as it and kept. Without a program file to compare with, the
  // settings file is kept.
  std::error_code ec1, ec2;
  auto seconds = [](fs::file_time_type t) {
    return std::chrono::floor<std::chrono::seconds>(t.time_since_epoch());
  };
  auto settingsTime = fs::last_write_time(path, ec1);
  auto programTime = fs::last_write_time(ProgramFilePath(), ec2);
  if (!ec1 && !ec2 && seconds(settingsTime) < seconds(programTime)) {
    fs::remove(path, ec1);
    return "";
  }
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!in || !std::getline(in, line)) return "";
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::string code = upper(TrimSpaces(line));
  return code == "XX" ? "" : code;
}

std::optional<int16_t> ParseDecimals(std::string_view text) {
  const std::string digits = TrimSpaces(text);
  if (digits.empty()) return std::nullopt;
  long value = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 32767) return std::nullopt;
  }
  return static_cast<int16_t>(value);
}

int16_t DecimalsFromCommandLine(std::string_view commandLine) {
  return ParseDecimals(commandLine).value_or(0);
}

std::string HelpFileFor(std::string_view code) {
  const char* name = "helpdk";
  if (code == "NO") name = "helpno";
  if (code == "SE") name = "helpse";
  if (code == "UK") name = "helpuk";
  if (code == "LT") name = "helpLT";
  if (code == "EE") name = "helpEE";
  if (code == "LV") name = "helpLV";
  if (code == "MRN") name = "helpMRN";
  // The help file is a folder of HTML pages; the viewer opens its contents page.
  return ProgramPath(std::string("\\help\\") + name + "\\index.html");
}

std::string ExistingProgramFile(std::string_view relative) {
  std::string path = ProgramPath(relative);
  return FileExists(path) ? path : std::string();
}

void RegisterProgramWindows() {
  auto& app = forms::app();
  app.registerForm<mdiVeltaro>();
  app.registerForm<frmAbout>();
  app.registerForm<frmAdresses>();
  app.registerForm<frmCountry>();
  app.registerForm<frmStart>();
  RegisterCalcWindows(app);
}

}  // namespace veltaro
