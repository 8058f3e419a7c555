// The rows of each calculation's report. Every report keeps the same number of table rows
// whatever options are chosen: a row left out (the wind speed indoors, the savings, the
// inputs a mode does not use) is made up by a blank fill row, so the logo and the contact
// block stay at the same height on the page.

#include "report/ReportWriters.h"

#include <stdexcept>

#include "core/Fx.h"
#include "core/NumericInput.h"
#include "forms/Form.h"
#include "report/ReportDocument.h"

namespace veltaro {

// ---------------------------------------------------------------- calculations 1 to 3

void WriteReportCalc01(ReportDocument& d) {
  const char* L = "LblVOFT";
  const bool savings = d.form().control("cbxSave").value() == 1;
  const bool noSavings = d.form().control("cbxSave").value() == 0;
  const int decimals = fx().HeatLossDecimals;
  d.sectionRow(d.caption("Frame5"));
  d.boxRow(L, 2, "MEDIETEMP", kDegrees);
  d.boxRow(L, 4, "PRODUKT");
  d.boxRow(L, 5, "ISOLERINGST", " mm");
  // The thickness of the pipe section actually supplied.
  if (fx().CountryCode == "SE") d.boxRow(L, 17, "txtAktTykk", " mm");
  d.boxRow(L, 6, "Emission");
  if (d.isSet("optInSite", 1)) d.boxRow(L, 7, "VINDHASTIGHED", " m/s");
  d.boxRow(L, 8, "Omgivende", kDegrees);
  if (savings) {
    d.sectionRow(d.caption("Besparelses_data"));
    d.boxRow(L, 3, "RORL", d.plane() ? " m&#178" : " m");
    d.boxRow(L, 9, "EmisionUiso");
    d.boxRow(L, 10, "Energienh");
    d.valueRow(d.caption("lblUnit", 11), d.text("Pris"), " " + d.caption("lblUnit", 10));
    d.boxRow(L, 12, "Drift", " " + d.caption("lblUnit", 12));
  }
  d.sectionRow(d.caption("Frame6"));
  d.boxRow(L, 13, "OVERFLADE", kDegrees);
  if (savings)
    d.valueRow(d.caption(L, 15), ReportRoundedText(d.rawText("VTU"), decimals),
               d.plane() ? " W/m&#178" : " W/m");
  d.valueRow(d.caption(L, 14), ReportRoundedText(d.rawText("VT"), decimals), d.heatLossUnit());
  if (savings)
    d.valueRow(d.caption(L, 16), ReportRoundedText(d.rawText("Bespar"), 0),
               " " + d.caption("lblUnit", 10));
  if (d.isSet("optInSite", 0)) d.blankRows(1);
  if (noSavings) d.blankRows(8);
  d.blankRows(2);
}

namespace {
// Reports 2 and 3 differ in which of the heat loss and the surface temperature is the
// requirement, and in the label indices of wind and ambient temperature.
void requirementRows(ReportDocument& d, const char* L, bool heatLossRequired) {
  d.spacerRow();
  d.sectionRow(d.caption("Frame5"));
  d.boxRow(L, 0, "MEDIETEMP", kDegrees);
  d.boxRow(L, 2, "PRODUKT");
  d.boxRow(L, 3, "Emission");
  if (heatLossRequired)
    d.valueRow(d.caption(L, 4), d.wholeNumber("VARMETAB"), d.heatLossUnit());
  else
    d.boxRow(L, 4, "OVERFLADE", kDegrees);
  if (d.isSet("UDE")) d.boxRow(L, heatLossRequired ? 5 : 6, "VINDHASTIGHED", " m/s");
  d.boxRow(L, heatLossRequired ? 6 : 5, "Omgivende", kDegrees);
  d.sectionRow(d.caption("Frame6"));
  d.boxRow(L, 7, "ISOLERINGST", " mm");
  if (heatLossRequired)
    d.boxRow(L, 8, "OVERFLADE", kDegrees);
  else
    d.valueRow(d.caption(L, 8), d.wholeNumber("VARMETAB"), d.heatLossUnit());
  if (d.isSet("INDE")) d.blankRows(1);
  d.blankRows(7);
}
}  // namespace

void WriteReportCalc02(ReportDocument& d) {
  requirementRows(d, "LblTVFO", false);
}

void WriteReportCalc03(ReportDocument& d) {
  requirementRows(d, "LblTOFV", true);
}

// ---------------------------------------------------------------- calculations 4 to 7

void WriteReportCalc04(ReportDocument& d) {
  const char* L = "LblTVOFK";
  const bool byHours = d.isSet("Drift");
  const bool outdoors = d.isSet("UDE");
  d.choiceRow(d.caption("Frame7"), d.caption(byHours ? "Drift" : "Klassean"));
  d.sectionRow(d.caption("Frame5"));
  d.boxRow(L, 0, "MEDIETEMP", kDegrees);
  d.boxRow(L, 2, "PRODUKT");
  if (d.isSet("Klassean")) d.boxRow(L, 3, "IsoKlasse");
  if (byHours) {
    d.boxRow(L, 4, "Driftstid", " " + d.caption("lblUnit", 3));
    d.boxRow(L, 5, "SPILDFAKTOR");
  }
  if (outdoors) d.boxRow(L, 6, "VINDHASTIGHED", " m/s");
  d.boxRow(L, 7, "Omgivende", kDegrees);
  d.boxRow(L, 8, "Emission");
  d.sectionRow(d.caption("Frame6"));
  if (byHours) d.boxRow(L, 9, "Klasse");
  d.boxRow(L, 10, "ISOLERINGST", " mm");
  d.boxRow(L, 11, "OVERFLADE", kDegrees);
  d.valueRow(d.caption(L, 12), d.wholeNumber("VARMETAB"), d.heatLossUnit());
  if (d.isSet("Klassean")) d.blankRows(2);
  if (d.isSet("INDE")) d.blankRows(1);
  d.blankRows(3);
}

void WriteReportCalc05(ReportDocument& d) {
  const char* L = "LblTDVFL";
  d.sectionRow(d.caption("Frame5"));
  d.boxRow(L, 0, "MEDIETEMP", kDegrees);
  d.boxRow(L, 7, "Luftfugtighed", " %");
  d.boxRow(L, 2, "PRODUKT");
  d.boxRow(L, 3, "Emission");
  d.boxRow(L, 11, "Omgivende", kDegrees);
  if (d.isSet("UDE")) d.boxRow(L, 6, "VINDHASTIGHED", " m/s");
  d.sectionRow(d.caption("Frame6"));
  d.boxRow(L, 8, "ISOLERINGST", " mm");
  d.boxRow(L, 9, "Dugpunkt", kDegrees);
  d.valueRow(d.caption(L, 10), d.wholeNumber("VARMETAB"), d.heatLossUnit());
  if (d.isSet("INDE")) d.blankRows(1);
  d.blankRows(6);
}

void WriteReportCalc06(ReportDocument& d) {
  const char* L = "LblVODFM";
  d.sectionRow(d.caption("Frame5"));
  d.boxRow(L, 0, "MEDIETEMP", kDegrees);
  d.boxRow(L, 5, "MEDIEHAST", " m/s");
  d.boxRow(L, 8, "Luftfugtighed", " %");
  d.boxRow(L, 2, "PRODUKT");
  d.boxRow(L, 3, "Emission");
  d.boxRow(L, 4, "Indvendig");
  d.boxRow(L, 9, "StofK");
  if (d.isSet("UDE")) d.boxRow(L, 7, "VINDHASTIGHED", " m/s");
  d.boxRow(L, 1, "Omgivende", kDegrees);
  d.sectionRow(d.caption("Frame6"));
  d.boxRow(L, 10, "ISOLERINGST", " mm");
  d.boxRow(L, 11, "OVERFLADE", kDegrees);
  d.valueRow(d.caption(L, 12), d.wholeNumber("VARMETAB"), d.heatLossUnit());
  if (d.isSet("INDE")) d.blankRows(1);
  d.blankRows(4);
}

void WriteReportCalc07(ReportDocument& d) {
  const char* L = "LblCalc07";
  // The quantity found: 0 the thickness, 1 the start, 2 the end temperature.
  const bool t0 = d.isSet("optCalcType", 0), t1 = d.isSet("optCalcType", 1),
             t2 = d.isSet("optCalcType", 2);
  d.choiceRow(d.caption("Frame4"), d.caption("optCalcType", t0 ? 0 : t1 ? 1 : 2));
  d.sectionRow(d.caption("Frame5"));
  d.boxRow(L, 0, "MEDIE", " ");
  d.boxRow(L, 3, "MEDIESTR", " " + d.text("STRHAST"));
  if (t0 || t2) d.boxRow(L, 4, "txtStarTemp", kDegrees);
  if (t0 || t1) d.boxRow(L, 5, "txtSluTemp", kDegrees);
  d.boxRow(L, 7, "txtLength", " m");
  d.boxRow(L, 8, "PRODUKT");
  if (t1 || t2) d.boxRow(L, 9, "ISOLERINGST", " mm");
  if (d.isSet("UDE")) d.boxRow(L, 10, "VINDHASTIGHED", " m/s");
  d.boxRow(L, 11, "Omgivende", kDegrees);
  d.boxRow(L, 12, "Emission");
  d.sectionRow(d.caption("Frame6"));
  if (t0) d.boxRow(L, 13, "txtIsoTyk", " mm");
  if (t1) d.boxRow(L, 14, "txtStaTemp", kDegrees);
  if (t2) d.boxRow(L, 15, "txtSlTemp", kDegrees);
  if (d.isSet("INDE")) d.blankRows(1);
  d.blankRows(4);
}

// ---------------------------------------------------------------- the writers by number

const ReportWriter& ReportWriterOf(int calcNumber) {
  using O = ReportWriter::Option;
  const O inde{"INDE"}, ude{"UDE"}, outside{"optInSite", 1}, inside{"optInSite", 0};
  static const ReportWriter writers[] = {
      {1, "Frame3", "Frame4", outside, inside, WriteReportCalc01},
      {2, "Frame3", "Frame4", inde, ude, WriteReportCalc02},
      {3, "Frame3", "Frame4", inde, ude, WriteReportCalc03},
      {4, "Frame3", "Frame4", inde, ude, WriteReportCalc04},
      {5, "Frame3", "Frame4", inde, ude, WriteReportCalc05},
      {6, "Frame3", "Frame4", inde, ude, WriteReportCalc06},
      // Window 7's Frame4 is its calculation-type frame.
      {7, "Frame2", "Frame3", inde, ude, WriteReportCalc07},
      {21, "Frame3", "Frame4", inde, ude, WriteReportCalc21},
      {22, "Frame3", "Frame4", inde, ude, WriteReportCalc22},
      {23, "Frame3", "Frame4", inde, ude, WriteReportCalc23},
      {24, "Frame3", "Frame4", outside, inside, WriteReportCalc24},
  };
  for (const ReportWriter& w : writers)
    if (w.calcNumber == calcNumber) return w;
  throw std::out_of_range("no report for calculation " + std::to_string(calcNumber));
}

}  // namespace veltaro
