// Rounding, number texts, Money, the number reader with its text services; code pages, line
// reading, the path resolver and the product-file checksum.

#include <cctype>
#include <cmath>

#include "CoreFixture.h"
#include "core/Crc16.h"
#include "core/Errors.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"

namespace {

using coretest::CoreTest;
using veltaro::DataFileError;
using veltaro::Money;
using V = std::vector<std::string>;
using veltaro::RunTimeError;

TEST(Numbers, RoundingAndTheTwoTextForms) {
  // Halves go to the even neighbour of the exact value (2.675 is stored below the half).
  const struct { double x; int decimals; double expected; } rounding[] = {
      {12.25, 1, 12.2}, {12.35, 1, 12.3}, {180.5, 0, 180},  {181.5, 0, 182},
      {-2.5, 0, -2},    {2.675, 2, 2.67}, {-12.25, 1, -12.2}};
  for (const auto& c : rounding)
    EXPECT_EQ(veltaro::RoundHalfEven(c.x, c.decimals), c.expected) << c.x;
  EXPECT_EQ(veltaro::ToInt16(13.5), 14);
  EXPECT_THROW(veltaro::ToInt16(32767.5), RunTimeError);
  // locale: the locale with a decimal comma
  // clang-format off
  const struct { double x; const char *point, *locale; } texts[] = {
      {-12.5, "-12.5", "-12,5"},    {0.5, ".5", "0,5"},      {-0.25, "-.25", "-0,25"},
      {-0.0, "0", "0"},             {1e15, "1E+15", "1E+15"}, {0.00001, "1E-05", "1E-05"},
      {0.0001, ".0001", "0,0001"},  {-2.5e-120, "-2.5E-120", "-2,5E-120"},
      {1.0 / 3, ".333333333333333", "0,333333333333333"},
      // The exponent has two digits at least; the form is chosen after the rounding to 15
      // digits, which can carry into the next power of ten.
      {1e-9, "1E-09", "1E-09"},     {-1.5e-9, "-1.5E-09", "-1,5E-09"},
      {std::nextafter(1e-9, 0.0), "1E-09", "1E-09"},
      {999999999999999.9, "1E+15", "1E+15"},
      {123456789012345, "123456789012345", "123456789012345"}};
  // clang-format on
  for (const auto& c : texts) {
    EXPECT_EQ(veltaro::PointText(c.x), c.point) << c.x;
    EXPECT_EQ(veltaro::LocaleText(c.x, ","), c.locale) << c.x;
  }
  EXPECT_EQ(veltaro::SignedPointText(-0.0), " 0");
  EXPECT_EQ(veltaro::SignedPointText(-50), "-50");
}

TEST(Numbers, MoneyRoundsAtTheFourthDecimalAndOverflows) {
  const std::pair<Money, int64_t> cases[] = {
      {Money::FromDouble(1.23455), 12346},                        // stored above the half
      {Money::FromDouble(-2.00025), -20002},                      // stored below the half
      {Money::FromDouble(0.03125), 312},                          // exactly halfway
      {Money::FromUnits(12345) * Money::FromUnits(10001), 12346},
      {Money::FromUnits(-3) * Money::FromUnits(5000), -2},
      {Money::FromDouble(-5693.5).Rounded(0), -56940000},
      // Halves to even: an even quotient stays, an odd one goes away from zero.
      {Money::FromUnits(5) * Money::FromUnits(5000), 2},
      {Money::FromUnits(-5) * Money::FromUnits(5000), -2},
      {Money::FromUnits(7) * Money::FromUnits(5000), 4},
      {Money::FromUnits(25000).Rounded(0), 20000},
      {Money::FromUnits(-45000).Rounded(0), -40000},
      {Money::FromUnits(15000).Rounded(0), 20000},
      {Money::FromUnits(10050).Rounded(2), 10000},
      {Money::FromUnits(-10150).Rounded(2), -10200}};
  for (const auto& [money, units] : cases) EXPECT_EQ(money.units(), units);
  EXPECT_NO_THROW(Money::FromDouble(9.2e14));
  EXPECT_THROW(Money::FromDouble(-9.3e14), RunTimeError);
  EXPECT_THROW(Money::FromDouble(std::nan("")), RunTimeError);
  const Money big = Money::FromDouble(9e14);
  EXPECT_THROW((void)(big + big), RunTimeError);
  EXPECT_THROW((void)(big * Money::FromDouble(2)), RunTimeError);
}

TEST(Numbers, ParseNumberReadsTheLeadingNumberWhateverTheLocale) {
  const std::pair<const char*, double> cases[] = {
      {"   ", 0},  {"12,5 kg", 12.5}, {"1.234,5", 1.234},  {"-3-4", -3},   {"-.", 0},
      {"+,5", 0.5}, {"- 5", 0},        {"1.5E-07", 0.0001}, {"2E+3", 10000}, {"3e5", 3},
      {"1E+5E-3", 10000}, {"3E+21", 10000}};
  for (const auto& [text, value] : cases) EXPECT_EQ(veltaro::ParseNumber(text), value) << text;
  // Digits beyond a Double fail every range check; a fraction too small to hold is 0.
  EXPECT_GT(veltaro::ParseNumber("1" + std::string(400, '0')), 1e308);
  EXPECT_EQ(veltaro::ParseNumber("0." + std::string(400, '0') + "1"), 0.0);
  // The numeric boxes' key filter lets through what the reader takes, and Backspace.
  for (int key = 0; key < 256; ++key) {
    const bool kept = key == 8 || key == ',' || key == '.' || key == '-' || std::isdigit(key);
    EXPECT_EQ(veltaro::FilterNumericKey(key), kept ? key : 0) << key;
  }
}

using TextServices = coretest::CoreTest;

TEST_F(TextServices, LocaleWhereItCountsAndTheSmallServices) {
  for (const char* sep : {",", "."}) {
    platform.decimal = sep;
    EXPECT_EQ(veltaro::ParseNumber("12,75"), 12.75) << sep;
    EXPECT_EQ(veltaro::LocaleText(2.75), std::string("2") + sep + "75");
  }
  EXPECT_EQ(veltaro::TextAfterColon("Case :  Boiler room: east  "), "Boiler room: east");
  EXPECT_EQ(veltaro::RemoveChar("Save && close", "&"), "Save & close");
}

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
  // Names that differ only in letter case: the exact name, else the first in byte order,
  // whatever order the folder lists them in.
  for (const char* f : {"data/pipe.DK", "data/PIPE.DK", "data/Pipe.DK"}) files.writeBytes(f, f);
  const std::pair<const char*, const char*> ties[] = {{"\\DATA\\Pipe.DK", "Pipe.DK"},
                                                      {"\\DATA\\pipe.dk", "PIPE.DK"},
                                                      {"\\DATA\\pipe.DK", "pipe.DK"}};
  for (const auto& [asked, found] : ties)
    EXPECT_EQ(veltaro::ProgramPath(asked), root + "/data/" + found) << asked;
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
