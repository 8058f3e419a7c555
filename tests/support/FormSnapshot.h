#pragma once
// What a user sees of a window's controls, to compare a window before and after something that
// must leave it alone.

#include <map>
#include <string>
#include <tuple>

#include "forms/Form.h"

namespace testing_support {

// Text, value, list position, enabled, visible.
using ControlState = std::tuple<std::string, int, int, bool, bool>;

inline std::map<std::string, ControlState> Snapshot(const forms::Form& w) {
  std::map<std::string, ControlState> all;
  for (const auto& c : w.controls())
    all[c->name() + "(" + std::to_string(c->index()) + ")"] = {
        c->text(), c->value(), c->listIndex(), c->enabled(), c->visible()};
  return all;
}

}  // namespace testing_support
