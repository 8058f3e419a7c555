// The contact window: its panels, its place beside the main window and its links; the about
// box.

#include "shell/ShellFixture.h"
#include "shell/frmAbout.h"
#include "shell/frmAdresses.h"

namespace shelltest {
namespace {

TEST_F(ShellTest, ContactPanelsPlaceAndLinks) {
  // lines: the contact file's length (four blocks: panels 1 and 2 besides panel 0; ten: no
  // more than the eight panels); first: panel 0's first line; last: the last panel shown.
  const struct {
    const char* code;
    int lines, first, last;
  } cases[] = {{"MRN", 135, 16, 7}, {"DK", 135, 1, 7}, {"UK", 60, 1, 2}, {"UK", 150, 1, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " " + std::to_string(c.lines));
    auto& frame = start(c.code, c.lines);
    frame.menu("menuAdr").userClick();
    auto& w = *app->find<veltaro::frmAdresses>();
    // Panel 0: the head office with telephone and fax only, or the marine block whole.
    EXPECT_EQ(w.control("Selskab", 0).caption() + w.control("fax", 0).caption(),
              a(c.first) + a(c.first + 7));
    for (const char* name : {"email", "website", "emaillabel", "weblabel"})
      EXPECT_EQ(w.control(name, 0).visible(), c.first == 16) << name;
    for (int i = 1; i < veltaro::frmAdresses::kPanels; ++i)
      EXPECT_EQ(w.control("Selskab", i).visible(), i <= c.last) << i;
    if (c.last < 7) continue;
    // The panels follow the blocks.
    EXPECT_EQ(w.control("Selskab", 7).caption() + w.control("website", 7).caption(), a(121) + a(130));
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

// The about box sits by the frame's state, takes its disclaimer and icon from the market, has
// no system information to start, and both its links open the contact details' web address.
TEST_F(ShellTest, AboutBoxFollowsTheFrameAndTheMarket) {
  const std::tuple<const char*, int, int, bool, bool> cases[] = {
      {"DK", forms::kStateNormal, 2740, false, false},
      {"EE", forms::kStateMaximized, 2860, true, false},
      {"MRN", forms::kStateNormal, 2740, false, true}};
  for (const auto& [code, frameState, left, fromText, icon] : cases) {
    SCOPED_TRACE(code);
    start(code).setWindowState(frameState);
    app->find<veltaro::mdiVeltaro>()->menu("menuAboutProgram").userClick();
    auto& about = *app->find<veltaro::frmAbout>();
    EXPECT_EQ(about.left(), left);
    EXPECT_EQ(about.control("lblDisclaimer").caption() == "T196", fromText);
    EXPECT_EQ(!about.icon().empty(), icon);
    platform.expectMsgBox(forms::mb::IdOk, "System Information Is Unavailable At This Time");
    about.control("cmdSysInfo").userClick();
    EXPECT_TRUE(platform.scriptDone());
    EXPECT_NE(app->find<veltaro::frmAbout>(), nullptr);  // the box stays open
    for (const char* link : {"Picture2", "Label4"}) about.control(link).userClick();
    const auto opened = platform.callsOf("openAddress");
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].text + " " + opened[1].text,
              "https://www.torvelin.example.com https://www.torvelin.example.com");
    EXPECT_TRUE(platform.callsOf("startProgram").empty());
  }
}

}  // namespace
}  // namespace shelltest
