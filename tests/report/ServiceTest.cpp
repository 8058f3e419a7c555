// The report service around the writers: the file and its displayed copy, the preview window,
// printing, the office programs, the pipe distances of the result shown, and the conversions.

#include "report/ReportDocument.h"
#include "report/ReportFixture.h"
#include "report/frmPrint.h"

namespace reporttest {
namespace {

using veltaro::fx;

TEST(ReportConversions, NumbersAsTheReportWritesThem) {
  // The text, its decimals, rounded, as a whole number.
  const std::tuple<const char*, int, const char*, const char*> cases[] = {
      {"12,6", 0, "13", "13"},       {"12.6", 1, "12.6", "13"}, {"12,5", 0, "12", "13"},
      {"0,25", 1, ".2", ""},         {"2.5", 0, "2", "3"},      {"-2,5", 0, "-2", "-3"},
      {"1234.5", 0, "1234", "1235"}, {"0.4", 0, "0", ""},       {"", 0, "", ""},
      {"> 1000", 0, "0", "> 1000"},  {"12 W", 0, "12", "12 W"}, {"-0,25", 1, "-.2", ""},
      {"100000000000000000000", 0, "1E+20", "100000000000000000000"}, {"-", 0, "", "-"}};
  for (const auto& [text, decimals, rounded, whole] : cases) {
    EXPECT_EQ(veltaro::ReportRoundedText(text, decimals), rounded) << text;
    EXPECT_EQ(veltaro::ReportWholeNumberText(text), whole) << text;
  }
  EXPECT_EQ(veltaro::ReportNumberText("0,5"), ".5");
  // Beyond the range of a double every conversion leaves the digits as they were typed.
  for (const std::string& digits : {std::string(320, '9'), "-" + std::string(400, '9')}) {
    EXPECT_EQ(veltaro::ReportRoundedText(" " + digits, 1), digits);
    EXPECT_EQ(veltaro::ReportWholeNumberText(digits), digits);
    EXPECT_EQ(veltaro::ReportNumberText(digits + " "), digits);
  }
}

class ServiceTest : public ReportTest {
 protected:
  forms::Form& calculated(const std::string& code, const std::string& diameter,
                          const std::string& thickness) {
    market(code);
    app.unloadIfLoaded("frmCalc01");
    forms::Form& w = open("frmCalc01");
    enter(w, Inputs{});
    type(w.control("RORCOM"), diameter);  // typed, not chosen
    type(w.control("ISOLERINGST"), thickness);
    w.control("Beregn").userClick();
    EXPECT_TRUE(fx().ResultValid[1]);
    return w;
  }
  // What stands between the results table and the rule above the logo.
  std::string pipeDistanceBlock(forms::Form& w) {
    const std::string r = report(1, w);
    const std::size_t from = r.find("</TR>\r\n</TABLE>\r\n") + 17;
    return r.substr(from, r.find("<HR ALIGN=\"left\">") - from);
  }
};

TEST_F(ServiceTest, AResultNotCalculatedIsAnEmptyCellAndNothingReadsInf) {
  const std::string huge(400, '9');
  const std::vector<std::string> savings{"cbxSave!", "RORL~100", "EmisionUiso=0.94 Stålrør",
                                         "Energienh=kWh", "Pris~1"};
  // Window, steps after valid inputs, cells the report must hold.
  const std::tuple<int, std::vector<std::string>, std::vector<std::string>> cases[] = {
      // Calculated, then an input changed: rows 17 to 19 are empty cells before their units.
      {1,
       cat({savings, {"Beregn!", "Omgivende~21"}}),
       {"<SMALL> W/m</TD>", "<SMALL>  W/m</TD>", "<SMALL> T119</TD>"}},
      {1, {"PLAN!", "PLANH~2000"}, {"<SMALL>  W/m&#178</TD>"}},  // never calculated
      {2, {"Beregn!", "MEDIETEMP~151"}, {"<SMALL>  W/m</TD>"}},
      // A refused Calculate leaves the digits as they were typed.
      {3, {"VARMETAB:=" + huge, "Beregn!"}, {"<SMALL>" + huge + "  W/m</TD>"}},
      {6, {"Beregn!", "VARMETAB.=1" + huge.substr(80)}, {"<SMALL>1" + huge.substr(80) + "  W"}},
  };
  for (const auto& [n, steps, cells] : cases) {
    SCOPED_TRACE(std::to_string(n) + " " + steps.back());
    const std::string name = veltaro::calcFormName(n);
    app.unloadIfLoaded(name);
    forms::Form& w = open(name);
    perform(w, cat({validSteps(name), steps}));
    const std::string r = report(n, w);
    for (const std::string& cell : cells) EXPECT_NE(r.find(cell), std::string::npos) << cell;
    for (const char* shown : {"<SMALL>0 W", "<SMALL>0  W", "inf", "nan"})
      EXPECT_EQ(r.find(shown), std::string::npos) << shown;
  }
}

TEST_F(ServiceTest, PipeDistancesOnlyOfTheResultShown) {
  showPipeDistances(true);
  const std::string images = folder.string() + "/Images/";
  const std::string table =
      "<TABLE>\r\n<TR ALIGN=\"left\" VALIGN=\"top\">\r\n    <TD><IMG SRC='" + images;
  forms::Form& dk = calculated("DK", "89", "40");
  EXPECT_EQ(pipeDistanceBlock(dk),
            table + "bolgeprint.jpg'></TD>\r\n    <TD Width=5%><BR></TD>\r\n    <TD><SMALL><B>G"
                    " =    134  mm    /   H =    110 mm<BR><IMG SRC ='" +
                images + "ror200.jpg'></B></TD>\r\n</TR>\r\n</TABLE>\r\n");
  // A changed input takes the result and its distances away; so does the plane or the menu.
  type(dk.control("MEDIETEMP"), "160");
  EXPECT_EQ(pipeDistanceBlock(dk), "");
  dk.control("Beregn").userClick();
  EXPECT_NE(pipeDistanceBlock(dk), "");
  showPipeDistances(false);
  EXPECT_EQ(pipeDistanceBlock(dk), "");
  showPipeDistances(true);
  // A result put back without a calculation has no distances.
  dk.unload();
  forms::Form& restored = open("frmCalc01");
  fx().ResultValid[1] = true;
  EXPECT_EQ(pipeDistanceBlock(restored), "");
  // Sweden: the size classes of this window's own calculation, not of the last one anywhere.
  forms::Form& se = calculated("SE", "61", "50");
  fx().PipeDistA = 300;
  fx().PipeDistB = 100;
  EXPECT_EQ(pipeDistanceBlock(se),
            table + "bolgeprint.jpg'></TD>\r\n    <TD Width=2%><BR></TD>\r\n    <TD><FONT SIZE=1>"
                    "<B>F =   180  mm    /   G =    130 mm /  H =    130 mm<BR></B>a =   100  mm  "
                    "  /   b =   50 mm<BR></FONT><IMG SRC ='" +
                images + "ror200SE.jpg'></TD>\r\n</TR>\r\n</TABLE>\r\n");
  // Norway has the Danish table (the other markets' picture is in the golden files).
  const std::string danish = pipeDistanceBlock(calculated("DK", "89", "40"));
  EXPECT_EQ(pipeDistanceBlock(calculated("NO", "89", "40")), danish);
}

TEST_F(ServiceTest, PreviewPrintAndExportOfTheFileJustWritten) {
  forms::Form& w = open("frmCalc01");
  EXPECT_FALSE(fs::exists(folder / "data"));
  report(1, w);  // the missing report folder is made
  // The preview shows the displayed copy, maximised: UTF-8, references closed, no base fonts.
  auto* preview = app.find<veltaro::frmPrint>();
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->windowState(), forms::kStateMaximized);
  EXPECT_EQ(preview->control("WebBrowser1").text(), veltaro::DisplayedCopyPath());
  EXPECT_NE(readBytes(veltaro::DisplayedCopyPath()).find("Torvelin Rørskål"), std::string::npos);
  // Its markup as a browser reads it: an element ended by the end of one it is in opens again
  // before what follows in its cell, and a table has a browser's cell padding.
  const std::pair<const char*, const char*> copies[] = {
      {"a &#178 b &#39; c &# d &#176\n<BASEFONT F=1>\n</BASEFONT>\n",
       "a &#178; b &#39; c &# d &#176;\n"},
      {"<TD><SMALL><B><I>Firm</B><BR>Street<BR>Town</TD><TD>Tel.</TD>\n",
       "<TD><SMALL><B><I>Firm</I></B><I><BR>Street<BR>Town</TD><TD>Tel.</TD>\n"},
      {"<BODY><FONT F=1>\n<TABLE WIDTH=9><TR><TD><B><SMALL>T <U>x</B></TD>\n</FONT></TABLE>\n",
       "<BODY><FONT F=1>\n<TABLE WIDTH=9 CELLPADDING=1><TR><TD><B><SMALL>T <U>x</U></SMALL></B>"
       "</TD>\n</FONT></TABLE>\n"},
      {"<table cellpadding=4><TD><b><i>a</b> b</i>\n",
       "<table cellpadding=4><TD><b><i>a</i></b><i> b</i>\n"},
      {"<TD><I>a</TD><TD><B>b</I>c</B></TD>\n", "<TD><I>a</TD><TD><B>b</I>c</B></TD>\n"},
      {"<TD><B><I>a</B></I> b</TD>\n", "<TD><B><I>a</I></B></I> b</TD>\n"}};
  const std::string meta = "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\n";
  for (const auto& [lines, copy] : copies) EXPECT_EQ(veltaro::DisplayedCopy(lines), meta + copy);
  // It keeps its margins.
  for (auto [width, height, browserWidth, browserHeight] :
       {std::array{9000, 6000, 8750, 5750}, {250, 6000, 8750, 5750}, {251, 100, 1, 5750}}) {
    preview->userResize(width + 100, height + 100, width, height);
    EXPECT_EQ(preview->control("WebBrowser1").width(), browserWidth) << width;
    EXPECT_EQ(preview->control("WebBrowser1").height(), browserHeight) << height;
  }
  // Printing prints what the preview shows.
  report(1, w, true);
  EXPECT_EQ(platform.callsOf("printHtml").back().text, veltaro::DisplayedCopyPath());
  // Export writes without a preview and starts the office program with an argument list.
  preview->unload();
  EXPECT_TRUE(reports.WriteReport(1, w, false, true));
  EXPECT_FALSE(app.isLoaded("frmPrint"));
  for (int line = 287; line <= 293; ++line) fx().TextTable.set(line, "T" + std::to_string(line));
  reports.OpenReportInExcel();
  reports.OpenReportInWord();
  const auto started = platform.callsOf("startProgram");
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[0].text, "soffice");
  EXPECT_EQ(started[0].args,
            (std::vector<std::string>{"--infilter=HTML (StarCalc)", veltaro::DisplayedCopyPath()}));
  EXPECT_EQ(started[1].args[0], "--infilter=HTML (StarWriter)");
  // What it says, in the market's words: the program that cannot start, or that failed while
  // starting, how it ended with its own last words, and where the report is.
  const std::string where = "\r\n\r\nT293\r\n" + veltaro::DisplayedCopyPath();
  const std::pair<forms::Platform::ProgramEnd, std::string> ends[] = {
      {{.exitCode = 1, .lastError = "no display"}, "T290\r\nT291 1.\r\n(no display)" + where},
      {{.crashed = true}, "T290\r\nT292" + where}};
  for (const auto& [end, told] : ends) {
    platform.expectMsgBox(1, told);
    platform.programFailed(end);
  }
  platform.startSucceeds = false;
  platform.expectMsgBox(1, "T288" + where);
  reports.OpenReportInWord();
  EXPECT_TRUE(platform.scriptDone());
}

