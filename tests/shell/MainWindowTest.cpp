// The main window of each market after start-up: what each market is offered, the contact
// lines it publishes, its contact window and about box, the background, the band hit test with
// its borders and gaps, the mouse pointer, and the quit question.

#include "shell/ShellFixture.h"
#include "shell/frmAbout.h"
#include "shell/frmAdresses.h"

namespace shelltest {
namespace {

using veltaro::BandHit;
using veltaro::fx;
using veltaro::HitTestBands;

// block: the first line of the market's contact block in the contact file, which has `lines`
// lines; lastPanel: the last contact panel shown (four blocks: panels 1 and 2 besides panel 0;
// ten: no more than the eight panels).
struct Market {
  const char *code, *picture;
  bool classCalc, pipeDistance, ductCalc;
  int block, lines = 135, lastPanel = 7;
};

class MarketStart : public ShellTest, public ::testing::WithParamInterface<Market> {};

TEST_P(MarketStart, OffersItsCalculationsPictureBandsAndContactDetails) {
  const Market& m = GetParam();
  const std::string code = m.code;
  auto& frame = start(code, m.lines);
  auto& bar = frame.toolbar("tobMenu");
  EXPECT_EQ(frame.menu("menuCalc04").visible(), m.classCalc);
  EXPECT_EQ(bar.button(20).visible, m.classCalc);
  EXPECT_EQ(frame.menu("menuShowPipeDistance").visible(), m.pipeDistance);
  EXPECT_EQ(frame.menu("menuShowPipeDistance").checked(), m.pipeDistance);
  EXPECT_EQ(frame.menu("menuCalc07").visible(), m.ductCalc);
  EXPECT_EQ(bar.button(23).visible, m.ductCalc);
  // Calculations 4 and 7 have a band exactly where the market offers them.
  const bool narrow = code == "DK" || code == "NO";
  EXPECT_EQ(HitTestBands(code, 5000, 3500).calcNumber == 4, m.classCalc);
  EXPECT_EQ(HitTestBands(code, 5000, narrow ? 4900 : 4400).calcNumber == 7, m.ductCalc);
  EXPECT_EQ(fs::path(frame.picture()).filename(), "background_" + std::string(m.picture) + ".jpg");
  EXPECT_EQ(!frame.icon().empty(), code == "MRN");
  // The contact block goes into the text table; the Norwegian one skips its first address line.
  const int b = m.block, skip = code == "NO" ? 1 : 0;
  // clang-format off
  const std::pair<int, std::string> lines[] = {
      {144, a(b)}, {145, a(b + 1)}, {146, a(b + 2 + skip)}, {147, a(b + 3 + skip)},
      {148, a(b + 5)}, {149, "T190 " + a(b + 6)}, {150, "T191 " + a(b + 7)},
      {151, "T192 " + a(b + 8)}, {152, a(b + 9)}, {153, "T153"}, {155, a(b + 9)}, {156, a(b + 10)}};
  // clang-format on
  for (const auto& [line, text] : lines) EXPECT_EQ(fx().TextTable[line], text) << line;

  // The contact window: panel 0 holds the head office with telephone and fax only, or the
  // marine block whole; the others follow the blocks. It keeps to the frame's right edge.
  frame.menu("menuAdr").userClick();
  auto& w = *app->find<veltaro::frmAdresses>();
  const bool marine = code == "MRN";
  EXPECT_EQ(w.control("Selskab", 0).caption() + w.control("fax", 0).caption(),
            a(marine ? 16 : 1) + a(marine ? 23 : 8));
  for (const char* name : {"email", "website", "emaillabel", "weblabel"})
    EXPECT_EQ(w.control(name, 0).visible(), marine) << name;
  for (int i = 1; i < veltaro::frmAdresses::kPanels; ++i)
    EXPECT_EQ(w.control("Selskab", i).visible(), i <= m.lastPanel) << i;
  if (m.lastPanel == 7) {
    EXPECT_EQ(w.control("Selskab", 7).caption() + w.control("website", 7).caption(), a(121) + a(130));
    w.control("website", 3).userClick();
    EXPECT_EQ(platform.calls.back().text, "A70");  // block 5 line 10, trimmed
  }
  EXPECT_EQ(w.left(), 610) << "300 twips from the right edge of an 11990-wide frame";
  w.control("cmdOK").userClick();
  EXPECT_EQ(app->find<veltaro::frmAdresses>(), nullptr);
  frame.setWidth(15360);
  frame.menu("menuAdr").userClick();
  EXPECT_EQ(app->find<veltaro::frmAdresses>()->left(), 2760);

  // The about box sits by the frame's state; the Baltic markets take its disclaimer from the
  // language file, the marine edition gives it its icon. It has no system information to
  // start, and both its links open the contact details' web address.
  for (int state : {forms::kStateMaximized, forms::kStateNormal}) {
    if (auto* open = app->find<veltaro::frmAbout>()) open->unload();
    frame.setWindowState(state);
    frame.menu("menuAboutProgram").userClick();
    EXPECT_EQ(app->find<veltaro::frmAbout>()->left(), state ? 2860 : 2740);
  }
  auto& about = *app->find<veltaro::frmAbout>();
  EXPECT_EQ(about.control("lblDisclaimer").caption() == "T196",
            code == "LT" || code == "LV" || code == "EE");
  EXPECT_EQ(!about.icon().empty(), marine);
  platform.expectMsgBox(forms::mb::IdOk, "System Information Is Unavailable At This Time");
  about.control("cmdSysInfo").userClick();
  EXPECT_TRUE(platform.scriptDone());
  EXPECT_NE(app->find<veltaro::frmAbout>(), nullptr);  // the box stays open
  platform.calls.clear();
  for (const char* link : {"Picture2", "Label4"}) about.control(link).userClick();
  const auto opened = platform.callsOf("openAddress");
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0].text + " " + opened[1].text,
            "https://www.torvelin.example.com https://www.torvelin.example.com");
  EXPECT_TRUE(platform.callsOf("startProgram").empty());
}

