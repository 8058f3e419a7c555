#pragma once
// A fresh shared state, a scripted platform and a temporary program folder for each test.

#include <gtest/gtest.h>

#include "core/Fx.h"
#include "forms/Application.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPlatform.h"

namespace coretest {

class CoreTest : public ::testing::Test {
 protected:
  CoreTest() : app_(platform) {
    veltaro::resetFx();
    platform.folder = files.path.string();
  }
  ~CoreTest() override { veltaro::resetFx(); }

  testing_support::ProgramFolder files{"core"};
  const std::filesystem::path& folder = files.path;
  testing_support::ScriptedPlatform platform;

 private:
  forms::Application app_;
};

}  // namespace coretest
