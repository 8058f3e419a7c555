#pragma once
// A fresh shared state, a scripted platform and a temporary program folder for each test.

#include <gtest/gtest.h>

#include <cmath>

#include "core/Errors.h"
#include "core/Fx.h"
#include "forms/Application.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPlatform.h"

namespace coretest {

class CoreTest : public ::testing::Test {
 protected:
  CoreTest() : app_(platform) {
    veltaro::resetFx();
    platform.folder = folder_.path.string();
  }
  ~CoreTest() override { veltaro::resetFx(); }

  void writeBytes(const std::string& relative, const std::string& bytes) {
    folder_.writeBytes(relative, bytes);
  }
  void writeLines(const std::string& relative, const std::vector<std::string>& lines,
                  int codePage = 1252) {
    folder_.writeLines(relative, lines, codePage);
  }

  testing_support::ProgramFolder folder_{"core"};
  const std::filesystem::path& folder = folder_.path;
  testing_support::ScriptedPlatform platform;

 private:
  forms::Application app_;
};

}  // namespace coretest
