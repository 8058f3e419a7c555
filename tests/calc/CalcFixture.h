#pragma once
// A fresh program for each test: shared state, scripted platform, a temporary program folder
// with small market files of our own, a stand-in main window with the pipe-distance menu item,
// and the calculation windows registered.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "calc/CalcWindows.h"
#include "core/Formula.h"
#include "core/Fx.h"
#include "core/Numbers.h"
#include "core/NumericInput.h"
#include "core/TextFile.h"
#include "support/MessageLines.h"
#include "forms/Application.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPlatform.h"

namespace calctest {

// The main window as far as the calculation windows see it: its state and one menu item.
class MainStandIn : public forms::Form {
 public:
  static constexpr const char* kName = "mdiVeltaro";
  MainStandIn() : forms::Form(kName) {
    setMdiForm(true);
    addMenu("menuShowPipeDistance");
  }
};

inline constexpr const char* kPipeProduct = "Torvelin Rørskål";
inline constexpr const char* kMatProduct = "Torvelin Lamelmåtte";
inline constexpr const char* kConstantProduct = "Torvelin Konstant";
inline constexpr const char* kAir = "Luft 79% N2, 21% O2";
inline constexpr const char* kFlueGas = "Røggas 12%CO2, 3%H2O, 83%N2, 2%O2";

class CalcTest : public ::testing::Test {
 protected:
  CalcTest() : app(platform) {
    veltaro::resetFx();
    platform.folder = folder.string();
    writeLines("Text/Product.DK",
               {std::string(kPipeProduct) + ";0.033;0.0002;0.000001;-50;250;20;30;40;50;60;80;100;",
                std::string(kMatProduct) + ";0.036;0.00018;0.0000012;-50;600;30;50;80;100;",
                std::string(kConstantProduct) + ";0.04;0;0;-100;300;10;20;50;100;", kPipeProduct});
    writeLines("Text/PipeDiam.DK",
               {"21.3", "26.9", "60.3", "88.9", "114.3", "219.1", "1016", "Vælg diameter"});
    writeLines("Text/PlanEmis.DK",
               {"0.05 Aluminium blank", "0.26 Galvaniseret stål", "0.9 Maling", "0.9 Maling"});
    writeLines("Text/PipeEmis.DK", {"0.94 Stålrør", "0.26 Galvaniseret", "0.94 Stålrør"});
    writeLines("Text/energy.DK", {"kWh", "MWh", "GJ", "Vælg enhed"});
    writeLines("Text/PipeIDia.DK", {"52.5 mm", "105.3 mm", "207.3 mm", "Vælg indvendig diameter"});
    writeLines("Text/StofKons.DK", {"3.6 Luft, fugtig", "3.9 Røggas", "Vælg stofkonstant"});
    writeLines("Text/Medie.DK", {kAir, kFlueGas, kAir});
    writeLines("Text/Class.DK", {"Klasse 1", "Klasse 2", "Klasse 3", "Klasse 4", "VÆLG klasse"});

    veltaro::FX& s = veltaro::fx();
    s.CountryCode = "DK";
    std::vector<std::string> lines;
    for (int i = 1; i <= 221; ++i) lines.push_back("T" + std::to_string(i));
    lines[75 - 1] = "VÆLG";
    s.TextTable.assign(lines);
    testing_support::UseEnglishMessages();
    // The mat is made only for two pipe sizes.
    veltaro::PipeOnlyRecord only;
    only.Name = kMatProduct;
    only.Sizes[1] = 60;
    only.Sizes[2] = 114;
    s.PipeOnlyTable.assign({only});

    app.registerForm<MainStandIn>();
    veltaro::RegisterCalcWindows(app);
  }
  ~CalcTest() override { veltaro::resetFx(); }

  void writeLines(const std::string& relative, const std::vector<std::string>& lines) {
    folder_.writeLines(relative, lines);
  }

  // Another market, with the Danish test files.
  void useMarket(const std::string& code) {
    veltaro::fx().CountryCode = code;
    for (const char* f : {"Product", "PipeDiam", "PlanEmis"})
      if (code != "DK")
        std::filesystem::copy_file(folder / "Text" / (std::string(f) + ".DK"),
                                   folder / "Text" / (std::string(f) + "." + code),
                                   std::filesystem::copy_options::overwrite_existing);
  }
  MainStandIn& main() { return app.get<MainStandIn>(); }
  void showPipeDistances(bool on) { main().menu("menuShowPipeDistance").setChecked(on); }

  forms::Form& open(const std::string& name) { return app.get(name); }

  // Types into a box the way a user does: focus (a text box selects its text on entry, an
  // editable list is emptied first), then the keys.
  static void type(forms::Control& c, const std::string& text) {
    c.userFocus();
    if (c.kind() == forms::ControlKind::ComboBox) c.userEditText("", 0);
    c.userType(text);
  }
  static void choose(forms::Control& list, const std::string& item) {
    list.userFocus();
    for (int i = 0; i < list.listCount(); ++i)
      if (list.item(i) == item) return list.userSelectItem(i);
    ADD_FAILURE() << "no item " << item << " in " << list.name();
  }

