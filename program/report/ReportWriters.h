#pragma once
// What each calculation's report holds of its own: the frames that label its opening rows,
// the option that tells its location, and its rows between the opening rows and the end of
// the results table (fill rows included). The document frame is ReportLines.

namespace veltaro {

class ReportDocument;

struct ReportWriter {
  struct Option {
    const char* name;
    int index = -1;
  };
  int calcNumber;
  const char* locationFrame;
  const char* orientationFrame;
  // The location row shows the caption of locationFirst when it is set, else of locationElse.
  Option locationFirst, locationElse;
  void (*rows)(ReportDocument&);
};

// The writer of calculation 1-7 or 21-24; std::out_of_range for any other number.
const ReportWriter& ReportWriterOf(int calcNumber);

void WriteReportCalc01(ReportDocument& d);
void WriteReportCalc02(ReportDocument& d);
void WriteReportCalc03(ReportDocument& d);
void WriteReportCalc04(ReportDocument& d);
void WriteReportCalc05(ReportDocument& d);
void WriteReportCalc06(ReportDocument& d);
void WriteReportCalc07(ReportDocument& d);
void WriteReportCalc21(ReportDocument& d);
void WriteReportCalc22(ReportDocument& d);
void WriteReportCalc23(ReportDocument& d);
void WriteReportCalc24(ReportDocument& d);

}  // namespace veltaro
