#pragma once
// The calculation-window test program with what the reports read besides the window: the main
// window's case fields, the texts of the header, title and contact block, and an Images folder.
// Reports are compared byte for byte with golden files in golden/, which hold @PROGRAM@ for the
// program folder; VELTARO_REGENERATE_GOLDENS=1 rewrites them from the program's output (only
// on purpose: read every changed line against the row tables).

#include <cstdlib>
#include <fstream>

#include "calc/CalcFixture.h"
#include "calc/CalcWindow.h"
#include "report/Reports.h"

namespace reporttest {

namespace fs = std::filesystem;

inline std::string readBytes(const fs::path& p) {
  return veltaro::ReadFileBytes(p.string());
}

// Compares report bytes written in `program` with golden/<name>.htm, or rewrites the golden
// file when VELTARO_REGENERATE_GOLDENS is set.
inline void ExpectGolden(const std::string& name, const std::string& bytes,
                         const fs::path& program) {
  const fs::path golden = fs::path(VELTARO_SOURCE_DIR) / "tests/report/golden" / (name + ".htm");
  // The program folder stands as a token in the file.
  auto swap = [](std::string s, const std::string& from, const std::string& to) {
    for (std::size_t i = s.find(from); i != std::string::npos; i = s.find(from, i + to.size()))
      s.replace(i, from.size(), to);
    return s;
  };
  if (std::getenv("VELTARO_REGENERATE_GOLDENS")) {
    std::ofstream(golden, std::ios::binary) << swap(bytes, program.string(), "@PROGRAM@");
    return;
  }
  EXPECT_EQ(swap(readBytes(golden), "@PROGRAM@", program.string()), bytes) << name;
}

class ReportTest : public calctest::CalcTest {
 protected:
  ReportTest() {
    for (int i = 0; i < 3; ++i) main().add(forms::ControlKind::TextBox, "txtCase", i);
    fs::create_directories(folder / "Images");
    // The header's labels, the locations, the title, and the contact block (144-152).
    const std::pair<int, const char*> texts[] = {{81, "Initialer"}, {82, "Sagsnavn"},
                                                 {83, "Dato"},      {92, "Indendørs"},
                                                 {93, "Udendørs"},  {153, "Beregning"}};
    for (const auto& [line, text] : texts) veltaro::fx().TextTable.set(line, text);
    for (int line = 144; line <= 152; ++line)
      veltaro::fx().TextTable.set(line, "Salg & rådgivning " + std::to_string(line));
  }

  // The market with the Danish test files, the savings lists included.
  void market(const std::string& code) {
    useMarket(code);
    if (code == "DK") return;
    for (std::string f : {"Product", "PipeDiam", "PlanEmis", "PipeEmis", "energy", "Medie",
                          "StofKons", "Class", "PipeIDia"}) {
      const auto text = veltaro::DecodeCodePage(readBytes(folder / "Text" / (f + ".DK")), 1252);
      folder_.writeBytes("Text/" + f + "." + code,
                         veltaro::EncodeCodePage(text, veltaro::CodePageFor(code)));
    }
  }
  static void put(forms::Form& w, const std::string& box, const std::string& text, int index = -1) {
    w.control(box, index).setTextSilently(text);
  }

  fs::path reportFile() const { return folder / "data" / "output.htm"; }

  // Writes the report of `window` as calculation `n`; the bytes of the report file.
  std::string report(int n, forms::Form& window, bool print = false) {
    EXPECT_TRUE(reports.WriteReport(n, window, print, false));
    return readBytes(reportFile());
  }

  veltaro::Reports reports;
};

}  // namespace reporttest
