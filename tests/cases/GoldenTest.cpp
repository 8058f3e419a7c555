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

// The layout is pinned above; a plane without savings differs in these fields only.
TEST_F(CaseTest, RecordOfWindow1PlaneOutdoorsWithoutSavings) {
  forms::Form& w = open("frmCalc01");
  enter(w, {.height = "2500", .outdoors = true, .vertical = true, .wind = "4", .medium = "-180"});
  calculated(w, {{"OVERFLADE", "-3"}, {"VT", "1234.56"}});
  const std::string record = WriteRecord(*LayoutOfType(1), w);
  const std::string expected = Bytes(180)
                                   .text(0, 10, "2500")  // plane height
                                   .i16(10, 0)           // no list position for a plane
                                   .i16(12, 0)           // ROR off: plane
                                   .i16(14, 0)           // optInSite(0) off: outdoors
                                   .i16(16, 0)           // VAND off: vertical
                                   .text(18, 3, "-18")   // MEDIETEMP, cut at 3 bytes
                                   .str();
  EXPECT_EQ(record.substr(0, 21), expected.substr(0, 21));
  const std::tuple<int, int, std::string> fields[] = {
      {86, 3, "4  "},                             // VINDHASTIGHED
      {92, 2, std::string(2, '\0')},              // cbxSave: unchecked
      {128, 2, "\xff\xff"},                       // EmisionUiso: nothing selected
      {145, 2, "\xff\xff"},                       // Energienh: nothing selected
      {162, 10, std::string(5, ' ') + "1234."}};  // VTU empty; VT cut, not rounded
  for (const auto& [offset, width, bytes] : fields)
    EXPECT_EQ(record.substr(offset, width), bytes) << offset;
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

  // Window 3 shares those 98 bytes (the surface temperature now a result, the heat loss
  // required) and keeps its own product's coefficients, whichever was selected last.
  forms::Form& w3 = open("frmCalc03");
  enter(w3, {.height = "1500", .medium = "60", .ambient = "25", .product = calctest::kMatProduct});
  type(w3.control("VARMETAB"), "18.25");
  calculated(w3, {{"ISOLERINGST", "70"}, {"OVERFLADE", "35"}});
  choose(w2.control("PRODUKT"), calctest::kConstantProduct);
  ASSERT_EQ(veltaro::fx().LambdaA, 0.04);
  const std::string expected = Bytes(122, common)
                                   .text(21, 25, kMatBytes)  // PRODUKT
                                   .i16(46, 1)               // its list position
                                   .f64(98, 0.036)           // the mat's constant term
                                   .f64(106, 0.00018)        // linear term
                                   .f64(114, 0.0000012)      // square term
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

  // Window 5 shares the first 92 bytes but keeps offset 18 reserved.
  forms::Form& w5 = open("frmCalc05");
  enter(w5, {});
  type(w5.control("Luftfugtighed"), "85");
  calculated(
      w5,
      {{"ISOLERINGST", "60"}, {"Dugpunkt", "17.4"}, {"OVERFLADE", "18"}, {"VARMETAB", "-12.5"}});
  const std::string expected5 = Bytes(110, expected4.substr(0, 92))
                                    .i16(18, 0)             // reserved
                                    .text(92, 5, "85")      // Luftfugtighed
                                    .text(97, 5, "17.4")    // Dugpunkt (result)
                                    .text(102, 3, "18")     // OVERFLADE (result)
                                    .text(105, 5, "-12.5")  // VARMETAB (result)
                                    .str();
  EXPECT_EQ(WriteRecord(*LayoutOfType(5), w5), expected5);
}

