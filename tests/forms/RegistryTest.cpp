// The window registry: one instance per class, created on reference, fresh after unload.

#include <gtest/gtest.h>

#include "TestForms.h"
#include "forms/Application.h"
#include "support/ScriptedPlatform.h"

using formstest::eventLog;
using formstest::TestWindow;
using Events = std::vector<std::string>;

namespace {

class Registry : public ::testing::Test {
 protected:
  testing_support::ScriptedPlatform platform;
  forms::Application app{platform};
  void SetUp() override {
    app.registerForm<TestWindow>();
    app.registerForm<formstest::OtherWindow>();
    app.registerForm<formstest::Frame>();
    eventLog().clear();
  }
};

TEST_F(Registry, FirstReferenceCreatesLoadsAndShowsAChildAndFindsItsControls) {
  EXPECT_EQ(app.find("TestWindow"), nullptr);
  auto& frame = app.get("Frame");
  EXPECT_FALSE(frame.visible());  // a frame loads without showing
  auto& w = app.get("TestWindow");
  EXPECT_EQ(&app.get("TestWindow"), &w);
  EXPECT_EQ(eventLog(), (Events{"TestWindow.Load", "TestWindow.Activate"}));
  EXPECT_TRUE(w.visible());
  EXPECT_TRUE(frame.visible());  // its first child makes the frame appear
  EXPECT_EQ(app.activeMdiChild(), &w);
  EXPECT_THROW(app.get("NoSuchWindow"), std::out_of_range);
  EXPECT_EQ(&w.control("OPTA", 2), &w.control("optA", 2));  // names are case-insensitive
  EXPECT_EQ(w.findControl("optA", 1), nullptr);             // the gap
  EXPECT_EQ(w.controlArray("optA").size(), 2u);
  EXPECT_THROW(w.control("txtMissing"), std::out_of_range);
}

TEST_F(Registry, UnloadAsksQueryUnloadFirstAndThenGivesAFreshInstance) {
  auto& w = app.get<TestWindow>();
  w.txt.setText("changed");
  const uint64_t id = w.instanceId();
  w.refuseQuery = true;
  eventLog().clear();
  EXPECT_FALSE(w.userClose());
  w.refuseQuery = false;
  w.refuseUnload = true;
  EXPECT_FALSE(w.unload());
  EXPECT_TRUE(w.isLoaded());
  EXPECT_EQ(eventLog(),
            (Events{"TestWindow.QueryUnload0", "TestWindow.QueryUnload1", "TestWindow.Unload"}));
  w.refuseUnload = false;
  EXPECT_TRUE(w.unload());
  EXPECT_EQ(app.find("TestWindow"), nullptr);
  auto& again = app.get<TestWindow>();
  EXPECT_NE(again.instanceId(), id);
  EXPECT_EQ(again.txt.text(), "");
}

TEST_F(Registry, AWindowMayUnloadItselfFromItsOwnHandler) {
  auto& w = app.get<TestWindow>();
  bool stillReadable = false;
  w.cmd.onClick = [&w, &stillReadable] {
    w.unload();
    // The instance lives until the event ends, so the rest of the handler is safe.
    stillReadable = w.txt.text().empty() && !w.isLoaded();
  };
  w.cmd.userClick();
  EXPECT_TRUE(stillReadable);
  EXPECT_EQ(app.find("TestWindow"), nullptr);
}

TEST_F(Registry, ClosingTheFrameAsksEveryChildFirst) {
  auto& frame = app.get("Frame");
  auto& w = app.get<TestWindow>();
  app.get<formstest::OtherWindow>();
  w.refuseQuery = true;
  EXPECT_FALSE(frame.userClose());
  EXPECT_TRUE(app.isLoaded("OtherWindow"));
  w.refuseQuery = false;
  eventLog().clear();
  EXPECT_TRUE(frame.userClose());
  EXPECT_EQ(eventLog(), (Events{"TestWindow.QueryUnload4", "TestWindow.Unload"}));
  EXPECT_TRUE(app.loadedForms().empty());
}

TEST_F(Registry, ClosingTheActiveChildActivatesTheOneBeforeIt) {
  auto& w = app.get<TestWindow>();
  auto& other = app.get<formstest::OtherWindow>();
  EXPECT_EQ(app.activeMdiChild(), &other);
  eventLog().clear();
  other.unload();
  EXPECT_EQ(app.activeMdiChild(), &w);
  EXPECT_EQ(eventLog(), (Events{"TestWindow.Activate"}));
}

TEST_F(Registry, ModalShowRunsThroughThePlatform) {
  auto& w = app.get<TestWindow>();
  w.setMdiChild(false);
  w.hide();
  platform.expectModal("TestWindow", [](forms::Form& f) {
    f.control("cmdGo").userClick();
    f.hide();
  });
  w.show(true);
  EXPECT_FALSE(w.isModal());
  EXPECT_TRUE(platform.scriptDone());
}

TEST_F(Registry, MenusAndToolbarFindByNameAndIgnoreHiddenItems) {
  auto& frame = app.get("Frame");
  auto& quit = frame.addMenu("menuQuit", &frame.addMenu("menuFiler"));
  auto& bar = frame.addToolbar("tobMenu");
  for (const char* key : {"NewCase", "", "Calculate"}) bar.addButton(key, !*key);
  std::vector<std::string> clicks;
  quit.onClick = [&] { clicks.push_back("quit"); };
  bar.onButtonClick = [&](forms::ToolbarButton& b) { clicks.push_back(b.key); };
  frame.menu("MENUQUIT").userClick();
  frame.toolbar("tobmenu").userClick(1);
  bar.userClick(2);  // separator
  quit.setVisible(false);
  bar.setButtonVisible(3, false);
  quit.userClick();
  bar.userClick(3);
  EXPECT_EQ(clicks, (std::vector<std::string>{"quit", "NewCase"}));
  EXPECT_EQ(bar.button("Missing"), nullptr);
  EXPECT_THROW(bar.button(4), std::out_of_range);
}

TEST_F(Registry, AnEscapedErrorIsAMessageAndEndUnloadsEverythingWithoutEvents) {
  platform.expectMsgBox(forms::mb::IdOk, "boom");
  app.dispatch([] { throw std::runtime_error("boom"); });
  EXPECT_EQ(platform.callsOf("msgBox").at(0).style, forms::mb::Critical);
  app.get<TestWindow>();
  eventLog().clear();
  app.end();
  EXPECT_TRUE(app.ended());
  EXPECT_TRUE(app.loadedForms().empty());
  EXPECT_TRUE(eventLog().empty());
}

}  // namespace