// An unlisted code takes the Danish picture and contact block and the general offer.
const Market kMarkets[] = {
    {"DK", "dk", true, true, true, 46},     {"NO", "no", true, true, true, 61},
    {"SE", "se", false, true, true, 76},    {"UK", "uk", false, false, true, 31, 60, 2},
    {"LT", "lt", false, false, false, 91, 150},  {"EE", "ee", false, false, false, 106},
    {"LV", "lv", false, false, false, 121}, {"MRN", "mrn", false, false, false, 16},
    {"FR", "dk", false, false, false, 46}};
INSTANTIATE_TEST_SUITE_P(Table, MarketStart, ::testing::ValuesIn(kMarkets),
                         [](const auto& info) { return std::string(info.param.code); });

TEST(BandHitTest, BordersAndGapsAreOutside) {
  // calc 0: no calculation band; textLine: the link band's text-table line, or 0.
  const struct {
    const char* code;
    double x, y;
    int calc, textLine;
  } cases[] = {
      {"DK", 5000, 2000, 1, 0},   {"DK", 5000, 3500, 4, 0},   {"DK", 3375, 2000, 0, 0},
      {"DK", 9750, 2000, 0, 0},   {"DK", 9749.5, 2000, 1, 0}, {"DK", 5000, 1900, 0, 0},
      {"DK", 5000, 2150, 0, 0},   {"DK", 5000, 2250, 0, 0},   {"DK", 5000, 7600, 24, 0},
      {"NO", 5000, 4900, 7, 0},   {"NO", 10000, 2000, 0, 0},  {"UK", 10000, 4400, 7, 0},
      {"EE", 10000, 4400, 0, 0},  {"MRN", 10000, 4400, 0, 0}, {"UK", 5000, 3500, 5, 0},
      {"SE", 3001, 5500, 21, 0},  {"SE", 3000, 5500, 0, 0},   {"SE", 11600, 5500, 0, 0},
      {"LT", 5000, 6900, 23, 0},  {"LV", 5000, 7300, 24, 0},  {"EE", 5000, 6900, 0, 0},
      {"EE", 5000, 7000, 24, 0},  {"FR", 5000, 3500, 5, 0},   {"DK", 1000, 6400, 0, 155},
      {"UK", 1000, 7000, 0, 156}, {"LV", 1000, 6700, 0, 0},   {"DK", 2700, 6400, 0, 0},
      {"DK", 0, 6400, 0, 0},      {"DK", 1000, 6650, 0, 0},   {"DK", 1000, 7175, 0, 0},
      {"DK", 5000, 5020, 7, 0},   {"DK", 5000, 5780, 21, 0},  {"LV", 5000, 7450, 24, 0},
  };
  for (const auto& c : cases) {
    BandHit hit = HitTestBands(c.code, c.x, c.y);
    EXPECT_EQ(hit.calcNumber, c.calc) << c.code << " " << c.x << "," << c.y;
    EXPECT_EQ(hit.textLine, c.textLine) << c.code << " " << c.x << "," << c.y;
  }
}

// Bands open calculations and links with any button; the pointer is the hand over every band
// and nowhere else.
TEST_F(ShellTest, BandsOpenCalculationsAndLinksWithAnyButtonUnderTheHand) {
  auto& frame = start("DK");
  fx().TextTable.set(155, "www.torvelin.example.com");
  fx().TextTable.set(156, "https://example.com/second");
  frame.userMouseDown(forms::kRightButton, 0, 5000, 3500);
  ASSERT_NE(fake(4), nullptr);
  EXPECT_TRUE(fake(4)->visible() && fx().ActiveCalcNumber == 4);
  for (double y : {6400, 7000, 6700}) frame.userMouseDown(forms::kLeftButton, 0, 1000, y);
  auto opened = platform.callsOf("openAddress");  // nothing between the links
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0].text + " " + opened[1].text,
            "http://www.torvelin.example.com https://example.com/second");
  for (auto [y, hand] : {std::pair{2000, true}, {2250, false}}) {
    frame.userMouseMove(0, 0, 5000, y);
    EXPECT_EQ(frame.mousePointer(), hand ? forms::kPointerCustom : forms::kPointerDefault) << y;
  }
}

// Every way of closing asks the question titled as the program, with the Quit caption without
// its "&"; No keeps everything, Yes ends the program.
TEST_F(ShellTest, EveryWayOfClosingAsksAndNoKeepsEverything) {
  auto& frame = start("UK");
  frame.menuCalc_Click(2);
  const std::function<void()> ways[] = {[&] { frame.menu("menuQuit").userClick(); },
                                        [&] { frame.toolbar("tobMenu").userClick(15); },
                                        [&] { frame.userClose(forms::kUnloadFormControlMenu); },
                                        [&] { frame.userClose(forms::kUnloadAppWindows); }};
  for (const auto& close : ways) {
    platform.expectMsgBox(forms::mb::IdNo);
    close();
    const auto& b = platform.calls.back();
    EXPECT_EQ(b.text + "|" + b.title, "Quit UK ?| VELTARO ");
    EXPECT_EQ(b.style, forms::mb::YesNo | forms::mb::Question);
    EXPECT_TRUE(frame.visible() && fake(2) && !app->ended());
  }
  platform.expectMsgBox(forms::mb::IdYes);
  frame.menu("menuQuit").userClick();
  EXPECT_TRUE(app->ended() && app->loadedForms().empty());
}

}  // namespace
}  // namespace shelltest
