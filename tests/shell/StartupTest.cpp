// Start-up sessions: the settings file, the country dialog, the splash window, the product-file
// refusal and missing data files, run against a program folder of the test's own.

#include <chrono>

#include "core/Startup.h"
#include "core/frmCountry.h"
#include "core/frmStart.h"
#include "shell/ShellFixture.h"
#include "shell/mdiVeltaro.h"

namespace shelltest {
namespace {

using veltaro::fx;

class StartupTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    writeDataFiles();
    std::ofstream(folder / "veltaro") << "program";
  }
  // The dialog's scripted user: picks option `index` (or leaves the design choice) and OKs.
  void expectCountryChoice(int index = -1) {
    platform.expectModal("frmCountry", [index](forms::Form& f) {
      if (index >= 0) f.control("optCountry", index).userClick();
      f.control("cmdOk").userClick();
    });
  }
  std::vector<std::string> callKinds() const {
    std::vector<std::string> out;
    for (const auto& c : platform.calls) out.push_back(c.kind + (c.kind == "pause" ? c.text : ""));
    return out;
  }
  void setSettingsAge(std::chrono::seconds relativeToProgram) {
    auto programTime = fs::last_write_time(folder / "veltaro");
    fs::last_write_time(folder / "VELTARO.INI", programTime + relativeToProgram);
  }
};

TEST_F(StartupTest, FirstStartAsksForTheCountryStoresDanishAndShowsTheMainWindow) {
  expectCountryChoice();
  platform.arguments = " 3 ";
  veltaro::Main();

  EXPECT_TRUE(platform.scriptDone());
  EXPECT_EQ(fx().HeatLossDecimals, 3);
  EXPECT_FALSE(app->ended());
  EXPECT_EQ(readAll(folder / "VELTARO.INI"), "DK\r\n");
  EXPECT_EQ(fx().CountryCode, "DK");
  // The dialog, then one round of pending events and the two pauses, around the splash.
  EXPECT_EQ(callKinds(),
            (std::vector<std::string>{"runModal", "doEvents", "pause100", "pause100"}));
  EXPECT_EQ(app->find("frmStart"), nullptr);
  EXPECT_EQ(app->find("frmCountry"), nullptr);
  EXPECT_EQ(app->find("frmAdresses"), nullptr);  // loaded for the texts, then unloaded

  auto* frame = app->find<veltaro::mdiVeltaro>();
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->visible());  // shown by the contact window, never by start-up itself
  EXPECT_EQ(frame->control("txtCase", 0).text(), "T81");
  EXPECT_EQ(frame->control("txtCase", 1).text(), "T82");
  EXPECT_EQ(frame->control("txtCase", 2).text(), "T83");
  EXPECT_EQ(frame->control("cmdCase").caption(), "T164");
  EXPECT_EQ(frame->menu("menuQuit").caption(), "&Quit DK");
  EXPECT_EQ(fx().TextTable[144], " A46 ");
  EXPECT_NE(frame->helpFile.find("help/helpdk"), std::string::npos);
}

TEST_F(StartupTest, SplashIsOnTopWithItsPictureWhileTheTextsLoad) {
  writeSettings("SE\r\n");
  setSettingsAge(std::chrono::seconds(10));
  writeLines(folder / "Images" / "VELTAROOPSTART_SE.jpg", {"jpeg"});
  // The first pause comes right after the splash window went up.
  bool seen = false;
  platform.onPause = [&](int) {
    if (seen) return;
    auto* splash = app->find<veltaro::frmStart>();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->visible());
    EXPECT_TRUE(splash->topmost());
    EXPECT_NE(splash->control("picLogo").picture().find("VELTAROOPSTART_SE.jpg"),
              std::string::npos);
    EXPECT_EQ(splash->control("prbStartup").text(), " Wait for startup the program ! ");
    seen = true;
  };
  veltaro::Main();
  EXPECT_TRUE(seen);
  EXPECT_EQ(fx().CountryCode, "SE");
}

