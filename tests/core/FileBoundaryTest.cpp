// Code pages, line reading, the path resolver and the product-file checksum.

#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "core/Crc16.h"
#include "core/Errors.h"
#include "core/TextFile.h"

namespace {

using coretest::CoreTest;
using veltaro::DataFileError;
using V = std::vector<std::string>;

TEST(CodePages, MarketsConversionsAndLines) {
  for (const char* code : {"LT", "LV", "EE"}) EXPECT_EQ(veltaro::CodePageFor(code), 1257);
  for (const char* code : {"DK", "MRN", "FR", ""}) EXPECT_EQ(veltaro::CodePageFor(code), 1252);
  EXPECT_EQ(veltaro::EncodeCodePage("Røggas °C €", 1252),
            "R\xF8ggas \xB0"
            "C \x80");
  EXPECT_EQ(veltaro::DecodeCodePage("\xD0iluma \xE0\xFE\xEB", 1257), "Šiluma ąžė");
  EXPECT_EQ(veltaro::EncodeCodePage("ą→x", 1252), "??x") << "what the page cannot hold";
  EXPECT_EQ(veltaro::DecodeCodePage("a\x81z", 1252), "a\xC2\x81z") << "an undefined byte";
  EXPECT_EQ(veltaro::SplitLines(""), V{});
  EXPECT_EQ(veltaro::SplitLines("a\r\nb\r\n"), (V{"a", "b"}));
  EXPECT_EQ(veltaro::SplitLines("a\nb"), (V{"a", "b"}));
  EXPECT_EQ(veltaro::SplitLines("a\r\n\r\n  \r\n"), (V{"a", "", "  "}));
}

TEST_F(CoreTest, FilesThroughTheCodePageAndPathsWithoutRegardToCase) {
  writeBytes("data/old.htm", "x");
  const std::string root = folder.generic_string();
  const std::string path = veltaro::ProgramPath("\\TEXT\\out.txt");
  EXPECT_EQ(path, root + "/TEXT/out.txt") << "a name that does not exist is kept";
  std::filesystem::create_directories(folder / "Text");
  EXPECT_EQ(veltaro::ProgramPath("\\TEXT\\out.txt"), root + "/Text/out.txt");
  EXPECT_EQ(veltaro::ProgramPath("\\DATA\\OLD.HTM"), root + "/data/old.htm");
  veltaro::WriteTextLines(veltaro::ProgramPath("\\TEXT\\out.txt"), {"Tykkelse", "Røggas"}, 1252);
  EXPECT_EQ(veltaro::ReadFileBytes(root + "/Text/out.txt"), "Tykkelse\r\nR\xF8ggas\r\n");
  EXPECT_EQ(veltaro::ReadTextLines(root + "/Text/out.txt", 1252), (V{"Tykkelse", "Røggas"}));
  try {
    veltaro::ReadTextLines(root + "/nothing.txt", 1252);
    FAIL() << "a missing file must be reported";
  } catch (const DataFileError& e) {
    EXPECT_NE(std::string(e.what()).find("nothing.txt"), std::string::npos);
  }
}

TEST(Checksum, Crc16XmodemVectors) {
  EXPECT_EQ(veltaro::CRC16Hex(""), "0000");
  EXPECT_EQ(veltaro::CRC16Hex("abc"), "9DD6");
  EXPECT_EQ(veltaro::CRC16Hex("123456789"), "31C3");
  const unsigned char bytes[] = {'1', '2', '3'};
  EXPECT_EQ(veltaro::clsCRC16().CRC16A(bytes, -3), 0);
}

const V kDanishProducts = {"Torvelin Rørskål;0,033;0,00017;0,0000009;-50;250;20;30;",
                           "Torvelin Plade;0.035;0.00018;0;-50;600;50;"};

std::string crcOf(const V& lines) {
  std::string joined;
  for (const auto& l : lines) joined += veltaro::EncodeCodePage(l, 1252);
  return veltaro::CRC16Hex(joined);
}

TEST_F(CoreTest, ProductFileAgainstTheRecordedChecksum) {
  veltaro::fx().CountryCode = "DK";
  writeLines("Text/Product.DK", kDanishProducts);
  const std::string crc = crcOf(kDanishProducts);
  std::string lower = crc;
  for (auto& c : lower) c = static_cast<char>(std::tolower(c));
  const struct {
    V check;
    bool changed;
  } cases[] = {
      {{"SE0000", "DK" + crc + " Torvelin 2026", "DK0000"}, false},
      {{"SE" + crc}, true},            // no line for the country
      {{"DK0000", "DK" + crc}, true},  // only the first line of the key counts
      {{"dk" + crc}, true},            // the key is case-sensitive
      {{"DK" + lower}, lower != crc},  // so are the digits
  };
  for (const auto& c : cases) {
    writeLines("Text/Check.CRC", c.check);
    EXPECT_EQ(veltaro::ProductFileChanged(), c.changed) << c.check[0];
  }
  // Text moved across a line break, with LF endings: the same text; one more blank: changed.
  writeLines("Text/Check.CRC", {"DK" + crc});
  writeBytes("Text/Product.DK",
             "Torvelin R\xF8rsk\xE5l;0,033;0,00017;0,0000009;-50;250;20;\n"
             "30;Torvelin Plade;0.035;0.00018;0;-50;600;50;");
  EXPECT_FALSE(veltaro::ProductFileChanged());
  writeLines("Text/Product.DK", {kDanishProducts[0] + " ", kDanishProducts[1]});
  EXPECT_TRUE(veltaro::ProductFileChanged());
}

TEST_F(CoreTest, ProductChecksumKeysFilesAndFailures) {
  writeLines("Text/Product.MRN", {"Torvelin Marine;0,034;0;0;-50;250;25;", "Torvelin Marine"});
  writeBytes("Text/Product.SE", "");
  writeLines(
      "Text/Check.CRC",
      {"SE0000", "MR" + crcOf({"Torvelin Marine;0,034;0;0;-50;250;25;", "Torvelin Marine"})});
  veltaro::fx().CountryCode = "MRN";
  EXPECT_FALSE(veltaro::ProductFileChanged());
  veltaro::fx().CountryCode = "SE";
  EXPECT_FALSE(veltaro::ProductFileChanged()) << "an empty product file has checksum 0000";
  veltaro::fx().CountryCode = "FR";  // no fallback to another country's product file
  try {
    veltaro::ProductFileChanged();
    FAIL();
  } catch (const DataFileError& e) {
    EXPECT_NE(e.path().find("Product.FR"), std::string::npos) << e.what();
  }
  veltaro::fx().CountryCode = "SE";
  std::filesystem::remove(folder / "Text/Check.CRC");
  EXPECT_THROW(veltaro::ProductFileChanged(), DataFileError);
}

}  // namespace
