#pragma once
// Windows that hold the controls a report reads and nothing else, each control's caption and
// text being its own name ("LblTVOFK(4)", "VINDHASTIGHED"), so that a report of one shows
// which control filled each cell. The options and check box start cleared; a test sets them
// and the few texts a conversion reads.

#include <memory>
#include <sstream>
#include <string>

#include "forms/Application.h"

namespace reporttest {

// Controls as "NAME" or "NAME(first-last)"; blank-separated.
inline const char* standInControls(int calc) {
  switch (calc) {
    case 4:
      return "Frame7 Drift Klassean LblTVOFK(0-12) lblUnit(3) IsoKlasse Driftstid SPILDFAKTOR "
             "Klasse ISOLERINGST OVERFLADE VARMETAB PRODUKT Emission";
    case 5:
      return "LblTDVFL(0-11) Luftfugtighed ISOLERINGST Dugpunkt VARMETAB PRODUKT Emission";
    case 6:
      return "LblVODFM(0-12) MEDIEHAST Luftfugtighed Indvendig StofK ISOLERINGST OVERFLADE "
             "VARMETAB PRODUKT Emission";
    case 7:
      return "Frame2 optCalcType(0-2) LblCalc07(0-15) MEDIE MEDIESTR STRHAST txtStarTemp "
             "txtSluTemp txtLength ISOLERINGST txtIsoTyk txtStaTemp txtSlTemp PRODUKT Emission";
    case 21:
    case 22:
    case 23:
      return "Inddata Flerelag AntalLag VT OVERFLADE PRODUKT(0-5) ISOLERINGST(0-5) "
             "Skilleflade(0-4) Emission";
    case 24:
      return "Besparelses_data optInSite(0-1) cbxSave Lblflere24(0-22) lblUnit(10-12) "
             "PRODUKT(0-1) ISOLERINGST(0-1) Emission(0-1) RORL Energienh Pris Drift SkilTemp "
             "OVERFLADE VTU VT Bespar";
  }
  return "";
}

inline bool isOption(const std::string& name) {
  for (const char* o : {"ROR", "PLAN", "INDE", "UDE", "LOD", "VAND", "Drift", "Klassean",
                        "optCalcType", "optInSite"})
    if (name == o) return true;
  return false;
}

// The frame whose options form one group, as on the windows.
inline std::string groupOf(const std::string& option, int calc) {
  if (option == "ROR" || option == "PLAN") return "fraGeometry";
  if (option == "INDE" || option == "UDE" || option == "optInSite")
    return calc == 7 ? "Frame2" : "Frame3";
  if (option == "LOD" || option == "VAND") return calc == 7 ? "Frame3" : "Frame4";
  return option == "optCalcType" ? "Frame4" : "Frame7";
}

inline forms::Control& frame(forms::Form& w, const std::string& name) {
  if (forms::Control* f = w.findControl(name)) return *f;
  forms::Control& f = w.add(forms::ControlKind::Frame, name);
  f.setTextSilently(name);
  return f;
}

inline std::unique_ptr<forms::Form> makeStandIn(int calc) {
  auto w = std::make_unique<forms::Form>("standIn" + std::to_string(calc));
  w->setMdiChild(true);
  w->setCaption("Caption" + std::to_string(calc));
  std::string all = std::string(
                        "Frame3 Frame4 Frame5 Frame6 ROR PLAN RORCOM PLANH LOD VAND "
                        "MEDIETEMP Omgivende VINDHASTIGHED ") +
                    (calc == 24 ? "" : "INDE UDE ") + standInControls(calc);
  if (calc >= 21 && calc <= 23) all += " Lblflere" + std::to_string(calc) + "(0-10)";
  std::istringstream in(all);
  for (std::string item; in >> item;) {
    std::string name = item;
    int first = -1, last = -1;
    if (auto p = item.find('('); p != std::string::npos) {
      name = item.substr(0, p);
      first = std::stoi(item.substr(p + 1));
      const auto dash = item.find('-');
      last = dash == std::string::npos ? first : std::stoi(item.substr(dash + 1));
    }
    // Window 4's Drift is its operating-time option; window 24's a box.
    const bool option = isOption(name) && !(name == "Drift" && calc == 24);
    const auto kind = name == "cbxSave" ? forms::ControlKind::CheckBox
                      : option          ? forms::ControlKind::OptionButton
                                        : forms::ControlKind::TextBox;
    forms::Control* group = option ? &frame(*w, groupOf(name, calc)) : nullptr;
    if (w->findControl(name, first)) continue;  // a frame made earlier for its options
    for (int i = first; i <= last; ++i)
      w->add(kind, name, i, group)
          .setTextSilently(i < 0 ? name : name + "(" + std::to_string(i) + ")");
  }
  return w;
}

inline void registerStandIns(forms::Application& app) {
  for (int calc : {4, 5, 6, 7, 21, 22, 23, 24})
    app.registerForm("standIn" + std::to_string(calc), [calc] { return makeStandIn(calc); });
}

}  // namespace reporttest
