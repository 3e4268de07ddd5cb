// Loading, running and unloading the plug-in many times in one process.
#include <gtest/gtest.h>

#include <iostream>
#include <optional>
#include <string>

#include "plugin_fixture.h"
#include "test_platform.h"

namespace {

using namespace XSI;
using xsihost::ToUtf8;

std::string Describe(const xsihost::RegistrarInfo& info) {
  std::string text = ToUtf8(info.name) + "|" + ToUtf8(info.author) + "|" + ToUtf8(info.email) +
                     "|" + ToUtf8(info.url) + "|" + std::to_string(info.major) + "." +
                     std::to_string(info.minor);
  for (const auto& c : info.commands) {
    text += "|cmd " + ToUtf8(c.name) + " " + ToUtf8(c.scriptName) + " '" + ToUtf8(c.description) +
            "' " + (c.returnValueEnabled ? "rv" : "norv");
  }
  for (const auto& m : info.menus) {
    text += "|menu " + ToUtf8(m.name) + " " + std::to_string(m.anchor);
    for (const auto& item : m.items)
      text += " " + ToUtf8(item.label) + "->" + ToUtf8(item.command);
  }
  return text;
}

TEST(LoadCycles, AThousandCyclesRegisterTheSameAndLeaveNothingBehind) {
  const int cycles = 1000;
  xsihost::Reset();
  std::string expected;
  std::optional<size_t> handles;
  size_t objects = 0;
  const std::string library = kelvane_test::PluginFileName();
  for (int i = 0; i < cycles; ++i) {
    kelvane_test::BuildScene("model Rig\n  root L_root 1 0 0\n    eff L_eff 2 0 0\n");
    xsihost::Select({kelvane_test::Object("Rig.L_root")});
    xsihost::SetDialogResponder(kelvane_test::Pick(6));
    {
      xsihost::PluginLoader plugin;
      std::string error;
      ASSERT_TRUE(plugin.Load(kelvane_test::PluginPath(), error)) << error;
      const std::string registration = Describe(plugin.Registration());
      if (i == 0)
        expected = registration;
      ASSERT_EQ(registration, expected) << "cycle " << i;
      const xsihost::ExecuteResult result = plugin.Execute("kelvane");
      ASSERT_TRUE(result.ran && !result.raised) << result.error;
      ASSERT_TRUE(plugin.Unload());
    }
    ASSERT_EQ(kelvane_test::SceneText(),
              "model Rig\n  root L_root 1 0 0\n    eff L_eff 2 0 0\n"
              "  root R_root -1 0 0\n    eff R_eff -2 0 0\n")
        << "cycle " << i;
    ASSERT_EQ(
        kelvane_test::LogTexts(),
        (std::vector<std::string>{"kelvane_Execute called", "kelvanePlugin has been unloaded."}));
    ASSERT_EQ(kelvane_test::IsModuleLoaded(library), std::optional<bool>(false))
        << "cycle " << i << ": the library stayed loaded";
    xsihost::Reset();
    if (i == 0) {
      handles = kelvane_test::OpenHandles();
      objects = xsihost::ObjectCount();
    }
    ASSERT_EQ(kelvane_test::OpenHandles(), handles) << "cycle " << i;
    ASSERT_EQ(xsihost::ObjectCount(), objects) << "cycle " << i;
  }
  if (!handles) {
    // Said, not passed in silence: the count of open handles could not be checked here.
    std::cout << "[ NOT CHECKED ] the count of open handles: this platform (Wine) does not tell\n";
    RecordProperty("skipped", "open handle count: the platform does not tell");
  }
}

TEST(LoadCycles, UnloadWithoutLoadAndTwiceAreHarmless) {
  xsihost::Reset();
  xsihost::PluginLoader plugin;
  EXPECT_FALSE(plugin.Unload());
  std::string error;
  ASSERT_TRUE(plugin.Load(kelvane_test::PluginPath(), error)) << error;
  EXPECT_TRUE(plugin.Unload());
  EXPECT_FALSE(plugin.Unload());
  EXPECT_EQ(kelvane_test::LogTexts(), std::vector<std::string>{"kelvanePlugin has been unloaded."});
}

}  // namespace
