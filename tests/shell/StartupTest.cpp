// Start-up sessions: the settings file, the country dialog, the splash window, the product-file
// refusal and missing data files, run against a program folder of the test's own.

#include <chrono>
#include <map>

#include "core/NumericInput.h"
#include "core/ProgramFiles.h"
#include "shell/ShellFixture.h"
#include "start/frmStart.h"

namespace shelltest {
namespace {

using veltaro::fx;

bool contains(const std::string& s, const std::string& part) {
  return s.find(part) != std::string::npos;
}

class StartupTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    writeDataFiles();
    std::ofstream(folder / "veltaro") << "program";
  }
  // The dialog's scripted user: picks option `index` (or leaves the design choice) and OKs.
  void expectCountryChoice(int index) {
    platform.expectModal("frmCountry", [index](forms::Form& f) {
      if (index >= 0) f.control("optCountry", index).userClick();
      f.control("cmdOk").userClick();
    });
  }
  // The program file 0.9 s into a second, the settings file `ms` milliseconds from it.
  void setSettingsAge(int ms) {
    using namespace std::chrono;
    auto program = floor<seconds>(fs::last_write_time(folder / "veltaro")) + milliseconds(900);
    fs::last_write_time(folder / "veltaro", program);
    fs::last_write_time(folder / "VELTARO.INI", program + milliseconds(ms));
  }
};

TEST_F(StartupTest, FirstStartAsksShowsTheSplashAndLeavesTheMainWindow) {
  writeLines(folder / "Images" / "VELTAROOPSTART_SE.jpg", {"jpeg"});
  platform.expectModal("frmCountry", [](forms::Form& f) { f.control("imgFlag", 2).userDblClick(); });
  platform.arguments = " 3 ";
  std::string splash;  // the topmost splash window's picture, at the first pause
  platform.onPause = [&](int) {
    auto* s = app->find<veltaro::frmStart>();
    if (splash.empty())
      splash = s && s->visible() && s->topmost() ? fs::path(s->control("picLogo").picture()).filename() : "-";
  };
  veltaro::Main();
  EXPECT_EQ(splash, "VELTAROOPSTART_SE.jpg");
  EXPECT_TRUE(platform.scriptDone());
  EXPECT_EQ(fx().HeatLossDecimals, 3);
  EXPECT_EQ(veltaro::ReadFileBytes((folder / "VELTARO.INI").string()), "SE\r\n");
  for (const char* gone : {"frmStart", "frmCountry", "frmAdresses"}) EXPECT_EQ(app->find(gone), nullptr) << gone;
  auto& frame = *app->find<veltaro::mdiVeltaro>();
  EXPECT_TRUE(frame.visible());  // shown by the contact window, never by start-up itself
  for (int i = 0; i < 3; ++i) EXPECT_EQ(frame.control("txtCase", i).text(), "T" + std::to_string(81 + i));
  EXPECT_NE(frame.helpFile.find("help/helpse"), std::string::npos);
}

// A start-up session: the settings file (nullptr for none) and its age relative to the program
// file, which lies 0.9 s into a second; a data file removed (or given `content`), or the
// contact file cut to that many lines; the dialog's choice (-2 no dialog, -1 the design's,
// Danish; -3 closes it). Then the market chosen and the settings file after (nullptr: none), or
// the critical message ("title|" prompt) that names what is wrong, shown after the splash
// window is gone and ending the program.
struct Session {
  const char *name, *settings;
  int ageMs;
  const char* file;
  int addressLines, choice;
  const char *code, *after, *message, *content;
};

class StartSession : public StartupTest, public ::testing::WithParamInterface<Session> {};

