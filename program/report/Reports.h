#pragma once
// The report service the main window calls: writes the report of a calculation window,
// previews it, prints it and hands it to the office programs.
//
// The report file (data/output.htm beside the program) holds exactly the document of the
// report, in the market's code page. The preview, the printout and the office programs are
// given a displayed copy beside it (output-view.htm): the same document in UTF-8, declared so,
// with its character references closed by ";", without the base-font tags, and with its markup
// written out as a browser reads it (crossed formatting tags, a table's padding), so that every
// viewer shows the degree and square signs, the national letters, every table and every italic.

#include <string>

#include "files/FileOps.h"
#include "shell/ShellServices.h"

namespace veltaro {

class Reports : public ReportService {
 public:
  explicit Reports(FileOps& files = SystemFiles()) : files_(files) {}
  // False, after telling the user, when no report was written.
  bool WriteReport(int calcNumber, forms::Form& window, bool printOnDisplay,
                   bool exportOnly) override;
  void OpenReportInExcel() override;
  void OpenReportInWord() override;

 private:
  FileOps& files_;
};

// The displayed copy of report lines ("\n"-ended UTF-8).
std::string DisplayedCopy(const std::string& lines);
// Where the displayed copy is written.
std::string DisplayedCopyPath();

// Installs the one report service of the program.
void InstallReportService();

}  // namespace veltaro
