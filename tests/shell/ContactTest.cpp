// The contact window: its panels, its place beside the main window and its links; the about
// box.

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

using ContactTest = ShellTest;

TEST_F(ContactTest, PanelsPlaceAndLinks) {
  for (const std::string code : {"MRN", "DK"}) {
    SCOPED_TRACE(code);
    auto& frame = start(code);
    const bool marine = code == "MRN";
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
  const struct {
    int lines;
    int lastPanel;
  } cases[] = {{60, 2}, {150, 7}};
  for (const auto& c : cases) {
    start("UK", c.lines).menu("menuAdr").userClick();
    auto& w = *app->find<veltaro::frmAdresses>();
    for (int i = 1; i < veltaro::frmAdresses::kPanels; ++i)
      EXPECT_EQ(w.control("Selskab", i).visible(), i <= c.lastPanel) << c.lines << " " << i;
  }
}

TEST_F(ContactTest, AboutBoxFollowsTheFrameAndTheMarket) {
  const struct {
    const char* code;
    int frameState, left;
    bool fromText, icon;
  } cases[] = {{"DK", forms::kStateNormal, 2740, false, false},
               {"EE", forms::kStateMaximized, 2860, true, false},
               {"MRN", forms::kStateNormal, 2740, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    auto& frame = start(c.code);
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
