#include "report/ReportDocument.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "calc/CalcWindow.h"
#include "core/Fx.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"
#include "core/TextFile.h"
#include "forms/Application.h"
#include "report/ReportWriters.h"
#include "shell/frmAbout.h"

namespace veltaro {

namespace {

constexpr const char* kRow = "<TR ALIGN=\"left\" VALIGN=\"middle\">";
constexpr const char* kSectionCell = "    <TD Width=33%><B><SMALL><FONT FACE=Helvetica,Arial>";

}  // namespace

bool IsNumberText(std::string_view text) {
  std::string t = TrimSpaces(text);
  std::size_t i = (!t.empty() && (t[0] == '-' || t[0] == '+')) ? 1 : 0;
  bool digit = false, separator = false;
  for (; i < t.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(t[i]))) {
      digit = true;
    } else if ((t[i] == '.' || t[i] == ',') && !separator) {
      separator = true;
    } else {
      return false;
    }
  }
  return digit;
}

namespace {

// A distance in the signed form: one blank before a value of 0 or more.
std::string signedDistance(int v) {
  return (v >= 0 ? " " : "") + IntegerText(v);
}

forms::Form& mainWindow() {
  forms::Form* main = forms::app().find("mdiVeltaro");
  if (!main) throw std::out_of_range("mdiVeltaro");
  return *main;
}

}  // namespace

// ---------------------------------------------------------------- conversions

std::string ReportNumberText(std::string_view text) {
  const double v = ParseNumber(text);
  if (!std::isfinite(v)) return TrimSpaces(text);
  return PointText(v);
}

std::string ReportRoundedText(std::string_view text, int decimals) {
  // A result box that was never filled (or was emptied) gives an empty cell, not a 0.
  if (text.find_first_of("0123456789") == std::string_view::npos) return std::string();
  const double v = ParseNumber(text);
  return std::isfinite(v) ? PointText(RoundHalfEven(v, decimals)) : TrimSpaces(text);
}

