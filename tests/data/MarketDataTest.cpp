// Checks the shipped data of every market against what the program relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "MarketFiles.h"
#include "calc/InputCheck.h"
#include "core/NumericInput.h"
#include "core/TextFile.h"

using namespace datatest;
using veltaro::ParseNumber;
using veltaro::UpperCase;
const auto trim = veltaro::TrimSpaces;

namespace {

const std::vector<std::string> kMarkets = {"DK", "SE", "NO", "UK", "LT", "EE", "LV", "MRN"};

std::string textPath(const std::string& name) {
  return sourceDir() + "/data/Text/" + name;
}

MarketFile load(const std::string& name, const std::string& market) {
  return readMarketFile(textPath(name + "." + market), veltaro::CodePageFor(market));
}

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), ::tolower);
  return s;
}

bool contains(const std::string& s, const std::string& part) {
  return s.find(part) != std::string::npos;
}

// True when the text holds bytes above 127 and all of them form valid UTF-8 sequences.
bool looksLikeUtf8(const std::string& s) {
  bool multibyte = false;
  for (size_t i = 0; i < s.size(); ++i) {
    const unsigned char c = s[i];
    const size_t len = c < 0x80         ? 1
                       : (c >> 5) == 6  ? 2
                       : (c >> 4) == 14 ? 3
                       : (c >> 3) == 30 ? 4
                                        : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k, ++i)
      if ((static_cast<unsigned char>(s[i + 1]) & 0xC0) != 0x80) return false;
    multibyte |= len > 1;
  }
  return multibyte;
}

class MarketData : public ::testing::TestWithParam<std::string> {
 protected:
  std::string m = GetParam();
  std::string marker() { return load("TextFile", m).lines.at(74); }
};

TEST_P(MarketData, EveryFileIsInTheMarketCodePageWithCrLf) {
  const char* names[] = {"Product",  "Medie",  "PipeDiam", "PipeIDia", "PlanEmis", "StofKons",
                         "PipeEmis", "energy", "Class",    "MenuText", "TextFile", "PipeOnly"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    MarketFile f;
    ASSERT_NO_THROW(f = load(name, m));
    EXPECT_TRUE(f.crlfOnly);
    // A file written in UTF-8 by mistake decodes in a single-byte code page too; it is
    // recognised by its letters forming valid UTF-8 sequences.
    for (const std::string& line : f.raw)
      EXPECT_FALSE(looksLikeUtf8(line)) << f.lines[&line - f.raw.data()];
  }
}

TEST_P(MarketData, LanguageFileHoldsTheLinesTheProgramReads) {
  const MarketFile f = load("TextFile", m);
  ASSERT_GE(f.lines.size(), 220u);
  for (size_t k = 0; k < 220; ++k) EXPECT_FALSE(trim(f.lines[k]).empty()) << "line " << k + 1;
  const std::string line75 = trim(f.lines[74]);
  EXPECT_EQ(line75, UpperCase(line75));
  for (int k : {81, 82, 83}) {
    const std::string label = trim(f.lines[k - 1]);
    EXPECT_EQ(label.back(), ':') << "line " << k;
    EXPECT_EQ(std::count(label.begin(), label.end(), ':'), 1) << "line " << k;
  }
  EXPECT_FALSE(contains(f.lines[81], "|"));
  EXPECT_LE(trim(f.lines[64]).size(), 8u) << "line 65 goes into a number box";
}

TEST_P(MarketData, MenuFileHasCaptionsWithAccessKeysAndPlainTips) {
  const MarketFile f = load("MenuText", m);
  ASSERT_EQ(f.lines.size(), 57u);
  for (int k = 1; k <= 57; ++k) {
    const std::string line = trim(f.lines[k - 1]);
    const bool tip = (k >= 33 && k <= 53) || k == 57;
    const bool windowItem = k == 27 || k == 28;  // no access key, as in the design
    EXPECT_FALSE(line.empty()) << "line " << k;
    if (tip || windowItem)
      EXPECT_FALSE(contains(line, "&")) << "line " << k;
    else
      EXPECT_EQ(std::count(line.begin(), line.end(), '&'), 1) << "line " << k;
  }
  const std::map<int, std::string> numbered = {{15, "1."},  {16, "2."},  {17, "3."}, {18, "4."},
                                               {19, "5."},  {20, "6."},  {56, "7."}, {22, "21."},
                                               {23, "22."}, {24, "23."}, {25, "24."}};
  for (const auto& [k, prefix] : numbered) {
    std::string caption = trim(f.lines[k - 1]);
    caption.erase(caption.find('&'), 1);
    EXPECT_EQ(caption.rfind(prefix + " ", 0), 0u) << "line " << k << ": " << caption;
  }
}

