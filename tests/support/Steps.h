#pragma once
// One step of a scripted session as a table row writes it: "NAME" or "NAME(i)" is a click,
// "NAME=text" or "NAME(i)=text" puts text into the box.

#include <sstream>
#include <string>
#include <vector>

namespace testing_support {

struct Step {
  explicit Step(const std::string& s) : control(s.substr(0, s.find('='))) {
    if ((hasText = s.find('=') != std::string::npos)) text = s.substr(s.find('=') + 1);
    if (const auto open = control.find('('); open != std::string::npos)
      index = std::stoi(control.substr(open + 1)), control.resize(open);
  }
  std::string control, text;
  bool hasText = false;
  int index = -1;
};

// The steps of a row written as one string, parted by ';'.
inline std::vector<std::string> Split(const std::string& steps) {
  std::vector<std::string> all;
  std::istringstream in(steps);
  for (std::string s; std::getline(in, s, ';');) all.push_back(s);
  return all;
}

}  // namespace testing_support
