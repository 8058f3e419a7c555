// What each window's input check can refuse, heard through the check's recorder while the
// window runs through every setting of its options, check boxes and layer count, empty and
// filled (a hot and a cold medium). The help pages quote exactly these lines: the list they
// are written from (tools/helpgen/checks.txt) must be the one heard here.
// VELTARO_REGENERATE_GOLDENS=1 rewrites that list.

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "CalcFixture.h"
#include "calc/CalcForm.h"
#include "calc/InputCheck.h"

namespace calctest {
namespace {

const std::string kList = VELTARO_SOURCE_DIR "/tools/helpgen/checks.txt";

// A line as the list names it: "n" for one language-file line, "a+b" for lines the check
// joins with nothing between them, or for a column's heading with its row number joined to a
// line ("a 2" and b); a line composed with numbers or other text between its parts gives each
// part on its own.
std::vector<std::string> itemsOf(const std::string& line) {
  static const std::regex marker(R"(\{(\d+)\})"), rowCaption(R"(\{(\d+)\} \d+\{(\d+)\})");
  if (std::smatch m; std::regex_match(line, m, rowCaption)) return {m.str(1) + "+" + m.str(2)};
  std::vector<std::string> parts;
  std::string rest = line;
  for (std::sregex_iterator m(line.begin(), line.end(), marker), end; m != end; ++m)
    parts.push_back((*m)[1]);
  if (parts.empty()) {
    ADD_FAILURE() << "a check line from no language-file line: " << line;
    return {};
  }
  std::string joined, bare;
  for (const std::string& p : parts) {
    joined += (joined.empty() ? "" : "+") + p;
    bare += "{" + p + "}";
  }
  if (bare == line) return {joined};
  return parts;
}

// Every run's items in the order its check tested them; the list orders them so that each
// run's order holds; where runs disagree, the item heard first goes first.
class Listing : public veltaro::InputCheck::Recorder {
 public:
  void start() {
    for (auto& kind : runs_) kind.emplace_back();
  }
  void tested(const std::string& line, bool savings) override {
    for (const std::string& item : itemsOf(line)) {
      std::vector<std::string>& run = runs_[savings].back();
      if (std::find(run.begin(), run.end(), item) == run.end()) run.push_back(item);
    }
  }
  std::string rows(int calc) const {
    std::string out;
    const char* names[] = {"check  ", "savings"};
    for (int savings : {0, 1}) {
      const std::vector<std::string> items = ordered(runs_[savings]);
      if (items.empty()) continue;
      out += (calc < 10 ? "0" : "") + std::to_string(calc) + " " + names[savings];
      for (const std::string& item : items) out += " " + item;
      out += "\n";
    }
    return out;
  }

