#include "shell/ShellServices.h"

#include "forms/Application.h"

namespace veltaro {

namespace {
ReportService* g_reports = nullptr;
CaseService* g_cases = nullptr;
}  // namespace

ReportService* reportService() {
  return g_reports;
}
void setReportService(ReportService* service) {
  g_reports = service;
}
CaseService* caseService() {
  return g_cases;
}
void setCaseService(CaseService* service) {
  g_cases = service;
}

void ShellOpen(const std::string& address) {
  // The desktop opens only addresses with a scheme; the contact data write web addresses
  // the way people type them.
  std::string target = address;
  if (target.rfind("www.", 0) == 0 || target.rfind("WWW.", 0) == 0) target = "http://" + target;
  forms::app().platform().openAddress(target);
}

}  // namespace veltaro
