#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

void testing_support::unscripted(const std::string& what) {
  ADD_FAILURE() << "unexpected " << what;
}