TEST_F(ServiceTest, AWriterThatCannotReadItsWindowWritesNothingAndSaysSo) {
  const fs::path view = folder / "data" / "output-view.htm";
  std::string before = report(1, open("frmCalc01"));
  before += readBytes(view);
  // No number of layers; a seventh layer the window has no row for; another window's
  // controls; no such calculation; a read-only report (nor is its displayed copy replaced).
  const char* failed = "The report could not be written";
  const std::tuple<int, const char*, const char*, const char*> cases[] = {
      {21, "frmCalc21", "", failed}, {22, "frmCalc22", "7", failed}, {21, "frmCalc01", "", failed},
      {8, "frmCalc21", "2", failed}, {1, "frmCalc01", "", "output.htm\r\nThe file is read-only"}};
  for (const auto& [calc, window, layers, told] : cases) {
    forms::Form& w = open(window);
    if (w.findControl("AntalLag")) put(w, "AntalLag", layers);
    if (calc == 1) fs::permissions(reportFile(), fs::perms::owner_read);
    platform.expectMsgBox(1, told);
    EXPECT_FALSE(reports.WriteReport(calc, w, false, false)) << window;
    EXPECT_EQ(readBytes(reportFile()) + readBytes(view), before) << window;
  }
  // A report folder that cannot be written: a message and no preview.
  app.get("frmPrint").unload();
  fs::remove_all(folder / "data");
  folder_.writeBytes("DATA", "a file where the folder should be");
  platform.expectMsgBox(1, std::string(failed) + ".\r\n\r\n" +
                               (folder / "DATA/output.htm").string() +
                               "\r\nThe file cannot be written. The folder does not exist.");
  EXPECT_FALSE(reports.WriteReport(1, open("frmCalc01"), false, false));
  EXPECT_FALSE(app.isLoaded("frmPrint"));
  EXPECT_TRUE(platform.scriptDone());
}

// LibreOffice opens the exported report with the arguments the export passes, headless.
TEST_F(ServiceTest, LibreOfficeReadsTheExportedReport) {
  if (std::system("command -v soffice > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  forms::Form& w = open("frmCalc01");
  put(w, "VT", "31,25");
  fx().HeatLossDecimals = 1;
  ASSERT_TRUE(reports.WriteReport(1, w, false, true));
  reports.OpenReportInExcel();
  std::string command = "soffice -env:UserInstallation=file://" + folder.string() +
                        "/lo --headless --convert-to csv --outdir '" + folder.string() + "/out'";
  const auto started = platform.callsOf("startProgram");
  for (const std::string& a : started.at(0).args) command += " '" + a + "'";
  ASSERT_EQ(std::system((command + " > /dev/null 2>&1").c_str()), 0);
  const std::string csv = readBytes(folder / "out" / "output-view.csv");
  EXPECT_NE(csv.find("31.2 W/m"), std::string::npos) << csv;
}

}  // namespace
}  // namespace reporttest