 public:
  // The inputs every window shares: a pipe, or a plane when `height` is set.
  struct Inputs {
    std::string diameter = "114.3";
    std::string height;  // a plane when set
    bool outdoors = false;
    bool vertical = false;
    std::string wind = "5";
    std::string medium = "150";
    std::string ambient = "20";
    std::string product = kPipeProduct;  // empty on the multi-layer windows
    std::string emission = "0.9 Maling";
  };

 protected:
  void enter(forms::Form& w, const Inputs& in) {
    if (!in.height.empty()) {
      w.control("PLAN").userClick();
      w.control("PLANH").userFocus();
      w.control("PLANH").userType(in.height);
    } else {
      choose(w.control("RORCOM"), in.diameter);
    }
    if (in.outdoors) {
      (w.findControl("UDE") ? w.control("UDE") : w.control("optInSite", 1)).userClick();
      type(w.control("VINDHASTIGHED"), in.wind);
    }
    if (in.vertical) w.control("LOD").userClick();
    type(w.control("MEDIETEMP"), in.medium);
    type(w.control("Omgivende"), in.ambient);
    if (!in.product.empty()) choose(w.control("PRODUKT"), in.product);  // none: layer rows
    if (w.findControl("Emission")) choose(w.control("Emission"), in.emission);  // else per row
  }
  // `window` opened, `in` entered, then `steps`, and calculated: the result must stand.
  forms::Form& computed(const std::string& window, const Inputs& in,
                        const std::vector<std::string>& steps) {
    forms::Form& w = open(window);
    enter(w, in);
    perform(w, cat({steps, {"Beregn!"}}));
    EXPECT_TRUE(veltaro::fx().ResultValid[veltaro::CalcTypeOf(std::stoi(window.substr(7)))])
        << window << " " << w.control("ISOLERINGST").text();
    return w;
  }
  // Calculation 1 for a thickness: {heat loss, surface temperature}.
  std::pair<double, double> calc1(const Inputs& in, const std::string& thickness) {
    forms::Form& w = computed("frmCalc01", in, {"ISOLERINGST~" + thickness});
    std::pair<double, double> r{number(w, "VT"), number(w, "OVERFLADE")};
    w.unload();
    return r;
  }

  // Steps as a user gives them: "box=text" chooses the list's item of that text or types it,
  // "box~text" types it, "box:=text" writes it from code (an option's or check box's Value),
  // "box.=text" writes it silently, "name!" clicks, "name>" takes the focus; "name(i)" is
  // element i of an array. A step "?name" and a mark checks: "=text" its text, "+"/"-" enabled
  // or not, "^"/"~" visible or not, "#"/"%" set or not, "@" has the focus. "*6T158" answers
  // the next message box holding T158 with 6; "*text" checks the last box's title.
  void perform(forms::Form& w, const std::vector<std::string>& steps) {
    for (const std::string& step : steps) {
      if (step[0] == '*') {
        if (std::isdigit(static_cast<unsigned char>(step[1])))
          platform.expectMsgBox(step[1] - '0', step.substr(2));
        else
          EXPECT_EQ(platform.calls.back().title, step.substr(1));
        continue;
      }
      if (step[0] == '?') {
        const auto mark = step.find_first_of("=+-^~#%@"), open = step.find('(');
        forms::Control& c = w.control(step.substr(1, std::min(open, mark) - 1),
                                      open < mark ? std::stoi(step.substr(open + 1)) : -1);
        const std::string m = step.substr(mark, 1), states = "+-^~#%@";
        const bool shown[] = {c.enabled(),  !c.enabled(), c.visible(), !c.visible(),
                              c.isSet(),    !c.isSet(),   c.hasFocus()};
        if (m == "=") EXPECT_EQ(c.text(), step.substr(mark + 1)) << step;
        else EXPECT_TRUE(shown[states.find(m)]) << step;
        continue;
      }
      const auto end = step.find_first_of(".:=!~>"), open = step.find('(');
      forms::Control& c = w.control(step.substr(0, std::min(open, end)),
                                    open < end ? std::stoi(step.substr(open + 1)) : -1);
      const std::string text = step.substr(step.find_first_of("=!~>") + 1);
      bool listed = false;
      for (int i = 0; i < c.listCount(); ++i) listed = listed || c.item(i) == text;
      const bool valued = c.kind() == forms::ControlKind::OptionButton ||
                          c.kind() == forms::ControlKind::CheckBox;
      if (step[end] == '!') c.userClick();
      else if (step[end] == '>') c.userFocus();
      else if (step[end] == '.') c.setTextSilently(text);
      else if (step[end] == ':' && valued) c.setValue(std::stoi(text));
      else if (step[end] == ':') c.setText(text);
      else if (listed && step[end] == '=') choose(c, text);
      else type(c, text);
    }
  }

