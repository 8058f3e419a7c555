// The rows of the multi-layer reports: the layer table of calculations 21 to 23 and the
// existing and new layer of the re-insulation, calculation 24.

#include <stdexcept>
#include <string>

#include "core/Numbers.h"
#include "core/NumericInput.h"
#include "forms/Form.h"
#include "report/ReportDocument.h"
#include "report/ReportWriters.h"

namespace veltaro {

namespace {

constexpr const char* kRow = "<TR ALIGN=\"left\" VALIGN=\"middle\">";
constexpr const char* kHeading = "<SMALL><B><FONT FACE=Helvetica,Arial>";

// The number of layers as the window's box holds it; a text that is no number fails the
// writer, as a count the window has no rows for does when the rows are read.
int layerCount(const ReportDocument& d) {
  const std::string& text = d.rawText("AntalLag");
  if (!IsNumberText(text)) throw std::out_of_range("AntalLag holds no number");
  return ToInt16(ParseNumber(text));
}

// Section, column headings and one row per layer, then the fill rows: with them the layer
// rows always take six rows, and an indoor report one more for the wind speed it leaves out.
void layerTable(ReportDocument& d, const char* labels, const char* rowOpening) {
  d.line(kRow);
  d.line("    <TD Width=33%><B><SMALL><FONT FACE=Helvetica,Arial><U>" + d.caption("Flerelag") +
         "</U></FONT></B></TD>");
  d.line("    <TD></TD>");
  d.line("    <TD></TD>");
  d.line(kRow);
  d.line(std::string("    <TD ALIGN=\"left\" Width=33%>") + kHeading + d.caption(labels, 5) +
         "</FONT></B></TD>");
  for (int k : {6, 7})
    d.line(std::string("    <TD ALIGN=\"right\" Width=33%>") + kHeading + d.caption(labels, k) +
           "</FONT></B></TD>");
  const int n = layerCount(d);
  for (int i = 0; i < n; ++i) {
    d.line(rowOpening);
    d.line("    <TD Width=33% ALIGN=\"left\" VALIGN=\"Top\"><SMALL>" + d.text("PRODUKT", i) +
           "</TD>");
    d.line("    <TD ALIGN=\"right\" VALIGN=\"Top\"><SMALL>" + d.text("ISOLERINGST", i) + "</TD>");
    if (i < n - 1)
      d.line("    <TD ALIGN=\"right\" VALIGN=\"Bottom\"><SMALL>" + d.text("Skilleflade", i) +
             kDegrees + "</TD>");
  }
  if (d.isSet("INDE")) d.blankRows(1);
  // Compared as texts, as the count is typed.
  for (const char* more : {"3", "4", "5", "6"})
    if (d.rawText("AntalLag") < more) d.blankRows(1);
}

}  // namespace

void WriteReportCalc21(ReportDocument& d) {
  const char* L = "Lblflere21";
  d.sectionRow(d.caption("Inddata"));
  d.boxRow(L, 1, "Emission");
  if (d.isSet("UDE")) d.boxRow(L, 2, "VINDHASTIGHED", " m/s");
  d.boxRow(L, 4, "MEDIETEMP", kDegrees);
  d.boxRow(L, 3, "AntalLag", " ");
  d.sectionRow(d.caption(L, 0));
  d.boxRow(L, 8, "VT", d.heatLossUnit());
  d.boxRow(L, 9, "OVERFLADE", kDegrees);
  d.boxRow(L, 10, "Omgivende", kDegrees);
  d.blankRows(1);
  layerTable(d, L, "<TR>");
}

void WriteReportCalc22(ReportDocument& d) {
  const char* L = "Lblflere22";
  d.sectionRow(d.caption("Inddata"));
  d.boxRow(L, 1, "Emission");
  if (d.isSet("UDE")) d.boxRow(L, 2, "VINDHASTIGHED", " m/s");
  d.boxRow(L, 3, "AntalLag", " ");
  d.boxRow(L, 4, "MEDIETEMP", kDegrees);
  d.boxRow(L, 9, "OVERFLADE", kDegrees);
  d.boxRow(L, 10, "Omgivende", kDegrees);
  d.sectionRow(d.caption(L, 0));
  d.boxRow(L, 8, "VT", d.heatLossUnit());
  d.blankRows(1);
  layerTable(d, L, "<TR ALIGN=\"left\">");
}

void WriteReportCalc23(ReportDocument& d) {
  const char* L = "Lblflere23";
  d.sectionRow(d.caption("Inddata"));
  d.boxRow(L, 1, "Emission");
  d.boxRow(L, 8, "VT", d.heatLossUnit());
  if (d.isSet("UDE")) d.boxRow(L, 2, "VINDHASTIGHED", " m/s");
  d.boxRow(L, 3, "AntalLag", " ");
  d.boxRow(L, 4, "MEDIETEMP", kDegrees);
  d.boxRow(L, 10, "Omgivende", kDegrees);
  d.sectionRow(d.caption(L, 0));
  d.boxRow(L, 9, "OVERFLADE", kDegrees);
  d.blankRows(1);
  layerTable(d, L, "<TR ALIGN=\"left\">");
}

namespace {
// A value row whose first cell carries a heading instead of staying empty.
void headedRow(ReportDocument& d, const char* headingCell, const std::string& heading,
               const std::string& label, const std::string& value, const std::string& unit,
               const char* valueCell = "    <TD ALIGN=\"right\"><SMALL>") {
  d.line(kRow);
  d.line(headingCell + heading + "</FONT></B></TD>");
  d.line("    <TD><SMALL>" + label + "</TD>");
  d.line(valueCell + value + unit + "</TD>");
}
}  // namespace

void WriteReportCalc24(ReportDocument& d) {
  const char* L = "Lblflere24";
  const int save = d.form().control("cbxSave").value();
  const char* layerCell = "    <TD><SMALL><B><FONT FACE=Helvetica,Arial>";
  headedRow(d, "    <TD Width=33%><B><SMALL><FONT FACE=Helvetica,Arial>", d.caption("Frame5"),
            d.caption(L, 2), d.text("MEDIETEMP"), kDegrees);
  d.boxRow(L, 8, "Omgivende", kDegrees);
  if (d.isSet("optInSite", 1)) d.boxRow(L, 7, "VINDHASTIGHED", " m/s");
  headedRow(d, layerCell, d.caption(L, 17), d.caption(L, 4), d.text("PRODUKT", 0), "");
  d.valueRow(d.caption(L, 5), d.text("ISOLERINGST", 0), " mm");
  d.valueRow(d.caption(L, 6), d.text("Emission", 0));
  headedRow(d, layerCell, d.caption(L, 18), d.caption(L, 11), d.text("PRODUKT", 1), "");
  d.valueRow(d.caption(L, 21), d.text("ISOLERINGST", 1), " mm");
  d.valueRow(d.caption(L, 20), d.text("Emission", 1));
  if (save == 1) {
    // For a plane the box holds an area: labelled and measured as the window shows it.
    headedRow(d, "    <TD Width=33%><SMALL><B><FONT FACE=Helvetica,Arial>",
              d.caption("Besparelses_data"), d.caption(L, d.plane() ? 0 : 3), d.text("RORL"),
              d.plane() ? " m&#178" : " m", "    <TD  ALIGN=\"right\"><SMALL>");
    d.boxRow(L, 10, "Energienh");
    d.valueRow(d.caption("lblUnit", 11), d.text("Pris"), " " + d.caption("lblUnit", 10));
    d.boxRow(L, 12, "Drift", " " + d.caption("lblUnit", 12));
  }
  d.sectionRow(d.caption("Frame6"));
  d.boxRow(L, 22, "SkilTemp", kDegrees);
  d.boxRow(L, 13, "OVERFLADE", kDegrees);
  if (save == 1) d.boxRow(L, 15, "VTU", d.heatLossUnit());
  d.boxRow(L, 14, "VT", d.heatLossUnit());
  if (save == 1) d.boxRow(L, 16, "Bespar", " " + d.caption("lblUnit", 10) + " ");
  if (d.isSet("optInSite", 0)) d.blankRows(1);
  // A grey check box (2) writes neither the savings rows nor these.
  if (save == 0) d.blankRows(2);
}

}  // namespace veltaro
