// The key filters of every calculation window's lists, and the per-row input checks of the
// multi-layer window on its first, a middle and its last row.

#include "MultiLayerFixture.h"

namespace calctest {
using namespace forms::key;

// What a list lets through, keys as the model receives them: characters typed into an empty
// list, a second separator and minus after "-1,5", then keys going down (Down, Up, Enter,
// F4, Left, Delete as "DUE4LX").
std::string passing(forms::Control& list) {
  std::string out;
  list.setEnabled(true);
  for (const char* start : {"", "-1,5"}) {
    for (int k : {int{'5'}, int{','}, int{'.'}, int{'-'}, int{'a'}, int{' '}, Back}) {
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
  // Positive numbers, the product lists (chosen by arrows, Enter and F4 only) and the lists
  // whose items are texts; a list of a layer array stands for its whole array.
  const char *kNumber = "5,.<|5<|DUE4LX", *kProduct = "||DUE4", *kText = "||DUE4LX";
  const struct {
    const char* window;
    std::vector<std::pair<const char*, const char*>> lists;  // name and the keys it passes
  } cases[] = {
      {"frmCalc01", {{"RORCOM", kNumber}, {"ISOLERINGST", kNumber}, {"Emission", kNumber},
                     {"EmisionUiso", kNumber}, {"PRODUKT", kProduct}, {"Energienh", kText}}},
      {"frmCalc02", {{"RORCOM", kNumber}, {"Emission", kNumber}, {"PRODUKT", kProduct}}},
      {"frmCalc03", {{"RORCOM", kNumber}, {"Emission", kNumber}, {"PRODUKT", kProduct}}},
      {"frmCalc04", {{"RORCOM", kNumber}, {"Emission", kNumber}, {"PRODUKT", kProduct},
                     {"IsoKlasse", "<|<|DUE4LX"}}},
      {"frmCalc05", {{"RORCOM", kNumber}, {"Emission", kNumber}, {"PRODUKT", kProduct}}},
      {"frmCalc06", {{"RORCOM", kNumber}, {"Emission", kNumber}, {"PRODUKT", kProduct},
                     {"Indvendig", kNumber}, {"StofK", kNumber}}},
      {"frmCalc07", {{"RORCOM", kNumber}, {"Emission", kNumber}, {"PRODUKT", kProduct},
                     {"MEDIE", kText}}},
      {"frmCalc21", {{"RORCOM", kNumber}, {"Emission", kNumber}, {"PRODUKT", kProduct},
                     {"ISOLERINGST", kNumber}}},
      {"frmCalc22", {{"RORCOM", kNumber}, {"Emission", kNumber}, {"PRODUKT", kProduct}}},
      {"frmCalc23", {{"PRODUKT", kProduct}}},
      {"frmCalc24", {{"RORCOM", kNumber}, {"Emission", kNumber}, {"PRODUKT", kProduct},
                     {"ISOLERINGST", kNumber}, {"Energienh", kText}}},
  };
  writeLines("Text/Class.DK", {"Klasse 1", "Klasse 2", "VÆLG klasse"});
  for (const auto& c : cases) {
    forms::Form& w = open(c.window);
    for (auto [list, keys] : c.lists) {
      const int index = w.findControl(list) ? -1 : 0;
      EXPECT_EQ(passing(w.control(list, index)), keys) << c.window << " " << list;
      if (index == 0) {
        EXPECT_EQ(passing(w.control(list, 1)), keys) << c.window << " " << list << " 1";
      }
    }
    w.unload();
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
