// The key filters of every calculation window's lists, and the per-row input checks of the
// multi-layer windows on their first, a middle and their last row.

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
  const std::pair<int, char> down[] = {{Down, 'D'}, {Up, 'U'},   {Return, 'E'},
                                       {F4, '4'},   {Left, 'L'}, {Delete, 'X'}};
  for (auto [k, name] : down)
    if (list.userKeyDown(k)) out += name;
  return out;
}

namespace {
TEST_F(MultiLayerTest, EachListOfEachWindowPassesOnlyItsKeys) {
  // Positive numbers, numbers with one minus (window 23's pipe size and emissivity), the
  // product lists (chosen by arrows, Enter and F4 only) and the lists whose items are texts; a
  // list of a layer array stands for its whole array. Every window has a pipe size, an
  // emissivity and a product list; these are the lists beyond them.
  const char *kNumber = "5,.<|5<|DUE4LX", *kText = "||DUE4LX";
  const std::pair<const char*, std::vector<std::pair<const char*, const char*>>> cases[] = {
      {"frmCalc01", {{"ISOLERINGST", kNumber}, {"EmisionUiso", kNumber}, {"Energienh", kText}}},
      {"frmCalc02", {}},
      {"frmCalc03", {}},
      {"frmCalc04", {{"IsoKlasse", "<|<|DUE4LX"}}},
      {"frmCalc05", {}},
      {"frmCalc06", {{"Indvendig", kNumber}, {"StofK", kNumber}}},
      {"frmCalc07", {{"MEDIE", kText}}},
      {"frmCalc21", {{"ISOLERINGST", kNumber}}},
      {"frmCalc22", {}},
      {"frmCalc23", {}},
      {"frmCalc24", {{"ISOLERINGST", kNumber}, {"Energienh", kText}}},
  };
  writeLines("Text/Class.DK", {"Klasse 1", "Klasse 2", "VÆLG klasse"});
  for (auto [window, more] : cases) {
    forms::Form& w = open(window);
    const char* number = std::string(window) == "frmCalc23" ? "5,.-<|5<|DUE4LX" : kNumber;
    more.insert(more.end(), {{"RORCOM", number}, {"Emission", number}, {"PRODUKT", "||DUE4"}});
    for (auto [list, keys] : more) {
      const bool array = !w.findControl(list);  // of an array, its first two rows
      for (int i = array - 1; i < 2 * array; ++i)
        EXPECT_EQ(passing(w.control(list, i)), keys) << window << " " << list << " " << i;
    }
    w.unload();
  }
}

// A typed sign or separator replaces the selection, so the keys are judged by what they leave:
// "[" and "]" mark the selection before the keys, "|" the caret. A whole text selected in a
// text box is selected by entering it, as Tab does. Boxes of each family (signed, unsigned, any
// number of "-") on the single windows, the layer windows and the re-insulation window, and what
// stays of the typed text when the focus leaves.
TEST_F(MultiLayerTest, SignAndSeparatorKeysReplaceTheSelection) {
  const struct {
    const char *window, *box;
    int index;
    const char *before, *keys, *after;
  } cases[] = {
      {"frmCalc02", "Omgivende", -1, "[-20]", "-5", "-5"},
      {"frmCalc02", "Omgivende", -1, "-20|", "-5", "-205"},
      {"frmCalc02", "Omgivende", -1, "-[20]", "-5", "-5"},
      {"frmCalc02", "OVERFLADE", -1, "[-2]0", "-5", "-50"},
      {"frmCalc01", "Pris", -1, "[2.5]", ".5", ".5"},
      {"frmCalc01", "Pris", -1, "2.5|", ".5", "2.55"},
      {"frmCalc01", "Pris", -1, "2[,5]", ",7", "2,7"},
      {"frmCalc01", "Pris", -1, "[12].5", ".3", "3.5"},
      {"frmCalc01", "Pris", -1, "[-2]", "-5", "5"},
      {"frmCalc04", "MEDIETEMP", -1, "[-1,5]", "-.5", "-.5"},
      {"frmCalc06", "Omgivende", -1, "-1[,]5", ".", "-1.5"},
      {"frmCalc22", "Omgivende", -1, "[-20]", "-5", "-5"},
      {"frmCalc22", "Omgivende", -1, "-20|", "-5", "-20-5"},
      {"frmCalc21", "Omgivende", -1, "-[2.5]", ".5-", "-.5-"},
      {"frmCalc22", "Skilleflade", 0, "[2.5]", ".5", ".5"},
      {"frmCalc23", "RORCOM", -1, "-[1,5]", "-,5", "-,5"},
      {"frmCalc23", "RORCOM", -1, "[-1],5", "-,5", "-5,5"},
      {"frmCalc24", "Omgivende", -1, "[-20]", "-5", "-5"},
      {"frmCalc24", "Pris", -1, "[2.5]", ".5", ".5"},
      {"frmCalc24", "ISOLERINGST", 0, "2[,5]", ".7", "2.7"},
      // ">": the focus leaves the box, which then shows its number in the locale's form, but
      // never as a text that reads as another number (an exponent form, 15 digits rounded).
      {"frmCalc24", "PLANH", -1, "[2000]", "1000000000000000>", "1000000000000000"},
      {"frmCalc24", "PLANH", -1, "[2000]", "999999999999999>", "999999999999999"},
      {"frmCalc24", "PLANH", -1, "[2000]", "2000,50>", "2000.5"},
      {"frmCalc24", "Omgivende", -1, "[20]", "0,00001>", "0,00001"},
      {"frmCalc24", "Omgivende", -1, "[20]", "-,0001>", "-0.0001"},
      {"frmCalc21", "Omgivende", -1, "[20]", "0,000010>", "0,000010"},
      {"frmCalc23", "VT", -1, "[40]", "123456789012345,6>", "123456789012345,6"},
  };
  for (const auto& c : cases) {
    forms::Form& w = open(c.window);
    forms::Control& box = w.control(c.box, c.index);
    box.setEnabled(true);
    std::string text = c.before;
    const auto from = text.find('['), to = text.find(']'), caret = text.find('|');
    const bool marked = from != std::string::npos;
    for (char mark : {'[', ']', '|'}) std::erase(text, mark);
    box.setTextSilently(text);
    if (marked && from == 0 && to == text.size() + 1 && box.kind() == forms::ControlKind::TextBox)
      box.userFocus();
    else if (marked)
      box.userSelect(static_cast<int>(from), static_cast<int>(to - from - 1));
    else
      box.userSelect(static_cast<int>(caret), 0);
    const std::string keys = c.keys;
    box.userType(keys.substr(0, keys.find('>')));
    if (keys.ends_with('>')) w.control("Beregn").userFocus();
    EXPECT_EQ(box.text(), c.after) << c.window << " " << c.box << " " << c.before << " " << c.keys;
    w.unload();
  }
}

// The per-row checks of the layer windows on their first, a middle and their last row of six:
// each row's product; on window 21 its thickness; on windows 22 and 23 the order of the
// required interface temperatures, from the medium (200 °C) through 180, 160 .. 100 °C to the
// surface (40 °C) or the air (20 °C). Window 24's two layers are checked with the re-insulation.
TEST_F(MultiLayerTest, EachRowCheckOfTheLayerWindowsNamesItsRow) {
  const char *w21 = "frmCalc21", *w22 = "frmCalc22", *w23 = "frmCalc23";
  const char *thickness = "ISOLERINGST", *face = "Skilleflade";
  struct Case {
    const char *window, *box;  // the box or list of the row given the text
    int row;
    const char* text;
    std::string lines;  // the check's lines, joined by "|"
  };
  std::vector<Case> cases;
  for (int row : {0, 2, 5}) {
    const std::string n = std::to_string(row + 1);
    cases.push_back({w21, thickness, row, "", "T34 " + n + "|T35 " + n});
    cases.push_back({w21, thickness, row, row == 2 ? "0" : "1000", "T35 " + n});
    for (const char* window : {w21, w22, w23})
      cases.push_back({window, "PRODUKT", row, "Vælg produkt", "T33 " + n});
  }
  for (const char* window : {w22, w23}) {  // window 22 spaces the lines of its second row
    const std::string gap = window == w22 ? " " : "", last = window == w22 ? "T40" : "T47";
    cases.push_back({window, face, 0, "210", "T36 1T37 2"});
    cases.push_back(
        {window, face, 1, "190", "T38 1" + gap + "T37 2" + gap + "T39 2" + gap + "T37 3"});
    cases.push_back({window, face, 3, "150", "T38 3T37 4T39 4T37 5"});
    cases.push_back({window, face, 4, "10", "T38 5T37 6" + last});
  }
  const std::vector<std::string> thicknesses(6, "30"), faces{"180", "160", "140", "120", "100"};
  for (const auto& c : cases) {
    forms::Form& w = fill({.window = c.window,
                           .in = {.medium = "200"},
                           .count = "6",
                           .rows = c.window == w21 ? thicknesses : faces,
                           .surface = c.window == w22 ? "40" : "",
                           .loss = c.window == w23 ? "40" : ""});
    w.control(c.box, c.row).setText(c.text);
    w.control("Beregn").userClick();
    EXPECT_EQ(checkLines(w, c.window != w22), c.lines)
        << c.window << " " << c.box << " row " << c.row + 1;
    w.unload();
  }
}

}  // namespace
}  // namespace calctest