// List files: the last line is the box's default; a placeholder default holds the market's
// "not chosen" marker and no real item does.
TEST_P(MarketData, ListsHaveNumberedItemsAndMarkedPlaceholders) {
  // An item's leading value lies in (low, high].
  struct ListRule {
    const char* file;
    double low, high;
  };
  const ListRule rules[] = {{"PipeDiam", 0, 5000},  {"PipeIDia", 0, 5000}, {"PlanEmis", 0, 0.999},
                            {"PipeEmis", 0, 0.999}, {"StofKons", 0, 5000}, {"energy", -1, -1},
                            {"Class", -1, -1},      {"Product", -1, -1}};
  const std::string mark = marker();
  for (const ListRule& rule : rules) {
    SCOPED_TRACE(rule.file);
    const MarketFile f = load(rule.file, m);
    ASSERT_GE(f.lines.size(), 3u);
    EXPECT_TRUE(contains(UpperCase(f.lines.back()), mark)) << f.lines.back();
    for (size_t i = 0; i + 1 < f.lines.size(); ++i) {
      EXPECT_FALSE(contains(UpperCase(f.lines[i]), mark)) << f.lines[i];
      if (rule.low < 0) continue;
      const double v = ParseNumber(f.lines[i]);
      EXPECT_GT(v, rule.low) << f.lines[i];
      EXPECT_LE(v, rule.high) << f.lines[i];
    }
  }
}

