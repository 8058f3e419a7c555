#pragma once
// What the main window calls on the case files and the reports. Those subsystems install
// their implementation at start-up; until one is installed the commands that need it do
// nothing (the main window never pretends to have written a case or a report).

#include <string>

namespace forms {
class Form;
}

namespace veltaro {

// The report writers (WriteReportCalc01 ... WriteReportCalc24) and the two export programs.
class ReportService {
 public:
  virtual ~ReportService() = default;
  // Writes the report of calculation `calcNumber` from `window`; printOnDisplay makes the
  // preview print as soon as it has loaded, exportOnly leaves the preview window alone.
  // False when no report was written (the user has been told why).
  virtual bool WriteReport(int calcNumber, forms::Form& window, bool printOnDisplay,
                           bool exportOnly) = 0;
  // Start the spreadsheet or word processor on the report file just written.
  virtual void OpenReportInExcel() = 0;
  virtual void OpenReportInWord() = 0;
};

// The four case commands.
class CaseService {
 public:
  virtual ~CaseService() = default;
  virtual void CaseNew() = 0;
  virtual void CaseOpen() = 0;
  virtual void CaseSave() = 0;
  virtual void CaseDelete() = 0;
};

// The installed implementations, or nullptr. The caller keeps ownership.
ReportService* reportService();
void setReportService(ReportService* service);
CaseService* caseService();
void setCaseService(CaseService* service);

// Hands a path or web address to the desktop's default action; the result is not reported.
// An address written as "www.…" without a scheme is opened as "http://www.…".
void ShellOpen(const std::string& address);

}  // namespace veltaro
