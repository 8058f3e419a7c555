#pragma once
// One step of a scripted session as a table row writes it: "NAME" or "NAME(i)" is a click,
// "NAME=text" or "NAME(i)=text" puts text into the box, "?text" is a question (its prompt
// holding text) that the next step raises.

#include <string>

namespace testing_support {

struct Step {
  std::string control;
  int index = -1;
  bool hasText = false;
  std::string text;
  bool question = false;

  explicit Step(const std::string& s) {
    if (s.starts_with("?")) {
      question = true;
      text = s.substr(1);
      return;
    }
    const auto eq = s.find('=');
    hasText = eq != std::string::npos;
    if (hasText) text = s.substr(eq + 1);
    control = s.substr(0, eq);
    if (const auto open = control.find('('); open != std::string::npos) {
      index = std::stoi(control.substr(open + 1));
      control.resize(open);
    }
  }
};

}  // namespace testing_support
