// The bytes of the header and of each record type, written by hand field by field, against
// what the writer makes of a window; and the same bytes again after a save of the opened case.

#include "CaseFixture.h"
#include "cases/CaseFiles.h"

namespace casetest {
namespace {

using veltaro::cases::LayoutOfType;
using veltaro::cases::WriteRecord;

constexpr const char* kPipeBytes = "Torvelin R\xF8rsk\xE5l";  // the product name in Windows-1252
constexpr const char* kMatBytes = "Torvelin Lamelm\xE5tte";

TEST_F(CaseTest, RecordOfWindow1PipeWithSavings) {
  forms::Form& w = open("frmCalc01");
  enter(w, {.medium = "150", .ambient = "20"});
  choose(w.control("ISOLERINGST"), "40");
  w.control("cbxSave").userClick();
  type(w.control("RORL"), "12");
  choose(w.control("EmisionUiso"), "0.26 Galvaniseret");
  choose(w.control("Energienh"), "MWh");
  type(w.control("Pris"), "0.85");
  calculated(w, {{"OVERFLADE", "24"}, {"VTU", "412.5"}, {"VT", "35.12"}, {"Bespar", "12345.67"}});
  const std::string expected = Bytes(180)
                                   .text(0, 10, "114.3")               // pipe diameter
                                   .i16(10, 4)                         // its list position
                                   .i16(12, -1)                        // ROR: pipe
                                   .i16(14, -1)                        // optInSite(0): indoors
                                   .i16(16, -1)                        // VAND: horizontal
                                   .text(18, 3, "150")                 // MEDIETEMP
                                   .text(21, 25, kPipeBytes)           // PRODUKT
                                   .i16(46, 0)                         // its list position
                                   .text(48, 4, "40")                  // ISOLERINGST
                                   .i16(52, 2)                         // its list position
                                   .text(54, 30, "0.9 Maling")         // Emission
                                   .i16(84, 2)                         // its list position
                                   .text(86, 3, "")                    // VINDHASTIGHED
                                   .text(89, 3, "20")                  // Omgivende
                                   .i16(92, -1)                        // cbxSave: checked
                                   .text(94, 4, "12")                  // RORL
                                   .text(98, 30, "0.26 Galvaniseret")  // EmisionUiso
                                   .i16(128, 1)                        // its list position
                                   .text(130, 15, "MWh")               // Energienh
                                   .i16(145, 1)                        // its list position
                                   .text(147, 7, "0.85")               // Pris
                                   .text(154, 5, "8760")               // Drift
                                   .text(159, 3, "24")                 // OVERFLADE
                                   .text(162, 5, "412.5")              // VTU
                                   .text(167, 5, "35.12")              // VT
                                   .text(172, 8, "12345.67")           // Bespar
                                   .str();
  EXPECT_EQ(WriteRecord(*LayoutOfType(1), w), expected);
}

TEST_F(CaseTest, RecordOfWindow1PlaneOutdoorsWithoutSavings) {
  forms::Form& w = open("frmCalc01");
  enter(w, {.height = "2500", .outdoors = true, .vertical = true, .wind = "4", .medium = "-180"});
  calculated(w, {{"OVERFLADE", "-3"}, {"VT", "1234.56"}});
  const std::string expected = Bytes(180)
                                   .text(0, 10, "2500")         // plane height
                                   .i16(10, 0)                  // no list position for a plane
                                   .i16(12, 0)                  // ROR off: plane
                                   .i16(14, 0)                  // optInSite(0) off: outdoors
                                   .i16(16, 0)                  // VAND off: vertical
                                   .text(18, 3, "-18")          // MEDIETEMP, cut at 3 bytes
                                   .text(21, 25, kPipeBytes)    // PRODUKT
                                   .i16(46, 0)                  // its list position
                                   .text(48, 4, "20")           // ISOLERINGST, the first
                                   .i16(52, 0)                  // its list position
                                   .text(54, 30, "0.9 Maling")  // Emission
                                   .i16(84, 2)                  // its list position
                                   .text(86, 3, "4")            // VINDHASTIGHED
                                   .text(89, 3, "20")           // Omgivende
                                   .i16(92, 0)                  // cbxSave: unchecked
                                   .text(94, 4, "")             // RORL
                                   .text(98, 30, "")            // EmisionUiso, never filled
                                   .i16(128, -1)                // nothing selected
                                   .text(130, 15, "")           // Energienh
                                   .i16(145, -1)                // nothing selected
                                   .text(147, 7, "")            // Pris
                                   .text(154, 5, "8760")        // Drift
                                   .text(159, 3, "-3")          // OVERFLADE
                                   .text(162, 5, "")            // VTU
                                   .text(167, 5, "1234.")       // VT, cut not rounded
                                   .text(172, 8, "")            // Bespar
                                   .str();
  EXPECT_EQ(WriteRecord(*LayoutOfType(1), w), expected);
}

TEST_F(CaseTest, RecordsOfWindows2And3) {
  forms::Form& w2 = open("frmCalc02");
  enter(w2, {.height = "1500", .medium = "60", .ambient = "25"});
  type(w2.control("OVERFLADE"), "35");
  calculated(w2, {{"ISOLERINGST", "70"}, {"VARMETAB", "18.25"}});
  const std::string common = Bytes(98)
                                 .text(0, 10, "1500")       // plane height
                                 .i16(10, 0)                // no list position
                                 .i16(12, 0)                // ROR off
                                 .i16(14, -1)               // INDE: indoors
                                 .i16(16, 0)                // VAND off: an indoor plane is vertical
                                 .text(18, 3, "60")         // MEDIETEMP
                                 .text(21, 25, kPipeBytes)  // PRODUKT
                                 .i16(46, 0)                // its list position
                                 .text(48, 4, "70")         // ISOLERINGST (result)
                                 .text(52, 30, "0.9 Maling")  // Emission
                                 .i16(82, 2)                  // its list position
                                 .text(84, 3, "")             // VINDHASTIGHED
                                 .text(87, 3, "25")           // Omgivende
                                 .text(90, 3, "35")           // OVERFLADE (required)
                                 .text(93, 5, "18.25")        // VARMETAB (result)
                                 .str();
  EXPECT_EQ(WriteRecord(*LayoutOfType(2), w2), common);

  // Window 3 keeps its own product's coefficients, whichever product was selected last.
  forms::Form& w3 = open("frmCalc03");
  enter(w3,
        {.diameter = "60.3", .medium = "60", .ambient = "25", .product = calctest::kMatProduct});
  type(w3.control("VARMETAB"), "18.25");
  calculated(w3, {{"ISOLERINGST", "70"}, {"OVERFLADE", "35"}});
  choose(w2.control("PRODUKT"), calctest::kConstantProduct);
  ASSERT_EQ(veltaro::fx().LambdaA, 0.04);
  const std::string expected = Bytes(122)
                                   .text(0, 10, "60.3")         // pipe diameter
                                   .i16(10, 2)                  // its list position
                                   .i16(12, -1)                 // ROR: pipe
                                   .i16(14, -1)                 // INDE
                                   .i16(16, -1)                 // VAND
                                   .text(18, 3, "60")           // MEDIETEMP
                                   .text(21, 25, kMatBytes)     // PRODUKT
                                   .i16(46, 1)                  // its list position
                                   .text(48, 4, "70")           // ISOLERINGST (result)
                                   .text(52, 30, "0.9 Maling")  // Emission
                                   .i16(82, 2)                  // its list position
                                   .text(84, 3, "")             // VINDHASTIGHED
                                   .text(87, 3, "25")           // Omgivende
                                   .text(90, 3, "35")           // OVERFLADE (result)
                                   .text(93, 5, "18.25")        // VARMETAB (required)
                                   .f64(98, 0.036)              // the mat's constant term
                                   .f64(106, 0.00018)           // linear term
                                   .f64(114, 0.0000012)         // square term
                                   .str();
  EXPECT_EQ(WriteRecord(*LayoutOfType(3), w3), expected);
  // 1.0 as the file keeps it: the last byte holds the sign and the exponent's high bits.
  EXPECT_EQ(Bytes(8).f64(0, 1.0).str(), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
}

TEST_F(CaseTest, RecordsOfWindows4And5) {
  forms::Form& w4 = open("frmCalc04");
  enter(w4, {});
  type(w4.control("Driftstid"), "4000");
  type(w4.control("SPILDFAKTOR"), "0.5");
  calculated(w4,
             {{"Klasse", "3"}, {"ISOLERINGST", "60"}, {"OVERFLADE", "23"}, {"VARMETAB", "21.44"}});
  const std::string expected4 = Bytes(156)
                                    .text(0, 10, "114.3")            // pipe diameter
                                    .i16(10, 4)                      // its list position
                                    .i16(12, -1)                     // ROR: pipe
                                    .i16(14, -1)                     // INDE: indoors
                                    .i16(16, -1)                     // VAND: horizontal
                                    .i16(18, -1)                     // Drift: by operating time
                                    .text(20, 3, "150")              // MEDIETEMP
                                    .text(23, 25, kPipeBytes)        // PRODUKT
                                    .i16(48, 0)                      // its list position
                                    .text(50, 4, "60")               // ISOLERINGST (result)
                                    .text(54, 30, "0.9 Maling")      // Emission
                                    .i16(84, 2)                      // its list position
                                    .text(86, 3, "")                 // VINDHASTIGHED
                                    .text(89, 3, "20")               // Omgivende
                                    .text(92, 5, "4000")             // Driftstid
                                    .text(97, 30, "V\xC6LG klasse")  // IsoKlasse, the default text
                                    .i16(127, -1)                    // nothing selected
                                    .text(129, 4, "0.5")             // SPILDFAKTOR
                                    .text(133, 15, "3")              // Klasse (result)
                                    .text(148, 3, "23")              // OVERFLADE (result)
                                    .text(151, 5, "21.44")           // VARMETAB (result)
                                    .str();
  EXPECT_EQ(WriteRecord(*LayoutOfType(4), w4), expected4);

  forms::Form& w5 = open("frmCalc05");
  enter(w5, {.height = "1200", .outdoors = true, .vertical = true, .wind = "2", .medium = "5"});
  type(w5.control("Luftfugtighed"), "85");
  calculated(
      w5,
      {{"ISOLERINGST", "30"}, {"Dugpunkt", "17.4"}, {"OVERFLADE", "18"}, {"VARMETAB", "-12.5"}});
  const std::string expected5 = Bytes(110)
                                    .text(0, 10, "1200")         // plane height
                                    .i16(10, 0)                  // no list position
                                    .i16(12, 0)                  // ROR off: plane
                                    .i16(14, 0)                  // INDE off: outdoors
                                    .i16(16, 0)                  // VAND off: vertical
                                    .i16(18, 0)                  // reserved
                                    .text(20, 3, "5")            // MEDIETEMP
                                    .text(23, 25, kPipeBytes)    // PRODUKT
                                    .i16(48, 0)                  // its list position
                                    .text(50, 4, "30")           // ISOLERINGST (result)
                                    .text(54, 30, "0.9 Maling")  // Emission
                                    .i16(84, 2)                  // its list position
                                    .text(86, 3, "2")            // VINDHASTIGHED
                                    .text(89, 3, "20")           // Omgivende
                                    .text(92, 5, "85")           // Luftfugtighed
                                    .text(97, 5, "17.4")         // Dugpunkt (result)
                                    .text(102, 3, "18")          // OVERFLADE (result)
                                    .text(105, 5, "-12.5")       // VARMETAB (result)
                                    .str();
  EXPECT_EQ(WriteRecord(*LayoutOfType(5), w5), expected5);
}

TEST_F(CaseTest, HeaderFileAndTheSameBytesAfterOpeningAndSavingAgain) {
  header("KLM", "Fjernvarme, Østergade 12", "2026-12-07");
  forms::Form& w = open("frmCalc01");
  enter(w, {.outdoors = true, .wind = "12.5"});
  calculated(w, {{"OVERFLADE", "24"}, {"VT", "35.12"}});
  platform.expectMsgBox(forms::mb::IdYes, "VINDHASTIGHED: \"12.5\" as \"12.\"");
  save("roof.DAT");
  const std::string header = Bytes(99)
                                 .text(0, 3, "KLM")                           // Initials
                                 .text(3, 80, "Fjernvarme, \xD8stergade 12")  // CaseName
                                 .text(83, 16, "2026-12-07")                  // CaseDate
                                 .str();
  auto before = files(data);
  ASSERT_EQ(before.size(), 2u);
  EXPECT_EQ(before["roof.DAT"], header);
  ASSERT_EQ(before["roof.C01"].size(), 180u);
  EXPECT_EQ(before["roof.C01"].substr(86, 3), "12.") << "the wind speed keeps three bytes";

  openCase("roof.DAT");
  EXPECT_EQ(main().control("txtCase", 1).text(),
            "Sagsnavn: Fjernvarme, Østergade 12" + std::string(56, ' '));
  EXPECT_EQ(main().control("txtCase", 2).text(), "Dato: 2026-12-07");
  save("again.DAT");  // the restored 12. fits
  auto after = files(data);
  EXPECT_EQ(after["again.DAT"], header);
  EXPECT_EQ(after["again.C01"], before["roof.C01"]);
}

}  // namespace
}  // namespace casetest
