// The eleven record layouts. Offsets and widths are those of the files the program has always
// written; the step column is the order in which the reader puts the fields back, chosen so
// that every input is in place (and its handlers have run) before the results arrive:
// geometry first (its switch empties the diameter or sets the plane's default height), a
// product before its thickness list is used, the savings box before the savings lists, the
// layer count before the layer rows.

#include "cases/RecordLayout.h"

namespace veltaro::cases {

namespace {

using K = FieldKind;

Field text(int offset, int width, const char* control, int step, int index = -1) {
  return {offset, width, K::Text, control, index, step, false};
}
Field result(int offset, int width, const char* control, int step, int index = -1) {
  return {offset, width, K::Text, control, index, step, true};
}
Field raw(int offset, int width, const char* control, int step, int index = -1) {
  return {offset, width, K::RawText, control, index, step, false};
}
Field position(int offset, const char* control, int step, int index = -1) {
  return {offset, 2, K::ListIndex, control, index, step, false};
}
Field pair(int offset, const char* on, int onIndex, const char* off, int offIndex, int step) {
  return {offset, 2, K::OptionPair, on, onIndex, step, false, off, offIndex};
}
Field check(int offset, const char* control, int step) {
  return {offset, 2, K::CheckBox, control, -1, step, false};
}
Field reserved(int offset, int width) {
  return {offset, width, K::Reserved, "", -1, 0, false};
}

// Offsets 0 to 17 of every record: the diameter or height, its list position, the geometry,
// site and orientation options. The steps put the geometry option first, then the diameter
// or height, then the site and the orientation.
void geometry(std::vector<Field>& f, const char* indoors, int indoorsIndex, const char* outdoors,
              int outdoorsIndex, int siteStep, int orientationStep) {
  f.push_back({0, 10, K::GeometryText, "RORCOM", -1, 2, false});
  f.push_back({10, 2, K::GeometryIndex, "RORCOM", -1, 3, false});
  f.push_back(pair(12, "ROR", -1, "PLAN", -1, 1));
  f.push_back(pair(14, indoors, indoorsIndex, outdoors, outdoorsIndex, siteStep));
  f.push_back(pair(16, "VAND", -1, "LOD", -1, orientationStep));
}

std::vector<Field> calc01() {
  std::vector<Field> f;
  geometry(f, "optInSite", 0, "optInSite", 1, 4, 5);
  // Everything after the orientation comes back in file order: each list's text and then its
  // position, the product before the thickness, the savings box before the savings fields.
  for (Field g : {text(18, 3, "MEDIETEMP", 10),     text(21, 25, "PRODUKT", 10),
                  position(46, "PRODUKT", 10),      text(48, 4, "ISOLERINGST", 10),
                  position(52, "ISOLERINGST", 10),  text(54, 30, "Emission", 10),
                  position(84, "Emission", 10),     text(86, 3, "VINDHASTIGHED", 10),
                  text(89, 3, "Omgivende", 10),     check(92, "cbxSave", 10),
                  text(94, 4, "RORL", 10),          text(98, 30, "EmisionUiso", 10),
                  position(128, "EmisionUiso", 10), text(130, 15, "Energienh", 10),
                  position(145, "Energienh", 10),   text(147, 7, "Pris", 10),
                  text(154, 5, "Drift", 10),        result(159, 3, "OVERFLADE", 20),
                  result(162, 5, "VTU", 20),        result(167, 5, "VT", 20),
                  result(172, 8, "Bespar", 20)})
    f.push_back(g);
  return f;
}

// Calculations 2 and 3 share the first 98 bytes; the surface temperature and the heat loss
// swap roles (required input and result), and 3 keeps its product's coefficients behind them.
std::vector<Field> calc02or03(bool requiredLoss) {
  std::vector<Field> f;
  geometry(f, "INDE", -1, "UDE", -1, 4, 5);
  for (Field g : {text(18, 3, "MEDIETEMP", 10), text(21, 25, "PRODUKT", 10),
                  position(46, "PRODUKT", 10), result(48, 4, "ISOLERINGST", 30),
                  text(52, 30, "Emission", 10), position(82, "Emission", 10),
                  text(84, 3, "VINDHASTIGHED", 10), text(87, 3, "Omgivende", 10)})
    f.push_back(g);
  if (!requiredLoss) {
    f.push_back(text(90, 3, "OVERFLADE", 10));
    f.push_back(result(93, 5, "VARMETAB", 20));
    return f;
  }
  f.push_back(result(90, 3, "OVERFLADE", 40));
  f.push_back(text(93, 5, "VARMETAB", 10));
  // After every control, so that they replace what the product list selected.
  for (int i = 0; i < 3; ++i) f.push_back({98 + 8 * i, 8, K::Coefficient, "PRODUKT", i, 50, false});
  return f;
}

std::vector<Field> calc04() {
  std::vector<Field> f;
  geometry(f, "INDE", -1, "UDE", -1, 4, 5);
  for (Field g :
       {pair(18, "Drift", -1, "Klassean", -1, 6), text(20, 3, "MEDIETEMP", 7),
        text(23, 25, "PRODUKT", 8), position(48, "PRODUKT", 9), result(50, 4, "ISOLERINGST", 19),
        text(54, 30, "Emission", 10), position(84, "Emission", 11),
        text(86, 3, "VINDHASTIGHED", 16), text(89, 3, "Omgivende", 17),
        text(92, 5, "Driftstid", 12), text(97, 30, "IsoKlasse", 13), position(127, "IsoKlasse", 14),
        text(129, 4, "SPILDFAKTOR", 15), result(133, 15, "Klasse", 21),
        result(148, 3, "OVERFLADE", 20), result(151, 5, "VARMETAB", 18)})
    f.push_back(g);
  return f;
}

std::vector<Field> calc05() {
  std::vector<Field> f;
  geometry(f, "INDE", -1, "UDE", -1, 4, 5);
  for (Field g : {reserved(18, 2), text(20, 3, "MEDIETEMP", 6), text(23, 25, "PRODUKT", 7),
                  position(48, "PRODUKT", 8), result(50, 4, "ISOLERINGST", 17),
                  text(54, 30, "Emission", 9), position(84, "Emission", 10),
                  text(86, 3, "VINDHASTIGHED", 11), text(89, 3, "Omgivende", 12),
                  text(92, 5, "Luftfugtighed", 13), result(97, 5, "Dugpunkt", 14),
                  result(102, 3, "OVERFLADE", 15), result(105, 5, "VARMETAB", 16)})
    f.push_back(g);
  return f;
}

std::vector<Field> calc06() {
  std::vector<Field> f;
  geometry(f, "INDE", -1, "UDE", -1, 4, 5);
  for (Field g : {text(18, 3, "MEDIETEMP", 6),
                  text(21, 25, "PRODUKT", 7),
                  position(46, "PRODUKT", 8),
                  text(48, 30, "Emission", 9),
                  position(78, "Emission", 10),
                  {80, 10, K::BlankText, "Indvendig", -1, 11, false},
                  position(90, "Indvendig", 12),
                  text(92, 30, "StofK", 13),
                  position(122, "StofK", 14),
                  text(124, 3, "MEDIEHAST", 15),
                  text(127, 3, "Omgivende", 17),
                  text(130, 3, "VINDHASTIGHED", 16),
                  text(133, 3, "Luftfugtighed", 18),
                  result(136, 3, "ISOLERINGST", 19),
                  result(139, 3, "OVERFLADE", 20),
                  result(142, 5, "VARMETAB", 21)})
    f.push_back(g);
  return f;
}

std::vector<Field> calc07() {
  std::vector<Field> f;
  geometry(f, "INDE", -1, "UDE", -1, 10, 10);
  // The calculation type comes before the inputs it empties and disables.
  for (Field g : {{18, 2, K::OptionIndex, "optCalcType", -1, 10, false},
                  text(20, 50, "MEDIE", 10),
                  position(70, "MEDIE", 10),
                  text(72, 10, "MEDIESTR", 10),
                  text(82, 6, "STRHAST", 10),
                  {88, 2, K::FirstUnitIndex, "STRHAST", -1, 10, false},
                  text(90, 5, "txtLength", 10),
                  text(95, 5, "txtStarTemp", 10),
                  text(100, 5, "txtSluTemp", 10),
                  text(105, 25, "PRODUKT", 10),
                  position(130, "PRODUKT", 10),
                  text(132, 4, "ISOLERINGST", 10),
                  text(136, 3, "VINDHASTIGHED", 10),
                  text(139, 3, "Omgivende", 10),
                  text(142, 30, "Emission", 10),
                  position(172, "Emission", 10),
                  result(174, 5, "txtIsoTyk", 20),
                  result(179, 5, "txtStaTemp", 20),
                  result(184, 5, "txtSlTemp", 20),
                  reserved(189, 5)})
    f.push_back(g);
  return f;
}

// Windows 21 to 23. The layer rows come back after the layer count has laid them out; the
// thickness lists of window 21 after the products that fill them.
enum class Layers { Given, ForTemperatures, ForHeatLoss };

std::vector<Field> calc21to23(Layers which) {
  std::vector<Field> f;
  geometry(f, "INDE", -1, "UDE", -1, 20, 30);
  for (Field g : {text(18, 3, "MEDIETEMP", 40),
                  text(21, 30, "Emission", 50),
                  position(51, "Emission", 51),
                  text(53, 3, "VINDHASTIGHED", 60),
                  {56, 1, K::LayerCount, "AntalLag", -1, 70, false}})
    f.push_back(g);
  for (int i = 0; i < 6; ++i) {
    f.push_back(raw(57 + 25 * i, 25, "PRODUKT", 90 + 2 * i, i));
    f.push_back(position(207 + 2 * i, "PRODUKT", 91 + 2 * i, i));
  }
  const bool given = which == Layers::Given;
  for (int i = 0; i < 6; ++i) {
    if (given) {
      f.push_back(text(219 + 3 * i, 3, "ISOLERINGST", 110 + 2 * i, i));
      f.push_back(position(237 + 2 * i, "ISOLERINGST", 111 + 2 * i, i));
    } else {
      f.push_back(
          result(219 + 3 * i, 3, "ISOLERINGST", which == Layers::ForHeatLoss ? 150 : 160, i));
    }
  }
  const int interfaces = given ? 249 : 237;
  for (int i = 0; i < 5; ++i) {
    f.push_back(given ? result(interfaces + 5 * i, 5, "Skilleflade", 140, i)
                      : text(interfaces + 5 * i, 5, "Skilleflade", 120, i));
  }
  const int tail = interfaces + 25;
  f.push_back(text(tail, 3, "Omgivende", 130));
  switch (which) {
    case Layers::Given:
      f.push_back(result(tail + 3, 3, "OVERFLADE", 150));
      f.push_back(result(tail + 6, 5, "VT", 160));
      break;
    case Layers::ForTemperatures:
      f.push_back(text(tail + 3, 3, "OVERFLADE", 140));
      f.push_back(result(tail + 6, 5, "VT", 150));
      break;
    case Layers::ForHeatLoss:
      f.push_back(result(tail + 3, 3, "OVERFLADE", 160));
      f.push_back(text(tail + 6, 5, "VT", 140));
      break;
  }
  return f;
}

std::vector<Field> calc24() {
  std::vector<Field> f;
  geometry(f, "optInSite", 0, "optInSite", 1, 4, 5);
  // The two layers' texts stand side by side, followed by their two positions.
  for (Field g : {text(18, 3, "MEDIETEMP", 6),        text(21, 25, "PRODUKT", 7, 0),
                  text(46, 25, "PRODUKT", 8, 1),      position(71, "PRODUKT", 9, 0),
                  position(73, "PRODUKT", 10, 1),     text(75, 4, "ISOLERINGST", 11, 0),
                  text(79, 4, "ISOLERINGST", 13, 1),  position(83, "ISOLERINGST", 12, 0),
                  position(85, "ISOLERINGST", 14, 1), text(87, 30, "Emission", 15, 0),
                  text(117, 30, "Emission", 17, 1),   position(147, "Emission", 16, 0),
                  position(149, "Emission", 18, 1),   text(151, 3, "VINDHASTIGHED", 19),
                  text(154, 3, "Omgivende", 20),      check(157, "cbxSave", 21),
                  text(159, 4, "RORL", 22),           text(163, 15, "Energienh", 23),
                  position(178, "Energienh", 24),     text(180, 7, "Pris", 25),
                  text(187, 5, "Drift", 26),          result(192, 5, "SkilTemp", 27),
                  result(197, 3, "OVERFLADE", 28),    result(200, 5, "VTU", 29),
                  result(205, 5, "VT", 30),           result(210, 8, "Bespar", 31)})
    f.push_back(g);
  return f;
}

}  // namespace

const std::vector<RecordLayout>& RecordLayouts() {
  static const std::vector<RecordLayout> layouts = {
      {1, 1, ".C01", 180, calc01()},
      {2, 2, ".C02", 98, calc02or03(false)},
      {3, 3, ".C03", 122, calc02or03(true)},
      {4, 4, ".C04", 156, calc04()},
      {5, 5, ".C05", 110, calc05()},
      {6, 6, ".C06", 147, calc06()},
      {7, 21, ".C21", 285, calc21to23(Layers::Given)},
      {8, 22, ".C22", 273, calc21to23(Layers::ForTemperatures)},
      {9, 23, ".C23", 273, calc21to23(Layers::ForHeatLoss)},
      {10, 24, ".C24", 218, calc24()},
      {11, 7, ".C07", 194, calc07()},
  };
  return layouts;
}

const RecordLayout* LayoutOfType(int calcType) {
  if (calcType < 1 || calcType > 11) return nullptr;
  return &RecordLayouts()[static_cast<std::size_t>(calcType - 1)];
}

}  // namespace veltaro::cases
