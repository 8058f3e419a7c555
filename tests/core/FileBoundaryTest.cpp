// Code pages, line reading, the path resolver and the product-file checksum.

#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "core/Crc16.h"
#include "core/Errors.h"
#include "core/TextFile.h"

namespace {

using coretest::CoreTest;

using veltaro::DataFileError;

TEST(CodePages, MarketsAndRoundTrips) {
  EXPECT_EQ(veltaro::CodePageFor("LT"), 1257);
  EXPECT_EQ(veltaro::CodePageFor("LV"), 1257);
  EXPECT_EQ(veltaro::CodePageFor("EE"), 1257);
  for (const char* code : {"DK", "SE", "NO", "UK", "MRN", "FR", ""})
    EXPECT_EQ(veltaro::CodePageFor(code), 1252) << code;

  // One byte per character in the file; UTF-8 inside.
  EXPECT_EQ(veltaro::EncodeCodePage("Røggas °C ½ €", 1252), "R\xF8ggas \xB0" "C \xBD \x80");
  EXPECT_EQ(veltaro::DecodeCodePage("R\xF8ggas \xB0" "C", 1252), "Røggas °C");
  EXPECT_EQ(veltaro::EncodeCodePage("Šiluma ąžė", 1257), "\xD0iluma \xE0\xFE\xEB");
  EXPECT_EQ(veltaro::DecodeCodePage("\xD0iluma \xE0\xFE\xEB", 1257), "Šiluma ąžė");
  // What a code page cannot hold becomes "?"; an undefined byte keeps its code.
  EXPECT_EQ(veltaro::EncodeCodePage("Šiluma", 1252), "\x8Ailuma");
  EXPECT_EQ(veltaro::EncodeCodePage("ą→x", 1252), "??x");
  EXPECT_EQ(veltaro::DecodeCodePage("a\x81z", 1252), "a\xC2\x81z");
}

TEST(Lines, CrLfAndLfEndALineAndNoEmptyLineFollowsTheLast) {
  using V = std::vector<std::string>;
  EXPECT_EQ(veltaro::SplitLines(""), V{});
  EXPECT_EQ(veltaro::SplitLines("a\r\nb\r\n"), (V{"a", "b"}));
  EXPECT_EQ(veltaro::SplitLines("a\nb"), (V{"a", "b"}));
  EXPECT_EQ(veltaro::SplitLines("a\r\n\r\n  \r\n"), (V{"a", "", "  "}));
  EXPECT_EQ(veltaro::SplitLines("\r\n"), (V{""}));
}

TEST_F(CoreTest, ReadAndWriteThroughTheCodePage) {
  const std::string path = (folder / "out.txt").string();
  veltaro::WriteTextLines(path, {"Tykkelse 50 mm", "Røggas"}, 1252);
  EXPECT_EQ(veltaro::ReadFileBytes(path), "Tykkelse 50 mm\r\nR\xF8ggas\r\n");
  EXPECT_EQ(veltaro::ReadTextLines(path, 1252), (std::vector<std::string>{"Tykkelse 50 mm", "Røggas"}));
  try {
    veltaro::ReadTextLines((folder / "nothing.txt").string(), 1252);
    FAIL() << "a missing file must be reported";
  } catch (const DataFileError& e) {
    EXPECT_NE(std::string(e.what()).find("nothing.txt"), std::string::npos);
    EXPECT_EQ(e.line(), 0);
  }
}

TEST_F(CoreTest, PathsMatchEachComponentWithoutRegardToCase) {
  writeBytes("Text/Product.DK", "x");
  writeBytes("data/output.htm", "x");
  const std::string root = folder.generic_string();
  EXPECT_EQ(veltaro::ProgramPath("\\TEXT\\product.dk"), root + "/Text/Product.DK");
  EXPECT_EQ(veltaro::ProgramPath("\\Text\\Product.DK"), root + "/Text/Product.DK");
  EXPECT_EQ(veltaro::ProgramPath("\\DATA\\output.htm"), root + "/data/output.htm");
  // What does not exist yet keeps the name given, under the folder that does.
  EXPECT_EQ(veltaro::ProgramPath("\\DATA\\Case1.DAT"), root + "/data/Case1.DAT");
  EXPECT_EQ(veltaro::ProgramPath("\\Images\\logo.jpg"), root + "/Images/logo.jpg");
}

TEST(Checksum, Crc16XmodemVectors) {
  EXPECT_EQ(veltaro::CRC16Hex(""), "0000");
  EXPECT_EQ(veltaro::CRC16Hex("abc"), "9DD6");
  EXPECT_EQ(veltaro::CRC16Hex("123456789"), "31C3");
  EXPECT_EQ(veltaro::CRC16Hex("A"), "58E5");
  const veltaro::clsCRC16 crc;
  const unsigned char bytes[] = {'1', '2', '3'};
  EXPECT_EQ(crc.CRC16A(bytes, 0), 0);
  EXPECT_EQ(crc.CRC16A(bytes, -3), 0);
}

class ProductChecksum : public CoreTest {
 protected:
  void SetUp() override {
    writeLines("Text/Product.DK", {"Torvelin Rørskål 1;0,033;0,00017;0,0000009;-50;250;20;30;",
                                   "Torvelin Plade;0.035;0.00018;0;-50;600;50;"});
    writeLines("Text/Product.MRN", {"Torvelin Marine;0,034;0,00016;0;-50;250;25;", "Torvelin Marine"});
  }
  std::string crcOf(const std::vector<std::string>& lines) {
    std::string joined;
    for (const auto& l : lines) joined += veltaro::EncodeCodePage(l, 1252);
    return veltaro::CRC16Hex(joined);
  }
  std::string dkCrc() {
    return crcOf({"Torvelin Rørskål 1;0,033;0,00017;0,0000009;-50;250;20;30;",
                  "Torvelin Plade;0.035;0.00018;0;-50;600;50;"});
  }
};

TEST_F(ProductChecksum, MatchesTheRecordedValueOfTheCountry) {
  veltaro::fx().CountryCode = "DK";
  writeLines("Text/Check.CRC", {"SE0000", "DK" + dkCrc() + " Torvelin 2026", "DK0000"});
  EXPECT_FALSE(veltaro::ProductFileChanged());
}

TEST_F(ProductChecksum, RefusesChangedFilesAndMissingOrDifferentRecords) {
  veltaro::fx().CountryCode = "DK";
  std::string lower = dkCrc();
  for (auto& c : lower) c = static_cast<char>(std::tolower(c));
  const std::vector<std::vector<std::string>> checkFiles = {
      {"SE" + dkCrc()},               // no line for the country
      {"DK0000", "DK" + dkCrc()},     // only the first line of the key counts
      {"dk" + dkCrc()},               // the key is case-sensitive
  };
  for (const auto& lines : checkFiles) {
    writeLines("Text/Check.CRC", lines);
    EXPECT_TRUE(veltaro::ProductFileChanged()) << lines[0];
  }
  if (lower != dkCrc()) {
    writeLines("Text/Check.CRC", {"DK" + lower});
    EXPECT_TRUE(veltaro::ProductFileChanged()) << "lower-case digits do not match";
  }
  // One more blank at the end of a line changes the checksum.
  writeLines("Text/Check.CRC", {"DK" + dkCrc()});
  writeLines("Text/Product.DK", {"Torvelin Rørskål 1;0,033;0,00017;0,0000009;-50;250;20;30; ",
                                 "Torvelin Plade;0.035;0.00018;0;-50;600;50;"});
  EXPECT_TRUE(veltaro::ProductFileChanged());
}

TEST_F(ProductChecksum, LinesAreJoinedWithoutSeparatorsAndLineEndsDoNotCount) {
  veltaro::fx().CountryCode = "DK";
  writeLines("Text/Check.CRC", {"DK" + dkCrc()});
  // Text moved across the line break, and LF instead of CR LF: the same tested text.
  writeBytes("Text/Product.DK",
             "Torvelin R\xF8rsk\xE5l 1;0,033;0,00017;0,0000009;-50;250;20;\n"
             "30;Torvelin Plade;0.035;0.00018;0;-50;600;50;");
  EXPECT_FALSE(veltaro::ProductFileChanged());
}

TEST_F(ProductChecksum, MarineIsLookedUpAsMrAndUsesItsOwnFile) {
  veltaro::fx().CountryCode = "MRN";
  writeLines("Text/Check.CRC",
             {"DK" + dkCrc(), "MR" + crcOf({"Torvelin Marine;0,034;0,00016;0;-50;250;25;", "Torvelin Marine"})});
  EXPECT_FALSE(veltaro::ProductFileChanged());
}

TEST_F(ProductChecksum, MissingFilesAreReportedByName) {
  veltaro::fx().CountryCode = "FR";  // no fallback to the Danish product file here
  writeLines("Text/Check.CRC", {"DK" + dkCrc()});
  try {
    veltaro::ProductFileChanged();
    FAIL();
  } catch (const DataFileError& e) {
    EXPECT_NE(e.path().find("Product.FR"), std::string::npos) << e.what();
  }
  veltaro::fx().CountryCode = "DK";
  std::filesystem::remove(folder / "Text/Check.CRC");
  EXPECT_THROW(veltaro::ProductFileChanged(), DataFileError);
}

TEST_F(ProductChecksum, AnEmptyProductFileHasChecksumZero) {
  veltaro::fx().CountryCode = "SE";
  writeBytes("Text/Product.SE", "");
  writeLines("Text/Check.CRC", {"SE0000"});
  EXPECT_FALSE(veltaro::ProductFileChanged());
}

}  // namespace