TEST_F(CaseTest, RecordsOfWindows6And7) {
  forms::Form& w6 = open("frmCalc06");
  enter(w6, {});
  choose(w6.control("Indvendig"), "105.3 mm");
  choose(w6.control("StofK"), "3.6 Luft, fugtig");
  type(w6.control("MEDIEHAST"), "8");
  type(w6.control("Luftfugtighed"), "70");
  calculated(w6, {{"ISOLERINGST", "30"}, {"OVERFLADE", "24"}, {"VARMETAB", "41.2"}});
  const std::string expected6 = Bytes(147)
                                    .text(0, 10, "114.3")              // pipe diameter
                                    .i16(10, 4)                        // its list position
                                    .i16(12, -1)                       // ROR: pipe
                                    .i16(14, -1)                       // INDE: indoors
                                    .i16(16, -1)                       // VAND: horizontal
                                    .text(18, 3, "150")                // MEDIETEMP
                                    .text(21, 25, kPipeBytes)          // PRODUKT
                                    .i16(46, 0)                        // its list position
                                    .text(48, 30, "0.9 Maling")        // Emission
                                    .i16(78, 2)                        // its list position
                                    .text(80, 10, "105.3 mm")          // Indvendig
                                    .i16(90, 1)                        // its list position
                                    .text(92, 30, "3.6 Luft, fugtig")  // StofK
                                    .i16(122, 0)                       // its list position
                                    .text(124, 3, "8")                 // MEDIEHAST
                                    .text(127, 3, "20")                // Omgivende
                                    .text(130, 3, "")                  // VINDHASTIGHED
                                    .text(133, 3, "70")                // Luftfugtighed
                                    .text(136, 3, "30")                // ISOLERINGST (result)
                                    .text(139, 3, "24")                // OVERFLADE (result)
                                    .text(142, 5, "41.2")              // VARMETAB (result)
                                    .str();
  EXPECT_EQ(WriteRecord(*LayoutOfType(6), w6), expected6);

  forms::Form& w7 = open("frmCalc07");
  choose(w7.control("RORCOM"), "114.3");
  choose(w7.control("MEDIE"), kFlueGasMedium);
  type(w7.control("MEDIESTR"), "1.5");
  w7.control("STRHAST").setText("kg/h");  // no unit of the list selected
  type(w7.control("txtLength"), "20");
  type(w7.control("txtStarTemp"), "300");
  type(w7.control("txtSluTemp"), "250");
  choose(w7.control("PRODUKT"), calctest::kConstantProduct);
  type(w7.control("Omgivende"), "20");
  choose(w7.control("Emission"), "0.9 Maling");
  calculated(w7, {{"txtIsoTyk", "45"}});
  const std::string expected7 = Bytes(194)
                                    .text(0, 10, "114.3")  // pipe diameter
                                    .i16(10, 4)            // its list position
                                    .i16(12, -1)           // ROR: pipe
                                    .i16(14, -1)           // INDE: indoors
                                    .i16(16, -1)           // VAND: horizontal
                                    .i16(18, 0)            // optCalcType: thickness sought
                                    .text(20, 50, "R\xF8ggas 12%CO2, 3%H2O, 83%N2, 2%O2")  // MEDIE
                                    .i16(70, 1)                          // its list position
                                    .text(72, 10, "1.5")                 // MEDIESTR
                                    .text(82, 6, "kg/h")                 // STRHAST as shown
                                    .i16(88, 0)                          // the first unit for none
                                    .text(90, 5, "20")                   // txtLength
                                    .text(95, 5, "300")                  // txtStarTemp
                                    .text(100, 5, "250")                 // txtSluTemp
                                    .text(105, 25, "Torvelin Konstant")  // PRODUKT
                                    .i16(130, 2)                         // its list position
                                    .text(132, 4, "")                    // ISOLERINGST (sought)
                                    .text(136, 3, "")                    // VINDHASTIGHED
                                    .text(139, 3, "20")                  // Omgivende
                                    .text(142, 30, "0.9 Maling")         // Emission
                                    .i16(172, 2)                         // its list position
                                    .text(174, 5, "45")                  // txtIsoTyk (result)
                                    .text(179, 5, "")                    // txtStaTemp
                                    .text(184, 5, "")  // txtSlTemp; 189-193 reserved
                                    .str();
  EXPECT_EQ(WriteRecord(*LayoutOfType(11), w7), expected7);
  EXPECT_EQ(w7.control("STRHAST").listIndex(), -1) << "the writer leaves the window alone";
}

