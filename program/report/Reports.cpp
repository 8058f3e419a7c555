#include "report/Reports.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/FileNames.h"
#include "core/Fx.h"
#include "core/MessageLines.h"
#include "core/TextFile.h"
#include "files/FileError.h"
#include "files/WholeFiles.h"
#include "forms/Application.h"
#include "report/ReportDocument.h"
#include "report/frmPrint.h"
#include "shell/FileMessages.h"
#include "shell/frmAbout.h"

namespace veltaro {

namespace fs = std::filesystem;

namespace {

constexpr int kReportWaitMs = 3000;

void tell(const std::string& message) {
  forms::app().platform().msgBox(message, forms::mb::Exclamation, frmAbout::kProgramTitle);
}

std::string withLineEnds(const std::string& lines, const char* end) {
  std::string out;
  for (char c : lines) {
    if (c == '\n')
      out += end;
    else
      out += c;
  }
  return out;
}

// Starts LibreOffice on the report's displayed copy with the import filter that opens it in
// Calc or Writer. The office program runs on its own; when it cannot start, or fails while it
// starts, the user is told what happened and where the report is. The texts are the market's:
// `notStartedLine` and `failedLine` name the program, the ending and the place.
void openInOffice(const char* filter, int notStartedLine, int failedLine) {
  const std::string where =
      "\r\n\r\n" + fx().TextTable[lines::ReportIsIn] + "\r\n" + DisplayedCopyPath();
  auto failed = [failedLine, where](const forms::Platform::ProgramEnd& end) {
    const TextLines& t = fx().TextTable;
    std::string what = end.crashed
                           ? t[lines::StoppedUnexpectedly]
                           : t[lines::ExitStatus] + " " + std::to_string(end.exitCode) + ".";
    // The office program's own last words, as it wrote them.
    if (!end.lastError.empty()) what += "\r\n(" + end.lastError + ")";
    tell(t[failedLine] + "\r\n" + what + where);
  };
  if (forms::app().platform().startProgram(
          "soffice", {std::string("--infilter=") + filter, DisplayedCopyPath()}, failed))
    return;
  tell(fx().TextTable[notStartedLine] + where);
}

// The inline elements whose crossing end tags a browser mends.
bool isFormatting(const std::string& name) {
  static const char* const names[] = {"A", "B",     "BIG",    "EM",     "FONT", "I",
                                      "S", "SMALL", "STRIKE", "STRONG", "TT",   "U"};
  return std::any_of(std::begin(names), std::end(names), [&](const char* n) { return name == n; });
}

// The report's markup as a browser reads it, written out so that every viewer reads it alike.
// An end tag that closes a formatting element while one opened inside it is still open closes
// that one too, and it opens again before what comes next in the cell: "<B><I>a</B><BR>b" is
// "<B><I>a</I></B><I><BR>b", where Qt would show b upright. Elements are followed within one
// cell only, as a browser does. A table that names no cell padding has a browser's, 1 pixel,
// where Qt gives none.
std::string asBrowsersRead(std::string_view html) {
  struct Open {
    std::string name, tag, end;  // name upper-cased; its start and end tag as written
  };
  std::vector<Open> open, closed;  // closed: to open again before the cell's next content
  std::string out;
  auto reopen = [&] {
    for (Open& o : closed) {
      out += o.tag;
      open.push_back(std::move(o));
    }
    closed.clear();
  };
  auto text = [&](std::string_view t) {
    if (t.find_first_not_of(" \t\r\n") != std::string_view::npos) reopen();
    out.append(t);
  };
  std::size_t i = 0;
  for (std::size_t lt; (lt = html.find('<', i)) != std::string_view::npos;) {
    const std::size_t gt = html.find('>', lt);
    if (gt == std::string_view::npos) break;
    text(html.substr(i, lt - i));
    i = gt + 1;
    const std::string_view tag = html.substr(lt, i - lt);
    const bool end = tag.size() > 1 && tag[1] == '/';
    const std::size_t from = end ? 2 : 1;
    std::size_t to = from;
    while (to < tag.size() && std::isalnum(static_cast<unsigned char>(tag[to]))) ++to;
    const std::string name = UpperAscii(tag.substr(from, to - from));
    if (name == "TD" || name == "TH" || name == "TR" || name == "TABLE" || name == "BODY") {
      open.clear();
      closed.clear();
    } else if (!end) {
      reopen();
    }
    if (!isFormatting(name)) {
      if (!end && name == "TABLE" && UpperAscii(tag).find("CELLPADDING") == std::string::npos)
        out.append(tag.substr(0, tag.size() - 1)).append(" CELLPADDING=1>");
      else
        out.append(tag);
    } else if (!end) {
      open.push_back(
          {name, std::string(tag), "</" + std::string(tag.substr(from, to - from)) + ">"});
      out.append(tag);
    } else if (auto own = std::find_if(open.rbegin(), open.rend(),
                                       [&](const Open& o) { return o.name == name; });
               own == open.rend()) {
      // Not open in this cell: as it stands. One that a crossing end tag closed is not opened
      // again: this end tag is the one it waited for.
      if (auto c = std::find_if(closed.rbegin(), closed.rend(),
                                [&](const Open& o) { return o.name == name; });
          c != closed.rend())
        closed.erase(std::prev(c.base()));
      out.append(tag);
    } else {
      const auto at = std::prev(own.base());
      for (auto o = open.rbegin(); o != own; ++o) out += o->end;
      out.append(tag);
      closed.insert(closed.end(), std::next(at), open.end());
      open.erase(at, open.end());
    }
  }
  text(html.substr(i));
  return out;
}

}  // namespace

std::string DisplayedCopy(const std::string& lines) {
  std::string out = "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\n";
  std::size_t start = 0;
  for (std::size_t end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string_view line(lines.data() + start, end - start);
    // The spreadsheet reads no further than a base font.
    if (line.starts_with("<BASEFONT") || line.starts_with("</BASEFONT")) continue;
    for (std::size_t i = 0; i < line.size(); ++i) {
      out += line[i];
      if (line.substr(i, 2) != "&#") continue;
      std::size_t j = i + 2;
      while (j < line.size() && std::isdigit(static_cast<unsigned char>(line[j]))) ++j;
      if (j == i + 2) continue;
      out.append(line.substr(i + 1, j - i - 1));
      if (j >= line.size() || line[j] != ';') out += ';';
      i = j - 1;
    }
    out += '\n';
  }
  return asBrowsersRead(out);
}

std::string DisplayedCopyPath() {
  return ProgramPath("\\data\\output-view.htm");
}

bool Reports::WriteReport(int calcNumber, forms::Form& window, bool printOnDisplay,
                          bool exportOnly) {
  FX& s = fx();
  s.ReportPath = ProgramPath("\\data\\output.htm");
  std::string lines;
  bool hadReport = false;  // an earlier report was on disk
  try {
    lines = ReportLines(calcNumber, window, printOnDisplay);
    std::error_code made;
    fs::create_directories(fs::path(s.ReportPath).parent_path(), made);
    if (made) throw FileError(s.ReportPath, FileProblem::Write, made.value());
    // Both files whole or neither, so that a failure never leaves half a report, nor a
    // preview of another report than the file holds. The list's name starts as the writer's
    // own files do, which no case may: a case named "output" has a list of its own.
    const std::string folder = fs::path(s.ReportPath).parent_path().string();
    const std::string report = fs::path(s.ReportPath).filename().string();
    const std::string view = fs::path(DisplayedCopyPath()).filename().string();
    const std::string list = std::string(kTempPrefix) + "-" + report + ".PND";
    // No model: a report is the user's new output, made as the umask says. Another program's
    // report, or a folder that takes none, is named by the report file, the first name.
    FileSetWriter writer(files_, FileSetPlace{folder, list, list, {report, view}, ""},
                         kReportWaitMs);
    // Nothing of the user's is in a report that was cut off: it is settled or given up unasked.
    writer.settle([](const FileError&) { return true; });
    hadReport = std::any_of(writer.entries().begin(), writer.entries().end(),
                            [&](const FolderEntry& f) { return SameFileName(f.name, report); });
    writer.write({{report, EncodeCodePage(withLineEnds(lines, "\r\n"), MarketCodePage())},
                  {view, DisplayedCopy(lines)}},
                 {});
  } catch (const FileError& e) {
    tell(Text(e.unfinished() ? lines::ReportInPart : lines::ReportNotWritten) + "\r\n\r\n" +
         (e.problem() == FileProblem::InUse ? e.path() + "\r\n" + Text(lines::ReportInUse)
                                            : FileErrorText(e)) +
         // Undone, the first report leaves nothing on disk to speak of.
         (e.undone() && hadReport ? "\r\n" + Text(lines::OldReportOnDisk) : ""));
    return false;
  } catch (const std::exception& e) {
    tell(Text(lines::ReportNotWritten) + "\r\n\r\n" + s.ReportPath + "\r\n" + e.what());
    return false;
  }
  if (exportOnly) return true;
  forms::app().get<frmPrint>().showReport(DisplayedCopyPath());
  // The preview's own print script cannot run here: the print dialog opens over the preview.
  if (printOnDisplay) forms::app().platform().printHtml(DisplayedCopyPath());
  return true;
}

void Reports::OpenReportInExcel() {
  openInOffice("HTML (StarCalc)", lines::CalcNotStarted, lines::CalcFailed);
}

void Reports::OpenReportInWord() {
  openInOffice("HTML (StarWriter)", lines::WriterNotStarted, lines::WriterFailed);
}

void InstallReportService() {
  static Reports reports;
  forms::app().registerForm<frmPrint>();
  setReportService(&reports);
}

}  // namespace veltaro
