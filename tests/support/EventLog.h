#pragma once
// One log for the windows made for tests: their handlers append "name(index).Event".

#include <string>
#include <vector>

#include "forms/Form.h"

namespace testing_support {

inline std::vector<std::string>& eventLog() {
  static std::vector<std::string> entries;
  return entries;
}

inline void logEvent(const std::string& e) { eventLog().push_back(e); }

// Attaches logging handlers for Change, Click, GotFocus and LostFocus of a control.
inline void logAll(forms::Control& c) {
  std::string n = c.name() + (c.index() >= 0 ? "(" + std::to_string(c.index()) + ")" : "");
  c.onChange = [n] { logEvent(n + ".Change"); };
  c.onClick = [n] { logEvent(n + ".Click"); };
  c.onGotFocus = [n] { logEvent(n + ".GotFocus"); };
  c.onLostFocus = [n] { logEvent(n + ".LostFocus"); };
}

}  // namespace testing_support