  static std::vector<std::string> cat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> r;
    for (const auto& p : parts) r.insert(r.end(), p.begin(), p.end());
    return r;
  }
  // Checks of the controls named enabled ('1') or disabled ('0') as `bits` says.
  static std::vector<std::string> enabled(const std::vector<std::string>& names,
                                          const std::string& bits) {
    std::vector<std::string> r;
    for (size_t i = 0; i < names.size(); ++i) r.push_back("?" + names[i] + "-+"[bits[i] - '0']);
    return r;
  }

  // Steps that give a calculation window valid inputs: a 114.3 mm pipe indoors at 150 °C in
  // 20 °C air (5 °C on 5, 40 °C in 0 °C air on 6), then what the window asks beyond that.
  static std::vector<std::string> validSteps(const std::string& window) {
    const std::string pipe = kPipeProduct, constant = kConstantProduct;
    auto shared = [](std::string medium, std::string ambient, std::string product,
                     std::vector<std::string> more) {
      std::vector<std::string> r{"RORCOM=114.3", "MEDIETEMP=" + medium, "Omgivende=" + ambient};
      if (!product.empty()) r.push_back("PRODUKT=" + product);
      r.push_back("Emission=0.9 Maling");
      r.insert(r.end(), more.begin(), more.end());
      return r;
    };
    const int n = std::stoi(window.substr(7));
    switch (n) {
      case 1: return shared("150", "20", pipe, {"ISOLERINGST=50"});
      case 2: return shared("150", "20", pipe, {"OVERFLADE=40"});
      case 3: return shared("150", "20", pipe, {"VARMETAB=60"});
      case 4: return shared("150", "20", pipe, {"Driftstid=8760", "SPILDFAKTOR=1"});
      case 5: return shared("5", "20", constant, {"Luftfugtighed=70"});
      case 6:
        return shared("40", "0", constant, {"MEDIEHAST=5", "Luftfugtighed=90", "Indvendig=105.3",
                                             "StofK=3.6 Luft, fugtig"});
      case 7:
        return {"optCalcType(2)!", "RORCOM=219.1", "MEDIE=" + std::string(kAir), "MEDIESTR=5",
                "txtLength=30", "txtStarTemp=60", "PRODUKT=" + constant, "ISOLERINGST=50",
                "Omgivende=20", "Emission=0.9 Maling"};
      case 21: return shared("150", "20", "", {"AntalLag=2", "MEDIETEMP=150",
                                               "ISOLERINGST(0)=50", "ISOLERINGST(1)=30"});
      case 22: return shared("150", "20", "", {"AntalLag=2", "MEDIETEMP=150",
                                               "Skilleflade(0)=100", "OVERFLADE=30"});
      case 23: return shared("150", "20", "", {"AntalLag=2", "MEDIETEMP=150",
                                               "Skilleflade(0)=100", "VT=40"});
      default:
        return {"RORCOM=114.3", "MEDIETEMP=150", "Omgivende=20", "PRODUKT(0)=" + pipe,
                "ISOLERINGST(0)=50", "Emission(0)=0.9 Maling", "PRODUKT(1)=" + constant,
                "ISOLERINGST(1)=30", "Emission(1)=0.9 Maling"};
    }
  }

  // What the input-error window shows, "" while it is not shown.
  std::string shownErrors() {
    forms::Form* e = app.find("frmErrorInfo");
    return e && e->visible() ? e->control("txtError").text() : "";
  }
  // The list a failed check writes: the header (caption, header line, dashes), one line each,
  // the closing line; "" for no failure.
  static std::string errorList(const std::string& caption, const std::string& header,
                               const std::vector<std::string>& lines) {
    if (lines.empty()) return "";
    std::string r = caption + "\r\n" + header + "\r\n" + std::string(88, '-') + "\r\n";
    for (const std::string& l : lines) r += l + "\r\n";
    return r + std::string(100, ' ') + "T18";
  }

  // The surface coefficient hcv + hr (also left in fx().SurfaceCoefficient) of a pipe (outer
  // diameter `size`) or a wall (height `size`, always vertical) at ts in air at ta, emissivity
  // 0.9, outdoors in wind v.
  static double surfaceCoefficient(bool pipe, bool outdoors, bool vertical, double v, double size,
                                   double ts, double ta) {
    if (outdoors)
      (pipe ? veltaro::ConvectionPipeWind : veltaro::ConvectionWallWind)(v, size, ts, ta);
    else if (pipe && !vertical)
      veltaro::ConvectionHorizontalPipe(size, ts, ta);
    else
      (pipe ? veltaro::ConvectionVerticalPipe : veltaro::ConvectionVerticalWall)(size, ts, ta);
    veltaro::RadiationCoefficient(ts, ta, size, size, size, 0.9);
    auto& s = veltaro::fx();
    return s.SurfaceCoefficient = s.ConvectiveCoefficient + s.RadiativeCoefficient;
  }

  double number(forms::Form& w, const char* box) {
    return veltaro::ParseNumber(w.control(box).text());
  }

  testing_support::ProgramFolder folder_{"calc"};
  const std::filesystem::path& folder = folder_.path;
  testing_support::ScriptedPlatform platform;
  forms::Application app;
};

}  // namespace calctest
