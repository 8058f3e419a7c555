// The contact window: the contact lines it publishes into the text table for every market,
// its panels, its place beside the main window and its links.

#include "start/Startup.h"
#include "shell/ShellFixture.h"
#include "shell/frmAbout.h"
#include "shell/frmAdresses.h"
#include "shell/mdiVeltaro.h"

namespace shelltest {
namespace {

using veltaro::fx;

std::string a(int line) {
  return " A" + std::to_string(line) + " ";
}

class ContactTest : public ShellTest {
 protected:
  void start(const std::string& code, int addressLines = 135) {
    TearDown();
    ShellTest::SetUp();
    writeDataFiles(addressLines);
    if (code == "FR") addUnlistedMarket(code);
    writeSettings(code + "\r\n");
    veltaro::Main();
    ASSERT_FALSE(app->ended());
  }
};

TEST_F(ContactTest, EveryMarketsBlockGoesIntoTheTextTable) {
  // The Norwegian block skips its first address line; an unlisted code takes the Danish block.
  const std::pair<const char*, int> markets[] = {{"MRN", 16}, {"UK", 31}, {"DK", 46},
                                                 {"NO", 61},  {"SE", 76}, {"LT", 91},
                                                 {"EE", 106}, {"LV", 121}, {"FR", 46}};
  for (const auto& [code, b] : markets) {
    SCOPED_TRACE(code);
    start(code);
    const auto& t = fx().TextTable;
    const int skip = std::string(code) == "NO" ? 1 : 0;
    const std::pair<int, std::string> expected[] = {
        {144, a(b)},  {145, a(b + 1)}, {146, a(b + 2 + skip)}, {147, a(b + 3 + skip)},
        {148, a(b + 5)}, {149, "T190 " + a(b + 6)}, {150, "T191 " + a(b + 7)},
        {151, "T192 " + a(b + 8)}, {152, a(b + 9)}, {153, "T153"}, {155, a(b + 9)},
        {156, a(b + 10)}};
    for (const auto& [line, text] : expected) EXPECT_EQ(t[line], text) << line;
  }
}

TEST_F(ContactTest, PanelsPlaceAndLinks) {
  for (const std::string code : {"MRN", "DK"}) {
    SCOPED_TRACE(code);
    start(code);
    const bool marine = code == "MRN";
    auto& frame = *app->find<veltaro::mdiVeltaro>();
    frame.menu("menuAdr").userClick();
    auto& w = *app->find<veltaro::frmAdresses>();
    // Panel 0: the head office with telephone and fax only, or the marine block whole.
    const int first = marine ? 16 : 1;
    EXPECT_EQ(w.control("Selskab", 0).caption(), a(first));
    EXPECT_EQ(w.control("fax", 0).caption(), a(first + 7));
    for (const char* name : {"email", "website", "emaillabel", "weblabel"})
      EXPECT_EQ(w.control(name, 0).visible(), marine) << name;
    EXPECT_EQ(w.control("Selskab", 7).caption(), a(121));  // the panels follow the blocks
    EXPECT_EQ(w.control("website", 7).caption(), a(130));
    EXPECT_EQ(w.left(), 610) << "300 twips from the right edge of an 11990-wide frame";
    w.control("website", 3).userClick();
    EXPECT_EQ(platform.calls.back().text, "A70");  // block 5 line 10, trimmed
    w.control("cmdOK").userClick();
    EXPECT_EQ(app->find<veltaro::frmAdresses>(), nullptr);
    frame.setWidth(15360);
    frame.menu("menuAdr").userClick();
    EXPECT_EQ(app->find<veltaro::frmAdresses>()->left(), 2760);
  }
}

TEST_F(ContactTest, ShortAndLongContactFiles) {
  // Four blocks: panels 1 and 2 besides panel 0; ten blocks: no more than the eight panels.
  const struct { int lines; int lastPanel; } cases[] = {{60, 2}, {150, 7}};
  for (const auto& c : cases) {
    start("UK", c.lines);
    app->find<veltaro::mdiVeltaro>()->menu("menuAdr").userClick();
    auto& w = *app->find<veltaro::frmAdresses>();
    for (int i = 1; i < veltaro::frmAdresses::kPanels; ++i)
      EXPECT_EQ(w.control("Selskab", i).visible(), i <= c.lastPanel) << c.lines << " " << i;
  }
}

TEST_F(ContactTest, AboutBoxFollowsTheFrameAndTheMarket) {
  const struct { const char* code; int frameState, left; bool fromText, icon; } cases[] = {
      {"DK", forms::kStateNormal, 2740, false, false},
      {"EE", forms::kStateMaximized, 2860, true, false},
      {"MRN", forms::kStateNormal, 2740, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    start(c.code);
    writeLines(folder / "Images" / "Icons" / "veltaro32_32_marine.ico", {"icon"});
    auto& frame = *app->find<veltaro::mdiVeltaro>();
    frame.setWindowState(c.frameState);
    frame.menu("menuAboutProgram").userClick();
    auto& about = *app->find<veltaro::frmAbout>();
    EXPECT_EQ(about.left(), c.left);
    EXPECT_EQ(about.control("lblDisclaimer").caption() == "T196", c.fromText);
    EXPECT_EQ(!about.icon().empty(), c.icon);
    platform.expectMsgBox(forms::mb::IdOk, "System Information Is Unavailable At This Time");
    about.control("cmdSysInfo").userClick();
    EXPECT_TRUE(platform.scriptDone());
    EXPECT_TRUE(platform.callsOf("startProgram").empty());
    EXPECT_NE(app->find<veltaro::frmAbout>(), nullptr);  // the box stays open
    // Both links open the web address of the contact details.
    for (const char* link : {"Picture2", "Label4"}) {
      const auto before = platform.callsOf("openAddress").size();
      about.control(link).userClick();
      ASSERT_EQ(platform.callsOf("openAddress").size(), before + 1) << link;
      EXPECT_EQ(platform.calls.back().text, "https://www.torvelin.example.com");
    }
  }
}

}  // namespace
}  // namespace shelltest