TEST_F(CaseTest, RecordsOfTheMultiLayerWindows) {
  using calctest::kConstantProduct, calctest::kMatProduct, calctest::kPipeProduct;
  auto layers = [this](forms::Form& w, std::vector<const char*> products) {
    type(w.control("AntalLag"), std::to_string(products.size()));
    w.control("MEDIETEMP").userFocus();
    for (std::size_t i = 0; i < products.size(); ++i)
      choose(w.control("PRODUKT", static_cast<int>(i)), products[i]);
  };
  // Two layers of a plane outdoors; the rows beyond the count are blank, nothing selected.
  forms::Form& w21 = open("frmCalc21");
  w21.control("PLAN").userClick();
  type(w21.control("PLANH"), "2000");
  w21.control("UDE").userClick();
  type(w21.control("VINDHASTIGHED"), "4");
  type(w21.control("MEDIETEMP"), "250");
  type(w21.control("Omgivende"), "10");
  layers(w21, {kMatProduct, kConstantProduct});
  choose(w21.control("ISOLERINGST", 0), "80");
  choose(w21.control("ISOLERINGST", 1), "20");
  calculated(w21, {{"Skilleflade(0)", "180.5"}, {"OVERFLADE", "18"}, {"VT", "45.6"}});
  Bytes c21(285);
  c21.text(0, 10, "2000")                 // plane height
      .i16(10, 0)                         // no list position
      .i16(12, 0)                         // ROR off: plane
      .i16(14, 0)                         // INDE off: outdoors
      .i16(16, 0)                         // VAND off: the indoor plane's vertical kept
      .text(18, 3, "250")                 // MEDIETEMP
      .text(21, 30, "0.9 Maling")         // Emission, the default entry
      .i16(51, 2)                         // its list position
      .text(53, 3, "4")                   // VINDHASTIGHED
      .text(56, 1, "2")                   // AntalLag
      .text(57, 25, kMatBytes)            // PRODUKT(0)
      .text(82, 25, "Torvelin Konstant")  // PRODUKT(1)
      .i16(207, 1)                        // PRODUKT(0) list position
      .i16(209, 2)                        // PRODUKT(1) list position
      .text(219, 3, "80")                 // ISOLERINGST(0)
      .text(222, 3, "20")                 // ISOLERINGST(1)
      .i16(237, 2)                        // ISOLERINGST(0) list position
      .i16(239, 1)                        // ISOLERINGST(1) list position
      .text(249, 5, "180.5")              // Skilleflade(0) (result)
      .text(274, 3, "10")                 // Omgivende
      .text(277, 3, "18")                 // OVERFLADE (result)
      .text(280, 5, "45.6");              // VT (result)
  for (int i = 2; i < 6; ++i) {
    c21.text(57 + 25 * i, 25, "").i16(207 + 2 * i, -1);  // PRODUKT(2..5), never filled
    c21.text(219 + 3 * i, 3, "").i16(237 + 2 * i, -1);   // ISOLERINGST(2..5)
  }
  for (int i = 1; i < 5; ++i) c21.text(249 + 5 * i, 5, "");  // Skilleflade(1..4)
  EXPECT_EQ(WriteRecord(*LayoutOfType(7), w21), c21.str());

  // Six layers of a pipe: calculations 22 and 23 keep the same fields at the same offsets.
  const std::vector<const char*> six = {kPipeProduct, kMatProduct,  kConstantProduct,
                                        kMatProduct,  kPipeProduct, kMatProduct};
  const char* thick[] = {"40", "50", "60", "70", "80", "120"};
  Bytes c22(273);
  c22.text(0, 10, "219.1")         // pipe diameter
      .i16(10, 5)                  // its list position
      .i16(12, -1)                 // ROR: pipe
      .i16(14, -1)                 // INDE: indoors
      .i16(16, -1)                 // VAND: horizontal
      .text(18, 3, "250")          // MEDIETEMP
      .text(21, 30, "0.9 Maling")  // Emission
      .i16(51, 2)                  // its list position
      .text(53, 3, "")             // VINDHASTIGHED
      .text(56, 1, "6")            // AntalLag
      .text(262, 3, "10")          // Omgivende
      .text(265, 3, "30")          // OVERFLADE
      .text(268, 5, "52.25");      // VT
  const int positions[] = {0, 1, 2, 1, 0, 1};
  const char* bytes[] = {kPipeBytes, kMatBytes,  "Torvelin Konstant",
                         kMatBytes,  kPipeBytes, kMatBytes};
  for (int i = 0; i < 6; ++i) {
    c22.text(57 + 25 * i, 25, bytes[i]).i16(207 + 2 * i, positions[i]);  // PRODUKT(i)
    c22.text(219 + 3 * i, 3, thick[i]);                                  // ISOLERINGST(i)
  }
  for (int i = 0; i < 5; ++i)
    c22.text(237 + 5 * i, 5, std::to_string(200 - 30 * i));  // Skilleflade(i)
  for (const char* name : {"frmCalc22", "frmCalc23"}) {
    forms::Form& w = open(name);
    choose(w.control("RORCOM"), "219.1");
    type(w.control("MEDIETEMP"), "250");
    type(w.control("Omgivende"), "10");
    layers(w, six);
    for (int i = 0; i < 5; ++i) type(w.control("Skilleflade", i), std::to_string(200 - 30 * i));
    const bool surfaceGiven = std::string(name) == "frmCalc22";
    type(w.control(surfaceGiven ? "OVERFLADE" : "VT"), surfaceGiven ? "30" : "52.25");
    std::map<std::string, std::string> results = {
        {surfaceGiven ? "VT" : "OVERFLADE", surfaceGiven ? "52.25" : "30"}};
    for (int i = 0; i < 6; ++i) results["ISOLERINGST(" + std::to_string(i) + ")"] = thick[i];
    calculated(w, results);
    EXPECT_EQ(WriteRecord(*LayoutOfType(surfaceGiven ? 8 : 9), w), c22.str()) << name;
  }
}

