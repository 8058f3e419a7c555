// Checks the shipped data of every market against what the program relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <regex>
#include <set>
#include <stdexcept>

#include "calc/InputCheck.h"
#include "core/NumericInput.h"
#include "core/TextFile.h"

namespace {

using veltaro::ParseNumber;
using veltaro::UpperCase;
const auto trim = veltaro::TrimSpaces;
const std::string kData = std::string(VELTARO_SOURCE_DIR) + "/data/";

struct MarketFile {
  std::vector<std::string> raw;    // lines in the code page, without their CR LF
  std::vector<std::string> lines;  // the same lines in UTF-8
  bool crlfOnly = true;            // every line ends with CR LF
};

// Code page 0 is plain ASCII. Throws when the file is missing or holds a byte the code page
// lacks (it decodes to a character the page cannot write back).
MarketFile readMarketFile(const std::string& path, int codePage) {
  MarketFile f;
  const std::string bytes = veltaro::ReadFileBytes(path);
  f.crlfOnly = (bytes.empty() || bytes.ends_with("\r\n")) &&
               std::count(bytes.begin(), bytes.end(), '\n') == std::count(bytes.begin(), bytes.end(), '\r');
  for (const std::string& line : veltaro::SplitLines(bytes)) {
    const std::string utf8 = veltaro::DecodeCodePage(line, codePage ? codePage : 1252);
    if (veltaro::EncodeCodePage(utf8, codePage ? codePage : 1252) != line ||
        (codePage == 0 && std::any_of(line.begin(), line.end(), [](char c) { return c < 0; })))
      throw std::runtime_error("a byte outside the code page in " + path);
    f.raw.push_back(line);
    f.lines.push_back(utf8);
  }
  return f;
}

MarketFile load(const std::string& name, const std::string& market) {
  return readMarketFile(kData + "Text/" + name + "." + market, veltaro::CodePageFor(market));
}

// ";"-ended fields.
std::vector<std::string> fieldsOf(std::string rest) {
  std::vector<std::string> out;
  for (std::string field; veltaro::TakeField(rest, field);) out.push_back(field);
  return out;
}

bool contains(const std::string& s, const std::string& part) {
  return s.find(part) != std::string::npos;
}

class MarketData : public ::testing::TestWithParam<std::string> {
 protected:
  std::string m = GetParam();
};

TEST_P(MarketData, EveryFileIsInTheMarketCodePageWithCrLf) {
  // A file written in UTF-8 by mistake decodes in a single-byte code page too; it is
  // recognised by its letters forming valid UTF-8 sequences only.
  static const std::regex valid("([\\x01-\\x7F]|[\\xC2-\\xDF][\\x80-\\xBF]|[\\xE0-\\xEF][\\x80-\\xBF]{2})*");
  for (const char* name : {"Product", "Medie", "PipeDiam", "PipeIDia", "PlanEmis", "StofKons",
                           "PipeEmis", "energy", "Class", "MenuText", "TextFile", "PipeOnly"}) {
    SCOPED_TRACE(name);
    MarketFile f;
    ASSERT_NO_THROW(f = load(name, m));
    EXPECT_TRUE(f.crlfOnly);
    for (size_t i = 0; i < f.raw.size(); ++i)
      EXPECT_FALSE(std::regex_match(f.raw[i], valid) && f.raw[i] != f.lines[i]) << f.lines[i];
  }
}

TEST_P(MarketData, LanguageAndMenuFilesHoldTheLinesTheProgramReads) {
  const MarketFile f = load("TextFile", m);
  ASSERT_GE(f.lines.size(), 220u);
  for (size_t k = 0; k < 220; ++k) EXPECT_FALSE(trim(f.lines[k]).empty()) << "line " << k + 1;
  EXPECT_EQ(trim(f.lines[74]), UpperCase(trim(f.lines[74])));
  for (int k : {81, 82, 83}) {
    const std::string label = trim(f.lines[k - 1]);
    EXPECT_TRUE(label.back() == ':' && std::count(label.begin(), label.end(), ':') == 1) << k;
  }
  EXPECT_FALSE(contains(f.lines[81], "|"));
  EXPECT_LE(trim(f.lines[64]).size(), 8u) << "line 65 goes into a number box";

  // Captions have one access key; tips (33-53, 57) and the window items (27, 28) none.
  const MarketFile menu = load("MenuText", m);
  ASSERT_EQ(menu.lines.size(), 57u);
  for (int k = 1; k <= 57; ++k) {
    const std::string line = trim(menu.lines[k - 1]);
    const bool none = (k >= 33 && k <= 53) || k == 57 || k == 27 || k == 28;
    EXPECT_FALSE(line.empty()) << "line " << k;
    EXPECT_EQ(std::count(line.begin(), line.end(), '&'), none ? 0 : 1) << "line " << k;
  }
}

// List files: the last line is the box's default; a placeholder default holds the market's
// "not chosen" marker (language line 75) and no real item does. Energy units follow the order
// of the program's factors, class items end with their class digit, and the media are air
// then flue gas with air shown.
TEST_P(MarketData, ListsKeepTheirOrderAndMarkedPlaceholders) {
  const std::string mark = load("TextFile", m).lines.at(74);
  // An item's leading value lies in (low, high]; low < 0: not a number list.
  const std::tuple<const char*, double, double> rules[] = {
      {"PipeDiam", 0, 5000}, {"PipeIDia", 0, 5000}, {"PlanEmis", 0, 0.999}, {"PipeEmis", 0, 0.999},
      {"StofKons", 0, 5000}, {"energy", -1, -1},    {"Class", -1, -1},      {"Product", -1, -1}};
  for (auto [file, low, high] : rules) {
    SCOPED_TRACE(file);
    const MarketFile f = load(file, m);
    ASSERT_GE(f.lines.size(), 3u);
    EXPECT_TRUE(contains(UpperCase(f.lines.back()), mark)) << f.lines.back();
    for (size_t i = 0; i + 1 < f.lines.size(); ++i) {
      EXPECT_FALSE(contains(UpperCase(f.lines[i]), mark)) << f.lines[i];
      const double v = ParseNumber(f.lines[i]);
      EXPECT_TRUE(low < 0 || (v > low && v <= high)) << f.lines[i];
    }
  }
  const MarketFile energy = load("energy", m), cls = load("Class", m), media = load("Medie", m);
  const std::vector<std::string> units = {"kWh ", "MWh ", "l ", "Gcal ", "m³ ", "kg "};
  ASSERT_EQ(energy.lines.size(), units.size() + 1);
  for (size_t i = 0; i < units.size(); ++i)
    EXPECT_EQ((energy.lines[i] + " ").rfind(units[i], 0), 0u) << energy.lines[i];
  const size_t classes = m == "DK" ? 4 : 6;
  ASSERT_EQ(cls.lines.size(), classes + 1);
  for (size_t i = 0; i < classes; ++i)
    EXPECT_EQ(cls.lines[i].back(), static_cast<char>('1' + i)) << cls.lines[i];
  ASSERT_EQ(media.lines.size(), 3u);
  EXPECT_TRUE(contains(media.lines[0], "79% N2, 21% O2"));
  EXPECT_TRUE(contains(media.lines[1], "12%CO2, 3%H2O, 83%N2, 2%O2"));
  EXPECT_EQ(media.lines[2], media.lines[0]);
}

// Six or more products, each named once with a temperature range and rising whole thicknesses;
// the pipe-only file names products and pipe sizes of the lists.
// (Start-up on the shipped data reads both files and refuses a malformed line.)
TEST_P(MarketData, ProductsAreWellFormedAndPipeOnlyNamesThem) {
  const MarketFile f = load("Product", m);
  ASSERT_GE(f.lines.size(), 7u);
  std::set<std::string> names;
  for (size_t i = 0; i + 1 < f.lines.size(); ++i) {
    const std::vector<std::string> fields = fieldsOf(f.lines[i]);
    SCOPED_TRACE(f.lines[i]);
    EXPECT_TRUE(names.insert(fields[0]).second) << "name twice";
    EXPECT_LT(ParseNumber(fields[4]), ParseNumber(fields[5])) << "temperature range";
    for (size_t k = 6; k < fields.size(); ++k) {
      const double t = ParseNumber(fields[k]);
      EXPECT_TRUE(t == std::floor(t) && t > (k > 6 ? ParseNumber(fields[k - 1]) : 0)) << t;
    }
  }
  EXPECT_LE(veltaro::ReadFileBytes(kData + "Text/Product." + m).size(), 32767u);

  // A pipe size is read from its first four characters, three for an inch size.
  std::set<int> sizes;
  const MarketFile diam = load("PipeDiam", m);
  for (size_t i = 0; i + 1 < diam.raw.size(); ++i) {
    std::string key = trim(diam.raw[i].substr(0, 4));
    if (contains(key, "/")) key = trim(key.substr(0, 3));
    sizes.insert(static_cast<int>(std::nearbyint(ParseNumber(key.substr(0, key.find(','))))));
  }
  const MarketFile only = load("PipeOnly", m);
  ASSERT_FALSE(only.lines.empty());
  for (const std::string& line : only.lines) {
    SCOPED_TRACE(line);
    const std::vector<std::string> fields = fieldsOf(line);
    EXPECT_TRUE(names.count(fields[0]));
    for (size_t k = 1; k < fields.size(); ++k)
      EXPECT_TRUE(sizes.count(std::stoi(fields[k]))) << fields[k];
  }
}

TEST_P(MarketData, HelpAndPicturesTheProgramLoadsExist) {
  // The four first markets' help folders are in lower case, the later ones keep the code's.
  const bool early = m == "DK" || m == "NO" || m == "SE" || m == "UK";
  std::string low = m;
  std::transform(low.begin(), low.end(), low.begin(), ::tolower);
  const std::string dir = kData + "help/help" + (early ? low : m) + "/";
  const std::string index = veltaro::ReadFileBytes(dir + "index.html");
  std::vector<std::string> pages = {"01", "02", "03", "05", "06", "21", "22", "23", "24"};
  if (m == "DK" || m == "NO") pages.push_back("04");
  if (early) pages.push_back("07");
  for (const std::string& calc : pages) {
    const std::string page = "calc" + calc + ".html";
    EXPECT_TRUE(contains(index, page) && std::filesystem::exists(dir + page)) << page;
  }
  for (const std::string& picture :
       {"background_" + low + ".jpg", "Logo_" + m + ".jpg", m == "MRN" ? "" : "Flags/flag_" + m + ".jpg"})
    EXPECT_TRUE(std::filesystem::exists(kData + "Images/" + picture)) << picture;
}

INSTANTIATE_TEST_SUITE_P(AllMarkets, MarketData,
                         ::testing::Values("DK", "SE", "NO", "UK", "LT", "EE", "LV", "MRN"),
                         [](const auto& info) { return info.param; });

// The title names a Swedish product; each section is a listed diameter, one of the product's
// thicknesses and a real thickness no thinner than that.
TEST(SharedData, SwedishPipeSectionsBelongToAProductAndItsThicknesses) {
  const MarketFile f = readMarketFile(kData + "Text/PipeKap.SE", 1252);
  ASSERT_GE(f.lines.size(), 2u);
  EXPECT_LE(f.raw[0].size(), 30u);
  std::set<std::string> thicknesses, diameters;
  for (const std::string& line : load("Product", "SE").lines)
    if (line.rfind(f.lines[0] + ";", 0) == 0) {
      const std::vector<std::string> fields = fieldsOf(line);
      thicknesses.insert(fields.begin() + 6, fields.end());
    }
  ASSERT_FALSE(thicknesses.empty()) << "the title names no Swedish product";
  const MarketFile diam = load("PipeDiam", "SE");
  for (size_t i = 0; i + 1 < diam.lines.size(); ++i)
    diameters.insert(std::to_string(static_cast<int>(ParseNumber(diam.lines[i]))));
  for (size_t i = 1; i < f.lines.size(); ++i) {
    const std::vector<std::string> fields = fieldsOf(f.lines[i]);
    SCOPED_TRACE(f.lines[i]);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_TRUE(fields[0].size() <= 3 && fields[1].size() <= 3 && fields[2].size() <= 4);
    EXPECT_TRUE(diameters.count(fields[0]));
    EXPECT_TRUE(thicknesses.count(fields[1]));
    EXPECT_GE(std::stoi(fields[2]), std::stoi(fields[1])) << "thinner than its nominal thickness";
  }
}

// The contact file is plain ASCII, read the same in every market; what each market reads from
// it is checked where the shipped data start up. The pictures below are read beside the
// market's own: splash and report pictures.
TEST(SharedData, ContactFileAndFixedPictures) {
  EXPECT_TRUE(readMarketFile(kData + "Text/adress.all", 0).crlfOnly);
  const std::string dir = kData + "Images/";
  for (std::string name : {"VELTAROOPSTART_DK.jpg", "VELTAROOPSTART_SE.jpg", "bolgeprint.jpg",
                           "ror200.jpg", "ror200SE.jpg", "Icons/veltaro32_32_marine.ico"})
    EXPECT_TRUE(std::filesystem::exists(dir + name)) << name;
}

}  // namespace