std::string ReportWholeNumberText(std::string_view text) {
  if (!IsNumberText(text)) return std::string(text);
  double v = std::round(ParseNumber(text));
  if (!std::isfinite(v)) return std::string(text);  // beyond any number: as it was typed
  if (v == 0) return std::string();
  // Every digit, also of a value beyond the range of a 64-bit integer.
  char digits[400];
  std::snprintf(digits, sizeof digits, "%.0f", v);
  return digits;
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string ReportPicturePath(std::string_view fileName) {
  return ProgramPath("\\images\\" + std::string(fileName));
}

std::string HtmlLogoTag() {
  struct Logo {
    const char* code;
    int height, space;
  };
  // Every market not listed gets the Danish logo with its sizes.
  static const Logo logos[] = {{"DK", 34, 10}, {"NO", 34, 10}, {"SE", 51, 5},  {"UK", 34, 10},
                               {"LT", 39, 10}, {"EE", 39, 10}, {"LV", 39, 10}, {"MRN", 74, 10}};
  const Logo* logo = &logos[0];
  for (const Logo& l : logos)
    if (fx().CountryCode == l.code) logo = &l;
  const std::string space = std::to_string(logo->space);
  return "<IMG SRC='" + ReportPicturePath(std::string("Logo_") + logo->code + ".jpg") +
         "' Width=\"210\" Height=\"" + std::to_string(logo->height) +
         "\" ALIGN=\"left\" Vspace=\"" + space + "\" Hspace=\"" + space + "\">";
}

// ---------------------------------------------------------------- reading the window

ReportDocument::ReportDocument(forms::Form& form, int calcNumber)
    : form_(form), number_(calcNumber) {}

const std::string& ReportDocument::caption(std::string_view name, int index) const {
  return form_.control(name, index).caption();
}

const std::string& ReportDocument::rawText(std::string_view name, int index) const {
  return form_.control(name, index).text();
}

std::string ReportDocument::text(std::string_view name, int index) const {
  return HtmlEscape(rawText(name, index));
}

bool ReportDocument::isSet(std::string_view name, int index) const {
  return form_.control(name, index).isSet();
}

std::string ReportDocument::heatLossUnit() const {
  return plane() ? "  W/m&#178" : "  W/m";
}

std::string ReportDocument::wholeNumber(std::string_view name) const {
  return HtmlEscape(ReportWholeNumberText(rawText(name)));
}

// ---------------------------------------------------------------- rows

void ReportDocument::line(std::string text) {
  lines_ += text;
  lines_ += '\n';
}

void ReportDocument::sectionRow(const std::string& caption) {
  line(kRow);
  line(kSectionCell + caption + "</FONT></B></TD>");
  line("    <TD></TD>");
  line("    <TD></TD>");
}

void ReportDocument::choiceRow(const std::string& label, const std::string& chosen) {
  line(kRow);
  line("    <TD Width=33%></TD>");
  line("    <TD><SMALL>" + label + "</TD>");
  line("    <TD><SMALL>" + chosen + "</TD>");
}

void ReportDocument::valueRow(const std::string& label, const std::string& value,
                              const std::string& unit) {
  line(kRow);
  line("    <TD Width=33%></TD>");
  line("    <TD><SMALL>" + label + "</TD>");
  line("    <TD ALIGN=\"right\"><SMALL>" + value + unit + "</TD>");
}

void ReportDocument::boxRow(const char* labels, int label, std::string_view box,
                            const std::string& unit) {
  valueRow(caption(labels, label), text(box), unit);
}

void ReportDocument::blankRows(int count) {
  for (int i = 0; i < count; ++i) {
    line(kRow);
    line("    <TD Width=33%></TD>");
    line("    <TD><BR></TD>");
    line("    <TD></TD>");
    line("</TR>");
  }
}

void ReportDocument::spacerRow() {
  line(kRow);
  line("    <TD Width=33%></TD>");
  line("    <TD></TD>");
  line("    <TD></TD>");
  line("</TR>");
}

void ReportDocument::geometryRow() {
  line(kRow);
  line("    <TD Width=33%></TD>");
  if (plane()) {
    line("    <TD><SMALL>" + caption("PLAN") + "</TD>");
    line("    <TD><SMALL>" + text("PLANH") + " mm</TD>");
  } else {
    line("    <TD><SMALL>" + caption("ROR") + "</TD>");
    line("    <TD><SMALL>" + HtmlEscape(ReportNumberText(rawText("RORCOM"))) + " mm" + "</TD>");
  }
}

// ---------------------------------------------------------------- shared tables

void ReportDocument::contactBlock() {
  const TextLines& t = fx().TextTable;
  auto at = [&](int k) { return HtmlEscape(t[k]); };
  line("<TABLE VALIGN=\"top\" CELLSPACING=\"10\" BORDER=\"0\" CELLPADDING=\"4\">");
  line("    <TR ALIGN=\"left\" VALIGN=\"middle\">");
  line("       <TD Width=8%></TD>");
  line("       <TD Width=35% ALIGN=\"left\" VALIGN=\"top\"><SMALL><B><I>" + at(144) + "</B><BR>" +
       at(145) + "<BR>" + at(146) + "<BR>" + at(147) + "<BR>" + at(148) + "</TD>");
  line("       <TD Width=35% ALIGN=\"left\" VALIGN=\"top\"><SMALL><I>" + at(149) + "<BR>" +
       at(150) + "<BR>" + at(151) + "<BR>" + at(152) + "</TD>");
  line("    </TR>");
  line("</TABLE>");
}

void ReportDocument::pipeDistanceTable(const char* spacerWidth, const std::string& distances) {
  line("<TABLE>");
  line("<TR ALIGN=\"left\" VALIGN=\"top\">");
  line("    <TD><IMG SRC='" + ReportPicturePath("bolgeprint.jpg") + "'></TD>");
  line(std::string("    <TD Width=") + spacerWidth + "><BR></TD>");
  line(distances);
  line("</TR>");
  line("</TABLE>");
}

void ReportDocument::pipeDistance(int calcType) {
  const FX& s = fx();
  pipeDistanceTable("5%", "    <TD><SMALL><B>G =   " + signedDistance(s.PipeDistWall[calcType]) +
                              "  mm    /   H =   " + signedDistance(s.PipeDistNext[calcType]) +
                              " mm<BR><IMG SRC ='" + ReportPicturePath("ror200.jpg") +
                              "'></B></TD>");
}

void ReportDocument::pipeDistanceSE(int calcType, int a, int b) {
  const FX& s = fx();
  pipeDistanceTable(
      "2%", "    <TD><FONT SIZE=1><B>F =   " + IntegerText(s.PipeDistExtra1[calcType]) +
                "  mm    /   G =   " + signedDistance(s.PipeDistNext[calcType]) +
                " mm /  H =   " + signedDistance(s.PipeDistExtra2[calcType]) +
                " mm<BR></B>a =   " + IntegerText(a) + "  mm    /   b =   " + IntegerText(b) +
                " mm<BR></FONT><IMG SRC ='" + ReportPicturePath("ror200SE.jpg") + "'></TD>");
}

// ---------------------------------------------------------------- the document

namespace {

// The pipe-distance block: only for a pipe, with the menu item checked, and only with the
// distances that the window's calculation stored for the result it shows.
void pipeDistanceBlock(ReportDocument& d, const ReportWriter& w) {
  forms::MenuItem* item = mainWindow().findMenu("menuShowPipeDistance");
  if (!item || !item->checked() || !d.isSet("ROR")) return;
  const std::string& code = fx().CountryCode;
  const bool sweden = code == "SE";
  // Markets without distance tables get the picture alone: it shows no distance, so it
  // needs no result.
  if (!sweden && code != "DK" && code != "NO") {
    d.line("<IMG SRC='" + ReportPicturePath("bolgeprint.jpg") + "'>");
    return;
  }
  auto* calc = dynamic_cast<CalcWindow*>(&d.form());
  const int type = CalcTypeOf(w.calcNumber);
  if (!calc || !fx().ResultValid[type]) return;
  const CalcWindow::PipeDistances shown = calc->pipeDistancesOfResult();
  if (!shown.computed) return;
  if (sweden)
    d.pipeDistanceSE(type, shown.a, shown.b);
  else
    d.pipeDistance(type);
}

}  // namespace

std::string ReportLines(int calcNumber, forms::Form& window, bool autoPrint) {
  const ReportWriter& w = ReportWriterOf(calcNumber);
  const FX& s = fx();
  const bool first = calcNumber == 1;
  ReportDocument d(window, calcNumber);
  forms::Form& main = mainWindow();
  auto caseField = [&](int i) {
    return HtmlEscape(TextAfterColon(main.control("txtCase", i).text()));
  };

  if (autoPrint)
    d.line(
        "<HTML><HEAD><script language='JavaScript1.2'>function StartPrint() { window.print() "
        "}</script></HEAD><BODY LIN0='#0000ff' leftmargin='0' topmargin='0' "
        "onLoad='StartPrint()'><P></P>");
  d.line(first ? "<BODY><FONT FACE=\"Helvetica,Arial\">" : "<BODY><FONT FACE=Helvetica,Arial>");

  // Header table: case name, version, initials, date.
  d.line("<TABLE CELLSPACING=0 BORDER=0 CELLPADDING=4 WIDTH=652>");
  d.line("<TR ALIGN=\"left\" VALIGN=\"TOP\">");
  d.line("    <TH Width=15% Align=Left>" + s.TextTable[82] + "</TH>");
  d.line("<TH Width=55% Align=Left>" + caseField(1) + "</TH>");
  d.line("<TH Align=Right Valign=TOP><SMALL>VELTARO version " +
         std::to_string(frmAbout::kVersionMajor) + "." + std::to_string(frmAbout::kVersionMinor) +
         "." + std::to_string(frmAbout::kVersionRevision) + "</TH>");
  d.line("<TR VALIGN=\"TOP\">");
  d.line("<TH Width=15% Align=Left>" + s.TextTable[81] + "</TH>");
  d.line("<TH Width=55% Align=Left>" + caseField(0) + "</TH>");
  d.line("<TH Align=Right Valign=TOP><SMALL>" + caseField(2) + "</TH>");
  d.line(first ? "</FONT></TABLE>" : "</TABLE>");

  // Results table, its rule and its title.
  d.line("<BASEFONT FACE=\"Helvetica,Arial\">");
  d.line(std::string("<TABLE CELLSPACING=0 BORDER=0 CELLPADDING=") + (first ? "3" : "4") +
         " WIDTH=652>");
  d.line(kRow);
  d.line("    <TH COLSPAN=3 ><HR WIDTH=\"100%\" ALIGN=\"LEFT\"></TH>");
  d.line(kRow);
  const char* titleCell =
      calcNumber == 1   ? "    <TD Width=33%><FONT FACE=\"Helvetica,Arial\"><B><SMALL>"
      : calcNumber == 2 ? "    <TD Width=33%><FONT FACE=Helvetica,Arial><B><SMALL>"
                        : kSectionCell;
  d.line(titleCell + s.TextTable[153] + "</FONT></TD>");
  d.line("    <TD COLSPAN=2><SMALL>" + std::to_string(calcNumber) + ". " + window.caption() +
         "</TD>");
  d.blankRows(1);

  // Opening rows: geometry, location, orientation.
  d.geometryRow();
  const std::string& location = d.isSet(w.locationFirst.name, w.locationFirst.index)
                                    ? d.caption(w.locationFirst.name, w.locationFirst.index)
                                    : d.caption(w.locationElse.name, w.locationElse.index);
  d.line(kRow);
  d.line("    <TD Width=33%></TD>");
  d.line("    <TD><SMALL>" + d.caption(w.locationFrame) + "</TD>");
  d.line("    <TD><SMALL>" + location + " </TD>");
  d.choiceRow(d.caption(w.orientationFrame), d.caption(d.isSet("LOD") ? "LOD" : "VAND"));

  w.rows(d);
  d.line("</TABLE>");

  pipeDistanceBlock(d, w);
  d.line("<HR ALIGN=\"left\">");
  d.line(HtmlLogoTag());
  d.contactBlock();
  if (first) d.line("</BASEFONT>");
  d.line("</BODY>");
  d.line("</HTML>");
  return d.lines();
}

}  // namespace veltaro