TEST_P(StartSession, EndsAsExpected) {
  const Session& c = GetParam();
  if (c.settings) {
    writeSettings(c.settings);
    setSettingsAge(c.ageMs);
  }
  if (c.file && c.content) writeLines(folder / c.file, {c.content});
  if (c.file && !c.content) fs::remove(folder / c.file);
  if (c.addressLines) writeDataFiles(c.addressLines);
  if (c.choice == -3)
    platform.expectModal("frmCountry", [](forms::Form& f) { f.userClose(); });
  else if (c.choice > -2)
    expectCountryChoice(c.choice);
  if (c.message) {
    const std::string prompt = c.message;  // after the title, when there is one
    platform.expectMsgBox(forms::mb::IdOk, prompt.substr(prompt.find('|') + 1));
    platform.onMsgBox = [&] { EXPECT_EQ(app->find("frmStart"), nullptr); };
  }
  veltaro::Main();
  EXPECT_TRUE(platform.scriptDone());
  for (const auto& box : platform.callsOf("msgBox")) {
    EXPECT_NE((box.title + "|" + box.text).find(c.message), std::string::npos);
    EXPECT_EQ(box.style, forms::mb::Critical);
  }
  EXPECT_EQ(app->ended(), c.message || c.choice == -3);
  EXPECT_EQ(app->loadedForms().empty(), app->ended());
  if (!app->ended()) {
    EXPECT_EQ(fx().CountryCode, c.code);
  }
  if (c.after)
    EXPECT_EQ(veltaro::ReadFileBytes((folder / "VELTARO.INI").string()), c.after);
  else
    EXPECT_FALSE(fs::exists(folder / "VELTARO.INI"));
}