TEST_F(CaseTest, RecordOfWindow24PlaneOutdoorsWithSavings) {
  forms::Form& w = open("frmCalc24");
  reinsulatedWallWithSavings(w);
  calculated(w, {{"SkilTemp", "95.5"},
                 {"OVERFLADE", "15"},
                 {"VTU", "120.5"},
                 {"VT", "35.25"},
                 {"Bespar", "12345.6"}});
  const std::string expected = Bytes(218)
                                   .text(0, 10, "1500")      // plane height
                                   .i16(10, 0)               // no list position
                                   .i16(12, 0)               // ROR off: plane
                                   .i16(14, 0)               // optInSite(0) off: outdoors
                                   .i16(16, 0)               // VAND off: vertical
                                   .text(18, 3, "180")       // MEDIETEMP
                                   .text(21, 25, kMatBytes)  // PRODUKT(0), the existing layer
                                   .text(46, 25, "Torvelin Konstant")  // PRODUKT(1), the new one
                                   .i16(71, 1)                         // PRODUKT(0) list position
                                   .i16(73, 2)                         // PRODUKT(1) list position
                                   .text(75, 4, "50")                  // ISOLERINGST(0)
                                   .text(79, 4, "100")                 // ISOLERINGST(1)
                                   .i16(83, 1)  // ISOLERINGST(0) list position
                                   .i16(85, 3)  // ISOLERINGST(1) list position
                                   .text(87, 30, "0.26 Galvaniseret st\xE5l")  // Emission(0)
                                   .text(117, 30, "0.9 Maling")                // Emission(1)
                                   .i16(147, 1)              // Emission(0) list position
                                   .i16(149, 2)              // Emission(1) list position
                                   .text(151, 3, "5")        // VINDHASTIGHED
                                   .text(154, 3, "10")       // Omgivende
                                   .i16(157, -1)             // cbxSave: checked
                                   .text(159, 4, "40")       // RORL
                                   .text(163, 15, "MWh")     // Energienh
                                   .i16(178, 1)              // its list position
                                   .text(180, 7, "450")      // Pris
                                   .text(187, 5, "6000")     // Drift
                                   .text(192, 5, "95.5")     // SkilTemp (result)
                                   .text(197, 3, "15")       // OVERFLADE (result)
                                   .text(200, 5, "120.5")    // VTU (result)
                                   .text(205, 5, "35.25")    // VT (result)
                                   .text(210, 8, "12345.6")  // Bespar (result)
                                   .str();
  EXPECT_EQ(WriteRecord(*LayoutOfType(10), w), expected);
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
