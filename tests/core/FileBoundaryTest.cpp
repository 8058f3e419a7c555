// Code pages, line reading, the path resolver and the product-file checksum.

#include "CoreFixture.h"
#include "core/Crc16.h"

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
  // A system without the code page's converter: the data-file message, naming the file.
  try {
    veltaro::ReadTextLines(root + "/Text/out.txt", 9999);
    FAIL() << "a missing converter must be reported";
  } catch (const DataFileError& e) {
    EXPECT_EQ(e.path(), root + "/Text/out.txt");
  }
}

TEST(Checksum, Crc16XmodemVectors) {
  EXPECT_EQ(veltaro::CRC16Hex(""), "0000");
  EXPECT_EQ(veltaro::CRC16Hex("abc"), "9DD6");
  EXPECT_EQ(veltaro::CRC16Hex("123456789"), "31C3");
  const unsigned char bytes[] = {'1', '2', '3'};
  EXPECT_EQ(veltaro::clsCRC16().CRC16A(bytes, -3), 0);
}

TEST_F(CoreTest, ProductFileAgainstTheRecordedChecksum) {
  const V products = {"Torvelin Rørskål;0,033;0,00017;0,0000009;-50;250;20;30;",
                      "Torvelin Plade;0.035;0.00018;0;-50;600;50;"};
  std::string joined;
  for (const auto& l : products) joined += veltaro::EncodeCodePage(l, 1252);
  const std::string crc = veltaro::CRC16Hex(joined);
  std::string lower = crc;
  for (auto& c : lower) c = static_cast<char>(std::tolower(c));
  writeLines("Text/Product.DK", products);
  writeLines("Text/Product.MRN", products);
  writeBytes("Text/Product.SE", "");
  const struct { const char* code; V check; bool changed; } cases[] = {
      {"DK", {"SE0000", "DK" + crc + " Torvelin 2026", "DK0000"}, false},
      {"DK", {"SE" + crc}, true},            // no line for the country
      {"DK", {"DK0000", "DK" + crc}, true},  // only the first line of the key counts
      {"DK", {"dk" + crc}, true},            // the key is case-sensitive
      {"DK", {"DK" + lower}, lower != crc},  // so are the digits
      {"MRN", {"MR" + crc}, false},          // "MRN" is looked up as "MR"
      {"SE", {"SE0000"}, false},             // an empty product file
  };
  for (const auto& c : cases) {
    veltaro::fx().CountryCode = c.code;
    writeLines("Text/Check.CRC", c.check);
    EXPECT_EQ(veltaro::ProductFileChanged(), c.changed) << c.code << " " << c.check[0];
  }
  // Text moved across a line break, with LF endings: the same text; one more blank: changed.
  veltaro::fx().CountryCode = "DK";
  writeLines("Text/Check.CRC", {"DK" + crc});
  writeBytes("Text/Product.DK",
             "Torvelin R\xF8rsk\xE5l;0,033;0,00017;0,0000009;-50;250;20;\n"
             "30;Torvelin Plade;0.035;0.00018;0;-50;600;50;");
  EXPECT_FALSE(veltaro::ProductFileChanged());
  writeLines("Text/Product.DK", {products[0] + " ", products[1]});
  EXPECT_TRUE(veltaro::ProductFileChanged());
  // No fallback to another country's product file.
  veltaro::fx().CountryCode = "FR";
  EXPECT_THROW(veltaro::ProductFileChanged(), DataFileError);
}

}  // namespace