 private:
  static std::vector<std::string> ordered(const std::vector<std::vector<std::string>>& runs) {
    std::vector<std::string> heard;  // in the order first heard
    std::map<std::string, std::set<std::string>> before;
    for (const auto& run : runs)
      for (size_t i = 0; i < run.size(); ++i) {
        if (std::find(heard.begin(), heard.end(), run[i]) == heard.end()) heard.push_back(run[i]);
        if (i > 0) before[run[i]].insert(run[i - 1]);
      }
    std::vector<std::string> out;
    while (out.size() < heard.size()) {
      auto placed = [&](const std::string& item) {
        return std::find(out.begin(), out.end(), item) != out.end();
      };
      auto ready = [&](const std::string& item) {
        return !placed(item) && std::all_of(before[item].begin(), before[item].end(), placed);
      };
      // What follows the last item placed in some run first, then what was heard first.
      auto next = std::find_if(heard.begin(), heard.end(), [&](const std::string& item) {
        return ready(item) && !out.empty() && before[item].count(out.back());
      });
      if (next == heard.end()) next = std::find_if(heard.begin(), heard.end(), ready);
      if (next == heard.end()) next = std::find_if_not(heard.begin(), heard.end(), placed);
      out.push_back(*next);
    }
    return out;
  }
  std::vector<std::vector<std::string>> runs_[2];
};

// The input check alone, without the calculation Calculate runs after it: the check is the
// windows' own business, so it is reached through a pointer to the member.
struct CheckOnly : veltaro::CalcForm {
  using veltaro::CalcForm::ValidateInput;
};
constexpr auto kValidateInput = &CheckOnly::ValidateInput;

// The settings a window can be put in: one option of each group, each check box on and off,
// and, on the multi-layer windows, each layer count.
using Setting = std::vector<std::pair<forms::Control*, int>>;
std::vector<Setting> settings(forms::Form& w) {
  std::vector<std::vector<std::pair<forms::Control*, int>>> choices;
  std::map<forms::Control*, size_t> group;
  for (const auto& c : w.controls()) {
    if (c->kind() == forms::ControlKind::OptionButton) {
      auto [at, fresh] = group.try_emplace(c->container(), choices.size());
      if (fresh) choices.emplace_back();
      choices[at->second].push_back({c.get(), 1});
    } else if (c->kind() == forms::ControlKind::CheckBox) {
      choices.push_back({{c.get(), 0}, {c.get(), 1}});
    }
  }
  if (forms::Control* layers = w.findControl("AntalLag")) {
    choices.emplace_back();
    for (int n = 2; n <= 6; ++n) choices.back().push_back({layers, n});
  }
  std::vector<Setting> all{{}};
  for (const auto& choice : choices) {
    std::vector<Setting> next;
    for (const Setting& s : all)
      for (const auto& pick : choice) {
        next.push_back(s);
        next.back().push_back(pick);
      }
    all = std::move(next);
  }
  return all;
}

TEST_F(CalcTest, HelpListsEveryLineEachWindowsCheckCanShow) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 345; ++i) lines.push_back("{" + std::to_string(i) + "}");
  lines[75 - 1] = "VÆLG";  // the mark of a list with nothing chosen
  veltaro::fx().TextTable.assign(lines);
  platform.anyMsgBox = forms::mb::IdYes;

  std::string heard =
      "# What each window's input check can refuse, as language-file lines (\"a+b\": two lines\n"
      "# the check joins). Written by the test HelpListsEveryLineEachWindowsCheckCanShow\n"
      "# (tests/calc/CheckLinesTest.cpp); do not edit: run it with VELTARO_REGENERATE_GOLDENS=1.\n";
  for (int calc : {1, 2, 3, 4, 5, 6, 7, 21, 22, 23, 24}) {
    const std::string name = std::string("frmCalc") + (calc < 10 ? "0" : "") + std::to_string(calc);
    Listing listing;
    veltaro::InputCheck::setRecorder(&listing);
    const size_t count = settings(open(name)).size();
    app.find(name)->unload();
    for (int fill = 0; fill < 3; ++fill) {
      for (size_t k = 0; k < count; ++k) {
        auto& w = static_cast<veltaro::CalcForm&>(open(name));
        if (fill > 0) perform(w, validSteps(name));
        forms::Control* medium = w.findControl("MEDIETEMP");
        if (fill == 2 && medium) {  // the medium and the air change places
          const std::string t = medium->text();
          medium->setText(w.control("Omgivende").text());
          w.control("Omgivende").setText(t);
        }
        const Setting setting = settings(w)[k];
        for (auto [c, value] : setting) {
          if (c->kind() == forms::ControlKind::TextBox) {  // the layer count, typed and left
            type(*c, std::to_string(value));
            w.control("MEDIETEMP").userFocus();
          } else {
            c->setValue(value);
          }
        }
        listing.start();
        (w.*kValidateInput)();
        w.unload();
      }
    }
    veltaro::InputCheck::setRecorder(nullptr);
    heard += listing.rows(calc);
  }

  if (std::getenv("VELTARO_REGENERATE_GOLDENS")) {
    std::ofstream(kList, std::ios::binary) << heard;
    return;
  }
  std::stringstream listed;
  listed << std::ifstream(kList, std::ios::binary).rdbuf();
  EXPECT_EQ(listed.str(), heard) << "the help's list of check lines is not what the windows check: "
                                    "rewrite it with VELTARO_REGENERATE_GOLDENS=1, then run "
                                    "tools/helpgen/make_help.py";
}

}  // namespace
}  // namespace calctest
