#pragma once
// A program folder of our own for each test: language, menu, contact, product and checksum
// files whose lines say what they are ("T81" is text-table line 81, "A46" contact line 46), so
// that a test sees exactly which line went where.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/CalcWindow.h"
#include "core/Crc16.h"
#include "core/Fx.h"
#include "forms/Application.h"
#include "shell/mdiVeltaro.h"
#include "start/Startup.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPlatform.h"

namespace shelltest {

namespace fs = std::filesystem;

inline void writeLines(const fs::path& path, const std::vector<std::string>& lines) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  for (const auto& l : lines) out << l << "\r\n";
}

// Line n of the test's contact file.
inline std::string a(int line) {
  return " A" + std::to_string(line) + " ";
}

inline const std::vector<std::string>& allCodes() {
  static const std::vector<std::string> codes = {"DK", "NO", "SE", "UK", "LT", "EE", "LV", "MRN"};
  return codes;
}

// A calculation window that records what the main window asks of it.
class FakeCalc : public forms::Form, public veltaro::CalcWindow {
 public:
  FakeCalc(std::string name, int number) : forms::Form(std::move(name)), number(number) {
    setMdiChild(true);
    setCaption("Calculation " + std::to_string(number));
    add(forms::ControlKind::TextBox, "OVERFLADE");
  }
  void Form_Load() override {
    setWindowState(stateOnLoad);
    if (number) veltaro::fx().ActiveCalcNumber = static_cast<int16_t>(number);  // 0: no calculation
  }
  void Beregn_Click() override { ++calculated; }
  int calculated = 0;
  // A window may come up minimised or maximised (as the frame's other children are).
  static inline int stateOnLoad = forms::kStateNormal;
  const int number;
};

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    veltaro::resetFx();
    FakeCalc::stateOnLoad = forms::kStateNormal;
    folder = dir_.emplace("shell").path;
    platform.folder = folder.string();
    platform.calls.clear();
    app = std::make_unique<forms::Application>(platform);
  }
  void TearDown() override {
    app.reset();
    dir_.reset();
  }

  // The data files of every market and of `unlisted`, a code outside the list that has only a
  // product file; the checksum file records each product file.
  void writeDataFiles(int addressLines = 135, const std::string& unlisted = "") {
    auto numbered = [](const char* prefix, int n, const char* after = "") {
      std::vector<std::string> v;
      for (int k = 1; k <= n; ++k) v.push_back(prefix + std::to_string(k) + after);
      return v;
    };
    std::vector<std::string> text = numbered("T", 220), menu = numbered("M", 57), checks;
    menu[54] = "Show &decimals";  // menuRoundCmd
    std::vector<std::string> codes = allCodes();
    if (!unlisted.empty()) codes.push_back(unlisted);
    for (const auto& code : codes) {
      const std::vector<std::string> product = {
          "Wool " + code + ";0.033;0.0002;0.000001;-50;250;20;30;40;;", "Wool " + code};
      writeLines(folder / "Text" / ("Product." + code), product);
      checks.push_back(code.substr(0, 2) + veltaro::CRC16Hex(product[0] + product[1]));
      if (code == unlisted) break;
      text[0] = "T1 " + code;
      writeLines(folder / "Text" / ("TextFile." + code), text);
      menu[8] = "&Quit " + code;  // menuQuit
      writeLines(folder / "Text" / ("MenuText." + code), menu);
      writeLines(folder / "TEXT" / ("PipeOnly." + code), {});
      std::string lower = code;
      for (char& c : lower) c = static_cast<char>(std::tolower(c));
      writeLines(folder / "Images" / ("background_" + lower + ".jpg"), {"jpeg"});
    }
    writeLines(folder / "TEXT" / "PipeKap.SE", {});
    writeLines(folder / "Text" / "Check.CRC", checks);
    writeLines(folder / "Text" / "adress.all", numbered(" A", addressLines, " "));
    writeLines(folder / "Images" / "Icons" / "veltaro32_32_marine.ico", {"icon"});
  }

  void writeSettings(const std::string& content) {
    std::ofstream(folder / "VELTARO.INI", std::ios::binary) << content;
  }

  // A fresh program folder and start-up in market `code` (one outside the list gets a product
  // file of its own), with fake calculation windows; the main window it leaves.
  veltaro::mdiVeltaro& start(const std::string& code, int addressLines = 135) {
    ShellTest::TearDown();
    ShellTest::SetUp();
    const auto& codes = allCodes();
    writeDataFiles(addressLines, std::find(codes.begin(), codes.end(), code) == codes.end() ? code : "");
    writeSettings(code + "\r\n");
    veltaro::Main();
    EXPECT_FALSE(app->ended());
    for (int n : {1, 2, 3, 4, 5, 6, 7, 21, 22, 23, 24}) {
      std::string name = veltaro::calcFormName(n);
      app->registerForm(name, [name, n] { return std::make_unique<FakeCalc>(name, n); });
    }
    return *app->find<veltaro::mdiVeltaro>();
  }
  FakeCalc* fake(int n) { return static_cast<FakeCalc*>(app->find(veltaro::calcFormName(n))); }

  std::optional<testing_support::ProgramFolder> dir_;
  fs::path folder;
  testing_support::ScriptedPlatform platform;
  std::unique_ptr<forms::Application> app;
};

}  // namespace shelltest
