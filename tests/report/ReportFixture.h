#pragma once
// The calculation-window test program with what the reports read besides the window: the main
// window's case fields, the texts of the header, title and contact block, and an Images
// folder. Reports are compared byte for byte with golden files in golden/, which hold the
// token @PROGRAM@ for the program folder. VELTARO_REGENERATE_GOLDENS=1 rewrites them from the
// program's output (only on purpose: read every changed line against the row tables).

#include <cstdlib>
#include <fstream>

#include "calc/CalcFixture.h"
#include "calc/CalcWindow.h"
#include "report/Reports.h"

namespace reporttest {

inline std::string readBytes(const std::filesystem::path& p) {
  return veltaro::ReadFileBytes(p.string());
}

inline std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
  for (std::size_t i = s.find(from); i != std::string::npos; i = s.find(from, i + to.size()))
    s.replace(i, from.size(), to);
  return s;
}

class ReportTest : public calctest::CalcTest {
 protected:
  ReportTest() {
    for (int i = 0; i < 3; ++i) main().add(forms::ControlKind::TextBox, "txtCase", i);
    std::filesystem::create_directories(folder / "Images");
    // The header's labels, the locations, the title and the contact block (144-152).
    const char* texts[] = {"Initialer",
                           "Sagsnavn",
                           "Dato",
                           "Indendørs",
                           "Udendørs",
                           "Beregning",
                           "Torvelin A/S",
                           "Møllevej 12",
                           "DK-9990 Sandby",
                           "Tlf. 70 00 00 00",
                           "Fax 70 00 00 01",
                           "www.torvelin.example.com",
                           "info@torvelin.example.com",
                           "Salg & rådgivning",
                           "Teknisk service"};
    const int lines[] = {81, 82, 83, 92, 93, 153, 144, 145, 146, 147, 148, 149, 150, 151, 152};
    for (int i = 0; i < 15; ++i) veltaro::fx().TextTable.set(lines[i], texts[i]);
  }

  // The market with the Danish test files, the savings lists included.
  void market(const std::string& code) {
    useMarket(code);
    if (code == "DK") return;
    const int page = veltaro::CodePageFor(code);
    for (const char* f :
         {"Product", "PipeDiam", "PlanEmis", "PipeEmis", "energy", "Medie", "StofKons"}) {
      const std::string text =
          veltaro::DecodeCodePage(readBytes(folder / "Text" / (std::string(f) + ".DK")), 1252);
      folder_.writeBytes("Text/" + std::string(f) + "." + code,
                         veltaro::EncodeCodePage(text, page));
    }
  }
  void caseFields(const std::string& initials, const std::string& name, const std::string& date) {
    main().control("txtCase", 0).setText("Initialer:  " + initials);
    main().control("txtCase", 1).setText("Sagsnavn:  " + name);
    main().control("txtCase", 2).setText("Dato:  " + date);
  }
  static void put(forms::Form& w, const char* box, const std::string& text, int index = -1) {
    w.control(box, index).setTextSilently(text);
  }

  std::filesystem::path reportFile() const { return folder / "data" / "output.htm"; }

  // Writes the report of `window` as calculation `n`; the bytes of the report file.
  std::string report(int n, forms::Form& window, bool print = false) {
    EXPECT_TRUE(reports.WriteReport(n, window, print, false));
    return readBytes(reportFile());
  }

  void expectGolden(const std::string& name, const std::string& bytes) {
    const std::filesystem::path golden =
        std::filesystem::path(VELTARO_SOURCE_DIR) / "tests/report/golden" / (name + ".htm");
    const std::string token = "@PROGRAM@";
    if (std::getenv("VELTARO_REGENERATE_GOLDENS")) {
      std::ofstream(golden, std::ios::binary) << replaceAll(bytes, folder.string(), token);
      return;
    }
    const std::string expected = replaceAll(readBytes(golden), token, folder.string());
    if (expected == bytes) return;
    std::size_t at = 0, line = 1;
    while (at < expected.size() && at < bytes.size() && expected[at] == bytes[at])
      line += expected[at++] == '\n';
    ADD_FAILURE() << name << " differs from its golden file at line " << line
                  << ":\n  golden: " << expected.substr(expected.rfind('\n', at) + 1, 100)
                  << "\n  report: " << bytes.substr(bytes.rfind('\n', at) + 1, 100);
  }

  veltaro::Reports reports;
};

}  // namespace reporttest
