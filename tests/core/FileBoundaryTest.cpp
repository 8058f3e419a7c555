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
  EXPECT_EQ(veltaro::EncodeCodePage("Røggas °C €", 1252), "R\xF8ggas \xB0" "C \x80");
  EXPECT_EQ(veltaro::DecodeCodePage("\xD0iluma \xE0\xFE\xEB", 1257), "Šiluma ąžė");
  EXPECT_EQ(veltaro::EncodeCodePage("ą→x", 1252), "??x") << "what the page cannot hold";
  EXPECT_EQ(veltaro::DecodeCodePage("a\x81z", 1252), "a\xC2\x81z") << "an undefined byte";
  const std::pair<const char*, V> lines[] = {
      {"", {}}, {"a\r\nb\r\n", {"a", "b"}}, {"a\nb", {"a", "b"}},
      {"a\r\n\r\n  \r\n", {"a", "", "  "}}};
  for (const auto& [bytes, expected] : lines) EXPECT_EQ(veltaro::SplitLines(bytes), expected);
}

TEST_F(CoreTest, FilesThroughTheCodePageAndPathsWithoutRegardToCase) {
  files.writeBytes("data/old.htm", "x");
  const std::string root = folder.generic_string(), out = root + "/Text/out.txt";
  EXPECT_EQ(veltaro::ProgramPath("\\TEXT\\out.txt"), root + "/TEXT/out.txt") << "a new name";
  std::filesystem::create_directories(folder / "Text");
  EXPECT_EQ(veltaro::ProgramPath("\\TEXT\\out.txt"), out);
  EXPECT_EQ(veltaro::ProgramPath("\\DATA\\OLD.HTM"), root + "/data/old.htm");
  veltaro::WriteTextLines(veltaro::ProgramPath("\\TEXT\\out.txt"), {"Tykkelse", "Røggas"}, 1252);
  EXPECT_EQ(veltaro::ReadFileBytes(out), "Tykkelse\r\nR\xF8ggas\r\n");
  EXPECT_EQ(veltaro::ReadTextLines(out, 1252), (V{"Tykkelse", "Røggas"}));
  // A missing file, or a system without the code page's converter: the message names the file.
  for (auto [path, codePage] : {std::pair{root + "/nothing.txt", 1252}, {out, 9999}}) {
    try {
      veltaro::ReadTextLines(path, codePage);
      ADD_FAILURE() << path << " must be reported";
    } catch (const DataFileError& e) {
      EXPECT_EQ(e.path(), path);
    }
  }
}

TEST_F(CoreTest, ProductFileAgainstTheRecordedChecksum) {
  const V products = {"Torvelin Rørskål;0,033;0,00017;0,0000009;-50;250;20;30;",
                      "Torvelin Plade;0.035;0.00018;0;-50;600;50;"};
  const std::string crc = veltaro::CRC16Hex(
      veltaro::EncodeCodePage(products[0] + products[1], 1252));
  files.writeLines("Text/Product.DK", products);
  // Text moved across a line break with LF endings is the same text; one more blank is not.
  const std::string moved = "Torvelin R\xF8rsk\xE5l;0,033;0,00017;0,0000009;-50;250;20;\n"
                            "30;Torvelin Plade;0.035;0.00018;0;-50;600;50;";
  const std::string blank =
      veltaro::EncodeCodePage(products[0] + " \r\n" + products[1] + "\r\n", 1252);
  // Only the first line of the market's key counts, and the key is case-sensitive.
  const struct { V check; bool changed; std::string product = {}; } cases[] = {
      {{"SE0000", "DK" + crc + " Torvelin 2026", "DK0000"}, false}, {{"SE" + crc}, true},
      {{"DK0000", "DK" + crc}, true}, {{"dk" + crc}, true},
      {{"DK" + crc}, false, moved},   {{"DK" + crc}, true, blank}};
  veltaro::fx().CountryCode = "DK";
  for (const auto& c : cases) {
    files.writeLines("Text/Check.CRC", c.check);
    if (!c.product.empty()) files.writeBytes("Text/Product.DK", c.product);
    EXPECT_EQ(veltaro::ProductFileChanged(), c.changed) << c.check[0];
  }
}

}  // namespace
