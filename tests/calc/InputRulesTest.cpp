// The key filters of every calculation window's lists, and the per-row input checks of the
// multi-layer window on its first, a middle and its last row.

#include "MultiLayerFixture.h"

namespace calctest {
namespace {

using namespace forms::key;

// What a list lets through, keys as the model receives them: characters typed into an empty
// list, a second separator and minus after "-1,5", then keys going down (Down, Up, Enter,
// F4, Left, Delete as "DUE4LX").
}
std::string passing(forms::Control& list) {
  std::string out;
  list.setEnabled(true);
  for (const char* start : {"", "-1,5"}) {
    for (int k : {'5', ',', '.', '-', 'a', ' ', Back}) {
      list.setTextSilently(start);
      if (list.userKeyPress(k)) out += k == Back ? '<' : static_cast<char>(k);
    }
    out += '|';
  }
  const std::pair<int, char> down[] = {{Down, 'D'}, {Up, 'U'}, {Return, 'E'},
                                       {F4, '4'},   {Left, 'L'}, {Delete, 'X'}};
  for (auto [k, name] : down)
    if (list.userKeyDown(k)) out += name;
  return out;
}

namespace {
TEST_F(MultiLayerTest, EachListOfEachWindowPassesOnlyItsKeys) {
  const char *kNumber = "5,.-<|.-<|DUE4LX", *kSigned = "5,.-<|-<|DUE4LX",
             *kProduct = "||DUE4";
  const struct {
    const char* window;
    const char* list;
    int index;
    const char* keys;
  } cases[] = {
      {"frmCalc01", "RORCOM", -1, kNumber},   {"frmCalc01", "PRODUKT", -1, kProduct},
      {"frmCalc01", "Emission", -1, kNumber}, {"frmCalc04", "IsoKlasse", -1, "5<|<|DUE4LX"},
      {"frmCalc21", "PRODUKT", 5, kProduct},  {"frmCalc21", "ISOLERINGST", 0, kNumber},
      {"frmCalc24", "PRODUKT", 1, kProduct},  {"frmCalc22", "Skilleflade", 0, kSigned},
  };
  for (const auto& c : cases) {
    forms::Form& w = open(c.window);
    EXPECT_EQ(passing(w.control(c.list, c.index)), c.keys) << c.window << " " << c.list;
  }
}

// The per-row checks of window 21 on its first, a middle and its last row of six.
TEST_F(MultiLayerTest, EachRowCheckOfTheLayerWindowNamesItsRow) {
  const struct {
    int row;
    const char* product;  // set as the row's product text
    const char* thickness;
    std::vector<std::string> lines;
  } cases[] = {
      {0, "Vælg produkt", "30", {"T33 1"}}, {2, "Vælg produkt", "30", {"T33 3"}},
      {5, "Vælg produkt", "30", {"T33 6"}}, {0, nullptr, "", {"T34 1", "T35 1"}},
      {2, nullptr, "", {"T34 3", "T35 3"}}, {5, nullptr, "", {"T34 6", "T35 6"}},
      {0, nullptr, "1000", {"T35 1"}},      {2, nullptr, "0", {"T35 3"}},
      {5, nullptr, "1000", {"T35 6"}},
  };
  for (const auto& c : cases) {
    forms::Form& w = fill({.count = "6", .rows = std::vector<std::string>(6, "30")});
    if (c.product) w.control("PRODUKT", c.row).setText(c.product);
    w.control("ISOLERINGST", c.row).setText(c.thickness);
    w.control("Beregn").userClick();
    std::vector<std::string> lines;
    std::string text = errorList() + "\r\n";
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
      lines.push_back(text.substr(at, end - at));
    // The caption, the heading and the dashes come first, the closing line last.
    if (lines.size() > 4) lines = {lines.begin() + 3, lines.end() - 1};
    EXPECT_EQ(lines, c.lines) << "row " << c.row + 1;
    w.unload();
  }
}

}  // namespace
}  // namespace calctest
namespace calctest {
TEST_F(MultiLayerTest, DISCOVER) {
  for (const char* n : {"frmCalc01","frmCalc02","frmCalc03","frmCalc04","frmCalc05","frmCalc06","frmCalc07","frmCalc21","frmCalc22","frmCalc23","frmCalc24"}) {
    forms::Form& w = open(n);
    for (auto& c : w.controls())
      if (c->kind() == forms::ControlKind::ComboBox && (c->onKeyPress || c->onKeyDown))
        printf("ROW %s %s %d %s\n", n, c->name().c_str(), c->index(), passing(*c).c_str());
    w.unload();
  }
}
}