// clang-format off
const Session kSessions[] = {
    {"Missing", nullptr, 0, nullptr, 0, -1, "DK", "DK\r\n"},
    {"SameAgeIsKept", "UK\r\n", 0, nullptr, 0, -2, "UK", "UK\r\n"},
    {"SameSecondIsKept", "UK\r\n", -800, nullptr, 0, -2, "UK", "UK\r\n"},
    {"OlderIsDeletedAndAsked", "UK\r\n", -1000, nullptr, 0, 6, "LV", "LV\r\n"},
    {"BlanksAndCase", "  se  \r\n", 5000, nullptr, 0, -2, "SE", "  se  \r\n"},
    {"LowerXxMeansNone", "xx\r\n", 5000, nullptr, 0, 4, "LT", "LT\r\n"},
    {"MarineOnlyFromTheFile", "MRN\r\n", 5000, nullptr, 0, -2, "MRN", "MRN\r\n"},
    {"OneCharacterIsTooShort", "D\r\n", 5000, nullptr, 0, 0, "UK", "UK\r\n"},
    {"OnlyTheFirstLineCounts", "EE\r\nDK\r\n", 5000, nullptr, 0, -2, "EE", "EE\r\nDK\r\n"},
    {"ClosedDialogWritesNothing", nullptr, 0, nullptr, 0, -3},
    // Only Sweden reads the pipe sections: any other market starts without their file.
    {"PipeSectionsOnlyForSweden", "DK\r\n", 5000, "TEXT/PipeKap.SE", 0, -2, "DK", "DK\r\n"},
    {"NoLanguageFile", "UK\r\n", 5000, "Text/TextFile.UK", 0, -2, "", "UK\r\n", "TextFile.UK"},
    {"NoMenuFile", "NO\r\n", 5000, "Text/MenuText.NO", 0, -2, "", "NO\r\n", "MenuText.NO"},
    {"NoContactFile", "DK\r\n", 5000, "Text/adress.all", 0, -2, "", "DK\r\n", "adress.all"},
    {"NoChecksumFile", "DK\r\n", 5000, "Text/Check.CRC", 0, -2, "", "DK\r\n", "Check.CRC"},
    {"NoPipeOnlyFile", "LT\r\n", 5000, "TEXT/PipeOnly.LT", 0, -2, "", "LT\r\n", "PipeOnly.LT"},
    {"NoSwedishPipeSections", "SE\r\n", 5000, "TEXT/PipeKap.SE", 0, -2, "", "SE\r\n", "PipeKap.SE"},
    {"NoProductFile", "FR\r\n", 5000, nullptr, 0, -2, "", "FR\r\n", "Product.FR"},
    {"ChangedProductFile", "DK\r\n", 5000, "Text/Product.DK", 0, -2, "", "DK\r\n",
     "Productfile changed !|The Product file are changed - It is not possible to run this program !"
     "\r\n\r\nRe-install the VELTARO program and start again", "Wool DK;0.034;0;0;-50;250;20;;\r\nWool DK"},
    // The Latvian block needs lines 121-131.
    {"ShortContactFile", "LV\r\n", 5000, nullptr, 120, -2, "", "LV\r\n", "adress.all"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Table, StartSession, ::testing::ValuesIn(kSessions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLine, GivesTheHeatLossDecimals) {
  const std::pair<const char*, int> cases[] = {
      {"2", 2},  {"", 0},    {"   ", 0},       {" 3 ", 3},   {"abc", 0},
      {"-1", 0}, {"1.5", 0}, {"32767", 32767}, {"32768", 0}, {"0004", 4}};
  for (const auto& [line, decimals] : cases)
    EXPECT_EQ(veltaro::DecimalsFromCommandLine(line), decimals) << '"' << line << '"';
}

// The shipped data start every market: checksums, menus, texts, addresses, pictures and help
// are all where start-up looks for them, and the real first calculation opens and checks its
// input. Quitting closes the input-error window first; No keeps the rest.
TEST_F(ShellTest, ShippedDataStartsEveryMarketAndItsFirstCalculation) {
  fs::copy(fs::path(VELTARO_SOURCE_DIR) / "data", folder, fs::copy_options::recursive);
  for (const auto& code : allCodes()) {
    SCOPED_TRACE(code);
    app.reset();
    veltaro::resetFx();
    app = std::make_unique<forms::Application>(platform);
    writeSettings(code + "\r\n");
    veltaro::Main();
    ASSERT_FALSE(app->ended());
    auto& frame = *app->find<veltaro::mdiVeltaro>();
    EXPECT_TRUE(veltaro::FileExists(frame.helpFile)) << frame.helpFile;
    EXPECT_FALSE(frame.picture().empty());
    // The market's contact block: company, country, address lines, mail and web address.
    const std::map<std::string, std::string> country = {
        {"MRN", "Denmark"}, {"UK", "United Kingdom"}, {"DK", "Danmark"}, {"NO", "Norge"},
        {"SE", "Sverige"},  {"LT", "Lietuva"},        {"EE", "Eesti"},   {"LV", "Latvija"}};
    const auto& t = fx().TextTable;
    EXPECT_EQ(t[148], country.at(code));
    EXPECT_TRUE(contains(t[144], code == "MRN" ? "Marine" : "Torvelin") && contains(t[151], "@"));
    EXPECT_FALSE(veltaro::TrimSpaces(t[146]).empty() || veltaro::TrimSpaces(t[147]).empty());
    for (int k : {155, 156})
      EXPECT_TRUE((t[k].rfind("https://", 0) == 0 || t[k].rfind("www.", 0) == 0) &&
                  (contains(t[k], ".example.com") || contains(t[k], ".example.org")))
          << t[k];
    for (const auto& b : frame.toolbar("tobMenu").buttons())
      EXPECT_TRUE(b.separator || !b.image.empty()) << b.key;

    frame.menu("menuCalc01").userClick();
    EXPECT_EQ(fx().ActiveCalcNumber, 1);
    frame.toolbar("tobMenu").userClick(6);  // Calculate, on the empty window: the input check
    ASSERT_NE(app->find("frmErrorInfo"), nullptr);
    EXPECT_TRUE(app->find("frmErrorInfo")->visible());
    platform.expectMsgBox(forms::mb::IdNo);
    frame.menu("menuQuit").userClick();
    EXPECT_EQ(app->find("frmErrorInfo"), nullptr);
    EXPECT_NE(app->find("frmCalc01"), nullptr);
  }
  EXPECT_TRUE(platform.scriptDone());
  EXPECT_EQ(platform.callsOf("msgBox").size(), allCodes().size());  // the quit questions only
}

}  // namespace
}  // namespace shelltest