// Energy units follow the order of the program's factors, class items end with their class
// digit, and the media are air then flue gas with air shown.
TEST_P(MarketData, FixedListsKeepTheirOrder) {
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

TEST_P(MarketData, ProductsArePlausibleMineralWool) {
  const MarketFile f = load("Product", m);
  ASSERT_GE(f.lines.size(), 7u);  // six products and the default line
  std::set<std::string> names;
  bool narrowRange = false;
  for (size_t i = 0; i + 1 < f.lines.size(); ++i) {
    const std::vector<std::string> fields = fieldsOf(f.lines[i]);
    SCOPED_TRACE(f.lines[i]);
    ASSERT_GE(fields.size(), 7u);
    ASSERT_LE(fields.size(), 36u);
    for (const std::string& field : fields)
      ASSERT_NE(field[0], '\x01') << "a field without its closing ;";
    EXPECT_TRUE(names.insert(fields[0]).second) << "name twice";
    EXPECT_EQ(fields[0].rfind("Torvelin ", 0), 0u);
    double c[5];
    for (int k = 0; k < 5; ++k) c[k] = ParseNumber(fields[k + 1]);
    auto lambda = [&](double t) { return c[0] + c[1] * t + c[2] * t * t; };
    EXPECT_GE(lambda(10), 0.033);
    EXPECT_LE(lambda(10), 0.040);
    EXPECT_GE(lambda(300), 0.07);
    EXPECT_LE(lambda(300), 0.10);
    EXPECT_LT(c[3], c[4]);
    for (double t = c[3]; t < c[4]; t += 10)
      EXPECT_LT(lambda(t), lambda(t + 10)) << "conductivity falls at " << t;
    narrowRange |= c[4] <= 100;
    int previous = 0;
    for (size_t k = 6; k < fields.size(); ++k) {
      const double t = ParseNumber(fields[k]);
      EXPECT_EQ(t, static_cast<int>(t));
      EXPECT_GT(t, previous);
      previous = static_cast<int>(t);
    }
  }
  EXPECT_TRUE(narrowRange) << "no product on which the temperature-limit warning can be met";
  std::string joined;
  for (const std::string& line : f.raw) joined += line;
  EXPECT_LE(joined.size(), 32767u);
}

TEST_P(MarketData, PipeOnlyNamesProductsAndListedSizes) {
  const MarketFile f = load("PipeOnly", m), product = load("Product", m);
  std::set<std::string> products;
  for (size_t i = 0; i + 1 < product.lines.size(); ++i)
    products.insert(product.lines[i].substr(0, product.lines[i].find(';')));
  std::set<int> sizes;
  const MarketFile diam = load("PipeDiam", m);
  for (size_t i = 0; i + 1 < diam.lines.size(); ++i) sizes.insert(pipeSizeKey(diam.raw[i]));
  ASSERT_FALSE(f.lines.empty());
  for (const std::string& line : f.lines) {
    SCOPED_TRACE(line);
    const std::vector<std::string> fields = fieldsOf(line);
    ASSERT_GE(fields.size(), 2u);
    ASSERT_LE(fields.size(), 41u);
    EXPECT_TRUE(products.count(fields[0]));
    for (size_t k = 1; k < fields.size(); ++k) {
      ASSERT_NE(fields[k][0], '\x01') << "a size without its closing ;";
      EXPECT_TRUE(sizes.count(std::stoi(fields[k]))) << fields[k] << " is no pipe size of the list";
    }
  }
}

TEST_P(MarketData, HelpContentsAndPagesExist) {
  // The four first markets' folders are in lower case, the later ones keep the code's case.
  const bool early = m == "DK" || m == "NO" || m == "SE" || m == "UK";
  const std::string dir = sourceDir() + "/data/help/help" + (early ? lower(m) : m) + "/";
  const std::string index = veltaro::ReadFileBytes(dir + "index.html");
  std::vector<int> calcs = {1, 2, 3, 5, 6, 21, 22, 23, 24};
  if (m == "DK" || m == "NO") calcs.push_back(4);
  if (early) calcs.push_back(7);
  for (int calc : calcs) {
    char page[16];
    std::snprintf(page, sizeof page, "calc%02d.html", calc);
    EXPECT_TRUE(contains(index, page)) << page;
    EXPECT_TRUE(std::filesystem::exists(dir + page)) << page;
  }
}

TEST_P(MarketData, PicturesTheProgramLoadsExist) {
  int w = 0, h = 0;
  ASSERT_TRUE(pictureSize(sourceDir() + "/data/Images/background_" + lower(m) + ".jpg", w, h));
  EXPECT_GE(w, 11600 / 15) << "the calculation bands reach 11600 twips";
  EXPECT_GE(h, 7720 / 15);
  ASSERT_TRUE(pictureSize(sourceDir() + "/data/Images/Logo_" + m + ".jpg", w, h));
  EXPECT_EQ(w, 210) << "the logo box is 210 pixels wide";
}

INSTANTIATE_TEST_SUITE_P(AllMarkets, MarketData, ::testing::ValuesIn(kMarkets),
                         [](const auto& info) { return info.param; });

TEST(SharedData, SwedishPipeSectionsBelongToAProductAndItsThicknesses) {
  const MarketFile f = readMarketFile(textPath("PipeKap.SE"), 1252);
  ASSERT_GE(f.lines.size(), 2u);
  const std::string title = f.lines[0];
  EXPECT_LE(f.raw[0].size(), 30u);
  const MarketFile products = load("Product", "SE");
  std::set<std::string> thicknesses;
  for (const std::string& line : products.lines)
    if (line.rfind(title + ";", 0) == 0) {
      const std::vector<std::string> fields = fieldsOf(line);
      thicknesses.insert(fields.begin() + 6, fields.end());
    }
  ASSERT_FALSE(thicknesses.empty()) << "the title names no Swedish product";
  std::set<std::string> diameters;
  const MarketFile diam = load("PipeDiam", "SE");
  for (size_t i = 0; i + 1 < diam.lines.size(); ++i) {
    diameters.insert(std::to_string(static_cast<int>(ParseNumber(diam.lines[i]))));
  }
  for (size_t i = 1; i < f.lines.size(); ++i) {
    const std::vector<std::string> fields = fieldsOf(f.lines[i]);
    SCOPED_TRACE(f.lines[i]);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_LE(fields[0].size(), 3u);
    EXPECT_LE(fields[1].size(), 3u);
    EXPECT_LE(fields[2].size(), 4u);
    EXPECT_TRUE(diameters.count(fields[0]));
    EXPECT_TRUE(thicknesses.count(fields[1]));
    EXPECT_GE(std::stoi(fields[2]), std::stoi(fields[1]))
        << "a section thinner than its nominal thickness";
  }
}

TEST(SharedData, ContactFileHasNineAsciiBlocksWithWebAddresses) {
  const MarketFile f = readMarketFile(textPath("adress.all"), 0);
  EXPECT_TRUE(f.crlfOnly);
  ASSERT_GE(f.lines.size(), 131u);
  ASSERT_LT(f.lines.size(), 143u);
  EXPECT_EQ((f.lines.size() + 7) / 15, 9u);
  for (size_t b = 0; b + 15 <= f.lines.size(); b += 15) {
    SCOPED_TRACE(f.lines[b]);
    EXPECT_TRUE(contains(f.lines[b], "Torvelin"));
    EXPECT_TRUE(contains(f.lines[b + 8], "@") && contains(f.lines[b + 8], ".example."));
    for (size_t k : {b + 9, b + 10}) {
      // A full address, or one as people type it, which the program opens over http.
      EXPECT_TRUE(f.lines[k].rfind("https://", 0) == 0 || f.lines[k].rfind("www.", 0) == 0)
          << f.lines[k];
      EXPECT_TRUE(contains(f.lines[k], ".example.com") || contains(f.lines[k], ".example.org"));
    }
  }
  // Blocks 2 to 9 are read by their position: marine, UK, DK, NO, SE, LT, EE, LV.
  const std::vector<std::string> countries = {"Denmark", "United Kingdom", "Danmark", "Norge",
                                              "Sverige", "Lietuva",        "Eesti",   "Latvija"};
  EXPECT_TRUE(contains(f.lines[15], "Marine"));
  for (size_t k = 0; k < countries.size(); ++k)
    EXPECT_EQ(f.lines[15 * (k + 1) + 5], countries[k]) << "block " << k + 2;
  // The Norwegian block skips its first address line, so lines 4 and 5 carry the address.
  EXPECT_FALSE(trim(f.lines[60 + 3]).empty());
  EXPECT_FALSE(trim(f.lines[60 + 4]).empty());
}

TEST(SharedData, FixedPicturesExistInTheirSizes) {
  const std::string dir = sourceDir() + "/data/Images/";
  for (const char* name : {"VELTAROOPSTART_DK.jpg", "VELTAROOPSTART_SE.jpg", "bolgeprint.jpg",
                           "ror200.jpg", "ror200SE.jpg", "Icons/veltaro32_32_marine.ico"})
    EXPECT_TRUE(std::filesystem::exists(dir + name)) << name;
  for (const char* code : {"UK", "NO", "SE", "DK", "LT", "EE", "LV"})
    EXPECT_TRUE(std::filesystem::exists(dir + "Flags/flag_" + code + ".jpg")) << code;
  int toolbarPictures = 0, w = 0, h = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir + "Toolbar")) {
    if (entry.path().filename().string().rfind("tob", 0) == 0 &&
        entry.path().filename() != "tobmenu_picture.bmp") {
      ASSERT_TRUE(pictureSize(entry.path().string(), w, h));
      EXPECT_EQ(w, 16);
      EXPECT_EQ(h, 16);
      ++toolbarPictures;
    }
  }
  EXPECT_EQ(toolbarPictures, 22);
  ASSERT_TRUE(pictureSize(dir + "Toolbar/tobmenu_picture.bmp", w, h));
  EXPECT_EQ(w, 114);
  EXPECT_EQ(h, 25);
}

}  // namespace