struct SettingsCase {
  const char* name;
  const char* content;  // nullptr: no settings file
  int ageSeconds;       // relative to the program file
  bool asks;            // the dialog comes up (and the choice, Latvian, is stored)
  const char* code;
  const char* fileAfter;  // nullptr: no file
};

class SettingsFileTest : public StartupTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(SettingsFileTest, DecidesWhetherToAsk) {
  const SettingsCase& c = GetParam();
  if (c.content) {
    writeSettings(c.content);
    setSettingsAge(std::chrono::seconds(c.ageSeconds));
  }
  if (c.asks) expectCountryChoice(6);
  veltaro::Main();
  EXPECT_TRUE(platform.scriptDone());
  EXPECT_FALSE(app->ended());
  EXPECT_EQ(fx().CountryCode, c.code);
  if (c.fileAfter)
    EXPECT_EQ(readAll(folder / "VELTARO.INI"), c.fileAfter);
  else
    EXPECT_FALSE(fs::exists(folder / "VELTARO.INI"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFileTest,
    ::testing::Values(SettingsCase{"Missing", nullptr, 0, true, "LV", "LV\r\n"},
                      SettingsCase{"SameAgeIsKept", "UK\r\n", 0, false, "UK", "UK\r\n"},
                      SettingsCase{"NewerIsKept", "NO\r\n", 60, false, "NO", "NO\r\n"},
                      SettingsCase{"OlderIsDeletedAndAsked", "UK\r\n", -60, true, "LV", "LV\r\n"},
                      SettingsCase{"BlanksAndCase", "  se  \r\n", 5, false, "SE", "  se  \r\n"},
                      SettingsCase{"LowerXxMeansNone", "xx\r\n", 5, true, "LV", "LV\r\n"},
                      SettingsCase{"MarineOnlyFromTheFile", "MRN\r\n", 5, false, "MRN", "MRN\r\n"},
                      SettingsCase{"OneCharacterIsTooShort", "D\r\n", 5, true, "LV", "LV\r\n"},
                      SettingsCase{"OnlyTheFirstLineCounts", "EE\r\nDK\r\n", 5, false, "EE",
                                   "EE\r\nDK\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, FlagDoubleClickChoosesItsCountry) {
  platform.expectModal("frmCountry",
                       [](forms::Form& f) { f.control("imgFlag", 0).userDblClick(); });
  veltaro::Main();
  EXPECT_EQ(fx().CountryCode, "UK");
  EXPECT_EQ(readAll(folder / "VELTARO.INI"), "UK\r\n");
}

TEST_F(StartupTest, ClosingTheCountryDialogEndsCleanlyAndWritesNothing) {
  platform.expectModal("frmCountry", [](forms::Form& f) { f.userClose(); });
  veltaro::Main();
  EXPECT_TRUE(app->ended());
  EXPECT_FALSE(fs::exists(folder / "VELTARO.INI"));
  EXPECT_TRUE(platform.callsOf("msgBox").empty());
  EXPECT_TRUE(app->loadedForms().empty());
}

TEST_F(StartupTest, ChangedProductFileIsRefusedWithTheFixedMessage) {
  writeSettings("DK\r\n");
  writeLines(folder / "Text" / "Product.DK", {"Wool DK;0.034;0;0;-50;250;20;;", "Wool DK"});
  platform.expectMsgBox(forms::mb::IdOk);
  veltaro::Main();

  auto boxes = platform.callsOf("msgBox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "The Product file are changed - It is not possible to run this program !\r\n\r\n"
            "Re-install the VELTARO program and start again");
  EXPECT_EQ(boxes[0].title, "Productfile changed !");
  EXPECT_EQ(boxes[0].style, forms::mb::Critical);
  EXPECT_TRUE(app->ended());
  EXPECT_TRUE(app->loadedForms().empty());
}

TEST_F(StartupTest, MissingOrBrokenDataFilesAreNamedAndEndTheProgram) {
  struct Case {
    const char* file;
    const char* code;
    int addressLines;  // 0: the file is removed; else the contact file gets that many lines
  } cases[] = {{"Text/TextFile.UK", "UK", 0},
               {"Text/MenuText.NO", "NO", 0},
               {"Text/adress.all", "DK", 0},
               {"Text/Check.CRC", "DK", 0},
               {"TEXT/PipeOnly.LT", "LT", 0},
               {"TEXT/PipeKap.SE", "SE", 0},
               {"Text/Product.FR", "FR", 0},
               {"Text/adress.all", "LV", 120}};  // the Latvian block needs lines 121-131
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    TearDown();
    SetUp();
    writeSettings(std::string(c.code) + "\r\n");
    if (c.addressLines)
      writeDataFiles(c.addressLines);
    else
      fs::remove(folder / c.file);
    platform.expectMsgBox(forms::mb::IdOk, fs::path(c.file).filename().string());
    veltaro::Main();
    EXPECT_TRUE(platform.scriptDone());
    EXPECT_TRUE(app->ended());
    EXPECT_TRUE(app->loadedForms().empty());
  }
}

TEST(CommandLine, GivesTheHeatLossDecimals) {
  struct Case {
    const char* line;
    int decimals;
  } cases[] = {{"2", 2},  {"", 0},    {"   ", 0},       {" 3 ", 3},   {"abc", 0},    {"2x", 0},
               {"-1", 0}, {"1.5", 0}, {"32767", 32767}, {"32768", 0}, {"000004", 4}, {"0004", 4}};
  for (const Case& c : cases)
    EXPECT_EQ(veltaro::DecimalsFromCommandLine(c.line), c.decimals) << '"' << c.line << '"';
}

// The data that ship with the program start every market: checksums, menus, texts, addresses,
// pictures and help are all where start-up looks for them.
TEST_F(ShellTest, ShippedDataStartsEveryMarket) {
  fs::copy(fs::path(VELTARO_SOURCE_DIR) / "data", folder, fs::copy_options::recursive);
  std::ofstream(folder / "veltaro") << "program";
  for (const auto& code : allCodes()) {
    SCOPED_TRACE(code);
    app.reset();
    veltaro::resetFx();
    app = std::make_unique<forms::Application>(platform);
    writeSettings(code + "\r\n");
    veltaro::Main();
    ASSERT_FALSE(app->ended());
    auto* frame = app->find<veltaro::mdiVeltaro>();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(veltaro::FileExists(frame->helpFile)) << frame->helpFile;
    EXPECT_FALSE(frame->picture().empty());
    EXPECT_FALSE(frame->control("txtCase", 1).text().empty());
    EXPECT_FALSE(veltaro::fx().TextTable[155].empty());
    for (const auto& b : frame->toolbar("tobMenu").buttons())
      EXPECT_EQ(b.separator || !b.image.empty(), true) << b.key;
  }
  EXPECT_TRUE(platform.callsOf("msgBox").empty());
}

// The real first calculation window, reached through the menu and the Calculate command.
TEST_F(ShellTest, CalculateReachesTheRealFirstCalculation) {
  fs::copy(fs::path(VELTARO_SOURCE_DIR) / "data", folder, fs::copy_options::recursive);
  writeSettings("DK\r\n");
  veltaro::Main();
  auto& frame = *app->find<veltaro::mdiVeltaro>();
  frame.menu("menuCalc01").userClick();
  auto* calc = app->find("frmCalc01");
  ASSERT_NE(calc, nullptr);
  EXPECT_TRUE(calc->visible());
  EXPECT_EQ(veltaro::fx().ActiveCalcNumber, 1);
  frame.toolbar("tobMenu").userClick(6);  // Calculate, on the empty window: the input check
  auto* errors = app->find("frmErrorInfo");
  ASSERT_NE(errors, nullptr);
  EXPECT_TRUE(errors->visible());
  EXPECT_FALSE(veltaro::fx().ResultValid[1]);

  // Quitting closes the error list first; No keeps the rest.
  platform.expectMsgBox(forms::mb::IdNo);
  frame.menu("menuQuit").userClick();
  EXPECT_EQ(app->find("frmErrorInfo"), nullptr);
  EXPECT_NE(app->find("frmCalc01"), nullptr);
}

}  // namespace
}  // namespace shelltest
